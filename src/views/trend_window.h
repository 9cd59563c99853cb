// The record window a trend view shows and the rules it plots by: records of a window, the
// recording period's texts and gap unit, the time axis's tick index and titles, and the gap rule
// between consecutive points. How a pass scales its Y axes is trend_scale.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/date_time.h"
#include "survey/trace_records.h"

// A range of records: byte offsets of its first and last records and their times.
struct TRecordWindow {
    std::uint32_t FirstPos = 0;
    std::uint32_t LastPos = 0;
    TDateTime FirstTime = 0;
    TDateTime LastTime = 0;
    bool operator==(const TRecordWindow&) const = default;
};

// (LastPos - FirstPos) div recordSize + 1.
std::uint32_t PeriodRecordCount(const TRecordWindow& window, std::uint32_t recordSize);
// The same window with its ends in time order (a zoom band may be dragged right to left).
TRecordWindow OrderedWindow(const TRecordWindow& window);

extern const std::array<std::int32_t, 12> TimeStepMinutes;
extern const std::array<std::string_view, 12> TimeAxisTitles;
// 0 "Volt", 1 "Hertz", 2 "Unbalance %", 3 "% of fundamental", 4 "p.u.".
extern const std::array<std::string_view, 5> YAxisTitles;

// The unit a member's recording period is counted in (frequency files count seconds).
enum class TPeriodUnit { Minutes, Seconds };

// What a recording period gives a view: the tail of the record-count line ("  (Rate: 10min)"),
// the time pattern after the short date in the head lines, the cursor's time pattern, and the
// gap unit in seconds.
struct TTrendPeriod {
    std::string RateText;
    std::string HeadTimePattern;
    std::string CursorTimePattern;
    std::int64_t GapSeconds = 0;
};
// A period in seconds reads in minutes when it is a whole number of them (600 s: "10min");
// otherwise in seconds, the head lines and the cursor then showing seconds.
TTrendPeriod DescribePeriod(TPeriodUnit unit, std::int16_t period);

// The X axis's range over a window: its first to last time, or one recording period either
// side of the time of a one-record window, which an empty range could not draw.
struct TTimeRange {
    TDateTime Min = 0;
    TDateTime Max = 0;
};
TTimeRange XAxisRange(const TRecordWindow& window, std::int64_t periodSeconds);

// Whole minutes from first to last, seconds dropped.
std::int64_t SpanMinutes(TDateTime first, TDateTime last);
// The first index whose step gives at most 12 ticks over the span; 11 when none does.
int TimeTickIndex(std::int64_t spanMinutes);

// Two consecutive points of a trace are joined when they lie exactly one recording period
// apart, to the second; a missing record, a pause or a missing day leaves a gap.
// Inline: every point of a plotted window passes here.
inline bool JoinsPrevious(TDateTime previous, TDateTime time, std::int64_t periodSeconds)
{
    if (periodSeconds <= 0 || previous <= 0) return false;
    // The gap rounded to the second (halves away from zero) equals the period: compared
    // without a rounding call.
    const double seconds = (time - previous) * 86400.0;
    const double period = static_cast<double>(periodSeconds);
    return seconds >= period - 0.5 && seconds < period + 0.5;
}

// Some entry has an item.
bool AnyTraceChosen(const TTraceSettings& traces);
