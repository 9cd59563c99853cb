// The results of a survey summary (1452 bytes packed, stored whole in "summary.tmp"): per phase
// the lowest, highest and percentile values of each measure, and the events counted per summary
// category. The engine fills them, the report reads them back. Entries of phases, orders and
// measures that were not computed stay 0.
#pragma once

#include <array>
#include <cstdint>

#include "platform/little_endian.h"

constexpr int kSummaryPhases = 3;
// Voltage-harmonic orders summarised: 0 THD, 1 the fundamental, 2..25.
constexpr int kSummaryHarmonicOrders = 26;
constexpr int kSummaryEventCategories = 9;

// The summary's event categories, in the order of the event maxima of the limits record; the
// analysis numbers the same kinds differently.
enum TSummaryEventCategory : int {
    SummaryRapidChanges = 0,
    SummaryOverVoltages = 1,
    SummaryUnderVoltages = 2,
    SummaryOverFrequencies = 3,
    SummaryUnderFrequencies = 4,
    SummaryOverUnbalance = 5,
    SummaryOverHarmonics = 6,
    SummaryOverFlicker = 7,
    SummaryInterruptions = 8,
};

using TPhaseFloats = std::array<float, kSummaryPhases>;           // L1, L2, L3
using TPhaseCounts32 = std::array<std::int32_t, kSummaryPhases>;  // L1, L2, L3

struct TSummaryResults {
    static constexpr std::size_t kPackedSize = 1452;

    // Voltage and frequency as percent deviation from the nominal; the others as recorded.
    TPhaseFloats VoltageMin{}, VoltageMax{}, VoltageLowPct{}, VoltageHighPct{};
    float FrequencyMin = 0, FrequencyMax = 0, FrequencyLowPct = 0, FrequencyHighPct = 0;
    float UnbalanceMax = 0, UnbalanceHighPct = 0;
    std::array<TPhaseFloats, kSummaryHarmonicOrders> HarmonicMin{}, HarmonicMax{}, HarmonicLowPct{}, HarmonicHighPct{};
    TPhaseFloats FlickerMax{}, FlickerHighPct{};  // Plt
    std::array<TPhaseCounts32, kSummaryEventCategories> EventCounts{};  // [category][phase]

    void Pack(ByteWriter& out) const;
    static TSummaryResults Unpack(ByteReader& in);
    bool operator==(const TSummaryResults&) const = default;
};
