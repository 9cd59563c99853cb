// The rows of the trend-view family, one per member, and the cursor readout.
#include "views/trend_member.h"

#include "survey/data_layout.h"
#include "survey/number_text.h"
#include "views/harmonic_layout.h"
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
        .Curve = {TCurveKind::Density, kVoltageCurveClasses, -30, 0.5f},
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

// Frequency and unbalance records hold one phase block (L1) whatever their wiring.
const TTrendMember& FrequencyMember()
{
    static const TTrendMember member{
        .Measure = MeasureFrequency,
        .CaptionFormat = "Survey File <%s> - Frequency",
        .MeasureLabel = "Measure: Frequency",
        .YTitleIndex = 1,
        .DefaultMin = 45,
        .DefaultMax = 55,
        .PeriodUnit = TPeriodUnit::Seconds,
        .CursorFormat = "%3.2f Hz",
        .Curve = {TCurveKind::Density, kFrequencyCurveClasses, -15, 0.2f},
        .ReadLayout = ReadPhaseBlockLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = PhaseStatisticCaption,
        .Dialog = TTracesDialogKind::StatisticPhase,
        .DialogCaption = "Frequency Traces Settings",
        .DialogScaleCaption = "Y Axis (Hz)",
    };
    return member;
}

const TTrendMember& UnbalanceMember()
{
    static const TTrendMember member{
        .Measure = MeasureUnbalance,
        .CaptionFormat = "Survey File <%s> - Unbalance",
        .MeasureLabel = "Measure: Unbalance",
        .YTitleIndex = 2,
        .DefaultMin = 0,
        .DefaultMax = 5,
        .PeriodUnit = TPeriodUnit::Minutes,
        .CursorFormat = "%3.2f %%",
        .Curve = {TCurveKind::Density, kUnbalanceCurveClasses, 0, 0.1f},
        .ReadLayout = ReadPhaseBlockLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = PhaseStatisticCaption,
        .Dialog = TTracesDialogKind::StatisticPhase,
        .DialogCaption = "Unbalance Traces Settings",
        .DialogScaleCaption = "Y Axis (%)",
    };
    return member;
}

// A trace is a harmonic order, a statistic of that order's block and a phase.
const TTrendMember& VoltageHarmonicsMember()
{
    static const TTrendMember member{
        .Measure = MeasureVoltageHarmonics,
        .CaptionFormat = "Survey File <%s> - Voltage Harmonics",
        .MeasureLabel = "Measure: Voltage Harmonics",
        .YTitleIndex = 3,
        .DefaultMin = 200,
        .DefaultMax = 250,
        .PeriodUnit = TPeriodUnit::Minutes,
        .CursorFormat = "%3.3f %%",
        .Curve = {TCurveKind::HarmonicDensity, kHarmonicCurveClasses, 0, 0.2f},
        .ReadLayout = ReadHarmonicBlockLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = HarmonicTraceCaption,
        .Dialog = TTracesDialogKind::HarmonicOrder,
        .DialogCaption = "Harmonics Traces Settings",
        .DialogScaleCaption = "Y Axis (%)",
    };
    return member;
}

const TTrendMember& FlickerMember()
{
    static const TTrendMember member{
        .Measure = MeasureFlicker,
        .CaptionFormat = "Survey File <%s> - Flicker",
        .MeasureLabel = "Measure: Flicker",
        .YTitleIndex = 4,
        .DefaultMin = 0,
        .DefaultMax = 5,
        .PeriodUnit = TPeriodUnit::Minutes,
        .CursorFormat = "%3.2f p.u.",
        .Curve = {TCurveKind::Cpf, kFlickerCurvePoints, 0, 1.0f},
        .ReadLayout = ReadFlickerLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = PhaseStatisticCaption,
        .Dialog = TTracesDialogKind::StatisticPhase,
        .DialogCaption = "Flicker Traces Settings",
        .DialogScaleCaption = "Y Axis (p.u.)",
    };
    return member;
}

std::span<const TTrendMember* const> TrendMembers()
{
    static const std::array<const TTrendMember*, 5> members = {&VoltageMember(), &FrequencyMember(), &UnbalanceMember(),
                                                               &VoltageHarmonicsMember(), &FlickerMember()};
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
