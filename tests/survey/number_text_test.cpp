// Harmonic labels, engineering texts, text-to-number conversions and recording periods.
#include "survey/number_text.h"

#include "platform/scripted_messages.h"

#include <gtest/gtest.h>
#include <limits>

TEST(NumberText, HarmonicLabels)
{
    EXPECT_EQ(HarmonicLabel(0), "Thd");
    EXPECT_EQ(HarmonicLabel(1), "1st");
    EXPECT_EQ(HarmonicLabel(3), "3rd");
    EXPECT_EQ(HarmonicLabel(11), "11th");
    EXPECT_EQ(HarmonicLabel(21), "21th");
    EXPECT_EQ(CurrentHarmonicLabel(0), "Thd");
    EXPECT_EQ(CurrentHarmonicLabel(1), "DC");
    EXPECT_EQ(CurrentHarmonicLabel(2), "1st");
    EXPECT_EQ(CurrentHarmonicLabel(5), "4th");
    EXPECT_EQ(ParseHarmonicLabel("Thd"), 0);
    EXPECT_EQ(ParseHarmonicLabel("25th"), 25);
    EXPECT_EQ(ParseHarmonicLabel("x"), -1);
    EXPECT_EQ(ParseHarmonicLabel(""), -1);
    EXPECT_EQ(ParseHarmonicLabel("12345678901234"), 1234567890);  // ten digits at most
    EXPECT_EQ(ParseHarmonicLabel("99999999999"), 2147483647);
    EXPECT_EQ(ParseCurrentHarmonicLabel("4th"), 5);
    EXPECT_EQ(ParseCurrentHarmonicLabel("DC"), 1);
    EXPECT_EQ(ParseCurrentHarmonicLabel("Thd"), 0);
}

TEST(NumberText, EngineeringTexts)
{
    struct Case {
        float value;
        const char* text;
    } cases[] = {
        {1500000, "1.500M"}, {2000000000, "2000M"}, {1500, "1.500k"}, {2000, "2k"}, {2500, "2.500k"},
        {999.5f, "999.5"},   {150, "150"},          {5, "5"},         {12.5f, "12.50"}, {0.25f, "0.250"},
        {-2000, "-2k"},      {0, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatEngineering(c.value), c.text) << c.value;
    EXPECT_EQ(FormatEngineeringUnit("kVolt", "V", 230), "230 k");
    EXPECT_EQ(FormatEngineeringUnit("kVolt", "A", 12.5f), "12.50 ");
    EXPECT_EQ(FormatEngineeringUnit("MVolt", "V", 1500), "1500 M");
    EXPECT_EQ(FormatEngineeringUnit("Volt", "V", 1.25f), "1.250 ");
}

// A damaged record's NaN or infinity shows "***" wherever its number is written, never "nan".
TEST(NumberText, ValuesThatAreNoNumberShowNoValue)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    for (float v : {nan, -nan, inf, -inf}) {
        EXPECT_EQ(FormatFixed(v, 2), "***") << v;
        EXPECT_EQ(FormatEngineering(v), "***") << v;
        EXPECT_EQ(FormatEngineeringUnit("kVolt", "V", v), "***") << v;
    }
}

TEST(NumberText, TryStrToWordRefusesOutOfRange)
{
    struct Case {
        const char* text;
        bool ok;
        std::uint16_t value;
    } cases[] = {{"0", true, 0},     {"65535", true, 65535}, {" 42 ", true, 42}, {"70000", false, 0},
                 {"-1", false, 0},   {"abc", false, 0},      {"", false, 0},      {"12x", false, 0}};
    for (const auto& c : cases) {
        ScriptedMessages messages;
        std::uint16_t v = 7;
        EXPECT_EQ(TryStrToWord(c.text, v), c.ok) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(messages.Shown("Invalid integer conversion"), !c.ok) << c.text;
    }
}

TEST(NumberText, TryStrToSingleRefusesNonFiniteAndOutOfRange)
{
    struct Case {
        const char* text;
        bool ok;
        float value;
    } cases[] = {{"1.5", true, 1.5f}, {" -2.25 ", true, -2.25f}, {"1e3", true, 1000}, {"+4", true, 4},
                 {"1,5", false, 0},   {"nan", false, 0},         {"inf", false, 0},   {"1e39", false, 0},
                 {"", false, 0},      {"abc", false, 0}};
    for (const auto& c : cases) {
        ScriptedMessages messages;
        float v = 7;
        EXPECT_EQ(TryStrToSingle(c.text, v), c.ok) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(messages.Shown("Invalid float conversion"), !c.ok) << c.text;
    }
}

TEST(NumberText, PeriodToMinutes)
{
    const std::pair<std::int16_t, std::int16_t> cases[] = {{60, 1}, {300, 5}, {600, 10}, {900, 15},
                                                           {1800, 30}, {3600, 60}, {120, 120}, {10, 10}};
    for (auto [period, minutes] : cases) EXPECT_EQ(PeriodToMinutes(period), minutes) << period;
}
