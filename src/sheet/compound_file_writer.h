// Writes one stream (the workbook's "Book") as an OLE2 compound file, version 3, 512-byte
// sectors. Streams of any size: past 109 FAT sectors (6.8 MB) the FAT list goes on in DIFAT sectors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A stream shorter than the mini-stream cutoff is padded with zeros to 4096 bytes, so that it
// lives in ordinary sectors (Excel pads its workbook streams the same way).
std::vector<std::uint8_t> WriteCompoundFile(const std::string& streamName, const std::vector<std::uint8_t>& stream);

// The same in place: `file` holds this many bytes of room, then the stream. The header is
// written into the room and the rest appended, so a stream of megabytes is never copied.
constexpr std::size_t kCompoundFileHeaderRoom = 512;
void CompleteCompoundFile(const std::string& streamName, std::vector<std::uint8_t>& file);
