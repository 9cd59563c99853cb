// Page cutting and header codes of printed sheets.
#include "sheet/sheet_pages.h"

#include "sheet/sheet_units.h"

#include <algorithm>
#include <cctype>

std::optional<CellRange> PrintRange(const TF1Book& book, int sheet)
{
    const Worksheet& s = book.SheetAt(sheet);
    if (s.printArea) return s.printArea;
    int rows = s.LastRow(), cols = s.LastCol();
    if (rows == 0 || cols == 0) return std::nullopt;
    return CellRange{1, 1, rows, cols};
}

namespace {
using Spans = std::vector<std::pair<int, int>>;

// Cuts first..last into bands whose sizes add up to at most `room` (one item at least). A band
// that would end inside one of `together` ends before it instead, when the span fits in `room`
// and the band holds items before it.
template <class Size>
Spans Bands(int first, int last, double room, Size size, const Spans& together = {})
{
    const auto fits = [&](int a, int b) {
        double used = 0;
        for (int i = a; i <= b && used <= room; ++i) used += size(i);
        return used <= room;
    };
    Spans bands;
    for (int start = first; start <= last;) {
        double used = size(start);
        int end = start;
        while (end + 1 <= last && used + size(end + 1) <= room) used += size(++end);
        for (bool moved = end < last; moved;) {
            moved = false;
            for (auto [a, b] : together)
                if (a > start && a <= end && b > end && fits(a, b)) {
                    end = a - 1;
                    moved = true;
                }
        }
        bands.emplace_back(start, end);
        start = end + 1;
    }
    return bands;
}
}  // namespace

std::vector<CellRange> SheetPages(const TF1Book& book, int sheet, const CellRange& range, double width, double height,
                                  bool leftToRight)
{
    const Worksheet& s = book.SheetAt(sheet);
    auto cols = Bands(range.col1, range.col2, width, [&](int c) { return sheet_units::ColumnPixels(s.ColumnWidth(c)); });
    auto rows = Bands(range.row1, range.row2, height, [&](int r) { return sheet_units::RowPixels(s.RowHeight(r)); },
                      s.rowsKeptTogether);
    std::vector<CellRange> pages;
    if (leftToRight) {
        for (auto [r1, r2] : rows)
            for (auto [c1, c2] : cols) pages.push_back({r1, c1, r2, c2});
    } else {
        for (auto [c1, c2] : cols)
            for (auto [r1, r2] : rows) pages.push_back({r1, c1, r2, c2});
    }
    return pages;
}

std::size_t HeaderParts::Lines() const { return std::max({left.size(), centre.size(), right.size()}); }

HeaderParts ExpandHeaderCodes(const std::string& codes, const PageContext& context)
{
    HeaderParts parts;
    std::vector<std::string>* part = &parts.centre;  // text before any section code is centred
    std::string line;
    bool open = false;
    auto flush = [&] {
        if (open || !line.empty()) part->push_back(line);
        line.clear();
        open = false;
    };
    for (std::size_t i = 0; i < codes.size(); ++i) {
        char c = codes[i];
        if (c == '\r' || c == '\n') {
            part->push_back(line);
            line.clear();
            open = true;
            if (c == '\r' && i + 1 < codes.size() && codes[i + 1] == '\n') ++i;
            continue;
        }
        if (c != '&' || i + 1 >= codes.size()) {
            line += c;
            continue;
        }
        char code = static_cast<char>(std::toupper(static_cast<unsigned char>(codes[++i])));
        switch (code) {
        case 'L': case 'C': case 'R':
            flush();
            part = code == 'L' ? &parts.left : code == 'C' ? &parts.centre : &parts.right;
            break;
        case 'D': line += context.date; break;
        case 'T': line += context.time; break;
        case 'P': line += std::to_string(context.page); break;
        case 'N': line += std::to_string(context.pages); break;
        case 'F': line += context.tableName; break;
        case 'A': line += context.sheetName; break;
        case '&': line += '&'; break;
        case '"':  // a font name: dropped up to its closing quote
            while (i + 1 < codes.size() && codes[i + 1] != '"') ++i;
            ++i;
            break;
        default:  // style codes (&B, &I, &U, &S) and font sizes (&12) are not shown
            while (code >= '0' && code <= '9' && i + 1 < codes.size() && std::isdigit(static_cast<unsigned char>(codes[i + 1]))) ++i;
            break;
        }
    }
    flush();
    return parts;
}
