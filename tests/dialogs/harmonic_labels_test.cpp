#include "survey/number_text.h"

#include <climits>
#include <gtest/gtest.h>

TEST(HarmonicLabels, VoltageOrders)
{
    const char* expected[] = {"Thd", "1st", "2nd", "3rd", "4th", "5th"};
    for (int order = 0; order < 6; ++order) EXPECT_EQ(HarmonicLabel(order), expected[order]);
    EXPECT_EQ(HarmonicLabel(21), "21th");
    EXPECT_EQ(HarmonicLabel(50), "50th");
}

TEST(HarmonicLabels, CurrentIndexesCountDcBeforeTheOrders)
{
    const char* expected[] = {"Thd", "DC", "1st", "2nd", "3rd", "4th"};
    for (int index = 0; index < 6; ++index) EXPECT_EQ(CurrentHarmonicLabel(index), expected[index]);
    EXPECT_EQ(CurrentHarmonicLabel(26), "25th");
}

TEST(HarmonicLabels, ParsingGivesTheNumberBack)
{
    for (int n = 0; n <= 50; ++n) EXPECT_EQ(ParseHarmonicLabel(HarmonicLabel(n)), n);
    for (int n = 0; n <= 52; ++n) EXPECT_EQ(ParseCurrentHarmonicLabel(CurrentHarmonicLabel(n)), n);
    EXPECT_EQ(ParseCurrentHarmonicLabel("4th"), 5);
    EXPECT_EQ(ParseHarmonicLabel("x"), -1);
    EXPECT_EQ(ParseHarmonicLabel("12345678901"), 1234567890);  // at most ten digits
    EXPECT_EQ(ParseHarmonicLabel("9999999999"), INT_MAX);
}
