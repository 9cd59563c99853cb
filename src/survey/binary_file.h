// A binary file held open for ranged block reads (data files, samples files, index files).
// Every read is exact: a range that is not wholly in the file fails and fills nothing.
#pragma once

#include <cstdint>
#include <cstdio>
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
    bool IsOpen() const { return file_ != nullptr; }
    const std::string& Path() const { return path_; }
    // Size when opened.
    std::uint64_t Size() const { return size_; }

    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out);
    bool ReadAt(std::uint64_t offset, std::size_t count, Bytes& out);

private:
    std::FILE* file_ = nullptr;
    std::string path_;
    std::uint64_t size_ = 0;
};
