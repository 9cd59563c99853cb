// The bar report's rules.
#include "analysis/bar_report.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/analysis_windows.h"
#include "analysis/event_classifier.h"
#include "analysis/report_texts.h"
#include "survey/number_text.h"

const std::array<TBarMeasure, kAnalysisMeasures> kBarMeasures = {{
    {MeasureVoltage, 3, 1, true, false},
    {MeasureFrequency, 2, 2, false, false},
    {MeasureUnbalance, 1, 1, false, false},
    {MeasureVoltageHarmonics, 3, 1, true, false},
    {MeasureFlicker, 3, 1, true, false},
    {MeasureEvents, 3, 1, true, true},
}};

namespace {
// The events menu lists interruptions after fast variations.
constexpr std::array<int, kAnalysisEventCategories> kEventMenuOrder = {0, 1, 2, 8, 3, 4, 5, 6, 7};
// The harmonic menu starts a new column at its 11th, 21st and 31st item.
constexpr std::size_t kMenuColumnItems = 10, kMenuColumns = 4;

double DayPart(TDateTime t) { return std::floor(t); }

const TBarMeasure& BarMeasure(int measure) { return kBarMeasures.at(static_cast<std::size_t>(measure - 1)); }

// Flags of a window that carry a verdict: one per harmonic channel of the report, nine for the
// event categories, one otherwise.
std::size_t JudgedItems(int measure, const TWindowResult& window, int harmonicChannels)
{
    std::size_t items = measure == MeasureVoltageHarmonics ? static_cast<std::size_t>(harmonicChannels)
                        : measure == MeasureEvents        ? static_cast<std::size_t>(kAnalysisEventCategories)
                                                          : 1;
    return std::min(items, window.Passed.size());
}
}  // namespace

TBarLook ClearedBar() { return {}; }

TBarLook PercentBar(bool failed, float value)
{
    // A damaged window may count more records out of its limits than it holds: the share lies
    // far outside 0 to 100 and the gauge shows it empty or full.
    const float shown = std::clamp(value, 0.0f, 100.0f);
    return {false, clWhite, failed ? kFailedColour : kPassedColour, FormatFixed(value, 1) + "%",
            static_cast<int>(std::nearbyint(shown)) - kPercentBarFloor};
}

TBarLook CountBar(bool failed, std::int32_t count)
{
    return {false, clWhite, failed ? kFailedColour : kPassedColour, std::to_string(count), count};
}

std::string BarReportProblem(const TAnalysisReport& report)
{
    const TSurveySelection& survey = report.Head.Survey;
    if (!InDateTimeRange(survey.Start) || !InDateTimeRange(survey.Stop) || survey.Stop < survey.Start)
        return "its analysis interval is no pair of dates";
    return {};
}

TBarReport::TBarReport(TAnalysisReport report) : report_(std::move(report))
{
    firstDay_ = DayPart(report_.Head.Survey.Start);
    lastWindowDay_ = std::max(firstDay_, DayPart(report_.Head.Survey.Stop) - Params().WindowDays + 1);
    shownDay_ = firstDay_;
    // A day finds the first record whose day is not before it: only records later than every
    // record before them can be found, and they rise strictly.
    for (int measure = 1; measure <= kAnalysisMeasures; ++measure) {
        const TWindowResults& windows = MeasureOf(measure).Windows;
        auto& days = days_[static_cast<std::size_t>(measure - 1)];
        double latest = -std::numeric_limits<double>::infinity();
        for (std::size_t r = 0; r < windows.size(); ++r) {
            const double day = DayPart(windows[r].Day);
            if (!(day > latest)) continue;
            latest = day;
            days.push_back({day, r});
        }
    }
}

bool TBarReport::Analysed(int measure) const { return MeasureOf(measure).HasWindows; }

void TBarReport::StepDay(int days)
{
    const double day = shownDay_ + days;
    if (day >= firstDay_ && day <= lastWindowDay_) shownDay_ = day;
}

bool TBarReport::SelectDate(TDateTime chosen)
{
    const double day = DayPart(chosen);
    if (!(day >= firstDay_ && day <= lastWindowDay_)) return false;
    shownDay_ = day;
    return true;
}

bool TBarReport::FindFailedDate(bool forward)
{
    bool found = false;
    double best = 0;
    for (int measure = 1; measure <= kAnalysisMeasures; ++measure)
        for (const TDayEntry& entry : days_[static_cast<std::size_t>(measure - 1)]) {
            const bool inRange = forward ? entry.Day > shownDay_ && entry.Day <= lastWindowDay_
                                         : entry.Day < shownDay_ && entry.Day >= firstDay_;
            if (!inRange || !WindowFailed(measure, entry.Day)) continue;
            if (!found || (forward ? entry.Day < best : entry.Day > best)) best = entry.Day;
            found = true;
        }
    if (!found) return false;
    for (int measure = 1; measure <= kAnalysisMeasures; ++measure)
        if (WindowFailed(measure, best)) {
            TakeFailedItem(measure, *WindowOfDay(measure, best));
            break;
        }
    shownDay_ = best;
    return true;
}

std::optional<TWindowResult> TBarReport::WindowOfDay(int measure, double day) const
{
    const double wanted = DayPart(day);
    const auto& days = days_[static_cast<std::size_t>(measure - 1)];
    const auto at = std::lower_bound(days.begin(), days.end(), wanted,
                                     [](const TDayEntry& entry, double d) { return entry.Day < d; });
    if (at == days.end() || at->Day != wanted) return std::nullopt;
    return MeasureOf(measure).Windows[at->Record];
}

bool TBarReport::WindowFailed(int measure, double day) const
{
    const std::optional<TWindowResult> window = WindowOfDay(measure, day);
    if (!window) return false;
    const std::size_t items = JudgedItems(measure, *window, report_.Head.HarmonicChannelCount);
    return std::any_of(window->Passed.begin(), window->Passed.begin() + static_cast<std::ptrdiff_t>(items),
                       [](std::uint8_t passed) { return passed == 0; });
}

void TBarReport::TakeFailedItem(int measure, const TWindowResult& window)
{
    if (measure != MeasureVoltageHarmonics && measure != MeasureEvents) return;
    const std::size_t items = JudgedItems(measure, window, report_.Head.HarmonicChannelCount);
    for (std::size_t item = items; item-- > 0;)
        if (window.Passed[item] == 0) {
            if (measure == MeasureVoltageHarmonics) ChooseHarmonicChannel(static_cast<int>(item));
            else ChooseEventCategory(static_cast<int>(item));
            return;
        }
}

int TBarReport::HarmonicOrder() const
{
    return channel_ < report_.Head.HarmonicChannelCount ? report_.Head.HarmonicOrders[static_cast<std::size_t>(channel_)] : 0;
}

void TBarReport::ChooseHarmonicChannel(int channel)
{
    if (channel >= 0 && channel < report_.Head.HarmonicChannelCount) channel_ = channel;
}

void TBarReport::ChooseEventCategory(int category)
{
    if (category < 0 || category >= kAnalysisEventCategories) return;
    category_ = category;
    categoryChosen_ = true;
}

std::int16_t TBarReport::EventMaximum(int category) const { return EventCategoryMaximum(Params().Limits, category); }

int TBarReport::BarGroup(int measure, const TWindowResult& window) const
{
    const int group = measure == MeasureVoltageHarmonics ? channel_ : measure == MeasureEvents ? category_ : 0;
    return static_cast<std::size_t>(group) < window.Counts.size() ? group : -1;
}

double TBarReport::Percentile(int measure, int bar) const
{
    const TLimitsRecord& l = Params().Limits;
    switch (measure) {
    case MeasureVoltage: return l.VPerc;
    case MeasureFrequency: return bar == 0 ? l.HzPerc1 : l.HzPerc2;
    case MeasureUnbalance: return l.UnbPerc;
    case MeasureVoltageHarmonics: return l.HPerc[static_cast<std::size_t>(HarmonicOrder())];
    default: return l.FlkPerc;
    }
}

std::vector<TBarLook> TBarReport::Bars(int measure) const
{
    const TBarMeasure& row = BarMeasure(measure);
    std::vector<TBarLook> bars(static_cast<std::size_t>(row.Bars), ClearedBar());
    const std::optional<TWindowResult> window = Analysed(measure) ? WindowOfDay(measure, shownDay_) : std::nullopt;
    if (!window) return bars;
    const int group = BarGroup(measure, *window);
    if (group < 0) return bars;
    const TPhaseCounts& counts = window->Counts[static_cast<std::size_t>(group)];
    // A single-phase survey marks the first group's L2 and L3; no group has them then.
    const bool singlePhase = row.PhaseBars && window->Counts[0][1] == kMissingPhase;
    for (int b = 0; b < row.Bars; ++b) {
        const std::int32_t count = counts[static_cast<std::size_t>(b)];
        if (count == kMissingPhase || (singlePhase && b > 0)) continue;
        TBarLook& bar = bars[static_cast<std::size_t>(b)];
        if (row.CountBars) {
            bar = CountBar(count > EventMaximum(category_), count);
        } else if (window->Total > 0) {
            const float value = 100.0f - OutOfLimitShare(count, window->Total);
            bar = PercentBar(static_cast<float>(Percentile(measure, b)) > value, value);
        }
    }
    return bars;
}

bool TBarReport::ShownDayFailed() const
{
    for (int measure = 1; measure <= kAnalysisMeasures; ++measure)
        if (WindowFailed(measure, shownDay_)) return true;
    return false;
}

std::string TBarReport::PanelCaption(int measure, int panel) const
{
    const TLimitsRecord& l = Params().Limits;
    switch (measure) {
    case MeasureVoltage: return "Voltage " + std::to_string(l.VPerc) + "%";
    case MeasureFrequency: return "Frequency " + FixedOrNoValue(panel == 0 ? l.HzPerc1 : l.HzPerc2, 2, "%");
    case MeasureUnbalance: return "Unbalance " + std::to_string(l.UnbPerc) + "%";
    case MeasureVoltageHarmonics:
        return HarmonicLabel(HarmonicOrder()) + " " + std::to_string(l.HPerc[static_cast<std::size_t>(HarmonicOrder())]) + "%";
    case MeasureFlicker: return "Flicker " + std::to_string(l.FlkPerc) + "%";
    default:
        return std::string(AnalysisEventCategoryNames[static_cast<std::size_t>(category_)]) + " (N." +
               std::to_string(EventMaximum(category_)) + ")";
    }
}

std::string TBarReport::DurationText() const
{
    return "Window duration: " + std::to_string(Params().WindowDays) + " day(s)";
}

std::string TBarReport::ShownDateText() const { return FormatShortDate(shownDay_); }

TEventScale TBarReport::EventScale() const
{
    if (!categoryChosen_) return {"5", "10", kDefaultEventBarRange};
    const int maximum = EventMaximum(category_);
    return {std::to_string(maximum), std::to_string(2 * maximum), 2 * maximum};
}

std::vector<std::vector<TBarMenuItem>> TBarReport::HarmonicMenu() const
{
    std::vector<std::vector<TBarMenuItem>> columns;
    if (!Analysed(MeasureVoltageHarmonics)) return columns;
    std::size_t items = 0;
    for (int c = 0; c < report_.Head.HarmonicChannelCount; ++c) {
        const int order = report_.Head.HarmonicOrders[static_cast<std::size_t>(c)];
        if (order == 1) continue;
        const std::size_t column = std::min(items++ / kMenuColumnItems, kMenuColumns - 1);
        if (column == columns.size()) columns.emplace_back();
        columns.back().push_back({HarmonicLabel(order), c});
    }
    return columns;
}

std::vector<TBarMenuItem> TBarReport::EventMenu() const
{
    std::vector<TBarMenuItem> items;
    if (!Analysed(MeasureEvents)) return items;
    for (int category : kEventMenuOrder)
        items.push_back({std::string(AnalysisEventCategoryNames[static_cast<std::size_t>(category)]) + " (N. " +
                             std::to_string(EventMaximum(category)) + ")",
                         category});
    return items;
}
