// Time ticks, the recording period's texts and the gap rule.
#include "views/trend_window.h"

#include "platform/date_time.h"

#include <gtest/gtest.h>

namespace {
double At(int day, int hour, int minute, int second = 0)
{
    return *EncodeDateTime({2024, 3, day, hour, minute, second, 0});
}
}  // namespace

TEST(TimeAxis, TickIndexBySpan)
{
    const struct {
        std::int64_t minutes;
        int index;
    } cases[] = {{0, 0}, {12, 0}, {13, 1}, {64, 1}, {65, 2}, {389, 2}, {390, 3}, {12LL * 5259600 + 1, 11}, {1LL << 40, 11}};
    for (const auto& c : cases) EXPECT_EQ(TimeTickIndex(c.minutes), c.index) << c.minutes;
    EXPECT_EQ(TimeAxisTitles[TimeTickIndex(12)], "Time [minutes]");
    EXPECT_EQ(TimeAxisTitles[5], "Time [days]");
}

TEST(TimeAxis, SpanDropsSecondsAndCountsWholeDays)
{
    EXPECT_EQ(SpanMinutes(At(15, 10, 0), At(15, 10, 12, 59)), 12);
    EXPECT_EQ(SpanMinutes(At(15, 10, 0), At(15, 10, 12)), 12);  // not 11 from rounding
    EXPECT_EQ(SpanMinutes(At(14, 23, 50), At(16, 0, 5)), 1440 + 15);
    EXPECT_EQ(SpanMinutes(At(15, 10, 0), At(15, 9, 0)), 0);
}

TEST(GapRule, JoinsOnlyPointsOnePeriodApart)
{
    const struct {
        const char* name;
        double previous, time;
        bool joined;
    } cases[] = {
        {"OnePeriod", At(15, 10, 0), At(15, 10, 10), true},
        {"MissingRecord", At(15, 10, 0), At(15, 10, 20), false},
        {"OneSecondLate", At(15, 10, 0), At(15, 10, 10, 1), false},
        // Formatted times of day alone would match here; the rounded seconds do not.
        {"MissingDayPlusOnePeriod", At(15, 10, 0), At(16, 10, 10), false},
        {"FirstPoint", 0, At(15, 10, 0), false},
        {"AcrossMidnight", At(15, 23, 55), At(16, 0, 5), true},
    };
    for (const auto& c : cases) EXPECT_EQ(JoinsPrevious(c.previous, c.time, 600), c.joined) << c.name;
    // A one-hour period joins records an hour apart.
    EXPECT_TRUE(JoinsPrevious(At(15, 10, 0), At(15, 11, 0), 3600));
    EXPECT_FALSE(JoinsPrevious(At(15, 10, 0), At(15, 10, 0), 0));
}

TEST(RecordWindow, PeriodRecordsAndOrdering)
{
    // A one-record window still gets an X range: one period either side.
    const TTimeRange one = XAxisRange({8, 8, At(15, 10, 0), At(15, 10, 0)}, 600);
    EXPECT_NEAR(one.Min, At(15, 9, 50), 1e-9);
    EXPECT_NEAR(one.Max, At(15, 10, 10), 1e-9);
    const TTimeRange two = XAxisRange({68, 8, At(15, 10, 10), At(15, 10, 0)}, 600);
    EXPECT_DOUBLE_EQ(two.Min, At(15, 10, 0));
    EXPECT_DOUBLE_EQ(two.Max, At(15, 10, 10));
    EXPECT_EQ(PeriodRecordCount({8, 8, 0, 0}, 60), 1u);
    EXPECT_EQ(PeriodRecordCount({8, 8 + 9 * 60, 0, 0}, 60), 10u);
    const TRecordWindow reversed{128, 8, 2.0, 1.0};
    const TRecordWindow ordered = OrderedWindow(reversed);
    EXPECT_EQ(ordered, (TRecordWindow{8, 128, 1.0, 2.0}));
    EXPECT_EQ(OrderedWindow(ordered), ordered);
}

TEST(RecordingPeriod, RateTextStampsAndGapByUnit)
{
    const struct {
        TPeriodUnit unit;
        std::int16_t period;
        const char* rate;
        const char* head;
        const char* cursor;
        std::int64_t gapSeconds;
    } cases[] = {
        {TPeriodUnit::Minutes, 10, "  (Rate: 10min)", " hh:mm", "dd/MM hh:mm", 600},
        {TPeriodUnit::Minutes, 60, "  (Rate: 60min)", " hh:mm", "dd/MM hh:mm", 3600},
        {TPeriodUnit::Seconds, 10, "  (Rate: 10sec)", " hh:mm:ss", "dd/MM hh:mm:ss", 10},
        {TPeriodUnit::Seconds, 600, "  (Rate: 10min)", " hh:mm", "dd/MM hh:mm:ss", 600},
        {TPeriodUnit::Seconds, 3600, "  (Rate: 60min)", " hh:mm", "dd/MM hh:mm:ss", 3600},
        // Two minutes read as two minutes, not as 120 minutes with every point left unjoined.
        {TPeriodUnit::Seconds, 120, "  (Rate: 2min)", " hh:mm", "dd/MM hh:mm:ss", 120},
        {TPeriodUnit::Seconds, 90, "  (Rate: 90sec)", " hh:mm:ss", "dd/MM hh:mm:ss", 90},
    };
    for (const auto& c : cases) {
        const TTrendPeriod p = DescribePeriod(c.unit, c.period);
        EXPECT_EQ(p.RateText, c.rate) << c.period;
        EXPECT_EQ(p.HeadTimePattern, c.head) << c.period;
        EXPECT_EQ(p.CursorTimePattern, c.cursor) << c.period;
        EXPECT_EQ(p.GapSeconds, c.gapSeconds) << c.period;
    }
}
