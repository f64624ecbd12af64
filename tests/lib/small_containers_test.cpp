// Bit arrays, buffers, rectangles and randomRange.
#include "lib/bit_array.h"
#include "lib/buffer.h"
#include "lib/random_range.h"
#include "lib/rect.h"
#include "platform/kernel/host.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(BitArray, BitsAreIndependentAcrossByteEdgesAndRecreateClears)
{
    swCBitArray bits;
    EXPECT_FALSE(bits.valid());
    ASSERT_TRUE(bits.bitArrayCreate(0));
    EXPECT_TRUE(bits.valid());
    ASSERT_TRUE(bits.bitArrayCreate(20));
    const std::set<int> set_bits { 0, 7, 8, 15, 19 };
    for (int i : set_bits)
        bits.bitArraySet(i);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(bits.bitArrayTest(i), set_bits.count(i) == 1) << i;
    ASSERT_TRUE(bits.bitArrayCreate(9));
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(bits.bitArrayTest(i)) << i;
}

TEST(Buffer, CopiesOwnTheirTextAndEmptyGivesEmptyText)
{
    EXPECT_STREQ(swCBuffer(static_cast<const swCBuffer*>(nullptr)).bufferText(), "");
    char source[] = "caption";
    swCBuffer a(source);
    source[0] = 'X';
    swCBuffer b(&a);
    swCBuffer& same = b;
    b = same;
    a = swCBuffer();
    EXPECT_STREQ(a.bufferText(), "");
    EXPECT_STREQ(b.bufferText(), "caption");
    EXPECT_EQ(b.length(), 7u);

    b.bufferSetSize(2);
    EXPECT_EQ(b.bufferData()[2], 0);
    EXPECT_EQ(b.length(), 2u);
}

TEST(Rect, DeflateAndMove)
{
    RECT r { 0, 0, 32, 32 };
    rectDeflate(r, 3);
    rectMoveX(r, -5);
    rectMoveY(r, 10);
    EXPECT_EQ((std::vector<LONG> { r.left, r.top, r.right, r.bottom }), (std::vector<LONG> { -2, 13, 24, 39 }));
}

TEST(RandomRange, TakesTheGeneratorModuloTheInclusiveSpan)
{
    platform::crtSrand(99);
    unsigned first = unsigned(platform::crtRand());
    platform::crtSrand(99);
    EXPECT_EQ(randomRange(10, 16), first % 7 + 10);
    // The whole 32-bit span would divide by zero; 65535 stands in.
    platform::crtSrand(99);
    EXPECT_EQ(randomRange(0, 0xFFFFFFFFu), first % 65535);
    EXPECT_EQ(randomRange(5, 5), 5u);
}
