// Printed pages of a sheet and the print header codes.
#include "sheet/sheet_pages.h"
#include "sheet/sheet_units.h"

#include <gtest/gtest.h>

TEST(SheetPages, CutsDownTheRowsFirstUnlessLeftToRight)
{
    TF1Book book;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 4; ++c) book.SetCellNumber(r, c, r);
    book.SetColumnWidth(3, 256 * 30);  // a wide column starts a new band
    double rowPixels = sheet_units::RowPixels(sheet_units::kDefaultRowHeight);
    auto range = PrintRange(book, 1);
    ASSERT_TRUE(range);
    double width = sheet_units::ColumnPixels(2 * sheet_units::kDefaultColumnWidth) + 1;
    auto down = SheetPages(book, 1, *range, width, 4 * rowPixels + 1, false);
    ASSERT_EQ(down.size(), 9u);  // columns {1-2}, {3}, {4} by rows {1-4}, {5-8}, {9-10}
    EXPECT_EQ(down[0], (CellRange{1, 1, 4, 2}));
    EXPECT_EQ(down[1], (CellRange{5, 1, 8, 2}));
    EXPECT_EQ(down[3], (CellRange{1, 3, 4, 3}));
    auto across = SheetPages(book, 1, *range, width, 4 * rowPixels + 1, true);
    EXPECT_EQ(across[1], (CellRange{1, 3, 4, 3}));
    EXPECT_EQ(across.back(), (CellRange{9, 4, 10, 4}));
}

// Rows kept together move whole to the next page when they would be broken and fit on one;
// longer ones, and ones that start a page already, are cut as any rows are.
TEST(SheetPages, RowsKeptTogetherStartTheNextPageWhenTheyFitOnOne)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> together;
        std::vector<std::pair<int, int>> pages;  // first and last rows
    };
    const Case cases[] = {
        {"none", {}, {{1, 10}, {11, 20}, {21, 25}}},
        {"broken at the page end", {{8, 12}}, {{1, 7}, {8, 17}, {18, 25}}},
        {"ending on the page's last row", {{8, 10}}, {{1, 10}, {11, 20}, {21, 25}}},
        {"a whole page long", {{6, 15}}, {{1, 5}, {6, 15}, {16, 25}}},
        {"longer than a page", {{6, 16}}, {{1, 10}, {11, 20}, {21, 25}}},
        {"two, the second moved after the first", {{2, 6}, {7, 12}, {13, 19}}, {{1, 6}, {7, 12}, {13, 22}, {23, 25}}},
    };
    for (const Case& c : cases) {
        TF1Book book;
        for (int r = 1; r <= 25; ++r) book.SetCellNumber(r, 1, r);
        for (auto [first, last] : c.together) book.KeepRowsTogether(first, last);
        const double rowPixels = sheet_units::RowPixels(sheet_units::kDefaultRowHeight);
        const auto pages = SheetPages(book, 1, *PrintRange(book, 1), 1000, 10 * rowPixels + 1, false);
        std::vector<std::pair<int, int>> rows;
        for (const CellRange& page : pages) rows.emplace_back(page.row1, page.row2);
        EXPECT_EQ(rows, c.pages) << c.name;
    }
}

TEST(SheetPages, PrintAreaWinsOverTheUsedPart)
{
    TF1Book book;
    book.SetCellText(20, 5, "x");
    book.SetSelection(2, 2, 3, 3);
    book.SetPrintAreaFromSelection();
    EXPECT_EQ(*PrintRange(book, 1), (CellRange{2, 2, 3, 3}));
    TF1Book empty;
    EXPECT_FALSE(PrintRange(empty, 1));
}

TEST(SheetPages, HeaderCodesBecomeTheirTextsInTheirParts)
{
    PageContext context{3, 7, "10/02/2024", "10:15:00", "survey.orv", "Events"};
    HeaderParts h = ExpandHeaderCodes("&L&A of <&F> printed on &D &T\rStart date: x\r&CPage &P/&N &&&B", context);
    // The break before &C ends the left part with an empty line, so its last text sits one line
    // above the bottom of a footer while the centre part's page number takes that bottom line.
    ASSERT_EQ(h.left.size(), 3u);
    EXPECT_EQ(h.left[0], "Events of <survey.orv> printed on 10/02/2024 10:15:00");
    EXPECT_EQ(h.left[1], "Start date: x");
    EXPECT_EQ(h.left[2], "");
    ASSERT_EQ(h.centre.size(), 1u);
    EXPECT_EQ(h.centre[0], "Page 3/7 &");
    EXPECT_TRUE(h.right.empty());
    EXPECT_EQ(h.Lines(), 3u);
    EXPECT_TRUE(ExpandHeaderCodes("", context).Empty());
    EXPECT_EQ(ExpandHeaderCodes("Page &P", context).centre[0], "Page 3");  // no part code: centred
}
