// The rows of the trend-view family, one per member. Made in the window library, as each row
// names the traces dialog it opens; every other hook is a plain function of the views engine.
#include "views/trend_member.h"

#include "survey/data_layout.h"
#include "survey/records.h"
#include "views/harmonic_layout.h"
#include "views/print_lines.h"
#include "views/traces_dlg.h"
#include "views/traces_en_dlg.h"
#include "views/traces_hrm_curr_dlg.h"
#include "views/traces_hrm_dlg.h"
#include "views/traces_w_dlg.h"
#include "views/trend_cursor.h"

#include <array>

namespace {
// A left axis of a one-axis member: its default range, shown, under one title.
std::array<TTrendAxisRow, 2> LeftAxisOnly(float min, float max, std::string_view title)
{
    return {TTrendAxisRow{.DefaultMin = min, .DefaultMax = max, .ShownAtStart = true, .Titles = {std::string(title)}},
            TTrendAxisRow{}};
}
}  // namespace

const TTrendMember& VoltageMember()
{
    static const TTrendMember member = [] {
        TTrendMember m{
            .Measure = MeasureVoltage,
            .CaptionFormat = "Survey File <%s> - Voltage",
            .MeasureLabel = "Measure: Voltage",
            .Axes = LeftAxisOnly(200, 250, YAxisTitles[0]),
            .PeriodUnit = TPeriodUnit::Minutes,
            .CursorFormat = "%3.2f V",
            .Curve = {TCurveKind::Density, kVoltageCurveClasses, -30, 0.5f},
            .ReadLayout = ReadPhaseBlockLayout,
            .ReadTrace = SingleValueTrace,
            .TraceCaption = PhaseStatisticCaption,
            .Scale = KilovoltScale,
            .CursorText = PatternCursorText,
            .PrintLine = ShortDatePrintLine,
            .EditTraces = TTracesDlg::EditTraces,
            .DialogCaption = "Voltage Traces Settings",
            .DialogScaleCaption = "Y Axis (Volt)",
        };
        m.Axes[0].Titles[1] = "kVolt";
        return m;
    }();
    return member;
}

// Frequency and unbalance records hold one phase block (L1) whatever their wiring.
const TTrendMember& FrequencyMember()
{
    static const TTrendMember member{
        .Measure = MeasureFrequency,
        .CaptionFormat = "Survey File <%s> - Frequency",
        .MeasureLabel = "Measure: Frequency",
        .Axes = LeftAxisOnly(45, 55, YAxisTitles[1]),
        .PeriodUnit = TPeriodUnit::Seconds,
        .CursorFormat = "%3.2f Hz",
        .Curve = {TCurveKind::Density, kFrequencyCurveClasses, -15, 0.2f},
        .ReadLayout = ReadPhaseBlockLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = PhaseStatisticCaption,
        .CursorText = PatternCursorText,
        .PrintLine = ShortDatePrintLine,
        .EditTraces = TTracesDlg::EditTraces,
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
        .Axes = LeftAxisOnly(0, 5, YAxisTitles[2]),
        .PeriodUnit = TPeriodUnit::Minutes,
        .CursorFormat = "%3.2f %%",
        .Curve = {TCurveKind::Density, kUnbalanceCurveClasses, 0, 0.1f},
        .ReadLayout = ReadPhaseBlockLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = PhaseStatisticCaption,
        .CursorText = PatternCursorText,
        .PrintLine = ShortDatePrintLine,
        .EditTraces = TTracesDlg::EditTraces,
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
        .Axes = LeftAxisOnly(200, 250, YAxisTitles[3]),
        .PeriodUnit = TPeriodUnit::Minutes,
        .CursorFormat = "%3.3f %%",
        .Curve = {TCurveKind::HarmonicDensity, kHarmonicCurveClasses, 0, 0.2f},
        .ReadLayout = ReadHarmonicBlockLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = HarmonicTraceCaption,
        .CursorText = PatternCursorText,
        .PrintLine = ShortDatePrintLine,
        .EditTraces = EditTracesOnLayout<TTracesHrmDlg>,
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
        .Axes = LeftAxisOnly(0, 5, YAxisTitles[4]),
        .PeriodUnit = TPeriodUnit::Minutes,
        .CursorFormat = "%3.2f p.u.",
        .Curve = {TCurveKind::Cpf, kFlickerCurvePoints, 0, 1.0f},
        .ReadLayout = ReadFlickerLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = PhaseStatisticCaption,
        .CursorText = PatternCursorText,
        .PrintLine = ShortDatePrintLine,
        .EditTraces = TTracesDlg::EditTraces,
        .DialogCaption = "Flicker Traces Settings",
        .DialogScaleCaption = "Y Axis (p.u.)",
    };
    return member;
}

// The three-phase powers on the left axis with k and M prefixes, the phase currents on the right.
const TTrendMember& PowersMember()
{
    static const TTrendMember member{
        .Measure = MeasurePowers,
        .CaptionFormat = "Survey File <%s> - Power & Current",
        .MeasureLabel = "Measure: Power & Current",
        .Axes = {TTrendAxisRow{.DefaultMin = 200, .DefaultMax = 250, .ShownAtStart = true, .FollowsShownFlag = true,
                               .Titles = {"Powers (W / VAr / VA)", "Potenze (kW / kVAr / kVA)", "Potenze (MW / MVAr / MVA)"}},
                 TTrendAxisRow{.DefaultMin = 0, .DefaultMax = 50, .ShownAtStart = true, .FollowsShownFlag = true,
                               .Titles = {"Currents (A)"}}},
        .SecondAxis = true,
        .DefaultPhase = 3,
        .RightMargin = 50,
        .PeriodUnit = TPeriodUnit::Minutes,
        .ReadLayout = ReadPowerLayout,
        .ReadTrace = SingleValueTrace,
        .TraceCaption = PhaseStatisticCaption,
        .Scale = KeptPrefixScale,
        .CursorText = PowerCursorText,
        .PrintLine = DayMonthYearPrintLine,
        .EditTraces = EditTracesOnLayout<TTracesWDlg>,
        .DialogCaption = "Power & Current Traces Settings",
        .DialogScaleCaption = "Powers Y Axis",
    };
    return member;
}

// A trace is a harmonic order, a statistic and a phase, in percent of the fundamental on the
// left axis or in ampere on the right one.
const TTrendMember& CurrentHarmonicsMember()
{
    static const TTrendMember member{
        .Measure = MeasureCurrentHarmonics,
        .CaptionFormat = "Survey File <%s> - Current Harmonics",
        .MeasureLabel = "Measure: Current Harmonics",
        .Axes = {TTrendAxisRow{.DefaultMin = 200, .DefaultMax = 250, .ShownAtStart = true, .Titles = {std::string(YAxisTitles[3])}},
                 TTrendAxisRow{.DefaultMin = 0, .DefaultMax = 50, .ShownAtStart = true, .FollowsShownFlag = true,
                               .Titles = {"Ampere"}}},
        .SecondAxis = true,
        .RightMargin = 60,
        .ErrorCaption = "Errore: valori non validi",
        .LegendClearsReadouts = true,
        .PeriodUnit = TPeriodUnit::Minutes,
        .ReadLayout = ReadCurrentHarmonicBlockLayout,
        .ReadTrace = CurrentHarmonicTrace,
        .TraceCaption = CurrentHarmonicTraceCaption,
        .CursorText = PercentOrAmpereCursorText,
        .PrintLine = ShortDatePrintLine,
        .EditTraces = EditTracesOnLayout<TTracesHrmCurrDlg>,
        .DialogCaption = "Harmonics Traces Settings",
        .DialogScaleCaption = "Y Axis (%)",
    };
    return member;
}

// The energy counters on one axis with k and M prefixes.
const TTrendMember& EnergyMember()
{
    static const TTrendMember member{
        .Measure = MeasureEnergy,
        .CaptionFormat = "Survey File <%s> - Energy",
        .MeasureLabel = "Measure: Energy",
        .Axes = {TTrendAxisRow{.DefaultMin = 200, .DefaultMax = 250,
                               .Titles = {"Energy (Wh / VArh / VAh)", "Energy (kWh / kVArh / kVAh)",
                                          "Energy (MWh / MVArh / MVAh)"}},
                 TTrendAxisRow{}},
        .DefaultPhase = 3,
        .ErrorCaption = "Errore: valori non validi",
        .XCursorAtStart = true,
        .PeriodUnit = TPeriodUnit::Minutes,
        .ReadLayout = ReadEnergyLayout,
        .ReadTrace = EnergyTrace,
        .TraceCaption = PhaseStatisticCaption,
        .Scale = KeptPrefixScale,
        .CursorText = EnergyCursorText,
        .PrintLine = ShortDatePrintLine,
        .EditTraces = EditTracesOnLayout<TTracesEnDlg>,
        .DialogCaption = "Energy Traces Settings",
        .DialogScaleCaption = "Y Axis",
    };
    return member;
}

std::span<const TTrendMember* const> TrendMembers()
{
    static const std::array<const TTrendMember*, 8> members = {
        &VoltageMember(), &FrequencyMember(), &UnbalanceMember(),        &VoltageHarmonicsMember(),
        &FlickerMember(), &PowersMember(),    &CurrentHarmonicsMember(), &EnergyMember()};
    return members;
}

const TTrendMember* TrendMemberOf(int measure)
{
    for (const TTrendMember* member : TrendMembers())
        if (member->Measure == measure) return member;
    return nullptr;
}
