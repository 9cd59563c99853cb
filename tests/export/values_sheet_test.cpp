// The values sheet's job on fixture data files: the titles and rows of each view kind against
// the values the fixture wrote, the period's bounds, the 16000-row limit, the harmonics picker,
// the column limit, and the ends without a sheet.
#include "export/export_sheet.h"
#include "export/values_sheet.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"
#include "survey/text_tables.h"
#include "../sheet/xlrd_check.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
constexpr double kMinute = 1.0 / 1440.0;
double At(int hour, int minute) { return FixtureTime(2024, 3, 15, hour, minute); }
FixtureStamp Stamp(int hour, int minute, int second = 0) { return {2024, 3, 15, hour, minute, second, 0}; }

struct ValuesRun {
    TempProgDir dir;
    ScriptedMessages messages;
    TF1Book book;
    TValuesSheetRequest request;
    // The picker's answer (nothing: Cancel), and what it was offered.
    std::optional<std::vector<std::uint16_t>> harmonics;
    std::vector<THarmonicOffer> offers;
    int steps = 0;

    // The sheet of `kind` on `records`, over [start, stop minute + 59.999 s].
    void Use(int kind, const std::vector<Bytes>& records, double start, double stopMinute)
    {
        UseFile(kind, WriteDataFile(dir / "feeder.dat", records), start, stopMinute);
    }
    void UseFile(int kind, const std::string& path, double start, double stopMinute)
    {
        request.Kind = kind;
        request.SurveyName = "feeder.orv";
        ASSERT_TRUE(ReadMeasureFileInfo(path, kind, request.FileInfo));
        request.Start = start;
        request.Stop = stopMinute + kStopMinuteExtraDays;
    }
    std::unique_ptr<TValuesSheetJob> Run()
    {
        auto job = std::make_unique<TValuesSheetJob>(book, request, [this](const THarmonicOffer& offer) {
            offers.push_back(offer);
            return harmonics;
        });
        for (steps = 0; steps < 100000 && job->Step(); ++steps) {
        }
        EXPECT_TRUE(job->Finished());
        return job;
    }
    // Row `row` from the date column to the last value column.
    std::vector<std::string> Row(int row) const
    {
        std::vector<std::string> cells;
        for (int c = kValuesDateColumn; c <= book.SheetAt(1).LastCol(); ++c) cells.push_back(book.CellText(row, c));
        return cells;
    }
};

std::vector<std::string> Prefixed(const std::string& prefix, const std::vector<std::string>& names)
{
    std::vector<std::string> out;
    for (const std::string& n : names) out.push_back(prefix + n);
    return out;
}
std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const std::vector<std::string> kMinAvgMax = {"Minimum", "Average", "Maximum"};

// A three-phase record of flags 2: phase p's minimum, average and maximum are base + 10 p + 0, 1, 2.
TrendRecordFields ThreePhaseTrend(FixtureStamp time, float base, std::uint16_t wiring = 0)
{
    TrendRecordFields f;
    f.time = time;
    f.wiring = wiring;
    for (int p = 0; p < 3; ++p) {
        const float b = base + 10.0f * static_cast<float>(p);
        f.phases.push_back({.values = {b, b + 1, b + 2}});
    }
    return f;
}

struct KindCase {
    const char* what;
    int kind;
    std::vector<Bytes> records;  // two, at 10:00 and 10:01 (frequency: 10:00:30 and 10:01:15)
    std::optional<std::vector<std::uint16_t>> harmonics;
    std::vector<std::string> titles;
    std::vector<std::string> row3, row4;  // date, then the values
};

std::vector<KindCase> KindCases()
{
    std::vector<KindCase> cases;
    {
        // Single phase, flags 2 and 8: the three statistics and the 95 % pair, for L1 only.
        std::vector<Bytes> records;
        for (int r = 0; r < 2; ++r) {
            TrendRecordFields f;
            f.time = Stamp(10, r);
            f.wiring = 1;
            f.flags = 2 | 8;
            const float b = 220.0f + static_cast<float>(r);
            f.phases = {{.values = {b, b + 0.25f, b + 0.5f}, .percentiles = {0, 0, b + 0.2f, b + 0.4f}}};
            records.push_back(TrendRecord(1, f));
        }
        cases.push_back({"voltage", MeasureVoltage, records, std::nullopt,
                         Prefixed("L1 - ", {"Minimum", "Average", "Maximum", "Min Percentile 95%", "Max Percentile 95%"}),
                         {"15/03/2024 10:00", "220.00", "220.25", "220.50", "220.20", "220.40"},
                         {"15/03/2024 10:01", "221.00", "221.25", "221.50", "221.20", "221.40"}});
    }
    cases.push_back({"frequency carries the record's seconds", MeasureFrequency,
                     {TrendRecord(2, ThreePhaseTrend(Stamp(10, 0, 30), 49.5f)),
                      TrendRecord(2, ThreePhaseTrend(Stamp(10, 1, 15), 49.75f))},
                     std::nullopt, kMinAvgMax,
                     {"15/03/2024 10:00:30", "49.50", "50.50", "51.50"},
                     {"15/03/2024 10:01:15", "49.75", "50.75", "51.75"}});
    cases.push_back({"unbalance shows :00 seconds", MeasureUnbalance,
                     {TrendRecord(3, ThreePhaseTrend(Stamp(10, 0), 0.5f)), TrendRecord(3, ThreePhaseTrend(Stamp(10, 1), 0.25f))},
                     std::nullopt, kMinAvgMax,
                     {"15/03/2024 10:00:00", "0.50", "1.50", "2.50"},
                     {"15/03/2024 10:01:00", "0.25", "1.25", "2.25"}});
    {
        // Orders 0, 3, 5, three phases, flags 2; block b phase p: 10 b + p + 0.125, + 1, + 2.
        std::vector<Bytes> records;
        for (int r = 0; r < 2; ++r) {
            HarmonicsRecordFields f;
            f.time = Stamp(10, r);
            const int orders[] = {0, 3, 5};
            for (int b = 0; b < 3; ++b) {
                HarmonicBlockFields block;
                block.order = orders[b];
                for (int p = 0; p < 3; ++p) {
                    const float v = static_cast<float>(10 * b + p + 100 * r) + 0.125f;
                    block.phases.push_back({.values = {v, v + 1, v + 2}});
                }
                f.blocks.push_back(block);
            }
            records.push_back(HarmonicsRecord(f));
        }
        std::vector<std::string> titles;
        for (const char* order : {"5th", "Thd"})
            for (const char* phase : {"L1", "L2", "L3"})
                titles = Joined(titles, Prefixed(std::string(order) + " - " + phase + " - ", kMinAvgMax));
        // Two harmonics of a three-phase file with flag 2: 2 x 3 x 3 columns, in the picker's order.
        cases.push_back({"voltage harmonics in the order picked", MeasureVoltageHarmonics, records,
                         std::vector<std::uint16_t>{5, 0}, titles,
                         {"15/03/2024 10:00", "20.125", "21.125", "22.125", "21.125", "22.125", "23.125", "22.125",
                          "23.125", "24.125", "0.125", "1.125", "2.125", "1.125", "2.125", "3.125", "2.125", "3.125",
                          "4.125"},
                         {}});
    }
    {
        // Full set, three phases: phase p statistic s is 10 p + s + 0.25.
        std::vector<Bytes> records;
        for (int r = 0; r < 2; ++r) {
            FlickerRecordFields f;
            f.time = Stamp(10, r);
            for (int p = 0; p < 3; ++p) {
                FlickerPhaseFields phase;
                for (int s = 0; s < 8; ++s) phase.stats[static_cast<std::size_t>(s)] = static_cast<float>(10 * p + s + r) + 0.25f;
                f.phases.push_back(phase);
            }
            records.push_back(FlickerRecord(f));
        }
        const std::vector<std::string> stats = {"Pst", "P50s", "P10s", "P3s", "P1s", "P01", "Pmax", "Plt"};
        std::vector<std::string> row = {"15/03/2024 10:00"};
        for (int p = 0; p < 3; ++p)
            for (int s = 0; s < 8; ++s) row.push_back(std::to_string(10 * p + s) + ".25");
        cases.push_back({"flicker", MeasureFlicker, records, std::nullopt,
                         Joined(Joined(Prefixed("L1 - ", stats), Prefixed("L2 - ", stats)), Prefixed("L3 - ", stats)), row,
                         {}});
    }
    {
        // Currents of a single-phase file: their titles once, for L1; dates without seconds.
        std::vector<Bytes> records;
        for (int r = 0; r < 2; ++r) {
            PowerRecordFields f;
            f.time = Stamp(10, r);
            f.wiring = 1;
            f.flags = 2 | 16;
            const float k = static_cast<float>(r);
            f.active = {1000 + k, 1500.5f + k, 2000 + k};
            f.currents = {MinAvgMax{1 + k, 10.25f, 20}};
            records.push_back(PowerRecord(f));
        }
        cases.push_back({"powers then the currents of each phase", MeasurePowers, records, std::nullopt,
                         {"Min. Active Power", "Avg. Active Power", "Max. Active Power", "L1 - Min. Current",
                          "L1 - Avg. Current", "L1 - Max. Current"},
                         {"15/03/2024 10:00", "1000.00", "1500.50", "2000.00", "1.00", "10.25", "20.00"},
                         {"15/03/2024 10:01", "1001.00", "1501.50", "2001.00", "2.00", "10.25", "20.00"}});
    }
    {
        // Indexes 1 (DC) and 4, L1 to L3 with flag 2: percent then ampere of each statistic.
        CurrentHarmonicsRecordFields f;
        f.time = Stamp(10, 0);
        for (int index : {1, 4}) {
            CurrentHarmonicBlockFields block;
            block.index = index;
            for (int p = 0; p < 3; ++p) {
                const float b = static_cast<float>(10 * index + p);
                block.phases.push_back({-1, b, b + 0.5f, b + 1, b + 1.5f, b + 2, b + 2.5f});
            }
            f.blocks.push_back(block);
        }
        std::vector<std::string> titles;
        for (const char* phase : {"L1", "L2", "L3"})
            titles = Joined(titles, Prefixed(std::string("3rd - ") + phase + " - ",
                                             {"Minimum(%)", "Minimum(A)", "Average(%)", "Average(A)", "Maximum(%)", "Maximum(A)"}));
        std::vector<std::string> row = {"15/03/2024 10:00"};
        for (int p = 0; p < 3; ++p)
            for (int v = 0; v < 6; ++v) row.push_back(std::to_string(40 + p + v / 2) + (v % 2 ? ".500" : ".000"));
        cases.push_back({"current harmonics", MeasureCurrentHarmonics, {CurrentHarmonicsRecord(f)},
                         std::vector<std::uint16_t>{4}, titles, row, {}});
    }
    {
        EnergyRecordFields f;
        f.time = Stamp(10, 0);
        f.perPhase = 0;
        for (int i = 0; i < 11; ++i) f.totals[static_cast<std::size_t>(i)] = 0.5f + static_cast<float>(i);
        f.phaseEnergies = {0.125f, 0.25f, 0.375f, 1.5f, 2.5f, 3.5f};
        cases.push_back(
            {"energy in watt hours with its own per-phase titles", MeasureEnergy, {EnergyRecord(f)}, std::nullopt,
             {"Active Energy Received", "Active Energy Delivered ", "Reactive Energy Q1", "Reactive Energy Q2",
              "Reactive Energy Q3", "Reactive Energy Q4", "Apparent Energy Tot.", "Apparent Energy Q1",
              "Apparent Energy Q2", "Apparent Energy Q3", "Apparent Energy Q4", "Active Energy Received L1",
              "Active Energy Received L2", "Active Energy Received L3", "Active Energy Delivered  L1",
              "Active Energy Delivered  L2", "Active Energy Delivered  L3"},
             {"15/03/2024 10:00", "500.000", "1500.000", "2500.000", "3500.000", "4500.000", "5500.000", "6500.000",
              "7500.000", "8500.000", "9500.000", "10500.000", "125.000", "250.000", "375.000", "1500.000", "2500.000",
              "3500.000"},
             {}});
    }
    return cases;
}
}  // namespace

TEST(ValuesSheet, EachViewKindGivesTheTitlesAndValuesOfItsRecords)
{
    for (const KindCase& c : KindCases()) {
        SCOPED_TRACE(c.what);
        ValuesRun run;
        run.harmonics = c.harmonics;
        run.Use(c.kind, c.records, At(10, 0), At(10, 1));
        auto job = run.Run();
        ASSERT_TRUE(job->Completed());
        EXPECT_TRUE(run.messages.Texts().empty()) << testing::PrintToString(run.messages.Texts());
        EXPECT_EQ(run.Row(2), Joined({"Date"}, c.titles));
        EXPECT_EQ(run.Row(3), c.row3);
        if (!c.row4.empty()) {
            EXPECT_EQ(run.Row(4), c.row4);
        }
        EXPECT_EQ(run.book.SheetAt(1).LastRow(), 2 + static_cast<int>(c.records.size()));
        EXPECT_EQ(run.book.SheetName(1), std::string(MeasureName(c.kind)));
        EXPECT_EQ(run.book.TableName(), "feeder.orv");
        // Dates and values are typed: the values arrive as numbers.
        EXPECT_EQ(run.book.SheetAt(1).Find(3, 3)->kind, CellKind::Number);
    }
}

TEST(ValuesSheet, HarmonicsPickerIsOfferedTheFirstRecordsBlocksAndItsCancelClosesQuietly)
{
    const KindCase c = KindCases()[3];
    ValuesRun run;
    run.Use(c.kind, c.records, At(10, 0), At(10, 1));
    auto job = run.Run();
    EXPECT_FALSE(job->Completed());
    EXPECT_TRUE(run.messages.messages.empty());
    EXPECT_EQ(job->RowsWritten(), 0);
    ASSERT_EQ(run.offers.size(), 1u);
    EXPECT_FALSE(run.offers[0].Current);
    EXPECT_EQ(run.offers[0].Available, (std::vector<std::uint16_t>{0, 3, 5}));
    EXPECT_EQ(run.offers[0].Phases, 3);
}

// A head that counts more harmonic blocks than a record holds (beyond the 51 there are) is a
// damaged file: said so, and no picker offered.
TEST(ValuesSheet, HarmonicBlockCountsBeyondTheCapacityAreRefused)
{
    HarmonicsRecordFields f;
    f.blocks.resize(3);
    f.blockCount = 60;
    ValuesRun run;
    run.Use(MeasureVoltageHarmonics, {HarmonicsRecord(f)}, At(10, 0), At(10, 0));
    run.harmonics = std::vector<std::uint16_t>{0};
    EXPECT_FALSE(run.Run()->Completed());
    EXPECT_TRUE(run.offers.empty());
    EXPECT_EQ(run.messages.Texts(),
              std::vector<std::string>{"The data file is damaged: its first record does not hold what its head says."});
}

TEST(ValuesSheet, ColumnsBeyondASheetAreRefusedBeforeAnyRecordIsRead)
{
    // Ten orders, three phases, all nine statistics: 270 value columns after the date.
    HarmonicsRecordFields f;
    f.time = Stamp(10, 0);
    for (int b = 0; b < 10; ++b) {
        HarmonicBlockFields block;
        block.order = b;
        block.flags = 2 | 4 | 8 | 16;
        block.phases.resize(3);
        f.blocks.push_back(block);
    }
    ValuesRun run;
    run.Use(MeasureVoltageHarmonics, {HarmonicsRecord(f)}, At(10, 0), At(10, 0));
    run.harmonics = std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    auto job = run.Run();
    EXPECT_FALSE(job->Completed());
    EXPECT_EQ(job->RowsWritten(), 0);
    ASSERT_EQ(run.messages.messages.size(), 1u);
    EXPECT_EQ(run.messages.messages[0].type, MsgType::Warning);
    EXPECT_EQ(run.messages.messages[0].text, "The values need 272 columns; a sheet holds 256. Choose fewer harmonics.");

    // Nine orders (245 columns) fit.
    ValuesRun fits;
    fits.Use(MeasureVoltageHarmonics, {HarmonicsRecord(f)}, At(10, 0), At(10, 0));
    fits.harmonics = std::vector<std::uint16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_TRUE(fits.Run()->Completed());
    EXPECT_EQ(fits.book.SheetAt(1).LastCol(), 245);
}

// The period is [Start, Stop + 59.999 s]: a record at Start gives the first row, one a minute
// after the stop minute none; reading starts at the period's first record, not the file's.
TEST(ValuesSheet, RowsAreTheRecordsOfThePeriodAndReadingStartsAtItsFirst)
{
    ValuesRun run;
    TrendRecordFields f = ThreePhaseTrend(Stamp(0, 0), 230);
    const std::string path = WriteRecordSeries(run.dir / "feeder.vme", 1, TrendRecord(1, f), At(9, 0), kMinute, 120,
                                               [](std::int64_t i, std::uint8_t* record) {
                                                   // L1 average (offset 24) is the record's minute of the day.
                                                   const float v = static_cast<float>(540 + i);
                                                   std::memcpy(record + 24, &v, 4);
                                               });
    run.UseFile(MeasureVoltage, path, At(10, 0), At(10, 15));
    auto job = run.Run();
    ASSERT_TRUE(job->Completed());
    EXPECT_EQ(job->RowsWritten(), 16);
    EXPECT_EQ(run.book.CellText(3, 2), "15/03/2024 10:00");
    EXPECT_EQ(run.book.CellText(3, 4), "600.00");
    EXPECT_EQ(run.book.CellText(18, 2), "15/03/2024 10:15");
    EXPECT_EQ(run.book.CellText(19, 2), "");
    // A step per record and a few for the states: the hour before the period is never walked.
    EXPECT_LE(run.steps, 16 + 4);
    EXPECT_EQ(job->Progress().done, 100);
}

TEST(ValuesSheet, AtMostSixteenThousandRowsWithTheWarningOnlyWhenRowsWereCut)
{
    for (std::int64_t count : {16000, 16001}) {
        SCOPED_TRACE(count);
        ValuesRun run;
        TrendRecordFields f;
        f.wiring = 1;
        f.phases = {{.values = {1, 2, 3}}};
        const std::string path = WriteRecordSeries(run.dir / "feeder.vme", 1, TrendRecord(1, f), At(0, 0), kMinute, count);
        run.UseFile(MeasureVoltage, path, At(0, 0), At(0, 0) + static_cast<double>(count) * kMinute);
        auto job = run.Run();
        ASSERT_TRUE(job->Completed());
        EXPECT_EQ(job->RowsWritten(), 16000);
        EXPECT_EQ(run.book.CellText(16002, 2), "26/03/2024 02:39");
        EXPECT_EQ(run.book.CellText(16003, 2), "");
        const std::vector<std::string> expected =
            count > 16000 ? std::vector<std::string>{kExportTruncatedMessage} : std::vector<std::string>{};
        EXPECT_EQ(run.messages.Texts(), expected);
    }
}

TEST(ValuesSheet, EndsWithoutASheetWhenThePeriodHoldsNoRecord)
{
    ValuesRun run;
    run.Use(MeasureVoltage, {TrendRecord(1, ThreePhaseTrend(Stamp(10, 0), 230))}, At(11, 0), At(11, 30));
    auto job = run.Run();
    EXPECT_FALSE(job->Completed());
    ASSERT_EQ(run.messages.messages.size(), 1u);
    EXPECT_EQ(run.messages.messages[0].text, kValuesNoRecordMessage);
    EXPECT_EQ(run.messages.messages[0].type, MsgType::Warning);
}

TEST(ValuesSheet, ARecordThatDoesNotDecodeKeepsTheRowsBeforeIt)
{
    ValuesRun run;
    std::vector<Bytes> records;
    for (int r = 0; r < 3; ++r) records.push_back(TrendRecord(1, ThreePhaseTrend(Stamp(10, r), 230)));
    run.Use(MeasureVoltage, records, At(10, 0), At(10, 2));
    PatchFile(run.request.FileInfo.FileName, 8 + 2 * records[0].size() + 5, {24});  // the last record at hour 24
    auto job = run.Run();
    ASSERT_TRUE(job->Completed());
    EXPECT_EQ(run.messages.Texts(), (std::vector<std::string>{"Invalid Time", kValuesErrorMessage}));
    EXPECT_EQ(job->RowsWritten(), 2);
    EXPECT_EQ(run.book.CellText(4, 2), "15/03/2024 10:01");
    EXPECT_EQ(run.book.CellText(5, 2), "");
}

// A data file cut short while the job reads it (one byte short of what its header counts): the
// sheet keeps a row for every whole record still in the file, and the user is told once.
TEST(ValuesSheet, FileCutShortWhileReadingKeepsEveryWholeRecordAndSaysSoOnce)
{
    ValuesRun run;
    constexpr std::int64_t kRecords = 276;
    TrendRecordFields f = ThreePhaseTrend(Stamp(0, 0), 230);
    const std::string path = WriteRecordSeries(run.dir / "feeder.vme", 1, TrendRecord(1, f), At(0, 0), kMinute, kRecords);
    run.UseFile(MeasureVoltage, path, At(0, 0), At(0, 0) + static_cast<double>(kRecords) * kMinute);
    TValuesSheetJob job(run.book, run.request, {});
    ASSERT_TRUE(job.Step());  // the file is open
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
    while (job.Step()) {}
    EXPECT_EQ(job.RowsWritten(), kRecords - 1);
    EXPECT_EQ(run.book.CellText(3 + kRecords - 2, 2), "15/03/2024 04:34");
    EXPECT_EQ(run.book.CellText(3 + kRecords - 1, 2), "");
    EXPECT_EQ(run.messages.Texts(), (std::vector<std::string>{std::string(kValuesErrorMessage) + "\nThe file cannot be read."}));
}

TEST(ValuesSheet, AbortEndsAtOnceWithoutASheetOrAMessage)
{
    ValuesRun run;
    std::vector<Bytes> records;
    for (int r = 0; r < 5; ++r) records.push_back(TrendRecord(1, ThreePhaseTrend(Stamp(10, r), 230)));
    run.Use(MeasureVoltage, records, At(10, 0), At(10, 4));
    TValuesSheetJob job(run.book, run.request, {});
    for (int i = 0; i < 4; ++i) job.Step();
    job.Abort();
    EXPECT_TRUE(job.Finished());
    EXPECT_FALSE(job.Completed());
    EXPECT_FALSE(job.Step());
    EXPECT_TRUE(run.messages.messages.empty());
}

// The finished sheet as an independent reader sees it once saved: titles as text in row 2,
// dates and values from row 3, the values as numbers, the title row bold.
TEST(ValuesSheet, SavedSheetReadsBackWithXlrd)
{
    ValuesRun run;
    run.Use(MeasureVoltage,
            {TrendRecord(1, ThreePhaseTrend(Stamp(10, 0), 230.25f)), TrendRecord(1, ThreePhaseTrend(Stamp(10, 1), 231))},
            At(10, 0), At(10, 1));
    ASSERT_TRUE(run.Run()->Completed());
    const XlrdDump x = WriteAndCheckWithXlrd(run.book, run.dir / "values.xls");
    EXPECT_EQ(x["sheet.1.name"], "Voltage");
    EXPECT_EQ(x["cell.1.2.2"], "t:Date");
    EXPECT_EQ(x["cell.1.2.3"], "t:L1 - Minimum");
    EXPECT_EQ(x["cell.1.2.11"], "t:L3 - Maximum");
    EXPECT_EQ(x["cell.1.3.2"], "t:15/03/2024 10:00");
    EXPECT_EQ(x["cell.1.3.3"], "n:230.25");
    EXPECT_EQ(x["cell.1.4.11"], "n:253.0");
    EXPECT_EQ(x[x.FontOf(1, 2, 3) + "bold"], "1");
}

TEST(ValuesSheet, PrintedHeaderAndFooterCarryTheViewsLines)
{
    TInfoPrintVal info{"Description: " + std::string(40, 'd'), "Site: Süd", "Operator: A. Engineer",
                       "Start date: 15/03/2024 10:00", "Stop date: 15/03/2024 11:30", "Records: 10  (Rate: 10min)"};
    EXPECT_EQ(ValuesPrintHeader(info), "&L&A values of <&F> printed on &D &T\rStart date: 15/03/2024 10:00\r"
                                       "Stop date: 15/03/2024 11:30\rRecords: 10  (Rate: 10min)");
    EXPECT_EQ(ValuesPrintFooter(info), "&LDescription: " + std::string(27, 'd') +
                                           "\rSite: Süd\rOperator: A. Engineer\rTarn - Zidevid Phase Monitor\r&CPage &P/&N");
    info.SiteLine = "Site: " + std::string(33, 'x') + "üüü";  // the 40th character is a two-byte one
    EXPECT_EQ(ValuesPrintFooter(info).substr(ValuesPrintFooter(info).find("\rSite") + 1, 42),
              "Site: " + std::string(33, 'x') + "ü\r");
}
