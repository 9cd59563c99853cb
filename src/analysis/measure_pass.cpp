// The day steps and window closes of one measure's analysis.
#include "analysis/measure_pass.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "analysis/event_classifier.h"

namespace {
// What a single-phase survey marks as missing (L2 and L3 := 0xFFFFFFFF) in the records it
// writes: the leading groups of the summary, of a window and of a failed interval. Voltage
// harmonics mark their first channel only. The marks go into the written copies, after the
// window tests, so the counts judged are never changed.
struct TMissingPhaseMarks {
    int Summary = 0, Window = 0, Failed = 0;
    bool FailedFirstItemOnly = false;
};
TMissingPhaseMarks MissingPhaseMarks(int measure)
{
    switch (measure) {
    case MeasureVoltage: return {2, 2, 2, false};
    case MeasureVoltageHarmonics: return {1, 1, 1, true};
    case MeasureFlicker: return {1, 1, 1, false};
    case MeasureEvents: return {1, kAnalysisEventCategories, 1, false};
    default: return {};  // frequency and unbalance files hold one phase
    }
}

template <typename Groups>
void MarkMissingPhases(Groups& groups, int count)
{
    for (int g = 0; g < count && static_cast<std::size_t>(g) < groups.size(); ++g) {
        groups[static_cast<std::size_t>(g)][1] = kMissingPhase;
        groups[static_cast<std::size_t>(g)][2] = kMissingPhase;
    }
}

// Values of a run lying strictly outside [low, high] (a year of harmonic records holds millions
// of them). Two values per vector compare, whose lanes come out as -1 for true; below and above
// are counted apart, which needs low <= high (a value cannot be both), so a band the other way
// round takes the plain loop.
std::int32_t CountOutside(const double* values, std::size_t count, double low, double high)
{
    using Doubles = double __attribute__((vector_size(16)));
    using Lanes = std::int64_t __attribute__((vector_size(16)));
    std::size_t i = 0;
    std::int64_t total = 0;
    if (low <= high) {
        const Doubles lows = {low, low}, highs = {high, high};
        Lanes outside = {0, 0};
        for (; i + 2 <= count; i += 2) {
            Doubles v;
            std::memcpy(&v, values + i, sizeof v);
            outside -= v < lows;
            outside -= v > highs;
        }
        total = outside[0] + outside[1];
    }
    for (; i < count; ++i) total += (values[i] < low) | (values[i] > high);
    return static_cast<std::int32_t>(total);
}

const TPhaseCounts& At(const TGroupCounts& counts, int group) { return counts[static_cast<std::size_t>(group)]; }

// The counter groups a window record of the measure holds.
std::vector<TPhaseCounts> WindowCounts(const TMeasurePlan& plan, const TGroupCounts& out)
{
    switch (plan.Measure) {
    case MeasureVoltage: return {At(out, 0), At(out, 1)};
    case MeasureFrequency: return {{At(out, 0)[0], At(out, 1)[0], 0}};
    case MeasureUnbalance: return {{At(out, 0)[0], 0, 0}};
    case MeasureFlicker: return {At(out, 0)};
    default: return {out.begin(), out.begin() + plan.Items};  // one group per block or category
    }
}

// The counts of a failed interval of item `item`: the window's for the one-item measures, the
// failed block's or category's otherwise.
std::vector<TPhaseCounts> FailedCounts(const TMeasurePlan& plan, const TGroupCounts& out, int item)
{
    if (plan.Items == 1) return WindowCounts(plan, out);
    return {At(out, item)};
}

// The failed interval's tag: the block's harmonic order, the event category, else 0.
int FailedTag(const TMeasurePlan& plan, int item)
{
    if (plan.Measure == MeasureVoltageHarmonics) return plan.BlockOrders[static_cast<std::size_t>(item)];
    if (plan.Measure == MeasureEvents) return item;
    return 0;
}
}  // namespace

TMeasurePass::TMeasurePass(TMeasurePlan plan, TDataFile& file, std::int64_t first, std::int64_t last,
                           int windowDays, double stopDay)
    : plan_(std::move(plan)), records_(file, first, last, plan_.Columns), windowDays_(windowDays),
      stopDay_(stopDay), ring_(windowDays)
{
    summary_.Passed = true;
}

bool TMeasurePass::Begin()
{
    if (!records_.NextChunk()) return false;
    at_ = 0;
    currentDay_ = DayOf(records_.Chunk().Times[0]);
    return true;
}

double TMeasurePass::DayOf(TDateTime t) const
{
    const double day = std::floor(t);
    // An event stamped far beyond the interval (a clock fault inside the file) is held to the
    // last day, so it never adds years of empty days.
    return plan_.Events ? std::min(day, stopDay_) : day;
}

void TMeasurePass::CountRecords(TDaySlot& slot, std::size_t begin, std::size_t end)
{
    const TRecordWindowData& chunk = records_.Chunk();
    std::int32_t counted = 0;
    if (plan_.Events) {
        const auto& types = chunk.Columns[EventColumn::Type];
        const auto& thresholds = chunk.Columns[EventColumn::Threshold];
        const auto& peaks = chunk.Columns[EventColumn::Peak];
        const auto& channels = chunk.Columns[EventColumn::Channel];
        for (std::size_t i = begin; i < end; ++i) {
            const auto event = ClassifyEvent(static_cast<int>(types[i]), static_cast<float>(thresholds[i]),
                                             static_cast<float>(peaks[i]), static_cast<int>(channels[i]));
            // Events without a category are not counted, not even in the records.
            if (!event) continue;
            const auto category = static_cast<std::size_t>(EventCategory(event->Kind));
            const auto phase = static_cast<std::size_t>(event->Phase);
            ++slot.Counts[category][phase];
            ++summary_.Totals[category][phase];
            ++counted;
        }
    } else {
        // A band at a time over the day's run of one column.
        for (const TValueBand& band : plan_.Bands) {
            const std::int32_t out =
                CountOutside(chunk.Columns[band.Column].data() + begin, end - begin, band.Low, band.High);
            slot.Counts[static_cast<std::size_t>(band.Group)][static_cast<std::size_t>(band.Phase)] += out;
            summary_.Totals[static_cast<std::size_t>(band.Group)][static_cast<std::size_t>(band.Phase)] += out;
        }
        counted = static_cast<std::int32_t>(end - begin);
    }
    slot.Records += counted;
    summary_.Records += counted;
}

TDayResult TMeasurePass::ProcessDay()
{
    TDaySlot& slot = ring_.BeginDay(currentDay_);
    // The day's records run up to the first whose day is later: before currentDay + 1 (for
    // events on the last day, to the end, as later stamps are held to it).
    const double dayEnd = plan_.Events && currentDay_ >= stopDay_ ? HUGE_VAL : currentDay_ + 1;
    bool ended = false;
    for (;;) {
        const TRecordWindowData& chunk = records_.Chunk();
        std::size_t end = at_;
        while (end < chunk.Count() && chunk.Times[end] < dayEnd) ++end;
        CountRecords(slot, at_, end);
        done_ += static_cast<std::int64_t>(end - at_);
        at_ = end;
        if (end < chunk.Count()) {
            ++dayCounter_;
            break;
        }
        if (!records_.NextChunk()) {
            if (records_.Failed()) return TDayResult::Failed;
            ended = true;
            break;
        }
        at_ = 0;
    }
    AfterDay(ended);
    if (ended) return TDayResult::Done;

    const double nextDay = DayOf(records_.Chunk().Times[at_]);
    if (plan_.Events) {
        // The calendar days without events between this day and the next event's are days of
        // the ring too, each closing a window once more than N days have been seen.
        for (double day = currentDay_ + 1; day < nextDay; day += 1) {
            ring_.Advance();
            ring_.BeginDay(day);
            ++dayCounter_;
            AfterDay(false);
        }
    }
    ring_.Advance();
    currentDay_ = nextDay;
    return TDayResult::More;
}

void TMeasurePass::AfterDay(bool ended)
{
    if (dayCounter_ <= windowDays_ && !ended) return;
    // Data that ends within the first N days makes one window of the days seen.
    if (dayCounter_ <= windowDays_) short_ = true;
    CloseWindow();
}

void TMeasurePass::CloseWindow()
{
    const TWindowSums sums = ring_.Window(!short_, dayCounter_, plan_.Groups);
    std::vector<std::uint8_t> passed(static_cast<std::size_t>(plan_.Items), 1);
    for (const TWindowTest& test : plan_.Tests) {
        const std::int32_t out = At(sums.Out, test.Group)[static_cast<std::size_t>(test.Phase)];
        const bool fails = test.Count ? out > test.Bound : ShareFails(out, sums.Total, test.Bound);
        if (!fails) continue;
        passed[static_cast<std::size_t>(test.Item)] = 0;
        failedPhases_[static_cast<std::size_t>(test.ColourPhase)] = true;
    }

    const TMissingPhaseMarks marks = plan_.ThreePhase ? TMissingPhaseMarks{} : MissingPhaseMarks(plan_.Measure);
    TWindowResult window{sums.FirstDay, passed, WindowCounts(plan_, sums.Out), sums.Total};
    MarkMissingPhases(window.Counts, marks.Window);
    PackWindowResult(windows_, WindowResultShape(plan_.Measure, plan_.Items, ReportVersion::Current), window);

    const TAnalysisRecordShape failedShape = FailedIntervalShape(plan_.Measure, ReportVersion::Current);
    for (int item = 0; item < plan_.Items; ++item) {
        if (passed[static_cast<std::size_t>(item)]) continue;
        summary_.Passed = false;
        TFailedInterval failed{sums.FirstDay, FailedTag(plan_, item), FailedCounts(plan_, sums.Out, item), sums.Total};
        if (!marks.FailedFirstItemOnly || item == 0) MarkMissingPhases(failed.Counts, marks.Failed);
        PackFailedInterval(failed_, failedShape, failed);
    }
}

Bytes TMeasurePass::SummaryFileBytes() const
{
    TMeasureSummary written = summary_;
    if (!plan_.ThreePhase) MarkMissingPhases(written.Totals, MissingPhaseMarks(plan_.Measure).Summary);
    ByteWriter out;
    written.Pack(out);
    out.Bytes(failed_.Data().data(), failed_.Size());
    return out.Take();
}
