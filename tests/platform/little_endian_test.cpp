#include "platform/little_endian.h"

#include <gtest/gtest.h>

TEST(ByteReader, ReadsLittleEndianFieldsInOrder)
{
    ByteWriter out;
    out.U8(7);
    out.I16(-2);
    out.U32(0xDEADBEEF);
    out.F32(1.5f);
    out.F64(-0.25);
    out.ShortString("abc", 5);
    ByteReader in(out.Data());
    EXPECT_EQ(in.U8(), 7);
    EXPECT_EQ(in.I16(), -2);
    EXPECT_EQ(in.U32(), 0xDEADBEEFu);
    EXPECT_EQ(in.F32(), 1.5f);
    EXPECT_EQ(in.F64(), -0.25);
    EXPECT_EQ(in.ShortString(5), "abc");
    EXPECT_TRUE(in.Ok());
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(out.Size(), 1u + 2 + 4 + 4 + 8 + 6);
}

TEST(ByteReader, ShortReadFailsAndStaysFailed)
{
    std::vector<std::uint8_t> bytes = {1, 2, 3};
    ByteReader in(bytes);
    EXPECT_EQ(in.U32(), 0u);
    EXPECT_FALSE(in.Ok());
    EXPECT_EQ(in.U8(), 0);  // sticky: no read after a failure
    EXPECT_FALSE(in.Seek(1));
}

TEST(ByteReader, ShortStringLengthBeyondCapacityIsCorrupt)
{
    std::vector<std::uint8_t> bytes = {9, 'a', 'b', 'c', 'd'};
    ByteReader in(bytes);
    EXPECT_EQ(in.ShortString(4), "");
    EXPECT_FALSE(in.Ok());
}

TEST(ByteReader, SeekBeyondEndFails)
{
    std::vector<std::uint8_t> bytes(4);
    ByteReader in(bytes);
    EXPECT_TRUE(in.Seek(4));
    EXPECT_FALSE(in.Seek(5));
}
