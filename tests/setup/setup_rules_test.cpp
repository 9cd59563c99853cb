// The setup editor's rules: value ranges, order stepping, switches over chosen harmonics, the
// global enables' condition and the recorder interval.
#include "setup/setup_rules.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(SetupRules, RangesAcceptBothEndsOnly)
{
    using F = SetupField;
    const struct {
        F field;
        float value;
        bool accepted;
    } cases[] = {
        {F::VNom, 0, true}, {F::VNom, 500000, true}, {F::VNom, 500000.1f, false}, {F::VNom, -0.1f, false},
        {F::VLow, 100, true}, {F::VHigh, 100.1f, false}, {F::VDelta, 10, true}, {F::VDelta, 10.1f, false},
        {F::HzLow, 0, true}, {F::HzHigh, 100.5f, false}, {F::UnbHigh, 100, true}, {F::UnbHigh, -1, false},
        {F::HHigh, 100, true}, {F::HiHigh, 101, false}, {F::FlkHigh, 100, true}, {F::FlkHigh, 100.01f, false},
        {F::FlkPlt, 1, true}, {F::FlkPlt, 0, false}, {F::FlkPlt, 1500, true}, {F::FlkPlt, 1501, false},
        {F::WHighP, 0, true}, {F::WHighQ, -0.1f, false}, {F::WHighA, 1e30f, true}, {F::WHighC, -1e-6f, false},
        {F::HiSoglia, 1000, true}, {F::HiSoglia, 1000.1f, false},
        {F::VLow, std::numeric_limits<float>::quiet_NaN(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.field) << " " << c.value);
        EXPECT_EQ(InSetupRange(c.field, c.value), c.accepted);
    }
    EXPECT_EQ(SetupRange(F::VNom).Message, "Nominal Value must be from 0.0 to 500000 V");
    EXPECT_EQ(SetupRange(F::WHighC).Message, "Power and Current limits must be positive values.");
    EXPECT_TRUE(SetupRange(F::FlkPlt).Whole);
}

// Each sequence: the index after each step from 0, never the fundamental.
TEST(SetupRules, OrderStepsSkipTheFundamental)
{
    auto walk = [](int index, bool up, int steps, int maxIndex, int fundamental) {
        std::vector<int> seen;
        for (int i = 0; i < steps; ++i) seen.push_back(index = StepHarmonicIndex(index, up, maxIndex, fundamental));
        return seen;
    };
    EXPECT_EQ(walk(0, true, 3, 25, kVoltageFundamental), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(walk(3, false, 3, 25, kVoltageFundamental), (std::vector<int>{2, 0, 0}));
    EXPECT_EQ(walk(24, true, 2, 25, kVoltageFundamental), (std::vector<int>{25, 25}));
    EXPECT_EQ(walk(49, true, 2, 50, kVoltageFundamental), (std::vector<int>{50, 50}));
    EXPECT_EQ(walk(0, true, 3, 26, kCurrentFundamental), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(walk(4, false, 4, 26, kCurrentFundamental), (std::vector<int>{3, 1, 0, 0}));
    EXPECT_EQ(walk(25, true, 2, 26, kCurrentFundamental), (std::vector<int>{26, 26}));
}

TEST(SetupRules, SwitchesOverChosenHarmonics)
{
    std::array<std::uint16_t, 5> words{0x01, 0x10, 0, 0x7F, 0x02};
    CopySwitches(words, {0, 3, 4, 9}, 0x05);  // index 9 lies beyond the words
    EXPECT_EQ(words, (std::array<std::uint16_t, 5>{0x05, 0x10, 0, 0x7F, 0x07}));
    CancelSwitches(words, {1, 3, 12});
    EXPECT_EQ(words, (std::array<std::uint16_t, 5>{0x05, 0, 0, 0, 0x07}));

    EXPECT_EQ(VoltageSwitchChoices().size(), 50u);
    EXPECT_EQ(VoltageSwitchChoices()[1], 2);
    EXPECT_EQ(CurrentSwitchChoices().size(), 27u);
}

TEST(SetupRules, GlobalEnableNeedsOneHarmonicEnabled)
{
    std::array<std::uint16_t, 3> words{0x7E, 0, 0x40};  // no Enable bit anywhere
    EXPECT_FALSE(AnyHarmonicEnabled(words, false));
    EXPECT_TRUE(AnyHarmonicEnabled(words, true));
    words[2] = 0x01;
    EXPECT_TRUE(AnyHarmonicEnabled(words, false));
}

TEST(SetupRules, RecorderIntervalNeedsStartBeforeStop)
{
    const TPackedDate none{0, kNoDateDay, 0};
    const struct {
        const char* name;
        TPackedDate startDate;
        TPackedTimeEx startTime;
        TPackedDate stopDate;
        TPackedTimeEx stopTime;
        bool valid;
    } cases[] = {
        {"stop a day later", {2005, 1, 3}, {0, 10}, {2005, 2, 3}, {0, 9}, true},
        {"stop a minute later", {2005, 1, 3}, {15, 10}, {2005, 1, 3}, {16, 10}, true},
        {"equal", {2005, 1, 3}, {15, 10}, {2005, 1, 3}, {15, 10}, false},
        {"stop earlier", {2005, 2, 3}, {0, 0}, {2005, 1, 3}, {0, 23}, false},
        {"no start date", none, {0, 10}, {2005, 1, 3}, {0, 9}, true},
        {"no stop date", {2005, 2, 3}, {0, 10}, none, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSetupRecord s = DefaultSetup();
        s.StartDate = c.startDate;
        s.StartTime = c.startTime;
        s.StopDate = c.stopDate;
        s.StopTime = c.stopTime;
        EXPECT_EQ(RecorderIntervalValid(s), c.valid);
    }
}
