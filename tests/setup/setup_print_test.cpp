// The setup print's template filled with a setup's values: representative lines of the
// template shipped with the program, and the refusals of a template that does not fit.
#include "platform/date_format.h"
#include "setup/setup_print.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> ShippedTemplate()
{
    auto lines = ReadTemplateLines(ORV_SETUP_TEMPLATE);
    EXPECT_TRUE(lines);
    return lines.value_or(std::vector<std::string>{});
}

std::vector<std::string> Filled(const TSetupRecord& setup, const TSetupPrintInputs& inputs)
{
    std::string error;
    auto lines = FillSetupTemplate(ShippedTemplate(), setup, inputs, &error);
    EXPECT_TRUE(lines) << error;
    return lines.value_or(std::vector<std::string>(227));
}
}  // namespace

TEST(SetupPrint, FillsTheShippedTemplate)
{
    TSetupRecord s = DefaultSetup();
    s.VNom = 400.0f;
    s.Printer = 2;
    s.VFlags = 0x0081 | (1u << 15);  // Enable, rapid changes, start/stop waveforms
    s.HHigh[2] = 2.3f;
    s.HFlags[0] = 0x41;     // THD: Enable, over harmonic
    s.HFlags[50] = 0x02;
    s.HiFlags[1] = 0x05;    // DC: Enable, over harmonic
    s.HiHigh[26] = 0.5f;
    s.FlkPlt = 12;
    s.WHigh[3] = 16.0f;
    s.WCurrent = 1;
    s.WFlags = 0x100;
    s.StartDate = {2005, 1, 3};
    s.StartTime = {15, 10, 0, 30};
    const std::vector<std::string> lines = Filled(s, {"untitled", "Feeder 4", 2});
    ASSERT_EQ(lines.size(), 227u);
    const std::pair<int, const char*> expected[] = {
        {0, "= ORV Instrument Setup"},
        {3, "File:\tuntitled"},
        {4, "Title:\tFeeder 4"},
        {7, "Nominal voltage:\t400.0 V"},
        {9, "Selected printer:\tPCL 75 dpi"},
        {14, "Observation period:\t10 minutes"},
        {17, "Rapid voltage change:\t5.0 %"},
        {19, "    Enable:\tYes"},
        {20, "    Min/Avg/Max:\tNo"},
        {26, "    Rapid changes:\tYes"},
        {27, "    Voltage samples:\tStart/Stop waveforms"},
        {57, "High limit Thd:\t8.0 %"},
        {58, "High limit 2nd:\t2.3 %"},
        {81, "High limit 25th:\t1.5 %"},
        {83, "Global enable:\tNo"},
        {85, "| Thd\tYes\tNo\tNo\tNo\tNo\tNo\tYes"},
        {134, "| 50th\tNo\tYes\tNo\tNo\tNo\tNo\tNo"},
        {139, "High limit Thd:\t8.0 %"},
        {140, "High limit DC:\t0.0 %"},
        {141, "High limit 2nd:\t2.0 %"},
        {164, "High limit 25th:\t0.5 %"},
        {169, "| DC\tYes\tNo\tYes"},
        {198, "Sliding Plt window:\t12 observation periods"},
        {211, "Current high limit:\t16.0 A"},
        {212, "Current wiring:\tTwo currents"},
        {222, "    Over currents:\tYes"},
        {225, "Start:\t01/03/2005 10:15:30"},
        {226, "Stop:\t "},
    };
    for (auto [line, text] : expected) EXPECT_EQ(lines[static_cast<std::size_t>(line)], text) << "line " << line;
}

TEST(SetupPrint, RefusesATemplateThatDoesNotFit)
{
    std::string error;
    std::vector<std::string> cut = ShippedTemplate();
    cut.resize(226);
    EXPECT_FALSE(FillSetupTemplate(cut, DefaultSetup(), {}, &error));
    EXPECT_EQ(error, "The print template ends before its line 226.");

    std::vector<std::string> wrong = ShippedTemplate();
    ASSERT_GT(wrong.size(), 198u);
    wrong[198] = "Sliding Plt window:\t%.1f";
    EXPECT_FALSE(FillSetupTemplate(wrong, DefaultSetup(), {}, &error));
    EXPECT_EQ(error, "The print template's line 198 does not fit its values: Format '%.1f' cannot show a whole number.");
}

// Whatever a file holds (codes no item has, NaN limits, any date), the shipped template fills.
TEST(SetupPrint, TheShippedTemplateFillsAnySetup)
{
    const std::vector<std::string> shipped = ShippedTemplate();
    std::uint32_t seed = 11;
    for (int round = 0; round < 100; ++round) {
        std::vector<std::uint8_t> bytes(553);
        for (std::uint8_t& b : bytes) {
            seed = seed * 1664525u + 1013904223u;
            b = static_cast<std::uint8_t>(seed >> 24);
        }
        const TSetupRecord setup = TSetupRecord::Unpack(bytes);
        std::string error;
        EXPECT_TRUE(FillSetupTemplate(shipped, setup, {"p", "t", round % 4 - 1}, &error)) << error;
    }
}
