// How a trend view scales what it plots, decided once per pass over its window: the prefix
// (thousands, millions) each trace's values are divided by, and the range, step and title of
// both Y axes. A member's rule (TTrendMember::Scale) decides from the highest value each chosen
// trace reached in the window; the prefix a view kept from its earlier passes is its own state.
#pragma once

#include <array>
#include <string>

#include "survey/trace_records.h"

struct TTrendMember;

enum class TScalePrefix { None, Thousands, Millions };
// Millions from 1,000,000, thousands from 1000, else none.
TScalePrefix PrefixOf(double value);
// 1, 1000 or 1,000,000.
double PrefixDivisor(TScalePrefix prefix);

struct TYAxisScale {
    double Min = 0;
    double Max = 0;
    double Step = 0;  // Trunc(Max - Min) div 10: 0 for a range under 10
    bool Auto = true;
    std::string Title;
};
// An axis from its settings, the range divided by `divisor` and the step computed after.
TYAxisScale AxisScale(bool autoScale, float min, float max, double divisor, std::string title);

// What one pass gives the rule: the highest value of each trace in the window (-infinity for a
// trace without item or without a value read) and the prefix the view kept from before.
struct TScaleInput {
    const TTraceSettings& Traces;
    std::array<double, kTraceCount> Highest;
    TScalePrefix Kept = TScalePrefix::None;
};
// A pass without values (traces just chosen, before their records are read).
std::array<double, kTraceCount> NoHighest();

struct TTrendScale {
    TScalePrefix Prefix = TScalePrefix::None;  // the prefix the values, titles and readouts show
    TScalePrefix Kept = TScalePrefix::None;    // what the view keeps for its next pass
    std::array<double, kTraceCount> Divisor{1, 1, 1, 1, 1, 1};
    std::array<TYAxisScale, 2> Axes;           // left, second
};

// Nothing is scaled: both axes as their settings say, under the member's plain titles.
TTrendScale Unscaled(const TTrendMember& member, const TScaleInput& input);
// Voltage: kilovolts when a chosen trace reaches 1000 V in the window, unless a manual scale
// stops below 1000; decided afresh each pass. The left axis's range follows the decision.
TTrendScale KilovoltScale(const TTrendMember& member, const TScaleInput& input);
// Powers and energy: the prefix the values reach (1000, 1,000,000) on any chosen trace, kept
// for the life of the view once reached, applied to the left axis's traces, range and title.
// With a manual scale the manual maximum decides, so the axis and the values agree; the kept
// prefix is then only lowered to it.
TTrendScale KeptPrefixScale(const TTrendMember& member, const TScaleInput& input);
