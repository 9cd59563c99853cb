// The rank K, the radix selection of a key of given rank, and the cutting back of the kept keys.
#include "summary/summary_statistics.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

std::int64_t PercentileRank(int percentile, std::int64_t records)
{
    // Worked in whole numbers, so a half is exactly a half: (100 - p) x N / 100 = q + r / 100.
    const std::int64_t product = static_cast<std::int64_t>(100 - percentile) * records;
    std::int64_t q = product / 100;
    std::int64_t r = product % 100;
    if (r < 0) {
        q -= 1;
        r += 100;
    }
    if (r > 50 || (r == 50 && q % 2 != 0)) q += 1;
    return q;
}

namespace {
// Keys are counted in 2048 bins over their range: each round shrinks the range 2048-fold, so at
// most three rounds reach one key value per bin; a few keys are left to a plain selection.
constexpr int kDigitBits = 11;
constexpr std::size_t kFewKeys = 256;

struct TKeyBins {
    std::uint32_t low = 0;  // the lowest key
    int shift = 0;          // a key's bin: (key - low) >> shift
    std::array<std::uint32_t, std::size_t(1) << kDigitBits> counts{};
    std::uint32_t Bin(std::uint32_t key) const { return (key - low) >> shift; }
    // The bin holding rank `rank`; `rank` becomes the rank inside it.
    std::uint32_t BinOf(std::size_t& rank) const
    {
        std::uint32_t bin = 0;
        while (counts[bin] < rank) rank -= counts[bin++];
        return bin;
    }
};

// Counts `keys` (not all equal) into their bins.
TKeyBins CountBins(std::span<const std::uint32_t> keys, std::uint32_t low, std::uint32_t high)
{
    TKeyBins bins;
    bins.low = low;
    bins.shift = std::max(0, static_cast<int>(std::bit_width(high - low)) - kDigitBits);
    // Four counts side by side, summed at the end: keys next to each other mostly fall in one
    // bin, and each increment would otherwise wait for the one before.
    std::array<std::array<std::uint32_t, std::size_t(1) << kDigitBits>, 4> parts{};
    std::size_t i = 0;
    for (; i + 4 <= keys.size(); i += 4)
        for (std::size_t part = 0; part < 4; ++part) ++parts[part][bins.Bin(keys[i + part])];
    for (; i < keys.size(); ++i) ++parts[0][bins.Bin(keys[i])];
    for (std::size_t bin = 0; bin < bins.counts.size(); ++bin)
        bins.counts[bin] = parts[0][bin] + parts[1][bin] + parts[2][bin] + parts[3][bin];
    return bins;
}

// The lowest and highest key, four keys to a processor vector in two pairs of running extremes,
// so that no compare waits for the one before. The keys are compared as signed numbers with
// their top bit flipped, which keeps their order: the basic vector instructions compare only
// signed numbers.
TKeyPair Extremes(std::span<const std::uint32_t> keys)
{
    using Lanes = std::int32_t __attribute__((vector_size(16)));
    constexpr std::size_t kLanes = sizeof(Lanes) / sizeof(std::int32_t);
    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min(), kHighest = std::numeric_limits<std::int32_t>::max();
    auto flipped = [](std::uint32_t key) { return static_cast<std::int32_t>(key ^ 0x80000000u); };
    const Lanes flip = {kLowest, kLowest, kLowest, kLowest};  // the top bit alone
    Lanes low0 = {kHighest, kHighest, kHighest, kHighest}, high0 = flip, low1 = low0, high1 = high0;
    std::size_t i = 0;
    for (; i + 2 * kLanes <= keys.size(); i += 2 * kLanes) {
        Lanes a, b;
        std::memcpy(&a, keys.data() + i, sizeof a);
        std::memcpy(&b, keys.data() + i + kLanes, sizeof b);
        a ^= flip;
        b ^= flip;
        low0 = a < low0 ? a : low0;
        high0 = high0 < a ? a : high0;
        low1 = b < low1 ? b : low1;
        high1 = high1 < b ? b : high1;
    }
    std::int32_t low = kHighest, high = kLowest;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        low = std::min({low, low0[lane], low1[lane]});
        high = std::max({high, high0[lane], high1[lane]});
    }
    for (; i < keys.size(); ++i) {
        low = std::min(low, flipped(keys[i]));
        high = std::max(high, flipped(keys[i]));
    }
    return {static_cast<std::uint32_t>(low) ^ 0x80000000u, static_cast<std::uint32_t>(high) ^ 0x80000000u};
}

// The key of rank `rank` among `keys`, which it reorders and cuts down on the way.
std::uint32_t KeyOfRank(std::vector<std::uint32_t>& keys, std::size_t rank)
{
    while (keys.size() > kFewKeys) {
        const TKeyPair extremes = Extremes(keys);
        if (extremes.Low == extremes.High) return extremes.Low;
        const TKeyBins bins = CountBins(keys, extremes.Low, extremes.High);
        const std::uint32_t bin = bins.BinOf(rank);
        if (bins.shift == 0) return extremes.Low + bin;
        std::size_t kept = 0;
        for (const std::uint32_t key : keys)
            if (bins.Bin(key) == bin) keys[kept++] = key;
        keys.resize(kept);
    }
    const auto at = keys.begin() + static_cast<std::ptrdiff_t>(rank - 1);
    std::nth_element(keys.begin(), at, keys.end());
    return *at;
}

// The keys of ranks `low` and `high` (1: the smallest; each from 1 to keys.size()) among
// `keys`, whose lowest and highest lie within `extremes`: one count over all keys, then only
// the keys of the two bins that hold the ranks.
TKeyPair KeysOfRanks(std::span<const std::uint32_t> keys, std::size_t low, std::size_t high, TKeyPair extremes)
{
    if (keys.size() <= kFewKeys || extremes.Low == extremes.High) {
        std::vector<std::uint32_t> copy(keys.begin(), keys.end());
        const std::uint32_t lowKey = KeyOfRank(copy, low);
        copy.assign(keys.begin(), keys.end());
        return {lowKey, KeyOfRank(copy, high)};
    }
    // One count over all keys; then the keys of the two bins alone are gathered.
    const TKeyBins bins = CountBins(keys, extremes.Low, extremes.High);
    const std::uint32_t lowBin = bins.BinOf(low), highBin = bins.BinOf(high);
    if (bins.shift == 0) return {extremes.Low + lowBin, extremes.Low + highBin};
    std::vector<std::uint32_t> lowKeys, highKeys;
    lowKeys.reserve(bins.counts[lowBin]);
    highKeys.reserve(bins.counts[highBin]);
    for (const std::uint32_t key : keys) {
        const std::uint32_t bin = bins.Bin(key);
        if (bin == lowBin) lowKeys.push_back(key);
        if (bin == highBin) highKeys.push_back(key);
    }
    return {KeyOfRank(lowKeys, low), KeyOfRank(highKeys, high)};
}
}  // namespace

TSummaryStatistics::TSummaryStatistics(std::int64_t k, bool keepLowest)
    : k_(static_cast<std::size_t>(std::max<std::int64_t>(k, 1))), keepLowest_(keepLowest),
      room_(2 * (keepLowest ? 2 : 1) * k_ + 16384), keys_(room_)
{
}

TKeyPair TSummaryStatistics::KeptExtremes() const { return Extremes(std::span(keys_).first(kept_)); }

TKeyPair TSummaryStatistics::KthKeys(TKeyPair extremes) const
{
    // Before any cut every value is kept, and there may be fewer than K.
    const std::size_t rank = std::min(k_, kept_);
    return KeysOfRanks(std::span(keys_).first(kept_), rank, kept_ + 1 - rank, extremes);
}

float TSummaryStatistics::Minimum() const
{
    if (count_ == 0) return 0.0f;
    return ValueOf(keepLowest_ ? KeptExtremes().Low : lowestKey_);
}

float TSummaryStatistics::Maximum() const { return count_ ? ValueOf(KeptExtremes().High) : 0.0f; }

bool TSummaryStatistics::CutAtBins()
{
    // One count of the kept keys in bins: every key of the bins up to the one that holds the
    // K-th lowest, and from the one that holds the K-th highest, is kept, at least K at each end,
    // without a selection; the exact K-th are found once, at the end. Not when those bins are
    // next to each other or would keep the room nearly full (many keys alike).
    const std::span<const std::uint32_t> keys = std::span(keys_).first(kept_);
    const TKeyPair extremes = Extremes(keys);
    if (extremes.Low == extremes.High) return false;
    const TKeyBins bins = CountBins(keys, extremes.Low, extremes.High);
    std::size_t lowRank = k_, highRank = kept_ + 1 - k_;
    const std::uint32_t lowBin = bins.BinOf(lowRank), highBin = bins.BinOf(highRank);
    if (keepLowest_ && highBin < lowBin + 2) return false;
    std::size_t staying = 0;
    for (std::size_t b = highBin; b < bins.counts.size(); ++b) staying += bins.counts[b];
    if (keepLowest_)
        for (std::size_t b = 0; b <= lowBin; ++b) staying += bins.counts[b];
    if (staying > room_ - (room_ - 2 * k_) / 2) return false;
    const std::uint32_t lowEdge = extremes.Low + ((lowBin + 1) << bins.shift) - 1;  // the lowest bin's last key
    const std::uint32_t highEdge = extremes.Low + (highBin << bins.shift);          // the highest bin's first key
    lowCut_ = keepLowest_ ? lowEdge + 1 : 0;
    highCut_ = highEdge - 1;
    const std::uint32_t lowCut = lowCut_, span = highCut_ - lowCut_;
    std::size_t kept = 0;
#pragma GCC unroll 4  // as the keeping of a block's keys
    for (const std::uint32_t key : keys) {
        keys_[kept] = key;
        kept += key - lowCut > span;
    }
    kept_ = kept;
    return true;
}

void TSummaryStatistics::Cut()
{
    if (CutAtBins()) return;
    // The room holds more than the K lowest and K highest, so the two never overlap.
    const TKeyPair kth = KthKeys(KeptExtremes());
    const std::uint32_t low = keepLowest_ ? kth.Low : 0, high = kth.High;
    std::size_t kept = 0, below = 0;
    for (std::size_t i = 0; i < kept_; ++i) {
        const std::uint32_t key = keys_[i];
        keys_[kept] = key;
        below += key < low;
        kept += key < low || key > high;
    }
    const std::size_t above = kept - below;
    // Ties of a K-th value: as many as make K at that end.
    const auto end = keys_.begin() + static_cast<std::ptrdiff_t>(kept);
    if (keepLowest_) std::fill_n(end, k_ - below, low);
    std::fill_n(end + static_cast<std::ptrdiff_t>(keepLowest_ ? k_ - below : 0), k_ - above, high);
    kept_ = kept + (keepLowest_ ? k_ - below : 0) + k_ - above;
    lowCut_ = low;
    highCut_ = high;
}

TSummaryStatistics::TKthValues TSummaryStatistics::Kth() const
{
    const TValues values = Values();
    return {values.KthLowest, values.KthHighest};
}

TSummaryStatistics::TValues TSummaryStatistics::Values() const
{
    if (count_ == 0) return {};
    const TKeyPair extremes = KeptExtremes();
    const TKeyPair kth = KthKeys(extremes);
    return {ValueOf(keepLowest_ ? extremes.Low : lowestKey_), ValueOf(extremes.High),
            keepLowest_ ? ValueOf(kth.Low) : 0.0f, ValueOf(kth.High)};
}
