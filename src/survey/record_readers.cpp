// Record readers over whole records.
#include "survey/record_readers.h"

#include "platform/little_endian.h"
#include "survey/records.h"

using record_reading::DecodeRecordTime;

namespace {
// A raw load after the offset check, like ReadEntryValues: the engines read every record of an
// interval through here.
bool FloatAt(RecordBytes record, std::int64_t offset, float& value)
{
    if (offset < 0 || static_cast<std::uint64_t>(offset) + 4 > record.size()) return false;
    value = LoadF32(&record[static_cast<std::size_t>(offset)]);
    return true;
}

bool ReadThreePhase(RecordBytes record, TPhaseValues& V, TDateTime t)
{
    float l1 = 0, l2 = 0, l3 = 0;
    if (!FloatAt(record, V.OffsetL1, l1)) return false;
    if (V.ThreePhase && (!FloatAt(record, V.OffsetL2, l2) || !FloatAt(record, V.OffsetL3, l3))) return false;
    V.Time = t;
    V.ValueL1 = l1;
    if (V.ThreePhase) {
        V.ValueL2 = l2;
        V.ValueL3 = l3;
    }
    return true;
}

bool ReadPhaseWith(const StampLayout* layout, RecordBytes record, TPhaseValues& V, bool showFault)
{
    TDateTime t = V.Time;
    return DecodeRecordTime(layout, record, t, showFault) && ReadThreePhase(record, V, t);
}

template <typename Reader>
bool WithRecord(TDataFile& F, std::int64_t Position, Reader reader)
{
    Bytes record;
    if (Position < 0 || !F.ReadRecord(static_cast<std::uint64_t>(Position), record)) return false;
    return reader(RecordBytes(record));
}
}  // namespace

void record_reading::ShowRecordStampFault(const StampLayout& layout, RecordBytes record)
{
    StampFault fault = StampFault::None;
    if (!RecordTime(layout, record, &fault)) ShowStampFault(fault);
}

bool ReadCurrentHarmonicsTrendRecord(RecordBytes record, TTraceSettings& S, TCurrentHarmonicPairs& Pairs, bool showFault)
{
    TDateTime t = S.RecordTime;
    if (!DecodeRecordTime(StampLayoutOf(MeasureCurrentHarmonics), record, t, showFault)) return false;
    TCurrentHarmonicPairs pairs = Pairs;
    for (int k = 0; k < kTraceCount; ++k) {
        const auto& e = S.Entries[static_cast<std::size_t>(k)];
        auto& pair = pairs[static_cast<std::size_t>(k)];
        if (e.Item > 0 && (!FloatAt(record, e.Offset, pair.Percent) || !FloatAt(record, std::int64_t(e.Offset) + 4, pair.Ampere)))
            return false;
    }
    Pairs = pairs;
    S.RecordTime = t;
    return true;
}

bool ReadTrendRecord(TDataFile& F, std::int64_t Position, TTraceSettings& S)
{
    return WithRecord(F, Position, [&](RecordBytes r) { return ReadTrendRecord(F.Measure(), r, S); });
}

bool ReadFlickerTrendRecord(TDataFile& F, std::int64_t Position, TTraceSettings& S)
{
    return WithRecord(F, Position, [&](RecordBytes r) { return ReadFlickerTrendRecord(r, S); });
}

bool ReadCurrentHarmonicsTrendRecord(TDataFile& F, std::int64_t Position, TTraceSettings& S, TCurrentHarmonicPairs& Pairs)
{
    return WithRecord(F, Position, [&](RecordBytes r) { return ReadCurrentHarmonicsTrendRecord(r, S, Pairs); });
}

bool ReadEnergyTrendRecord(TDataFile& F, std::int64_t Position, TTraceSettings& S)
{
    return WithRecord(F, Position, [&](RecordBytes r) { return ReadEnergyTrendRecord(r, S); });
}

bool ReadPhaseValues(int measure, RecordBytes record, TPhaseValues& V, bool showFault)
{
    return ReadPhaseWith(StampLayoutOf(measure), record, V, showFault);
}

bool ReadFlickerPhaseValues(RecordBytes record, TPhaseValues& V, bool showFault)
{
    return ReadPhaseWith(StampLayoutOf(MeasureFlicker), record, V, showFault);
}

bool ReadHarmonicPhaseValues(RecordBytes record, THarmonicPhaseValues& V, bool showFault)
{
    if (V.BlockCount < 0 || V.BlockCount > kMaxHarmonicBlocks) return false;
    TDateTime t = V.Time;
    if (!DecodeRecordTime(StampLayoutOf(MeasureVoltageHarmonics), record, t, showFault)) return false;
    std::array<THarmonicBlockValues, kMaxHarmonicBlocks> blocks = V.Blocks;
    for (int i = 0; i < V.BlockCount; ++i) {
        TPhaseValues phase{t, V.ThreePhase, blocks[static_cast<std::size_t>(i)].OffsetL1,
                           blocks[static_cast<std::size_t>(i)].OffsetL2, blocks[static_cast<std::size_t>(i)].OffsetL3};
        if (!ReadThreePhase(record, phase, t)) return false;
        auto& b = blocks[static_cast<std::size_t>(i)];
        b.ValueL1 = phase.ValueL1;
        if (V.ThreePhase) {
            b.ValueL2 = phase.ValueL2;
            b.ValueL3 = phase.ValueL3;
        }
    }
    V.Blocks = blocks;
    V.Time = t;
    return true;
}

bool ReadPhaseValues(TDataFile& F, std::int64_t Position, TPhaseValues& V)
{
    return WithRecord(F, Position, [&](RecordBytes r) { return ReadPhaseValues(F.Measure(), r, V); });
}

bool ReadFlickerPhaseValues(TDataFile& F, std::int64_t Position, TPhaseValues& V)
{
    return WithRecord(F, Position, [&](RecordBytes r) { return ReadFlickerPhaseValues(r, V); });
}

bool ReadHarmonicPhaseValues(TDataFile& F, std::int64_t Position, THarmonicPhaseValues& V)
{
    return WithRecord(F, Position, [&](RecordBytes r) { return ReadHarmonicPhaseValues(r, V); });
}

bool SetPhaseOffsets(std::uint16_t Flags, TPhaseValues& V)
{
    if (!(Flags & FlagMinAvgMax)) return false;
    auto at = [Flags](int phase) {
        return static_cast<std::int32_t>(*TrendValueOffset(Flags, kVoltageCurveClasses, phase, TrendValue::Average));
    };
    V.OffsetL1 = at(0);
    if (V.ThreePhase) {
        V.OffsetL2 = at(1);
        V.OffsetL3 = at(2);
    }
    return true;
}

void SetFlickerPhaseOffsets(std::uint16_t Flags, std::uint8_t Mode, TPhaseValues& V)
{
    constexpr int kPlt = 7;
    auto at = [&](int phase) { return static_cast<std::int32_t>(*FlickerStatOffset(Flags, Mode, phase, kPlt)); };
    V.OffsetL1 = at(0);
    if (V.ThreePhase) {
        V.OffsetL2 = at(1);
        V.OffsetL3 = at(2);
    }
}

bool SetHarmonicPhaseOffsets(std::span<const std::uint16_t> Flags, THarmonicPhaseValues& V)
{
    if (V.BlockCount < 0 || V.BlockCount > kMaxHarmonicBlocks || static_cast<std::size_t>(V.BlockCount) > Flags.size())
        return false;
    // The first block's L1 average: block at +16, flags word, channel code, minimum.
    std::int64_t pos = HarmonicsHead::Size + 8;
    for (int i = 0; i < V.BlockCount; ++i) {
        const std::uint16_t flags = Flags[static_cast<std::size_t>(i)];
        if (!(flags & FlagMinAvgMax)) return false;
        auto& b = V.Blocks[static_cast<std::size_t>(i)];
        b.OffsetL1 = static_cast<std::int32_t>(pos);
        if (V.ThreePhase) {
            const auto stride = static_cast<std::int64_t>(HarmonicPhaseSize(flags, true) / 3);
            b.OffsetL2 = static_cast<std::int32_t>(pos + stride);
            b.OffsetL3 = static_cast<std::int32_t>(pos + 2 * stride);
        }
        pos += 2 + static_cast<std::int64_t>(HarmonicBlockSize(flags, V.ThreePhase));
    }
    return true;
}
