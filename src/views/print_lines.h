// The date line a measurement view's printed page carries in its information panel: "Printed
// on: ", the day's name, the date and the time. The trend members name theirs in their rows; the
// printed frame (printed_frame.h) shows it.
#pragma once

#include <string>

#include "platform/date_time.h"

// "Printed on: " with the day's name, the run's short date and "hh:mm".
std::string ShortDatePrintLine(TDateTime now);
// "Printed on: " with the day's name and a fixed "dd/MM/yyyy hh:mm".
std::string DayMonthYearPrintLine(TDateTime now);
// "Monday" ... "Sunday".
std::string WeekdayName(TDateTime t);
