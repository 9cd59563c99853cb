// Searching records by time. The nearest-record searches serve point look-ups (cursor, zoom ends,
// curve record, waveform navigation); the bounded forms find the first and last records of an
// interval (first at or after Start, last at or before Stop). Every probe stays inside the
// records, whatever the file's order or stamps. Times are compared to the millisecond.
//
// A stamp that does not decode takes the time of the probe before it (the first probe takes
// Info.FirstTime), so the search still narrows and ends; its message is shown once per search.
// A neighbour whose stamp does not decode never wins over the record where the search stopped.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "survey/data_file.h"
#include "survey/records.h"

// Byte offsets of the nearest record (8 for an empty file).
std::int64_t FindRecordAtTime(TDataFile& F, const TMeasureFileInfo& Info, TDateTime T);
std::int64_t FindFlickerRecordAtTime(TDataFile& F, const TMeasureFileInfo& Info, TDateTime T);
std::int64_t FindEventRecordAtTime(TDataFile& F, const TMeasureFileInfo& Info, TDateTime T);

// Byte offsets of the first and last records of [Start, Stop].
struct TRecordRange {
    std::int64_t First = 0;
    std::int64_t Last = 0;
    // Records in the range, given the record size.
    std::int64_t Count(std::int64_t recordSize) const { return (Last - First) / recordSize + 1; }
};
// Nothing when no record lies inside the interval.
std::optional<TRecordRange> FindRecordsInInterval(TDataFile& F, const TMeasureFileInfo& Info, TDateTime Start,
                                                  TDateTime Stop);

// The searches over entries 0..n-1 whose times `probe` gives (nothing: undecodable), shared by
// the record searches and the samples index. Results are entry indices.
using TimeProbe = std::function<std::optional<TDateTime>(std::int64_t index)>;
std::int64_t NearestEntry(std::int64_t n, TDateTime firstTime, TDateTime lastTime, TDateTime T, const TimeProbe& probe);
// First entry with time >= T (n when none) and first entry with time > T (n when none).
std::int64_t LowerBoundEntry(std::int64_t n, TDateTime firstTime, TDateTime T, const TimeProbe& probe);
std::int64_t UpperBoundEntry(std::int64_t n, TDateTime firstTime, TDateTime T, const TimeProbe& probe);
