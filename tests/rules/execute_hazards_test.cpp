// Hazards of a walk: mines under the mover, interceptors on the way and an ambush at its end.
#include "rules/execute_command.h"

#include "rules/commands.h"
#include "rules/headless_links.h"
#include "rules/interception.h"
#include "rules/links.h"
#include "rules/shared_codes.h"
#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"
#include "tests/rules/world_invariants.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::CombatWorld;
using testing_rules::worldInvariantFaults;

namespace {


// Country 0, played by a person, walks east along row 2 from (1, 2); country 1 is its enemy.
struct HazardWorld : CombatWorld {
    HazardWorld()
    {
        setRulesLinks({ &main, nullptr, &dialogs, nullptr });
        state().country(0).controller = 1;
        for (int c : { 0, 1 })
            state().country(c).inPlay = 1;
        editTerrain(state().terrainGrid()[0].terrain).moveCost[state().unitTypeRecord(plain).movementType] = 1;
        mover = placeUnit(0, plain, 1, 2);
        unit(0, mover).fuel = 100;
        currentAction(state()).beginAction(0, mover);
    }
    ~HazardWorld() { setRulesLinks({}); }

    UnitRecord& actor() { return unit(0, mover); }
    HexPos actorHex() { return { actor().x, actor().y }; }
    void walkTo(int to_x, int code = kCommandNone, int target = 0)
    {
        std::vector<HexPos> path;
        for (int x = 2; x <= to_x; ++x)
            path.push_back({ x, 2 });
        executeCommand(state(), path, to_x, 2, code, target, -1);
    }
    std::vector<int64_t> lastNotice()
    {
        const auto notices = dialogs.callsOf("showEventNotice");
        return notices.empty() ? std::vector<int64_t> {} : notices.back().args;
    }

    HeadlessMainWindow main;
    HeadlessDialogs dialogs;
    int mover = -1;
};

} // namespace

TEST(WalkHazards, MineHurtsTheMoverWithoutStoppingItAndBecomesKnown)
{
    HazardWorld world;
    world.fillPool(0xFF);
    TerrainCell& mine = world.cell(3, 2);
    mine.mineKind = 1;
    mine.mineCount = 3;
    world.walkTo(5);
    EXPECT_EQ(world.actorHex(), (HexPos { 5, 2 }));
    EXPECT_EQ(strengthTotal(world.actor()), 4 * (10 - 3)) << "each member loses a draw of 0..10";
    EXPECT_EQ(mine.mineCount, 2);
    EXPECT_EQ(mine.mineKnownMask, 1);
    EXPECT_EQ(world.lastNotice(), (std::vector<int64_t> { 15, 0, world.mover }));
    EXPECT_TRUE(worldInvariantFaults(world.state()).empty());

    // Two persons not allied: the one watching is the other, who is not told.
    HazardWorld other;
    other.fillPool(0xFF);
    other.state().country(1).controller = 1;
    other.state().turnBlock().viewingCountry = 1;
    other.cell(3, 2).mineKind = 1;
    other.cell(3, 2).mineCount = 3;
    other.walkTo(5);
    EXPECT_TRUE(other.lastNotice().empty());
}

TEST(WalkHazards, MineThatDestroysTheMoverEndsTheWalkAndClearsEveryTrace)
{
    HazardWorld world;
    world.fillPool(0xFF);
    std::fill(std::begin(world.actor().memberStrengths), std::begin(world.actor().memberStrengths) + 4, uint8_t(3));
    world.cell(3, 2).mineKind = 1;
    world.cell(3, 2).mineCount = 1;
    world.walkTo(5);
    EXPECT_FALSE(unitExists(world.actor()));
    EXPECT_EQ(world.cell(3, 2).mineKind, 0) << "a mine of count 1 is spent";
    EXPECT_EQ(packed(world.state().country(0).membersLost), 4u);
    EXPECT_TRUE(worldInvariantFaults(world.state()).empty()) << worldInvariantFaults(world.state()).front();
}

TEST(WalkHazards, ExposedMoverIsInterceptedOnTheWay)
{
    HazardWorld world;
    GameState& s = world.state();
    world.fillPool(0);
    world.setRule(kRuleInterception, 1);
    world.gun->reach = 2;
    world.gun->flags = 1 | 2 | 8 | 16;
    world.editType(world.other).range[kLandDomain] = 2;
    const int guard = world.placeUnit(1, world.other, 3, 4);
    s.hexLayers()->markHex(1, 3, 2, kLandDomain, 0, 0, -1);
    world.walkTo(5);
    EXPECT_TRUE(hasIntercepted(s, 1, guard));
    EXPECT_EQ(world.unit(1, guard).ammunition[0], 4);
    EXPECT_LT(strengthTotal(world.actor()), 40);
    EXPECT_EQ(world.actorHex(), (HexPos { 5, 2 })) << "a survivor walks on";
    EXPECT_EQ(world.dialogs.callsOf("showEventNotice").front().args, (std::vector<int64_t> { 7, 0, world.mover }));
    EXPECT_TRUE(worldInvariantFaults(s).empty());

    const int weak = world.placeUnit(0, world.plain, 1, 2);
    std::fill(std::begin(world.unit(0, weak).memberStrengths), std::begin(world.unit(0, weak).memberStrengths) + 4, uint8_t(1));
    world.placeUnit(1, world.other, 3, 1);
    currentAction(s).beginAction(0, weak);
    world.walkTo(5);
    EXPECT_FALSE(unitExists(world.unit(0, weak)));
    EXPECT_EQ(s.command().moveStopped, 1);
    EXPECT_EQ(s.command().stopHexX, 3u);
    EXPECT_TRUE(worldInvariantFaults(s).empty()) << worldInvariantFaults(s).front();
}

TEST(WalkHazards, HiddenEnemyAmbushesAtTheEndAndTheOrderIsNotCarriedOut)
{
    HazardWorld world;
    GameState& s = world.state();
    world.fillPool(0xFF);
    world.setRule(kRuleSearch, 1);
    const int hidden = world.placeUnit(1, world.other, 4, 2);
    world.engage(0, world.mover, 1, hidden);
    world.walkTo(3, kCommandAttack, int(packHex(4, 2)));
    EXPECT_EQ(world.unit(1, hidden).ammunition[0], 4) << "the ambusher fired first";
    EXPECT_EQ(world.actor().ammunition[0], 5) << "the attack was not made";
    EXPECT_EQ(world.dialogs.callsOf("showEventNotice").front().args, (std::vector<int64_t> { 6, 0, world.mover }));
    EXPECT_EQ(world.actorHex(), (HexPos { 3, 2 }));
    EXPECT_TRUE(worldInvariantFaults(s).empty());
}

TEST(WalkHazards, PartSplitOffIsAmbushedAtItsOwnHex)
{
    HazardWorld world;
    GameState& s = world.state();
    world.fillPool(0xFF);
    world.setRule(kRuleSearch, 1);
    const HexPos part = s.hexNeighbour(1, 2, 2);
    const HexPos lurk = s.hexNeighbour(part.x, part.y, 2);
    ASSERT_EQ(hexDistance({ 1, 2 }, lurk), 2);
    const int hidden = world.placeUnit(1, world.other, lurk.x, lurk.y);
    s.country(0).unitListLength = 100;
    executeCommand(s, {}, 1, 2, kCommandSplit, int(packHex(part.x, part.y)), 2);
    EXPECT_EQ(s.command().ambushOnSplitOff, 1);
    EXPECT_EQ(world.unit(1, hidden).ammunition[0], 4) << "the part that moved off was fired on";
    EXPECT_EQ(strengthSlotCount(world.actor()), 2) << "the part that stayed is whole";
    EXPECT_TRUE(worldInvariantFaults(s).empty()) << worldInvariantFaults(s).front();
}
