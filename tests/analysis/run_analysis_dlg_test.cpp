// The analysis run window, offscreen, on three days of the demo survey (windows of 3 days): the
// rows painted from the results, the verdict, "Save Report ?" with its three answers, Abort, a
// run that fails, and the main window's analysis road.
#include "analysis/run_analysis_dlg.h"

#include "analysis/report_file.h"
#include "app/window_registry.h"
#include "dialogs/job_window.h"
#include "fixtures/demo_survey.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct DemoAnalysis {
    TempProgDir dir;
    ScriptedMessages messages;
    TSurveySelection survey;
    TAnalysisParams params;
    DemoAnalysis()
    {
        CreateProgramFolders();
        LastPath() = {};
        survey = DemoAnalysisSelection(WriteDemoSurvey(DataDir(), 3), 3);
        SetDefaultAnalysisParams(params);
        params.WindowDays = 3;
    }
    bool TempFilesPresent() const { return FileExists(DataDir() + "volt.sta") && FileExists(DataDir() + "events.bar"); }
};

// Shows the window and lets its job run until the results are up (or the window has closed).
void RunToResults(TRunAnalysisDlg& dialog)
{
    dialog.show();
    QElapsedTimer waited;
    waited.start();
    while (dialog.isVisible() && !dialog.BtnOk->isEnabled() && waited.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window on the demo analysis, run to its results.
struct DemoResults {
    DemoAnalysis demo;
    TRunAnalysisDlg dialog{nullptr, demo.survey, demo.params, DataDir()};
    DemoResults() { RunToResults(dialog); }
};

std::uint32_t Colour(const QFrame* panel)
{
    const QColor c = panel->palette().color(QPalette::Window);
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}
}  // namespace

// On the third day the demo's L2 voltage lies 12 % low from 06:00 to 12:00: 36 of the window's
// 432 records (8.3 %) fail its 95 %; L1 and L3 stay inside.
TEST(RunAnalysisDlg, RowsShowTheResultsAndOkSavesTheReport)
{
    DemoAnalysis demo;
    TRunAnalysisDlg dialog(nullptr, demo.survey, demo.params, DataDir());
    EXPECT_EQ(dialog.windowTitle(), "Analyzing measures...");
    RunToResults(dialog);
    ASSERT_TRUE(dialog.Engine().Completed());
    EXPECT_EQ(dialog.windowTitle(), "Analysis Results");
    EXPECT_EQ(dialog.LabelVerdict->text(), "Not Passed");
    EXPECT_FALSE(dialog.Job->isVisible());
    EXPECT_TRUE(dialog.BtnOk->isVisible());
    EXPECT_EQ(Colour(dialog.PanelV1), kPassedColour);
    EXPECT_EQ(Colour(dialog.PanelV2), kFailedColour);
    EXPECT_EQ(Colour(dialog.PanelV3), kPassedColour);
    EXPECT_TRUE(dialog.ImageCancel[0]->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.ImageOk[0]->isVisibleTo(&dialog));
    for (int m = 1; m <= 6; ++m) {
        const TAnalysisMeasureResult& result = dialog.Engine().Result(m);
        const std::vector<QFrame*> panels = dialog.MeasurePanels(m);
        ASSERT_EQ(static_cast<int>(panels.size()), result.Panels) << m;
        for (std::size_t p = 0; p < panels.size(); ++p) EXPECT_EQ(Colour(panels[p]), result.PanelColours[p]) << m;
        EXPECT_EQ(dialog.ImageOk[static_cast<std::size_t>(m - 1)]->isVisibleTo(&dialog), result.Passed) << m;
    }

    demo.messages.AnswerNext(MbYes);
    demo.messages.PickFile(SheetDir() + "demo");
    dialog.BtnOkClick();
    EXPECT_EQ(demo.messages.Texts(), std::vector<std::string>{"Save Report ?"});
    ASSERT_EQ(demo.messages.fileRequests.size(), 1u);
    const FileDialogRequest& request = demo.messages.fileRequests[0];
    EXPECT_EQ(request.title, "Save Report File As");
    EXPECT_EQ(request.folder, SheetDir());
    EXPECT_EQ(request.fileName, "*.rep");
    EXPECT_EQ(request.filter, "Report Files (*.rep)|*.rep");
    EXPECT_TRUE(dialog.Saved());
    EXPECT_EQ(dialog.ReportFileName(), SheetDir() + "demo.rep");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(LastPath().SheetPathSet);
    EXPECT_EQ(LastPath().SheetPath, SheetDir());
    const TReportRead read = ReadAnalysisReportFile(SheetDir() + "demo.rep");
    ASSERT_EQ(read.Fault, ReportFault::None) << read.Detail;
    EXPECT_EQ(read.Report->Head.Survey.Name, "demo.orv");
    for (int m = 1; m <= 6; ++m) EXPECT_TRUE(read.Report->Measure(m).HasSummary) << m;
    EXPECT_FALSE(read.Report->Measure(MeasureVoltage).Summary.Passed);
    EXPECT_FALSE(demo.TempFilesPresent());
}

// "No" leaves the temporary files for the next analysis; a cancelled save dialog deletes them.
// Neither writes a report.
TEST(RunAnalysisDlg, NoKeepsTheTemporaryFilesAndACancelledSaveDeletesThem)
{
    for (bool yes : {false, true}) {
        DemoResults run;
        auto& [demo, dialog] = run;
        ASSERT_TRUE(dialog.BtnOk->isEnabled());
        demo.messages.AnswerNext(yes ? MbYes : MbNo);
        demo.messages.CancelFileDialog();
        dialog.BtnOkClick();
        EXPECT_FALSE(dialog.Saved()) << yes;
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << yes;
        EXPECT_EQ(demo.messages.fileRequests.size(), yes ? 1u : 0u);
        EXPECT_EQ(demo.TempFilesPresent(), !yes) << yes;
        EXPECT_TRUE(ListFiles(SheetDir(), "*.rep").empty());
    }
}

// Escape and the close box on the results ask "Save Report ?" as OK does, never dropping the
// run unasked.
TEST(RunAnalysisDlg, EscapeAndTheCloseBoxOnTheResultsAskToSaveTheReport)
{
    for (bool closeBox : {false, true}) {
        DemoResults run;
        auto& [demo, dialog] = run;
        ASSERT_TRUE(dialog.BtnOk->isEnabled());
        demo.messages.AnswerNext(MbYes);
        demo.messages.PickFile(SheetDir() + "kept");
        if (closeBox) {
            dialog.close();
        } else {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&dialog, &escape);
        }
        EXPECT_EQ(demo.messages.Texts(), std::vector<std::string>{"Save Report ?"}) << closeBox;
        EXPECT_FALSE(dialog.isVisible()) << closeBox;
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << closeBox;
        EXPECT_TRUE(dialog.Saved()) << closeBox;
        EXPECT_TRUE(FileExists(SheetDir() + "kept.rep")) << closeBox;
    }
}

// A report that cannot be written leaves the window on its results, and the next save dialog
// starts where the first one did, not in the folder that failed.
TEST(RunAnalysisDlg, AReportThatCannotBeWrittenKeepsTheWindowAndTheStartFolder)
{
    DemoResults run;
    auto& [demo, dialog] = run;
    ASSERT_TRUE(dialog.BtnOk->isEnabled());
    const std::string failing = demo.dir / "gone/x.rep";
    demo.messages.AnswerNext(MbYes);
    demo.messages.PickFile(failing);
    dialog.BtnOkClick();
    EXPECT_EQ(demo.messages.Texts(),
              (std::vector<std::string>{"Save Report ?", "Unable to write the report file " + failing + "."}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Saved());
    EXPECT_FALSE(LastPath().SheetPathSet);

    demo.messages.AnswerNext(MbYes);
    demo.messages.PickFile(SheetDir() + "x.rep");
    dialog.BtnOkClick();
    ASSERT_EQ(demo.messages.fileRequests.size(), 2u);
    EXPECT_EQ(demo.messages.fileRequests[1].folder, SheetDir());
    EXPECT_TRUE(dialog.Saved());
    EXPECT_FALSE(dialog.isVisible());
}

// Abort before the first tick, and a run that fails on a missing file: the window closes with
// Abort, nothing saved.
TEST(RunAnalysisDlg, AbortAndAFailedRunCloseTheWindowUnsaved)
{
    {
        DemoAnalysis demo;
        TRunAnalysisDlg dialog(nullptr, demo.survey, demo.params, DataDir());
        dialog.show();
        dialog.Job->BtnAbort->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(dialog.Engine().Finished());
        EXPECT_FALSE(dialog.Engine().Completed());
        EXPECT_FALSE(dialog.Saved());
    }
    DemoAnalysis demo;
    demo.survey.File(MeasureFrequency).FileName = DataDir() + "gone.hze";
    TRunAnalysisDlg dialog(nullptr, demo.survey, demo.params, DataDir());
    RunToResults(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(demo.messages.Texts(), std::vector<std::string>{"Frequency survey is corrupted. Unable to open the file."});
}

// The road runs the window modally on the program-wide selection and parameters and hands the
// saved report's name back.
TEST(RunAnalysisDlg, RoadHandsTheSavedReportBack)
{
    DemoAnalysis demo;
    SurveySelection() = demo.survey;
    AnalysisParams() = demo.params;
    TWindowRegistry registry;
    RegisterAnalysisEngine(registry);
    ASSERT_TRUE(registry.RoadWindows().AnalysisEngine);
    demo.messages.AnswerNext(MbYes);
    demo.messages.PickFile(SheetDir() + "road.rep");
    // Presses OK once the modal window shows its results (and closes it after 30 s, so a run
    // that never ends fails the test instead of hanging it).
    QTimer presser;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&presser, &QTimer::timeout, [&waited] {
        auto* dialog = qobject_cast<TRunAnalysisDlg*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (dialog->BtnOk->isEnabled()) dialog->BtnOk->click();
        else if (waited.elapsed() > 30000) dialog->reject();
    });
    presser.start(20);
    std::string name;
    EXPECT_TRUE(registry.RoadWindows().AnalysisEngine(nullptr, name));
    EXPECT_EQ(name, SheetDir() + "road.rep");
    EXPECT_TRUE(FileExists(name));
}
