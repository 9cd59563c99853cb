// The measuring cursor's key stepping (which way Left or Right moves the cursor record through
// the zoom window), the cursor value labels and the printed page's date line of the trend
// members: the hooks their rows name (trend_member.h).
#pragma once

#include <string>

#include "platform/date_time.h"
#include "survey/trace_records.h"
#include "views/trend_scale.h"
#include "views/trend_window.h"

struct TTrendMember;

// -1, +1 or 0 (the key does nothing).
int CursorKeyStep(bool right, TDateTime x, const TRecordWindow& zoom, const TRecordWindow& full);

// The member's "%3.Nf unit" pattern; in kilovolts "%3.3f kV".
std::string PatternCursorText(const TTrendMember& member, const TTrendScale& scale, const TTraceEntry& entry, double value);
// A power with the pass's prefix and its unit ("1.234 kW"); a current without prefix ("80 A").
std::string PowerCursorText(const TTrendMember& member, const TTrendScale& scale, const TTraceEntry& entry, double value);
// "%3.3f %%" on the percent axis, "%3.3f A" on the ampere axis.
std::string PercentOrAmpereCursorText(const TTrendMember& member, const TTrendScale& scale, const TTraceEntry& entry,
                                      double value);
// "%3.3f " with the pass's prefix and the energy unit ("12.345 kWh").
std::string EnergyCursorText(const TTrendMember& member, const TTrendScale& scale, const TTraceEntry& entry, double value);

// Unit names by a trace's unit kind (its Extra): "", "W", "VAr", "VA", "A" and "", "Wh", "VArh", "VAh".
std::string PowerUnitName(int unitKind);
std::string EnergyUnitName(int unitKind);

// "Printed on: " with the day's name, the run's short date and "hh:mm".
std::string ShortDatePrintLine(TDateTime now);
// "Printed on: " with the day's name and a fixed "dd/MM/yyyy hh:mm".
std::string DayMonthYearPrintLine(TDateTime now);
// "Monday" ... "Sunday".
std::string WeekdayName(TDateTime t);
