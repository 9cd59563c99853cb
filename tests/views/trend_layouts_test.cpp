// The layouts the frequency, unbalance, voltage-harmonics and flicker members read from a first
// record: phases, statistics and where each value and curve lies, for the flag combinations of
// each file kind; and the first records each refuses as corrupt.
#include "views/harmonic_layout.h"
#include "views/trend_layout.h"
#include "views/trend_member.h"

#include "fixtures/data_fixture.h"
#include "survey/text_tables.h"

#include <gtest/gtest.h>

namespace {
std::optional<TTrendLayout> Layout(const TTrendMember& member, const Bytes& record)
{
    return member.ReadLayout(member, FieldView(record));
}

const std::vector<std::string> kMinAvgMax{"none", "Minimum", "Average", "Maximum"};
}  // namespace

// Frequency and unbalance records hold one phase block whatever the wiring says: L1 columns
// only, no stride, the curve after L1's values.
TEST(PhaseBlockLayouts, FrequencyAndUnbalanceAreSinglePhase)
{
    struct Case {
        const char* name;
        const TTrendMember& member;
        std::uint16_t flags;
        std::vector<std::int32_t> l1;
        std::int32_t curveTotalAt;  // 0 without a curve
    };
    const Case cases[] = {
        // Head 18, channel code 2: minimum at 20.
        {"FrequencyMinAvgMaxCurve", FrequencyMember(), 2 | 32, {20, 24, 28}, 18 + 14 + 2},
        {"FrequencyPercentile95", FrequencyMember(), 2 | 8, {20, 24, 28, 32, 36}, 0},
        {"UnbalanceMinAvgMax90Curve", UnbalanceMember(), 2 | 4 | 32, {20, 24, 28, 32, 36}, 18 + 22 + 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto layout = Layout(c.member, TrendRecord(c.member.Measure, {.wiring = 0, .period = 600, .flags = c.flags}));
        ASSERT_TRUE(layout);
        EXPECT_FALSE(layout->ThreePhase);
        EXPECT_EQ(layout->RecordHead.size(), 18u);
        EXPECT_EQ(layout->Period, 600);
        const TTrendColumns& t = layout->Columns;
        ASSERT_EQ(t.StatCount(), static_cast<int>(c.l1.size()));
        for (std::size_t k = 0; k < c.l1.size(); ++k) EXPECT_EQ(t.Columns[k + 1], c.l1[k]);
        EXPECT_EQ(t.Columns[c.l1.size() + 1], 0);  // no L2 entries
        EXPECT_EQ(t.PhaseStride, 0);
        EXPECT_EQ(t.HasCurve, c.curveTotalAt != 0);
        EXPECT_EQ(t.CurveOffset, c.curveTotalAt);
    }
}

TEST(FlickerLayouts, FullAndShortSetsWithAndWithoutCpf)
{
    struct Case {
        const char* name;
        std::uint16_t flags;
        std::uint8_t mode;
        std::uint16_t wiring;
        std::vector<std::string> names;  // after "none"
        std::vector<std::int32_t> l1;
        std::int32_t stride;   // 0 single-phase
        std::int32_t curveAt;  // L1's first CPF value, 0 without curves
    };
    const std::vector<std::string> full{"Pst", "P50s", "P10s", "P3s", "P1s", "P01", "Pmax", "Plt"};
    const std::vector<std::int32_t> fullL1{25, 29, 33, 37, 41, 45, 49, 53};
    const Case cases[] = {
        {"Mode0FullWithCpfThreePhase", 1, 0, 0, full, fullL1, 32 + 4096, 57},
        {"Mode1FullSetFlagWithCpf", 1 | 2, 1, 0, full, fullL1, 32 + 4096, 57},
        {"Mode1ShortWithCpf", 1, 1, 0, {"Pst", "Plt"}, {25, 29}, 8 + 4096, 33},
        // The full-set flag counts in mode 1 only.
        {"Mode2ShortDespiteFullSetFlag", 2, 2, 0, {"Pst", "Plt"}, {25, 29}, 8, 0},
        {"Mode0FullWithoutCpf", 0, 0, 0, full, fullL1, 32, 0},
        {"SinglePhaseFullWithCpf", 1, 0, 1, full, fullL1, 0, 57},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto layout = Layout(FlickerMember(), FlickerRecord({.wiring = c.wiring, .period = 10, .flags = c.flags, .mode = c.mode}));
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->RecordHead.size(), 25u);
        EXPECT_EQ(layout->Period, 10);
        EXPECT_EQ(layout->ThreePhase, c.wiring == 0);
        const TTrendColumns& t = layout->Columns;
        EXPECT_EQ(std::vector<std::string>(t.StatNames.begin() + 1, t.StatNames.end()), c.names);
        const std::size_t n = c.l1.size();
        for (std::size_t k = 0; k < n; ++k) {
            EXPECT_EQ(t.Columns[k + 1], c.l1[k]);
            EXPECT_EQ(t.Columns[n + k + 1], c.stride ? c.l1[k] + c.stride : 0);
            EXPECT_EQ(t.Columns[2 * n + k + 1], c.stride ? c.l1[k] + 2 * c.stride : 0);
        }
        EXPECT_EQ(t.PhaseStride, c.stride);
        EXPECT_EQ(t.HasCurve, c.curveAt != 0);
        EXPECT_EQ(t.CurveOffset, c.curveAt);
    }
}

TEST(FlickerLayouts, ARecordShorterThanItsHeadAnnouncesIsRefused)
{
    Bytes record = FlickerRecord({.flags = 1, .mode = 0});  // three phases of 32 + 4096 bytes
    record.resize(record.size() - 1);
    EXPECT_FALSE(Layout(FlickerMember(), record));
    EXPECT_FALSE(Layout(FlickerMember(), Bytes(24, 0)));  // not even the head
}

namespace {
// THD and orders 1 to 25, each block of the flags given.
HarmonicsRecordFields TwentySixBlocks(std::uint16_t flags, std::uint16_t wiring)
{
    HarmonicsRecordFields r{.wiring = wiring};
    for (int order = 0; order <= 25; ++order) r.blocks.push_back({.flags = flags, .order = order});
    return r;
}
}  // namespace

TEST(HarmonicLayouts, BlocksOfAverageMinimumMaximumThreePhase)
{
    const auto layout = Layout(VoltageHarmonicsMember(), HarmonicsRecord(TwentySixBlocks(2, 0)));
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->ThreePhase);
    EXPECT_EQ(layout->RecordHead.size(), 16u);
    ASSERT_EQ(layout->Blocks.size(), 26u);
    EXPECT_EQ(layout->Blocks[0].OrderName, "Thd");
    EXPECT_EQ(layout->Blocks[1].OrderName, "1st");
    EXPECT_EQ(layout->Blocks[2].OrderName, "2nd");
    EXPECT_EQ(layout->Blocks[3].OrderName, "3rd");
    EXPECT_EQ(layout->Blocks[25].OrderName, "25th");
    EXPECT_FALSE(layout->Columns.HasCurve);
    // A block is its flags word and three phase parts of 14 bytes: 44 bytes.
    for (int b : {0, 1, 13, 25}) {
        SCOPED_TRACE(b);
        EXPECT_EQ(layout->Blocks[static_cast<std::size_t>(b)].StatNames, kMinAvgMax);
        EXPECT_EQ(HarmonicValueOffset(*layout, b, 2, 0), 20 + b * 44 + 4);       // L1 Average
        EXPECT_EQ(HarmonicValueOffset(*layout, b, 3, 2), 20 + b * 44 + 28 + 8);  // L3 Maximum
    }
    EXPECT_EQ(HarmonicValueOffset(*layout, 26, 1, 0), -1);  // no such block
    EXPECT_EQ(HarmonicValueOffset(*layout, 0, 4, 0), -1);   // no such statistic
    EXPECT_EQ(HarmonicTraceCaption(*layout, {.Item = 2, .Extra = 5, .Phase = 0}), "L1 5th - Average");
    EXPECT_EQ(HarmonicTraceCaption(*layout, {.Item = 3, .Extra = 0, .Phase = 2}), "L3 Thd - Maximum");
    EXPECT_EQ(HarmonicTraceCaption(*layout, {.Item = 0, .Extra = 5}), "none");
}

// Each block has its own flags: statistics, sizes and value positions follow them block by block.
TEST(HarmonicLayouts, EachBlockWithItsOwnFlags)
{
    struct Case {
        const char* name;
        std::uint16_t wiring;
        std::vector<std::uint16_t> flags;
        std::vector<std::uint32_t> starts;       // each block's flags word
        std::vector<std::string> secondNames;    // block 1's statistics
        std::int32_t secondStat1L1, secondStat1L2;  // block 1's first value, L1 and L2 (-1: single phase, as L1)
        std::vector<std::int64_t> curveTotals;   // L1, L2 of the curve blocks, in order
    };
    const Case cases[] = {
        // 0x100 adds 12 bytes per phase after the phase parts: 42 + 36, the next flags word 80 on.
        {"ExtraBytesThreePhase", 0, {2 | 0x100, 4}, {16, 96}, {"none", "Min Percentile 90%", "Max Percentile 90%"},
         96 + 4, 96 + 4 + 10, {}},
        // Without flag 2 the first value is the 90 % minimum; a phase part of 2 + 8 bytes.
        {"PercentilesOnlySinglePhase", 1, {2, 4}, {16, 32}, {"none", "Min Percentile 90%", "Max Percentile 90%"},
         32 + 4, 32 + 4, {}},
        // A curve block: its phase part is 2 + 12 + 8 + 206; the sample total 2 bytes into the curve.
        {"CurveThenFewerStatistics", 0, {2 | 8 | 32, 2}, {16, 16 + 2 + 3 * 228}, kMinAvgMax, 16 + 2 + 684 + 4,
         16 + 2 + 684 + 4 + 14, {16 + 2 + 22 + 2, 16 + 2 + 228 + 22 + 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HarmonicsRecordFields r{.wiring = c.wiring};
        for (std::size_t b = 0; b < c.flags.size(); ++b) r.blocks.push_back({.flags = c.flags[b], .order = static_cast<int>(b) * 2 + 1});
        const auto layout = Layout(VoltageHarmonicsMember(), HarmonicsRecord(r));
        ASSERT_TRUE(layout);
        ASSERT_EQ(layout->Blocks.size(), c.flags.size());
        for (std::size_t b = 0; b < c.starts.size(); ++b) {
            EXPECT_EQ(layout->Blocks[b].Start, c.starts[b]);
            EXPECT_EQ(layout->Blocks[b].Flags, c.flags[b]);
        }
        EXPECT_EQ(layout->Blocks[1].OrderName, "3rd");
        EXPECT_EQ(layout->Blocks[1].StatNames, c.secondNames);
        EXPECT_EQ(HarmonicValueOffset(*layout, 1, 1, 0), c.secondStat1L1);
        EXPECT_EQ(HarmonicValueOffset(*layout, 1, 1, 1), c.secondStat1L2);
        const std::vector<TTrendBlock> curves = HarmonicCurveBlocks(*layout);
        EXPECT_EQ(layout->Columns.HasCurve, !c.curveTotals.empty());
        if (c.curveTotals.empty()) {
            EXPECT_TRUE(curves.empty());
            continue;
        }
        ASSERT_EQ(curves.size(), 1u);
        EXPECT_EQ(curves[0].OrderName, "1st");
        EXPECT_EQ(HarmonicCurveTotalAt(curves[0], 0), c.curveTotals[0]);
        EXPECT_EQ(HarmonicCurveTotalAt(curves[0], 1), c.curveTotals[1]);
    }
}

// A count or code that does not fit the tables, or a walk past the record, is a corrupt file.
TEST(HarmonicLayouts, CorruptFirstRecordsAreRefused)
{
    HarmonicsRecordFields tooMany = TwentySixBlocks(2, 1);
    tooMany.blockCount = kMaxHarmonicBlocks + 1;
    while (static_cast<int>(tooMany.blocks.size()) < kMaxHarmonicBlocks + 1) tooMany.blocks.push_back({.flags = 2, .order = 1});
    EXPECT_FALSE(Layout(VoltageHarmonicsMember(), HarmonicsRecord(tooMany)));

    HarmonicsRecordFields atCapacity = tooMany;
    atCapacity.blocks.pop_back();
    atCapacity.blockCount = kMaxHarmonicBlocks;
    const auto full = Layout(VoltageHarmonicsMember(), HarmonicsRecord(atCapacity));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->Blocks.size(), static_cast<std::size_t>(kMaxHarmonicBlocks));

    HarmonicsRecordFields pastRecord = TwentySixBlocks(2, 0);
    pastRecord.blockCount = 27;  // one block more than the record holds
    EXPECT_FALSE(Layout(VoltageHarmonicsMember(), HarmonicsRecord(pastRecord)));

    for (int channel : {9, 10 + kHarmonicChannels}) {
        SCOPED_TRACE(channel);
        HarmonicsRecordFields badCode = TwentySixBlocks(2, 0);
        badCode.blocks[4].phases = {PhaseBlockFields{.channel = channel}};
        EXPECT_FALSE(Layout(VoltageHarmonicsMember(), HarmonicsRecord(badCode)));
    }
    EXPECT_FALSE(Layout(VoltageHarmonicsMember(), Bytes(15, 0)));  // not even the head
}

// Current-harmonics records: blocks named by their index, minimum, average and maximum pairs
// of percent and ampere per phase, three phases or L1 alone.
TEST(CurrentHarmonicLayouts, OrdersOffsetsPairsAndCaptions)
{
    // Block b, phase p, statistic s (0 minimum): percent 100 b + 10 p + s, ampere that + 0.5.
    auto record = [](std::uint16_t wiring, std::vector<std::uint16_t> flags) {
        CurrentHarmonicsRecordFields r{.wiring = wiring};
        const int indexes[] = {0, 1, 2, 5};
        for (std::size_t b = 0; b < flags.size(); ++b) {
            CurrentHarmonicBlockFields block{.flags = flags[b], .index = indexes[b]};
            for (int p = 0; p < 3; ++p) {
                const float v = 100.0f * static_cast<float>(b) + 10.0f * static_cast<float>(p);
                block.phases.push_back({.minPercent = v, .minAmpere = v + 0.5f, .avgPercent = v + 1, .avgAmpere = v + 1.5f,
                                        .maxPercent = v + 2, .maxAmpere = v + 2.5f});
            }
            r.blocks.push_back(block);
        }
        return CurrentHarmonicsRecord(r);
    };
    const Bytes three = record(0, {2, 2, 2, 2});
    const auto layout = Layout(CurrentHarmonicsMember(), three);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->ThreePhase);
    EXPECT_EQ(layout->RecordHead.size(), 12u);
    ASSERT_EQ(layout->Blocks.size(), 4u);
    const char* names[] = {"Thd", "DC", "1st", "4th"};
    for (std::size_t b = 0; b < 4; ++b) {
        EXPECT_EQ(layout->Blocks[b].OrderName, names[b]);
        EXPECT_EQ(layout->Blocks[b].StatNames, kMinAvgMax);
    }
    // Every block is 80 bytes: its flags word and three phase parts of 26.
    EXPECT_EQ(CurrentHarmonicValueOffset(*layout, 0, 2, 0), 24);   // block 0, L1, average
    EXPECT_EQ(CurrentHarmonicValueOffset(*layout, 1, 3, 1), 138);  // block 1, L2, maximum
    EXPECT_EQ(CurrentHarmonicValueOffset(*layout, 4, 1, 0), -1);   // no such block
    EXPECT_EQ(CurrentHarmonicValueOffset(*layout, 0, 4, 0), -1);   // no such statistic
    FieldView view(three);
    for (int b = 0; b < 4; ++b)
        for (int p = 0; p < 3; ++p)
            for (int s = 1; s <= 3; ++s) {
                const TTraceEntry percent{.Item = s, .Offset = CurrentHarmonicValueOffset(*layout, b, s, p), .Extra = b, .Phase = p};
                TTraceEntry ampere = percent;
                ampere.AxisIndex = 2;
                const float expected = 100.0f * static_cast<float>(b) + 10.0f * static_cast<float>(p) + static_cast<float>(s - 1);
                const TTraceRead onPercent = CurrentHarmonicTrace(*layout, percent), onAmpere = CurrentHarmonicTrace(*layout, ampere);
                EXPECT_EQ(view.F32(onPercent.Columns[onPercent.Plotted].Offset), expected);
                EXPECT_EQ(view.F32(onAmpere.Columns[onAmpere.Plotted].Offset), expected + 0.5f);
            }
    EXPECT_EQ(CurrentHarmonicTraceCaption(*layout, {.Item = 2, .Extra = 3, .Phase = 0}), "L1 4th - Average(%)");
    EXPECT_EQ(CurrentHarmonicTraceCaption(*layout, {.Item = 3, .Extra = 0, .Phase = 2, .AxisIndex = 2}), "L3 Thd - Maximum(A)");
    EXPECT_EQ(CurrentHarmonicTraceCaption(*layout, {.Item = 0, .Extra = 1}), "none");

    // A single-phase recording holds L1 alone, which every phase reads; a block without flag 2
    // offers only "none".
    const auto single = Layout(CurrentHarmonicsMember(), record(1, {2, 0, 2}));
    ASSERT_TRUE(single);
    EXPECT_FALSE(single->ThreePhase);
    EXPECT_EQ(single->Blocks[1].StatNames, std::vector<std::string>{"none"});
    EXPECT_EQ(single->Blocks[2].Start, 12u + (2 + 26) + (2 + 2));  // a block without flag 2 holds its code alone
    EXPECT_EQ(CurrentHarmonicValueOffset(*single, 2, 1, 2), CurrentHarmonicValueOffset(*single, 2, 1, 0));
}

TEST(CurrentHarmonicLayouts, CorruptFirstRecordsAreRefused)
{
    CurrentHarmonicsRecordFields tooMany;
    for (int b = 0; b <= kMaxHarmonicBlocks; ++b) tooMany.blocks.push_back({.index = 2});
    EXPECT_FALSE(Layout(CurrentHarmonicsMember(), CurrentHarmonicsRecord(tooMany)));
    tooMany.blocks.pop_back();
    EXPECT_TRUE(Layout(CurrentHarmonicsMember(), CurrentHarmonicsRecord(tooMany)));

    CurrentHarmonicsRecordFields badCode{.blocks = {{.index = 2}, {.index = 3, .phases = {{.channel = 199}}}}};
    EXPECT_FALSE(Layout(CurrentHarmonicsMember(), CurrentHarmonicsRecord(badCode)));
    const Bytes good = CurrentHarmonicsRecord({.blocks = {{.index = 2}}});
    EXPECT_FALSE(Layout(CurrentHarmonicsMember(), Bytes(good.begin(), good.end() - 1)));  // past the record
    EXPECT_FALSE(Layout(CurrentHarmonicsMember(), Bytes(11, 0)));  // not even the head
}
