// A long job (floppy reader, analysis, summary, exporter, values sheet) is a state machine:
// Step() does one unit of work; tests call it directly, windows drive it with JobTimer.
#pragma once

#include <chrono>

class LongJob {
public:
    virtual ~LongJob() = default;
    // Does one unit of work; returns false once the job has ended (done, failed or aborted).
    virtual bool Step() = 0;
    virtual void Abort() = 0;
    virtual bool Finished() const = 0;
};

// Runs Step() until the budget is spent or the job ends; returns false when it ended.
// The busy flag keeps a re-entrant call (a tick arriving while a step shows a box) out.
class JobRunner {
public:
    explicit JobRunner(LongJob& job) : job_(job) {}
    bool RunFor(std::chrono::milliseconds budget = std::chrono::milliseconds(20));
    bool Busy() const { return busy_; }

private:
    LongJob& job_;
    bool busy_ = false;
};
