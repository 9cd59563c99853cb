// Date-time encoding, stamp decoding and the date-time texts.
#include "survey/date_time.h"
#include "survey/stamps.h"

#include "platform/date_format.h"
#include "platform/scripted_messages.h"

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

TEST(DateTime, TextsUseTheRunsShortDateFormat)
{
    RunDateFormats().shortDate = "dd/MM/yyyy";
    const double t = *EncodeDateTime({2024, 3, 5, 9, 7, 3, 0});
    EXPECT_EQ(FormatDateTime(t), "05/03/2024 09:07:03");
    EXPECT_EQ(FormatDateTimePattern(t, "d/M/yy h:mm:ss.zzz"), "5/3/24 9:07:03.000");
}

TEST(Stamps, DecodeStampExTakesHundredthsAsMilliseconds)
{
    double t = 0;
    ASSERT_TRUE(DecodeStampEx({2024, 15, 3}, {30, 12, 50, 45}, t));
    EXPECT_EQ(DecodeDateTime(t), (DateTimeParts{2024, 3, 15, 12, 30, 45, 50}));
    ASSERT_TRUE(DecodeStamp({2024, 15, 3}, {30, 12}, t));
    EXPECT_EQ(t, *EncodeDateTime({2024, 3, 15, 12, 30, 0, 0}));
}

TEST(Stamps, BadStampShowsItsMessageAndKeepsT)
{
    struct Case {
        TPackedDate date;
        TPackedTimeEx time;
        const char* message;
    } cases[] = {
        {{2024, 31, 2}, {0, 0, 0, 0}, "Invalid Date"},
        {{0, 1, 1}, {0, 0, 0, 0}, "Invalid Date"},
        {{2024, 1, 1}, {60, 0, 0, 0}, "Invalid Time"},
        {{2024, 1, 1}, {0, 24, 0, 0}, "Invalid Time"},
        {{2024, 1, 1}, {0, 0, 0, 60}, "Invalid Time"},
    };
    for (const auto& c : cases) {
        ScriptedMessages messages;
        double t = 123;
        EXPECT_FALSE(DecodeStampEx(c.date, c.time, t));
        EXPECT_EQ(t, 123);
        ASSERT_EQ(messages.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(messages.messages[0].type, MsgType::Error);
    }
}
