// Time-budgeted driving of a long job.
#include "platform/long_job.h"

bool JobRunner::RunFor(std::chrono::milliseconds budget)
{
    if (busy_) return !job_.Finished();
    // Cleared however the steps end, a throwing one included, so the next tick is not kept out.
    struct BusyScope {
        bool& flag;
        explicit BusyScope(bool& f) : flag(f) { flag = true; }
        ~BusyScope() { flag = false; }
    } scope(busy_);
    const auto until = std::chrono::steady_clock::now() + budget;
    bool running = !job_.Finished();
    while (running) {
        running = job_.Step();
        if (std::chrono::steady_clock::now() >= until) break;
    }
    return running && !job_.Finished();
}
