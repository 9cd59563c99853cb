// The analysis run: measure starts, day steps, temporary files and results.
#include "analysis/analysis_engine.h"

#include <cmath>

#include "platform/messages.h"
#include "survey/measure_file_info.h"
#include "survey/record_search.h"
#include "survey/text_tables.h"

namespace {
constexpr std::array<std::string_view, kAnalysisMeasures + 1> kProcessingTexts = {
    "", "processing Voltages", "processing Frequencies", "processing Unbalance", "processing Harmonics",
    "processing Flicker", "processing Events"};

int PanelCount(int measure)
{
    return measure == MeasureVoltage || measure == MeasureVoltageHarmonics || measure == MeasureFlicker ? 3 : 1;
}
}  // namespace

TAnalysisEngine::TAnalysisEngine(const TSurveySelection& survey, const TAnalysisParams& params, std::string tempFolder)
    : survey_(survey), params_(params), tempFolder_(std::move(tempFolder))
{
    for (int m = 1; m <= kAnalysisMeasures; ++m) {
        TAnalysisMeasureResult& result = results_[static_cast<std::size_t>(m - 1)];
        result.Selected = survey_.File(m).Selected;
        result.Panels = PanelCount(m);
    }
}

TAnalysisEngine::~TAnalysisEngine() = default;

bool TAnalysisEngine::Step()
{
    switch (stage_) {
    case Stage::Start:
        while (measure_ <= kAnalysisMeasures && !survey_.File(measure_).Selected) ++measure_;
        if (measure_ > kAnalysisMeasures) {
            stage_ = Stage::Completed;
            return false;
        }
        return StartMeasure();
    case Stage::Days:
        switch (pass_->ProcessDay()) {
        case TDayResult::More: return true;
        case TDayResult::Failed: return Fail(SurveyUnreadableMessage(measure_));
        case TDayResult::Done: FinishMeasure(); return !Finished();
        }
        return true;
    case Stage::Completed:
    case Stage::Ended: return false;
    }
    return false;
}

void TAnalysisEngine::Abort()
{
    if (Finished()) return;
    pass_.reset();
    file_.Close();
    stage_ = Stage::Ended;
}

bool TAnalysisEngine::Fail(const std::string& message)
{
    pass_.reset();
    file_.Close();
    stage_ = Stage::Ended;
    ShowError(message);
    return false;
}

std::string TAnalysisEngine::TempPath(bool summary) const
{
    const auto m = static_cast<std::size_t>(measure_);
    return WithTrailingSlash(tempFolder_) + std::string(summary ? AnalysisStaFileNames[m] : AnalysisBarFileNames[m]);
}

bool TAnalysisEngine::StartMeasure()
{
    DeleteFile(TempPath(true));
    DeleteFile(TempPath(false));
    if (!WindowDaysAccepted(params_.WindowDays)) return Fail(kWindowDaysMessage);
    // Events windows are calendar days: an interval of centuries would close millions of them.
    if (std::floor(survey_.Stop) - std::floor(survey_.Start) + 1 > kMaxAnalysisDays)
        return Fail("The analysis interval cannot be longer than " + std::to_string(kMaxAnalysisDays) + " days.");
    const TMeasureFileInfo& info = survey_.File(measure_);
    if (file_.Open(info.FileName, measure_) != DataFileFault::None) return Fail(SurveyCorruptedMessage(measure_));
    TPlanResult plan = PlanMeasure(measure_, file_, survey_, params_.Limits);
    if (!plan.Plan) return Fail(plan.Failure);

    const double stopDay = std::floor(survey_.Stop);
    const auto range = FindRecordsInInterval(file_, info, survey_.Start, survey_.Stop);
    if (!range) {
        // No record inside the interval: a trend measure has nothing to judge and stays out of
        // the report; no events in the interval is a passed events measure.
        if (measure_ != MeasureEvents) {
            file_.Close();
            NextMeasure();
            return true;
        }
        pass_ = std::make_unique<TMeasurePass>(std::move(*plan.Plan), file_, 0, -1, params_.WindowDays, stopDay);
        FinishMeasure();
        return !Finished();
    }
    pass_ = std::make_unique<TMeasurePass>(std::move(*plan.Plan), file_, file_.RecordIndex(static_cast<std::uint64_t>(range->First)),
                                           file_.RecordIndex(static_cast<std::uint64_t>(range->Last)), params_.WindowDays, stopDay);
    if (!pass_->Begin()) return Fail(SurveyUnreadableMessage(measure_));
    stage_ = Stage::Days;
    return true;
}

void TAnalysisEngine::FinishMeasure()
{
    const std::string summaryPath = TempPath(true), windowPath = TempPath(false);
    if (!WriteScratchFile(summaryPath, pass_->SummaryFileBytes())) {
        Fail("Unable to write the temporary file " + summaryPath + ". The analysis has stopped.");
        return;
    }
    if (!pass_->WindowFileBytes().empty() && !WriteScratchFile(windowPath, pass_->WindowFileBytes())) {
        Fail("Unable to write the temporary file " + windowPath + ". The analysis has stopped.");
        return;
    }
    TAnalysisMeasureResult& result = results_[static_cast<std::size_t>(measure_ - 1)];
    result.Analysed = true;
    result.Passed = pass_->Passed();
    const TMeasurePlan& plan = pass_->Plan();
    for (int p = 0; p < result.Panels; ++p) {
        const auto phase = static_cast<std::size_t>(p);
        if (p > 0 && !plan.ThreePhase)
            result.PanelColours[phase] = kNotAnalysedColour;
        else
            result.PanelColours[phase] = pass_->FailedPhases()[phase] ? kFailedColour : kPassedColour;
    }
    if (measure_ == MeasureVoltageHarmonics) harmonicOrders_ = plan.BlockOrders;
    pass_.reset();
    file_.Close();
    NextMeasure();
}

void TAnalysisEngine::NextMeasure()
{
    ++measure_;
    stage_ = Stage::Start;
}

std::string TAnalysisEngine::StatusText() const
{
    return stage_ == Stage::Days ? std::string(kProcessingTexts[static_cast<std::size_t>(measure_)]) : std::string();
}

JobProgress TAnalysisEngine::Progress() const
{
    if (!pass_) return {};
    return {static_cast<int>(pass_->Done()), static_cast<int>(pass_->Total())};
}

const TAnalysisMeasureResult& TAnalysisEngine::Result(int measure) const
{
    return results_.at(static_cast<std::size_t>(measure - 1));
}

bool TAnalysisEngine::Passed() const
{
    for (const TAnalysisMeasureResult& result : results_)
        if (result.Analysed && !result.Passed) return false;
    return true;
}

TReportHead TAnalysisEngine::ReportHead() const
{
    TReportHead head;
    head.Survey = survey_;
    head.Params = params_;
    head.HarmonicChannelCount = static_cast<std::int16_t>(harmonicOrders_.size());
    for (std::size_t b = 0; b < harmonicOrders_.size() && b < head.HarmonicOrders.size(); ++b)
        head.HarmonicOrders[b] = harmonicOrders_[b];
    return head;
}

TReportWrite TAnalysisEngine::WriteReport(const std::string& path) const
{
    return WriteReportFile(path, ReportHead(), tempFolder_);
}

void TAnalysisEngine::DeleteTempFiles() const { DeleteAnalysisTempFiles(tempFolder_); }
