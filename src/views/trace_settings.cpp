// Starting and resolving trace settings.
#include "views/trace_settings.h"

#include "survey/trace_colours.h"

TTraceSettings NewTraceSettings(float defaultMin, float defaultMax)
{
    TTraceSettings s;
    s.Axis1Auto = true;
    s.Axis1Min = defaultMin;
    s.Axis1Max = defaultMax;
    for (std::size_t k = 0; k < s.Entries.size(); ++k) {
        TTraceEntry& e = s.Entries[k];
        e = TTraceEntry{};
        e.Colour = DefaultTraceColours[k];
        e.AxisIndex = 1;
    }
    return s;
}

void ResolveOffsets(TTraceSettings& settings, const TColumnTable& columns, int statCount)
{
    for (TTraceEntry& e : settings.Entries) e.Offset = ColumnOffset(columns, statCount, e.Phase, e.Item);
}
