// The waveform view's rules without a window: traces of a record, axis limits and ranges, the
// labels' unit, channel values, the trigger grid, navigation over a period, the toolbar states,
// the zoom levels and the cursor.
#include "views/waveform_buttons.h"
#include "views/waveform_cursor.h"
#include "views/waveform_navigation.h"
#include "views/waveform_scaling.h"
#include "views/waveform_traces.h"
#include "views/waveform_triggers.h"
#include "views/zoom_stack.h"

#include "graph/graph_types.h"
#include "platform/little_endian.h"
#include "survey/trace_colours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(WaveformTraces, ANewViewShowsTheRecordsFirstSixChannels)
{
    const TWaveformTraceMemory memory(NewWaveformTraceSettings());
    const TRecordTraces t = BuildRecordTraces({0, 0, 1}, memory);
    EXPECT_EQ(t.Names, (std::vector<std::string>{"none", "Voltage", "Current"}));
    const std::array<std::pair<int, int>, 6> expected = {{{1, 0}, {2, 0}, {1, 1}, {2, 1}, {1, 2}, {2, 2}}};
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        EXPECT_EQ(t.Settings.Entries[k].Item, expected[k].first) << k;
        EXPECT_EQ(t.Settings.Entries[k].Phase, expected[k].second) << k;
        EXPECT_EQ(t.Settings.Entries[k].Colour, DefaultTraceColours[k]) << k;
        EXPECT_EQ(t.Channels[k], static_cast<int>(k));
    }
    EXPECT_TRUE(t.Settings.Axis1Auto);
    EXPECT_EQ(t.Settings.Axis1Min, -350);
    EXPECT_EQ(t.Settings.Axis1Max, 350);
    EXPECT_EQ(WaveformTraceLegend(0, t.Names, t.Settings.Entries[3]), "L2 Current");

    // A single-voltage record: one trace, the others none.
    const TRecordTraces single = BuildRecordTraces({7, 0, 1}, memory);
    EXPECT_EQ(single.Settings.Entries[0].Item, 1);
    EXPECT_EQ(single.Settings.Entries[1].Item, 0);
    EXPECT_EQ(single.Channels[1], kNoRecordChannel);
    EXPECT_EQ(WaveformTraceLegend(7, single.Names, single.Settings.Entries[1]), "none");
}

TEST(WaveformTraces, SettingsOfOneContentClassLeaveTheOtherAlone)
{
    TWaveformTraceMemory memory(NewWaveformTraceSettings());
    TTraceSettings harmonic = NewWaveformTraceSettings();
    harmonic.Entries[0] = {.Item = 1, .Phase = 2, .Colour = clBlue};
    memory.Remember(2, harmonic);

    const TRecordTraces h = BuildRecordTraces({2, 2, 1}, memory);
    EXPECT_EQ(h.Names, (std::vector<std::string>{"none", "2d Harmonic"}));
    EXPECT_EQ(h.Settings.Entries[0].Colour, clBlue);
    EXPECT_EQ(h.Channels[0], 2);  // L3 of set 2
    EXPECT_EQ(h.Channels[1], kNoRecordChannel);
    // Another second-harmonic record takes the same traces.
    EXPECT_EQ(BuildRecordTraces({7, 2, 1}, memory).Channels[0], kNoRecordChannel);
    // Samples and r.m.s. records still show their first channels.
    for (std::uint8_t content : {0, 1}) {
        const TRecordTraces s = BuildRecordTraces({0, content, 1}, memory);
        EXPECT_FALSE(memory.UserSet(content));
        EXPECT_EQ(s.Settings.Entries[1].Item, 2);
        EXPECT_EQ(s.Channels[5], 5);
    }
}

TEST(WaveformTraces, ChannelMapFollowsEachRecordsSet)
{
    TTraceSettings s = NewWaveformTraceSettings();
    s.Entries[0] = {.Item = 2, .Phase = 1};  // L2 current in sets 0 and 4
    s.Entries[1] = {.Item = 3, .Phase = 2};  // aux in set 4, after its phase is cleared
    NormaliseAuxPhases(4, s);
    EXPECT_EQ(s.Entries[1].Phase, 0);
    EXPECT_EQ(s.Entries[0].Phase, 1);
    const TTraceChannels set4 = MapTraceChannels(4, s);
    EXPECT_EQ(set4[0], 3);
    EXPECT_EQ(set4[1], 6);
    const TTraceChannels set6 = MapTraceChannels(6, s);  // item 2 is the aux channel of set 6
    EXPECT_EQ(set6[0], kNoRecordChannel);
    EXPECT_EQ(MapTraceChannels(1, s)[0], kNoRecordChannel);  // set 1 has no L2
    EXPECT_EQ(WaveformTraceLegend(4, ChannelSetTraceNames({4, 0, -1}), s.Entries[1]), "Aux Voltage");
}

TEST(WaveformScaling, RoundAxisLimit)
{
    const struct {
        double v;
        AxisLimitMode mode;
        double expected;
    } cases[] = {
        {237, AxisLimitMode::Upper, 250},      // 248.85, step 50, away from zero
        {-237, AxisLimitMode::Lower, -250},
        {237, AxisLimitMode::Lower, 200},      // 225.15, toward zero
        {-237, AxisLimitMode::Upper, -200},
        {0, AxisLimitMode::Upper, 0},
        {0.5, AxisLimitMode::Upper, 1},        // decade below 0 takes step 1
        {0.5, AxisLimitMode::Lower, 0},
        {8, AxisLimitMode::Upper, 9},          // 8.4, step 1
        {20, AxisLimitMode::Upper, 25},        // 21, step 5
        {1000 / 1.05, AxisLimitMode::Upper, 1000},  // already a multiple of 500
        {1200, AxisLimitMode::Upper, 1500},    // 1260, step 500
        {12000, AxisLimitMode::Upper, 13000},  // step 1000
        {4.5e9, AxisLimitMode::Upper, 4.725e9},  // decade 9 takes the last step, 1000000
        {kInf, AxisLimitMode::Upper, kInf},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(RoundAxisLimit(c.v, c.mode), c.expected) << c.v;
}

TEST(WaveformScaling, RangeScanRoundsAndWidens)
{
    const std::vector<double> sine = {0, 237, 12, -237};
    EXPECT_EQ(ScanSampleRange(sine), (TValueRange{-250, 250}));
    EXPECT_EQ(ScanSampleRange(std::vector<double>{3, 3}), (TValueRange{2, 4}));  // 2.85 and 3.15, step 1
    EXPECT_EQ(ScanSampleRange(std::vector<double>{0, 0}), (TValueRange{-5, 5}));
    EXPECT_EQ(ScanSampleRange({}), (TValueRange{-5, 5}));
    // Values that are not finite are not plotted and do not scale the axis.
    EXPECT_EQ(ScanSampleRange(std::vector<double>{kInf, 237, std::nan("")}), (TValueRange{200, 250}));
}

TSamplesRecordHead Head(std::uint8_t set, std::uint8_t content)
{
    TSamplesRecordHead h;
    h.ChannelSet = set;
    h.Content = content;
    h.SamplesPerChannel = 256;
    h.PreTrigger = 4;
    h.PostTrigger = 16;
    return h;
}

TEST(WaveformScaling, VoltagesGoLeftAndCurrentsRight)
{
    const TWaveformTraceMemory memory(NewWaveformTraceSettings());
    const TRecordTraces t = BuildRecordTraces({0, 0, 1}, memory);
    const std::vector<TValueRange> ranges = {{-350, 350}, {-600, 600}, {-300, 400}, {-5, 5}, {-250, 250}, {-10, 700}};
    const TWaveformAxes axes = WaveformAxes({0, 0, 1}, Head(0, 0), t.Settings, t.Channels, ranges);
    EXPECT_EQ(axes.Left, (TValueRange{-350, 400}));
    EXPECT_EQ(axes.Right, (TValueRange{-600, 700}));
    EXPECT_EQ(axes.Bottom, (TValueRange{-40, 160}));
    EXPECT_EQ(axes.LeftTitle, "Volt");
    EXPECT_EQ(axes.RightTitle, "Ampere");

    // Currents of a currents-only set are currents too.
    const TRecordTraces currents = BuildRecordTraces({3, 1, 1}, memory);
    const TWaveformAxes c = WaveformAxes({3, 1, 1}, Head(3, 1), currents.Settings, currents.Channels, ranges);
    EXPECT_EQ(c.Right, (TValueRange{-600, 600}));
    EXPECT_EQ(c.Left, (TValueRange{-350, 350}));  // nothing on it: the default
    EXPECT_EQ(c.Bottom, (TValueRange{-40, 150}));  // r.m.s.: the last interval is not drawn

    // A fixed left scale; second-harmonic titles.
    TTraceSettings fixed = t.Settings;
    fixed.Axis1Auto = false;
    fixed.Axis1Min = -100;
    fixed.Axis1Max = 100;
    const TWaveformAxes f = WaveformAxes({0, 2, 1}, Head(0, 2), fixed, t.Channels, ranges);
    EXPECT_EQ(f.Left, (TValueRange{-100, 100}));
    EXPECT_EQ(f.LeftTitle, " % ");
    EXPECT_EQ(f.RightTitle, " ");

    // No trace chosen: the default ranges.
    const TWaveformAxes none = WaveformAxes({0, 0, 1}, Head(0, 0), NewWaveformTraceSettings(), t.Channels, ranges);
    EXPECT_EQ(none.Left, (TValueRange{-350, 350}));
    EXPECT_EQ(none.Right, (TValueRange{-5, 5}));
}

TEST(WaveformScaling, TitleAndLabelsShareTheirUnit)
{
    EXPECT_EQ(VoltAxisUnit({-350, 999}).Title, "Volt");
    const TAxisUnit kv = VoltAxisUnit({-350, 1200});
    EXPECT_EQ(kv.Title, "kVolt");
    EXPECT_EQ(kv.Divisor, 1000);
    EXPECT_EQ(VoltAxisUnit({-1000, 0}).Title, "kVolt");
    EXPECT_EQ(VoltAxisUnit({0, 2.5e6}).Title, "MVolt");

    const std::vector<TAxisLabel> labels = AxisLabels({0, 1200}, kv.Divisor, 6);
    ASSERT_EQ(labels.size(), 7u);
    EXPECT_DOUBLE_EQ(labels.back().Value, 1200);
    EXPECT_EQ(labels.back().Text, "1.2");
    EXPECT_EQ(labels[1].Text, "0.2");
    const std::vector<TAxisLabel> volts = AxisLabels({-350, 350}, 1);
    ASSERT_FALSE(volts.empty());
    EXPECT_EQ(volts.front().Text, "-300");
    for (const TAxisLabel& l : volts) EXPECT_NE(l.Text, "-0");
    // A narrow zoom keeps distinct labels.
    const std::vector<TAxisLabel> narrow = AxisLabels({1.01, 1.02}, 1);
    ASSERT_GE(narrow.size(), 2u);
    EXPECT_NE(narrow[0].Text, narrow[1].Text);
    EXPECT_TRUE(AxisLabels({5, 5}, 1).empty());
    EXPECT_LE(AxisLabels({1e20, 1e20 + 1e5}, 1).size(), 25u);
}

TEST(WaveformScaling, FormatChannelValue)
{
    const struct {
        double value;
        const char* unit;
        const char* text;
    } cases[] = {
        {230.456, "V", "230.46 V"}, {1200, "V", "1.20 kV"}, {-2.5e6, "A", "-2.50 MA"}, {0.0004, "A", "0.00 A"},
        {5e12, "V", "5000.00 GV"},  {12.5, "%", "12.50 %"},  {1500, "", "1.50k"},      {kInf, "V", "*** V"},
        {-kInf, "A", "*** A"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatChannelValue(c.value, c.unit), c.text) << c.value;
}

TSamplesRecord TriggerRecord(std::uint8_t set, std::vector<std::pair<std::uint8_t, std::uint8_t>> triggers)
{
    TSamplesRecord r;
    r.Head = Head(set, 0);
    for (std::size_t i = 0; i < triggers.size(); ++i) {
        r.Triggers[i].TriggerType = triggers[i].first;
        r.Triggers[i].Channel = triggers[i].second;
        StoreU32(r.Triggers[i].Value1.data(), std::bit_cast<std::uint32_t>(253.0f));
    }
    return r;
}

TEST(WaveformTriggers, CellsTakeTheColourOfTheTraceOnTheirChannel)
{
    // Over on L1 voltage, under on L2 current, a transient on L3 voltage, and a fourth entry
    // that is not looked at.
    const TSamplesRecord r = TriggerRecord(0, {{1, 0}, {14, 3}, {8, 4}, {1, 2}});
    TTraceSettings s = NewWaveformTraceSettings();
    s.Entries[0] = {.Item = 1, .Phase = 0, .Colour = clRed};
    s.Entries[1] = {.Item = 2, .Phase = 1, .Colour = clGreen};
    const TTriggerGrid grid = FillTriggerGrid(r, s, MapTraceChannels(0, s));
    ASSERT_EQ(grid[0].Filled, 1);
    ASSERT_EQ(grid[1].Filled, 1);
    ASSERT_EQ(grid[2].Filled, 1);
    EXPECT_EQ(grid[0].Cells[0], (TTriggerCell{clRed, false, "Over on L1V at 253.00 V"}));
    EXPECT_EQ(grid[1].Cells[0].Colour, clGreen);
    EXPECT_EQ(grid[1].Cells[0].Hint, "Under on L2I at 253.00 A");
    EXPECT_EQ(grid[2].Cells[0].Colour, kTriggerCellGrey);  // traces chosen, none on L3 voltage

    // No trace at all: hatched; an input the record lacks: white, named by the input.
    const TTraceSettings none = NewWaveformTraceSettings();
    const TTriggerGrid hatched = FillTriggerGrid(r, none, MapTraceChannels(0, none));
    EXPECT_TRUE(hatched[0].Cells[0].Hatched);
    const TSamplesRecord currents = TriggerRecord(3, {{3, 4}, {1, 1}, {4, 1}});
    const TTriggerGrid lacking = FillTriggerGrid(currents, s, MapTraceChannels(3, s));
    EXPECT_EQ(lacking[2].Cells[0], (TTriggerCell{kTriggerCellWhite, false, "Transients on L3V at 253.00 V"}));
    EXPECT_EQ(lacking[3].Filled, 1);

    // The labels of the shown rows, in row order, a white cell's in black.
    const std::vector<TTriggerLabel> labels = TriggerLabels(lacking);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].Text, "Over on L1I at 253.00 A");
    EXPECT_EQ(labels[1].Colour, 0u);
}

TEST(WaveformTriggers, EntriesOfOtherTypesOrInputsFillNoCell)
{
    const TSamplesRecord r = TriggerRecord(4, {{0, 0}, {9, 1}, {1, 7}});
    const TTriggerGrid grid = FillTriggerGrid(r, NewWaveformTraceSettings(), {});
    for (const TGridInfo& row : grid) EXPECT_EQ(row.Filled, 0);
    // The aux input of a record with a positive aux sign.
    const TSamplesRecord aux = TriggerRecord(4, {{2, 6}});
    EXPECT_EQ(FillTriggerGrid(aux, NewWaveformTraceSettings(), {})[1].Cells[0].Hint, "Under on AuxI at 253.00 A");
}

// An index of captures at `minutes` past 10:00 on 15/03/2024, each 100 bytes long.
struct TestIndex {
    Bytes bytes;
    TMeasureFileInfo info;
};
double At(int minute, int ms = 0) { return (45366 + (600 + minute) / 1440.0) + ms / kMillisecondsPerDay; }
TestIndex IndexOf(std::vector<int> minutes)
{
    TestIndex t;
    ByteWriter out;
    for (std::size_t i = 0; i < minutes.size(); ++i) {
        out.U32(static_cast<std::uint32_t>(9 + 100 * i));
        out.F64(At(minutes[i]));
        out.U8(0);
    }
    t.bytes = out.Take();
    t.info.RecordCount = static_cast<std::int32_t>(minutes.size());
    t.info.FirstTime = At(minutes.front());
    t.info.LastTime = At(minutes.back());
    return t;
}

TEST(WaveformNavigation, PeriodsBeforeInsideAndAfterTheRecords)
{
    const TestIndex index = IndexOf({0, 10, 20, 30, 40});
    const struct {
        const char* name;
        double start, stop;
        int first, count;  // count 0: the view does not open
    } cases[] = {
        {"before", At(-30), At(-1), 0, 0},
        {"after", At(41), At(60), 0, 0},
        {"between records", At(11), At(19), 0, 0},
        {"inside", At(5), At(30, 999), 1, 3},
        {"over all", At(-30), At(60), 0, 5},
        {"on one record", At(20), At(20), 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TWaveformNavigation n;
        ASSERT_EQ(n.Open(index.bytes, index.info, c.start, c.stop), c.count > 0);
        if (c.count == 0) continue;
        EXPECT_EQ(n.FirstEntry(), c.first);
        EXPECT_EQ(n.Count(), c.count);
        EXPECT_EQ(n.Current(), 1);
        EXPECT_EQ(n.CurrentEntry()->Offset, 9u + 100u * static_cast<std::uint32_t>(c.first));
        n.GoToLast();
        EXPECT_EQ(n.CurrentEntry()->Time, At(10 * (c.first + c.count - 1)));
    }
}

TEST(WaveformNavigation, MovesStayWithinThePeriod)
{
    const TestIndex index = IndexOf({0, 10, 20, 30, 40});
    TWaveformNavigation n;
    ASSERT_TRUE(n.Open(index.bytes, index.info, At(5), At(35)));  // records 10, 20, 30
    EXPECT_FALSE(n.GoToPrevious());
    EXPECT_TRUE(n.GoToNext());
    EXPECT_TRUE(n.GoToLast());
    EXPECT_FALSE(n.GoToNext());
    EXPECT_EQ(n.Current(), 3);
    EXPECT_FALSE(n.GoTo(4));
    EXPECT_FALSE(n.GoTo(0));
    EXPECT_TRUE(n.GoToFirst());
    EXPECT_EQ(n.Current(), 1);

    // Times and offsets are looked for within the period only.
    EXPECT_TRUE(n.GoToTime(At(30)));
    EXPECT_EQ(n.Current(), 3);
    EXPECT_FALSE(n.GoToTime(At(40)));      // outside the period
    EXPECT_FALSE(n.GoToTime(At(20, 1)));   // a millisecond off
    EXPECT_EQ(n.Current(), 3);
    EXPECT_TRUE(n.GoToOffset(209));
    EXPECT_EQ(n.Current(), 2);
    EXPECT_FALSE(n.GoToOffset(9));   // the record before the period
    EXPECT_FALSE(n.GoToOffset(210));
    EXPECT_EQ(n.Current(), 2);
    EXPECT_TRUE(n.PeriodHolds(At(35)));
    EXPECT_FALSE(n.PeriodHolds(At(36)));
}

TEST(WaveformNavigation, AutoForwardStopsAtTheEnd)
{
    const TestIndex index = IndexOf({0, 10, 20});
    TWaveformNavigation n;
    ASSERT_TRUE(n.Open(index.bytes, index.info, At(0), At(20)));
    n.ToggleAutoForward();
    EXPECT_EQ(n.Stepping(), AutoStep::Forward);
    EXPECT_TRUE(n.Tick());
    EXPECT_TRUE(n.Tick());
    EXPECT_EQ(n.Current(), 3);
    EXPECT_FALSE(n.Tick());
    EXPECT_EQ(n.Stepping(), AutoStep::Off);
    EXPECT_EQ(n.Current(), 3);

    // Backward switched on while forward runs stops the forward stepping.
    n.GoToFirst();
    n.ToggleAutoForward();
    n.ToggleAutoBackward();
    EXPECT_EQ(n.Stepping(), AutoStep::Backward);
    EXPECT_FALSE(n.Tick());  // already at record 1
    EXPECT_EQ(n.Stepping(), AutoStep::Off);
    n.ToggleAutoForward();
    n.ToggleAutoForward();
    EXPECT_EQ(n.Stepping(), AutoStep::Off);
}

TEST(WaveformButtons, StatesFollowTheView)
{
    TWaveformViewState s{.AnyTrace = true, .Current = 1, .Count = 3};
    TWaveformButtons b = WaveformButtons(s);
    EXPECT_EQ(b.ZoomIn, (TToggleButton{true, false}));
    EXPECT_FALSE(b.ZoomOut);
    EXPECT_TRUE(b.MeasureCursor.Enabled);
    EXPECT_TRUE(b.ScrollGraph.Enabled);
    EXPECT_FALSE(b.First);
    EXPECT_FALSE(b.Previous);
    EXPECT_TRUE(b.Next);
    EXPECT_TRUE(b.Last);
    EXPECT_EQ(b.AutoForward, (TToggleButton{true, false}));
    EXPECT_FALSE(b.AutoBackward.Enabled);
    EXPECT_TRUE(b.EventNumber);

    // The cursor disables all navigation, zooming and panning.
    s.CursorOn = true;
    b = WaveformButtons(s);
    TWaveformButtons cursorOnly;
    cursorOnly.MeasureCursor = {true, true};
    EXPECT_EQ(b, cursorOnly);

    // Stepping keeps the cursor off; panning keeps zoom and cursor off.
    s.CursorOn = false;
    s.Stepping = AutoStep::Forward;
    s.Current = 3;
    b = WaveformButtons(s);
    EXPECT_FALSE(b.MeasureCursor.Enabled);
    EXPECT_EQ(b.AutoForward, (TToggleButton{false, true}));
    s = {.AnyTrace = true, .Zoomed = true, .PanMode = true, .Current = 2, .Count = 3};
    b = WaveformButtons(s);
    EXPECT_FALSE(b.ZoomIn.Enabled);
    EXPECT_FALSE(b.ZoomOut);
    EXPECT_EQ(b.ScrollGraph, (TToggleButton{true, true}));
    // Without a trace nothing navigates.
    EXPECT_EQ(WaveformButtons({.Current = 2, .Count = 3}), TWaveformButtons{});
}

TEST(ZoomStack, ZoomTwiceAndBack)
{
    const TZoomLevel full{{-40, 160}, {-350, 350}, {-5, 5}};
    TZoomStack zoom;
    zoom.Reset(full);
    EXPECT_FALSE(zoom.Zoomed());
    // The first zoom's bottom range is kept within the unzoomed one.
    ASSERT_TRUE(zoom.Push({{-60, 100}, {-100, 300}, {-2, 4}}));
    EXPECT_EQ(zoom.Shown().X, (TValueRange{-40, 100}));
    ASSERT_TRUE(zoom.Push({{0, 50}, {0, 200}, {0, 3}}));
    EXPECT_EQ(zoom.Level(), 2);
    EXPECT_EQ(zoom.Back(), (TZoomLevel{{-40, 100}, {-100, 300}, {-2, 4}}));
    EXPECT_TRUE(zoom.Zoomed());
    EXPECT_EQ(zoom.Back(), full);
    EXPECT_FALSE(zoom.Zoomed());
    EXPECT_EQ(zoom.Back(), full);

    // An empty rectangle zooms nothing; undo forgets every level.
    EXPECT_FALSE(zoom.Push({{10, 10}, {0, 1}, {0, 1}}));
    EXPECT_FALSE(zoom.Push({{200, 300}, {0, 1}, {0, 1}}));  // wholly right of the record
    ASSERT_TRUE(zoom.Push({{0, 50}, {0, 200}, {0, 3}}));
    ASSERT_TRUE(zoom.Push({{0, 20}, {0, 100}, {0, 3}}));
    EXPECT_EQ(zoom.Undo(), full);
    EXPECT_EQ(zoom.Level(), 0);
}

TEST(WaveformCursor, PicksTheNearestSampleWithinTheAxis)
{
    const TSamplesRecordHead head = Head(0, 0);  // 256 samples over -40..160 ms: 0.78125 ms apart
    const TValueRange full{-40, 160};
    EXPECT_EQ(CursorIndexAt(head, -40.2, full, 7), 7);  // outside: the last index
    EXPECT_EQ(CursorIndexAt(head, 0.5, full, 7), 52);   // 40.5 / 0.78125 = 51.84
    EXPECT_EQ(CursorIndexAt(head, 159.9, full, 0), std::nullopt);  // index 256 is not a sample
    const TValueRange zoomed{0, 10};
    EXPECT_EQ(CursorIndexAt(head, 20, zoomed, 0), std::nullopt);  // the last index lies outside
    EXPECT_EQ(CursorStep(head, 51, 1, zoomed), 52);
    EXPECT_EQ(CursorStep(head, 51, -1, zoomed), std::nullopt);  // 50 lies at -0.94 ms
    EXPECT_EQ(CursorStep(head, 255, 1, full), std::nullopt);
    EXPECT_EQ(CursorStep(head, 0, -1, full), std::nullopt);
}
}  // namespace
