// Trend and phase-value readers: values at the offset rules' positions, failures on bad stamps
// and on offsets outside the record.
#include "survey/record_readers.h"

#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/records.h"

#include <gtest/gtest.h>

namespace {
PhaseBlockFields Phase(float avg)
{
    PhaseBlockFields p;
    p.values = {avg - 1, avg, avg + 1};
    return p;
}

TTraceSettings Traces(std::initializer_list<std::int32_t> offsets)
{
    TTraceSettings s;
    int k = 0;
    for (auto offset : offsets) {
        s.Entries[static_cast<std::size_t>(k)].Item = k + 1;
        s.Entries[static_cast<std::size_t>(k)].Offset = offset;
        ++k;
    }
    return s;
}
}  // namespace

TEST(RecordReaders, TrendRecordReadsEachActiveEntryAndTheSeconds)
{
    const Bytes r = TrendRecord(1, {.time = {2024, 3, 15, 10, 15, 42}, .phases = {Phase(230), Phase(231), Phase(232)}});
    TTraceSettings s = Traces({24, 38, 52});
    s.Entries[5].Offset = 9999;  // inactive: never read
    ASSERT_TRUE(ReadTrendRecord(MeasureVoltage, r, s));
    EXPECT_EQ(s.RecordTime, FixtureTime(2024, 3, 15, 10, 15, 42));
    EXPECT_EQ(s.Entries[0].Value, 230);
    EXPECT_EQ(s.Entries[1].Value, 231);
    EXPECT_EQ(s.Entries[2].Value, 232);
}

TEST(RecordReaders, BadStampFailsWithoutStaleValues)
{
    ScriptedMessages messages;
    const Bytes good = TrendRecord(1, {.time = {2024, 3, 15, 10, 0}, .phases = {Phase(230)}});
    const Bytes bad = TrendRecord(1, {.time = {2024, 3, 15, 25, 0}, .phases = {Phase(240)}});
    TTraceSettings s = Traces({24});
    ASSERT_TRUE(ReadTrendRecord(MeasureVoltage, good, s));
    EXPECT_FALSE(ReadTrendRecord(MeasureVoltage, bad, s));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid Time"});
    EXPECT_EQ(s.RecordTime, FixtureTime(2024, 3, 15, 10, 0));
    EXPECT_EQ(s.Entries[0].Value, 230);
    messages.Clear();
    EXPECT_FALSE(ReadTrendRecord(MeasureVoltage, bad, s, /*showFault=*/false));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST(RecordReaders, OffsetOutsideTheRecordFails)
{
    const Bytes r = TrendRecord(1, {.phases = {Phase(230)}});  // 60 bytes
    for (std::int32_t offset : {57, 60, -4, 1 << 30}) {
        TTraceSettings s = Traces({24, offset});
        EXPECT_FALSE(ReadTrendRecord(MeasureVoltage, r, s)) << offset;
        EXPECT_EQ(s.Entries[0].Value, 0) << offset;
    }
    TTraceSettings s = Traces({56});
    EXPECT_TRUE(ReadTrendRecord(MeasureVoltage, r, s));
}

TEST(RecordReaders, FlickerCurrentHarmonicsAndEnergy)
{
    FlickerPhaseFields l1;
    l1.stats = {1, 2, 3, 4, 5, 6, 7, 8};
    const Bytes fl = FlickerRecord({.time = {2024, 3, 15, 10, 20}, .mode = 0, .phases = {l1}});
    TTraceSettings s = Traces({25, 53});
    ASSERT_TRUE(ReadFlickerTrendRecord(fl, s));
    EXPECT_EQ(s.RecordTime, FixtureTime(2024, 3, 15, 10, 20));
    EXPECT_EQ(s.Entries[0].Value, 1);
    EXPECT_EQ(s.Entries[1].Value, 8);

    const Bytes hi = CurrentHarmonicsRecord({.blocks = {{FlagMinAvgMax, 2, {{-1, 1, 2, 3.5f, 4.5f, 5, 6}}}}});
    TTraceSettings hs = Traces({12 + 2 + 2 + 8});  // the L1 average percent of block 0
    hs.Entries[0].Value = -7;
    TCurrentHarmonicPairs pairs{};
    ASSERT_TRUE(ReadCurrentHarmonicsTrendRecord(hi, hs, pairs));
    EXPECT_EQ(pairs[0].Percent, 3.5f);
    EXPECT_EQ(pairs[0].Ampere, 4.5f);
    EXPECT_EQ(hs.Entries[0].Value, -7);  // not written

    EnergyRecordFields e;
    e.totals[0] = 1.25f;
    const Bytes en = EnergyRecord(e);
    TTraceSettings es = Traces({18});
    ASSERT_TRUE(ReadEnergyTrendRecord(en, es));
    EXPECT_EQ(es.Entries[0].Value, 1250.0f);
}

TEST(RecordReaders, PhaseOffsetsAndValues)
{
    const std::uint16_t flags = FlagMinAvgMax | FlagPercentile90 | FlagDensityCurve;
    const Bytes r = TrendRecord(1, {.flags = flags, .phases = {Phase(230), Phase(231), Phase(232)}});
    TPhaseValues v{.ThreePhase = true};
    ASSERT_TRUE(SetPhaseOffsets(flags, v));
    EXPECT_EQ(v.OffsetL1, 24);
    EXPECT_EQ(v.OffsetL2, 24 + 12 + 8 + 486 + 2);
    EXPECT_EQ(v.OffsetL3, 24 + 2 * (12 + 8 + 486 + 2));
    ASSERT_TRUE(ReadPhaseValues(MeasureVoltage, r, v));
    EXPECT_EQ(v.ValueL1, 230);
    EXPECT_EQ(v.ValueL2, 231);
    EXPECT_EQ(v.ValueL3, 232);
    EXPECT_EQ(v.Time, FixtureTime(2024, 3, 15, 10, 0));
    EXPECT_FALSE(SetPhaseOffsets(FlagPercentile90, v));

    FlickerPhaseFields a, b, c;
    a.stats[7] = 0.5f;
    b.stats[7] = 0.6f;
    c.stats[7] = 0.7f;
    const Bytes fl = FlickerRecord({.flags = FlickerFlagCurve, .mode = 2, .phases = {a, b, c}});
    TPhaseValues f{.ThreePhase = true};
    SetFlickerPhaseOffsets(FlickerFlagCurve, 2, f);
    EXPECT_EQ(f.OffsetL1, 29);
    EXPECT_EQ(f.OffsetL2, 29 + 8 + 4096);
    ASSERT_TRUE(ReadFlickerPhaseValues(fl, f));
    EXPECT_EQ(f.ValueL3, 0.7f);
}

TEST(RecordReaders, HarmonicPhaseValues)
{
    const std::uint16_t flags[] = {FlagMinAvgMax | FlagHarmonicExtra, FlagMinAvgMax | FlagDensityCurve, FlagMinAvgMax};
    HarmonicsRecordFields fields;
    for (int i = 0; i < 3; ++i)
        fields.blocks.push_back({flags[i], i, {Phase(10.0f * i), Phase(10.0f * i + 1), Phase(10.0f * i + 2)}});
    const Bytes r = HarmonicsRecord(fields);
    THarmonicPhaseValues v{.ThreePhase = true, .BlockCount = 3};
    ASSERT_TRUE(SetHarmonicPhaseOffsets(flags, v));
    EXPECT_EQ(v.Blocks[0].OffsetL1, 24);
    EXPECT_EQ(v.Blocks[1].OffsetL1, 24 + 80);
    ASSERT_TRUE(ReadHarmonicPhaseValues(r, v));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v.Blocks[static_cast<std::size_t>(i)].ValueL1, 10.0f * i) << i;
        EXPECT_EQ(v.Blocks[static_cast<std::size_t>(i)].ValueL3, 10.0f * i + 2) << i;
    }

    const std::uint16_t noAverages[] = {FlagMinAvgMax, FlagPercentile90};
    THarmonicPhaseValues w{.ThreePhase = true, .BlockCount = 2};
    EXPECT_FALSE(SetHarmonicPhaseOffsets(noAverages, w));
    std::array<std::uint16_t, 60> many{};
    many.fill(FlagMinAvgMax);
    THarmonicPhaseValues tooMany{.BlockCount = kMaxHarmonicBlocks + 1};
    EXPECT_FALSE(SetHarmonicPhaseOffsets(many, tooMany));
    EXPECT_FALSE(ReadHarmonicPhaseValues(r, tooMany));
    THarmonicPhaseValues moreThanFlags{.BlockCount = 4};
    EXPECT_FALSE(SetHarmonicPhaseOffsets(flags, moreThanFlags));
}

TEST(RecordReaders, FileFormsReadOneRecordAtItsPosition)
{
    TempProgDir dir;
    const std::string path = WriteDataFile(dir / "s.vme", {TrendRecord(1, {.phases = {Phase(1)}}),
                                                            TrendRecord(1, {.time = {2024, 3, 15, 10, 1}, .phases = {Phase(2)}})});
    TDataFile file;
    ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
    TTraceSettings s = Traces({24});
    ASSERT_TRUE(ReadTrendRecord(file, 68, s));
    EXPECT_EQ(s.Entries[0].Value, 2);
    EXPECT_FALSE(ReadTrendRecord(file, 70, s));   // not a record start
    EXPECT_FALSE(ReadTrendRecord(file, 128, s));  // past the last record
    TPhaseValues v{.OffsetL1 = 24};
    ASSERT_TRUE(ReadPhaseValues(file, 8, v));
    EXPECT_EQ(v.ValueL1, 1);
}

// ReadTrendRecord on each of its file kinds: the value at the offset the entry names, and the
// time with seconds where the head keeps them (the 18-byte heads), without them elsewhere.
TEST(RecordReaders, TrendRecordOfEachFileKind)
{
    const FixtureStamp at{2024, 3, 15, 10, 15, 42};
    HarmonicsRecordFields harmonics{.time = at, .blocks = {{FlagMinAvgMax, 1, {Phase(3.5f)}}}};
    PowerRecordFields powers{.time = at};
    powers.active = {1, 2, 3};
    powers.reactive = {4, 5, 6};
    struct Case {
        const char* what;
        int measure;
        Bytes record;
        std::int32_t offset;
        float value;
        double time;
    } cases[] = {
        {"frequency", MeasureFrequency, TrendRecord(2, {.time = at, .phases = {Phase(50)}}), 24, 50,
         FixtureTime(2024, 3, 15, 10, 15, 42)},
        {"unbalance", MeasureUnbalance, TrendRecord(3, {.time = at, .phases = {Phase(1.5f)}}), 24, 1.5f,
         FixtureTime(2024, 3, 15, 10, 15, 42)},
        {"voltage harmonics: block at +16, no seconds", MeasureVoltageHarmonics, HarmonicsRecord(harmonics), 24, 3.5f,
         FixtureTime(2024, 3, 15, 10, 15)},
        {"powers: reactive average", MeasurePowers, PowerRecord(powers), 36, 5, FixtureTime(2024, 3, 15, 10, 15)},
    };
    for (const auto& c : cases) {
        TTraceSettings s = Traces({c.offset});
        ASSERT_TRUE(ReadTrendRecord(c.measure, c.record, s)) << c.what;
        EXPECT_EQ(s.Entries[0].Value, c.value) << c.what;
        EXPECT_EQ(s.RecordTime, c.time) << c.what;
    }
    // Samples and unknown measures have no trend records.
    TTraceSettings s = Traces({24});
    EXPECT_FALSE(ReadTrendRecord(MeasureSamples, cases[0].record, s));
}

TEST(RecordReaders, EveryReaderFailsOnABadStamp)
{
    ScriptedMessages messages;
    const FixtureStamp bad{2024, 3, 15, 24, 0};
    TTraceSettings s = Traces({24});
    TCurrentHarmonicPairs pairs{};
    TPhaseValues v{.OffsetL1 = 24};
    THarmonicPhaseValues h{.BlockCount = 1};
    h.Blocks[0].OffsetL1 = 24;
    EXPECT_FALSE(ReadFlickerTrendRecord(FlickerRecord({.time = bad}), s));
    EXPECT_FALSE(ReadEnergyTrendRecord(EnergyRecord({.time = bad}), s));
    EXPECT_FALSE(ReadCurrentHarmonicsTrendRecord(CurrentHarmonicsRecord({.time = bad, .blocks = {{}}}), s, pairs));
    EXPECT_FALSE(ReadPhaseValues(MeasureVoltage, TrendRecord(1, {.time = bad}), v));
    EXPECT_FALSE(ReadFlickerPhaseValues(FlickerRecord({.time = bad}), v));
    EXPECT_FALSE(ReadHarmonicPhaseValues(HarmonicsRecord({.time = bad, .blocks = {{}}}), h));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>(6, "Invalid Time"));
    EXPECT_EQ(s.RecordTime, 0);
    EXPECT_EQ(v.Time, 0);
    EXPECT_EQ(h.Time, 0);
}
