// The one classification of recorded events into the nine kinds that the compliance analysis
// and the survey summary count, and the two numberings of those kinds: the analysis's
// categories (report files, AnalysisEventCategoryNames) and the summary's (summary.tmp, in the
// order of the event maxima of the limits record). Used by the analysis and summary engines.
#pragma once

#include <cstdint>
#include <optional>

#include "analysis/limits_record.h"

// In the analysis's category order, so a kind's analysis category is its value.
enum class TEventKind : std::uint8_t {
    OverVoltage,
    UnderVoltage,
    FastVariation,
    OverFrequency,
    UnderFrequency,
    OverUnbalance,
    OverHarmonic,
    OverFlicker,
    Interruption,
};
constexpr int kEventKinds = 9;

struct TEventClass {
    TEventKind Kind = TEventKind::OverVoltage;
    int Phase = 0;  // 0 to 2, ChannelPhase of the channel code
};

// The kind and phase of one event record (type, threshold, peak and channel code as stored), or
// nothing for an event neither engine counts: system events (type 16), L4 voltage (code 8),
// powers, currents, current harmonics and digital inputs (codes from 150 on), voltage events of
// types 8 and above or of types without a kind (0, 6), and frequency events other than over (1)
// and under (2). A voltage dip (type 2 or 3) whose peak is at most 1/90 of its threshold is an
// interruption.
std::optional<TEventClass> ClassifyEvent(int type, float threshold, float peak, int channel);

// The analysis's category 0 to 8 of a kind (AnalysisEventCategoryNames order).
constexpr int EventCategory(TEventKind kind) { return static_cast<int>(kind); }
// The summary's category 0 to 8: rapid changes, over-voltages, under-voltages, then as the analysis.
int SummaryEventCategory(TEventKind kind);

// The most events of an analysis category (0 to 8) a window may hold: VOver, VUnder, VRapid,
// HzOver, HzUnder, UnbOver, HOver, FlkOver, VDepth.
std::int16_t EventCategoryMaximum(const TLimitsRecord& limits, int category);
