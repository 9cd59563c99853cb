// The events list without its window: the filter and its dialog's boxes, the rows of a period
// with their texts, colours and bold dates, the row limit, empty and unsorted periods, the
// capture a row's date leads to, and the system events with their parameter texts.
#include "events_fixture.h"

#include "platform/colours.h"
#include "platform/file_io.h"
#include "survey/measure_file_info.h"
#include "survey/event_waveforms.h"
#include "survey/samples_index.h"
#include "survey/trace_colours.h"
#include "views/events_list.h"
#include "views/system_events.h"

#include <bit>
#include <gtest/gtest.h>

namespace {
TEventFields Fields(int type, int channel, float peak = 0, int duration = 0)
{
    return {static_cast<std::int16_t>(type), static_cast<std::int16_t>(channel), 0, 0, peak, duration};
}

const CellStyle& StyleAt(const TF1Book& book, int row, int col)
{
    const Cell* cell = book.SheetAt(1).Find(row, col);
    static const CellStyle none;
    return cell ? book.StyleOf(*cell) : none;
}

std::vector<std::string> RowTexts(const TF1Book& book, int row)
{
    std::vector<std::string> texts;
    for (int col = kEventsDateColumn; col <= kEventsLastColumn; ++col) texts.push_back(book.CellText(row, col));
    return texts;
}
}  // namespace

TEST(EventFilter, PassesAsItsFlagsAndLimitsSay)
{
    const TEventFilter initial;
    auto with = [&](auto change) {
        TEventFilter f = initial;
        change(f);
        return f;
    };
    const TEventFilter noUnder = with([](TEventFilter& f) { f.Types[1] = false; });
    const TEventFilter noVoltage = with([](TEventFilter& f) { f.Classes[EventClassVoltage] = false; });
    const TEventFilter noL1 = with([](TEventFilter& f) { f.Phases[0] = false; });
    const TEventFilter noL1L2 = with([](TEventFilter& f) { f.Phases[0] = f.Phases[1] = false; });
    const TEventFilter noDigital = with([](TEventFilter& f) { f.Classes[EventClassDigitalInputs] = false; });
    const TEventFilter atLeastOneAndAHalf = with([](TEventFilter& f) { f.DurationLimit = 1.5f; });
    const TEventFilter underOneAndAHalf = with([](TEventFilter& f) { f.DurationLimit = 1.5f, f.DurationMode = 0; });
    const TEventFilter atLeastATenth = with([](TEventFilter& f) { f.DurationLimit = 0.1f; });
    const TEventFilter peakBelow200 = with([](TEventFilter& f) { f.ValueLimit = 200, f.ValueMode = 0; });
    struct Case {
        TEventFields e;
        const TEventFilter& filter;
        bool passes;
        const char* what;
    };
    const Case cases[] = {
        {Fields(1, 0, -999, 0), initial, true, "the initial limits let everything through"},
        {Fields(16, 0), initial, false, "system events never pass"},
        {Fields(6, 1), initial, true, "type 6 passes before the dialog's first OK"},
        {Fields(26, 1), initial, true, "types beyond the flags pass"},
        {Fields(34, 153), initial, true, "current peaks pass"},
        {Fields(-3, 0), initial, true, "an unknown type passes"},
        {Fields(32, 15), noUnder, false, "type 32 takes the flag of type 2"},
        {Fields(32, 15), noVoltage, false, "type 32 is a voltage event whatever its channel"},
        {Fields(3, 0), noUnder, true, "type 3 has its own flag"},
        {Fields(1, 8), noVoltage, false, "L4 is a voltage"},
        {Fields(1, 1005), noVoltage, false, "a multi-phase voltage is a voltage"},
        {Fields(1, 40), noVoltage, true, "a harmonic is no voltage event"},
        {Fields(1, 9), noVoltage, true, "a channel without class passes the class test"},
        {Fields(1, 0), noL1, false, "L1 unticked"},
        {Fields(1, 41), noL1, true, "harmonic channel 41 is L2"},
        {Fields(1, 8), noL1L2, true, "L4 has no phase box"},
        {Fields(24, 800), noL1, true, "digital inputs have no phase"},
        {Fields(24, 810), noDigital, false, "digital input 11 is a digital input"},
        {Fields(1, 1005), noL1, true, "L1L3 passes on L3"},
        {Fields(1, 1003), noL1L2, false, "L1L2 with both unticked"},
        {Fields(1, 1008), noL1L2, true, "a multi-phase voltage of L4 alone"},
        {Fields(1, 0, 0, 150), atLeastOneAndAHalf, true, "'greater than' passes the limit itself"},
        {Fields(1, 0, 0, 149), atLeastOneAndAHalf, false, "below the limit"},
        {Fields(1, 0, 0, 150), underOneAndAHalf, false, "'less than' refuses the limit itself"},
        {Fields(1, 0, 0, 10), atLeastATenth, true, "a limit of 0.1 s passes 10 hundredths"},
        {Fields(1, 0, 199.5f), peakBelow200, true, "peak below the value"},
        {Fields(1, 0, 200), peakBelow200, false, "peak at the value"},
    };
    for (const Case& c : cases) EXPECT_EQ(EventPassesFilter(c.e, c.filter), c.passes) << c.what;
}

TEST(EventFilter, DialogBoxesClearTypeSixForGoodAndKeepTheTypesBeyondTen)
{
    TEventFilter filter;
    filter.Types[14] = false;  // type 15
    TEventFilterBoxes boxes = FilterBoxes(filter);
    EXPECT_TRUE(FilterBoxesValid(boxes));
    for (bool ticked : boxes.Types) EXPECT_TRUE(ticked);
    boxes.Types[TypeBoxOver] = false;
    ApplyFilterBoxes(boxes, filter);
    for (int type = 1; type <= kEventFilterTypes; ++type)
        EXPECT_EQ(filter.Types[static_cast<std::size_t>(type - 1)], type != 1 && type != 6 && type != 15) << type;
    EXPECT_FALSE(EventPassesFilter(Fields(6, 0), filter));

    // One type of a box is enough to tick it: Fast Variation from type 5 alone.
    filter.Types[3] = false;
    EXPECT_TRUE(FilterBoxes(filter).Types[TypeBoxFastVariation]);
    filter.Types[4] = false;
    EXPECT_FALSE(FilterBoxes(filter).Types[TypeBoxFastVariation]);

    TEventFilterBoxes noClass = FilterBoxes(TEventFilter{}), noPhase = noClass, noType = noClass;
    noClass.Classes.fill(false);
    noPhase.Phases.fill(false);
    noType.Types.fill(false);
    for (const TEventFilterBoxes& b : {noClass, noPhase, noType}) EXPECT_FALSE(FilterBoxesValid(b));
    EXPECT_EQ(FilterLimitText(-1000), "-1000.00");
}

TEST(EventsList, RowsWithTheirTextsColoursAndBoldDatesOfCaptures)
{
    EventsSurvey survey(
        {Event(1, 0, EventAt(10, 0, 0, 0), 253, 260.5f, 150),     // captured
         Event(5, 0, EventAt(10, 1)),                             // never a row
         Event(2, 1, EventAt(10, 2, 0, 25), 207, 2.0f, 5000),     // an interruption; captured 10 ms later
         Event(16, 2, EventAt(10, 3)),                            // system event
         Event(1, 300, EventAt(10, 4)),                           // never a row
         Event(33, 151, EventAt(10, 5), 400, 410.25f),            // voltage peak, captured: not looked up
         Event(24, 801, EventAt(10, 6, 0, 4)),                    // digital input
         Event(1, 2, EventAt(10, 7), 1500, 1600, 7),              // engineering threshold
         Event(1, 1005, EventAt(10, 8)),                          // multi-phase, captured
         Event(1, 3, EventAt(10, 9), 50.5f, 50.6f)},              // frequency, captured: not looked up
        {Capture(EventAt(10, 0, 0, 0)), Capture(EventAt(10, 2, 0, 26)), Capture(EventAt(10, 5)),
         Capture(EventAt(10, 8)), Capture(EventAt(10, 9))});
    TEventsList list(survey.selection);
    ASSERT_TRUE(list.HasSamples());
    EXPECT_FALSE(list.IndexFile().empty());
    EXPECT_TRUE(FileExists(list.IndexFile()));
    TF1Book book;
    list.SetupGrid(book);
    list.Fill(book, TEventFilter{});
    list.Format(book);

    EXPECT_EQ(list.PeriodCount(), 10);
    EXPECT_EQ(list.TotalRecords(), 10);
    EXPECT_TRUE(list.SystemEventsMet());
    ASSERT_EQ(list.RowsWritten(), 7);
    EXPECT_TRUE(list.Incomplete());
    using Row = std::vector<std::string>;
    EXPECT_EQ(RowTexts(book, 2), (Row{"Date", "Measure", "Type", "Unit", "Threshold", "Peak", "Duration (s.)"}));
    EXPECT_EQ(RowTexts(book, 3), (Row{"15/03/2024 10:00:00.00", "L1 Voltage", "Over", "V", "253", "260.50", "1.50"}));
    EXPECT_EQ(RowTexts(book, 4), (Row{"15/03/2024 10:02:00.25", "L2 Voltage", "Interruption", "V", "207", "2.00", "50.00"}));
    EXPECT_EQ(RowTexts(book, 5), (Row{"15/03/2024 10:05:00.00", "L2 Voltage", "Peak", "", "400", "410.25", "0.00"}));
    EXPECT_EQ(RowTexts(book, 6), (Row{"15/03/2024 10:06:00.04", "Digital input #2", "Off-On", "", "0", "0.00", "0.00"}));
    EXPECT_EQ(RowTexts(book, 7), (Row{"15/03/2024 10:07:00.00", "L3 Voltage", "Over", "V", "1.500k", "1600.00", "0.07"}));
    EXPECT_EQ(RowTexts(book, 8)[1], "Multi Phase Voltage L1L3");
    EXPECT_EQ(RowTexts(book, 9)[1], "Frequency");
    EXPECT_EQ(book.CellText(10, kEventsDateColumn), "");

    const struct {
        int row;
        std::uint32_t colour;
        bool boldDate;
    } looks[] = {{3, clBlue, true},  {4, clBlue, false}, {5, clPurple, false}, {6, clGray, false},
                 {7, clBlue, false}, {8, clBlue, true},  {9, clFuchsia, false}};
    for (const auto& look : looks) {
        for (int col = kEventsDateColumn; col <= kEventsLastColumn; ++col) {
            const CellFont& font = StyleAt(book, look.row, col).font;
            EXPECT_EQ(font.colour, look.colour) << look.row << "," << col;
            EXPECT_EQ(font.bold, look.boldDate && col == kEventsDateColumn) << look.row << "," << col;
        }
    }
    const CellStyle& header = StyleAt(book, kEventsHeaderRow, 3);
    EXPECT_TRUE(header.font.bold);
    EXPECT_EQ(header.horizontal, 3);
    EXPECT_EQ(StyleAt(book, 5, kEventsUnitColumn).horizontal, 3);
    EXPECT_EQ(StyleAt(book, 5, 6).horizontal, 4);
    EXPECT_EQ(StyleAt(book, 9, 6).bottom.style, 2);
    EXPECT_EQ(book.SheetName(1), "Events");
    EXPECT_EQ(book.TableName(), "test.orv");
    EXPECT_EQ(book.MaxRow(), 20);

    // A new fill after clearing leaves no row of the old one behind.
    TEventFilter voltageOnly;
    voltageOnly.Classes.fill(false);
    voltageOnly.Classes[EventClassVoltage] = true;
    list.ClearRows(book);
    list.Fill(book, voltageOnly);
    list.Format(book);
    EXPECT_EQ(list.RowsWritten(), 4);
    EXPECT_EQ(book.CellText(7, kEventsDateColumn), "");
    EXPECT_EQ(StyleAt(book, 9, 3).font.colour, kAutoColour);
}

TEST(EventsList, AtMostSixteenThousandRowsOfThePeriod)
{
    for (const std::int64_t count : {16000, 16001}) {
        TempProgDir dir;
        ScriptedMessages messages;
        TEventsList list(LongEventsSelection(dir, count));
        TF1Book book;
        list.SetupGrid(book);
        list.Fill(book, TEventFilter{});
        EXPECT_EQ(list.PeriodCount(), count);
        EXPECT_EQ(list.Truncated(), count > kEventsListLimit);
        EXPECT_EQ(list.RowsWritten(), kEventsListLimit);
        EXPECT_EQ(list.Incomplete(), count > kEventsListLimit);
        EXPECT_EQ(book.CellText(kEventsFirstRow + kEventsListLimit - 1, kEventsDateColumn), "15/03/2024 14:26:39.00");
        EXPECT_EQ(book.CellText(kEventsFirstRow + kEventsListLimit, kEventsDateColumn), "");
    }
}

// The row limit counts rows, not records: filtered records before them leave room for more.
TEST(EventsList, TheLimitTakesTheFirstRowsThatPass)
{
    TempProgDir dir;
    ScriptedMessages messages;
    // Every other over-voltage on L2.
    TEventsList list(LongEventsSelection(dir, 32010, [](std::int64_t i, std::uint8_t* r) { r[22] = static_cast<std::uint8_t>(i % 2); }));
    TF1Book book;
    TEventFilter l1Only;
    l1Only.Phases = {true, false, false};
    list.Fill(book, l1Only);
    ASSERT_EQ(list.RowsWritten(), kEventsListLimit);
    EXPECT_EQ(book.CellText(kEventsFirstRow + kEventsListLimit - 1, kEventsMeasureColumn), "L1 Voltage");
    EXPECT_EQ(book.CellText(kEventsFirstRow + kEventsListLimit - 1, kEventsDateColumn), "15/03/2024 18:53:18.00");
}

TEST(EventsList, APeriodWithoutRecordsIsAnEmptyList)
{
    EventsSurvey survey({Event(1, 0, EventAt(9, 0)), Event(1, 0, EventAt(12, 30))});
    TEventsList list(survey.selection);
    TF1Book book;
    list.SetupGrid(book);
    std::vector<std::int64_t> progressTotals;
    list.Fill(book, TEventFilter{}, [&](std::int64_t, std::int64_t total) { progressTotals.push_back(total); });
    list.Format(book);
    EXPECT_EQ(list.PeriodCount(), 0);
    EXPECT_EQ(list.RowsWritten(), 0);
    EXPECT_FALSE(list.Incomplete());
    EXPECT_FALSE(list.FirstTime().has_value());
    EXPECT_TRUE(progressTotals.empty());
    EXPECT_EQ(book.CellText(kEventsHeaderRow, kEventsDateColumn), "Date");
    EXPECT_EQ(book.MaxRow(), 10);
}

// Times that run backwards: the bounded search still gives a period inside the file, and the
// list shows what lies in it in file order.
TEST(EventsList, UnsortedTimesStayInsideTheFile)
{
    EventsSurvey survey({Event(1, 0, EventAt(11, 30)), Event(1, 1, EventAt(10, 30)), Event(1, 2, EventAt(10, 10))});
    for (const auto& [from, to] : {std::pair{EventTime(10, 0), EventTime(11, 59)}, std::pair{EventTime(10, 20), EventTime(10, 40)},
                                   std::pair{EventTime(11, 0), EventTime(11, 5)}}) {
        survey.SetInterval(from, to);
        TEventsList list(survey.selection);
        TF1Book book;
        list.Fill(book, TEventFilter{});
        EXPECT_GE(list.PeriodCount(), 0);
        EXPECT_LE(list.PeriodCount(), 3);
        EXPECT_EQ(list.RowsWritten(), list.PeriodCount());
    }
}

TEST(EventsList, DateSearchTypesPairMeasureNamesWithTypeNames)
{
    const struct {
        const char* measure;
        const char* type;
        std::vector<int> types;
    } cases[] = {
        {"L1 Voltage", "Over", {1, 1}},            // "L1 Voltage", then "Voltage" inside it
        {"L2 Voltage", "Under", {2, 3, 2, 3}},
        {"L1 Voltage", "Transients", {8}},         // transients only for the phase voltages
        {"L3 Voltage", "Peak", {13}},
        {"Frequency", "Over", {1}},
        {"Multi Phase Voltage L1L3", "Over", {1, 1}},
        {"L1 5th(V)", "Over", {}},
        {"Digital input #1", "Off-On", {}},
        {"Measure", "Type", {}},
        {"", "", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(WaveformSearchTypes(c.measure, c.type), c.types) << c.measure << " / " << c.type;
}

TEST(EventsList, ARowsDateLeadsToItsCaptureOrBeeps)
{
    EventsSurvey survey({Event(1, 0, EventAt(10, 0, 0, 50)), Event(1, 1, EventAt(10, 1)), Event(1, 3, EventAt(10, 2))},
                        {Capture(EventAt(10, 1, 0, 1)), Capture(EventAt(10, 0, 0, 50)), Capture(EventAt(10, 2))});
    TEventsList list(survey.selection);
    TF1Book book;
    list.Fill(book, TEventFilter{});
    ASSERT_EQ(list.RowsWritten(), 3);
    const auto index = BuildSamplesIndexEntries(survey.samplesPath);
    ASSERT_TRUE(index);
    const auto second = IndexEntry(*index, 1);
    ASSERT_TRUE(second);

    const auto choice = list.WaveformOfRow(book, kEventsFirstRow);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->Offset, second->Offset);
    EXPECT_EQ(choice->EventTime, EventTime(10, 0, 0, 50));
    EXPECT_EQ(survey.messages.beeps, 0);

    // L2 at 10:01 has a capture a millisecond later only: one beep per search and one more.
    EXPECT_FALSE(list.WaveformOfRow(book, kEventsFirstRow + 1));
    EXPECT_EQ(survey.messages.beeps, 3);
    // The frequency row's capture is found by its date, though its date is not bold.
    EXPECT_TRUE(list.WaveformOfRow(book, kEventsFirstRow + 2));
    // The header and a row past the list find nothing.
    survey.messages.beeps = 0;
    EXPECT_FALSE(list.WaveformOfRow(book, kEventsHeaderRow));
    EXPECT_FALSE(list.WaveformOfRow(book, kEventsFirstRow + 5));
    EXPECT_EQ(survey.messages.beeps, 2);
    // Outside the period no capture counts.
    EXPECT_FALSE(list.FindWaveformAt(1, EventTime(9, 59)));
}

TEST(EventWaveforms, FirstCaptureAtTheMillisecondInFileOrder)
{
    TempProgDir dir;
    const std::string path =
        WriteSamplesFile(dir / "w.tme", 12,
                         {Capture(EventAt(10, 5)), Capture(EventAt(10, 1, 0, 7)), Capture(EventAt(10, 1, 0, 7), 2),
                          Capture(EventAt(10, 3))});
    const auto index = BuildSamplesIndexEntries(path);
    ASSERT_TRUE(index);
    const TEventWaveforms waveforms(*index, path, 12);
    EXPECT_EQ(waveforms.Count(), 4u);
    auto offset = [&](int n) { return IndexEntry(*index, n)->Offset; };
    EXPECT_EQ(waveforms.Find(1, EventTime(10, 1, 0, 7)), offset(1));
    EXPECT_EQ(waveforms.Find(11, EventTime(10, 1, 0, 7)), offset(2));  // dummy dips: second harmonic only
    EXPECT_EQ(waveforms.Find(12, EventTime(10, 3)), std::nullopt);
    EXPECT_EQ(waveforms.Find(2, EventTime(10, 5)), offset(0));
    EXPECT_EQ(waveforms.Find(2, EventTime(10, 5) + kOneSecond / 1000), std::nullopt);
    EXPECT_EQ(waveforms.Find(2, std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(TEventWaveforms().Find(1, EventTime(10, 5)), std::nullopt);
}

TEST(EventsList, ASamplesFileThatCannotBeReadLeavesNoCaptures)
{
    EventsSurvey survey({Event(1, 0, EventAt(10, 0))}, {Capture(EventAt(10, 0))});
    PatchFile(survey.samplesPath, 9, Bytes{0xFF, 0xFF, 0xFF, 0x7F});  // the first record's length
    TEventsList list(survey.selection);
    EXPECT_TRUE(list.HasSamples());
    EXPECT_TRUE(list.IndexFile().empty());
    EXPECT_FALSE(list.FindWaveformAt(1, EventTime(10, 0)));
}

namespace {
// A system event's fields: the date in the duration field, the time in the peak's bytes.
TSystemEventFields SystemEvent(int code, std::int32_t duration = 0, std::array<std::uint8_t, 4> peak = {}, float threshold = 0)
{
    return {static_cast<std::int16_t>(code), threshold, duration, peak};
}
std::int32_t PackedDate(int year, int month, int day) { return year | (day << 16) | (month << 24); }
std::array<std::uint8_t, 4> PeakOf(float value) { return std::bit_cast<std::array<std::uint8_t, 4>>(value); }
}  // namespace

TEST(SystemEvents, NamesAndParameterTexts)
{
    const std::array<std::uint8_t, 4> halfPastTwo{30, 14, 0, 5};  // minute, hour, hundredths, second
    const struct {
        TSystemEventFields e;
        const char* name;
        const char* parameters;
    } cases[] = {
        {SystemEvent(0, PackedDate(2024, 3, 16), halfPastTwo), "Date and Time Set", "New clock setting: 16/03/2024 14:30:05"},
        {SystemEvent(0, PackedDate(2024, 3, 16)), "Date and Time Set", "New clock setting: 16/03/2024"},
        {SystemEvent(0, PackedDate(2024, 13, 16)), "Date and Time Set", ""},
        {SystemEvent(1), "System reboot", ""},
        {SystemEvent(1, PackedDate(2024, 3, 15), {0, 23, 0, 59}), "System reboot", "Stop time: 15/03/2024 23:00:59"},
        {SystemEvent(2, 5), "Setup change", ""},
        {SystemEvent(3, 5), "Archive erasing", "Voltage; Unbalance"},
        {SystemEvent(3, 0x1FF), "Archive erasing",
         "Voltage; Frequency; Unbalance; Voltage Harmonics; Flicker; Events; Powers and Currents; Voltage Samples; "
         "Current Harmonics"},
        {SystemEvent(3, 0x200), "Archive erasing", ""},
        {SystemEvent(7, 0), "Archives Smart Clean Sweep", "Voltage"},
        {SystemEvent(7, 9), "Archives Smart Clean Sweep", "Energy"},
        {SystemEvent(7, 12), "Archives Smart Clean Sweep", ""},
        {SystemEvent(7, -1), "Archives Smart Clean Sweep", ""},
        {SystemEvent(12, 11, PeakOf(11)), "GPS fail", "Time info and PPS not received."},
        {SystemEvent(12, 11, PeakOf(10)), "GPS fail", "Time info not received."},
        {SystemEvent(12, 10, PeakOf(10.5f)), "GPS fail", "PPS not received."},
        {SystemEvent(12, 10, PeakOf(10)), "GPS fail", ""},
        {SystemEvent(13, 4, {}, 10), "Anomaly Voltage Measures", "Threshold: 10 (%Vnom). Duration: 4 (hours)"},
        {SystemEvent(10), "", ""},
        {SystemEvent(14), "", ""},
        {SystemEvent(-1), "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SystemEventName(c.e.Code), c.name) << c.e.Code;
        EXPECT_EQ(SystemEventParameters(c.e), c.parameters) << c.e.Code << " " << c.e.Duration;
    }
}

TEST(SystemEvents, ThePeriodsSystemEventsAmongAllItsRecords)
{
    EventRecordFields erasing = Event(16, 3, EventAt(10, 1), 0, 0, 5);
    EventRecordFields clock = Event(16, 0, EventAt(10, 2, 3, 4), 0, std::bit_cast<float>(std::array<std::uint8_t, 4>{0, 0, 0, 0}),
                                    PackedDate(2024, 3, 16));
    EventsSurvey survey({Event(1, 0, EventAt(9, 0)), Event(1, 0, EventAt(10, 0)), erasing, clock, Event(16, 99, EventAt(10, 3)),
                         Event(16, 1, EventAt(12, 0))});
    const TSystemEventList list = ReadSystemEvents(survey.selection.File(MeasureEvents), survey.selection.Start,
                                                   survey.selection.Stop);
    EXPECT_EQ(list.RecordsRead, 4);
    ASSERT_EQ(list.Rows.size(), 3u);
    EXPECT_EQ(list.Rows[0].Date, "15/03/2024 10:01:00");
    EXPECT_EQ(list.Rows[0].Event, "Archive erasing");
    EXPECT_EQ(list.Rows[0].Parameters, "Voltage; Unbalance");
    EXPECT_EQ(list.Rows[1].Date, "15/03/2024 10:02:03");
    EXPECT_EQ(list.Rows[1].Parameters, "New clock setting: 16/03/2024");
    EXPECT_EQ(list.Rows[2].Event, "");

    survey.SetInterval(EventTime(13, 0), EventTime(14, 0));
    const TSystemEventList none = ReadSystemEvents(survey.selection.File(MeasureEvents), survey.selection.Start,
                                                   survey.selection.Stop);
    EXPECT_EQ(none.RecordsRead, 0);
    EXPECT_TRUE(none.Rows.empty());
}

TEST(SystemEvents, ReadingStopsAfterSixteenThousandRecords)
{
    TempProgDir dir;
    const std::string path = WriteRecordSeries(dir / "sys.ale", MeasureEvents, EventRecord(Event(16, 2, EventAt(10, 0))),
                                               EventTime(10, 0), kOneSecond, 16005);
    TMeasureFileInfo info;
    ASSERT_TRUE(ReadMeasureFileInfo(path, MeasureEvents, info));
    const TSystemEventList list = ReadSystemEvents(info, EventTime(10, 0), EventTime(23, 0));
    EXPECT_EQ(list.RecordsRead, kSystemEventsReadLimit);
    EXPECT_EQ(list.Rows.size(), static_cast<std::size_t>(kSystemEventsReadLimit));
}

// Stamps that do not decode: each fill and each system events reading says so once, the list's
// rows stand without their dates, and the record readers never leave the file.
TEST(EventsList, BadStampsAreSaidOnceAndTheirRowsHaveNoDate)
{
    std::vector<Bytes> records;
    for (int k = 0; k < 8; ++k) records.push_back(EventRecord(Event(k < 6 ? 1 : 16, 0, EventAt(10, k))));
    for (int k : {2, 3, 6}) records[static_cast<std::size_t>(k)][13] = 13;  // month 13
    records[4][7] = 60;                                                      // hour 60
    EventsSurvey survey(records);
    TEventsList list(survey.selection);
    survey.messages.Clear();
    TF1Book book;
    list.Fill(book, TEventFilter{});
    EXPECT_EQ(survey.messages.Texts(), (std::vector<std::string>{"Invalid Date"}));
    ASSERT_EQ(list.RowsWritten(), 6);
    EXPECT_EQ(book.CellText(5, kEventsDateColumn), "");
    EXPECT_EQ(book.CellText(7, kEventsDateColumn), "");
    EXPECT_EQ(book.CellText(8, kEventsDateColumn), "15/03/2024 10:05:00.00");
    EXPECT_FALSE(list.WaveformOfRow(book, 5));

    // The period's search met the bad time, the reading the bad dates: each kind once.
    survey.messages.Clear();
    const TSystemEventList system = ReadSystemEvents(survey.selection.File(MeasureEvents), survey.selection.Start,
                                                     survey.selection.Stop);
    EXPECT_EQ(survey.messages.Texts(), (std::vector<std::string>{"Invalid Time", "Invalid Date"}));
    ASSERT_EQ(system.Rows.size(), 2u);
    EXPECT_EQ(system.Rows[0].Date, "");
    EXPECT_EQ(system.Rows[1].Date, "15/03/2024 10:07:00");
}
