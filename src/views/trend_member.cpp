// The rows of the trend-view family, one per member, and the cursor readout.
#include "views/trend_member.h"

#include "survey/data_layout.h"
#include "survey/number_text.h"
#include "survey/records.h"

#include <array>
#include <charconv>

const TTrendMember& VoltageMember()
{
    static const TTrendMember member{
        .Measure = MeasureVoltage,
        .CaptionFormat = "Survey File <%s> - Voltage",
        .MeasureLabel = "Measure: Voltage",
        .YTitleIndex = 0,
        .DefaultMin = 200,
        .DefaultMax = 250,
        .PeriodUnit = TPeriodUnit::Minutes,
        .CursorFormat = "%3.2f V",
        .Curve = {kVoltageCurveClasses, -30, 0.5f},
        .KilovoltRule = true,
        .ReadLayout = ReadPhaseBlockLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = PhaseStatisticCaption,
        .Dialog = TTracesDialogKind::StatisticPhase,
        .DialogCaption = "Voltage Traces Settings",
        .DialogScaleCaption = "Y Axis (Volt)",
    };
    return member;
}

std::span<const TTrendMember* const> TrendMembers()
{
    static const std::array<const TTrendMember*, 1> members = {&VoltageMember()};
    return members;
}

const TTrendMember* TrendMemberOf(int measure)
{
    for (const TTrendMember* member : TrendMembers())
        if (member->Measure == measure) return member;
    return nullptr;
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
