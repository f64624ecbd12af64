// The phase steps' own rules: income and market rate, production countdowns, fatigue, servicing, reinforcements.
#include "tests/rules/game_thread_world.h"
#include "tests/rules/missile_world.h"

#include "rules/phases.h"
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::GameThreadWorld;

namespace {

constexpr int kIncome = 120;

// Country 0's turn in the given phase of turn `turn`, with a town of income kIncome.
struct IncomeWorld : GameThreadWorld {
    explicit IncomeWorld(int turn_number)
    {
        int town = terrainOfKind(kTerrainBuilding);
        editTerrain(town).income = kIncome;
        placeBuilding(town, 0, 3, 3);
        state().mapHeader().buildingIncome = 1;
        turn().turn = uint16_t(turn_number);
        turn().currentCountry = 0;
        turn().phase = kPhaseIncome;
        state().country(0).funds = 1000;
        state().country(0).runningTotal = 1000;
    }
};

} // namespace

TEST(GameThreadIncome, AddsBuildingIncomeUpToTheCeilingFromTheSecondTurn)
{
    for (int turn : { 1, 2 }) {
        IncomeWorld world(turn);
        world.state().country(0).fundsCeiling = 1050;
        world.thread.runStep();
        EXPECT_EQ(packed(world.state().country(0).funds), turn == 1 ? 1000u : 1050u);
        EXPECT_EQ(packed(world.state().country(0).runningTotal), packed(world.state().country(0).funds)) << "only what was gained is received";
        EXPECT_EQ(world.turn().phase, kPhaseSupply);
    }
}

// In simple mode a person's income phase is explained first: the results shown meanwhile already
// count the income.
TEST(GameThreadIncome, TheResultsCountTheIncomeBeforeThePhaseIsExplained)
{
    IncomeWorld world(2);
    world.state().setMode(1);
    world.state().country(0).controller = 1;
    world.thread.runStep();
    const std::vector<LinkCall> calls = world.window.calls();
    const auto explained = std::find(calls.begin(), calls.end(), LinkCall { "explainPhase", {} });
    ASSERT_NE(explained, calls.end());
    EXPECT_NE(std::find(calls.begin(), explained, LinkCall { "refresh", { int(MainRefresh::Results) } }), explained);
}

TEST(GameThreadIncome, MarketRateMovesFromTheFourthTurnAndSpendingIsClearedEveryTurn)
{
    for (int turn : { 3, 4 }) {
        IncomeWorld world(turn);
        world.setRule(kRuleMarketRate, 1);
        world.state().country(0).productionSpent = 2000;
        world.thread.runStep();
        // 2000 × 1.7 / 120 = 28; (2800 + 300) / 4 = 775, held at 200.
        EXPECT_EQ(world.state().country(0).marketRate, turn == 3 ? 100 : 200) << "turn " << turn;
        EXPECT_EQ(packed(world.state().country(0).productionSpent), 0u);
    }
}

TEST(GameThreadIncome, MarketRateFormula)
{
    struct Case {
        uint32_t spending;
        int64_t income;
        uint8_t old_rate;
        uint8_t rate;
    };
    const Case cases[] = {
        { 0, 100, 100, 75 },
        { 0, 100, 70, 70 },
        { 1000, 0, 100, 200 },
        { 100, 0, 70, 200 },
        { 100, 170, 100, 100 },
        { 40, -5, 100, 200 },
        { 0xFFFFFFFFu, 1, 100, 200 },
        { 0xFFFFFFFFu, 0x7FFFFFFF, 100, 150 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(nextMarketRate(c.spending, c.income, c.old_rate), c.rate)
            << c.spending << " spent, " << c.income << " income, old " << int(c.old_rate);
}

TEST(GameThreadCountdown, FinishedProductionTakesAFreeHexOnlyAndLeavesStoredUnitsOffTheMap)
{
    GameThreadWorld world;
    world.setRule(kRuleProductionCount, 1);
    GameState& state = world.state();
    auto awaiting = [&](int x, int y, int turns, uint16_t extra_flags) {
        int index = world.addUnit(0, world.landType, x, y);
        world.unit(0, index).flags = uint16_t(kUnitAwaitingProduction | kUnitActed | extra_flags);
        world.unit(0, index).productionTurnsLeft = uint8_t(turns);
        return index;
    };
    int free_hex = awaiting(4, 4, 1, 0);
    int occupied = awaiting(1, 1, 1, 0);
    int stored = awaiting(6, 6, 1, kUnitStored);
    int later = awaiting(5, 5, 3, 0);
    int zero = awaiting(2, 5, 0, 0);
    world.turn().turn = 1;
    world.turn().currentCountry = 0;
    world.turn().phase = kPhaseStart;
    world.thread.runStep();

    UnitRef ref {};
    ASSERT_TRUE(state.unitRefInHex(4, 4, state.unitSlotFor(3), ref));
    EXPECT_EQ(ref.index, free_hex);
    EXPECT_FALSE(world.unit(0, free_hex).hasFlag(kUnitAwaitingProduction | kUnitActed));
    EXPECT_EQ(world.unit(0, occupied).productionTurnsLeft, 1);
    EXPECT_TRUE(world.unit(0, occupied).hasFlag(kUnitAwaitingProduction));
    EXPECT_FALSE(world.unit(0, stored).hasFlag(kUnitAwaitingProduction));
    EXPECT_FALSE(state.hexHasUnit(6, 6, state.unitSlotFor(3)));
    EXPECT_EQ(world.unit(0, later).productionTurnsLeft, 2);
    EXPECT_FALSE(world.unit(0, zero).hasFlag(kUnitAwaitingProduction)) << "a countdown of 0 is due, not 255 turns away";
    EXPECT_EQ(state.historyLog().count(), 3u);
}

TEST(GameThreadSupply, FatigueRecoversTenUnlessTheUnitWasMarked)
{
    GameThreadWorld world;
    int rested = world.placeUnit(0, world.landType, 2, 2);
    int tired = world.placeUnit(0, world.landType, 3, 2);
    int marked = world.placeUnit(0, world.landType, 4, 2);
    world.unit(0, rested).fatigue = 4;
    world.unit(0, tired).fatigue = 25;
    world.unit(0, marked).fatigue = 25;
    world.unit(0, marked).flags = kUnitNoRecovery | kUnitTurnMark100;
    world.turn().turn = 2;
    world.turn().currentCountry = 0;
    world.turn().phase = kPhaseSupply;
    world.thread.runStep();

    EXPECT_EQ(world.unit(0, rested).fatigue, 0);
    EXPECT_EQ(world.unit(0, tired).fatigue, 15);
    EXPECT_EQ(world.unit(0, marked).fatigue, 25);
    EXPECT_EQ(world.unit(0, marked).flags, 0);
    EXPECT_EQ(world.turn().phase, kPhaseReplenish);
}

TEST(GameThreadReplenish, WeaponWaitsCountDownAndReinforcementsArriveOnTheirTurn)
{
    GameThreadWorld world;
    int armed = world.placeUnit(0, world.landType, 2, 2);
    world.unit(0, armed).weaponWait[0] = 2;
    world.unit(0, armed).weaponWait[1] = 0;
    int due = world.addUnit(0, world.landType, 1, 1);
    world.unit(0, due).stateLow = 3;
    int early = world.addUnit(0, world.landType, 7, 7);
    world.unit(0, early).stateLow = 5;
    world.turn().turn = 3;
    world.turn().currentCountry = 0;
    world.turn().phase = kPhaseReplenish;
    world.thread.runStep();

    EXPECT_EQ(world.unit(0, armed).weaponWait[0], 1);
    EXPECT_EQ(world.unit(0, armed).weaponWait[1], 0);
    EXPECT_EQ(world.unit(0, due).state(), 1);
    EXPECT_NE(std::make_pair(int(world.unit(0, due).x), int(world.unit(0, due).y)), std::make_pair(1, 1))
        << "its own hex is taken by the country's first unit";
    EXPECT_EQ(world.unit(0, early).state(), 5);
    EXPECT_EQ(packed(world.state().country(0).membersAtStart), uint32_t(strengthSlotCount(world.unit(0, due))));
    EXPECT_EQ(world.turn().phase, kPhaseAction);
}

TEST(GameThreadMissiles, MissilePhaseFliesTheCountrysMissilesTurnByTurn)
{
    testing_rules::MissileWorld world;
    world.setRule(kRuleMissilePhase, 1);
    const int target = world.placeUnit(1, world.plain, 7, 1);
    ASSERT_EQ(world.launch(1, 1, 7, 1), 0);
    testing_rules::ScriptedPlayer player;
    GameThread thread(world.state(), player, StepYield::None);
    TurnBlock& turn = world.state().turnBlock();
    turn.turn = 2;
    turn.currentCountry = 0;
    turn.phase = kPhaseMissile;
    thread.runStep();
    EXPECT_EQ(hexDistance({ world.missile(0).x, world.missile(0).y }, { 7, 1 }), 3);
    EXPECT_EQ(turn.phase, kPhaseIncome);

    world.missile(0).flags &= uint16_t(~kUnitActed);
    turn.phase = kPhaseMissile;
    thread.runStep();
    EXPECT_EQ(world.missile(0).state(), 0) << "it struck from next to the target";
    EXPECT_LT(strengthTotal(world.unit(1, target)), 40);
}
