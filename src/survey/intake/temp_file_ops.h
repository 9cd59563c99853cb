// Small file operations of the intake: the temporary file of each measure, growing it slice by
// slice, cutting it back after a failed copy, copying a whole file into a staged file, and
// renaming staged files over their targets.
#pragma once

#include "platform/file_io.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

// Where received data of measure k wait for the save wizard: DataDir + TempFileNames[k].
std::string TempFileName(int measure);

// Creates the file empty (replacing it).
bool CreateEmptyFile(const std::string& path);
// Appends bytes at the file's end (creating it when missing); false unless all were written.
bool AppendToFile(const std::string& path, std::span<const std::uint8_t> bytes);
// Cuts the file back to `length` bytes.
bool TruncateFile(const std::string& path, std::uint64_t length);
// Copies `count` bytes of `source` from `offset` onto the end of `destination`, in blocks;
// `copied` hears of every block with its byte count. True once the bytes are on the disk.
bool AppendFileRange(const std::string& source, std::uint64_t offset, std::uint64_t count,
                     const std::string& destination, const std::function<void(std::uint64_t)>& copied = {});
// Creates `destination` (replacing it) from the whole of `source`; true once all of it is on the
// disk. A survey's data file is never its destination: the copy goes to a staged name first.
bool CopyDataFile(const std::string& source, const std::string& destination);
// A name beside `path` (path + suffix, numbered when taken) that nothing has yet, for building a
// file before renaming it over `path`, or for keeping its former contents.
std::string StagedFileName(const std::string& path, const std::string& suffix = ".new");
bool RenameFile(const std::string& from, const std::string& to);
