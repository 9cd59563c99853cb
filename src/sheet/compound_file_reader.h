// Reads a named stream out of an OLE2 compound file, trusting nothing in it: the sector size,
// every FAT, DIFAT, mini-FAT and directory chain, and every stream size are checked against the
// file, and a chain that loops or runs out is a damaged file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

bool IsCompoundFile(std::span<const std::uint8_t> file);

class CompoundFileReader {
public:
    // Reads the header, the FAT and the directory; false with `error` for a damaged file.
    bool Open(std::span<const std::uint8_t> file, std::string& error);
    bool HasStream(const std::string& name) const;  // names compare without regard to case
    // The stream's bytes, or nothing with `error`.
    std::optional<std::vector<std::uint8_t>> ReadStream(const std::string& name, std::string& error) const;

private:
    struct Entry {
        std::string name;
        std::uint8_t type = 0;
        std::uint32_t start = 0;
        std::uint64_t size = 0;
    };
    // Follows a chain through `fat` from `start`; at most `limit` links.
    bool Chain(const std::vector<std::uint32_t>& fat, std::uint32_t start, std::size_t limit, std::size_t sectorCount,
               std::vector<std::uint32_t>& out, std::string& error) const;
    std::span<const std::uint8_t> SectorBytes(std::uint32_t sector) const;
    const Entry* Find(const std::string& name) const;

    std::span<const std::uint8_t> file_;
    std::size_t sectorSize_ = 512;
    std::size_t sectorCount_ = 0;
    std::uint32_t miniCutoff_ = 4096;
    std::vector<std::uint32_t> fat_;
    std::vector<std::uint32_t> miniFat_;
    std::vector<std::uint8_t> miniStream_;
    std::vector<Entry> entries_;
};
