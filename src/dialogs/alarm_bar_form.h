// The shared progress window of the work that runs straight through (repository import, events
// list fill). One instance, AlarmBarForm, lives from start-up to exit and is shown and hidden.
//   AlarmBarForm->SetProgressCaption("..."); AlarmBarForm->ResetProgress(); AlarmBarForm->show();
//   for each unit of work: AlarmBarForm->SetProgress(done, total);
//   AlarmBarForm->hide();
#pragma once

#include "dialogs/fixed_dialog.h"
#include "dialogs/progress_percent.h"

class QProgressBar;

class TAlarmBarForm : public FixedDialog {
    Q_OBJECT
public:
    explicit TAlarmBarForm(QWidget* parent = nullptr);

    void SetProgressCaption(const QString& caption);
    void ResetProgress();
    // The bar shows the highest percentage since the last reset and is repainted at once, since
    // the caller keeps the event loop busy while it works.
    void SetProgress(int done, int total);

    int Percent() const { return progress.Percent(); }

    QProgressBar* Bar;

public slots:
    // The window has no close button and the user cannot close it: the caller hides it.
    void reject() override {}

private:
    ProgressBarState progress;
};

// Created by the main window at start-up; the window owns it.
extern TAlarmBarForm* AlarmBarForm;
