// The percentile rank K (rounded half to even) and the bounded keeping of the K lowest and K
// highest values against sorted lists of the same values.
#include "summary/summary_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <random>
#include <span>

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

// Series long enough for the kept values to be cut back many times, against a sorted list of
// the same values: ties across the cut values, values equal to a K-th, NaN, infinities, -0,
// series that only rise or only fall, and K from 1 to more than the values.
TEST(SummaryStatistics, ExactKthValuesThroughManyCuts)
{
    std::mt19937 random(11);
    struct Shape {
        const char* what;
        std::function<float(int)> value;
    };
    const float inf = HUGE_VALF;
    const Shape shapes[] = {
        {"few distinct values", [&](int) { return static_cast<float>(std::uniform_int_distribution<int>(0, 6)(random)); }},
        {"all equal", [](int) { return 230.0f; }},
        {"rising", [](int i) { return static_cast<float>(i) * 0.5f; }},
        // Keys one apart: a K-th value falls on the last key of its bin at a cut.
        {"consecutive floats", [](int i) { return std::bit_cast<float>(0x3F800000u + static_cast<std::uint32_t>(i)); }},
        {"falling", [](int i) { return -static_cast<float>(i); }},
        {"daily swing with noise", [&](int i) {
             return 230.0f + 6.0f * std::sin(static_cast<float>(i % 1440) / 229.0f) +
                    std::uniform_real_distribution<float>(-2.0f, 2.0f)(random);
         }},
        {"NaN, infinities and zeros of both signs", [&](int i) {
             switch (i % 7) {
             case 0: return std::nanf("");
             case 1: return inf;
             case 2: return -inf;
             case 3: return -0.0f;
             case 4: return 0.0f;
             default: return std::uniform_real_distribution<float>(-1e30f, 1e30f)(random);
             }
         }},
        {"wide and narrow at once", [&](int i) {
             return i % 1000 == 0 ? 1e38f : 1.0f + static_cast<float>(std::uniform_int_distribution<int>(0, 3)(random)) * 1e-7f;
         }},
    };
    constexpr int kValues = 60000;
    for (const Shape& shape : shapes) {
        for (std::int64_t k : {1, 7, 4000, 30000, 70000}) {
            SCOPED_TRACE(std::string(shape.what) + ", K = " + std::to_string(k));
            std::vector<float> column;  // as the record reader gives them
            for (int i = 0; i < kValues; ++i) column.push_back(shape.value(i));
            std::vector<float> sorted;
            for (float v : column)
                if (!std::isnan(v)) sorted.push_back(v);
            std::sort(sorted.begin(), sorted.end());
            const std::size_t rank = std::min<std::size_t>(static_cast<std::size_t>(k), sorted.size());
            // Ten values at a time, as a step reads them, and a chunk of the reader at a time.
            for (const std::size_t runs : {std::size_t{10}, std::size_t{8456}}) {
                TSummaryStatistics both(k), highOnly(k, false);
                for (std::size_t at = 0; at < column.size(); at += runs) {
                    const auto run = std::span(column).subspan(at, std::min(runs, column.size() - at));
                    both.Add(run);
                    highOnly.Add(run);
                }
                EXPECT_EQ(both.Count(), static_cast<std::int64_t>(sorted.size()));
                EXPECT_EQ(both.KthLowest(), sorted[rank - 1]);
                EXPECT_EQ(both.KthHighest(), sorted[sorted.size() - rank]);
                EXPECT_EQ(both.Minimum(), sorted.front());
                EXPECT_EQ(both.Maximum(), sorted.back());
                EXPECT_EQ(highOnly.KthHighest(), sorted[sorted.size() - rank]);
                EXPECT_EQ(highOnly.Minimum(), sorted.front());
                EXPECT_EQ(highOnly.KthLowest(), 0.0f);
            }
        }
    }
}

// A zero's sign never matters: -0 and 0 are one value, given as 0.
TEST(SummaryStatistics, NegativeZeroIsZero)
{
    TSummaryStatistics s(2);
    for (float v : {-0.0f, 0.0f, -0.0f}) s.Add(v);
    EXPECT_FALSE(std::signbit(s.Minimum()));
    EXPECT_FALSE(std::signbit(s.KthLowest()));
    EXPECT_FALSE(std::signbit(s.KthHighest()));
    EXPECT_EQ(s.Maximum(), 0.0f);
}

// The order-preserving keys: a < b exactly when their keys are, over every kind of float.
TEST(SummaryStatistics, KeysKeepTheOrderOfValues)
{
    const float values[] = {-HUGE_VALF, -3e38f, -1.0f, -1e-45f, 0.0f, 1e-45f, 1.17549435e-38f, 1.0f, 1.0000001f, 3e38f, HUGE_VALF};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(TSummaryStatistics::ValueOf(TSummaryStatistics::KeyOf(values[i])), values[i]) << values[i];
        for (std::size_t j = i + 1; j < std::size(values); ++j)
            EXPECT_LT(TSummaryStatistics::KeyOf(values[i]), TSummaryStatistics::KeyOf(values[j])) << values[i] << " " << values[j];
    }
    EXPECT_EQ(TSummaryStatistics::KeyOf(-0.0f), TSummaryStatistics::KeyOf(0.0f));
}
