// Wizard interval rules: time spin wrap-around, default interval, stored interval ends.
#include "wizards/interval_rules.h"

#include "platform/date_format.h"

#include <gtest/gtest.h>

TEST(IntervalRules, TimeSpinsWrapWithoutCarrying)
{
    struct Case { const char* in; TimeField field; bool up; const char* out; };
    const Case cases[] = {
        {"10:59", TimeField::Minute, true, "10:00"}, {"10:00", TimeField::Minute, false, "10:59"},
        {"23:15", TimeField::Hour, true, "00:15"},   {"00:15", TimeField::Hour, false, "23:15"},
        {"09:30", TimeField::Minute, true, "09:31"}, {"", TimeField::Hour, true, "01:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(StepTimeText(c.in, c.field, c.up), c.out) << c.in;
}

TEST(IntervalRules, DefaultIntervalSpansTheTickedMeasures)
{
    TSurveySelection s;
    s.File(1).FirstTime = 100.5;
    s.File(1).LastTime = 110.25;
    s.File(6).FirstTime = 99.75;
    s.File(6).LastTime = 105.0;
    EXPECT_FALSE(DefaultInterval(s, 0));
    auto voltage = DefaultInterval(s, 1u << 0);
    ASSERT_TRUE(voltage);
    EXPECT_EQ(voltage->first, 100.5);
    EXPECT_EQ(voltage->last, 110.25);
    auto both = DefaultInterval(s, (1u << 0) | (1u << 5));
    EXPECT_EQ(both->first, 99.75);
    EXPECT_EQ(both->last, 110.25);
}

TEST(IntervalRules, StopMinuteIsInclusive)
{
    RunDateFormats().shortDate = "dd/MM/yyyy";
    auto stop = IntervalStop("31/12/2005", "23:59");
    ASSERT_TRUE(stop);
    DateTimeParts parts = DecodeDateTime(*stop);
    EXPECT_EQ(parts, (DateTimeParts{2005, 12, 31, 23, 59, 59, 999}));
    auto start = IntervalStart("01/02/2006", "10:15");
    ASSERT_TRUE(start);
    EXPECT_EQ(DecodeDateTime(*start), (DateTimeParts{2006, 2, 1, 10, 15, 0, 0}));
    EXPECT_FALSE(IntervalStart("31/02/2006", "10:15"));
    EXPECT_FALSE(IntervalStart("", "10:15"));
    EXPECT_FALSE(IntervalStart("01/02/2006", "24:00"));
}

TEST(IntervalRules, FieldTextsFollowTheShortFormat)
{
    RunDateFormats().shortDate = "dd/MM/yyyy";
    TInterval interval{*EncodeDateTime({2006, 3, 4, 5, 6, 0, 0}), *EncodeDateTime({2006, 3, 5, 17, 45, 0, 0})};
    IntervalTexts texts = IntervalFieldTexts(interval);
    EXPECT_EQ(texts.startDate, "04/03/2006");
    EXPECT_EQ(texts.stopDate, "05/03/2006");
    EXPECT_EQ(texts.startTime, "05:06");
    EXPECT_EQ(texts.stopTime, "17:45");
}
