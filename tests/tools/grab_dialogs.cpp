// Pictures of the start-up notice, of every page of the survey, save, analysis and export
// wizards, of the limits editor, of the analysis run while it runs and at its results, of every
// measure tab of the export wizard with its harmonics picker and of the exporter at work, on a
// demo survey in a temporary program folder, for looking at them by hand:
//   xvfb-run -a orv_grab_dialogs <folder>
// (start a window manager such as openbox first to see the windows' frames too). The workbooks
// of the export are left in <folder>/out for reading them back.
#include "analysis/analysis_params_page.h"
#include "analysis/limits_dlg.h"
#include "analysis/run_analysis_dlg.h"
#include "analysis/sel_analysis_dlg.h"
#include "app/warning_form.h"
#include "dialogs/harm_list_dlg.h"
#include "dialogs/job_window.h"
#include "export/export_output_page.h"
#include "export/export_tabs_page.h"
#include "export/exporter.h"
#include "export/sel_export_dlg.h"
#include "fixtures/demo_survey.h"
#include "fixtures/temp_prog_dir.h"
#include "look_support.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "wizards/save_read_dlg.h"
#include "wizards/sel_data_dlg.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QRadioButton>
#include <QScreen>
#include <cstdio>
#include <string>

namespace {
QString folder;

// Saves the window as drawn (<name>.png) and, once a window manager has had time to frame it,
// the screen around it (<name>_screen.png), then hides it again.
void Save(QWidget& window, const QString& name)
{
    window.show();
    Settle(600);
    window.grab().save(folder + "/" + name + ".png");
    const QRect around = window.frameGeometry().adjusted(-1, -1, 1, 1);
    window.screen()->grabWindow(0, around.x(), around.y(), around.width(), around.height())
        .save(folder + "/" + name + "_screen.png");
    window.hide();
}

// Every page and tab of the export wizard, its Finish, and the exporter in its window.
void GrabExport(const std::string& survey)
{
    const std::string out = folder.toStdString() + "/out";
    CreateFolder(out);
    TSelExportDlg wizard;
    wizard.SurveyPage->Picker->SelectFile(survey);
    Save(wizard, "export_1");
    wizard.BtnNextClick();
    Save(wizard, "export_2");
    wizard.BtnNextClick();
    for (int i = 0; i < wizard.TabsPage->Tabs->count(); ++i) {
        wizard.TabsPage->Tabs->setCurrentIndex(i);
        Save(wizard, QString("export_3_tab%1").arg(i + 1));
    }
    THarmListDlg picker;
    const TExportParams& p = wizard.Params();
    picker.SetupHarmList(p.VoltageOrders, p.VoltageChosen, p.VoltageOrderCount, p.VoltageChosenCount, 3,
                         PickVoltageHarmonics);
    Save(picker, "export_harmonics");
    wizard.BtnNextClick();
    wizard.OutputPage->ExpDirList->SetFolder(out);
    wizard.OutputPage->EditBase->setText("demo");
    Save(wizard, "export_4");
    // The exporter's closing message is answered by the script and printed.
    ScriptedMessages messages;
    wizard.BtnFinishClick();
    TExporter exporter(SurveySelection(), DataDir() + "export.tmp");
    TJobDlg job(nullptr, "Exporting", exporter);
    job.Panel->SetBudget(std::chrono::milliseconds(0));  // one step a tick, to be seen at work
    job.show();
    Settle(300);
    job.grab().save(folder + "/export_5.png");
    while (!exporter.Finished()) Settle(50);
    for (const std::string& text : messages.Texts()) std::printf("export: %s\n", text.c_str());
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

    TSelAnalysisDlg analysis;
    analysis.SurveyPage->Picker->SelectFile(survey);
    Save(analysis, "analysis_1");
    analysis.BtnNextClick();
    Save(analysis, "analysis_2");
    analysis.BtnNextClick();
    Save(analysis, "analysis_3");

    TLimitsDlg limits;
    limits.SetLimits(AnalysisParams().Limits);
    Save(limits, "limits");

    TAnalysisParams params;
    SetDefaultAnalysisParams(params);
    params.WindowDays = 3;
    TRunAnalysisDlg run(nullptr, DemoAnalysisSelection(survey, 3), params, DataDir());
    // One day per tick, stopped in the voltage harmonics to be seen running.
    run.Job->SetBudget(std::chrono::milliseconds(0));
    run.show();
    while (run.Engine().StatusText() != "processing Harmonics" && !run.Engine().Finished())
        QApplication::processEvents();
    run.Job->Stop();
    Save(run, "analysis_running");
    run.Job->Start();
    Save(run, "analysis_results");

    GrabExport(survey);
    return 0;
}
