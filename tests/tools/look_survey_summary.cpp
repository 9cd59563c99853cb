// "Create Survey Summary" from the main window's toolbar on a week's demo survey, for looking
// at by hand: the wizard's four pages, the report in the main window, the report printed (to a
// PDF) and saved (as Excel 5.0) through the main window's Print and Save Sheet As buttons.
//   xvfb-run -a orv_look_survey_summary <folder>
// writes into <folder>: wizard_1.png .. wizard_4.png, engine.png, main_window.png, summary.pdf and
// summary.xls
// (start a window manager such as openbox first to see the windows' frames too).
#include "app/main_form.h"
#include "fixtures/demo_survey.h"
#include "look_support.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "summary/sel_summary_dlg.h"
#include "summary/sum_report_form.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>

namespace {
std::string folder;

void Save(QWidget& window, const std::string& name) { SaveWindowPicture(window, folder, name); }
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<std::string> look = LookFolder(argc, argv);
    if (!look) return 2;
    folder = *look;
    const std::string survey = WriteDemoSurvey(DataDir(), 7);
    // Dialogs answered by script: the PDF as printer, the sheet's file name.
    ScriptedMessages messages;
    PrintChoice pdf;
    pdf.outputFile = folder + "summary.pdf";
    messages.PrintTo(pdf);
    messages.PickFile(folder + "summary.xls");

    TMainForm form;
    RegisterSummaryWindows(form.WindowRegistry);
    form.resize(1000, 720);
    form.show();
    form.EnableMainCommands();  // as the splash does when it ends
    QTimer::singleShot(0, [&] {
        auto* wizard = qobject_cast<TSelSummaryDlg*>(QApplication::activeModalWidget());
        if (!wizard) return;
        wizard->SurveyPage->Picker->SelectFile(survey);
        for (int page = 1; page <= 4; ++page) {
            Save(*wizard, "wizard_" + std::to_string(page));
            if (page < 4) wizard->BtnNextClick();
        }
        // The engine's window, as it opens.
        QTimer::singleShot(0, [] {
            if (QWidget* engine = QApplication::activeModalWidget()) engine->grab().save(QString::fromStdString(folder + "engine.png"));
        });
        wizard->BtnFinishClick();
    });
    form.BtnSummary->trigger();
    Save(form, "main_window");
    form.BtnPrint->trigger();
    form.BtnSaveSheet->trigger();
    for (const std::string& text : messages.Texts()) std::printf("message: %s\n", text.c_str());
    if (TChildForm* report = form.ActiveChild()) std::printf("%s\n", report->windowTitle().toStdString().c_str());
    return FileExists(folder + "summary.pdf") && FileExists(folder + "summary.xls") ? 0 : 1;
}
