// Offset and size rules of the fixed-record data files.
#include "survey/data_layout.h"

#include "platform/little_endian.h"
#include "survey/records.h"
#include "survey/text_tables.h"

namespace {
int PercentilePairs(std::uint16_t flags)
{
    return ((flags & FlagPercentile90) ? 1 : 0) + ((flags & FlagPercentile95) ? 1 : 0) +
           ((flags & FlagPercentile99) ? 1 : 0);
}

// Channel code, minimum/average/maximum and percentile pairs: the part before a curve block.
std::size_t ValuesPartSize(std::uint16_t flags)
{
    return ((flags & FlagMinAvgMax) ? 14 : 2) + 8 * static_cast<std::size_t>(PercentilePairs(flags));
}
}  // namespace

std::optional<std::size_t> PhaseValueOffset(std::uint16_t flags, TrendValue value)
{
    switch (value) {
    case TrendValue::Minimum:
    case TrendValue::Average:
    case TrendValue::Maximum:
        if (!(flags & FlagMinAvgMax)) return std::nullopt;
        return 2 + 4 * static_cast<std::size_t>(static_cast<int>(value));
    default: break;
    }
    const int index = static_cast<int>(value) - static_cast<int>(TrendValue::Min90);
    const std::uint16_t wanted[] = {FlagPercentile90, FlagPercentile95, FlagPercentile99};
    const std::uint16_t pairFlag = TrendValueFlag(value);
    if (!(flags & pairFlag)) return std::nullopt;
    std::size_t at = (flags & FlagMinAvgMax) ? 14 : 2;
    for (std::uint16_t f : wanted) {
        if (f == pairFlag) break;
        if (flags & f) at += 8;
    }
    return at + 4 * static_cast<std::size_t>(index % 2);
}

std::vector<TrendValue> HeldTrendValues(std::uint16_t flags)
{
    std::vector<TrendValue> values;
    for (int v = 0; v < kTrendValueCount; ++v)
        if (flags & TrendValueFlag(static_cast<TrendValue>(v))) values.push_back(static_cast<TrendValue>(v));
    return values;
}

int CurveClasses(int measure)
{
    switch (measure) {
    case MeasureVoltage: return kVoltageCurveClasses;
    case MeasureFrequency: return kFrequencyCurveClasses;
    case MeasureUnbalance: return kUnbalanceCurveClasses;
    default: return 0;
    }
}

std::size_t TrendPhaseBlockSize(std::uint16_t flags, int curveClasses)
{
    return ValuesPartSize(flags) + ((flags & FlagDensityCurve) ? DensityCurveSize(curveClasses) : 0);
}

int TrendPhaseBlocks(int measure, bool threePhase) { return measure == MeasureVoltage ? PhaseCount(threePhase) : 1; }

std::size_t TrendRecordSize(int measure, std::uint16_t flags, bool threePhase)
{
    const int phases = TrendPhaseBlocks(measure, threePhase);
    return TrendHead::Size + static_cast<std::size_t>(phases) * TrendPhaseBlockSize(flags, CurveClasses(measure));
}

std::optional<std::size_t> TrendValueOffset(std::uint16_t flags, int curveClasses, int phase, TrendValue value)
{
    auto inPart = PhaseValueOffset(flags, value);
    if (!inPart || phase < 0 || phase > 2) return std::nullopt;
    return TrendHead::Size + static_cast<std::size_t>(phase) * TrendPhaseBlockSize(flags, curveClasses) + *inPart;
}

std::optional<std::size_t> TrendCurveOffset(std::uint16_t flags, int curveClasses, int phase)
{
    if (!(flags & FlagDensityCurve) || phase < 0 || phase > 2) return std::nullopt;
    return TrendHead::Size + static_cast<std::size_t>(phase) * TrendPhaseBlockSize(flags, curveClasses) +
           ValuesPartSize(flags);
}

std::size_t HarmonicPhaseSize(std::uint16_t flags, bool threePhase)
{
    const std::size_t part = ValuesPartSize(flags) + ((flags & FlagDensityCurve) ? DensityCurveSize(kHarmonicCurveClasses) : 0);
    return part * static_cast<std::size_t>(PhaseCount(threePhase));
}

std::size_t HarmonicBlockSize(std::uint16_t flags, bool threePhase)
{
    const std::size_t extra = (flags & FlagHarmonicExtra) ? 12 : 0;
    return HarmonicPhaseSize(flags, threePhase) + extra * static_cast<std::size_t>(PhaseCount(threePhase));
}

std::size_t CurrentHarmonicPhaseSize(std::uint16_t flags, bool threePhase)
{
    return ((flags & FlagMinAvgMax) ? 26u : 2u) * static_cast<std::size_t>(PhaseCount(threePhase));
}

std::size_t CurrentHarmonicBlockSize(std::uint16_t flags, bool threePhase)
{
    const std::size_t extra = (flags & FlagHarmonicExtra) ? 12 : 0;
    return CurrentHarmonicPhaseSize(flags, threePhase) + extra * static_cast<std::size_t>(PhaseCount(threePhase));
}

std::size_t HarmonicCurveOffset(std::uint16_t flags, int phase)
{
    const auto p = static_cast<std::size_t>(phase);
    return ValuesPartSize(flags) * (p + 1) + DensityCurveSize(kHarmonicCurveClasses) * p;
}

std::size_t HarmonicsRecordSize(std::span<const std::uint16_t> blockFlags, bool threePhase)
{
    std::size_t size = HarmonicsHead::Size;
    for (auto flags : blockFlags) size += 2 + HarmonicBlockSize(flags, threePhase);
    return size;
}

std::size_t CurrentHarmonicsRecordSize(std::span<const std::uint16_t> blockFlags, bool threePhase)
{
    std::size_t size = CurrentHarmonicsHead::Size;
    for (auto flags : blockFlags) size += 2 + CurrentHarmonicBlockSize(flags, threePhase);
    return size;
}

std::optional<std::vector<HarmonicBlockPlace>> HarmonicBlocks(std::span<const std::uint8_t> record, bool current)
{
    FieldView view(record);
    const std::size_t headSize = current ? CurrentHarmonicsHead::Size : HarmonicsHead::Size;
    const std::size_t wiringAt = current ? CurrentHarmonicsHead::Wiring : HarmonicsHead::Wiring;
    const std::size_t countAt = current ? CurrentHarmonicsHead::BlockCount : HarmonicsHead::BlockCount;
    const bool threePhase = IsThreePhaseWiring(view.U16(wiringAt));
    const int count = view.U16(countAt);
    if (!view.Need(0, headSize) || count > kMaxHarmonicBlocks) return std::nullopt;
    const int channelBase = current ? CurrentHarmonicChannel(0, 0) : VoltageHarmonicChannel(0, 0);
    std::vector<HarmonicBlockPlace> blocks;
    std::size_t at = headSize;
    for (int i = 0; i < count; ++i) {
        const std::uint16_t flags = view.U16(at);
        const std::size_t size = current ? CurrentHarmonicBlockSize(flags, threePhase) : HarmonicBlockSize(flags, threePhase);
        if (!view.Need(at + 2, size)) return std::nullopt;
        // Every phase part starts with its channel code, so the L1 code lies inside the block.
        const int channel = view.U16(at + 2) - channelBase;
        if (channel < 0 || channel >= kHarmonicChannels) return std::nullopt;
        blocks.push_back({at, flags, ChannelHarmonicOrder[static_cast<std::size_t>(channel)]});
        at += 2 + size;
    }
    return blocks;
}

const HarmonicBlockPlace* FindHarmonicBlock(std::span<const HarmonicBlockPlace> blocks, int order)
{
    for (const HarmonicBlockPlace& block : blocks)
        if (block.order == order) return &block;
    return nullptr;
}

std::optional<std::size_t> HarmonicBlockValueOffset(const HarmonicBlockPlace& block, int phase, TrendValue value)
{
    const std::optional<std::size_t> inPart = PhaseValueOffset(block.flags, value);
    if (!inPart || phase < 0) return std::nullopt;
    return block.start + 2 + static_cast<std::size_t>(phase) * HarmonicPhaseSize(block.flags, false) + *inPart;
}

std::optional<std::size_t> CurrentHarmonicBlockValueOffset(const HarmonicBlockPlace& block, int phase, int stat)
{
    // Per phase: the channel code, then percent and ampere of minimum, average, maximum.
    if (!(block.flags & FlagMinAvgMax) || phase < 0 || stat < 0 || stat > 2) return std::nullopt;
    return block.start + 2 + static_cast<std::size_t>(phase) * CurrentHarmonicPhaseSize(block.flags, false) + 2 +
           8 * static_cast<std::size_t>(stat);
}

bool FlickerUsesFullSet(std::uint16_t flags, std::uint8_t mode)
{
    return mode == 0 || (mode == 1 && (flags & FlickerFlagFullSet));
}

std::size_t FlickerPhaseStride(std::uint16_t flags, std::uint8_t mode)
{
    return (FlickerUsesFullSet(flags, mode) ? 32u : 8u) + ((flags & FlickerFlagCurve) ? 4u * kFlickerCurvePoints : 0u);
}

std::size_t FlickerRecordSize(std::uint16_t flags, std::uint8_t mode, bool threePhase)
{
    return FlickerHead::Size + static_cast<std::size_t>(PhaseCount(threePhase)) * FlickerPhaseStride(flags, mode);
}

std::optional<std::size_t> FlickerStatOffset(std::uint16_t flags, std::uint8_t mode, int phase, int stat)
{
    if (phase < 0 || phase > 2 || stat < 0 || stat > 7) return std::nullopt;
    std::size_t inPhase = 0;
    if (FlickerUsesFullSet(flags, mode)) inPhase = 4 * static_cast<std::size_t>(stat);
    else if (stat == 0) inPhase = 0;
    else if (stat == 7) inPhase = 4;
    else return std::nullopt;
    return FlickerHead::Size + static_cast<std::size_t>(phase) * FlickerPhaseStride(flags, mode) + inPhase;
}

std::optional<std::size_t> FlickerCurveOffset(std::uint16_t flags, std::uint8_t mode, int phase)
{
    if (!(flags & FlickerFlagCurve) || phase < 0 || phase > 2) return std::nullopt;
    return FlickerHead::Size + static_cast<std::size_t>(phase) * FlickerPhaseStride(flags, mode) +
           (FlickerUsesFullSet(flags, mode) ? 32 : 8);
}

std::optional<std::size_t> PowerGroupOffset(std::uint16_t flags, bool threePhase, std::uint16_t currentWiring,
                                            PowerGroup group)
{
    std::size_t at = PowerHead::Size + 2;  // two unread bytes first
    const std::uint16_t powerFlags[] = {FlagActivePower, FlagReactivePower, FlagApparentPower};
    for (int i = 0; i < 3; ++i) {
        if (static_cast<int>(group) == i) return (flags & powerFlags[i]) ? std::optional(at) : std::nullopt;
        if (flags & powerFlags[i]) at += 12;
    }
    if (!(flags & FlagCurrents)) return std::nullopt;
    switch (group) {
    case PowerGroup::CurrentL1: return at;
    case PowerGroup::CurrentL2: return threePhase ? std::optional(at + 14) : std::nullopt;
    case PowerGroup::CurrentL3: return threePhase && currentWiring != 1 ? std::optional(at + 28) : std::nullopt;
    default: return std::nullopt;
    }
}

std::size_t PowerRecordSize(std::uint16_t flags, bool threePhase, std::uint16_t currentWiring)
{
    for (PowerGroup g : {PowerGroup::CurrentL3, PowerGroup::CurrentL2, PowerGroup::CurrentL1, PowerGroup::Apparent,
                         PowerGroup::Reactive, PowerGroup::Active}) {
        if (auto at = PowerGroupOffset(flags, threePhase, currentWiring, g)) return *at + 12;
    }
    return PowerHead::Size + 2;
}

std::size_t EnergyRecordSize(std::uint16_t perPhaseWord)
{
    return perPhaseWord == 0 ? EnergyField::SizeWithPhases : EnergyField::Size;
}

int ChannelPhase(int code)
{
    if (code >= 0 && code <= 2) return code;
    if (code == 3 || code == 4) return 0;
    if (code >= 5 && code <= 7) return code - 5;
    if (code == 8) return 3;
    if (code >= 10 && code <= 149) return (code - 10) % 3;
    if (code >= 150 && code <= 152) return 0;
    if (code >= 153 && code <= 155) return code - 153;
    if (code >= 200 && code <= 287) return (code - 200) % 3;
    return 0;
}

int ChannelClass(int code)
{
    if ((code >= 0 && code <= 2) || code == 8) return ClassVoltage;
    if (code == 3) return ClassFrequency;
    if (code == 4) return ClassUnbalance;
    if (code >= 10 && code <= 149) return ClassVoltageHarmonic;
    if (code >= 5 && code <= 7) return ClassFlicker;
    if (code == 150) return ClassActivePower;
    if (code == 151) return ClassReactivePower;
    if (code == 152) return ClassApparentPower;
    if (code >= 153 && code <= 155) return ClassCurrent;
    if (code >= 200 && code <= 281) return ClassCurrentHarmonic;
    return ClassOther;
}

std::size_t MinimumRecordSize(int measure)
{
    switch (measure) {
    case MeasureFlicker: return FlickerHead::Size;
    case MeasureEvents: return EventField::Size;
    case MeasureCurrentHarmonics: return CurrentHarmonicsHead::Size + 2;  // the period word at +10
    default: return TrendHead::Size;
    }
}

std::uint32_t TDataFileHeader::RecordSize() const
{
    if (RecordCount == 0 || EndOffset < kDataFileHeaderSize) return 0;
    return (EndOffset - static_cast<std::uint32_t>(kDataFileHeaderSize)) / RecordCount;
}

std::optional<TDataFileHeader> LoadDataFileHeader(std::span<const std::uint8_t> bytes)
{
    ByteReader in(bytes);
    TDataFileHeader header;
    header.EndOffset = in.U32();
    header.RecordCount = in.U32();
    if (!in.Ok()) return std::nullopt;
    return header;
}

void StoreDataFileHeader(std::uint8_t* p, const TDataFileHeader& header)
{
    StoreU32(p, header.EndOffset);
    StoreU32(p + 4, header.RecordCount);
}

DataFileFault CheckDataFileHeader(const TDataFileHeader& header, std::uint64_t fileSize, std::size_t minRecordSize)
{
    if (fileSize < kDataFileHeaderSize) return DataFileFault::Unreadable;
    if (header.RecordCount == 0) return DataFileFault::NoRecords;
    const std::uint64_t size = header.RecordSize();
    if (header.EndOffset < kDataFileHeaderSize ||
        kDataFileHeaderSize + size * header.RecordCount != header.EndOffset)
        return DataFileFault::Inconsistent;
    if (header.EndOffset > fileSize) return DataFileFault::BeyondFile;
    if (size < minRecordSize) return DataFileFault::RecordTooSmall;
    return DataFileFault::None;
}
