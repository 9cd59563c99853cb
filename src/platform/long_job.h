// A long job (floppy reader, analysis, summary, exporter, values sheet) is a state machine:
// Step() does one unit of work. Tests call Step() or JobRunner directly; windows show and drive
// a job with the job window (dialogs/job_window.h), which reads the message line and progress
// below after each tick.
#pragma once

#include <chrono>
#include <string>

// How far a job has come: `done` units of `total`; a total of 0 has nothing to show.
struct JobProgress {
    int done = 0;
    int total = 0;
};

class LongJob {
public:
    virtual ~LongJob() = default;
    // Does one unit of work; returns false once the job has ended (done, failed or aborted).
    virtual bool Step() = 0;
    // The Abort button: the job ends at once, leaving no half-written result.
    virtual void Abort() = 0;
    // The job has ended, whichever way.
    virtual bool Finished() const = 0;
    // The job ended with its work done (not failed, not aborted): a job dialog closes with OK.
    virtual bool Completed() const = 0;
    // The message line of the job window.
    virtual std::string StatusText() const { return {}; }
    virtual JobProgress Progress() const { return {}; }
};

// The share of one tick: steps run until about this much time has passed, then the event loop
// gets its turn. Results are those of one step per tick; only the waiting is gone.
constexpr std::chrono::milliseconds kJobTickBudget{20};

// Runs Step() until the budget is spent or the job ends; returns false when it ended. At least
// one step runs per call, so a budget of 0 is one step per tick. The busy flag keeps a
// re-entrant call out (a tick arriving while a step shows a message box): it does nothing.
class JobRunner {
public:
    explicit JobRunner(LongJob& job) : job_(job) {}
    bool RunFor(std::chrono::milliseconds budget = kJobTickBudget);
    bool Busy() const { return busy_; }

private:
    LongJob& job_;
    bool busy_ = false;
};
