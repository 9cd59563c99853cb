// The summary wizard's survey and data-file reading.
#include "summary/summary_survey.h"

#include "analysis/analysis_measure_info.h"
#include "analysis/measure_plan.h"
#include "summary/summary_engine.h"
#include "survey/data_file.h"
#include "survey/selection_loader.h"

namespace {
// The harmonics file's block orders, when every block of its first record holds averages.
bool ReadHarmonicOrders(const std::string& path, const TSurveySelection& survey, TSummaryParams& params)
{
    TDataFile file;
    if (file.Open(path, MeasureVoltageHarmonics) != DataFileFault::None) return false;
    const TPlanResult planned = PlanMeasure(MeasureVoltageHarmonics, file, survey, params.Limits);
    if (!planned.Plan || planned.Plan->BlockOrders.size() > params.HarmonicOrders.size()) return false;
    const auto& orders = planned.Plan->BlockOrders;
    for (std::size_t b = 0; b < orders.size(); ++b) {
        params.HarmonicOrders[b] = orders[b];
        params.HarmonicSelected[orders[b]] = true;  // the plan holds only orders of the tables
    }
    return true;
}
}  // namespace

std::optional<bool> ReadSummaryMeasureInfo(const std::string& Path, int Measure, TMeasureFileInfo& info,
                                           TSummaryParams& params)
{
    const auto read = ReadAnalysisMeasureInfo(Path, Measure, info);
    if (!read) return std::nullopt;
    if (Measure == MeasureFrequency && read->FrequencyFlagWord == 0) info.Rate *= 60;
    if (Measure == MeasureVoltageHarmonics) {
        TSurveySelection survey;
        survey.File(Measure) = info;
        return read->Usable && ReadHarmonicOrders(Path, survey, params);
    }
    return read->Usable;
}

unsigned LoadSummarySurvey(const std::string& surveyPath, SurveyLines& lines, TSurveySelection& selection,
                           TSummaryParams& params)
{
    params.HarmonicOrders = {};
    params.HarmonicSelected = {};
    unsigned usable = 0;
    const MeasureFileReader read = [&params, &usable](const std::string& path, int measure, TMeasureFileInfo& slot) {
        const auto summarisable = ReadSummaryMeasureInfo(path, measure, slot, params);
        if (summarisable && *summarisable) usable |= 1u << (measure - 1);
        return summarisable.has_value();
    };
    FillSurveySelection(surveyPath, lines, selection, kSummaryMeasures, read);
    return usable;
}
