// The summary run: measure starts, ten records per step, results and "summary.tmp".
#include "summary/summary_engine.h"

#include <algorithm>
#include <cmath>

#include "analysis/event_classifier.h"
#include "analysis/measure_plan.h"
#include "platform/messages.h"
#include "survey/measure_file_info.h"
#include "survey/number_text.h"
#include "survey/record_search.h"
#include "survey/text_tables.h"

namespace {
// The names in the too-few-records message, by measure 1 to 5.
struct TRecordsNames {
    std::string_view Title;  // "Not enough %s records."
    std::string_view Lower;  // "Deselect %s measure and retry."
};
constexpr std::array<TRecordsNames, 6> kRecordsNames = {{
    {"", ""},
    {"Voltage", "voltage"},
    {"Frequency", "frequency"},
    {"Unbalance", "unbalance"},
    {"Harmonics", "harmonics"},
    {"Flicker", "flicker"},
}};

// The records a percentile needs, 100 / (100 - p) (20 for 95); one for 100.
std::string RequiredRecordsText(int percentile)
{
    const double required = percentile < 100 ? 100.0 / (100 - percentile) : 1.0;
    std::string text = FormatFixed(required, 0);
    if (text.size() < 4) text.insert(0, 4 - text.size(), ' ');
    return text;
}

std::string TooFewRecordsMessage(int measure, std::int64_t records, int percentile)
{
    const TRecordsNames& names = kRecordsNames[static_cast<std::size_t>(measure)];
    return "Not enough " + std::string(names.Title) + " records.\nRecords number : " + std::to_string(records) +
           ".\nRequired:" + RequiredRecordsText(percentile) + ".\nCannot build table summary.\nDeselect " +
           std::string(names.Lower) + " measure and retry.";
}

// The percent conversion of voltage and frequency: value x (100 / nominal) - 100, in single
// precision as the values are stored.
float PercentDeviation(float value, float scale) { return value * scale - 100.0f; }

// At most this many harmonic blocks are summarised (THD and orders 2 to 25, or THD, the
// fundamental and orders 2 to 24).
constexpr std::size_t kSummaryHarmonicBlocks = 25;

// Voltage, frequency and voltage harmonics have K-th lowest values; unbalance and flicker keep
// only their high end.
bool KeepsLowest(int measure) { return measure != MeasureUnbalance && measure != MeasureFlicker; }
}  // namespace

TSummaryEngine::TSummaryEngine(const TSurveySelection& survey, const TSummaryParams& params, std::string outputPath)
    : survey_(survey), params_(params), outputPath_(std::move(outputPath))
{
}

TSummaryEngine::~TSummaryEngine() = default;

bool TSummaryEngine::Step()
{
    switch (stage_) {
    case Stage::Start:
        if (!SummaryPercentileValid(params_.SignedPercentile())) return Fail(std::string(kSummaryPercentileMessage));
        while (measure_ <= kSummaryMeasures && !survey_.File(measure_).Selected) ++measure_;
        if (measure_ > kSummaryMeasures) return WriteResults();
        return StartMeasure();
    case Stage::Records: return ReadRecords();
    case Stage::Written:
    case Stage::Ended: return false;
    }
    return false;
}

void TSummaryEngine::Abort()
{
    if (Finished()) return;
    KeepProgress();
    records_.reset();
    file_.Close();
    stage_ = Stage::Ended;
}

bool TSummaryEngine::Fail(const std::string& message, MsgType type, unsigned buttons)
{
    KeepProgress();
    records_.reset();
    file_.Close();
    stage_ = Stage::Ended;
    ShowMessage(message, type, buttons);
    return false;
}

int TSummaryEngine::MeasureProgress(int measure) const
{
    if (measure < 1 || measure > kSummaryMeasures) return 0;
    if (measure == measure_ && records_) return ReadPercent();
    return progress_[static_cast<std::size_t>(measure)];
}

int TSummaryEngine::ReadPercent() const
{
    return static_cast<int>(static_cast<double>(done_) / static_cast<double>(records_->Count()) * 100.0);
}

void TSummaryEngine::KeepProgress()
{
    if (records_) progress_[static_cast<std::size_t>(measure_)] = ReadPercent();
}

JobProgress TSummaryEngine::Progress() const
{
    if (stage_ != Stage::Records || !records_) return {};
    return {static_cast<int>(done_), static_cast<int>(records_->Count())};
}

bool TSummaryEngine::StartMeasure()
{
    const TMeasureFileInfo& info = survey_.File(measure_);
    if (file_.Open(info.FileName, measure_) != DataFileFault::None) return Fail(SurveyCorruptedMessage(measure_));
    TPlanResult planned = PlanMeasure(measure_, file_, survey_, params_.Limits, true);
    if (!planned.Plan) return Fail(planned.Failure);
    // The plan refuses a voltage or frequency nominal of 0, infinity or NaN, by which the percent
    // deviations are computed.
    const TMeasurePlan& plan = *planned.Plan;

    const auto range = FindRecordsInInterval(file_, info, survey_.Start, survey_.Stop);
    const std::int64_t records = range ? range->Count(file_.RecordSize()) : 0;
    std::vector<TRecordColumn> columns;
    series_.clear();
    if (measure_ == MeasureEvents) {
        if (!range) {
            // No events in the interval: every count stays 0.
            FinishMeasure();
            return true;
        }
        columns = plan.Columns;
    } else {
        const int percentile = params_.SignedPercentile();
        std::int64_t k = PercentileRank(percentile, records);
        if (records < 1 || (k < 1 && percentile != 100)) {
            return Fail(TooFewRecordsMessage(measure_, records, percentile), MsgType::Warning, MbAbort);
        }
        k = std::max<std::int64_t>(k, 1);
        AddSeries(plan, k);
        for (TSeries& s : series_) {
            columns.push_back(plan.Columns[s.Column]);
            s.Column = columns.size() - 1;
        }
    }
    // The summary never looks at a record's time, but a stamp that does not decode still ends
    // the run: the stamps are only checked. The values summarised are float fields, kept in
    // single precision; the events' fields are counted from doubles.
    records_ = std::make_unique<TIntervalRecords>(
        file_, file_.RecordIndex(static_cast<std::uint64_t>(range->First)),
        file_.RecordIndex(static_cast<std::uint64_t>(range->Last)), std::move(columns), StampUse::CheckOnly,
        measure_ == MeasureEvents ? ColumnPrecision::Double : ColumnPrecision::Single);
    done_ = 0;
    stage_ = Stage::Records;
    return true;
}

void TSummaryEngine::AddSeries(const TMeasurePlan& plan, std::int64_t k)
{
    const bool lowest = KeepsLowest(measure_);
    if (measure_ != MeasureVoltageHarmonics) {
        for (std::size_t c = 0; c < plan.Columns.size(); ++c)
            series_.push_back({c, 0, static_cast<int>(c), TSummaryStatistics(k, lowest)});
        return;
    }
    // Orders 0 to 25 are summarised: the blocks up to the first of a higher order, at most 25.
    const std::size_t phases = static_cast<std::size_t>(PhaseCount(plan.ThreePhase));
    for (std::size_t b = 0; b < plan.BlockOrders.size() && b < kSummaryHarmonicBlocks; ++b) {
        const int order = plan.BlockOrders[b];
        if (order >= kSummaryHarmonicOrders) break;
        for (std::size_t p = 0; p < phases; ++p)
            series_.push_back({plan.BlockColumns[b] + p, order, static_cast<int>(p), TSummaryStatistics(k, lowest)});
    }
}

bool TSummaryEngine::ReadRecords()
{
    const std::int64_t total = records_->Count();
    // The step's records as runs of the chunk's columns: one run, or two across a chunk's end.
    for (std::int64_t wanted = std::min<std::int64_t>(kRecordsPerStep, total - done_); wanted > 0;) {
        const std::size_t run = records_->NextRun(static_cast<std::size_t>(wanted));
        if (run == 0) return Fail(SurveyUnreadableMessage(measure_));
        const std::size_t from = records_->RunStart();
        const TRecordWindowData& chunk = records_->Chunk();
        if (measure_ == MeasureEvents) {
            for (std::size_t i = from; i < from + run; ++i) CountEvent(chunk, i);
        } else if (from + run == chunk.Count()) {
            // The values are kept a whole chunk at a time, once the steps have read to its end:
            // what is kept does not depend on the order, and one long loop costs far less than
            // thousands of ten values each.
            for (TSeries& s : series_) s.Statistics.Add(std::span(chunk.Singles[s.Column]));
        }
        done_ += static_cast<std::int64_t>(run);
        wanted -= static_cast<std::int64_t>(run);
    }
    if (done_ < total) return true;
    FinishMeasure();
    return true;
}

void TSummaryEngine::CountEvent(const TRecordWindowData& chunk, std::size_t i)
{
    const auto type = static_cast<int>(chunk.Columns[EventColumn::Type][i]);
    const auto threshold = static_cast<float>(chunk.Columns[EventColumn::Threshold][i]);
    const auto peak = static_cast<float>(chunk.Columns[EventColumn::Peak][i]);
    const auto channel = static_cast<int>(chunk.Columns[EventColumn::Channel][i]);
    if (auto event = ClassifyEvent(type, threshold, peak, channel)) {
        auto& counts = results_.EventCounts[static_cast<std::size_t>(SummaryEventCategory(event->Kind))];
        ++counts[static_cast<std::size_t>(event->Phase)];
    }
}

void TSummaryEngine::FinishMeasure()
{
    TSummaryResults& r = results_;
    const float scale = measure_ == MeasureVoltage || measure_ == MeasureFrequency
                            ? 100.0f / survey_.File(measure_).NominalValue()
                            : 1.0f;
    for (const TSeries& s : series_) {
        const TSummaryStatistics::TValues v = s.Statistics.Values();
        const auto p = static_cast<std::size_t>(s.Phase);
        switch (measure_) {
        case MeasureVoltage:
            r.VoltageMin[p] = PercentDeviation(v.Minimum, scale);
            r.VoltageMax[p] = PercentDeviation(v.Maximum, scale);
            r.VoltageLowPct[p] = PercentDeviation(v.KthLowest, scale);
            r.VoltageHighPct[p] = PercentDeviation(v.KthHighest, scale);
            break;
        case MeasureFrequency:
            r.FrequencyMin = PercentDeviation(v.Minimum, scale);
            r.FrequencyMax = PercentDeviation(v.Maximum, scale);
            r.FrequencyLowPct = PercentDeviation(v.KthLowest, scale);
            r.FrequencyHighPct = PercentDeviation(v.KthHighest, scale);
            break;
        case MeasureUnbalance:
            r.UnbalanceMax = v.Maximum;
            r.UnbalanceHighPct = v.KthHighest;
            break;
        case MeasureVoltageHarmonics: {
            const auto o = static_cast<std::size_t>(s.Order);
            r.HarmonicMin[o][p] = v.Minimum;
            r.HarmonicMax[o][p] = v.Maximum;
            r.HarmonicLowPct[o][p] = v.KthLowest;
            r.HarmonicHighPct[o][p] = v.KthHighest;
            break;
        }
        case MeasureFlicker:
            r.FlickerMax[p] = v.Maximum;
            r.FlickerHighPct[p] = v.KthHighest;
            break;
        default: break;
        }
    }
    progress_[static_cast<std::size_t>(measure_)] = 100;
    series_.clear();
    records_.reset();
    file_.Close();
    ++measure_;
    stage_ = Stage::Start;
}

bool TSummaryEngine::WriteResults()
{
    if (const TSummaryWrite write = WriteSummaryFile(outputPath_, {survey_, params_, results_}); !write.Written)
        return Fail(write.Message);
    stage_ = Stage::Written;
    return false;
}
