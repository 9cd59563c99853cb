// The printed pages' date lines.
#include "views/print_lines.h"

#include "platform/date_format.h"

#include <array>
#include <cmath>

std::string WeekdayName(TDateTime t)
{
    // Day 0, 30/12/1899, was a Saturday.
    static const std::array<const char*, 7> names = {"Saturday", "Sunday",   "Monday", "Tuesday",
                                                     "Wednesday", "Thursday", "Friday"};
    const auto day = static_cast<long long>(std::floor(t));
    return names[static_cast<std::size_t>(((day % 7) + 7) % 7)];
}

std::string ShortDatePrintLine(TDateTime now)
{
    return "Printed on: " + WeekdayName(now) + " " + FormatDateTimePattern(now, RunDateFormats().shortDate + " hh:mm");
}

std::string DayMonthYearPrintLine(TDateTime now)
{
    return "Printed on: " + WeekdayName(now) + " " + FormatDateTimePattern(now, "dd/MM/yyyy hh:mm");
}
