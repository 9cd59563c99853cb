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

TEST(ByteWriter, ShortStringLongerThanItsFieldFailsTheWriter)
{
    ByteWriter out;
    EXPECT_TRUE(out.ShortString("abcd", 4));
    EXPECT_FALSE(out.ShortString("abcde", 4));
    EXPECT_FALSE(out.ShortString("vwxyz", 4));
    EXPECT_FALSE(out.Ok());
    EXPECT_EQ(out.TooLong(), "abcde");  // the first one
    // The fields keep their size; the refused ones are empty, never cut.
    EXPECT_EQ(out.Data(), (std::vector<std::uint8_t>{4, 'a', 'b', 'c', 'd', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
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

TEST(FieldView, ReadsFieldsAtTheirOffsets)
{
    const std::uint8_t bytes[] = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x80, 0x3F};
    FieldView v(bytes);
    EXPECT_EQ(v.U16(0), 0x1234);
    EXPECT_EQ(v.U32(2), 0x12345678u);
    EXPECT_EQ(v.F32(6), 1.0f);
    EXPECT_EQ(v.U8(9), 0x3F);
    EXPECT_TRUE(v.Ok());
}

TEST(FieldView, FieldPastTheEndReadsZeroAndFailsForGood)
{
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
    FieldView v(bytes);
    EXPECT_EQ(v.U32(2), 0u);  // needs bytes 2..5
    EXPECT_FALSE(v.Ok());
    EXPECT_EQ(v.U8(0), 1);    // later fields still read, the failure stays
    EXPECT_FALSE(v.Ok());

    FieldView huge(bytes);
    EXPECT_EQ(huge.U16(static_cast<std::size_t>(-1)), 0);  // an offset that would wrap
    EXPECT_FALSE(huge.Ok());
}

TEST(FieldView, SubViewsAreBoundedByTheirParent)
{
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5, 6};
    FieldView v(bytes);
    FieldView inner = v.Sub(2, 3);
    EXPECT_EQ(inner.U8(0), 3);
    EXPECT_EQ(inner.U16(1), 0x0504);
    EXPECT_EQ(inner.U16(2), 0);
    EXPECT_FALSE(inner.Ok());
    EXPECT_TRUE(v.Ok());
    FieldView outside = v.Sub(4, 3);
    EXPECT_FALSE(outside.Ok());
    EXPECT_FALSE(v.Ok());
    EXPECT_EQ(outside.Size(), 0u);
}
