#include "graph/axis.h"
#include "graph/calendar_dates.h"

#include <gtest/gtest.h>

namespace {

std::string LabelOn(double min, double max, double step, double value)
{
    TAxis axis(nullptr, TAxisKind::Y);
    axis.AssignRange(min, max);
    axis.AssignStep(step);
    TTickState state;
    axis.FirstTick(state); // sets the decimals from the step
    return axis.FormatLabel(value);
}

} // namespace

TEST(AxisLabels, FixedOrExponentByMagnitude)
{
    struct Case { double min, max, step, value; const char* text; };
    const Case cases[] = {
        {0, 1, 0.2, 0.5, "0.5"},
        {0, 20000, 2000, 12000, "1.2E+4"},
        {0, 0.001, 0.0002, 0.0005, "5.0E-4"},
        {0, 1, 0.2, 0, "0.0"},
        {0, 100, 10, 0, "0"},
        {-1, 1, 0.2, 1e-17, "0.0"},       // zero for the range, never "-0.0" or an exponent
        {-1, 1, 0.2, -1e-17, "0.0"},
        {-1, 1, 0.2, -0.4, "-0.4"},
        {0, 10000, 1000, 9000, "9000"},
        {0, 0.01, 0.002, 0.004, "0.004"},
        {0, 1e6, 2e5, 9.96e5, "1.0E+6"},
        {200, 250, 5, 225, "225"},
    };
    for (const Case& c : cases) EXPECT_EQ(LabelOn(c.min, c.max, c.step, c.value), c.text) << c.value;
}

TEST(AxisLabels, FixedLabelsKeepFiveSignificantDigits)
{
    EXPECT_EQ(FormatFixedLabel(1234.5678, 2), "1234.60");
    EXPECT_EQ(FormatFixedLabel(0.25, 1), "0.3"); // halves away from zero, as the digits read
    EXPECT_EQ(FormatFixedLabel(-2.5, 0), "-3");
    EXPECT_EQ(FormatFixedLabel(99.996, 2), "100.00");
    EXPECT_EQ(FormatFixedLabel(0.00012345, 6), "0.000123");
    EXPECT_EQ(FormatExponentLabel(-12345), "-1.2E+4");
    EXPECT_EQ(FormatExponentLabel(1e-10), "1.0E-10");
}

TEST(AxisLabels, DateAxisUsesItsPattern)
{
    TAxis axis(nullptr, TAxisKind::X);
    axis.SetShowAsTime(true);
    const double t = *EncodeDateTime({2024, 3, 5, 9, 7, 30, 0});
    EXPECT_EQ(axis.FormatLabel(t), "05-Mar");
    axis.SetDateTimeFormat("hh:nn");
    EXPECT_EQ(axis.FormatLabel(t), "09:07");
    axis.SetDateTimeFormat("mmm dd");
    EXPECT_EQ(axis.FormatLabel(t), "Mar 05");
    EXPECT_EQ(FormatDateTime("dd/mm hh:nn:ss", t), "05/03 09:07:30");
    EXPECT_EQ(FormatDateTime("d/m/yy 'at' h:n", t), "5/3/24 at 9:7");
}

TEST(CalendarDates, DecodeRoundsToTheMillisecondAndCarries)
{
    const double midnight = DateSerial(2024, 2, 29);
    const DateTimeParts p = DecodeDateTime(midnight - 1e-10); // just before midnight
    EXPECT_EQ(p.day, 29);
    EXPECT_EQ(p.hour, 0);
    EXPECT_EQ(DateSerial(1899, 12, 30), 0);
    EXPECT_EQ(DayOfWeek(0), 7);                      // a Saturday
    EXPECT_EQ(DayOfWeek(DateSerial(2024, 3, 3)), 1); // a Sunday
    const DateTimeParts q = DecodeDateTime(*EncodeDateTime({2024, 12, 31, 23, 59, 59, 999}));
    EXPECT_EQ(q.millisecond, 999);
    EXPECT_EQ(q.year, 2024);
}
