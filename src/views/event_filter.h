// The events list's filter (TEventFilter) and the rules of its dialog: which events a filter
// lets through, and how the dialog's boxes stand for the filter's flags. Plain values, used by
// the events list (show_ala_form.h) and its dialog (traces_alarm_dlg.h).
#pragma once

#include "survey/event_texts.h"

#include <array>
#include <cstdint>
#include <string>

// Measure classes, in the order of the dialog's "Measure" boxes.
enum EventClass : int {
    EventClassVoltage,
    EventClassFrequency,
    EventClassUnbalance,
    EventClassVoltageHarmonics,
    EventClassFlicker,
    EventClassPowers,
    EventClassCurrentHarmonics,
    EventClassDigitalInputs,
    kEventClassCount
};
constexpr int kEventFilterPhases = 3;
constexpr int kEventFilterTypes = 25;  // flags of event types 1 to 25

struct TEventFilter {
    std::array<bool, kEventClassCount> Classes{true, true, true, true, true, true, true, true};
    std::array<bool, kEventFilterPhases> Phases{true, true, true};
    std::array<bool, kEventFilterTypes> Types = [] {
        std::array<bool, kEventFilterTypes> all{};
        all.fill(true);
        return all;
    }();
    float ValueLimit = -1000;     // compared with the peak
    std::uint16_t ValueMode = 1;  // 1: passes when peak >= limit; 0: when peak < limit
    float DurationLimit = 0;      // seconds
    std::uint16_t DurationMode = 1;  // 1: passes when duration >= limit; 0: when duration < limit
    bool operator==(const TEventFilter&) const = default;
};

// The class of an event (an EventClass), or -1 for a channel no class governs. Type 32 is a
// voltage event whatever its channel; L4 (8) and multi-phase voltages (above 1000) count as
// voltage, digital inputs 7 to 16 and current harmonics 285 to 299 with their kind.
int EventClassOf(const TEventFields& e);
// Type flag, class flag, phase flag, duration, peak, in this order. Type 32 takes the flag of
// type 2, type 16 (system events) never passes, and types beyond the flags pass; a channel no
// class governs passes the class test. Digital inputs and L4 have no phase; a multi-phase voltage
// passes when one of its lines L1 to L3 is ticked, or when it stands on L4 alone.
bool EventPassesFilter(const TEventFields& e, const TEventFilter& filter);

// The dialog's boxes: "Measure" (the classes), "Phase", and "Event Type": Over, Under, Fast
// Variation, Transients, Interruption.
enum EventTypeBox : int { TypeBoxOver, TypeBoxUnder, TypeBoxFastVariation, TypeBoxTransients, TypeBoxInterruption, kTypeBoxCount };
struct TEventFilterBoxes {
    std::array<bool, kEventClassCount> Classes{};
    std::array<bool, kEventFilterPhases> Phases{};
    std::array<bool, kTypeBoxCount> Types{};
    bool operator==(const TEventFilterBoxes&) const = default;
};
// A box is ticked when one of its types' flags is set.
TEventFilterBoxes FilterBoxes(const TEventFilter& filter);
// Types 1 to 10 are cleared and set again from the boxes (no box sets type 6, so it stays
// cleared); types 11 to 25 keep their flags; classes and phases are taken one to one.
void ApplyFilterBoxes(const TEventFilterBoxes& boxes, TEventFilter& filter);
// False when a group has no box ticked: the dialog then says kInvalidFilterMessage.
bool FilterBoxesValid(const TEventFilterBoxes& boxes);
inline constexpr const char* kInvalidFilterMessage = "Invalid filter selection.";

// A limit as its edit shows it ("%3.2f").
std::string FilterLimitText(float limit);
