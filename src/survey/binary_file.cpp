// Ranged reads on stdio.
#include "survey/binary_file.h"

#include <utility>

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), path_(std::move(other.path_)), size_(other.size_)
{
}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept
{
    if (this != &other) {
        Close();
        file_ = std::exchange(other.file_, nullptr);
        path_ = std::move(other.path_);
        size_ = other.size_;
    }
    return *this;
}

bool BinaryFile::Open(const std::string& path)
{
    Close();
    auto size = FileSize(path);
    if (!size) return false;
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return false;
    path_ = path;
    size_ = *size;
    return true;
}

void BinaryFile::Close()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool BinaryFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    if (!file_ || offset > size_ || out.size() > size_ - offset) return false;
    if (out.empty()) return true;
    if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    return std::fread(out.data(), 1, out.size(), file_) == out.size();
}

bool BinaryFile::ReadAt(std::uint64_t offset, std::size_t count, Bytes& out)
{
    out.resize(count);
    if (ReadAt(offset, std::span<std::uint8_t>(out))) return true;
    out.clear();
    return false;
}
