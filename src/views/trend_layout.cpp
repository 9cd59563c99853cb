// The layout readers, trace readers and legend captions the trend members name.
#include "views/trend_layout.h"

#include "survey/data_layout.h"
#include "survey/text_tables.h"
#include "views/trend_member.h"

#include <algorithm>

std::optional<TTrendLayout> LayoutOfHead(FieldView firstRecord, std::size_t headSize, std::size_t periodAt)
{
    const std::span<const std::uint8_t> head = firstRecord.Bytes(0, headSize);
    const std::int16_t period = firstRecord.I16(periodAt);
    if (!firstRecord.Ok()) return std::nullopt;
    TTrendLayout layout;
    layout.RecordHead.assign(head.begin(), head.end());
    layout.Period = period;
    return layout;
}

std::optional<TTrendLayout> ReadPhaseBlockLayout(const TTrendMember& member, FieldView firstRecord)
{
    std::optional<TTrendLayout> layout = LayoutOfHead(firstRecord, TrendHead::Size, TrendHead::Period);
    if (!layout) return std::nullopt;
    const std::uint16_t flags = firstRecord.U16(TrendHead::Flags);
    layout->ThreePhase = TrendPhaseBlocks(member.Measure, IsThreePhaseWiring(firstRecord.U16(TrendHead::Wiring))) == 3;
    // Every value the flags announce must lie inside the record, or no trace could be read.
    if (TrendRecordSize(member.Measure, flags, layout->ThreePhase) > firstRecord.Size()) return std::nullopt;
    layout->Columns = BuildTrendColumns(flags, layout->ThreePhase, member.Curve.Count);
    return layout;
}

std::optional<TTrendLayout> ReadFlickerLayout(const TTrendMember&, FieldView firstRecord)
{
    std::optional<TTrendLayout> layout = LayoutOfHead(firstRecord, FlickerHead::Size, FlickerHead::Period);
    if (!layout) return std::nullopt;
    const std::uint16_t flags = firstRecord.U16(FlickerHead::Flags);
    const std::uint8_t mode = firstRecord.U8(FlickerHead::Mode);
    layout->ThreePhase = IsThreePhaseWiring(firstRecord.U16(FlickerHead::Wiring));
    if (FlickerRecordSize(flags, mode, layout->ThreePhase) > firstRecord.Size()) return std::nullopt;
    layout->Columns = BuildFlickerColumns(flags, mode, layout->ThreePhase);
    return layout;
}

std::optional<TTrendLayout> ReadPowerLayout(const TTrendMember&, FieldView firstRecord)
{
    std::optional<TTrendLayout> layout = LayoutOfHead(firstRecord, PowerHead::Size, PowerHead::Period);
    if (!layout) return std::nullopt;
    const std::uint16_t wiring = firstRecord.U16(PowerHead::Wiring);
    const std::uint16_t currentWiring = firstRecord.U16(PowerHead::CurrentWiring);
    const std::uint16_t flags = firstRecord.U16(PowerHead::Flags);
    layout->ThreePhase = IsThreePhaseWiring(wiring);
    if (PowerRecordSize(flags, layout->ThreePhase, currentWiring) > firstRecord.Size()) return std::nullopt;
    layout->ExtraCurrentPhases = ExtraCurrentPhases(flags, wiring, currentWiring);
    layout->Columns = BuildPowerColumns(flags, layout->ExtraCurrentPhases);
    layout->AxesHeld = {(flags & (FlagActivePower | FlagReactivePower | FlagApparentPower)) != 0, (flags & FlagCurrents) != 0};
    return layout;
}

std::optional<TTrendLayout> ReadEnergyLayout(const TTrendMember&, FieldView firstRecord)
{
    std::optional<TTrendLayout> layout = LayoutOfHead(firstRecord, EnergyField::Totals, EnergyField::Period);
    if (!layout) return std::nullopt;
    const std::uint16_t perPhase = firstRecord.U16(EnergyField::PerPhase);
    if (EnergyRecordSize(perPhase) > firstRecord.Size()) return std::nullopt;
    layout->PerPhase = perPhase == 0;
    layout->Columns = BuildEnergyColumns(layout->PerPhase);
    return layout;
}

TTraceRead SingleValueTrace(const TTrendLayout&, const TTraceEntry& entry)
{
    // A negative offset becomes one no record holds, so the reader refuses it.
    return {{TRecordColumn{static_cast<std::uint32_t>(entry.Offset), ColumnType::F32, 1.0f}}, 0};
}

TTraceRead EnergyTrace(const TTrendLayout&, const TTraceEntry& entry)
{
    return {{TRecordColumn{static_cast<std::uint32_t>(entry.Offset), ColumnType::F32, 1000.0f}}, 0};
}

std::string PhaseStatisticCaption(const TTrendLayout& layout, const TTraceEntry& entry)
{
    const std::vector<std::string>& names = layout.Columns.StatNames;
    if (entry.Item <= 0 || entry.Item >= static_cast<int>(names.size())) return "none";
    const int phase = std::clamp(entry.Phase, 0, 3);
    return std::string(PhaseNames[static_cast<std::size_t>(phase + 1)]) + " " + names[static_cast<std::size_t>(entry.Item)];
}
