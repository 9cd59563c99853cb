// Wizard interval rules.
#include "wizards/interval_rules.h"

#include "platform/date_format.h"

#include <cctype>
#include <cstdio>

namespace {
int TwoDigits(const std::string& text, std::size_t at)
{
    if (at + 2 > text.size() || !std::isdigit(static_cast<unsigned char>(text[at])) ||
        !std::isdigit(static_cast<unsigned char>(text[at + 1])))
        return -1;
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

std::string TimeText(int hour, int minute)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", hour, minute);
    return buffer;
}

}  // namespace

std::string StepTimeText(const std::string& text, TimeField field, bool up)
{
    int hour = TwoDigits(text, 0);
    int minute = TwoDigits(text, 3);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) hour = minute = 0;
    if (field == TimeField::Hour) hour = up ? (hour == 23 ? 0 : hour + 1) : (hour == 0 ? 23 : hour - 1);
    else minute = up ? (minute == 59 ? 0 : minute + 1) : (minute == 0 ? 59 : minute - 1);
    return TimeText(hour, minute);
}

std::optional<TInterval> DefaultInterval(const TSurveySelection& selection, unsigned ticked)
{
    std::optional<TInterval> interval;
    for (int k = 1; k <= kMeasureCount; ++k) {
        if (!(ticked & (1u << (k - 1)))) continue;
        const auto& file = selection.File(k);
        if (!interval) interval = TInterval{*EncodeDate(9999, 12, 31), 0};
        if (file.FirstTime < interval->first) interval->first = file.FirstTime;
        if (file.LastTime > interval->last) interval->last = file.LastTime;
    }
    return interval;
}

IntervalTexts IntervalFieldTexts(const TInterval& interval)
{
    return {FormatShortDate(interval.first), FormatShortDate(interval.last),
            FormatDateTimePattern(interval.first, "hh:mm"), FormatDateTimePattern(interval.last, "hh:mm")};
}

std::optional<THourMinute> ReadTimeText(const std::string& timeText)
{
    const int hour = TwoDigits(timeText, 0);
    const int minute = TwoDigits(timeText, 3);
    if (timeText.size() != 5 || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    return THourMinute{hour, minute};
}

std::optional<TDateTime> ReadDateAndTime(const std::string& dateText, const std::string& timeText)
{
    const auto date = ParseShortDate(dateText);
    const auto time = ReadTimeText(timeText);
    if (!date || !time) return std::nullopt;
    return *date + TimeFraction(time->hour, time->minute, 0, 0);
}

std::optional<TDateTime> IntervalStart(const std::string& dateText, const std::string& timeText)
{
    return ReadDateAndTime(dateText, timeText);
}

std::optional<TDateTime> IntervalStop(const std::string& dateText, const std::string& timeText)
{
    auto stop = ReadDateAndTime(dateText, timeText);
    if (!stop) return std::nullopt;
    return *stop + kStopMinuteExtraDays;
}
