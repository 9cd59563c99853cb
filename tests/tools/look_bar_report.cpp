// "Show Bar Report" on the demo survey's saved analysis, for looking at by hand: the main
// window runs the compliance analysis of a week's demo survey (windows of three days) through
// its wizard and engine, saves the report and opens it; its Show Bar Report button then opens
// the bar report, which steps through its failed dates, shows the harmonic menu and is printed.
//   xvfb-run -a orv_look_bar_report <folder>
// writes into <folder>: bars_first.png, bars_failed_<n>.png (each failed date found),
// bars_next_day.png, bars_harmonic_menu.png (the screen, with the menu open), bars.pdf and
// demo.rep, and prints the dates found and the messages shown
// (start a window manager such as openbox first to see the windows' frames too).
#include "analysis/analysis_params_page.h"
#include "analysis/an_report_form.h"
#include "analysis/report_bar_dlg.h"
#include "analysis/run_analysis_dlg.h"
#include "analysis/sel_analysis_dlg.h"
#include "app/main_form.h"
#include "fixtures/demo_survey.h"
#include "look_support.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <string>

namespace {
std::string folder;

void Save(QWidget& window, const std::string& name) { SaveWindowPicture(window, folder, name); }

void SaveScreen(QWidget& window, const std::string& name)
{
    Settle(600);
    window.screen()->grabWindow(0).save(QString::fromStdString(folder + name + ".png"));
}

// Answers the analysis window once its results are up: "Save Report ?" Yes, into `report`.
void SaveReportWhenDone(ScriptedMessages& messages, const std::string& report)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &messages, report] {
        auto* run = qobject_cast<TRunAnalysisDlg*>(QApplication::activeModalWidget());
        if (!run || !run->BtnOk->isVisible() || !run->BtnOk->isEnabled()) return;
        poll->stop();
        poll->deleteLater();
        messages.AnswerNext(MbYes);
        messages.PickFile(report);
        run->BtnOkClick();
    });
    poll->start(200);
}

void LookAtBars(TReportBarDlg& bars, ScriptedMessages& messages)
{
    std::printf("%s, %s\n", bars.windowTitle().toStdString().c_str(), bars.EditDate->text().toStdString().c_str());
    Save(bars, "bars_first");
    for (int n = 1; n <= 10 && bars.BtnFailNext->isEnabled(); ++n) {
        const std::size_t said = messages.messages.size();
        bars.BtnFailNext->click();
        if (messages.messages.size() > said) break;  // none further
        std::printf("failed date %d: %s%s\n", n, bars.EditDate->text().toStdString().c_str(),
                    bars.Led->isVisible() ? " (marked failed)" : "");
        Save(bars, "bars_failed_" + std::to_string(n));
    }
    bars.BtnFailPrev->click();
    if (bars.BtnDayNext->isEnabled()) bars.BtnDayNext->click();
    std::printf("a day on: %s\n", bars.EditDate->text().toStdString().c_str());
    Save(bars, "bars_next_day");
    bars.BtnPopupHarm->click();
    SaveScreen(bars, "bars_harmonic_menu");
    bars.HarmMenu->close();
    PrintChoice pdf;
    pdf.outputFile = folder + "bars.pdf";
    messages.PrintTo(pdf);
    bars.BtnPrint->click();
    bars.reject();
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<std::string> look = LookFolder(argc, argv);
    if (!look) return 2;
    folder = *look;
    const std::string survey = WriteDemoSurvey(DataDir(), 7);
    const std::string report = folder + "demo.rep";
    DeleteFile(report);
    ScriptedMessages messages;

    TMainForm form;
    RegisterAnalysisWizard(form.WindowRegistry);
    RegisterAnalysisEngine(form.WindowRegistry);
    RegisterAnalysisReportWindow(form.WindowRegistry);
    RegisterBarReport(form.WindowRegistry);
    form.resize(1000, 720);
    form.show();
    form.EnableMainCommands();  // as the splash does when it ends

    QTimer::singleShot(0, [&] {
        auto* wizard = qobject_cast<TSelAnalysisDlg*>(QApplication::activeModalWidget());
        if (!wizard) return;
        wizard->SurveyPage->Picker->SelectFile(survey);
        wizard->BtnNextClick();
        wizard->BtnNextClick();
        wizard->ParamsPage->EditWindow->setText("3");
        SaveReportWhenDone(messages, report);
        wizard->BtnFinishClick();
    });
    form.ItemRunAnalysis->trigger();
    if (!FileExists(report)) {
        std::fprintf(stderr, "no report saved\n");
        return 1;
    }
    QTimer::singleShot(0, [&] {
        if (auto* bars = qobject_cast<TReportBarDlg*>(QApplication::activeModalWidget())) LookAtBars(*bars, messages);
    });
    form.BtnBarReport->trigger();
    for (const std::string& text : messages.Texts()) std::printf("message: %s\n", text.c_str());
    return FileExists(folder + "bars.pdf") ? 0 : 1;
}
