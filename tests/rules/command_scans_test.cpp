// The rules' command scans behind codes 1, 2 and 17: attack targets, ground-attack hexes, launch reach, routes.
#include "rules/command_scans_rules.h"
#include "rules/commands.h"
#include "rules/current_action.h"
#include "rules/current_action_marks.h"
#include "rules/commands_range.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_rules::CommandWorld;
using testing_rules::at;
using testing_rules::bit;

namespace {

// Side 0's infantry at (2, 3) with one direct weapon of the given reach; the rules' scans installed.
class ScanWorld : public CommandWorld {
public:
    explicit ScanWorld(int reach = 1, int width = 8, int height = 8, HexPos home = { 2, 3 })
        : CommandWorld(width, height)
    {
        scans = &installRulesCommandScans();
        // One terrain everywhere, costing 1 for every movement type.
        TerrainRecord& ground = editTerrain(state().effectiveTerrainAt(0, 0));
        std::fill(std::begin(ground.moveCost), std::end(ground.moveCost), uint8_t(1));
        weapon = firstWeaponId();
        WeaponRecord& w = editWeapon(weapon);
        w = WeaponRecord {};
        w.reach = uint8_t(reach);
        w.useValue = 1;
        w.flags = 1 | 2 | 8 | 128;
        std::fill(std::begin(w.power), std::end(w.power), uint8_t(10));
        UnitTypeRecord& type = editType(plain);
        type.weaponSlot[0].weaponId = uint16_t(weapon);
        type.model[0].ammo[0] = 5;
        infantry = placeUnit(0, plain, home.x, home.y);
        unit(0, infantry).ammunition[0] = 5;
    }
    ~ScanWorld() { setCommandScans(nullptr); }

    int firstWeaponId()
    {
        int id = 1;
        while (state().weaponIndex(id) == 0)
            ++id;
        return id;
    }

    uint32_t mask(int x, int y, bool moving = false) { return availableCommandMask(state(), at(0, infantry, x, y, moving)); }

    RulesCommandScans* scans = nullptr;
    int weapon = 0;
    int infantry = -1;
};

// Landing belongs to the route code; here every unit may land.
class EveryUnitLands : public VisibilityHooks {
public:
    bool canUnitLand(const GameState&, int, int, int) override { return true; }
};

// The infantry picked as the acting unit with 60 movement points, its range built by the commands' source.
class RouteWorld : public ScanWorld {
public:
    RouteWorld()
        : action(state())
    {
        setActionRangeSource(&source);
        previousHooks = stateRulesHooks();
        setStateRulesHooks(&hooks);
        scans->setCurrentAction(&action);
        for (UnitTypeModel& model : editType(plain).model)
            model.values[0] = 60;
        unit(0, infantry).fuel = 60;
    }
    ~RouteWorld()
    {
        if (action.underWay())
            action.finishActionQuiet();
        scans->setCurrentAction(nullptr);
        setStateRulesHooks(previousHooks);
        setActionRangeSource(nullptr);
    }

    CommandRangeSource source;
    EveryUnitLands hooks;
    StateRulesHooks* previousHooks = nullptr;
    CurrentAction action;
};

} // namespace

TEST(AttackCommand, OfferedNextToAVisibleEnemyOnly)
{
    ScanWorld world;
    EXPECT_FALSE(world.mask(2, 3) & bit(kCommandAttack)) << "nobody to attack";
    const int enemy = world.placeUnit(1, world.other, 3, 3);
    EXPECT_TRUE(world.mask(2, 3) & bit(kCommandAttack));

    world.setRule(kRuleSearch, 1);
    world.state().recreateSightMaps();
    ASSERT_FALSE(isUnitVisibleTo(world.state(), 0, 1, enemy));
    EXPECT_FALSE(world.mask(2, 3) & bit(kCommandAttack)) << "the enemy is hidden by the fog";
}

TEST(AttackCommand, RefusedOutOfReachWithoutAmmunitionOrAgainstFriends)
{
    ScanWorld world;
    world.placeUnit(0, world.other, 3, 3);
    EXPECT_FALSE(world.mask(2, 3) & bit(kCommandAttack)) << "a friend is no target";
    world.placeUnit(1, world.other, 5, 3);
    EXPECT_FALSE(world.mask(2, 3) & bit(kCommandAttack)) << "the enemy is three hexes away";
    EXPECT_TRUE(world.mask(4, 3, true) & bit(kCommandAttack)) << "but beside the hex the unit moves to";
    world.unit(0, world.infantry).ammunition[0] = 0;
    EXPECT_FALSE(world.mask(4, 3, true) & bit(kCommandAttack));
}

TEST(AttackCommand, GroundAttackHexNeedsRule46AndAFreeEnterableHex)
{
    ScanWorld world(3);
    EXPECT_FALSE(world.mask(2, 3) & bit(kCommandAttack)) << "rule 46 off";
    world.setRule(kRuleGroundPointTarget, 1);
    EXPECT_TRUE(world.mask(2, 3) & bit(kCommandAttack));
    EXPECT_TRUE(world.scans->hasGroundAttackHex(world.state(), 0, world.infantry, 2, 3, 2));
    EXPECT_FALSE(world.scans->hasGroundAttackHex(world.state(), 0, world.infantry, 2, 3, 1)) << "distance 2 at least";

    const int terrain = world.state().effectiveTerrainAt(2, 3);
    const int move_type = world.state().unitTypeRecord(world.plain).movementType;
    world.editTerrain(terrain).moveCost[move_type] = 0;
    EXPECT_FALSE(world.mask(2, 3) & bit(kCommandAttack)) << "no hex the unit could enter";
}

TEST(AttackCommand, GroundAttackHexMustHoldNoVisibleUnit)
{
    // On a one-row map the only hex at distance 2 from (0, 0) is (2, 0).
    ScanWorld world(2, 3, 1, { 0, 0 });
    world.setRule(kRuleGroundPointTarget, 1);
    ASSERT_TRUE(world.scans->hasGroundAttackHex(world.state(), 0, world.infantry, 0, 0, 2));
    world.placeUnit(0, world.other, 2, 0);
    EXPECT_FALSE(world.scans->hasGroundAttackHex(world.state(), 0, world.infantry, 0, 0, 2));
}

TEST(AttackCommand, GroundAttackListingHoldsEveryHexTheCheckCouldHaveStoppedAt)
{
    ScanWorld world(3);
    GameState& s = world.state();
    world.placeUnit(0, world.other, 4, 3);
    std::vector<HexPos> hexes;
    EXPECT_EQ(collectGroundAttackHexes(s, 0, world.infantry, 2, 3, false, hexes), 0) << "rule 46 off";
    world.setRule(kRuleGroundPointTarget, 1);
    ASSERT_GT(collectGroundAttackHexes(s, 0, world.infantry, 2, 3, false, hexes), 0);
    int expected = 0;
    for (int y = 0; y < s.mapHeight(); ++y)
        for (int x = 0; x < s.mapWidth(); ++x) {
            const int d = hexDistance(HexPos { 2, 3 }, HexPos { x, y });
            const bool target = d >= 2 && d <= 3 && HexPos { x, y } != HexPos { 4, 3 };
            expected += target;
            const bool listed = std::find(hexes.begin(), hexes.end(), HexPos { x, y }) != hexes.end();
            EXPECT_EQ(listed, target) << x << "," << y;
        }
    EXPECT_EQ(int(hexes.size()), expected) << "each hex once";
    EXPECT_TRUE(world.scans->hasGroundAttackHex(s, 0, world.infantry, 2, 3, 3)) << "the check finds the first of them";

    // Listing leaves the marks alone; without a weapon reaching past the neighbours there is none.
    EXPECT_FALSE(isCommandTargetHex(s, 2, 5));
    world.editWeapon(world.weapon).reach = 1;
    hexes.clear();
    EXPECT_EQ(collectGroundAttackHexes(s, 0, world.infantry, 2, 3, false, hexes), 0);
}

TEST(FireCommand, OfferedWhenTheLaunchedTypeReachesTwoHexesOut)
{
    ScanWorld world;
    WeaponRecord& w = world.editWeapon(world.weapon);
    w.launchedType = uint16_t(world.third);
    w.kind = 0;
    UnitTypeRecord& launched = world.editType(world.third);
    launched.model[0].values[0] = 1;
    EXPECT_FALSE(world.mask(2, 3) & bit(kCommandFire)) << "one hex out is too near";
    launched.model[0].values[0] = 2;
    EXPECT_TRUE(world.mask(2, 3) & bit(kCommandFire));
    world.unit(0, world.infantry).ammunition[0] = 0;
    EXPECT_FALSE(world.mask(2, 3) & bit(kCommandFire));
}

TEST(RoadRoute, TracedInTheActingUnitsRangeAndAfterItsWayPoints)
{
    RouteWorld world;
    std::vector<HexPos> route;
    EXPECT_FALSE(world.scans->planRoute(world.state(), 0, world.infantry, 4, 3, route)) << "no action under way";

    world.action.beginUnitAction(0, world.infantry, false);
    ASSERT_TRUE(world.scans->planRoute(world.state(), 0, world.infantry, 4, 3, route));
    ASSERT_EQ(route.size(), 2u);
    EXPECT_EQ(route.back(), (HexPos { 4, 3 }));
    EXPECT_EQ(hexDistance({ 2, 3 }, route[0]), 1);

    const int other = world.placeUnit(0, world.other, 6, 6);
    EXPECT_FALSE(world.scans->planRoute(world.state(), 0, other, 4, 3, route)) << "only the acting unit's route";

    ASSERT_TRUE(world.action.addWayPoint(2, 5));
    ASSERT_TRUE(world.scans->planRoute(world.state(), 0, world.infantry, 4, 5, route));
    ASSERT_EQ(route.size(), 4u);
    EXPECT_EQ(route[1], (HexPos { 2, 5 }));
    EXPECT_EQ(route.back(), (HexPos { 4, 5 }));
}

TEST(RoadCommand, OfferedAtTheEndOfAMoveWhoseRouteCanLinkRoads)
{
    RouteWorld world;
    world.editType(world.plain).flags = 0x1000;
    world.giveWeapon(world.plain, kWeaponEngineering, 1, 1);
    world.unit(0, world.infantry).ammunition[1] = 1;
    const int road = world.terrainOfKind(kTerrainRoad);
    TerrainRecord& terrain = world.editTerrain(road);
    terrain.flags |= 0x80;
    std::fill(std::begin(terrain.moveCost), std::end(terrain.moveCost), uint8_t(1));
    world.action.beginUnitAction(0, world.infantry, false);

    EXPECT_FALSE(world.mask(4, 3, true) & bit(kCommandRoad)) << "no road on the way";
    world.cell(3, 3).terrain = uint8_t(road);
    world.cell(4, 3).terrain = uint8_t(road);
    world.action.refreshMoveRange();
    EXPECT_TRUE(world.mask(4, 3, true) & bit(kCommandRoad));
    EXPECT_FALSE(world.mask(4, 3, false) & bit(kCommandRoad)) << "only at the end of a move";
    world.unit(0, world.infantry).ammunition[1] = 0;
    EXPECT_FALSE(world.mask(4, 3, true) & bit(kCommandRoad));
}
