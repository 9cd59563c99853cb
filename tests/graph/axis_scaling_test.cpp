#include "graph/axis.h"
#include "graph/calendar_dates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// The truncated log constant leaves decades a few parts in 10^9 off.
constexpr double Tolerance = 1e-6;

void ExpectClose(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, Tolerance * std::max(1.0, std::fabs(expected)));
}

TAxis LinearAxis(double oMin, double oMax, double step, bool autoStepping)
{
    TAxis axis(nullptr, TAxisKind::Y);
    axis.AssignStep(step);
    axis.SetAutoStepping(autoStepping);
    axis.oMin = oMin;
    axis.oMax = oMax;
    return axis;
}

double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateSerial(y, mo, d) + TimeFraction(h, mi, s, 0);
}

std::vector<double> TickValues(TAxis& axis)
{
    std::vector<double> values;
    for (const TAxisTick& t : axis.TickWalk()) values.push_back(t.Value);
    return values;
}

} // namespace

struct LinearCase {
    double oMin, oMax, step;
    bool autoStepping;
    double min, max, resultStep;
};

class LinearRange : public testing::TestWithParam<LinearCase> {};

TEST_P(LinearRange, DataLiesInsideARoundRange)
{
    const LinearCase c = GetParam();
    TAxis axis = LinearAxis(c.oMin, c.oMax, c.step, c.autoStepping);
    axis.SetMinMax();
    ExpectClose(axis.Min(), c.min);
    ExpectClose(axis.Max(), c.max);
    ExpectClose(axis.StepSize(), c.resultStep);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinearRange, testing::Values(
    LinearCase{3, 97, 0.2, true, 0, 100, 10},       // zero rule: 3/100 < 0.25
    LinearCase{0, 0, 0.2, true, -1, 1, 0.2},
    LinearCase{7, 7, 0.2, true, 0, 8, 1},
    LinearCase{-7, -7, 0.2, true, -8.4, 0, 1},
    LinearCase{0, 10, 2, false, -2, 12, 2},         // 1% of a step of margin at a round end
    LinearCase{0, 1000, 1, false, -100, 1100, 100}, // 1000 steps > MaxSteps: automatic step
    LinearCase{200, 250, 5, false, 195, 255, 5},
    LinearCase{-97, -3, 0.2, true, -100, 0, 10},
    // The truncated log constant puts log10(10) a hair below 1, so 10^1 comes out a hair above
    // 10 and a span of exactly 10 divides by 5 into a hair fewer than MinSteps: step 1, not 2.
    LinearCase{0, 10, 0.2, true, -1, 11, 1}));

TEST(AxisScaling, GetStepRefusesAnEmptyRange)
{
    TAxis axis(nullptr, TAxisKind::Y);
    axis.AssignRange(3, 3);
    EXPECT_THROW(axis.GetStep(), TGraphScaleError);
    TAxis reversed = LinearAxis(5, 1, 1, true);
    EXPECT_THROW(reversed.SetMinMax(), TGraphScaleError);
}

struct LogCase {
    double oMin, oMax;
    bool fellBack;
    double min, max;
};

class LogRange : public testing::TestWithParam<LogCase> {};

TEST_P(LogRange, RangeSnapsToTheDecadeTable)
{
    const LogCase c = GetParam();
    TAxis axis(nullptr, TAxisKind::Y);
    axis.SetLogScale(true);
    axis.SetLogCycleDivisions(2);
    axis.oMin = c.oMin;
    axis.oMax = c.oMax;
    axis.SetLogMinMax();
    EXPECT_EQ(axis.FellBackToLinear(), c.fellBack);
    if (!c.fellBack) {
        ExpectClose(axis.Min(), c.min);
        ExpectClose(axis.Max(), c.max);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LogRange, testing::Values(
    LogCase{3, 40, false, 2, 50}, LogCase{2.2, 9.5, false, 2, 10}, LogCase{2.5, 9.5, true, 0, 0},
    LogCase{1.5, 80, false, 1, 100}));

TEST(AxisScaling, LogDivisionsAreNormalisedToTheSupportedTables)
{
    const std::vector<std::pair<int, int>> cases = {{0, 0}, {1, 1}, {3, 2}, {4, 5}, {6, 5}, {8, 7}, {12, 9}};
    for (auto [given, used] : cases) {
        TAxis axis(nullptr, TAxisKind::Y);
        axis.SetLogCycleDivisions(given);
        EXPECT_EQ(axis.LogCycleDivisions(), used) << given;
        EXPECT_EQ(axis.LogTable()[static_cast<std::size_t>(used) + 1], 10);
    }
    TAxis axis(nullptr, TAxisKind::Y);
    axis.SetLogCycleDivisions(5);
    EXPECT_EQ(std::vector<double>(axis.LogTable().begin(), axis.LogTable().begin() + 7),
              (std::vector<double>{1, 1.5, 2, 3, 5, 7, 10}));
}

TEST(AxisScaling, AutoLogDivisionsFollowStepsPerDecade)
{
    struct Case { double min, max; int divisions; };
    // MinSteps 5: q = 5 / decades.
    for (const Case c : {Case{1, 10, 2}, Case{1, 2, 9}, Case{1, 100, 1}, Case{1, 1000, 0}}) {
        TAxis axis(nullptr, TAxisKind::Y);
        axis.AssignRange(c.min, c.max);
        axis.AutoLogDivisions();
        EXPECT_EQ(axis.LogCycleDivisions(), c.divisions) << c.max;
    }
}

struct DateCase {
    Dateticks unit;
    double oMin, oMax, min, max;
};

class DateRange : public testing::TestWithParam<DateCase> {};

TEST_P(DateRange, RangeIsRoundedToTheUnit)
{
    const DateCase c = GetParam();
    TAxis axis(nullptr, TAxisKind::X);
    axis.SetShowAsTime(true);
    axis.SetDateTickType(c.unit);
    axis.oMin = c.oMin;
    axis.oMax = c.oMax;
    axis.SetDateMinMax();
    EXPECT_NEAR(axis.Min(), c.min, 1e-9) << FormatDateTime("dd/mm/yyyy hh:nn:ss", axis.Min());
    EXPECT_NEAR(axis.Max(), c.max, 1e-9) << FormatDateTime("dd/mm/yyyy hh:nn:ss", axis.Max());
}

INSTANTIATE_TEST_SUITE_P(Cases, DateRange, testing::Values(
    DateCase{dt_hourly, At(2024, 3, 5, 10, 15), At(2024, 3, 5, 13), At(2024, 3, 5, 10), At(2024, 3, 5, 13)},
    DateCase{dt_hourly, At(2024, 3, 5, 10, 15), At(2024, 3, 5, 13, 0, 30), At(2024, 3, 5, 10), At(2024, 3, 5, 14)},
    DateCase{dt_halfhourly, At(2024, 3, 5, 9, 40), At(2024, 3, 5, 10, 30), At(2024, 3, 5, 9, 30), At(2024, 3, 5, 11)},
    DateCase{dt_halfhourly, At(2024, 3, 5, 9, 40), At(2024, 3, 5, 10), At(2024, 3, 5, 9, 30), At(2024, 3, 5, 10)},
    DateCase{dt_halfhourly, At(2024, 3, 5, 9, 40), At(2024, 3, 5, 10, 0, 1), At(2024, 3, 5, 9, 30), At(2024, 3, 5, 10, 30)},
    DateCase{dt_minute, At(2024, 3, 5, 9, 40, 59), At(2024, 3, 5, 23, 59, 1), At(2024, 3, 5, 9, 40), At(2024, 3, 6)},
    DateCase{dt_5minute, At(2024, 3, 5, 9, 43), At(2024, 3, 5, 9, 50), At(2024, 3, 5, 9, 40), At(2024, 3, 5, 9, 50)},
    DateCase{dt_daily, At(2024, 3, 5, 9), At(2024, 3, 7, 0, 0, 1), At(2024, 3, 5), At(2024, 3, 8)},
    // 6 March 2024 is a Wednesday: back to Sunday 3 March; Thursday 14 March: on to Sunday 17.
    DateCase{dt_weekly, At(2024, 3, 6, 12), At(2024, 3, 14), At(2024, 3, 3), At(2024, 3, 17)},
    DateCase{dt_monthly, At(2024, 3, 6), At(2024, 5, 1), At(2024, 3, 1), At(2024, 5, 1)},
    DateCase{dt_2monthly, At(2024, 4, 6), At(2024, 11, 20), At(2024, 3, 1), At(2025, 1, 1)},
    DateCase{dt_quarterly, At(2024, 6, 30), At(2024, 11, 2), At(2024, 4, 1), At(2025, 1, 1)},
    DateCase{dt_annually, At(2023, 6, 30), At(2024, 1, 1), At(2023, 1, 1), At(2024, 1, 1)},
    DateCase{dt_decade, At(2013, 6, 30), At(2020, 1, 1), At(2010, 1, 1), At(2020, 1, 1)},
    DateCase{dt_decade, At(2013, 6, 30), At(2020, 1, 2), At(2010, 1, 1), At(2030, 1, 1)},
    // Six-hour units keep whole hours, not multiples of six.
    DateCase{dt_6hour, At(2024, 3, 5, 10, 15), At(2024, 3, 5, 13, 20), At(2024, 3, 5, 10), At(2024, 3, 5, 19)},
    DateCase{dt_6hour, At(2024, 3, 5, 10, 15), At(2024, 3, 5, 13), At(2024, 3, 5, 10), At(2024, 3, 5, 13)},
    DateCase{dt_century, At(1950, 6, 30), At(2001, 1, 1), At(1900, 1, 1), At(2100, 1, 1)},
    DateCase{dt_quarterly, At(2024, 2, 29), At(2024, 7, 1), At(2024, 1, 1), At(2024, 7, 1)}));

TEST(AxisScaling, DateRangeBefore1900OrEmptyIsLeftAlone)
{
    TAxis axis(nullptr, TAxisKind::X);
    axis.SetShowAsTime(true);
    axis.AssignRange(0.5, 3);
    axis.oMin = 0.5;
    axis.oMax = 3;
    axis.SetDateMinMax();
    EXPECT_EQ(axis.Min(), 0.5);
    axis.oMin = axis.oMax = 40000;
    axis.SetDateMinMax();
    EXPECT_EQ(axis.Max(), 3);
}

TEST(AxisTicks, LinearWalkCoversTheRangeWithItsStep)
{
    TAxis axis(nullptr, TAxisKind::Y);
    const std::vector<double> ticks = TickValues(axis); // 0..1 step 0.2
    ASSERT_EQ(ticks.size(), 6u);
    EXPECT_NEAR(ticks.back(), 1, 1e-12);
    axis.AssignRange(-0.5, 0.5);
    EXPECT_NEAR(TickValues(axis).front(), -0.4, 1e-12);
}

TEST(AxisTicks, LogWalkGoesThroughEachDecadesMantissas)
{
    TAxis axis(nullptr, TAxisKind::Y);
    axis.SetLogScale(true);
    axis.SetLogCycleDivisions(2);
    axis.AssignRange(1, 100);
    const std::vector<double> ticks = TickValues(axis);
    const std::vector<double> expected = {1, 2, 5, 10, 20, 50, 100};
    ASSERT_EQ(ticks.size(), expected.size());
    for (std::size_t i = 0; i < ticks.size(); ++i) ExpectClose(ticks[i], expected[i]);
}

TEST(AxisTicks, DateWalkStartsAtTheFirstBoundaryAfterMin)
{
    TAxis axis(nullptr, TAxisKind::X);
    axis.SetShowAsTime(true);
    axis.SetDateTickType(dt_halfhourly);
    axis.AssignRange(At(2024, 3, 5, 10, 30), At(2024, 3, 5, 12));
    std::vector<double> ticks = TickValues(axis);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_NEAR(ticks[0], At(2024, 3, 5, 11), 1e-9);

    axis.SetDateTickType(dt_2monthly);
    axis.AssignRange(At(2024, 12, 10), At(2025, 6, 1));
    ticks = TickValues(axis);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", ticks[0]), "01/01/2025");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", ticks[1]), "01/03/2025");

    axis.SetDateTickType(dt_weekly);
    axis.AssignRange(At(2024, 3, 3), At(2024, 3, 20)); // a Sunday
    EXPECT_EQ(FormatDateTime("dd/mm", TickValues(axis)[0]), "10/03");
}

TEST(AxisTicks, DegenerateStepEndsTheWalk)
{
    TAxis axis(nullptr, TAxisKind::Y);
    axis.AssignRange(1e17, 1e17 + 1e3);
    axis.AssignStep(1e-3);
    EXPECT_LE(axis.TickWalk().size(), 1u);
}

namespace {

class StubOwner : public TAxisOwner {
public:
    bool hasData = false;
    int repaints = 0, rescales = 0;
    int AxisMinSteps() const override { return 5; }
    int AxisMaxSteps() const override { return 50; }
    bool AxisHasData(const TAxis&) const override { return hasData; }
    void AxisRepaint() override { ++repaints; }
    void AxisRescaled() override { ++rescales; }
    double AxisNow() const override { return At(2024, 3, 5, 12); }
};

} // namespace

TEST(AxisRescale, WithoutDataDefaultRangesApply)
{
    StubOwner owner;
    TAxis axis(&owner, TAxisKind::Y);
    axis.AssignRange(0, 0);
    EXPECT_TRUE(axis.Rescale());
    EXPECT_EQ(axis.Min(), -1);
    EXPECT_EQ(axis.Max(), 1);

    axis.AssignRange(5, 2);
    EXPECT_TRUE(axis.Rescale());
    EXPECT_EQ(axis.Min(), 2);

    axis.AssignRange(-3, -3); // Min := 0 leaves an empty range
    EXPECT_THROW(axis.Rescale(), TGraphScaleError);

    TAxis time(&owner, TAxisKind::X);
    time.SetShowAsTime(true);
    time.SetDateTickType(dt_hourly);
    EXPECT_TRUE(time.Rescale());
    EXPECT_DOUBLE_EQ(time.Max(), At(2024, 3, 5, 12));
    EXPECT_DOUBLE_EQ(time.Min(), At(2024, 3, 5, 7));

    TAxis log(&owner, TAxisKind::Y);
    log.SetLogScale(true);
    log.AssignRange(-5, -1);
    log.Rescale();
    EXPECT_EQ(log.Min(), 1);
    EXPECT_EQ(log.Max(), 10);
}

TEST(AxisRescale, ShortDataRangeIsLengthenedToMinScaleLength)
{
    StubOwner owner;
    owner.hasData = true;
    TAxis axis(&owner, TAxisKind::Y);
    axis.SetAutoSizing(true);
    axis.SetAutoStepping(true);
    axis.SetMinScaleLength(20);
    axis.oMin = 221;
    axis.oMax = 223;
    axis.Rescale();
    EXPECT_EQ(axis.oMax, 241);
    ExpectClose(axis.StepSize(), 2);
    ExpectClose(axis.Min(), 220);
    ExpectClose(axis.Max(), 242);
}

TEST(AxisRescale, InfiniteOrOverflowingRangeIsNotValid)
{
    TAxis axis(nullptr, TAxisKind::Y);
    axis.AssignRange(0, HUGE_VAL);
    EXPECT_FALSE(axis.IsValidRange());
    axis.AssignRange(-1e308, 1e308); // the span overflows
    EXPECT_FALSE(axis.IsValidRange());
    axis.AssignRange(-1e300, 1e300);
    EXPECT_TRUE(axis.IsValidRange());
}

TEST(AxisRescale, WithDataOnlyAutoSizingChangesTheRange)
{
    StubOwner owner;
    owner.hasData = true;
    TAxis axis(&owner, TAxisKind::Y);
    axis.oMin = 3;
    axis.oMax = 97;
    EXPECT_FALSE(axis.Rescale());
    EXPECT_EQ(axis.Max(), 1);
    axis.SetAutoSizing(true);
    EXPECT_TRUE(axis.Rescale());
    ExpectClose(axis.Max(), 100);
}

TEST(AxisSetters, MinAndMaxSwitchAutoSizingOffAndFollowWithoutData)
{
    StubOwner owner;
    TAxis axis(&owner, TAxisKind::X);
    axis.SetShowAsTime(true);
    axis.SetAutoSizing(true);
    owner.repaints = owner.rescales = 0;
    axis.SetMin(40000);
    EXPECT_FALSE(axis.AutoSizing());
    EXPECT_EQ(axis.oMin, 40000);
    EXPECT_EQ(owner.rescales, 1);
    EXPECT_EQ(owner.repaints, 1);
    axis.SetMin(40000); // unchanged: no repaint
    EXPECT_EQ(owner.repaints, 1);
    axis.SetStepSize(0.5);
    EXPECT_FALSE(axis.AutoStepping());
}

TEST(AxisTicks, CrowdedLogWalkLabelsOnlyTheDecades)
{
    TAxis axis(nullptr, TAxisKind::Y);
    axis.SetLogScale(true);
    axis.SetLogCycleDivisions(9);
    axis.AssignRange(1, 1e6); // 6 decades x 9 divisions: too many labels
    axis.UpdateLogLabelling();
    EXPECT_FALSE(axis.LabelEveryDivision());
    std::vector<std::string> labels;
    const std::vector<TAxisTick> ticks = axis.TickWalk();
    for (const TAxisTick& t : ticks)
        if (t.Labelled) labels.push_back(t.Text);
    EXPECT_EQ(ticks.size(), 61u);
    // Five or more divisions give one more decimal; 10^4 and up are beyond fixed-point labels.
    EXPECT_EQ(labels, (std::vector<std::string>{"1.0", "10", "100", "1000", "1.0E+4", "1.0E+5", "1.0E+6"}));

    axis.SetLogCycleDivisions(2);
    axis.AssignRange(1, 100);
    axis.UpdateLogLabelling();
    EXPECT_TRUE(axis.LabelEveryDivision());
}

// A power of ten below 1 is first reached as the closing entry of the decade below it; the
// walk then gives it once more as the first entry of its own decade.
TEST(AxisTicks, LogWalkFromATenthRepeatsItsFirstTick)
{
    TAxis axis(nullptr, TAxisKind::Y);
    axis.SetLogScale(true);
    axis.SetLogCycleDivisions(2);
    axis.AssignRange(0.1, 10);
    std::vector<std::string> labels;
    for (const TAxisTick& t : axis.TickWalk()) labels.push_back(t.Text);
    EXPECT_EQ(labels, (std::vector<std::string>{"0.1", "0.1", "0.2", "0.5", "1", "2", "5", "10"}));
}

TEST(AxisScaling, DateStepsFollowTheUnit)
{
    const double steps[] = {1.0 / 1440, 5.0 / 1440, 1.0 / 48, 1.0 / 24, 0.25, 1, 7, 30, 61, 91, 365, 3654, 36540};
    TAxis axis(nullptr, TAxisKind::X);
    axis.SetShowAsTime(true);
    for (int unit = dt_minute; unit <= dt_century; ++unit) {
        axis.SetDateTickType(static_cast<Dateticks>(unit));
        EXPECT_DOUBLE_EQ(axis.GetDateStep(), steps[unit]) << unit;
    }
    axis.SetDateTickType(dt_custom);
    axis.AssignRange(0, 1);
    ExpectClose(axis.GetDateStep(), 0.2);
}
