// Limits files (.lim): one limits record, no header. Read by the limits editor's Open (the first
// 380 bytes of any file that long), written by its Save (exactly the record). A shorter file, or
// one with a value the engines cannot use, is refused with a message and the caller's limits stay
// as they were.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "analysis/limits_record.h"

inline constexpr std::string_view kLimitsSavedMessage = "Limits values saved.";

// The record of a limits file's bytes, or what is wrong with them (a sentence without the path).
struct TLimitsParse {
    std::optional<TLimitsRecord> Limits;
    std::string Problem;
};
TLimitsParse ParseLimitsBytes(std::span<const std::uint8_t> bytes);

// Reads the file at Path into Limits; on failure shows why (error box) and leaves Limits as it was.
bool LoadLimitsFile(const std::string& Path, TLimitsRecord& Limits);
// Writes the record beside the old file and replaces it only when complete; a failure is
// shown (error box) and the old file stays.
bool SaveLimitsFile(const std::string& Path, const TLimitsRecord& Limits);
