// Trace settings as a trend view starts them and as the traces dialogs turn each trace's
// statistic and phase into the byte offset the record readers take the value from.
#pragma once

#include "survey/trace_records.h"
#include "views/trend_columns.h"

struct TTrendMember;

// No trace chosen; the member's default Y range with automatic scale; the default colours.
TTraceSettings NewTraceSettings(float defaultMin, float defaultMax);
// A member's new view: both axes' defaults and shown flags, automatic scale, no trace chosen,
// every trace on the left axis in the member's default phase.
TTraceSettings NewTraceSettings(const TTrendMember& member);

// Offset of entry k := column statCount x Phase + Item (entry 0 for a trace without item).
void ResolveOffsets(TTraceSettings& settings, const TColumnTable& columns, int statCount);

// A powers-and-currents trace from its item and phase: a power is always 3Ph. (phase 3), a
// current one of the phases the record holds (L1 when its phase is 3Ph. or beyond them); its
// offset, axis and unit kind from entry 3 x phase + item. A trace without item takes entry 0.
void ResolvePowerTrace(TTraceEntry& entry, const TTrendColumns& columns, int extraCurrentPhases);
// An energy trace from its item and phase: only the received and delivered active energies of a
// file with per-phase values may take L1 to L3 (EnergyColumnEntry); every other item resolves to
// 3Ph. Its offset and unit kind from that entry; its axis stays.
void ResolveEnergyTrace(TTraceEntry& entry, const TTrendColumns& columns, bool perPhase);
