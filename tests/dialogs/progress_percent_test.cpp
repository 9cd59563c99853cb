#include "dialogs/progress_percent.h"

#include <gtest/gtest.h>

TEST(ProgressPercent, RoundsHalvesToEven)
{
    struct Case { int done, total, percent; };
    const Case cases[] = {
        {1, 8, 12},   // 12.5
        {3, 8, 38},   // 37.5
        {5, 8, 62},   // 62.5
        {7, 8, 88},   // 87.5
        {1, 3, 33},   {2, 3, 67}, {0, 5, 0}, {5, 5, 100}, {1, 200, 0}, {3, 200, 2},  // 0.5 and 1.5
        {1, 0, 0},    // no total: nothing to measure against
    };
    for (const auto& c : cases) EXPECT_EQ(ProgressPercent(c.done, c.total), c.percent) << c.done << "/" << c.total;
}

TEST(ProgressBarState, NeverMovesBackUntilReset)
{
    ProgressBarState bar;
    EXPECT_TRUE(bar.Set(10, 10));
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_FALSE(bar.Set(3, 10));
    EXPECT_EQ(bar.Percent(), 30);
    EXPECT_EQ(bar.Position(), 100);
    bar.Reset();
    EXPECT_TRUE(bar.Set(3, 10));
    EXPECT_EQ(bar.Position(), 30);
    EXPECT_FALSE(bar.Set(3, 10));  // the same percentage does not move the bar again
}

TEST(ProgressBarState, OvershootLeavesTheBarFull)
{
    ProgressBarState bar;
    EXPECT_TRUE(bar.Set(15, 10));
    EXPECT_EQ(bar.Percent(), 150);
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_FALSE(bar.Set(20, 10));
}
