// The survey a samples file belongs to, loaded for a waveform view opened from an events list:
// the survey file beside the samples file, checked, short-upgraded, and the samples slot filled.
#pragma once

#include <string>

#include "platform/date_time.h"
#include "survey/records.h"

// The survey file of a samples file: the same path with ".orv" (the name looked up exactly,
// then ignoring case).
std::string SamplesSurveyPath(const std::string& SamplesPath);

// Fills `selection` for the samples file's survey over [Start, Stop]: the survey's name and
// information lines, and slot 8 from the samples file. A survey file that fails the header check
// ("Invalid ORV Survey file format.") or a samples file that does not check (its message shown)
// leaves `selection` as it was and returns false. A 10-line survey file is saved as 13 lines
// (through a temporary file) first.
bool LoadSurveyForSamples(const std::string& SamplesPath, TDateTime Start, TDateTime Stop, TSurveySelection& selection);
