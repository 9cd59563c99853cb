// Excel 5.0/95 workbook stream reader: the globals' fonts, formats, XFs, palette and sheet list,
// then each worksheet substream at its recorded offset.
#include "sheet/biff5_reader.h"

#include "platform/little_endian.h"
#include "platform/text_encoding.h"
#include "sheet/biff5_records.h"
#include "sheet/number_format.h"
#include "sheet/sheet_units.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

namespace {
using namespace biff5;

struct Record {
    std::uint16_t id = 0;
    std::span<const std::uint8_t> data;
};

// Walks the records of a stream from an offset; a length beyond the bytes left ends it with an error.
class RecordWalker {
public:
    RecordWalker(std::span<const std::uint8_t> stream, std::size_t offset) : stream_(stream), at_(offset) {}

    // False at the end of the stream or on a damaged record (then `damaged` is set).
    bool Next(Record& r)
    {
        if (at_ + 4 > stream_.size()) return false;
        r.id = LoadU16(stream_.data() + at_);
        std::size_t length = LoadU16(stream_.data() + at_ + 2);
        if (at_ + 4 + length > stream_.size()) {
            damaged = true;
            return false;
        }
        r.data = stream_.subspan(at_ + 4, length);
        at_ += 4 + length;
        return true;
    }

    bool damaged = false;

private:
    std::span<const std::uint8_t> stream_;
    std::size_t at_;
};

struct FileXf {
    int font = 0, format = 0;
    int horizontal = 0, vertical = 2, orientation = 0;
    bool wrap = false;
    int pattern = 0, patternFore = kAutoPatternFore, patternBack = kAutoPatternBack;
    int lineStyle[4] = {}, lineColour[4] = {};  // left, right, top, bottom
};

// A byte-counted text at `at` (count of `countBytes` bytes), or nothing when it runs past the record.
std::optional<std::string> CountedText(std::span<const std::uint8_t> data, std::size_t at, int countBytes)
{
    if (at + countBytes > data.size()) return std::nullopt;
    std::size_t count = countBytes == 1 ? data[at] : LoadU16(data.data() + at);
    at += static_cast<std::size_t>(countBytes);
    if (at + count > data.size()) return std::nullopt;
    return Cp1252ToUtf8(std::string(reinterpret_cast<const char*>(data.data() + at), count));
}

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

double ReadF64(const std::uint8_t* p)
{
    std::uint64_t bits = LoadU32(p) | (std::uint64_t{LoadU32(p + 4)} << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

class Biff5Reader {
public:
    Biff5Reader(std::span<const std::uint8_t> stream, std::string& error) : stream_(stream), error_(error)
    {
        std::copy(std::begin(kDefaultPalette), std::end(kDefaultPalette), palette_);
    }

    std::optional<TF1Book> Read()
    {
        if (!ReadGlobals()) return std::nullopt;
        BuildStyles();
        book_.SetNumSheets(std::max<int>(1, static_cast<int>(sheets_.size())));
        std::set<std::uint32_t> offsets;
        for (std::size_t i = 0; i < sheets_.size(); ++i) {
            if (!offsets.insert(sheets_[i].offset).second) {
                Damaged("two sheets share one place in the file");
                return std::nullopt;
            }
            book_.SetSheet(static_cast<int>(i) + 1);
            book_.SetSheetName(static_cast<int>(i) + 1, sheets_[i].name);
            if (!ReadSheet(sheets_[i].offset, i == 0)) return std::nullopt;
        }
        book_.SetSheet(std::clamp(activeSheet_ + 1, 1, book_.NumSheets()));
        return std::move(book_);
    }

private:
    struct SheetEntry {
        std::uint32_t offset;
        std::string name;
    };

    bool Damaged(const std::string& what)
    {
        error_ = "The workbook is damaged (" + what + ").";
        return false;
    }

    bool Refuse(const std::string& message)
    {
        error_ = message;
        return false;
    }

    bool CheckBof(const Record& r, std::uint16_t type)
    {
        if (r.id != kBof || r.data.size() < 4) {
            if ((r.id & 0x00FF) == 0x09 && r.id != kBof)
                return Refuse("The file is a workbook of a spreadsheet version older than Excel 5.0; only Excel 5.0/95 workbooks can be read.");
            return Refuse("The file is not an Excel 5.0 workbook.");
        }
        std::uint16_t version = LoadU16(r.data.data());
        std::uint16_t dt = LoadU16(r.data.data() + 2);
        if (version == kVersionBiff8)
            return Refuse("The file is an Excel 97 or later workbook; only Excel 5.0/95 workbooks can be read. Save it in the Excel 5.0/95 format first.");
        if (version != kVersionBiff5) return Refuse("The file is not an Excel 5.0 workbook.");
        if (dt != type) return Refuse("The file is not an Excel 5.0 workbook.");
        return true;
    }

    bool ReadGlobals()
    {
        RecordWalker walk(stream_, 0);
        Record r;
        if (!walk.Next(r) || !CheckBof(r, kBofGlobals)) {
            if (error_.empty()) error_ = "The file is not an Excel 5.0 workbook.";
            return false;
        }
        while (walk.Next(r)) {
            const auto& d = r.data;
            switch (r.id) {
            case kEof: return true;
            case kFilePass: return Refuse("The workbook is password-protected and cannot be read.");
            case kFont:
                if (d.size() < 15) return Damaged("a short font record");
                ReadFont(d);
                break;
            case kFormat:
                if (d.size() >= 3) {
                    auto text = CountedText(d, 2, 1);
                    if (!text) return Damaged("a format record runs past its end");
                    formats_[LoadU16(d.data())] = *text;
                }
                break;
            case kXf:
                if (d.size() < 16) return Damaged("a short XF record");
                if (xfs_.size() < 4096) ReadXf(d);
                break;
            case kPalette:
                if (d.size() >= 2) {
                    std::size_t count = std::min<std::size_t>(LoadU16(d.data()), kPaletteSize);
                    if (d.size() < 2 + 4 * count) return Damaged("a short palette record");
                    for (std::size_t i = 0; i < count; ++i) palette_[i] = LoadU32(d.data() + 2 + 4 * i) & 0xFFFFFFu;
                }
                break;
            case kBoundSheet: {
                if (d.size() < 7) return Damaged("a short sheet record");
                auto name = CountedText(d, 6, 1);
                if (!name) return Damaged("a sheet name runs past its record");
                std::uint32_t offset = LoadU32(d.data());
                if (offset >= stream_.size()) return Damaged("a sheet lies beyond the end of the file");
                if (d[5] == 0 && sheets_.size() < 256) sheets_.push_back({offset, *name});  // worksheets only
                break;
            }
            case kWindow1:
                if (d.size() >= 12) activeSheet_ = LoadU16(d.data() + 10);
                break;
            default: break;
            }
        }
        return Damaged(walk.damaged ? "a record runs past the end of the file" : "the workbook's globals have no end");
    }

    void ReadFont(std::span<const std::uint8_t> d)
    {
        if (fonts_.size() == 4) fonts_.push_back({CellFont{}, kAutoFontColour});  // index 4 is not in the file
        CellFont f;
        f.heightTwips = std::clamp<int>(LoadU16(d.data()), 20, 409 * 20);
        std::uint16_t flags = LoadU16(d.data() + 2);
        std::uint16_t colour = LoadU16(d.data() + 4);
        std::uint16_t weight = LoadU16(d.data() + 6);
        f.bold = weight >= 600 || (flags & 0x01);
        f.italic = flags & 0x02;
        f.underline = d[10] != 0 || (flags & 0x04);
        f.strikeout = flags & 0x08;
        f.outline = flags & 0x10;
        f.shadow = flags & 0x20;
        if (auto name = CountedText(d, 14, 1); name && !name->empty()) f.name = *name;
        fonts_.push_back({f, colour});
    }

    void ReadXf(std::span<const std::uint8_t> d)
    {
        FileXf x;
        x.font = LoadU16(d.data());
        x.format = LoadU16(d.data() + 2);
        x.horizontal = d[6] & 0x07;
        x.wrap = d[6] & 0x08;
        x.vertical = (d[6] >> 4) & 0x07;
        x.orientation = d[7] & 0x03;
        std::uint32_t fill = LoadU32(d.data() + 8);
        std::uint32_t lines = LoadU32(d.data() + 12);
        x.patternFore = fill & 0x7F;
        x.patternBack = (fill >> 7) & 0x7F;
        x.pattern = (fill >> 16) & 0x3F;
        x.lineStyle[3] = (fill >> 22) & 0x07;
        x.lineColour[3] = (fill >> 25) & 0x7F;
        x.lineStyle[2] = lines & 0x07;
        x.lineStyle[0] = (lines >> 3) & 0x07;
        x.lineStyle[1] = (lines >> 6) & 0x07;
        x.lineColour[2] = (lines >> 9) & 0x7F;
        x.lineColour[0] = (lines >> 16) & 0x7F;
        x.lineColour[1] = (lines >> 23) & 0x7F;
        xfs_.push_back(x);
    }

    // A palette index as a colour; indices without a colour are automatic.
    std::uint32_t Colour(int index) const
    {
        static constexpr std::uint32_t kBuiltin[8] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00,
                                                      0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};
        if (index >= 0 && index < kPaletteFirst) return kBuiltin[index];
        if (index >= kPaletteFirst && index < kPaletteFirst + kPaletteSize) return palette_[index - kPaletteFirst];
        return kAutoColour;
    }

    std::string FormatText(int index) const
    {
        if (auto it = formats_.find(index); it != formats_.end()) return it->second;
        for (const BuiltinFormat& f : kBuiltinFormats)
            if (f.index == index) return f.text;
        return "General";
    }

    void BuildStyles()
    {
        for (auto& [font, colour] : fonts_) font.colour = Colour(colour);
        styleOfXf_.clear();
        for (const FileXf& x : xfs_) {
            CellStyle s;
            if (x.font >= 0 && x.font < static_cast<int>(fonts_.size())) s.font = fonts_[static_cast<std::size_t>(x.font)].first;
            s.numberFormat = FormatText(x.format);
            s.horizontal = x.horizontal <= 6 ? x.horizontal + 1 : 1;
            s.vertical = x.vertical <= 2 ? x.vertical + 1 : 3;
            s.orientation = x.orientation;
            s.wrap = x.wrap;
            s.pattern = x.pattern <= 18 ? x.pattern : 0;
            if (s.pattern) {
                s.patternFore = Colour(x.patternFore);
                s.patternBack = Colour(x.patternBack);
            }
            BorderLine* lines[4] = {&s.left, &s.right, &s.top, &s.bottom};
            for (int k = 0; k < 4; ++k) {
                lines[k]->style = x.lineStyle[k];
                std::uint32_t c = Colour(x.lineColour[k]);
                lines[k]->colour = x.lineStyle[k] && c != kAutoColour ? c : 0;
            }
            styleOfXf_.push_back(book_.Styles().Intern(s));
        }
    }

    std::uint32_t StyleOfXf(std::uint16_t xf) const { return xf < styleOfXf_.size() ? styleOfXf_[xf] : 0; }

    // Row and column of a cell record, checked against the sheet's limits.
    bool CellPlace(std::span<const std::uint8_t> d, std::size_t need, int& row, int& col)
    {
        if (d.size() < need) {
            return Damaged("a short cell record");
        }
        row = LoadU16(d.data());
        col = LoadU16(d.data() + 2);
        if (row >= kExcelMaxRows || col >= kExcelMaxCols) {
            return Damaged("a cell lies outside the sheet");
        }
        return true;
    }

    Cell& Place(int row, int col, std::uint16_t xf)
    {
        Cell& c = book_.SheetAt(book_.Sheet()).At(row + 1, col + 1);
        c.style = StyleOfXf(xf);
        return c;
    }

    void Number(int row, int col, std::uint16_t xf, double v)
    {
        Cell& c = Place(row, col, xf);
        c.kind = CellKind::Number;
        c.number = v;
    }

    void Text(int row, int col, std::uint16_t xf, const std::string& text)
    {
        Cell& c = Place(row, col, xf);
        c.kind = text.empty() ? CellKind::Empty : CellKind::Text;
        c.text = text;
    }

    bool ReadCell(const Record& r, int& pendingRow, int& pendingCol, std::uint16_t& pendingXf)
    {
        const auto& d = r.data;
        int row = 0, col = 0;
        switch (r.id) {
        case kLabel:
        case kRString: {
            if (!CellPlace(d, 8, row, col)) return false;
            auto text = CountedText(d, 6, 2);
            if (!text) return Damaged("a label runs past its record");
            Text(row, col, LoadU16(d.data() + 4), *text);
            return true;
        }
        case kNumber:
            if (!CellPlace(d, 14, row, col)) return false;
            Number(row, col, LoadU16(d.data() + 4), ReadF64(d.data() + 6));
            return true;
        case kRk:
            if (!CellPlace(d, 10, row, col)) return false;
            Number(row, col, LoadU16(d.data() + 4), RkValue(LoadU32(d.data() + 6)));
            return true;
        case kBlank:
            if (!CellPlace(d, 6, row, col)) return false;
            Place(row, col, LoadU16(d.data() + 4));
            return true;
        case kBoolErr: {
            if (!CellPlace(d, 8, row, col)) return false;
            static const std::map<int, std::string> kErrors = {{0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"},
                                                               {0x17, "#REF!"},  {0x1D, "#NAME?"},  {kErrorNum, "#NUM!"},
                                                               {0x2A, "#N/A"}};
            std::string text = d[7] ? (kErrors.count(d[6]) ? kErrors.at(d[6]) : "#N/A") : (d[6] ? "TRUE" : "FALSE");
            Text(row, col, LoadU16(d.data() + 4), text);
            return true;
        }
        case kMulRk:
        case kMulBlank: {
            if (!CellPlace(d, 6, row, col)) return false;
            std::size_t item = r.id == kMulRk ? 6 : 2;
            std::size_t count = (d.size() - 6) / item;
            if ((d.size() - 6) % item != 0 || col + static_cast<int>(count) > kExcelMaxCols)
                return Damaged("a multiple-cell record does not fit");
            for (std::size_t k = 0; k < count; ++k) {
                const std::uint8_t* p = d.data() + 4 + k * item;
                if (r.id == kMulRk) Number(row, col + static_cast<int>(k), LoadU16(p), RkValue(LoadU32(p + 2)));
                else Place(row, col + static_cast<int>(k), LoadU16(p));
            }
            return true;
        }
        case kFormula:
        case kFormulaOld: {
            if (!CellPlace(d, 14, row, col)) return false;
            std::uint16_t xf = LoadU16(d.data() + 4);
            const std::uint8_t* result = d.data() + 6;
            if (LoadU16(result + 6) != 0xFFFF) {
                Number(row, col, xf, ReadF64(result));
            } else if (result[0] == 0) {  // the text follows in a STRING record
                pendingRow = row, pendingCol = col, pendingXf = xf;
            } else if (result[0] == 1) {
                Text(row, col, xf, result[2] ? "TRUE" : "FALSE");
            } else {
                Place(row, col, xf);
            }
            return true;
        }
        case kString:
            if (pendingRow >= 0) {
                auto text = CountedText(d, 0, 2);
                if (!text) return Damaged("a formula text runs past its record");
                Text(pendingRow, pendingCol, pendingXf, *text);
                pendingRow = -1;
            }
            return true;
        default: return true;
        }
    }

    bool ReadSheet(std::uint32_t offset, bool first)
    {
        RecordWalker walk(stream_, offset);
        Record r;
        if (!walk.Next(r) || r.id != kBof) return Damaged("a sheet does not start where the sheet list says");
        if (!CheckBof(r, kBofWorksheet)) return false;
        Worksheet& sheet = book_.SheetAt(book_.Sheet());
        int pendingRow = -1, pendingCol = 0, depth = 0;
        std::uint16_t pendingXf = 0;
        while (walk.Next(r)) {
            const auto& d = r.data;
            if (r.id == kBof) { ++depth; continue; }  // an embedded chart: skipped whole
            if (r.id == kEof) {
                if (depth-- == 0) return true;
                continue;
            }
            if (depth > 0) continue;
            if (!ReadCell(r, pendingRow, pendingCol, pendingXf)) return false;
            switch (r.id) {
            case kRow:
                if (d.size() >= 16) {
                    int row = LoadU16(d.data());
                    std::uint16_t height = LoadU16(d.data() + 6);
                    if (row >= kExcelMaxRows) return Damaged("a row lies outside the sheet");
                    if (!(height & 0x8000) && (height & 0x7FFF) != sheet_units::kDefaultRowHeight)
                        book_.SetRowHeight(row + 1, height & 0x7FFF);
                }
                break;
            case kColInfo:
                if (d.size() >= 10) {
                    int firstCol = LoadU16(d.data()), lastCol = std::min<int>(LoadU16(d.data() + 2), kExcelMaxCols - 1);
                    int width = (LoadU16(d.data() + 8) & 0x0001) ? 0 : LoadU16(d.data() + 4);
                    for (int c = firstCol; c <= lastCol; ++c) book_.SetColumnWidth(c + 1, width);
                }
                break;
            case kHeader:
            case kFooter:
                if (first) {
                    std::string text;
                    if (!d.empty()) {
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
            case kBottomMargin:
                if (first && d.size() >= 8) {
                    double inches = ReadF64(d.data());
                    if (std::isfinite(inches) && inches >= 0 && inches < 50) {
                        PrintSettings& p = book_.Print;
                        (r.id == kLeftMargin ? p.leftMargin : r.id == kRightMargin ? p.rightMargin
                                                          : r.id == kTopMargin   ? p.topMargin
                                                                                 : p.bottomMargin) = inches;
                    }
                }
                break;
            case kPrintGridLines:
                if (first && d.size() >= 2) book_.Print.gridLines = LoadU16(d.data()) != 0;
                break;
            case kSetup:
                if (first && d.size() >= 12) {
                    std::uint16_t flags = LoadU16(d.data() + 10);
                    book_.Print.leftToRight = flags & 0x01;
                    book_.Print.noColor = flags & 0x08;
                }
                break;
            case kWindow2:
                if (d.size() >= 6) {
                    std::uint16_t flags = LoadU16(d.data());
                    if (first) {
                        book_.ShowGridLines = flags & 0x02;
                        book_.ShowRowHeading = book_.ShowColHeading = flags & 0x04;
                    }
                    sheet.topRow = std::min<int>(LoadU16(d.data() + 2), kExcelMaxRows - 1) + 1;
                    sheet.leftCol = std::min<int>(LoadU16(d.data() + 4), kExcelMaxCols - 1) + 1;
                }
                break;
            case kSelection:
                if (d.size() >= 15) {
                    auto row = [](int r0) { return std::min(r0, kExcelMaxRows - 1) + 1; };
                    auto col = [](int c0) { return std::min(c0, kExcelMaxCols - 1) + 1; };
                    sheet.activeRow = row(LoadU16(d.data() + 1));
                    sheet.activeCol = col(LoadU16(d.data() + 3));
                    CellRange s{row(LoadU16(d.data() + 9)), col(d[13]), row(LoadU16(d.data() + 11)), col(d[14])};
                    sheet.selection = {std::min(s.row1, s.row2), std::min(s.col1, s.col2), std::max(s.row1, s.row2),
                                       std::max(s.col1, s.col2)};
                }
                break;
            default: break;
            }
        }
        return Damaged(walk.damaged ? "a record runs past the end of the file" : "a sheet has no end");
    }

    std::span<const std::uint8_t> stream_;
    std::string& error_;
    TF1Book book_;
    std::vector<std::pair<CellFont, std::uint16_t>> fonts_;  // with its palette index
    std::map<int, std::string> formats_;
    std::vector<FileXf> xfs_;
    std::vector<std::uint32_t> styleOfXf_;
    std::uint32_t palette_[kPaletteSize] = {};
    std::vector<SheetEntry> sheets_;
    int activeSheet_ = 0;
};
}  // namespace

bool StartsWithBiffBof(std::span<const std::uint8_t> stream)
{
    return stream.size() >= 8 && LoadU16(stream.data()) == kBof;
}

std::optional<TF1Book> ReadBiff5Stream(std::span<const std::uint8_t> stream, std::string& error)
{
    error.clear();
    return Biff5Reader(stream, error).Read();
}
