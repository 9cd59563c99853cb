// Column titles and value offsets of the measure exports, from the first record's layout.
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

std::string Joined(std::string_view a, std::string_view b) { return std::string(a) + " - " + std::string(b); }
std::string Joined(std::string_view a, std::string_view b, std::string_view c) { return Joined(a, b) + " - " + std::string(c); }
std::string_view Phase(int phase) { return PhaseNames[static_cast<std::size_t>(phase + 1)]; }

Offset Plus(Offset at, std::size_t bytes) { return at ? Offset(*at + bytes) : std::nullopt; }

class ColumnsBuilder {
public:
    explicit ColumnsBuilder(ExportDateText dateText) { result.DateText = dateText; }
    void Add(std::string title, Offset at, int decimals = 2, double factor = 1)
    {
        std::optional<std::uint32_t> offset;
        if (at) offset = static_cast<std::uint32_t>(*at);
        result.Columns.push_back({std::move(title), offset, decimals, factor});
    }
    // Nothing when a value said to be present lies past the record.
    std::optional<TMeasureColumns> Checked(std::size_t recordSize) &&
    {
        for (const TValueColumn& c : result.Columns)
            if (c.Offset && *c.Offset + 4u > recordSize) return std::nullopt;
        return std::move(result);
    }

private:
    TMeasureColumns result;
};

// The phases a record of this wiring holds and the wizard ticked, in order.
std::vector<int> ChosenPhases(const TExportMeasureSel& sel)
{
    std::vector<int> phases;
    for (int p = 0; p < 3; ++p)
        if (sel.Phases[static_cast<std::size_t>(p)]) phases.push_back(p);
    return phases;
}

bool Chosen(const TExportMeasureSel& sel, int item) { return sel.Items[static_cast<std::size_t>(item)]; }

std::optional<TMeasureColumns> TrendColumns(int measure, FieldView head, const TExportMeasureSel& sel, std::size_t size)
{
    const std::uint16_t flags = head.U16(TrendHead::Flags);
    const bool threePhase = IsThreePhaseWiring(head.U16(TrendHead::Wiring));
    if (!head.Ok()) return std::nullopt;
    ColumnsBuilder columns(measure == MeasureFrequency ? ExportDateText::Seconds : ExportDateText::Minutes);
    // Frequency and unbalance files hold one block: no phase columns, whatever the phase boxes.
    const std::vector<int> phases = measure == MeasureVoltage ? ChosenPhases(sel) : std::vector<int>{0};
    for (int p : phases) {
        for (int i = 0; i < 9; ++i) {
            if (!Chosen(sel, i)) continue;
            const std::string_view stat = TrendStatNames[static_cast<std::size_t>(i)];
            const bool held = p < PhaseCount(threePhase) || measure != MeasureVoltage;
            const Offset at = held ? TrendValueOffset(flags, CurveClasses(measure), p, static_cast<TrendValue>(i)) : std::nullopt;
            columns.Add(measure == MeasureVoltage ? Joined(Phase(p), stat) : std::string(stat), at);
        }
    }
    return std::move(columns).Checked(size);
}

// The columns of a harmonics record: for each chosen order (or index), each ticked phase and
// each ticked statistic, `add` puts the column(s) of the order's block, which is nothing when the
// record has no block of that order or lacks the phase.
template <class AddColumns>
std::optional<TMeasureColumns> HarmonicColumns(std::span<const std::uint8_t> record, bool current,
                                               std::span<const std::uint16_t> chosen, const TExportMeasureSel& sel,
                                               int statistics, AddColumns add)
{
    const auto blocks = HarmonicBlocks(record, current);
    FieldView head(record);
    const bool threePhase = IsThreePhaseWiring(head.U16(current ? CurrentHarmonicsHead::Wiring : HarmonicsHead::Wiring));
    if (!blocks || !head.Ok()) return std::nullopt;
    ColumnsBuilder columns(ExportDateText::Minutes);
    for (std::uint16_t number : chosen) {
        const HarmonicBlockPlace* block = FindHarmonicBlock(*blocks, number);
        for (int p : ChosenPhases(sel))
            for (int i = 0; i < statistics; ++i)
                if (Chosen(sel, i)) add(columns, number, p < PhaseCount(threePhase) ? block : nullptr, p, i);
    }
    return std::move(columns).Checked(record.size());
}

std::optional<TMeasureColumns> VoltageHarmonicColumns(std::span<const std::uint8_t> record, const TExportParams& params)
{
    auto add = [](ColumnsBuilder& columns, int order, const HarmonicBlockPlace* block, int p, int i) {
        // Each block is read by its own flags: blocks of one record may hold different statistics.
        const Offset at = block ? HarmonicBlockValueOffset(*block, p, static_cast<TrendValue>(i)) : std::nullopt;
        columns.Add(Joined(HarmonicLabel(order), Phase(p), TrendStatNames[static_cast<std::size_t>(i)]), at, 3);
    };
    return HarmonicColumns(record, false, params.ChosenVoltageOrders(), params.Measure(MeasureVoltageHarmonics), 9, add);
}

std::optional<TMeasureColumns> CurrentHarmonicColumns(std::span<const std::uint8_t> record, const TExportParams& params)
{
    auto add = [](ColumnsBuilder& columns, int index, const HarmonicBlockPlace* block, int p, int i) {
        const Offset percent = block ? CurrentHarmonicBlockValueOffset(*block, p, i) : std::nullopt;
        const std::string label = CurrentHarmonicLabel(index);
        columns.Add(Joined(label, Phase(p), CurrentHarmonicValueNames[static_cast<std::size_t>(2 * i)]), percent, 3);
        columns.Add(Joined(label, Phase(p), CurrentHarmonicValueNames[static_cast<std::size_t>(2 * i + 1)]), Plus(percent, 4), 3);
    };
    return HarmonicColumns(record, true, params.ChosenCurrentIndexes(), params.Measure(MeasureCurrentHarmonics), 3, add);
}

std::optional<TMeasureColumns> FlickerColumns(FieldView head, const TExportMeasureSel& sel, std::size_t size)
{
    const std::uint16_t flags = head.U16(FlickerHead::Flags);
    const std::uint8_t mode = head.U8(FlickerHead::Mode);
    const bool threePhase = IsThreePhaseWiring(head.U16(FlickerHead::Wiring));
    if (!head.Ok()) return std::nullopt;
    ColumnsBuilder columns(ExportDateText::Minutes);
    for (int p : ChosenPhases(sel)) {
        for (int i = 0; i < 8; ++i) {
            if (!Chosen(sel, i)) continue;
            const Offset at = p < PhaseCount(threePhase) ? FlickerStatOffset(flags, mode, p, i) : std::nullopt;
            columns.Add(Joined(Phase(p), FlickerStatNames[static_cast<std::size_t>(i)]), at);
        }
    }
    return std::move(columns).Checked(size);
}

std::optional<TMeasureColumns> PowerColumns(FieldView head, const TExportMeasureSel& sel, std::size_t size)
{
    const std::uint16_t flags = head.U16(PowerHead::Flags);
    const bool threePhase = IsThreePhaseWiring(head.U16(PowerHead::Wiring));
    const std::uint16_t currentWiring = head.U16(PowerHead::CurrentWiring);
    if (!head.Ok()) return std::nullopt;
    ColumnsBuilder columns(ExportDateText::DateAndLongTime);
    auto group = [&](PowerGroup g, int item) {
        return Plus(PowerGroupOffset(flags, threePhase, currentWiring, g), 4 * static_cast<std::size_t>(item % 3));
    };
    // The three powers are totals: no phase; then the currents of each ticked phase.
    for (int i = 0; i < 9; ++i)
        if (Chosen(sel, i)) columns.Add(std::string(PowerItemNames[static_cast<std::size_t>(i)]), group(static_cast<PowerGroup>(i / 3), i));
    for (int p : ChosenPhases(sel))
        for (int i = 9; i < 12; ++i)
            if (Chosen(sel, i))
                columns.Add(Joined(Phase(p), PowerItemNames[static_cast<std::size_t>(i)]),
                            group(static_cast<PowerGroup>(static_cast<int>(PowerGroup::CurrentL1) + p), i));
    return std::move(columns).Checked(size);
}

std::optional<TMeasureColumns> EnergyColumns(FieldView head, const TExportMeasureSel& sel, std::size_t size)
{
    const std::int16_t perPhase = head.I16(EnergyField::PerPhase);
    if (!head.Ok()) return std::nullopt;
    ColumnsBuilder columns(ExportDateText::Minutes);
    constexpr double kWhAsWh = 1000;
    for (int i = 0; i < EnergyField::TotalCount; ++i)
        if (Chosen(sel, i))
            columns.Add(std::string(EnergyTotalNames[static_cast<std::size_t>(i)]),
                        EnergyField::Totals + 4 * static_cast<std::size_t>(i), 3, kWhAsWh);
    // Received L1 to L3, then delivered L1 to L3, only where the per-phase word says they follow.
    for (int i = 0; i < EnergyField::PhaseEnergyCount; ++i) {
        if (!Chosen(sel, EnergyField::TotalCount + i)) continue;
        const Offset at = perPhase == 0 ? Offset(EnergyField::PhaseEnergies + 4 * static_cast<std::size_t>(i)) : std::nullopt;
        columns.Add(Joined(Phase(i % 3), EnergyTotalNames[i < 3 ? 0u : 1u]), at, 3, kWhAsWh);
    }
    return std::move(columns).Checked(size);
}
}  // namespace

std::optional<TMeasureColumns> MeasureExportColumns(int measure, std::span<const std::uint8_t> firstRecord,
                                                    const TExportParams& params)
{
    const FieldView head(firstRecord);
    const std::size_t size = firstRecord.size();
    switch (measure) {
    case MeasureVoltage:
    case MeasureFrequency:
    case MeasureUnbalance: return TrendColumns(measure, head, params.Measure(measure), size);
    case MeasureVoltageHarmonics: return VoltageHarmonicColumns(firstRecord, params);
    case MeasureFlicker: return FlickerColumns(head, params.Measure(measure), size);
    case MeasurePowers: return PowerColumns(head, params.Measure(measure), size);
    case MeasureCurrentHarmonics: return CurrentHarmonicColumns(firstRecord, params);
    case MeasureEnergy: return EnergyColumns(head, params.Measure(measure), size);
    default: return std::nullopt;
    }
}
