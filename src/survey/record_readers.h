// The record readers: trend readers fill a view's TTraceSettings from one record, phase-value
// readers fill the engines' TPhaseValues / THarmonicPhaseValues, and the offset rules set where
// those values lie from a record's content flags.
//
// Each reader has two forms: on a record's bytes (what a RecordBlockReader hands out, the fast
// road for whole windows) and on an open data file at a byte position (one record read). A
// reader fails, leaving the time as it was, when the stamp does not decode ("Invalid Date" /
// "Invalid Time" shown unless showFault is false) or a value offset lies outside the record.
#pragma once

#include <cstdint>
#include <span>

#include "survey/data_file.h"
#include "survey/trace_records.h"

using RecordBytes = std::span<const std::uint8_t>;

// Voltage, frequency, unbalance, voltage-harmonics and powers records (measure says which).
bool ReadTrendRecord(int measure, RecordBytes record, TTraceSettings& S, bool showFault = true);
bool ReadFlickerTrendRecord(RecordBytes record, TTraceSettings& S, bool showFault = true);
// Reads percent and ampere at each active entry's offset into Pairs; Value is not written.
bool ReadCurrentHarmonicsTrendRecord(RecordBytes record, TTraceSettings& S, TCurrentHarmonicPairs& Pairs,
                                     bool showFault = true);
// kWh, kVArh, kVAh are read as Wh, VArh, VAh (x 1000).
bool ReadEnergyTrendRecord(RecordBytes record, TTraceSettings& S, bool showFault = true);

bool ReadTrendRecord(TDataFile& F, std::int64_t Position, TTraceSettings& S);
bool ReadFlickerTrendRecord(TDataFile& F, std::int64_t Position, TTraceSettings& S);
bool ReadCurrentHarmonicsTrendRecord(TDataFile& F, std::int64_t Position, TTraceSettings& S,
                                     TCurrentHarmonicPairs& Pairs);
bool ReadEnergyTrendRecord(TDataFile& F, std::int64_t Position, TTraceSettings& S);

// Voltage, frequency, unbalance (and powers) records of `measure`.
bool ReadPhaseValues(int measure, RecordBytes record, TPhaseValues& V, bool showFault = true);
bool ReadFlickerPhaseValues(RecordBytes record, TPhaseValues& V, bool showFault = true);
bool ReadHarmonicPhaseValues(RecordBytes record, THarmonicPhaseValues& V, bool showFault = true);
bool ReadPhaseValues(TDataFile& F, std::int64_t Position, TPhaseValues& V);
bool ReadFlickerPhaseValues(TDataFile& F, std::int64_t Position, TPhaseValues& V);
bool ReadHarmonicPhaseValues(TDataFile& F, std::int64_t Position, THarmonicPhaseValues& V);

// Averages of the voltage layout (L1 at +24); false without flag 2.
bool SetPhaseOffsets(std::uint16_t Flags, TPhaseValues& V);
// Plt of each phase (L1 at +53 with the full set, +29 with the short set).
void SetFlickerPhaseOffsets(std::uint16_t Flags, std::uint8_t Mode, TPhaseValues& V);
// Averages of each harmonic block; false when a block lacks flag 2 or V.BlockCount is outside
// 0..kMaxHarmonicBlocks or beyond the flags given.
bool SetHarmonicPhaseOffsets(std::span<const std::uint16_t> Flags, THarmonicPhaseValues& V);
