// Floppy reader window.
#include "dialogs/read_dlg.h"

#include <QProgressBar>

TReadDlg::TReadDlg(QWidget* parent, LongJob& reader) : TJobDlg(parent, "Read Archives from floppy", reader)
{
    Panel->Bar->hide();
}
