// The move display's choice of hexes and its playback, and the computer player's move entry.
#include "rules/move_display.h"

#include "rules/commands.h"
#include "rules/commands_range.h"
#include "rules/current_action_marks.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/move_checks.h"
#include "rules/move_display_path.h"
#include "rules/rules_context.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"
#include "tests/rules/commands_world.h"
#include "tests/rules/world_invariants.h"

#include <gtest/gtest.h>

using testing_rules::CommandWorld;
using testing_rules::worldInvariantFaults;

namespace {

// Country 0's unit at (1, 2) walks east along row 2; country 1 views the map.
class DisplayWorld : public CommandWorld {
public:
    DisplayWorld()
        : CommandWorld(10, 6)
    {
        setRulesLinks({ &main, &map, &dialogs, nullptr });
        previousHooks = stateRulesHooks();
        installLandingHooks();
        setActionRangeSource(&source);
        state().settings().playSe = true;
        state().turnBlock().viewingCountry = 1;
        state().country(0).inPlay = state().country(1).inPlay = 1;
        UnitTypeRecord& type = editType(plain);
        type.concealRadius = type.terrainConcealRadius = type.secondConcealRadius = 0;
        type.model[0].values[0] = 6;
        editTerrain(terrainOfKind(kTerrainBasic)).moveCost[type.movementType] = 1;
        mover = placeUnit(0, plain, 1, 2);
        unit(0, mover).fuel = 50;
        currentAction(state()).beginAction(0, mover);
        for (int x = 1; x <= 6; ++x)
            walked.push_back({ x, 2 });
    }
    ~DisplayWorld()
    {
        setActionRangeSource(nullptr);
        setStateRulesHooks(previousHooks);
        setRulesLinks({});
    }

    std::vector<HexPos> shown(MoveDisplay mode) { return movesToShow(state(), walked, mode); }
    // Fog of war on, and country 1 sees only the listed hexes.
    void seenOnlyAt(std::vector<HexPos> hexes)
    {
        setRule(kRuleSearch, 1);
        state().recreateSightMaps();
        for (const HexPos& hex : hexes)
            state().fogMap()->setBit(1, hex.x, hex.y, state().unitTypeRecord(plain).domain);
    }

    HeadlessMainWindow main;
    testing_rules::OpenMapWindow map;
    HeadlessDialogs dialogs;
    CommandRangeSource source;
    StateRulesHooks* previousHooks = nullptr;
    int mover = 0;
    std::vector<HexPos> walked;
};

} // namespace

TEST(MoveDisplay, SettingThinsTheWalkButAlwaysKeepsTheLastHex)
{
    DisplayWorld world;
    EXPECT_EQ(world.shown(MoveDisplay::EveryHex), world.walked);
    EXPECT_EQ(world.shown(MoveDisplay::EverySecondHex), (std::vector<HexPos> { { 2, 2 }, { 4, 2 }, { 6, 2 } }));
    EXPECT_EQ(world.shown(MoveDisplay::FirstHex), (std::vector<HexPos> { { 1, 2 }, { 6, 2 } })) << "a long move jumps";
}

TEST(MoveDisplay, OnlyHexesTheViewerSeesAreShown)
{
    DisplayWorld world;
    world.seenOnlyAt({ { 6, 2 } });
    EXPECT_EQ(world.shown(MoveDisplay::EveryHex), (std::vector<HexPos> { { 6, 2 } }));
    world.seenOnlyAt({});
    EXPECT_TRUE(world.shown(MoveDisplay::EveryHex).empty());

    animateMove(world.state(), world.walked, 3, kCommandNone);
    EXPECT_TRUE(world.map.callsOf("updateHex").empty()) << "an unseen unit is not drawn";
    EXPECT_TRUE(world.main.callsOf("playSound").empty()) << "nor heard";
}

TEST(MoveDisplay, PlaybackMovesThePathEndMarkHexByHexAndRoadsAlwaysShowEveryHex)
{
    DisplayWorld world;
    GameState& s = world.state();
    s.settings().troopMoveAnim = 2;
    animateMove(s, world.walked, 0, kCommandRoad);
    EXPECT_EQ(world.map.callsOf("updateHex").size(), 2 * (world.walked.size() - 1)) << "old and new hex of each step";
    EXPECT_TRUE(hasHexMark(s, 6, 2, kMarkPathEnd));
    for (int x = 1; x < 6; ++x)
        EXPECT_FALSE(hasHexMark(s, x, 2, kMarkPathEnd)) << x;
    EXPECT_EQ(world.main.callsOf("playSound").size(), 1u);
}

TEST(ComputerMove, InPlaceAttackStaysAnAttackAndAShortPathBecomesAMove)
{
    DisplayWorld world;
    GameState& s = world.state();
    world.giveWeapon(world.plain, kWeaponGun, 10);
    WeaponRecord& gun = world.editWeapon(world.state().unitTypeRecord(world.plain).weaponSlot[0].weaponId);
    gun.flags |= 1 | 8 | 128;
    gun.reach = 1;
    std::fill(std::begin(gun.power), std::end(gun.power), uint8_t(20));
    UnitRecord& attacker = world.unit(0, world.mover);
    attacker.ammunition[0] = 10;
    const int enemy = world.placeUnit(1, world.other, 2, 2);
    currentAction(s).beginUnitAction(0, world.mover, false);
    moveAlongPath(s, 1, 2, kCommandAttack, int(packHex(2, 2)), -1);
    EXPECT_EQ(attacker.ammunition[0], 9) << "the attack from where it stands was fought";
    EXPECT_EQ((HexPos { attacker.x, attacker.y }), (HexPos { 1, 2 }));
    EXPECT_TRUE(worldInvariantFaults(s).empty());

    currentAction(s).finishActionQuiet();
    attacker.flags &= uint16_t(~kUnitActed);
    world.placeUnit(0, world.third, 5, 2);
    world.unit(1, enemy).x = 6;
    s.setUnitRefInHex(2, 2, 0, 0, 0);
    s.setUnitRefInHex(6, 2, 0, 2, enemy);
    currentAction(s).beginUnitAction(0, world.mover, false);
    moveAlongPath(s, 5, 2, kCommandAttack, int(packHex(6, 2)), -1);
    EXPECT_EQ(attacker.ammunition[0], 9) << "a friend holds the hex to attack from: a plain move";
    EXPECT_EQ((HexPos { attacker.x, attacker.y }), (HexPos { 4, 2 }));
    EXPECT_TRUE(worldInvariantFaults(s).empty());
}

TEST(ComputerMove, AvoidingEnemiesEndsOnTheLastFreeHexNotBesideOne)
{
    DisplayWorld world;
    GameState& s = world.state();
    world.placeUnit(1, world.other, 6, 3);
    world.placeUnit(0, world.third, 4, 2);
    rulesContext(s).approach.mode = Approach::AvoidEnemy;
    currentAction(s).beginUnitAction(0, world.mover, false);
    moveAlongPath(s, 7, 2, kCommandNone, 0, -1);
    const UnitRecord& u = world.unit(0, world.mover);
    EXPECT_EQ((HexPos { u.x, u.y }), (HexPos { 5, 2 })) << "(6, 2) and (7, 2) lie beside the enemy, (4, 2) is held";
    EXPECT_TRUE(worldInvariantFaults(s).empty());
}
