// Drives a LongJob from the event loop: each tick runs steps for about 20 ms, then returns.
#pragma once

#include "platform/long_job.h"

#include <QObject>
#include <QTimer>

class JobTimer : public QObject {
    Q_OBJECT
public:
    JobTimer(LongJob& job, QObject* parent = nullptr);
    void Start();
    void Stop();
    bool Active() const { return timer_.isActive(); }

signals:
    void Ended();

private:
    void Tick();
    JobRunner runner_;
    QTimer timer_;
};
