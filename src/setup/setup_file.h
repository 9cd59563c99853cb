// Reading and writing .cfg setup files. A file is read as far as it goes up to the whole record
// (553, 533 or 359 bytes, the sizes the recorder's software wrote) and always written whole, so a
// file saved and opened again loses nothing it held.
#pragma once

#include "setup/setup_record.h"

#include <optional>
#include <string>

inline constexpr const char* kInvalidSetupFileMessage = "Invalid ORV Setup file format.";

// The setup of a file with four-digit years; a file shorter than 533 bytes gets the current
// harmonics' defaults. Nothing, with the message in *error, when the file cannot be read, its
// header is not the setup header or it is shorter than 359 bytes.
std::optional<TSetupRecord> ReadSetupFile(const std::string& path, std::string* error);

// The years a setup file's two digits hold, as ReadSetupFile widens them.
constexpr int kFirstSetupYear = 1995, kLastSetupYear = 2094;

// Writes all 553 bytes with two-digit years and offset 373 cleared, replacing the file only once
// it is complete; false, with the message in *error, when it cannot be written or the year of a
// date that is set lies outside kFirstSetupYear to kLastSetupYear (nothing is written then).
bool WriteSetupFile(const std::string& path, const TSetupRecord& setup, std::string* error);
