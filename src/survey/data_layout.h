// The layouts of the fixed-record survey data files (.vme .hze .une .hme .fle .ale .wme .hmi .ene):
// head fields, content flags, block and record sizes, value offsets, channel codes and wiring,
// and the one check of a data file's 8-byte header. Offsets are bytes from a record's start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "survey/stamps.h"

constexpr std::size_t kDataFileHeaderSize = 8;

// Content flags of trend phase blocks and harmonic blocks.
constexpr std::uint16_t FlagMinAvgMax = 2;
constexpr std::uint16_t FlagPercentile90 = 4;
constexpr std::uint16_t FlagPercentile95 = 8;
constexpr std::uint16_t FlagPercentile99 = 16;
constexpr std::uint16_t FlagDensityCurve = 32;
constexpr std::uint16_t FlagHarmonicExtra = 0x100;  // 12 unread bytes per phase after the phase parts

// Content flags of powers-and-currents records.
constexpr std::uint16_t FlagActivePower = 2;
constexpr std::uint16_t FlagReactivePower = 4;
constexpr std::uint16_t FlagApparentPower = 8;
constexpr std::uint16_t FlagCurrents = 16;

// Flicker flags.
constexpr std::uint16_t FlickerFlagCurve = 1;    // each phase carries a 4096-byte CPF curve
constexpr std::uint16_t FlickerFlagFullSet = 2;  // full statistics set in mode 1

// A wiring word of 0 is three-phase; anything else single-phase.
constexpr bool IsThreePhaseWiring(std::uint16_t wiring) { return wiring == 0; }
constexpr int PhaseCount(bool threePhase) { return threePhase ? 3 : 1; }

// The 18-byte head of voltage, frequency and unbalance records.
namespace TrendHead {
constexpr std::size_t Date = 0, Time = 4, Nominal = 6, Wiring = 10, SecondsWord = 12, Period = 14, Flags = 16;
constexpr std::size_t Size = 18;
}  // namespace TrendHead

namespace HarmonicsHead {
constexpr std::size_t Date = 0, Time = 4, Nominal = 6, Wiring = 10, BlockCount = 12, Period = 14;
constexpr std::size_t Size = 16;
}  // namespace HarmonicsHead

namespace FlickerHead {
constexpr std::size_t Date = 4, Time = 8, Nominal = 10, Wiring = 14, Period = 16, Flags = 18, Mode = 21;
constexpr std::size_t Size = 25;
}  // namespace FlickerHead

namespace EventField {
constexpr std::size_t Type = 0, Threshold = 2, Time = 6, Date = 10, Duration = 14, Peak = 18, Channel = 22;
constexpr std::size_t Size = 24;
}  // namespace EventField

namespace PowerHead {
constexpr std::size_t Date = 0, Time = 4, Nominal = 6, Wiring = 10, CurrentWiring = 12, Period = 14, Flags = 16;
constexpr std::size_t Size = 18;
}  // namespace PowerHead

namespace CurrentHarmonicsHead {
constexpr std::size_t Date = 0, Time = 4, Wiring = 6, BlockCount = 8, Period = 10;
constexpr std::size_t Size = 12;
}  // namespace CurrentHarmonicsHead

namespace EnergyField {
constexpr std::size_t Date = 0, Time = 4, PerPhase = 10, Period = 16, Totals = 18, PhaseEnergies = 62;
constexpr int TotalCount = 11, PhaseEnergyCount = 6;
constexpr std::size_t Size = 62, SizeWithPhases = 86;
}  // namespace EnergyField

// Harmonic blocks per record: the capacity of every per-block table.
constexpr int kMaxHarmonicBlocks = 51;

// Density-curve classes per file kind; a curve block is 2 unread bytes, the u32 sample total
// and N signed 32-bit class counts.
constexpr int kVoltageCurveClasses = 120;
constexpr int kFrequencyCurveClasses = 150;
constexpr int kUnbalanceCurveClasses = 100;
constexpr int kHarmonicCurveClasses = 50;
constexpr std::size_t DensityCurveSize(int classes) { return 6 + 4 * static_cast<std::size_t>(classes); }
constexpr std::size_t kCurveTotalAt = 2;   // inside a curve block
constexpr std::size_t kCurveCountsAt = 6;  // inside a curve block
// Curve classes of measures 1 to 3 (0 for the others).
int CurveClasses(int measure);

// Values of a trend phase block, in their stored order (TrendStatNames names them).
enum class TrendValue { Minimum, Average, Maximum, Min90, Max90, Min95, Max95, Min99, Max99 };
constexpr int kTrendValueCount = 9;
// The content flag of the group that holds a value.
constexpr std::uint16_t TrendValueFlag(TrendValue value)
{
    switch (value) {
    case TrendValue::Minimum: case TrendValue::Average: case TrendValue::Maximum: return FlagMinAvgMax;
    case TrendValue::Min90: case TrendValue::Max90: return FlagPercentile90;
    case TrendValue::Min95: case TrendValue::Max95: return FlagPercentile95;
    default: return FlagPercentile99;
    }
}
// The values a phase block or harmonic phase part with these content flags holds, in stored order.
std::vector<TrendValue> HeldTrendValues(std::uint16_t flags);

// Trend phase block: channel code, then the groups the flags name.
std::size_t TrendPhaseBlockSize(std::uint16_t flags, int curveClasses);
// Phase blocks in a record of measure 1, 2 or 3: one per phase in voltage files, one (L1)
// always in frequency and unbalance files.
int TrendPhaseBlocks(int measure, bool threePhase);
// Record size of measure 1, 2 or 3.
std::size_t TrendRecordSize(int measure, std::uint16_t flags, bool threePhase);
// Offset of a value in phase block `phase` (0 to 2), or nothing when the flags lack its group.
std::optional<std::size_t> TrendValueOffset(std::uint16_t flags, int curveClasses, int phase, TrendValue value);
// Offset of a value inside one phase block or harmonic phase part, from its channel code; nothing
// when the flags lack the value's group.
std::optional<std::size_t> PhaseValueOffset(std::uint16_t flags, TrendValue value);
// Offset of phase `phase`'s density-curve block, or nothing without flag 32.
std::optional<std::size_t> TrendCurveOffset(std::uint16_t flags, int curveClasses, int phase);

// Harmonic block sizes (bytes after a block's flags word).
std::size_t HarmonicBlockSize(std::uint16_t flags, bool threePhase);
std::size_t HarmonicPhaseSize(std::uint16_t flags, bool threePhase);
std::size_t CurrentHarmonicBlockSize(std::uint16_t flags, bool threePhase);
std::size_t CurrentHarmonicPhaseSize(std::uint16_t flags, bool threePhase);
// Offset of phase `phase`'s curve block after the flags word.
std::size_t HarmonicCurveOffset(std::uint16_t flags, int phase);
std::size_t HarmonicsRecordSize(std::span<const std::uint16_t> blockFlags, bool threePhase);
std::size_t CurrentHarmonicsRecordSize(std::span<const std::uint16_t> blockFlags, bool threePhase);

// A harmonic block found in a record: where its flags word lies, what it says, and the harmonic
// its L1 channel code names (ChannelHarmonicOrder): the order of a voltage block, 0 for THD; the
// index of a current block (0 THD, 1 DC, 2 the fundamental ...).
struct HarmonicBlockPlace {
    std::size_t start = 0;  // offset of the flags word
    std::uint16_t flags = 0;
    std::uint8_t order = 0;
};
// Walks the blocks of a voltage- or current-harmonics record (block count from its head); nothing
// when the count exceeds kMaxHarmonicBlocks, a block runs past the record or a block's L1 channel
// code lies outside the harmonic channels.
std::optional<std::vector<HarmonicBlockPlace>> HarmonicBlocks(std::span<const std::uint8_t> record, bool current);
// The first block of a harmonic order (voltage) or index (current); null when no block has it.
const HarmonicBlockPlace* FindHarmonicBlock(std::span<const HarmonicBlockPlace> blocks, int order);
// Offset in the record of a statistic of phase part `phase` of a voltage-harmonics block; nothing
// when the block's flags lack it. The phase parts follow the flags word one after the other, so
// `phase` must be one the record holds.
std::optional<std::size_t> HarmonicBlockValueOffset(const HarmonicBlockPlace& block, int phase, TrendValue value);
// Offset of the percent value of the minimum, average or maximum (`stat` 0 to 2) of phase part
// `phase` of a current-harmonics block; its ampere value lies 4 bytes on. Nothing without flag 2.
std::optional<std::size_t> CurrentHarmonicBlockValueOffset(const HarmonicBlockPlace& block, int phase, int stat);

// Flicker: the full set (8 statistics) in mode 0, or mode 1 with flag 2; else Pst and Plt only.
bool FlickerUsesFullSet(std::uint16_t flags, std::uint8_t mode);
std::size_t FlickerPhaseStride(std::uint16_t flags, std::uint8_t mode);
std::size_t FlickerRecordSize(std::uint16_t flags, std::uint8_t mode, bool threePhase);
// Offset of statistic `stat` (FlickerStatNames order) of a phase; nothing for a statistic the
// short set lacks.
std::optional<std::size_t> FlickerStatOffset(std::uint16_t flags, std::uint8_t mode, int phase, int stat);
std::optional<std::size_t> FlickerCurveOffset(std::uint16_t flags, std::uint8_t mode, int phase);
constexpr int kFlickerCurvePoints = 1024;

// Powers and currents: minimum, average, maximum (12 bytes) per group.
enum class PowerGroup { Active, Reactive, Apparent, CurrentL1, CurrentL2, CurrentL3 };
// Offset of a group's minimum, or nothing when it is absent.
std::optional<std::size_t> PowerGroupOffset(std::uint16_t flags, bool threePhase, std::uint16_t currentWiring,
                                            PowerGroup group);
std::size_t PowerRecordSize(std::uint16_t flags, bool threePhase, std::uint16_t currentWiring);

// Energy: per-phase word 0 means six per-phase energies follow the eleven totals.
std::size_t EnergyRecordSize(std::uint16_t perPhaseWord);

// Channel codes. Voltage harmonics 10 + 3 x order + phase, current harmonics 200 + 3 x index + phase.
constexpr int VoltageHarmonicChannel(int order, int phase) { return 10 + 3 * order + phase; }
constexpr int CurrentHarmonicChannel(int index, int phase) { return 200 + 3 * index + phase; }
// Phase 0 to 3 (3: three-phase) of a channel code.
int ChannelPhase(int code);
enum ChannelClassKind : int {
    ClassVoltage = 1, ClassFrequency, ClassUnbalance, ClassVoltageHarmonic, ClassFlicker, ClassActivePower,
    ClassReactivePower, ClassApparentPower, ClassCurrent, ClassCurrentHarmonic, ClassOther
};
// Unit class 1 to 11 of a channel code.
int ChannelClass(int code);

// Where a measure's records keep their time. Seconds are kept only by the 18-byte heads (the
// high byte of the word at +12); the events file keeps hundredths too.
struct StampLayout {
    std::size_t dateAt = 0;
    std::size_t timeAt = 0;
    bool extendedTime = false;      // TPackedTimeEx
    std::optional<std::size_t> secondsAt;  // byte holding the seconds
    std::size_t bytesNeeded = 0;    // bytes from the record start that hold the stamp
};
namespace stamp_layouts {
inline constexpr StampLayout WithSeconds{0, 4, false, TrendHead::SecondsWord + 1, TrendHead::Size};
inline constexpr StampLayout MinutesOnly{0, 4, false, std::nullopt, 6};
inline constexpr StampLayout Flicker{FlickerHead::Date, FlickerHead::Time, false, std::nullopt, 10};
inline constexpr StampLayout Events{EventField::Date, EventField::Time, true, std::nullopt, 14};
}  // namespace stamp_layouts

// Layout of measures 1 to 7, 9, 10 (null for 8 and others).
inline const StampLayout* StampLayoutOf(int measure)
{
    switch (measure) {
    case 1: case 2: case 3: case 7: return &stamp_layouts::WithSeconds;  // the 18-byte heads
    case 4: case 9: case 10: return &stamp_layouts::MinutesOnly;
    case 5: return &stamp_layouts::Flicker;
    case 6: return &stamp_layouts::Events;
    default: return nullptr;
    }
}

// The time of a record, decoded as every reader and search decodes it, into T; false (T
// untouched, *fault set) when the stamp does not decode or the record is too short. Always
// inlined (the compiler left it out of line): every record of a window passes through here,
// which is also why it reads its bytes raw, like the record readers, after the one size check.
[[gnu::always_inline]] inline bool RecordStampTime(const StampLayout& layout, std::span<const std::uint8_t> record,
                                                   TDateTime& T, StampFault* fault = nullptr)
{
    if (record.size() < layout.bytesNeeded) {
        if (fault) *fault = StampFault::InvalidDate;
        return false;
    }
    const std::uint8_t* d = record.data() + layout.dateAt;
    const std::uint8_t* t = record.data() + layout.timeAt;
    const TPackedDate date{static_cast<std::uint16_t>(d[0] | (d[1] << 8)), d[2], d[3]};
    const TPackedTimeEx time =
        layout.extendedTime ? TPackedTimeEx{t[0], t[1], t[2], t[3]}
                            : TPackedTimeEx{t[0], t[1], 0, layout.secondsAt ? record[*layout.secondsAt] : std::uint8_t(0)};
    return StampTime(date, time, T, fault);
}
// The same as an optional.
inline std::optional<TDateTime> RecordTime(const StampLayout& layout, std::span<const std::uint8_t> record,
                                           StampFault* fault = nullptr)
{
    TDateTime t = 0;
    if (!RecordStampTime(layout, record, t, fault)) return std::nullopt;
    return t;
}

// The smallest record of a measure: the head bytes its readers take (decision: checked once).
std::size_t MinimumRecordSize(int measure);

struct TDataFileHeader {
    std::uint32_t EndOffset = 0;
    std::uint32_t RecordCount = 0;
    // (EndOffset - 8) div RecordCount; 0 without records.
    std::uint32_t RecordSize() const;
};

enum class DataFileFault {
    None,
    Unreadable,     // missing or shorter than its header
    NoRecords,      // record count 0
    Inconsistent,   // end offset is not 8 + count x record size
    BeyondFile,     // end offset past the file's real size
    RecordTooSmall  // record size below the measure's head
};
// Nothing when fewer than 8 bytes are given.
std::optional<TDataFileHeader> LoadDataFileHeader(std::span<const std::uint8_t> bytes);
void StoreDataFileHeader(std::uint8_t* p, const TDataFileHeader& header);
// The one header check of every fixed-record data file.
DataFileFault CheckDataFileHeader(const TDataFileHeader& header, std::uint64_t fileSize, std::size_t minRecordSize);
