// The scaling rules of the trend members.
#include "views/trend_scale.h"

#include "views/trend_member.h"

#include <algorithm>
#include <cmath>
#include <limits>

TScalePrefix PrefixOf(double value)
{
    if (value >= 1000000) return TScalePrefix::Millions;
    if (value >= 1000) return TScalePrefix::Thousands;
    return TScalePrefix::None;
}

double PrefixDivisor(TScalePrefix prefix)
{
    switch (prefix) {
    case TScalePrefix::Thousands: return 1000;
    case TScalePrefix::Millions: return 1000000;
    case TScalePrefix::None: break;
    }
    return 1;
}

TYAxisScale AxisScale(bool autoScale, float min, float max, double divisor, std::string title)
{
    TYAxisScale scale;
    scale.Auto = autoScale;
    scale.Min = min;
    scale.Max = max;
    if (divisor != 1) {
        scale.Min /= divisor;
        scale.Max /= divisor;
    }
    scale.Title = std::move(title);
    const double range = std::trunc(scale.Max - scale.Min);
    scale.Step = range >= 10 ? static_cast<double>(static_cast<std::int64_t>(range) / 10) : 0;
    return scale;
}

std::array<double, kTraceCount> NoHighest()
{
    std::array<double, kTraceCount> highest;
    highest.fill(-std::numeric_limits<double>::infinity());
    return highest;
}

namespace {
const std::string& TitleOf(const TTrendAxisRow& axis, TScalePrefix prefix)
{
    const std::string& title = axis.Titles[static_cast<std::size_t>(prefix)];
    return title.empty() ? axis.Titles[0] : title;
}

// Both axes unscaled; the left one divided and titled by `leftPrefix` when `leftRange` says so.
TTrendScale AxesOf(const TTrendMember& member, const TTraceSettings& t, TScalePrefix leftPrefix, bool leftRange)
{
    TTrendScale scale;
    scale.Prefix = leftPrefix;
    scale.Axes[0] = AxisScale(t.Axis1Auto, t.Axis1Min, t.Axis1Max, leftRange ? PrefixDivisor(leftPrefix) : 1,
                              TitleOf(member.Axes[0], leftPrefix));
    scale.Axes[1] = AxisScale(t.Axis2Auto, t.Axis2Min, t.Axis2Max, 1, member.Axes[1].Titles[0]);
    return scale;
}

double HighestOfAll(const TScaleInput& input)
{
    return *std::max_element(input.Highest.begin(), input.Highest.end());
}
}  // namespace

TTrendScale Unscaled(const TTrendMember& member, const TScaleInput& input)
{
    return AxesOf(member, input.Traces, TScalePrefix::None, false);
}

TTrendScale KilovoltScale(const TTrendMember& member, const TScaleInput& input)
{
    const TTraceSettings& t = input.Traces;
    const bool kilovolts = HighestOfAll(input) >= 1000 && (t.Axis1Auto || t.Axis1Max >= 1000);
    TTrendScale scale = AxesOf(member, t, kilovolts ? TScalePrefix::Thousands : TScalePrefix::None, true);
    scale.Divisor.fill(PrefixDivisor(scale.Prefix));
    return scale;
}

TTrendScale KeptPrefixScale(const TTrendMember& member, const TScaleInput& input)
{
    const TTraceSettings& t = input.Traces;
    TScalePrefix kept = std::max(input.Kept, PrefixOf(HighestOfAll(input)));
    TScalePrefix prefix = kept;
    if (!t.Axis1Auto) {
        prefix = PrefixOf(t.Axis1Max);
        kept = std::min(kept, prefix);
    }
    TTrendScale scale = AxesOf(member, t, prefix, !t.Axis1Auto);
    scale.Kept = kept;
    // The second axis's traces (the currents) are never divided.
    for (std::size_t k = 0; k < kTraceCount; ++k)
        scale.Divisor[k] = t.Entries[k].AxisIndex == 2 ? 1 : PrefixDivisor(prefix);
    return scale;
}
