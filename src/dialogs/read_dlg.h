// "Read Archives from floppy": the job window of one disk's run of the floppy reader, shown modal
// once per disk by the main window's disk loop. The message line shows the reader's step (no
// bar); Abort stops the run at once. It closes with OK when the disk was read, else with Cancel.
#pragma once

#include "dialogs/job_window.h"

class TReadDlg : public TJobDlg {
    Q_OBJECT
public:
    TReadDlg(QWidget* parent, LongJob& reader);
};
