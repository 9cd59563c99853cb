// Pictures of the start-up notice and of every page of the survey and save wizards, on a demo
// survey in a temporary program folder, for looking at them by hand:
//   xvfb-run -a orv_grab_dialogs <folder>
// (start a window manager such as openbox first to see the windows' frames too).
#include "app/warning_form.h"
#include "fixtures/demo_survey.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/prog_dirs.h"
#include "wizards/save_read_dlg.h"
#include "wizards/sel_data_dlg.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QScreen>
#include <cstdio>
#include <string>

namespace {
QString folder;

// Saves the window as drawn (<name>.png) and, once a window manager has had time to frame it,
// the screen around it (<name>_screen.png), then hides it again.
void Save(QWidget& window, const char* name)
{
    window.show();
    QElapsedTimer settling;
    settling.start();
    while (settling.elapsed() < 600) QApplication::processEvents(QEventLoop::AllEvents, 50);
    window.grab().save(folder + "/" + name + ".png");
    const QRect around = window.frameGeometry().adjusted(-1, -1, 1, 1);
    window.screen()->grabWindow(0, around.x(), around.y(), around.width(), around.height())
        .save(folder + "/" + name + "_screen.png");
    window.hide();
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    folder = QString::fromLocal8Bit(argv[1]);
    TempProgDir prog;
    CreateProgramFolders();
    const std::string survey = WriteDemoSurvey(DataDir(), 3);

    TWarningForm notice;
    Save(notice, "read_me");

    TSelDataDlg select;
    select.SurveyPage->Picker->SelectFile(survey);
    Save(select, "survey_selection_1");
    select.BtnNextClick();
    Save(select, "survey_selection_2");

    TSaveReadDlg save;
    save.ReceivedMask = 0x21;
    Save(save, "save_data_1");
    save.BtnNextClick();
    Save(save, "save_data_2");
    save.BtnBackClick();
    save.RadioAppend->setChecked(true);
    save.AppendPage->Picker->SelectFile(survey);
    save.BtnNextClick();
    Save(save, "save_data_3");
    return 0;
}
