// The summary report window: opening on "summary.tmp" (read and deleted; a missing or short file
// opens no window), its commands, printing to PDF, saving read back by xlrd, and the main
// window's Create Survey Summary road ending in the report.
#include "summary/sum_report_form.h"

#include "app/main_form.h"
#include "fixtures/child_context_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_grid_view.h"
#include "../sheet/xlrd_check.h"

#include <QMdiArea>
#include <gtest/gtest.h>

#include <memory>

namespace {
TSummaryFile Summary()
{
    TSummaryFile s;
    s.Survey.Name = "feeder.orv";
    s.Survey.Start = 45352.0;
    s.Survey.Stop = 45353.0;
    s.Survey.File(1).Selected = true;
    s.Survey.File(1).RecordCount = 144;
    s.Survey.File(1).Rate = 10;
    StoreU32(s.Survey.File(1).Nominal.data(), 0x43660000);  // 230.0f
    SetDefaultSummaryParams(s.Params);
    s.Results.VoltageMax = {10.5f, 2, 3};
    return s;
}

struct ReportRun {
    TempProgDir dir;
    ScriptedMessages messages;
    RecordingChildServices services;
    ReportRun()
    {
        CreateProgramFolders();
        LastPath() = {};  // each run's dialogs start from the program's folders
    }
    std::unique_ptr<TChildForm> Open() { return std::unique_ptr<TChildForm>(CreateSummaryReport(services.Context(), nullptr)); }
    // The report on the engine's file of Summary().
    std::unique_ptr<TChildForm> OpenOnSummary()
    {
        EXPECT_TRUE(WriteSummaryFile(SummaryFilePath(), Summary()).Written);
        return Open();
    }
};
}  // namespace

TEST(SummaryReport, OpensOnTheSummaryFileAndDeletesIt)
{
    ReportRun run;
    auto window = run.OpenOnSummary();
    ASSERT_TRUE(window);
    auto* report = static_cast<TSumReportForm*>(window.get());
    EXPECT_FALSE(FileExists(SummaryFilePath()));
    EXPECT_EQ(report->ViewKind(), TViewKind::SummaryReport);
    EXPECT_EQ(report->windowTitle().toStdString(), "Survey Summary of feeder.orv");
    EXPECT_EQ(report->Grid->Book().CellText(20, 2), "Voltage");
    EXPECT_TRUE(report->CommandState().Print);
    EXPECT_TRUE(report->CommandState().SaveSheetAs);
    EXPECT_FALSE(report->CommandState().CopyToClipboard);
    EXPECT_TRUE(Capability<TPrintable>(report));
    EXPECT_TRUE(Capability<TSavableSheet>(report));
    EXPECT_TRUE(run.messages.messages.empty());
}

TEST(SummaryReport, MissingOrShortFileOpensNoWindow)
{
    ReportRun run;
    EXPECT_FALSE(run.Open());
    EXPECT_TRUE(run.messages.Shown("The survey summary file " + SummaryFilePath() +
                                   " is missing. Unable to show the summary."));
    Bytes bytes = *Summary().Pack();
    bytes.resize(5086 + 795);
    ASSERT_TRUE(WriteFileAtomic(SummaryFilePath(), bytes));
    EXPECT_FALSE(run.Open());
    EXPECT_TRUE(run.messages.Shown("The survey summary file " + SummaryFilePath() +
                                   " is incomplete. Unable to show the summary."));
    EXPECT_FALSE(FileExists(SummaryFilePath()));
}

TEST(SummaryReport, SavesAsExcelWithTheOverwriteQuestion)
{
    ReportRun run;
    auto window = run.OpenOnSummary();
    ASSERT_TRUE(window);
    const std::string path = run.dir / "saved.xls";
    run.messages.PickFile(path);
    Capability<TSavableSheet>(window.get())->SaveSheetAs();
    ASSERT_EQ(run.messages.fileRequests.size(), 1u);
    const FileDialogRequest& request = run.messages.fileRequests[0];
    EXPECT_EQ(request.title, "Save Survey Summary As");
    EXPECT_EQ(request.fileName, "*.xls");
    EXPECT_EQ(request.folder, SheetDir());
    EXPECT_TRUE(request.askOverwrite);
    EXPECT_EQ(window->windowTitle().toStdString(), "Survey Summary - " + path);
    EXPECT_EQ(LastPath().SheetPath, run.dir.Path());

    const XlrdDump dump = CheckWithXlrd(path);
    EXPECT_EQ(dump["cell.1.4.2"], "t:Survey Summary");
    EXPECT_EQ(dump["cell.1.20.2"], "t:Voltage");
    EXPECT_EQ(dump["cell.1.21.6"], "n:10.5");
    // 10.5 % beyond VHigh 10: white on red.
    EXPECT_EQ(dump[dump.FontOf(1, 21, 6) + "colour"], "ffffff");
    EXPECT_EQ(dump[dump.XfOf(1, 21, 6) + "patternfore"], "ff0000");
    EXPECT_EQ(dump[dump.FontOf(1, 21, 7) + "colour"], "000000");
}

TEST(SummaryReport, PrintsToPdf)
{
    ReportRun run;
    auto window = run.OpenOnSummary();
    ASSERT_TRUE(window);
    const std::string pdf = run.dir / "summary.pdf";
    PrintChoice choice;
    choice.outputFile = pdf;
    run.messages.PrintTo(choice);
    Capability<TPrintable>(window.get())->Print();
    ASSERT_TRUE(FileSize(pdf));
    EXPECT_GT(*FileSize(pdf), 1000u);
    const TF1Book& book = static_cast<TSumReportForm*>(window.get())->Grid->Book();
    EXPECT_EQ(book.PrintFooter(), "Page &P/&N");
    EXPECT_EQ(book.PrintHeader(), "&LTarn - Zidevid Phase Monitor\rprinted on &D &T");
    EXPECT_FALSE(book.Print.gridLines);
    // The printer settings are kept for the next print.
    EXPECT_NE(static_cast<TSumReportForm*>(window.get())->PrintDevMode, 0);
}

// Create Survey Summary: the wizard and engine (stand-ins here) leave "summary.tmp", and the
// main window opens the report on it.
TEST(SummaryReport, CreateSurveySummaryEndsInTheReport)
{
    ReportRun run;
    TMainForm form;
    RegisterSummaryWindows(form.WindowRegistry);
    TRoadWindows& road = form.WindowRegistry.RoadWindows();
    road.SummaryWizard = [&](QWidget*, const std::string&) { return std::optional<std::string>(run.dir / "feeder.orv"); };
    road.SummaryEngine = [](QWidget*) { return WriteSummaryFile(SummaryFilePath(), Summary()).Written; };
    form.ItemSummaryClick();
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 1);
    EXPECT_EQ(form.ActiveChild()->ViewKind(), TViewKind::SummaryReport);
    EXPECT_FALSE(FileExists(SummaryFilePath()));
}
