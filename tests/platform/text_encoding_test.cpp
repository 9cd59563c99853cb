#include "platform/text_encoding.h"

#include <gtest/gtest.h>

TEST(TextEncoding, StoredBytesShowAsUtf8OrWindows1252)
{
    EXPECT_EQ(DisplayText("Caf\xc3\xa9"), "Caf\xc3\xa9");  // valid UTF-8 stays
    EXPECT_EQ(DisplayText("Caf\xe9"), "Caf\xc3\xa9");      // Windows-1252 e-acute
    EXPECT_EQ(DisplayText("\x80"), "\xe2\x82\xac");         // euro sign
}

TEST(TextEncoding, Cp1252ReplacesWhatItCannotHold)
{
    EXPECT_EQ(ToCp1252("Caf\xc3\xa9 \xe2\x82\xac"), "Caf\xe9 \x80");
    EXPECT_EQ(ToCp1252("\xe4\xb8\xad"), "?");  // a CJK character
}
