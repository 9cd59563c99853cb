// Trace settings as a trend view starts them and as the traces dialogs turn each trace's
// statistic and phase into the byte offset the record readers take the value from.
#pragma once

#include "survey/trace_records.h"
#include "views/trend_columns.h"

// No trace chosen; the member's default Y range with automatic scale; the default colours.
TTraceSettings NewTraceSettings(float defaultMin, float defaultMax);

// Offset of entry k := column statCount x Phase + Item (entry 0 for a trace without item).
void ResolveOffsets(TTraceSettings& settings, const TColumnTable& columns, int statCount);
