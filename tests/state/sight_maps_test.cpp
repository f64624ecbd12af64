// FogMap, CountryHexLayers and CountryHexMasks: layer collapse, alliance masks and mark layers.
#include "state/sight_maps.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

namespace {

// Country 0 allied with 2; the neutral side allied with 5 only.
class FakeRules : public SightRules {
public:
    bool layered = false;
    bool layeredSight() const override { return layered; }
    uint16_t allianceMaskOf(int side) const override
    {
        switch (side) {
        case 0:
        case 2: return 0b101;
        case 5: return 0x100 | 0x20;
        case 8: return 0x100 | 0x20;
        default: return uint16_t(1u << side);
        }
    }
    bool isAllied(int a, int b) const override { return a == b || (allianceMaskOf(a) >> b & 1); }
};

} // namespace

TEST(FogMap, WithoutLayeredSightEveryLayerIsLayerZero)
{
    FakeRules rules;
    FogMap fog(5, 4, rules);
    fog.setBit(1, 2, 3, 3);
    EXPECT_EQ(fog.cell(2, 3, 0), 0b10);
    EXPECT_EQ(fog.cell(2, 3, 3), 0);
    EXPECT_TRUE(fog.isSeenBy(1, 2, 3, 5));
    EXPECT_TRUE(fog.isSeenInLayers(1, 2, 3, 0b10'0000));
    EXPECT_FALSE(fog.testBit(1, 2, 3, 3));
    // Allies see what a side sees; the own-bit test does not count them.
    fog.setBit(2, 1, 1, 0);
    EXPECT_TRUE(fog.isSeenBy(0, 1, 1, 0));
    EXPECT_FALSE(fog.isSeenBy(1, 1, 1, 0));
    EXPECT_FALSE(fog.testBit(0, 1, 1, 0));

    rules.layered = true;
    fog.setBit(4, 1, 1, 3);
    EXPECT_TRUE(fog.isSeenBy(4, 1, 1, 3));
    EXPECT_FALSE(fog.isSeenBy(4, 1, 1, 0));
    EXPECT_TRUE(fog.isSeenInLayers(4, 1, 1, 0b1000));
    EXPECT_FALSE(fog.isSeenInLayers(4, 1, 1, 0b0111));
    EXPECT_TRUE(fog.testBit(4, 1, 1, 3));
}

TEST(FogMap, FillMakesEveryHexSeenByEverySide)
{
    FakeRules rules;
    rules.layered = true;
    FogMap fog(4, 2, rules);
    fog.fillLayer(4);
    for (int side = 0; side <= 8; ++side)
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_TRUE(fog.isSeenBy(side, x, y, 4));
    EXPECT_FALSE(fog.isSeenBy(3, 0, 0, 2));
    fog.clearLayer(4);
    EXPECT_FALSE(fog.isSeenBy(8, 3, 1, 4));
}

TEST(FogMap, KeepingBitsClearsForeignSides)
{
    FakeRules rules;
    rules.layered = true;
    FogMap fog(2, 2, rules);
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        fog.fillLayer(layer);
    fog.keepAlliedBits(0);
    // Country 0 keeps itself and its ally 2; the neutral side is not its ally.
    EXPECT_EQ(fog.cell(1, 1, 5), 0xFFFF & ~0x1FA);
    EXPECT_TRUE(fog.testBit(2, 0, 0, 3));
    EXPECT_FALSE(fog.testBit(8, 0, 0, 3));

    fog.fillLayer(0);
    fog.keepAlliedBits(5);
    EXPECT_TRUE(fog.testBit(8, 0, 0, 0));
    EXPECT_TRUE(fog.testBit(5, 0, 0, 0));
    EXPECT_FALSE(fog.testBit(0, 0, 0, 0));

    fog.fillLayer(2);
    fog.keepOnlyCountry(3);
    EXPECT_EQ(fog.cell(0, 1, 2), 0b1000);
    fog.keepOnlyCountry(8);
    EXPECT_EQ(fog.cell(0, 1, 2), 0);
}

TEST(FogMap, OutsidePointsAndLayersAreIgnored)
{
    FakeRules rules;
    rules.layered = true;
    FogMap fog(2, 2, rules);
    fog.setBit(1, 2, 0, 0);
    fog.setBit(1, 0, -1, 0);
    fog.setBit(1, 0, 0, 6);
    fog.fillLayer(9);
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        EXPECT_EQ(fog.cell(0, 0, layer) | fog.cell(1, 0, layer) | fog.cell(0, 1, layer) | fog.cell(1, 1, layer), 0);
    EXPECT_FALSE(fog.isSeenBy(1, 2, 0, 0));
}

// Clearing one side's bits in a box: the other sides' bits and the hexes outside stay, and only the
// side whose bits went and the blocks that held them are reported changed.
TEST(FogMap, ClearingASidesBitsInABoxReportsTheSideAndTheBlocksChanged)
{
    FakeRules rules;
    rules.layered = true;
    FogMap fog(40, 30, rules);
    fog.setRowBits(3, 10, 0, 39, 0);
    fog.setRowBits(3, 12, 0, 39, 2);
    fog.setRowBits(4, 10, 0, 39, 0);
    const uint64_t serial = fog.changeSerial();
    const uint64_t side4 = fog.sideSerial(4);
    fog.clearSideBits(3, 20, 9, 25, 11);
    EXPECT_FALSE(fog.testBit(3, 20, 10, 0));
    EXPECT_FALSE(fog.testBit(3, 25, 10, 0));
    EXPECT_TRUE(fog.testBit(3, 19, 10, 0));
    EXPECT_TRUE(fog.testBit(3, 26, 10, 0));
    EXPECT_TRUE(fog.testBit(3, 22, 12, 2)) << "row 12 lies outside the box";
    EXPECT_TRUE(fog.testBit(4, 22, 10, 0)) << "another side's bit";
    EXPECT_GT(fog.sideSerial(3), serial);
    EXPECT_EQ(fog.sideSerial(4), side4);
    const FogMap::Area changed = fog.changedSince(serial);
    EXPECT_TRUE(changed.contains(20, 10) && changed.contains(25, 10));
    EXPECT_FALSE(changed.contains(10, 10) || changed.contains(20, 20)) << "blocks of eight away";
    // Clearing what is clear changes nothing.
    const uint64_t after = fog.changeSerial();
    fog.clearSideBits(3, 20, 9, 25, 11);
    fog.clearSideBits(3, -50, -50, -10, -10);
    EXPECT_EQ(fog.changeSerial(), after);
    EXPECT_TRUE(fog.changedSince(after).empty());
    // Setting a bit already set is no change either; whole-layer changes touch every side.
    fog.setRowBits(3, 10, 0, 5, 0);
    EXPECT_EQ(fog.changeSerial(), after);
    fog.keepOnlyCountry(3);
    EXPECT_GT(fog.sideSerial(4), after);
}

TEST(FogMap, ACopyHoldsTheSameBitsApartAndIsAMapOfItsOwn)
{
    FakeRules rules;
    FogMap fog(20, 20, rules);
    fog.setBit(2, 7, 7, 0);
    FogMap copy(fog);
    EXPECT_NE(copy.identity(), fog.identity());
    EXPECT_TRUE(copy.testBit(2, 7, 7, 0));
    EXPECT_EQ(copy.changeSerial(), fog.changeSerial());
    copy.setBit(1, 3, 3, 0);
    EXPECT_FALSE(fog.testBit(1, 3, 3, 0));
    EXPECT_NE(FogMap(20, 20, rules).identity(), FogMap(20, 20, rules).identity());
}

TEST(CountryHexLayers, StrongMarksFillTheSecondSetAndTheMask)
{
    FakeRules rules;
    CountryHexLayers layers(4, 4, rules);
    layers.markHex(1, 2, 2, 3, 0, 0x10, 1);
    layers.markHex(3, 2, 2, 5, 1, 0x40, 2);
    layers.markHex(3, 2, 2, 1, 1, 0x01, 2);
    layers.markHex(4, 2, 2, 8, 1, 0x80, 0);
    EXPECT_EQ(layers.cellByte(2, 2, 3), 0b10);
    EXPECT_EQ(layers.secondLayerBits(2, 2), 0b1000);
    EXPECT_EQ(layers.maskAt(2, 2, 2), 0x41u);
    EXPECT_EQ(layers.maskAt(2, 2, 1), 0u);
    EXPECT_EQ(layers.maskAt(2, 2, 0), 0u);

    layers.markHex(2, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(layers.hasForeignBit(0, 0, 0, 0)); // 2 is allied with 0
    EXPECT_TRUE(layers.hasForeignBit(1, 0, 0, 0));
    EXPECT_FALSE(layers.hasForeignBit(2, 0, 0, 0));

    // A row's run clears every layer there and nothing beside it; the part off the map is ignored.
    layers.markRow(3, 2, 0, 3, 5, 1, 0x40, 2);
    layers.clearRow(2, 2, 9);
    EXPECT_EQ(layers.cellByte(2, 2, 3), 0);
    EXPECT_EQ(layers.secondLayerBits(2, 2), 0);
    EXPECT_EQ(layers.maskAt(3, 2, 2), 0u);
    EXPECT_EQ(layers.secondLayerBits(1, 2), 0b1000);
    EXPECT_EQ(layers.maskAt(1, 2, 2), 0x40u);
    layers.clearRow(7, 0, 3);
    layers.clearRow(1, -5, -1);

    layers.clearAll();
    EXPECT_EQ(layers.cellByte(2, 2, 3), 0);
    EXPECT_EQ(layers.secondLayerBits(2, 2), 0);
    EXPECT_EQ(layers.maskAt(2, 2, 2), 0u);
}

TEST(CountryHexMasks, MarksOneLayerWithStrongSecondAndMask)
{
    CountryHexMasks masks(3, 2);
    masks.markHex(6, 1, 1, 0, 0x8, 0);
    masks.markHex(2, 1, 1, 1, 0x3, 0);
    masks.markHex(2, 5, 5, 1, 0x3, 0);
    EXPECT_TRUE(masks.testBit(6, 1, 1));
    EXPECT_TRUE(masks.testBit(2, 1, 1));
    EXPECT_FALSE(masks.testBit(3, 1, 1));
    EXPECT_EQ(masks.secondLayerByte(1, 1), 0b100);
    EXPECT_EQ(masks.maskAt(1, 1, 0), 0x3u);
    masks.markRow(2, 1, 0, 2, 1, 0x3, 0);
    masks.clearRow(1, 1, 1);
    EXPECT_FALSE(masks.testBit(2, 1, 1));
    EXPECT_EQ(masks.maskAt(1, 1, 0), 0u);
    EXPECT_TRUE(masks.testBit(2, 0, 1) && masks.testBit(2, 2, 1));
    masks.clearAll();
    EXPECT_FALSE(masks.testBit(6, 1, 1));
    EXPECT_EQ(masks.maskAt(1, 1, 0), 0u);
}

TEST(GameStateSightMaps, AreMadeForTheMapOverItsRulesAndAlliances)
{
    testing_state::SmallWorld world(6, 3);
    GameState& state = world.state();
    state.country(0).allianceMask = 0b101;
    state.country(2).allianceMask = 0b101;
    state.recreateSightMaps();
    FogMap& fog = *state.fogMap();
    EXPECT_EQ(fog.width(), 6u);
    EXPECT_EQ(fog.height(), 3u);
    fog.setBit(2, 5, 2, 4);
    EXPECT_TRUE(fog.isSeenBy(0, 5, 2, 0));
    EXPECT_FALSE(fog.isSeenBy(1, 5, 2, 0));

    world.setRule(kRuleSightLayers, 1);
    fog.setBit(2, 1, 1, 4);
    EXPECT_TRUE(fog.isSeenBy(0, 1, 1, 4));
    EXPECT_FALSE(fog.isSeenBy(0, 1, 1, 0));

    state.hexLayers()->markHex(1, 0, 0, 2, 0, 0, 0);
    EXPECT_TRUE(state.hexLayers()->hasForeignBit(0, 0, 0, 2));
    state.recreateSightMaps();
    EXPECT_FALSE(state.fogMap()->testBit(2, 1, 1, 4));
    EXPECT_EQ(state.hexLayers()->cellByte(0, 0, 2), 0);
}
