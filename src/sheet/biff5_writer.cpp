// Excel 5.0 workbook stream writer: globals (code page, fonts, formats, XFs, palette, sheet list),
// then one substream per sheet with its settings, row records and cells.
#include "sheet/biff5_writer.h"

#include "platform/little_endian.h"
#include "platform/text_encoding.h"
#include "sheet/biff5_records.h"
#include "sheet/compound_file_writer.h"
#include "sheet/number_format.h"
#include "sheet/sheet_units.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <string_view>

namespace {
using namespace biff5;

void Record(ByteWriter& out, std::uint16_t id, const ByteWriter& body)
{
    out.U16(id);
    out.U16(static_cast<std::uint16_t>(body.Size()));
    out.Bytes(body.Data().data(), body.Size());
}

void EmptyRecord(ByteWriter& out, std::uint16_t id)
{
    out.U16(id);
    out.U16(0);
}

void Word(ByteWriter& out, std::uint16_t id, std::uint16_t value)
{
    ByteWriter body;
    body.U16(value);
    Record(out, id, body);
}

void Real(ByteWriter& out, std::uint16_t id, double value)
{
    ByteWriter body;
    body.F64(value);
    Record(out, id, body);
}

void Bof(ByteWriter& out, std::uint16_t type)
{
    ByteWriter body;
    body.U16(kVersionBiff5);
    body.U16(type);
    body.U16(0x096C);  // build and year of Excel 5.0
    body.U16(0x07C9);
    Record(out, kBof, body);
}

// Palette indices for every colour the book uses: the default palette where it has the colour,
// replaced entries (from the end) for the others.
class PaletteBuilder {
public:
    PaletteBuilder() { std::copy(std::begin(kDefaultPalette), std::end(kDefaultPalette), entries_); }

    void Need(std::uint32_t colour)
    {
        if (colour != kAutoColour) needed_.insert(colour & 0xFFFFFFu);
    }

    bool Build()
    {
        bool fixed[kPaletteSize] = {};
        std::vector<std::uint32_t> missing;
        for (std::uint32_t c : needed_) {
            const std::uint32_t* at = std::find(std::begin(entries_), std::end(entries_), c);
            if (at == std::end(entries_)) missing.push_back(c);
            else fixed[at - entries_] = true, index_[c] = static_cast<std::uint16_t>(kPaletteFirst + (at - entries_));
        }
        int slot = kPaletteSize - 1;
        for (std::uint32_t c : missing) {
            while (slot >= 0 && fixed[slot]) --slot;
            if (slot < 0) return false;
            entries_[slot] = c;
            fixed[slot] = true;
            index_[c] = static_cast<std::uint16_t>(kPaletteFirst + slot);
        }
        return true;
    }

    std::uint16_t Index(std::uint32_t colour, std::uint16_t automatic) const
    {
        if (colour == kAutoColour) return automatic;
        auto it = index_.find(colour & 0xFFFFFFu);
        return it == index_.end() ? automatic : it->second;
    }

    void Write(ByteWriter& out) const
    {
        ByteWriter body;
        body.U16(kPaletteSize);
        for (std::uint32_t c : entries_) body.U32(c & 0xFFFFFFu);  // R, G, B, 0 in file order
        Record(out, kPalette, body);
    }

private:
    std::uint32_t entries_[kPaletteSize];
    std::set<std::uint32_t> needed_;
    std::map<std::uint32_t, std::uint16_t> index_;
};

// Excel 5.0 has eight line styles; the later dashed variants get the nearest of them.
std::uint32_t FileLineStyle(int style)
{
    static constexpr int kNearest[14] = {0, 1, 2, 3, 4, 5, 6, 7, 2, 3, 2, 4, 2, 2};
    return static_cast<std::uint32_t>(style >= 0 && style < 14 ? kNearest[style] : 0);
}

int BuiltinFormatIndex(const std::string& format)
{
    if (IsGeneralFormat(format)) return 0;
    for (const BuiltinFormat& f : kBuiltinFormats)
        if (format == f.text) return f.index;
    return -1;
}

bool ByteString(ByteWriter& body, const std::string& utf8, std::size_t limit)
{
    std::string bytes = ToCp1252(utf8);
    if (bytes.size() > limit) return false;
    body.U8(static_cast<std::uint8_t>(bytes.size()));
    body.Chars(bytes);
    return true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A label's Windows-1252 bytes: ASCII as it stands, other texts converted.
class LabelBytes {
public:
    explicit LabelBytes(std::string_view text)
        : ascii_(std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; })),
          text_(text), converted_(ascii_ ? std::string() : ToCp1252(text))
    {
    }
    std::string_view view() const { return ascii_ ? text_ : std::string_view(converted_); }
    std::size_t size() const { return view().size(); }

private:
    bool ascii_;
    std::string_view text_;
    std::string converted_;
};

// The fields of a record stored straight into the stream: 16-bit words, then the rest.
void StoreWords(std::uint8_t* at, std::initializer_list<std::uint16_t> words)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(at, words.begin(), 2 * words.size());
    } else {
        for (std::uint16_t w : words) {
            StoreU16(at, w);
            at += 2;
        }
    }
}

class Biff5Writer {
public:
    // The stream is written after `room` bytes at the start of the result (a compound file's header).
    Biff5Writer(const TF1Book& book, std::string& error, std::size_t room) : book_(book), error_(error), room_(room) {}

    std::optional<std::vector<std::uint8_t>> Write()
    {
        if (!CheckSheets() || !CollectStyles()) return std::nullopt;
        // With room for a compound file's tables after the stream (4 bytes for every 512).
        const std::size_t most = cellBytes_ + 65536;
        out_.Reserve(room_ + most + (room_ ? most / 64 + 4096 : 0));
        out_.Zeros(room_);
        Bof(out_, kBofGlobals);
        Word(out_, kCodePage, kCodePage1252);
        WriteWindow1();
        Word(out_, kDateMode, 0);
        WriteFonts();
        WriteFormats();
        WriteXfs();
        WriteStyle();
        palette_.Write(out_);
        std::vector<std::size_t> offsetFields;
        for (int s = 1; s <= book_.NumSheets(); ++s) {
            ByteWriter body;
            offsetFields.push_back(out_.Size() + 4);
            body.U32(0);  // stream offset of the sheet's BOF, set below
            body.U16(0);  // visible worksheet
            ByteString(body, book_.SheetName(s), 31);
            Record(out_, kBoundSheet, body);
        }
        EmptyRecord(out_, kEof);
        std::vector<std::uint32_t> sheetOffsets;
        for (int s = 1; s <= book_.NumSheets(); ++s) {
            sheetOffsets.push_back(static_cast<std::uint32_t>(out_.Size() - room_));
            if (!WriteSheet(out_, s)) return std::nullopt;
        }
        std::vector<std::uint8_t> stream = out_.Take();
        for (std::size_t i = 0; i < sheetOffsets.size(); ++i) StoreU32(stream.data() + offsetFields[i], sheetOffsets[i]);
        return stream;
    }

private:
    bool Fail(const std::string& message)
    {
        error_ = message;
        return false;
    }

    bool CheckSheets()
    {
        std::set<std::string> names;
        for (int s = 1; s <= book_.NumSheets(); ++s) {
            const Worksheet& sheet = book_.SheetAt(s);
            std::string name = ToCp1252(sheet.name);
            if (name.empty() || name.size() > kExcelMaxSheetName || name.find_first_of(kSheetNameForbidden) != std::string::npos)
                return Fail("The sheet name " + Quoted(sheet.name) +
                            " cannot be saved in Excel 5.0 format: a sheet name has 1 to 31 characters and none of [ ] : * ? / \\.");
            std::string lower = name;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (!names.insert(lower).second) return Fail("Two sheets are named " + Quoted(sheet.name) + ".");
            int rows = sheet.LastRow(), cols = sheet.LastCol();
            if (rows > kExcelMaxRows)
                return Fail("Sheet " + Quoted(sheet.name) + " has " + std::to_string(rows) +
                            " rows; an Excel 5.0 sheet holds at most 16384 rows.");
            if (cols > kExcelMaxCols)
                return Fail("Sheet " + Quoted(sheet.name) + " has " + std::to_string(cols) +
                            " columns; an Excel 5.0 sheet holds at most 256 columns.");
        }
        return true;
    }

    bool CollectStyles()
    {
        const StyleTable& styles = book_.Styles();
        xfOfStyle_.assign(styles.Count(), -1);
        xfOfStyle_[0] = kDefaultCellXf;
        usedStyles_.push_back(0);
        for (int s = 1; s <= book_.NumSheets(); ++s)
            for (const auto& [r, row] : book_.SheetAt(s).rows) {
                cellBytes_ += 20;  // for reserving the stream: the row record
                for (const Cell& cell : row.cells) {
                    cellBytes_ += 18 + book_.TextOf(cell).size();  // and a number record, or a label with its text
                    if (xfOfStyle_[cell.style] < 0) {
                        xfOfStyle_[cell.style] = kDefaultCellXf + static_cast<int>(usedStyles_.size());
                        usedStyles_.push_back(cell.style);
                    }
                }
            }
        if (kDefaultCellXf + static_cast<int>(usedStyles_.size()) > kMaxXf)
            return Fail("The book has too many different cell formats for an Excel 5.0 file.");
        for (std::uint32_t id : usedStyles_) {
            const CellStyle& st = styles.Get(id);
            if (std::find(fonts_.begin(), fonts_.end(), st.font) == fonts_.end()) fonts_.push_back(st.font);
            if (BuiltinFormatIndex(st.numberFormat) < 0 && !formats_.count(st.numberFormat)) {
                if (ToCp1252(st.numberFormat).size() > 255)
                    return Fail("The number format " + Quoted(st.numberFormat.substr(0, 40) + "...") +
                                " is longer than the 255 characters an Excel 5.0 file holds.");
                int index = kFirstCustomFormat + static_cast<int>(formats_.size());
                formats_[st.numberFormat] = index;
            }
            palette_.Need(st.font.colour);
            palette_.Need(st.patternFore);
            palette_.Need(st.patternBack);
            for (const BorderLine* line : {&st.left, &st.right, &st.top, &st.bottom})
                if (line->style > 0) palette_.Need(line->colour);
        }
        if (fonts_.size() > 400) return Fail("The book has too many different fonts for an Excel 5.0 file.");
        if (!palette_.Build()) return Fail("The book uses more than 56 different colours, more than an Excel 5.0 file holds.");
        return true;
    }

    void WriteWindow1()
    {
        ByteWriter body;
        body.U16(0x0168);
        body.U16(0x001E);
        body.U16(0x3A5C);
        body.U16(0x2328);
        body.U16(0x0038);  // horizontal and vertical scroll bars, sheet tabs
        body.U16(static_cast<std::uint16_t>(book_.Sheet() - 1));
        body.U16(0);
        body.U16(1);
        body.U16(0x0258);
        Record(out_, kWindow1, body);
    }

    void WriteFont(const CellFont& font)
    {
        ByteWriter body;
        body.U16(static_cast<std::uint16_t>(font.heightTwips));
        // Bold and underline also as the older option bits, which some readers take instead.
        body.U16(static_cast<std::uint16_t>((font.bold ? 0x01 : 0) | (font.italic ? 0x02 : 0) |
                                            (font.underline ? 0x04 : 0) | (font.strikeout ? 0x08 : 0) |
                                            (font.outline ? 0x10 : 0) | (font.shadow ? 0x20 : 0)));
        body.U16(palette_.Index(font.colour, kAutoFontColour));
        body.U16(font.bold ? 700 : 400);
        body.U16(0);
        body.U8(font.underline ? 1 : 0);
        body.U8(2);  // swiss family
        body.U8(0);  // ANSI character set
        body.U8(0);
        std::string name = ToCp1252(font.name).substr(0, 255);
        body.U8(static_cast<std::uint8_t>(name.size()));
        body.Chars(name);
        Record(out_, kFont, body);
    }

    // The first four font records are the default font; font index 4 does not exist in the file.
    void WriteFonts()
    {
        for (int i = 0; i < 4; ++i) WriteFont(fonts_[0]);
        for (std::size_t i = 1; i < fonts_.size(); ++i) WriteFont(fonts_[i]);
    }

    std::uint16_t FontIndex(const CellFont& font) const
    {
        std::size_t i = static_cast<std::size_t>(std::find(fonts_.begin(), fonts_.end(), font) - fonts_.begin());
        return static_cast<std::uint16_t>(i == 0 ? 0 : i + 4);
    }

    void WriteFormats()
    {
        for (const auto& [text, index] : formats_) {
            ByteWriter body;
            body.U16(static_cast<std::uint16_t>(index));
            ByteString(body, text, 255);
            Record(out_, kFormat, body);
        }
    }

    void WriteXf(const CellStyle& st, bool styleXf)
    {
        ByteWriter body;
        body.U16(FontIndex(st.font));
        int format = BuiltinFormatIndex(st.numberFormat);
        body.U16(static_cast<std::uint16_t>(format >= 0 ? format : formats_.at(st.numberFormat)));
        body.U16(styleXf ? 0xFFF5 : 0x0001);  // locked; a style has no parent, a cell XF has style 0
        body.U8(static_cast<std::uint8_t>((st.horizontal - 1) | (st.wrap ? 0x08 : 0) | ((st.vertical - 1) << 4)));
        body.U8(static_cast<std::uint8_t>(st.orientation | (styleXf ? 0 : 0xFC)));
        auto colour = [&](const BorderLine& line) {
            return line.style > 0 ? std::uint32_t{palette_.Index(line.colour, kPaletteFirst)} : 0u;
        };
        std::uint32_t fore = palette_.Index(st.patternFore, kAutoPatternFore);
        std::uint32_t back = palette_.Index(st.patternBack, kAutoPatternBack);
        body.U32(fore | (back << 7) | (static_cast<std::uint32_t>(st.pattern) << 16) |
                 (FileLineStyle(st.bottom.style) << 22) | (colour(st.bottom) << 25));
        body.U32(FileLineStyle(st.top.style) | (FileLineStyle(st.left.style) << 3) |
                 (FileLineStyle(st.right.style) << 6) | (colour(st.top) << 9) | (colour(st.left) << 16) |
                 (colour(st.right) << 23));
        Record(out_, kXf, body);
    }

    void WriteXfs()
    {
        const CellStyle normal;
        for (int i = 0; i < kStyleXfCount; ++i) WriteXf(normal, true);
        for (std::uint32_t id : usedStyles_) WriteXf(book_.Styles().Get(id), false);
    }

    void WriteStyle()
    {
        ByteWriter body;
        body.U16(0x8000);  // built-in style on XF 0
        body.U8(0);        // "Normal"
        body.U8(0xFF);
        Record(out_, kStyle, body);
    }

    bool WriteHeaderText(ByteWriter& out, std::uint16_t id, const std::string& text, const std::string& sheetName)
    {
        std::string file = text;
        std::replace(file.begin(), file.end(), '\r', '\n');  // the file's line break is LF
        ByteWriter body;
        if (!file.empty() && !ByteString(body, file, 255))
            return Fail("The print " + std::string(id == kHeader ? "header" : "footer") + " of sheet " +
                        Quoted(sheetName) + " is longer than the 255 characters an Excel 5.0 file holds.");
        Record(out, id, body);
        return true;
    }

    bool WritePageSettings(ByteWriter& out, const Worksheet& sheet)
    {
        const PrintSettings& p = book_.Print;
        Word(out, kPrintHeaders, 0);
        Word(out, kPrintGridLines, p.gridLines ? 1 : 0);
        Word(out, kGridSet, 1);
        ByteWriter rowHeight;
        rowHeight.U16(0);
        rowHeight.U16(sheet_units::kDefaultRowHeight);
        Record(out, kDefaultRowHeight, rowHeight);
        if (!WriteHeaderText(out, kHeader, p.header, sheet.name) || !WriteHeaderText(out, kFooter, p.footer, sheet.name))
            return false;
        Real(out, kLeftMargin, p.leftMargin);
        Real(out, kRightMargin, p.rightMargin);
        Real(out, kTopMargin, p.topMargin);
        Real(out, kBottomMargin, p.bottomMargin);
        ByteWriter setup;
        setup.U16(9);    // A4
        setup.U16(100);  // scale
        setup.U16(1);    // first page number
        setup.U16(1);
        setup.U16(1);
        setup.U16(static_cast<std::uint16_t>((p.leftToRight ? 0x01 : 0) | 0x02 | (p.noColor ? 0x08 : 0)));
        setup.U16(300);
        setup.U16(300);
        setup.F64(0.5);  // header margin
        setup.F64(0.5);  // footer margin
        setup.U16(1);
        Record(out, kSetup, setup);
        return true;
    }

    void WriteColumns(ByteWriter& out, const Worksheet& sheet)
    {
        Word(out, kDefColWidth, 8);
        const auto& widths = sheet.columnWidths;
        int count = std::min(static_cast<int>(widths.size()), kExcelMaxCols);
        for (int c = 0; c < count;) {
            int width = widths[static_cast<std::size_t>(c)];
            int last = c;
            while (last + 1 < count && widths[static_cast<std::size_t>(last + 1)] == width) ++last;
            if (width >= 0) {
                ByteWriter body;
                body.U16(static_cast<std::uint16_t>(c));
                body.U16(static_cast<std::uint16_t>(last));
                body.U16(static_cast<std::uint16_t>(width));
                body.U16(kDefaultCellXf);
                body.U16(0);
                body.U16(0);
                Record(out, kColInfo, body);
            }
            c = last + 1;
        }
    }

    // Rows go in blocks of 32: the block's row records, then its cells.
    bool WriteCells(ByteWriter& out, const Worksheet& sheet)
    {
        const auto end = sheet.rows.upper_bound(kExcelMaxRows);
        for (auto block = sheet.rows.begin(); block != end;) {
            auto next = block;
            while (next != end && (next->first - 1) / 32 == (block->first - 1) / 32) ++next;
            for (auto it = block; it != next; ++it) WriteRowRecord(out, it->second, it->first - 1);
            for (auto it = block; it != next; ++it)
                if (!WriteRowCells(out, sheet, it->second, it->first - 1)) return false;
            block = next;
        }
        return true;
    }

    void WriteRowRecord(ByteWriter& out, const SheetRow& row, int r)
    {
        int first = -1, last = -1;
        for (const Cell& cell : row.cells)
            if (cell.col <= kExcelMaxCols && HasContent(cell)) {
                if (first < 0) first = cell.col - 1;
                last = cell.col - 1;
            }
        if (first < 0 && row.height < 0) return;
        const auto height = row.height < 0 ? static_cast<std::uint16_t>(0x8000 | sheet_units::kDefaultRowHeight)
                                           : static_cast<std::uint16_t>(row.height);
        StoreWords(out.Extend(20), {kRow, 16, static_cast<std::uint16_t>(r), static_cast<std::uint16_t>(first < 0 ? 0 : first),
                                    static_cast<std::uint16_t>(first < 0 ? 0 : last + 1), height, 0, 0,
                                    static_cast<std::uint16_t>(0x0100 | (row.height < 0 ? 0 : 0x40)), kDefaultCellXf});
    }

    // Cell records go straight into the stream, a row's at once: a sheet has up to four million.
    bool WriteRowCells(ByteWriter& out, const Worksheet& sheet, const SheetRow& row, int r)
    {
        // The row's bytes first, so that its records are stored into room taken once.
        std::size_t bytes = 0;
        for (const Cell& cell : row.cells) {
            if (cell.col > kExcelMaxCols) break;
            if (!HasContent(cell)) continue;
            if (cell.kind == CellKind::Number) bytes += std::isfinite(cell.number) ? 18 : 12;
            else if (cell.kind == CellKind::Text) bytes += 12 + LabelBytes(book_.TextOf(cell)).size();
            else bytes += 10;
        }
        std::uint8_t* at = out.Extend(bytes);
        for (const Cell& cell : row.cells) {
            if (cell.col > kExcelMaxCols) break;
            if (!HasContent(cell)) continue;
            const int c = cell.col - 1;
            // The record's id, length, row, column and XF; its own fields follow.
            auto place = [&](std::uint16_t id, std::size_t length) {
                StoreWords(at, {id, static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(r),
                                static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(xfOfStyle_[cell.style])});
                std::uint8_t* fields = at + 10;
                at += 4 + length;
                return fields;
            };
            if (cell.kind == CellKind::Number && !std::isfinite(cell.number)) {
                // No number record holds infinity or "not a number": the cell shows the error #NUM!.
                std::uint8_t* fields = place(kBoolErr, 8);
                fields[0] = kErrorNum;
                fields[1] = 1;
            } else if (cell.kind == CellKind::Number) {
                const auto bits = std::bit_cast<std::uint64_t>(cell.number);
                std::uint8_t* fields = place(kNumber, 14);
                StoreU32(fields, static_cast<std::uint32_t>(bits));
                StoreU32(fields + 4, static_cast<std::uint32_t>(bits >> 32));
            } else if (cell.kind == CellKind::Text) {
                const LabelBytes label(book_.TextOf(cell));
                if (label.size() > static_cast<std::size_t>(kExcelMaxLabel))
                    return Fail("Cell " + CellReference(r + 1, c + 1) + " of sheet " + Quoted(sheet.name) + " holds " +
                                std::to_string(label.size()) +
                                " characters; an Excel 5.0 cell holds at most 255 characters.");
                std::uint8_t* fields = place(kLabel, 8 + label.size());
                StoreU16(fields, static_cast<std::uint16_t>(label.size()));
                std::copy(label.view().begin(), label.view().end(), fields + 2);
            } else {
                place(kBlank, 6);
            }
        }
        return true;
    }

    void WriteWindow2(ByteWriter& out, int s)
    {
        const Worksheet& sheet = book_.SheetAt(s);
        ByteWriter body;
        bool headings = book_.ShowRowHeading || book_.ShowColHeading;
        body.U16(static_cast<std::uint16_t>((book_.ShowGridLines ? 0x02 : 0) | (headings ? 0x04 : 0) | 0x10 | 0x20 |
                                            0x80 | (s == book_.Sheet() ? 0x0600 : 0)));
        body.U16(static_cast<std::uint16_t>(std::min(sheet.topRow, kExcelMaxRows) - 1));
        body.U16(static_cast<std::uint16_t>(std::min(sheet.leftCol, kExcelMaxCols) - 1));
        body.U32(0);
        Record(out, kWindow2, body);
        ByteWriter sel;
        auto row = [](int r) { return static_cast<std::uint16_t>(std::clamp(r, 1, kExcelMaxRows) - 1); };
        auto col = [](int c) { return static_cast<std::uint16_t>(std::clamp(c, 1, kExcelMaxCols) - 1); };
        sel.U8(3);
        sel.U16(row(sheet.activeRow));
        sel.U16(col(sheet.activeCol));
        sel.U16(0);
        sel.U16(1);
        sel.U16(row(sheet.selection.row1));
        sel.U16(row(sheet.selection.row2));
        sel.U8(static_cast<std::uint8_t>(col(sheet.selection.col1)));
        sel.U8(static_cast<std::uint8_t>(col(sheet.selection.col2)));
        Record(out, kSelection, sel);
    }

    bool WriteSheet(ByteWriter& out, int s)
    {
        const Worksheet& sheet = book_.SheetAt(s);
        Bof(out, kBofWorksheet);
        if (!WritePageSettings(out, sheet)) return false;
        WriteColumns(out, sheet);
        int lastRow = sheet.LastRow(), lastCol = sheet.LastCol();
        ByteWriter dims;
        dims.U16(0);
        dims.U16(static_cast<std::uint16_t>(lastRow));
        dims.U16(0);
        dims.U16(static_cast<std::uint16_t>(lastCol));
        dims.U16(0);
        Record(out, kDimensions, dims);
        if (!WriteCells(out, sheet)) return false;
        WriteWindow2(out, s);
        EmptyRecord(out, kEof);
        return true;
    }

    const TF1Book& book_;
    std::string& error_;
    std::size_t room_;
    ByteWriter out_;
    std::vector<int> xfOfStyle_;
    std::vector<std::uint32_t> usedStyles_;
    std::size_t cellBytes_ = 0;  // what the rows and cells take in the stream, at most
    std::vector<CellFont> fonts_;
    std::map<std::string, int> formats_;
    PaletteBuilder palette_;
};
}  // namespace

std::string ExcelSheetName(const std::string& wanted)
{
    std::string name = ToCp1252(wanted);
    for (char& c : name)
        if (kSheetNameForbidden.find(c) != std::string_view::npos) c = '_';
    if (name.size() > kExcelMaxSheetName) name.resize(kExcelMaxSheetName);
    return name.empty() ? "Sheet1" : Cp1252ToUtf8(name);
}

std::string CellReference(int row, int col)
{
    std::string letters;
    for (int c = col; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

std::optional<std::vector<std::uint8_t>> WriteBiff5Stream(const TF1Book& book, std::string& error)
{
    return Biff5Writer(book, error, 0).Write();
}

std::optional<std::vector<std::uint8_t>> WriteBiff5Workbook(const TF1Book& book, std::string& error)
{
    auto file = Biff5Writer(book, error, kCompoundFileHeaderRoom).Write();
    if (file) CompleteCompoundFile("Book", *file);
    return file;
}
