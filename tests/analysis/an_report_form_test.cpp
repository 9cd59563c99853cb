// The analysis report window, opened through the main window's roads: the filled sheet and the
// report commands it drives, the switch to the failed intervals, printing to PDF, Save Sheet As
// and the saved sheet reopened in the sheet window, and the reports and templates it cannot use.
#include "analysis/an_report_form.h"
#include "analysis/report_template.h"
#include "app/main_form.h"
#include "fixtures/data_fixture.h"
#include "fixtures/report_fixture.h"
#include "fixtures/pdf_text.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_grid_view.h"
#include "sheet/xlrd_check.h"
#include "summary/sheet_form.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace {
std::string Output(const std::string& name) { return std::string(ORV_REPORT_TEST_OUTPUT) + "/" + name; }

// A program folder with the template, a main window that opens reports and sheets, and the
// messages scripted.
class ReportWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateProgramFolders();
        LastPath() = TLastPath{};
        // Found whatever the letter case of its name.
        ASSERT_TRUE(ReportTemplateBook().WriteFile(dir / "Template.XLS", kFileTypeExcel5));
        RegisterAnalysisReportWindow(form.WindowRegistry);
        RegisterSheetWindow(form.WindowRegistry);
        form.resize(1100, 760);
        form.show();
    }
    void TearDown() override { LastPath() = TLastPath{}; }

    TAnReportForm* OpenReport(const ReportFixture& fixture, const std::string& name = "site.rep")
    {
        const std::string path = WriteReportFixture(dir / name, fixture);
        messages.PickFile(path);
        form.ItemOpenReportClick();
        return dynamic_cast<TAnReportForm*>(form.ActiveChild());
    }

    TempProgDir dir;
    ScriptedMessages messages;
    TMainForm form;
};
}  // namespace

TEST_F(ReportWindow, OpensAsAFilledSheetAndSwitchesToTheFailedIntervals)
{
    TAnReportForm* report = OpenReport(EveryMeasureReport());
    ASSERT_TRUE(report) << testing::PrintToString(messages.Texts());
    EXPECT_TRUE(messages.messages.empty()) << testing::PrintToString(messages.Texts());
    const std::string path = dir / "site.rep";
    EXPECT_EQ(report->ViewKind(), TViewKind::AnalysisReport);
    EXPECT_EQ(report->windowTitle().toStdString(), "Analysis Report file - " + path);
    EXPECT_EQ(report->FileName(), path);
    EXPECT_EQ(form.ReportFileName, path);  // the report the bar report opens
    EXPECT_EQ(form.Recent.List(RecentList::Reports), std::vector<std::string>{path});
    const TF1Book& book = report->Grid->Book();
    EXPECT_EQ(book.CellText(2, 2), "Compliance Analysis Report");
    EXPECT_EQ(book.CellText(4, 5), "demo.orv");
    EXPECT_EQ(book.CellText(56, 2), "Voltage Harmonics");
    EXPECT_FALSE(book.ShowGridLines);
    EXPECT_FALSE(book.AllowInCellEditing);
    for (QAction* on : {form.BtnPrint, form.BtnSaveSheet, form.BtnBarReport, form.BtnFailed})
        EXPECT_TRUE(on->isEnabled()) << on->text().toStdString();
    EXPECT_FALSE(form.BtnFailed->isChecked());
    form.MAnalysisClick();
    EXPECT_TRUE(form.ItemFailed->isEnabled());
    EXPECT_TRUE(form.ItemBarReport->isEnabled());
    EXPECT_EQ(book.MaxRow(), report->FirstFailedRow());
    report->grab().save(QString::fromStdString(Output("report_summary.png")));

    form.ItemFailedClick();
    EXPECT_TRUE(report->FailedView());
    EXPECT_TRUE(form.BtnFailed->isChecked());
    EXPECT_TRUE(form.ItemFailed->isChecked());
    EXPECT_EQ(book.TopRow(), report->FirstFailedRow());
    EXPECT_EQ(book.MaxRow(), book.LastRow() + 1);
    report->grab().save(QString::fromStdString(Output("report_failed.png")));
    form.ItemFailedClick();
    EXPECT_FALSE(report->FailedView());
    EXPECT_FALSE(form.BtnFailed->isChecked());
    EXPECT_EQ(book.TopRow(), 1);

    // Another child takes the buttons; the bar report keeps this report.
    form.MdiArea->setActiveSubWindow(form.AddChild(new TChildForm(TViewKind::Voltage, form.ChildContext())));
    EXPECT_FALSE(form.BtnFailed->isEnabled());
    EXPECT_FALSE(form.BtnBarReport->isEnabled());
    EXPECT_EQ(form.ReportFileName, path);
}

TEST_F(ReportWindow, EveryMeasurePassedLeavesNothingToSwitch)
{
    ReportFixture fixture = EveryMeasureReport();
    for (auto& m : fixture.measures) {
        m.summary.Passed = true;
        m.failed.clear();
    }
    TAnReportForm* report = OpenReport(fixture);
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->AllPassed());
    EXPECT_FALSE(form.BtnFailed->isEnabled());
    EXPECT_TRUE(form.BtnBarReport->isEnabled());
    form.MAnalysisClick();
    EXPECT_FALSE(form.ItemFailed->isEnabled());
    const int maxRow = report->Grid->Book().MaxRow();
    report->ToggleFailedIntervals();
    EXPECT_FALSE(report->FailedView());
    EXPECT_EQ(report->Grid->Book().MaxRow(), maxRow);
    EXPECT_FALSE(form.BtnFailed->isChecked());
}

TEST_F(ReportWindow, PrintsTheWholeReportAndSavesItAsASheetThatReopens)
{
    TAnReportForm* report = OpenReport(EveryMeasureReport());
    ASSERT_TRUE(report);
    const std::string pdf = dir / "report.pdf";
    messages.PrintTo(PrintChoice{"", pdf, false, 1});
    form.ItemPrintClick();
    ASSERT_TRUE(FileExists(pdf)) << testing::PrintToString(messages.Texts());
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Compliance Analysis Report"), std::string::npos);
    EXPECT_NE(text.find("Events Failed Interval(s)"), std::string::npos);  // the whole book, both parts
    EXPECT_EQ(text.find("printed on"), std::string::npos);                  // no header
    EXPECT_GE(PdfPages(pdf), 3);
    const std::int64_t kept = report->PrintDevMode;
    EXPECT_NE(kept, 0);
    EXPECT_EQ(report->Grid->Book().Row(), 1);
    std::system(("pdftoppm -r 50 -png '" + pdf + "' '" + Output("report_print") + "' 2>/dev/null").c_str());
    messages.PrintTo(PrintChoice{"", dir / "again.pdf", false, 1});
    form.ItemPrintClick();
    EXPECT_TRUE(FileExists(dir / "again.pdf"));

    const std::string saved = dir / "sheet/compliance/site.xls";
    messages.PickFile(saved);
    form.ItemSaveSheetAsClick();
    ASSERT_TRUE(FileExists(saved)) << testing::PrintToString(messages.Texts());
    ASSERT_FALSE(messages.fileRequests.empty());
    EXPECT_EQ(messages.fileRequests.back().title, "Save Report File As");
    EXPECT_EQ(messages.fileRequests.back().folder, SheetDir());
    EXPECT_TRUE(messages.fileRequests.back().askOverwrite);
    EXPECT_EQ(report->windowTitle().toStdString(), "Analysis Report file - " + saved);
    EXPECT_EQ(report->FileName(), dir / "site.rep");
    XlrdDump x = CheckWithXlrd(saved, true);
    EXPECT_EQ(x["cell.1.4.5"], "t:demo.orv");
    EXPECT_EQ(x["cell.1.147.2"], "t:Events for L3 phase: 8");

    messages.PickFile(saved);
    form.ItemOpenSheetClick();
    auto* sheet = dynamic_cast<TSheetForm*>(form.ActiveChild());
    ASSERT_TRUE(sheet) << testing::PrintToString(messages.Texts());
    EXPECT_EQ(sheet->windowTitle().toStdString(), "Sheet file - " + saved);
    EXPECT_EQ(sheet->Grid->Book().CellText(67, 2), "5th:");
    EXPECT_EQ(sheet->Grid->Book().MaxRow(), 157);
    EXPECT_EQ(form.Recent.List(RecentList::Sheets), std::vector<std::string>{saved});
    sheet->grab().save(QString::fromStdString(Output("sheet_reopened.png")));
}

TEST_F(ReportWindow, ReportsThatCannotBeShownGiveAMessageAndNoWindow)
{
    ReportFixture badOffset = EveryMeasureReport();
    badOffset.summaryOffsetPatches = {{2, 99999999}};
    WriteReportFixture(dir / "offset.rep", badOffset);
    Bytes truncated = ReportBytes(EveryMeasureReport());
    truncated.resize(3000);
    WriteBytes(dir / "short.rep", truncated);
    dir.Write("other.rep", "Tarn - Zidevid Phase Monitor Survey file\r\n");
    const struct {
        std::string file;
        std::string message;
    } cases[] = {
        {"other.rep", "Invalid ORV Report file format."},
        {"offset.rep", "The report file " + dir / "offset.rep" + " is damaged (the summary section of measure 2 at offset 99999999). Unable to open the file."},
        {"short.rep", "The report file " + dir / "short.rep" + " is damaged (it holds 3000 bytes, its head 3359). Unable to open the file."},
        {"missing.rep", "Unable to open the file " + dir / "missing.rep" + "."},
    };
    for (const auto& c : cases) {
        messages.Clear();
        EXPECT_EQ(OpenAnalysisReport(form.ChildContext(), nullptr, dir / c.file), nullptr) << c.file;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message}) << c.file;
        ASSERT_FALSE(messages.messages.empty());
        EXPECT_EQ(messages.messages[0].type, MsgType::Error);
    }
    // Through the main window's Open Analysis Report: the message, and nothing to reopen.
    messages.Clear();
    messages.PickFile(dir / "short.rep");
    form.ItemOpenReportClick();
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_TRUE(form.Recent.List(RecentList::Reports).empty());
    EXPECT_EQ(form.MdiArea->subWindowList().size(), 0);
}

TEST_F(ReportWindow, WithoutAUsableTemplateTheReportOpensWithItsValues)
{
    DeleteFile(dir / "Template.XLS");
    const std::string rep = WriteReportFixture(dir / "site.rep", EveryMeasureReport());
    const struct {
        std::string content;  // of "template.xls"; none: missing
        std::string message;
    } cases[] = {
        {"", "The report template template.xls is missing from " + dir.Path() + ". The report is shown without its labels."},
        {"Survey\tSite\r\n", "The report template " + dir / "template.xls" +
                                 " cannot be used: it is not an Excel 5.0 workbook. The report is shown without its labels."},
    };
    for (const auto& c : cases) {
        if (!c.content.empty()) dir.Write("template.xls", c.content);
        messages.Clear();
        std::unique_ptr<TChildForm> window(OpenAnalysisReport(form.ChildContext(), nullptr, rep));
        auto* report = dynamic_cast<TAnReportForm*>(window.get());
        ASSERT_TRUE(report);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(report->Grid->Book().CellText(4, 5), "demo.orv");
        EXPECT_EQ(report->Grid->Book().CellText(4, 2), "");
        EXPECT_EQ(report->Grid->Book().CellText(104, 5), "Not Passed");
    }
}
