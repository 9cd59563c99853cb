// The waveform values sheet on fixture samples files: the information block, the titles of each
// trace's channel, times computed per sample, the spread over sheets of 16000 rows, and the
// records that give no sheet.
#include "export/values_sheet.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"
#include "../sheet/xlrd_check.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace {
constexpr std::int32_t kFirstRecord = 9;  // after the file's header

TTraceSettings Traces(std::initializer_list<std::pair<int, int>> itemAndPhase)
{
    TTraceSettings t;
    std::size_t k = 0;
    for (auto [item, phase] : itemAndPhase) {
        t.Entries[k].Item = item;
        t.Entries[k].Phase = phase;
        ++k;
    }
    return t;
}

std::string Fixed(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

struct WaveformRun {
    TempProgDir dir;
    ScriptedMessages messages;
    TF1Book book;
    TValuesSheetRequest request;

    WaveformRun(std::uint8_t fileType, const SamplesRecordFields& record, const TTraceSettings& traces)
    {
        const std::string path = WriteSamplesFile(dir / "feeder.tme", fileType, {record});
        EXPECT_TRUE(ReadMeasureFileInfo(path, MeasureSamples, request.FileInfo));
        request.Kind = MeasureSamples;
        request.SurveyName = "feeder.orv";
        request.PeriodRecords = 40000;  // a period longer than a sheet: no limit for one record
        request.EventNumber = 3;
        request.EventOffset = kFirstRecord;
        request.Traces = traces;
    }
    std::unique_ptr<TValuesSheetJob> Run()
    {
        auto job = std::make_unique<TValuesSheetJob>(book, request, HarmonicChooser{});
        for (int i = 0; i < 1000000 && job->Step(); ++i) {
        }
        EXPECT_TRUE(job->Finished());
        return job;
    }
};

// A set-0 record: channel c's sample i counts (i % 1000) + 1000 c, every scale 0.5.
SamplesRecordFields SetZeroRecord(int samples, std::int16_t pre, std::int16_t post)
{
    SamplesRecordFields r;
    r.time = {2024, 3, 15, 10, 20, 30, 45};
    r.channelSet = 0;
    r.samplesPerChannel = static_cast<std::uint16_t>(samples);
    r.preTrigger = pre;
    r.postTrigger = post;
    r.scales = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    r.samples.resize(6);
    for (int c = 0; c < 6; ++c)
        for (int i = 0; i < samples; ++i) r.samples[static_cast<std::size_t>(c)].push_back(i % 1000 + 1000 * c);
    return r;
}
}  // namespace

TEST(WaveformValues, OneSheetWithTheInformationBlockAndATimePerSample)
{
    // Traces 1 (L1 voltage) and 2 (L2 current: channel 3).
    WaveformRun run(4, SetZeroRecord(512, 10, 30), Traces({{1, 0}, {2, 1}}));
    auto job = run.Run();
    ASSERT_TRUE(job->Completed());
    EXPECT_TRUE(run.messages.messages.empty()) << testing::PrintToString(run.messages.Texts());
    ASSERT_EQ(run.book.NumSheets(), 1);
    EXPECT_EQ(run.book.SheetName(1), "Voltage Samples");
    const std::vector<std::pair<int, std::string>> labels = {
        {2, "Tarn - Zidevid Phase Monitor"}, {3, "Current Event: "},   {4, "Values number:"}, {5, "Exported File:"},
        {6, "Event date:"},                  {7, "Pre-trigger time:"}, {8, "Post-trigger time:"},
        {10, "from -100.00 to 299.22 ms"}};
    for (const auto& [row, text] : labels) EXPECT_EQ(run.book.CellText(row, 2), text) << row;
    EXPECT_EQ(run.book.CellText(3, 4), "3 of 40000");
    EXPECT_EQ(run.book.CellText(4, 4), "512");
    EXPECT_EQ(run.book.CellText(5, 4), run.dir / "feeder.tme");
    EXPECT_EQ(run.book.CellText(6, 4), "15/03/2024 10:20:30.45");
    EXPECT_EQ(run.book.CellText(7, 4), "100 ms");
    EXPECT_EQ(run.book.CellText(8, 4), "300 ms");
    EXPECT_EQ(run.book.CellText(11, 2), "Date");
    EXPECT_EQ(run.book.CellText(11, 3), "L1 Voltage");
    EXPECT_EQ(run.book.CellText(11, 4), "L2 Current");
    EXPECT_EQ(run.book.CellText(11, 5), "");
    // 400 ms over 512 samples: 0.78125 ms apart from -100.
    EXPECT_EQ(run.book.CellText(12, 2), "-100.00");
    EXPECT_EQ(run.book.CellText(13, 2), "-99.22");
    EXPECT_EQ(run.book.CellText(523, 2), "299.22");
    EXPECT_EQ(run.book.CellText(524, 2), "");
    EXPECT_EQ(run.book.CellText(12, 3), "0.00");
    EXPECT_EQ(run.book.CellText(13, 3), "0.50");
    EXPECT_EQ(run.book.CellText(523, 4), Fixed((511 + 3000) * 0.5));
    EXPECT_EQ(run.book.SheetAt(1).Find(12, 2)->kind, CellKind::Number);
}

// 16000 sample rows a sheet: whole sheets, then one more for the rest (which may hold only its
// title row). Times are computed from each sample's index, so the last sample of the largest
// record still has its exact time.
TEST(WaveformValues, SamplesSpreadOverSheetsOfSixteenThousandRows)
{
    struct Case {
        int samples;
        std::vector<int> rowsPerSheet;
    };
    const Case cases[] = {{16000, {16000, 0}}, {16001, {16000, 1}}, {40000, {16000, 16000, 8000}},
                          {65535, {16000, 16000, 16000, 16000, 1535}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.samples);
        WaveformRun run(4, SetZeroRecord(c.samples, 10, 90), Traces({{1, 2}}));
        ASSERT_TRUE(run.Run()->Completed());
        const int sheets = static_cast<int>(c.rowsPerSheet.size());
        ASSERT_EQ(run.book.NumSheets(), sheets);
        int first = 0;  // the first sample on the sheet
        for (int s = 1; s <= sheets; ++s) {
            SCOPED_TRACE(s);
            run.book.SetSheet(s);
            EXPECT_EQ(run.book.SheetName(s), "Voltage Samples (" + std::to_string(s) + "-" + std::to_string(sheets) + ")");
            const int title = s == 1 ? 11 : 2;
            EXPECT_EQ(run.book.CellText(title, 2), "Date");
            EXPECT_EQ(run.book.CellText(title, 3), "L3 Voltage");
            const int rows = c.rowsPerSheet[static_cast<std::size_t>(s - 1)];
            EXPECT_EQ(run.book.SheetAt(s).LastRow(), title + rows);
            if (rows > 0) {
                const int last = first + rows - 1;
                EXPECT_EQ(run.book.CellText(title + 1, 2), Fixed(-100 + first * 1000.0 / c.samples));
                EXPECT_EQ(run.book.CellText(title + rows, 2), Fixed(-100 + last * 1000.0 / c.samples));
                EXPECT_EQ(run.book.CellText(title + rows, 3), Fixed((last % 1000 + 4000) * 0.5));
            }
            first += rows;
        }
    }
}

TEST(WaveformValues, TitlesFollowTheChannelSetAndSecondHarmonicsAreRoots)
{
    // Set 2 of second-harmonic values: 4-byte counts, each the root of count x scale / 100.
    SamplesRecordFields harmonic;
    harmonic.channelSet = 2;
    harmonic.content = 2;
    harmonic.samplesPerChannel = 2;
    harmonic.scales = {4, 1, 9, 1, 1, 1};
    harmonic.samples = {{100, 2500}, {400, 900}, {0, 0}};
    WaveformRun second(4, harmonic, Traces({{1, 0}, {1, 1}, {1, 1}}));
    ASSERT_TRUE(second.Run()->Completed());
    EXPECT_EQ(second.book.CellText(11, 3), "L1 2d Harmonic");
    EXPECT_EQ(second.book.CellText(11, 4), "L2 2d Harmonic");
    EXPECT_EQ(second.book.CellText(11, 5), "L2 2d Harmonic");  // two traces on one channel: two columns
    EXPECT_EQ(second.book.CellText(12, 3), "2.00");
    EXPECT_EQ(second.book.CellText(13, 3), "10.00");
    EXPECT_EQ(second.book.CellText(12, 4), "6.00");
    EXPECT_EQ(second.book.CellText(13, 5), "9.00");

    // Set 4 with its auxiliary channel, negative seventh scale: an auxiliary voltage, whatever
    // phase its trace carries.
    SamplesRecordFields aux;
    aux.channelSet = 4;
    aux.seventhScale = -2;
    aux.samplesPerChannel = 1;
    aux.samples = {{1}, {2}, {3}, {4}, {5}, {6}, {7}};
    WaveformRun withAux(12, aux, Traces({{3, 2}, {2, 2}}));
    ASSERT_TRUE(withAux.Run()->Completed());
    EXPECT_EQ(withAux.book.CellText(11, 3), "Aux Voltage");
    EXPECT_EQ(withAux.book.CellText(11, 4), "L3 Current");
    EXPECT_EQ(withAux.book.CellText(12, 3), "14.00");
    EXPECT_EQ(withAux.book.CellText(12, 4), "6.00");
}

TEST(WaveformValues, NoTraceOrNoSampleGivesNoRecordFound)
{
    struct Case {
        const char* what;
        SamplesRecordFields record;
        TTraceSettings traces;
    };
    SamplesRecordFields empty;
    empty.samplesPerChannel = 0;
    const Case cases[] = {{"no trace chosen", SamplesRecordFields{}, Traces({})},
                          {"a trace on no channel of the set", SamplesRecordFields{}, Traces({{2, 0}})},
                          {"a record without samples", empty, Traces({{1, 0}})}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaveformRun run(4, c.record, c.traces);
        EXPECT_FALSE(run.Run()->Completed());
        EXPECT_EQ(run.messages.Texts(), std::vector<std::string>{kValuesNoRecordMessage});
    }
}

TEST(WaveformValues, SavedBookReadsBackWithXlrd)
{
    WaveformRun run(4, SetZeroRecord(16001, 10, 90), Traces({{1, 0}, {2, 0}}));
    ASSERT_TRUE(run.Run()->Completed());
    const XlrdDump x = WriteAndCheckWithXlrd(run.book, run.dir / "waveform.xls");
    EXPECT_EQ(x["sheet.1.name"], "Voltage Samples (1-2)");
    EXPECT_EQ(x["sheet.2.name"], "Voltage Samples (2-2)");
    EXPECT_EQ(x["cell.1.4.4"], "n:16001.0");
    EXPECT_EQ(x["cell.1.11.4"], "t:L1 Current");
    EXPECT_EQ(x["cell.1.12.2"], "n:-100.0");
    EXPECT_EQ(x["cell.2.2.3"], "t:L1 Voltage");
    EXPECT_EQ(x["cell.2.3.2"], "n:899.94");  // the last sample, 16000 x 1000 / 16001 ms after -100
    EXPECT_EQ(x["cell.2.3.4"], "n:500.0");
}
