// The analysis engine over small surveys whose windows, shares, verdicts and failed intervals
// are worked out by hand from the records written: a hand-computed week of voltage and events
// read back from its report, the window edges, each trend measure's value, harmonic blocks,
// events by category, single-phase surveys, Abort, and the faults that end a run.
#include "analysis/analysis_engine.h"

#include "fixtures/data_fixture.h"
#include "fixtures/selection_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <limits>

namespace {
constexpr double kTenMinutes = 10.0 / 1440.0;
constexpr std::int64_t kDay = 144;  // ten-minute records per day
// Averages of a three-phase voltage record with flags 2: 18-byte head, then per phase a
// channel code, minimum, average and maximum (14 bytes).
constexpr std::size_t kL1 = 24, kL2 = 38, kL3 = 52;
constexpr int X = kMissingPhase;

double March(int day, int hour = 0, int minute = 0, int second = 0, int millisecond = 0)
{
    return FixtureTime(2024, 3, day, hour, minute, second, millisecond);
}

void PutFloat(std::uint8_t* record, std::size_t at, float value) { StoreU32(record + at, std::bit_cast<std::uint32_t>(value)); }

// Ten-minute voltage records at 230 V from 1 March on.
std::string WriteVoltage(const std::string& path, std::int64_t count, const std::function<void(std::int64_t, std::uint8_t*)>& patch = {},
                         std::uint16_t wiring = 0, double start = 0)
{
    TrendRecordFields r;
    r.wiring = wiring;
    r.period = 10;
    r.phases = {{.values = {225, 230, 235}}, {.values = {225, 230, 235}}, {.values = {225, 230, 235}}};
    return WriteRecordSeries(path, 1, TrendRecord(1, r), start ? start : March(1), kTenMinutes, count, patch);
}

struct EventAt {
    int day, hour, minute;
    int channel, type;
    float threshold = 0, peak = 0;
    int second = 0, hundredths = 0;
    int month = 3, year = 2024;
};
std::string WriteEvents(const std::string& path, const std::vector<EventAt>& events)
{
    std::vector<Bytes> records;
    for (const EventAt& e : events) {
        EventRecordFields f;
        f.type = static_cast<std::int16_t>(e.type);
        f.threshold = e.threshold;
        f.peak = e.peak;
        f.channel = static_cast<std::int16_t>(e.channel);
        f.time = {e.year, e.month, e.day, e.hour, e.minute, e.second, e.hundredths};
        records.push_back(EventRecord(f));
    }
    return WriteDataFile(path, records);
}

// A survey, its parameters and a run of the engine with the program folder as temporary folder.
struct AnalysisRun {
    TempProgDir dir;
    ScriptedMessages messages;
    TSurveySelection survey;
    TAnalysisParams params;
    std::unique_ptr<TAnalysisEngine> engine;

    AnalysisRun()
    {
        SetDefaultAnalysisParams(params);
        survey.Name = "small.orv";
        survey.Description = "Feeder 7";
        survey.Site = "North yard";
        survey.Operator = "R. Tester";
    }
    void Select(int measure, const std::string& path) { SelectMeasureFile(survey, measure, path); }
    void Interval(double start, double stopMinute) { SetInterval(survey, start, stopMinute); }
    TAnalysisEngine& Engine()
    {
        engine = std::make_unique<TAnalysisEngine>(survey, params, dir.Path());
        return *engine;
    }
    // Runs to the end; the number of steps taken.
    int Run()
    {
        TAnalysisEngine& e = Engine();
        int steps = 1;
        while (e.Step()) ++steps;
        return steps;
    }
    TAnalysisReport Report()
    {
        const TReportWrite written = engine->WriteReport(dir / "run.rep");
        EXPECT_TRUE(written.Saved) << written.Message;
        const TReportRead read = ReadAnalysisReportFile(dir / "run.rep");
        EXPECT_EQ(read.Fault, ReportFault::None) << read.Detail;
        return read.Report.value_or(TAnalysisReport{});
    }
};

std::vector<std::uint8_t> Flags(std::initializer_list<std::uint8_t> first, std::size_t size)
{
    std::vector<std::uint8_t> flags(first);
    flags.resize(size, 0);
    return flags;
}
// Nine category flags and counts, from the categories given.
TWindowResult EventsWindow(double day, std::vector<std::pair<int, TPhaseCounts>> counts, std::vector<int> failed,
                           std::int32_t total)
{
    TWindowResult w{day, std::vector<std::uint8_t>(9, 1), std::vector<TPhaseCounts>(9), total};
    for (auto& [category, phases] : counts) w.Counts[static_cast<std::size_t>(category)] = phases;
    for (int category : failed) w.Passed[static_cast<std::size_t>(category)] = 0;
    return w;
}
std::vector<double> Days(const std::vector<TWindowResult>& windows)
{
    std::vector<double> days;
    for (const auto& w : windows) days.push_back(w.Day);
    return days;
}
std::vector<std::int32_t> Totals(const std::vector<TWindowResult>& windows)
{
    std::vector<std::int32_t> totals;
    for (const auto& w : windows) totals.push_back(w.Total);
    return totals;
}
}  // namespace

// Five days of voltage (N = 3): limit 1 is 207..253 V at 95 %, limit 2 195.5..253 V at 99 %.
// Day 1: L1 at 260 V for 10 records; day 2: L1 at 260 V for 12; day 3: L2 at 200 V for 15;
// day 4: L2 at 200 V for 2; day 5: L3 at 190 V for 1. Each window holds 3 x 144 = 432 records:
//   1-3: limit 1 L1 22 (5.09 % > 5 %), limit 2 L1 22 (> 1 %): failed;
//   2-4: limit 1 L1 12 (2.78 %), L2 17 (3.94 %): passed; limit 2 L1 12 (2.78 % > 1 %): failed;
//   3-5: limit 1 L2 17, L3 1; limit 2 L3 1 (0.23 %): passed.
// Events of the same days (maxima 5): 1 March an over-voltage on L1, a dip on L2, an L1 event of
// type 0 and a system event (neither counted); 3 March an interruption (a dip to 1.5 V of 207 V);
// 5 March six over-voltages on L3 and an over-frequency. Calendar days 1 to 5 make windows
//   1-3: over L1 1, under L2 1, interruption L1 1 (3 events); 2-4: the interruption (1);
//   3-5: interruption 1, over L3 6 (> 5, failed), over-frequency 1 (8 events).
TEST(AnalysisEngine, HandComputedWeekOfVoltageAndEventsReadBackFromItsReport)
{
    AnalysisRun run;
    run.params.WindowDays = 3;
    TLimitsRecord& limits = run.params.Limits;
    limits.VLow = 10, limits.VHigh = 10, limits.VPerc = 95;
    limits.VLow2 = 15, limits.VHigh2 = 10, limits.VPerc2 = 99;
    const std::string voltage = WriteVoltage(run.dir / "small.vme", 5 * kDay, [](std::int64_t i, std::uint8_t* r) {
        const std::int64_t day = i / kDay, k = i % kDay;
        if (day == 0 && k < 10) PutFloat(r, kL1, 260);
        if (day == 1 && k < 12) PutFloat(r, kL1, 260);
        if (day == 2 && k < 15) PutFloat(r, kL2, 200);
        if (day == 3 && k < 2) PutFloat(r, kL2, 200);
        if (day == 4 && k == 0) PutFloat(r, kL3, 190);
    });
    const std::string events = WriteEvents(run.dir / "small.ale", {
        {1, 8, 0, 0, 1, 253, 262, 0, 25},
        {1, 9, 0, 1, 2, 207, 180},
        {1, 10, 0, 0, 0, 0, 0},
        {1, 11, 0, 3, 16},
        {3, 12, 0, 0, 3, 207, 1.5f},
        {5, 6, 0, 2, 1, 253, 260}, {5, 6, 1, 2, 1, 253, 260}, {5, 6, 2, 2, 1, 253, 260},
        {5, 6, 3, 2, 1, 253, 260}, {5, 6, 4, 2, 1, 253, 260}, {5, 6, 5, 2, 1, 253, 260},
        {5, 7, 0, 3, 1, 50.5f, 50.7f},
    });
    run.Select(MeasureVoltage, voltage);
    run.Select(MeasureEvents, events);
    run.Interval(March(1), March(5, 23, 59));
    // Left by an earlier analysis: deleted when the voltage starts.
    run.dir.Write("volt.bar", "stale windows");

    TAnalysisEngine& engine = run.Engine();
    ASSERT_TRUE(engine.Step());  // the voltage starts
    EXPECT_EQ(engine.StatusText(), "processing Voltages");
    EXPECT_EQ(engine.Progress().done, 0);
    EXPECT_EQ(engine.Progress().total, 720);
    ASSERT_TRUE(engine.Step());  // 1 March
    EXPECT_EQ(engine.Progress().done, 144);
    while (engine.Step()) {}
    ASSERT_TRUE(engine.Completed());
    EXPECT_TRUE(run.messages.messages.empty());
    EXPECT_FALSE(engine.Passed());

    const TAnalysisMeasureResult& v = engine.Result(MeasureVoltage);
    EXPECT_TRUE(v.Analysed);
    EXPECT_FALSE(v.Passed);
    EXPECT_EQ(v.Panels, 3);
    EXPECT_EQ(v.PanelColours, (std::array<std::uint32_t, 3>{kFailedColour, kPassedColour, kPassedColour}));
    const TAnalysisMeasureResult& e = engine.Result(MeasureEvents);
    EXPECT_FALSE(e.Passed);
    EXPECT_EQ(e.Panels, 1);
    EXPECT_EQ(e.PanelColours[0], kFailedColour);
    for (int m : {2, 3, 4, 5}) {
        EXPECT_FALSE(engine.Result(m).Selected) << m;
        EXPECT_EQ(engine.Result(m).PanelColours[0], kNotAnalysedColour) << m;
    }

    const TAnalysisReport report = run.Report();
    for (const char* temp : {"volt.sta", "volt.bar", "events.sta", "events.bar"}) EXPECT_FALSE(FileExists(run.dir / temp)) << temp;
    EXPECT_EQ(report.Head.Survey.Name, "small.orv");
    EXPECT_EQ(report.Head.Survey.Start, run.survey.Start);
    EXPECT_EQ(report.Head.Survey.File(MeasureVoltage), run.survey.File(MeasureVoltage));
    EXPECT_EQ(report.Head.Params, run.params);
    EXPECT_EQ(report.Head.HarmonicChannelCount, 0);
    for (int m : {2, 3, 4, 5}) EXPECT_EQ(report.SummaryOffsets[static_cast<std::size_t>(m - 1)], 0) << m;

    const TReportMeasure& rv = report.Measure(MeasureVoltage);
    ASSERT_TRUE(rv.HasSummary);
    EXPECT_FALSE(rv.Summary.Passed);
    EXPECT_EQ(rv.Summary.Totals[0], (TPhaseCounts{22, 17, 1}));
    EXPECT_EQ(rv.Summary.Totals[1], (TPhaseCounts{22, 0, 1}));
    EXPECT_EQ(rv.Summary.Records, 720);
    const std::vector<TWindowResult> voltageWindows = {
        {March(1), {0}, {{22, 15, 0}, {22, 0, 0}}, 432},
        {March(2), {0}, {{12, 17, 0}, {12, 0, 0}}, 432},
        {March(3), {1}, {{0, 17, 1}, {0, 0, 1}}, 432},
    };
    EXPECT_EQ(rv.Windows.All(), voltageWindows);
    const std::vector<TFailedInterval> voltageFailed = {
        {March(1), 0, {{22, 15, 0}, {22, 0, 0}}, 432},
        {March(2), 0, {{12, 17, 0}, {12, 0, 0}}, 432},
    };
    EXPECT_EQ(rv.FailedIntervals.All(), voltageFailed);

    const TReportMeasure& re = report.Measure(MeasureEvents);
    ASSERT_TRUE(re.HasSummary);
    EXPECT_FALSE(re.Summary.Passed);
    EXPECT_EQ(re.Summary.Records, 10);
    EXPECT_EQ(re.Summary.Totals[0], (TPhaseCounts{1, 0, 6}));
    EXPECT_EQ(re.Summary.Totals[1], (TPhaseCounts{0, 1, 0}));
    EXPECT_EQ(re.Summary.Totals[3], (TPhaseCounts{1, 0, 0}));
    EXPECT_EQ(re.Summary.Totals[8], (TPhaseCounts{1, 0, 0}));
    const std::vector<TWindowResult> eventWindows = {
        EventsWindow(March(1), {{0, {1, 0, 0}}, {1, {0, 1, 0}}, {8, {1, 0, 0}}}, {}, 3),
        EventsWindow(March(2), {{8, {1, 0, 0}}}, {}, 1),
        EventsWindow(March(3), {{0, {0, 0, 6}}, {3, {1, 0, 0}}, {8, {1, 0, 0}}}, {0}, 8),
    };
    EXPECT_EQ(re.Windows.All(), eventWindows);
    EXPECT_EQ(re.FailedIntervals.All(), (std::vector<TFailedInterval>{{March(3), 0, {{0, 0, 6}}, 8}}));
}

// N = 7: windows slide by one day once more than seven days have been seen; fewer days make
// one window of the days seen.
TEST(AnalysisEngine, WindowsOfSevenDaysOverThreeToEightDays)
{
    struct Case {
        int days;
        std::vector<double> firstDays;
        std::vector<std::int32_t> totals;
    };
    const Case cases[] = {
        {3, {March(1)}, {3 * 144}},
        {6, {March(1)}, {6 * 144}},  // one day shorter than the window
        {7, {March(1)}, {7 * 144}},
        {8, {March(1), March(2)}, {7 * 144, 7 * 144}},
    };
    for (const Case& c : cases) {
        AnalysisRun run;
        run.Select(MeasureVoltage, WriteVoltage(run.dir / "d.vme", c.days * kDay));
        run.Interval(March(1), March(c.days, 23, 59));
        run.Run();
        ASSERT_TRUE(run.engine->Completed()) << c.days;
        const TReportMeasure m = run.Report().Measure(MeasureVoltage);
        EXPECT_EQ(Days(m.Windows.All()), c.firstDays) << c.days;
        EXPECT_EQ(Totals(m.Windows.All()), c.totals) << c.days;
        EXPECT_TRUE(m.Summary.Passed) << c.days;
    }
}

// Five days, one window of 720 records at 95 %: 36 records below 207 V are 5 % exactly and
// pass; one record more fails.
TEST(AnalysisEngine, ShareExactlyAtTheBoundPassesAndOneRecordMoreFails)
{
    for (int outside : {36, 37}) {
        AnalysisRun run;
        run.params.WindowDays = 5;
        run.Select(MeasureVoltage, WriteVoltage(run.dir / "b.vme", 5 * kDay, [outside](std::int64_t i, std::uint8_t* r) {
            if (i < outside) PutFloat(r, kL1, 200);  // inside limit 2 (195.5 V)
        }));
        run.Interval(March(1), March(5, 23, 59));
        run.Run();
        const TReportMeasure m = run.Report().Measure(MeasureVoltage);
        ASSERT_EQ(m.Windows.size(), 1u);
        EXPECT_EQ(m.Windows[0].Counts[0], (TPhaseCounts{outside, 0, 0}));
        EXPECT_EQ(m.Windows[0].Total, 720);
        EXPECT_EQ(m.Windows[0].Passed[0], outside == 36 ? 1 : 0) << outside;
        EXPECT_EQ(m.Summary.Passed, outside == 36);
        EXPECT_EQ(m.FailedIntervals.size(), outside == 36 ? 0u : 1u);
    }
}

// The interval 1 March 12:10 to 4 March 05:49 of four days of records: the first day holds 71
// records (12:10 to 23:50), the last 35 (00:00 to 05:40), each with its first or last record at
// 260 V. N = 2.
TEST(AnalysisEngine, IntervalStartingAndStoppingMidDay)
{
    AnalysisRun run;
    run.params.WindowDays = 2;
    run.Select(MeasureVoltage, WriteVoltage(run.dir / "m.vme", 4 * kDay, [](std::int64_t i, std::uint8_t* r) {
        if (i == 73 || i == 3 * kDay + 34) PutFloat(r, kL1, 260);
    }));
    run.Interval(March(1, 12, 10), March(4, 5, 49));
    run.Run();
    const TReportMeasure m = run.Report().Measure(MeasureVoltage);
    EXPECT_EQ(Days(m.Windows.All()), (std::vector<double>{March(1), March(2), March(3)}));
    EXPECT_EQ(Totals(m.Windows.All()), (std::vector<std::int32_t>{71 + 144, 288, 144 + 35}));
    ASSERT_EQ(m.Windows.size(), 3u);
    EXPECT_EQ(m.Windows[0].Counts[0], (TPhaseCounts{1, 0, 0}));
    EXPECT_EQ(m.Windows[1].Counts[0], (TPhaseCounts{0, 0, 0}));
    EXPECT_EQ(m.Windows[2].Counts[0], (TPhaseCounts{1, 0, 0}));
    EXPECT_EQ(m.Summary.Records, 71 + 144 + 144 + 35);
}

// Records on 1, 2 and 5 March only, N = 2: the days without records do not count, so the
// second window holds 2 and 5 March.
TEST(AnalysisEngine, TrendDaysWithoutRecordsDoNotCount)
{
    AnalysisRun run;
    run.params.WindowDays = 2;
    TrendRecordFields r;
    r.period = 10;
    std::vector<Bytes> records;
    for (int day : {1, 2, 5})
        for (int k = 0; k < kDay; ++k) {
            r.time = StampOf(March(day) + static_cast<double>(k) * kTenMinutes);
            records.push_back(TrendRecord(1, r));
        }
    run.Select(MeasureVoltage, WriteDataFile(run.dir / "g.vme", records));
    run.Interval(March(1), March(5, 23, 59));
    run.Run();
    const TReportMeasure m = run.Report().Measure(MeasureVoltage);
    EXPECT_EQ(Days(m.Windows.All()), (std::vector<double>{March(1), March(2)}));
    EXPECT_EQ(Totals(m.Windows.All()), (std::vector<std::int32_t>{288, 288}));
}

// Events on 1 and 12 March, N = 7: windows close on every calendar day once more than seven
// days have been seen, so those starting on 1 to 5 March close before the 12th is counted (the
// one of the 5th ends on the empty 11th), and one more starts on the 6th.
TEST(AnalysisEngine, EventsWindowsAreCalendarDays)
{
    AnalysisRun run;
    run.Select(MeasureEvents, WriteEvents(run.dir / "e.ale", {{1, 10, 0, 0, 1, 253, 260}, {12, 10, 0, 0, 1, 253, 260}}));
    run.Interval(March(1), March(12, 23, 59));
    run.Run();
    const TReportMeasure m = run.Report().Measure(MeasureEvents);
    EXPECT_EQ(Days(m.Windows.All()), (std::vector<double>{March(1), March(2), March(3), March(4), March(5), March(6)}));
    EXPECT_EQ(Totals(m.Windows.All()), (std::vector<std::int32_t>{1, 0, 0, 0, 0, 1}));
}

// The longest interval an analysis judges, 32767 days: events on its first and last day close a
// window on every calendar day from the seventh, and the report holds all of them. One day more
// is refused before anything is read.
TEST(AnalysisEngine, IntervalOfAtMost32767Days)
{
    const double lastDay = March(1) + kMaxAnalysisDays - 1;
    const DateTimeParts last = DecodeDateTime(lastDay);
    {
        AnalysisRun run;
        run.Select(MeasureEvents, WriteEvents(run.dir / "e.ale", {{1, 10, 0, 0, 1, 253, 260},
                                                                  {last.day, 10, 0, 0, 1, 253, 260, 0, 0, last.month, last.year}}));
        run.Interval(March(1), lastDay + 1439.0 / 1440);
        run.Run();
        ASSERT_TRUE(run.engine->Completed()) << testing::PrintToString(run.messages.Texts());
        const TReportMeasure m = run.Report().Measure(MeasureEvents);
        ASSERT_EQ(m.Windows.size(), static_cast<std::size_t>(kMaxAnalysisDays - 7 + 1));
        EXPECT_EQ(m.Windows[m.Windows.size() - 1].Day, lastDay - 6);
        EXPECT_EQ(m.Windows[m.Windows.size() - 1].Total, 1);
    }
    AnalysisRun run;
    run.Select(MeasureEvents, WriteEvents(run.dir / "e.ale", {{1, 10, 0, 0, 1, 253, 260}}));
    run.Interval(March(1), lastDay + 1 + 1439.0 / 1440);
    run.Run();
    EXPECT_FALSE(run.engine->Completed());
    EXPECT_EQ(run.messages.Texts(), (std::vector<std::string>{"The analysis interval cannot be longer than 32767 days."}));
    EXPECT_FALSE(FileExists(run.dir / "events.sta"));
}

// One event of each category on one day (N = 1) with the over-voltage and under-frequency
// maxima at 0: those two categories fail, one failed interval each; the two events without a
// category are not counted.
TEST(AnalysisEngine, EventsCountedAndJudgedByCategory)
{
    AnalysisRun run;
    run.params.WindowDays = 1;
    run.params.Limits.VOver = 0;
    run.params.Limits.HzUnder = 0;
    run.Select(MeasureEvents, WriteEvents(run.dir / "c.ale", {
        {1, 1, 0, 0, 1, 253, 260},    // over-voltage L1
        {1, 2, 0, 1, 3, 207, 150},    // under-voltage L2
        {1, 3, 0, 2, 4, 5, 7},        // fast variation L3
        {1, 4, 0, 3, 1, 50.5f, 51},   // over-frequency
        {1, 5, 0, 3, 2, 49.5f, 49},   // under-frequency
        {1, 6, 0, 4, 1, 2, 3},        // over-unbalance
        {1, 7, 0, 16, 1, 5, 6},       // over-harmonic, order 2 L1
        {1, 8, 0, 6, 1, 1, 2},        // over-flicker L2
        {1, 9, 0, 0, 2, 207, 1},      // interruption L1
        {1, 10, 0, 0, 6, 1, 1},       // no category
        {1, 11, 0, 8, 1, 253, 260},   // L4 voltage
    }));
    run.Interval(March(1), March(1, 23, 59));
    run.Run();
    const TReportMeasure m = run.Report().Measure(MeasureEvents);
    const TWindowResult expected = EventsWindow(
        March(1),
        {{0, {1, 0, 0}}, {1, {0, 1, 0}}, {2, {0, 0, 1}}, {3, {1, 0, 0}}, {4, {1, 0, 0}}, {5, {1, 0, 0}},
         {6, {1, 0, 0}}, {7, {0, 1, 0}}, {8, {1, 0, 0}}},
        {0, 4}, 9);
    EXPECT_EQ(m.Windows.All(), (std::vector<TWindowResult>{expected}));
    EXPECT_EQ(m.Summary.Records, 9);
    EXPECT_EQ(m.FailedIntervals.All(),
              (std::vector<TFailedInterval>{{March(1), 0, {{1, 0, 0}}, 9}, {March(1), 4, {{1, 0, 0}}, 9}}));
}

// Frequency (nominal 50 Hz: limit 1 49.5..50.5 at 99.5 %, limit 2 47..52 at 100 %), unbalance
// (2 % at 95 %) and flicker (Plt 1 at 95 %) over one day, N = 1:
//   frequency at 51 Hz for 2 records and 53 Hz for 1: [3, 1] of 144, both limits failed;
//   unbalance at 3 % for 10 records (6.9 %): failed; flicker L3 Plt 1.5 for 3 records (2.1 %): passed.
TEST(AnalysisEngine, FrequencyUnbalanceAndFlickerJudgeTheirOwnValues)
{
    AnalysisRun run;
    run.params.WindowDays = 1;
    TrendRecordFields f;
    f.nominal = 50;
    f.period = 600;
    f.phases = {{.values = {49.9f, 50, 50.1f}}};
    const std::string frequency = WriteRecordSeries(run.dir / "f.hze", 2, TrendRecord(2, f), March(1), kTenMinutes, kDay,
                                                    [](std::int64_t i, std::uint8_t* r) {
                                                        if (i < 2) PutFloat(r, kL1, 51);
                                                        if (i == 2) PutFloat(r, kL1, 53);
                                                    });
    TrendRecordFields u;
    u.period = 10;
    u.phases = {{.values = {0.5f, 1, 1.5f}}};
    const std::string unbalance = WriteRecordSeries(run.dir / "f.une", 3, TrendRecord(3, u), March(1), kTenMinutes, kDay,
                                                    [](std::int64_t i, std::uint8_t* r) {
                                                        if (i < 10) PutFloat(r, kL1, 3);
                                                    });
    FlickerRecordFields fl;
    for (int p = 0; p < 3; ++p) fl.phases.push_back({.stats = {0.4f, 0, 0, 0, 0, 0, 0, 0.5f}});
    // Full set (mode 0): Plt is the eighth statistic, L3's at 25 + 2 x 32 + 7 x 4.
    const std::string flicker = WriteRecordSeries(run.dir / "f.fle", 5, FlickerRecord(fl), March(1), kTenMinutes, kDay,
                                                  [](std::int64_t i, std::uint8_t* r) {
                                                      if (i < 3) PutFloat(r, 25 + 64 + 28, 1.5f);
                                                  });
    run.Select(MeasureFrequency, frequency);
    run.Select(MeasureUnbalance, unbalance);
    run.Select(MeasureFlicker, flicker);
    run.Interval(March(1), March(1, 23, 59));
    run.Run();
    ASSERT_TRUE(run.engine->Completed());
    EXPECT_EQ(run.engine->Result(MeasureFrequency).PanelColours[0], kFailedColour);
    EXPECT_EQ(run.engine->Result(MeasureUnbalance).PanelColours[0], kFailedColour);
    EXPECT_EQ(run.engine->Result(MeasureFlicker).PanelColours,
              (std::array<std::uint32_t, 3>{kPassedColour, kPassedColour, kPassedColour}));
    const TAnalysisReport report = run.Report();
    EXPECT_EQ(report.Measure(MeasureFrequency).Windows.All(), (std::vector<TWindowResult>{{March(1), {0}, {{3, 1, 0}}, 144}}));
    EXPECT_EQ(report.Measure(MeasureFrequency).FailedIntervals.All(), (std::vector<TFailedInterval>{{March(1), 0, {{3, 1, 0}}, 144}}));
    EXPECT_EQ(report.Measure(MeasureFrequency).Summary.Totals[1], (TPhaseCounts{1, 0, 0}));
    EXPECT_EQ(report.Measure(MeasureUnbalance).Windows.All(), (std::vector<TWindowResult>{{March(1), {0}, {{10, 0, 0}}, 144}}));
    EXPECT_EQ(report.Measure(MeasureFlicker).Windows.All(), (std::vector<TWindowResult>{{March(1), {1}, {{0, 0, 3}}, 144}}));
    EXPECT_TRUE(report.Measure(MeasureFlicker).Summary.Passed);
}

// Blocks THD, the fundamental and the 3rd over two days (N = 2, 288 records): THD L1 at 10 %
// (limit 8 %) for 20 records fails its 95 %; the fundamental at 150 % is never counted; the 3rd
// L2 at 6 % (limit 5 %) for 5 records (1.7 %) passes. The report lists the three channels.
TEST(AnalysisEngine, HarmonicBlocksJudgedByTheirOrderAndTheFundamentalNever)
{
    AnalysisRun run;
    run.params.WindowDays = 2;
    HarmonicsRecordFields h;
    for (int order : {0, 1, 3}) h.blocks.push_back({.flags = 2, .order = order, .phases = {}});
    // Block b's L1 average at 24 + 44 b (flags, then per phase code and three values).
    const std::string harmonics = WriteRecordSeries(run.dir / "h.hme", 4, HarmonicsRecord(h), March(1), kTenMinutes, 2 * kDay,
                                                    [](std::int64_t i, std::uint8_t* r) {
                                                        PutFloat(r, 24 + 44, 150);
                                                        if (i < 20) PutFloat(r, 24, 10);
                                                        if (i >= 150 && i < 155) PutFloat(r, 24 + 88 + 14, 6);
                                                    });
    run.Select(MeasureVoltageHarmonics, harmonics);
    run.Interval(March(1), March(2, 23, 59));
    run.Run();
    ASSERT_TRUE(run.engine->Completed());
    EXPECT_EQ(run.engine->Result(MeasureVoltageHarmonics).PanelColours,
              (std::array<std::uint32_t, 3>{kFailedColour, kPassedColour, kPassedColour}));
    const TAnalysisReport report = run.Report();
    EXPECT_EQ(report.Head.HarmonicChannelCount, 3);
    EXPECT_EQ(report.Head.HarmonicOrders[0], 0);
    EXPECT_EQ(report.Head.HarmonicOrders[1], 1);
    EXPECT_EQ(report.Head.HarmonicOrders[2], 3);
    const TReportMeasure& m = report.Measure(MeasureVoltageHarmonics);
    EXPECT_EQ(m.Windows.All(), (std::vector<TWindowResult>{{March(1), Flags({0, 1, 1}, 51), {{20, 0, 0}, {0, 0, 0}, {0, 5, 0}}, 288}}));
    EXPECT_EQ(m.FailedIntervals.All(), (std::vector<TFailedInterval>{{March(1), 0, {{20, 0, 0}}, 288}}));
    EXPECT_EQ(m.Summary.Totals[1], (TPhaseCounts{0, 0, 0}));
    EXPECT_EQ(m.Summary.Records, 288);
}

// A single-phase survey (voltage, harmonics and events) over one day, N = 1: L1 is judged as
// recorded, and only the written records carry 0xFFFFFFFF where the survey has no L2 and L3
// (voltage: both groups; harmonics: the first channel only; events: every category, the
// summary's first only). The row shows L1 red and the missing phases grey.
TEST(AnalysisEngine, SinglePhaseSurveyMarksTheMissingPhasesOnlyInTheWrittenRecords)
{
    AnalysisRun run;
    run.params.WindowDays = 1;
    // Single-phase voltage records: one phase block, L1 average at 24.
    run.Select(MeasureVoltage, WriteVoltage(run.dir / "s.vme", kDay, [](std::int64_t i, std::uint8_t* r) {
        if (i < 10) PutFloat(r, kL1, 260);
    }, 1));
    HarmonicsRecordFields h;
    h.wiring = 1;
    for (int order : {0, 5}) h.blocks.push_back({.flags = 2, .order = order, .phases = {}});
    // One phase part per block: block b's L1 average at 24 + 16 b.
    run.Select(MeasureVoltageHarmonics, WriteRecordSeries(run.dir / "s.hme", 4, HarmonicsRecord(h), March(1), kTenMinutes, kDay,
                                                          [](std::int64_t i, std::uint8_t* r) {
                                                              if (i < 8) PutFloat(r, 24 + 16, 9);  // 5th, limit 6 %
                                                          }));
    run.Select(MeasureEvents, WriteEvents(run.dir / "s.ale", {{1, 10, 0, 0, 1, 253, 260}}));
    run.Interval(March(1), March(1, 23, 59));
    run.Run();
    ASSERT_TRUE(run.engine->Completed());
    const std::array<std::uint32_t, 3> l1Red{kFailedColour, kNotAnalysedColour, kNotAnalysedColour};
    EXPECT_EQ(run.engine->Result(MeasureVoltage).PanelColours, l1Red);
    EXPECT_EQ(run.engine->Result(MeasureVoltageHarmonics).PanelColours, l1Red);
    EXPECT_EQ(run.engine->Result(MeasureEvents).PanelColours[0], kPassedColour);

    const TAnalysisReport report = run.Report();
    const TReportMeasure& v = report.Measure(MeasureVoltage);
    EXPECT_EQ(v.Windows.All(), (std::vector<TWindowResult>{{March(1), {0}, {{10, X, X}, {10, X, X}}, 144}}));
    EXPECT_EQ(v.FailedIntervals.All(), (std::vector<TFailedInterval>{{March(1), 0, {{10, X, X}, {10, X, X}}, 144}}));
    EXPECT_EQ(v.Summary.Totals[0], (TPhaseCounts{10, X, X}));
    EXPECT_EQ(v.Summary.Totals[1], (TPhaseCounts{10, X, X}));
    EXPECT_EQ(v.Summary.Totals[2], (TPhaseCounts{0, 0, 0}));

    const TReportMeasure& hm = report.Measure(MeasureVoltageHarmonics);
    EXPECT_EQ(hm.Windows.All(), (std::vector<TWindowResult>{{March(1), Flags({1, 0}, 51), {{0, X, X}, {8, 0, 0}}, 144}}));
    EXPECT_EQ(hm.FailedIntervals.All(), (std::vector<TFailedInterval>{{March(1), 5, {{8, 0, 0}}, 144}}));
    EXPECT_EQ(hm.Summary.Totals[0], (TPhaseCounts{0, X, X}));
    EXPECT_EQ(hm.Summary.Totals[1], (TPhaseCounts{8, 0, 0}));

    const TReportMeasure& ev = report.Measure(MeasureEvents);
    ASSERT_EQ(ev.Windows.size(), 1u);
    EXPECT_EQ(ev.Windows[0].Counts[0], (TPhaseCounts{1, X, X}));
    for (int c = 1; c < 9; ++c) EXPECT_EQ(ev.Windows[0].Counts[static_cast<std::size_t>(c)], (TPhaseCounts{0, X, X})) << c;
    EXPECT_EQ(ev.Summary.Totals[0], (TPhaseCounts{1, X, X}));
    EXPECT_EQ(ev.Summary.Totals[1], (TPhaseCounts{0, 0, 0}));
}

// An event stamped 2090 among the events of March (a clock fault) is held to the stop day: the
// run ends after a few steps and no window starts after the interval.
TEST(AnalysisEngine, EventStampedFarBeyondTheIntervalIsHeldToTheStopDay)
{
    AnalysisRun run;
    run.params.WindowDays = 3;
    run.Select(MeasureEvents, WriteEvents(run.dir / "f.ale", {
        {1, 10, 0, 0, 1, 253, 260},
        {2, 10, 0, 0, 1, 253, 260, 0, 0, 6, 2090},
        {3, 10, 0, 0, 1, 253, 260},
        {5, 10, 0, 0, 1, 253, 260},
    }));
    run.Interval(March(1), March(5, 23, 59));
    EXPECT_LT(run.Run(), 20);
    ASSERT_TRUE(run.engine->Completed());
    const TReportMeasure m = run.Report().Measure(MeasureEvents);
    ASSERT_FALSE(m.Windows.empty());
    for (const TWindowResult& w : m.Windows) EXPECT_LE(w.Day, March(3));
    EXPECT_EQ(m.Summary.Records, 4);
}

// A trend measure without a record in the interval is not judged and stays out of the report;
// events without an event in the interval pass.
TEST(AnalysisEngine, EmptyIntervalLeavesTrendsOutAndPassesEvents)
{
    AnalysisRun run;
    run.Select(MeasureVoltage, WriteVoltage(run.dir / "n.vme", kDay));
    run.Select(MeasureEvents, WriteEvents(run.dir / "n.ale", {{1, 10, 0, 0, 1, 253, 260}}));
    run.Interval(March(10), March(12, 23, 59));
    run.Run();
    ASSERT_TRUE(run.engine->Completed());
    EXPECT_FALSE(run.engine->Result(MeasureVoltage).Analysed);
    EXPECT_EQ(run.engine->Result(MeasureVoltage).PanelColours[0], kNotAnalysedColour);
    EXPECT_TRUE(run.engine->Result(MeasureEvents).Passed);
    EXPECT_TRUE(run.engine->Passed());
    const TAnalysisReport report = run.Report();
    EXPECT_FALSE(report.Measure(MeasureVoltage).HasSummary);
    EXPECT_TRUE(report.Measure(MeasureEvents).HasSummary);
    EXPECT_EQ(report.Measure(MeasureEvents).Summary.Records, 0);
    EXPECT_FALSE(report.Measure(MeasureEvents).HasWindows);
}

// Abort while the events run: the run ends at once; the voltage's files, finished before, stay
// for the next analysis to delete, the events' are never written.
TEST(AnalysisEngine, AbortEndsTheRunMidWay)
{
    AnalysisRun run;
    run.Select(MeasureVoltage, WriteVoltage(run.dir / "a.vme", 3 * kDay));
    run.Select(MeasureEvents, WriteEvents(run.dir / "a.ale", {{1, 10, 0, 0, 1, 253, 260}, {3, 10, 0, 0, 1, 253, 260}}));
    run.Interval(March(1), March(3, 23, 59));
    TAnalysisEngine& engine = run.Engine();
    while (engine.StatusText() != "processing Events") ASSERT_TRUE(engine.Step());
    engine.Abort();
    EXPECT_TRUE(engine.Finished());
    EXPECT_FALSE(engine.Completed());
    EXPECT_FALSE(engine.Step());
    EXPECT_TRUE(FileExists(run.dir / "volt.sta"));
    EXPECT_TRUE(FileExists(run.dir / "volt.bar"));
    EXPECT_FALSE(FileExists(run.dir / "events.sta"));
    EXPECT_TRUE(run.messages.messages.empty());
}

// Files that end the run with one message, leaving no temporary file of the measure.
TEST(AnalysisEngine, CorruptFilesEndTheRunWithOneMessage)
{
    struct Case {
        const char* what;
        std::function<std::string(const std::string& folder)> write;
        int measure;
        std::string message;
    };
    const std::string harmonicsCorrupt = "Voltage Harmonics survey is corrupted. Unable to open the file.";
    auto harmonics = [](int blockCount, int order) {
        return [blockCount, order](const std::string& folder) {
            HarmonicsRecordFields h;
            h.blocks = {{.flags = 2, .order = order, .phases = {}}};
            h.blockCount = blockCount;
            return WriteRecordSeries(folder + "c.hme", 4, HarmonicsRecord(h), March(1), kTenMinutes, kDay);
        };
    };
    const Case cases[] = {
        {"52 harmonic blocks", harmonics(52, 2), MeasureVoltageHarmonics, harmonicsCorrupt},
        {"harmonic order 51", harmonics(1, 51), MeasureVoltageHarmonics, harmonicsCorrupt},
        {"voltage without averages",
         [](const std::string& folder) {
             TrendRecordFields r;
             r.flags = 4;
             return WriteRecordSeries(folder + "c.vme", 1, TrendRecord(1, r), March(1), kTenMinutes, kDay);
         },
         MeasureVoltage, "Voltage survey holds no average values. Unable to analyse the file."},
        {"a stamp that does not decode",
         [](const std::string& folder) {
             // Record 7 of 144, never probed by the interval searches, dated month 13.
             return WriteVoltage(folder + "c.vme", kDay, [](std::int64_t i, std::uint8_t* r) {
                 if (i == 7) r[3] = 13;
             });
         },
         MeasureVoltage, "Voltage survey is corrupted. Unable to read the file."},
    };
    for (const Case& c : cases) {
        AnalysisRun run;
        run.Select(c.measure, c.write(run.dir.Path()));
        run.Interval(March(1), March(1, 23, 59));
        run.Run();
        EXPECT_TRUE(run.engine->Finished()) << c.what;
        EXPECT_FALSE(run.engine->Completed()) << c.what;
        EXPECT_EQ(run.messages.Texts(), (std::vector<std::string>{c.message})) << c.what;
        EXPECT_FALSE(FileExists(run.dir / std::string(AnalysisStaFileNames[static_cast<std::size_t>(c.measure)]))) << c.what;
    }
}

// A data file cut short while the run reads it (one byte short of what its header counts):
// the records it still holds are not judged as if they were the interval, the run ends with one
// message and writes nothing.
TEST(AnalysisEngine, FileCutShortWhileRunningEndsTheRunWithOneMessage)
{
    AnalysisRun run;
    const std::string path = WriteVoltage(run.dir / "cut.vme", 70 * kDay);  // two chunks of records
    run.Select(MeasureVoltage, path);
    run.Interval(March(1), March(1) + 70);
    TAnalysisEngine& engine = run.Engine();
    ASSERT_TRUE(engine.Step());  // the file is open, its first chunk read
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
    while (engine.Step()) {}
    EXPECT_FALSE(engine.Completed());
    EXPECT_EQ(run.messages.Texts(), (std::vector<std::string>{"Voltage survey is corrupted. Unable to read the file."}));
    EXPECT_FALSE(FileExists(run.dir / std::string(AnalysisStaFileNames[MeasureVoltage])));
}

// A voltage or frequency file whose first record carries a nominal of 0, infinity or NaN, or one
// so large that its band leaves single range, is corrupt: the bands built from it would hold
// every value (or none), and a damaged file would pass. The run ends before any record is read.
TEST(AnalysisEngine, ZeroOrNonFiniteNominalIsACorruptFile)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    for (int measure : {MeasureVoltage, MeasureFrequency}) {
        for (float nominal : {0.0f, -0.0f, kInf, -kInf, std::numeric_limits<float>::quiet_NaN(), 3.4e38f}) {
            AnalysisRun run;
            TrendRecordFields r;
            r.nominal = nominal;
            r.period = measure == MeasureFrequency ? 600 : 10;
            r.phases = {{.values = {225, 230, 235}}};
            run.Select(measure, WriteRecordSeries(run.dir / "n.dat", measure, TrendRecord(measure, r), March(1),
                                                  kTenMinutes, kDay));
            run.Interval(March(1), March(1, 23, 59));
            run.Run();
            EXPECT_FALSE(run.engine->Completed()) << measure << " " << nominal;
            EXPECT_FALSE(run.engine->Passed() && run.engine->Result(measure).Analysed) << measure << " " << nominal;
            EXPECT_EQ(run.messages.Texts(), (std::vector<std::string>{SurveyCorruptedMessage(measure)}))
                << measure << " " << nominal;
            EXPECT_FALSE(FileExists(run.dir / std::string(AnalysisStaFileNames[static_cast<std::size_t>(measure)])));
        }
    }
    // The largest nominal whose bands stay finite is analysed.
    AnalysisRun run;
    TrendRecordFields r;
    r.nominal = 3.0e38f;
    r.period = 10;
    r.phases.assign(3, {.values = {3.0e38f, 3.0e38f, 3.0e38f}});
    run.Select(MeasureVoltage, WriteRecordSeries(run.dir / "n.vme", 1, TrendRecord(1, r), March(1), kTenMinutes, kDay));
    run.Interval(March(1), March(1, 23, 59));
    run.Run();
    EXPECT_TRUE(run.engine->Completed());
    EXPECT_TRUE(run.engine->Passed());
    EXPECT_TRUE(run.messages.Texts().empty());
}

// A temporary folder that cannot be written ends the run with one message.
TEST(AnalysisEngine, UnwritableTemporaryFileEndsTheRunWithOneMessage)
{
    AnalysisRun run;
    run.Select(MeasureVoltage, WriteVoltage(run.dir / "w.vme", kDay));
    run.Interval(March(1), March(1, 23, 59));
    TAnalysisEngine engine(run.survey, run.params, run.dir / "missing");
    while (engine.Step()) {}
    EXPECT_FALSE(engine.Completed());
    EXPECT_EQ(run.messages.Texts(), (std::vector<std::string>{"Unable to write the temporary file " + run.dir / "missing/volt.sta" +
                                                              ". The analysis has stopped."}));
}
