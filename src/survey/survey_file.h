// The survey file (.orv): a text file of lines naming the survey's data files, one per measure,
// plus description, site and operator. Every survey reader (selection, save, export, analysis
// and summary wizards, waveform lookup) loads it here and names the rule it applies: the header
// check, the full upgrade, the short upgrade, the 10-line step and the info-line rule.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "survey/records.h"

inline constexpr std::string_view kSurveyHeader = "Tarn - Zidevid Phase Monitor Survey file with Powers and Currents";
inline constexpr std::string_view kOldSurveyHeader = "Tarn - Zidevid Phase Monitor Survey file";
inline constexpr std::string_view kInvalidSurveyMessage = "Invalid ORV Survey file format.";
// Followed by the survey file's path and ".".
inline constexpr std::string_view kSurveySaveFailedMessage = "Unable to save the survey file ";

// The three layouts by their line count: 6, 9 or 14 data-file lines after the header, then
// description, site and operator.
constexpr std::size_t kOldSurveyLineCount = 10;
constexpr std::size_t kShortSurveyLineCount = 13;
constexpr std::size_t kSurveyLineCount = 18;

using SurveyLines = std::vector<std::string>;

struct TSurveyInfo {
    std::string Description;
    std::string Site;
    std::string Operator;
    bool operator==(const TSurveyInfo&) const = default;
};

// Lines of the file, split at CR LF, LF or CR; a final line break adds no empty line. Nothing
// when the file cannot be read or is far too large to be a survey file.
std::optional<SurveyLines> LoadSurveyLines(const std::string& path);
// Writes every line followed by CR LF, through a temporary file; refuses lines holding a break.
bool SaveSurveyLines(const std::string& path, const SurveyLines& lines);

// Line 0 is one of the two header texts exactly, and the line count is one of the three layouts
// (any other count cannot be upgraded safely).
bool SurveyHeaderValid(const SurveyLines& lines);
// The header check: on failure shows kInvalidSurveyMessage and clears the lines.
bool CheckSurveyHeader(SurveyLines& lines);

// The upgrades work on lines that passed the header check and save the file when they change
// it; false only when that save failed (the lines are upgraded all the same).
// Full upgrade: 10 or 13 lines become 18 (survey selection wizard).
bool FullUpgrade(const std::string& path, SurveyLines& lines);
// The same lines without saving, for a caller that saves them with other files.
void UpgradeToCurrentLayout(SurveyLines& lines);
// Short upgrade: 10 lines become 13; 13 and 18 stay (export, analysis, summary, waveform lookup).
bool ShortUpgrade(const std::string& path, SurveyLines& lines);
// 10-line step: 10 lines become 18; 13 stay (save wizard).
bool TenLineStep(const std::string& path, SurveyLines& lines);

enum class SurveyUpgrade { None, Full, Short, TenLineStep };
// Load, header check and the named upgrade in one call, with the messages: nothing when the
// file cannot be used. A failed upgrade save is reported and the upgraded lines are returned.
std::optional<SurveyLines> OpenSurveyFile(const std::string& path, SurveyUpgrade upgrade);

// The info-line rule: lines 15-17 when the file has more than 13 lines, else 10-12.
std::size_t InfoLineIndex(const SurveyLines& lines);
TSurveyInfo ReadSurveyInfo(const SurveyLines& lines);
// Puts the texts into the lines the info-line rule names (growing the list when short), line
// breaks inside them turned into spaces.
void StoreSurveyInfo(SurveyLines& lines, const TSurveyInfo& info);

// Data-file lines of the layout: 6, 9 or 14.
int DataLineCount(const SurveyLines& lines);
// Line k (measure k): the data file's name, "" when empty or outside the layout.
std::string DataFileLine(const SurveyLines& lines, int measure);
// False when the layout has no line for the measure (a 13-line file has none for measure 10).
bool SetDataFileLine(SurveyLines& lines, int measure, const std::string& name);
// The existing data file of measure k beside the survey file (exact name first, then ignoring
// case); nothing when the line is empty, names a folder or the file is missing.
std::optional<std::string> FindSurveyDataFile(const std::string& surveyPath, const SurveyLines& lines, int measure);

// A new survey file in the current layout; dataNames[k-1] is measure k's file name or "".
SurveyLines NewSurveyLines(const std::array<std::string, kMeasureSlots>& dataNames, const TSurveyInfo& info);
