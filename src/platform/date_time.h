// The program's one date-time representation: days since 30/12/1899 as a double, the time of
// day as the fraction (as stored in report and hand-over files). Every module encodes, decodes
// and shows date-times through these routines, so equal stamps compare equal.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

using TDateTime = double;

constexpr double kMillisecondsPerDay = 86400000.0;
constexpr double kOneMinute = 1.0 / 1440.0;
constexpr double kOneSecond = 1.0 / 86400.0;

struct DateTimeParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    bool operator==(const DateTimeParts&) const = default;
};

bool IsValidDate(int year, int month, int day);
inline bool IsValidTime(int hour, int minute, int second, int millisecond)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 && millisecond >= 0 &&
           millisecond < 1000;
}
int DaysInMonth(int year, int month);

// Nothing when the fields are out of range (year 1..9999, month 1..12, day of that month).
std::optional<TDateTime> EncodeDate(int year, int month, int day);
// The day number of a date with month 1..12 and day 1..31 left to the caller; any year, so
// calendar arithmetic may step past 1..9999.
TDateTime DateSerial(int year, int month, int day);
// Fraction of a day; nothing when hour > 23, minute > 59, second > 59 or millisecond > 999.
std::optional<double> EncodeTime(int hour, int minute, int second = 0, int millisecond = 0);
// The same for fields already checked. Divided, not multiplied by the reciprocal, which can land
// one bit off the nearest double.
inline double TimeFraction(int hour, int minute, int second, int millisecond)
{
    return (((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / kMillisecondsPerDay;
}
std::optional<TDateTime> EncodeDateTime(const DateTimeParts& parts);
// A date-time in whole milliseconds, the stamps' own grid: equal stamps give equal numbers, so
// searches and matches compare these.
inline std::int64_t ToMilliseconds(TDateTime t) { return std::llround(t * kMillisecondsPerDay); }

// A date-time of the years 1 to 9999, which the routines below can show; false for what a
// damaged file may hold (NaN, infinities, far-off days).
bool InDateTimeRange(TDateTime t);

// Fields of a date-time, rounded to the millisecond.
DateTimeParts DecodeDateTime(TDateTime t);

// Shows a date-time with a Qt-style pattern: d dd M MM yy yyyy h hh m mm s ss z zzz, other
// characters as they stand.
std::string FormatDateTimePattern(TDateTime t, const std::string& pattern);
// The run's short date format ("dd/MM/yyyy" in tests).
std::string FormatShortDate(TDateTime t);
// "hh:mm:ss".
std::string FormatLongTime(TDateTime t);
// Short date, a blank, "hh:mm:ss".
std::string FormatDateTime(TDateTime t);
// Reads a date written with the d, M and y runs of a Qt-style pattern (day and month names are
// not read; "yy" takes 1950 to 2049); nothing when the text does not match it or is no date.
std::optional<TDateTime> ParseDatePattern(const std::string& text, const std::string& pattern);
// The same with the run's short date format.
std::optional<TDateTime> ParseShortDate(const std::string& text);
