// The analysis parameters (window of days, observation period, limits; 384 bytes packed, stored
// whole in every report) and the program-wide AnalysisParams the analysis wizard fills for the
// engine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/limits_record.h"

// The engine keeps one day slot per day of the window.
constexpr int kMaxWindowDays = 31;
// The longest interval an analysis judges, in days: the analysis numbers its days in 16 bits,
// so no report holds more windows of a measure than this and a day either side (report_file.h).
constexpr int kMaxAnalysisDays = 32767;
constexpr int kObservationPeriodChoices = 6;

struct TAnalysisParams {
    static constexpr std::size_t kPackedSize = 384;
    static constexpr std::size_t kPackedSizeWithoutSecondLimits = 374;

    std::int16_t WindowDays = 0;   // 1 to 31
    std::int16_t PeriodIndex = 0;  // 0 to 5: 1, 5, 10, 15, 30, 60 minutes
    TLimitsRecord Limits;

    void Pack(ByteWriter& out, LimitsLayout layout = LimitsLayout::Current) const;
    static TAnalysisParams Unpack(ByteReader& in, LimitsLayout layout = LimitsLayout::Current);
    bool operator==(const TAnalysisParams&) const = default;
};

// Everything zero, then a window of 7 days, 10-minute period and the default limits.
void SetDefaultAnalysisParams(TAnalysisParams& params);
// The program-wide parameters of the analysis being prepared or run.
TAnalysisParams& AnalysisParams();

// Minutes of an observation period choice (0 to 5); 0 outside.
int ObservationPeriodMinutes(int periodIndex);

// The window of days the wizard accepts, and its spin button's step: by one, up only from 30 or
// less and down only from 2 or more.
inline constexpr const char* kWindowDaysMessage = "Days of analysis must be from 1 to 31";
constexpr bool WindowDaysAccepted(int days) { return days >= 1 && days <= kMaxWindowDays; }
int StepWindowDays(int days, bool up);
// The window field's text as the wizard takes it: nothing, after the message (the conversion's,
// or kWindowDaysMessage as an error box), when it is no number of days from 1 to 31.
std::optional<std::int16_t> ReadWindowDays(const std::string& text);
