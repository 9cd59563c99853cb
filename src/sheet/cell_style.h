// Cell formats of the spreadsheet book: font, alignment, borders, fill and number format, kept
// once in a table and shared by id, so that thousands of equally formatted cells cost one entry.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// Colours are 0x00BBGGRR; this value means "automatic" (the window text or background colour).
constexpr std::uint32_t kAutoColour = 0xFF000000u;

struct CellFont {
    std::string name = "Arial";
    int heightTwips = 200;  // 1/20 point
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    bool outline = false;
    bool shadow = false;
    std::uint32_t colour = kAutoColour;
    bool operator==(const CellFont&) const = default;
};

// Line styles: 0 none, 1 thin, 2 medium, 3 dashed, 4 dotted, 5 thick, 6 double, 7 hair,
// 8 to 13 the dashed and dotted variants of later spreadsheet versions.
struct BorderLine {
    int style = 0;
    std::uint32_t colour = 0;
    bool operator==(const BorderLine&) const = default;
};

// Alignment codes: horizontal 1 general, 2 left, 3 centre, 4 right, 5 fill, 6 justify,
// 7 centre across the selection; vertical 1 top, 2 centre, 3 bottom; orientation 0 to 3.
struct CellStyle {
    CellFont font;
    std::string numberFormat = "General";
    int horizontal = 1;
    bool wrap = false;
    int vertical = 3;
    int orientation = 0;
    BorderLine left, right, top, bottom;
    int pattern = 0;  // 0 none, 1 solid, 2 to 18 hatches
    std::uint32_t patternFore = kAutoColour;
    std::uint32_t patternBack = kAutoColour;
    bool operator==(const CellStyle&) const = default;
};

// A style's hash over every field, for the style table's look-up.
struct CellStyleHash {
    std::size_t operator()(const CellStyle& style) const;
};

// Styles by id; id 0 is the default style and always exists.
class StyleTable {
public:
    StyleTable();
    std::uint32_t Intern(const CellStyle& style);
    const CellStyle& Get(std::uint32_t id) const { return styles_[id < styles_.size() ? id : 0]; }
    std::size_t Count() const { return styles_.size(); }
    void Clear();

private:
    std::vector<CellStyle> styles_;
    std::unordered_map<CellStyle, std::uint32_t, CellStyleHash> ids_;
};
