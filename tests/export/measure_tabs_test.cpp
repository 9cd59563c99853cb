// The export wizard's measure tabs as rules: what each file kind offers from its first record,
// the boxes ticked at first, Set All and Clear All, the check before Next, the columns a choice
// needs (as many as the exporter writes).
#include "export/measure_columns.h"
#include "export/measure_tabs.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"

#include <gtest/gtest.h>

namespace {
using Flags = std::vector<int>;

// The indexes of the set flags among the first `count`.
template <std::size_t N>
Flags SetFlags(const std::array<bool, N>& flags, std::size_t count = N)
{
    Flags set;
    for (std::size_t i = 0; i < count && i < N; ++i)
        if (flags[i]) set.push_back(static_cast<int>(i));
    return set;
}

Flags Checked(const std::vector<TTabBox>& boxes)
{
    Flags set;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].Checked) set.push_back(static_cast<int>(i));
    return set;
}

std::vector<TTabBox> Phases(const TTabState& tab) { return {tab.Phases.begin(), tab.Phases.end()}; }

HarmonicBlockFields Block(int order, std::uint16_t flags) { return {.flags = flags, .order = order}; }
}  // namespace

TEST(MeasureTabs, EachFileKindOffersWhatItsFirstRecordHolds)
{
    TempProgDir dir;
    auto trend = [&](int measure, std::uint16_t flags, std::uint16_t wiring) {
        TrendRecordFields r;
        r.flags = flags;
        r.wiring = wiring;
        return WriteDataFile(dir / ("t" + std::to_string(measure) + std::to_string(flags) + std::to_string(wiring)),
                             {TrendRecord(measure, r)});
    };
    auto flicker = [&](std::uint8_t mode, std::uint16_t flags) {
        FlickerRecordFields r;
        r.mode = mode;
        r.flags = flags;
        r.wiring = 1;
        return WriteDataFile(dir / ("f" + std::to_string(mode) + std::to_string(flags)), {FlickerRecord(r)});
    };
    auto powers = [&](std::uint16_t flags, std::uint16_t wiring, std::uint16_t currentWiring) {
        PowerRecordFields r;
        r.flags = flags;
        r.wiring = wiring;
        r.currentWiring = currentWiring;
        return WriteDataFile(dir / ("w" + std::to_string(flags) + std::to_string(wiring) + std::to_string(currentWiring)),
                             {PowerRecord(r)});
    };
    auto energy = [&](std::uint16_t perPhase) {
        EnergyRecordFields r;
        r.perPhase = perPhase;
        return WriteDataFile(dir / ("e" + std::to_string(perPhase)), {EnergyRecord(r)});
    };
    struct Case {
        const char* what;
        int measure;
        std::string file;
        Flags items, phases;
    };
    const Case cases[] = {
        {"voltage, all groups, three-phase", 1, trend(1, 2 | 4 | 8 | 16 | 32, 0), {0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 2}},
        {"voltage, 95 % pair only, single-phase", 1, trend(1, 8, 1), {5, 6}, {0}},
        {"frequency", 2, trend(2, 2 | 16, 0), {0, 1, 2, 7, 8}, {0, 1, 2}},
        {"flicker, full set", 5, flicker(1, 2), {0, 1, 2, 3, 4, 5, 6, 7}, {0}},
        {"flicker, Pst and Plt", 5, flicker(2, 2), {0, 7}, {0}},
        {"powers, two currents", 7, powers(2 | 16, 0, 1), {0, 1, 2, 9, 10, 11}, {0, 1}},
        {"powers, no currents", 7, powers(4 | 8, 0, 0), {3, 4, 5, 6, 7, 8}, {}},
        {"powers, single-phase", 7, powers(16, 1, 0), {9, 10, 11}, {0}},
        {"energy with phases", 10, energy(0), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, {0, 1, 2}},
        {"energy without phases", 10, energy(1), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0}},
        {"energy, negative word", 10, energy(0xFFFF), {}, {0}},
        {"events: everything", 6, "", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        TExportParams params;
        params.Measure(c.measure).Items.fill(true);  // what was there before is forgotten
        EXPECT_TRUE(ReadMeasureAvailability(c.measure, c.file, params)) << c.what;
        EXPECT_EQ(SetFlags(params.Measure(c.measure).Items), c.items) << c.what;
        EXPECT_EQ(SetFlags(params.Measure(c.measure).Phases), c.phases) << c.what;
    }
    TExportParams params;
    EXPECT_FALSE(ReadMeasureAvailability(1, dir / "missing.vme", params));
    EXPECT_TRUE(SetFlags(params.Measure(1).Items).empty());
}

TEST(MeasureTabs, HarmonicFilesGiveTheirBlockTableWithTheFirstBlockChosen)
{
    TempProgDir dir;
    HarmonicsRecordFields voltage;
    voltage.blocks = {Block(0, 2 | 4), Block(3, 2), Block(5, 2 | 0x100)};
    CurrentHarmonicsRecordFields current;
    current.wiring = 1;
    current.blocks = {{.flags = 2, .index = 1}, {.flags = 0, .index = 4}};
    TExportParams p;
    ASSERT_TRUE(ReadMeasureAvailability(4, WriteDataFile(dir / "s.hme", {HarmonicsRecord(voltage)}), p));
    ASSERT_TRUE(ReadMeasureAvailability(9, WriteDataFile(dir / "s.hmi", {CurrentHarmonicsRecord(current)}), p));
    EXPECT_EQ(p.VoltageOrderCount, 3);
    EXPECT_EQ((std::vector<int>(p.VoltageOrders.begin(), p.VoltageOrders.begin() + 3)), (std::vector<int>{0, 3, 5}));
    EXPECT_EQ((std::vector<int>(p.VoltageHarmonicFlags.begin(), p.VoltageHarmonicFlags.begin() + 3)),
              (std::vector<int>{6, 2, 0x102}));
    EXPECT_EQ(p.VoltageChosenCount, 1);
    EXPECT_EQ(p.VoltageChosen[0], 0);
    EXPECT_EQ(SetFlags(p.Measure(4).Items), (Flags{0, 1, 2, 3, 4}));
    EXPECT_EQ(SetFlags(p.Measure(4).Present), (Flags{0, 1, 2, 3, 4}));
    EXPECT_EQ(SetFlags(p.Measure(4).Phases), (Flags{0, 1, 2}));
    EXPECT_EQ(p.CurrentOrderCount, 2);
    EXPECT_EQ(p.CurrentOrders[0], 1);
    EXPECT_EQ(p.CurrentOrders[1], 4);
    EXPECT_EQ(p.CurrentChosen[0], 1);
    EXPECT_EQ(SetFlags(p.Measure(9).Items), (Flags{0, 1, 2}));
    EXPECT_EQ(SetFlags(p.Measure(9).Phases), (Flags{0}));

    // A head announcing more blocks than the record holds offers nothing.
    voltage.blockCount = 4;
    TExportParams damaged;
    EXPECT_FALSE(ReadMeasureAvailability(4, WriteDataFile(dir / "d.hme", {HarmonicsRecord(voltage)}), damaged));
    EXPECT_TRUE(SetFlags(damaged.Measure(4).Items).empty());
    // So does a block whose channel code names no harmonic (it was offered as THD).
    voltage.blockCount = -1;
    voltage.blocks[1].phases = {PhaseBlockFields{.channel = 9}};
    EXPECT_FALSE(ReadMeasureAvailability(4, WriteDataFile(dir / "c.hme", {HarmonicsRecord(voltage)}), damaged));
}

TEST(MeasureTabs, BoxesStartEnabledByTheFileAndTickedAsUsual)
{
    auto available = [](Flags items, Flags phases) {
        TExportMeasureSel s;
        for (int i : items) s.Items[static_cast<std::size_t>(i)] = true;
        for (int p : phases) s.Phases[static_cast<std::size_t>(p)] = true;
        return s;
    };
    struct Case {
        const char* what;
        int measure;
        TExportMeasureSel available;
        Flags checkedItems, checkedPhases;
    };
    const Case cases[] = {
        {"single-phase voltage", 1, available({0, 1, 2}, {0}), {1}, {0}},
        {"voltage without averages", 1, available({3, 4}, {0, 1, 2}), {}, {0, 1, 2}},
        {"frequency", 2, available({0, 1, 2}, {0, 1, 2}), {1}, {}},
        {"flicker, Pst and Plt", 5, available({0, 7}, {0}), {7}, {0}},
        {"voltage harmonics", 4, available({0, 1, 2}, {0, 1, 2}), {1}, {0, 1, 2}},
        {"current harmonics", 9, available({0, 1, 2}, {0}), {1}, {0}},
        {"alarms", 6, available({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 1, 2}), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 1, 2}},
        {"powers", 7, available({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0, 1}), {1, 4, 7, 10}, {0, 1}},
        {"powers without currents", 7, available({0, 1, 2}, {}), {1}, {}},
        {"energy", 10, available({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0}), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0}},
    };
    for (const Case& c : cases) {
        const TTabState tab = InitialTabState(c.measure, c.available);
        EXPECT_EQ(tab.Items.size(), ExportTabOf(c.measure)->ItemCaptions.size()) << c.what;
        EXPECT_EQ(Checked(tab.Items), c.checkedItems) << c.what;
        EXPECT_EQ(Checked(Phases(tab)), c.checkedPhases) << c.what;
        for (std::size_t i = 0; i < tab.Items.size(); ++i) EXPECT_EQ(tab.Items[i].Enabled, c.available.Items[i]) << c.what << i;
    }
}

TEST(MeasureTabs, SetAllTicksWhatIsEnabledAndClearAllUnticksEverything)
{
    TExportMeasureSel single;
    single.Items[0] = single.Items[1] = single.Items[2] = true;
    single.Phases[0] = true;
    TTabState tab = InitialTabState(1, single);
    SetAllBoxes(tab);
    EXPECT_EQ(Checked(tab.Items), (Flags{0, 1, 2}));
    EXPECT_EQ(Checked(Phases(tab)), (Flags{0}));
    ClearAllBoxes(tab);
    EXPECT_TRUE(Checked(tab.Items).empty());
    EXPECT_EQ(TickedPhases(tab), 0);
    EXPECT_FALSE(TabIsValid(1, tab));
}

TEST(MeasureTabs, NextNeedsWhatEachTabAsksFor)
{
    auto tab = [](int measure, Flags items, Flags phases) {
        TExportMeasureSel all;
        all.Items.fill(true);
        all.Phases.fill(true);
        TTabState t = InitialTabState(measure, all);
        ClearAllBoxes(t);
        for (int i : items) t.Items[static_cast<std::size_t>(i)].Checked = true;
        for (int p : phases) t.Phases[static_cast<std::size_t>(p)].Checked = true;
        return t;
    };
    struct Case { const char* what; int measure; TTabState tab; bool valid; };
    const Case cases[] = {
        {"voltage item and phase", 1, tab(1, {0}, {2}), true},
        {"voltage without a phase", 1, tab(1, {0}, {}), false},
        {"frequency needs no phase", 2, tab(2, {8}, {}), true},
        {"unbalance without an item", 3, tab(3, {}, {0}), false},
        {"powers: Min. Current without a phase", 7, tab(7, {9}, {}), false},
        {"powers: Avg. Active Power without a phase", 7, tab(7, {1}, {}), true},
        {"alarms: no event type", 6, tab(6, {0, 1, 2, 3, 4, 5, 9}, {0, 1, 2}), false},
        {"alarms: digital inputs and over", 6, tab(6, {9, 6}, {1}), true},
        {"alarms: no phase", 6, tab(6, {0, 7}, {}), false},
        {"energy item without a phase", 10, tab(10, {3}, {}), false},
    };
    for (const Case& c : cases) EXPECT_EQ(TabIsValid(c.measure, c.tab), c.valid) << c.what;
    EXPECT_TRUE(HarmonicsButtonEnabled(tab(4, {2}, {1})));
    EXPECT_FALSE(HarmonicsButtonEnabled(tab(4, {2}, {})));
    EXPECT_FALSE(HarmonicsButtonEnabled(tab(9, {}, {0})));
}

TEST(MeasureTabs, FinishStoresTheBoxesAndFrequencyKeepsL1)
{
    TExportMeasureSel all;
    all.Items.fill(true);
    all.Phases.fill(true);
    TTabState tab = InitialTabState(2, all);
    TExportMeasureSel block = all;
    StoreTabState(2, tab, block);
    EXPECT_EQ(SetFlags(block.Items, 9), (Flags{1}));
    EXPECT_EQ(SetFlags(block.Phases), (Flags{0}));
    EXPECT_EQ(SetFlags(block.Present), SetFlags(all.Present)) << "Present stays";
}

TEST(MeasureTabs, ColumnsOfAChoiceAreTheColumnsTheExporterWrites)
{
    HarmonicsRecordFields voltage;
    for (int order = 0; order < 6; ++order) voltage.blocks.push_back(Block(order, 2 | 4 | 8 | 16));
    CurrentHarmonicsRecordFields current;
    current.blocks = {{.index = 0}, {.index = 1}, {.index = 2}};
    TrendRecordFields trend;
    trend.flags = 2 | 4 | 8 | 16;
    struct Case { int measure; Bytes record; Flags items, phases; int orders; int columns; };
    const Case cases[] = {
        {1, TrendRecord(1, trend), {0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 2}, 0, 27},
        {2, TrendRecord(2, trend), {1, 2}, {0, 1, 2}, 0, 2},
        {4, HarmonicsRecord(voltage), {1, 3}, {0, 2}, 6, 24},
        {9, CurrentHarmonicsRecord(current), {0, 2}, {0, 1, 2}, 3, 36},
        {5, FlickerRecord({}), {0, 7}, {0, 1}, 0, 4},
        {7, PowerRecord({}), {1, 4, 9, 10}, {0, 1, 2}, 0, 8},
        {10, EnergyRecord({.perPhase = 0}), {0, 5, 11, 16}, {}, 0, 4},
    };
    for (const Case& c : cases) {
        TExportParams p;
        for (int i : c.items) p.Measure(c.measure).Items[static_cast<std::size_t>(i)] = true;
        for (int ph : c.phases) p.Measure(c.measure).Phases[static_cast<std::size_t>(ph)] = true;
        for (int k = 0; k < c.orders; ++k) p.VoltageChosen[static_cast<std::size_t>(k)] = p.CurrentChosen[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(k);
        p.VoltageChosenCount = p.CurrentChosenCount = c.orders;
        EXPECT_EQ(ExportValueColumns(c.measure, p), c.columns) << c.measure;
        const auto columns = MeasureValueColumns(c.measure, c.record, p.ColumnChoice(c.measure));
        ASSERT_TRUE(columns.has_value()) << c.measure;
        EXPECT_EQ(static_cast<int>(columns->Columns.size()), c.columns) << c.measure;
    }
    EXPECT_EQ(ExportSheetColumns(6, TExportParams{}), 8);
}

TEST(MeasureTabs, EnergyBoxesLeaveOutTheTrailingBlankOfTheDeliveredTitle)
{
    const std::vector<std::string>& captions = ExportTabOf(10)->ItemCaptions;
    ASSERT_EQ(captions.size(), 17u);
    EXPECT_EQ(captions[0], "Active Energy Received");
    EXPECT_EQ(captions[1], "Active Energy Delivered");
    EXPECT_EQ(captions[10], "Apparent Energy Q4");
    EXPECT_EQ(captions[11], "Active Energy Received L1");
    EXPECT_EQ(captions[16], "Active Energy Delivered L3");
}
