// The spreadsheet book: cells, sizes, selection formatting, clearing and deleting.
#include "sheet/sheet_book.h"

#include "platform/no_value_text.h"
#include "sheet/number_format.h"
#include "sheet/sheet_units.h"
#include "sheet/text_width.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {
constexpr int kMaxSheets = 256;

// Which edges of a range a cell lies on, for borders that differ between inside and outline.
enum Edge : unsigned { EdgeLeft = 1, EdgeRight = 2, EdgeTop = 4, EdgeBottom = 8 };

CellRange Normalised(int row1, int col1, int row2, int col2)
{
    return {std::min(row1, row2), std::min(col1, col2), std::max(row1, row2), std::max(col1, col2)};
}
}  // namespace

// Sheets are mostly filled row after row: the last row is looked at before the others.
const Cell* Worksheet::Find(int row, int col) const
{
    if (!rows.empty() && rows.rbegin()->first == row) return rows.rbegin()->second.Find(col);
    auto it = rows.find(row);
    return it == rows.end() ? nullptr : it->second.Find(col);
}

Cell& Worksheet::At(int row, int col)
{
    if (!rows.empty()) {
        auto& last = *std::prev(rows.end());
        if (last.first == row) return last.second.At(col);
        if (last.first < row) {
            // A row after the last is mostly filled as the one before it was: its room is taken
            // at once, not grown cell by cell.
            const std::size_t likely = last.second.cells.size();
            SheetRow& added = rows.emplace_hint(rows.end(), row, SheetRow{})->second;
            added.cells.reserve(likely);
            return added.At(col);
        }
    }
    return rows[row].At(col);
}

int Worksheet::LastRow() const
{
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (std::any_of(it->second.cells.begin(), it->second.cells.end(), HasContent)) return it->first;
    return 0;
}

int Worksheet::LastCol() const
{
    int last = 0;
    for (const auto& [r, row] : rows)
        for (auto c = row.cells.rbegin(); c != row.cells.rend() && c->col > last; ++c)
            if (HasContent(*c)) {
                last = c->col;
                break;
            }
    return last;
}

TF1Book::TF1Book() { Reset(); }

void TF1Book::Reset()
{
    sheets_.assign(1, Worksheet{});
    sheets_[0].name = "Sheet1";
    sheet_ = 1;
    styles_.Clear();
    texts_.Clear();
    droppedTexts_ = 0;
    decimalStyles_.clear();
    lastDecimalKey_ = ~std::uint64_t(0);
}

void TF1Book::SetSheet(int sheet) { sheet_ = std::clamp(sheet, 1, NumSheets()); }

void TF1Book::SetNumSheets(int count)
{
    count = std::clamp(count, 1, kMaxSheets);
    while (NumSheets() > count) {
        for (const auto& [r, row] : sheets_.back().rows)
            for (const Cell& cell : row.cells) DropText(cell);
        sheets_.pop_back();
    }
    while (NumSheets() < count) {
        Worksheet added;
        for (int n = NumSheets() + 1;; ++n) {
            added.name = "Sheet" + std::to_string(n);
            bool taken = std::any_of(sheets_.begin(), sheets_.end(), [&](const Worksheet& s) { return s.name == added.name; });
            if (!taken) break;
        }
        sheets_.push_back(std::move(added));
    }
    SetSheet(sheet_);
    CompactTextsIfWasteful();
}

std::string TF1Book::SheetName(int sheet) const
{
    return sheet >= 1 && sheet <= NumSheets() ? SheetAt(sheet).name : std::string();
}

void TF1Book::SetSheetName(int sheet, const std::string& name)
{
    if (sheet >= 1 && sheet <= NumSheets()) SheetAt(sheet).name = name;
}

std::string TF1Book::DisplayText(const Cell& cell) const
{
    switch (cell.kind) {
    case CellKind::Text: return std::string(TextOf(cell));
    case CellKind::Number: return FormatCellNumber(cell.number, StyleOf(cell).numberFormat);
    case CellKind::Empty: break;
    }
    return {};
}

std::string TF1Book::DisplayText(int sheet, int row, int col) const
{
    if (sheet < 1 || sheet > NumSheets()) return {};
    const Cell* cell = SheetAt(sheet).Find(row, col);
    return cell ? DisplayText(*cell) : std::string();
}

std::string TF1Book::CellText(int row, int col) const { return DisplayText(sheet_, row, col); }

Cell* TF1Book::SetValue(int row, int col, CellKind kind, double number, std::uint32_t text)
{
    if (!InBook(row, col)) return nullptr;
    if (kind == CellKind::Empty && !Current().Find(row, col)) return nullptr;
    Cell& cell = Current().At(row, col);
    if (cell.kind == CellKind::Text && (kind != CellKind::Text || cell.text != text)) DropText(cell);
    cell.kind = kind;
    if (kind == CellKind::Text) cell.text = text;
    else cell.number = number;
    return &cell;
}

void TF1Book::DropText(const Cell& cell)
{
    if (cell.kind == CellKind::Text) ++droppedTexts_;
}

// Texts no cell holds stay in the pool until it is compacted: once as many were dropped as
// half of it holds, the texts still in use are gathered, so a sheet rewritten again and again
// keeps what it shows and not all it ever showed.
void TF1Book::CompactTextsIfWasteful()
{
    constexpr std::size_t kFewTexts = 4096;
    if (droppedTexts_ < kFewTexts || 2 * droppedTexts_ < texts_.Count()) return;
    std::vector<bool> used(texts_.Count());
    for (const Worksheet& sheet : sheets_)
        for (const auto& [r, row] : sheet.rows)
            for (const Cell& cell : row.cells)
                if (cell.kind == CellKind::Text) used[cell.text] = true;
    std::vector<std::uint32_t> newId;
    texts_.Compact(used, newId);
    for (Worksheet& sheet : sheets_)
        for (auto& [r, row] : sheet.rows)
            for (Cell& cell : row.cells)
                if (cell.kind == CellKind::Text) cell.text = newId[cell.text];
    droppedTexts_ = 0;
}

void TF1Book::SetCellText(int row, int col, std::string_view text)
{
    if (text.empty()) {
        SetValue(row, col, CellKind::Empty, 0);
    } else if (InBook(row, col)) {
        SetValue(row, col, CellKind::Text, 0, texts_.Intern(text));
        CompactTextsIfWasteful();
    }
}

void TF1Book::ShowDecimals(Cell& cell, int decimals)
{
    if (decimals <= 0) return;
    const std::uint64_t key = (std::uint64_t{cell.style} << 16) | static_cast<std::uint64_t>(decimals);
    if (key != lastDecimalKey_) {
        auto known = decimalStyles_.find(key);
        if (known != decimalStyles_.end()) {
            lastDecimalStyle_ = known->second;
        } else if (IsGeneralFormat(StyleOf(cell).numberFormat)) {
            CellStyle style = StyleOf(cell);
            style.numberFormat = FixedDecimalsFormat(decimals);
            lastDecimalStyle_ = decimalStyles_[key] = styles_.Intern(style);
        } else {
            lastDecimalStyle_ = decimalStyles_[key] = cell.style;
        }
        lastDecimalKey_ = key;
    }
    cell.style = lastDecimalStyle_;
}

void TF1Book::SetCellEntry(int row, int col, std::string_view text)
{
    double value = 0;
    int decimals = 0;
    if (!ParseTypedNumber(text, value, decimals)) {
        SetCellText(row, col, text);
        return;
    }
    // The number is shown with the decimals it was typed with ("207.30" stays "207.30").
    if (Cell* cell = SetValue(row, col, CellKind::Number, value)) ShowDecimals(*cell, decimals);
}

void TF1Book::SetCellFixed(int row, int col, double value, int decimals)
{
    if (!std::isfinite(value)) {
        SetCellText(row, col, std::string(kNoValueText));
        return;
    }
    if (Cell* cell = SetValue(row, col, CellKind::Number, FixedDecimalsValue(value, decimals))) ShowDecimals(*cell, decimals);
}

double TF1Book::CellNumber(int row, int col) const
{
    const Cell* cell = Current().Find(row, col);
    return cell && cell->kind == CellKind::Number ? cell->number : 0.0;
}

void TF1Book::SetCellNumber(int row, int col, double value) { SetValue(row, col, CellKind::Number, value); }

void TF1Book::SetRow(int row)
{
    Worksheet& s = Current();
    s.activeRow = std::clamp(row, 1, kBookMaxRows);
    s.selection = {s.activeRow, s.activeCol, s.activeRow, s.activeCol};
}

void TF1Book::SetCol(int col)
{
    Worksheet& s = Current();
    s.activeCol = std::clamp(col, 1, kBookMaxCols);
    s.selection = {s.activeRow, s.activeCol, s.activeRow, s.activeCol};
}

void TF1Book::SetTopRow(int row) { Current().topRow = std::clamp(row, 1, std::max(1, maxRow_)); }
void TF1Book::SetLeftCol(int col) { Current().leftCol = std::clamp(col, 1, std::max(1, maxCol_)); }
void TF1Book::SetMaxRow(int row)
{
    maxRow_ = std::clamp(row, 1, kBookMaxRows);
    for (Worksheet& s : sheets_) s.topRow = std::min(s.topRow, maxRow_);
}

void TF1Book::SetMaxCol(int col)
{
    maxCol_ = std::clamp(col, 1, kBookMaxCols);
    for (Worksheet& s : sheets_) s.leftCol = std::min(s.leftCol, maxCol_);
}

int Worksheet::ColumnWidth(int col) const
{
    if (col < 1 || col > static_cast<int>(columnWidths.size()) || columnWidths[static_cast<std::size_t>(col - 1)] < 0)
        return sheet_units::kDefaultColumnWidth;
    return columnWidths[static_cast<std::size_t>(col - 1)];
}

int Worksheet::RowHeight(int row) const
{
    auto it = rows.find(row);
    return it == rows.end() || it->second.height < 0 ? sheet_units::kDefaultRowHeight : it->second.height;
}

int TF1Book::ColumnWidth(int col) const { return Current().ColumnWidth(col); }

void TF1Book::SetColumnWidth(int col, int width)
{
    if (col < 1 || col > kBookMaxCols) return;
    auto& widths = Current().columnWidths;
    if (col > static_cast<int>(widths.size())) widths.resize(static_cast<std::size_t>(col), -1);
    widths[static_cast<std::size_t>(col - 1)] = width < 0 ? -1 : std::min(width, sheet_units::kMaxColumnWidth);
}

void TF1Book::SetColumnWidths(int col1, int col2, int width, bool useDefault)
{
    if (col1 == -1) col1 = 1, col2 = std::max(1, LastCol());
    for (int c = std::min(col1, col2); c <= std::max(col1, col2); ++c) SetColumnWidth(c, useDefault ? -1 : width);
}

int TF1Book::RowHeight(int row) const { return Current().RowHeight(row); }

void TF1Book::SetRowHeight(int row, int height)
{
    if (row < 1 || row > kBookMaxRows) return;
    auto& rows = Current().rows;
    if (height < 0 && !rows.count(row)) return;
    rows[row].height = height < 0 ? -1 : std::min(height, sheet_units::kMaxRowHeight);
}

std::optional<CellRange> TF1Book::Bounded(int row1, int col1, int row2, int col2) const
{
    if (row1 == -1 || row2 == -1) row1 = 1, row2 = std::max(1, LastRow());
    if (col1 == -1 || col2 == -1) col1 = 1, col2 = std::max(1, LastCol());
    CellRange r = Normalised(row1, col1, row2, col2);
    r.row1 = std::max(r.row1, 1);
    r.col1 = std::max(r.col1, 1);
    r.row2 = std::min(r.row2, kBookMaxRows);
    r.col2 = std::min(r.col2, kBookMaxCols);
    if (r.row1 > r.row2 || r.col1 > r.col2) return std::nullopt;
    return r;
}

namespace {
// One column being fitted: its widest text so far, and how large the whole part of a number of
// the style last met may be while its text cannot beat that (so the number is not formatted).
class FittedColumn {
public:
    double Widest() const { return widest_; }
    void Widen(double pixels)
    {
        if (pixels <= widest_) return;
        widest_ = pixels;
        style_ = kNoStyle;
    }
    // A number of `styleId` is narrower than the widest so far, whatever its digits.
    bool NumberCannotWiden(double value, std::uint32_t styleId, const CellStyle& style)
    {
        if (widest_ < 0) return false;
        if (styleId != style_) Prepare(styleId, style);
        const std::optional<double> whole = WholePartBound(value, shape_);
        return whole && *whole < below_[value < 0];
    }

private:
    static constexpr std::uint32_t kNoStyle = ~std::uint32_t(0);
    void Prepare(std::uint32_t styleId, const CellStyle& style)
    {
        style_ = styleId;
        shape_ = NumberShapeOf(style.numberFormat);
        // Whole parts below 10^k have at most k digits.
        for (int negative = 0; negative < 2; ++negative) {
            below_[negative] = 0;
            for (double k = 1, power = 10; k <= 14; ++k, power *= 10) {
                const double most = NumberTextWidthBoundPoints(negative, static_cast<int>(k), shape_.decimals, style.font);
                if (sheet_units::PointsToPixels(most) > widest_) break;
                below_[negative] = power;
            }
        }
    }

    double widest_ = -1;  // pixels; -1 while no cell had text
    std::uint32_t style_ = kNoStyle;
    NumberShape shape_;
    double below_[2] = {0, 0};  // by sign: whole parts below this cannot beat widest_
};
}  // namespace

void TF1Book::AutoFitColumns(int row1, int col1, int row2, int col2, bool setDefaults)
{
    auto range = Bounded(row1, col1, row2, col2);
    if (!range) return;
    constexpr double kPaddingPixels = 6;  // cell margins and the grid line
    const Worksheet& s = Current();
    std::vector<FittedColumn> columns(static_cast<std::size_t>(range->col2 - range->col1 + 1));
    for (auto r = s.rows.lower_bound(range->row1); r != s.rows.end() && r->first <= range->row2; ++r) {
        const auto& cells = r->second.cells;
        for (auto c = FirstCellFrom(cells, range->col1); c != cells.end() && c->col <= range->col2; ++c) {
            if (c->kind == CellKind::Empty) continue;
            FittedColumn& column = columns[static_cast<std::size_t>(c->col - range->col1)];
            const CellStyle& style = StyleOf(*c);
            if (c->kind == CellKind::Text) {
                column.Widen(sheet_units::PointsToPixels(TextWidthPoints(TextOf(*c), style.font)));
            } else if (!column.NumberCannotWiden(c->number, c->style, style)) {
                column.Widen(sheet_units::PointsToPixels(TextWidthPoints(FormatCellNumber(c->number, style.numberFormat), style.font)));
            }
        }
    }
    for (int c = range->col1; c <= range->col2; ++c) {
        const double w = columns[static_cast<std::size_t>(c - range->col1)].Widest();
        if (w >= 0) SetColumnWidth(c, sheet_units::ColumnWidthFromPixels(w + kPaddingPixels));
        else if (setDefaults) SetColumnWidth(c, -1);
    }
}

void TF1Book::SetSelection(int row1, int col1, int row2, int col2)
{
    auto range = Bounded(row1, col1, row2, col2);
    if (!range) return;
    Worksheet& s = Current();
    s.selection = *range;
    s.activeRow = range->row1;
    s.activeCol = range->col1;
}

// Applies `change(style, edges)` to every cell of the range, row by row over each row's run of
// cells: a change is worked out once for each style and edge position it meets, and a cell then
// costs one comparison with the cell before it.
template <class Change>
void TF1Book::ChangeStyles(const CellRange& range, Change change)
{
    std::unordered_map<std::uint64_t, std::uint32_t> done;
    std::uint64_t lastKey = ~std::uint64_t(0);
    std::uint32_t lastStyle = 0;
    auto changed = [&](std::uint32_t style, unsigned edges) {
        const std::uint64_t key = (std::uint64_t{style} << 4) | edges;
        if (key == lastKey) return lastStyle;
        auto it = done.find(key);
        if (it == done.end()) {
            CellStyle st = styles_.Get(style);
            change(st, edges);
            it = done.emplace(key, styles_.Intern(st)).first;
        }
        lastKey = key;
        lastStyle = it->second;
        return lastStyle;
    };
    auto& rows = Current().rows;
    auto at = rows.lower_bound(range.row1);
    for (int r = range.row1; r <= range.row2; ++r, ++at) {
        if (at == rows.end() || at->first != r) at = rows.emplace_hint(at, r, SheetRow{});
        const unsigned rowEdges = (r == range.row1 ? EdgeTop : 0u) | (r == range.row2 ? EdgeBottom : 0u);
        for (Cell& cell : at->second.Run(range.col1, range.col2)) {
            const unsigned edges = rowEdges | (cell.col == range.col1 ? EdgeLeft : 0u) | (cell.col == range.col2 ? EdgeRight : 0u);
            cell.style = changed(cell.style, edges);
        }
    }
}

void TF1Book::SetFont(const std::string& name, double size, bool bold, bool italic, bool underline, bool strikeout,
                      std::uint32_t colour, bool outline, bool shadow)
{
    CellFont font{name, static_cast<int>(std::clamp(size, 1.0, 409.0) * 20 + 0.5), bold, italic, underline,
                  strikeout, outline, shadow, colour & 0xFFFFFFu};
    ChangeStyles(Current().selection, [&](CellStyle& s, unsigned) { s.font = font; });
}

void TF1Book::SetAlignment(int horizontal, bool wrap, int vertical, int orientation)
{
    ChangeStyles(Current().selection, [&](CellStyle& s, unsigned) {
        if (horizontal >= 1 && horizontal <= 7) s.horizontal = horizontal;
        if (vertical >= 1 && vertical <= 3) s.vertical = vertical;
        if (orientation >= 0 && orientation <= 3) s.orientation = orientation;
        s.wrap = wrap;
    });
}

void TF1Book::SetBorder(int outline, int left, int right, int top, int bottom, bool shade, std::uint32_t outlineColour,
                        std::uint32_t leftColour, std::uint32_t rightColour, std::uint32_t topColour,
                        std::uint32_t bottomColour)
{
    auto set = [](BorderLine& line, int style, std::uint32_t colour) {
        if (style >= 0 && style <= 13) line = {style, colour & 0xFFFFFFu};
    };
    ChangeStyles(Current().selection, [&](CellStyle& s, unsigned edges) {
        set(s.left, left, leftColour);
        set(s.right, right, rightColour);
        set(s.top, top, topColour);
        set(s.bottom, bottom, bottomColour);
        if (edges & EdgeLeft) set(s.left, outline, outlineColour);
        if (edges & EdgeRight) set(s.right, outline, outlineColour);
        if (edges & EdgeTop) set(s.top, outline, outlineColour);
        if (edges & EdgeBottom) set(s.bottom, outline, outlineColour);
        if (shade) {
            s.pattern = 1;
            s.patternFore = 0xC0C0C0;
            s.patternBack = kAutoColour;
        }
    });
}

void TF1Book::SetPattern(int pattern, std::uint32_t fore, std::uint32_t back)
{
    if (pattern < 0 || pattern > 18) return;
    ChangeStyles(Current().selection, [&](CellStyle& s, unsigned) {
        s.pattern = pattern;
        s.patternFore = pattern == 0 ? kAutoColour : fore & 0xFFFFFFu;
        s.patternBack = pattern == 0 ? kAutoColour : back & 0xFFFFFFu;
    });
}

std::string TF1Book::NumberFormat() const
{
    const Cell* cell = Current().Find(Row(), Col());
    return cell ? StyleOf(*cell).numberFormat : styles_.Get(0).numberFormat;
}

void TF1Book::SetNumberFormat(const std::string& format)
{
    std::string f = format.empty() ? "General" : format;
    ChangeStyles(Current().selection, [&](CellStyle& s, unsigned) { s.numberFormat = f; });
}

void TF1Book::SetPrintAreaFromSelection() { Current().printArea = Current().selection; }
void TF1Book::ClearPrintArea() { Current().printArea.reset(); }
void TF1Book::KeepRowsTogether(int row1, int row2) { Current().rowsKeptTogether.emplace_back(row1, row2); }

void TF1Book::ClearRange(int row1, int col1, int row2, int col2, int type)
{
    Worksheet& s = Current();
    if (type == 1 && row1 == -1 && col1 == -1) {
        for (const auto& [r, row] : s.rows)
            for (const Cell& cell : row.cells) DropText(cell);
        s.rows.clear();
        s.columnWidths.clear();
        s.printArea.reset();
        s.rowsKeptTogether.clear();
        CompactTextsIfWasteful();
        return;
    }
    auto range = Bounded(row1, col1, row2, col2);
    if (!range || type < 1 || type > 3) return;
    for (auto r = s.rows.lower_bound(range->row1); r != s.rows.end() && r->first <= range->row2; ++r) {
        auto& cells = r->second.cells;
        for (auto c = FirstCellFrom(cells, range->col1); c != cells.end() && c->col <= range->col2; ++c) {
            if (type != 2) {
                DropText(*c);
                c->kind = CellKind::Empty;
                c->number = 0;
            }
            if (type != 3) c->style = 0;
        }
    }
    CompactTextsIfWasteful();
}

void TF1Book::DeleteRange(int row1, int col1, int row2, int col2, int type)
{
    Worksheet& s = Current();
    if (type == 3) {
        int first = std::max(1, std::min(row1, row2)), last = std::max(row1, row2);
        if (last < first) return;
        for (auto it = s.rows.lower_bound(first); it != s.rows.end() && it->first <= last; ++it)
            for (const Cell& cell : it->second.cells) DropText(cell);
        // Later rows move up.
        for (auto it = s.rows.erase(s.rows.lower_bound(first), s.rows.upper_bound(last)); it != s.rows.end(); ++it)
            it->first -= last - first + 1;
    } else if (type == 4) {
        int first = std::max(1, std::min(col1, col2)), last = std::max(col1, col2);
        if (last < first) return;
        const int count = last - first + 1;
        for (auto& [r, row] : s.rows) {
            auto from = FirstCellFrom(row.cells, first);
            auto to = FirstCellFrom(row.cells, last + 1);
            for (auto c = from; c != to; ++c) DropText(*c);
            for (auto c = row.cells.erase(from, to); c != row.cells.end(); ++c)
                c->col = static_cast<std::uint16_t>(c->col - count);
        }
        auto& widths = s.columnWidths;
        if (first <= static_cast<int>(widths.size()))
            widths.erase(widths.begin() + (first - 1), widths.begin() + std::min(last, static_cast<int>(widths.size())));
    }
    CompactTextsIfWasteful();
}
