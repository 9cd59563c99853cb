// The type-checked Format: conversions, widths and precisions, and the refusals.
#include "setup/format_pattern.h"

#include <gtest/gtest.h>

TEST(FormatPattern, FillsConversions)
{
    const struct {
        const char* pattern;
        std::vector<FormatValue> values;
        const char* expected;
    } cases[] = {
        {"plain %% text", {}, "plain % text"},
        {"%s and %s", {std::string("a"), std::string("b")}, "a and b"},
        {"[%5s|%-5s|%.2s]", {std::string("ab"), std::string("cd"), std::string("xyz")}, "[   ab|cd   |xy]"},
        {"%d %3d %-3d| %.3d %d", {std::int64_t{7}, std::int64_t{10}, std::int64_t{5}, std::int64_t{4}, std::int64_t{-12}},
         "7  10 5  | 004 -12"},
        {"%x %u", {std::int64_t{255}, std::int64_t{65535}}, "FF 65535"},
        {"%f %3.1f %2.1f %.0f %.3f", {230.0, 230.0, 0.5, 2.6, -1.25}, "230.00 230.0 0.5 3 -1.250"},
        {"%.1f %.1f", {-0.0, 1e6}, "0.0 1000000.0"},
        {"%e %.3e", {1234.5, 0.00125}, "1.23450000000000E+03 1.25E-03"},
        {"%g %.3g", {0.5, 1234567.0}, "0.5 1.23E+06"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::string error;
        const auto text = FormatPattern(c.pattern, c.values, &error);
        ASSERT_TRUE(text) << error;
        EXPECT_EQ(*text, c.expected);
    }
}

TEST(FormatPattern, RefusesWhatDoesNotMatch)
{
    const struct {
        const char* pattern;
        std::vector<FormatValue> values;
        const char* error;
    } cases[] = {
        {"%d V", {230.0}, "Format '%d' cannot show a floating value"},
        {"%.1f V", {std::int64_t{230}}, "Format '%.1f' cannot show a whole number"},
        {"%s", {1.0}, "Format '%s' cannot show a floating value"},
        {"%f", {std::string("1")}, "Format '%f' cannot show a text"},
        {"%s %s", {std::string("a")}, "Format '%s' has no value"},
        {"no conversion", {std::string("a")}, "1 value(s) left without a conversion"},
        {"%q", {std::string("a")}, "Format '%q' is not a known conversion"},
        {"%5", {std::int64_t{1}}, "Format '%5' is not a known conversion"},
        {"%.f", {1.0}, "Format '%.f' is not a known conversion"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        std::string error;
        EXPECT_FALSE(FormatPattern(c.pattern, c.values, &error));
        EXPECT_EQ(error, c.error);
    }
}
