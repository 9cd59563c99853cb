// QTimer driving of long jobs.
#include "platform/job_timer.h"

JobTimer::JobTimer(LongJob& job, QObject* parent) : QObject(parent), runner_(job)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &JobTimer::Tick);
}

void JobTimer::Start() { timer_.start(); }
void JobTimer::Stop() { timer_.stop(); }

void JobTimer::Tick()
{
    if (runner_.Busy()) return;
    if (!runner_.RunFor()) {
        timer_.stop();
        emit Ended();
    }
}
