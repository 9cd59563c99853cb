// Tick walks of linear, logarithmic and date-time axes, the label text of a tick, and the
// tick ordinals and strides by which crowded labels are thinned to round values.
#include "graph/axis.h"

#include "graph/calendar_dates.h"
#include "graph/date_scaling.h"

#include <algorithm>
#include <cmath>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// A ratio as a whole number, 0 where it cannot be one (a degenerate step or range).
std::int64_t WholeNumber(double ratio)
{
    if (!std::isfinite(ratio) || std::fabs(ratio) > 1e15) return 0;
    return std::llround(ratio);
}

constexpr std::int64_t MinutesPerDay = 1440;
// Day 1 of the date-time encoding, 31/12/1899, is a Sunday: days and weeks count from it.
constexpr std::int64_t FirstSundayMinutes = MinutesPerDay;

// Decimals a label needs for a value of this size: -Trunc(log10(1.01 x)), one more below 1.
int DecimalsFor(double x)
{
    // Bounded: a non-finite or extreme tick still gets a number of decimals the label can hold.
    const double l = std::clamp(Log10Of(1.01 * x), -400.0, 400.0);
    if (std::isnan(l)) return 0;
    int d = -static_cast<int>(std::trunc(l));
    if (l < 0) d += 1;
    return d;
}

} // namespace

double TAxis::FirstTick(TTickState& state)
{
    if (logScale_ && !fellBackToLinear_) {
        state.LogTable = logTable_;
        state.LogCycleDivisions = logCycleDivisions_;
        state.FellBackToLinear = fellBackToLinear_;
        state.LabelEveryDivision = labelEveryDivision_;
        double l = Log10Of(min_);
        if (l < 0) l -= 1;
        double d = Pow10Of(std::trunc(1.001 * l));
        if (d > min_) d /= 10;
        const int count = state.LogCycleDivisions + 2;
        for (int i = 0; i < count; ++i) state.LogTable[static_cast<std::size_t>(i)] *= d;
        int position = 0;
        while (position < count - 1 && state.LogTable[static_cast<std::size_t>(position)] < 0.999 * min_) ++position;
        state.Position = static_cast<std::int16_t>(position);
        const double first = state.LogTable[static_cast<std::size_t>(position)];
        labelDecimals_ = std::max(0, DecimalsFor(1.01 * first) + (state.LogCycleDivisions >= 5 ? 1 : 0));
        return first;
    }
    if (showAsTime_) return dateTickType_ == dt_custom ? min_ : RoundDateUp(min_, dateTickType_);

    double first = std::trunc((min_ + 0.01 * stepSize_) / stepSize_) * stepSize_;
    if (min_ < 0) first -= stepSize_;
    if (first + 0.01 * stepSize_ < min_) first += stepSize_;
    labelDecimals_ = std::max(0, DecimalsFor(1.01 * stepSize_));
    return first;
}

double TAxis::NextTick(TTickState& state, double value, bool& labelled)
{
    labelled = true;
    if (logScale_ && !fellBackToLinear_) {
        const int closing = state.LogCycleDivisions + 1;
        state.Position = static_cast<std::int16_t>(state.Position + 1);
        if (state.Position >= closing) {
            // The decade value comes as entry 0 of the next decade, never from the closing 10.
            for (double& m : state.LogTable) m *= 10;
            state.Position = 0;
            labelDecimals_ = std::max(0, DecimalsFor(1.01 * state.LogTable[0]) + (state.LogCycleDivisions >= 5 ? 1 : 0));
        }
        labelled = state.LabelEveryDivision || state.Position == 0;
        return state.LogTable[static_cast<std::size_t>(state.Position)];
    }
    if (showAsTime_) return dateTickType_ == dt_custom ? value + stepSize_ : NextDateTick(value, dateTickType_);
    return value + stepSize_;
}

std::vector<TAxisTick> TAxis::TickWalk()
{
    std::vector<TAxisTick> ticks;
    TTickState state;
    const double limit = max_ + 0.001 * (max_ - min_);
    double tick = FirstTick(state);
    bool labelled = true;
    if (logScale_ && !fellBackToLinear_)
        labelled = state.LabelEveryDivision || state.Position == 0 || state.Position == state.LogCycleDivisions + 1;
    while (tick < limit && static_cast<int>(ticks.size()) < MaxTicksPerWalk) {
        const double shown = kind_ == TAxisKind::X && labelDiv_ != 0 ? tick / labelDiv_ : tick;
        ticks.push_back({tick, labelled, FormatLabel(shown), TickOrdinal(tick, state)});
        const double next = NextTick(state, tick, labelled);
        // A step lost in rounding would never reach the end; only a logarithmic walk repeats
        // a value (the closing entry of a decade, then the next decade's first).
        const bool logWalk = logScale_ && !fellBackToLinear_;
        if (next < tick || (next == tick && !logWalk)) break;
        tick = next;
    }
    return ticks;
}

std::string TAxis::FormatLabel(double value) const
{
    if (showAsTime_) return FormatDateTime(dateTimeFormat_, value);
    const double v = std::fabs(value);
    if (v < 0.001 * (max_ - min_) || (v > 0.000999 && v < 9999)) return FormatFixedLabel(value, labelDecimals_);
    return FormatExponentLabel(value);
}

std::int64_t TAxis::TickOrdinal(double value, const TTickState& state) const
{
    if (logScale_ && !fellBackToLinear_) {
        // Divisions count on within a decade, so decades are the multiples of the divisions + 1.
        const int perDecade = state.LogCycleDivisions + 1;
        // The tick values carry the rounding of the axis's own powers of ten.
        const std::int64_t decade = WholeNumber(std::floor(std::log10(value) + 1e-6));
        return decade * perDecade + state.Position % perDecade;
    }
    if (!showAsTime_ || dateTickType_ == dt_custom) return WholeNumber(value / stepSize_);
    const std::int64_t minutes = WholeNumber(value * MinutesPerDay);
    switch (dateTickType_) {
    case dt_minute: return minutes;
    case dt_5minute: return FloorDiv(minutes, 5);
    case dt_halfhourly: return FloorDiv(minutes, 30);
    case dt_hourly: return FloorDiv(minutes, 60);
    case dt_6hour: return FloorDiv(minutes, 360);
    case dt_daily: return FloorDiv(minutes - FirstSundayMinutes, MinutesPerDay);
    case dt_weekly: return FloorDiv(minutes - FirstSundayMinutes, 7 * MinutesPerDay);
    default: break;
    }
    const DateTimeParts p = DecodeDateTime(value);
    const std::int64_t months = std::int64_t{p.year} * 12 + p.month - 1;
    switch (dateTickType_) {
    case dt_monthly: return months;
    case dt_2monthly: return FloorDiv(months, 2);
    case dt_quarterly: return FloorDiv(months, 3);
    case dt_annually: return p.year;
    case dt_decade: return FloorDiv(p.year, 10);
    default: return FloorDiv(p.year, 100);
    }
}

std::vector<int> TAxis::LabelStrides() const
{
    if (logScale_ && !fellBackToLinear_) {
        // Every division, then decades only, then every n-th decade.
        const int d = logCycleDivisions_ + 1;
        std::vector<int> strides{1};
        for (int k : {1, 2, 3, 4, 5})
            if (d * k > strides.back()) strides.push_back(d * k);
        return strides;
    }
    if (!showAsTime_ || dateTickType_ == dt_custom) return {1, 2, 5, 10, 20, 50, 100};
    switch (dateTickType_) {
    case dt_minute: return {1, 2, 5, 10, 15, 30, 60};
    case dt_5minute: return {1, 2, 3, 6, 12};     // 5, 10, 15, 30, 60 minutes
    case dt_halfhourly: return {1, 2, 4, 6, 12};  // up to 6 hours
    case dt_hourly: return {1, 2, 3, 6, 12, 24};
    case dt_6hour: return {1, 2, 4, 8, 12, 28};   // 12 hours, days, a week
    case dt_daily: return {1, 2, 7, 14, 28};      // weeks start on Sundays
    case dt_weekly: return {1, 2, 4, 13, 26, 52};
    case dt_monthly: return {1, 2, 3, 6, 12};     // quarters, half years, years
    case dt_2monthly: return {1, 3, 6};
    case dt_quarterly: return {1, 2, 4};
    case dt_annually: return {1, 2, 5, 10, 20, 50, 100};
    default: return {1, 2, 5, 10};
    }
}
