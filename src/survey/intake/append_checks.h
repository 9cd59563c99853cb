// Whether received data may be appended to a survey's data file of the same measure: same
// layout (content flags, wiring, harmonic blocks, record size, samples file type) and strictly
// newer records. A failure shows "Error during append of <measure> data file." and its reason.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kNotNewerReason = "Received data files must be newer than selected.";
inline constexpr std::string_view kIncompatibleReason = "Incompatible files.";
inline constexpr std::string_view kWiringReason = "Monophase and threephase files are incompatible.";
inline constexpr std::string_view kHarmonicCountReason = "Files contain different numbers of harmonics.";
inline constexpr std::string_view kHarmonicsReason = "Files contain different harmonics.";
inline constexpr std::string_view kCorruptReason = "The data file is corrupted.";

// The reason the received file cannot be appended to the existing one, or "" when it can.
std::string_view AppendIncompatibility(const std::string& existing, const std::string& received, int measure);
// Shows the reason when there is one; true when the files are compatible.
bool CheckAppendCompatible(const std::string& existing, const std::string& received, int measure);
