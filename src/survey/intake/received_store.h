// Storing received data (the temporary files "vm.tmp" ... in the data folder) as a new survey or
// onto an existing one: the engine of the save wizard. Every data file is first built beside its
// target; only when all are complete are they renamed into place and the survey file saved, and
// only then are the temporary files removed. A failure leaves the survey as it was and keeps
// the received data.
#pragma once

#include "survey/intake/temp_file_ops.h"
#include "survey/survey_file.h"

#include <cstdint>
#include <string>

// DataFileExts[k].
std::string DataFileExt(int measure);
// Deletes every temporary file 1 to 14 that exists.
void DeleteTempFiles();
// A survey file name ends with ".orv"; another extension is replaced.
std::string SurveyPathFor(const std::string& typedPath);

// A new survey at `path` from the received measures of `mask`.
bool CreateSurvey(const std::string& path, std::uint16_t mask, const TSurveyInfo& info);
// Appends the received measures to the survey at `path` whose lines are `lines` (after the header
// check and the 10-line step); each measure whose data file exists must pass the compatibility
// check or be skipped by the user. On success `lines` are the saved lines.
bool AppendToSurvey(const std::string& path, SurveyLines& lines, std::uint16_t mask);
