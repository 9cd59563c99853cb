// Point insertion, merging, id lookup and extremes of a graph series.
#include "graph/data_series.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>

namespace {
// A shared window's points as a series' own arrays hold them.
std::vector<double> ValuesOf(const TSharedYs& ys)
{
    std::vector<double> values(ys.Size());
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = ys[i];
    return values;
}

std::vector<std::uint8_t> JoinsOf(const TSharedXs& xs)
{
    std::vector<std::uint8_t> joins(xs.Size());
    for (std::size_t i = 0; i < joins.size(); ++i) joins[i] = xs.Joins(i) ? 1 : 0;
    return joins;
}

bool FiniteAndAscending(std::span<const double> xs)
{
    if (xs.empty()) return true;
    // A comparison with a value that is not a number fails, and strictly ascending values
    // between two finite ends are finite: no test per value beyond the comparison, and the
    // failures counted rather than branched on.
    std::size_t falling = 0;
    for (std::size_t i = 1; i < xs.size(); ++i) falling += xs[i] > xs[i - 1] ? 0 : 1;
    return falling == 0 && std::isfinite(xs.front()) && std::isfinite(xs.back());
}
}  // namespace

template <typename Array>
void TSharedXs::Hold(Array xs, std::vector<std::uint32_t> lifts, bool ascending)
{
    size_ = xs.size();
    ascending_ = ascending;
    auto held = std::make_shared<const Array>(std::move(xs));
    values_ = std::shared_ptr<const double>(held, held->data());
    if (!lifts.empty()) lifts_ = std::make_shared<const std::vector<std::uint32_t>>(std::move(lifts));
}

TSharedXs::TSharedXs(std::vector<double> xs, std::vector<std::uint32_t> lifts)
{
    const bool ascending = FiniteAndAscending(xs);
    Hold(std::move(xs), std::move(lifts), ascending);
}

TSharedXs::TSharedXs(TUnsetArray<double> xs, std::vector<std::uint32_t> lifts, bool ascending)
{
    Hold(std::move(xs), std::move(lifts), ascending);
}

bool TSharedXs::Joins(std::size_t i) const
{
    return i > 0 && !(lifts_ && std::binary_search(lifts_->begin(), lifts_->end(), offset_ + i));
}

std::size_t TSharedXs::FirstLift(std::size_t begin, std::size_t end) const
{
    if (begin >= end) return end;
    if (begin == 0) return 0;
    if (!lifts_) return end;
    const auto it = std::lower_bound(lifts_->begin(), lifts_->end(), offset_ + begin);
    return it != lifts_->end() && *it < offset_ + end ? *it - offset_ : end;
}

TSharedXs TSharedXs::Slice(std::size_t offset, std::size_t count) const
{
    TSharedXs slice;
    slice.values_ = values_;
    slice.lifts_ = lifts_;
    slice.offset_ = offset_ + offset;
    slice.size_ = count;
    slice.ascending_ = ascending_ || FiniteAndAscending(slice.Values());
    return slice;
}

void TDataSeries::Clear()
{
    sharedXs_ = {};
    sharedYs_ = {};
    sharedLow_.clear();
    sharedHigh_.clear();
    xs_.clear();
    ys_.clear();
    connects_.clear();
    ids_.clear();
    PointsChangedFrom(0);
    lastId_ = 0;
    dirty_ = true;
    Changed(ReasonPoints);
}

void TDataSeries::OwnPoints()
{
    if (!Shared()) return;
    const std::span<const double> xs = sharedXs_.Values();
    xs_.assign(xs.begin(), xs.end());
    ys_ = ValuesOf(sharedYs_);
    connects_ = JoinsOf(sharedXs_);
    sharedXs_ = {};
    sharedYs_ = {};
    sharedLow_.clear();
    sharedHigh_.clear();
    // The envelope is built again over the series' own values.
    envelopeCovered_ = 0;
    lifts_.clear();
}

void TDataSeries::StoreIds()
{
    if (!ids_.empty() || ys_.empty()) return;
    ids_.resize(ys_.size());
    std::iota(ids_.begin(), ids_.end(), 1u);
}

void TDataSeries::InsertAt(std::size_t pos, bool connect, double x, double y)
{
    OwnPoints();
    PointsChangedFrom(pos);
    std::vector<double>& xs = xs_;
    if (pos == ys_.size()) {
        xs.push_back(x);
        ys_.push_back(y);
        connects_.push_back(connect ? 1 : 0);
        ++lastId_;
        if (!ids_.empty()) ids_.push_back(lastId_);
        return;
    }
    StoreIds();
    xs.insert(xs.begin() + static_cast<std::ptrdiff_t>(pos), x);
    ys_.insert(ys_.begin() + static_cast<std::ptrdiff_t>(pos), y);
    connects_.insert(connects_.begin() + static_cast<std::ptrdiff_t>(pos), connect ? 1 : 0);
    ids_.insert(ids_.begin() + static_cast<std::ptrdiff_t>(pos), ++lastId_);
}

void TDataSeries::Overwrite(std::size_t pos, bool connect, double x, double y)
{
    OwnPoints();
    PointsChangedFrom(pos);
    xs_[pos] = x;
    ys_[pos] = y;
    connects_[pos] = connect ? 1 : 0;
}

inline void TDataSeries::TakeExtremes(bool first, double x, double y)
{
    // The first point sets the extremes; an overwrite of a lone point only widens them.
    if (first) {
        xMin_ = xMax_ = x;
        if (autoOffset_) yOffset_ = y;
        yMin_ = yMax_ = y - yOffset_;
        dirty_ = false;
    } else if (autoOffset_ && y < yOffset_) {
        yOffset_ = y;
        dirty_ = true;
    } else if (!dirty_) {
        // An overwrite only widens: the old value's share stays until the next Recalc.
        yMin_ = std::min(yMin_, y - yOffset_);
        yMax_ = std::max(yMax_, y - yOffset_);
        xMin_ = std::min(xMin_, x);
        xMax_ = std::max(xMax_, x);
    }
}

bool TDataSeries::AddPoint(bool connect, double x, double y)
{
    if (!Place(connect, x, y)) return false;
    Changed(ReasonPoints);
    return true;
}

std::size_t TDataSeries::AddPoints(std::span<const double> xs, std::span<const double> ys,
                                   std::span<const std::uint8_t> connects)
{
    const std::size_t n = std::min({xs.size(), ys.size(), connects.size()});
    if (n > 0) OwnPoints();
    // Geometric growth still, so many short runs do not reallocate each time.
    const std::size_t needed = ys_.size() + n;
    if (needed > ys_.capacity()) Reserve(std::max(needed, 2 * ys_.capacity()));
    std::size_t taken = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t run = AppendInOrder(xs.subspan(i, n - i), ys.subspan(i, n - i), connects.subspan(i, n - i));
        taken += run;
        i += run;
        if (i < n && Place(connects[i] != 0, xs[i], ys[i])) ++taken;
    }
    if (taken == 0) return 0;
    ExtendEnvelope();  // while the points are fresh in the cache
    Changed(ReasonPoints);
    return taken;
}

std::size_t TDataSeries::AddPoints(const TSharedXs& xs, const TSharedYs& ys)
{
    const std::size_t n = xs.Size();
    const bool asTheyStand = Size() == 0 && n > 0 && xs.Ascending() && ys.Size() == n && !autoOffset_ &&
                             (MaxPoints == 0 || n <= static_cast<std::size_t>(MaxPoints));
    if (asTheyStand) {
        sharedXs_ = xs;
        sharedYs_ = ys;
        if (BuildSharedEnvelope()) {
            xs_.clear();
            ys_.clear();
            connects_.clear();
            ids_.clear();
            PointsChangedFrom(0);
            lastId_ = static_cast<std::uint32_t>(n);
            // What the run would give point by point (the stored values divide monotonically,
            // and y - offset rounds monotonically), from the envelope.
            xMin_ = xs.Values().front();
            xMax_ = xs.Values().back();
            yMin_ = ys.Read(*std::min_element(sharedLow_.begin(), sharedLow_.end())) - yOffset_;
            yMax_ = ys.Read(*std::max_element(sharedHigh_.begin(), sharedHigh_.end())) - yOffset_;
            dirty_ = false;
            Changed(ReasonPoints);
            return n;
        }
        // A y that cannot be drawn: the points are taken one by one, as AddPoint takes them.
        sharedXs_ = {};
        sharedYs_ = {};
        sharedLow_.clear();
        sharedHigh_.clear();
    }
    return AddPoints(xs.Values(), ValuesOf(ys), JoinsOf(xs));
}

// The leading points that go after the last one, copied in one piece: what Place would do
// with each of them, without its search. Stops at the warning limit, so Place warns per point.
std::size_t TDataSeries::AppendInOrder(std::span<const double> xs, std::span<const double> ys,
                                       std::span<const std::uint8_t> connects)
{
    std::size_t n = xs.size();
    if (MaxPoints != 0) n = std::min(n, static_cast<std::size_t>(std::max(0, MaxPoints - Count())));
    double last = ys_.empty() ? -std::numeric_limits<double>::infinity() : Xs().back();
    std::size_t count = 0;
    for (; count < n; ++count) {
        const double x = xs[count];
        if (!std::isfinite(x) || !std::isfinite(ys[count]) || !(x > last || (x == last && allowDuplicates_))) break;
        last = x;
    }
    if (count == 0) return 0;

    OwnPoints();
    const std::size_t from = ys_.size();
    PointsChangedFrom(from);
    std::vector<double>& own = xs_;
    own.insert(own.end(), xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(count));
    ys_.insert(ys_.end(), ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(count));
    connects_.resize(from + count);
    for (std::size_t i = 0; i < count; ++i) connects_[from + i] = connects[i] != 0 ? 1 : 0;
    if (!ids_.empty()) {
        ids_.resize(from + count);
        std::iota(ids_.begin() + static_cast<std::ptrdiff_t>(from), ids_.end(), lastId_ + 1);
    }
    lastId_ += static_cast<std::uint32_t>(count);
    TakeRunExtremes(xs.first(count), ys.first(count), from == 0);
    return count;
}

// The extremes after a run of new last points, as TakeExtremes point by point gives them.
void TDataSeries::TakeRunExtremes(std::span<const double> xs, std::span<const double> ys, bool startsEmpty)
{
    TakeExtremes(startsEmpty, xs[0], ys[0]);
    if (autoOffset_) {
        for (std::size_t i = 1; i < xs.size(); ++i) TakeExtremes(false, xs[i], ys[i]);
    } else if (!dirty_) {
        // Without an automatic offset the extremes only widen over the run: kept in locals, not
        // stored back per point.
        const double offset = yOffset_;
        double xMin = xMin_, xMax = xMax_, yMin = yMin_, yMax = yMax_;
        for (std::size_t i = 1; i < xs.size(); ++i) {
            yMin = std::min(yMin, ys[i] - offset);
            yMax = std::max(yMax, ys[i] - offset);
            xMin = std::min(xMin, xs[i]);
            xMax = std::max(xMax, xs[i]);
        }
        xMin_ = xMin;
        xMax_ = xMax;
        yMin_ = yMin;
        yMax_ = yMax;
    }
}

void TDataSeries::Reserve(std::size_t count)
{
    OwnPoints();
    xs_.reserve(count);
    ys_.reserve(count);
    connects_.reserve(count);
    if (!ids_.empty()) ids_.reserve(count);
}

// One point into the store and the extremes; the caller tells the change.
bool TDataSeries::Place(bool connect, double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    OwnPoints();
    const std::span<const double> xs = Xs();
    const bool wasEmpty = xs.empty();
    if (wasEmpty || x > xs.back() || (x == xs.back() && allowDuplicates_)) {
        InsertAt(xs.size(), connect, x, y);
    } else if (x == xs.back()) {
        Overwrite(xs.size() - 1, connect, x, y);
    } else {
        // Before the points that already have this x, as a walk from the head finds it.
        const auto pos = static_cast<std::size_t>(std::lower_bound(xs.begin(), xs.end(), x) - xs.begin());
        if (!allowDuplicates_ && xs[pos] == x) Overwrite(pos, connect, x, y);
        else InsertAt(pos, connect, x, y);
    }

    TakeExtremes(wasEmpty, x, y);
    if (MaxPoints != 0 && Count() > MaxPoints) TooManyPoints();
    return true;
}

bool TDataSeries::GetPoint(std::uint32_t& id, double& x, double& y, double& z) const
{
    if (id == 0) return false;
    std::size_t pos = id - 1;
    // Points that arrive in x order keep id = position + 1; only inserts and removals move them.
    if (pos >= Size() || IdAt(pos) != id) {
        const auto it = std::find(ids_.begin(), ids_.end(), id);
        if (it == ids_.end()) return false;
        pos = static_cast<std::size_t>(it - ids_.begin());
    }
    x = Xs()[pos];
    y = Y(pos);
    z = 0;
    id = pos + 1 < Size() ? IdAt(pos + 1) : 0;
    return true;
}

void TDataSeries::SetYOffset(double value)
{
    if (!autoOffset_ && value == yOffset_) return;
    yOffset_ = value;
    autoOffset_ = false;
    dirty_ = true;
    Changed(ReasonOffset);
}

void TDataSeries::SetAutoOffset(bool value)
{
    if (value == autoOffset_) return;
    autoOffset_ = value;
    dirty_ = true;
    Changed(ReasonOffset);
}

void TDataSeries::SetAllowDuplicates(bool value)
{
    if (value == allowDuplicates_) return;
    allowDuplicates_ = value;
    if (!value) RemoveDuplicates();
}

void TDataSeries::RemoveDuplicates()
{
    // The first point of each run of one x value survives.
    const std::span<const double> shown = Xs();
    std::size_t first = 1;  // the first point that repeats the x before it
    while (first < shown.size() && shown[first] != shown[first - 1]) ++first;
    if (first < shown.size()) {
        OwnPoints();
        PointsChangedFrom(first);
        StoreIds();
        std::vector<double>& xs = xs_;
        std::size_t keep = first;
        for (std::size_t i = first; i < xs.size(); ++i) {
            if (xs[i] == xs[keep - 1]) continue;
            xs[keep] = xs[i];
            ys_[keep] = ys_[i];
            connects_[keep] = connects_[i];
            ids_[keep] = ids_[i];
            ++keep;
        }
        xs.resize(keep);
        ys_.resize(keep);
        connects_.resize(keep);
        ids_.resize(keep);
        dirty_ = true;
    }
    if (dirty_) Changed(ReasonPoints);
}

void TDataSeries::Recalc()
{
    if (Size() == 0) return;
    double yLow = 0, yHigh = 0;
    YExtremes(0, Size(), yLow, yHigh);
    xMin_ = Xs().front();
    xMax_ = Xs().back();
    if (autoOffset_) yOffset_ = yLow;
    yMin_ = yLow - yOffset_;
    yMax_ = yHigh - yOffset_;
    dirty_ = false;
}

void TDataSeries::PointsChangedFrom(std::size_t pos)
{
    envelopeCovered_ = std::min(envelopeCovered_, pos / EnvelopeBlock * EnvelopeBlock);
    ++pointsVersion_;
}

namespace {
// The smaller and the larger of two values, as one instruction each (a value that is not a
// number never reaches them: the envelope of such values is refused).
template <typename T>
T Smaller(T a, T b) { return b < a ? b : a; }
template <typename T>
T Larger(T a, T b) { return a < b ? b : a; }

// One processor vector of values (four floats or two doubles), which every x86-64 processor
// compares and takes the smaller or larger of in one instruction each.
template <typename T>
struct VectorOf;
template <>
struct VectorOf<float> {
    using Type = float __attribute__((vector_size(16)));
    using Mask = std::int32_t __attribute__((vector_size(16)));
};
template <>
struct VectorOf<double> {
    using Type = double __attribute__((vector_size(16)));
    using Mask = std::int64_t __attribute__((vector_size(16)));
};

// The smallest and largest of the `Block` values at y, a vector at a time: each lane's extremes
// over the block, the lanes folded at its end. A value that is not a number sets its lane of
// `notNumbers` (the comparisons pass over it); an infinite one shows as an infinite extreme.
template <std::size_t Block, typename T>
[[gnu::always_inline]] inline void OneBlockExtremes(const T* y, T& low, T& high, typename VectorOf<T>::Mask& notNumbers)
{
    using Vector = typename VectorOf<T>::Type;
    constexpr std::size_t lanes = sizeof(Vector) / sizeof(T);
    static_assert(Block % lanes == 0);
    Vector lo, hi;
    std::memcpy(&lo, y, sizeof lo);
    hi = lo;
    notNumbers |= lo != lo;
    for (std::size_t k = lanes; k < Block; k += lanes) {
        Vector v;
        std::memcpy(&v, y + k, sizeof v);
        lo = v < lo ? v : lo;
        hi = hi < v ? v : hi;
        notNumbers |= v != v;
    }
    low = lo[0];
    high = hi[0];
    for (std::size_t j = 1; j < lanes; ++j) {
        low = Smaller(low, lo[j]);
        high = Larger(high, hi[j]);
    }
}

// The smallest and largest of each block of `Block` values of ys[first block * Block, n) into
// low and high; false when one of those values is not finite. No branch per value.
template <std::size_t Block, typename T>
[[gnu::always_inline]] inline bool BlockExtremes(const T* ys, std::size_t n, std::size_t firstBlock, T* low, T* high)
{
    typename VectorOf<T>::Mask notNumbers = {};
    T extremes = 0;  // low - low + high - high of every block: 0 while each is finite
    const std::size_t whole = n / Block;
    for (std::size_t b = firstBlock; b < whole; ++b) {
        OneBlockExtremes<Block>(ys + b * Block, low[b], high[b], notNumbers);
        extremes += (low[b] - low[b]) + (high[b] - high[b]);
    }
    if (whole * Block < n && firstBlock <= whole) {
        const T* y = ys + whole * Block;
        T lo = y[0], hi = y[0];
        for (std::size_t i = 0; i < n - whole * Block; ++i) {
            lo = Smaller(lo, y[i]);
            hi = Larger(hi, y[i]);
            extremes += y[i] - y[i];
        }
        low[whole] = lo;
        high[whole] = hi;
    }
    bool numbers = extremes == 0;
    for (std::size_t j = 0; j < sizeof(notNumbers) / sizeof(notNumbers[0]); ++j) numbers = numbers && notNumbers[j] == 0;
    return numbers;
}

// The smallest and largest of ys[begin, end), begin < end, whole blocks taken from the envelope.
template <typename T>
void RangeExtremes(const T* ys, const T* blockLow, const T* blockHigh, std::size_t block, std::size_t begin,
                   std::size_t end, T& low, T& high)
{
    low = high = ys[begin];
    std::size_t i = begin;
    for (; i < end && i % block != 0; ++i) {
        low = std::min(low, ys[i]);
        high = std::max(high, ys[i]);
    }
    for (; i + block <= end; i += block) {
        low = std::min(low, blockLow[i / block]);
        high = std::max(high, blockHigh[i / block]);
    }
    for (; i < end; ++i) {
        low = std::min(low, ys[i]);
        high = std::max(high, ys[i]);
    }
}
}  // namespace

bool TDataSeries::ExtendEnvelope() const
{
    const std::size_t n = ys_.size();
    const std::size_t blocks = (n + EnvelopeBlock - 1) / EnvelopeBlock;
    blockLow_.resize(blocks);
    blockHigh_.resize(blocks);
    const std::size_t from = envelopeCovered_ / EnvelopeBlock * EnvelopeBlock;
    lifts_.erase(std::lower_bound(lifts_.begin(), lifts_.end(), from), lifts_.end());
    const std::uint8_t* const connects = connects_.data();
    for (std::size_t i = from; i < n; ++i) {
        const void* lift = std::memchr(connects + i, 0, n - i);
        if (!lift) break;
        i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(lift) - connects);
        lifts_.push_back(i);
    }
    const bool finite = BlockExtremes<EnvelopeBlock>(ys_.data(), n, envelopeCovered_ / EnvelopeBlock, blockLow_.data(), blockHigh_.data());
    envelopeCovered_ = n;
    return finite;
}

namespace {
// The envelope of a window's values, in blocks of kSharedBlock, also built for processors with
// AVX2 (picked as the program starts), whose three-operand instructions spare the register
// copies of the basic ones.
constexpr std::size_t kSharedBlock = 32;
[[gnu::target_clones("avx2", "default")]] bool SharedBlockExtremes(const float* ys, std::size_t n, float* low, float* high)
{
    return BlockExtremes<kSharedBlock>(ys, n, 0, low, high);
}
}  // namespace

bool TDataSeries::BuildSharedEnvelope()
{
    static_assert(SharedEnvelopeBlock == kSharedBlock);
    const std::span<const float> ys = sharedYs_.Stored();
    const std::size_t blocks = (ys.size() + SharedEnvelopeBlock - 1) / SharedEnvelopeBlock;
    sharedLow_.resize(blocks);
    sharedHigh_.resize(blocks);
    return SharedBlockExtremes(ys.data(), ys.size(), sharedLow_.data(), sharedHigh_.data());
}

void TDataSeries::YExtremes(std::size_t begin, std::size_t end, double& low, double& high) const
{
    if (Shared()) {
        float lo = 0, hi = 0;
        RangeExtremes(sharedYs_.Stored().data(), sharedLow_.data(), sharedHigh_.data(), SharedEnvelopeBlock, begin, end, lo, hi);
        // The divisor is positive, so the stored extremes read as the extremes of the values.
        low = sharedYs_.Read(lo);
        high = sharedYs_.Read(hi);
        return;
    }
    if (envelopeCovered_ < ys_.size()) ExtendEnvelope();
    RangeExtremes(ys_.data(), blockLow_.data(), blockHigh_.data(), EnvelopeBlock, begin, end, low, high);
}

std::size_t TDataSeries::FirstLift(std::size_t begin, std::size_t end) const
{
    if (Shared()) return sharedXs_.FirstLift(begin, end);
    if (envelopeCovered_ < ys_.size()) ExtendEnvelope();
    const auto it = std::lower_bound(lifts_.begin(), lifts_.end(), begin);
    return it != lifts_.end() && *it < end ? *it : end;
}
