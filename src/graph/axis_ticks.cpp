// Tick walks of linear, logarithmic and date-time axes, and the label text of a tick.
#include "graph/axis.h"

#include "graph/calendar_dates.h"
#include "graph/date_scaling.h"

#include <algorithm>
#include <cmath>

namespace {

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
        ticks.push_back({tick, labelled, FormatLabel(shown)});
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
