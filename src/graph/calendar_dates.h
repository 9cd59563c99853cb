// Date-time values (days since 30/12/1899, time of day as the fraction) split into calendar
// parts and back, the weekday, and label texts by the forms' date-time patterns ("dd-mmm",
// "hh:nn", "mmm dd", "dd/mm hh:nn").
#pragma once

#include <string>

struct TDateTimeParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

// Values are taken to the nearest millisecond; a time that rounds to midnight carries into the
// next day.
TDateTimeParts DecodeDateTimeParts(double value);
double EncodeDateTimeParts(const TDateTimeParts& parts);
double EncodeCalendarDate(int year, int month, int day);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(double value);

// Pattern letters, case-insensitive: d dd ddd dddd, m mm mmm mmmm (minutes right after an hour),
// yy yyyy, h hh, n nn, s ss, z zzz; text in single or double quotes is copied. English month and
// day names; every other character is copied as it is.
std::string FormatDateTime(const std::string& pattern, double value);
