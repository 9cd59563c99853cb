// The exporter as a job: which measures it writes or leaves out and says so, the 16000-record
// cap and its warning, a bad stamp, a failed write, Abort, the progress bar, the hand-over file.
#include "export_run.h"
#include "fixtures/data_fixture.h"
#include "fixtures/survey_fixture.h"
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {
constexpr double kMinute = 1.0 / 1440.0;
double Ten() { return FixtureTime(2024, 3, 15, 10, 0); }

// One-minute three-phase voltage records from `start`, the L1 average at +24 being 230.25.
std::string VoltageSeries(const ExportRun& run, const std::string& name, double start, std::int64_t count)
{
    TrendRecordFields r;
    r.phases = {{.values = {220, 230.25f, 240}}};
    return WriteRecordSeries(run.dir / name, 1, TrendRecord(1, r), start, kMinute, count);
}

std::string EnergySeries(const ExportRun& run, double start, std::int64_t count)
{
    EnergyRecordFields r;
    r.totals[0] = 2;
    return WriteRecordSeries(run.dir / "feeder.ene", 10, EnergyRecord(r), start, 15 * kMinute, count);
}

void ChooseAverageOfL1(ExportRun& run, int measure)
{
    run.params.Measure(measure).Items[measure == 10 ? 0 : 1] = true;
    run.params.Measure(measure).Phases[0] = true;
}

// A text workbook of voltage (one-minute records from 10:00), the average of L1 chosen, over the
// interval 10:00 to 10:00 + `minutes`.
void VoltageOnly(ExportRun& run, std::int64_t records, int minutes)
{
    run.SetFormat(ExportText);
    run.Add(1, VoltageSeries(run, "feeder.vme", Ten(), records));
    run.SetInterval(Ten(), Ten() + minutes * kMinute);
    ChooseAverageOfL1(run, 1);
}

// The same with energy (quarter-hour records from 10:00, the total received energy chosen).
void VoltageAndEnergy(ExportRun& run, std::int64_t voltageRecords, std::int64_t energyRecords, int minutes)
{
    VoltageOnly(run, voltageRecords, minutes);
    run.Add(10, EnergySeries(run, Ten(), energyRecords));
    ChooseAverageOfL1(run, 10);
}

int Rows(const std::string& textWorkbook) { return static_cast<int>(TextWorkbookCells(textWorkbook).size()); }
}  // namespace

TEST(Exporter, MeasuresWithoutRecordsInTheIntervalAreLeftOutAndNamed)
{
    ExportRun run;
    run.SetFormat(ExportText);
    run.Add(1, VoltageSeries(run, "feeder.vme", Ten(), 5));
    // Frequency ends before the interval; unbalance has a gap over the whole of it.
    TrendRecordFields early;
    early.time = {2024, 3, 14, 10, 0};
    run.Add(2, WriteDataFile(run.dir / "feeder.hze", {TrendRecord(2, early)}));
    TrendRecordFields before, after;
    before.time = {2024, 3, 15, 9, 0};
    after.time = {2024, 3, 15, 11, 0};
    run.Add(3, WriteDataFile(run.dir / "feeder.une", {TrendRecord(3, before), TrendRecord(3, after)}));
    run.SetInterval(Ten(), Ten() + 4 * kMinute);
    for (int k : {1, 2, 3}) ChooseAverageOfL1(run, k);

    auto exporter = run.Run();
    EXPECT_TRUE(exporter->Completed());
    EXPECT_EQ(exporter->Exported(), std::vector<int>{1});
    ASSERT_EQ(run.messages.messages.size(), 1u);
    EXPECT_EQ(run.messages.messages[0].type, MsgType::Warning);
    EXPECT_EQ(run.messages.messages[0].text,
              "Export completed, but not every measure was exported.\nExported:\nVoltage\nNot exported:\n"
              "Frequency: no record in the chosen interval.\nUnbalance: no record in the chosen interval.");
    EXPECT_EQ(Rows(run.Workbook(1)), 13 + 5);
    EXPECT_FALSE(FileExists(run.Workbook(2)));
    EXPECT_FALSE(FileExists(run.Workbook(3)));
}

TEST(Exporter, IntervalTouchingTheFileInItsLastMinuteStillExports)
{
    ExportRun run;
    run.SetFormat(ExportText);
    // The only record is at 10:04:30; the interval stops with the minute 10:04.
    TrendRecordFields r;
    r.time = {2024, 3, 15, 10, 4, 30};
    run.Add(2, WriteDataFile(run.dir / "feeder.hze", {TrendRecord(2, r)}));
    run.SetInterval(Ten(), Ten() + 4 * kMinute);
    ChooseAverageOfL1(run, 2);
    EXPECT_TRUE(run.Run()->Completed());
    ExpectCells(run.Workbook(2), ExportText, {{11, 4, "1"}, {14, 2, "15/03/2024 10:04:30"}, {9, 4, "15/03/2024 10:00"},
                                              {10, 4, "15/03/2024 10:04"}});
}

TEST(Exporter, BadStampEndsTheExportKeepingTheWorkbooksAlreadyWritten)
{
    ExportRun run;
    VoltageAndEnergy(run, 3, 3, 30);
    // The second energy record's month becomes 13 once the survey has been accepted.
    PatchFile(run.selection.File(10).FileName, 8 + EnergyRecord({}).size() + 3, {13});

    auto exporter = run.Run();
    EXPECT_FALSE(exporter->Completed());
    EXPECT_EQ(exporter->State(), ExportState::Failed);
    EXPECT_TRUE(FileExists(run.Workbook(1)));
    EXPECT_FALSE(FileExists(run.Workbook(10)));
    // The stamp's message once, though the interval search meets the record too.
    EXPECT_EQ(run.messages.Texts(),
              (std::vector<std::string>{"Invalid Date", "Error in export.\nExported:\nVoltage\nNot exported:\n"
                                                        "Energy: a record's time stamp does not decode."}));
    EXPECT_EQ(run.messages.messages.back().type, MsgType::Error);
}

// A data file cut short once its measure's export has begun (one byte short of what its header
// counts): the measure ends with one message naming the failed read, not a stamp, and no
// workbook that lacks records is left.
TEST(Exporter, FileCutShortWhileExportingEndsTheMeasureWithOneMessage)
{
    ExportRun run;
    VoltageOnly(run, 5, 30);
    TExporter exporter(run.selection, run.params);
    while (exporter.State() != ExportState::WriteRows && exporter.Step()) {
    }
    ASSERT_EQ(exporter.State(), ExportState::WriteRows);
    const std::string& path = run.selection.File(1).FileName;
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
    while (exporter.Step()) {
    }
    EXPECT_FALSE(exporter.Completed());
    EXPECT_EQ(run.messages.Texts(), (std::vector<std::string>{"Error in export.\nNot exported:\nVoltage: its data file cannot be read."}));
    EXPECT_FALSE(FileExists(run.Workbook(1)));
}

TEST(Exporter, MeasuresAfterAnErrorAreNamedAsNotReached)
{
    ExportRun run;
    VoltageAndEnergy(run, 2, 2, 30);
    PatchFile(run.selection.File(1).FileName, 8 + TrendRecord(1, {}).size() + 5, {24});  // record 2 at hour 24
    auto exporter = run.Run();
    EXPECT_TRUE(exporter->Exported().empty());
    EXPECT_EQ(run.messages.Texts().front(), "Invalid Time");
    EXPECT_EQ(run.messages.Texts().back(), "Error in export.\nNot exported:\n"
                                           "Voltage: a record's time stamp does not decode.\n"
                                           "Energy: not reached after the error.");
    EXPECT_FALSE(FileExists(run.Workbook(1)));
    EXPECT_FALSE(FileExists(run.Workbook(10)));
}

TEST(Exporter, AbortMidExportLeavesTheOldWorkbookAsItWas)
{
    ExportRun run;
    run.Add(1, VoltageSeries(run, "feeder.vme", Ten(), 100));
    run.SetInterval(Ten(), Ten() + 100 * kMinute);
    ChooseAverageOfL1(run, 1);
    WriteFileAtomic(run.Workbook(1), std::string("the old workbook"));

    TExporter exporter(run.selection, run.params);
    while (exporter.Step() && exporter.Progress().done < 50) {
    }
    EXPECT_EQ(exporter.State(), ExportState::WriteRows);
    exporter.Abort();
    EXPECT_TRUE(exporter.Finished());
    EXPECT_FALSE(exporter.Step());
    EXPECT_FALSE(exporter.Completed());
    EXPECT_TRUE(run.messages.messages.empty());
    EXPECT_EQ(ReadText(run.Workbook(1)), "the old workbook");
    EXPECT_EQ(ListFiles(run.dir / "out", "*"), std::vector<std::string>{"x_vm.xls"});  // no temporary left
}

TEST(Exporter, AbortBetweenMeasuresEndsWithoutAMessage)
{
    ExportRun run;
    VoltageAndEnergy(run, 2, 2, 30);
    TExporter exporter(run.selection, run.params);
    while (exporter.Step() && exporter.Exported().empty()) {
    }
    exporter.Abort();
    EXPECT_FALSE(exporter.Step());
    EXPECT_TRUE(run.messages.messages.empty());
    EXPECT_TRUE(FileExists(run.Workbook(1)));
    EXPECT_FALSE(FileExists(run.Workbook(10)));
}

TEST(Exporter, ReplacingAWorkbookReplacesItWhole)
{
    ExportRun run;
    VoltageOnly(run, 2, 30);
    WriteFileAtomic(run.Workbook(1), std::string(100000, 'x'));
    EXPECT_TRUE(run.Run()->Completed());
    ExpectCells(run.Workbook(1), ExportText, {{14, 3, "230.25"}, {15, 3, "230.25"}});
    EXPECT_EQ(Rows(run.Workbook(1)), 15);
}

TEST(Exporter, FailedWriteIsAnErrorAndNothingIsLeftBehind)
{
    ExportRun run;
    VoltageOnly(run, 2, 30);
    run.params.Measure(1).OutputPath = run.dir / "missing-folder/x_vm.txt";
    auto exporter = run.Run();
    EXPECT_FALSE(exporter->Completed());
    ASSERT_EQ(run.messages.messages.size(), 2u);
    EXPECT_EQ(run.messages.messages[0].text, "Unable to write the file " + run.params.Measure(1).OutputPath + ".");
    EXPECT_EQ(run.messages.messages[1].text, "Error in export.\nNot exported:\nVoltage: its workbook could not be written.");
}

TEST(Exporter, AtMost16000RecordsWithTheWarningOnlyWhenRecordsAreCut)
{
    for (std::int64_t count : {16000, 16001}) {
        ExportRun run;
        VoltageOnly(run, count, static_cast<int>(count));
        auto exporter = run.Run();
        EXPECT_TRUE(exporter->Completed()) << count;
        std::string expected = "Export completed successfully.";
        if (count > 16000) expected += "\nVoltage: file to export is too long. Truncated at 16000 records.";
        EXPECT_EQ(run.messages.Texts(), std::vector<std::string>{expected}) << count;
        EXPECT_EQ(run.messages.messages.front().type, count > 16000 ? MsgType::Warning : MsgType::Information);
        const auto rows = TextWorkbookCells(run.Workbook(1));
        ASSERT_EQ(rows.size(), 13u + 16000u) << count;
        EXPECT_EQ(rows[10][3], std::to_string(count)) << "Records: the whole interval";
        // Record 16000 is 15999 minutes (11 days, 2 h 39 min) after 10:00 on 15/03.
        EXPECT_EQ(rows.back()[1], "26/03/2024 12:39");
    }
}

// Every measure cut is named once, in the closing message, not in a box of its own during the run.
TEST(Exporter, MeasuresCutAtTheLimitAreNamedInTheClosingMessage)
{
    ExportRun run;
    VoltageAndEnergy(run, 16001, 16001, 16001 * 15);
    auto exporter = run.Run();
    EXPECT_TRUE(exporter->Completed());
    EXPECT_EQ(run.messages.Texts(), std::vector<std::string>{"Export completed successfully.\n"
                                                             "Voltage: file to export is too long. Truncated at 16000 records.\n"
                                                             "Energy: file to export is too long. Truncated at 16000 records."});
    EXPECT_EQ(run.messages.messages[0].type, MsgType::Warning);
}

TEST(Exporter, EventsAreCutAt16000RowsThatPassTheFilter)
{
    struct Case {
        std::int64_t count;
        bool lastPasses;  // the record after row 16000 would have had a row
        bool warned;
        int rows;
    };
    // Every event passes but the ones of channel 3 (Frequency unticked).
    const Case cases[] = {{16001, true, true, 16000}, {16001, false, false, 16000}, {20000, false, false, 16000},
                          {16000, true, false, 16000}};
    for (const Case& c : cases) {
        ExportRun run;
        run.SetFormat(ExportText);
        EventRecordFields r;
        r.type = 1;
        r.channel = 0;
        const std::int64_t passing = 16000;
        const std::string path = WriteRecordSeries(
            run.dir / "feeder.ale", 6, EventRecord(r), Ten(), 1.0 / 86400.0, c.count, [&](std::int64_t i, std::uint8_t* p) {
                if (i >= passing && !(c.lastPasses && i == passing)) p[22] = 3;
            });
        run.Add(6, path);
        run.SetInterval(Ten(), Ten() + 1.0);
        run.params.Measure(6).Items.fill(true);
        run.params.Measure(6).Items[1] = false;
        run.params.Measure(6).Phases = {true, true, true};
        auto exporter = run.Run();
        EXPECT_TRUE(exporter->Completed()) << c.count;
        ASSERT_EQ(run.messages.messages.size(), 1u);
        EXPECT_EQ(run.messages.messages[0].text.find("Events: file to export is too long.") != std::string::npos, c.warned)
            << c.count << " " << c.lastPasses;
        EXPECT_EQ(Rows(run.Workbook(6)), 13 + c.rows) << c.count;
    }
}

TEST(Exporter, ABadStampOnAnEventWithoutARowDoesNotStopTheExport)
{
    struct Case {
        int channel;  // of the damaged record
        bool fails;
    };
    for (const Case& c : {Case{500, false}, Case{3, false}, Case{0, true}}) {
        ExportRun run;
        run.SetFormat(ExportText);
        EventRecordFields r;
        r.type = 1;
        const std::string path = WriteRecordSeries(run.dir / "feeder.ale", 6, EventRecord(r), Ten(), 1.0 / 86400.0, 3);
        run.Add(6, path);
        PatchFile(path, 8 + 24 + 22, {static_cast<std::uint8_t>(c.channel), static_cast<std::uint8_t>(c.channel >> 8)});
        PatchFile(path, 8 + 24 + 13, {0});  // the middle record's month 0
        run.SetInterval(Ten(), Ten() + kMinute);
        run.params.Measure(6).Items.fill(true);
        run.params.Measure(6).Items[1] = false;  // frequency events (channel 3) are not taken
        run.params.Measure(6).Phases = {true, true, true};
        auto exporter = run.Run();
        EXPECT_EQ(exporter->Completed(), !c.fails) << c.channel;
        if (c.fails) {
            EXPECT_EQ(run.messages.Texts().back(), "Error in export.\nNot exported:\nEvents: a record's time stamp does not decode.");
        } else {
            EXPECT_EQ(run.messages.Texts().back(), "Export completed successfully.") << c.channel;
            EXPECT_EQ(Rows(run.Workbook(6)), 13 + 2) << c.channel;
        }
    }
}

TEST(Exporter, ProgressStartsFromNothingForEveryMeasure)
{
    ExportRun run;
    VoltageAndEnergy(run, 4, 4, 60);
    TExporter exporter(run.selection, run.params);
    std::vector<std::pair<std::string, int>> seen;  // caption and progress after each row step
    while (exporter.Step())
        if (exporter.State() == ExportState::WriteRows) seen.emplace_back(exporter.StatusText(), exporter.Progress().done);
    const std::vector<std::pair<std::string, int>> expected = {
        {"exporting Voltages", 0}, {"exporting Voltages", 25}, {"exporting Voltages", 50},
        {"exporting Voltages", 75}, {"exporting Voltages", 100}, {"exporting Energy", 0},
        {"exporting Energy", 25}, {"exporting Energy", 50}, {"exporting Energy", 75}, {"exporting Energy", 100}};
    EXPECT_EQ(seen, expected);
}

TEST(Exporter, ReadsAndDeletesTheHandOverFile)
{
    ExportRun run;
    VoltageOnly(run, 2, 30);
    const std::string handOver = run.dir / "data/export.tmp";
    CreateFolder(run.dir / "data");
    ASSERT_TRUE(WriteExportParams(run.params, handOver));
    TExporter exporter(run.selection, handOver);
    EXPECT_FALSE(FileExists(handOver));
    while (exporter.Step()) {
    }
    EXPECT_TRUE(exporter.Completed());
    EXPECT_TRUE(FileExists(run.Workbook(1)));

    TExporter without(run.selection, handOver);
    EXPECT_FALSE(without.Step());
    EXPECT_FALSE(without.Completed());
    EXPECT_EQ(run.messages.messages.back().text,
              "Error in export.\nThe export choices (export.tmp) are missing or damaged; nothing was exported.");
}

TEST(Exporter, ChoicesBeyondTheColumnsOfAnExcelSheetAreLeftOut)
{
    // 10 orders x 3 phases x 9 statistics: 270 value columns.
    HarmonicsRecordFields f;
    for (int order = 0; order < 10; ++order) f.blocks.push_back({.flags = 2 | 4 | 8 | 16, .order = order});
    for (ExportFormat format : {ExportExcel5, ExportText}) {
        ExportRun run;
        run.Add(4, WriteDataFile(run.dir / "feeder.hme", {HarmonicsRecord(f)}));
        run.SetFormat(format);
        run.SetInterval(Ten(), Ten());
        run.params.Measure(4).Items.fill(true);
        run.params.Measure(4).Phases = {true, true, true};
        for (int order = 0; order < 10; ++order) run.params.VoltageChosen[static_cast<std::size_t>(order)] = static_cast<std::uint16_t>(order);
        run.params.VoltageChosenCount = 10;
        auto exporter = run.Run();
        if (format == ExportExcel5) {
            EXPECT_FALSE(FileExists(run.Workbook(4)));
            EXPECT_EQ(run.messages.Texts().back(), "Export completed, but not every measure was exported.\nNot exported:\n"
                                                   "Voltage Harmonics: the chosen values need 272 columns; an Excel 5.0 "
                                                   "sheet holds 256.");
        } else {
            EXPECT_EQ(TextWorkbookCells(run.Workbook(4))[12].size(), 272u);
        }
    }
}
