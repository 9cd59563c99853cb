// The point store under every graph series: x-ordered points with creation ids, the running
// extremes the axes scale from, a Y offset, merging of equal x values and a point-count warning.
// Points live in contiguous arrays, so the graph finds a pixel column's points by binary search.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

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
    int Count() const { return static_cast<int>(xs_.size()); }
    double XMin() const { return xMin_; }
    double XMax() const { return xMax_; }
    double YMin() const { return yMin_; } // relative to the offset
    double YMax() const { return yMax_; }

    // The points in x order, for drawing and searching.
    std::span<const double> Xs() const { return xs_; }
    std::span<const double> Ys() const { return ys_; }
    std::span<const std::uint8_t> Connects() const { return connects_; }
    std::span<const std::uint32_t> Ids() const { return ids_; }
    // Smallest and largest stored y of the points [begin, end), begin < end; from a block
    // envelope kept alongside the points, so a paint does not scan every point of a column.
    void YExtremes(std::size_t begin, std::size_t end, double& low, double& high) const;
    // The first point in [begin, end) whose pen is lifted (Connect false), or end.
    std::size_t FirstLift(std::size_t begin, std::size_t end) const;

protected:
    virtual void Changed(std::uint8_t reason) { (void)reason; }
    virtual void TooManyPoints() {}

private:
    bool Place(bool connect, double x, double y);
    std::size_t AppendInOrder(std::span<const double> xs, std::span<const double> ys, std::span<const std::uint8_t> connects);
    void TakeExtremes(bool first, double x, double y);
    void InsertAt(std::size_t pos, bool connect, double x, double y);
    void Overwrite(std::size_t pos, bool connect, double x, double y);
    void InvalidateEnvelopeFrom(std::size_t pos);
    void ExtendEnvelope() const;

    std::vector<double> xs_, ys_;
    std::vector<std::uint8_t> connects_;
    std::vector<std::uint32_t> ids_;
    static constexpr std::size_t EnvelopeBlock = 16;
    mutable std::vector<double> blockLow_, blockHigh_;
    mutable std::vector<std::size_t> lifts_; // positions of the lifted pens, ascending
    mutable std::size_t envelopeCovered_ = 0; // points whose blocks are up to date
    std::uint32_t lastId_ = 0;
    double xMin_ = 0, xMax_ = 0, yMin_ = 0, yMax_ = 0;
    double yOffset_ = 0;
    bool dirty_ = false;
    bool autoOffset_ = false;
    bool allowDuplicates_ = false;
};
