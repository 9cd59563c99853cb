// Column tables from content flags, on the data layout's own offset rules.
#include "views/trend_columns.h"

#include "survey/data_layout.h"
#include "survey/text_tables.h"

namespace {
std::string_view StatName(TrendValue value) { return TrendStatNames[static_cast<std::size_t>(value)]; }

// Entries 1..n from the L1 offsets; with a stride (three-phase), the L2 and L3 entries after them.
void FillColumns(TTrendColumns& result, const std::vector<std::int32_t>& l1, std::int32_t phaseStride)
{
    const int n = static_cast<int>(l1.size());
    for (int k = 1; k <= n; ++k) result.Columns[static_cast<std::size_t>(k)] = l1[static_cast<std::size_t>(k - 1)];
    result.PhaseStride = phaseStride;
    if (phaseStride == 0) return;
    for (int k = 1; k <= n; ++k) {
        result.Columns[static_cast<std::size_t>(n + k)] = l1[static_cast<std::size_t>(k - 1)] + phaseStride;
        result.Columns[static_cast<std::size_t>(2 * n + k)] = l1[static_cast<std::size_t>(k - 1)] + 2 * phaseStride;
    }
}
}  // namespace

TTrendColumns BuildTrendColumns(std::uint16_t flags, bool threePhase, int curveClasses)
{
    TTrendColumns result;
    std::vector<std::int32_t> l1;
    for (TrendValue value : HeldTrendValues(flags)) {
        result.StatNames.emplace_back(StatName(value));
        l1.push_back(static_cast<std::int32_t>(*TrendValueOffset(flags, curveClasses, 0, value)));
    }
    if (auto curve = TrendCurveOffset(flags, curveClasses, 0)) {
        result.HasCurve = true;
        result.CurveOffset = static_cast<std::int32_t>(*curve + kCurveTotalAt);
    }
    FillColumns(result, l1, threePhase ? static_cast<std::int32_t>(TrendPhaseBlockSize(flags, curveClasses)) : 0);
    return result;
}

TTrendColumns BuildFlickerColumns(std::uint16_t flags, std::uint8_t mode, bool threePhase)
{
    TTrendColumns result;
    std::vector<std::int32_t> l1;
    for (int stat = 0; stat < static_cast<int>(FlickerStatNames.size()); ++stat) {
        const std::optional<std::size_t> at = FlickerStatOffset(flags, mode, 0, stat);
        if (!at) continue;  // the short set holds Pst and Plt only
        result.StatNames.emplace_back(FlickerStatNames[static_cast<std::size_t>(stat)]);
        l1.push_back(static_cast<std::int32_t>(*at));
    }
    if (auto curve = FlickerCurveOffset(flags, mode, 0)) {
        result.HasCurve = true;
        result.CurveOffset = static_cast<std::int32_t>(*curve);
    }
    FillColumns(result, l1, threePhase ? static_cast<std::int32_t>(FlickerPhaseStride(flags, mode)) : 0);
    return result;
}

int ExtraCurrentPhases(std::uint16_t flags, std::uint16_t wiring, std::uint16_t currentWiring)
{
    if (!(flags & FlagCurrents) || !IsThreePhaseWiring(wiring)) return 0;
    return currentWiring == 1 ? 1 : 2;
}

TTrendColumns BuildPowerColumns(std::uint16_t flags, int extraCurrentPhases)
{
    TTrendColumns result;
    result.Axes[0] = 1;
    // The current wiring that gives the record these current phases (PowerGroupOffset's terms).
    const bool threePhase = extraCurrentPhases > 0;
    const std::uint16_t currentWiring = extraCurrentPhases == 1 ? 1 : 0;
    std::size_t n = 0;
    auto add = [&](std::size_t at, int axis, int unit) {
        ++n;
        result.Columns[n] = static_cast<std::int32_t>(at);
        result.Axes[n] = axis;
        result.Units[n] = unit;
    };
    constexpr PowerGroup powers[] = {PowerGroup::Active, PowerGroup::Reactive, PowerGroup::Apparent};
    for (int g = 0; g < 3; ++g) {
        const std::optional<std::size_t> at = PowerGroupOffset(flags, threePhase, currentWiring, powers[g]);
        if (!at) continue;
        for (std::size_t i = 0; i < 3; ++i) {
            result.StatNames.emplace_back(PowerItemNames[static_cast<std::size_t>(3 * g) + i]);
            add(*at + 4 * i, 1, g + 1);
        }
    }
    const std::optional<std::size_t> l1 = PowerGroupOffset(flags, threePhase, currentWiring, PowerGroup::CurrentL1);
    if (!l1) return result;
    for (std::size_t i = 0; i < 3; ++i) {
        result.StatNames.emplace_back(PowerItemNames[9 + i]);
        add(*l1 + 4 * i, 2, 4);
    }
    for (PowerGroup phase : {PowerGroup::CurrentL2, PowerGroup::CurrentL3}) {
        const std::optional<std::size_t> at = PowerGroupOffset(flags, threePhase, currentWiring, phase);
        if (!at) break;
        for (std::size_t i = 0; i < 3; ++i) add(*at + 4 * i, 2, 4);
    }
    return result;
}

TTrendColumns BuildEnergyColumns(bool perPhase)
{
    TTrendColumns result;
    result.Axes.fill(1);
    // Wh for the active energies, VArh for the reactive quadrants, VAh for the apparent ones.
    constexpr int units[EnergyField::TotalCount] = {1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3};
    for (std::size_t i = 0; i < static_cast<std::size_t>(EnergyField::TotalCount); ++i) {
        result.StatNames.emplace_back(EnergyTotalNames[i]);
        result.Columns[i + 1] = static_cast<std::int32_t>(EnergyField::Totals + 4 * i);
        result.Units[i + 1] = units[i];
    }
    if (!perPhase) return result;
    for (std::size_t i = 0; i < static_cast<std::size_t>(EnergyField::PhaseEnergyCount); ++i) {
        const std::size_t entry = EnergyField::TotalCount + 1 + i;
        result.Columns[entry] = static_cast<std::int32_t>(EnergyField::PhaseEnergies + 4 * i);
        result.Units[entry] = 1;
    }
    return result;
}

int EnergyColumnEntry(int item, int phase, bool perPhase)
{
    if (!perPhase || item < 1 || item > 2 || phase < 0 || phase > 2) return item;
    return EnergyField::TotalCount + 1 + (item - 1) * 3 + phase;
}

std::vector<std::string> StatisticNames(std::uint16_t flags)
{
    std::vector<std::string> names{"none"};
    for (TrendValue value : HeldTrendValues(flags)) names.emplace_back(StatName(value));
    return names;
}

std::int32_t ColumnOffset(const TColumnTable& columns, int statCount, int phase, int item)
{
    if (item <= 0) return columns[0];
    const int entry = statCount * phase + item;
    if (entry < 0 || entry >= kColumnEntries) return columns[0];
    return columns[static_cast<std::size_t>(entry)];
}
