// Single-hex reads and writes of the area-analysis grids, and their refusal of hexes outside them.
#include "rules/area_layers.h"

#include <gtest/gtest.h>

#include <memory>

TEST(HexBitLayer, EachHexOwnsOneBitOfARowOf256)
{
    auto layer = std::make_unique<HexBitLayer>();
    const int hexes[][2] = { { 0, 0 }, { 7, 0 }, { 8, 0 }, { 255, 0 }, { 0, 1 }, { 3, 200 }, { 255, 255 } };
    for (auto [x, y] : hexes) {
        layer->clearAll();
        layer->set(x, y);
        const int bit = x + 256 * y;
        EXPECT_EQ(layer->bits[size_t(bit / 8)], 1 << (bit % 8));
        EXPECT_TRUE(testHexBit(*layer, x, y));
        EXPECT_FALSE(testHexBit(*layer, (x + 1) % 256, y));
        EXPECT_FALSE(testHexBit(*layer, x, (y + 1) % 256));
    }
}

TEST(HexBitLayer, HexesOutsideAreNeitherWrittenNorSet)
{
    auto layer = std::make_unique<HexBitLayer>();
    for (auto [x, y] : { std::pair { -1, 0 }, { 0, -1 }, { 256, 0 }, { 0, 256 } })
        layer->set(x, y);
    for (uint8_t byte : layer->bits)
        ASSERT_EQ(byte, 0);
    layer->setAll();
    EXPECT_TRUE(testHexBit(*layer, 255, 255));
    EXPECT_FALSE(testHexBit(*layer, 256, 0));
    EXPECT_FALSE(testHexBit(*layer, -1, 5));
}

TEST(HexWordGrid, ReadsTheHexWordAndZeroOutside)
{
    auto grid = std::make_unique<HexWordGrid>();
    (*grid)[5 + 256 * 9] = 0xBEEF;
    EXPECT_EQ(getHexWord(*grid, 5, 9), 0xBEEF);
    EXPECT_EQ(getHexWord(*grid, 9, 5), 0);
    (*grid)[0] = 7;
    EXPECT_EQ(getHexWord(*grid, 256, -1), 0);
}
