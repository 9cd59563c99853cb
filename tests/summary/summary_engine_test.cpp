// The summary engine over small surveys whose results are worked out by hand from the records
// written: a hand-computed voltage interval at percentiles 95 and 100, each other measure's
// value, harmonic blocks, events by category, single-phase surveys, and the faults that end a
// run with nothing written.
#include "summary/summary_engine.h"

#include "fixtures/data_fixture.h"
#include "fixtures/selection_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"

#include <gtest/gtest.h>

#include <bit>

namespace {
constexpr double kMinute = 1.0 / 1440.0;
// Averages of a three-phase voltage record with flags 2 (and of the first harmonic block):
// 18-byte head, then per phase a channel code, minimum, average and maximum (14 bytes).
constexpr std::size_t kL1 = 24, kL2 = 38, kL3 = 52;

double March(int day, int hour = 0, int minute = 0) { return FixtureTime(2024, 3, day, hour, minute); }

void PutFloat(std::uint8_t* record, std::size_t at, float value) { StoreU32(record + at, std::bit_cast<std::uint32_t>(value)); }

Bytes VoltageRecord(float nominal, std::uint16_t wiring = 0)
{
    TrendRecordFields r;
    r.nominal = nominal;
    r.wiring = wiring;
    r.phases = {{.values = {0, 100, 0}}, {.values = {0, 100, 0}}, {.values = {0, 100, 0}}};
    return TrendRecord(1, r);
}

struct SummaryRun {
    TempProgDir dir;
    ScriptedMessages messages;
    TSurveySelection survey;
    TSummaryParams params;
    std::unique_ptr<TSummaryEngine> engine;

    SummaryRun()
    {
        SetDefaultSummaryParams(params);
        survey.Name = "small.orv";
    }
    void Select(int measure, const std::string& path) { SelectMeasureFile(survey, measure, path); }
    void Interval(double start, double stopMinute) { SetInterval(survey, start, stopMinute); }
    std::string Output() const { return dir / "summary.tmp"; }
    // Runs to the end; the results as written in "summary.tmp".
    TSummaryResults Run()
    {
        engine = std::make_unique<TSummaryEngine>(survey, params, Output());
        while (engine->Step()) {
        }
        EXPECT_TRUE(engine->Completed()) << testing::PrintToString(messages.Texts());
        const TSummaryFileRead read = ReadSummaryFile(Output());
        return read.File ? read.File->Results : TSummaryResults{};
    }
    // Runs a summary that must end without writing; its one message.
    std::string RunToFailure()
    {
        engine = std::make_unique<TSummaryEngine>(survey, params, Output());
        while (engine->Step()) {
        }
        EXPECT_TRUE(engine->Finished());
        EXPECT_FALSE(engine->Completed());
        EXPECT_FALSE(FileExists(Output()));
        EXPECT_EQ(messages.messages.size(), 1u);
        return messages.messages.empty() ? "" : messages.messages.back().text;
    }
};

// 265 one-minute records from 10:00 on 1 March: ten before the interval, 250 inside (10:10 to
// 14:19) and five after, the outside ones holding values that would show if they were read.
// Inside, record j (0..249) holds on L1 the value (97 j mod 250) + 1, each of 1..250 once; on L2
// 100 but for twelve records at 130, one at 120, twelve at 70 and one at 80; on L3 100 but for
// one 170 and one 40.
struct HandComputedVoltage : SummaryRun {
    HandComputedVoltage()
    {
        const std::string path =
            WriteRecordSeries(dir / "hand.vme", 1, VoltageRecord(100), March(1, 10, 0), kMinute, 265,
                              [](std::int64_t i, std::uint8_t* r) {
                                  if (i < 10 || i >= 260) {
                                      for (std::size_t at : {kL1, kL2, kL3}) PutFloat(r, at, i < 10 ? 0.0f : 1000.0f);
                                      return;
                                  }
                                  const std::int64_t j = i - 10;
                                  PutFloat(r, kL1, static_cast<float>((97 * j) % 250 + 1));
                                  float l2 = 100;
                                  if (j < 12) l2 = 130;
                                  else if (j == 12) l2 = 120;
                                  else if (j >= 100 && j < 112) l2 = 70;
                                  else if (j == 112) l2 = 80;
                                  PutFloat(r, kL2, l2);
                                  PutFloat(r, kL3, j == 50 ? 170.0f : j == 60 ? 40.0f : 100.0f);
                              });
        Select(1, path);
        Interval(March(1, 10, 10), March(1, 14, 19));
    }
};
}  // namespace

// N = 250 records at 95 %: K = Round(12.5) = 12 (half to even, not 13). With a nominal of 100 V
// the percent deviation is the value less 100.
TEST(SummaryEngine, HandComputedVoltageAtPercentile95)
{
    HandComputedVoltage run;
    run.params.Percentile = 95;
    const TSummaryResults r = run.Run();
    EXPECT_EQ(r.VoltageMin, (TPhaseFloats{-99, -30, -60}));       // 1, 70, 40
    EXPECT_EQ(r.VoltageMax, (TPhaseFloats{150, 30, 70}));         // 250, 130, 170
    EXPECT_EQ(r.VoltageLowPct, (TPhaseFloats{-88, -30, 0}));      // 12th lowest: 12, 70, 100
    EXPECT_EQ(r.VoltageHighPct, (TPhaseFloats{139, 30, 0}));      // 12th highest: 239, 130, 100
    EXPECT_TRUE(run.messages.messages.empty());
}

// At 100 %, K = 0 becomes 1 without a message: the percentile values are the minimum and maximum.
TEST(SummaryEngine, HandComputedVoltageAtPercentile100)
{
    HandComputedVoltage run;
    run.params.Percentile = 100;
    const TSummaryResults r = run.Run();
    EXPECT_EQ(r.VoltageLowPct, (TPhaseFloats{-99, -30, -60}));
    EXPECT_EQ(r.VoltageHighPct, (TPhaseFloats{150, 30, 70}));
    EXPECT_TRUE(run.messages.messages.empty());
}

TEST(SummaryEngine, WritesSurveyAndParametersWithTheResults)
{
    HandComputedVoltage run;
    run.params.LimitsFileName = "/limits/site.lim";
    run.Run();
    const TSummaryFileRead read = ReadSummaryFile(run.Output());
    ASSERT_TRUE(read.File);
    EXPECT_EQ(read.File->Survey, run.survey);
    EXPECT_EQ(read.File->Params, run.params);
}

// Ten records per step, the bar never going back, each measure's bar of its own.
TEST(SummaryEngine, ReadsTenRecordsPerStep)
{
    HandComputedVoltage run;
    TSummaryEngine engine(run.survey, run.params, run.Output());
    ASSERT_TRUE(engine.Step());  // the start
    EXPECT_EQ(engine.CurrentMeasure(), 1);
    EXPECT_EQ(engine.MeasureProgress(1), 0);
    ASSERT_TRUE(engine.Step());
    EXPECT_EQ(engine.MeasureProgress(1), 4);  // 10 of 250
    int steps = 2;
    do {
        ++steps;
    } while (engine.Step());
    EXPECT_EQ(steps, 1 + 25 + 1);  // the start, 25 steps of ten, the writing
    EXPECT_EQ(engine.MeasureProgress(1), 100);
    EXPECT_EQ(engine.MeasureProgress(2), 0);
    EXPECT_TRUE(engine.Completed());
}

TEST(SummaryEngine, VoltageDeviationFromNominal230)
{
    SummaryRun run;
    run.params.Percentile = 100;
    // 253 V is 10 % above 230 V, 207 V 10 % below.
    const std::string path = WriteRecordSeries(run.dir / "v.vme", 1, VoltageRecord(230), March(1), kMinute, 2,
                                               [](std::int64_t i, std::uint8_t* r) {
                                                   for (std::size_t at : {kL1, kL2, kL3}) PutFloat(r, at, i == 0 ? 253.0f : 207.0f);
                                               });
    run.Select(1, path);
    run.Interval(March(1), March(1, 0, 1));
    const TSummaryResults r = run.Run();
    for (std::size_t p = 0; p < 3; ++p) {
        EXPECT_NEAR(r.VoltageMax[p], 10.0f, 1e-4f);
        EXPECT_NEAR(r.VoltageMin[p], -10.0f, 1e-4f);
    }
}

TEST(SummaryEngine, SinglePhaseVoltageFillsOnlyL1)
{
    SummaryRun run;
    run.params.Percentile = 100;
    TrendRecordFields f;
    f.nominal = 100;
    f.wiring = 1;
    f.phases = {{.values = {0, 104, 0}}};
    run.Select(1, WriteRecordSeries(run.dir / "single.vme", 1, TrendRecord(1, f), March(1), kMinute, 3));
    run.Interval(March(1), March(1, 0, 2));
    const TSummaryResults r = run.Run();
    EXPECT_EQ(r.VoltageMax, (TPhaseFloats{4, 0, 0}));
    EXPECT_EQ(r.VoltageLowPct, (TPhaseFloats{4, 0, 0}));
}

// Frequency against its nominal, unbalance and flicker as recorded; unbalance and flicker keep
// only their high end.
TEST(SummaryEngine, FrequencyUnbalanceAndFlicker)
{
    SummaryRun run;
    run.params.Percentile = 90;  // 20 records: K = 2
    TrendRecordFields hz;
    hz.nominal = 50;
    hz.phases = {{.values = {0, 50, 0}}};
    run.Select(2, WriteRecordSeries(run.dir / "f.hze", 2, TrendRecord(2, hz), March(1), kMinute, 20,
                                    [](std::int64_t i, std::uint8_t* r) {
                                        // 49.5 .. 50.45 in steps of 0.05: stored as 49.5 + i / 20.
                                        PutFloat(r, kL1, 49.5f + static_cast<float>(i) / 20.0f);
                                    }));
    TrendRecordFields unb;
    unb.phases = {{.values = {0, 1, 0}}};
    run.Select(3, WriteRecordSeries(run.dir / "u.une", 3, TrendRecord(3, unb), March(1), kMinute, 20,
                                    [](std::int64_t i, std::uint8_t* r) { PutFloat(r, kL1, static_cast<float>(i) / 4.0f); }));
    FlickerRecordFields flk;
    flk.phases = {{}, {}, {}};
    // Plt of phase p: p + i / 8, the full set (mode 0): Plt is the eighth statistic of 32 bytes.
    run.Select(5, WriteRecordSeries(run.dir / "k.fle", 5, FlickerRecord(flk), March(1), kMinute, 20,
                                    [](std::int64_t i, std::uint8_t* r) {
                                        for (std::size_t p = 0; p < 3; ++p)
                                            PutFloat(r, 25 + 32 * p + 28, static_cast<float>(p) + static_cast<float>(i) / 8.0f);
                                    }));
    run.Interval(March(1), March(1, 0, 19));
    const TSummaryResults r = run.Run();
    // 2 % per hertz of 50 Hz: 49.5 Hz is -1 %, the 2nd lowest 49.55 Hz -0.9 %.
    EXPECT_NEAR(r.FrequencyMin, -1.0f, 1e-4f);
    EXPECT_NEAR(r.FrequencyLowPct, -0.9f, 1e-4f);
    EXPECT_NEAR(r.FrequencyHighPct, 0.8f, 1e-4f);  // 50.40 Hz
    EXPECT_NEAR(r.FrequencyMax, 0.9f, 1e-4f);      // 50.45 Hz
    EXPECT_EQ(r.UnbalanceMax, 4.75f);              // 19 / 4
    EXPECT_EQ(r.UnbalanceHighPct, 4.5f);
    EXPECT_EQ(r.FlickerMax, (TPhaseFloats{2.375f, 3.375f, 4.375f}));      // p + 19 / 8
    EXPECT_EQ(r.FlickerHighPct, (TPhaseFloats{2.25f, 3.25f, 4.25f}));     // p + 18 / 8
}

namespace {
// Forty ten-minute harmonics records with blocks of the given orders; block of order o, phase p
// holds the average 10 o + p + j / 4 in record j.
std::string WriteHarmonics(const std::string& path, const std::vector<int>& orders, std::int64_t count)
{
    HarmonicsRecordFields f;
    for (int order : orders) f.blocks.push_back({2, order, {}});
    return WriteRecordSeries(path, 4, HarmonicsRecord(f), March(1), 10 * kMinute, count,
                             [orders](std::int64_t j, std::uint8_t* r) {
                                 for (std::size_t b = 0; b < orders.size(); ++b)
                                     for (std::size_t p = 0; p < 3; ++p)
                                         PutFloat(r, kL1 + 44 * b + 14 * p,
                                                  static_cast<float>(10 * orders[b]) + static_cast<float>(p) +
                                                      static_cast<float>(j) / 4.0f);
                             });
}
}  // namespace

TEST(SummaryEngine, HarmonicsPerOrderAndPhase)
{
    SummaryRun run;
    run.params.Percentile = 95;  // 40 records: K = 2
    run.Select(4, WriteHarmonics(run.dir / "h.hme", {0, 2, 3, 5, 7}, 40));
    run.Interval(March(1), March(1, 6, 30));
    const TSummaryResults r = run.Run();
    for (int o : {0, 2, 3, 5, 7}) {
        const auto order = static_cast<std::size_t>(o);
        for (std::size_t p = 0; p < 3; ++p) {
            const float base = static_cast<float>(10 * o) + static_cast<float>(p);
            EXPECT_EQ(r.HarmonicMin[order][p], base) << o;
            EXPECT_EQ(r.HarmonicLowPct[order][p], base + 0.25f) << o;
            EXPECT_EQ(r.HarmonicHighPct[order][p], base + 9.5f) << o;
            EXPECT_EQ(r.HarmonicMax[order][p], base + 9.75f) << o;
        }
    }
    EXPECT_EQ(r.HarmonicMax[4], (TPhaseFloats{0, 0, 0}));
    EXPECT_EQ(r.HarmonicMax[1], (TPhaseFloats{0, 0, 0}));
}

// THD, 2..50 computes orders 0 and 2 to 25; THD, 1, 2..50 computes 0, 1 and 2 to 24 (25 blocks).
TEST(SummaryEngine, HarmonicsStopAfterTwentyFiveBlocks)
{
    for (bool fundamental : {false, true}) {
        SummaryRun run;
        run.params.Percentile = 100;
        std::vector<int> orders{0};
        for (int o = fundamental ? 1 : 2; o <= 50; ++o) orders.push_back(o);
        run.Select(4, WriteHarmonics(run.dir / "all.hme", orders, 1));
        run.Interval(March(1), March(1));
        const TSummaryResults r = run.Run();
        EXPECT_EQ(r.HarmonicMax[0][0], 0.0f);  // THD: 10 x 0 + 0
        EXPECT_EQ(r.HarmonicMax[1][1], fundamental ? 11.0f : 0.0f);
        EXPECT_EQ(r.HarmonicMax[24][2], 242.0f);
        EXPECT_EQ(r.HarmonicMax[25][0], fundamental ? 0.0f : 250.0f);
    }
}

namespace {
struct EventAt {
    int channel, type;
    float threshold = 0, peak = 0;
    int hour = 10;
};
std::string WriteEvents(const std::string& path, const std::vector<EventAt>& events)
{
    std::vector<Bytes> records;
    int minute = 0;
    for (const EventAt& e : events) {
        EventRecordFields f;
        f.type = static_cast<std::int16_t>(e.type);
        f.threshold = e.threshold;
        f.peak = e.peak;
        f.channel = static_cast<std::int16_t>(e.channel);
        f.time = {2024, 3, 1, e.hour, minute++, 0, 0};
        records.push_back(EventRecord(f));
    }
    return WriteDataFile(path, records);
}
}  // namespace

TEST(SummaryEngine, EventsCountedBySummaryCategoryAndPhase)
{
    SummaryRun run;
    run.Select(6, WriteEvents(run.dir / "e.ale",
                              {
                                  {0, 1, 0, 0, 9},     // before the interval: not counted
                                  {0, 4},              // rapid change, L1
                                  {1, 5},              // rapid change, L2
                                  {2, 1},              // over-voltage, L3
                                  {1, 3, 207, 2.0f},   // a dip to 1/90 or less: interruption, L2
                                  {1, 3, 207, 2.4f},   // under-voltage, L2
                                  {0, 2, 207, 200},    // under-voltage, L1
                                  {3, 1},              // over-frequency, L1
                                  {3, 2},              // under-frequency, L1
                                  {4, 1},              // over-unbalance, L1
                                  {6, 1},              // over-flicker, L2
                                  {14, 1},             // over-harmonic: (14 - 10) mod 3 = 1, L2
                                  {0, 6},              // no category
                                  {0, 9},              // voltage types from 8 on are not counted
                                  {3, 7},              // no category
                                  {5, 16},             // a system event
                                  {8, 1},              // L4 voltage: never counted
                                  {150, 1},            // powers: never counted
                              }));
    run.Interval(March(1, 10, 1), March(1, 10, 17));
    const TSummaryResults r = run.Run();
    using C = std::array<std::int32_t, 3>;
    EXPECT_EQ(r.EventCounts[SummaryRapidChanges], (C{1, 1, 0}));
    EXPECT_EQ(r.EventCounts[SummaryOverVoltages], (C{0, 0, 1}));
    EXPECT_EQ(r.EventCounts[SummaryUnderVoltages], (C{1, 1, 0}));
    EXPECT_EQ(r.EventCounts[SummaryOverFrequencies], (C{1, 0, 0}));
    EXPECT_EQ(r.EventCounts[SummaryUnderFrequencies], (C{1, 0, 0}));
    EXPECT_EQ(r.EventCounts[SummaryOverUnbalance], (C{1, 0, 0}));
    EXPECT_EQ(r.EventCounts[SummaryOverHarmonics], (C{0, 1, 0}));
    EXPECT_EQ(r.EventCounts[SummaryOverFlicker], (C{0, 1, 0}));
    EXPECT_EQ(r.EventCounts[SummaryInterruptions], (C{0, 1, 0}));
}

TEST(SummaryEngine, NoEventsInTheIntervalCountsNothing)
{
    SummaryRun run;
    run.Select(6, WriteEvents(run.dir / "e.ale", {{0, 1}, {1, 1}}));
    run.Interval(March(2), March(2, 1, 0));
    const TSummaryResults r = run.Run();
    EXPECT_EQ(r.EventCounts, TSummaryResults{}.EventCounts);
}

// Percentile 95 over 10 records: K = Round(0.5) = 0, so the run ends with the message that asks
// for 20 records; 11 records give K = 1 and no message.
TEST(SummaryEngine, TooFewRecordsForThePercentile)
{
    SummaryRun run;
    run.Select(1, WriteRecordSeries(run.dir / "v.vme", 1, VoltageRecord(230), March(1), kMinute, 11));
    run.Interval(March(1), March(1, 0, 9));
    EXPECT_EQ(run.RunToFailure(),
              "Not enough Voltage records.\nRecords number : 10.\nRequired:  20.\nCannot build table summary.\n"
              "Deselect voltage measure and retry.");
    EXPECT_EQ(run.messages.messages[0].type, MsgType::Warning);
    EXPECT_EQ(run.messages.messages[0].buttons, MbAbort);

    SummaryRun eleven;
    eleven.Select(1, WriteRecordSeries(eleven.dir / "v.vme", 1, VoltageRecord(230), March(1), kMinute, 11));
    eleven.Interval(March(1), March(1, 0, 10));
    eleven.Run();
    EXPECT_TRUE(eleven.messages.messages.empty());
}

// No record inside the interval (here one that stops before it starts) is N = 0.
TEST(SummaryEngine, EmptyIntervalEndsWithTheRecordsMessage)
{
    SummaryRun run;
    run.params.Percentile = 90;
    TrendRecordFields unb;
    run.Select(3, WriteRecordSeries(run.dir / "u.une", 3, TrendRecord(3, unb), March(1), kMinute, 30));
    run.Interval(March(1, 0, 20), March(1, 0, 10));
    EXPECT_EQ(run.RunToFailure(),
              "Not enough Unbalance records.\nRecords number : 0.\nRequired:  10.\nCannot build table summary.\n"
              "Deselect unbalance measure and retry.");
}

TEST(SummaryEngine, ZeroOrNonFiniteNominalIsACorruptFile)
{
    for (float nominal : {0.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        SummaryRun run;
        TrendRecordFields hz;
        hz.nominal = nominal;
        run.Select(2, WriteRecordSeries(run.dir / "f.hze", 2, TrendRecord(2, hz), March(1), kMinute, 30));
        run.Interval(March(1), March(1, 0, 29));
        EXPECT_EQ(run.RunToFailure(), "Frequency survey is corrupted. Unable to open the file.") << nominal;
    }
}

TEST(SummaryEngine, FaultsEndTheRunWithNothingWritten)
{
    {
        // The first record lacks the minimum, average and maximum values.
        SummaryRun run;
        TrendRecordFields f;
        f.flags = 4;
        f.nominal = 230;
        run.Select(1, WriteRecordSeries(run.dir / "v.vme", 1, TrendRecord(1, f), March(1), kMinute, 30));
        run.Interval(March(1), March(1, 0, 29));
        EXPECT_EQ(run.RunToFailure(), "Voltage survey holds no average values. Unable to analyse the file.");
    }
    {
        // The data file went missing after the wizard read it.
        SummaryRun run;
        const std::string path = WriteRecordSeries(run.dir / "v.vme", 1, VoltageRecord(230), March(1), kMinute, 30);
        run.Select(1, path);
        DeleteFile(path);
        run.Interval(March(1), March(1, 0, 29));
        EXPECT_EQ(run.RunToFailure(), "Voltage survey is corrupted. Unable to open the file.");
    }
    struct StampPatch {
        std::uint64_t at;  // in the record
        Bytes bytes;
    };
    for (const StampPatch& patch : {StampPatch{5, {24}}, StampPatch{0, {0xE7, 0x07, 29, 2}}}) {
        // A stamp that does not decode inside the interval, in the reader's third chunk: hour 24
        // on the date of the records before, or 29/02/2023.
        SummaryRun run;
        const std::string path = WriteRecordSeries(run.dir / "v.vme", 1, VoltageRecord(230), March(1), kMinute, 20000);
        PatchFile(path, 8 + 60 * std::uint64_t(19000) + patch.at, patch.bytes);
        run.Select(1, path);
        run.Interval(March(1), March(20));
        EXPECT_EQ(run.RunToFailure(), "Voltage survey is corrupted. Unable to read the file.");
    }
    {
        // A percentile outside 90 to 100 reaching the engine.
        HandComputedVoltage run;
        run.params.Percentile = 101;
        EXPECT_EQ(run.RunToFailure(), "Percentile must be a whole number from 90 to 100 %");
    }
    {
        // A summary file that cannot be written: its folder is missing.
        HandComputedVoltage run;
        TSummaryEngine engine(run.survey, run.params, run.dir / "missing/summary.tmp");
        while (engine.Step()) {
        }
        EXPECT_FALSE(engine.Completed());
        EXPECT_TRUE(run.messages.Shown("Unable to write the survey summary file " + run.dir.Path() +
                                       "missing/summary.tmp."));
    }
}

TEST(SummaryEngine, AbortEndsWithoutWriting)
{
    HandComputedVoltage run;
    TSummaryEngine engine(run.survey, run.params, run.Output());
    engine.Step();
    engine.Step();
    engine.Abort();
    EXPECT_EQ(engine.MeasureProgress(1), 4);  // the bar stays where it was
    EXPECT_TRUE(engine.Finished());
    EXPECT_FALSE(engine.Step());
    EXPECT_FALSE(engine.Completed());
    EXPECT_FALSE(FileExists(run.Output()));
}

// 30000 records: the steps run across the reader's chunks and the kept values are cut back
// more than once. At 95 %, K = 1500. L1 holds 7919 i mod 30000 (each of 0..29999 once), L2
// i mod 17 (0..11 each 1765 times, 12..16 each 1764 times), L3 i / 4; the nominal is 100 V, so
// each percent is the value less 100.
TEST(SummaryEngine, LongIntervalAcrossChunksAndCuts)
{
    SummaryRun run;
    const std::string path = WriteRecordSeries(run.dir / "long.vme", 1, VoltageRecord(100), March(1), kMinute, 30000,
                                               [](std::int64_t i, std::uint8_t* r) {
                                                   PutFloat(r, kL1, static_cast<float>((7919 * i) % 30000));
                                                   PutFloat(r, kL2, static_cast<float>(i % 17));
                                                   PutFloat(r, kL3, static_cast<float>(i) / 4.0f);
                                               });
    run.Select(1, path);
    run.Interval(March(1), March(1) + 29999 * kMinute);
    const TSummaryResults r = run.Run();
    EXPECT_EQ(r.VoltageMin, (std::array<float, 3>{-100.0f, -100.0f, -100.0f}));
    EXPECT_EQ(r.VoltageMax, (std::array<float, 3>{29899.0f, -84.0f, 7399.75f}));
    EXPECT_EQ(r.VoltageLowPct, (std::array<float, 3>{1399.0f, -100.0f, 274.75f}));
    EXPECT_EQ(r.VoltageHighPct, (std::array<float, 3>{28400.0f, -84.0f, 7025.0f}));
}
