// The family's members.
#include "views/trend_member.h"

#include "survey/number_text.h"
#include "survey/records.h"

#include <charconv>

const TTrendMember& VoltageMember()
{
    static const TTrendMember member = [] {
        TTrendMember m;
        m.Measure = MeasureVoltage;
        m.CaptionFormat = "Survey File <%s> - Voltage";
        m.MeasureLabel = "Measure: Voltage";
        m.YTitleIndex = 0;
        m.DefaultMin = 200;
        m.DefaultMax = 250;
        m.PeriodUnitSeconds = 60;
        m.CursorFormat = "%3.2f V";
        m.Curve = {120, -30, 0.5f};
        m.KilovoltRule = true;
        return m;
    }();
    return member;
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
}  // namespace

std::string FormatCursorValue(const TTrendMember& member, double value, bool kilovolts)
{
    return FillValuePattern(kilovolts ? "%3.3f kV" : member.CursorFormat, value);
}

std::string RateText(int period, const std::string& unit)
{
    return "  (Rate: " + std::to_string(period) + unit + ")";
}
