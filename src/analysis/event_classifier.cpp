// Classifying event records for the analysis and the summary.
#include "analysis/event_classifier.h"

#include "survey/data_layout.h"

namespace {
// Voltage channels L1 to L3 (codes 0 to 2) count only types below 8.
std::optional<TEventKind> VoltageEventKind(int type, float threshold, float peak)
{
    // A dip that falls to 1/90 of its threshold or less is taken as an interruption.
    if ((type == 2 || type == 3) && static_cast<double>(peak) <= static_cast<double>(threshold) / 0.9 * 0.01)
        type = 7;
    switch (type) {
    case 1: return TEventKind::OverVoltage;
    case 2: case 3: return TEventKind::UnderVoltage;
    case 4: case 5: return TEventKind::FastVariation;
    case 7: return TEventKind::Interruption;
    default: return std::nullopt;
    }
}

// Codes 3 to 149 but 8, any type but system events.
std::optional<TEventKind> OtherEventKind(int type, int channel)
{
    if (channel == 3) {
        // Frequency events are over (1) or under (2); any other type would fall into another
        // measure's category.
        if (type == 1) return TEventKind::OverFrequency;
        if (type == 2) return TEventKind::UnderFrequency;
        return std::nullopt;
    }
    if (channel == 4) return TEventKind::OverUnbalance;
    if (channel >= 5 && channel <= 7) return TEventKind::OverFlicker;
    if (channel >= 10) return TEventKind::OverHarmonic;
    return std::nullopt;  // code 9 stands for nothing
}
}  // namespace

std::optional<TEventClass> ClassifyEvent(int type, float threshold, float peak, int channel)
{
    std::optional<TEventKind> kind;
    if (channel >= 0 && channel <= 2 && type < 8)
        kind = VoltageEventKind(type, threshold, peak);
    else if (channel >= 3 && channel <= 149 && channel != 8 && type != 16)
        kind = OtherEventKind(type, channel);
    if (!kind) return std::nullopt;
    return TEventClass{*kind, ChannelPhase(channel)};
}

int SummaryEventCategory(TEventKind kind)
{
    switch (kind) {
    case TEventKind::FastVariation: return 0;
    case TEventKind::OverVoltage: return 1;
    case TEventKind::UnderVoltage: return 2;
    default: return EventCategory(kind);
    }
}

std::int16_t EventCategoryMaximum(const TLimitsRecord& limits, int category)
{
    switch (category) {
    case 0: return limits.VOver;
    case 1: return limits.VUnder;
    case 2: return limits.VRapid;
    case 3: return limits.HzOver;
    case 4: return limits.HzUnder;
    case 5: return limits.UnbOver;
    case 6: return limits.HOver;
    case 7: return limits.FlkOver;
    case 8: return limits.VDepth;
    default: return 0;
    }
}
