// Bounded heaps of the K lowest and K highest values.
#include "summary/summary_statistics.h"

#include <algorithm>
#include <cmath>
#include <functional>

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

TSummaryStatistics::TSummaryStatistics(std::int64_t k, bool keepLowest)
    : k_(static_cast<std::size_t>(std::max<std::int64_t>(k, 1))), keepLowest_(keepLowest)
{
}

namespace {
// Keeps the k values that come first in `order` (std::less: the lowest); the heap's top is the
// last of them, so a value that does not beat it changes nothing.
template <typename Order>
void Keep(std::vector<float>& heap, std::size_t k, float value, Order order)
{
    if (heap.size() < k) {
        heap.push_back(value);
        std::push_heap(heap.begin(), heap.end(), order);
    } else if (order(value, heap.front())) {
        std::pop_heap(heap.begin(), heap.end(), order);
        heap.back() = value;
        std::push_heap(heap.begin(), heap.end(), order);
    }
}
}  // namespace

void TSummaryStatistics::Add(float value)
{
    if (std::isnan(value)) return;
    if (count_ == 0) {
        minimum_ = maximum_ = value;
    } else {
        minimum_ = std::min(minimum_, value);
        maximum_ = std::max(maximum_, value);
    }
    ++count_;
    if (keepLowest_) Keep(lowest_, k_, value, std::less<float>());
    Keep(highest_, k_, value, std::greater<float>());
}

float TSummaryStatistics::KthLowest() const { return lowest_.empty() ? 0.0f : lowest_.front(); }
float TSummaryStatistics::KthHighest() const { return highest_.empty() ? 0.0f : highest_.front(); }
