// The events list's filter and its dialog's boxes.
#include "views/event_filter.h"

#include "survey/data_layout.h"
#include "survey/number_text.h"

#include <initializer_list>

using namespace event_codes;

namespace {
bool Within(int value, int low, int high) { return value >= low && value <= high; }

// The types each "Event Type" box stands for.
const std::array<std::initializer_list<int>, kTypeBoxCount> kBoxTypes = {{{1}, {2, 3, 9, 10}, {4, 5}, {8}, {7}}};
constexpr int kTypesTheBoxesSet = 10;

bool TypeFlag(const TEventFilter& filter, int type)
{
    if (type == SpecialUnder) type = Under;
    if (type == SystemEvent) return false;
    if (!Within(type, 1, kEventFilterTypes)) return true;
    return filter.Types[static_cast<std::size_t>(type - 1)];
}

bool PhaseFlag(const TEventFilter& filter, int channel)
{
    if (Within(channel, DigitalInputFirst, DigitalInputLast) || channel == 8) return true;
    if (channel > MultiPhaseBase) {
        const int lines = channel - MultiPhaseBase;
        if ((lines & 0x7) == 0) return true;
        for (int p = 0; p < kEventFilterPhases; ++p)
            if ((lines & (1 << p)) && filter.Phases[static_cast<std::size_t>(p)]) return true;
        return false;
    }
    const int phase = ChannelPhase(channel);
    return !Within(phase, 0, kEventFilterPhases - 1) || filter.Phases[static_cast<std::size_t>(phase)];
}

bool Passes(std::uint16_t mode, double value, float limit) { return mode == 0 ? value < limit : value >= limit; }
}  // namespace

int EventClassOf(const TEventFields& e)
{
    const int t = e.Channel;
    if (e.Type == SpecialUnder) return EventClassVoltage;
    if (Within(t, 0, 2) || t == 8 || t > MultiPhaseBase) return EventClassVoltage;
    if (t == 3) return EventClassFrequency;
    if (t == 4) return EventClassUnbalance;
    if (Within(t, 10, 149)) return EventClassVoltageHarmonics;
    if (Within(t, 5, 7)) return EventClassFlicker;
    if (Within(t, 150, 155)) return EventClassPowers;
    if (Within(t, 200, 299)) return EventClassCurrentHarmonics;
    if (Within(t, DigitalInputFirst, DigitalInputLast)) return EventClassDigitalInputs;
    return -1;
}

bool EventPassesFilter(const TEventFields& e, const TEventFilter& filter)
{
    if (!TypeFlag(filter, e.Type)) return false;
    const int cls = EventClassOf(e);
    if (cls >= 0 && !filter.Classes[static_cast<std::size_t>(cls)]) return false;
    if (!PhaseFlag(filter, e.Channel)) return false;
    // Compared in single precision, as the limits are kept: a limit of 0.1 s passes 10 hundredths.
    if (!Passes(filter.DurationMode, static_cast<float>(e.Duration / 100.0), filter.DurationLimit)) return false;
    return Passes(filter.ValueMode, e.Peak, filter.ValueLimit);
}

TEventFilterBoxes FilterBoxes(const TEventFilter& filter)
{
    TEventFilterBoxes boxes;
    boxes.Classes = filter.Classes;
    boxes.Phases = filter.Phases;
    for (std::size_t b = 0; b < kBoxTypes.size(); ++b)
        for (int type : kBoxTypes[b]) boxes.Types[b] = boxes.Types[b] || filter.Types[static_cast<std::size_t>(type - 1)];
    return boxes;
}

void ApplyFilterBoxes(const TEventFilterBoxes& boxes, TEventFilter& filter)
{
    filter.Classes = boxes.Classes;
    filter.Phases = boxes.Phases;
    for (int type = 1; type <= kTypesTheBoxesSet; ++type) filter.Types[static_cast<std::size_t>(type - 1)] = false;
    for (std::size_t b = 0; b < kBoxTypes.size(); ++b)
        if (boxes.Types[b])
            for (int type : kBoxTypes[b]) filter.Types[static_cast<std::size_t>(type - 1)] = true;
}

bool FilterBoxesValid(const TEventFilterBoxes& boxes)
{
    auto any = [](const auto& flags) {
        for (bool f : flags)
            if (f) return true;
        return false;
    };
    return any(boxes.Classes) && any(boxes.Phases) && any(boxes.Types);
}

std::string FilterLimitText(float limit) { return FormatFixed(limit, 2); }
