// Writes one stream (the workbook's "Book") as an OLE2 compound file, version 3, 512-byte
// sectors. Streams of any size: past 109 FAT sectors (6.8 MB) the FAT list goes on in DIFAT sectors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A stream shorter than the mini-stream cutoff is padded with zeros to 4096 bytes, so that it
// lives in ordinary sectors (Excel pads its workbook streams the same way).
std::vector<std::uint8_t> WriteCompoundFile(const std::string& streamName, const std::vector<std::uint8_t>& stream);
