// Reader of the workbook globals: code page, date base, fonts, formats, XFs, palette, sheet list.
#include "sheet/biff5_globals.h"

#include "sheet/biff5_records.h"
#include "sheet/biff5_stream.h"
#include "sheet/number_format.h"

#include <algorithm>
#include <map>

namespace {
using namespace biff5;

// XF and worksheet records beyond these counts are passed over.
constexpr std::size_t kMostXfs = 4096;
constexpr std::size_t kMostSheets = 256;

struct FileXf {
    int font = 0, format = 0;
    int horizontal = 0, vertical = 2, orientation = 0;
    bool wrap = false;
    int pattern = 0, patternFore = kAutoPatternFore, patternBack = kAutoPatternBack;
    int lineStyle[4] = {}, lineColour[4] = {};  // left, right, top, bottom
};

class GlobalsReader {
public:
    GlobalsReader(std::span<const std::uint8_t> stream, TF1Book& book, Biff5Globals& globals, std::string& error)
        : stream_(stream), book_(book), globals_(globals), error_(error)
    {
        std::copy(std::begin(kDefaultPalette), std::end(kDefaultPalette), palette_);
    }

    bool Read()
    {
        Biff5RecordWalker walk(stream_, 0, stream_.size());
        Biff5Record r;
        if (!walk.Next(r)) {
            error_ = "The file is not an Excel 5.0 workbook.";
            return false;
        }
        if (!CheckBiff5Bof(r, kBofGlobals, error_)) return false;
        ReadBookSettings();
        while (walk.Next(r)) {
            FieldView d(r.data);
            switch (r.id) {
            case kEof:
                globals_.end = walk.Position();
                BuildStyles();
                return true;
            case kFilePass:
                error_ = "The workbook is password-protected and cannot be read.";
                return false;
            case kFont:
                if (!ReadFont(d)) return Biff5Damaged(error_, "a short font record");
                break;
            case kFormat: {
                const int index = d.U16(0);
                auto text = CountedText(d, 2, 1);
                if (!text) return Biff5Damaged(error_, "a format record runs past its end");
                formats_[index] = *text;
                break;
            }
            case kXf:
                if (!ReadXf(d)) return Biff5Damaged(error_, "a short XF record");
                break;
            case kPalette:
                if (!ReadPalette(d)) return Biff5Damaged(error_, "a short palette record");
                break;
            case kBoundSheet: {
                const std::uint32_t offset = d.U32(0);
                const std::uint8_t type = d.U8(5);
                auto name = CountedText(d, 6, 1);
                if (!d.Ok() || !name) return Biff5Damaged(error_, "a sheet record runs past its end");
                if (offset >= stream_.size()) return Biff5Damaged(error_, "a sheet lies beyond the end of the file");
                if (type == 0 && globals_.sheets.size() < kMostSheets) globals_.sheets.push_back({offset, *name});  // worksheets only
                break;
            }
            case kWindow1: {
                const int active = d.U16(10);
                if (d.Ok()) globals_.activeSheet = active;
                break;
            }
            default: break;
            }
        }
        return Biff5Damaged(error_, walk.damaged ? "a record runs past the end of the file" : "the workbook's globals have no end");
    }

private:
    std::optional<std::string> CountedText(FieldView d, std::size_t at, int countBytes)
    {
        return Biff5CountedText(d, at, countBytes, *globals_.decoder);
    }

    // The code page and the date base hold for every text and date of the book, wherever their
    // records stand among the globals.
    void ReadBookSettings()
    {
        Biff5RecordWalker walk(stream_, 0, stream_.size());
        Biff5Record r;
        int codePage = kCodePage1252;
        while (walk.Next(r) && r.id != kEof) {
            FieldView d(r.data);
            const std::uint16_t value = d.U16(0);
            if (!d.Ok()) continue;
            if (r.id == kCodePage) codePage = value;
            if (r.id == kDateMode) globals_.dates1904 = value == 1;
        }
        globals_.decoder = std::make_unique<CodePageDecoder>(codePage);
    }

    bool ReadFont(FieldView d)
    {
        CellFont f;
        f.heightTwips = std::clamp<int>(d.U16(0), 20, 409 * 20);
        const std::uint16_t flags = d.U16(2);
        const std::uint16_t colour = d.U16(4);
        const std::uint16_t weight = d.U16(6);
        const std::uint8_t underline = d.U8(10);
        if (!d.Ok()) return false;
        f.bold = weight >= 600 || (flags & 0x01);
        f.italic = flags & 0x02;
        f.underline = underline != 0 || (flags & 0x04);
        f.strikeout = flags & 0x08;
        f.outline = flags & 0x10;
        f.shadow = flags & 0x20;
        if (auto name = CountedText(d, 14, 1); name && !name->empty()) f.name = *name;
        if (fonts_.size() == 4) fonts_.push_back({CellFont{}, kAutoFontColour});  // index 4 is not in the file
        fonts_.push_back({f, colour});
        return true;
    }

    bool ReadXf(FieldView d)
    {
        FileXf x;
        x.font = d.U16(0);
        x.format = d.U16(2);
        const std::uint8_t alignment = d.U8(6), rotation = d.U8(7);
        const std::uint32_t fill = d.U32(8);
        const std::uint32_t lines = d.U32(12);
        if (!d.Ok()) return false;
        if (xfs_.size() >= kMostXfs) return true;
        x.horizontal = alignment & 0x07;
        x.wrap = alignment & 0x08;
        x.vertical = (alignment >> 4) & 0x07;
        x.orientation = rotation & 0x03;
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
        return true;
    }

    bool ReadPalette(FieldView d)
    {
        if (d.Size() < 2) return true;  // an empty palette record changes nothing
        const std::size_t count = std::min<std::size_t>(d.U16(0), kPaletteSize);
        std::uint32_t colours[kPaletteSize];
        for (std::size_t i = 0; i < count; ++i) colours[i] = d.U32(2 + 4 * i) & 0xFFFFFFu;
        if (!d.Ok()) return false;
        std::copy(colours, colours + count, palette_);
        return true;
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
            globals_.datesOfXf.push_back(ShowsCalendarDate(s.numberFormat));
            globals_.styleOfXf.push_back(book_.Styles().Intern(s));
        }
    }

    std::span<const std::uint8_t> stream_;
    TF1Book& book_;
    Biff5Globals& globals_;
    std::string& error_;
    std::vector<std::pair<CellFont, std::uint16_t>> fonts_;  // with its palette index
    std::map<int, std::string> formats_;
    std::vector<FileXf> xfs_;
    std::uint32_t palette_[kPaletteSize] = {};
};
}  // namespace

bool ReadBiff5Globals(std::span<const std::uint8_t> stream, TF1Book& book, Biff5Globals& globals, std::string& error)
{
    globals = Biff5Globals{};
    globals.decoder = std::make_unique<CodePageDecoder>(kCodePage1252);
    return GlobalsReader(stream, book, globals, error).Read();
}
