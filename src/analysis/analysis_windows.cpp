// The ring of day slots and the window tests.
#include "analysis/analysis_windows.h"

#include <algorithm>

TDayRing::TDayRing(int windowDays) : windowDays_(std::clamp(windowDays, 1, kMaxWindowDays)) {}

TDaySlot& TDayRing::BeginDay(double day)
{
    TDaySlot& slot = Current();
    slot = TDaySlot{};
    slot.Day = day;
    return slot;
}

TWindowSums TDayRing::Window(bool full, int days, int groups) const
{
    const auto summed = static_cast<std::size_t>(std::clamp(groups, 0, kAnalysisGroups));
    const int count = full ? windowDays_ : std::clamp(days, 1, windowDays_);
    TWindowSums sums;
    // Once full, the oldest slot is the one after the current.
    const int first = full ? NextDaySlot(current_, windowDays_) : 1;
    sums.FirstDay = slots_[static_cast<std::size_t>(first - 1)].Day;
    for (int s = 0; s < count; ++s) {
        const TDaySlot& slot = slots_[static_cast<std::size_t>(s)];
        for (std::size_t g = 0; g < summed; ++g)
            for (std::size_t p = 0; p < 3; ++p) sums.Out[g][p] += slot.Counts[g][p];
        sums.Total += slot.Records;
    }
    return sums;
}

float OutOfLimitShare(std::int32_t out, std::int32_t total)
{
    if (total <= 0) return 0.0f;
    return static_cast<float>(static_cast<double>(out) * 100.0 / static_cast<double>(total));
}

bool ShareFails(std::int32_t out, std::int32_t total, double percentile)
{
    return OutOfLimitShare(out, total) > static_cast<float>(100.0 - percentile);
}
