// Marking and finding scans on small worlds: what each marks or finds, and what it leaves alone.
#include "rules/area_layers.h"
#include "rules/scans_finds.h"
#include "rules/scans_marks.h"

#include "state/rules_hooks.h"
#include "tests/state/small_world.h"
#include "tests/rules/scan_hits.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using testing_state::SmallWorld;
using testing_rules::typeOfDomain;

namespace {

int markedCount(const std::vector<uint8_t>& grid)
{
    int n = 0;
    for (uint8_t b : grid)
        n += b;
    return n;
}

// The first unit type of the domain, or -1.
} // namespace

TEST(MarkScans, MarkExactlyTheHexesWithinTheRadius)
{
    SmallWorld world(7, 6);
    GameState& s = world.state();
    std::vector<uint8_t> grid(7 * 6);
    ByteGridMarkScan(s, grid).scan(0, 5, 2);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(grid[size_t(y * 7 + x)], hexDistance({ 0, 5 }, { x, y }) <= 2 ? 1 : 0) << x << "," << y;

    // A grid shorter than the map is never written past its end.
    std::vector<uint8_t> short_grid(10);
    ByteGridMarkScan(s, std::span(short_grid).first(3)).scan(3, 3, 6);
    EXPECT_EQ(markedCount(short_grid), 3);

    std::vector<uint32_t> flags(7 * 6, 0x100);
    FlagGridMarkScan(s, flags, 4).scan(3, 2, 1);
    EXPECT_EQ(flags[size_t(2 * 7 + 3)], 0x104u);
    EXPECT_EQ(flags[size_t(2 * 7 + 5)], 0x100u);

    auto layer = std::make_unique<HexBitLayer>();
    BitLayerMarkScan(s, *layer).scan(6, 0, 1);
    EXPECT_TRUE(testHexBit(*layer, 5, 0));
    EXPECT_TRUE(testHexBit(*layer, 6, 1));
    EXPECT_FALSE(testHexBit(*layer, 7, 0));
    EXPECT_FALSE(testHexBit(*layer, 4, 0));
}

TEST(MarkScans, HexMarkSetsAndClearsOnlyItsBit)
{
    SmallWorld world(5, 5);
    GameState& s = world.state();
    uint16_t* marks = s.markGrid();
    marks[2 * 5 + 2] = kMarkBlink;
    HexMarkScan(s, kMarkCommandTarget, MarkChange::Set).scan(2, 2, 1);
    EXPECT_EQ(marks[2 * 5 + 2], kMarkBlink | kMarkCommandTarget);
    EXPECT_EQ(marks[1 * 5 + 2], kMarkCommandTarget);
    EXPECT_EQ(marks[0], 0);
    HexMarkScan(s, kMarkCommandTarget, MarkChange::Clear).scan(2, 2, 1);
    EXPECT_EQ(marks[2 * 5 + 2], kMarkBlink);
    EXPECT_EQ(marks[1 * 5 + 2], 0);
}

TEST(CapitalFoundScan, FindsTheCountrysCapitalOrHeadquartersWithinTheRadius)
{
    SmallWorld world(9, 9);
    GameState& s = world.state();
    const int capital = world.terrainOfKind(12);
    ASSERT_GE(capital, 0);
    world.placeBuilding(capital, 1, 6, 4);
    world.placeBuilding(capital, 2, 4, 4);

    CapitalFoundScan scan(s, 1);
    scan.scan(3, 4, 2);
    EXPECT_FALSE(scan.found());
    scan.scan(4, 4, 2);
    ASSERT_TRUE(scan.found());
    EXPECT_EQ(scan.where(), (HexPos { 6, 4 }));
    scan.scan(0, 0, 8);
    EXPECT_TRUE(scan.found());

    const int hq = typeOfDomain(s, 3);
    ASSERT_GT(hq, 0);
    world.editType(hq).unitClass = 39;
    world.placeUnit(3, hq, 1, 1);
    CapitalFoundScan units(s, 3);
    units.scan(0, 0, 3);
    EXPECT_EQ(units.where(), (HexPos { 1, 1 }));
    CapitalFoundScan other(s, 4);
    other.scan(0, 0, 8);
    EXPECT_FALSE(other.found());
}

namespace {

// Hides one unit from every country.
class HidingHooks : public StateRulesHooks {
public:
    int hiddenIndex = -1;
    bool isUnitVisibleTo(const GameState&, int, int index, int) override { return index != hiddenIndex; }
    bool isHexVisibleTo(const GameState&, int, int, int, int, int) override { return true; }
    bool canUnitLand(const GameState&, int, int, int) override { return false; }
};

} // namespace

TEST(EnemyUnitsScan, CollectsVisibleEnemiesOfTheDomainOnly)
{
    SmallWorld world(8, 8);
    GameState& s = world.state();
    const int land = typeOfDomain(s, 3);
    const int sea = typeOfDomain(s, 4);
    ASSERT_GT(land, 0);
    ASSERT_GT(sea, 0);
    s.country(1).allianceMask = 0b110;
    s.country(2).allianceMask = 0b110;
    const int enemy = world.placeUnit(0, land, 3, 3);
    world.placeUnit(0, sea, 3, 5);
    world.placeUnit(2, land, 4, 3);
    world.placeUnit(0, land, 7, 7);
    const int hidden = world.placeUnit(0, land, 2, 3);

    HidingHooks hooks;
    hooks.hiddenIndex = hidden;
    setStateRulesHooks(&hooks);
    EnemyUnitsScan scan(s, 1, 3);
    scan.scan(3, 4, 2);
    setStateRulesHooks(nullptr);
    ASSERT_EQ(scan.units().size(), 1u);
    EXPECT_EQ(scan.units()[0].table, 0);
    EXPECT_EQ(scan.units()[0].index, enemy);

    EnemyUnitsScan any(s, 1, -1);
    any.scan(3, 4, 2);
    EXPECT_EQ(any.units().size(), 3u);
    any.scan(0, 7, 1);
    EXPECT_TRUE(any.units().empty());
}
