// Each measure's workbook from a fixture survey with known values, exported as Excel 5.0 (read
// back with xlrd) and as text: the information block, the column titles, and every value
// against what the fixture wrote.
#include "export/events_rows.h"
#include "export_run.h"
#include "fixtures/data_fixture.h"
#include "../sheet/xlrd_check.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {
// 15/03/2024 10:00, the fixtures' default record time.
double Ten() { return FixtureTime(2024, 3, 15, 10, 0); }
constexpr double kMinute = 1.0 / 1440.0;

// printf's rounding, independent of the program's number texts.
std::string Fixed(double v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

FixtureStamp At(int hour, int minute, int second = 0, int hundredths = 0, int day = 15)
{
    return {2024, 3, day, hour, minute, second, hundredths};
}

// Exports `measure` in both formats and checks the cells in each; the export must complete
// with the success message.
void ExpectBothFormats(ExportRun& run, int measure, const std::vector<ExpectedCell>& cells)
{
    for (ExportFormat format : {ExportExcel5, ExportText}) {
        run.SetFormat(format);
        run.messages.Clear();
        auto exporter = run.Run();
        EXPECT_TRUE(exporter->Completed());
        EXPECT_EQ(run.messages.Texts(), std::vector<std::string>{"Export completed successfully."});
        ExpectCells(run.Workbook(measure), format, cells);
    }
}

std::vector<ExpectedCell> Joined(std::vector<ExpectedCell> a, const std::vector<ExpectedCell>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<std::string> kStatistics = {"Minimum",            "Average",            "Maximum",
                                              "Min Percentile 90%", "Max Percentile 90%", "Min Percentile 95%",
                                              "Max Percentile 95%", "Min Percentile 99%", "Max Percentile 99%"};
}  // namespace

TEST(MeasureExports, VoltageAllStatisticsOfThreePhasesArePhaseMajor)
{
    ExportRun run;
    // Value of record r, phase p, statistic s: 200 + 100 r + 10 p + s + 0.25.
    auto value = [](int r, int p, int s) { return 200.0 + 100 * r + 10 * p + s + 0.25; };
    std::vector<Bytes> records;
    for (int r = 0; r < 2; ++r) {
        TrendRecordFields f;
        f.time = At(10, r);
        f.flags = 2 | 4 | 8 | 16 | 32;
        for (int p = 0; p < 3; ++p) {
            PhaseBlockFields block;
            auto v = [&](int s) { return static_cast<float>(value(r, p, s)); };
            block.values = {v(0), v(1), v(2)};
            block.percentiles = {v(3), v(4), v(5), v(6), v(7), v(8)};
            f.phases.push_back(block);
        }
        records.push_back(TrendRecord(1, f));
    }
    run.Add(1, WriteDataFile(run.dir / "feeder.vme", records));
    run.SetInterval(Ten(), Ten() + kMinute);
    run.params.Measure(1).Items.fill(true);
    run.params.Measure(1).Phases = {true, true, true};

    std::vector<std::string> titles;
    for (const char* phase : {"L1", "L2", "L3"})
        for (const std::string& stat : kStatistics) titles.push_back(std::string(phase) + " - " + stat);
    EXPECT_EQ(titles[15], "L2 - Max Percentile 95%");
    std::vector<ExpectedCell> cells = Joined(HeaderCells("Voltage", "15/03/2024 10:00", "15/03/2024 10:01", 2), TitleCells(titles));
    for (int r = 0; r < 2; ++r) {
        cells.push_back({14 + r, 2, r == 0 ? "15/03/2024 10:00" : "15/03/2024 10:01"});
        for (int p = 0; p < 3; ++p)
            for (int s = 0; s < 9; ++s) cells.push_back({14 + r, 3 + 9 * p + s, Fixed(value(r, p, s), 2)});
    }
    cells.push_back({13, 30, ""});
    cells.push_back({16, 2, ""});
    ExpectBothFormats(run, 1, cells);
}

TEST(MeasureExports, VoltagePhasesASinglePhaseFileLacksStayEmpty)
{
    ExportRun run;
    TrendRecordFields f;
    f.wiring = 1;
    f.phases = {{.values = {220.5f, 230.25f, 240.75f}}};
    run.Add(1, WriteDataFile(run.dir / "feeder.vme", {TrendRecord(1, f)}));
    run.SetInterval(Ten(), Ten());
    run.params.Measure(1).Items[1] = true;
    run.params.Measure(1).Phases = {true, true, false};
    ExpectBothFormats(run, 1,
                      Joined(TitleCells({"L1 - Average", "L2 - Average"}), {{14, 3, "230.25"}, {14, 4, ""}}));
}

TEST(MeasureExports, FrequencyShowsSecondsAndHasNoPhaseColumns)
{
    ExportRun run;
    TrendRecordFields f;
    f.time = At(10, 0, 30);  // the seconds word at +12 holds 30 x 256
    f.phases = {{.values = {49.75f, 50.0f, 50.25f}}};
    run.Add(2, WriteDataFile(run.dir / "feeder.hze", {TrendRecord(2, f)}));
    run.SetInterval(Ten(), Ten());
    run.params.Measure(2).Items = {true, true, true};
    run.params.Measure(2).Phases = {true, true, true};
    ExpectBothFormats(run, 2,
                      Joined(Joined(HeaderCells("Frequency", "15/03/2024 10:00", "15/03/2024 10:00", 1),
                                    TitleCells({"Minimum", "Average", "Maximum"})),
                             {{14, 2, "15/03/2024 10:00:30"}, {14, 3, "49.75"}, {14, 4, "50.00"}, {14, 5, "50.25"}, {14, 6, ""}}));
}

TEST(MeasureExports, UnbalanceStatisticsByTheirGroups)
{
    ExportRun run;
    TrendRecordFields f;
    f.flags = 2 | 4;
    f.phases = {{.values = {0.5f, 0.75f, 1.0f}, .percentiles = {0.25f, 1.25f}}};
    run.Add(3, WriteDataFile(run.dir / "feeder.une", {TrendRecord(3, f)}));
    run.SetInterval(Ten(), Ten());
    run.params.Measure(3).Items[1] = true;
    run.params.Measure(3).Items[4] = true;
    ExpectBothFormats(run, 3,
                      Joined(TitleCells({"Average", "Max Percentile 90%"}),
                             {{8, 4, "Unbalance"}, {14, 2, "15/03/2024 10:00"}, {14, 3, "0.75"}, {14, 4, "1.25"}}));
}

TEST(MeasureExports, VoltageHarmonicsFindEachOrdersBlockAndReadItByItsOwnFlags)
{
    ExportRun run;
    // Block b (orders 0, 3, 5), phase p: average b x 10 + p + 1.125, min percentile 90 % b x 10 + p + 0.5.
    // The order-5 block holds no percentiles.
    HarmonicsRecordFields f;
    const int orders[] = {0, 3, 5};
    for (int b = 0; b < 3; ++b) {
        HarmonicBlockFields block;
        block.order = orders[b];
        block.flags = b == 2 ? 2 : 2 | 4 | 0x100;
        for (int p = 0; p < 3; ++p) {
            const float base = static_cast<float>(10 * b + p);
            block.phases.push_back({.values = {base + 0.25f, base + 1.125f, base + 2.375f}, .percentiles = {base + 0.5f, base + 3.0f}});
        }
        f.blocks.push_back(block);
    }
    run.Add(4, WriteDataFile(run.dir / "feeder.hme", {HarmonicsRecord(f)}));
    run.SetInterval(Ten(), Ten());
    run.params.Measure(4).Items[1] = true;
    run.params.Measure(4).Items[3] = true;
    run.params.Measure(4).Phases = {true, true, false};
    run.params.VoltageChosen = {0, 5};
    run.params.VoltageChosenCount = 2;
    ExpectBothFormats(
        run, 4,
        Joined(TitleCells({"Thd - L1 - Average", "Thd - L1 - Min Percentile 90%", "Thd - L2 - Average",
                           "Thd - L2 - Min Percentile 90%", "5th - L1 - Average", "5th - L1 - Min Percentile 90%",
                           "5th - L2 - Average", "5th - L2 - Min Percentile 90%"}),
               {{8, 4, "Voltage Harmonics"}, {14, 3, "1.125"}, {14, 4, "0.500"}, {14, 5, "2.125"}, {14, 6, "1.500"},
                {14, 7, "21.125"}, {14, 8, ""}, {14, 9, "22.125"}, {14, 10, ""}}));
}

TEST(MeasureExports, CurrentHarmonicsGivePercentAndAmperePerStatistic)
{
    ExportRun run;
    CurrentHarmonicsRecordFields f;
    for (int index : {1, 2, 4}) {
        CurrentHarmonicBlockFields block;
        block.index = index;
        for (int p = 0; p < 3; ++p) {
            const float base = static_cast<float>(10 * index + p);
            block.phases.push_back({.maxPercent = base + 0.25f, .maxAmpere = base + 0.5f});
        }
        f.blocks.push_back(block);
    }
    run.Add(9, WriteDataFile(run.dir / "feeder.hmi", {CurrentHarmonicsRecord(f)}));
    run.SetInterval(Ten(), Ten());
    run.params.Measure(9).Items[2] = true;
    run.params.Measure(9).Phases = {true, false, true};
    run.params.CurrentChosen = {1, 4};
    run.params.CurrentChosenCount = 2;
    ExpectBothFormats(run, 9,
                      Joined(TitleCells({"DC - L1 - Maximum(%)", "DC - L1 - Maximum(A)", "DC - L3 - Maximum(%)",
                                         "DC - L3 - Maximum(A)", "3rd - L1 - Maximum(%)", "3rd - L1 - Maximum(A)",
                                         "3rd - L3 - Maximum(%)", "3rd - L3 - Maximum(A)"}),
                             {{8, 4, "Current Harmonics"}, {14, 3, "10.250"}, {14, 4, "10.500"}, {14, 5, "12.250"},
                              {14, 6, "12.500"}, {14, 7, "40.250"}, {14, 8, "40.500"}, {14, 9, "42.250"},
                              {14, 10, "42.500"}}));
}

TEST(MeasureExports, FlickerFullAndTwoValueLayouts)
{
    struct Case {
        std::uint8_t mode;
        std::vector<int> items;
        std::vector<std::string> titles;
        std::vector<std::string> values;
    };
    // Phase p, statistic s: 10 p + s + 0.25 (the short layout keeps Pst and Plt only).
    const Case cases[] = {
        {0, {0, 7}, {"L1 - Pst", "L1 - Plt", "L3 - Pst", "L3 - Plt"}, {"0.25", "7.25", "20.25", "27.25"}},
        {2, {7}, {"L1 - Plt", "L3 - Plt"}, {"7.25", "27.25"}},
    };
    for (const Case& c : cases) {
        ExportRun run;
        FlickerRecordFields f;
        f.mode = c.mode;
        for (int p = 0; p < 3; ++p) {
            FlickerPhaseFields phase;
            for (int s = 0; s < 8; ++s) phase.stats[static_cast<std::size_t>(s)] = static_cast<float>(10 * p + s) + 0.25f;
            f.phases.push_back(phase);
        }
        run.Add(5, WriteDataFile(run.dir / "feeder.fle", {FlickerRecord(f)}));
        run.SetInterval(Ten(), Ten());
        for (int i : c.items) run.params.Measure(5).Items[static_cast<std::size_t>(i)] = true;
        run.params.Measure(5).Phases = {true, false, true};
        std::vector<ExpectedCell> cells = TitleCells(c.titles);
        cells.push_back({14, 2, "15/03/2024 10:00"});
        for (std::size_t i = 0; i < c.values.size(); ++i) cells.push_back({14, 3 + static_cast<int>(i), c.values[i]});
        ExpectBothFormats(run, 5, cells);
    }
}

TEST(MeasureExports, PowersAreTotalsAndCurrentsFollowTheirPhase)
{
    ExportRun run;
    std::vector<Bytes> records;
    for (int r = 0; r < 2; ++r) {
        PowerRecordFields f;
        f.time = r == 0 ? At(10, 0) : At(0, 0, 0, 0, 16);
        const float k = static_cast<float>(r);
        f.active = {1000 + k, 1500.5f + k, 2000 + k};
        f.currents = {MinAvgMax{1, 10.25f + k, 20}, MinAvgMax{2, 11.5f + k, 21}, MinAvgMax{3, 12.75f + k, 22}};
        records.push_back(PowerRecord(f));
    }
    run.Add(7, WriteDataFile(run.dir / "feeder.wme", records));
    run.SetInterval(Ten(), FixtureTime(2024, 3, 16, 0, 0));
    run.params.Measure(7).Items[1] = true;
    run.params.Measure(7).Items[10] = true;
    run.params.Measure(7).Phases = {false, true, false};
    ExpectBothFormats(run, 7,
                      Joined(TitleCells({"Avg. Active Power", "L2 - Avg. Current"}),
                             {{8, 4, "Powers and Currents"},
                              {14, 2, "15/03/2024 10:00:00"}, {14, 3, "1500.50"}, {14, 4, "11.50"},
                              {15, 2, "16/03/2024"}, {15, 3, "1501.50"}, {15, 4, "12.50"}}));
}

TEST(MeasureExports, EnergyIsWrittenInWattHours)
{
    ExportRun run;
    EnergyRecordFields f;
    f.perPhase = 0;
    f.totals[0] = 1.5f;
    f.totals[1] = 0.25f;
    f.phaseEnergies = {0.125f, 0, 0, 2.5f, 0, 0};
    run.Add(10, WriteDataFile(run.dir / "feeder.ene", {EnergyRecord(f)}));
    run.SetInterval(Ten(), Ten());
    for (int i : {0, 1, 11, 14}) run.params.Measure(10).Items[static_cast<std::size_t>(i)] = true;
    ExpectBothFormats(run, 10,
                      Joined(TitleCells({"Active Energy Received", "Active Energy Delivered ",
                                         "L1 - Active Energy Received", "L1 - Active Energy Delivered "}),
                             {{8, 4, "Energy"}, {14, 3, "1500.000"}, {14, 4, "250.000"}, {14, 5, "125.000"},
                              {14, 6, "2500.000"}}));
}

TEST(MeasureExports, EventsWithTheListsTextsAndColours)
{
    ExportRun run;
    auto event = [](int type, int channel, FixtureStamp time, float threshold = 0, float peak = 0, int duration = 0) {
        EventRecordFields r;
        r.type = static_cast<std::int16_t>(type);
        r.channel = static_cast<std::int16_t>(channel);
        r.time = time;
        r.threshold = threshold;
        r.peak = peak;
        r.duration = duration;
        return EventRecord(r);
    };
    EventRecordFields harmonic;
    harmonic.type = 1;
    harmonic.channel = 203;
    harmonic.time = At(10, 0, 5);
    harmonic.harmonicThreshold = std::array<std::int16_t, 2>{500, 15};
    const std::vector<Bytes> records = {
        event(1, 0, At(10, 0, 0, 0), 253, 260.5f, 150),       // row
        event(5, 0, At(10, 0, 1)),                            // never a row
        event(2, 1, At(10, 0, 2, 25), 207, 2.0f, 5000),       // an interruption
        event(16, 0, At(10, 0, 3)),                           // system event: counted, no row
        event(1, 8, At(10, 0, 4), 253, 260),                  // L4: no row
        EventRecord(harmonic),                                // current harmonic: no row
        event(33, 151, At(10, 0, 6), 400, 410.25f),           // voltage peak on channel 151
        event(24, 801, At(10, 0, 7, 4)),                      // digital input 2
        event(24, 806, At(10, 0, 8)),                         // not a digital input the export takes
        event(1, 2, At(10, 0, 9), 207.3f, 220, 7),            // threshold as a plain number
    };
    run.Add(6, WriteDataFile(run.dir / "feeder.ale", records));
    run.SetInterval(Ten(), Ten());
    run.params.Measure(6).Items.fill(true);
    run.params.Measure(6).Phases = {true, true, true};
    const std::vector<ExpectedCell> cells = Joined(
        Joined(HeaderCells("Events", "15/03/2024 10:00", "15/03/2024 10:00", 10),
               TitleCells({"Measure", "Type", "Unit", "Threshold", "Peak", "Duration (s.)"})),
        {{14, 2, "15/03/2024 10:00:00.00"}, {14, 3, "L1 Voltage"}, {14, 4, "Over"}, {14, 5, "V"}, {14, 6, "253.00"},
         {14, 7, "260.50"}, {14, 8, "1.50"},
         {15, 2, "15/03/2024 10:00:02.25"}, {15, 3, "L2 Voltage"}, {15, 4, "Interruption"}, {15, 6, "207.00"},
         {15, 7, "2.00"}, {15, 8, "50.00"},
         {16, 2, "15/03/2024 10:00:06.00"}, {16, 3, "L2 Voltage"}, {16, 4, "Peak"}, {16, 5, ""}, {16, 7, "410.25"},
         {17, 2, "15/03/2024 10:00:07.04"}, {17, 3, "Digital input #2"}, {17, 4, "Off-On"},
         {18, 2, "15/03/2024 10:00:09.00"}, {18, 6, "207.30"}, {18, 8, "0.07"},
         {19, 2, ""}});
    ExpectBothFormats(run, 6, cells);

    run.SetFormat(ExportExcel5);
    run.Run();
    const XlrdDump x = CheckWithXlrd(run.Workbook(6));
    EXPECT_EQ(x[x.FontOf(1, 14, 2) + "colour"], "0000ff");  // voltage: blue
    EXPECT_EQ(x[x.FontOf(1, 16, 8) + "colour"], "800080");  // powers channel: purple
    EXPECT_EQ(x[x.FontOf(1, 17, 3) + "colour"], "808080");  // digital input: grey
    EXPECT_EQ(x[x.FontOf(1, 13, 2) + "bold"], "1");
}

TEST(MeasureExports, EventDurationsStayExactBeyondAFloatsWholeNumbers)
{
    ExportRun run;
    run.SetFormat(ExportText);
    EventRecordFields r;
    r.type = 7;
    r.duration = 16777217;  // 2^24 + 1 hundredths: 46 hours of interruption
    run.Add(6, WriteDataFile(run.dir / "feeder.ale", {EventRecord(r)}));
    run.SetInterval(Ten(), Ten());
    run.params.Measure(6).Items.fill(true);
    run.params.Measure(6).Phases = {true, true, true};
    EXPECT_TRUE(run.Run()->Completed());
    ExpectCells(run.Workbook(6), ExportText, {{14, 4, "Interruption"}, {14, 8, "167772.17"}});
}

TEST(EventsFilter, MeasuresPhasesAndTypesAsTicked)
{
    TExportMeasureSel all;
    all.Items.fill(true);
    all.Phases = {true, true, true};
    auto without = [&](std::initializer_list<int> items, std::initializer_list<int> phases = {}) {
        TExportMeasureSel s = all;
        for (int i : items) s.Items[static_cast<std::size_t>(i)] = false;
        for (int p : phases) s.Phases[static_cast<std::size_t>(p)] = false;
        return s;
    };
    auto event = [](int type, int channel) {
        return TEventFields{static_cast<std::int16_t>(type), static_cast<std::int16_t>(channel), 0, 0, 0, 0};
    };
    struct Case { TEventFields e; TExportMeasureSel choices; bool passes; const char* what; };
    const Case cases[] = {
        {event(1, 0), all, true, "over-voltage"},
        {event(1, 0), without({6}), false, "Over unticked"},
        {event(3, 0), without({7}), true, "type 3 needs no type box"},
        {event(8, 1), without({6, 7, 8, 10}), true, "transients need no type box"},
        {event(7, 2), without({10}), false, "Interruption unticked"},
        {event(4, 1), without({8}), false, "Fast Variation unticked"},
        {event(2, 255), without({7}), false, "channel 255 counts as Under"},
        {event(1, 1), without({}, {1}), false, "L2 unticked"},
        {event(24, 801), without({}, {0, 1, 2}), true, "digital inputs pass whatever the phases"},
        {event(24, 806), all, false, "806 is no digital input of the export"},
        {event(24, 801), without({9}), false, "Digital Inputs unticked"},
        {event(16, 0), all, false, "system event"},
        {event(50, 0), all, false, "type 50"},
        {event(1, 8), all, false, "L4 voltage"},
        {event(1, 9), all, false, "channel 9"},
        {event(1, 203), all, false, "current harmonic"},
        {event(1, 1003), all, false, "multi-phase"},
        {event(1, 151), without({5}), false, "Powers && Currents unticked"},
        {event(1, 40), without({3}), false, "Harmonics unticked"},
        {event(1, 6), without({}, {1}), false, "L2 flicker with L2 unticked"},
        {event(1, 3), without({}, {1, 2}), true, "frequency is phase L1"},
    };
    for (const Case& c : cases) EXPECT_EQ(EventPassesFilter(c.e, c.choices), c.passes) << c.what;
}
