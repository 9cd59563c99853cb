// The job window: a job driven to its end shows its line and bar and closes with OK; ticks that
// arrive while the job's own message box is open are kept out, and Abort is greyed there; Abort, Escape and a failing step
// end the job and close the dialog with Cancel.
#include "dialogs/job_window.h"

#include "platform/scripted_messages.h"

#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>

namespace {
// Copies 40 units, one a step; unit 10 asks the user something, unit `failAt` throws.
class UnitsJob : public LongJob {
public:
    bool Step() override
    {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (next == 10 && !asked) {
            asked = true;
            ShowMessage("Half way.", MsgType::Information, MbOk);
        }
        if (next == failAt) throw std::runtime_error("disk gone");
        ++next;
        ++done;
        --depth;
        return !Finished();
    }
    void Abort() override { aborted = true; }
    bool Finished() const override { return aborted || done == kUnits; }
    bool Completed() const override { return !aborted && done == kUnits; }
    std::string StatusText() const override { return "Copying unit " + std::to_string(done) + "..."; }
    JobProgress Progress() const override { return {done, kUnits}; }

    static constexpr int kUnits = 40;
    int next = 1, done = 0, failAt = -1;
    bool aborted = false, asked = false;
    int depth = 0, maxDepth = 0;
};

// A message box that keeps the user a while, as a real one does: the event loop goes on
// delivering events under it, and `underTheBox` runs there.
class ModalBoxes : public ScriptedMessages {
public:
    MsgButton Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption) override
    {
        QEventLoop loop;
        if (underTheBox) QTimer::singleShot(10, &loop, underTheBox);
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
        return ScriptedMessages::Message(text, type, buttons, caption);
    }
    std::function<void()> underTheBox;
};
}  // namespace

TEST(JobWindow, RunsTheJobToItsEndAndKeepsTicksOutWhileItsBoxIsOpen)
{
    ModalBoxes msgs;
    UnitsJob job;
    TJobDlg dlg(nullptr, "Exporting", job);
    dlg.Panel->SetBudget(std::chrono::milliseconds(0));  // one step per tick: many ticks under the box
    // Ticks restarted while the box is open (as a window restarting them after a box of its
    // own would) reach the panel under the box.
    // Abort is greyed behind the job's own box, and offered again between steps.
    bool abortUnderTheBox = true, abortBetweenSteps = false;
    msgs.underTheBox = [&] {
        abortUnderTheBox = dlg.Panel->BtnAbort->isEnabled();
        dlg.Panel->Start();
    };
    int ended = 0, ticks = 0;
    QObject::connect(dlg.Panel, &TJobPanel::Ended, [&] { ++ended; });
    QObject::connect(dlg.Panel, &TJobPanel::Ticked, [&] {
        ++ticks;
        if (job.done == 20) abortBetweenSteps = dlg.Panel->BtnAbort->isEnabled();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.windowTitle(), "Exporting");
    EXPECT_EQ(job.done, 40);
    EXPECT_EQ(job.maxDepth, 1);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"Half way."});
    EXPECT_EQ(ticks, 40);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(abortUnderTheBox);
    EXPECT_TRUE(abortBetweenSteps);
    EXPECT_FALSE(dlg.Panel->BtnAbort->isEnabled());  // the job is done
    EXPECT_EQ(dlg.Panel->LabelMsg->text(), "Copying unit 40...");
    EXPECT_EQ(dlg.Panel->Bar->value(), 100);
    EXPECT_FALSE(dlg.Panel->Running());
}

TEST(JobWindow, AbortAndEscapeEndTheJobAndCancel)
{
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Abort");
        ScriptedMessages msgs;
        UnitsJob job;
        TJobDlg dlg(nullptr, "Exporting", job);
        dlg.Panel->SetBudget(std::chrono::milliseconds(0));
        int aborted = 0, ended = 0;
        QObject::connect(dlg.Panel, &TJobPanel::Aborted, [&] { ++aborted; });
        QObject::connect(dlg.Panel, &TJobPanel::Ended, [&] { ++ended; });
        // The user ends the run once 8 units are done.
        QObject::connect(dlg.Panel, &TJobPanel::Ticked, [&] {
            if (job.done == 8) QTimer::singleShot(0, &dlg, [&] { escape ? dlg.reject() : dlg.Panel->BtnAbort->click(); });
        });
        EXPECT_EQ(dlg.exec(), QDialog::Rejected);
        EXPECT_TRUE(job.aborted);
        EXPECT_LT(job.done, 40);
        EXPECT_EQ(aborted, 1);
        EXPECT_EQ(ended, 0);
        EXPECT_FALSE(dlg.Panel->Running());
    }
}

TEST(JobWindow, FailingStepIsReportedOnceAndCancels)
{
    ScriptedMessages msgs;
    UnitsJob job;
    job.failAt = 5;
    TJobDlg dlg(nullptr, "Exporting", job);
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_TRUE(job.aborted);
    EXPECT_EQ(job.done, 4);
    EXPECT_EQ(msgs.Texts(), std::vector<std::string>{"The command could not be completed: disk gone"});
    EXPECT_EQ(msgs.messages[0].type, MsgType::Error);
}
