// The job window, which shows and drives every LongJob: a message line, a progress bar and
// Abort, and a 0 ms timer whose every tick runs the job's steps for about 20 ms
// (kJobTickBudget) before the event loop gets its turn. A tick that arrives while a step is
// still at work (the job's own message box is open) is kept out, and the timer rests until that
// step returns.
//   TJobPanel: the face and driver, for a window of its own (a dialog with more to show, the
//     values sheet's child window): Start() it, act on Ended() and Aborted().
//   TJobDlg: the modal dialog around a panel; it starts when shown and closes with OK when the
//     job completes, Cancel when it fails or is aborted (Abort, Escape, the close box).
#pragma once

#include "dialogs/fixed_dialog.h"
#include "platform/long_job.h"

#include <QTimer>
#include <QWidget>

#include <chrono>

class QLabel;
class QProgressBar;
class QPushButton;

class TJobPanel : public QWidget {
    Q_OBJECT
public:
    explicit TJobPanel(LongJob& job, QWidget* parent = nullptr);

    QLabel* LabelMsg;   // the job's StatusText after each tick
    QProgressBar* Bar;  // 0 to 100, from the job's Progress; hide it for a job without one
    QPushButton* BtnAbort;

    // Starts (or restarts) the ticks; the first comes from the event loop.
    void Start();
    void Stop();
    bool Running() const { return wanted_; }
    // Time share of each tick; 0 is one step per tick.
    void SetBudget(std::chrono::milliseconds budget) { budget_ = budget; }
    // Ends the job and the ticks, then Aborted().
    void BtnAbortClick();

signals:
    // After each tick that ran steps, for windows that show more of the job than line and bar.
    void Ticked();
    // The job ended by itself, completed or failed; the ticks have stopped.
    void Ended();
    // Abort ended the job; the ticks have stopped.
    void Aborted();

private:
    void Tick();
    void ShowState();
    LongJob& job_;
    JobRunner runner_;
    QTimer timer_;
    bool wanted_ = false;  // between Start() and the end, whether or not the timer rests
    std::chrono::milliseconds budget_ = kJobTickBudget;
};

class TJobDlg : public FixedDialog {
    Q_OBJECT
public:
    TJobDlg(QWidget* parent, const QString& caption, LongJob& job);

    TJobPanel* Panel;

public slots:
    // Escape and the close box abort like the Abort button.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
};
