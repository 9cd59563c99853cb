// Texts of stored values on the report sheets.
#include "analysis/report_texts.h"

#include <cmath>

#include "survey/number_text.h"

std::string FixedOrNoValue(double value, int decimals, std::string_view unit)
{
    return std::isfinite(value) ? FormatFixed(value, decimals) + std::string(unit) : std::string(kNoValueText);
}

std::string DateOrNoValue(TDateTime t) { return InDateTimeRange(t) ? FormatShortDate(t) : std::string(kNoValueText); }

std::string DateAndMinuteOrNoValue(TDateTime t)
{
    return InDateTimeRange(t) ? FormatShortDate(t) + " " + FormatDateTimePattern(t, "hh:mm") : std::string(kNoValueText);
}
