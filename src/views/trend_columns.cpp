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
