// The shared style table.
#include "sheet/cell_style.h"

#include <functional>

// Every field is hashed where it stands, without building a text of the style: a sheet of
// coloured rows interns a style for nearly every row it formats.
std::size_t CellStyleHash::operator()(const CellStyle& s) const
{
    std::size_t h = std::hash<std::string>()(s.font.name);
    auto mix = [&h](std::uint64_t v) { h ^= std::hash<std::uint64_t>()(v) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); };
    const CellFont& f = s.font;
    mix(std::hash<std::string>()(s.numberFormat));
    mix(static_cast<std::uint64_t>(static_cast<std::uint32_t>(f.heightTwips)) << 32 | f.colour);
    mix(std::uint64_t{f.bold} | std::uint64_t{f.italic} << 1 | std::uint64_t{f.underline} << 2 |
        std::uint64_t{f.strikeout} << 3 | std::uint64_t{f.outline} << 4 | std::uint64_t{f.shadow} << 5 |
        std::uint64_t{s.wrap} << 6);
    mix(static_cast<std::uint64_t>(static_cast<std::uint16_t>(s.horizontal)) |
        static_cast<std::uint64_t>(static_cast<std::uint16_t>(s.vertical)) << 16 |
        static_cast<std::uint64_t>(static_cast<std::uint16_t>(s.orientation)) << 32 |
        static_cast<std::uint64_t>(static_cast<std::uint16_t>(s.pattern)) << 48);
    for (const BorderLine* line : {&s.left, &s.right, &s.top, &s.bottom})
        mix(static_cast<std::uint64_t>(static_cast<std::uint32_t>(line->style)) << 32 | line->colour);
    mix(std::uint64_t{s.patternFore} << 32 | s.patternBack);
    return h;
}

StyleTable::StyleTable() { Clear(); }

void StyleTable::Clear()
{
    styles_.assign(1, CellStyle{});
    ids_.clear();
    ids_.emplace(styles_[0], 0);
}

std::uint32_t StyleTable::Intern(const CellStyle& style)
{
    auto [it, added] = ids_.emplace(style, static_cast<std::uint32_t>(styles_.size()));
    if (added) styles_.push_back(style);
    return it->second;
}
