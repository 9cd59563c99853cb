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

struct TRecordWindowData {
    std::vector<TDateTime> Times;              // one per record read, in file order
    std::vector<std::vector<double>> Columns;  // Columns[c][i]: column c of record i
    std::vector<double> Highest;               // Highest[c]: the largest of column c (-infinity: none)
    // False when the window could not be read whole: a column outside the record (nothing
    // read), a short file, or a stamp that does not decode (the records before it stay).
    bool Complete = true;
    std::size_t Read = 0;  // records read
    std::size_t Count() const { return Read; }
};

// Records first..last (record indexes, inclusive) of F, whose stamp layout is its measure's;
// callers bound first and last to their interval (FindRecordsInInterval). The
// times and values equal what the per-record readers give for each record; each stamp is
// decoded once, and the date once for a run of records of one day. A stamp that does not
// decode ends the read there and shows its message once (unless showFault is false). A window
// outside the file's records, or first > last, reads nothing and is not Complete.
TRecordWindowData ReadRecordWindow(TDataFile& F, std::int64_t first, std::int64_t last,
                                   std::span<const TRecordColumn> columns, bool showFault = true);
// The columns alone of records first..last, for a caller that holds their times already (read
// once through ReadRecordWindow, every stamp decoded): no stamp is decoded again, and Times
// stays empty. Not Complete, with nothing read, as ReadRecordWindow for a column or a window
// outside the file; a short file keeps the records read before it.
TRecordWindowData ReadRecordColumns(TDataFile& F, std::int64_t first, std::int64_t last,
                                    std::span<const TRecordColumn> columns);

// The reader of a caller that reads an interval window after window (the analysis and summary
// engines): each Read refills the same arrays and read buffer, keeping their memory, so a window
// after the first costs no allocation and no zero-filling.
class TRecordWindowRefill {
public:
    // As ReadRecordWindow; the previous window's data is replaced.
    const TRecordWindowData& Read(TDataFile& F, std::int64_t first, std::int64_t last,
                                  std::span<const TRecordColumn> columns, bool showFault = true);
    const TRecordWindowData& Data() const { return data_; }

private:
    TRecordWindowData data_;
    Bytes block_;
};
