// An open fixed-record data file whose header has passed the check, and the record-block reader
// through which views and engines read the records of a window in large blocks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "survey/binary_file.h"
#include "survey/data_layout.h"

// The 8-byte header at `at` (0 in a data file, a section's offset in a repository); nothing when
// the file holds fewer bytes there. The header is not checked.
std::optional<TDataFileHeader> ReadDataFileHeader(BinaryFile& F, std::uint64_t at = 0);

class TDataFile {
public:
    // Opens a fixed-record file of a measure (1 to 7, 9, 10) and checks its header; the file
    // stays closed unless the result is None.
    DataFileFault Open(const std::string& path, int measure);
    // The same for a file whose header passed when it was first opened: a file cut short since
    // (BeyondFile) is opened still, its records read as far as it holds them (ReadWholeRecords);
    // it is BeyondFile that is returned then.
    DataFileFault Reopen(const std::string& path, int measure);
    void Close() { file_.Close(); }
    bool IsOpen() const { return file_.IsOpen(); }

    int Measure() const { return measure_; }
    const TDataFileHeader& Header() const { return header_; }
    std::uint32_t RecordSize() const { return recordSize_; }
    std::uint32_t RecordCount() const { return header_.RecordCount; }
    std::uint64_t RecordPosition(std::int64_t index) const;
    // Index of the record at a byte position, or -1 when it is not a record start.
    std::int64_t RecordIndex(std::uint64_t position) const;

    // Reads `count` bytes of the records at `position`; false outside the records.
    bool ReadAt(std::uint64_t position, std::size_t count, Bytes& out);
    // The whole record at `position` (a record start).
    bool ReadRecord(std::uint64_t position, Bytes& out);
    // Records [first, first + count) in one read.
    bool ReadRecords(std::int64_t first, std::int64_t count, Bytes& out);
    // The same records into `room` (room for all of them), as many whole records as the file
    // still holds: fewer when it has been cut short since it was opened, a part record not
    // counted. Nothing on a read error or for records outside the header's count.
    std::optional<std::int64_t> ReadWholeRecords(std::int64_t first, std::int64_t count, std::span<std::uint8_t> room);

private:
    DataFileFault OpenChecked(const std::string& path, int measure, bool acceptCutShort);

    BinaryFile file_;
    TDataFileHeader header_;
    std::uint32_t recordSize_ = 0;
    int measure_ = 0;
};

// Walks records first..last (indices, inclusive) of an open data file, reading about
// `blockBytes` at a time, so a year of records costs a few dozen reads.
class RecordBlockReader {
public:
    RecordBlockReader(TDataFile& file, std::int64_t first, std::int64_t last, std::size_t blockBytes = 1 << 20);

    // The next record's bytes (valid until the next call), or an empty span at the end or after
    // a failed read (Failed()): a file cut short still hands out every whole record it holds.
    // Inline: every record of a window passes through here.
    std::span<const std::uint8_t> Next()
    {
        if (next_ >= blockFirst_ + blockCount_) return NextBlock();
        return RecordInBlock();
    }
    // Index and byte position of the record Next() returned last.
    std::int64_t Index() const { return next_ - 1; }
    std::uint64_t Position() const { return file_.RecordPosition(Index()); }
    bool Failed() const { return failed_; }

private:
    // Reads the block that starts at the next record, then returns that record.
    std::span<const std::uint8_t> NextBlock();
    std::span<const std::uint8_t> RecordInBlock()
    {
        const std::size_t size = file_.RecordSize();
        const std::size_t at = static_cast<std::size_t>(next_ - blockFirst_) * size;
        ++next_;
        return std::span<const std::uint8_t>(block_.data() + at, size);
    }

    TDataFile& file_;
    std::int64_t next_;
    std::int64_t last_;
    std::int64_t blockFirst_ = 0;
    std::int64_t blockCount_ = 0;
    std::int64_t recordsPerBlock_;
    Bytes block_;
    bool failed_ = false;
};
