// The computer's turn: what a unit chooses, the interrupt protocol and the same game from the same pool.
#include "ai/computer_turn.h"
#include "ai/target_country.h"
#include "ai/think_plan.h"
#include "ai/unit_plan.h"
#include "rules/play.h"
#include "rules/rules_install.h"
#include "rules/scans_placement.h"
#include "rules/targets.h"
#include "tests/rules/enterable_terrain.h"
#include "tests/rules/occupation_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

using testing_rules::OccupationWorld;

// Country 0 against country 1 on open ground, both computer players, the rules installed.
class TurnWorld : public OccupationWorld {
public:
    TurnWorld()
    {
        GameState& s = state();
        for (int c = 0; c < kCountryCount; ++c) {
            s.country(c).controller = c < 2 ? 2 : 0;
            s.country(c).inPlay = c < 2 ? 1 : 0;
            s.country(c).targetCountry = 8;
        }
        // Six points of movement on fuel that lasts; the type may occupy.
        for (int id : { plain, other }) {
            UnitTypeRecord& type = editType(id);
            type.flags |= 0x80;
            for (UnitTypeModel& model : type.model) {
                model.values[0] = 6;
                model.fuel = 60;
            }
        }
        testing_rules::makeEnterable(*this, plain);
        installRules(s);
    }
    ~TurnWorld() { rulesContext(state()).installation.uninstall(); }

    int soldier(int side, int x, int y, int type = -1)
    {
        const int index = placeUnit(side, type < 0 ? plain : type, x, y);
        unit(side, index).fuel = 60;
        return index;
    }
    UnitChoice act(int side, int index) { return UnitPlan(state(), side, index).act(); }
    HexPos where(int side, int index) { return { unit(side, index).x, unit(side, index).y }; }
};

// The first building type whose terrain refuels the group.
int refuellingBuilding(GameState& s, int group)
{
    const auto& types = s.terrainTypes();
    for (size_t t = 0; t < types.size(); ++t)
        if (types[t].kind >= kTerrainBuilding && (types[t].refuelMask >> group & 1))
            return int(t);
    return -1;
}

} // namespace

TEST(ComputerUnitChoice, UnitLowOnFuelGoesToABuildingThatRefuelsIt)
{
    TurnWorld world;
    const int u = world.soldier(0, 1, 3);
    const int building_type = refuellingBuilding(world.state(), unitTypeGroup(world.unit(0, u).type()));
    ASSERT_GE(building_type, 0);
    world.placeBuilding(building_type, 0, 4, 3);
    world.soldier(1, 8, 6);
    world.unit(0, u).fuel = 10;
    EXPECT_EQ(world.act(0, u), UnitChoice::Resupply);
    EXPECT_EQ(world.where(0, u), (HexPos { 4, 3 }));
    EXPECT_TRUE(world.unit(0, u).hasFlag(kUnitActed));

    // With a full tank the same unit has other business.
    TurnWorld full;
    const int v = full.soldier(0, 1, 3);
    full.placeBuilding(building_type, 0, 4, 3);
    full.soldier(1, 8, 6);
    EXPECT_NE(full.act(0, v), UnitChoice::Resupply);
}

TEST(ComputerUnitChoice, AttackIsChosenOverAMoveWhenItPaysAndWeighedByStrategy)
{
    TurnWorld world;
    const int u = world.soldier(0, 3, 3);
    // The enemy beside it cannot fire back.
    const int e = world.soldier(1, 4, 3, world.other);
    world.editType(world.other).weaponSlot[0].weaponId = 0;
    const int before = strengthTotal(world.unit(1, e));
    world.state().country(0).targetCountry = 1;
    EXPECT_EQ(world.act(0, u), UnitChoice::Attack);
    EXPECT_LT(strengthTotal(world.unit(1, e)), before);
    EXPECT_EQ(world.where(0, u), (HexPos { 3, 3 }));

    // Against an enemy whose return fire costs more than the kills gain, only a bold country attacks.
    for (int strategy : { 0, 1 }) {
        TurnWorld duel;
        duel.state().country(0).analysisByte = uint8_t(strategy);
        const int a = duel.soldier(0, 3, 3);
        const int d = duel.soldier(1, 4, 3, duel.other);
        // Our members are dear, theirs cheap: the exchange loses money for us.
        duel.editType(duel.plain).memberPrice = 1000;
        duel.editType(duel.other).memberPrice = 1;
        UnitPlan plan(duel.state(), 0, a);
        ASSERT_TRUE(plan.prepareRange());
        const AttackOption option = plan.bestAttack();
        ASSERT_GE(option.slot, 0);
        EXPECT_EQ(option.target, (HexPos { 4, 3 }));
        if (strategy == 1) {
            EXPECT_LT(option.score, 0) << "defensive";
        }
        (void)d;
    }
}

TEST(ComputerUnitChoice, FreeEnemyCapitalInReachIsOccupied)
{
    TurnWorld world;
    world.placeCapital(1, 5, 3);
    world.soldier(1, 8, 7);
    const int u = world.soldier(0, 2, 3);
    EXPECT_EQ(world.act(0, u), UnitChoice::Occupy);
    EXPECT_EQ(world.where(0, u), (HexPos { 5, 3 }));
}

TEST(ComputerUnitChoice, OccupierTakesTheCapitalInReachBeforeAttackingWhileOthersFight)
{
    for (bool occupier : { true, false }) {
        TurnWorld world;
        world.placeCapital(1, 5, 3);
        // A defenceless enemy beside the unit: an attack that pays.
        const int e = world.soldier(1, 3, 4, world.other);
        world.editType(world.other).weaponSlot[0].weaponId = 0;
        if (!occupier)
            world.editType(world.plain).flags &= ~0x80;
        world.state().country(0).targetCountry = 1;
        const int u = world.soldier(0, 3, 3);
        const int before = strengthTotal(world.unit(1, e));
        if (occupier) {
            EXPECT_EQ(world.act(0, u), UnitChoice::Occupy);
            EXPECT_EQ(world.where(0, u), (HexPos { 5, 3 }));
        } else {
            EXPECT_EQ(world.act(0, u), UnitChoice::Attack);
            EXPECT_LT(strengthTotal(world.unit(1, e)), before);
        }
    }
}

TEST(ComputerUnitChoice, NeutralUnitsWithoutATransportGoalStay)
{
    TurnWorld world;
    const int idle = world.soldier(8, 2, 2);
    const int carrier = world.soldier(8, 2, 5);
    world.unit(8, carrier).watchBits = 2;
    world.unit(8, carrier).goalX = 9;
    world.unit(8, carrier).goalY = 5;
    EXPECT_EQ(world.act(8, idle), UnitChoice::None);
    EXPECT_EQ(world.where(8, idle), (HexPos { 2, 2 }));
    EXPECT_EQ(world.act(8, carrier), UnitChoice::Advance);
    EXPECT_EQ(world.where(8, carrier), (HexPos { 8, 5 })) << "as far toward the goal as it reaches";
}

TEST(ComputerTurnOrder, ThirstyAircraftActFirstThenUnitsByIndex)
{
    TurnWorld world;
    const int a = world.soldier(0, 1, 1);
    const int b = world.soldier(0, 1, 2);
    const int jet = world.soldier(0, 1, 4, world.aircraft);
    world.unit(0, jet).fuel = 1;
    const int done = world.soldier(0, 1, 5);
    world.unit(0, done).markActed();
    std::atomic<BYTE> stop { 0 };
    EXPECT_EQ(ComputerTurn(world.state(), 0, stop).actingOrder(), (std::vector<int> { jet, a, b }));
}

TEST(ComputerTurnInterrupt, StopFlagAndRepliesEndTheTurnWithTheirValue)
{
    TurnWorld world;
    world.soldier(0, 1, 1);
    world.soldier(0, 1, 3);
    world.soldier(1, 8, 6);
    std::atomic<BYTE> stop { 1 };
    EXPECT_EQ(ComputerTurn(world.state(), 0, stop).run(), 1);
    stop = 0;

    Handshake& handshake = world.state().handshake();
    handshake.setPlayRunning(true);
    // The person answers once the game thread waits for the answer, or gives up after a while.
    auto answer = [&](uint32_t reply) {
        return std::thread([&handshake, reply] {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (handshake.openWaitCount() == 0 && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            EXPECT_GT(handshake.openWaitCount(), 0u) << "the turn never asked";
            handshake.replyToGame(reply);
        });
    };
    for (uint32_t reply : { 1u, 4u }) {
        handshake.setUiLinkReady();
        std::thread person = answer(reply);
        EXPECT_EQ(ComputerTurn(world.state(), 0, stop).run(), int(reply));
        person.join();
    }
    // Reply 0 lets the turn go on to its end.
    handshake.setUiLinkReady();
    std::thread person = answer(0);
    EXPECT_EQ(ComputerTurn(world.state(), 0, stop).run(), 0);
    person.join();
    handshake.setPlayRunning(false);
}

TEST(ComputerTurnInterrupt, ThinkPlanSwallowsALeftClickForTheThinkingWindow)
{
    struct Clicked : ThinkClickSource {
        bool leftButtonPressed() override { return true; }
    } clicked;
    TurnWorld world;
    std::atomic<BYTE> stop { 0 };
    setThinkClickSource(&clicked);
    int steps = 0;
    EXPECT_EQ(ThinkPlan(world.state(), stop).sequence(3, [&](int) { ++steps; }), 0);
    setThinkClickSource(nullptr);
    EXPECT_EQ(steps, 3);
    EXPECT_TRUE(world.state().handshake().takeClickSwallowed());
    EXPECT_FALSE(world.state().handshake().takeClickSwallowed());
}

namespace {

struct PlayedTurn {
    std::vector<uint8_t> units;
    int moved = 0;
};

// Every country of the training map plays one turn from the same pool.
PlayedTurn playFirstTurns(const RandomPool& pool)
{
    testing_state::SmallWorld world(4, 4);
    GameState& s = world.state();
    std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "training.vtm", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_TRUE(s.loadMapImage(bytes.data(), bytes.size()));
    s.settings().playChime = false;
    s.settings().showIncome = false;
    s.randomPool() = pool;
    startPlay(s);
    std::vector<HexPos> start;
    for (int c = 0; c < kCountryCount; ++c)
        for (uint32_t i = 0; i < s.unitCount(c); ++i)
            start.push_back({ s.unitOf(c, int(i))->x, s.unitOf(c, int(i))->y });
    std::atomic<BYTE> stop { 0 };
    for (int c = 0; c < kCountryCount; ++c)
        if (s.country(c).controller != 0) {
            EXPECT_EQ(ComputerTurn(s, c, stop).run(), 0);
        }
    PlayedTurn played;
    size_t k = 0;
    for (int c = 0; c < kCountryCount; ++c)
        for (uint32_t i = 0; i < s.unitCount(c); ++i) {
            const UnitRecord* u = s.unitOf(c, int(i));
            const auto* raw = reinterpret_cast<const uint8_t*>(u);
            played.units.insert(played.units.end(), raw, raw + sizeof *u);
            played.moved += k < start.size() && start[k] != HexPos { u->x, u->y };
            ++k;
        }
    endPlay(s);
    return played;
}

} // namespace

TEST(ComputerTurnReplay, TheSamePoolPlaysTheSameTurns)
{
    RandomPool pool;
    pool.fill();
    const PlayedTurn first = playFirstTurns(pool);
    const PlayedTurn second = playFirstTurns(pool);
    EXPECT_GT(first.moved, 0) << "the computer moved nothing";
    EXPECT_TRUE(first.units == second.units);
}

TEST(ComputerUnitChoice, UnitProducedInsideABuildingMovesOut)
{
    TurnWorld world;
    world.placeCapital(1, 8, 3);
    world.soldier(1, 9, 7);
    const int b = world.placeTown(0, 2, 3);
    const int u = world.storeUnit(0, b);
    world.unit(0, u).fuel = 60;
    world.state().country(0).targetCountry = 1;
    EXPECT_NE(world.act(0, u), UnitChoice::None);
    EXPECT_GT(world.where(0, u).x, 2) << "it set out toward the target's capital";
    EXPECT_FALSE(world.unit(0, u).hasFlag(kUnitStored));
}

TEST(ComputerTargetCountry, NearestLiveEnemyIsChosenAndKeptUntilItDropsOut)
{
    TurnWorld world;
    GameState& s = world.state();
    s.country(2).controller = 2;
    s.country(2).inPlay = 1;
    world.placeCapital(0, 1, 1);
    world.placeCapital(1, 8, 6);
    world.placeCapital(2, 3, 2);
    world.ally(0, 2);
    EXPECT_EQ(chooseTargetCountry(s, 0), 1) << "the nearer country is an ally";
    s.country(2).allianceMask = 1u << 2;
    s.country(0).allianceMask &= uint8_t(~(1u << 2));
    EXPECT_EQ(chooseTargetCountry(s, 0), 1) << "a chosen target is kept while it is an enemy, though another is nearer";
    s.country(1).inPlay = 2;
    EXPECT_EQ(chooseTargetCountry(s, 0), 2);
    s.country(2).inPlay = 2;
    EXPECT_EQ(chooseTargetCountry(s, 0), kNoTargetCountry);
    EXPECT_EQ(packed(s.country(0).targetCountry), kNoTargetCountry);
}

TEST(ComputerUnitChoice, BadlyDamagedUnitFallsBackToABuildingThatReplenishesIt)
{
    TurnWorld world;
    const int u = world.soldier(0, 5, 3);
    const int group = unitTypeGroup(world.unit(0, u).type());
    const int type = world.town;
    world.editTerrain(type).replenishMask = uint16_t(1u << group);
    // A unit that cannot occupy has nothing better to do than to go home.
    world.editType(world.plain).flags &= uint16_t(~0x80u);
    world.placeBuilding(type, 0, 2, 3);
    world.placeCapital(1, 9, 3);
    world.state().country(0).targetCountry = 1;
    // One member of four left: the unit is worth saving.
    for (int m = 1; m < 10; ++m)
        world.unit(0, u).memberStrengths[m] = 0;
    EXPECT_EQ(world.act(0, u), UnitChoice::Retreat);
    EXPECT_EQ(world.where(0, u), (HexPos { 2, 3 }));
}

TEST(ComputerUnitChoice, WithGroundAttacksAUnitWithNoEnemyInReachShellsAKnownMine)
{
    for (int rule : { 0, 1 }) {
        TurnWorld world;
        GameState& s = world.state();
        world.setRule(kRuleGroundPointTarget, rule);
        const int u = world.soldier(0, 2, 3);
        // The gun reaches three hexes and works at a distance; the enemy is far off.
        world.gun->reach = 3;
        world.gun->flags = uint16_t(world.gun->flags | 2);
        world.soldier(1, 9, 7);
        TerrainCell& mined = *s.terrainCellAt(4, 3);
        mined.mineKind = 1;
        mined.mineCount = 2;
        mined.mineKnownMask = 1u << 0;
        const UnitChoice choice = world.act(0, u);
        if (rule == 0) {
            EXPECT_NE(choice, UnitChoice::Attack);
            EXPECT_EQ(mined.mineKind, 1) << "rule 46 off: no fire on a point";
            continue;
        }
        EXPECT_EQ(choice, UnitChoice::Attack);
        EXPECT_EQ(mined.mineKind, 0) << "the known mine was shelled away";
        EXPECT_EQ(world.where(0, u), (HexPos { 2, 3 }));
    }
}
