// Ranged reads by position (pread): no seek, no buffer of the library's in between.
#include "survey/binary_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)), size_(other.size_)
{
}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
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
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    path_ = path;
    size_ = *size;
    return true;
}

void BinaryFile::Close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::optional<std::size_t> BinaryFile::ReadUpTo(std::uint64_t offset, std::span<std::uint8_t> out)
{
    if (fd_ < 0) return std::nullopt;
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;  // the file's end
        done += static_cast<std::size_t>(n);
    }
    return done;
}

bool BinaryFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    if (fd_ < 0 || offset > size_ || out.size() > size_ - offset) return false;
    if (out.empty()) return true;
    const std::optional<std::size_t> read = ReadUpTo(offset, out);
    return read && *read == out.size();
}

bool BinaryFile::ReadAt(std::uint64_t offset, std::size_t count, Bytes& out)
{
    out.resize(count);
    if (ReadAt(offset, std::span<std::uint8_t>(out))) return true;
    out.clear();
    return false;
}
