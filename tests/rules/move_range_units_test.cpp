// MoveRangeMap with units on the map: zones of control, stacking, visibility, mines, the second layer and stopping.
#include "rules/current_action_marks.h"
#include "rules/move_range.h"

#include "state/sight_maps.h"
#include "tests/rules/move_range_world.h"

#include <gtest/gtest.h>

#include <vector>

using testing_rules::RangeWorld;

namespace {

class UnitWorld : public RangeWorld {
public:
    UnitWorld(int width = 9, int height = 5)
        : RangeWorld(width, height)
    {
        for (RuleSwitch rule : { kRuleZoc, kRuleZocNeedsWeapon, kRuleSearch, kRuleStacking, kRuleInterception })
            setRule(rule, 0);
        for (int c = 0; c < kCountryCount; ++c)
            state().country(c).inPlay = 1;
        landType = typeOfDomain(3);
        airType = typeOfDomain(1);
        editType(landType).movementType = kMoveType;
    }

    int typeOfDomain(int domain)
    {
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.domain == domain && type.available && type.id > 0)
                return type.id;
        return 0;
    }

    // The range of a land unit of side 0 at (x, y), units entered.
    MoveRangeMap& rangeFrom(int x, int y, int limit, bool second_layer = false)
    {
        mover = placeUnit(0, landType, x, y);
        range = std::make_unique<MoveRangeMap>(state(), 0, mover);
        range->setCostLimit(limit);
        range->setBuildUnitFlags(true);
        range->setSecondLayer(second_layer);
        return *range;
    }

    int landType = 0;
    int airType = 0;
    int mover = -1;
    std::unique_ptr<MoveRangeMap> range;
};

class ScriptedChecks : public StackingChecks {
public:
    bool canBoardAt(int, int) override { return board; }
    bool canStoreAt(int, int) override { return store; }
    bool board = false;
    bool store = false;
};

} // namespace

TEST(MoveRangeZones, AZoneHexIsEnteredButNeverLeftNorTracedThrough)
{
    UnitWorld world(9, 5);
    world.setRule(kRuleZoc, 1);
    world.placeUnit(1, world.landType, 4, 2);
    MoveRangeMap& range = world.rangeFrom(2, 2, 12);
    range.compute();
    EXPECT_EQ(range.costAt(4, 2, -1), -1) << "the enemy's hex is closed";
    EXPECT_EQ(range.costAt(3, 2, -1), 1);
    EXPECT_FALSE(range.isOutsideEnemyZoc(3, 2));
    EXPECT_TRUE(range.isNextToEnemy(3, 2));
    // Behind the enemy only the long way round, which must skirt its zone.
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x) {
            std::vector<HexPos> path;
            if (!range.tracePath(x, y, path, -1))
                continue;
            for (size_t i = 0; i + 1 < path.size(); ++i)
                EXPECT_TRUE(range.isOutsideEnemyZoc(path[i].x, path[i].y)) << "route to " << x << "," << y;
        }
    EXPECT_GT(range.costAt(6, 2, -1), 4) << "no shortcut through the zone";
}

TEST(MoveRangeZones, WithoutTheZoneRuleNeighboursAreOnlyMarkedNextToTheEnemy)
{
    UnitWorld world(9, 5);
    world.placeUnit(1, world.landType, 4, 2);
    MoveRangeMap& range = world.rangeFrom(2, 2, 12);
    range.compute();
    EXPECT_TRUE(range.isOutsideEnemyZoc(3, 2));
    EXPECT_TRUE(range.flagsAt(3, 2) & kRangeNextToEnemy);
    EXPECT_TRUE(range.isNextToEnemy(3, 2));
    EXPECT_EQ(range.costAt(5, 1, -1), hexDistance({ 2, 2 }, { 5, 1 })) << "passing beside the enemy costs nothing extra";
}

TEST(MoveRangeZones, AZoneNeedsAWeaponWhenTheRuleAsksForOne)
{
    UnitWorld world(9, 5);
    world.setRule(kRuleZoc, 1);
    world.setRule(kRuleZocNeedsWeapon, 1);
    const int enemy = world.placeUnit(1, world.landType, 4, 2);
    for (uint8_t& ammo : world.unit(1, enemy).ammunition)
        ammo = 0;
    MoveRangeMap& range = world.rangeFrom(2, 2, 12);
    range.compute();
    EXPECT_TRUE(range.isOutsideEnemyZoc(3, 2)) << "an enemy without ammunition casts no zone";
    EXPECT_TRUE(range.flagsAt(3, 2) & kRangeNextToEnemy);
}

TEST(MoveRangeZones, FriendsCastNoZoneAndMarkTheirHexes)
{
    UnitWorld world(9, 5);
    world.setRule(kRuleZoc, 1);
    world.placeUnit(0, world.landType, 4, 2);
    world.state().country(0).allianceMask |= 1 << 2;
    world.placeUnit(2, world.landType, 4, 3);
    MoveRangeMap& range = world.rangeFrom(2, 2, 12);
    range.compute();
    EXPECT_TRUE(range.isOutsideEnemyZoc(3, 2));
    EXPECT_TRUE(range.flagsAt(4, 2) & kRangeOwn);
    EXPECT_TRUE(range.flagsAt(4, 3) & kRangeAllied);
    EXPECT_EQ(range.costAt(5, 2, -1), 3) << "friends are passed through";
    EXPECT_FALSE(range.flagsAt(2, 2) & kRangeOwn) << "the mover itself is not entered";
}

TEST(MoveRangeStacking, AnEnemyInAnotherDomainBlocksOnlyWithoutStacking)
{
    for (int stacking : { 0, 1 }) {
        UnitWorld world(7, 1);
        ASSERT_GT(world.airType, 0);
        world.setRule(kRuleStacking, stacking);
        world.placeUnit(1, world.airType, 3, 0);
        MoveRangeMap& range = world.rangeFrom(0, 0, 10);
        range.compute();
        EXPECT_EQ(range.costAt(3, 0, -1), stacking ? 3 : -1) << "stacking " << stacking;
        EXPECT_EQ(range.hasUnitOfClass(3, 0, stacking ? 1 : 0), true);
    }
}

TEST(MoveRangeStacking, AnUnseenEnemyBlocksNothingAndCastsNoZone)
{
    UnitWorld world(7, 3);
    world.setRule(kRuleZoc, 1);
    world.setRule(kRuleSearch, 1);
    world.state().recreateSightMaps();
    world.placeUnit(1, world.landType, 3, 1);
    MoveRangeMap& range = world.rangeFrom(0, 1, 10);
    range.compute();
    EXPECT_EQ(range.costAt(3, 1, -1), 3);
    EXPECT_EQ(range.flagsAt(2, 1), 0u);
}

TEST(MoveRangeMines, KnownMinesOfTheMoversKindAreFlaggedAvoidedOrClosed)
{
    struct Case {
        int kind;
        int knownMask;
        bool flagged;
    };
    for (Case c : { Case { 1, 1, true }, Case { 1, 2, false }, Case { 2, 1, false } }) {
        UnitWorld world(7, 1);
        world.cell(3, 0).mineKind = uint8_t(c.kind);
        world.cell(3, 0).mineCount = 1;
        world.cell(3, 0).mineKnownMask = uint8_t(c.knownMask);
        MoveRangeMap& range = world.rangeFrom(0, 0, 10, true);
        range.compute();
        EXPECT_EQ(range.isKnownMineHex(3, 0), c.flagged) << "kind " << c.kind;
        EXPECT_EQ(range.costIn(3, 0, 0), 3);
        EXPECT_EQ(range.secondLayerCostAt(3, 0), c.flagged ? -1 : 3);
        EXPECT_EQ(range.secondLayerCostAt(5, 0), c.flagged ? -1 : 5) << "a corridor's mine cuts the second layer";
        EXPECT_EQ(range.costAt(5, 0, -1), 5) << "costAt falls back to layer 0";

        MoveRangeMap closed(world.state(), 0, world.mover);
        closed.setCostLimit(10);
        closed.setMinesImpassable(true);
        closed.compute();
        EXPECT_EQ(closed.costAt(3, 0, -1), c.flagged ? -1 : 3);
    }
}

TEST(MoveRangeLayers, TheSecondLayerGoesRoundInterceptionZones)
{
    UnitWorld world(7, 3);
    for (int y = 0; y < 3; ++y)
        if (y != 2)
            world.cell(3, y).turnMarks[1] = uint8_t(1 << 3);
    MoveRangeMap& range = world.rangeFrom(0, 1, 10, true);
    range.compute();
    EXPECT_TRUE(range.isInterceptZone(3, 1));
    EXPECT_FALSE(range.isInterceptZone(3, 2));
    EXPECT_EQ(range.costIn(6, 1, 0), 6);
    EXPECT_EQ(range.secondLayerCostAt(6, 1), 7) << "round by the clear row";
    EXPECT_EQ(range.costAt(6, 1, -1), 7);
    EXPECT_EQ(range.costAt(6, 1, 6), 6) << "over the limit the first layer answers";
    std::vector<HexPos> path;
    ASSERT_TRUE(range.tracePath(6, 1, path, -1));
    EXPECT_EQ(path.size(), 7u);
    for (const HexPos& step : path)
        EXPECT_FALSE(range.isInterceptZone(step.x, step.y));
}

TEST(MoveRangeLayers, EnemiesInRangeInterceptAroundThemselves)
{
    UnitWorld world(11, 11);
    world.setRule(kRuleInterception, 1);
    const int enemy = world.placeUnit(1, world.landType, 5, 5);
    world.editType(world.landType).range[3] = 2;
    const int reach = world.unit(1, enemy).bestWeaponReach(3, 0, 0, 0);
    if (reach <= 0)
        GTEST_SKIP() << "the generated land type has no weapon against land";
    const int r = std::min(2, reach);
    MoveRangeMap& range = world.rangeFrom(0, 0, 30);
    range.compute();
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x)
            EXPECT_EQ(range.isInterceptZone(x, y), hexDistance({ x, y }, { 5, 5 }) <= r) << x << "," << y;
}

TEST(MoveRangeExits, ALandUnitCrossesABridgeOnlyBetweenItsTwoSides)
{
    UnitWorld world(5, 3);
    const int bridge = world.terrainOfKind(kTerrainBridge);
    ASSERT_GE(bridge, 0);
    world.placeBuilding(bridge, -1, 2, 1);
    world.cell(2, 1).displayCode = 2; // west and east open
    MoveRangeMap& range = world.rangeFrom(0, 1, 10);
    range.compute();
    EXPECT_EQ(range.exitDirs(2, 1), 9);
    EXPECT_EQ(range.costAt(2, 1, -1), 2);
    EXPECT_EQ(range.costAt(4, 1, -1), 4);

    world.cell(2, 1).displayCode = 0; // south-west and north-east open
    range.compute();
    EXPECT_EQ(range.costAt(2, 1, -1), 3) << "entered from the south-west";
    std::vector<HexPos> path;
    ASSERT_TRUE(range.tracePath(2, 1, path, -1));
    ASSERT_GE(path.size(), 2u);
    const HexPos before = path[path.size() - 2];
    EXPECT_EQ(hexNeighbour(2, 1, 1, 5, 3), before);
}

TEST(MoveRangeExits, ADestroyedBridgeClosesToVehiclesOnly)
{
    UnitWorld world(5, 1);
    const int bridge = world.terrainOfKind(kTerrainBridge);
    ASSERT_GE(bridge, 0);
    const int b = world.placeBuilding(bridge, -1, 2, 0);
    world.cell(2, 0).displayCode = 2;
    world.building(b).destroyed = 1;
    MoveRangeMap& range = world.rangeFrom(0, 0, 10);
    range.compute();
    EXPECT_EQ(range.costAt(2, 0, -1), -1);

    MoveRangeMap by_values(world.state());
    by_values.initFromValues(0, 0, 0, RangeWorld::kMoveType, 3);
    by_values.setCostLimit(10);
    by_values.compute();
    EXPECT_EQ(by_values.costAt(2, 0, -1), 2) << "a range without a unit ignores the building's state";
}

TEST(MoveRangeStop, WhereTheMoverMayEndItsMove)
{
    UnitWorld world(9, 1);
    world.state().country(0).allianceMask |= 1 << 2;
    world.placeUnit(0, world.landType, 2, 0);
    world.placeUnit(2, world.landType, 3, 0);
    world.placeUnit(1, world.airType, 5, 0);
    ScriptedChecks checks;
    struct Case {
        bool ignore, board, store;
        bool own, allied;
    };
    for (Case c : { Case { true, false, false, true, false }, Case { false, false, false, false, false },
             Case { false, true, false, true, false }, Case { false, false, true, true, true } }) {
        MoveRangeMap& range = world.rangeFrom(0, 0, 10);
        checks.board = c.board;
        checks.store = c.store;
        range.setStackingChecks(&checks);
        range.compute();
        range.markReachable(c.ignore);
        EXPECT_TRUE(range.isReachable(0, 0)) << "the start";
        EXPECT_TRUE(range.isReachable(1, 0));
        EXPECT_EQ(range.isReachable(2, 0), c.own);
        EXPECT_EQ(range.isReachable(3, 0), c.allied);
        EXPECT_FALSE(range.isReachable(6, 0)) << "behind the enemy";
        world.unit(0, world.mover).stateLow = 0;
    }
}

TEST(MoveRangeCosts, A256By256MapFloodsCompletely)
{
    RangeWorld world(256, 256);
    std::mt19937 random(3);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            world.setTerrain(x, y, int(random() % 3));
    MoveRangeMap range(world.state());
    range.initFromValues(0, 128, 128, RangeWorld::kMoveType, 3);
    range.setCostLimit(100000);
    range.compute();
    int reached = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            reached += range.costAt(x, y, -1) >= 0;
    EXPECT_EQ(reached, 256 * 256);
    EXPECT_GE(range.costAt(0, 0, -1), 128);
}

TEST(MoveRangeMarks, BandsInterceptionAndOccupiedHexesOnTheMarkGrid)
{
    UnitWorld world(8, 1);
    world.cell(2, 0).turnMarks[0] = uint8_t(1 << 3);
    world.placeUnit(0, world.landType, 4, 0);
    MoveRangeMap& range = world.rangeFrom(0, 0, 10);
    range.compute();
    GameState& state = world.state();
    const uint16_t* marks = state.markGrid();
    setHexMark(state, 7, 0, kMarkMoveRange); // stale, cleared by the next band
    range.markNormalRange(0, 3);
    range.markExtendedRange(4, 5);
    range.markInterceptedHexes();
    range.unmarkOccupiedHexes();
    const uint16_t expected[8] = { kMarkMoveRange, kMarkMoveRange, kMarkInterceptRange, kMarkMoveRange, 0,
        kMarkExtendedBand, 0, 0 };
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(marks[x] & (kMarkMoveRange | kMarkInterceptRange | kMarkExtendedBand), expected[x]) << "hex " << x;
}

TEST(MoveRangeUnits, UnitsOnTheGoalAreLeftOutUnlessAsked)
{
    for (bool ignore : { true, false }) {
        UnitWorld world(6, 1);
        world.placeUnit(1, world.landType, 3, 0);
        MoveRangeMap& range = world.rangeFrom(0, 0, 10);
        range.setGoal(3, 0);
        range.setIgnoreUnitsAtGoal(ignore);
        range.compute();
        EXPECT_EQ(range.costAt(3, 0, -1), ignore ? 3 : -1) << "ignore " << ignore;
    }
}
