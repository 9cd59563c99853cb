// How a pass scales what it plots, member by member: the kilovolt decision of the voltage view,
// the thousand and million prefixes of the powers and energy views (automatic and manual, kept
// from pass to pass), the axis ranges and titles they give, and the cursor readouts under them.
#include "views/print_lines.h"
#include "views/trend_cursor.h"
#include "views/trend_member.h"
#include "views/trend_scale.h"

#include "views/trace_settings.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
constexpr double kNone = -std::numeric_limits<double>::infinity();

// Trace 1 reaching `highest`, on a scale automatic or manual up to `manualMax`.
TTraceSettings Settings(const TTrendMember& member, bool autoScale, float manualMax)
{
    TTraceSettings t = NewTraceSettings(member);
    t.Axis1Auto = autoScale;
    t.Axis1Min = 0;
    t.Axis1Max = manualMax;
    t.Entries[0].Item = 1;
    return t;
}
}  // namespace

TEST(KilovoltScale, OneDecisionForAxisTitleAndValues)
{
    const struct {
        double highest;
        bool autoScale;
        float manualMax;
        bool kilovolts;
    } cases[] = {
        {1000, true, 250, true},      // automatic scale follows the values
        {999.9, true, 250, false},
        {15000, false, 15000, true},  // manual scale in volts above 1000
        {15000, false, 250, false},   // a manual scale below 1000 keeps volts
        {500, false, 15000, false},   // no kV axis for values that are all below 1000
        {1000, false, 1000, true},
        {kNone, true, 250, false},    // nothing read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.highest << " auto " << c.autoScale << " max " << c.manualMax);
        const TTraceSettings t = Settings(VoltageMember(), c.autoScale, c.manualMax);
        const TTrendScale s = KilovoltScale(VoltageMember(), {t, {c.highest, kNone, kNone, kNone, kNone, kNone}});
        EXPECT_EQ(s.Prefix, c.kilovolts ? TScalePrefix::Thousands : TScalePrefix::None);
        EXPECT_EQ(s.Axes[0].Title, c.kilovolts ? "kVolt" : "Volt");
        EXPECT_EQ(s.Divisor[0], c.kilovolts ? 1000 : 1);
        EXPECT_DOUBLE_EQ(s.Axes[0].Max, c.kilovolts ? c.manualMax / 1000.0 : c.manualMax);
        // Decided afresh each pass: nothing kept.
        EXPECT_EQ(s.Kept, TScalePrefix::None);
    }
}

TEST(AxisScale, RangeDividedAndStepComputedAfter)
{
    EXPECT_EQ(AxisScale(false, 10000, 12000, 1, "Volt").Step, 200);
    const TYAxisScale kv = AxisScale(false, 10000, 12000, 1000, "kVolt");
    EXPECT_DOUBLE_EQ(kv.Min, 10);
    EXPECT_DOUBLE_EQ(kv.Max, 12);
    EXPECT_EQ(kv.Step, 0);  // a range under 10 gives step 0
    EXPECT_FALSE(kv.Auto);
    EXPECT_EQ(AxisScale(true, 200, 250, 1, "Volt").Step, 5);
    EXPECT_EQ(AxisScale(true, 200, 150, 1, "Volt").Step, 0);  // minimum above maximum: no negative step
}

TEST(CursorReadout, VoltsWithTwoDecimalsKilovoltsWithThree)
{
    const TTraceEntry e;
    TTrendScale volts, kilovolts;
    kilovolts.Prefix = TScalePrefix::Thousands;
    EXPECT_EQ(PatternCursorText(VoltageMember(), volts, e, 230.456), "230.46 V");
    EXPECT_EQ(PatternCursorText(VoltageMember(), kilovolts, e, 11.0), "11.000 kV");
    EXPECT_EQ(PatternCursorText(VoltageMember(), volts, e, 5.5), "5.50 V");
    EXPECT_EQ(PatternCursorText(FrequencyMember(), volts, e, 49.996), "50.00 Hz");
}

TEST(PrintLine, DayNameThenTheDateAndTime)
{
    const TDateTime friday = *EncodeDateTime({2024, 3, 15, 10, 5, 0, 0});
    EXPECT_EQ(ShortDatePrintLine(friday), "Printed on: Friday 15/03/2024 10:05");
    EXPECT_EQ(DayMonthYearPrintLine(friday), "Printed on: Friday 15/03/2024 10:05");
    EXPECT_EQ(WeekdayName(*EncodeDateTime({1899, 12, 30, 0, 0, 0, 0})), "Saturday");
    EXPECT_EQ(WeekdayName(*EncodeDateTime({2024, 3, 17, 23, 59, 0, 0})), "Sunday");
}

// The powers' prefixes: the values decide with an automatic scale and keep what they reached;
// a manual maximum decides by itself, lowering what is kept but never raising it. Currents on
// the second axis count towards the prefix but are never divided.
TEST(KeptPrefixScale, PowersByValuesOrByTheManualMaximum)
{
    const TTrendMember& powers = PowersMember();
    const struct {
        const char* name;
        double highest;
        bool autoScale;
        float manualMax;
        TScalePrefix kept;  // from the passes before
        TScalePrefix prefix, keptAfter;
        const char* title;
    } cases[] = {
        {"AutoBelow1000", 999.9, true, 250, TScalePrefix::None, TScalePrefix::None, TScalePrefix::None,
         "Powers (W / VAr / VA)"},
        {"Auto1000", 1000, true, 250, TScalePrefix::None, TScalePrefix::Thousands, TScalePrefix::Thousands,
         "Potenze (kW / kVAr / kVA)"},
        {"AutoJustBelowAMillion", 999999, true, 250, TScalePrefix::None, TScalePrefix::Thousands,
         TScalePrefix::Thousands, "Potenze (kW / kVAr / kVA)"},
        {"AutoAMillion", 1000000, true, 250, TScalePrefix::None, TScalePrefix::Millions, TScalePrefix::Millions,
         "Potenze (MW / MVAr / MVA)"},
        {"AutoKeepsThousandsBelow1000", 500, true, 250, TScalePrefix::Thousands, TScalePrefix::Thousands,
         TScalePrefix::Thousands, "Potenze (kW / kVAr / kVA)"},
        {"AutoNothingRead", kNone, true, 250, TScalePrefix::Millions, TScalePrefix::Millions, TScalePrefix::Millions,
         "Potenze (MW / MVAr / MVA)"},
        {"Manual500OverKilowatts", 5000, false, 500, TScalePrefix::Thousands, TScalePrefix::None, TScalePrefix::None,
         "Powers (W / VAr / VA)"},
        {"Manual5000OverMegawatts", 2500000, false, 5000, TScalePrefix::None, TScalePrefix::Thousands,
         TScalePrefix::Thousands, "Potenze (kW / kVAr / kVA)"},
        {"ManualAMillionOverWatts", 500, false, 1000000, TScalePrefix::None, TScalePrefix::Millions, TScalePrefix::None,
         "Potenze (MW / MVAr / MVA)"},
        {"ManualABillionStaysMillions", 500, false, 2e9f, TScalePrefix::None, TScalePrefix::Millions, TScalePrefix::None,
         "Potenze (MW / MVAr / MVA)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTraceSettings t = Settings(powers, c.autoScale, c.manualMax);
        t.Entries[1] = {.Item = 12, .Extra = 4, .Phase = 0, .AxisIndex = 2};  // Max. Current L1
        const TTrendScale s = KeptPrefixScale(powers, {t, {c.highest, 80, kNone, kNone, kNone, kNone}, c.kept});
        EXPECT_EQ(s.Prefix, c.prefix);
        EXPECT_EQ(s.Kept, c.keptAfter);
        EXPECT_EQ(s.Axes[0].Title, c.title);
        EXPECT_EQ(s.Divisor[0], PrefixDivisor(c.prefix));
        EXPECT_EQ(s.Divisor[1], 1);  // the current
        EXPECT_EQ(s.Axes[1].Title, "Currents (A)");
        // A manual axis is divided as the values are; an automatic one sizes itself.
        EXPECT_DOUBLE_EQ(s.Axes[0].Max, c.autoScale ? c.manualMax : c.manualMax / PrefixDivisor(c.prefix));
    }
    // A current of 1000 A puts the powers in thousands, and stays 1000 itself.
    TTraceSettings t = Settings(powers, true, 250);
    t.Entries[1] = {.Item = 12, .Extra = 4, .Phase = 0, .AxisIndex = 2};
    const TTrendScale s = KeptPrefixScale(powers, {t, {800, 1000, kNone, kNone, kNone, kNone}});
    EXPECT_EQ(s.Prefix, TScalePrefix::Thousands);
    EXPECT_EQ(s.Divisor[0], 1000);
    EXPECT_EQ(s.Divisor[1], 1);
}

TEST(CursorReadout, PowersWithTheirPrefixCurrentsWithout)
{
    TTrendScale kilo, mega;
    kilo.Prefix = TScalePrefix::Thousands;
    mega.Prefix = TScalePrefix::Millions;
    const TTraceEntry watts{.Item = 2, .Extra = 1}, vars{.Item = 5, .Extra = 2}, amps{.Item = 11, .Extra = 4, .AxisIndex = 2};
    EXPECT_EQ(PowerCursorText(PowersMember(), kilo, watts, 1.234), "1.234 kW");
    EXPECT_EQ(PowerCursorText(PowersMember(), mega, vars, 2.5), "2.500 MVAr");
    EXPECT_EQ(PowerCursorText(PowersMember(), TTrendScale{}, watts, 512), "512 W");
    EXPECT_EQ(PowerCursorText(PowersMember(), mega, amps, 80), "80 A");
}
