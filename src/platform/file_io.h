// File-system stand-ins shared by every engine: whole and ranged block reads, atomic saving,
// folder creation and the case-insensitive name lookup used for names taken from stored files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Size of a regular file, or nothing when it cannot be read.
std::optional<std::uint64_t> FileSize(const std::string& path);

// Reads the whole file; refuses (nothing) files larger than `maxBytes`.
std::optional<Bytes> ReadWholeFile(const std::string& path, std::uint64_t maxBytes = 1ull << 32);
// Reads exactly `count` bytes at `offset`; a short read is a failure.
std::optional<Bytes> ReadFileRange(const std::string& path, std::uint64_t offset, std::size_t count);

// Builds a file piece by piece in a temporary file beside `path` and renames it over `path`
// only on Commit(), once every byte is on the disk; a failed write, a failed commit or no commit
// at all deletes the temporary file and leaves `path` as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::string& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Write(const void* data, std::size_t size);
    bool Commit();

private:
    void Drop();
    std::string path_, temp_;
    std::FILE* file_ = nullptr;
};

// Writes to a temporary file in the same folder and renames it over `path` only when complete,
// so a failed save leaves the old file as it was.
bool WriteFileAtomic(const std::string& path, const void* data, std::size_t size);
inline bool WriteFileAtomic(const std::string& path, const Bytes& bytes)
{
    return WriteFileAtomic(path, bytes.data(), bytes.size());
}
inline bool WriteFileAtomic(const std::string& path, const std::string& text)
{
    return WriteFileAtomic(path, text.data(), text.size());
}

// Writes a scratch file (a job's temporary file, never the user's data) in one go, without the
// wait for the disk a saved file takes; false when it cannot be written whole.
bool WriteScratchFile(const std::string& path, const Bytes& bytes);

// Creates one folder level; an existing folder or a failure is ignored (result says which).
bool CreateFolder(const std::string& path);
bool DeleteFile(const std::string& path);

// Folder part of a path, with its trailing "/" ("" when there is none).
std::string ExtractFilePath(const std::string& path);
// Name part of a path.
std::string ExtractFileName(const std::string& path);
// Extension with its dot (".orv"), or "".
std::string ExtractFileExt(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& ext);
// Folder text with exactly one trailing "/".
std::string WithTrailingSlash(const std::string& folder);

// The two texts are equal but for ASCII letter case (file names, stream names).
bool EqualNoCase(const std::string& a, const std::string& b);
// Looks `name` up in `folder`: exactly first, then case-insensitively. Returns the full path of
// the file found, or nothing.
std::optional<std::string> FindFileNoCase(const std::string& folder, const std::string& name);
// Case-insensitive match of a file name against a mask with "*" and "?" (as "*.orv").
bool MatchesMask(const std::string& name, const std::string& mask);
// Regular files in `folder` whose names match `mask`, sorted by name.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& mask);
