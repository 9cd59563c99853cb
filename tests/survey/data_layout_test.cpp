// Record sizes, value offsets, channel codes and the header check of the fixed-record files,
// against records the fixture builder writes field by field.
#include "survey/data_layout.h"

#include "fixtures/data_fixture.h"
#include "platform/little_endian.h"
#include "survey/records.h"

#include <gtest/gtest.h>

namespace {
constexpr std::uint16_t F2 = FlagMinAvgMax, F4 = FlagPercentile90, F8 = FlagPercentile95, F16 = FlagPercentile99,
                        F32 = FlagDensityCurve, FX = FlagHarmonicExtra;

float At(const Bytes& record, std::optional<std::size_t> offset)
{
    EXPECT_TRUE(offset.has_value());
    EXPECT_LE(offset.value_or(0) + 4, record.size());
    return offset && *offset + 4 <= record.size() ? LoadF32(&record[*offset]) : -1.0f;
}

PhaseBlockFields Phase(float base)
{
    PhaseBlockFields p;
    p.values = {base + 1, base + 2, base + 3};
    p.percentiles = {base + 4, base + 5, base + 6, base + 7, base + 8, base + 9};
    p.curveTotal = static_cast<std::uint32_t>(base) + 1000;
    return p;
}

HarmonicBlockFields HarmonicBlock(std::uint16_t flags, int order)
{
    return {flags, order, {Phase(10.0f * order), Phase(10.0f * order + 100), Phase(10.0f * order + 200)}};
}
}  // namespace

TEST(DataLayout, RecordSizesOfEveryFileKind)
{
    struct Case {
        const char* what;
        Bytes record;
        std::size_t rule;  // the program's size rule
        std::size_t hand;  // computed by hand from the layout
    };
    const std::uint16_t twoBlocks[] = {F2, F2 | F32};
    const std::uint16_t extraBlock[] = {F2 | FX};
    const std::uint16_t currentBlocks[] = {F2 | FX, 0};
    const std::uint16_t currentBlock[] = {F2};
    const Case cases[] = {
        {"voltage 2, 3 ph", TrendRecord(1, {.flags = F2}), TrendRecordSize(1, F2, true), 60},
        {"voltage 2|4|32, 1 ph", TrendRecord(1, {.wiring = 1, .flags = F2 | F4 | F32}), TrendRecordSize(1, F2 | F4 | F32, false), 526},
        {"voltage all, 3 ph", TrendRecord(1, {.flags = F2 | F4 | F8 | F16 | F32}), TrendRecordSize(1, F2 | F4 | F8 | F16 | F32, true), 1590},
        {"voltage no values, 1 ph", TrendRecord(1, {.wiring = 2, .flags = 0}), TrendRecordSize(1, 0, false), 20},
        {"frequency 2|32", TrendRecord(2, {.flags = F2 | F32}), TrendRecordSize(2, F2 | F32, true), 638},
        {"unbalance 2|4", TrendRecord(3, {.flags = F2 | F4}), TrendRecordSize(3, F2 | F4, true), 40},
        {"unbalance 2|32", TrendRecord(3, {.flags = F2 | F32}), TrendRecordSize(3, F2 | F32, true), 438},
        {"harmonics 2|0x100, 3 ph", HarmonicsRecord({.blocks = {HarmonicBlock(F2 | FX, 1)}}), HarmonicsRecordSize(extraBlock, true), 96},
        {"harmonics 2 and 2|32, 3 ph", HarmonicsRecord({.blocks = {HarmonicBlock(F2, 0), HarmonicBlock(F2 | F32, 1)}}), HarmonicsRecordSize(twoBlocks, true), 722},
        {"harmonics 2 and 2|32, 1 ph", HarmonicsRecord({.wiring = 1, .blocks = {HarmonicBlock(F2, 0), HarmonicBlock(F2 | F32, 1)}}), HarmonicsRecordSize(twoBlocks, false), 16 + 16 + 2 + 220},
        {"flicker mode 0, 3 ph", FlickerRecord({.mode = 0}), FlickerRecordSize(0, 0, true), 121},
        {"flicker mode 2 flag 2, 1 ph", FlickerRecord({.wiring = 1, .flags = 2, .mode = 2}), FlickerRecordSize(2, 2, false), 33},
        {"flicker mode 1 flag 0, 1 ph", FlickerRecord({.wiring = 1, .flags = 0, .mode = 1}), FlickerRecordSize(0, 1, false), 33},
        {"flicker mode 1 flags 3, 3 ph", FlickerRecord({.flags = 3, .mode = 1}), FlickerRecordSize(3, 1, true), 25 + 3 * 4128},
        {"event", EventRecord({}), EventField::Size, 24},
        {"powers all, 3 ph", PowerRecord({}), PowerRecordSize(30, true, 0), 96},
        {"powers all, 3 ph, two currents", PowerRecord({.currentWiring = 1}), PowerRecordSize(30, true, 1), 82},
        {"powers all, 1 ph", PowerRecord({.wiring = 1}), PowerRecordSize(30, false, 0), 68},
        {"powers active only", PowerRecord({.flags = 2}), PowerRecordSize(2, true, 0), 32},
        {"current harmonics 2, 3 ph", CurrentHarmonicsRecord({.blocks = {{F2, 2, {}}}}), CurrentHarmonicsRecordSize(currentBlock, true), 92},
        {"current harmonics 2|0x100 and 0, 3 ph", CurrentHarmonicsRecord({.blocks = {{F2 | FX, 0, {}}, {0, 1, {}}}}), CurrentHarmonicsRecordSize(currentBlocks, true), 136},
        {"energy with phases", EnergyRecord({.perPhase = 0}), EnergyRecordSize(0), 86},
        {"energy totals only", EnergyRecord({.perPhase = 1}), EnergyRecordSize(1), 62},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.record.size(), c.hand) << c.what;
        EXPECT_EQ(c.rule, c.hand) << c.what;
    }
}

TEST(DataLayout, VoltageValueOffsets)
{
    const Bytes threePhase = TrendRecord(1, {.flags = F2, .phases = {Phase(0), Phase(100), Phase(200)}});
    EXPECT_EQ(TrendValueOffset(F2, kVoltageCurveClasses, 0, TrendValue::Average), 24u);
    EXPECT_EQ(TrendValueOffset(F2, kVoltageCurveClasses, 1, TrendValue::Average), 38u);
    EXPECT_EQ(TrendValueOffset(F2, kVoltageCurveClasses, 2, TrendValue::Average), 52u);
    EXPECT_EQ(At(threePhase, TrendValueOffset(F2, kVoltageCurveClasses, 2, TrendValue::Maximum)), 203);
    EXPECT_FALSE(TrendValueOffset(F2, kVoltageCurveClasses, 0, TrendValue::Min90));
    EXPECT_FALSE(TrendValueOffset(F4, kVoltageCurveClasses, 0, TrendValue::Average));

    // 2|8|16, three phases: the 95 % pair follows the averages directly.
    const std::uint16_t flags = F2 | F8 | F16;
    const Bytes pct = TrendRecord(1, {.flags = flags, .phases = {Phase(0), Phase(100), Phase(200)}});
    EXPECT_EQ(At(pct, TrendValueOffset(flags, kVoltageCurveClasses, 0, TrendValue::Min95)), 6);
    EXPECT_EQ(At(pct, TrendValueOffset(flags, kVoltageCurveClasses, 1, TrendValue::Max99)), 109);
    EXPECT_EQ(At(pct, TrendValueOffset(flags, kVoltageCurveClasses, 2, TrendValue::Average)), 202);

    // 2|4|32, one phase: the curve block at +40, its sample total at +42.
    const std::uint16_t curveFlags = F2 | F4 | F32;
    const Bytes curve = TrendRecord(1, {.wiring = 1, .flags = curveFlags, .phases = {Phase(7)}});
    EXPECT_EQ(TrendCurveOffset(curveFlags, kVoltageCurveClasses, 0), 40u);
    EXPECT_EQ(LoadU32(&curve[40 + kCurveTotalAt]), 1007u);
    EXPECT_FALSE(TrendCurveOffset(F2, kVoltageCurveClasses, 0));
}

TEST(DataLayout, FrequencyCurveUsesItsOwnClassCount)
{
    const Bytes r = TrendRecord(2, {.flags = F2 | F32, .phases = {Phase(50)}});
    EXPECT_EQ(At(r, TrendValueOffset(F2 | F32, CurveClasses(MeasureFrequency), 0, TrendValue::Average)), 52);
    EXPECT_EQ(LoadU32(&r[*TrendCurveOffset(F2 | F32, kFrequencyCurveClasses, 0) + kCurveTotalAt]), 1050u);
}

TEST(DataLayout, HarmonicBlocksFollowEachOther)
{
    // Three-phase 2|0x100: 42 bytes of phase parts, 36 extra, next flags word 80 bytes on.
    EXPECT_EQ(HarmonicPhaseSize(F2 | FX, true), 42u);
    EXPECT_EQ(HarmonicBlockSize(F2 | FX, true), 78u);
    const Bytes r = HarmonicsRecord({.blocks = {HarmonicBlock(F2 | FX, 0), HarmonicBlock(F2 | F32, 1), HarmonicBlock(F2, 3)}});
    auto blocks = HarmonicBlocks(r, false);
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), 3u);
    EXPECT_EQ((*blocks)[0].start, 16u);
    EXPECT_EQ((*blocks)[1].start, 96u);
    EXPECT_EQ((*blocks)[1].flags, F2 | F32);
    EXPECT_EQ((*blocks)[2].start, 96u + 2 + HarmonicBlockSize(F2 | F32, true));
    // Channel code of the third block's L2, and its L3 average through the phase stride.
    const std::size_t third = (*blocks)[2].start + 2;
    EXPECT_EQ(LoadU16(&r[third + 14]), VoltageHarmonicChannel(3, 1));
    EXPECT_EQ(LoadF32(&r[third + 2 * 14 + 6]), 232);
    // The curve of L2 in the second block.
    EXPECT_EQ(LoadU32(&r[(*blocks)[1].start + 2 + HarmonicCurveOffset(F2 | F32, 1) + kCurveTotalAt]), 1110u);
}

TEST(DataLayout, HarmonicBlocksRefuseOverrunsAndTooManyBlocks)
{
    Bytes r = HarmonicsRecord({.blocks = {HarmonicBlock(F2, 1)}});
    EXPECT_TRUE(HarmonicBlocks(r, false));
    Bytes overrun = HarmonicsRecord({.blocks = {HarmonicBlock(F2, 1)}, .blockCount = 2});
    EXPECT_FALSE(HarmonicBlocks(overrun, false));
    r[16] = 0x20;  // flags now claim a curve the record does not hold
    EXPECT_FALSE(HarmonicBlocks(r, false));
    Bytes many = HarmonicsRecord({.blocks = {}, .blockCount = kMaxHarmonicBlocks + 1});
    many.resize(100000);
    EXPECT_FALSE(HarmonicBlocks(many, false));
}

TEST(DataLayout, HarmonicBlocksNameTheirOrderAndTheFirstBlockOfAnOrderIsFound)
{
    // Orders in record order, not sorted; order 3 twice: the first one is the one found.
    const Bytes v = HarmonicsRecord({.blocks = {HarmonicBlock(F2, 0), HarmonicBlock(F4, 3), HarmonicBlock(F2, 51),
                                                HarmonicBlock(F2, 3)}});
    auto blocks = HarmonicBlocks(v, false);
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), 4u);
    EXPECT_EQ((std::vector<int>{(*blocks)[0].order, (*blocks)[1].order, (*blocks)[2].order, (*blocks)[3].order}),
              (std::vector<int>{0, 3, 51, 3}));
    EXPECT_EQ(FindHarmonicBlock(*blocks, 3), &(*blocks)[1]);
    EXPECT_EQ(FindHarmonicBlock(*blocks, 5), nullptr);
    // Each block is read by its own flags: L3 of the 90 % block, and no average in it.
    EXPECT_EQ(At(v, HarmonicBlockValueOffset((*blocks)[1], 2, TrendValue::Max90)), 30 + 200 + 5);
    EXPECT_FALSE(HarmonicBlockValueOffset((*blocks)[1], 0, TrendValue::Average));

    // Current blocks name their index (0 THD, 1 DC, 2 the fundamental).
    const Bytes c = CurrentHarmonicsRecord({.blocks = {{F2, 1, {}}, {0, 4, {}}}});
    auto current = HarmonicBlocks(c, true);
    ASSERT_TRUE(current);
    ASSERT_EQ(current->size(), 2u);
    EXPECT_EQ((*current)[0].order, 1);
    EXPECT_EQ((*current)[1].order, 4);
    EXPECT_FALSE(CurrentHarmonicBlockValueOffset((*current)[1], 0, 1)) << "no values without flag 2";
}

TEST(DataLayout, HarmonicBlocksRefuseAChannelCodeOutsideTheChannels)
{
    // Both ends of the 156 channels of each kind (orders 0 to 51, three phases each).
    struct Case { bool current; int code; bool accepted; } cases[] = {
        {false, 9, false}, {false, 10, true}, {false, 165, true}, {false, 166, false},
        {true, 199, false}, {true, 200, true}, {true, 355, true}, {true, 356, false},
    };
    for (const Case& c : cases) {
        HarmonicsRecordFields v{.wiring = 1, .blocks = {HarmonicBlock(F2, 1), HarmonicBlock(F2, 2)}};
        v.blocks[1].phases = {PhaseBlockFields{.channel = c.code}};
        CurrentHarmonicsRecordFields i{.wiring = 1, .blocks = {{F2, 2, {}}, {F2, 3, {{.channel = c.code}}}}};
        const Bytes record = c.current ? CurrentHarmonicsRecord(i) : HarmonicsRecord(v);
        EXPECT_EQ(HarmonicBlocks(record, c.current).has_value(), c.accepted) << c.current << " " << c.code;
    }
}

TEST(DataLayout, FlickerStatisticOffsets)
{
    FlickerPhaseFields l1, l2;
    for (int i = 0; i < 8; ++i) {
        l1.stats[static_cast<std::size_t>(i)] = static_cast<float>(i);
        l2.stats[static_cast<std::size_t>(i)] = static_cast<float>(10 + i);
    }
    struct Case {
        std::uint16_t flags;
        std::uint8_t mode;
        std::size_t pltL1;
    } cases[] = {{0, 0, 53}, {2, 1, 53}, {0, 1, 29}, {2, 2, 29}, {3, 1, 53}, {1, 2, 29}};
    for (const auto& c : cases) {
        const Bytes r = FlickerRecord({.flags = c.flags, .mode = c.mode, .phases = {l1, l2}});
        EXPECT_EQ(FlickerStatOffset(c.flags, c.mode, 0, 7), c.pltL1) << c.flags << "/" << int(c.mode);
        EXPECT_EQ(At(r, FlickerStatOffset(c.flags, c.mode, 0, 7)), 7);
        EXPECT_EQ(At(r, FlickerStatOffset(c.flags, c.mode, 1, 0)), 10);
        EXPECT_EQ(At(r, FlickerStatOffset(c.flags, c.mode, 1, 7)), 17);
        EXPECT_EQ(FlickerStatOffset(c.flags, c.mode, 0, 3).has_value(), FlickerUsesFullSet(c.flags, c.mode));
    }
    EXPECT_EQ(FlickerCurveOffset(1, 2, 1), 25u + 4104 + 8);
}

TEST(DataLayout, PowerAndCurrentOffsets)
{
    PowerRecordFields f;
    f.active = {1, 2, 3};
    f.reactive = {4, 5, 6};
    f.apparent = {7, 8, 9};
    f.currents = {MinAvgMax{10, 11, 12}, MinAvgMax{20, 21, 22}, MinAvgMax{30, 31, 32}};
    const Bytes r = PowerRecord(f);
    EXPECT_EQ(PowerGroupOffset(30, true, 0, PowerGroup::Active), 20u);
    EXPECT_EQ(At(r, PowerGroupOffset(30, true, 0, PowerGroup::Apparent)), 7);
    EXPECT_EQ(At(r, PowerGroupOffset(30, true, 0, PowerGroup::CurrentL1)), 10);
    EXPECT_EQ(At(r, PowerGroupOffset(30, true, 0, PowerGroup::CurrentL2)), 20);
    EXPECT_EQ(At(r, PowerGroupOffset(30, true, 0, PowerGroup::CurrentL3)), 30);
    EXPECT_FALSE(PowerGroupOffset(30, true, 1, PowerGroup::CurrentL3));
    EXPECT_FALSE(PowerGroupOffset(30, false, 0, PowerGroup::CurrentL2));

    f.flags = FlagReactivePower | FlagCurrents;
    const Bytes partial = PowerRecord(f);
    EXPECT_EQ(At(partial, PowerGroupOffset(f.flags, true, 0, PowerGroup::Reactive)), 4);
    EXPECT_EQ(At(partial, PowerGroupOffset(f.flags, true, 0, PowerGroup::CurrentL2)), 20);
    EXPECT_FALSE(PowerGroupOffset(f.flags, true, 0, PowerGroup::Active));
}

TEST(DataLayout, CurrentHarmonicAndEnergyOffsets)
{
    const Bytes h = CurrentHarmonicsRecord({.blocks = {{F2 | FX, 0, {}}, {F2, 3, {{-1, 1, 2, 3, 4, 5, 6}, {-1, 7, 8, 9, 10, 11, 12}}}}});
    auto blocks = HarmonicBlocks(h, true);
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), 2u);
    const std::size_t second = (*blocks)[1].start;
    EXPECT_EQ(second, 12u + 2 + CurrentHarmonicBlockSize(F2 | FX, true));
    const std::size_t l2 = second + 2 + CurrentHarmonicPhaseSize(F2, false);
    EXPECT_EQ(LoadU16(&h[l2]), CurrentHarmonicChannel(3, 1));
    EXPECT_EQ(LoadF32(&h[l2 + 2 + 8]), 9);  // L2 average percent

    EnergyRecordFields e{.perPhase = 0};
    for (int i = 0; i < 11; ++i) e.totals[static_cast<std::size_t>(i)] = static_cast<float>(i + 1);
    for (int i = 0; i < 6; ++i) e.phaseEnergies[static_cast<std::size_t>(i)] = static_cast<float>(100 + i);
    const Bytes en = EnergyRecord(e);
    EXPECT_EQ(LoadF32(&en[EnergyField::Totals + 4 * 10]), 11);
    EXPECT_EQ(LoadF32(&en[EnergyField::PhaseEnergies + 4 * 5]), 105);
    EXPECT_EQ(LoadU16(&en[EnergyField::PerPhase]), 0);
}

TEST(DataLayout, ChannelPhaseAndClass)
{
    struct Case {
        int code, phase, klass;
    } cases[] = {
        {0, 0, 1}, {2, 2, 1}, {3, 0, 2}, {4, 0, 3}, {5, 0, 5}, {7, 2, 5}, {8, 3, 1}, {9, 0, 11},
        {10, 0, 4}, {14, 1, 4}, {149, 1, 4}, {150, 0, 6}, {151, 0, 7}, {152, 0, 8}, {153, 0, 9},
        {155, 2, 9}, {156, 0, 11}, {200, 0, 10}, {205, 2, 10}, {281, 0, 10}, {284, 0, 11}, {286, 2, 11},
        {287, 0, 11}, {288, 0, 11}, {-1, 0, 11}, {32767, 0, 11}, {65535, 0, 11},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChannelPhase(c.code), c.phase) << c.code;
        EXPECT_EQ(ChannelClass(c.code), c.klass) << c.code;
    }
}

TEST(DataLayout, HeaderCheck)
{
    struct Case {
        const char* what;
        TDataFileHeader header;
        std::uint64_t fileSize;
        DataFileFault fault;
    } cases[] = {
        {"good", {8 + 3 * 60, 3}, 188, DataFileFault::None},
        {"trailing bytes", {8 + 3 * 60, 3}, 500, DataFileFault::None},
        {"zero count", {8, 0}, 8, DataFileFault::NoRecords},
        {"not whole records", {8 + 3 * 60 + 1, 3}, 189, DataFileFault::Inconsistent},
        {"end before header", {4, 1}, 200, DataFileFault::Inconsistent},
        {"truncated", {8 + 3 * 60, 3}, 150, DataFileFault::BeyondFile},
        {"records smaller than a head", {8 + 3 * 10, 3}, 38, DataFileFault::RecordTooSmall},
        {"shorter than its header", {0, 0}, 5, DataFileFault::Unreadable},
        {"huge count", {8 + 60, 0xFFFFFFFF}, 68, DataFileFault::Inconsistent},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckDataFileHeader(c.header, c.fileSize, MinimumRecordSize(MeasureVoltage)), c.fault) << c.what;
}

TEST(DataLayout, HeaderIsReadFromItsEightBytesOnly)
{
    const Bytes head = {0xBC, 0, 0, 0, 3, 0, 0, 0};  // end offset 188, 3 records
    const auto header = LoadDataFileHeader(head);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->EndOffset, 188u);
    EXPECT_EQ(header->RecordCount, 3u);
    EXPECT_EQ(header->RecordSize(), 60u);
    EXPECT_FALSE(LoadDataFileHeader(std::span(head).first(7)));
}

TEST(DataLayout, RecordTimeKeepsTheSecondsOfEighteenByteHeads)
{
    const Bytes v = TrendRecord(2, {.time = {2024, 3, 15, 10, 15, 40}});
    EXPECT_EQ(RecordTime(*StampLayoutOf(MeasureFrequency), v), FixtureTime(2024, 3, 15, 10, 15, 40));
    // The harmonics head has its block count where the seconds would be.
    const Bytes h = HarmonicsRecord({.time = {2024, 3, 15, 10, 15, 40}, .blocks = {HarmonicBlock(F2, 1)}});
    EXPECT_EQ(RecordTime(*StampLayoutOf(MeasureVoltageHarmonics), h), FixtureTime(2024, 3, 15, 10, 15));
    const Bytes e = EventRecord({.time = {2024, 3, 15, 12, 30, 45, 50}});
    EXPECT_EQ(RecordTime(*StampLayoutOf(MeasureEvents), e), FixtureTime(2024, 3, 15, 12, 30, 45, 50));
    const Bytes f = FlickerRecord({.time = {2024, 3, 15, 12, 30}});
    EXPECT_EQ(RecordTime(*StampLayoutOf(MeasureFlicker), f), FixtureTime(2024, 3, 15, 12, 30));

    StampFault fault = StampFault::None;
    const Bytes bad = TrendRecord(1, {.time = {2024, 2, 30, 10, 0}});
    EXPECT_FALSE(RecordTime(*StampLayoutOf(MeasureVoltage), bad, &fault));
    EXPECT_EQ(fault, StampFault::InvalidDate);
    EXPECT_FALSE(RecordTime(*StampLayoutOf(MeasureVoltage), std::span(bad).first(10)));
    EXPECT_FALSE(StampLayoutOf(MeasureSamples));
}
