// Append of fixed-record data files.
#include "survey/data_append.h"

#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "survey/data_layout.h"

#include <limits>
#include <optional>

namespace {
// The file's bytes when its header checks; nothing otherwise.
std::optional<Bytes> ReadCheckedDataFile(const std::string& path, int measure, TDataFileHeader& header)
{
    auto bytes = ReadWholeFile(path);
    if (!bytes || bytes->size() < kDataFileHeaderSize) return std::nullopt;
    header = LoadDataFileHeader(*bytes);
    if (CheckDataFileHeader(header, bytes->size(), MinimumRecordSize(measure)) != DataFileFault::None) return std::nullopt;
    return bytes;
}
}  // namespace

AppendResult AppendDataFile(const std::string& source, const std::string& destination, int measure)
{
    TDataFileHeader destHeader, sourceHeader;
    auto dest = ReadCheckedDataFile(destination, measure, destHeader);
    if (!dest) return AppendResult::DestinationCorrupt;
    auto src = ReadCheckedDataFile(source, measure, sourceHeader);
    if (!src) return AppendResult::SourceCorrupt;
    if (destHeader.RecordSize() != sourceHeader.RecordSize()) return AppendResult::RecordSizeMismatch;

    const std::uint64_t end = std::uint64_t(destHeader.EndOffset) + sourceHeader.EndOffset - kDataFileHeaderSize;
    const std::uint64_t count = std::uint64_t(destHeader.RecordCount) + sourceHeader.RecordCount;
    if (end > std::numeric_limits<std::uint32_t>::max()) return AppendResult::TooLarge;

    // Bytes past a header's end offset are not records; they are left out.
    dest->resize(destHeader.EndOffset);
    dest->insert(dest->end(), src->begin() + kDataFileHeaderSize, src->begin() + sourceHeader.EndOffset);
    StoreDataFileHeader(dest->data(), {static_cast<std::uint32_t>(end), static_cast<std::uint32_t>(count)});
    return WriteFileAtomic(destination, *dest) ? AppendResult::Ok : AppendResult::WriteFailed;
}
