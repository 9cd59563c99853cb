#include "dialogs/harmonic_picker.h"

#include <gtest/gtest.h>

namespace {
HarmonicNumbers Numbers(std::initializer_list<int> values)
{
    HarmonicNumbers numbers{};
    int i = 0;
    for (int v : values) numbers[i++] = static_cast<std::uint16_t>(v);
    return numbers;
}

HarmonicNumbers FirstNumbers(int count)
{
    HarmonicNumbers numbers{};
    for (int i = 0; i < count; ++i) numbers[i] = static_cast<std::uint16_t>(i);
    return numbers;
}

using Labels = std::vector<std::string>;

void Select(PickerList& list, std::initializer_list<int> indexes)
{
    for (int i : indexes) list.selected[i] = true;
}
}  // namespace

TEST(HarmonicPicker, CaptionAndLimitByModeAndPhases)
{
    struct Case { int mode, phases; const char* caption; int limit; };
    const Case cases[] = {
        {PickVoltageHarmonics, 1, "Harmonics Selection", 27},
        {PickVoltageHarmonics, 2, "Harmonics Selection", 18},
        {PickCurrentHarmonics, 3, "Harmonics Selection", 9},
        {PickVoltageHarmonics, 0, "Harmonics Selection", 27},
        {PickCurrentHarmonics, 4, "Harmonics Selection", 9},
        {CopyVoltageSetup, 3, "Copy Setup on the selected Harmonics", 26},
        {CancelVoltageSetup, 3, "Cancel Setup on the selected Harmonics", 26},
        {CopyCurrentSetup, 1, "Copy Setup on the selected Harmonics", 26},
        {CancelCurrentSetup, 1, "Cancel Setup on the selected Harmonics", 26},
    };
    for (const auto& c : cases) {
        HarmonicPicker picker;
        picker.Setup(FirstNumbers(26), {}, 26, 0, c.phases, c.mode);
        EXPECT_EQ(picker.Caption(), c.caption) << c.mode;
        EXPECT_EQ(picker.Limit(), c.limit) << c.mode;
        EXPECT_EQ(picker.LimitText(), "Max " + std::to_string(c.limit) + " items");
    }
}

TEST(HarmonicPicker, ChosenHarmonicsStartInTheDestination)
{
    HarmonicPicker picker;
    picker.Setup(FirstNumbers(6), Numbers({3, 0}), 6, 2, 3, PickVoltageHarmonics);
    EXPECT_EQ(picker.source.items, (Labels{"1st", "2nd", "4th", "5th"}));
    EXPECT_EQ(picker.destination.items, (Labels{"3rd", "Thd"}));
    EXPECT_TRUE(picker.OkEnabled());
    EXPECT_EQ(picker.Chosen(), (std::vector<std::uint16_t>{3, 0}));
}

TEST(HarmonicPicker, CurrentHarmonicsAreShownAndReturnedByIndex)
{
    HarmonicPicker picker;
    picker.Setup(FirstNumbers(5), {}, 5, 0, 3, PickCurrentHarmonics);
    EXPECT_EQ(picker.source.items, (Labels{"Thd", "DC", "1st", "2nd", "3rd"}));
    Select(picker.source, {3});
    picker.Include();
    EXPECT_EQ(picker.destination.items, (Labels{"2nd"}));
    EXPECT_EQ(picker.Chosen(), (std::vector<std::uint16_t>{3}));
}

TEST(HarmonicPicker, SetupCurrentModesLeaveOutTheFundamental)
{
    for (int mode : {CopyCurrentSetup, CancelCurrentSetup}) {
        HarmonicPicker picker;
        picker.Setup(FirstNumbers(6), Numbers({0, 1, 2, 5}), 6, 4, 3, mode);
        EXPECT_EQ(picker.source.items, (Labels{"2nd", "3rd"})) << mode;
        EXPECT_EQ(picker.destination.items, (Labels{"Thd", "DC", "4th"})) << mode;
        EXPECT_EQ(picker.Chosen(), (std::vector<std::uint16_t>{0, 1, 5})) << mode;
    }
}

TEST(HarmonicPicker, SeveralMovedItemsArriveInReverseOrder)
{
    HarmonicPicker picker;
    picker.Setup(FirstNumbers(6), Numbers({5}), 6, 1, 3, PickVoltageHarmonics);
    Select(picker.source, {1, 3});  // "1st" and "3rd"
    picker.Include();
    EXPECT_EQ(picker.destination.items, (Labels{"5th", "3rd", "1st"}));
    EXPECT_EQ(picker.source.items, (Labels{"Thd", "2nd", "4th"}));
    // The item now at the first moved one's place is selected, ready for the next move.
    EXPECT_EQ(picker.source.selected, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(picker.focus, PickerSide::Source);
}

TEST(HarmonicPicker, SelectionAfterAMoveStaysInsideTheList)
{
    HarmonicPicker picker;
    picker.Setup(FirstNumbers(3), {}, 3, 0, 3, PickVoltageHarmonics);
    Select(picker.source, {2});
    picker.Include();
    EXPECT_EQ(picker.source.selected, (std::vector<bool>{false, true}));  // the last one
    picker.source.selected = {false, false};
    picker.Include();  // nothing selected: nothing moves, the first item gets selected
    EXPECT_EQ(picker.source.items, (Labels{"Thd", "1st"}));
    EXPECT_EQ(picker.source.selected, (std::vector<bool>{true, false}));
}

TEST(HarmonicPicker, OkNeedsOneToLimitItems)
{
    HarmonicPicker picker;
    picker.Setup(FirstNumbers(12), {}, 12, 0, 3, PickVoltageHarmonics);
    EXPECT_FALSE(picker.OkEnabled());
    for (int i = 0; i < 10; ++i) {
        Select(picker.source, {0});
        picker.Include();
    }
    EXPECT_EQ(picker.destination.Count(), 10);
    EXPECT_FALSE(picker.OkEnabled());
    Select(picker.destination, {4});
    picker.Exclude();
    EXPECT_EQ(picker.destination.Count(), 9);
    EXPECT_TRUE(picker.OkEnabled());
    EXPECT_EQ(picker.focus, PickerSide::Destination);
}

TEST(HarmonicPicker, MovingEverythingLeavesNothingSelectedInTheEmptiedList)
{
    HarmonicPicker picker;
    picker.Setup(FirstNumbers(3), {}, 3, 0, 3, PickVoltageHarmonics);
    Select(picker.source, {0, 1, 2});
    picker.Include();
    EXPECT_TRUE(picker.source.selected.empty());
    EXPECT_EQ(picker.destination.items, (Labels{"2nd", "1st", "Thd"}));
    EXPECT_EQ(picker.destination.selected, (std::vector<bool>{false, false, false}));
    picker.ExcludeAll();
    EXPECT_TRUE(picker.destination.items.empty());
    EXPECT_EQ(picker.focus, PickerSide::Destination);
    picker.Exclude();  // nothing to move
    EXPECT_EQ(picker.source.Count(), 3);
}

TEST(HarmonicPicker, MoveAllKeepsTheOrder)
{
    HarmonicPicker picker;
    picker.Setup(FirstNumbers(5), Numbers({7}), 5, 1, 3, PickVoltageHarmonics);
    picker.IncludeAll();
    EXPECT_EQ(picker.destination.items, (Labels{"7th", "Thd", "1st", "2nd", "3rd", "4th"}));
    EXPECT_FALSE(picker.CanInclude());
    EXPECT_TRUE(picker.CanExclude());
    picker.ExcludeAll();
    EXPECT_EQ(picker.source.items, (Labels{"7th", "Thd", "1st", "2nd", "3rd", "4th"}));
    EXPECT_FALSE(picker.CanExclude());
    EXPECT_FALSE(picker.OkEnabled());
}

TEST(HarmonicPicker, CountsBeyondTheArraysAreCut)
{
    HarmonicPicker picker;
    picker.Setup(FirstNumbers(kHarmonicListCapacity), {}, 1000, -4, 1, CopyVoltageSetup);
    EXPECT_EQ(picker.source.Count(), kHarmonicListCapacity);
    EXPECT_EQ(picker.destination.Count(), 0);
    EXPECT_EQ(picker.Limit(), kHarmonicListCapacity);
}
