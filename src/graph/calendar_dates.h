// The weekday of a date-time value and label texts by the forms' date-time patterns ("dd-mmm",
// "hh:nn", "mmm dd", "dd/mm hh:nn"), on the encoding every module shares.
#pragma once

#include "platform/date_time.h"

#include <string>

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(double value);

// Pattern letters, case-insensitive: d dd ddd dddd, m mm mmm mmmm (minutes right after an hour),
// yy yyyy, h hh, n nn, s ss, z zzz; text in single or double quotes is copied. English month and
// day names; every other character is copied as it is.
std::string FormatDateTime(const std::string& pattern, double value);
