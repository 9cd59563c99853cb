// One record at a time over records first..last of an open data file, for jobs that take one
// record per step (the exporter): the records are read in windows of many records through the
// shared window reader, so the file is read in large blocks while each step sees one record.
#pragma once

#include "platform/file_io.h"
#include "survey/data_file.h"
#include "survey/record_window_reader.h"

#include <cstdint>
#include <vector>

class TRecordCursor {
public:
    enum class Result {
        Record,  // Index(), Time() and Value() describe the next record
        End,     // past the last record
        Fault    // the next record could not be read: its stamp does not decode or the file is short
    };

    // Columns are checked against the record size by the caller (the window reader refuses a
    // window whose columns lie outside the record).
    TRecordCursor(TDataFile& file, std::int64_t first, std::int64_t last, std::vector<TRecordColumn> columns,
                  std::int64_t windowRecords = 2048);

    // Moves to the next record. After a Fault the next call continues with the record after it.
    Result Next();
    std::int64_t Index() const { return current_; }
    TDateTime Time() const { return window_.Times[Slot()]; }
    double Value(std::size_t column) const { return window_.Columns[column][Slot()]; }
    // Records after the current one.
    bool HasMore() const { return next_ <= last_; }

    // For the record of a Fault: its bytes (false when they cannot be read), and the stamp's own
    // message ("Invalid Date" / "Invalid Time") when the stamp is what failed.
    bool FaultRecordBytes(Bytes& out) const;
    void ShowFaultMessage() const;

private:
    std::size_t Slot() const { return static_cast<std::size_t>(current_ - windowFirst_); }
    void ReadWindow();

    TDataFile& file_;
    std::int64_t next_;
    std::int64_t last_;
    std::vector<TRecordColumn> columns_;
    std::int64_t windowRecords_;
    TRecordWindowData window_;
    std::int64_t windowFirst_ = 0;
    std::int64_t windowLast_ = -1;  // the last record the window asked for
    std::int64_t current_ = -1;
};
