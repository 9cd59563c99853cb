// What the report sheets (the analysis report and the survey summary) show for a stored value:
// its text, or "***" where the value has nothing to show (a phase the survey lacks, NaN, an
// infinity, a day beyond the calendar), never a C library's text such as "nan" or "inf".
#pragma once

#include <string>
#include <string_view>

#include "platform/date_time.h"
#include "platform/no_value_text.h"

// FormatFixed (value, decimals) followed by the unit, or "***" when the value is not finite.
std::string FixedOrNoValue(double value, int decimals, std::string_view unit = {});
// The short date, or "***" outside the years 1 to 9999.
std::string DateOrNoValue(TDateTime t);
// The short date and " hh:mm", or "***" outside the years 1 to 9999.
std::string DateAndMinuteOrNoValue(TDateTime t);
