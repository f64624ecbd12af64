// MapBitSet: bit layout, and points outside the map.
#include "state/map_bit_set.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(MapBitSet, ThreeByThreeUsesTwoBytesRowMajor)
{
    MapBitSet bits(3, 3);
    ASSERT_EQ(bits.byteCount(), 2u);
    std::memset(const_cast<uint8_t*>(bits.bytes()), 0, 2);
    bits.set(2, 2);
    EXPECT_EQ(bits.bytes()[0], 0);
    EXPECT_EQ(bits.bytes()[1], 1);
    bits.set(1, 0);
    EXPECT_EQ(bits.bytes()[0], 2);
    EXPECT_TRUE(bits.test(1, 0));
    EXPECT_FALSE(bits.test(0, 1));
    bits.clear(2, 2);
    EXPECT_FALSE(bits.test(2, 2));
}

TEST(MapBitSet, OutsidePointsReadSetAndAreNeverWritten)
{
    MapBitSet bits(4, 2);
    std::memset(const_cast<uint8_t*>(bits.bytes()), 0, bits.byteCount());
    EXPECT_TRUE(bits.test(-1, 0));
    EXPECT_TRUE(bits.test(4, 0));
    EXPECT_TRUE(bits.test(0, 2));
    bits.set(4, 0);
    bits.set(-1, 1);
    bits.set(0, -1);
    EXPECT_EQ(bits.bytes()[0], 0);
    bits.setAll();
    bits.clear(0, 5);
    EXPECT_EQ(bits.bytes()[0], 0xFF);
    bits.release();
    EXPECT_TRUE(bits.test(0, 0));
    bits.set(0, 0);
}
