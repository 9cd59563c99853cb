// The rank K and the selection of the K lowest and K highest values.
#include "summary/summary_statistics.h"

#include <algorithm>

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

template <typename Before>
void TBestValues<Before>::Trim()
{
    const auto kth = values_.begin() + static_cast<std::ptrdiff_t>(k_ - 1);
    std::nth_element(values_.begin(), kth, values_.end(), Before());
    bound_ = *kth;
    values_.resize(k_);
    full_ = true;
}

template <typename Before>
float TBestValues<Before>::Kth() const
{
    if (values_.empty()) return 0.0f;
    std::vector<float> values = values_;
    if (values.size() < k_) return *std::max_element(values.begin(), values.end(), Before());
    const auto kth = values.begin() + static_cast<std::ptrdiff_t>(k_ - 1);
    std::nth_element(values.begin(), kth, values.end(), Before());
    return *kth;
}

template class TBestValues<std::less<float>>;
template class TBestValues<std::greater<float>>;

TSummaryStatistics::TSummaryStatistics(std::int64_t k, bool keepLowest)
    : keepLowest_(keepLowest),
      lowest_(keepLowest ? static_cast<std::size_t>(std::max<std::int64_t>(k, 1)) : 1),
      highest_(static_cast<std::size_t>(std::max<std::int64_t>(k, 1)))
{
}
