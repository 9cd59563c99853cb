#include "graph/data_series.h"

#include "fixtures/series_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// Counts what a series tells its owner.
class ObservedSeries : public TDataSeries {
public:
    std::vector<int> reasons;
    int tooMany = 0;

protected:
    void Changed(std::uint8_t reason) override { reasons.push_back(reason); }
    void TooManyPoints() override { ++tooMany; }
};

std::vector<double> XsOf(const TDataSeries& s) { return {s.Xs().begin(), s.Xs().end()}; }
std::vector<std::uint32_t> IdsOf(const TDataSeries& s)
{
    std::vector<std::uint32_t> ids;
    for (int i = 0; i < s.Count(); ++i) ids.push_back(s.IdAt(static_cast<std::size_t>(i)));
    return ids;
}


// A record window's points as a view hands them over: times shared with the gaps `connects`
// marks (its first entry 0: the first point joins nothing), values in single precision read
// through `divisor`.
struct Window {
    TSharedXs xs;
    TSharedYs ys;
};
TSharedXs XsWithGaps(std::vector<double> xs, const std::vector<std::uint8_t>& connects)
{
    std::vector<std::uint32_t> gaps;
    for (std::size_t i = 1; i < connects.size(); ++i)
        if (connects[i] == 0) gaps.push_back(static_cast<std::uint32_t>(i));
    return TSharedXs(std::move(xs), std::move(gaps));
}
TSharedYs StoredYs(const std::vector<double>& ys, double divisor = 1)
{
    auto stored = std::make_shared<std::vector<float>>();
    for (double y : ys) stored->push_back(static_cast<float>(y));
    return TSharedYs(std::shared_ptr<const float>(stored, stored->data()), stored->size(), divisor);
}

// Everything a series shows of its points, its extremes and its warnings.
void ExpectSameSeries(const ObservedSeries& a, const ObservedSeries& b)
{
    EXPECT_EQ(XsOf(a), XsOf(b));
    EXPECT_EQ(SeriesYs(a), SeriesYs(b));
    EXPECT_EQ(SeriesJoins(a), SeriesJoins(b));
    EXPECT_EQ(IdsOf(a), IdsOf(b));
    EXPECT_EQ(a.LastId(), b.LastId());
    EXPECT_EQ(a.XMin(), b.XMin());
    EXPECT_EQ(a.XMax(), b.XMax());
    EXPECT_EQ(a.YMin(), b.YMin());
    EXPECT_EQ(a.YMax(), b.YMax());
    EXPECT_EQ(a.YOffset(), b.YOffset());
    EXPECT_EQ(a.Dirty(), b.Dirty());
    EXPECT_EQ(a.tooMany, b.tooMany);
    const auto count = static_cast<std::size_t>(a.Count());
    if (count == 0 || count != static_cast<std::size_t>(b.Count())) return;
    double low = 0, high = 0, otherLow = 0, otherHigh = 0;
    a.YExtremes(0, count, low, high);
    b.YExtremes(0, count, otherLow, otherHigh);
    EXPECT_EQ(low, otherLow);
    EXPECT_EQ(high, otherHigh);
    EXPECT_EQ(a.FirstLift(0, count), b.FirstLift(0, count));
}

} // namespace

TEST(DataSeries, SameXWithoutDuplicatesOverwritesAndOnlyWidens)
{
    ObservedSeries s;
    s.AddPoint(true, 10, 5);
    s.AddPoint(true, 10, 7);
    ASSERT_EQ(s.Count(), 1);
    std::uint32_t id = 1;
    double x = 0, y = 0, z = -1;
    ASSERT_TRUE(s.GetPoint(id, x, y, z));
    EXPECT_EQ(y, 7);
    EXPECT_EQ(z, 0);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(s.YMax(), 7);
    EXPECT_EQ(s.YMin(), 5); // the overwritten value counts until Recalc
    s.Recalc();
    EXPECT_EQ(s.YMin(), 7);
}

TEST(DataSeries, OutOfOrderPointsAreSortedAndKeepCreationIds)
{
    TDataSeries s;
    s.AddPoint(true, 1, 0);
    s.AddPoint(true, 3, 0);
    s.AddPoint(true, 2, 0);
    EXPECT_EQ(XsOf(s), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(IdsOf(s), (std::vector<std::uint32_t>{1, 3, 2}));

    // Iterating by id follows x order: 1 -> 3 -> 2 -> end.
    std::uint32_t id = 1;
    double x, y, z;
    std::vector<double> walked;
    while (id != 0 && s.GetPoint(id, x, y, z)) walked.push_back(x);
    EXPECT_EQ(walked, (std::vector<double>{1, 2, 3}));
}

TEST(DataSeries, DuplicatesGoAfterAtTheEndAndBeforeInTheMiddle)
{
    TDataSeries s;
    s.SetAllowDuplicates(true);
    s.AddPoint(true, 1, 10);
    s.AddPoint(true, 2, 20);
    s.AddPoint(true, 2, 21); // at the end: after the first 2
    s.AddPoint(true, 1, 11); // in the middle: before the existing 1
    EXPECT_EQ(XsOf(s), (std::vector<double>{1, 1, 2, 2}));
    EXPECT_EQ(SeriesYs(s), (std::vector<double>{11, 10, 20, 21}));
}

TEST(DataSeries, SwitchingDuplicatesOffKeepsTheFirstOfEachX)
{
    ObservedSeries s;
    s.SetAllowDuplicates(true);
    s.AddPoint(true, 1, 0);
    s.AddPoint(true, 2, 5);
    s.AddPoint(true, 2, 6);
    s.reasons.clear();
    s.SetAllowDuplicates(false);
    EXPECT_EQ(XsOf(s), (std::vector<double>{1, 2}));
    EXPECT_EQ(s.Y(1), 5);
    EXPECT_EQ(s.reasons, (std::vector<int>{1}));
    EXPECT_TRUE(s.Dirty());
}

TEST(DataSeries, PointsBeyondMaxPointsWarnAndStay)
{
    ObservedSeries s;
    for (int i = 0; i < 30002; ++i) s.AddPoint(true, i, 0);
    EXPECT_EQ(s.Count(), 30002);
    EXPECT_EQ(s.tooMany, 2);
}

TEST(DataSeries, GetPointWithUnknownIdChangesNothing)
{
    TDataSeries s;
    s.AddPoint(true, 1, 2);
    std::uint32_t id = 9;
    double x = 42, y = 43, z = 44;
    EXPECT_FALSE(s.GetPoint(id, x, y, z));
    EXPECT_EQ(id, 9u);
    EXPECT_EQ(x, 42);
    id = 0;
    EXPECT_FALSE(s.GetPoint(id, x, y, z));
}

TEST(DataSeries, ClearRestartsIdsAndExtremes)
{
    TDataSeries s;
    s.AddPoint(true, 1, 2);
    s.AddPoint(true, 5, 9);
    s.Clear();
    EXPECT_TRUE(s.Dirty());
    EXPECT_EQ(s.XMax(), 5); // kept until the next point
    s.AddPoint(true, 3, 4);
    EXPECT_EQ(s.IdAt(0), 1u);
    EXPECT_EQ(s.XMin(), 3);
    EXPECT_EQ(s.XMax(), 3);
    EXPECT_EQ(s.YMin(), 4);
    EXPECT_EQ(s.YMax(), 4);
    EXPECT_FALSE(s.Dirty());
}

TEST(DataSeries, OffsetsAreAppliedToExtremesOnly)
{
    ObservedSeries s;
    s.AddPoint(true, 1, 10);
    s.AddPoint(true, 2, 20);
    s.SetYOffset(5);
    EXPECT_EQ(s.reasons.back(), 2);
    s.Recalc();
    EXPECT_EQ(s.YMin(), 5);
    EXPECT_EQ(s.YMax(), 15);
    EXPECT_EQ(s.Y(0), 10);
}

TEST(DataSeries, AutoOffsetFollowsTheSmallestY)
{
    TDataSeries s;
    s.SetAutoOffset(true);
    s.AddPoint(true, 1, 10);
    EXPECT_EQ(s.YOffset(), 10);
    EXPECT_EQ(s.YMin(), 0);
    s.AddPoint(true, 2, 4);
    EXPECT_EQ(s.YOffset(), 4);
    EXPECT_TRUE(s.Dirty());
    s.Recalc();
    EXPECT_EQ(s.YMin(), 0);
    EXPECT_EQ(s.YMax(), 6);
}

TEST(DataSeries, NonFiniteValuesAreRefused)
{
    ObservedSeries s;
    EXPECT_FALSE(s.AddPoint(true, std::nan(""), 1));
    EXPECT_FALSE(s.AddPoint(true, 1, std::numeric_limits<double>::infinity()));
    EXPECT_EQ(s.Count(), 0);
    EXPECT_TRUE(s.reasons.empty());
}

// The block envelope behind dense drawing must follow every change of the points.
TEST(DataSeries, ColumnExtremesFollowInsertsOverwritesAndAppends)
{
    TDataSeries s;
    for (int i = 0; i < 1000; ++i) s.AddPoint(i % 100 != 50, i, i % 7);
    double low = 0, high = 0;
    s.YExtremes(10, 900, low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 6);
    EXPECT_EQ(s.FirstLift(0, 1000), 50u);
    EXPECT_EQ(s.FirstLift(51, 140), 140u);

    s.AddPoint(false, 500.5, 99); // insert in the middle, pen lifted
    s.YExtremes(10, 900, low, high);
    EXPECT_EQ(high, 99);
    EXPECT_EQ(s.FirstLift(451, 1001), 501u);
    s.AddPoint(true, 500.5, -5); // overwrite it
    s.YExtremes(490, 520, low, high);
    EXPECT_EQ(low, -5);
    EXPECT_EQ(high, 6);
    EXPECT_EQ(s.FirstLift(451, 1001), 551u);
    s.AddPoint(false, 2000, 42); // append: the 1002nd point
    s.YExtremes(995, 1002, low, high);
    EXPECT_EQ(high, 42);
    EXPECT_EQ(s.FirstLift(960, 1002), 1001u);
    s.Clear();
    s.AddPoint(true, 1, 3);
    s.AddPoint(true, 2, 4);
    s.YExtremes(0, 2, low, high);
    EXPECT_EQ(low, 3);
    EXPECT_EQ(high, 4);
    EXPECT_EQ(s.FirstLift(0, 2), 2u);
}

// A run takes each point as AddPoint does (refusals, merges, inserts, ids, extremes, warnings)
// and tells its owner once.
TEST(DataSeries, RunOfPointsMatchesPointByPointWithOneNotice)
{
    const double nan = std::nan("");
    const std::vector<double> xs{1, 2, 2, nan, 5, 3, 6, 7, 7, 8};
    const std::vector<double> ys{10, 20, 25, 1, 50, 30, 4, -2, 3, 9};
    const std::vector<std::uint8_t> connects{1, 1, 0, 1, 1, 0, 1, 1, 0, 1};

    struct Case {
        bool duplicates;
        bool autoOffset;
        int maxPoints;
        bool dirtyBefore; // a point and an offset change before the run
    };
    for (const Case c : {Case{false, false, 0, false}, Case{true, false, 0, false}, Case{false, true, 0, false},
                         Case{true, true, 0, false}, Case{false, false, 4, false}, Case{true, true, 4, false},
                         Case{false, false, 0, true}}) {
        SCOPED_TRACE(testing::Message() << "duplicates " << c.duplicates << ", auto offset " << c.autoOffset
                                        << ", max points " << c.maxPoints << ", dirty before " << c.dirtyBefore);
        ObservedSeries single, run;
        for (ObservedSeries* s : {&single, &run}) {
            s->SetAllowDuplicates(c.duplicates);
            if (c.dirtyBefore) {
                s->AddPoint(true, 0, 100);
                s->SetYOffset(3);
            }
            s->SetAutoOffset(c.autoOffset);
            s->MaxPoints = c.maxPoints;
            s->reasons.clear();
        }
        std::size_t added = 0;
        for (std::size_t i = 0; i < xs.size(); ++i) added += single.AddPoint(connects[i] != 0, xs[i], ys[i]) ? 1 : 0;
        EXPECT_EQ(run.AddPoints(xs, ys, connects), added);

        ExpectSameSeries(run, single);
        EXPECT_EQ(run.reasons, (std::vector<int>{1}));
    }
}

TEST(DataSeries, RunWithNothingToTakeTellsNothing)
{
    ObservedSeries s;
    const std::vector<double> none{std::nan("")};
    const std::vector<std::uint8_t> joined{1};
    EXPECT_EQ(s.AddPoints(none, none, joined), 0u);
    EXPECT_EQ(s.Count(), 0);
    EXPECT_TRUE(s.reasons.empty());
}

// Series given a window's shared points hold them, not a copy, when every point would be a new
// last point; otherwise the run is taken point by point. Either way each series shows what
// adding its points one by one shows.
TEST(DataSeries, SharedPointsAreHeldWhenTakenAsTheyStand)
{
    const double nan = std::nan("");
    struct Case {
        const char* what;
        std::vector<double> xs, ys;
        int maxPoints;
        bool pointBefore;
        bool autoOffset;
        bool shared;
    } cases[] = {
        {"ascending", {1, 2, 4, 8}, {5, 3, 9, 4}, 0, false, false, true},
        {"exactly the warning limit", {1, 2, 4, 8}, {5, 3, 9, 4}, 4, false, false, true},
        {"past the warning limit", {1, 2, 4, 8}, {5, 3, 9, 4}, 3, false, false, false},
        {"a repeated x", {1, 2, 2, 8}, {5, 3, 9, 4}, 0, false, false, false},
        {"out of order", {1, 4, 2, 8}, {5, 3, 9, 4}, 0, false, false, false},
        {"a y that is not a number", {1, 2, 4, 8}, {5, nan, 9, 4}, 0, false, false, false},
        {"a point already there", {1, 2, 4, 8}, {5, 3, 9, 4}, 0, true, false, false},
        {"an automatic offset", {1, 2, 4, 8}, {5, 3, 9, 4}, 0, false, true, false},
    };
    const std::vector<std::uint8_t> connects{0, 0, 1, 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TSharedXs xs = XsWithGaps(c.xs, connects);
        ObservedSeries shared, single;
        for (ObservedSeries* s : {&shared, &single}) {
            s->MaxPoints = c.maxPoints;
            s->SetAutoOffset(c.autoOffset);
            if (c.pointBefore) s->AddPoint(true, 0.5, 1);
            s->reasons.clear();
        }
        std::size_t added = 0;
        for (std::size_t i = 0; i < c.xs.size(); ++i) added += single.AddPoint(connects[i] != 0, c.xs[i], c.ys[i]) ? 1 : 0;
        EXPECT_EQ(shared.AddPoints(xs, StoredYs(c.ys)), added);
        EXPECT_EQ(shared.SharesXs(xs), c.shared);
        ExpectSameSeries(shared, single);
        EXPECT_EQ(shared.reasons, (std::vector<int>{1}));
    }
}

// Shared values read through their divisor as the values divided one by one, extremes and
// column envelopes included (a view in kilovolts), and a gap inside a window or at a slice's
// start lifts the pen there.
TEST(DataSeries, SharedValuesReadThroughTheirDivisor)
{
    std::vector<double> xs, volts;
    std::vector<std::uint8_t> connects;
    for (int i = 0; i < 100; ++i) {
        xs.push_back(i);
        volts.push_back(11000.0 + 0.1 * (i % 13) - (i == 57 ? 40.3 : 0));
        connects.push_back(i != 0 && i != 40);
    }
    ObservedSeries shared, single;
    const TSharedXs times = XsWithGaps(xs, connects);
    ASSERT_EQ(shared.AddPoints(times, StoredYs(volts, 1000)), 100u);
    EXPECT_TRUE(shared.SharesXs(times));
    for (std::size_t i = 0; i < xs.size(); ++i)
        single.AddPoint(connects[i] != 0, xs[i], static_cast<double>(static_cast<float>(volts[i])) / 1000);
    single.reasons.clear();
    shared.reasons.clear();
    ExpectSameSeries(shared, single);
    double low = 0, high = 0;
    shared.YExtremes(3, 97, low, high);
    EXPECT_EQ(low, static_cast<double>(static_cast<float>(volts[57])) / 1000);
    EXPECT_EQ(shared.FirstLift(1, 100), 40u);

    const TSharedXs slice = times.Slice(41, 30);
    EXPECT_FALSE(slice.Joins(0));
    EXPECT_TRUE(slice.Joins(1));
    EXPECT_EQ(slice.FirstLift(1, 30), 30u);
    EXPECT_EQ(times.Slice(30, 20).FirstLift(1, 20), 10u);
}

// A series holding shared points takes its own copy when its points change; the other series
// holding them keep them as they were.
TEST(DataSeries, ChangingASeriesWithSharedXsLeavesTheOthers)
{
    const TSharedXs xs(std::vector<double>{10, 20, 30, 40});
    struct Case {
        const char* what;
        void (*change)(TDataSeries&);
        std::vector<double> xs;
        std::vector<std::uint32_t> ids;
    } cases[] = {
        {"insert", [](TDataSeries& s) { s.AddPoint(true, 25, 0); }, {10, 20, 25, 30, 40}, {1, 2, 5, 3, 4}},
        {"overwrite", [](TDataSeries& s) { s.AddPoint(true, 20, 0); }, {10, 20, 30, 40}, {1, 2, 3, 4}},
        {"append", [](TDataSeries& s) { s.AddPoint(true, 50, 0); }, {10, 20, 30, 40, 50}, {1, 2, 3, 4, 5}},
        {"a run after them", [](TDataSeries& s) { s.AddPoints(std::vector<double>{45, 50}, std::vector<double>{0, 0}, std::vector<std::uint8_t>{1, 1}); },
         {10, 20, 30, 40, 45, 50}, {1, 2, 3, 4, 5, 6}},
        {"clear", [](TDataSeries& s) { s.Clear(); }, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ObservedSeries changed, other;
        changed.AddPoints(xs, StoredYs({1, 2, 3, 4}));
        other.AddPoints(xs, StoredYs({5, 6, 7, 8}));
        const std::uint64_t version = changed.PointsVersion();
        c.change(changed);
        EXPECT_GT(changed.PointsVersion(), version);
        EXPECT_FALSE(changed.SharesXs(xs));
        EXPECT_EQ(XsOf(changed), c.xs);
        EXPECT_EQ(IdsOf(changed), c.ids);
        EXPECT_TRUE(other.SharesXs(xs));
        EXPECT_EQ(XsOf(other), (std::vector<double>{10, 20, 30, 40}));
        EXPECT_EQ(SeriesYs(other), (std::vector<double>{5, 6, 7, 8}));
        EXPECT_EQ(IdsOf(other), (std::vector<std::uint32_t>{1, 2, 3, 4}));
    }
}

// Shared x values are taken as they stand only when finite and strictly ascending; a slice
// shares the values and is judged on its own.
TEST(DataSeries, SharedXsAscendingOnlyWhenFiniteAndStrictlyRising)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
    struct Case {
        std::vector<double> xs;
        bool ascending;
    } cases[] = {{{}, true},           {{5}, true},          {{1, 2, 3}, true},   {{1, 2, 2}, false},
                 {{3, 2, 1}, false},   {{1, nan, 3}, false}, {{1, 2, inf}, false}, {{-inf, 1, 2}, false},
                 {{nan}, false}};
    for (const Case& c : cases) EXPECT_EQ(TSharedXs(c.xs).Ascending(), c.ascending) << testing::PrintToString(c.xs);

    const TSharedXs xs(std::vector<double>{1, 2, 3, 2, 5});
    EXPECT_FALSE(xs.Ascending());
    const TSharedXs rising = xs.Slice(0, 3);
    EXPECT_TRUE(rising.Ascending());
    EXPECT_EQ(std::vector<double>(rising.Values().begin(), rising.Values().end()), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(rising.Values().data(), xs.Values().data());
    EXPECT_FALSE(xs.Slice(2, 2).Ascending());
    ObservedSeries s;
    EXPECT_EQ(s.AddPoints(rising, StoredYs({7, 8, 9})), 3u);
    EXPECT_TRUE(s.SharesXs(rising));
    EXPECT_FALSE(s.SharesXs(xs));
}
