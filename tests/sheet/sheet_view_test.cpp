// The grid view, printing and Save Sheet As.
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "sheet/save_sheet_as.h"
#include "sheet/sheet_grid_view.h"
#include "sheet/sheet_print.h"
#include "sheet_samples.h"
#include "xlrd_check.h"
#include "survey/records.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabBar>
#include <cstdio>
#include <gtest/gtest.h>

namespace {
// A summary-like sheet beside the events-like one: a value marked white on red, wide labels.
void AddSummarySheet(TF1Book& book)
{
    book.SetNumSheets(2);
    book.SetSheetName(2, "Summary");
    book.SetSheet(2);
    book.SetCellText(2, 2, "Tarn - Zidevid Phase Monitor");
    book.SetCellText(4, 2, "Survey Summary");
    book.SetSelection(2, 2, 4, 6);
    book.SetFont("Arial", 12, true);
    book.SetCellNumber(6, 6, 10.01);
    book.SetSelection(6, 6, 6, 6);
    book.SetNumberFormat("+0.0;-0.0");
    book.SetFont("Arial", 10, true, false, false, false, 0xFFFFFF);
    book.SetPattern(1, 0x0000FF, 0x0000FF);
    book.SetSheet(1);
}

QAbstractScrollArea* Canvas(SheetGridView& view) { return view.findChild<QAbstractScrollArea*>(); }

void Mouse(QWidget* target, QEvent::Type type, QPointF at)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
}  // namespace

TEST(SheetGridView, ShowsAFormattedBookWithTabs)
{
    SheetGridView view;
    view.Book() = SampleFormattedBook();
    view.Book().AutoFitColumns(2, 2, 6, 8, true);
    AddSummarySheet(view.Book());
    view.Book().ShowGridLines = false;
    view.resize(760, 300);
    view.Refresh();
    view.show();
    QImage image = view.grab().toImage();
    image.save(QString::fromStdString(std::string(ORV_SHEET_TEST_OUTPUT) + "/sheet_view.png"));
    auto tabs = view.findChild<QTabBar*>();
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(1), "Summary");
    // The silver header row is painted somewhere in the top rows.
    bool silver = false;
    for (int x = 0; x < image.width() && !silver; ++x)
        for (int y = 0; y < 80 && !silver; ++y) silver = image.pixelColor(x, y) == QColor(0xC0, 0xC0, 0xC0);
    EXPECT_TRUE(silver);
    tabs->setCurrentIndex(1);
    EXPECT_EQ(view.Book().Sheet(), 2);
    view.grab().save(QString::fromStdString(std::string(ORV_SHEET_TEST_OUTPUT) + "/sheet_view_summary.png"));
}

// Dragged to the end of its scroll bars, a long, wide book shows its last rows and columns
// filling the window, not the last row or column alone.
TEST(SheetGridView, ScrolledToTheEndShowsTheLastPage)
{
    SheetGridView view;
    TF1Book& book = view.Book();
    for (int row = 1; row <= 16013; ++row) book.SetCellNumber(row, 1, row);
    book.SetCellText(1, 40, "last column");
    book.SetMaxRow(book.LastRow() + 2);
    book.SetMaxCol(book.LastCol());
    view.resize(600, 400);
    view.Refresh();
    view.show();
    QApplication::processEvents();
    QAbstractScrollArea* canvas = Canvas(view);
    canvas->verticalScrollBar()->setValue(canvas->verticalScrollBar()->maximum());
    canvas->horizontalScrollBar()->setValue(canvas->horizontalScrollBar()->maximum());
    // About 20 rows of 17 pixels and 8 columns of 64 pixels fit.
    EXPECT_GE(book.TopRow(), 16015 - 25);
    EXPECT_LE(book.TopRow(), 16013 - 10);
    EXPECT_GE(book.LeftCol(), 40 - 10);
    EXPECT_LE(book.LeftCol(), 40 - 5);
    view.grab().save(QString::fromStdString(std::string(ORV_SHEET_TEST_OUTPUT) + "/sheet_view_end.png"));
}

TEST(SheetGridView, ClickSelectsAndDoubleClickNamesTheCell)
{
    SheetGridView view;
    view.Book() = SampleFormattedBook();
    view.Book().ShowRowHeading = false;
    view.Book().ShowColHeading = false;
    view.Book().SetColumnWidth(1, 256 * 10);
    view.resize(600, 300);
    view.Refresh();
    view.show();
    int changes = 0, row = 0, col = 0;
    QObject::connect(&view, &SheetGridView::selectionChanged, [&] { ++changes; });
    QObject::connect(&view, &SheetGridView::cellDoubleClicked, [&](int r, int c) { row = r, col = c; });
    QWidget* viewport = Canvas(view)->viewport();
    // Column 1 is 70 pixels wide, the default column about 64; rows 17 pixels, row 2 about 27.
    QPointF inRow3Col2(100, 17 + 27 + 5);
    Mouse(viewport, QEvent::MouseButtonPress, inRow3Col2);
    Mouse(viewport, QEvent::MouseButtonRelease, inRow3Col2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(view.Book().SelStartRow(), 3);
    EXPECT_EQ(view.Book().SelStartCol(), 2);
    Mouse(viewport, QEvent::MouseButtonDblClick, inRow3Col2);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(col, 2);
    // A drag selects a range; the active cell stays where it began.
    Mouse(viewport, QEvent::MouseButtonPress, QPointF(10, 5));
    Mouse(viewport, QEvent::MouseMove, QPointF(150, 70));
    EXPECT_EQ(view.Book().SelEndRow(), 4);
    EXPECT_EQ(view.Book().SelEndCol(), 3);
    EXPECT_EQ(view.Book().Row(), 1);
}

TEST(SheetPrint, PrintsEveryPageIntoThePdfChosen)
{
    TempProgDir dir;
    TF1Book book = SampleFormattedBook();
    for (int r = 7; r <= 200; ++r) book.SetCellEntry(r, 3, std::to_string(r) + ".50");
    book.SetTableName("survey.orv");
    book.SetPrintHeader("&L&A of <&F> printed on &D &T\rStart date: 10/02/2024 10:15:00");
    book.SetPrintFooter("&LDescription: test\r&CPage &P/&N");
    book.SetPrintTopMargin(1.4);
    book.SetPrintBottomMargin(1.5);
    ScriptedMessages messages;
    std::string pdf = dir / "print.pdf";
    messages.PrintTo(PrintChoice{"", pdf, false, 1});
    ASSERT_TRUE(PrintBook(book, true)) << testing::PrintToString(messages.Texts());
    ASSERT_TRUE(FileExists(pdf));
    EXPECT_NE(book.PrintDevMode(), 0);
    // A4 at 96 dpi, as the printer reports it.
    auto pages = BookPages(book, QSizeF(793.7, 1122.5));
    EXPECT_GT(pages.size(), 1u);
    std::string command = "pdfinfo '" + pdf + "' | grep Pages";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char line[128] = {};
    ASSERT_TRUE(fgets(line, sizeof line, pipe.get()));
    EXPECT_EQ(std::stoi(std::string(line).substr(6)), static_cast<int>(pages.size()));
    std::string render = "pdftoppm -r 60 -f 1 -l 1 -png '" + pdf + "' '" + ORV_SHEET_TEST_OUTPUT + "/sheet_print' 2>/dev/null";
    EXPECT_EQ(std::system(render.c_str()), 0);
}

TEST(SheetPrint, PrintAreaOfTheCurrentSheetPrintsAlone)
{
    TF1Book book = SampleFormattedBook();
    book.SetNumSheets(3);
    book.SetSheet(3);
    book.SetCellText(1, 1, "third");
    book.SetSheet(1);
    QSizeF a4(793.7, 1122.5);
    EXPECT_EQ(BookPages(book, a4).size(), 2u);  // sheet 2 is empty
    book.SetSelection(3, 2, 4, 3);
    book.SetPrintAreaFromSelection();
    auto pages = BookPages(book, a4);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].cells, (CellRange{3, 2, 4, 3}));
    book.ClearPrintArea();
    EXPECT_EQ(BookPages(book, a4).size(), 2u);
}

TEST(SheetPrint, CancelledDialogPrintsNothing)
{
    TF1Book book = SampleFormattedBook();
    ScriptedMessages messages;  // no print answer: the dialog is cancelled
    EXPECT_FALSE(PrintBook(book, true));
    EXPECT_EQ(book.PrintDevMode(), 0);
}

TEST(SaveSheetAs, ProposesTheTypeLastChosenInTheFolderLastUsed)
{
    TempProgDir dir;
    CreateProgramFolders();
    LastPath() = TLastPath{};
    TF1Book book = SampleFormattedBook();
    SaveSheetDialog dialog = MakeSaveSheetDialog();
    ScriptedMessages messages;
    std::string text = dir / "out/list.txt";
    CreateFolder(dir / "out");
    messages.PickFile(text);
    ASSERT_EQ(SaveSheetAs(book, dialog), text);
    ASSERT_EQ(messages.fileRequests.size(), 1u);
    const FileDialogRequest& first = messages.fileRequests[0];
    EXPECT_EQ(first.title, "Save Sheet As");
    EXPECT_EQ(first.filter, "Excel 5.0 Format (*.xls)|*.xls|Text File (*.txt)|*.txt");
    EXPECT_EQ(first.fileName, "*.xls");
    EXPECT_EQ(first.folder, SheetDir());
    EXPECT_TRUE(first.askOverwrite);
    auto written = ReadWholeFile(text);
    ASSERT_TRUE(written);
    EXPECT_EQ(std::string(written->begin(), written->begin() + 7), "\r\n\tDate");  // tab-separated text
    EXPECT_TRUE(LastPath().SheetPathSet);
    EXPECT_EQ(LastPath().SheetPath, dir / "out/");

    messages.PickFile(dir / "out/list2.xls");
    ASSERT_TRUE(SaveSheetAs(book, dialog));
    EXPECT_EQ(messages.fileRequests[1].fileName, "*.txt");
    EXPECT_EQ(messages.fileRequests[1].folder, dir / "out/");
    auto excel = ReadWholeFile(dir / "out/list2.xls");
    ASSERT_TRUE(excel);
    EXPECT_EQ((*excel)[0], 0xD0);
    XlrdDump x = CheckWithXlrd(dir / "out/list2.xls");
    EXPECT_EQ(x["cell.1.2.2"], "t:Date");

    // A file that cannot be written leaves the folder the next dialog starts in as it was.
    messages.PickFile(dir / "gone/list3.xls");
    EXPECT_FALSE(SaveSheetAs(book, dialog));
    EXPECT_EQ(LastPath().SheetPath, dir / "out/");

    messages.CancelFileDialog();
    EXPECT_FALSE(SaveSheetAs(book, dialog));
    LastPath() = TLastPath{};
}
