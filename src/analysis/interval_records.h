// The records of an interval a chunk at a time, for engines that walk an interval day by day:
// the window reader reads each chunk (each record once) as a times array and one array per
// column. A chunk is about half a megabyte of records, so its records and columns stay in the
// processor's cache while the engine counts them. Used by the analysis and summary engines.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "survey/record_window_reader.h"

class TIntervalRecords {
public:
    // Records first..last (indexes, inclusive) of an open file; `columns` are checked against
    // the record size by the window reader; with StampUse::CheckOnly the chunks hold no times,
    // with ColumnPrecision::Single their columns are Singles.
    TIntervalRecords(TDataFile& file, std::int64_t first, std::int64_t last, std::vector<TRecordColumn> columns,
                     StampUse stamps = StampUse::Times, ColumnPrecision precision = ColumnPrecision::Double);

    // Reads the next chunk; false at the end of the interval or when a chunk could not be read
    // whole (Failed()).
    bool NextChunk();
    const TRecordWindowData& Chunk() const { return reader_.Data(); }

    // The same records a few at a time, for engines that take a few records per step: the next
    // run of at most `most` (at least 1) records, all inside Chunk() from RunStart() on; 0 at the end or on a
    // failed chunk.
    std::size_t NextRun(std::size_t most)
    {
        // Inline while the chunk lasts: a step of ten records costs a few instructions.
        if (failed_ || at_ == Chunk().Count()) return NextRunAfterChunk(most);
        runStart_ = at_;
        const std::size_t run = std::min(most, Chunk().Count() - at_);
        at_ += run;
        return run;
    }
    std::size_t RunStart() const { return runStart_; }
    bool Failed() const { return failed_; }
    std::int64_t Count() const { return last_ - first_ + 1; }

private:
    std::size_t NextRunAfterChunk(std::size_t most);

    TDataFile& file_;
    std::int64_t first_, last_;
    std::vector<TRecordColumn> columns_;
    StampUse stamps_;
    ColumnPrecision precision_;
    std::int64_t chunkRecords_;
    std::int64_t next_;  // the record the next chunk starts at
    TRecordWindowRefill reader_;  // the chunk's arrays, refilled in place
    std::size_t at_ = 0;  // the first record of the chunk not yet in a run
    std::size_t runStart_ = 0;
    bool failed_ = false;
};
