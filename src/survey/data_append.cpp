// Append of fixed-record data files.
#include "survey/data_append.h"

#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "survey/data_file.h"

#include <algorithm>
#include <limits>

namespace {
// Opens the file and reads its header; true only when the header checks.
bool OpenCheckedDataFile(const std::string& path, int measure, BinaryFile& file, TDataFileHeader& header)
{
    const auto read = file.Open(path) ? ReadDataFileHeader(file) : std::nullopt;
    if (!read) return false;
    header = *read;
    return CheckDataFileHeader(header, file.Size(), MinimumRecordSize(measure)) == DataFileFault::None;
}

// Copies the records of a checked file (header to end offset) onto the writer, a block at a
// time: a year of records never has to fit in memory.
bool CopyRecords(BinaryFile& file, const TDataFileHeader& header, AtomicFileWriter& out)
{
    constexpr std::uint64_t kBlock = 1 << 20;
    Bytes block;
    for (std::uint64_t at = kDataFileHeaderSize; at < header.EndOffset;) {
        const std::uint64_t count = std::min<std::uint64_t>(kBlock, header.EndOffset - at);
        if (!file.ReadAt(at, static_cast<std::size_t>(count), block) || !out.Write(block.data(), block.size()))
            return false;
        at += count;
    }
    return true;
}
}  // namespace

AppendResult AppendDataFile(const std::string& source, const std::string& destination, int measure)
{
    BinaryFile dest, src;
    TDataFileHeader destHeader, sourceHeader;
    if (!OpenCheckedDataFile(destination, measure, dest, destHeader)) return AppendResult::DestinationCorrupt;
    if (!OpenCheckedDataFile(source, measure, src, sourceHeader)) return AppendResult::SourceCorrupt;
    if (destHeader.RecordSize() != sourceHeader.RecordSize()) return AppendResult::RecordSizeMismatch;

    const std::uint64_t end = std::uint64_t(destHeader.EndOffset) + sourceHeader.EndOffset - kDataFileHeaderSize;
    const std::uint64_t count = std::uint64_t(destHeader.RecordCount) + sourceHeader.RecordCount;
    if (end > std::numeric_limits<std::uint32_t>::max()) return AppendResult::TooLarge;

    // The joined file: new header, the destination's records, the source's records. Bytes past
    // either header's end offset are not records and are left out.
    std::uint8_t head[kDataFileHeaderSize];
    StoreDataFileHeader(head, {static_cast<std::uint32_t>(end), static_cast<std::uint32_t>(count)});
    AtomicFileWriter out(destination);
    const bool written = out.Write(head, sizeof head) && CopyRecords(dest, destHeader, out) &&
                         CopyRecords(src, sourceHeader, out);
    dest.Close();
    src.Close();
    return written && out.Commit() ? AppendResult::Ok : AppendResult::WriteFailed;
}
