// The records of an interval, one after the other, for engines that take a day at a time: the
// window reader reads them a chunk at a time (each record once, about a megabyte per read), and
// the cursor hands out each record's time and column values. Used by the analysis engine.
#pragma once

#include <cstdint>
#include <vector>

#include "survey/record_window_reader.h"

class TIntervalRecords {
public:
    // Records first..last (indexes, inclusive) of an open file; `columns` are checked against
    // the record size by the window reader.
    TIntervalRecords(TDataFile& file, std::int64_t first, std::int64_t last, std::vector<TRecordColumn> columns);

    // Moves to the next record (the first on the first call); false at the end of the interval
    // or when a chunk could not be read whole (Failed()).
    bool Next();
    TDateTime Time() const { return chunk_.Times[at_]; }
    double Value(std::size_t column) const { return chunk_.Columns[column][at_]; }
    bool Failed() const { return failed_; }
    // Index of the current record in the file.
    std::int64_t Index() const { return chunkFirst_ + static_cast<std::int64_t>(at_); }
    std::int64_t Count() const { return last_ - first_ + 1; }

private:
    TDataFile& file_;
    std::int64_t first_, last_;
    std::vector<TRecordColumn> columns_;
    std::int64_t chunkRecords_;
    std::int64_t chunkFirst_ = 0;
    std::int64_t next_;  // the record the next chunk starts at
    TRecordWindowData chunk_;
    std::size_t at_ = 0;
    bool started_ = false;
    bool failed_ = false;
};
