// The events list's period, rows and waveform look-ups.
#include "views/events_list.h"

#include "export/events_rows.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/repeated_message_filter.h"
#include "survey/data_file.h"
#include "survey/record_search.h"

#include <algorithm>

using namespace event_codes;

static_assert(kEventsListLimit == kExportRecordLimit, "the events table stops at the list's limit");

namespace {
const char* const kColumnTitles[] = {"Date", "Measure", "Type", "Unit", "Threshold", "Peak", "Duration (s.)"};

bool Within(int value, int low, int high) { return value >= low && value <= high; }

// Voltage events of the kinds the recorder captures a waveform for: their dates are looked up.
bool MayHaveWaveform(const TEventFields& e)
{
    const int t = e.Channel, m = e.Type;
    return (Within(t, 0, 2) || t == 8 || t > MultiPhaseBase) && (Within(m, 1, 3) || Within(m, 7, 9));
}

std::optional<TDateTime> RecordTimeAt(TDataFile& file, std::int64_t index)
{
    Bytes record;
    if (!file.ReadRecord(file.RecordPosition(index), record)) return std::nullopt;
    StampFault fault = StampFault::None;
    auto time = RecordTime(stamp_layouts::Events, record, &fault);
    if (!time) ShowStampFault(fault);
    return time;
}
}  // namespace

std::vector<int> WaveformSearchTypes(const std::string& measureText, const std::string& typeText)
{
    std::vector<int> types;
    for (std::size_t i = 0; i < EventMeasureNames.size(); ++i) {
        const std::string_view name = EventMeasureNames[i];
        for (int m = 1; m <= PeakEvent; ++m) {
            if (i > 2 && (m == 8 || m == UnderUndefined || m == PeakEvent)) continue;
            if (typeText != EventTypeNames[static_cast<std::size_t>(m)]) continue;
            if (!name.empty() && measureText.find(name) != std::string::npos) types.push_back(m);
        }
    }
    return types;
}

TEventsList::TEventsList(const TSurveySelection& selection)
    : events_(selection.File(MeasureEvents)),
      samplesPath_(selection.File(MeasureSamples).FileName),
      start_(selection.Start),
      stop_(selection.Stop),
      tableName_(selection.Name)
{
    TDataFile file;
    if (file.Open(events_.FileName, MeasureEvents) == DataFileFault::None) {
        if (const auto range = FindRecordsInInterval(file, events_, start_, stop_)) {
            first_ = file.RecordIndex(static_cast<std::uint64_t>(range->First));
            last_ = file.RecordIndex(static_cast<std::uint64_t>(range->Last));
            periodCount_ = last_ - first_ + 1;
            firstTime_ = RecordTimeAt(file, first_);
            lastTime_ = RecordTimeAt(file, last_);
        }
    }
    hasSamples_ = !samplesPath_.empty() && FileExists(samplesPath_);
    if (hasSamples_) {
        TSamplesIndexFiles index = LoadEventWaveforms(samplesPath_);
        indexFile_ = index.IndexFile;
        waveforms_ = std::move(index.Waveforms);
    }
}

TEventsList::~TEventsList()
{
    if (!indexFile_.empty()) DeleteFile(indexFile_);
}

void TEventsList::SetupGrid(TF1Book& book) const
{
    book.SetTableName(tableName_);
    book.AllowAutoFill = book.AllowDelete = book.AllowDesigner = book.AllowFillRange = false;
    book.AllowInCellEditing = book.AllowMoveRange = false;
    book.AllowSelections = true;
    book.SetAppName("Events file");
    book.SetNumSheets(1);
    book.SetSheetName(1, "Events");
    book.SetMaxCol(50);
    book.SetMaxRow(static_cast<int>(std::min<std::int64_t>(periodCount_, kEventsListLimit)) + 10);
    book.SetSheet(1);
    book.ShowGridLines = false;
    int col = kEventsDateColumn;
    for (const char* title : kColumnTitles) book.SetCellText(kEventsHeaderRow, col++, title);
    book.SetRowHeight(kEventsHeaderRow, 400);
    book.SetColumnWidth(1, 850);
    book.SetSelection(kEventsHeaderRow, kEventsDateColumn, kEventsHeaderRow, kEventsLastColumn);
    book.SetFont("Arial", 10, true);
}

void TEventsList::Fill(TF1Book& book, const TEventFilter& filter,
                       const std::function<void(std::int64_t done, std::int64_t total)>& progress)
{
    TRepeatedMessageFilter oneMessage;
    rowTimes_.clear();
    systemEventsMet_ = false;
    TDataFile file;
    if (periodCount_ == 0 || file.Open(events_.FileName, MeasureEvents) != DataFileFault::None) return;
    TEventTable table;
    table.Origin = {kEventsFirstRow, kEventsDateColumn};
    table.EngineeringThreshold = true;
    table.RowsWithoutDate = true;
    table.Passes = [&](const TEventFields& e) {
        if (e.Type == SystemEvent) systemEventsMet_ = true;
        return EventPassesFilter(e, filter);
    };
    table.RowWritten = [&](const TEventFields& e, std::optional<TDateTime> time) {
        rowTimes_.push_back(time);
        return time && hasSamples_ && MayHaveWaveform(e) && FindWaveformAt(e.Type, *time).has_value();
    };
    TEventRows rows(file, first_, last_, std::move(table));
    TRowCounters counters;
    for (RowsStep step = RowsStep::More; step == RowsStep::More;) {
        step = rows.Step(book, counters);
        if (progress) progress(counters.RecordsDone, periodCount_);
    }
}

void TEventsList::ClearRows(TF1Book& book) const
{
    if (RowsWritten() > 0) book.ClearRange(kEventsFirstRow, kEventsDateColumn, LastRow(), kEventsLastColumn, 1);
}

void TEventsList::Format(TF1Book& book) const
{
    const int lastRow = LastRow();
    book.SetSelection(kEventsHeaderRow, kEventsDateColumn, lastRow, kEventsLastColumn);
    book.SetBorder(2, 1, 1, 1, 1);
    book.SetAlignment(4, false, 2, 0);
    book.SetSelection(kEventsHeaderRow, kEventsUnitColumn, lastRow, kEventsUnitColumn);
    book.SetAlignment(3, false, 2, 0);
    book.SetSelection(kEventsHeaderRow, kEventsDateColumn, kEventsHeaderRow, kEventsLastColumn);
    book.SetBorder(2, -1, -1, -1, -1);
    book.SetAlignment(3, false, 2, 0);
    book.AutoFitColumns(kEventsHeaderRow, kEventsDateColumn, lastRow, kEventsLastColumn, true);
    book.SetCol(1);
    book.SetRow(1);
}

std::optional<std::uint32_t> TEventsList::FindWaveformAt(int type, TDateTime time) const
{
    if (time < start_ || time > stop_) return std::nullopt;
    return waveforms_.Find(type, time);
}

std::optional<TEventsList::TWaveformChoice> TEventsList::WaveformOfRow(const TF1Book& book, int row) const
{
    // A row without a time (past the rows, or a stamp that does not decode) finds nothing.
    const std::size_t at = static_cast<std::size_t>(row - kEventsFirstRow);
    const bool timed = row >= kEventsFirstRow && at < rowTimes_.size() && rowTimes_[at].has_value();
    const TDateTime time = timed ? *rowTimes_[at] : 0;
    for (int type : WaveformSearchTypes(book.CellText(row, kEventsMeasureColumn), book.CellText(row, kEventsTypeColumn))) {
        if (timed)
            if (const auto offset = FindWaveformAt(type, time)) return TWaveformChoice{time, *offset};
        Beep();
    }
    Beep();
    return std::nullopt;
}
