// The sheet window: a saved workbook shown locked with its scrolling limited to the used part,
// printed with the product header and the page footer, saved again as text, and the files it
// cannot read.
#include "summary/sheet_form.h"

#include "analysis/an_report_form.h"
#include "summary/sum_report_form.h"

#include "fixtures/child_context_fixture.h"
#include "fixtures/data_fixture.h"
#include "fixtures/pdf_text.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "sheet/compound_file_writer.h"
#include "sheet/sheet_grid_view.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdio>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {
// A workbook with grid lines and headings shown, its last used cell at (lastRow, lastCol) of
// sheet 1, and optionally a second sheet whose last cell is (secondRow, 2).
std::string WriteWorkbook(const TempProgDir& dir, const std::string& name, int lastRow, int lastCol, int secondRow = 0)
{
    TF1Book book;
    book.SetCellText(1, 1, "Date");
    book.SetCellNumber(2, 2, 207.5);
    book.SetCellText(lastRow, lastCol, "last");
    if (secondRow > 0) {
        book.SetNumSheets(2);
        book.SetSheet(2);
        book.SetCellText(secondRow, 2, "second");
        book.SetSheet(1);
    }
    const std::string path = dir / name;
    EXPECT_TRUE(book.WriteFile(path, kFileTypeExcel5));
    return path;
}

std::unique_ptr<TSheetForm> Open(RecordingChildServices& services, const std::string& path)
{
    return std::unique_ptr<TSheetForm>(dynamic_cast<TSheetForm*>(OpenSheetWindow(services.Context(), nullptr, path)));
}

}  // namespace

TEST(SheetForm, ShowsTheFileLockedAndScrollsOnlyOverItsUsedPart)
{
    TempProgDir dir;
    ScriptedMessages messages;
    RecordingChildServices services;
    const struct {
        int lastRow, lastCol, secondRow;
        int maxRow, maxCol;
    } cases[] = {
        {40, 9, 0, 42, 9},
        {40, 9, 70, 72, 9},  // every sheet scrolls as far as the longest
        {1, 12, 0, 4, 12},  // the last row and the last column of different cells
    };
    for (const auto& c : cases) {
        const std::string path = WriteWorkbook(dir, "book.xls", c.lastRow, c.lastCol, c.secondRow);
        auto form = Open(services, path);
        ASSERT_TRUE(form) << testing::PrintToString(messages.Texts());
        const TF1Book& book = form->Grid->Book();
        EXPECT_EQ(book.MaxRow(), c.maxRow) << c.lastRow;
        EXPECT_EQ(book.MaxCol(), c.maxCol) << c.lastRow;
        EXPECT_EQ(book.Row(), 1);
        EXPECT_EQ(book.Col(), 1);
        EXPECT_EQ(book.TopRow(), 1);
        EXPECT_EQ(book.LeftCol(), 1);
        EXPECT_FALSE(book.ShowGridLines);
        EXPECT_TRUE(book.ShowRowHeading);  // the headings stay as the file has them
        EXPECT_FALSE(book.AllowInCellEditing || book.AllowMoveRange || book.AllowFillRange || book.AllowDelete ||
                     book.AllowAutoFill || book.AllowDesigner);
        EXPECT_TRUE(book.AllowSelections);
        EXPECT_EQ(form->ViewKind(), TViewKind::Sheet);
        EXPECT_EQ(form->windowTitle().toStdString(), "Sheet file - " + path);
        EXPECT_TRUE(form->CommandState().Print);
        EXPECT_TRUE(form->CommandState().SaveSheetAs);
        EXPECT_FALSE(form->CommandState().FailedIntervals.Enabled);
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST(SheetForm, SavesAsTextThatReadsBackAsTheCellsAndNamesTheNewFile)
{
    TempProgDir dir;
    CreateProgramFolders();
    LastPath() = TLastPath{};
    ScriptedMessages messages;
    RecordingChildServices services;
    auto form = Open(services, WriteWorkbook(dir, "book.xls", 3, 4));
    ASSERT_TRUE(form);
    const std::string text = dir / "copy.txt";
    messages.PickFile(text);
    form->SaveSheetAs();
    const auto bytes = ReadWholeFile(text);
    ASSERT_TRUE(bytes) << testing::PrintToString(messages.Texts());
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "Date\r\n\t207.5\r\n\t\t\tlast\r\n");
    EXPECT_EQ(form->windowTitle().toStdString(), "Sheet file - " + text);
    ASSERT_EQ(messages.fileRequests.size(), 1u);
    EXPECT_EQ(messages.fileRequests[0].title, "Save Sheet As");
    EXPECT_EQ(messages.fileRequests[0].folder, SheetDir());
    // The next save proposes Excel 5.0 again, in the folder last used.
    messages.CancelFileDialog();
    form->SaveSheetAs();
    ASSERT_EQ(messages.fileRequests.size(), 2u);
    EXPECT_EQ(messages.fileRequests[1].fileName, "*.xls");
    EXPECT_EQ(messages.fileRequests[1].folder, dir.Path());
    EXPECT_EQ(form->windowTitle().toStdString(), "Sheet file - " + text);
    LastPath() = TLastPath{};
}

TEST(SheetForm, PrintsWithTheProductHeaderAndThePageFooter)
{
    TempProgDir dir;
    ScriptedMessages messages;
    RecordingChildServices services;
    auto form = Open(services, WriteWorkbook(dir, "book.xls", 40, 9));
    ASSERT_TRUE(form);
    form->Grid->Book().SetRow(5);
    const std::string pdf = dir / "sheet.pdf";
    messages.PrintTo(PrintChoice{"", pdf, false, 1});
    form->Print();
    ASSERT_TRUE(FileExists(pdf)) << testing::PrintToString(messages.Texts());
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Tarn - Zidevid Phase Monitor"), std::string::npos) << text;
    EXPECT_NE(text.find("printed on "), std::string::npos) << text;
    EXPECT_NE(text.find("Page 1/1"), std::string::npos) << text;
    EXPECT_NE(form->PrintDevMode, 0);
    EXPECT_EQ(form->Grid->Book().Row(), 1);
}

TEST(SheetForm, FilesItCannotReadGiveAMessageAndNoWindow)
{
    TempProgDir dir;
    // An Excel 97 workbook: a "Workbook" stream opening with a BIFF8 BOF.
    std::vector<std::uint8_t> biff8 = {0x09, 0x08, 0x10, 0x00, 0x00, 0x06, 0x05, 0x00};
    biff8.resize(4 + 16, 0);
    WriteBytes(dir / "excel97.xls", WriteCompoundFile("Workbook", biff8));
    WriteBytes(dir / "nobook.xls", WriteCompoundFile("Other", std::vector<std::uint8_t>(64, 0)));
    auto whole = ReadWholeFile(WriteWorkbook(dir, "whole.xls", 40, 9));
    ASSERT_TRUE(whole);
    whole->resize(whole->size() / 2);
    WriteBytes(dir / "truncated.xls", *whole);
    for (const char* name : {"excel97.xls", "nobook.xls", "truncated.xls", "missing.xls"}) {
        ScriptedMessages messages;
        RecordingChildServices services;
        EXPECT_EQ(OpenSheetWindow(services.Context(), nullptr, dir / name), nullptr) << name;
        ASSERT_EQ(messages.messages.size(), 1u) << name;
        EXPECT_EQ(messages.messages[0].type, MsgType::Error) << name;
        EXPECT_NE(messages.messages[0].text.find(dir / name), std::string::npos) << messages.messages[0].text;
    }
}

// The Window menu's cascade gives every spreadsheet window back the size it opened with, even
// after tiling had squeezed it; the grid's own small hint would leave a thumbnail.
TEST(SheetWindows, CascadeGivesATiledWindowBackItsOpeningSize)
{
    struct Case { const char* name; std::function<TSheetWindow*(const TChildContext&)> make; QSize size; };
    const Case cases[] = {
        {"analysis report", [](const TChildContext& context) { return new TAnReportForm(context); }, {600, 300}},
        {"survey summary", [](const TChildContext& context) { return new TSumReportForm(context); }, {680, 500}},
        {"sheet", [](const TChildContext& context) { return new TSheetForm(context); }, {680, 400}},
    };
    RecordingChildServices services;
    for (const Case& c : cases) {
        QMdiArea area;
        area.resize(1000, 800);
        TSheetWindow* window = c.make(services.Context());
        QMdiSubWindow* sub = area.addSubWindow(window);  // the area owns the window from here
        area.show();
        sub->setGeometry(0, 0, 1000, 120);  // tiled
        area.cascadeSubWindows();
        QApplication::processEvents();
        EXPECT_EQ(window->size(), c.size) << c.name;
    }
}
