#include "platform/date_format.h"

#include <gtest/gtest.h>

TEST(DateFormat, WideningToFourDigitYears)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"dd/MM/yy", "dd/MM/yyyy"}, {"d/M/yy", "d/M/yyyy"}, {"yyyy-MM-dd", "yyyy-MM-dd"},
        {"yy-MM-dd", "yyyy-MM-dd"}, {"dd.MM.", "dd.MM."},
    };
    for (const auto& c : cases) EXPECT_EQ(WidenDateFormat(c.in), c.out) << c.in;
}
