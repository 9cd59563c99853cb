// The statistics a survey summary keeps of one value series (one phase of one measure or one
// harmonic order): the lowest and highest value and the K-th lowest and K-th highest. Only K
// values are kept for each end, in a bounded heap, so each value costs O(log K) at most and a
// year of one-minute records is summarised in seconds. Used by the summary engine.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// K for a summary percentile p over N records: Round((100 - p) x N / 100), rounded half to even;
// 0 when it rounds to nothing (the caller decides what that means), negative for p above 100.
std::int64_t PercentileRank(int percentile, std::int64_t records);

class TSummaryStatistics {
public:
    // Keeps the K lowest (when `keepLowest`) and the K highest values; K at least 1.
    explicit TSummaryStatistics(std::int64_t k, bool keepLowest = true);

    // A NaN is not a value and is left out; infinities are values.
    void Add(float value);

    std::int64_t Count() const { return count_; }
    // 0 while no value was added.
    float Minimum() const { return count_ ? minimum_ : 0.0f; }
    float Maximum() const { return count_ ? maximum_ : 0.0f; }
    // The K-th lowest and K-th highest of the values added (ties count each time, as in a
    // sorted list); with fewer than K values, the last of them; 0 without values.
    float KthLowest() const;
    float KthHighest() const;

private:
    std::size_t k_;
    bool keepLowest_;
    std::int64_t count_ = 0;
    float minimum_ = 0, maximum_ = 0;
    std::vector<float> lowest_;   // a max-heap of the K lowest so far: its top is the K-th lowest
    std::vector<float> highest_;  // a min-heap of the K highest so far
};
