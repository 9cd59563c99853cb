// The one gate through which a survey's data file is accepted: ReadMeasureFileInfo checks the
// file (header, record size, first and last stamps) and fills a TMeasureFileInfo slot from it.
#pragma once

#include <string>
#include <string_view>

#include "survey/records.h"

// %s: the measure's name.
inline constexpr std::string_view kSurveyCorruptedMessage = "%s survey is corrupted. Unable to open the file.";
// kSurveyCorruptedMessage filled with the name of measure 1 to 14.
std::string SurveyCorruptedMessage(int measure);
// "<name> survey is corrupted. Unable to read the file.": a file that opened but whose records
// could not be read, for the engines that walk them.
std::string SurveyUnreadableMessage(int measure);
// "<name> survey is shorter than its header says: the records after its end are missing.": a
// file cut short since it was opened, whose whole records before its end are still shown.
std::string SurveyShortMessage(int measure);

// Fills `info` from the data file of `measure` at `path`. On a corrupt file shows the stamp's
// own message (when a stamp failed) and then kSurveyCorruptedMessage, and returns false; the
// slot keeps what was filled so far. Measures 11 to 14 are ignored (true, nothing read).
bool ReadMeasureFileInfo(const std::string& Path, int Measure, TMeasureFileInfo& info);
// The same into slot Measure of SurveySelection.
bool ReadMeasureFileInfo(const std::string& Path, int Measure);
