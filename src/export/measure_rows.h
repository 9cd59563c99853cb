// The data rows of one exported workbook, written a step at a time by the exporter: one record
// per step for the fixed-record measures, up to 50 events per step for the events (events_rows.h).
// Rows start at row 14; at most 16000 are written.
#pragma once

#include "export/export_sheet.h"
#include "export/measure_columns.h"
#include "export/record_cursor.h"
#include "sheet/sheet_book.h"

#include <cstdint>
#include <string>
#include <vector>

struct TRowCounters {
    std::int64_t RecordsDone = 0;  // records worked on, for the progress bar
    int RowsWritten = 0;
};

enum class RowsStep {
    More,        // call again
    End,         // every record is done, or the row limit was reached
    BadStamp,    // a record's time stamp does not decode (its message is shown)
    ReadFailed   // the data file could not be read
};

class TMeasureRows {
public:
    virtual ~TMeasureRows() = default;
    // Column titles after "Date".
    virtual const std::vector<std::string>& Titles() const = 0;
    virtual RowsStep Step(TF1Book& book, TRowCounters& counters) = 0;
    // After End: the row limit left out records that would have had a row.
    bool Cut() const { return cut_; }

protected:
    bool cut_ = false;
};

// A fixed-record measure: each record of the interval is one row, its values at the columns'
// offsets. `first` and `last` are record indexes.
class TRecordRows : public TMeasureRows {
public:
    TRecordRows(TDataFile& file, std::int64_t first, std::int64_t last, TMeasureColumns columns);
    const std::vector<std::string>& Titles() const override { return titles_; }
    RowsStep Step(TF1Book& book, TRowCounters& counters) override;

private:
    TMeasureColumns columns_;
    std::vector<std::string> titles_;
    std::vector<int> fieldOf_;  // cursor column of each value column, -1 when it has none
    TRecordCursor cursor_;
};
