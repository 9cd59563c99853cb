// Long-job driving: the time budget changes how many steps one tick runs, never the result;
// a tick that arrives while a step is at work does nothing.
#include "platform/long_job.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {
// Adds 1, 2, ... 100, one number a step: 5050 at the end.
class SumJob : public LongJob {
public:
    bool Step() override
    {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (duringStep) duringStep(next);
        sum += next++;
        --depth;
        return next <= 100;
    }
    void Abort() override { aborted = true; }
    bool Finished() const override { return aborted || next > 100; }
    bool Completed() const override { return !aborted && next > 100; }

    std::function<void(int)> duringStep;
    int next = 1;
    int sum = 0;
    int depth = 0, maxDepth = 0;
    bool aborted = false;
};

int TicksToEnd(JobRunner& runner, std::chrono::milliseconds budget)
{
    int ticks = 1;
    while (runner.RunFor(budget)) ++ticks;
    return ticks;
}
}  // namespace

TEST(JobRunner, AnyBudgetGivesTheResultOfOneStepPerTick)
{
    using std::chrono::milliseconds;
    struct Case {
        milliseconds budget;
        int ticks;  // -1: depends on the machine's speed
    };
    for (const Case c : {Case{milliseconds(0), 100}, Case{milliseconds(1), -1}, Case{kJobTickBudget, -1},
                         Case{milliseconds(3600000), 1}}) {
        SCOPED_TRACE(c.budget.count());
        SumJob job;
        JobRunner runner(job);
        const int ticks = TicksToEnd(runner, c.budget);
        EXPECT_EQ(job.sum, 5050);
        EXPECT_TRUE(job.Completed());
        if (c.ticks >= 0) {
            EXPECT_EQ(ticks, c.ticks);
        }
        EXPECT_FALSE(runner.RunFor(c.budget));  // an ended job takes no further step
        EXPECT_EQ(job.sum, 5050);
    }
}

TEST(JobRunner, TickDuringAStepIsKeptOut)
{
    SumJob job;
    JobRunner runner(job);
    bool keptOutAnswer = false;
    // Step 3 opens a message box, under which the timer delivers another tick.
    job.duringStep = [&](int n) {
        if (n == 3) keptOutAnswer = runner.RunFor(std::chrono::milliseconds(3600000));
    };
    EXPECT_TRUE(runner.RunFor(std::chrono::milliseconds(0)));
    EXPECT_TRUE(runner.RunFor(std::chrono::milliseconds(0)));
    EXPECT_TRUE(runner.RunFor(std::chrono::milliseconds(0)));
    EXPECT_TRUE(keptOutAnswer);  // "still running", without a step
    EXPECT_EQ(job.sum, 1 + 2 + 3);
    EXPECT_EQ(job.maxDepth, 1);
    TicksToEnd(runner, std::chrono::milliseconds(0));
    EXPECT_EQ(job.sum, 5050);
}

TEST(JobRunner, ThrowingStepLeavesTheRunnerFree)
{
    SumJob job;
    JobRunner runner(job);
    job.duringStep = [](int n) {
        if (n == 2) throw std::runtime_error("disk gone");
    };
    EXPECT_THROW(TicksToEnd(runner, std::chrono::milliseconds(3600000)), std::runtime_error);
    EXPECT_FALSE(runner.Busy());
    EXPECT_EQ(job.sum, 1);
}
