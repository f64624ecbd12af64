// The computer player's known-hex layers: terrain is never hidden, so a built layer knows every hex.
#include "ai/area_analysis.h"

#include <gtest/gtest.h>

TEST(AreaAnalysis, KnownHexLayersExistOnlyOnceBuiltAndKnowEveryHex)
{
    AreaAnalysis analysis;
    EXPECT_EQ(analysis.knownHexLayer(8), nullptr);
    analysis.buildKnownHexLayers(8);
    analysis.buildKnownHexLayers(3);
    const HexBitLayer* layer = analysis.knownHexLayer(8);
    ASSERT_NE(layer, nullptr);
    for (int y = 0; y < 256; y += 17)
        for (int x = 0; x < 256; x += 13)
            ASSERT_TRUE(testHexBit(*layer, x, y)) << x << "," << y;
    EXPECT_TRUE(testHexBit(*analysis.knownHexLayer(3), 255, 255));
    EXPECT_EQ(analysis.knownHexLayer(2), nullptr);
}

TEST(AreaAnalysis, RefusesSidesOutsideTheNine)
{
    AreaAnalysis analysis;
    analysis.buildKnownHexLayers(-1);
    analysis.buildKnownHexLayers(9);
    EXPECT_EQ(analysis.knownHexLayer(-1), nullptr);
    EXPECT_EQ(analysis.knownHexLayer(9), nullptr);
    AreaLayers& layers = analysis;
    layers.buildKnownHexLayers(0);
    EXPECT_NE(layers.knownHexLayer(0), nullptr);
}
