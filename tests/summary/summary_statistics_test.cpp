// The percentile rank K (rounded half to even) and the bounded keeping of the K lowest and K
// highest values against sorted lists of the same values.
#include "summary/summary_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

TEST(PercentileRank, RoundsHalfToEven)
{
    struct Case {
        int percentile;
        std::int64_t records, k;
    };
    const Case cases[] = {
        {95, 1008, 50},  // 50.4
        {95, 10, 0},     // 0.5: rounds to the even 0
        {95, 11, 1},     // 0.55
        {95, 30, 2},     // 1.5
        {95, 50, 2},     // 2.5
        {95, 250, 12},   // 12.5
        {95, 270, 14},   // 13.5
        {90, 15, 2},     // 1.5
        {90, 25, 2},     // 2.5
        {100, 1000, 0},
        {99, 525600, 5256},
        {95, 525600, 26280},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PercentileRank(c.percentile, c.records), c.k) << c.percentile << "% of " << c.records;
}

TEST(SummaryStatistics, KeepsTheKthValuesOfASortedList)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 40);  // few distinct values: many ties
    for (std::int64_t k : {1, 2, 5, 37}) {
        std::vector<float> values;
        TSummaryStatistics s(k);
        for (int i = 0; i < 300; ++i) {
            values.push_back(static_cast<float>(pick(random)) / 4.0f);
            s.Add(values.back());
        }
        std::sort(values.begin(), values.end());
        const auto K = static_cast<std::size_t>(k);
        EXPECT_EQ(s.KthLowest(), values[K - 1]) << "K = " << k;
        EXPECT_EQ(s.KthHighest(), values[values.size() - K]) << "K = " << k;
        EXPECT_EQ(s.Minimum(), values.front());
        EXPECT_EQ(s.Maximum(), values.back());
    }
}

TEST(SummaryStatistics, TiesAndRisingValues)
{
    // Two records share the highest value with K = 1: that value.
    TSummaryStatistics ties(1);
    for (float v : {3.0f, 9.0f, 1.0f, 9.0f}) ties.Add(v);
    EXPECT_EQ(ties.KthHighest(), 9.0f);
    EXPECT_EQ(ties.KthLowest(), 1.0f);

    // Values that only rise: every one enters the highest heap.
    TSummaryStatistics rising(3);
    for (int i = 1; i <= 100; ++i) rising.Add(static_cast<float>(i));
    EXPECT_EQ(rising.KthHighest(), 98.0f);
    EXPECT_EQ(rising.KthLowest(), 3.0f);
}

TEST(SummaryStatistics, NanIsNoValue)
{
    TSummaryStatistics s(2);
    EXPECT_EQ(s.Minimum(), 0.0f);
    EXPECT_EQ(s.KthHighest(), 0.0f);
    s.Add(std::nanf(""));
    s.Add(5.0f);
    s.Add(std::nanf(""));
    s.Add(7.0f);
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Minimum(), 5.0f);
    EXPECT_EQ(s.Maximum(), 7.0f);
    EXPECT_EQ(s.KthLowest(), 7.0f);
    EXPECT_EQ(s.KthHighest(), 5.0f);
}

TEST(SummaryStatistics, WithoutLowestKeepsOnlyTheHighEnd)
{
    TSummaryStatistics s(2, false);
    for (float v : {4.0f, 1.0f, 8.0f, 6.0f}) s.Add(v);
    EXPECT_EQ(s.KthHighest(), 6.0f);
    EXPECT_EQ(s.Minimum(), 1.0f);
    EXPECT_EQ(s.KthLowest(), 0.0f);
}
