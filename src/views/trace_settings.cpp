// Starting and resolving trace settings.
#include "views/trace_settings.h"

#include "survey/trace_colours.h"
#include "views/trend_member.h"

#include <algorithm>

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

TTraceSettings NewTraceSettings(const TTrendMember& member)
{
    TTraceSettings s = NewTraceSettings(member.Axes[0].DefaultMin, member.Axes[0].DefaultMax);
    s.Axis1Shown = member.Axes[0].ShownAtStart;
    s.Axis2Shown = member.Axes[1].ShownAtStart;
    s.Axis2Auto = true;
    s.Axis2Min = member.Axes[1].DefaultMin;
    s.Axis2Max = member.Axes[1].DefaultMax;
    for (TTraceEntry& e : s.Entries) e.Phase = member.DefaultPhase;
    return s;
}

void ResolveOffsets(TTraceSettings& settings, const TColumnTable& columns, int statCount)
{
    for (TTraceEntry& e : settings.Entries) e.Offset = ColumnOffset(columns, statCount, e.Phase, e.Item);
}

namespace {
std::size_t EntryIndex(int entry) { return entry >= 0 && entry < kColumnEntries ? static_cast<std::size_t>(entry) : 0; }
}  // namespace

void ResolvePowerTrace(TTraceEntry& entry, const TTrendColumns& columns, int extraCurrentPhases)
{
    const bool known = entry.Item > 0 && entry.Item <= columns.StatCount();
    const bool current = known && columns.Axes[EntryIndex(entry.Item)] == 2;
    if (!current) entry.Phase = 3;
    else if (entry.Phase < 0 || entry.Phase > extraCurrentPhases) entry.Phase = 0;
    const std::size_t k = known ? EntryIndex(3 * (entry.Phase == 3 ? 0 : entry.Phase) + entry.Item) : 0;
    entry.Offset = columns.Columns[k];
    entry.AxisIndex = k == 0 ? 1 : columns.Axes[k];
    entry.Extra = columns.Units[k];
}

void ResolveEnergyTrace(TTraceEntry& entry, const TTrendColumns& columns, bool perPhase)
{
    const bool known = entry.Item > 0 && entry.Item <= columns.StatCount();
    const int k = known ? EnergyColumnEntry(entry.Item, entry.Phase, perPhase) : 0;
    if (k == entry.Item) entry.Phase = 3;  // a total
    entry.Offset = columns.Columns[EntryIndex(k)];
    entry.Extra = columns.Units[EntryIndex(k)];
}
