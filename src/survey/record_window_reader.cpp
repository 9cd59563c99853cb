// Reading a window of records into a times array and one array per column.
#include "survey/record_window_reader.h"

#include "platform/little_endian.h"
#include "survey/record_readers.h"

#include <cstring>

std::size_t ColumnBytes(ColumnType type)
{
    switch (type) {
    case ColumnType::F32: case ColumnType::U32: case ColumnType::I32: return 4;
    case ColumnType::U16: case ColumnType::I16: return 2;
    case ColumnType::U8: return 1;
    }
    return 4;
}

namespace {
double ColumnValue(const TRecordColumn& c, const std::uint8_t* p)
{
    switch (c.Type) {
    case ColumnType::F32: return static_cast<double>(LoadF32(p) * c.Scale);
    case ColumnType::U32: return static_cast<double>(static_cast<float>(LoadU32(p)) * c.Scale);
    case ColumnType::I32: return static_cast<double>(static_cast<float>(static_cast<std::int32_t>(LoadU32(p))) * c.Scale);
    case ColumnType::U16: return static_cast<double>(static_cast<float>(LoadU16(p)) * c.Scale);
    case ColumnType::I16: return static_cast<double>(static_cast<float>(static_cast<std::int16_t>(LoadU16(p))) * c.Scale);
    case ColumnType::U8: return static_cast<double>(static_cast<float>(*p) * c.Scale);
    }
    return 0;
}
}  // namespace

TRecordWindowData ReadRecordWindow(TDataFile& F, std::int64_t first, std::int64_t last,
                                   std::span<const TRecordColumn> columns, bool showFault)
{
    TRecordWindowData result;
    result.Columns.resize(columns.size());
    const StampLayout* layout = StampLayoutOf(F.Measure());
    const std::int64_t count = static_cast<std::int64_t>(F.RecordCount());
    if (!layout || first < 0 || last < first || last >= count) {
        result.Complete = false;
        return result;
    }
    // Every column is checked once against the record size, so the record loop needs no checks.
    for (const TRecordColumn& c : columns)
        if (c.Offset + ColumnBytes(c.Type) > F.RecordSize()) {
            result.Complete = false;
            return result;
        }
    const std::size_t expected = static_cast<std::size_t>(last - first + 1);
    result.Times.reserve(expected);
    for (auto& column : result.Columns) column.reserve(expected);

    RecordBlockReader reader(F, first, last);
    for (auto record = reader.Next(); !record.empty(); record = reader.Next()) {
        TDateTime t = 0;
        if (!record_reading::DecodeRecordTime(layout, record, t, showFault)) {
            result.Complete = false;
            return result;
        }
        result.Times.push_back(t);
        for (std::size_t c = 0; c < columns.size(); ++c)
            result.Columns[c].push_back(ColumnValue(columns[c], record.data() + columns[c].Offset));
    }
    if (reader.Failed() || result.Times.size() != expected) result.Complete = false;
    return result;
}
