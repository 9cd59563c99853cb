// The analysis's sliding windows of days: the ring of day slots that keeps the counts of the
// last N days, and the tests that judge a closed window (share of out-of-limit records against
// a percentile, count of events against a maximum). Plain values; used by the analysis engine.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/analysis_params.h"
#include "analysis/analysis_records.h"

// Counts of one group table: [group][phase].
using TGroupCounts = std::array<TPhaseCounts, kAnalysisGroups>;

struct TDaySlot {
    double Day = 0;  // a whole day
    TGroupCounts Counts{};
    std::int32_t Records = 0;  // records (counted events) of the day
};

// The slot after `slot` in a ring of `windowDays` slots numbered 1 to windowDays.
constexpr int NextDaySlot(int slot, int windowDays) { return slot + 1 > windowDays ? 1 : slot + 1; }

// Sums of a window's day slots.
struct TWindowSums {
    double FirstDay = 0;
    TGroupCounts Out{};
    std::int32_t Total = 0;
};

// The last N days that held data (N = the window duration), one slot per day.
class TDayRing {
public:
    explicit TDayRing(int windowDays);

    // Clears the current slot for the day that begins.
    TDaySlot& BeginDay(double day);
    TDaySlot& Current() { return slots_[static_cast<std::size_t>(current_ - 1)]; }
    // Moves to the next slot.
    void Advance() { current_ = NextDaySlot(current_, windowDays_); }

    // Sums of the window that ends with the current slot: the oldest N slots once N days have
    // been seen (`full`), else slots 1 to `days`, which began the measure. Only the first
    // `groups` counter groups are summed; the others stay 0.
    TWindowSums Window(bool full, int days, int groups = kAnalysisGroups) const;

private:
    int windowDays_;
    int current_ = 1;
    std::array<TDaySlot, kMaxWindowDays> slots_{};
};

// Out-of-limit records in percent of a window's records, as the window test compares it: in
// single precision.
float OutOfLimitShare(std::int32_t out, std::int32_t total);
// A window fails a percentile when its share is strictly greater than 100 - percentile, both
// in single precision, so a share exactly at the bound passes. A window without records passes.
bool ShareFails(std::int32_t out, std::int32_t total, double percentile);
