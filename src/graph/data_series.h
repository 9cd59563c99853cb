// The point store under every graph series: x-ordered points with creation ids, the running
// extremes the axes scale from, a Y offset, merging of equal x values and a point-count warning.
// Points live in contiguous arrays, so the graph finds a pixel column's points by binary search;
// the points of a record window are held as their maker's arrays (times and joins shared by
// the window's series, values in single precision) instead of copied into each series.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/unset_array.h"

// X values that several series hold at once (the times of a record window) and the points
// whose line does not come from the point before (a gap in the recording): made once, never
// changed, and checked once for what a series needs to take them as they stand. The first
// point never joins a point before it.
class TSharedXs {
public:
    TSharedXs() = default;
    // `lifts`: ascending positions of the points that do not join the point before.
    explicit TSharedXs(std::vector<double> xs, std::vector<std::uint32_t> lifts = {});
    // Times that their maker has checked while making them (a record window's, as decoded):
    // `ascending` says whether they are finite and strictly ascending.
    TSharedXs(TUnsetArray<double> xs, std::vector<std::uint32_t> lifts, bool ascending);

    std::span<const double> Values() const { return {values_.get() + offset_, size_}; }
    std::size_t Size() const { return size_; }
    // Finite and strictly ascending: a series takes each as a new last point.
    bool Ascending() const { return ascending_; }
    // Whether point i (below Size()) joins the point before it.
    bool Joins(std::size_t i) const;
    // The first point in [begin, end) that does not join the point before it, or end.
    std::size_t FirstLift(std::size_t begin, std::size_t end) const;
    // `count` values from `offset` (both within Size()), sharing these values and their joins;
    // the slice's first point joins nothing.
    TSharedXs Slice(std::size_t offset, std::size_t count) const;
    bool operator==(const TSharedXs& other) const
    {
        return values_ == other.values_ && offset_ == other.offset_ && size_ == other.size_;
    }

private:
    template <typename Array>
    void Hold(Array xs, std::vector<std::uint32_t> lifts, bool ascending);

    std::shared_ptr<const double> values_;  // the whole array, held by its owner's share
    std::shared_ptr<const std::vector<std::uint32_t>> lifts_;  // positions in the whole array
    std::size_t offset_ = 0, size_ = 0;
    bool ascending_ = true;
};

// The y values of one series as its maker holds them, in single precision (the values a record
// holds), shared with it: a view refills its arrays from one plot to the next once the graph
// has let them go. Each value reads as the stored one divided by the divisor (a voltage view
// in kilovolts shows volts / 1000).
class TSharedYs {
public:
    TSharedYs() = default;
    TSharedYs(std::shared_ptr<const float> values, std::size_t size, double divisor = 1)
        : values_(std::move(values)), size_(size), divisor_(divisor)
    {
    }
    std::size_t Size() const { return size_; }
    std::span<const float> Stored() const { return {values_.get(), size_}; }
    // The same values, each read divided by `divisor` (positive).
    TSharedYs Divided(double divisor) const { return {values_, size_, divisor}; }
    double operator[](std::size_t i) const { return Read(values_.get()[i]); }
    double Read(float stored) const { return static_cast<double>(stored) / divisor_; }

private:
    std::shared_ptr<const float> values_;
    std::size_t size_ = 0;
    double divisor_ = 1;
};

class TDataSeries {
public:
    TDataSeries() = default;
    virtual ~TDataSeries() = default;
    TDataSeries(const TDataSeries&) = delete;
    TDataSeries& operator=(const TDataSeries&) = delete;

    // Change reasons told to Changed.
    static constexpr std::uint8_t ReasonPoints = 1, ReasonOffset = 2, ReasonUpdateEnd = 3, ReasonAppearance = 4;

    int MaxPoints = 30000; // 0 switches the warning off
    std::string Name = "UnNamed Series";

    void Clear();
    // Inserts or merges one point. Non-finite coordinates cannot be scaled or drawn: such a point
    // is refused (false) and nothing changes.
    bool AddPoint(bool connect, double x, double y);
    // A run of points, each as AddPoint would take it (connects[i] != 0 joins point i), with
    // one change notice for the run: a window of records is plotted in one call, without a
    // notice or a reallocation per point. The three spans have one length; returns the points
    // taken.
    std::size_t AddPoints(std::span<const double> xs, std::span<const double> ys, std::span<const std::uint8_t> connects);
    // A window's points as their maker holds them (one y per x, joined as `xs` says): an empty
    // series whose points would all be taken as new last points (ascending x, finite y, no
    // warning due, no automatic offset) holds both arrays themselves; otherwise the points go
    // through the run above. Any later change of the points gives the series its own copy.
    std::size_t AddPoints(const TSharedXs& xs, const TSharedYs& ys);
    // Room for `count` points in all, so a known number of points grows the store once.
    void Reserve(std::size_t count);
    // Point by id: its x, y (without offset) and z; id becomes the next point's id, 0 after the
    // last. False, outputs untouched, when no point has that id.
    bool GetPoint(std::uint32_t& id, double& x, double& y, double& z) const;

    void SetYOffset(double value);
    void SetAutoOffset(bool value);
    void SetAllowDuplicates(bool value);
    void RemoveDuplicates();
    void Recalc();

    double YOffset() const { return yOffset_; }
    bool AutoOffset() const { return autoOffset_; }
    bool AllowDuplicates() const { return allowDuplicates_; }
    bool Dirty() const { return dirty_; }
    std::uint32_t LastId() const { return lastId_; }
    int Count() const { return static_cast<int>(Size()); }
    double XMin() const { return xMin_; }
    double XMax() const { return xMax_; }
    double YMin() const { return yMin_; } // relative to the offset
    double YMax() const { return yMax_; }

    // The points in x order, for drawing and searching.
    std::span<const double> Xs() const { return Shared() ? sharedXs_.Values() : std::span<const double>(xs_); }
    // Point i's y (without offset), and whether its line comes from the point before (below Count()).
    double Y(std::size_t i) const { return Shared() ? sharedYs_[i] : ys_[i]; }
    bool Connected(std::size_t i) const { return Shared() ? sharedXs_.Joins(i) : connects_[i] != 0; }
    // Id of the point at a position (0 to Count() - 1).
    std::uint32_t IdAt(std::size_t position) const
    {
        return ids_.empty() ? static_cast<std::uint32_t>(position + 1) : ids_[position];
    }
    // True while the points are those of `xs` (and their y values their maker's), not a copy.
    bool SharesXs(const TSharedXs& xs) const { return Shared() && sharedXs_ == xs; }
    // Grows with every change of the points, so what is derived from them knows when to rebuild.
    std::uint64_t PointsVersion() const { return pointsVersion_; }
    // Smallest and largest stored y of the points [begin, end), begin < end; from a block
    // envelope kept alongside the points, so a paint does not scan every point of a column.
    void YExtremes(std::size_t begin, std::size_t end, double& low, double& high) const;
    // The first point in [begin, end) whose pen is lifted (Connect false), or end.
    std::size_t FirstLift(std::size_t begin, std::size_t end) const;

protected:
    virtual void Changed(std::uint8_t reason) { (void)reason; }
    virtual void TooManyPoints() {}

private:
    bool Shared() const { return sharedYs_.Size() > 0; }
    std::size_t Size() const { return Shared() ? sharedYs_.Size() : ys_.size(); }
    bool Place(bool connect, double x, double y);
    std::size_t AppendInOrder(std::span<const double> xs, std::span<const double> ys, std::span<const std::uint8_t> connects);
    void TakeExtremes(bool first, double x, double y);
    void TakeRunExtremes(std::span<const double> xs, std::span<const double> ys, bool startsEmpty);
    void InsertAt(std::size_t pos, bool connect, double x, double y);
    void Overwrite(std::size_t pos, bool connect, double x, double y);
    // The points to change are the series' own: shared points are copied first.
    void OwnPoints();
    // Ids stored one per point from now on (an insert or a removal breaks id = position + 1).
    void StoreIds();
    // The points from `pos` on changed: the envelope is rebuilt from there.
    void PointsChangedFrom(std::size_t pos);
    // Builds the envelope of the points not yet covered; false when one of their y is not finite.
    bool ExtendEnvelope() const;
    bool BuildSharedEnvelope();

    TSharedXs sharedXs_;      // while the points are shared (Shared())
    TSharedYs sharedYs_;
    std::vector<double> xs_;  // otherwise
    std::vector<double> ys_;
    std::vector<std::uint8_t> connects_;
    std::vector<std::uint32_t> ids_;  // empty while every id is its position + 1
    static constexpr std::size_t EnvelopeBlock = 16;
    // A window's values are many: their envelope takes longer blocks, for less memory.
    static constexpr std::size_t SharedEnvelopeBlock = 32;
    mutable std::vector<double> blockLow_, blockHigh_;
    TUnsetArray<float> sharedLow_, sharedHigh_;  // the envelope of shared points, as stored
    mutable std::vector<std::size_t> lifts_; // positions of the lifted pens, ascending
    mutable std::size_t envelopeCovered_ = 0; // points whose blocks are up to date
    std::uint64_t pointsVersion_ = 0;
    std::uint32_t lastId_ = 0;
    double xMin_ = 0, xMax_ = 0, yMin_ = 0, yMax_ = 0;
    double yOffset_ = 0;
    bool dirty_ = false;
    bool autoOffset_ = false;
    bool allowDuplicates_ = false;
};
