// The events workbook's rows: the events of the interval that pass the wizard's event choices
// (measures, phases, types), with the events list's texts and colours; up to 50 counted events
// per step. Records that never have a row (events_texts.h) are passed over without counting.
#pragma once

#include "export/export_params.h"
#include "export/measure_rows.h"
#include "survey/event_texts.h"

// The wizard's events choices (Items: 0 voltage, 1 frequency, 2 unbalance, 3 harmonics, 4 flicker,
// 5 powers and currents, 6 over, 7 under, 8 fast variation, 9 digital inputs, 10 interruption).
bool EventPassesFilter(const TEventFields& e, const TExportMeasureSel& choices);

class TEventRows : public TMeasureRows {
public:
    static constexpr int kEventsPerStep = 50;

    TEventRows(TDataFile& file, std::int64_t first, std::int64_t last, const TExportMeasureSel& choices);
    const std::vector<std::string>& Titles() const override { return titles_; }
    RowsStep Step(TF1Book& book, TRowCounters& counters) override;

private:
    enum class Taken { Row, FilteredOut, NoRow, End, ReadFailed };
    // The next record: it counts and passes the filter (Row), counts but fails it (FilteredOut),
    // or never has a row (NoRow).
    Taken Take(TEventFields& e);
    void WriteRow(TF1Book& book, int row, const TEventFields& e) const;

    TExportMeasureSel choices_;
    std::vector<std::string> titles_;
    TRecordCursor cursor_;
    bool stampFailed_ = false;  // the record just taken has a stamp that does not decode
};
