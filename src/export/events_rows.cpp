// Rows of the events export.
#include "export/events_rows.h"

#include "survey/data_layout.h"

namespace {
// Where the fields the rules read lie. The threshold's 4 bytes are read both as a float and as
// two words.
enum EventColumn : std::size_t { Type, Threshold, ThresholdWord, CurrentWord, Duration, Peak, Channel };
const std::vector<TRecordColumn> kEventColumns = {
    {EventField::Type, ColumnType::I16},          {EventField::Threshold, ColumnType::F32},
    {EventField::Threshold, ColumnType::I16},     {EventField::Threshold + 2, ColumnType::I16},
    {EventField::Duration, ColumnType::I32},
    {EventField::Peak, ColumnType::F32},          {EventField::Channel, ColumnType::I16}};

const std::vector<std::string> kEventTitles = {"Measure", "Type", "Unit", "Threshold", "Peak", "Duration (s.)"};

// Items index of the channel's event measure, or -1 for channels the export never takes.
int EventMeasureItem(int t)
{
    if (t >= 0 && t <= 2) return 0;
    if (t == 3) return 1;
    if (t == 4) return 2;
    if (t >= 5 && t <= 7) return 4;
    if (t >= 10 && t <= 149) return 3;
    if (t >= 150 && t <= 155) return 5;
    if (t == 255) return 7;
    if (t >= 800 && t <= 805) return 9;
    return -1;
}

bool DigitalInput(int t) { return t >= 800 && t <= 805; }
}  // namespace

bool EventPassesFilter(const TEventFields& e, const TExportMeasureSel& choices)
{
    const int item = EventMeasureItem(e.Channel);
    if (item < 0 || e.Type == 50) return false;
    if (!choices.Items[static_cast<std::size_t>(item)]) return false;
    if (!DigitalInput(e.Channel)) {
        const int phase = ChannelPhase(e.Channel);
        if (phase < 0 || phase > 2 || !choices.Phases[static_cast<std::size_t>(phase)]) return false;
    }
    using namespace event_codes;
    switch (e.Type) {
    case Over: return choices.Items[6];
    case Under: return choices.Items[7];
    case FastVariation: return choices.Items[8];
    case Interruption: return choices.Items[10];
    case SystemEvent: return false;
    default: return true;
    }
}

TEventTable ExportEventTable(const TExportMeasureSel& choices)
{
    TEventTable table;
    table.Passes = [choices](const TEventFields& e) { return EventPassesFilter(e, choices); };
    return table;
}

TEventRows::TEventRows(TDataFile& file, std::int64_t first, std::int64_t last, TEventTable table)
    : table_(std::move(table)), titles_(kEventTitles), cursor_(file, first, last, kEventColumns)
{
}

TEventRows::Taken TEventRows::Take(TEventFields& e)
{
    switch (cursor_.Next()) {
    case TRecordCursor::Result::End: return Taken::End;
    case TRecordCursor::Result::Fault: {
        // The window stopped at this record; it still counts, and fails the export only when it
        // would have had a row.
        Bytes record;
        std::optional<TEventFields> fields;
        if (cursor_.FaultRecordBytes(record)) fields = EventFieldsOf(record);
        if (!fields) return Taken::ReadFailed;
        e = *fields;
        stampFailed_ = true;
        break;
    }
    case TRecordCursor::Result::Record: {
        auto word = [&](EventColumn c) { return static_cast<std::int16_t>(cursor_.Value(c)); };
        e = EventFields({word(Type), static_cast<float>(cursor_.Value(Threshold)), word(ThresholdWord), word(CurrentWord),
                         static_cast<std::int32_t>(cursor_.Value(Duration)), static_cast<float>(cursor_.Value(Peak)),
                         word(Channel)});
        stampFailed_ = false;
        break;
    }
    }
    if (!EventHasRow(e)) return Taken::NoRow;
    ApplyInterruptionRule(e);
    return table_.Passes(e) ? Taken::Row : Taken::FilteredOut;
}

RowsStep TEventRows::Step(TF1Book& book, TRowCounters& counters)
{
    // Past the row limit the rest is only searched for an event that would have had a row.
    const bool full = counters.RowsWritten >= kExportRecordLimit;
    for (int counted = 0; counted < kEventsPerStep;) {
        TEventFields e;
        const Taken taken = Take(e);
        if (taken == Taken::End) return RowsStep::End;
        if (taken == Taken::NoRow) continue;
        if (full && taken != Taken::FilteredOut) {
            cut_ = true;
            return RowsStep::End;
        }
        if (taken == Taken::ReadFailed) return RowsStep::ReadFailed;
        ++counted;
        if (full) continue;
        ++counters.RecordsDone;
        if (taken == Taken::FilteredOut) continue;
        std::optional<TDateTime> time;
        if (!stampFailed_) {
            time = cursor_.Time();
        } else {
            if (!faultShown_) cursor_.ShowFaultMessage();
            faultShown_ = true;
            if (!table_.RowsWithoutDate) return RowsStep::BadStamp;
        }
        const bool boldDate = table_.RowWritten && table_.RowWritten(e, time);
        WriteRow(book, table_.Origin.FirstRow + counters.RowsWritten, e, time, boldDate);
        if (++counters.RowsWritten >= kExportRecordLimit) break;
    }
    return RowsStep::More;
}

void TEventRows::WriteRow(TF1Book& book, int row, const TEventFields& e, std::optional<TDateTime> time,
                          bool boldDate) const
{
    const int dateColumn = table_.Origin.DateColumn;
    const std::string texts[] = {time ? EventDateText(*time) : std::string(), EventMeasureText(e), EventTypeText(e),
                                 EventUnitText(e)};
    int col = dateColumn;
    for (const std::string& text : texts) {
        if (!text.empty()) book.SetCellEntry(row, col, text);
        ++col;
    }
    // Plain numbers go to the book as numbers; the texts that hold more are typed in.
    if (table_.EngineeringThreshold) book.SetCellEntry(row, col++, EventThresholdText(e));
    else book.SetCellFixed(row, col++, e.Threshold, 2);
    if (const auto peak = EventPeakNumber(e)) book.SetCellFixed(row, col++, peak->Value, peak->Decimals);
    else book.SetCellEntry(row, col++, EventPeakText(e));
    const TFixedNumber duration = EventDurationNumber(e);
    book.SetCellFixed(row, col, duration.Value, duration.Decimals);
    book.SetSelection(row, dateColumn, row, dateColumn + static_cast<int>(titles_.size()));
    book.SetFont("Arial", 10, false, false, false, false, EventColour(e));
    if (!boldDate) return;
    book.SetSelection(row, dateColumn, row, dateColumn);
    book.SetFont("Arial", 10, true, false, false, false, EventColour(e));
}
