// A trend view's reading: the head and interval at creation, the refusals, and the chosen
// traces of a window with its gaps.
#include "views/trend_reading.h"

#include "fixtures/temp_prog_dir.h"
#include "fixtures/view_fixture.h"
#include "platform/scripted_messages.h"
#include "survey/data_layout.h"
#include "survey/records.h"
#include "views/trace_settings.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
double Start() { return FixtureTime(2024, 3, 15, 10, 0); }

TTrendOpening Open(const TDateTime start, const TDateTime stop)
{
    return OpenTrendHead(SurveySelection().File(1), VoltageMember(), start, stop);
}

TWindowValues ReadWindow(const TRecordWindow& window, const TTrendLayout& layout, TTraceSettings& traces)
{
    TDataFile F;
    if (!OpenTrendDataFile(F, SurveySelection().File(1), 1)) return {};
    return ReadTraceWindow(F, window, VoltageMember(), layout, traces);
}
}  // namespace

TEST(TrendOpening, ReadsHeadAndClampsTheInterval)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteVoltageSeries(dir / "s.vme", {.start = Start(), .count = 6});
    ASSERT_TRUE(SelectVoltageSurvey(path, Start() - 1, Start() + 1));
    const TTrendOpening o = Open(Start() - 1, Start() + 1);
    ASSERT_EQ(o.Fault, TrendOpenFault::None);
    EXPECT_TRUE(o.Head.Layout.ThreePhase);
    EXPECT_EQ(o.Head.Layout.Period, 10);
    EXPECT_EQ(o.Head.Layout.RecordHead.size(), 18u);
    EXPECT_EQ(o.Head.Layout.RecordHead[TrendHead::Flags], 2);
    EXPECT_EQ(o.Head.FullWindow.FirstPos, 8u);
    EXPECT_EQ(o.Head.FullWindow.LastPos, 8u + 5 * 60);
    EXPECT_DOUBLE_EQ(o.Head.FullWindow.FirstTime, Start());
    EXPECT_NEAR(o.Head.FullWindow.LastTime, Start() + 50 * kOneMinute, 1e-9);
    EXPECT_EQ(o.Head.PeriodRecords, 6u);
    EXPECT_EQ(o.Head.Layout.Columns.StatCount(), 3);
    // Phase blocks of 14 bytes (channel code, minimum, average, maximum) after the head.
    EXPECT_EQ(o.Head.Layout.Columns.Columns[1], 20);
    EXPECT_EQ(o.Head.Layout.Columns.Columns[4], 34);
    EXPECT_EQ(o.Head.Layout.Columns.Columns[9], 56);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(TrendOpening, SinglePhaseWiringOffersL1Only)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteVoltageSeries(dir / "s.vme", {.start = Start(), .count = 3, .wiring = 1});
    ASSERT_TRUE(SelectVoltageSurvey(path, Start(), Start() + 1));
    const TTrendOpening o = Open(Start(), Start() + 1);
    ASSERT_EQ(o.Fault, TrendOpenFault::None);
    EXPECT_FALSE(o.Head.Layout.ThreePhase);
    EXPECT_EQ(o.Head.Layout.Columns.Columns[3], 28);
    EXPECT_EQ(o.Head.Layout.Columns.Columns[4], 0);
    EXPECT_EQ(o.Head.Layout.Columns.PhaseStride, 0);
}

TEST(TrendOpening, IntervalEndsAreBoundedNotNearest)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteVoltageSeries(dir / "s.vme", {.start = Start(), .count = 6});
    ASSERT_TRUE(SelectVoltageSurvey(path, Start(), Start() + 1));
    // 10:05 to 10:15 (+59.999 s): the 10:10 record only; the nearest search would also take 10:20.
    const TTrendOpening one = Open(Start() + 5 * kOneMinute, Start() + 15 * kOneMinute + kStopMinuteExtraDays);
    ASSERT_EQ(one.Fault, TrendOpenFault::None);
    EXPECT_EQ(one.Head.PeriodRecords, 1u);
    EXPECT_EQ(one.Head.FullWindow.FirstPos, one.Head.FullWindow.LastPos);

    const TTrendOpening none = Open(Start() + 1 * kOneMinute, Start() + 5 * kOneMinute);
    EXPECT_EQ(none.Fault, TrendOpenFault::EmptyInterval);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"No record found."});
}

TEST(TrendOpening, RefusesBadFilesWithOneMessage)
{
    TempProgDir dir;
    const std::string path = WriteVoltageSeries(dir / "s.vme", {.start = Start(), .count = 4});
    ASSERT_TRUE(SelectVoltageSurvey(path, Start(), Start() + 1));
    const std::string corrupted = "Voltage survey is corrupted. Unable to open the file.";
    {
        // The header's end offset no longer matches the records.
        ScriptedMessages messages;
        PatchFile(path, 0, {0xFF, 0xFF, 0, 0});
        EXPECT_EQ(Open(Start(), Start() + 1).Fault, TrendOpenFault::FileRefused);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{corrupted});
    }
    {
        // Flags announce a density curve the 60-byte records do not hold.
        ScriptedMessages messages;
        const std::string p2 = WriteVoltageSeries(dir / "t.vme", {.start = Start(), .count = 4});
        PatchFile(p2, 8 + TrendHead::Flags, {2 | 32, 0});
        SurveySelection().File(1).FileName = p2;
        EXPECT_EQ(Open(Start(), Start() + 1).Fault, TrendOpenFault::FileRefused);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{corrupted});
    }
    {
        // The last record's month is 13: the stamp routine's own message, nothing more.
        ScriptedMessages messages;
        const std::string p3 = WriteVoltageSeries(dir / "u.vme", {.start = Start(), .count = 4});
        SurveySelection().File(1).FileName = p3;
        PatchFile(p3, 8 + 3 * 60 + 3, {13});
        EXPECT_EQ(Open(Start(), Start() + 1).Fault, TrendOpenFault::RecordUnreadable);
        ASSERT_FALSE(messages.Texts().empty());
        EXPECT_EQ(messages.Texts().back(), "Invalid Date");
    }
}

TEST(TrendLayout, FrequencyRecordsOfAThreePhaseRecordingHoldL1Only)
{
    // The layout reader of the phase-block files, for a frequency file: one block whatever the
    // wiring says, so no L2 or L3 column points past the record.
    TTrendMember frequency = VoltageMember();
    frequency.Measure = MeasureFrequency;
    frequency.Curve.Count = kFrequencyCurveClasses;
    const Bytes record = TrendRecord(MeasureFrequency, {.wiring = 0, .flags = 2});
    const std::optional<TTrendLayout> layout = ReadPhaseBlockLayout(frequency, FieldView(record));
    ASSERT_TRUE(layout);
    EXPECT_FALSE(layout->ThreePhase);
    EXPECT_EQ(record.size(), 32u);
    EXPECT_EQ(layout->Columns.Columns[3], 28);
    EXPECT_EQ(layout->Columns.Columns[4], 0);
    // A head cut short is refused.
    EXPECT_FALSE(ReadPhaseBlockLayout(frequency, FieldView(std::span(record).first(17))));
}

TEST(WindowValues, GapsWhereRecordsAreMissing)
{
    TempProgDir dir;
    ScriptedMessages messages;
    // Grid 10:00 ... 11:30 every 10 minutes; 10:30 is missing.
    const std::string path = WriteVoltageSeries(dir / "s.vme", {.start = Start(), .count = 10, .missing = {3}});
    ASSERT_TRUE(SelectVoltageSurvey(path, Start(), Start() + 1));
    TTrendOpening o = Open(Start(), Start() + 1);
    ASSERT_EQ(o.Fault, TrendOpenFault::None);
    TTraceSettings traces = NewTraceSettings(200, 250);
    traces.Entries[0].Item = 2;
    traces.Entries[1].Item = 3;
    traces.Entries[1].Phase = 2;
    ResolveOffsets(traces, o.Head.Layout.Columns.Columns, o.Head.Layout.Columns.StatCount());

    const TWindowValues v = ReadWindow(o.Head.FullWindow, o.Head.Layout, traces);
    EXPECT_TRUE(v.Complete);
    ASSERT_EQ(v.RecordsRead(), 9u);
    EXPECT_EQ(v.Values[0][0], 230);
    EXPECT_EQ(v.Values[0][3], 234);  // grid position 4
    EXPECT_EQ(v.Values[1][8], 249);
    EXPECT_TRUE(v.Values[2].empty());
    EXPECT_EQ(v.Highest[0], 239);  // each trace's highest value, for the view's scale
    EXPECT_EQ(v.Highest[1], 249);
    EXPECT_EQ(v.Highest[2], -std::numeric_limits<double>::infinity());
    // The settings hold the last record read, as the values sheet takes them.
    EXPECT_NEAR(traces.RecordTime, Start() + 90 * kOneMinute, 1e-9);
    EXPECT_EQ(traces.Entries[0].Value, 239);
    EXPECT_EQ(traces.Entries[1].Value, 249);
    const std::vector<std::uint8_t> expected = {0, 1, 1, 0, 1, 1, 1, 1, 1};
    EXPECT_EQ(JoinFlags(v.Times.Values(), 600), expected);
    EXPECT_EQ(v.Joined, expected);

    // A window given with its ends swapped reads the same records.
    TRecordWindow reversed{o.Head.FullWindow.LastPos, o.Head.FullWindow.FirstPos, o.Head.FullWindow.LastTime,
                           o.Head.FullWindow.FirstTime};
    EXPECT_EQ(ReadWindow(reversed, o.Head.Layout, traces).RecordsRead(), 9u);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(WindowValues, NoJoinAcrossAMissingDay)
{
    TempProgDir dir;
    ScriptedMessages messages;
    // One-hour records; the 24 records of the second day are missing, so the next record
    // comes a day and one period after the last one before the gap.
    std::set<int> missing;
    for (int i = 24; i < 48; ++i) missing.insert(i);
    const std::string path =
        WriteVoltageSeries(dir / "s.vme", {.start = Start(), .periodMinutes = 60, .count = 50, .missing = missing});
    ASSERT_TRUE(SelectVoltageSurvey(path, Start(), Start() + 3));
    TTrendOpening o = Open(Start(), Start() + 3);
    ASSERT_EQ(o.Fault, TrendOpenFault::None);
    TTraceSettings traces = NewTraceSettings(200, 250);
    traces.Entries[0].Item = 2;
    ResolveOffsets(traces, o.Head.Layout.Columns.Columns, o.Head.Layout.Columns.StatCount());
    const TWindowValues v = ReadWindow(o.Head.FullWindow, o.Head.Layout, traces);
    const auto joined = JoinFlags(v.Times.Values(), 3600);
    ASSERT_EQ(v.RecordsRead(), 26u);
    EXPECT_EQ(joined[23], 1);
    EXPECT_EQ(joined[24], 0);  // 25 hours after the previous point: a gap
    EXPECT_EQ(joined[25], 1);
}

TEST(WindowValues, StopsAtAnUnreadableRecordKeepingWhatWasRead)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteVoltageSeries(
        dir / "s.vme", {.start = Start(), .count = 6, .values = [](int i, int) { return MinAvgMax{0, 900.0f + 50 * i, 0}; }});
    ASSERT_TRUE(SelectVoltageSurvey(path, Start(), Start() + 1));
    TTrendOpening o = Open(Start(), Start() + 1);
    ASSERT_EQ(o.Fault, TrendOpenFault::None);
    TTraceSettings traces = NewTraceSettings(200, 250);
    traces.Entries[0].Item = 2;
    ResolveOffsets(traces, o.Head.Layout.Columns.Columns, o.Head.Layout.Columns.StatCount());
    PatchFile(path, 8 + 4 * 60 + 3, {0});  // record 4: month 0
    const TWindowValues v = ReadWindow(o.Head.FullWindow, o.Head.Layout, traces);
    EXPECT_FALSE(v.Complete);
    EXPECT_EQ(v.RecordsRead(), 4u);
    EXPECT_EQ(v.Highest[0], 1050);  // 900, 950, 1000, 1050
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid Date"});
}

TEST(WindowValues, APairedTraceIsReadAsTwoColumnsAndPlotsTheChosenOne)
{
    // A member whose trace is a pair (as a current harmonic's percent and ampere): here the
    // minimum and the average that follows it, the average plotted.
    TTrendMember paired = VoltageMember();
    paired.ReadTrace = [](const TTrendLayout&, const TTraceEntry& e) {
        const auto at = static_cast<std::uint32_t>(e.Offset);
        return TTraceRead{{{at, ColumnType::F32, 1.0f}, {at + 4, ColumnType::F32, 1.0f}}, 1};
    };
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteVoltageSeries(
        dir / "s.vme", {.start = Start(), .count = 3, .values = [](int i, int) { return MinAvgMax{100.0f + i, 200.0f + i, 0}; }});
    ASSERT_TRUE(SelectVoltageSurvey(path, Start(), Start() + 1));
    const TTrendOpening o = OpenTrendHead(SurveySelection().File(1), paired, Start(), Start() + 1);
    ASSERT_EQ(o.Fault, TrendOpenFault::None);
    TTraceSettings traces = NewTraceSettings(200, 250);
    traces.Entries[2].Item = 1;
    traces.Entries[2].Offset = 20;  // L1 minimum
    TDataFile F;
    ASSERT_TRUE(OpenTrendDataFile(F, SurveySelection().File(1), 1));
    const TWindowValues v = ReadTraceWindow(F, o.Head.FullWindow, paired, o.Head.Layout, traces);
    EXPECT_TRUE(v.Complete);
    EXPECT_EQ(v.Values[2], (std::vector<double>{200, 201, 202}));
    EXPECT_EQ(traces.Entries[2].Value, 202);

    // A pair whose second column runs past the record reads nothing.
    traces.Entries[2].Offset = 56;  // L3 maximum, the record's last value
    EXPECT_FALSE(ReadTraceWindow(F, o.Head.FullWindow, paired, o.Head.Layout, traces).Complete);
}
