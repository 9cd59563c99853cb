// Checked opening and block reading of fixed-record data files.
#include "survey/data_file.h"

#include <algorithm>

std::optional<TDataFileHeader> ReadDataFileHeader(BinaryFile& F, std::uint64_t at)
{
    Bytes head;
    if (!F.ReadAt(at, kDataFileHeaderSize, head)) return std::nullopt;
    return LoadDataFileHeader(head);
}

DataFileFault TDataFile::Open(const std::string& path, int measure) { return OpenChecked(path, measure, false); }

DataFileFault TDataFile::Reopen(const std::string& path, int measure) { return OpenChecked(path, measure, true); }

DataFileFault TDataFile::OpenChecked(const std::string& path, int measure, bool acceptCutShort)
{
    Close();
    measure_ = measure;
    BinaryFile file;
    const auto header = file.Open(path) ? ReadDataFileHeader(file) : std::nullopt;
    if (!header) return DataFileFault::Unreadable;
    header_ = *header;
    DataFileFault fault = CheckDataFileHeader(header_, file.Size(), MinimumRecordSize(measure));
    // The end of its records is the last thing the check looks at but one.
    if (fault == DataFileFault::BeyondFile && header_.RecordSize() < MinimumRecordSize(measure))
        fault = DataFileFault::RecordTooSmall;
    if (fault != DataFileFault::None && !(acceptCutShort && fault == DataFileFault::BeyondFile)) return fault;
    recordSize_ = header_.RecordSize();
    file_ = std::move(file);
    return fault;
}

std::uint64_t TDataFile::RecordPosition(std::int64_t index) const
{
    return kDataFileHeaderSize + static_cast<std::uint64_t>(index) * recordSize_;
}

std::int64_t TDataFile::RecordIndex(std::uint64_t position) const
{
    if (recordSize_ == 0 || position < kDataFileHeaderSize) return -1;
    const std::uint64_t rel = position - kDataFileHeaderSize;
    if (rel % recordSize_ != 0 || rel / recordSize_ >= header_.RecordCount) return -1;
    return static_cast<std::int64_t>(rel / recordSize_);
}

bool TDataFile::ReadAt(std::uint64_t position, std::size_t count, Bytes& out)
{
    // Only the records: never the header, never past the end offset.
    if (position < kDataFileHeaderSize || position > header_.EndOffset || count > header_.EndOffset - position) {
        out.clear();
        return false;
    }
    return file_.ReadAt(position, count, out);
}

bool TDataFile::ReadRecord(std::uint64_t position, Bytes& out)
{
    if (RecordIndex(position) < 0) {
        out.clear();
        return false;
    }
    return ReadAt(position, recordSize_, out);
}

bool TDataFile::ReadRecords(std::int64_t first, std::int64_t count, Bytes& out)
{
    if (first < 0 || count < 0 || first + count > static_cast<std::int64_t>(header_.RecordCount)) {
        out.clear();
        return false;
    }
    return ReadAt(RecordPosition(first), static_cast<std::size_t>(count) * recordSize_, out);
}

std::optional<std::int64_t> TDataFile::ReadWholeRecords(std::int64_t first, std::int64_t count, std::span<std::uint8_t> room)
{
    if (first < 0 || count < 0 || first + count > static_cast<std::int64_t>(header_.RecordCount) ||
        room.size() < static_cast<std::uint64_t>(count) * recordSize_)
        return std::nullopt;
    const std::optional<std::size_t> bytes =
        file_.ReadUpTo(RecordPosition(first), room.first(static_cast<std::size_t>(count) * recordSize_));
    if (!bytes) return std::nullopt;
    return static_cast<std::int64_t>(*bytes / recordSize_);
}

RecordBlockReader::RecordBlockReader(TDataFile& file, std::int64_t first, std::int64_t last, std::size_t blockBytes)
    : file_(file), next_(std::max<std::int64_t>(first, 0)),
      last_(std::min<std::int64_t>(last, static_cast<std::int64_t>(file.RecordCount()) - 1)),
      recordsPerBlock_(std::max<std::int64_t>(1, static_cast<std::int64_t>(blockBytes / std::max<std::uint32_t>(file.RecordSize(), 1))))
{
}

std::span<const std::uint8_t> RecordBlockReader::NextBlock()
{
    if (failed_ || next_ > last_) return {};
    blockFirst_ = next_;
    const std::int64_t wanted = std::min(recordsPerBlock_, last_ - next_ + 1);
    block_.resize(static_cast<std::size_t>(wanted) * file_.RecordSize());
    blockCount_ = file_.ReadWholeRecords(blockFirst_, wanted, block_).value_or(0);
    // A short block ends the walk after its records.
    failed_ = blockCount_ < wanted;
    if (blockCount_ == 0) return {};
    return RecordInBlock();
}
