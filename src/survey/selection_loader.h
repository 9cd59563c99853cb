// Filling the program-wide survey record from a survey file's lines: name, information lines (cut
// to their short strings), and one checked slot per measure whose data file exists and reads. A
// measure whose file is missing or unusable has its line emptied in memory, so it cannot be chosen.
#pragma once

#include "survey/records.h"
#include "survey/survey_file.h"

#include <functional>
#include <string>

// Reads the data file of one measure into its slot; false when the measure cannot be used (its
// message shown).
using MeasureFileReader = std::function<bool(const std::string& path, int measure, TMeasureFileInfo& info)>;

// Resets `selection`, then fills it from the survey at `surveyPath` with lines `lines`
// (already checked and upgraded), for measures 1 to `lastMeasure`, each data file through `read`
// (ReadMeasureFileInfo when none is given). Empties the lines of measures that cannot be used.
void FillSurveySelection(const std::string& surveyPath, SurveyLines& lines, TSurveySelection& selection,
                         int lastMeasure = kMeasureSlots, const MeasureFileReader& read = {});
// Sets the selection's name and information lines from the survey at `surveyPath`. A survey
// edited by hand may hold longer lines than the record's short strings: the windows work on their
// first 255 bytes, and the file keeps them whole.
void SetSelectionSurvey(const std::string& surveyPath, const SurveyLines& lines, TSurveySelection& selection);
// Bit k-1 for each measure k (1 to 10) whose data-file line is not empty: after the fill above,
// the measures a wizard can offer.
unsigned AvailableMeasures(const SurveyLines& lines);
