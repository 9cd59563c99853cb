// The records the data-access readers fill: a view's trace choice (TTraceSettings with six
// TTraceEntry), the engines' per-phase value sets (TPhaseValues, THarmonicPhaseValues) and the
// six caption lines a view keeps for printing (TInfoPrintVal).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "survey/data_layout.h"
#include "platform/date_time.h"

constexpr int kTraceCount = 6;

struct TTraceEntry {
    std::int32_t Item = 0;       // the statistic's index in the traces dialog's list; 0 = off
    std::int32_t Offset = 0;     // byte offset of the value inside a record
    std::int32_t Extra = 0;      // harmonic block or unit kind
    std::int32_t Phase = 0;
    std::uint32_t Colour = 0;
    std::int32_t AxisIndex = 1;  // 1 left Y axis, 2 second Y axis
    float Value = 0;             // value last read
    bool operator==(const TTraceEntry&) const = default;
};

struct TTraceSettings {
    TDateTime RecordTime = 0;  // time of the record last read
    bool Axis1Shown = true;
    bool Axis1Auto = true;
    float Axis1Min = 0;
    float Axis1Max = 0;
    bool Axis2Shown = false;
    bool Axis2Auto = true;
    float Axis2Min = 0;
    float Axis2Max = 0;
    std::array<TTraceEntry, kTraceCount> Entries{};  // Entries[k-1] is trace k
    bool operator==(const TTraceSettings&) const = default;
};

// Percent and ampere of a current-harmonic trace, read together.
struct TCurrentHarmonicPair {
    float Percent = 0;
    float Ampere = 0;
};
using TCurrentHarmonicPairs = std::array<TCurrentHarmonicPair, kTraceCount>;

struct TPhaseValues {
    TDateTime Time = 0;
    bool ThreePhase = false;
    std::int32_t OffsetL1 = 0, OffsetL2 = 0, OffsetL3 = 0;
    float ValueL1 = 0, ValueL2 = 0, ValueL3 = 0;
};

constexpr int kHarmonicOrderSlots = 53;

struct THarmonicBlockValues {
    std::int32_t OffsetL1 = 0, OffsetL2 = 0, OffsetL3 = 0;
    float ValueL1 = 0, ValueL2 = 0, ValueL3 = 0;
};

struct THarmonicPhaseValues {
    TDateTime Time = 0;
    bool ThreePhase = false;
    std::int16_t BlockCount = 0;  // 0 to kMaxHarmonicBlocks
    std::array<std::uint16_t, kHarmonicOrderSlots> Orders{};  // harmonic order of each block
    std::array<THarmonicBlockValues, kMaxHarmonicBlocks> Blocks{};
};

struct TInfoPrintVal {
    std::string DescriptionLine;
    std::string SiteLine;
    std::string OperatorLine;
    std::string StartLine;
    std::string StopLine;
    std::string RecordsLine;
};
