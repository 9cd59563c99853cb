// The floppy archive's header file "datainfo._tn" and the part-file names ("vm_0102._tn" is
// part 1 of 2 of the voltage measure).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The header is at most 40 bytes; a shorter file leaves the rest 0.
constexpr std::size_t kArchiveHeaderMaxSize = 40;
// Only measures 1 to 10 are ever read from an archive.
constexpr std::uint16_t kArchiveMeasureBits = 0x03FF;

struct TArchiveHeader {
    std::uint16_t MeasureMask = 0;  // bit k - 1: measure k is in the archive
    std::int16_t DiskCount = 0;
    std::array<std::uint32_t, 9> Sizes{};  // bytes of measures 1 to 9 (measure 10 has none)

    // Bytes the archive holds for a measure (0 for measure 10 and outside 1..9).
    std::uint32_t SizeOf(int measure) const;
};

// Nothing when the file is longer than 40 bytes.
std::optional<TArchiveHeader> LoadArchiveHeader(std::span<const std::uint8_t> bytes);

struct ArchivePartName {
    int number = 0;  // 0 when the characters are not digits
    int count = 0;
};
// Characters 4-5 (from 1) are the part number, 6-7 the part count.
ArchivePartName ParseArchivePartName(const std::string& name);
