// The statistics a survey summary keeps of one value series (one phase of one measure or one
// harmonic order): the lowest and highest value and the K-th lowest and K-th highest, as a
// sorted list of all the values would give them. Only the K best values so far are kept for
// each end, with the values that beat the K-th of them gathered beside until as many again have
// come, then cut back to the K best in one linear selection: each value costs O(1) amortised,
// a year of one-minute records a few milliseconds, in at most 2 K values per end. Used by the
// summary engine.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

// K for a summary percentile p over N records: Round((100 - p) x N / 100), rounded half to even;
// 0 when it rounds to nothing (the caller decides what that means), negative for p above 100.
std::int64_t PercentileRank(int percentile, std::int64_t records);

// The k values that come first in `Before` (std::less: the lowest) of those added.
template <typename Before>
class TBestValues {
public:
    explicit TBestValues(std::size_t k) : k_(k) { values_.reserve(2 * k); }
    void Add(float value)
    {
        if (full_ && !Before()(value, bound_)) return;
        values_.push_back(value);
        if (values_.size() == 2 * k_) Trim();
    }
    // The k-th best; with fewer than k values, the last of them; 0 without values.
    float Kth() const;

private:
    void Trim();
    std::size_t k_;
    std::vector<float> values_;  // the k best so far, then the values that beat bound_
    float bound_ = 0;            // the k-th best at the last trim
    bool full_ = false;          // k values have been seen
};

class TSummaryStatistics {
public:
    // Keeps the K lowest (when `keepLowest`) and the K highest values; K at least 1.
    explicit TSummaryStatistics(std::int64_t k, bool keepLowest = true);

    // A NaN is not a value and is left out; infinities are values.
    void Add(float value)
    {
        if (std::isnan(value)) return;
        if (count_ == 0) {
            minimum_ = maximum_ = value;
        } else {
            minimum_ = value < minimum_ ? value : minimum_;
            maximum_ = value > maximum_ ? value : maximum_;
        }
        ++count_;
        if (keepLowest_) lowest_.Add(value);
        highest_.Add(value);
    }

    std::int64_t Count() const { return count_; }
    // 0 while no value was added.
    float Minimum() const { return count_ ? minimum_ : 0.0f; }
    float Maximum() const { return count_ ? maximum_ : 0.0f; }
    // The K-th lowest and K-th highest of the values added (ties count each time, as in a
    // sorted list); with fewer than K values, the last of them; 0 without values, and 0 for the
    // lowest when they are not kept.
    float KthLowest() const { return lowest_.Kth(); }
    float KthHighest() const { return highest_.Kth(); }

private:
    bool keepLowest_;
    std::int64_t count_ = 0;
    float minimum_ = 0, maximum_ = 0;
    TBestValues<std::less<float>> lowest_;
    TBestValues<std::greater<float>> highest_;
};
