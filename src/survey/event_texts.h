// The texts and the colour of one events-file record as a sheet row: date, measure, type, unit,
// threshold, peak and duration. The events list and the events export share these rules; the
// export states its own differences (its threshold text, its filter).
#pragma once

#include "platform/date_time.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The fields the rules read, with the current-harmonic variant already applied: for channels
// 200 to 299 (type not 32) the threshold field holds two words, threshold x 100 and current x 10.
struct TEventFields {
    std::int16_t Type = 0;     // M
    std::int16_t Channel = 0;  // T
    float Threshold = 0;
    float Current = 0;         // ampere; current-harmonic variant only
    float Peak = 0;
    std::int32_t Duration = 0; // hundredths of a second
    bool operator==(const TEventFields&) const = default;
};

// The threshold field's 4 bytes are read both ways; which one counts depends on type and channel.
struct TEventRawFields {
    std::int16_t Type = 0;
    float Threshold = 0;           // the field as a float
    std::int16_t ThresholdWord = 0;  // the field's first word (threshold x 100)
    std::int16_t CurrentWord = 0;    // its second word (current x 10)
    std::int32_t Duration = 0;
    float Peak = 0;
    std::int16_t Channel = 0;
};
bool IsCurrentHarmonicVariant(std::int16_t type, std::int16_t channel);
TEventFields EventFields(const TEventRawFields& raw);
// The fields of a 24-byte record (nothing when it is shorter).
std::optional<TEventFields> EventFieldsOf(std::span<const std::uint8_t> record);

// Channels 300 to 799 and types 5, 11, 12 and 13 never become rows.
bool EventHasRow(const TEventFields& e);
// An under-voltage of L1 to L3 whose peak stays at or below 1 % of threshold / 0.9 is an
// interruption (type 7); applied before filtering and texts.
void ApplyInterruptionRule(TEventFields& e);

// Short date, " hh:mm:ss", then the hundredths as ".%02d" (they entered the time as milliseconds).
std::string EventDateText(TDateTime time);
// The time alone: "hh:mm:ss" and the hundredths (events and waveform records).
std::string EventTimeText(TDateTime time);
std::string EventMeasureText(const TEventFields& e);
std::string EventTypeText(const TEventFields& e);
std::string EventUnitText(const TEventFields& e);
// Engineering notation (k, M), as the events list shows it.
std::string EventThresholdText(const TEventFields& e);
std::string EventPeakText(const TEventFields& e);
// Seconds with two decimals; "0" for type 32.
std::string EventDurationText(const TEventFields& e);
// A text that is a plain number with fixed decimals, for a sheet that takes the number itself.
struct TFixedNumber {
    double Value = 0;
    int Decimals = 0;
};
// The peak's text as that number; nothing when it carries the current as well.
std::optional<TFixedNumber> EventPeakNumber(const TEventFields& e);
TFixedNumber EventDurationNumber(const TEventFields& e);
// Index into Palette16 of the row's colour.
int EventColourClass(const TEventFields& e);
std::uint32_t EventColour(const TEventFields& e);

// The tables, indexed as their comments say; an index outside a table gives an empty text.
extern const std::array<std::string_view, 14> EventTypeNames;      // M = 1..13 (0 unused)
extern const std::array<std::string_view, 14> EventMeasureNames;   // T = 0..13
extern const std::array<std::string_view, 12> EventUnitNames;      // unit class 1..11 (0 unused)
extern const std::array<std::string_view, 16> DigitalInputNames;   // T - 800
extern const std::array<std::string_view, 4> TransitionNames;      // M - 24
extern const std::array<std::string_view, 9> PeakVoltageNames;     // T - 150
extern const std::array<std::string_view, 6> PeakCurrentNames;     // T - 153
extern const std::array<std::string_view, 6> PowerEventNames;      // T - 150
extern const std::array<std::string_view, 4> MultiPhaseLineNames;  // bit 0..3 of T - 1000
extern const std::array<std::string_view, 2> UnderSubtypeNames;

// Event types and channel codes the rules name.
namespace event_codes {
constexpr std::int16_t Over = 1, Under = 2, UnderOther = 3, FastVariation = 4, FastVariationVoltage = 5,
                       Interruption = 7, DummyDips = 11, UnderUndefined = 12, PeakEvent = 13, SystemEvent = 16,
                       TransitionFirst = 24, TransitionLast = 27, SpecialUnder = 32, VoltagePeak = 33,
                       CurrentPeak = 34;
constexpr int DigitalInputFirst = 800, DigitalInputLast = 815, MultiPhaseBase = 1000;
}  // namespace event_codes
