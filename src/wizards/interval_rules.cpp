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

// Reads digits for each d/M/y run of a Qt-style date pattern; other characters must match.
std::optional<TDateTime> ParseDate(const std::string& text, const std::string& pattern)
{
    int day = -1, month = -1, year = -1;
    std::size_t t = 0;
    for (std::size_t p = 0; p < pattern.size();) {
        char c = pattern[p];
        std::size_t run = 1;
        while (p + run < pattern.size() && pattern[p + run] == c) ++run;
        if (c == 'd' || c == 'M' || c == 'y') {
            if (run > 4 || (c != 'y' && run > 2)) return std::nullopt;  // month and day names are not read
            std::size_t maxDigits = c == 'y' ? run : 2;
            std::size_t start = t;
            int value = 0;
            while (t < text.size() && t - start < maxDigits && std::isdigit(static_cast<unsigned char>(text[t])))
                value = value * 10 + (text[t++] - '0');
            if (t == start) return std::nullopt;
            if (c == 'y' && run == 2) value += value < 50 ? 2000 : 1900;
            (c == 'd' ? day : c == 'M' ? month : year) = value;
        } else {
            for (std::size_t k = 0; k < run; ++k, ++t)
                if (t >= text.size() || text[t] != c) return std::nullopt;
        }
        p += run;
    }
    if (t != text.size()) return std::nullopt;
    return EncodeDate(year, month, day);
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

std::optional<TDateTime> ReadDateAndTime(const std::string& dateText, const std::string& timeText)
{
    auto date = ParseDate(dateText, RunDateFormats().shortDate);
    int hour = TwoDigits(timeText, 0);
    int minute = TwoDigits(timeText, 3);
    if (!date || timeText.size() != 5 || hour < 0 || minute < 0) return std::nullopt;
    auto time = EncodeTime(hour, minute);
    if (!time) return std::nullopt;
    return *date + *time;
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
