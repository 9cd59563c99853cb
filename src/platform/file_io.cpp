// File-system stand-ins on std::filesystem and stdio.
#include "platform/file_io.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool FolderExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::optional<std::uint64_t> FileSize(const std::string& path)
{
    std::error_code ec;
    auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

std::optional<Bytes> ReadWholeFile(const std::string& path, std::uint64_t maxBytes)
{
    auto size = FileSize(path);
    if (!size || *size > maxBytes) return std::nullopt;
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) return std::nullopt;
    Bytes bytes(static_cast<std::size_t>(*size));
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) return std::nullopt;
    return bytes;
}

std::optional<Bytes> ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t count)
{
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) return std::nullopt;
    if (fseeko(f.get(), static_cast<off_t>(offset), SEEK_SET) != 0) return std::nullopt;
    Bytes bytes(count);
    if (count && std::fread(bytes.data(), 1, count, f.get()) != count) return std::nullopt;
    return bytes;
}

AtomicFileWriter::AtomicFileWriter(const std::string& path) : path_(path), temp_(path + ".part")
{
    for (int n = 1; FileExists(temp_); ++n) temp_ = path + ".part" + std::to_string(n);
    file_ = std::fopen(temp_.c_str(), "wb");
}

AtomicFileWriter::~AtomicFileWriter() { Drop(); }

void AtomicFileWriter::Drop()
{
    if (!file_) return;
    std::fclose(file_);
    file_ = nullptr;
    std::remove(temp_.c_str());
}

bool AtomicFileWriter::Write(const void* data, std::size_t size)
{
    if (file_ && size > 0 && std::fwrite(data, 1, size, file_) != size) Drop();
    return file_ != nullptr;
}

bool AtomicFileWriter::Commit()
{
    if (!file_) return false;
    if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) {
        Drop();
        return false;
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    std::error_code ec;
    if (closed) fs::rename(temp_, path_, ec);
    if (!closed || ec) {
        std::remove(temp_.c_str());
        return false;
    }
    return true;
}

bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size)
{
    AtomicFileWriter writer(path);
    return writer.Write(data, size) && writer.Commit();
}

bool WriteScratchFile(const std::string& path, const Bytes& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return true;
    std::remove(path.c_str());
    return false;
}

bool CreateFolder(const std::string& path)
{
    std::error_code ec;
    return fs::create_directory(path, ec);
}

bool DeleteFile(const std::string& path)
{
    std::error_code ec;
    return fs::remove(path, ec);
}

std::string ExtractFilePath(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFileExt(const std::string& path)
{
    std::string name = ExtractFileName(path);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext)
{
    std::string name = ExtractFileName(path);
    auto dot = name.find_last_of('.');
    std::string folder = ExtractFilePath(path);
    return folder + (dot == std::string::npos ? name : name.substr(0, dot)) + ext;
}

std::string WithTrailingSlash(const std::string& folder)
{
    if (folder.empty()) return "/";
    return folder.back() == '/' ? folder : folder + "/";
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::optional<std::string> FindFileNoCase(const std::string& folder, const std::string& name)
{
    std::string base = WithTrailingSlash(folder);
    if (FileExists(base + name)) return base + name;
    std::error_code ec;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec) && EqualNoCase(it->path().filename().string(), name))
            return base + it->path().filename().string();
    }
    return std::nullopt;
}

static bool MatchFrom(const char* n, const char* m)
{
    for (; *m; ++m, ++n) {
        if (*m == '*') {
            for (const char* rest = n;; ++rest) {
                if (MatchFrom(rest, m + 1)) return true;
                if (!*rest) return false;
            }
        }
        if (!*n) return false;
        if (*m != '?' && std::tolower(static_cast<unsigned char>(*m)) != std::tolower(static_cast<unsigned char>(*n)))
            return false;
    }
    return *n == 0;
}

bool MatchesMask(const std::string& name, const std::string& mask)
{
    return MatchFrom(name.c_str(), mask.c_str());
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(WithTrailingSlash(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (it->is_regular_file(ec) && MatchesMask(name, mask)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}
