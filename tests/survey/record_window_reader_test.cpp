// The record-window reader: for every file kind with trend records and every flag combination,
// the times and columns it returns are the field values the records were built from and what
// the per-record readers give; a bad stamp ends the read with one message; windows of one
// record, windows across read blocks, columns or windows outside the file, and a file cut short
// while it is open.
#include "survey/record_window_reader.h"

#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/record_readers.h"
#include "survey/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>
#include <set>

namespace {
// Three records over a day boundary (a leap day), with seconds where the head keeps them (the
// powers head has its current wiring where the others keep their seconds).
const FixtureStamp kStamps[] = {{2024, 2, 28, 23, 59, 7}, {2024, 2, 29, 0, 0, 41}, {2024, 2, 29, 0, 1, 0}};

bool KeepsSeconds(int measure)
{
    return measure == MeasureVoltage || measure == MeasureFrequency || measure == MeasureUnbalance;
}

// One file of three records built from field values, the columns asked of it, and what each
// column must give for each record.
struct WindowCase {
    std::string what;
    int measure = 0;
    std::vector<Bytes> records;
    std::vector<TRecordColumn> columns;
    std::vector<std::vector<double>> values;  // values[column][record]
};

// Hands out a distinct field value per (record, field) and notes, for the first record, the
// column that holds it; the fields are asked in the same order for every record.
class CaseBuilder {
public:
    CaseBuilder(std::string what, int measure) { c_.what = std::move(what); c_.measure = measure; }

    float Value(std::size_t offset, float scale = 1.0f)
    {
        const float v = 1000.0f * static_cast<float>(record_) + static_cast<float>(field_) + 0.5f;
        Note(offset, ColumnType::F32, scale, static_cast<double>(v * scale));
        return v;
    }
    std::uint32_t Count(std::size_t offset, ColumnType type)
    {
        const auto v = static_cast<std::uint32_t>(1000 * record_ + field_);
        Note(offset, type, 1.0f, static_cast<double>(v));
        return v;
    }
    void Add(Bytes record)
    {
        c_.records.push_back(std::move(record));
        ++record_;
        field_ = 0;
    }
    WindowCase Take() { return std::move(c_); }

private:
    void Note(std::size_t offset, ColumnType type, float scale, double expected)
    {
        if (record_ == 0) {
            c_.columns.push_back({static_cast<std::uint32_t>(offset), type, scale});
            c_.values.emplace_back();
        }
        c_.values[static_cast<std::size_t>(field_)].push_back(expected);
        ++field_;
    }
    WindowCase c_;
    int record_ = 0;
    int field_ = 0;
};

constexpr TrendValue kTrendValues[] = {TrendValue::Minimum, TrendValue::Average, TrendValue::Maximum,
                                       TrendValue::Min90,   TrendValue::Max90,   TrendValue::Min95,
                                       TrendValue::Max95,   TrendValue::Min99,   TrendValue::Max99};

// Voltage, frequency, unbalance: every subset of the five content flags, three- and single-phase.
void AddTrendCases(std::vector<WindowCase>& cases)
{
    for (int measure : {MeasureVoltage, MeasureFrequency, MeasureUnbalance})
        for (std::uint16_t wiring : {0, 1})
            for (int subset = 0; subset < 32; ++subset) {
                const auto flags = static_cast<std::uint16_t>(subset << 1);
                const int classes = CurveClasses(measure);
                const int phases = measure == MeasureVoltage ? PhaseCount(IsThreePhaseWiring(wiring)) : 1;
                CaseBuilder b("trend measure " + std::to_string(measure) + " wiring " + std::to_string(wiring) +
                                  " flags " + std::to_string(flags),
                              measure);
                for (const FixtureStamp& stamp : kStamps) {
                    TrendRecordFields r{.time = stamp, .wiring = wiring, .flags = flags};
                    for (int p = 0; p < phases; ++p) {
                        PhaseBlockFields phase;
                        float* fields[] = {&phase.values.min,     &phase.values.avg, &phase.values.max,
                                           &phase.percentiles[0], &phase.percentiles[1], &phase.percentiles[2],
                                           &phase.percentiles[3], &phase.percentiles[4], &phase.percentiles[5]};
                        for (std::size_t k = 0; k < std::size(kTrendValues); ++k)
                            if (auto at = TrendValueOffset(flags, classes, p, kTrendValues[k])) *fields[k] = b.Value(*at);
                        if (auto curve = TrendCurveOffset(flags, classes, p)) {
                            phase.curveTotal = b.Count(*curve + kCurveTotalAt, ColumnType::U32);
                            phase.curve.assign(static_cast<std::size_t>(classes), 0);
                            phase.curve.back() = static_cast<std::int32_t>(
                                b.Count(*curve + kCurveCountsAt + 4 * static_cast<std::size_t>(classes - 1), ColumnType::I32));
                        }
                        r.phases.push_back(phase);
                    }
                    b.Add(TrendRecord(measure, r));
                }
                cases.push_back(b.Take());
            }
}

// The content flags of a harmonic block: the five groups and the 12 extra bytes per phase.
constexpr std::uint16_t kHarmonicFlagBits[] = {FlagMinAvgMax,    FlagPercentile90, FlagPercentile95,
                                               FlagPercentile99, FlagDensityCurve, FlagHarmonicExtra};
std::uint16_t HarmonicFlags(int subset)
{
    std::uint16_t flags = 0;
    for (int bit = 0; bit < 6; ++bit)
        if (subset & (1 << bit)) flags |= kHarmonicFlagBits[bit];
    return flags;
}

// Voltage harmonics: two blocks, the second with the flags the first lacks, so each block
// meets every subset and the second block's place follows the first's size.
void AddVoltageHarmonicsCases(std::vector<WindowCase>& cases)
{
    for (std::uint16_t wiring : {0, 1})
        for (int subset = 0; subset < 64; ++subset) {
            const bool three = IsThreePhaseWiring(wiring);
            const std::uint16_t flags[] = {HarmonicFlags(subset), HarmonicFlags(63 & ~subset)};
            CaseBuilder b("voltage harmonics wiring " + std::to_string(wiring) + " flags " + std::to_string(flags[0]),
                          MeasureVoltageHarmonics);
            for (const FixtureStamp& stamp : kStamps) {
                HarmonicsRecordFields r{.time = stamp, .wiring = wiring};
                std::size_t blockAt = HarmonicsHead::Size;
                for (int k = 0; k < 2; ++k) {
                    HarmonicBlockFields block{.flags = flags[k], .order = k + 1};
                    for (int p = 0; p < PhaseCount(three); ++p) {
                        PhaseBlockFields phase;
                        std::size_t at = blockAt + 2 + static_cast<std::size_t>(p) * HarmonicPhaseSize(flags[k], false) + 2;
                        if (flags[k] & FlagMinAvgMax) {
                            phase.values.min = b.Value(at);
                            phase.values.avg = b.Value(at + 4);
                            phase.values.max = b.Value(at + 8);
                            at += 12;
                        }
                        for (int pair = 0; pair < 3; ++pair)
                            if (flags[k] & (FlagPercentile90 << pair)) {
                                phase.percentiles[static_cast<std::size_t>(2 * pair)] = b.Value(at);
                                phase.percentiles[static_cast<std::size_t>(2 * pair + 1)] = b.Value(at + 4);
                                at += 8;
                            }
                        if (flags[k] & FlagDensityCurve)
                            phase.curveTotal = b.Count(blockAt + 2 + HarmonicCurveOffset(flags[k], p) + kCurveTotalAt, ColumnType::U32);
                        block.phases.push_back(phase);
                    }
                    r.blocks.push_back(block);
                    blockAt += 2 + HarmonicBlockSize(flags[k], three);
                }
                b.Add(HarmonicsRecord(r));
            }
            cases.push_back(b.Take());
        }
}

// Flicker: both flag bits, modes 0 to 2 (full and short statistics sets), three- and single-phase.
void AddFlickerCases(std::vector<WindowCase>& cases)
{
    for (std::uint16_t wiring : {0, 1})
        for (std::uint16_t flags = 0; flags < 4; ++flags)
            for (std::uint8_t mode = 0; mode < 3; ++mode) {
                CaseBuilder b("flicker wiring " + std::to_string(wiring) + " flags " + std::to_string(flags) + " mode " +
                                  std::to_string(mode),
                              MeasureFlicker);
                for (const FixtureStamp& stamp : kStamps) {
                    FlickerRecordFields r{.time = stamp, .wiring = wiring, .flags = flags, .mode = mode};
                    for (int p = 0; p < PhaseCount(IsThreePhaseWiring(wiring)); ++p) {
                        FlickerPhaseFields phase;
                        for (int stat = 0; stat < 8; ++stat)
                            if (auto at = FlickerStatOffset(flags, mode, p, stat)) phase.stats[static_cast<std::size_t>(stat)] = b.Value(*at);
                        if (auto curve = FlickerCurveOffset(flags, mode, p)) {
                            phase.curve.assign(kFlickerCurvePoints, 0);
                            phase.curve[1] = b.Value(*curve + 4);
                        }
                        r.phases.push_back(phase);
                    }
                    b.Add(FlickerRecord(r));
                }
                cases.push_back(b.Take());
            }
}

// Powers and currents: every subset of the four groups, both wirings, both current wirings.
void AddPowerCases(std::vector<WindowCase>& cases)
{
    constexpr PowerGroup kGroups[] = {PowerGroup::Active,    PowerGroup::Reactive,  PowerGroup::Apparent,
                                      PowerGroup::CurrentL1, PowerGroup::CurrentL2, PowerGroup::CurrentL3};
    for (std::uint16_t wiring : {0, 1})
        for (std::uint16_t currentWiring : {0, 1})
            for (int subset = 0; subset < 16; ++subset) {
                const auto flags = static_cast<std::uint16_t>(subset << 1);
                CaseBuilder b("powers wiring " + std::to_string(wiring) + " current wiring " +
                                  std::to_string(currentWiring) + " flags " + std::to_string(flags),
                              MeasurePowers);
                for (const FixtureStamp& stamp : kStamps) {
                    PowerRecordFields r{.time = stamp, .wiring = wiring, .currentWiring = currentWiring, .flags = flags};
                    MinAvgMax* groups[] = {&r.active, &r.reactive, &r.apparent, &r.currents[0], &r.currents[1], &r.currents[2]};
                    for (std::size_t g = 0; g < std::size(kGroups); ++g)
                        if (auto at = PowerGroupOffset(flags, IsThreePhaseWiring(wiring), currentWiring, kGroups[g])) {
                            groups[g]->min = b.Value(*at);
                            groups[g]->avg = b.Value(*at + 4);
                            groups[g]->max = b.Value(*at + 8);
                        }
                    b.Add(PowerRecord(r));
                }
                cases.push_back(b.Take());
            }
}

// Current harmonics: two blocks, the second with the flags the first lacks (2 and 0x100).
void AddCurrentHarmonicsCases(std::vector<WindowCase>& cases)
{
    for (std::uint16_t wiring : {0, 1})
        for (int first : {0, 2, 0x100, 0x102}) {  // flags 2 and 0x100
            const bool three = IsThreePhaseWiring(wiring);
            const std::uint16_t flags[] = {static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(0x102 & ~first)};
            CaseBuilder b("current harmonics wiring " + std::to_string(wiring) + " flags " + std::to_string(first),
                          MeasureCurrentHarmonics);
            for (const FixtureStamp& stamp : kStamps) {
                CurrentHarmonicsRecordFields r{.time = stamp, .wiring = wiring};
                std::size_t blockAt = CurrentHarmonicsHead::Size;
                for (int k = 0; k < 2; ++k) {
                    CurrentHarmonicBlockFields block{.flags = flags[k], .index = k + 2};
                    for (int p = 0; p < PhaseCount(three); ++p) {
                        CurrentHarmonicPhaseFields phase;
                        const std::size_t at = blockAt + 2 + static_cast<std::size_t>(p) * CurrentHarmonicPhaseSize(flags[k], false) + 2;
                        if (flags[k] & FlagMinAvgMax) {
                            float* fields[] = {&phase.minPercent, &phase.minAmpere, &phase.avgPercent,
                                               &phase.avgAmpere,  &phase.maxPercent, &phase.maxAmpere};
                            for (std::size_t f = 0; f < std::size(fields); ++f) *fields[f] = b.Value(at + 4 * f);
                        }
                        block.phases.push_back(phase);
                    }
                    r.blocks.push_back(block);
                    blockAt += 2 + CurrentHarmonicBlockSize(flags[k], three);
                }
                b.Add(CurrentHarmonicsRecord(r));
            }
            cases.push_back(b.Take());
        }
}

// Energy: the eleven totals, and the six per-phase energies when the per-phase word is 0; read
// in Wh, VArh, VAh (x 1000) as the energy reader reads them.
void AddEnergyCases(std::vector<WindowCase>& cases)
{
    for (std::uint16_t perPhase : {0, 1}) {
        CaseBuilder b("energy per-phase word " + std::to_string(perPhase), MeasureEnergy);
        for (const FixtureStamp& stamp : kStamps) {
            EnergyRecordFields r{.time = stamp, .perPhase = perPhase};
            for (std::size_t k = 0; k < r.totals.size(); ++k) r.totals[k] = b.Value(EnergyField::Totals + 4 * k, 1000.0f);
            if (perPhase == 0)
                for (std::size_t k = 0; k < r.phaseEnergies.size(); ++k)
                    r.phaseEnergies[k] = b.Value(EnergyField::PhaseEnergies + 4 * k, 1000.0f);
            b.Add(EnergyRecord(r));
        }
        cases.push_back(b.Take());
    }
}

std::vector<WindowCase> EveryKindAndFlagCombination()
{
    std::vector<WindowCase> cases;
    AddTrendCases(cases);
    AddVoltageHarmonicsCases(cases);
    AddFlickerCases(cases);
    AddPowerCases(cases);
    AddCurrentHarmonicsCases(cases);
    AddEnergyCases(cases);
    return cases;
}

// The time and the single-precision value at a column's offset as the measure's per-record trend
// reader gives them (the current-harmonics reader gives the percent of a pair; its ampere is the
// next column). False when the reader refuses.
bool PerRecordRead(int measure, const Bytes& record, const TRecordColumn& column, TDateTime& time, double& value)
{
    TTraceSettings s;
    s.Entries[0].Item = 1;
    s.Entries[0].Offset = static_cast<std::int32_t>(column.Offset);
    bool read = false;
    switch (measure) {
    case MeasureFlicker: read = ReadFlickerTrendRecord(record, s); break;
    case MeasureEnergy: read = ReadEnergyTrendRecord(record, s); break;
    case MeasureCurrentHarmonics: {
        TCurrentHarmonicPairs pairs{};
        read = ReadCurrentHarmonicsTrendRecord(record, s, pairs);
        s.Entries[0].Value = pairs[0].Percent;
        break;
    }
    default: read = ReadTrendRecord(measure, record, s); break;
    }
    time = s.RecordTime;
    value = s.Entries[0].Value;
    return read;
}

TRecordWindowData ReadWindow(const std::string& path, int measure, std::int64_t first, std::int64_t last,
                             std::span<const TRecordColumn> columns, bool showFault = true)
{
    TDataFile file;
    EXPECT_EQ(file.Open(path, measure), DataFileFault::None);
    return ReadRecordWindow(file, first, last, columns, showFault);
}

// A window's arrays as plain vectors, to compare with the values a case states.
std::vector<double> Plain(const TUnsetArray<double>& values) { return {values.begin(), values.end()}; }
std::vector<std::vector<double>> Plain(const std::vector<TUnsetArray<double>>& columns)
{
    std::vector<std::vector<double>> plain;
    for (const auto& column : columns) plain.push_back(Plain(column));
    return plain;
}

// The columns alone, read into arrays of the caller's as a view reads them (no stamp decoded),
// with what the read gave; each value widened for comparing.
struct ColumnsRead {
    TWindowRead read;
    std::vector<std::vector<double>> columns;
    std::vector<double> highest;
};
ColumnsRead ReadColumnsInto(TDataFile& file, std::int64_t first, std::int64_t last, std::span<const TRecordColumn> columns)
{
    const auto room = static_cast<std::size_t>(std::max<std::int64_t>(0, last - first + 1));
    std::vector<std::vector<float>> arrays(columns.size(), std::vector<float>(room));
    std::vector<float*> values;
    for (auto& array : arrays) values.push_back(array.data());
    ColumnsRead result;
    result.highest.resize(columns.size());
    result.read = ReadRecordWindowInto(file, first, last, columns, nullptr, nullptr, values, result.highest);
    for (const auto& array : arrays) result.columns.emplace_back(array.begin(), array.begin() + static_cast<std::ptrdiff_t>(result.read.Count()));
    return result;
}

const TRecordColumn kL1Average{24, ColumnType::F32, 1.0f};

// `count` one-minute voltage records from 2024-03-15 10:00 whose L1 average is the record's
// index.
std::string IndexedSeries(const TempProgDir& dir, std::int64_t count)
{
    return WriteRecordSeries(dir / "series.vme", MeasureVoltage, TrendRecord(MeasureVoltage, {}),
                             FixtureTime(2024, 3, 15, 10, 0), kOneMinute, count,
                             [](std::int64_t i, std::uint8_t* r) { StoreU32(r + 24, std::bit_cast<std::uint32_t>(static_cast<float>(i))); });
}
}  // namespace

TEST(RecordWindowReader, EveryKindAndFlagCombinationGivesTheBuiltValuesAsThePerRecordReadersDo)
{
    ScriptedMessages messages;
    TempProgDir dir;
    const std::vector<WindowCase> cases = EveryKindAndFlagCombination();
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = WriteDataFile(dir / "window", c.records);
        const TRecordWindowData w = ReadWindow(path, c.measure, 0, 2, c.columns);
        EXPECT_TRUE(w.Complete);
        std::vector<double> times;
        for (const FixtureStamp& s : kStamps)
            times.push_back(FixtureTime(s.year, s.month, s.day, s.hour, s.minute, KeepsSeconds(c.measure) ? s.second : 0));
        EXPECT_EQ(Plain(w.Times), times);
        EXPECT_EQ(Plain(w.Columns), c.values);
        for (std::size_t col = 0; col < c.columns.size(); ++col)
            EXPECT_EQ(w.Highest[col], *std::max_element(c.values[col].begin(), c.values[col].end())) << "column " << col;
        TDataFile file;
        ASSERT_EQ(file.Open(path, c.measure), DataFileFault::None);
        EXPECT_EQ(ReadColumnsInto(file, 0, 2, c.columns).columns, c.values);
        for (std::size_t col = 0; col < c.columns.size() && w.Count() == 3; ++col) {
            if (c.columns[col].Type != ColumnType::F32) continue;
            if (c.measure == MeasureCurrentHarmonics && c.columns[col].Offset + 8 > c.records[0].size()) continue;
            for (std::size_t r = 0; r < 3; ++r) {
                TDateTime time = 0;
                double value = 0;
                ASSERT_TRUE(PerRecordRead(c.measure, c.records[r], c.columns[col], time, value)) << "column " << col;
                EXPECT_EQ(time, w.Times[r]);
                EXPECT_EQ(value, w.Columns[col][r]) << "column " << col << " record " << r;
            }
        }
    }
    EXPECT_TRUE(messages.Texts().empty());
}

// A bad stamp ends the read: the records before it stay, one message, not Complete. The date of
// a run of records is decoded once, so a bad time on a known date and a bad date after a good
// one must both be seen; the third case lies past the first read piece.
TEST(RecordWindowReader, BadStampInTheMiddleEndsTheReadWithOneMessage)
{
    struct Case {
        const char* what;
        std::int64_t first, bad;
        Bytes stamp;  // date (4 bytes) then time (2 bytes)
        const char* message;
    } cases[] = {
        {"bad hour, same date as the record before", 0, 3, {0xE8, 0x07, 15, 3, 0, 24}, "Invalid Time"},
        {"bad minute", 1, 3, {0xE8, 0x07, 15, 3, 60, 10}, "Invalid Time"},
        {"30 February", 0, 3, {0xE8, 0x07, 30, 2, 3, 10}, "Invalid Date"},
        {"month 13, past the first piece of the read", 100, 1500, {0xE8, 0x07, 1, 13, 0, 10}, "Invalid Date"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedMessages messages;
        TempProgDir dir;
        const std::string path = IndexedSeries(dir, 2000);
        PatchFile(path, 8 + 60 * static_cast<std::uint64_t>(c.bad), c.stamp);
        const TRecordWindowData w = ReadWindow(path, MeasureVoltage, c.first, 1999, std::span(&kL1Average, 1));
        EXPECT_FALSE(w.Complete);
        ASSERT_EQ(w.Count(), static_cast<std::size_t>(c.bad - c.first));
        ASSERT_EQ(w.Columns[0].size(), w.Count());
        EXPECT_EQ(w.Times.front(), FixtureTime(2024, 3, 15, 10, 0) + static_cast<double>(c.first) * kOneMinute);
        EXPECT_EQ(w.Columns[0].front(), static_cast<double>(c.first));
        EXPECT_EQ(w.Columns[0].back(), static_cast<double>(c.bad - 1));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message});

        messages.Clear();
        EXPECT_EQ(ReadWindow(path, MeasureVoltage, c.first, 1999, std::span(&kL1Average, 1), false).Count(), w.Count());
        EXPECT_TRUE(messages.Texts().empty());
    }
}

// A window of many read blocks: each record still gives what the
// one-record reader gives at its position.
TEST(RecordWindowReader, WindowAcrossReadBlocksMatchesOneRecordReads)
{
    TempProgDir dir;
    const std::string path = IndexedSeries(dir, 40000);  // 2.4 MB
    TDataFile file;
    ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
    const TRecordWindowData w = ReadRecordWindow(file, 7, 39990, std::span(&kL1Average, 1));
    EXPECT_TRUE(w.Complete);
    ASSERT_EQ(w.Count(), 39984u);
    TTraceSettings s;
    s.Entries[0].Item = 1;
    s.Entries[0].Offset = 24;
    for (std::size_t i = 0; i < w.Count(); ++i) {
        ASSERT_TRUE(ReadTrendRecord(file, static_cast<std::int64_t>(file.RecordPosition(static_cast<std::int64_t>(i) + 7)), s));
        ASSERT_EQ(w.Times[i], s.RecordTime) << i;
        ASSERT_EQ(w.Columns[0][i], static_cast<double>(i + 7)) << i;
    }
}

// The columns alone, for a caller holding the times: no stamp is decoded, so a bad one neither
// stops the read nor shows a message.
TEST(RecordWindowReader, ColumnsAloneDecodeNoStamp)
{
    ScriptedMessages messages;
    TempProgDir dir;
    const std::string path = IndexedSeries(dir, 2000);
    PatchFile(path, 8 + 60 * 700 + 5, {24});  // hour 24
    TDataFile file;
    ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
    const ColumnsRead w = ReadColumnsInto(file, 100, 1999, std::span(&kL1Average, 1));
    EXPECT_TRUE(w.read.Complete);
    EXPECT_EQ(w.read.Count(), 1900u);
    ASSERT_EQ(w.columns[0].size(), 1900u);
    EXPECT_EQ(w.columns[0][600], 700.0);
    EXPECT_EQ(w.columns[0].back(), 1999.0);
    EXPECT_EQ(w.highest[0], 1999.0);
    EXPECT_TRUE(messages.Texts().empty());
    const TRecordColumn beyond{57, ColumnType::F32, 1.0f};
    EXPECT_FALSE(ReadColumnsInto(file, 0, 9, std::span(&beyond, 1)).read.Complete);
    EXPECT_FALSE(ReadColumnsInto(file, 0, 2000, std::span(&kL1Average, 1)).read.Complete);
}

// The largest value of a column passes over values that are not numbers.
TEST(RecordWindowReader, HighestPassesOverValuesThatAreNotNumbers)
{
    TempProgDir dir;
    const std::string path = IndexedSeries(dir, 10);
    PatchFile(path, 8 + 60 * 9 + 24, {0x00, 0x00, 0xC0, 0x7F});  // the last average: not a number
    const TRecordWindowData w = ReadWindow(path, MeasureVoltage, 0, 9, std::span(&kL1Average, 1));
    EXPECT_TRUE(std::isnan(w.Columns[0][9]));
    EXPECT_EQ(w.Highest, std::vector<double>{8.0});
}

TEST(RecordWindowReader, WindowOfOneRecord)
{
    TempProgDir dir;
    const std::string path = IndexedSeries(dir, 10);
    const TRecordColumn columns[] = {kL1Average, {TrendHead::Period, ColumnType::I16, 1.0f}, {TrendHead::Time + 1, ColumnType::U8, 1.0f}};
    const TRecordWindowData w = ReadWindow(path, MeasureVoltage, 4, 4, columns);
    EXPECT_TRUE(w.Complete);
    EXPECT_EQ(Plain(w.Times), std::vector<double>{FixtureTime(2024, 3, 15, 10, 4)});
    EXPECT_EQ(Plain(w.Columns), (std::vector<std::vector<double>>{{4.0}, {1.0}, {10.0}}));  // average, period, hour
}

// A column beyond the record, or a window beyond the file's records, reads nothing.
TEST(RecordWindowReader, ColumnOrWindowOutsideTheFileReadsNothing)
{
    ScriptedMessages messages;
    TempProgDir dir;
    const std::string path = IndexedSeries(dir, 10);  // 60-byte records
    struct Case {
        const char* what;
        std::int64_t first, last;
        TRecordColumn column;
        bool complete;
    } cases[] = {
        {"last float of the record", 0, 9, {56, ColumnType::F32, 1.0f}, true},
        {"float over the record's end", 0, 9, {57, ColumnType::F32, 1.0f}, false},
        {"word over the record's end", 0, 9, {59, ColumnType::U16, 1.0f}, false},
        {"offset far beyond", 0, 9, {1u << 31, ColumnType::U8, 1.0f}, false},
        {"window past the last record", 5, 10, kL1Average, false},
        {"window before the first record", -1, 3, kL1Average, false},
        {"first after last", 6, 5, kL1Average, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TRecordWindowData w = ReadWindow(path, MeasureVoltage, c.first, c.last, std::span(&c.column, 1));
        EXPECT_EQ(w.Complete, c.complete);
        EXPECT_EQ(w.Count(), c.complete ? 10u : 0u);
        ASSERT_EQ(w.Columns.size(), 1u);
        EXPECT_EQ(w.Columns[0].size(), w.Count());
    }
    EXPECT_TRUE(messages.Texts().empty());
}

// Counts wider than a float's 24-bit mantissa (an event's duration in hundredths) read exactly.
TEST(RecordWindowReader, WideIntegerColumnsReadExactly)
{
    TempProgDir dir;
    const std::string path = IndexedSeries(dir, 3);
    PatchFile(path, 8 + 60 * 1 + 24, {0x01, 0x00, 0x00, 0x01});  // 16777217 = 2^24 + 1
    PatchFile(path, 8 + 60 * 2 + 24, {0xFF, 0xFF, 0xFF, 0xFF});
    const TRecordColumn columns[] = {{24, ColumnType::U32, 1.0f}, {24, ColumnType::I32, 1.0f}};
    const TRecordWindowData w = ReadWindow(path, MeasureVoltage, 1, 2, columns);
    ASSERT_TRUE(w.Complete);
    EXPECT_EQ(Plain(w.Columns[0]), (std::vector<double>{16777217.0, 4294967295.0}));
    EXPECT_EQ(Plain(w.Columns[1]), (std::vector<double>{16777217.0, -1.0}));
}

// One refilling reader over windows of every size in turn, failed and refused ones among them,
// each read once with doubles and once with singles and checked stamps: each read gives what a
// reader of that window alone gives, the singles the doubles narrowed, with nothing left from
// the windows before it.
TEST(RecordWindowReader, RefilledWindowsEqualWindowsReadAlone)
{
    ScriptedMessages messages;
    TempProgDir dir;
    const std::string path = IndexedSeries(dir, 30000);  // several read blocks
    PatchFile(path, 8 + 60 * 25000 + 5, {24});           // hour 24
    const TRecordColumn columns[] = {kL1Average, {TrendHead::Period, ColumnType::I16, 1.0f}};
    struct Case {
        const char* what;
        std::int64_t first, last;
        std::size_t count;
        bool complete;
    } cases[] = {
        {"across read blocks", 0, 20000, 20001, true},
        {"a short one after it", 50, 59, 10, true},
        {"a longer one again", 100, 24000, 23901, true},
        {"ended by the bad stamp", 20000, 29999, 5000, false},
        {"outside the file", 29990, 30000, 0, false},
        {"one record", 7, 7, 1, true},
        {"ended by the bad stamp again", 24990, 25010, 10, false},
    };
    TDataFile file;
    ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
    TRecordWindowRefill refill;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TRecordWindowData& w = refill.Read(file, c.first, c.last, columns, false);
        EXPECT_EQ(w.Complete, c.complete);
        ASSERT_EQ(w.Count(), c.count);
        ASSERT_EQ(w.Times.size(), c.count);
        ASSERT_EQ(w.Columns.size(), 2u);
        ASSERT_EQ(w.Columns[0].size(), c.count);
        if (c.count > 0) {
            const double last = static_cast<double>(c.first + static_cast<std::int64_t>(c.count) - 1);
            EXPECT_NEAR(w.Times.back(), FixtureTime(2024, 3, 15, 10, 0) + last * kOneMinute, 1e-6);  // 0.1 s
            EXPECT_EQ(w.Columns[0].front(), static_cast<double>(c.first));
            EXPECT_EQ(w.Columns[0].back(), last);
            EXPECT_EQ(w.Highest[0], w.Columns[0].back());
        } else {
            EXPECT_EQ(w.Highest[0], -HUGE_VAL);
        }
        EXPECT_TRUE(w.Singles.empty());
        const TRecordWindowData alone = ReadRecordWindow(file, c.first, c.last, columns, false);
        EXPECT_EQ(w.Times, alone.Times);
        EXPECT_EQ(w.Columns, alone.Columns);
        EXPECT_EQ(w.Highest, alone.Highest);

        const TRecordWindowData& singles =
            refill.Read(file, c.first, c.last, columns, false, StampUse::CheckOnly, ColumnPrecision::Single);
        EXPECT_EQ(singles.Complete, c.complete);
        ASSERT_EQ(singles.Count(), c.count);
        EXPECT_TRUE(singles.Times.empty());
        EXPECT_TRUE(singles.Columns.empty());
        EXPECT_TRUE(singles.Highest.empty());
        ASSERT_EQ(singles.Singles.size(), 2u);
        for (std::size_t k = 0; k < 2; ++k) {
            ASSERT_EQ(singles.Singles[k].size(), c.count);
            for (std::size_t i = 0; i < c.count; ++i) ASSERT_EQ(singles.Singles[k][i], static_cast<float>(alone.Columns[k][i]));
        }
    }
    EXPECT_TRUE(messages.Texts().empty());
}

// A file cut short after it was opened (its header still counts every record) keeps every whole
// record before its end, through each form of the reader, and says the file is short; the
// reader itself shows nothing (its callers tell the user). Cuts inside a read block, at a
// block's first record, one byte short of the last record, and down to the header.
TEST(RecordWindowReader, FileCutShortKeepsEveryWholeRecordPresent)
{
    ScriptedMessages messages;
    constexpr std::int64_t kRecords = 20000;  // several read blocks
    struct Case {
        const char* what;
        std::uint64_t size;  // bytes left
        std::size_t whole;   // whole records in them
    } cases[] = {
        {"one byte short", 8 + 60 * kRecords - 1, kRecords - 1},
        {"inside a block, a record's part left", 8 + 60 * 7000 + 59, 7000},
        {"at the start of the second block", 8 + 60 * 4369, 4369},
        {"down to the header", 8, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempProgDir dir;
        const std::string path = IndexedSeries(dir, kRecords);
        TDataFile file;
        ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
        std::filesystem::resize_file(path, c.size);

        const TRecordWindowData w = ReadRecordWindow(file, 0, kRecords - 1, std::span(&kL1Average, 1));
        EXPECT_FALSE(w.Complete);
        EXPECT_TRUE(w.ShortFile);
        ASSERT_EQ(w.Count(), c.whole);
        ASSERT_EQ(w.Times.size(), c.whole);
        ASSERT_EQ(w.Columns[0].size(), c.whole);
        if (c.whole > 0) {
            EXPECT_EQ(w.Columns[0].back(), static_cast<double>(c.whole - 1));
            EXPECT_EQ(w.Highest[0], static_cast<double>(c.whole - 1));
            EXPECT_NEAR(w.Times.back(), FixtureTime(2024, 3, 15, 10, 0) + static_cast<double>(c.whole - 1) * kOneMinute, 1e-6);
        }
        TRecordWindowRefill refill;
        EXPECT_EQ(refill.Read(file, 100, kRecords - 1, std::span(&kL1Average, 1)).Count(), c.whole > 100 ? c.whole - 100 : 0);
        EXPECT_TRUE(refill.Data().ShortFile);
        const ColumnsRead columns = ReadColumnsInto(file, 0, kRecords - 1, std::span(&kL1Average, 1));
        EXPECT_TRUE(columns.read.ShortFile);
        EXPECT_EQ(columns.read.Count(), c.whole);

        std::size_t walked = 0;
        RecordBlockReader block(file, 0, kRecords - 1);
        for (auto r = block.Next(); !r.empty(); r = block.Next()) ++walked;
        EXPECT_EQ(walked, c.whole);
        EXPECT_TRUE(block.Failed());

        // A window that ends before the cut is whole.
        if (c.whole > 10) {
            const TRecordWindowData before = ReadRecordWindow(file, 0, 9, std::span(&kL1Average, 1));
            EXPECT_TRUE(before.Complete);
            EXPECT_FALSE(before.ShortFile);
        }
    }
    EXPECT_TRUE(messages.Texts().empty());
}

// The gaps of a window are found while its stamps are decoded, wherever they fall: inside a
// decoded piece, at a piece's or a read block's first record, at the window's last record. A
// record earlier than the one before is a gap that stops the times ascending; a period of 0
// joins nothing.
TEST(RecordWindowReader, GapsAreFoundWhereverTheyFall)
{
    constexpr std::int64_t kRecords = 20000;  // two read blocks of 17476 records, pieces of 273
    const std::set<std::int64_t> gaps = {5, 273, 274, 17476, 17477, 19999};
    std::vector<Bytes> records;
    double minutes = 0;
    for (std::int64_t i = 0; i < kRecords; ++i) {
        minutes += gaps.count(i) ? 3 : 1;
        records.push_back(TrendRecord(MeasureVoltage, {.time = StampOf(FixtureTime(2024, 3, 15, 10, 0) + minutes * kOneMinute)}));
    }
    TempProgDir dir;
    const std::string path = WriteDataFile(dir / "gaps.vme", records);
    TDataFile file;
    ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
    auto read = [&](std::int64_t first, std::int64_t periodSeconds) {
        std::vector<TDateTime> times(static_cast<std::size_t>(kRecords - first));
        TTimeSteps steps;
        steps.PeriodSeconds = periodSeconds;
        const TWindowRead r = ReadRecordWindowInto(file, first, kRecords - 1, {}, times.data(), &steps, {}, {});
        EXPECT_TRUE(r.Complete);
        EXPECT_EQ(r.Count(), times.size());
        return steps;
    };
    const TTimeSteps whole = read(0, 60);
    EXPECT_EQ(whole.Gaps, (std::vector<std::uint32_t>(gaps.begin(), gaps.end())));
    EXPECT_TRUE(whole.Ascending);
    // From record 6 on, the window's positions count from there.
    EXPECT_EQ(read(6, 60).Gaps, (std::vector<std::uint32_t>{267, 268, 17470, 17471, 19993}));
    const TTimeSteps none = read(19990, 0);
    EXPECT_EQ(none.Gaps.size(), 9u);
    EXPECT_TRUE(none.Ascending);

    PatchFile(path, 8 + 60 * 9000 + 4, {0});  // record 9000 back to a whole hour
    const TTimeSteps back = read(0, 60);
    EXPECT_FALSE(back.Ascending);
    EXPECT_EQ(back.Gaps.size(), gaps.size() + 2);  // the record, and the one after it
}

// Checking stamps without decoding them accepts and refuses exactly the stamps the decoding
// does, with the same message: each edge stamp replaces the middle one of three records of
// 15/03/2024, whose dates are checked once a day (a bad time on the day before's date, a good
// date with a bad time, and the day after a new date all count), for the layout with a seconds
// byte, the one with hundredths and one with neither.
TEST(RecordWindowReader, CheckedStampsAreRefusedExactlyAsDecodedOnes)
{
    struct Case {
        const char* what;
        FixtureStamp stamp;
        const char* message;  // null: accepted
    } cases[] = {
        {"day 0", {2024, 3, 0, 10, 1, 0}, "Invalid Date"},
        {"day 1", {2024, 3, 1, 10, 1, 0}, nullptr},
        {"31 March", {2024, 3, 31, 10, 1, 0}, nullptr},
        {"32 March", {2024, 3, 32, 10, 1, 0}, "Invalid Date"},
        {"30 April", {2024, 4, 30, 10, 1, 0}, nullptr},
        {"31 April", {2024, 4, 31, 10, 1, 0}, "Invalid Date"},
        {"month 0", {2024, 0, 15, 10, 1, 0}, "Invalid Date"},
        {"month 12", {2024, 12, 31, 10, 1, 0}, nullptr},
        {"month 13", {2024, 13, 15, 10, 1, 0}, "Invalid Date"},
        {"29 February of a leap year", {2024, 2, 29, 10, 1, 0}, nullptr},
        {"29 February of a common year", {2023, 2, 29, 10, 1, 0}, "Invalid Date"},
        {"29 February 1900, a century", {1900, 2, 29, 10, 1, 0}, "Invalid Date"},
        {"29 February 2000, a fourth century", {2000, 2, 29, 10, 1, 0}, nullptr},
        {"30 February of a leap year", {2024, 2, 30, 10, 1, 0}, "Invalid Date"},
        {"year 0", {0, 3, 15, 10, 1, 0}, "Invalid Date"},
        {"year 1", {1, 1, 1, 10, 1, 0}, nullptr},
        {"year 9999", {9999, 12, 31, 10, 1, 0}, nullptr},
        {"year 10000", {10000, 1, 1, 10, 1, 0}, "Invalid Date"},
        {"year 65535", {65535, 3, 15, 10, 1, 0}, "Invalid Date"},
        {"23:59:59", {2024, 3, 15, 23, 59, 59}, nullptr},
        {"hour 24", {2024, 3, 15, 24, 0, 0}, "Invalid Time"},
        {"hour 255", {2024, 3, 15, 255, 0, 0}, "Invalid Time"},
        {"minute 60", {2024, 3, 15, 10, 60, 0}, "Invalid Time"},
        {"second 60", {2024, 3, 15, 10, 1, 60}, "Invalid Time"},
        {"hundredths 255", {2024, 3, 15, 10, 1, 30, 255}, nullptr},
        {"hour 24 on a new good date", {2024, 2, 29, 24, 0, 0}, "Invalid Time"},
        {"bad date and bad time", {2024, 13, 15, 24, 0, 0}, "Invalid Date"},
    };
    struct Layout {
        int measure;
        const char* file;
        Bytes prototype;
        std::size_t dateAt, timeAt;
        bool hundredths;     // time bytes minute, hour, hundredths, second; else minute, hour
        std::size_t secondAt;  // without hundredths: 0 when the record keeps no seconds
    } layouts[] = {
        {MeasureVoltage, "stamps.vme", TrendRecord(MeasureVoltage, {}), TrendHead::Date, TrendHead::Time, false,
         TrendHead::SecondsWord + 1},
        {MeasureEvents, "stamps.eve", EventRecord({}), EventField::Date, EventField::Time, true, 0},
        {MeasureFlicker, "stamps.flk", FlickerRecord({}), FlickerHead::Date, FlickerHead::Time, false, 0},
    };
    ScriptedMessages messages;
    TempProgDir dir;
    const TRecordColumn firstByte{0, ColumnType::U8, 1.0f};
    for (const Layout& layout : layouts) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(layout.file) + ": " + c.what);
            if (c.stamp.hundredths != 0 && !layout.hundredths) continue;
            if (c.stamp.second != 0 && !layout.hundredths && layout.secondAt == 0) continue;
            const std::string path =
                WriteRecordSeries(dir / layout.file, layout.measure, layout.prototype, FixtureTime(2024, 3, 15, 10, 0), kOneMinute, 3);
            const FixtureStamp& s = c.stamp;
            const std::uint64_t record = 8 + layout.prototype.size();
            PatchFile(path, record + layout.dateAt,
                      {static_cast<std::uint8_t>(s.year & 0xFF), static_cast<std::uint8_t>(s.year >> 8),
                       static_cast<std::uint8_t>(s.day), static_cast<std::uint8_t>(s.month)});
            const auto minute = static_cast<std::uint8_t>(s.minute), hour = static_cast<std::uint8_t>(s.hour),
                       second = static_cast<std::uint8_t>(s.second);
            if (layout.hundredths) PatchFile(path, record + layout.timeAt, {minute, hour, static_cast<std::uint8_t>(s.hundredths), second});
            else PatchFile(path, record + layout.timeAt, {minute, hour});
            if (layout.secondAt) PatchFile(path, record + layout.secondAt, {second});

            const std::size_t expected = c.message ? 1 : 3;
            const std::vector<std::string> shown = c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
            for (const StampUse use : {StampUse::Times, StampUse::CheckOnly}) {
                SCOPED_TRACE(use == StampUse::Times ? "decoded" : "checked");
                messages.Clear();
                TDataFile file;
                ASSERT_EQ(file.Open(path, layout.measure), DataFileFault::None);
                const TRecordWindowData w = ReadRecordWindow(file, 0, 2, std::span(&firstByte, 1), true, use);
                EXPECT_EQ(w.Complete, c.message == nullptr);
                EXPECT_EQ(w.Count(), expected);
                EXPECT_EQ(w.Columns[0].size(), expected);
                EXPECT_EQ(w.Times.size(), use == StampUse::Times ? expected : 0u);
                EXPECT_EQ(messages.Texts(), shown);
            }
        }
    }
}
