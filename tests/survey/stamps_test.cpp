// Packed stamp decoding and its error messages.
#include "survey/stamps.h"

#include "platform/date_time.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

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
