// The bar report's rules over fixture reports: a window's share as a bar's colour, caption and
// fill, the lookup of the window that holds a day, stepping and Select Date within the windows,
// the failed-date search across measures, single-phase markers and empty windows, the menus;
// and the gradient gauge's own rules.
#include "analysis/bar_report.h"
#include "analysis/gauge_rules.h"

#include "fixtures/data_fixture.h"
#include "fixtures/report_fixture.h"

#include <cmath>
#include <gtest/gtest.h>

#include <limits>

namespace {
// The fixture's first window.
double First() { return FixtureTime(2024, 3, 15, 0, 0); }

TBarReport BarsOf(const ReportFixture& fixture)
{
    TReportRead read = ReadAnalysisReport(ReportBytes(fixture));
    EXPECT_EQ(read.Fault, ReportFault::None) << read.Detail;
    return TBarReport(std::move(read.Report.value()));
}

ReportMeasureFields& MeasureOf(ReportFixture& r, int measure) { return r.measures[static_cast<std::size_t>(measure - 1)]; }

// The fill of a gauge of the bar report's width showing a look.
int FillWidth(const TBarLook& look, int range = kPercentBarRange)
{
    TGaugeValues values;
    values.SetMax(range);
    values.SetProgress(look.Progress);
    const TGaugeParts parts = GaugeParts(values, 300, 11, false);
    return parts.HasFilled ? parts.Filled.Right : 0;
}

std::vector<std::string> Captions(const std::vector<TBarLook>& bars)
{
    std::vector<std::string> captions;
    for (const TBarLook& bar : bars) captions.push_back(bar.Cleared ? "grey" : bar.Caption);
    return captions;
}
}  // namespace

TEST(BarLooks, ShareGivesCaptionColourAndFillOfTheEightyToHundredScale)
{
    struct Case {
        float value;
        bool failed;
        const char* caption;
        int fill;  // of 300 pixels
    };
    const Case cases[] = {
        {98.0f, false, "98.0%", 270},  // 2 % outside at 95 %: nine tenths of the bar
        {100.0f, false, "100.0%", 300},
        {80.0f, true, "80.0%", 0},
        {72.5f, true, "72.5%", 0},     // below the scale: empty, never negative
        {82.5f, true, "82.5%", 30},    // rounded half to even: 82
        {93.06f, true, "93.1%", 195},
        // A damaged window counting more records outside its limits than it holds, or fewer
        // than none: the gauge stays empty or full.
        {-1.08883e10f, true, "-10888299520.0%", 0},
        {1.5e10f, false, "15000000512.0%", 300},
    };
    for (const Case& c : cases) {
        const TBarLook bar = PercentBar(c.failed, c.value);
        EXPECT_FALSE(bar.Cleared) << c.value;
        EXPECT_EQ(bar.BackColor, clWhite) << c.value;
        EXPECT_EQ(bar.Colour, c.failed ? kFailedColour : kPassedColour) << c.value;
        EXPECT_EQ(bar.Caption, c.caption) << c.value;
        EXPECT_EQ(FillWidth(bar), c.fill) << c.value;
    }
    const TBarLook events = CountBar(true, 7);
    EXPECT_EQ(events.Caption, "7");
    EXPECT_EQ(events.Colour, kFailedColour);
    EXPECT_EQ(FillWidth(events, 10), 210);
    EXPECT_EQ(FillWidth(CountBar(true, 25), 10), 300);
    EXPECT_EQ(ClearedBar(), (TBarLook{true, kNotAnalysedColour, kNotAnalysedColour, "", 0}));
}

// The fixture's voltage L2 has 30 of 432 records outside on the windows of the 15th to the 17th
// (93.1 % < 95 %), its 5th harmonic 40 L1 records on the 19th, its events 8 L3 under voltages on
// the 15th and 16th (more than 4).
TEST(BarReport, BarsOfTheShownDayFollowTheirSharesAndThresholds)
{
    ReportFixture fixture = EveryMeasureReport();
    fixture.limits.VUnder = 4;
    TBarReport report = BarsOf(fixture);
    EXPECT_EQ(report.ShownDateText(), "15/03/2024");
    EXPECT_EQ(report.DurationText(), "Window duration: 3 day(s)");
    EXPECT_TRUE(report.ShownDayFailed());

    const std::vector<TBarLook> voltage = report.Bars(MeasureVoltage);
    ASSERT_EQ(voltage.size(), 3u);
    EXPECT_EQ(Captions(voltage), (std::vector<std::string>{"100.0%", "93.1%", "100.0%"}));
    EXPECT_EQ(voltage[0].Colour, kPassedColour);
    EXPECT_EQ(voltage[1].Colour, kFailedColour);
    EXPECT_EQ(voltage[1].Progress, 13);
    EXPECT_EQ(Captions(report.Bars(MeasureFrequency)), (std::vector<std::string>{"100.0%", "100.0%"}));
    EXPECT_EQ(Captions(report.Bars(MeasureUnbalance)), (std::vector<std::string>{"100.0%"}));

    // Events show the current category's counts: over voltages until under voltages are chosen,
    // whose maximum sets the scale.
    EXPECT_EQ(report.PanelCaption(MeasureEvents), "Over Voltages (N.5)");
    EXPECT_EQ(report.EventScale(), (TEventScale{"5", "10", 10}));
    EXPECT_EQ(Captions(report.Bars(MeasureEvents)), (std::vector<std::string>{"0", "0", "0"}));
    report.ChooseEventCategory(1);
    EXPECT_EQ(report.PanelCaption(MeasureEvents), "Under Voltages (N.4)");
    EXPECT_EQ(report.EventScale(), (TEventScale{"4", "8", 8}));
    const std::vector<TBarLook> events = report.Bars(MeasureEvents);
    EXPECT_EQ(Captions(events), (std::vector<std::string>{"0", "0", "8"}));
    EXPECT_EQ(events[0].Colour, kPassedColour);
    EXPECT_EQ(events[2].Colour, kFailedColour);

    // Harmonics show the current channel against its order's percentile.
    EXPECT_EQ(report.PanelCaption(MeasureVoltageHarmonics), "Thd 95%");
    report.SelectDate(First() + 4);
    report.ChooseHarmonicChannel(2);
    EXPECT_EQ(report.PanelCaption(MeasureVoltageHarmonics), "5th 95%");
    const std::vector<TBarLook> fifth = report.Bars(MeasureVoltageHarmonics);
    EXPECT_EQ(Captions(fifth), (std::vector<std::string>{"90.7%", "100.0%", "100.0%"}));
    EXPECT_EQ(fifth[0].Colour, kFailedColour);
    report.ChooseHarmonicChannel(3);  // no such channel
    EXPECT_EQ(report.HarmonicChannel(), 2);

    EXPECT_EQ(report.PanelCaption(MeasureVoltage), "Voltage 95%");
    EXPECT_EQ(report.PanelCaption(MeasureFrequency, 0), "Frequency 99.50%");
    EXPECT_EQ(report.PanelCaption(MeasureFrequency, 1), "Frequency 100.00%");
    EXPECT_EQ(report.PanelCaption(MeasureFlicker), "Flicker 95%");

    // A damaged report's percentile that is no number shows as the report sheet shows it.
    ReportFixture damaged = EveryMeasureReport();
    damaged.limits.HzPerc2 = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(BarsOf(damaged).PanelCaption(MeasureFrequency, 1), "Frequency ***");
}

TEST(BarReport, FailedDatesAreFoundAcrossMeasuresBothWays)
{
    TBarReport report = BarsOf(EveryMeasureReport());
    std::vector<double> forward;
    while (report.FindFailedDate(true)) forward.push_back(report.ShownDay() - First());
    EXPECT_EQ(forward, (std::vector<double>{1, 2, 4}));  // voltage twice, then the 5th harmonic
    EXPECT_EQ(report.ShownDay(), First() + 4);
    // The harmonic failure made its channel current.
    EXPECT_EQ(report.HarmonicChannel(), 2);
    EXPECT_EQ(report.PanelCaption(MeasureVoltageHarmonics), "5th 95%");

    std::vector<double> backward;
    while (report.FindFailedDate(false)) backward.push_back(report.ShownDay() - First());
    EXPECT_EQ(backward, (std::vector<double>{2, 1, 0}));
    EXPECT_FALSE(report.FindFailedDate(false));
    EXPECT_EQ(report.ShownDay(), First());  // a search that finds nothing stays
}

// Of two failed items the last becomes current; a measure tested earlier on the same day wins.
TEST(BarReport, AFailedSearchMakesTheLastFailedChannelOrCategoryCurrent)
{
    ReportFixture fixture = EveryMeasureReport();
    auto& harm = MeasureOf(fixture, MeasureVoltageHarmonics);
    harm.windows[3].Passed[1] = harm.windows[3].Passed[2] = 0;
    harm.windows[3].Passed[40] = 0;  // past the channel count: no verdict
    auto& events = MeasureOf(fixture, MeasureEvents);
    events.windows[3].Passed[3] = events.windows[3].Passed[8] = 0;  // also on the 18th
    events.windows[4].Passed[5] = 0;
    TBarReport report = BarsOf(fixture);
    ASSERT_TRUE(report.SelectDate(First() + 2));
    ASSERT_TRUE(report.FindFailedDate(true));
    EXPECT_EQ(report.ShownDay(), First() + 3);
    EXPECT_EQ(report.HarmonicChannel(), 2);
    EXPECT_EQ(report.EventCategory(), 0);  // harmonics answered first
    ASSERT_TRUE(report.FindFailedDate(true));
    EXPECT_EQ(report.ShownDay(), First() + 4);
    EXPECT_EQ(report.EventCategory(), 0);  // the 5th harmonic fails that day too
    MeasureOf(fixture, MeasureVoltageHarmonics).windows[3].Passed = std::vector<std::uint8_t>(51, 1);
    TBarReport eventsOnly = BarsOf(fixture);
    ASSERT_TRUE(eventsOnly.SelectDate(First() + 2));
    ASSERT_TRUE(eventsOnly.FindFailedDate(true));
    EXPECT_EQ(eventsOnly.EventCategory(), 8);
    EXPECT_EQ(eventsOnly.PanelCaption(MeasureEvents), "Interruption Voltage (N.5)");
    EXPECT_EQ(eventsOnly.EventScale(), (TEventScale{"5", "10", 10}));
}

TEST(BarReport, DaysStepWithinTheWindowsAndTheLastDisablesNext)
{
    TBarReport report = BarsOf(EveryMeasureReport());
    EXPECT_FALSE(report.HasPreviousWindow());
    EXPECT_TRUE(report.HasNextWindow());
    report.StepDay(-1);
    EXPECT_EQ(report.ShownDay(), First());
    for (int day = 1; day <= 4; ++day) {
        ASSERT_TRUE(report.HasNextWindow()) << day;
        report.StepDay(1);
    }
    EXPECT_EQ(report.ShownDateText(), "19/03/2024");  // 19 + 3 days is past the stop on the 21st
    EXPECT_FALSE(report.HasNextWindow());
    EXPECT_TRUE(report.HasPreviousWindow());
    report.StepDay(1);
    EXPECT_EQ(report.ShownDay(), First() + 4);
    EXPECT_FALSE(report.FindFailedDate(true));
}

// The analysis began at 10:30 and stopped at 17:00: its first day is shown, selected and
// searched like the others, and its last window starts on the 19th.
TEST(BarReport, AnAnalysisStartingAt1030SelectsAndSearchesItsFirstDay)
{
    ReportFixture fixture = EveryMeasureReport();
    fixture.survey.Start = FixtureTime(2024, 3, 15, 10, 30);
    fixture.survey.Stop = FixtureTime(2024, 3, 21, 17, 0, 59, 999);
    TBarReport report = BarsOf(fixture);
    EXPECT_EQ(report.ShownDay(), First());
    EXPECT_EQ(Captions(report.Bars(MeasureVoltage))[1], "93.1%");
    struct Choice {
        double day;
        bool taken;
    };
    for (const Choice c : {Choice{-1, false}, Choice{4.5, true}, Choice{0, true}, Choice{5, false}, Choice{2.75, true}}) {
        const double before = report.ShownDay();
        EXPECT_EQ(report.SelectDate(First() + c.day), c.taken) << c.day;
        EXPECT_EQ(report.ShownDay(), c.taken ? First() + std::floor(c.day) : before) << c.day;
    }
    ASSERT_TRUE(report.SelectDate(First() + 4));
    EXPECT_FALSE(report.HasNextWindow());
    ASSERT_TRUE(report.FindFailedDate(false));
    EXPECT_EQ(report.ShownDay(), First() + 2);
    report.SelectDate(First() + 0.5);
    ASSERT_TRUE(report.FindFailedDate(true));
    EXPECT_EQ(report.ShownDay(), First() + 1);
}

// An interval shorter than the window makes one window of the days seen, on the first day.
TEST(BarReport, AnIntervalShorterThanTheWindowHasItsFirstDay)
{
    ReportFixture fixture = EveryMeasureReport();
    fixture.windowDays = 10;
    TBarReport report = BarsOf(fixture);
    EXPECT_FALSE(report.HasNextWindow());
    EXPECT_TRUE(report.SelectDate(First()));
    EXPECT_FALSE(report.SelectDate(First() + 1));
}

// A single-phase survey marks L2 and L3 of the first counter group only (the first harmonic
// channel); every channel and category shows them grey. Frequency and unbalance hold no phases.
TEST(BarReport, SinglePhaseChannelsShowL2AndL3GreyOnEveryChannel)
{
    ReportFixture fixture = EveryMeasureReport();
    constexpr std::int32_t X = kMissingPhase;
    for (auto& m : fixture.measures)
        for (auto& window : m.windows) {
            if (m.measure == MeasureVoltage) window.Counts = {{0, X, X}, {0, X, X}};
            if (m.measure == MeasureVoltageHarmonics) window.Counts[0] = {0, X, X};
            if (m.measure == MeasureFlicker) window.Counts = {{0, X, X}};
            if (m.measure == MeasureEvents)
                for (auto& category : window.Counts) category = {2, X, X};
        }
    TBarReport report = BarsOf(fixture);
    const std::vector<std::string> l1Only{"100.0%", "grey", "grey"};
    EXPECT_EQ(Captions(report.Bars(MeasureVoltage)), l1Only);
    EXPECT_EQ(Captions(report.Bars(MeasureFlicker)), l1Only);
    EXPECT_EQ(Captions(report.Bars(MeasureFrequency)), (std::vector<std::string>{"100.0%", "100.0%"}));
    for (int channel = 0; channel < 3; ++channel) {
        report.ChooseHarmonicChannel(channel);
        EXPECT_EQ(Captions(report.Bars(MeasureVoltageHarmonics)), l1Only) << channel;
    }
    for (int category : {0, 8}) {
        report.ChooseEventCategory(category);
        EXPECT_EQ(Captions(report.Bars(MeasureEvents)), (std::vector<std::string>{"2", "grey", "grey"})) << category;
    }
    const std::vector<TBarLook> bars = report.Bars(MeasureVoltage);
    EXPECT_EQ(bars[1], ClearedBar());
}

// No window of the day, a window without records, a measure not analysed: cleared bars.
TEST(BarReport, AWindowWithoutRecordsOrAMissingDayOrMeasureClearsItsBars)
{
    ReportFixture fixture = EveryMeasureReport();
    MeasureOf(fixture, MeasureVoltage).windows[1].Total = 0;
    auto& unbalance = MeasureOf(fixture, MeasureUnbalance).windows;
    unbalance.erase(unbalance.begin() + 1);
    MeasureOf(fixture, MeasureFlicker).hasWindows = false;
    TBarReport report = BarsOf(fixture);
    EXPECT_FALSE(report.Analysed(MeasureFlicker));
    EXPECT_TRUE(report.HasNextWindow());
    report.StepDay(1);
    const std::vector<std::string> grey3{"grey", "grey", "grey"};
    EXPECT_EQ(Captions(report.Bars(MeasureVoltage)), grey3);
    EXPECT_EQ(Captions(report.Bars(MeasureUnbalance)), std::vector<std::string>{"grey"});
    EXPECT_EQ(Captions(report.Bars(MeasureFlicker)), grey3);
    EXPECT_EQ(Captions(report.Bars(MeasureFrequency)), (std::vector<std::string>{"100.0%", "100.0%"}));
    EXPECT_TRUE(report.ShownDayFailed());  // the voltage window still failed
    EXPECT_FALSE(report.WindowOfDay(MeasureUnbalance, First() + 1).has_value());
}

// Records are found as the day is scanned for: the first record not before the day, when it is
// of the day; a record behind a later one is never reached. The time of day plays no part.
TEST(BarReport, TheWindowOfADayIsTheFirstRecordNotBeforeIt)
{
    ReportFixture fixture = EveryMeasureReport();
    auto& windows = MeasureOf(fixture, MeasureFlicker).windows;
    windows[1].Day = First() + 2.25;
    windows[2].Day = First() + 1;
    windows[3].Day = First() + 2;
    TBarReport report = BarsOf(fixture);
    struct Lookup {
        double day;
        int record;  // -1: none
    };
    for (const Lookup l : {Lookup{0.5, 0}, Lookup{1, -1}, Lookup{2.9, 1}, Lookup{3, -1}, Lookup{4, 4}, Lookup{5, -1}}) {
        const std::optional<TWindowResult> found = report.WindowOfDay(MeasureFlicker, First() + l.day);
        ASSERT_EQ(found.has_value(), l.record >= 0) << l.day;
        if (found) {
            EXPECT_EQ(*found, windows[static_cast<std::size_t>(l.record)]) << l.day;
        }
    }
}

TEST(BarReport, HarmonicMenuSkipsTheFundamentalInColumnsOfTenAndEventsListTheirMaxima)
{
    ReportFixture fixture = EveryMeasureReport();
    const auto harmonicMenu = [&](int channels) {
        fixture.channelCount = static_cast<std::int16_t>(channels);
        fixture.orders.clear();
        for (int c = 0; c < channels; ++c) fixture.orders.push_back(static_cast<std::uint16_t>(c));
        for (auto& window : MeasureOf(fixture, MeasureVoltageHarmonics).windows)
            window.Counts.assign(static_cast<std::size_t>(channels), TPhaseCounts{});
        return BarsOf(fixture).HarmonicMenu();
    };
    struct Case {
        int channels;
        std::vector<std::size_t> columns;
    };
    for (const Case& c : {Case{1, {1}}, Case{11, {10}}, Case{12, {10, 1}}, Case{26, {10, 10, 5}}, Case{46, {10, 10, 10, 15}}}) {
        const auto menu = harmonicMenu(c.channels);
        std::vector<std::size_t> columns;
        for (const auto& column : menu) columns.push_back(column.size());
        EXPECT_EQ(columns, c.columns) << c.channels;
    }
    const auto menu = harmonicMenu(4);
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu[0], (std::vector<TBarMenuItem>{{"Thd", 0}, {"2nd", 2}, {"3rd", 3}}));

    fixture.limits.VDepth = 7;
    const std::vector<TBarMenuItem> events = BarsOf(fixture).EventMenu();
    ASSERT_EQ(events.size(), 9u);
    std::vector<int> order;
    for (const TBarMenuItem& item : events) order.push_back(item.Choice);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 8, 3, 4, 5, 6, 7}));
    EXPECT_EQ(events[3].Caption, "Interruption Voltage (N. 7)");

    MeasureOf(fixture, MeasureEvents).hasWindows = false;
    MeasureOf(fixture, MeasureVoltageHarmonics).hasWindows = false;
    EXPECT_TRUE(BarsOf(fixture).EventMenu().empty());
    EXPECT_TRUE(BarsOf(fixture).HarmonicMenu().empty());
}

TEST(BarReport, AnIntervalThatIsNoPairOfDatesIsRefused)
{
    ReportFixture fixture = EveryMeasureReport();
    TReportRead read = ReadAnalysisReport(ReportBytes(fixture));
    ASSERT_TRUE(read.Report);
    EXPECT_EQ(BarReportProblem(*read.Report), "");
    for (double stop : {std::nan(""), fixture.survey.Start - 1, 1e9}) {
        read.Report->Head.Survey.Stop = stop;
        EXPECT_NE(BarReportProblem(*read.Report), "") << stop;
    }
}

TEST(GaugeRules, RangeAndProgressKeepEachOtherInBoundsAndMakeTheAutomaticCaption)
{
    TGaugeValues gauge;
    EXPECT_EQ(gauge.Caption(), "GradGauge");
    EXPECT_TRUE(gauge.SetProgress(150));
    EXPECT_EQ(gauge.Progress(), 100);
    EXPECT_FALSE(gauge.SetProgress(100));
    EXPECT_FALSE(gauge.SetMax(0));  // not above Min
    EXPECT_FALSE(gauge.SetMin(100));  // not below Max
    EXPECT_TRUE(gauge.SetMax(20));
    EXPECT_EQ(gauge.Progress(), 20);
    EXPECT_TRUE(gauge.SetMin(5));
    EXPECT_TRUE(gauge.SetProgress(-3));
    EXPECT_EQ(gauge.Progress(), 5);
    EXPECT_TRUE(gauge.SetAutoCaption(true));
    EXPECT_EQ(gauge.Caption(), "5/20");
    gauge.SetProgress(12);
    EXPECT_EQ(gauge.Caption(), "12/20");
    gauge.SetMax(30);
    EXPECT_EQ(gauge.Caption(), "12/30");

    // Fill: 7 of 5..30 is 8 %, inside the frame of a bordered gauge.
    gauge.SetProgress(7);
    const TGaugeParts bordered = GaugeParts(gauge, 200, 40, true);
    EXPECT_EQ(bordered.Percent, 8);
    EXPECT_TRUE(bordered.HasFilled);
    EXPECT_EQ(bordered.Filled, (TGaugeRect{1, 1, 15, 39}));
    EXPECT_EQ(bordered.Rest, (TGaugeRect{17, 1, 199, 39}));
    gauge.SetProgress(30);
    EXPECT_FALSE(GaugeParts(gauge, 200, 40, true).HasRest);
}

TEST(GaugeRules, GradientBandsRunFromTheFirstColourToTheSecond)
{
    EXPECT_EQ(GradientBandColour(clWhite, clBlue, 0), clWhite);
    EXPECT_EQ(GradientBandColour(clWhite, clBlue, 255), clBlue);
    EXPECT_EQ(GradientBandColour(clWhite, clBlue, 128), 0xFF7F7Fu);
    EXPECT_EQ(GradientBandColour(kPassedColour, kPassedColour, 77), kPassedColour);
    EXPECT_EQ(GradientBandTop(0, 38), 0);
    EXPECT_EQ(GradientBandTop(128, 9), 5);  // 4.5 rounds up
    EXPECT_EQ(GradientBandTop(256, 38), 38);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
}
