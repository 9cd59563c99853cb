// What the events list (show_ala_form.h) shows, without its window: the period of the survey's
// events file, the captures of its samples file, and the sheet: its frame, the rows of the
// events that pass the filter (written by the events table of export/events_rows.h with the
// list's texts, colours and bold dates), their format, and the capture a row's date leads to.
#pragma once

#include "sheet/sheet_book.h"
#include "survey/event_waveforms.h"
#include "survey/records.h"
#include "views/event_filter.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

constexpr int kEventsHeaderRow = 2;
constexpr int kEventsFirstRow = 3;
constexpr int kEventsDateColumn = 2;
constexpr int kEventsMeasureColumn = 3;
constexpr int kEventsTypeColumn = 4;
constexpr int kEventsUnitColumn = 5;
constexpr int kEventsLastColumn = 8;
// The most rows the list writes.
constexpr int kEventsListLimit = 16000;
inline constexpr const char* kEventsTruncatedMessage = "Events file too long. Truncated at 16000 records.";

// The event types whose waveform a double-click on a row looks for, in the order tried: each
// pair of a measure name the row's measure is or contains (an empty name never) and an event
// type 1 to 13 whose name is the row's type; voltage types only for the three phase voltages.
std::vector<int> WaveformSearchTypes(const std::string& measureText, const std::string& typeText);

class TEventsList {
public:
    // Opens the period of the selection's events file (slot 6) over its interval and, when the
    // samples file of slot 8 exists, builds its time index. A file that cannot be read, or a
    // period without records, gives an empty list.
    explicit TEventsList(const TSurveySelection& selection);
    ~TEventsList();  // deletes the temporary index file
    TEventsList(const TEventsList&) = delete;
    TEventsList& operator=(const TEventsList&) = delete;

    // Records in the period (0 when none); above the limit the list says so once, at its opening.
    std::int64_t PeriodCount() const { return periodCount_; }
    bool Truncated() const { return periodCount_ > kEventsListLimit; }
    // The times of the period's first and last records, when it has any.
    std::optional<TDateTime> FirstTime() const { return firstTime_; }
    std::optional<TDateTime> LastTime() const { return lastTime_; }
    // Records of the whole events file.
    std::int32_t TotalRecords() const { return events_.RecordCount; }
    bool HasSamples() const { return hasSamples_; }
    const std::string& SamplesPath() const { return samplesPath_; }
    const std::string& IndexFile() const { return indexFile_; }

    // The sheet's frame: names, switches, the limits of scrolling and the column titles.
    void SetupGrid(TF1Book& book) const;
    // The rows of the events that pass `filter`, from row 3; `progress` gets the records done of
    // the period's count. A stamp that does not decode says so once and its row has no date.
    void Fill(TF1Book& book, const TEventFilter& filter,
              const std::function<void(std::int64_t done, std::int64_t total)>& progress = {});
    // Empties the rows written (values and formats), before a new fill.
    void ClearRows(TF1Book& book) const;
    // Borders, alignment and column widths of the header and the rows.
    void Format(TF1Book& book) const;
    int RowsWritten() const { return static_cast<int>(rowTimes_.size()); }
    int LastRow() const { return kEventsFirstRow - 1 + RowsWritten(); }
    // The last fill met a system event (it never has a row).
    bool SystemEventsMet() const { return systemEventsMet_; }
    // Rows were left out: by the filter or by the row limit.
    bool Incomplete() const { return periodCount_ != RowsWritten(); }

    // The capture of `type` taken at `time` (to the millisecond) within the period: its offset.
    std::optional<std::uint32_t> FindWaveformAt(int type, TDateTime time) const;
    // What a double-click on the date of `row` asks to show: the row's event time and the
    // capture's offset. It beeps for each search that finds nothing and once more when none
    // does.
    struct TWaveformChoice {
        TDateTime EventTime = 0;
        std::uint32_t Offset = 0;
    };
    std::optional<TWaveformChoice> WaveformOfRow(const TF1Book& book, int row) const;

private:
    TMeasureFileInfo events_;
    std::string samplesPath_;
    bool hasSamples_ = false;
    TDateTime start_ = 0, stop_ = 0;
    std::int64_t first_ = 0, last_ = -1;  // record indexes of the period
    std::int64_t periodCount_ = 0;
    std::optional<TDateTime> firstTime_, lastTime_;
    std::string indexFile_;
    TEventWaveforms waveforms_;
    std::string tableName_;
    std::vector<std::optional<TDateTime>> rowTimes_;  // the event time of each row written
    bool systemEventsMet_ = false;
};
