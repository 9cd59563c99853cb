// The data rows of one table, written a step at a time: one record per step for the fixed-record
// measures (the exporter's workbooks from row 14, the values sheet's from row 3), up to 50 events
// per step for the exported events (events_rows.h). At most 16000 rows are written.
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

// Where a table's rows go: the row of the first record, and the date column with the values in
// the columns after it.
struct TSheetOrigin {
    int FirstRow = 0;
    int DateColumn = 0;
};
inline constexpr TSheetOrigin kExportOrigin{kExportFirstDataRow, kExportDateColumn};

// A fixed-record measure: each record of first..last (record indexes) is one row from `origin`
// on, its date and its values at the columns' offsets.
class TRecordRows : public TMeasureRows {
public:
    TRecordRows(TDataFile& file, std::int64_t first, std::int64_t last, TMeasureColumns columns, TSheetOrigin origin);
    const std::vector<std::string>& Titles() const override { return titles_; }
    RowsStep Step(TF1Book& book, TRowCounters& counters) override;

private:
    TMeasureColumns columns_;
    TSheetOrigin origin_;
    std::vector<std::string> titles_;
    std::vector<int> fieldOf_;  // cursor column of each value column, -1 when it has none
    TRecordCursor cursor_;
};
