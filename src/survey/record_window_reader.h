// The one reader of a record window, for every consumer of record windows (trend views, values
// sheet, exporter, analysis, summary): records first..last of an open data file, read in
// whole-record blocks, give their decoded times once and each requested column as one
// contiguous array. Callers say what a record holds as columns (offset, type, scale); they
// never walk records themselves.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/date_time.h"
#include "platform/unset_array.h"
#include "survey/data_file.h"

enum class ColumnType : std::uint8_t { F32, U32, I32, U16, I16, U8 };

struct TRecordColumn {
    std::uint32_t Offset = 0;  // byte offset inside the record
    ColumnType Type = ColumnType::F32;
    // The value as stored times this: a float value in single precision, as the per-record
    // readers take it (kWh read as Wh: 1000), an integer in double precision, so every count is exact.
    float Scale = 1.0f;
    bool operator==(const TRecordColumn&) const = default;
};

// Bytes a column's value takes.
std::size_t ColumnBytes(ColumnType type);

// How a read ended.
struct TWindowRead {
    std::size_t Read = 0;  // records read
    // False when the window could not be read whole: a column outside the record (nothing
    // read), a short file, a failed read, or a stamp that does not decode (the records before
    // it stay).
    bool Complete = true;
    // The file ended inside the window: it holds fewer records than its header says (cut short
    // since it was opened). Every whole record before its end is read.
    bool ShortFile = false;
    std::size_t Count() const { return Read; }
};

// What a read does with the records' stamps: decodes them into times, or only checks each
// exactly as the decoding would (a stamp that does not decode still ends the read and shows its
// message), for a caller that never looks at the times (the summary); the date bytes of a run
// of records of one day are checked once.
enum class StampUse : std::uint8_t { Times, CheckOnly };

// What a read keeps of each column: its values in double precision and its largest (Columns,
// Highest), or only its values in single precision (Singles), exact for the float fields, for a
// caller that needs no more (the summary).
enum class ColumnPrecision : std::uint8_t { Double, Single };

// The arrays are filled as they grow, never zeroed first (TUnsetArray).
struct TRecordWindowData : TWindowRead {
    TUnsetArray<TDateTime> Times;              // one per record read, in file order; empty with StampUse::CheckOnly
    std::vector<TUnsetArray<double>> Columns;  // Columns[c][i]: column c of record i; empty with ColumnPrecision::Single
    std::vector<double> Highest;               // Highest[c]: the largest of column c (-infinity: none); as Columns
    std::vector<TUnsetArray<float>> Singles;   // Singles[c][i], with ColumnPrecision::Single only
};

// Records first..last (record indexes, inclusive) of F, whose stamp layout is its measure's;
// callers bound first and last to their interval (FindRecordsInInterval). The
// times and values equal what the per-record readers give for each record; each stamp is
// decoded once, and the date once for a run of records of one day. A stamp that does not
// decode ends the read there and shows its message once (unless showFault is false). A window
// outside the file's records, or first > last, reads nothing and is not Complete.
TRecordWindowData ReadRecordWindow(TDataFile& F, std::int64_t first, std::int64_t last,
                                   std::span<const TRecordColumn> columns, bool showFault = true,
                                   StampUse stamps = StampUse::Times);

// The gaps of a window's times, found while its stamps are decoded: the records that do not
// follow the one before by the period (JoinsPrevious), and whether each time is later than the
// one before.
struct TTimeSteps {
    std::int64_t PeriodSeconds = 0;   // the recording period, in seconds
    std::vector<std::uint32_t> Gaps;  // positions in the window, ascending; the first record is left out
    bool Ascending = true;
};

// The same read into arrays of the caller's, each with room for last - first + 1 values, for a
// view that keeps its arrays from one plot to the next: the times into `times`, their gaps into
// `steps` (unless null), or with `times` null no stamp is decoded (the caller holds the times
// already) and every record counts as read; each column into values[c] in single precision
// (exact for the float fields the views plot), a null values[c] being checked against the
// record and not kept; the largest of each column into highest[c] (as Highest).
TWindowRead ReadRecordWindowInto(TDataFile& F, std::int64_t first, std::int64_t last,
                                 std::span<const TRecordColumn> columns, TDateTime* times, TTimeSteps* steps,
                                 std::span<float* const> values, std::span<double> highest, bool showFault = true);

// The reader of a caller that reads an interval window after window (the analysis and summary
// engines): each Read refills the same arrays, keeping their memory, so a window after the
// first takes no new memory for its values.
class TRecordWindowRefill {
public:
    // As ReadRecordWindow; the previous window's data is replaced.
    const TRecordWindowData& Read(TDataFile& F, std::int64_t first, std::int64_t last,
                                  std::span<const TRecordColumn> columns, bool showFault = true,
                                  StampUse stamps = StampUse::Times,
                                  ColumnPrecision precision = ColumnPrecision::Double);
    const TRecordWindowData& Data() const { return data_; }

private:
    TRecordWindowData data_;
};
