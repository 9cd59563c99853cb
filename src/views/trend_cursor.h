// The measuring cursor's key stepping (which way Left or Right moves the cursor record through
// the zoom window) and the cursor value labels of the trend members: the hooks their rows name
// (trend_member.h).
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
