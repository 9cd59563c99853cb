// Column titles and value offsets of the measure tables, from the first record's layout.
#include "export/measure_columns.h"

#include "platform/little_endian.h"
#include "survey/data_layout.h"
#include "survey/number_text.h"
#include "survey/text_tables.h"

std::string ExportDateCellText(ExportDateText kind, TDateTime time)
{
    switch (kind) {
    case ExportDateText::Minutes: return FormatShortDate(time) + " " + FormatDateTimePattern(time, "hh:mm");
    case ExportDateText::Seconds: return FormatShortDate(time) + " " + FormatDateTimePattern(time, "hh:mm:ss");
    case ExportDateText::DateAndLongTime: {
        const DateTimeParts p = DecodeDateTime(time);
        const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0 && p.millisecond == 0;
        return midnight ? FormatShortDate(time) : FormatDateTime(time);
    }
    }
    return {};
}

namespace {
using Offset = std::optional<std::size_t>;

Offset Plus(Offset at, std::size_t bytes) { return at ? Offset(*at + bytes) : std::nullopt; }

// The columns of one measure, all written with the same decimals and factor.
class ColumnsBuilder {
public:
    ColumnsBuilder(ExportDateText dateText, const TColumnChoice& choice, int decimals = 2, double factor = 1)
        : heldOnly_(choice.HeldOnly), decimals_(decimals), factor_(factor)
    {
        result_.DateText = dateText;
    }
    // A column titled "[harmonic - ][phase - ]name"; phase -1 for a value without phase.
    void Add(std::string_view name, int phase, Offset at, std::string_view harmonic = {})
    {
        if (!at && heldOnly_) return;
        std::string title;
        if (!harmonic.empty()) title = std::string(harmonic) + " - ";
        if (phase >= 0) title += std::string(PhaseNames[static_cast<std::size_t>(phase + 1)]) + " - ";
        title += name;
        std::optional<std::uint32_t> offset;
        if (at) offset = static_cast<std::uint32_t>(*at);
        result_.Columns.push_back({std::move(title), offset, decimals_, factor_, name, phase});
    }
    // Nothing when a value said to be present lies past the record.
    std::optional<TMeasureColumns> Checked(std::size_t recordSize) &&
    {
        for (const TValueColumn& c : result_.Columns)
            if (c.Offset && *c.Offset + 4u > recordSize) return std::nullopt;
        return std::move(result_);
    }

private:
    TMeasureColumns result_;
    bool heldOnly_;
    int decimals_;
    double factor_;
};

// The chosen phases, in order.
std::vector<int> ChosenPhases(const TColumnChoice& choice)
{
    std::vector<int> phases;
    for (int p = 0; p < 3; ++p)
        if (choice.Phases[static_cast<std::size_t>(p)]) phases.push_back(p);
    return phases;
}

bool Chosen(const TColumnChoice& choice, int item) { return choice.Items[static_cast<std::size_t>(item)]; }

std::string_view StatName(int value) { return TrendStatNames[static_cast<std::size_t>(value)]; }

std::optional<TMeasureColumns> TrendColumns(int measure, FieldView head, const TColumnChoice& choice, std::size_t size)
{
    const std::uint16_t flags = head.U16(TrendHead::Flags);
    const bool threePhase = IsThreePhaseWiring(head.U16(TrendHead::Wiring));
    if (!head.Ok()) return std::nullopt;
    ColumnsBuilder columns(measure == MeasureFrequency ? ExportDateText::Seconds : ExportDateText::Minutes, choice);
    auto at = [&](int phase, int i) {
        return TrendValueOffset(flags, CurveClasses(measure), phase, static_cast<TrendValue>(i));
    };
    // Frequency and unbalance files hold one block: no phase columns, whatever the phases chosen.
    if (measure != MeasureVoltage) {
        for (int i = 0; i < kTrendValueCount; ++i)
            if (Chosen(choice, i)) columns.Add(StatName(i), -1, at(0, i));
        return std::move(columns).Checked(size);
    }
    for (int p : ChosenPhases(choice))
        for (int i = 0; i < kTrendValueCount; ++i)
            if (Chosen(choice, i)) columns.Add(StatName(i), p, p < PhaseCount(threePhase) ? at(p, i) : std::nullopt);
    return std::move(columns).Checked(size);
}

// The columns of a harmonics record: for each chosen order (or index), each chosen phase and
// each chosen statistic, `add` puts the column(s) of the order's block, which is nothing when the
// record has no block of that order or lacks the phase.
template <class AddColumns>
std::optional<TMeasureColumns> HarmonicColumns(std::span<const std::uint8_t> record, bool current,
                                               const TColumnChoice& choice, int statistics, AddColumns add)
{
    const auto blocks = HarmonicBlocks(record, current);
    FieldView head(record);
    const bool threePhase = IsThreePhaseWiring(head.U16(current ? CurrentHarmonicsHead::Wiring : HarmonicsHead::Wiring));
    if (!blocks || !head.Ok()) return std::nullopt;
    ColumnsBuilder columns(ExportDateText::Minutes, choice, 3);
    for (std::uint16_t number : choice.Harmonics) {
        const HarmonicBlockPlace* block = FindHarmonicBlock(*blocks, number);
        for (int p : ChosenPhases(choice))
            for (int i = 0; i < statistics; ++i)
                if (Chosen(choice, i)) add(columns, number, p < PhaseCount(threePhase) ? block : nullptr, p, i);
    }
    return std::move(columns).Checked(record.size());
}

std::optional<TMeasureColumns> VoltageHarmonicColumns(std::span<const std::uint8_t> record, const TColumnChoice& choice)
{
    auto add = [](ColumnsBuilder& columns, int order, const HarmonicBlockPlace* block, int p, int i) {
        // Each block is read by its own flags: blocks of one record may hold different statistics.
        const Offset at = block ? HarmonicBlockValueOffset(*block, p, static_cast<TrendValue>(i)) : std::nullopt;
        columns.Add(StatName(i), p, at, HarmonicLabel(order));
    };
    return HarmonicColumns(record, false, choice, kTrendValueCount, add);
}

std::optional<TMeasureColumns> CurrentHarmonicColumns(std::span<const std::uint8_t> record, const TColumnChoice& choice)
{
    auto add = [](ColumnsBuilder& columns, int index, const HarmonicBlockPlace* block, int p, int i) {
        const Offset percent = block ? CurrentHarmonicBlockValueOffset(*block, p, i) : std::nullopt;
        const std::string label = CurrentHarmonicLabel(index);
        columns.Add(CurrentHarmonicValueNames[static_cast<std::size_t>(2 * i)], p, percent, label);
        columns.Add(CurrentHarmonicValueNames[static_cast<std::size_t>(2 * i + 1)], p, Plus(percent, 4), label);
    };
    return HarmonicColumns(record, true, choice, 3, add);
}

std::optional<TMeasureColumns> FlickerColumns(FieldView head, const TColumnChoice& choice, std::size_t size)
{
    const std::uint16_t flags = head.U16(FlickerHead::Flags);
    const std::uint8_t mode = head.U8(FlickerHead::Mode);
    const bool threePhase = IsThreePhaseWiring(head.U16(FlickerHead::Wiring));
    if (!head.Ok()) return std::nullopt;
    ColumnsBuilder columns(ExportDateText::Minutes, choice);
    for (int p : ChosenPhases(choice))
        for (int i = 0; i < static_cast<int>(FlickerStatNames.size()); ++i) {
            if (!Chosen(choice, i)) continue;
            const Offset at = p < PhaseCount(threePhase) ? FlickerStatOffset(flags, mode, p, i) : std::nullopt;
            columns.Add(FlickerStatNames[static_cast<std::size_t>(i)], p, at);
        }
    return std::move(columns).Checked(size);
}

std::optional<TMeasureColumns> PowerColumns(FieldView head, const TColumnChoice& choice, std::size_t size)
{
    const std::uint16_t flags = head.U16(PowerHead::Flags);
    const bool threePhase = IsThreePhaseWiring(head.U16(PowerHead::Wiring));
    const std::uint16_t currentWiring = head.U16(PowerHead::CurrentWiring);
    if (!head.Ok()) return std::nullopt;
    ColumnsBuilder columns(ExportDateText::DateAndLongTime, choice);
    auto group = [&](PowerGroup g, int item) {
        return Plus(PowerGroupOffset(flags, threePhase, currentWiring, g), 4 * static_cast<std::size_t>(item % 3));
    };
    auto name = [](int item) { return PowerItemNames[static_cast<std::size_t>(item)]; };
    // The three powers are totals: no phase; then the currents of each chosen phase.
    for (int i = 0; i < 9; ++i)
        if (Chosen(choice, i)) columns.Add(name(i), -1, group(static_cast<PowerGroup>(i / 3), i));
    for (int p : ChosenPhases(choice))
        for (int i = 9; i < 12; ++i)
            if (Chosen(choice, i))
                columns.Add(name(i), p, group(static_cast<PowerGroup>(static_cast<int>(PowerGroup::CurrentL1) + p), i));
    return std::move(columns).Checked(size);
}

std::optional<TMeasureColumns> EnergyColumns(FieldView head, const TColumnChoice& choice, std::size_t size)
{
    const std::int16_t perPhase = head.I16(EnergyField::PerPhase);
    if (!head.Ok()) return std::nullopt;
    constexpr double kWhAsWh = 1000;
    ColumnsBuilder columns(ExportDateText::Minutes, choice, 3, kWhAsWh);
    for (int i = 0; i < EnergyField::TotalCount; ++i)
        if (Chosen(choice, i))
            columns.Add(EnergyTotalNames[static_cast<std::size_t>(i)], -1,
                        EnergyField::Totals + 4 * static_cast<std::size_t>(i));
    // Received L1 to L3, then delivered L1 to L3, only where the per-phase word says they follow.
    for (int i = 0; i < EnergyField::PhaseEnergyCount; ++i) {
        if (!Chosen(choice, EnergyField::TotalCount + i)) continue;
        Offset at;
        if (perPhase == 0) at = EnergyField::PhaseEnergies + 4 * static_cast<std::size_t>(i);
        columns.Add(EnergyTotalNames[i < 3 ? 0u : 1u], i % 3, at);
    }
    return std::move(columns).Checked(size);
}
}  // namespace

std::optional<TMeasureColumns> MeasureValueColumns(int measure, std::span<const std::uint8_t> firstRecord,
                                                   const TColumnChoice& choice)
{
    const FieldView head(firstRecord);
    const std::size_t size = firstRecord.size();
    switch (measure) {
    case MeasureVoltage:
    case MeasureFrequency:
    case MeasureUnbalance: return TrendColumns(measure, head, choice, size);
    case MeasureVoltageHarmonics: return VoltageHarmonicColumns(firstRecord, choice);
    case MeasureFlicker: return FlickerColumns(head, choice, size);
    case MeasurePowers: return PowerColumns(head, choice, size);
    case MeasureCurrentHarmonics: return CurrentHarmonicColumns(firstRecord, choice);
    case MeasureEnergy: return EnergyColumns(head, choice, size);
    default: return std::nullopt;
    }
}
