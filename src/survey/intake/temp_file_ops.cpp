// Intake file operations on stdio and std::filesystem.
#include "survey/intake/temp_file_ops.h"

#include "platform/prog_dirs.h"
#include "survey/text_tables.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kCopyBlock = 1 << 16;

bool WriteAll(std::FILE* f, std::span<const std::uint8_t> bytes)
{
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
}
}  // namespace

std::string TempFileName(int measure) { return DataDir() + std::string(TempFileNames.at(static_cast<std::size_t>(measure))); }

bool CreateEmptyFile(const std::string& path)
{
    FilePtr f(std::fopen(path.c_str(), "wb"));
    return f && std::fflush(f.get()) == 0;
}

bool AppendToFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    FilePtr f(std::fopen(path.c_str(), "ab"));
    if (!f) return false;
    const bool ok = WriteAll(f.get(), bytes);
    return std::fflush(f.get()) == 0 && ok;
}

bool TruncateFile(const std::string& path, std::uint64_t length)
{
    std::error_code ec;
    std::filesystem::resize_file(path, length, ec);
    return !ec;
}

bool AppendFileRange(const std::string& source, std::uint64_t offset, std::uint64_t count,
                     const std::string& destination, const std::function<void(std::uint64_t)>& copied)
{
    FilePtr in(std::fopen(source.c_str(), "rb"));
    FilePtr out(std::fopen(destination.c_str(), "ab"));
    if (!in || !out || fseeko(in.get(), static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    Bytes block(kCopyBlock);
    while (count > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, block.size()));
        if (std::fread(block.data(), 1, n, in.get()) != n) return false;
        if (!WriteAll(out.get(), std::span(block.data(), n))) return false;
        count -= n;
        if (copied) copied(n);
    }
    // On the disk before anything (a temporary file, an old data file) is given up for it.
    return std::fflush(out.get()) == 0 && fsync(fileno(out.get())) == 0;
}

bool CopyDataFile(const std::string& source, const std::string& destination)
{
    auto size = FileSize(source);
    return size && CreateEmptyFile(destination) && AppendFileRange(source, 0, *size, destination);
}

std::string StagedFileName(const std::string& path, const std::string& suffix)
{
    std::string staged = path + suffix;
    for (int n = 1; std::filesystem::exists(staged) || std::filesystem::is_symlink(staged); ++n)
        staged = path + suffix + std::to_string(n);
    return staged;
}

bool RenameFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    return !ec;
}
