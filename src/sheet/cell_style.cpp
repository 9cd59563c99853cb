// The shared style table.
#include "sheet/cell_style.h"

namespace {
std::string StyleKey(const CellStyle& s)
{
    auto n = [](long long v) { return std::to_string(v) + ','; };
    const CellFont& f = s.font;
    std::string key = f.name + '\x1F' + s.numberFormat + '\x1F';
    key += n(f.heightTwips) + n(f.bold) + n(f.italic) + n(f.underline) + n(f.strikeout) + n(f.outline) +
           n(f.shadow) + n(f.colour);
    key += n(s.horizontal) + n(s.wrap) + n(s.vertical) + n(s.orientation);
    for (const BorderLine* line : {&s.left, &s.right, &s.top, &s.bottom}) key += n(line->style) + n(line->colour);
    key += n(s.pattern) + n(s.patternFore) + n(s.patternBack);
    return key;
}
}  // namespace

StyleTable::StyleTable() { Clear(); }

void StyleTable::Clear()
{
    styles_.assign(1, CellStyle{});
    ids_.clear();
    ids_.emplace(StyleKey(styles_[0]), 0);
}

std::uint32_t StyleTable::Intern(const CellStyle& style)
{
    auto [it, added] = ids_.emplace(StyleKey(style), static_cast<std::uint32_t>(styles_.size()));
    if (added) styles_.push_back(style);
    return it->second;
}
