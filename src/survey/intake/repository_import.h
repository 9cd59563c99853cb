// Importing a repository file (.rpy): a table of u32 section offsets (6, 8, 9 or 14 entries),
// then one complete data file per measure, possibly written as a ring buffer. Each section of
// measures 1 to 10 becomes the temporary file of its measure, oldest record first, for the save
// wizard. The whole file is checked before any temporary file is written.
#pragma once

#include "survey/binary_file.h"
#include "survey/records.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kInvalidRepositoryMessage = "Invalid repository file.";

struct TRepositoryTable {
    std::uint32_t Length = 0;                      // 24, 32, 36 or 56: the first section's offset
    std::array<std::uint32_t, kMeasureSlots> Entries{};  // entry k - 1: measure k's section, 0 absent
};
// Nothing when no valid table heads the file.
std::optional<TRepositoryTable> ReadRepositoryTable(BinaryFile& repository);

struct TRepositorySection {
    int Measure = 0;
    std::uint64_t Offset = 0;  // of the section's header
    std::uint64_t End = 0;     // the next present section, or the file's end
    std::uint64_t HeaderSize = 0;   // 8, or 9 for the samples file
    std::uint64_t DataEnd = 0;      // Offset + the header's end offset: where the records stop
};

// The section of measure k, checked: it lies in the file, its header passes the data file check
// within the section (records present, end offset inside the section) and, for the samples file,
// its records chain from the header to the end offset. Nothing for a bad section.
std::optional<TRepositorySection> CheckRepositorySection(BinaryFile& repository, const TRepositoryTable& table,
                                                         int measure);

// A ring-buffered section: true with the file offset of the oldest record when a record older
// than the first one exists (times decoded with seconds and hundredths where the records hold
// them; the samples walk finds the wrap at any record).
bool FindOldestRecord(BinaryFile& repository, const TRepositorySection& section, std::uint64_t& oldest);

using ImportProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
// Writes DataDir + TempFileNames[k] for every section and returns the received mask; on a bad
// file shows kInvalidRepositoryMessage and writes nothing.
std::optional<std::uint16_t> ImportRepository(const std::string& path, const ImportProgress& progress = {});
