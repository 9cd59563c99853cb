// The book model: typed input, sizes, selection formatting, clearing, deleting and fitting.
#include "sheet/sheet_book.h"
#include "sheet/sheet_units.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <malloc.h>
#include <vector>

TEST(SheetBook, TypedNumbersBecomeNumbersShownAsTyped)
{
    TF1Book book;
    book.SetCellEntry(3, 6, "207.30");
    book.SetCellEntry(3, 7, "12");
    book.SetCellEntry(3, 2, "10/02/2024 10:15");
    book.SetCellText(3, 8, "42");
    EXPECT_DOUBLE_EQ(book.CellNumber(3, 6), 207.3);
    EXPECT_EQ(book.CellEntry(3, 6), "207.30");
    EXPECT_EQ(book.CellText(3, 7), "12");
    EXPECT_EQ(book.CellText(3, 2), "10/02/2024 10:15");
    EXPECT_DOUBLE_EQ(book.CellNumber(3, 8), 0);  // literal text stays text
    EXPECT_EQ(book.CellText(9, 9), "");
    EXPECT_EQ(book.LastRow(), 3);
    EXPECT_EQ(book.LastCol(), 8);
}

TEST(SheetBook, SheetsHaveNamesAndTheirOwnCells)
{
    TF1Book book;
    book.SetNumSheets(3);
    EXPECT_EQ(book.SheetName(3), "Sheet3");
    book.SetSheet(2);
    book.SetCellText(1, 1, "two");
    book.SetSheet(1);
    EXPECT_EQ(book.CellText(1, 1), "");
    EXPECT_EQ(book.DisplayText(2, 1, 1), "two");
    book.SetNumSheets(1);
    EXPECT_EQ(book.NumSheets(), 1);
    EXPECT_EQ(book.Sheet(), 1);
}

TEST(SheetBook, BordersMergeWithWhatTheCellAlreadyHas)
{
    TF1Book book;
    book.SetSelection(2, 2, 4, 4);
    book.SetBorder(2, 1, 1, 1, 1);
    book.SetSelection(2, 2, 2, 4);
    book.SetPattern(1, 0xC0C0C0, 0xC0C0C0);
    book.SetBorder(5, -1, -1, -1, -1);
    const Worksheet& s = book.SheetAt(1);
    const CellStyle& corner = book.StyleOf(*s.Find(2, 2));
    EXPECT_EQ(corner.top.style, 5);
    EXPECT_EQ(corner.left.style, 5);
    EXPECT_EQ(corner.bottom.style, 5);
    EXPECT_EQ(corner.right.style, 1);  // inner line left as it was
    EXPECT_EQ(corner.pattern, 1);
    const CellStyle& middle = book.StyleOf(*s.Find(3, 3));
    EXPECT_EQ(middle.left.style, 1);
    EXPECT_EQ(middle.pattern, 0);
    EXPECT_EQ(book.StyleOf(*s.Find(4, 4)).bottom.style, 2);
}

TEST(SheetBook, SixteenThousandFormattedRowsShareAFewStyles)
{
    std::size_t before = mallinfo2().uordblks;
    TF1Book book;
    for (int r = 3; r <= 16002; ++r)
        for (int c = 2; c <= 8; ++c) book.SetCellEntry(r, c, c == 2 ? "10/02/2024 10:15:00.00" : "1.25");
    book.SetSelection(2, 2, 16002, 8);
    book.SetBorder(2, 1, 1, 1, 1);
    book.SetAlignment(4, false, 2, 0);
    book.SetFont("Arial", 10, false, false, false, false, 0x008000);
    EXPECT_LT(book.Styles().Count(), 30u);
    EXPECT_EQ(book.LastRow(), 16002);
    EXPECT_LT(mallinfo2().uordblks - before, 16u << 20);  // megabytes, not hundreds
}

// Only cells in use are stored: a cell in the book's last row and column costs what A1 does.
TEST(SheetBook, FarCellsTakeNoRoomForTheCellsBefore)
{
    std::size_t before = mallinfo2().uordblks;
    TF1Book book;
    book.SetCellText(kBookMaxRows, kBookMaxCols, "far");
    book.SetRowHeight(kBookMaxRows - 1, 400);
    EXPECT_LT(mallinfo2().uordblks - before, 4096u);
    EXPECT_EQ(book.LastRow(), kBookMaxRows);
    EXPECT_EQ(book.LastCol(), kBookMaxCols);
    EXPECT_EQ(book.CellText(kBookMaxRows, kBookMaxCols), "far");
    EXPECT_EQ(book.RowHeight(kBookMaxRows - 1), 400);
    EXPECT_EQ(book.CellText(kBookMaxRows, kBookMaxCols - 1), "");
}

TEST(SheetBook, CellsSetInAnyOrderAreFoundByTheirPlace)
{
    TF1Book book;
    const int cols[] = {9, 2, 5, 1, 7, 5};
    for (int c : cols) book.SetCellNumber(3, c, c * 10);
    book.SetCellText(1, 4, "top");
    const auto& cells = book.SheetAt(1).rows.at(3).cells;
    ASSERT_EQ(cells.size(), 5u);
    for (std::size_t i = 1; i < cells.size(); ++i) EXPECT_LT(cells[i - 1].col, cells[i].col);
    for (int c : cols) EXPECT_DOUBLE_EQ(book.CellNumber(3, c), c * 10);
    EXPECT_EQ(book.CellText(3, 3), "");
    EXPECT_EQ(book.CellText(1, 4), "top");
    EXPECT_EQ(book.LastCol(), 9);
}

TEST(SheetBook, DeleteRangeRemovesRowsWithTheirHeightsAndFormats)
{
    TF1Book book;
    for (int r = 1; r <= 6; ++r) book.SetCellText(r, 2, "row " + std::to_string(r));
    book.SetRowHeight(5, 400);
    book.SetSelection(5, 2, 5, 2);
    book.SetFont("Arial", 12, true);
    book.DeleteRange(2, -1, 3, -1, 3);
    EXPECT_EQ(book.CellText(2, 2), "row 4");
    EXPECT_EQ(book.CellText(3, 2), "row 5");
    EXPECT_EQ(book.RowHeight(3), 400);
    EXPECT_TRUE(book.StyleOf(*book.SheetAt(1).Find(3, 2)).font.bold);
    EXPECT_EQ(book.RowHeight(5), sheet_units::kDefaultRowHeight);
    EXPECT_EQ(book.LastRow(), 4);
}

TEST(SheetBook, DeleteRangeRemovesColumnsAndLaterColumnsMoveLeft)
{
    TF1Book book;
    for (int c : {1, 3, 4, 6, 9}) book.SetCellText(2, c, "col " + std::to_string(c));
    book.SetColumnWidth(6, 3000);
    book.DeleteRange(-1, 3, -1, 5, 4);
    EXPECT_EQ(book.CellText(2, 1), "col 1");
    EXPECT_EQ(book.CellText(2, 3), "col 6");
    EXPECT_EQ(book.CellText(2, 6), "col 9");
    EXPECT_EQ(book.ColumnWidth(3), 3000);
    EXPECT_EQ(book.LastCol(), 6);
}

TEST(SheetBook, ClearRangeOfAllEmptiesTheSheetWithItsSizes)
{
    TF1Book book;
    book.SetCellText(1, 1, "a");
    book.SetColumnWidth(2, 5000);
    book.SetRowHeight(3, 500);
    book.ClearRange(-1, -1, 0, 0, 1);
    EXPECT_EQ(book.LastRow(), 0);
    EXPECT_EQ(book.ColumnWidth(2), sheet_units::kDefaultColumnWidth);
    EXPECT_EQ(book.RowHeight(3), sheet_units::kDefaultRowHeight);

    book.SetCellText(2, 2, "b");
    book.SetSelection(2, 2, 2, 2);
    book.SetFont("Arial", 10, true);
    book.ClearRange(2, 2, 2, 2, 3);  // values only: the format stays
    EXPECT_EQ(book.CellText(2, 2), "");
    EXPECT_EQ(book.LastRow(), 2);
    book.ClearRange(2, 2, 2, 2, 2);
    EXPECT_EQ(book.LastRow(), 0);
}

TEST(SheetBook, AutoFitColumnsUsesTheBuiltInWidths)
{
    TF1Book book;
    book.SetCellText(2, 2, "Duration (s.)");
    book.SetCellText(3, 2, "x");
    book.SetCellText(2, 3, "WWWWWWWWWWWWWWWWWWWW");
    book.SetSelection(2, 3, 2, 3);
    book.SetFont("Arial", 10, true);
    book.SetColumnWidth(4, 9999);
    book.AutoFitColumns(2, 2, 3, 4, false);
    int narrow = book.ColumnWidth(2);
    int wide = book.ColumnWidth(3);
    EXPECT_GT(narrow, 2 * 256);
    EXPECT_LT(narrow, 12 * 256);
    EXPECT_GT(wide, narrow * 2);
    EXPECT_EQ(book.ColumnWidth(4), 9999);  // no text: left alone
    book.AutoFitColumns(2, 4, 3, 4, true);
    EXPECT_EQ(book.ColumnWidth(4), sheet_units::kDefaultColumnWidth);
    // Same text, same width: nothing depends on a window or a screen.
    TF1Book again;
    again.SetCellText(2, 2, "Duration (s.)");
    again.AutoFitColumns(-1, 2, -1, 2, false);
    EXPECT_EQ(again.ColumnWidth(2), narrow);
}

TEST(SheetBook, AllRowsAndColumnsMeanTheUsedPart)
{
    TF1Book book;
    book.SetCellText(4, 3, "x");
    book.SetSelection(-1, -1, -1, -1);
    EXPECT_EQ(book.SelStartRow(), 1);
    EXPECT_EQ(book.SelEndRow(), 4);
    EXPECT_EQ(book.SelEndCol(), 3);
    book.SetRow(2);
    EXPECT_EQ(book.SelStartRow(), 2);
    EXPECT_EQ(book.SelEndRow(), 2);
}

// A number handed over with its decimals is the very cell typing its text would give: the same
// double, the same shown text and format. A value that is no number shows "***", never a C
// library's text.
TEST(SheetBook, FixedNumbersAreWhatTypingTheirTextGives)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (double value : {nan, -nan, inf, -inf}) {
        TF1Book book;
        book.SetCellFixed(1, 1, value, 2);
        EXPECT_EQ(book.CellText(1, 1), "***") << value;
    }
    struct Case {
        double value;
        int decimals;
    } cases[] = {
        {230.25, 2}, {220.1f, 2}, {0.1f, 3}, {1.0 / 3, 3}, {-0.001, 2}, {-0.0, 2}, {0.125, 2}, {0.375, 2},
        {0.015, 2}, {-0.025, 2}, {0.155, 2},  // x 100 rounds onto a half the exact value is not on
        {2.5, 0}, {3.5, 0}, {9.995, 2}, {-9.995, 2}, {123456789.125, 2}, {1.5f * 1000.0, 3}, {1e300, 2},
        {-4503599627370.4951, 2}, {7.0, 0},
    };
    for (const Case& c : cases) {
        char text[512];
        const auto end = std::to_chars(text, text + sizeof text, c.value, std::chars_format::fixed, c.decimals).ptr;
        for (const char* format : {"General", "0.0"}) {
            TF1Book typed, handed;
            for (TF1Book* book : {&typed, &handed}) {
                book->SetSelection(1, 1, 1, 1);
                book->SetNumberFormat(format);
            }
            typed.SetCellEntry(1, 1, std::string_view(text, end));
            handed.SetCellFixed(1, 1, c.value, c.decimals);
            const std::string what = std::string(text, end) + " in " + format;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(handed.CellNumber(1, 1)), std::bit_cast<std::uint64_t>(typed.CellNumber(1, 1))) << what;
            EXPECT_EQ(handed.CellText(1, 1), typed.CellText(1, 1)) << what;
            EXPECT_EQ(handed.NumberFormat(), typed.NumberFormat()) << what;
        }
    }
}

// Equal texts are kept once; a cell rewritten with ever new texts keeps the memory of what the
// sheet shows, not of all it ever showed.
TEST(SheetBook, TextsAreKeptOnceAndRewritingACellKeepsMemoryBounded)
{
    TF1Book book;
    for (int r = 1; r <= 1000; ++r) book.SetCellText(r, 1, "Voltage");
    const Worksheet& s = book.SheetAt(1);
    EXPECT_EQ(s.Find(1, 1)->text, s.Find(1000, 1)->text);
    book.SetCellText(2, 2, "kept");
    const std::size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 100000; ++i) book.SetCellText(1, 2, std::to_string(i) + std::string(200, 'x'));
    EXPECT_LT(mallinfo2().uordblks - before, 4u << 20);  // 20 MB were every text kept
    EXPECT_EQ(book.CellText(1, 2), "99999" + std::string(200, 'x'));
    EXPECT_EQ(book.CellText(2, 2), "kept");
    EXPECT_EQ(book.CellText(1000, 1), "Voltage");
    book.ClearRange(-1, -1, 0, 0, 1);
    for (int r = 1; r <= 5000; ++r) book.SetCellText(r, 1, "row " + std::to_string(r));
    EXPECT_EQ(book.CellText(5000, 1), "row 5000");
}

// Fitting formats a number only when its text could be the widest of its column; whichever comes
// first, each column gets the width of its widest text alone.
TEST(SheetBook, FittingGivesEachColumnTheWidthOfItsWidestText)
{
    struct Column {
        const char* format;
        std::vector<double> numbers;
        const char* text = nullptr;  // before the numbers
        std::size_t widest = 0;      // the number whose text is widest; the text when there is one
    } columns[] = {
        {"0.00", {1.5, 2.25, 9.996, 3.0}, nullptr, 2},         // 10.00 rounded up
        {"0.00", {5, -0.001, 8.25, -7.5, 1}, nullptr, 3},      // -7.50; -0.001 shows as 0.00
        {"General", {7, 12, -12345, 3.5, 99}, nullptr, 2},     // -12345
        {"General", {7, 0.123456789, 12}, nullptr, 1},         // 0.123456789
        {"0.00", {1234567.89, 12.5}, "ab", 0},                 // 1234567.89 beats the text
        {"0.00", {1.25}, "a long column title", 0},            // the text beats the number
        {"0", {99999, 99999.5, 3}, nullptr, 1},                // 100000
        {"0.0%", {0.5, 0.25, 1.0}, nullptr, 2},                // 100.0%, not bounded
    };
    TF1Book book;
    int col = 1;
    for (const Column& c : columns) {
        int row = 1;
        if (c.text) book.SetCellText(row++, col, c.text);
        for (double v : c.numbers) book.SetCellNumber(row++, col, v);
        book.SetSelection(1, col, row - 1, col);
        book.SetNumberFormat(c.format);
        ++col;
    }
    book.AutoFitColumns(-1, -1, -1, -1, false);
    col = 1;
    for (const Column& c : columns) {
        TF1Book alone;
        if (c.text && c.widest == 0 && c.numbers.size() == 1) alone.SetCellText(1, 1, c.text);
        else alone.SetCellNumber(1, 1, c.numbers[c.widest]);
        alone.SetSelection(1, 1, 1, 1);
        alone.SetNumberFormat(c.format);
        alone.AutoFitColumns(1, 1, 1, 1, false);
        EXPECT_EQ(book.ColumnWidth(col), alone.ColumnWidth(1)) << "column " << col << ": " << book.DisplayText(1, 1, col);
        ++col;
    }
}

// Rows added before others (templates, readers, sheets filled out of order) keep their order.
TEST(SheetBook, RowsSetInAnyOrderAreKeptInOrder)
{
    TF1Book book;
    for (int r : {50, 10, 30, 20, 40, 10, 60}) book.SetCellNumber(r, 1, r);
    book.SetRowHeight(25, 300);
    const Worksheet& s = book.SheetAt(1);
    std::vector<int> rows;
    for (const auto& [r, row] : s.rows) rows.push_back(r);
    EXPECT_EQ(rows, (std::vector<int>{10, 20, 25, 30, 40, 50, 60}));
    EXPECT_DOUBLE_EQ(book.CellNumber(30, 1), 30);
    EXPECT_EQ(book.RowHeight(25), 300);
    EXPECT_EQ(book.LastRow(), 60);
}
