// Display texts of numbers under cell formats, and typed input read as numbers.
#include "sheet/number_format.h"

#include <gtest/gtest.h>

TEST(NumberFormat, FormatsNumbersAsTheFormatSays)
{
    struct Case {
        double value;
        const char* format;
        const char* shown;
    } cases[] = {
        {207.3, "General", "207.3"},     {12, "General", "12"},         {1e20, "General", "1E+20"},
        {207.3, "0.00", "207.30"},       {-0.004, "0.00", "0.00"},      {-3.25, "0.0", "-3.3"},
        {10.0, "+0.0;-0.0", "+10.0"},    {-10.5, "+0.0;-0.0", "-10.5"}, {0.25, "0%", "25%"},
        {1234567.891, "#,##0.00", "1,234,567.89"}, {0.5, "#.##", ".5"}, {12345, "0.00E+00", "1.23E+04"},
        {45337.4270833333, "dd/mm/yyyy hh:mm", "15/02/2024 10:15"}, {0.75, "h:mm AM/PM", "6:00 PM"},
        {5, "\"Value \"0", "Value 5"},   {3, "[Red]0", "3"},            {0, "0;-0;\"zero\"", "zero"},
        {-0.0, "General", "0"},          {-0.0, "0.00", "0.00"},        {-0.0, "General\" V\"", "0 V"},
        {-1e-300, "General", "-1E-300"},
        // A fraction of eleven integer digits shows them, rounded; one that rounds to twelve does not.
        {12222222222.2222, "General", "12222222222"}, {-12345678901.5, "General", "-12345678902"},
        {9999999999.5, "General", "10000000000"}, {99999999999.7, "General", "1E+11"},
        // Plain fixed formats, rounded half away from zero on 15 digits, carries included.
        {1.005, "0.00", "1.01"},         {9.995, "0.00", "10.00"},      {999.5, "0", "1000"},
        {0, "0.00", "0.00"},             {-0.0, "0.0", "0.0"},          {1e-20, "0.000", "0.000"},
        {0.0005, "0.000", "0.001"},      {1e20, "0", "100000000000000000000"},
        {-1234.5678, "0.000", "-1234.568"}, {0.5, "0", "1"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatCellNumber(c.value, c.format), c.shown) << c.format;
}

TEST(NumberFormat, TypedInputIsANumberOnlyWhenItIsAPlainDecimal)
{
    struct Case {
        const char* text;
        bool number;
        double value;
        int decimals;
    } cases[] = {
        {"207.30", true, 207.3, 2}, {"-100.00", true, -100, 2}, {"+5", true, 5, 0}, {"12", true, 12, 0},
        {"1e3", true, 1000, -1},    {".5", true, 0.5, 1},       {"", false, 0, 0},  {" 5", false, 0, 0},
        {"5 ", false, 0, 0},        {"inf", false, 0, 0},       {"nan", false, 0, 0}, {"1,5", false, 0, 0},
        {"10/02/2024", false, 0, 0}, {"-", false, 0, 0},        {"1e", false, 0, 0}, {"0x10", false, 0, 0},
    };
    for (const Case& c : cases) {
        double v = 0;
        int d = 0;
        EXPECT_EQ(ParseTypedNumber(c.text, v, d), c.number) << c.text;
        if (c.number) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
            EXPECT_EQ(d, c.decimals) << c.text;
        }
    }
}

TEST(NumberFormat, CalendarDatesAreTheFormatsWithADayMonthOrYear)
{
    struct Case {
        const char* format;
        bool date;
    } cases[] = {
        {"dd/mm/yyyy hh:mm", true}, {"m/d/yy", true},     {"mmm-yy", true},      {"d-mmm", true},
        {"yyyy", true},             {"dd/mm/yyyy;@", true}, {"h:mm", false},     {"hh:mm:ss", false},
        {"mm:ss", false},           {"[h]:mm:ss", false}, {"h:mm AM/PM", false}, {"General", false},
        {"0.00", false},            {"\"day\" 0", false}, {"\\d0", false},
    };
    for (const Case& c : cases) EXPECT_EQ(ShowsCalendarDate(c.format), c.date) << c.format;
}

// Widths counted in characters: a number never shows cut; General gives up digits first.
TEST(NumberFormat, NumberTooWideForItsCellShowsShorterOrHashes)
{
    struct Case {
        double value;
        const char* format;
        double width;
        const char* shown;
    } cases[] = {
        {207.3, "General", 5, "207.3"},           {123456.789, "General", 8, "123456.8"},
        {123456.789, "General", 6, "123457"},     {123456.789, "General", 5, "1E+05"},
        {12345678, "General", 7, "1.2E+07"},      {-0.000123456, "General", 7, "-0.0001"},
        {123456.789, "General", 4, "####"},       {207.3, "0.00", 5, "#####"},
        {45337.4270833333, "dd/mm/yyyy hh:mm", 10, "##########"}, {45337.4270833333, "dd/mm/yyyy hh:mm", 16, "15/02/2024 10:15"},
        {5, "0", 0.5, ""},
    };
    auto characters = [](const std::string& text) { return static_cast<double>(text.size()); };
    for (const Case& c : cases)
        EXPECT_EQ(FitCellNumber(c.value, c.format, c.width, characters), c.shown) << c.value << " in " << c.width;
}
