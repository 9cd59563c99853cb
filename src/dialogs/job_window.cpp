// The job window: time-budgeted ticks, the busy guard, Abort, and the modal dialog around them.
#include "dialogs/job_window.h"

#include "dialogs/progress_percent.h"
#include "platform/messages.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TJobPanel::TJobPanel(LongJob& job, QWidget* parent) : QWidget(parent), job_(job), runner_(job)
{
    LabelMsg = new QLabel(this);
    LabelMsg->setAlignment(Qt::AlignCenter);
    LabelMsg->setWordWrap(true);
    LabelMsg->setMinimumSize(280, 60);
    Bar = new QProgressBar(this);
    Bar->setRange(0, 100);
    Bar->setValue(0);
    Bar->setTextVisible(false);
    BtnAbort = new QPushButton("&Abort", this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(LabelMsg);
    layout->addWidget(Bar);
    layout->addWidget(BtnAbort, 0, Qt::AlignHCenter);
    connect(BtnAbort, &QPushButton::clicked, this, &TJobPanel::BtnAbortClick);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &TJobPanel::Tick);
}

void TJobPanel::Start()
{
    wanted_ = true;
    ShowState();
    timer_.start();
}

void TJobPanel::Stop()
{
    wanted_ = false;
    timer_.stop();
}

void TJobPanel::BtnAbortClick()
{
    Stop();
    if (!job_.Finished()) job_.Abort();
    emit Aborted();
}

void TJobPanel::Tick()
{
    if (runner_.Busy()) {
        // A step is still at work under its own message box: rest until it returns, rather
        // than spin through empty ticks.
        timer_.stop();
        return;
    }
    bool running = false;
    // A step's own message box (a question, the final result) shows Abort greyed behind it:
    // it cannot be pressed there, and the job may already be done.
    BtnAbort->setEnabled(false);
    try {
        running = runner_.RunFor(budget_);
    } catch (...) {
        // A failing step ends the job, reported once; the window ends as after any failure.
        timer_.stop();
        job_.Abort();
        ShowExceptionMessage(std::current_exception());
    }
    BtnAbort->setEnabled(!job_.Finished());
    if (!wanted_) return;  // stopped or aborted while the steps ran
    ShowState();
    emit Ticked();
    if (!running) {
        Stop();
        emit Ended();
    } else if (!timer_.isActive()) {
        timer_.start();
    }
}

void TJobPanel::ShowState()
{
    LabelMsg->setText(QString::fromStdString(job_.StatusText()));
    const JobProgress progress = job_.Progress();
    Bar->setValue(ProgressPercent(progress.done, progress.total));
}

TJobDlg::TJobDlg(QWidget* parent, const QString& caption, LongJob& job) : FixedDialog(parent, caption)
{
    Panel = new TJobPanel(job, this);
    MainLayout()->addWidget(Panel);
    connect(Panel, &TJobPanel::Ended, this, [this, &job] { done(job.Completed() ? Accepted : Rejected); });
    connect(Panel, &TJobPanel::Aborted, this, [this] { FixedDialog::reject(); });
}

void TJobDlg::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    Panel->Start();
}

void TJobDlg::reject() { Panel->BtnAbortClick(); }
