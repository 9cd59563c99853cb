// A binary file held open for ranged block reads (data files, samples files, index files).
// ReadAt is exact: a range that is not wholly in the file fails and fills nothing. ReadUpTo
// takes what the file still holds of a range, for readers that keep the whole records of a
// file cut short after it was opened.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/file_io.h"

class BinaryFile {
public:
    BinaryFile() = default;
    ~BinaryFile() { Close(); }
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }
    // Size when opened.
    std::uint64_t Size() const { return size_; }

    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out);
    bool ReadAt(std::uint64_t offset, std::size_t count, Bytes& out);
    // The bytes of [offset, offset + out.size()) that the file holds now, from the front: fewer
    // when it has been cut short since it was opened; nothing on a read error.
    std::optional<std::size_t> ReadUpTo(std::uint64_t offset, std::span<std::uint8_t> out);

private:
    int fd_ = -1;
    std::string path_;
    std::uint64_t size_ = 0;
};
