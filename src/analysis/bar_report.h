// The bar report's rules without a window (TReportBarDlg shows them): for the shown day of an
// analysis report, how each analysed measure's window of that day looks as bars (the share of
// records inside the limits, or the events counted), the lookup of the window that holds a day,
// stepping by day, Select Date, the search of the next or previous failed window across the
// measures, and the menus of harmonic channels and event categories.
//
// Days are compared by their date part everywhere, so an analysis that started at 10:30 shows,
// selects and searches its first day like any other. The analysis interval's first and last
// days bound the windows: the last window starts window days - 1 before the last day (or on
// the first day when the interval is shorter than a window).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_file.h"
#include "platform/colours.h"
#include "platform/date_time.h"

inline constexpr std::string_view kNoFailedDateMessage = "No failed date found.";

// The percent bars span 80 % to 100 % of the scale: a gauge range 0 to 20 above this floor.
constexpr int kPercentBarFloor = 80;
constexpr int kPercentBarRange = 20;
// The events scale until a category is chosen.
constexpr int kDefaultEventBarRange = 10;

// How one bar shows: cleared (grey, empty, no caption), or coloured by its verdict with its
// caption and its progress in the gauge's range (the gauge keeps it within the range).
struct TBarLook {
    bool Cleared = true;
    TColor BackColor = kNotAnalysedColour;
    TColor Colour = kNotAnalysedColour;  // both ends of the gradient; kept by the gauge when cleared
    std::string Caption;
    int Progress = 0;
    bool operator==(const TBarLook&) const = default;
};
TBarLook ClearedBar();
// A share of records inside the limits, in percent: "98.0%", progress Round(value) - 80.
TBarLook PercentBar(bool failed, float value);
// Events counted: "7", progress the count.
TBarLook CountBar(bool failed, std::int32_t count);

// The bars of each measure, in measure order (index measure - 1): voltage L1 to L3, frequency
// limit 1 and limit 2, unbalance, voltage harmonics L1 to L3 of the current channel, flicker L1
// to L3, events L1 to L3 of the current category.
struct TBarMeasure {
    int Measure = 0;
    int Bars = 0;
    int Panels = 1;          // frequency: one panel per limit
    bool PhaseBars = false;  // L1 to L3 of a counter group: a single-phase survey lacks L2 and L3
    bool CountBars = false;  // events counted against a maximum, not a share against a percentile
};
extern const std::array<TBarMeasure, kAnalysisMeasures> kBarMeasures;

// An item of the harmonic or event menu: its caption and the channel or category it chooses.
struct TBarMenuItem {
    std::string Caption;
    int Choice = 0;
    bool operator==(const TBarMenuItem&) const = default;
};

// The events scale: the labels of its middle and right marks and the gauges' range.
struct TEventScale {
    std::string Middle, Right;
    int Range = kDefaultEventBarRange;
    bool operator==(const TEventScale&) const = default;
};

// What is wrong with a report for the bar report (an interval that is no pair of dates), or "".
std::string BarReportProblem(const TAnalysisReport& report);

class TBarReport {
public:
    // On a report BarReportProblem accepts. The shown day is the analysis start's, the current
    // harmonic channel 0 and event category 0.
    explicit TBarReport(TAnalysisReport report);

    const TAnalysisReport& Report() const { return report_; }
    const TAnalysisParams& Params() const { return report_.Head.Params; }
    // A measure with a window section.
    bool Analysed(int measure) const;

    double ShownDay() const { return shownDay_; }
    double FirstDay() const { return firstDay_; }
    double LastWindowDay() const { return lastWindowDay_; }
    bool HasPreviousWindow() const { return shownDay_ > firstDay_; }
    bool HasNextWindow() const { return shownDay_ < lastWindowDay_; }
    // One day on (+1) or back (-1); nothing where no window lies.
    void StepDay(int days);
    // A date from the date picker becomes the shown day when a window starts on it; false (and
    // nothing changes) otherwise.
    bool SelectDate(TDateTime chosen);
    // Moves to the nearest later (earlier) day whose window failed in some measure, tested in
    // measure order; a failure in voltage harmonics makes the window's last failed channel
    // current, one in events its last failed category. False when there is none.
    bool FindFailedDate(bool forward);

    // The window record of a measure that holds a day, or nothing: the first record whose day is
    // not before it, when that record is of the day itself.
    std::optional<TWindowResult> WindowOfDay(int measure, double day) const;
    // The record of that day exists and failed (any judged channel or category).
    bool WindowFailed(int measure, double day) const;

    int HarmonicChannel() const { return channel_; }
    int HarmonicOrder() const;
    void ChooseHarmonicChannel(int channel);
    int EventCategory() const { return category_; }
    void ChooseEventCategory(int category);
    std::int16_t EventMaximum(int category) const;

    // The bars of a measure on the shown day; cleared where the measure was not analysed, the
    // day has no window, the window holds no records or the phase does not exist.
    std::vector<TBarLook> Bars(int measure) const;
    // Some measure's window of the shown day failed.
    bool ShownDayFailed() const;

    // The caption of a measure's panel: "Voltage 95%", "Frequency 95.00%" (panel 0: limit 1,
    // panel 1: limit 2), "Unbalance 95%", "Thd 95%", "Flicker 95%", "Over Voltages (N.5)".
    std::string PanelCaption(int measure, int panel = 0) const;
    std::string DurationText() const;   // "Window duration: 7 day(s)"
    std::string ShownDateText() const;  // the short date format
    TEventScale EventScale() const;
    // The harmonic channels but the fundamental, in columns of ten (a fourth column takes the
    // rest); the nine event categories with their maxima, interruptions after fast variations.
    // Empty when the measure was not analysed.
    std::vector<std::vector<TBarMenuItem>> HarmonicMenu() const;
    std::vector<TBarMenuItem> EventMenu() const;

private:
    // Per measure, the records a day can find, by strictly rising day.
    struct TDayEntry {
        double Day;
        std::size_t Record;
    };
    const TReportMeasure& MeasureOf(int measure) const { return report_.Measure(measure); }
    // The counter group the measure's bars show, or -1 when its window has none.
    int BarGroup(int measure, const TWindowResult& window) const;
    double Percentile(int measure, int bar) const;
    // The last failed channel or category of a failed window.
    void TakeFailedItem(int measure, const TWindowResult& window);

    TAnalysisReport report_;
    std::array<std::vector<TDayEntry>, kAnalysisMeasures> days_;
    double firstDay_ = 0, lastWindowDay_ = 0, shownDay_ = 0;
    int channel_ = 0, category_ = 0;
    bool categoryChosen_ = false;
};
