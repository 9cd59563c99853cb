// Every file kind, for every combination of its content flags and wiring: the record the fixture
// builder writes field by field has the size the program's rule gives, and every value comes back
// from the position the program's offset rules name.
#include "survey/data_layout.h"

#include "fixtures/data_fixture.h"
#include "platform/little_endian.h"
#include "survey/records.h"
#include "survey/text_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr TrendValue kTrendValues[] = {TrendValue::Minimum, TrendValue::Average, TrendValue::Maximum,
                                       TrendValue::Min90,   TrendValue::Max90,   TrendValue::Min95,
                                       TrendValue::Max95,   TrendValue::Min99,   TrendValue::Max99};
constexpr std::uint16_t kTrendFlagBits[] = {FlagMinAvgMax, FlagPercentile90, FlagPercentile95, FlagPercentile99,
                                            FlagDensityCurve};

// Every subset of the given flag bits.
std::vector<std::uint16_t> FlagCombinations(std::span<const std::uint16_t> bits)
{
    std::vector<std::uint16_t> all;
    for (unsigned mask = 0; mask < (1u << bits.size()); ++mask) {
        std::uint16_t flags = 0;
        for (std::size_t b = 0; b < bits.size(); ++b)
            if (mask & (1u << b)) flags |= bits[b];
        all.push_back(flags);
    }
    return all;
}

// Distinct values per phase: value v of phase base b is b + v + 1; curve class i holds b * 1000 + i.
PhaseBlockFields NumberedPhase(int base, int classes)
{
    PhaseBlockFields p;
    const float b = static_cast<float>(base);
    p.values = {b + 1, b + 2, b + 3};
    p.percentiles = {b + 4, b + 5, b + 6, b + 7, b + 8, b + 9};
    p.curveTotal = static_cast<std::uint32_t>(base) + 7;
    for (int i = 0; i < classes; ++i) p.curve.push_back(base * 1000 + i);
    return p;
}

float F32At(const Bytes& r, std::size_t at) { return at + 4 <= r.size() ? LoadF32(&r[at]) : -1.0f; }
std::uint32_t U32At(const Bytes& r, std::size_t at) { return at + 4 <= r.size() ? LoadU32(&r[at]) : 0xFFFFFFFF; }
std::uint16_t U16At(const Bytes& r, std::size_t at) { return at + 2 <= r.size() ? LoadU16(&r[at]) : 0xFFFF; }

// Checks one phase part (channel code at `start`) of a trend block or harmonic block.
void ExpectPhasePart(const Bytes& r, std::size_t start, std::uint16_t flags, int classes, int base, int channel,
                     const std::string& what)
{
    EXPECT_EQ(U16At(r, start), channel) << what;
    // TrendValueOffset of phase 0 less the head is the position inside any phase part.
    for (TrendValue v : kTrendValues) {
        auto at = TrendValueOffset(flags, classes, 0, v);
        if (!at) continue;
        EXPECT_EQ(F32At(r, start + *at - TrendHead::Size), static_cast<float>(base + static_cast<int>(v) + 1))
            << what << " value " << static_cast<int>(v);
    }
    if (auto curve = TrendCurveOffset(flags, classes, 0)) {
        const std::size_t at = start + *curve - TrendHead::Size;
        EXPECT_EQ(U32At(r, at + kCurveTotalAt), static_cast<std::uint32_t>(base) + 7) << what;
        EXPECT_EQ(U32At(r, at + kCurveCountsAt + 4 * static_cast<std::size_t>(classes - 1)),
                  static_cast<std::uint32_t>(base * 1000 + classes - 1))
            << what << " last curve class";
    }
}
}  // namespace

TEST(DataLayoutRoundTrip, TrendFilesEveryFlagCombination)
{
    for (int measure : {MeasureVoltage, MeasureFrequency, MeasureUnbalance}) {
        const int classes = CurveClasses(measure);
        for (std::uint16_t flags : FlagCombinations(kTrendFlagBits)) {
            for (std::uint16_t wiring : {0, 1}) {
                const bool three = IsThreePhaseWiring(wiring);
                const int phases = measure == MeasureVoltage ? PhaseCount(three) : 1;
                const Bytes r = TrendRecord(measure, {.wiring = wiring, .flags = flags,
                                                      .phases = {NumberedPhase(0, classes), NumberedPhase(100, classes),
                                                                 NumberedPhase(200, classes)}});
                const std::string what = "measure " + std::to_string(measure) + " flags " + std::to_string(flags) +
                                         " wiring " + std::to_string(wiring);
                ASSERT_EQ(r.size(), TrendRecordSize(measure, flags, three)) << what;
                EXPECT_EQ(U16At(r, TrendHead::Flags), flags) << what;
                EXPECT_EQ(U16At(r, TrendHead::Wiring), wiring) << what;
                for (int k = 0; k < phases; ++k) {
                    const std::size_t start = TrendHead::Size + static_cast<std::size_t>(k) * TrendPhaseBlockSize(flags, classes);
                    const int channel = measure == MeasureVoltage ? k : measure == MeasureFrequency ? 3 : 4;
                    ExpectPhasePart(r, start, flags, classes, 100 * k, channel, what + " phase " + std::to_string(k));
                    EXPECT_EQ(ChannelPhase(channel), k) << what;
                    for (TrendValue v : kTrendValues) {
                        auto at = TrendValueOffset(flags, classes, k, v);
                        if (at) {
                            EXPECT_EQ(F32At(r, *at), static_cast<float>(100 * k + static_cast<int>(v) + 1)) << what;
                        }
                    }
                }
            }
        }
    }
}

TEST(DataLayoutRoundTrip, VoltageHarmonicsEveryFlagCombination)
{
    std::vector<std::uint16_t> bits(std::begin(kTrendFlagBits), std::end(kTrendFlagBits));
    bits.push_back(FlagHarmonicExtra);
    for (std::uint16_t flags : FlagCombinations(bits)) {
        for (std::uint16_t wiring : {0, 1}) {
            const bool three = IsThreePhaseWiring(wiring);
            const int phases = PhaseCount(three);
            // The combination under test between two plain blocks, so both its start and its end show.
            std::vector<HarmonicBlockFields> blocks;
            for (auto [f, order] : {std::pair{FlagMinAvgMax, 0}, std::pair{flags, 5}, std::pair{FlagMinAvgMax, 7}}) {
                HarmonicBlockFields b{f, order, {}};
                for (int k = 0; k < 3; ++k) b.phases.push_back(NumberedPhase(10 * order + 100 * k, kHarmonicCurveClasses));
                blocks.push_back(b);
            }
            const Bytes r = HarmonicsRecord({.wiring = wiring, .blocks = blocks});
            const std::string what = "flags " + std::to_string(flags) + " wiring " + std::to_string(wiring);
            const std::uint16_t all[] = {FlagMinAvgMax, flags, FlagMinAvgMax};
            ASSERT_EQ(r.size(), HarmonicsRecordSize(all, three)) << what;
            auto places = HarmonicBlocks(r, false);
            ASSERT_TRUE(places) << what;
            ASSERT_EQ(places->size(), 3u) << what;
            EXPECT_EQ((*places)[2].start, (*places)[1].start + 2 + HarmonicBlockSize(flags, three)) << what;
            for (std::size_t b = 0; b < 3; ++b) {
                EXPECT_EQ((*places)[b].flags, all[b]) << what;
                const int order = blocks[b].order;
                // The phase stride is the phase part alone; the extra bytes come after the last phase.
                const std::size_t stride = HarmonicPhaseSize(all[b], false);
                for (int k = 0; k < phases; ++k) {
                    const std::size_t start = (*places)[b].start + 2 + static_cast<std::size_t>(k) * stride;
                    const int channel = VoltageHarmonicChannel(order, k);
                    ExpectPhasePart(r, start, all[b], kHarmonicCurveClasses, 10 * order + 100 * k, channel,
                                    what + " block " + std::to_string(b) + " phase " + std::to_string(k));
                    EXPECT_EQ(ChannelHarmonicOrder[static_cast<std::size_t>(channel - 10)], order) << what;
                    if (all[b] & FlagDensityCurve) {
                        const std::size_t curve = (*places)[b].start + 2 + HarmonicCurveOffset(all[b], k);
                        EXPECT_EQ(U32At(r, curve + kCurveTotalAt), static_cast<std::uint32_t>(10 * order + 100 * k + 7)) << what;
                    }
                }
            }
        }
    }
}

TEST(DataLayoutRoundTrip, FlickerEveryFlagModeAndWiring)
{
    FlickerPhaseFields phase[3];
    for (int k = 0; k < 3; ++k) {
        for (int s = 0; s < 8; ++s) phase[k].stats[static_cast<std::size_t>(s)] = static_cast<float>(10 * k + s);
        phase[k].curve = std::vector<float>(kFlickerCurvePoints, 0.0f);
        phase[k].curve.front() = static_cast<float>(100 + k);
        phase[k].curve.back() = static_cast<float>(200 + k);
    }
    for (std::uint16_t flags : {0, 1, 2, 3}) {
        for (std::uint8_t mode : {0, 1, 2, 3}) {
            for (std::uint16_t wiring : {0, 1}) {
                const bool three = IsThreePhaseWiring(wiring);
                const Bytes r = FlickerRecord(
                    {.wiring = wiring, .flags = flags, .mode = mode, .phases = {phase[0], phase[1], phase[2]}});
                const std::string what =
                    "flags " + std::to_string(flags) + " mode " + std::to_string(mode) + " wiring " + std::to_string(wiring);
                ASSERT_EQ(r.size(), FlickerRecordSize(flags, mode, three)) << what;
                EXPECT_EQ(r[FlickerHead::Mode], mode) << what;
                EXPECT_EQ(U16At(r, FlickerHead::Flags), flags) << what;
                for (int k = 0; k < PhaseCount(three); ++k) {
                    for (int s = 0; s < 8; ++s) {
                        auto at = FlickerStatOffset(flags, mode, k, s);
                        EXPECT_EQ(at.has_value(), FlickerUsesFullSet(flags, mode) || s == 0 || s == 7) << what;
                        if (at) {
                            EXPECT_EQ(F32At(r, *at), static_cast<float>(10 * k + s)) << what << " stat " << s;
                        }
                    }
                    auto curve = FlickerCurveOffset(flags, mode, k);
                    EXPECT_EQ(curve.has_value(), (flags & FlickerFlagCurve) != 0) << what;
                    if (curve) {
                        EXPECT_EQ(F32At(r, *curve), static_cast<float>(100 + k)) << what;
                        EXPECT_EQ(F32At(r, *curve + 4 * (kFlickerCurvePoints - 1)), static_cast<float>(200 + k)) << what;
                    }
                }
            }
        }
    }
}

TEST(DataLayoutRoundTrip, PowersEveryFlagAndWiring)
{
    const std::uint16_t bits[] = {FlagActivePower, FlagReactivePower, FlagApparentPower, FlagCurrents};
    PowerRecordFields f;
    f.active = {1, 2, 3};
    f.reactive = {11, 12, 13};
    f.apparent = {21, 22, 23};
    f.currents = {MinAvgMax{31, 32, 33}, MinAvgMax{41, 42, 43}, MinAvgMax{51, 52, 53}};
    const struct {
        PowerGroup group;
        std::uint16_t flag;
        float min;
    } groups[] = {{PowerGroup::Active, FlagActivePower, 1},  {PowerGroup::Reactive, FlagReactivePower, 11},
                  {PowerGroup::Apparent, FlagApparentPower, 21}, {PowerGroup::CurrentL1, FlagCurrents, 31},
                  {PowerGroup::CurrentL2, FlagCurrents, 41}, {PowerGroup::CurrentL3, FlagCurrents, 51}};
    for (std::uint16_t flags : FlagCombinations(bits)) {
        for (std::uint16_t wiring : {0, 1}) {
            for (std::uint16_t currentWiring : {0, 1}) {
                const bool three = IsThreePhaseWiring(wiring);
                f.flags = flags;
                f.wiring = wiring;
                f.currentWiring = currentWiring;
                const Bytes r = PowerRecord(f);
                const std::string what = "flags " + std::to_string(flags) + " wiring " + std::to_string(wiring) +
                                         " current wiring " + std::to_string(currentWiring);
                ASSERT_EQ(r.size(), PowerRecordSize(flags, three, currentWiring)) << what;
                for (const auto& g : groups) {
                    const bool present = (flags & g.flag) && (g.group != PowerGroup::CurrentL2 || three) &&
                                         (g.group != PowerGroup::CurrentL3 || (three && currentWiring != 1));
                    auto at = PowerGroupOffset(flags, three, currentWiring, g.group);
                    EXPECT_EQ(at.has_value(), present) << what << " group " << static_cast<int>(g.group);
                    if (!at) continue;
                    EXPECT_EQ(F32At(r, *at), g.min) << what;
                    EXPECT_EQ(F32At(r, *at + 8), g.min + 2) << what;
                }
            }
        }
    }
}

TEST(DataLayoutRoundTrip, CurrentHarmonicsEveryFlagAndWiring)
{
    for (std::uint16_t flags : {0, 2, 0x100, 0x102}) {
        for (std::uint16_t wiring : {0, 1}) {
            const bool three = IsThreePhaseWiring(wiring);
            std::vector<CurrentHarmonicBlockFields> blocks;
            for (auto [f, index] : {std::pair<std::uint16_t, int>{flags, 2}, std::pair<std::uint16_t, int>{FlagMinAvgMax, 9}}) {
                CurrentHarmonicBlockFields b{f, index, {}};
                for (int k = 0; k < 3; ++k) {
                    const float v = static_cast<float>(100 * index + 10 * k);
                    b.phases.push_back({-1, v + 1, v + 2, v + 3, v + 4, v + 5, v + 6});
                }
                blocks.push_back(b);
            }
            const Bytes r = CurrentHarmonicsRecord({.wiring = wiring, .blocks = blocks});
            const std::string what = "flags " + std::to_string(flags) + " wiring " + std::to_string(wiring);
            const std::uint16_t all[] = {flags, FlagMinAvgMax};
            ASSERT_EQ(r.size(), CurrentHarmonicsRecordSize(all, three)) << what;
            auto places = HarmonicBlocks(r, true);
            ASSERT_TRUE(places) << what;
            ASSERT_EQ(places->size(), 2u) << what;
            EXPECT_EQ((*places)[1].start, CurrentHarmonicsHead::Size + 2 + CurrentHarmonicBlockSize(flags, three)) << what;
            for (std::size_t b = 0; b < 2; ++b) {
                const std::size_t stride = CurrentHarmonicPhaseSize(all[b], false);
                for (int k = 0; k < PhaseCount(three); ++k) {
                    const std::size_t start = (*places)[b].start + 2 + static_cast<std::size_t>(k) * stride;
                    EXPECT_EQ(U16At(r, start), CurrentHarmonicChannel(blocks[b].index, k)) << what;
                    if (all[b] & FlagMinAvgMax) {  // average percent and ampere
                        const float v = static_cast<float>(100 * blocks[b].index + 10 * k);
                        EXPECT_EQ(F32At(r, start + 10), v + 3) << what;
                        EXPECT_EQ(F32At(r, start + 14), v + 4) << what;
                    }
                }
            }
        }
    }
}

TEST(DataLayoutRoundTrip, EnergyAndEvents)
{
    for (std::uint16_t perPhase : {0, 1, 3}) {
        EnergyRecordFields e{.perPhase = perPhase};
        for (int i = 0; i < 11; ++i) e.totals[static_cast<std::size_t>(i)] = static_cast<float>(i + 1);
        for (int i = 0; i < 6; ++i) e.phaseEnergies[static_cast<std::size_t>(i)] = static_cast<float>(100 + i);
        const Bytes r = EnergyRecord(e);
        ASSERT_EQ(r.size(), EnergyRecordSize(perPhase)) << perPhase;
        EXPECT_EQ(U16At(r, EnergyField::PerPhase), perPhase);
        for (int i = 0; i < EnergyField::TotalCount; ++i)
            EXPECT_EQ(F32At(r, EnergyField::Totals + 4 * static_cast<std::size_t>(i)), static_cast<float>(i + 1));
        if (perPhase != 0) continue;
        for (int i = 0; i < EnergyField::PhaseEnergyCount; ++i)
            EXPECT_EQ(F32At(r, EnergyField::PhaseEnergies + 4 * static_cast<std::size_t>(i)), static_cast<float>(100 + i));
    }

    const Bytes ev = EventRecord({.type = -7, .threshold = 253.5f, .time = {2024, 3, 15, 12, 30, 45, 50},
                                  .duration = 123456, .peak = 261.25f, .channel = 205});
    ASSERT_EQ(ev.size(), EventField::Size);
    EXPECT_EQ(static_cast<std::int16_t>(U16At(ev, EventField::Type)), -7);
    EXPECT_EQ(F32At(ev, EventField::Threshold), 253.5f);
    EXPECT_EQ(ev[EventField::Time + 2], 50);  // hundredths
    EXPECT_EQ(ev[EventField::Time + 3], 45);  // seconds
    EXPECT_EQ(U16At(ev, EventField::Date), 2024);
    EXPECT_EQ(U32At(ev, EventField::Duration), 123456u);
    EXPECT_EQ(F32At(ev, EventField::Peak), 261.25f);
    EXPECT_EQ(U16At(ev, EventField::Channel), 205);

    const Bytes harmonic = EventRecord({.type = 3, .channel = 205, .harmonicThreshold = {{-1250, 375}}});
    ASSERT_EQ(harmonic.size(), EventField::Size);
    EXPECT_EQ(static_cast<std::int16_t>(U16At(harmonic, EventField::Threshold)), -1250);
    EXPECT_EQ(U16At(harmonic, EventField::Threshold + 2), 375);
    EXPECT_EQ(harmonic[EventField::Time + 1], 10);  // the fields after it stay in place
    EXPECT_EQ(U16At(harmonic, EventField::Channel), 205);
}
