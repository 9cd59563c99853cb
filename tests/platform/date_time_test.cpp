// Date-time encoding and decoding, and the date-time texts.
#include "platform/date_time.h"

#include "platform/date_format.h"

#include <gtest/gtest.h>

TEST(DateTime, DaysCountFromThe30thOfDecember1899)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2024, 3, 15), 45366.0);
    EXPECT_EQ(EncodeDate(2024, 2, 29), 45351.0);
    EXPECT_FALSE(EncodeDate(2023, 2, 29));
    EXPECT_FALSE(EncodeDate(2024, 13, 1));
    EXPECT_FALSE(EncodeDate(2024, 1, 0));
    EXPECT_FALSE(EncodeTime(24, 0));
    EXPECT_FALSE(EncodeTime(0, 60));
    EXPECT_FALSE(EncodeTime(0, 0, 60));
}

TEST(DateTime, DecodeRoundsToTheMillisecond)
{
    const double t = *EncodeDateTime({2024, 3, 15, 10, 15, 59, 999});
    EXPECT_EQ(DecodeDateTime(t), (DateTimeParts{2024, 3, 15, 10, 15, 59, 999}));
    // Half a millisecond before midnight shows the next day, never 23:59:60.
    const double nearMidnight = *EncodeDate(2024, 12, 31) + (kMillisecondsPerDay - 0.4) / kMillisecondsPerDay;
    EXPECT_EQ(DecodeDateTime(nearMidnight), (DateTimeParts{2025, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(DecodeDateTime(-1.5), (DateTimeParts{1899, 12, 28, 12, 0, 0, 0}));
}

// A time of day is the nearest double to its milliseconds over a day's: multiplying by the
// rounded reciprocal put 00:00:09 one bit away, so equal times could compare unequal.
TEST(DateTime, TimeFractionIsTheNearestDouble)
{
    EXPECT_EQ(TimeFraction(0, 0, 9, 0), 9000.0 / 86400000.0);
    EXPECT_EQ(*EncodeTime(0, 0, 9), 9000.0 / 86400000.0);
    EXPECT_EQ(*EncodeDateTime({1899, 12, 30, 0, 0, 13, 0}), 13000.0 / 86400000.0);
}

TEST(DateTime, TextsUseTheRunsShortDateFormat)
{
    RunDateFormats().shortDate = "dd/MM/yyyy";
    const double t = *EncodeDateTime({2024, 3, 5, 9, 7, 3, 0});
    EXPECT_EQ(FormatDateTime(t), "05/03/2024 09:07:03");
    EXPECT_EQ(FormatDateTimePattern(t, "d/M/yy h:mm:ss.zzz"), "5/3/24 9:07:03.000");
}
