// The event classification both engines count by, in the analysis's and the summary's
// numbering, and the window rules: the ring of day slots and the share test at its bound.
#include "analysis/analysis_windows.h"
#include "analysis/event_classifier.h"

#include <gtest/gtest.h>

namespace {
struct ClassCase {
    const char* what;
    int type;
    float threshold, peak;
    int channel;
    int analysisCategory;  // -1: not counted
    int summaryCategory;
    int phase;
};

const ClassCase kClassCases[] = {
    {"over-voltage L1", 1, 253, 260, 0, 0, 1, 0},
    {"under-voltage L3, type 2", 2, 207, 180, 2, 1, 2, 2},
    {"under-voltage L2, type 3", 3, 207, 150, 1, 1, 2, 1},
    {"fast variation, type 4", 4, 5, 7, 0, 2, 0, 0},
    {"fast variation, type 5", 5, 5, 7, 1, 2, 0, 1},
    {"interruption as recorded", 7, 23, 1, 0, 8, 8, 0},
    // 207 / 0.9 x 0.01 = 2.3: a dip to 2.0 is an interruption, one to 2.5 stays a dip.
    {"dip to 1/90 of its threshold", 2, 207, 2.0f, 1, 8, 8, 1},
    {"dip above 1/90 of its threshold", 2, 207, 2.5f, 1, 1, 2, 1},
    {"over-frequency", 1, 50.5f, 51, 3, 3, 3, 0},
    {"under-frequency", 2, 49.5f, 49, 3, 4, 4, 0},
    {"over-unbalance", 1, 2, 3, 4, 5, 5, 0},
    {"over-flicker L2", 1, 1, 2, 6, 7, 7, 1},
    {"over-harmonic, order 1 L2 (channel 14)", 1, 5, 6, 14, 6, 6, 1},
    {"over-harmonic, last voltage-harmonic code", 1, 5, 6, 149, 6, 6, (149 - 10) % 3},
    // Not counted.
    {"voltage type 0 has no category", 0, 1, 1, 0, -1, -1, 0},
    {"voltage type 6 has no category", 6, 1, 1, 0, -1, -1, 0},
    {"voltage types from 8 on are not counted", 9, 207, 150, 0, -1, -1, 0},
    {"system event", 16, 0, 0, 4, -1, -1, 0},
    {"L4 voltage", 1, 253, 260, 8, -1, -1, 0},
    {"code 9 stands for nothing", 1, 1, 1, 9, -1, -1, 0},
    {"active power", 1, 1, 1, 150, -1, -1, 0},
    {"current harmonic", 1, 1, 1, 203, -1, -1, 0},
    {"digital input", 24, 0, 0, 800, -1, -1, 0},
    {"negative channel code", 1, 1, 1, -1, -1, -1, 0},
    // A frequency event of another type would fall into another measure's category.
    {"frequency type 3", 3, 50, 50, 3, -1, -1, 0},
    {"frequency type 7", 7, 50, 50, 3, -1, -1, 0},
};
}  // namespace

TEST(EventClassifier, GivesBothNumberingsAndLeavesUncategorisedEventsOut)
{
    for (const ClassCase& c : kClassCases) {
        const auto event = ClassifyEvent(c.type, c.threshold, c.peak, c.channel);
        if (c.analysisCategory < 0) {
            EXPECT_FALSE(event.has_value()) << c.what;
            continue;
        }
        ASSERT_TRUE(event.has_value()) << c.what;
        EXPECT_EQ(EventCategory(event->Kind), c.analysisCategory) << c.what;
        EXPECT_EQ(SummaryEventCategory(event->Kind), c.summaryCategory) << c.what;
        EXPECT_EQ(event->Phase, c.phase) << c.what;
    }
}

TEST(EventClassifier, CategoryMaximaFollowTheAnalysisNumbering)
{
    TLimitsRecord limits;
    limits.VOver = 1, limits.VUnder = 2, limits.VRapid = 3, limits.HzOver = 4, limits.HzUnder = 5;
    limits.UnbOver = 6, limits.HOver = 7, limits.FlkOver = 8, limits.VDepth = 9;
    for (int c = 0; c < 9; ++c) EXPECT_EQ(EventCategoryMaximum(limits, c), c + 1) << c;
}

TEST(AnalysisWindows, RingWrapsAndAWindowSumsTheLastDays)
{
    EXPECT_EQ(NextDaySlot(1, 7), 2);
    EXPECT_EQ(NextDaySlot(7, 7), 1);
    EXPECT_EQ(NextDaySlot(1, 1), 1);

    // Days 10, 11, 12, 13 through a ring of three: the window ending on day 13 holds 11 to 13.
    TDayRing ring(3);
    for (int day = 10; day <= 13; ++day) {
        TDaySlot& slot = ring.BeginDay(day);
        slot.Records = day;
        slot.Counts[2][1] = 1;
        if (day < 13) ring.Advance();
    }
    const TWindowSums full = ring.Window(true, 0);
    EXPECT_EQ(full.FirstDay, 11);
    EXPECT_EQ(full.Total, 11 + 12 + 13);
    EXPECT_EQ(full.Out[2][1], 3);

    // Fewer days than the window: the days seen, from slot 1.
    TDayRing shortRing(7);
    shortRing.BeginDay(20).Records = 5;
    shortRing.Advance();
    shortRing.BeginDay(21).Records = 6;
    const TWindowSums partial = shortRing.Window(false, 2);
    EXPECT_EQ(partial.FirstDay, 20);
    EXPECT_EQ(partial.Total, 11);
}

TEST(AnalysisWindows, ShareExactlyAtTheBoundPasses)
{
    // 5 % of 720 records is 36.
    EXPECT_FALSE(ShareFails(36, 720, 95));
    EXPECT_TRUE(ShareFails(37, 720, 95));
    EXPECT_FLOAT_EQ(OutOfLimitShare(36, 720), 5.0f);
    // Real percentiles: 0.5 % of 1000 is 5.
    EXPECT_FALSE(ShareFails(5, 1000, 99.5));
    EXPECT_TRUE(ShareFails(6, 1000, 99.5));
    // A percentile of 100 allows no record outside.
    EXPECT_FALSE(ShareFails(0, 144, 100));
    EXPECT_TRUE(ShareFails(1, 144, 100));
}
