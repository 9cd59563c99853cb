// The rows of an events table: the events of an interval that pass the table's filter, with the
// event texts and colours (survey/event_texts.h), up to 50 counted events per step. The events
// workbook of the export and the events list both write their rows here; each states its table
// (TEventTable): the filter, where the rows go, the threshold's text and what the list adds.
// Records that never have a row (event_texts.h) are passed over without counting.
#pragma once

#include "export/export_params.h"
#include "export/measure_rows.h"
#include "survey/event_texts.h"

#include <functional>
#include <optional>

// The wizard's events choices (Items: 0 voltage, 1 frequency, 2 unbalance, 3 harmonics, 4 flicker,
// 5 powers and currents, 6 over, 7 under, 8 fast variation, 9 digital inputs, 10 interruption).
bool EventPassesFilter(const TEventFields& e, const TExportMeasureSel& choices);

// What a table of events rows states besides its records.
struct TEventTable {
    // Which events (the interruption rule applied) get a row.
    std::function<bool(const TEventFields&)> Passes;
    TSheetOrigin Origin = kExportOrigin;
    // The threshold in engineering notation, as the events list shows it; else two decimals.
    bool EngineeringThreshold = false;
    // A row whose stamp does not decode is written without its date and the table goes on (the
    // events list); else the table stops there (the export). Its message is shown once a table.
    bool RowsWithoutDate = false;
    // Called for each row written, with its time (none when its stamp does not decode); true
    // shows the date in bold (the events list: a waveform was captured at the event).
    std::function<bool(const TEventFields&, std::optional<TDateTime>)> RowWritten;
};
// The export's table: the wizard's choices, rows from row 14, thresholds with two decimals.
TEventTable ExportEventTable(const TExportMeasureSel& choices);

class TEventRows : public TMeasureRows {
public:
    static constexpr int kEventsPerStep = 50;

    TEventRows(TDataFile& file, std::int64_t first, std::int64_t last, TEventTable table);
    const std::vector<std::string>& Titles() const override { return titles_; }
    RowsStep Step(TF1Book& book, TRowCounters& counters) override;

private:
    enum class Taken { Row, FilteredOut, NoRow, End, ReadFailed };
    // The next record: it counts and passes the filter (Row), counts but fails it (FilteredOut),
    // or never has a row (NoRow).
    Taken Take(TEventFields& e);
    void WriteRow(TF1Book& book, int row, const TEventFields& e, std::optional<TDateTime> time, bool boldDate) const;

    TEventTable table_;
    std::vector<std::string> titles_;
    TRecordCursor cursor_;
    bool stampFailed_ = false;  // the record just taken has a stamp that does not decode
    bool faultShown_ = false;
};
