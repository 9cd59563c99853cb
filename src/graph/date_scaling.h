// Date-time axis units: the step of each unit in days, and rounding a date-time down or up to
// a unit boundary and on to the next boundary, as the date-time axis ranges and ticks need them.
#pragma once

#include "graph/axis.h"

// Days per unit (months and years by their nominal length); 0 for dt_custom.
double DateStepDays(Dateticks unit);
// Down to the unit's boundary at or before the value.
double RoundDateDown(double value, Dateticks unit);
// Up to the unit's boundary: the value itself when it is exact for the unit (seconds count,
// milliseconds do not), for weeks always the Sunday after the value's date.
double RoundDateUp(double value, Dateticks unit);
// The next boundary after a boundary value.
double NextDateTick(double value, Dateticks unit);
