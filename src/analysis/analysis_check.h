// The check of the analysis parameters against the chosen data, run when the analysis wizard's
// Finish would close it: the window of days must fit the interval and every chosen measure's
// data, and a measure recorded at another rate than the observation period needs the user's
// consent. A pure function over the parameters and the survey; the check dialog shows its result.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_params.h"
#include "survey/records.h"

enum class AnalysisCheckOutcome {
    Pass,    // nothing to say
    Refuse,  // a warning with OK; the wizard stays open
    Ask,     // a warning with Yes and No; Yes lets the analysis run
};

struct TAnalysisCheck {
    AnalysisCheckOutcome Outcome = AnalysisCheckOutcome::Pass;
    std::string Message;        // the warning's text, "" on Pass
    std::vector<int> Measures;  // the measures the message names, in measure order
};

// Over the selected measures 1 to 5 of `selection` (events are not checked) and its interval.
// `frequencyFlagWord` is the word at offset 12 of the frequency file's first record: non-zero
// when that file's recording period is counted in seconds.
TAnalysisCheck CheckAnalysisParams(const TAnalysisParams& params, const TSurveySelection& selection,
                                   std::int16_t frequencyFlagWord);

// Shows the check's warning through the message seam and returns the verdict: true on Pass,
// false on Refuse, the Yes answer on Ask.
bool AnalysisCheckVerdict(const TAnalysisCheck& check);
