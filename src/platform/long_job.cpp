// Time-budgeted driving of a long job.
#include "platform/long_job.h"

bool JobRunner::RunFor(std::chrono::milliseconds budget)
{
    if (busy_) return !job_.Finished();
    busy_ = true;
    auto until = std::chrono::steady_clock::now() + budget;
    bool running = !job_.Finished();
    while (running) {
        running = job_.Step();
        if (std::chrono::steady_clock::now() >= until) break;
    }
    busy_ = false;
    return running && !job_.Finished();
}
