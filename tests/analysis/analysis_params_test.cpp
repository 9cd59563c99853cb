// The analysis parameters: defaults, periods, the window field's reading and packing.
#include "analysis/analysis_params.h"

#include "fixtures/report_fixture.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

TEST(AnalysisParams, DefaultsReplaceEverythingOfAnEarlierAnalysis)
{
    TAnalysisParams params;
    params.WindowDays = 30;
    params.PeriodIndex = 5;
    params.Limits.VLow2 = 55;
    params.Limits.HHigh[50] = 99;
    SetDefaultAnalysisParams(params);
    EXPECT_EQ(params.WindowDays, 7);
    EXPECT_EQ(params.PeriodIndex, 2);
    EXPECT_EQ(ObservationPeriodMinutes(params.PeriodIndex), 10);
    EXPECT_EQ(params.Limits, DefaultLimits());
    EXPECT_EQ(params.Limits.VLow2, 15.0f);
    EXPECT_EQ(params.Limits.HHigh[50], 5.0f);
}

TEST(AnalysisParams, ObservationPeriods)
{
    const int minutes[] = {1, 5, 10, 15, 30, 60};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ObservationPeriodMinutes(i), minutes[i]) << i;
    EXPECT_EQ(ObservationPeriodMinutes(-1), 0);
    EXPECT_EQ(ObservationPeriodMinutes(6), 0);
}

TEST(AnalysisParams, PackedAsWindowPeriodAndLimits)
{
    TAnalysisParams params;
    SetDefaultAnalysisParams(params);
    params.WindowDays = 31;
    params.PeriodIndex = 4;
    ByteWriter out;
    params.Pack(out);
    ASSERT_EQ(out.Size(), 384u);
    FieldView f(out.Data());
    EXPECT_EQ(f.I16(0), 31);
    EXPECT_EQ(f.I16(2), 4);
    const Bytes limits = LimitsRecordBytes(params.Limits);
    EXPECT_TRUE(std::equal(limits.begin(), limits.end(), out.Data().begin() + 4));
    ByteReader in(out.Data());
    EXPECT_EQ(TAnalysisParams::Unpack(in), params);
}

TEST(AnalysisParams, WindowFieldTakesOneToThirtyOneDays)
{
    struct Case {
        const char* text;
        std::optional<std::int16_t> days;
        const char* message;
    } cases[] = {
        {"1", 1, ""},
        {"31", 31, ""},
        {"007", 7, ""},
        {"0", std::nullopt, "Days of analysis must be from 1 to 31"},
        {"32", std::nullopt, "Days of analysis must be from 1 to 31"},
        {"-1", std::nullopt, "Invalid integer conversion"},
        {"7.5", std::nullopt, "Invalid integer conversion"},
        {"", std::nullopt, "Invalid integer conversion"},
        {"65537", std::nullopt, "Invalid integer conversion"},  // would wrap to 1 in 16 bits
    };
    for (const auto& c : cases) {
        ScriptedMessages messages;
        EXPECT_EQ(ReadWindowDays(c.text), c.days) << c.text;
        if (c.days) {
            EXPECT_TRUE(messages.messages.empty()) << c.text;
        } else {
            ASSERT_EQ(messages.messages.size(), 1u) << c.text;
            EXPECT_EQ(messages.messages[0].text, c.message);
            EXPECT_EQ(messages.messages[0].type, MsgType::Error);
        }
    }
}
