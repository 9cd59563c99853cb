// Column tables for each content-flag combination, and offsets resolved from them.
#include "views/trace_settings.h"
#include "views/trend_columns.h"

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
