// The time index of a samples file: one 13-byte entry (u32 record offset, f64 date-time, one
// unused byte) per record, in a temporary "off" file in the program folder, built when an events
// list or waveform view opens and searched by time.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/file_io.h"
#include "platform/date_time.h"
#include "survey/records.h"

constexpr std::size_t kSamplesIndexEntrySize = 13;

struct TSamplesIndexEntry {
    std::uint32_t Offset = 0;
    TDateTime Time = 0;
};

// A new, empty temporary file "off..." in ProgDir; nothing when it cannot be created.
std::optional<std::string> CreateSamplesIndexFile();

// The index entries of a samples file. Nothing when the header or a record does not fit the
// file: a length of 0, shorter than its head, or running past the end offset ends the walk.
// A capture time that does not decode takes the previous entry's time (its message once).
std::optional<Bytes> BuildSamplesIndexEntries(const std::string& samplesPath);
// Writes the index file (replacing its content); false as above or when writing fails.
bool BuildSamplesIndex(const std::string& samplesPath, const std::string& IndexName);

// Entry n of an index; nothing outside it.
std::optional<TSamplesIndexEntry> IndexEntry(std::span<const std::uint8_t> index, std::int64_t n);
// Byte offset in the index of the entry nearest T: 0 before Info.FirstTime, the index's length
// after Info.LastTime (one past the last entry).
std::int32_t FindIndexEntryAtTime(std::span<const std::uint8_t> index, const TMeasureFileInfo& Info, TDateTime T);

// The entries of a period (0-based): the first at or after Start to the last at or before Stop;
// nothing when no entry lies inside.
struct TIndexRange {
    std::int64_t First = 0;
    std::int64_t Last = 0;
    std::int64_t Count() const { return Last - First + 1; }
};
std::optional<TIndexRange> FindIndexEntriesInPeriod(std::span<const std::uint8_t> index, const TMeasureFileInfo& Info,
                                                    TDateTime Start, TDateTime Stop);
