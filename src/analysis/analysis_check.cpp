// The analysis parameter check.
#include "analysis/analysis_check.h"

#include <algorithm>
#include <cmath>

#include "platform/messages.h"
#include "survey/text_tables.h"

namespace {
// The checks count whole calendar days.
double Day(double dateTime) { return std::floor(dateTime); }

std::string MeasureList(const std::vector<int>& measures)
{
    std::string list;
    for (int measure : measures) {
        if (!list.empty()) list += ", ";
        list += MeasureName(measure);
    }
    return list;
}

// The measure's recording period in minutes. The frequency file counts its period in seconds
// when its flag word says so; every other file counts minutes.
int RateMinutes(const TMeasureFileInfo& info, int measure, std::int16_t frequencyFlagWord)
{
    if (measure == MeasureFrequency && frequencyFlagWord != 0) return info.Rate / 60;
    return info.Rate;
}
}  // namespace

TAnalysisCheck CheckAnalysisParams(const TAnalysisParams& params, const TSurveySelection& selection,
                                   std::int16_t frequencyFlagWord)
{
    const double intervalDays = Day(selection.Stop) - Day(selection.Start) + 1;
    if (params.WindowDays > intervalDays)
        return {AnalysisCheckOutcome::Refuse,
                "Analysis Window duration cannot be\nlonger than analysis date Interval.", {}};

    std::vector<int> shorter;
    for (int measure = MeasureVoltage; measure <= MeasureFlicker; ++measure) {
        const TMeasureFileInfo& info = selection.File(measure);
        if (!info.Selected) continue;
        const double days = Day(std::min(info.LastTime, selection.Stop)) -
                            Day(std::max(info.FirstTime, selection.Start)) + 1;
        if (params.WindowDays > days) shorter.push_back(measure);
    }
    if (!shorter.empty())
        return {AnalysisCheckOutcome::Refuse,
                "The following data archive(s):\n<" + MeasureList(shorter) +
                    ">\nhave duration shorter than selected Window duration.",
                shorter};

    const int period = ObservationPeriodMinutes(params.PeriodIndex);
    std::vector<int> otherRate;
    for (int measure = MeasureVoltage; measure <= MeasureFlicker; ++measure) {
        const TMeasureFileInfo& info = selection.File(measure);
        if (info.Selected && RateMinutes(info, measure, frequencyFlagWord) != period) otherRate.push_back(measure);
    }
    if (!otherRate.empty())
        return {AnalysisCheckOutcome::Ask,
                "The following data archive(s):\n<" + MeasureList(otherRate) +
                    ">\nhave Rate different than selected Observation Period.\nContinue ?",
                otherRate};
    return {};
}

bool AnalysisCheckVerdict(const TAnalysisCheck& check)
{
    switch (check.Outcome) {
    case AnalysisCheckOutcome::Pass: return true;
    case AnalysisCheckOutcome::Refuse: ShowMessage(check.Message, MsgType::Warning, MbOk); return false;
    case AnalysisCheckOutcome::Ask: return ShowMessage(check.Message, MsgType::Warning, MbYesNo) == MbYes;
    }
    return false;
}
