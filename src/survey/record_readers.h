// The record readers: trend readers fill a view's TTraceSettings from one record, phase-value
// readers fill the engines' TPhaseValues / THarmonicPhaseValues, and the offset rules set where
// those values lie from a record's content flags.
//
// Each reader has two forms: on a record's bytes (what a RecordBlockReader hands out, the fast
// road for whole windows) and on an open data file at a byte position (one record read). A
// reader fails, leaving the time as it was, when the stamp does not decode ("Invalid Date" /
// "Invalid Time" shown unless showFault is false) or a value offset lies outside the record.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/little_endian.h"
#include "survey/data_file.h"
#include "survey/records.h"
#include "survey/trace_records.h"

using RecordBytes = std::span<const std::uint8_t>;

namespace record_reading {
// Shows the message of a stamp that did not decode; out of line, off the hot path.
void ShowRecordStampFault(const StampLayout& layout, RecordBytes record);

// Values of the active entries, all or nothing: no entry changes unless every offset is inside.
// Raw loads after the offset check, not FieldView: this is the hot record path, and a view of a
// year of records spends most of its time here.
inline bool ReadEntryValues(RecordBytes record, TTraceSettings& S, float scale)
{
    std::array<float, kTraceCount> values{};
    unsigned active = 0;  // bit k: entry k is read
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        const TTraceEntry& e = S.Entries[k];
        if (e.Item <= 0) continue;
        if (e.Offset < 0 || static_cast<std::size_t>(e.Offset) + 4 > record.size()) return false;
        values[k] = LoadF32(record.data() + e.Offset) * scale;
        active |= 1u << k;
    }
    for (; active != 0; active &= active - 1) {
        const auto k = static_cast<std::size_t>(std::countr_zero(active));
        S.Entries[k].Value = values[k];
    }
    return true;
}

// The record's time into T (untouched on failure); false without a layout or when the stamp does
// not decode, its message shown when showFault.
[[gnu::always_inline]] inline bool DecodeRecordTime(const StampLayout* layout, RecordBytes record, TDateTime& T,
                                                    bool showFault)
{
    if (!layout) return false;
    if (RecordStampTime(*layout, record, T)) return true;
    if (showFault) ShowRecordStampFault(*layout, record);
    return false;
}

[[gnu::always_inline]] inline bool ReadTrendWith(const StampLayout* layout, RecordBytes record, TTraceSettings& S, float scale,
                                                 bool showFault)
{
    TDateTime t = 0;
    if (!DecodeRecordTime(layout, record, t, showFault) || !ReadEntryValues(record, S, scale)) return false;
    S.RecordTime = t;
    return true;
}
}  // namespace record_reading

// Inline, as every record of a view's window passes through them (ReadTrendRecord always).
// Voltage, frequency, unbalance, voltage-harmonics and powers records (measure says which).
[[gnu::always_inline]] inline bool ReadTrendRecord(int measure, RecordBytes record, TTraceSettings& S,
                                                   bool showFault = true)
{
    const StampLayout* layout = StampLayoutOf(measure);
    // The 18-byte heads (voltage, frequency, unbalance, powers) get a copy with their offsets
    // folded in: a view of a year of records spends most of its time here.
    if (layout == &stamp_layouts::WithSeconds)
        return record_reading::ReadTrendWith(&stamp_layouts::WithSeconds, record, S, 1.0f, showFault);
    return record_reading::ReadTrendWith(layout, record, S, 1.0f, showFault);
}
inline bool ReadFlickerTrendRecord(RecordBytes record, TTraceSettings& S, bool showFault = true)
{
    return record_reading::ReadTrendWith(&stamp_layouts::Flicker, record, S, 1.0f, showFault);
}
// kWh, kVArh, kVAh are read as Wh, VArh, VAh (x 1000).
inline bool ReadEnergyTrendRecord(RecordBytes record, TTraceSettings& S, bool showFault = true)
{
    return record_reading::ReadTrendWith(StampLayoutOf(MeasureEnergy), record, S, 1000.0f, showFault);
}
// Reads percent and ampere at each active entry's offset into Pairs; Value is not written.
bool ReadCurrentHarmonicsTrendRecord(RecordBytes record, TTraceSettings& S, TCurrentHarmonicPairs& Pairs,
                                     bool showFault = true);

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
