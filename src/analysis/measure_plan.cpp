// Setting up what the analysis judges in each measure.
#include "analysis/measure_plan.h"

#include <cmath>
#include <limits>

#include "analysis/analysis_records.h"
#include "analysis/event_classifier.h"
#include "survey/measure_file_info.h"
#include "survey/record_readers.h"
#include "survey/text_tables.h"

namespace {
std::string Corrupted(int measure) { return SurveyCorruptedMessage(measure); }
std::string NoAverages(int measure)
{
    return std::string(MeasureName(measure)) + " survey holds no average values. Unable to analyse the file.";
}

// The band around a nominal value: low := Un - Un x low% / 100, high := Un x high% / 100 + Un.
// Nothing when a bound is not a finite single: a nominal of 0, infinity or NaN (a damaged first
// record) gives a band that holds every value or none, so a broken file would pass.
struct TBand {
    float Low = 0, High = 0;
};
std::optional<TBand> NominalBand(float nominal, float lowPercent, float highPercent)
{
    if (!std::isfinite(nominal) || nominal == 0.0f) return std::nullopt;
    const double un = nominal;
    const double low = un - un * lowPercent / 100.0, high = un * highPercent / 100.0 + un;
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (!(std::fabs(low) <= kLargest) || !(std::fabs(high) <= kLargest)) return std::nullopt;
    return TBand{static_cast<float>(low), static_cast<float>(high)};
}

TRecordColumn Float(std::int32_t offset) { return {static_cast<std::uint32_t>(offset), ColumnType::F32, 1.0f}; }

// The averages (or Plt values) of each phase as columns 0 to 2.
void AddPhaseColumns(TMeasurePlan& plan, const TPhaseValues& v)
{
    plan.Columns.push_back(Float(v.OffsetL1));
    if (plan.ThreePhase) {
        plan.Columns.push_back(Float(v.OffsetL2));
        plan.Columns.push_back(Float(v.OffsetL3));
    }
}

// A percentile test of item 0 for each of the three phases, whatever the wiring.
void AddPhaseTests(TMeasurePlan& plan, int group, double percentile)
{
    for (int p = 0; p < 3; ++p) plan.Tests.push_back({0, group, p, percentile, false, p});
}

TPlanResult Plan(TMeasurePlan plan) { return {std::move(plan), {}}; }
TPlanResult Failed(std::string message) { return {std::nullopt, std::move(message)}; }

TPlanResult PlanTrend(int measure, FieldView head, const TSurveySelection& survey, const TLimitsRecord& limits)
{
    TMeasurePlan plan;
    plan.Measure = measure;
    plan.Groups = measure == MeasureUnbalance ? 1 : 2;
    plan.ThreePhase = measure == MeasureVoltage && IsThreePhaseWiring(head.U16(TrendHead::Wiring));
    TPhaseValues v;
    v.ThreePhase = plan.ThreePhase;
    const std::uint16_t flags = head.U16(TrendHead::Flags);
    if (!head.Ok()) return Failed(Corrupted(measure));
    if (!SetPhaseOffsets(flags, v)) return Failed(NoAverages(measure));
    AddPhaseColumns(plan, v);
    const float nominal = survey.File(measure).NominalValue();
    const auto phases = static_cast<int>(plan.Columns.size());
    if (measure == MeasureVoltage) {
        const auto band1 = NominalBand(nominal, limits.VLow, limits.VHigh);
        const auto band2 = NominalBand(nominal, limits.VLow2, limits.VHigh2);
        if (!band1 || !band2) return Failed(Corrupted(measure));
        for (int p = 0; p < phases; ++p) {
            plan.Bands.push_back({static_cast<std::size_t>(p), 0, p, band1->Low, band1->High});
            plan.Bands.push_back({static_cast<std::size_t>(p), 1, p, band2->Low, band2->High});
        }
        AddPhaseTests(plan, 0, limits.VPerc);
        AddPhaseTests(plan, 1, limits.VPerc2);
    } else if (measure == MeasureFrequency) {
        const auto band1 = NominalBand(nominal, limits.HzLow1, limits.HzHigh1);
        const auto band2 = NominalBand(nominal, limits.HzLow2, limits.HzHigh2);
        if (!band1 || !band2) return Failed(Corrupted(measure));
        plan.Bands = {{0, 0, 0, band1->Low, band1->High}, {0, 1, 0, band2->Low, band2->High}};
        plan.Tests = {{0, 0, 0, limits.HzPerc1, false, 0}, {0, 1, 0, limits.HzPerc2, false, 0}};
    } else {
        // Unbalance: the percent value itself, not relative to a nominal.
        plan.Bands = {{0, 0, 0, 0.0f, limits.UnbHigh}};
        plan.Tests = {{0, 0, 0, static_cast<double>(limits.UnbPerc), false, 0}};
    }
    return Plan(std::move(plan));
}

TPlanResult PlanHarmonics(std::span<const std::uint8_t> record, const TLimitsRecord& limits, bool readFundamental)
{
    FieldView head(record);
    TMeasurePlan plan;
    plan.Measure = MeasureVoltageHarmonics;
    plan.ThreePhase = IsThreePhaseWiring(head.U16(HarmonicsHead::Wiring));
    // A block count or channel code beyond the tables, or blocks that run past the record, are a
    // corrupt file; so is an order the limits have no entry for.
    const auto blocks = HarmonicBlocks(record, false);
    if (!head.Ok() || !blocks) return Failed(Corrupted(MeasureVoltageHarmonics));
    if (blocks->empty()) return Failed(NoAverages(MeasureVoltageHarmonics));
    std::vector<std::uint16_t> flags;
    for (const HarmonicBlockPlace& block : *blocks) {
        if (block.order >= kHarmonicLimitIndexes) return Failed(Corrupted(MeasureVoltageHarmonics));
        plan.BlockOrders.push_back(block.order);
        flags.push_back(block.flags);
    }
    THarmonicPhaseValues v;
    v.ThreePhase = plan.ThreePhase;
    v.BlockCount = static_cast<std::int16_t>(blocks->size());
    if (!SetHarmonicPhaseOffsets(flags, v)) return Failed(NoAverages(MeasureVoltageHarmonics));

    plan.Items = static_cast<int>(blocks->size());
    plan.Groups = plan.Items;
    const int phases = PhaseCount(plan.ThreePhase);
    plan.BlockColumns.assign(blocks->size(), TMeasurePlan::kNoColumn);
    for (int b = 0; b < plan.Items; ++b) {
        // The fundamental (order 1) is never counted nor tested, and read only when asked.
        const std::uint16_t order = plan.BlockOrders[static_cast<std::size_t>(b)];
        if (order == 1 && !readFundamental) continue;
        const auto& offsets = v.Blocks[static_cast<std::size_t>(b)];
        const std::size_t first = plan.Columns.size();
        plan.BlockColumns[static_cast<std::size_t>(b)] = first;
        plan.Columns.push_back(Float(offsets.OffsetL1));
        if (plan.ThreePhase) {
            plan.Columns.push_back(Float(offsets.OffsetL2));
            plan.Columns.push_back(Float(offsets.OffsetL3));
        }
        if (order == 1) continue;
        for (int p = 0; p < phases; ++p)
            plan.Bands.push_back({first + static_cast<std::size_t>(p), b, p, 0.0f, limits.HHigh[order]});
        for (int p = 0; p < 3; ++p) plan.Tests.push_back({b, b, p, static_cast<double>(limits.HPerc[order]), false, p});
    }
    return Plan(std::move(plan));
}

TPlanResult PlanFlicker(FieldView head, const TLimitsRecord& limits)
{
    TMeasurePlan plan;
    plan.Measure = MeasureFlicker;
    plan.ThreePhase = IsThreePhaseWiring(head.U16(FlickerHead::Wiring));
    const std::uint16_t flags = head.U16(FlickerHead::Flags);
    const std::uint8_t mode = head.U8(FlickerHead::Mode);
    if (!head.Ok()) return Failed(Corrupted(MeasureFlicker));
    TPhaseValues v;
    v.ThreePhase = plan.ThreePhase;
    SetFlickerPhaseOffsets(flags, mode, v);
    AddPhaseColumns(plan, v);
    for (int p = 0; p < PhaseCount(plan.ThreePhase); ++p)
        plan.Bands.push_back({static_cast<std::size_t>(p), 0, p, 0.0f, limits.FlkHigh});
    AddPhaseTests(plan, 0, limits.FlkPerc);
    return Plan(std::move(plan));
}

TPlanResult PlanEvents(const TSurveySelection& survey, const TLimitsRecord& limits)
{
    TMeasurePlan plan;
    plan.Measure = MeasureEvents;
    plan.Events = true;
    plan.ThreePhase = EventsThreePhase(survey);
    plan.Columns = {{EventField::Type, ColumnType::I16, 1.0f},
                    {EventField::Threshold, ColumnType::F32, 1.0f},
                    {EventField::Peak, ColumnType::F32, 1.0f},
                    {EventField::Channel, ColumnType::I16, 1.0f}};
    plan.Items = kAnalysisEventCategories;
    plan.Groups = kAnalysisEventCategories;
    // A category fails when any one phase holds more events than its maximum; only L1 is painted.
    for (int c = 0; c < kAnalysisEventCategories; ++c)
        for (int p = 0; p < 3; ++p) plan.Tests.push_back({c, c, p, static_cast<double>(EventCategoryMaximum(limits, c)), true, 0});
    return Plan(std::move(plan));
}

// The wiring word of a data file's first record, when the file can be read.
std::optional<std::uint16_t> FirstRecordWiring(const std::string& path, int measure, std::size_t wiringAt)
{
    if (path.empty()) return std::nullopt;
    TDataFile file;
    Bytes record;
    if (file.Open(path, measure) != DataFileFault::None || !file.ReadRecord(kDataFileHeaderSize, record))
        return std::nullopt;
    FieldView head(record);
    const std::uint16_t wiring = head.U16(wiringAt);
    if (!head.Ok()) return std::nullopt;
    return wiring;
}
}  // namespace

bool EventsThreePhase(const TSurveySelection& survey)
{
    if (auto wiring = FirstRecordWiring(survey.File(MeasureVoltage).FileName, MeasureVoltage, TrendHead::Wiring))
        return IsThreePhaseWiring(*wiring);
    if (auto wiring = FirstRecordWiring(survey.File(MeasureFlicker).FileName, MeasureFlicker, FlickerHead::Wiring))
        return IsThreePhaseWiring(*wiring);
    return true;
}

TPlanResult PlanMeasure(int measure, TDataFile& file, const TSurveySelection& survey, const TLimitsRecord& limits,
                        bool readFundamental)
{
    if (measure == MeasureEvents) return PlanEvents(survey, limits);
    Bytes record;
    if (!file.ReadRecord(kDataFileHeaderSize, record)) return Failed(Corrupted(measure));
    switch (measure) {
    case MeasureVoltage: case MeasureFrequency: case MeasureUnbalance:
        return PlanTrend(measure, FieldView(record), survey, limits);
    case MeasureVoltageHarmonics: return PlanHarmonics(record, limits, readFundamental);
    case MeasureFlicker: return PlanFlicker(FieldView(record), limits);
    default: return Failed(Corrupted(measure));
    }
}
