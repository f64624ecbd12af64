// Bit arrays, buffers and rectangles.
#include "lib/bit_array.h"
#include "lib/buffer.h"
#include "lib/rect.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(BitArray, CreateSizesAndClears)
{
    swCBitArray bits;
    EXPECT_FALSE(bits.valid());
    ASSERT_TRUE(bits.bitArrayCreate(0));
    EXPECT_TRUE(bits.valid());
    EXPECT_EQ(bits.size(), 0);

    ASSERT_TRUE(bits.bitArrayCreate(9));
    EXPECT_EQ(bits.size(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(bits.bitArrayTest(i)) << i;
}

TEST(BitArray, BitsAreIndependentAcrossByteEdges)
{
    swCBitArray bits;
    ASSERT_TRUE(bits.bitArrayCreate(20));
    for (int i : { 0, 7, 8, 15, 19 })
        bits.bitArraySet(i);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(bits.bitArrayTest(i), i == 0 || i == 7 || i == 8 || i == 15 || i == 19) << i;
    bits.bitArrayClearAll();
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(bits.bitArrayTest(i)) << i;

    // Creating again drops the old bits.
    bits.bitArraySet(3);
    ASSERT_TRUE(bits.bitArrayCreate(20));
    EXPECT_FALSE(bits.bitArrayTest(3));
    bits.bitArrayFree();
    EXPECT_FALSE(bits.valid());
    EXPECT_EQ(bits.size(), 0);
}

TEST(Buffer, EmptyBuffersGiveEmptyText)
{
    EXPECT_STREQ(swCBuffer().bufferText(), "");
    EXPECT_STREQ(swCBuffer(static_cast<const swCBuffer*>(nullptr)).bufferText(), "");
    EXPECT_STREQ(swCBuffer(static_cast<const char*>(nullptr)).bufferText(), "");
    swCBuffer b("abc");
    b.bufferFree();
    EXPECT_STREQ(b.bufferText(), "");
    EXPECT_EQ(b.length(), 0u);
}

TEST(Buffer, CopiesOwnTheirText)
{
    char source[] = "caption";
    swCBuffer a(source);
    source[0] = 'X';
    EXPECT_STREQ(a.bufferText(), "caption");
    EXPECT_EQ(a.length(), 7u);

    swCBuffer b(&a);
    swCBuffer c = a;
    a = swCBuffer("other");
    EXPECT_STREQ(b.bufferText(), "caption");
    EXPECT_STREQ(c.bufferText(), "caption");
    swCBuffer& same = c;
    c = same;
    EXPECT_STREQ(c.bufferText(), "caption");
    c = swCBuffer();
    EXPECT_STREQ(c.bufferText(), "");
}

TEST(Buffer, SetSizeTerminatesAtSize)
{
    swCBuffer b(size_t(4));
    EXPECT_EQ(b.length(), 4u);
    std::memcpy(b.bufferData(), "wxyz", 4);
    EXPECT_STREQ(b.bufferText(), "wxyz");
    b.bufferSetSize(2);
    EXPECT_EQ(b.bufferData()[2], 0);
    EXPECT_EQ(b.length(), 2u);
}

TEST(Rect, DeflateAndMove)
{
    RECT r { 0, 0, 32, 32 };
    rectDeflate(r, 3);
    EXPECT_EQ(r.left, 3);
    EXPECT_EQ(r.top, 3);
    EXPECT_EQ(r.right, 29);
    EXPECT_EQ(r.bottom, 29);
    rectMoveX(r, -5);
    rectMoveY(r, 10);
    EXPECT_EQ(r.left, -2);
    EXPECT_EQ(r.right, 24);
    EXPECT_EQ(r.top, 13);
    EXPECT_EQ(r.bottom, 39);
}
