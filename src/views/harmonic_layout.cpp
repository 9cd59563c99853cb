// Harmonic blocks, value offsets, captions and curve positions of voltage-harmonics records.
#include "views/harmonic_layout.h"

#include "survey/data_layout.h"
#include "survey/number_text.h"
#include "survey/text_tables.h"
#include "views/trend_columns.h"

#include <algorithm>

namespace {
constexpr std::size_t kFlagsWord = 2;

const TTrendBlock* BlockAt(const TTrendLayout& layout, int block)
{
    if (block < 0 || block >= static_cast<int>(layout.Blocks.size())) return nullptr;
    return &layout.Blocks[static_cast<std::size_t>(block)];
}
}  // namespace

std::optional<TTrendLayout> ReadCurrentHarmonicBlockLayout(const TTrendMember&, FieldView firstRecord)
{
    std::optional<TTrendLayout> layout = LayoutOfHead(firstRecord, CurrentHarmonicsHead::Size, CurrentHarmonicsHead::Period);
    if (!layout) return std::nullopt;
    layout->ThreePhase = IsThreePhaseWiring(firstRecord.U16(CurrentHarmonicsHead::Wiring));
    const std::optional<std::vector<HarmonicBlockPlace>> places = HarmonicBlocks(firstRecord.Data(), true);
    if (!places) return std::nullopt;
    for (const HarmonicBlockPlace& place : *places) {
        TTrendBlock block;
        block.Start = static_cast<std::uint32_t>(place.start);
        block.Flags = place.flags;
        block.OrderName = CurrentHarmonicLabel(place.order);
        if (place.flags & FlagMinAvgMax)
            for (std::size_t i = 0; i < 3; ++i) block.StatNames.emplace_back(TrendStatNames[i]);
        layout->Blocks.push_back(std::move(block));
    }
    return layout;
}

std::int32_t CurrentHarmonicValueOffset(const TTrendLayout& layout, int block, int stat, int phase)
{
    const TTrendBlock* b = BlockAt(layout, block);
    if (!b || stat < 1 || stat >= static_cast<int>(b->StatNames.size()) || phase < 0 || phase > 2) return -1;
    const HarmonicBlockPlace place{b->Start, b->Flags};
    // A single-phase record holds L1 alone, which every phase then reads.
    return static_cast<std::int32_t>(*CurrentHarmonicBlockValueOffset(place, layout.ThreePhase ? phase : 0, stat - 1));
}

TTraceRead CurrentHarmonicTrace(const TTrendLayout&, const TTraceEntry& entry)
{
    // A negative offset becomes one no record holds, for both columns, so the reader refuses it.
    const auto percent = static_cast<std::uint32_t>(entry.Offset);
    const std::uint32_t ampere = entry.Offset < 0 ? percent : percent + 4;
    return {{TRecordColumn{percent, ColumnType::F32, 1.0f}, TRecordColumn{ampere, ColumnType::F32, 1.0f}},
            entry.AxisIndex == 2 ? 1u : 0u};
}

std::string CurrentHarmonicTraceCaption(const TTrendLayout& layout, const TTraceEntry& entry)
{
    const TTrendBlock* b = BlockAt(layout, entry.Extra);
    if (!b || entry.Item <= 0 || entry.Item >= static_cast<int>(b->StatNames.size())) return "none";
    const int phase = std::clamp(entry.Phase, 0, 2);
    const std::size_t value = 2 * static_cast<std::size_t>(entry.Item - 1) + (entry.AxisIndex == 2 ? 1 : 0);
    return std::string(PhaseNames[static_cast<std::size_t>(phase + 1)]) + " " + b->OrderName + " - " +
           std::string(CurrentHarmonicValueNames[value]);
}

std::optional<TTrendLayout> ReadHarmonicBlockLayout(const TTrendMember&, FieldView firstRecord)
{
    std::optional<TTrendLayout> layout = LayoutOfHead(firstRecord, HarmonicsHead::Size, HarmonicsHead::Period);
    if (!layout) return std::nullopt;
    layout->ThreePhase = IsThreePhaseWiring(firstRecord.U16(HarmonicsHead::Wiring));
    const std::optional<std::vector<HarmonicBlockPlace>> places = HarmonicBlocks(firstRecord.Data(), false);
    if (!places) return std::nullopt;
    for (const HarmonicBlockPlace& place : *places) {
        TTrendBlock block;
        block.Start = static_cast<std::uint32_t>(place.start);
        block.Flags = place.flags;
        block.OrderName = HarmonicLabel(place.order);
        block.StatNames = StatisticNames(place.flags);
        if (place.flags & FlagDensityCurve) layout->Columns.HasCurve = true;
        layout->Blocks.push_back(std::move(block));
    }
    return layout;
}

std::int32_t HarmonicValueOffset(const TTrendLayout& layout, int block, int stat, int phase)
{
    const TTrendBlock* b = BlockAt(layout, block);
    if (!b || stat < 1 || stat >= static_cast<int>(b->StatNames.size()) || phase < 0 || phase > 2) return -1;
    const TrendValue value = HeldTrendValues(b->Flags)[static_cast<std::size_t>(stat - 1)];
    // A single-phase record holds L1 alone, which every phase then reads.
    const HarmonicBlockPlace place{b->Start, b->Flags};
    return static_cast<std::int32_t>(*HarmonicBlockValueOffset(place, layout.ThreePhase ? phase : 0, value));
}

std::string HarmonicTraceCaption(const TTrendLayout& layout, const TTraceEntry& entry)
{
    const TTrendBlock* b = BlockAt(layout, entry.Extra);
    if (!b || entry.Item <= 0 || entry.Item >= static_cast<int>(b->StatNames.size())) return "none";
    const int phase = std::clamp(entry.Phase, 0, 2);
    return std::string(PhaseNames[static_cast<std::size_t>(phase + 1)]) + " " + b->OrderName + " - " +
           b->StatNames[static_cast<std::size_t>(entry.Item)];
}

std::vector<TTrendBlock> HarmonicCurveBlocks(const TTrendLayout& layout)
{
    std::vector<TTrendBlock> blocks;
    std::copy_if(layout.Blocks.begin(), layout.Blocks.end(), std::back_inserter(blocks),
                 [](const TTrendBlock& b) { return (b.Flags & FlagDensityCurve) != 0; });
    return blocks;
}

std::int64_t HarmonicCurveTotalAt(const TTrendBlock& block, int phase)
{
    return static_cast<std::int64_t>(block.Start + kFlagsWord + HarmonicCurveOffset(block.Flags, phase) + kCurveTotalAt);
}
