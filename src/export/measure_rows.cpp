// Rows of the fixed-record measure exports.
#include "export/measure_rows.h"

#include "survey/number_text.h"

namespace {
std::vector<TRecordColumn> RecordColumnsOf(const TMeasureColumns& columns)
{
    std::vector<TRecordColumn> fields;
    for (const TValueColumn& c : columns.Columns)
        if (c.Offset) fields.push_back({*c.Offset, ColumnType::F32, 1.0f});
    return fields;
}
}  // namespace

TRecordRows::TRecordRows(TDataFile& file, std::int64_t first, std::int64_t last, TMeasureColumns columns,
                         TSheetOrigin origin)
    : columns_(std::move(columns)), origin_(origin), cursor_(file, first, last, RecordColumnsOf(columns_))
{
    int field = 0;
    for (const TValueColumn& c : columns_.Columns) {
        titles_.push_back(c.Title);
        fieldOf_.push_back(c.Offset ? field++ : -1);
    }
}

RowsStep TRecordRows::Step(TF1Book& book, TRowCounters& counters)
{
    if (counters.RowsWritten >= kExportRecordLimit) {
        cut_ = cursor_.HasMore();
        return RowsStep::End;
    }
    switch (cursor_.Next()) {
    case TRecordCursor::Result::End: return RowsStep::End;
    case TRecordCursor::Result::Fault: {
        Bytes record;
        if (!cursor_.FaultRecordBytes(record)) return RowsStep::ReadFailed;
        cursor_.ShowFaultMessage();
        return RowsStep::BadStamp;
    }
    case TRecordCursor::Result::Record: break;
    }
    const int row = origin_.FirstRow + counters.RowsWritten;
    ++counters.RecordsDone;
    ++counters.RowsWritten;
    book.SetCellEntry(row, origin_.DateColumn, ExportDateCellText(columns_.DateText, cursor_.Time()));
    int col = origin_.DateColumn;
    for (std::size_t c = 0; c < columns_.Columns.size(); ++c) {
        ++col;
        if (fieldOf_[c] < 0) continue;
        const TValueColumn& column = columns_.Columns[c];
        const double value = cursor_.Value(static_cast<std::size_t>(fieldOf_[c])) * column.Factor;
        book.SetCellFixed(row, col, value, column.Decimals);
    }
    return RowsStep::More;
}
