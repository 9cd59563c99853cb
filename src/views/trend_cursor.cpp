// Cursor stepping and readouts of the trend members.
#include "views/trend_cursor.h"

#include "survey/number_text.h"
#include "views/trend_member.h"

#include <array>
#include <charconv>

int CursorKeyStep(bool right, TDateTime x, const TRecordWindow& zoom, const TRecordWindow& full)
{
    if (!right && x > zoom.FirstTime && x > full.FirstTime) return -1;
    if (right && x < zoom.LastTime && x < full.LastTime) return 1;
    if (right && x <= zoom.FirstTime && x <= full.FirstTime) return 1;
    if (!right && x >= zoom.LastTime && x >= full.LastTime) return -1;
    return 0;
}

namespace {
// "%3.2f V" style patterns: width 3, N decimals, then the unit text ("%%" is a percent sign).
std::string FillValuePattern(const std::string& pattern, double value)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        const std::size_t dot = pattern.find('.', i);
        const std::size_t f = pattern.find('f', i);
        if (dot == std::string::npos || f == std::string::npos || f < dot) continue;
        int decimals = 0;
        std::from_chars(pattern.data() + dot + 1, pattern.data() + f, decimals);
        int width = 0;
        std::from_chars(pattern.data() + i + 1, pattern.data() + dot, width);
        std::string number = FormatFixed(value, decimals);
        if (static_cast<int>(number.size()) < width) number.insert(0, static_cast<std::size_t>(width) - number.size(), ' ');
        out += number;
        i = f;
    }
    return out;
}

template <std::size_t N>
std::string NameOf(const std::array<const char*, N>& names, int index)
{
    return index >= 0 && index < static_cast<int>(N) ? names[static_cast<std::size_t>(index)] : "";
}

const char* PrefixLetter(TScalePrefix prefix)
{
    switch (prefix) {
    case TScalePrefix::Thousands: return "k";
    case TScalePrefix::Millions: return "M";
    case TScalePrefix::None: break;
    }
    return "";
}
}  // namespace

std::string PatternCursorText(const TTrendMember& member, const TTrendScale& scale, const TTraceEntry&, double value)
{
    return FillValuePattern(scale.Prefix == TScalePrefix::Thousands ? "%3.3f kV" : member.CursorFormat, value);
}

std::string PowerUnitName(int unitKind) { return NameOf(std::array{"", "W", "VAr", "VA", "A"}, unitKind); }
std::string EnergyUnitName(int unitKind) { return NameOf(std::array{"", "Wh", "VArh", "VAh"}, unitKind); }

std::string PowerCursorText(const TTrendMember&, const TTrendScale& scale, const TTraceEntry& entry, double value)
{
    // The engineering formatter names its scale after volts; the prefix is what it reads.
    static const std::array<std::string, 3> scaleNames = {"Volt", "kVolt", "MVolt"};
    const std::string unit = PowerUnitName(entry.Extra);
    return FormatEngineeringUnit(scaleNames[static_cast<std::size_t>(scale.Prefix)], unit, static_cast<float>(value)) + unit;
}

std::string PercentOrAmpereCursorText(const TTrendMember&, const TTrendScale&, const TTraceEntry& entry, double value)
{
    return FillValuePattern(entry.AxisIndex == 2 ? "%3.3f A" : "%3.3f %%", value);
}

std::string EnergyCursorText(const TTrendMember&, const TTrendScale& scale, const TTraceEntry& entry, double value)
{
    return FillValuePattern("%3.3f ", value) + PrefixLetter(scale.Prefix) + EnergyUnitName(entry.Extra);
}
