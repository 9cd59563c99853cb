// Printed pages of a sheet: the print range cut into pages of a given size, in the order the
// book's settings ask, and the expansion of print header and footer codes. Sizes are in sheet
// pixels (1/96 inch).
#pragma once

#include "sheet/sheet_book.h"

#include <string>
#include <vector>

// The cells a printed sheet covers: the print area, else the used part; nothing when empty.
std::optional<CellRange> PrintRange(const TF1Book& book, int sheet);

// Pages of `range` on pages whose printable part is width x height: column bands by row bands,
// each page at least one row and one column, rows kept together moved whole to the next page
// when they fit on one; down the rows first unless `leftToRight`.
std::vector<CellRange> SheetPages(const TF1Book& book, int sheet, const CellRange& range, double width, double height,
                                  bool leftToRight);

// What the header and footer codes stand for on one page.
struct PageContext {
    int page = 1;
    int pages = 1;
    std::string date;
    std::string time;
    std::string tableName;  // &F
    std::string sheetName;  // &A
};

// Left, centre and right parts of a header or footer, each as its lines. &L, &C and &R start a
// part; &D, &T, &P, &N, &F and &A are replaced; && is "&"; font codes are dropped; "\r" and
// "\n" break lines.
struct HeaderParts {
    std::vector<std::string> left, centre, right;
    bool Empty() const { return left.empty() && centre.empty() && right.empty(); }
    std::size_t Lines() const;
};
HeaderParts ExpandHeaderCodes(const std::string& codes, const PageContext& context);
