// "Read Archives from floppy": the window of one disk's run of the floppy reader. Shown modal
// once per disk; its timer runs the reader's steps, the label shows the step, Abort stops the
// run at once. It closes with OK when the disk was read, else with Cancel.
#pragma once

#include "dialogs/fixed_dialog.h"
#include "platform/long_job.h"

#include <QTimer>

class QLabel;
class QPushButton;
class TFloppyReader;

class TReadDlg : public FixedDialog {
    Q_OBJECT
public:
    TReadDlg(QWidget* parent, TFloppyReader& reader);

    QLabel* Text;
    QPushButton* BtnAbort;
    QTimer Timer1;

    void BtnAbortClick();

public slots:
    // Escape or the close box abort the run like the Abort button.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Timer1Timer();
    TFloppyReader& reader_;
    JobRunner runner_;
};
