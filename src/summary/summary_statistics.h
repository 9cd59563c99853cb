// The statistics a survey summary keeps of one value series (one phase of one measure or one
// harmonic order): the lowest and highest value and the K-th lowest and K-th highest, exactly as
// a sorted list of all the values would give them. Values are kept as order-preserving 32-bit
// keys; a value is kept only when it beats the K-th lowest or K-th highest of the last cut, and
// when the kept keys fill their room they are cut back to the K lowest and K highest, both found
// exactly by a radix histogram of the keys (a few linear passes). Each value costs O(1)
// amortised. Memory: the room, 4 K + 16384 keys of 4 bytes (2 K + 16384 when only the highest
// are kept), held from the start; a year of one-minute records at 95 % (K = 26280) takes 0.5 MB
// per series. Used by the summary engine.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/unset_array.h"

// K for a summary percentile p over N records: Round((100 - p) x N / 100), rounded half to even;
// 0 when it rounds to nothing (the caller decides what that means), negative for p above 100.
std::int64_t PercentileRank(int percentile, std::int64_t records);

// Two order-preserving keys (TSummaryStatistics::KeyOf): the lowest and highest, or two K-th.
struct TKeyPair {
    std::uint32_t Low = 0, High = 0;
};

class TSummaryStatistics {
public:
    // Keeps the K lowest (when `keepLowest`) and the K highest values; K at least 1.
    explicit TSummaryStatistics(std::int64_t k, bool keepLowest = true);

    // The values of a column run, as the record reader gives them in single precision. A NaN
    // is not a value and is left out; infinities are values; -0 counts as 0.
    void Add(std::span<const float> values)
    {
        // Blocks of values are first looked over in a loop of whole-number operations without a
        // branch, which the compiler vectorises (its count fixed, so even at -O2): once the
        // cuts stand, most blocks hold no value that beats one, and only their lowest and
        // highest count. A block with such a value is then kept value by value.
        std::size_t from = 0;
        for (; from + kBlock <= values.size(); from += kBlock) Scan(values.subspan(from).first<kBlock>());
        if (from < values.size()) Scan(values.subspan(from));
    }
    void Add(float value) { Add(std::span(&value, 1)); }

    std::int64_t Count() const { return count_; }
    // 0 while no value was added.
    float Minimum() const;
    float Maximum() const;
    // The K-th lowest and K-th highest of the values added (ties count each time, as in a
    // sorted list); with fewer than K values, the last of them; 0 without values, and 0 for the
    // lowest when they are not kept.
    struct TKthValues {
        float Lowest = 0, Highest = 0;
    };
    TKthValues Kth() const;  // both at once, in one selection
    // The four at once, the lowest and highest found in the same pass as the selection needs.
    struct TValues {
        float Minimum = 0, Maximum = 0, KthLowest = 0, KthHighest = 0;
    };
    TValues Values() const;
    float KthLowest() const { return Kth().Lowest; }
    float KthHighest() const { return Kth().Highest; }

    // Order-preserving: a < b exactly when KeyOf(a) < KeyOf(b), for values that are not NaN
    // (-0 is taken as 0).
    static std::uint32_t KeyOf(float value)
    {
        const auto bits = std::bit_cast<std::uint32_t>(value + 0.0f);
        // Negative values: all bits flipped; others: the sign bit set.
        return bits ^ (static_cast<std::uint32_t>(static_cast<std::int32_t>(bits) >> 31) | 0x80000000u);
    }
    static float ValueOf(std::uint32_t key)
    {
        return std::bit_cast<float>(key & 0x80000000u ? key & 0x7FFFFFFFu : ~key);
    }

private:
    // Values looked over at a time: the longer the block, the less its own work (its totals,
    // the test of its beats, the members it loads and stores) costs each value.
    static constexpr std::size_t kBlock = 64;
    // A block of at most kBlock values: their keys and which beat a cut, in the vectorised loop;
    // only then the keys that beat are kept, one store each. The lowest and highest are among
    // the kept keys (each beat the cut it met), but for the lowest when they are not kept.
    template <std::size_t Count>
    void Scan(std::span<const float, Count> block)
    {
        std::uint32_t keys[kBlock], beat[kBlock];
        // Kept: outside [lowCut, lowCut + span], in one unsigned compare.
        const std::uint32_t lowCut = lowCut_, span = highCut_ - lowCut_;
        std::uint32_t numbers = 0, beats = 0;
        for (std::size_t i = 0; i < block.size(); ++i) {
            const std::uint32_t key = KeyOf(block[i]);
            const std::uint32_t number = IsNumberKey(key);
            numbers += number;
            keys[i] = key;
            beat[i] = number & (key - lowCut > span);
            beats |= beat[i];
        }
        count_ += numbers;
        if (!keepLowest_) {
            std::uint32_t lowest = lowestKey_;
            for (std::size_t i = 0; i < block.size(); ++i) lowest = std::min(lowest, keys[i] | (IsNumberKey(keys[i]) - 1));
            lowestKey_ = lowest;
        }
        if (beats) Keep(std::span(keys, block.size()), beat);
    }
    // The keys of a block that beat a cut, kept; cut back when the room is full (the rest of
    // the block is then weighed against the new cuts).
    void Keep(std::span<const std::uint32_t> block, std::uint32_t* beat)
    {
        // The members are in locals, as the stores of keys could otherwise change them.
        std::uint32_t* const keys = keys_.data();
        const std::size_t room = room_;
        std::size_t kept = kept_;
        if (kept + block.size() < room) {
            // The room cannot fill inside the block: no check per key. Unrolled, as the loop's own
            // count and jump otherwise cost as much as the keeping.
#pragma GCC unroll 8
            for (std::size_t i = 0; i < block.size(); ++i) {
                keys[kept] = block[i];
                kept += beat[i];
            }
            kept_ = kept;
            return;
        }
        for (std::size_t i = 0; i < block.size(); ++i) {
            keys[kept] = block[i];
            kept += beat[i];
            if (kept == room) {
                kept_ = kept;
                Cut();
                kept = kept_;
                const std::uint32_t lowCut = lowCut_, span = highCut_ - lowCut_;
                for (std::size_t j = i + 1; j < block.size(); ++j) beat[j] = IsNumberKey(block[j]) & (block[j] - lowCut > span);
            }
        }
        kept_ = kept;
    }
    // 1 for the key of a number, 0 for a NaN's: NaNs lie beyond the infinities in either order.
    static std::uint32_t IsNumberKey(std::uint32_t key) { return key - 0x007FFFFFu <= 0xFF000001u; }
    // The kept keys cut back to the K lowest and the K highest, or to the bins that hold them.
    void Cut();
    bool CutAtBins();
    // The K-th lowest and K-th highest kept keys (with fewer than K values, the last of them).
    TKeyPair KthKeys(TKeyPair keptExtremes) const;
    // The lowest and highest kept key.
    TKeyPair KeptExtremes() const;

    std::size_t k_;
    bool keepLowest_;
    std::size_t room_;  // the kept keys are cut when they reach this many
    std::int64_t count_ = 0;
    std::uint32_t lowestKey_ = ~std::uint32_t(0);  // of the values added, while the lowest are not kept
    // Kept, the first kept_ of room_ keys: every value below lowCut_ or above highCut_ (each a
    // K-th at the last cut; lowCut_ is 0 while the lowest are not kept); before the first cut,
    // when both are 0 (a NaN's key), every value.
    TUnsetArray<std::uint32_t> keys_;  // the room is written before it is read: no zeroing
    std::size_t kept_ = 0;
    std::uint32_t lowCut_ = 0, highCut_ = 0;
};
