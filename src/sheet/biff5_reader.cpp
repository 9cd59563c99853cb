// Excel 5.0/95 workbook stream reader: the globals, then each worksheet substream at its
// recorded offset, in the order they lie in the stream, with its cells, sizes and view state.
#include "sheet/biff5_reader.h"

#include "sheet/biff5_globals.h"
#include "sheet/biff5_records.h"
#include "sheet/biff5_stream.h"
#include "sheet/sheet_units.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numeric>

namespace {
using namespace biff5;

// 01/01/1904, day 0 of a workbook on the 1904 date base, is day 1462 of the 1900 base.
constexpr double kDays1900To1904 = 1462;

double RkValue(std::uint32_t rk)
{
    double v;
    if (rk & 2) {
        v = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        std::uint64_t bits = std::uint64_t{rk & 0xFFFFFFFCu} << 32;
        std::memcpy(&v, &bits, sizeof v);
    }
    return (rk & 1) ? v / 100.0 : v;
}

class SheetsReader {
public:
    SheetsReader(std::span<const std::uint8_t> stream, std::string& error) : stream_(stream), error_(error) {}

    std::optional<TF1Book> Read()
    {
        if (!ReadBiff5Globals(stream_, book_, globals_, error_) || !ReadSheets()) return std::nullopt;
        book_.SetSheet(std::clamp(globals_.activeSheet + 1, 1, book_.NumSheets()));
        return std::move(book_);
    }

private:
    // A formula whose text result follows in the next STRING record.
    struct PendingText {
        int row = -1, col = 0;
        std::uint16_t xf = 0;
    };

    bool Damaged(const std::string& what) { return Biff5Damaged(error_, what); }

    std::optional<std::string> CountedText(FieldView d, std::size_t at, int countBytes)
    {
        return Biff5CountedText(d, at, countBytes, *globals_.decoder);
    }

    // Sheets are read in the order they lie in the stream, each only up to where the next one
    // begins: a sheet running into another (or lying in the globals) would read cells twice over.
    bool ReadSheets()
    {
        const auto& sheets = globals_.sheets;
        book_.SetNumSheets(std::max<int>(1, static_cast<int>(sheets.size())));
        for (std::size_t i = 0; i < sheets.size(); ++i) book_.SetSheetName(static_cast<int>(i) + 1, sheets[i].name);
        std::vector<std::size_t> order(sheets.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return sheets[a].offset < sheets[b].offset; });
        for (std::size_t k = 0; k < order.size(); ++k) {
            const std::size_t offset = sheets[order[k]].offset;
            const std::size_t limit = k + 1 < order.size() ? sheets[order[k + 1]].offset : stream_.size();
            if (offset < globals_.end) return Damaged("a sheet lies inside the workbook's globals");
            if (limit == offset) return Damaged("two sheets share one place in the file");
            book_.SetSheet(static_cast<int>(order[k]) + 1);
            if (!ReadSheet(offset, limit, order[k] == 0)) return false;
        }
        return true;
    }

    // The book keeps its dates on the 1900 base, as the writer writes them.
    double DateBased(std::uint16_t xf, double v) const
    {
        return globals_.dates1904 && globals_.DatesOfXf(xf) ? v + kDays1900To1904 : v;
    }

    Cell& Place(int row, int col, std::uint16_t xf)
    {
        Cell& c = sheet_->At(row + 1, col + 1);
        c.style = globals_.StyleOfXf(xf);
        return c;
    }

    void Number(int row, int col, std::uint16_t xf, double v)
    {
        Cell& c = Place(row, col, xf);
        c.kind = CellKind::Number;
        c.number = DateBased(xf, v);
    }

    void Text(int row, int col, std::uint16_t xf, const std::string& text)
    {
        Cell& c = Place(row, col, xf);
        c.kind = text.empty() ? CellKind::Empty : CellKind::Text;
        if (text.empty()) c.number = 0;
        else c.text = book_.InternText(text);
    }

    // A blank sets a cell's format; one in the default format where no cell is needs no cell.
    void Blank(int row, int col, std::uint16_t xf)
    {
        if (globals_.StyleOfXf(xf) == 0 && !sheet_->Find(row + 1, col + 1)) return;
        Place(row, col, xf);
    }

    // Row and column of a cell record read through `d`, checked once its fields are read.
    bool CellPlaced(const FieldView& d, int row, int col)
    {
        if (!d.Ok()) return Damaged("a short cell record");
        if (row >= kExcelMaxRows || col >= kExcelMaxCols) return Damaged("a cell lies outside the sheet");
        return true;
    }

    // Reads a cell record into the sheet; other records are left to the caller.
    bool ReadCell(const Biff5Record& r, PendingText& pending)
    {
        FieldView d(r.data);
        const int row = d.U16(0), col = d.U16(2);
        const std::uint16_t xf = d.U16(4);
        switch (r.id) {
        case kLabel:
        case kRString: {
            d.Need(6, 2);
            if (!CellPlaced(d, row, col)) return false;
            auto text = CountedText(d, 6, 2);
            if (!text) return Damaged("a label runs past its record");
            Text(row, col, xf, *text);
            return true;
        }
        case kNumber: {
            const double v = d.F64(6);
            if (!CellPlaced(d, row, col)) return false;
            Number(row, col, xf, v);
            return true;
        }
        case kRk: {
            const std::uint32_t rk = d.U32(6);
            if (!CellPlaced(d, row, col)) return false;
            Number(row, col, xf, RkValue(rk));
            return true;
        }
        case kBlank:
            if (!CellPlaced(d, row, col)) return false;
            Blank(row, col, xf);
            return true;
        case kBoolErr: {
            const std::uint8_t value = d.U8(6), isError = d.U8(7);
            if (!CellPlaced(d, row, col)) return false;
            static const std::map<int, std::string> kErrors = {{0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"},
                                                               {0x17, "#REF!"},  {0x1D, "#NAME?"},  {kErrorNum, "#NUM!"},
                                                               {0x2A, "#N/A"}};
            std::string text = isError ? (kErrors.count(value) ? kErrors.at(value) : "#N/A") : (value ? "TRUE" : "FALSE");
            Text(row, col, xf, text);
            return true;
        }
        case kMulRk:
        case kMulBlank: {
            // Row, first column, one item per cell (an XF, and for MULRK an RK value), last column.
            if (!CellPlaced(d, row, col)) return false;
            const std::size_t item = r.id == kMulRk ? 6 : 2;
            const std::size_t count = (d.Size() - 6) / item;
            if ((d.Size() - 6) % item != 0 || col + static_cast<int>(count) > kExcelMaxCols)
                return Damaged("a multiple-cell record does not fit");
            FieldView items = d.Sub(4, count * item);
            for (std::size_t k = 0; k < count; ++k) {
                const std::uint16_t itemXf = items.U16(k * item);
                const int at = col + static_cast<int>(k);
                if (r.id == kMulRk) Number(row, at, itemXf, RkValue(items.U32(k * item + 2)));
                else Blank(row, at, itemXf);
            }
            return true;
        }
        case kFormula:
        case kFormulaOld: {
            // The cached result: a number, or a type byte at 6 with 0xFFFF at 12.
            const double number = d.F64(6);
            const std::uint8_t type = d.U8(6), boolean = d.U8(8);
            const std::uint16_t marker = d.U16(12);
            if (!CellPlaced(d, row, col)) return false;
            if (marker != 0xFFFF) {
                Number(row, col, xf, number);
            } else if (type == 0) {  // the text follows in a STRING record
                pending = {row, col, xf};
            } else if (type == 1) {
                Text(row, col, xf, boolean ? "TRUE" : "FALSE");
            } else {
                Place(row, col, xf);
            }
            return true;
        }
        case kString:
            if (pending.row >= 0) {
                auto text = CountedText(d, 0, 2);
                if (!text) return Damaged("a formula text runs past its record");
                Text(pending.row, pending.col, pending.xf, *text);
                pending.row = -1;
            }
            return true;
        default: return true;
        }
    }

    // Reads the worksheet whose BOF is at `offset`; its records must end before `limit`.
    bool ReadSheet(std::size_t offset, std::size_t limit, bool first)
    {
        Biff5RecordWalker walk(stream_, offset, limit);
        Biff5Record r;
        if (!walk.Next(r) || r.id != kBof) {
            if (walk.damaged && limit < stream_.size()) return Damaged("two sheets overlap in the file");
            return Damaged("a sheet does not start where the sheet list says");
        }
        if (!CheckBiff5Bof(r, kBofWorksheet, error_)) return false;
        sheet_ = &book_.SheetAt(book_.Sheet());
        AddRowsInOrder(offset, limit);
        // Rows that got neither a cell nor a height are not in use after all.
        struct DropUnused {
            Worksheet& sheet;
            ~DropUnused()
            {
                auto& rows = sheet.rows;
                const std::size_t named = rows.size();
                rows.erase(std::remove_if(rows.begin(), rows.end(),
                                          [](const auto& e) { return e.second.cells.empty() && e.second.height < 0; }),
                           rows.end());
                if (2 * rows.size() < named) rows.shrink_to_fit();
            }
        } dropUnused{*sheet_};
        PendingText pending;
        int depth = 0;
        while (walk.Next(r)) {
            if (r.id == kBof) { ++depth; continue; }  // an embedded chart: skipped whole
            if (r.id == kEof) {
                if (depth-- == 0) return true;
                continue;
            }
            if (depth > 0) continue;
            if (!ReadCell(r, pending) || !ReadSheetSetting(r, first)) return false;
        }
        if (limit < stream_.size()) return Damaged("two sheets overlap in the file");
        return Damaged(walk.damaged ? "a record runs past the end of the file" : "a sheet has no end");
    }

    // Every row a record of the sheet names, added empty in rising order before any cell is
    // placed: cells then find their row, and a file listing its rows backwards costs no more
    // than one listing them forwards.
    void AddRowsInOrder(std::size_t offset, std::size_t limit)
    {
        std::vector<bool> named(kExcelMaxRows);
        Biff5RecordWalker walk(stream_, offset, limit);
        Biff5Record r;
        for (int depth = 0; walk.Next(r);) {
            if (r.id == kBof) ++depth;
            if (r.id == kEof && depth-- == 0) break;
            FieldView d(r.data);
            const int row = d.U16(0);
            if (!d.Ok() || row >= kExcelMaxRows) continue;
            switch (r.id) {
            case kLabel: case kRString: case kNumber: case kRk: case kBlank: case kBoolErr:
            case kMulRk: case kMulBlank: case kFormula: case kFormulaOld: case kRow:
                named[static_cast<std::size_t>(row)] = true;
                break;
            default: break;
            }
        }
        auto& rows = sheet_->rows;
        for (int row = 0; row < kExcelMaxRows; ++row)
            if (named[static_cast<std::size_t>(row)]) rows.emplace_hint(rows.end(), row + 1, SheetRow{});
    }

    // Sizes and view state of the sheet; the print settings of the first sheet are the book's.
    bool ReadSheetSetting(const Biff5Record& r, bool first)
    {
        FieldView d(r.data);
        Worksheet& sheet = *sheet_;
        switch (r.id) {
        case kRow: {
            const int row = d.U16(0);
            const std::uint16_t height = d.U16(6);
            if (!d.Ok()) break;
            if (row >= kExcelMaxRows) return Damaged("a row lies outside the sheet");
            if (!(height & 0x8000) && (height & 0x7FFF) != sheet_units::kDefaultRowHeight)
                book_.SetRowHeight(row + 1, height & 0x7FFF);
            break;
        }
        case kColInfo: {
            const int firstCol = d.U16(0), lastCol = std::min<int>(d.U16(2), kExcelMaxCols - 1);
            const int width = d.U16(4);
            const bool hidden = d.U16(8) & 0x0001;
            if (!d.Ok()) break;
            for (int c = firstCol; c <= lastCol; ++c) book_.SetColumnWidth(c + 1, hidden ? 0 : width);
            break;
        }
        case kHeader:
        case kFooter:
            if (first) {
                std::string text;
                if (d.Size() > 0) {
                    auto t = CountedText(d, 0, 1);
                    if (!t) return Damaged("a print header runs past its record");
                    text = *t;
                }
                std::replace(text.begin(), text.end(), '\n', '\r');
                (r.id == kHeader ? book_.Print.header : book_.Print.footer) = text;
            }
            break;
        case kLeftMargin:
        case kRightMargin:
        case kTopMargin:
        case kBottomMargin: {
            const double inches = d.F64(0);
            if (first && d.Ok() && std::isfinite(inches) && inches >= 0 && inches < 50) {
                PrintSettings& p = book_.Print;
                (r.id == kLeftMargin ? p.leftMargin : r.id == kRightMargin ? p.rightMargin
                                                  : r.id == kTopMargin   ? p.topMargin
                                                                         : p.bottomMargin) = inches;
            }
            break;
        }
        case kPrintGridLines: {
            const std::uint16_t on = d.U16(0);
            if (first && d.Ok()) book_.Print.gridLines = on != 0;
            break;
        }
        case kSetup: {
            const std::uint16_t flags = d.U16(10);
            if (first && d.Ok()) {
                book_.Print.leftToRight = flags & 0x01;
                book_.Print.noColor = flags & 0x08;
            }
            break;
        }
        case kWindow2: {
            const std::uint16_t flags = d.U16(0);
            const int top = d.U16(2), left = d.U16(4);
            if (!d.Ok()) break;
            if (first) {
                book_.ShowGridLines = flags & 0x02;
                book_.ShowRowHeading = book_.ShowColHeading = flags & 0x04;
            }
            sheet.topRow = std::min(top, kExcelMaxRows - 1) + 1;
            sheet.leftCol = std::min(left, kExcelMaxCols - 1) + 1;
            break;
        }
        case kSelection: {
            auto row = [](int r0) { return std::min(r0, kExcelMaxRows - 1) + 1; };
            auto col = [](int c0) { return std::min(c0, kExcelMaxCols - 1) + 1; };
            const int activeRow = row(d.U16(1)), activeCol = col(d.U16(3));
            const CellRange s{row(d.U16(9)), col(d.U8(13)), row(d.U16(11)), col(d.U8(14))};
            if (!d.Ok()) break;
            sheet.activeRow = activeRow;
            sheet.activeCol = activeCol;
            sheet.selection = {std::min(s.row1, s.row2), std::min(s.col1, s.col2), std::max(s.row1, s.row2),
                               std::max(s.col1, s.col2)};
            break;
        }
        default: break;
        }
        return true;
    }

    std::span<const std::uint8_t> stream_;
    std::string& error_;
    TF1Book book_;
    Biff5Globals globals_;
    Worksheet* sheet_ = nullptr;  // the sheet being read
};
}  // namespace

bool StartsWithBiffBof(std::span<const std::uint8_t> stream)
{
    FieldView head(stream);
    return head.Has(0, 8) && head.U16(0) == kBof;
}

std::optional<TF1Book> ReadBiff5Stream(std::span<const std::uint8_t> stream, std::string& error)
{
    error.clear();
    return SheetsReader(stream, error).Read();
}
