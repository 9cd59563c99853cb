// The wizards' interval rules: the time fields' spin arithmetic ("hh:mm", wrapping without
// carrying into the other field), the default interval over the ticked measures, and the
// interval ends a wizard stores (start minute; stop minute + 59.999 s).
#pragma once

#include "platform/date_time.h"
#include "survey/records.h"

#include <optional>
#include <string>

enum class TimeField { Hour, Minute };
// Steps the hour (0-23) or the minute (0-59) of an "hh:mm" text up or down with wrap-around;
// the other field stays. A text that is no time reads as 00:00.
std::string StepTimeText(const std::string& text, TimeField field, bool up);

// First and last record times over the measures whose flag is set in `ticked` (bit k-1 for
// measure k); nothing when no measure is ticked.
struct TInterval {
    TDateTime first = 0;
    TDateTime last = 0;
};
std::optional<TInterval> DefaultInterval(const TSurveySelection& selection, unsigned ticked);

// The texts the date and time fields show for an interval.
struct IntervalTexts {
    std::string startDate, stopDate, startTime, stopTime;
};
IntervalTexts IntervalFieldTexts(const TInterval& interval);

// Reads an "hh:mm" time field; nothing when it is not a time of day.
struct THourMinute {
    int hour = 0;
    int minute = 0;
};
std::optional<THourMinute> ReadTimeText(const std::string& timeText);
// Reads a short-format date field and an "hh:mm" time field; nothing when either is not valid.
std::optional<TDateTime> ReadDateAndTime(const std::string& dateText, const std::string& timeText);
// Start := date + time; Stop := date + time + 59.999 s.
std::optional<TDateTime> IntervalStart(const std::string& dateText, const std::string& timeText);
std::optional<TDateTime> IntervalStop(const std::string& dateText, const std::string& timeText);

inline constexpr const char* kStopBeforeStartMessage = "Stop date and time must be greater than Start date and time";
