// Column tables for each content-flag combination, and offsets resolved from them: the phase
// blocks, the powers and currents, the energies.
#include "views/trace_settings.h"
#include "views/trend_columns.h"
#include "views/trend_layout.h"
#include "views/trend_member.h"

#include "fixtures/data_fixture.h"
#include "survey/data_layout.h"

#include <gtest/gtest.h>

namespace {
struct ColumnCase {
    const char* name;
    std::uint16_t flags;
    bool threePhase;
    std::vector<std::string> names;         // without "none"
    std::vector<std::int32_t> l1;           // entries 1..n
    std::int32_t stride;                    // 0 single-phase
    bool curve;
    std::int32_t curveOffset;
};

const ColumnCase kColumnCases[] = {
    {"MinAvgMaxThreePhase", 2, true, {"Minimum", "Average", "Maximum"}, {20, 24, 28}, 14, false, 0},
    {"MinAvgMaxSinglePhase", 2, false, {"Minimum", "Average", "Maximum"}, {20, 24, 28}, 0, false, 0},
    {"Percentile90WithCurveSinglePhase", 2 | 4 | 32, false,
     {"Minimum", "Average", "Maximum", "Min Percentile 90%", "Max Percentile 90%"}, {20, 24, 28, 32, 36}, 0, true, 42},
    {"EverythingThreePhase", 2 | 4 | 8 | 16 | 32, true,
     {"Minimum", "Average", "Maximum", "Min Percentile 90%", "Max Percentile 90%", "Min Percentile 95%",
      "Max Percentile 95%", "Min Percentile 99%", "Max Percentile 99%"},
     {20, 24, 28, 32, 36, 40, 44, 48, 52}, 2 + 12 + 24 + 486, true, 58},
    {"PercentilesWithoutAverages", 8 | 16, true,
     {"Min Percentile 95%", "Max Percentile 95%", "Min Percentile 99%", "Max Percentile 99%"}, {20, 24, 28, 32}, 18, false, 0},
    {"NoStatistics", 0, true, {}, {}, 2, false, 0},
};
}  // namespace

TEST(ColumnTable, FollowsTheContentFlags)
{
    for (const ColumnCase& c : kColumnCases) {
        SCOPED_TRACE(c.name);
        const TTrendColumns t = BuildTrendColumns(c.flags, c.threePhase, kVoltageCurveClasses);
        ASSERT_EQ(t.StatNames.size(), c.names.size() + 1);
        EXPECT_EQ(t.StatNames[0], "none");
        EXPECT_EQ(std::vector<std::string>(t.StatNames.begin() + 1, t.StatNames.end()), c.names);
        const int n = static_cast<int>(c.l1.size());
        EXPECT_EQ(t.Columns[0], 0);
        for (int k = 1; k <= n; ++k) {
            EXPECT_EQ(t.Columns[k], c.l1[k - 1]);
            EXPECT_EQ(t.Columns[n + k], c.threePhase ? c.l1[k - 1] + c.stride : 0);
            EXPECT_EQ(t.Columns[2 * n + k], c.threePhase ? c.l1[k - 1] + 2 * c.stride : 0);
        }
        EXPECT_EQ(t.PhaseStride, c.threePhase ? c.stride : 0);
        EXPECT_EQ(t.HasCurve, c.curve);
        EXPECT_EQ(t.CurveOffset, c.curveOffset);
        // The columns agree with the record layout: the last L3 value ends inside the record.
        if (c.threePhase && n > 0) {
            EXPECT_LE(static_cast<std::size_t>(t.Columns[3 * n] + 4), TrendRecordSize(1, c.flags, true));
        }
    }
}

TEST(ColumnTable, OffsetsResolveFromStatisticAndPhase)
{
    const TTrendColumns t = BuildTrendColumns(2, true, kVoltageCurveClasses);
    TTraceSettings s = NewTraceSettings(200, 250);
    s.Entries[0].Item = 2;  // Average
    s.Entries[0].Phase = 2; // L3: entry 3 x 2 + 2 = 8
    s.Entries[1].Item = 3;  // Maximum L2: entry 6
    s.Entries[1].Phase = 1;
    s.Entries[2].Item = 0;  // none
    s.Entries[2].Phase = 2;
    s.Entries[2].Offset = 99;
    ResolveOffsets(s, t.Columns, t.StatCount());
    EXPECT_EQ(s.Entries[0].Offset, t.Columns[8]);
    EXPECT_EQ(s.Entries[0].Offset, 52);
    EXPECT_EQ(s.Entries[1].Offset, 42);
    EXPECT_EQ(s.Entries[2].Offset, 0);

    // An entry beyond the table (a phase the file lacks) falls back to "none" rather than
    // indexing past the table.
    EXPECT_EQ(ColumnOffset(t.Columns, 9, 2, 10), 0);
}

TEST(TraceSettings, NewViewsStartWithoutTracesInTheDefaultColours)
{
    const TTraceSettings s = NewTraceSettings(200, 250);
    EXPECT_TRUE(s.Axis1Auto);
    EXPECT_EQ(s.Axis1Min, 200);
    EXPECT_EQ(s.Axis1Max, 250);
    const std::uint32_t colours[] = {0x0000FF, 0x008000, 0xFF0000, 0x808000, 0xFF00FF, 0x008080};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(s.Entries[k].Item, 0);
        EXPECT_EQ(s.Entries[k].Colour, colours[k]);
        EXPECT_EQ(s.Entries[k].AxisIndex, 1);
    }
}

namespace {
// A powers record whose every value is distinct: group g (0 active ... 3 current L1, 4 L2, 5 L3),
// statistic i (0 minimum ... 2 maximum) holds 10 g + i + 1.
Bytes DistinctPowerRecord(std::uint16_t flags, std::uint16_t wiring, std::uint16_t currentWiring)
{
    auto group = [](int g) { return MinAvgMax{10.0f * g + 1, 10.0f * g + 2, 10.0f * g + 3}; };
    PowerRecordFields r{.wiring = wiring, .currentWiring = currentWiring, .flags = flags};
    r.active = group(0);
    r.reactive = group(1);
    r.apparent = group(2);
    r.currents = {group(3), group(4), group(5)};
    return PowerRecord(r);
}
}  // namespace

// The items, their columns, axes and units from the content flags and the wiring: every column
// points at the value the record holds there, and the current phases follow the wiring.
TEST(PowerColumns, ItemsColumnsAxesAndUnitsByFlagsAndWiring)
{
    const struct Case {
        const char* name;
        std::uint16_t flags, wiring, currentWiring;
        std::vector<std::string> names;    // without "none"
        std::vector<std::int32_t> offsets; // entries 1 on, the L2 and L3 currents included
        std::vector<float> values;         // what the record holds at each
        int extraCurrentPhases;
        std::array<bool, 2> axesHeld;
    } cases[] = {
        {"AllGroupsThreeCurrents", 2 | 4 | 8 | 16, 0, 0,
         {"Min. Active Power", "Avg. Active Power", "Max. Active Power", "Min. Reactive Power", "Avg. Reactive Power",
          "Max. Reactive Power", "Min. Apparent Power", "Avg. Apparent Power", "Max. Apparent Power", "Min. Current",
          "Avg. Current", "Max. Current"},
         {20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60, 64, 70, 74, 78, 84, 88, 92},
         {1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 32, 33, 41, 42, 43, 51, 52, 53}, 2, {true, true}},
        {"CurrentsOnly", 16, 0, 0, {"Min. Current", "Avg. Current", "Max. Current"},
         {20, 24, 28, 34, 38, 42, 48, 52, 56}, {31, 32, 33, 41, 42, 43, 51, 52, 53}, 2, {false, true}},
        {"TwoCurrentChannels", 4 | 16, 0, 1, {"Min. Reactive Power", "Avg. Reactive Power", "Max. Reactive Power",
                                               "Min. Current", "Avg. Current", "Max. Current"},
         {20, 24, 28, 32, 36, 40, 46, 50, 54}, {11, 12, 13, 31, 32, 33, 41, 42, 43}, 1, {true, true}},
        {"SinglePhaseL1Current", 2 | 16, 1, 0,
         {"Min. Active Power", "Avg. Active Power", "Max. Active Power", "Min. Current", "Avg. Current", "Max. Current"},
         {20, 24, 28, 32, 36, 40}, {1, 2, 3, 31, 32, 33}, 0, {true, true}},
        {"NoCurrents", 2 | 8, 0, 0,
         {"Min. Active Power", "Avg. Active Power", "Max. Active Power", "Min. Apparent Power", "Avg. Apparent Power",
          "Max. Apparent Power"},
         {20, 24, 28, 32, 36, 40}, {1, 2, 3, 21, 22, 23}, 0, {true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes record = DistinctPowerRecord(c.flags, c.wiring, c.currentWiring);
        const std::optional<TTrendLayout> layout = ReadPowerLayout(TTrendMember{}, FieldView(record));
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->ExtraCurrentPhases, c.extraCurrentPhases);
        ASSERT_TRUE(layout->AxesHeld);
        EXPECT_EQ(*layout->AxesHeld, c.axesHeld);
        const TTrendColumns& t = layout->Columns;
        ASSERT_EQ(t.StatNames.size(), c.names.size() + 1);
        EXPECT_EQ(std::vector<std::string>(t.StatNames.begin() + 1, t.StatNames.end()), c.names);
        EXPECT_EQ(t.Axes[0], 1);
        EXPECT_EQ(t.Units[0], 0);
        for (std::size_t k = 0; k < c.offsets.size(); ++k) {
            SCOPED_TRACE(k + 1);
            const std::int32_t at = t.Columns[k + 1];
            ASSERT_EQ(at, c.offsets[k]);
            EXPECT_EQ(FieldView(record).F32(static_cast<std::size_t>(at)), c.values[k]);
            // Values 1 to 23 are powers (unit by group), from 31 on currents.
            const bool current = c.values[k] > 30;
            EXPECT_EQ(t.Axes[k + 1], current ? 2 : 1);
            EXPECT_EQ(t.Units[k + 1], current ? 4 : static_cast<int>(c.values[k]) / 10 + 1);
        }
        EXPECT_EQ(t.Columns[c.offsets.size() + 1], 0);  // nothing behind the last current phase
    }
    // A record shorter than its head announces is refused.
    const Bytes full = DistinctPowerRecord(2 | 16, 0, 0);
    EXPECT_FALSE(ReadPowerLayout(TTrendMember{}, FieldView(std::span(full).first(full.size() - 1))));
}

// A power is always 3Ph.; a current takes its phase when the record holds it, else L1.
TEST(PowerColumns, TracesResolveToTheirEntryAxisAndUnit)
{
    const std::optional<TTrendLayout> layout = ReadPowerLayout(TTrendMember{}, FieldView(DistinctPowerRecord(2 | 4 | 8 | 16, 0, 1)));
    ASSERT_TRUE(layout);
    const struct {
        int item, phase;
        int resolvedPhase, offset, axis, unit;
    } cases[] = {
        {2, 1, 3, 24, 1, 1},   // Avg. Active Power chosen with L2 still checked: 3Ph.
        {8, 3, 3, 48, 1, 3},   // Avg. Apparent Power
        {12, 3, 0, 64, 2, 4},  // Max. Current on 3Ph.: L1
        {12, 1, 1, 78, 2, 4},  // Max. Current L2: entry 3 + 12 = 15
        {10, 2, 0, 56, 2, 4},  // L3 in a file of two current channels: L1
        {0, 1, 3, 0, 1, 0},    // none
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.item << " phase " << c.phase);
        TTraceEntry e{.Item = c.item, .Phase = c.phase};
        ResolvePowerTrace(e, layout->Columns, layout->ExtraCurrentPhases);
        EXPECT_EQ(e.Phase, c.resolvedPhase);
        EXPECT_EQ(e.Offset, c.offset);
        EXPECT_EQ(e.AxisIndex, c.axis);
        EXPECT_EQ(e.Extra, c.unit);
    }
}

// The eleven totals at 18 on, each with its unit; the per-phase active energies behind them,
// reached only through the received and delivered items of a file that holds them.
TEST(EnergyColumns, TotalsUnitsAndThePerPhaseRule)
{
    EnergyRecordFields fields{.perPhase = 0};
    for (std::size_t i = 0; i < fields.totals.size(); ++i) fields.totals[i] = static_cast<float>(i + 1);
    for (std::size_t i = 0; i < fields.phaseEnergies.size(); ++i) fields.phaseEnergies[i] = static_cast<float>(101 + i);
    const Bytes withPhases = EnergyRecord(fields);
    const std::optional<TTrendLayout> layout = ReadEnergyLayout(TTrendMember{}, FieldView(withPhases));
    ASSERT_TRUE(layout);
    ASSERT_TRUE(layout->PerPhase);
    const TTrendColumns& t = layout->Columns;
    ASSERT_EQ(t.StatCount(), 11);
    EXPECT_EQ(t.StatNames[1], "Active Energy Received");
    EXPECT_EQ(t.StatNames[2], "Active Energy Delivered ");  // its trailing blank kept
    EXPECT_EQ(t.StatNames[11], "Apparent Energy Q4");
    const int units[] = {0, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 1, 1, 1, 1, 1, 1};
    for (std::size_t k = 1; k <= 17; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(t.Columns[k], static_cast<std::int32_t>(18 + 4 * (k - 1)));
        EXPECT_EQ(t.Units[k], units[k]);
    }

    const struct {
        const char* name;
        int item, phase;
        bool perPhase;
        int resolvedPhase;
        float value;  // at the resolved offset
    } cases[] = {
        {"ReceivedL1", 1, 0, true, 0, 101},
        {"DeliveredL3", 2, 2, true, 2, 106},
        {"ReceivedTotal", 1, 3, true, 3, 1},
        {"ReactiveQ2WithL2StillChecked", 4, 1, true, 3, 4},  // no per-phase values: always the total
        {"ApparentQ4WithL3StillChecked", 11, 2, true, 3, 11},
        {"ReceivedL2WithoutPerPhaseValues", 1, 1, false, 3, 1},
    };
    const Bytes totalsOnly = EnergyRecord({.perPhase = 1, .totals = fields.totals});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes& record = c.perPhase ? withPhases : totalsOnly;
        const std::optional<TTrendLayout> l = ReadEnergyLayout(TTrendMember{}, FieldView(record));
        ASSERT_TRUE(l);
        EXPECT_EQ(l->PerPhase, c.perPhase);
        TTraceEntry e{.Item = c.item, .Phase = c.phase};
        ResolveEnergyTrace(e, l->Columns, l->PerPhase);
        EXPECT_EQ(e.Phase, c.resolvedPhase);
        EXPECT_EQ(e.Extra, l->Columns.Units[static_cast<std::size_t>(c.item)]);
        EXPECT_EQ(FieldView(record).F32(static_cast<std::size_t>(e.Offset)), c.value);
    }
    // A per-phase word of 0 in a record too short for the per-phase energies: refused.
    EXPECT_FALSE(ReadEnergyLayout(TTrendMember{}, FieldView(std::span(withPhases).first(EnergyField::Size))));
    EXPECT_EQ(totalsOnly.size(), static_cast<std::size_t>(EnergyField::Size));
}
