// The summary wizard's reading of a survey: measures 1 to 6 into the survey record, which of them
// can be summarised, the frequency file's period in seconds, and the voltage-harmonic orders of
// the harmonics file into the summary parameters. Used by the summary wizard (its survey and
// interval pages and PresetSummarySurvey).
#pragma once

#include <optional>
#include <string>

#include "summary/summary_params.h"
#include "survey/records.h"
#include "survey/survey_file.h"

// Fills `info` from the data file of measure 1 to 6 at Path as ReadMeasureFileInfo does (its
// messages shown; nothing when the file is refused) and says whether the measure can be
// summarised: voltage, frequency and unbalance need minimum, average and maximum values in the
// first record, voltage harmonics in every block of it; flicker and events only a readable file.
// A frequency file whose period is counted in minutes has its Rate made seconds (x 60). A
// usable harmonics file sets HarmonicOrders (block by block) and HarmonicSelected (by order).
std::optional<bool> ReadSummaryMeasureInfo(const std::string& Path, int Measure, TMeasureFileInfo& info,
                                           TSummaryParams& params);

// Loads the survey at `surveyPath` (lines checked and upgraded) for the interval page: resets
// `selection` and the harmonic choices of `params` (a new survey clears those of the last),
// fills slots 1 to 6 and empties the lines of measures whose files are missing or refused.
// Returns bit k-1 for each measure k that can be summarised.
unsigned LoadSummarySurvey(const std::string& surveyPath, SurveyLines& lines, TSurveySelection& selection,
                           TSummaryParams& params);
