// Turn statistics and the computer turn's progress count.
#include "state/game_state.h"

#include "tests/state/small_world.h"

#include <gtest/gtest.h>

using testing_state::SmallWorld;

namespace {

int firstAvailableType(GameState& state)
{
    for (const UnitTypeRecord& type : state.unitTypes())
        if (type.available)
            return type.id;
    return 0;
}

} // namespace

TEST(TurnStats, IncomeFollowsBuildingsChangingHandsInTheLastRecordOnly)
{
    SmallWorld world(6, 6);
    GameState& state = world.state();
    int building = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(building, 0);
    world.editTerrain(building).income = 30;
    // Before the first record nothing is kept anywhere.
    state.statsAddIncome(1, building);
    state.computeTurnStats();
    state.appendTurnStats(TurnStatsRecord {});
    state.appendTurnStats(TurnStatsRecord {});

    state.statsAddIncome(3, building);
    state.statsAddIncome(3, building);
    state.statsSubtractIncome(3, building);
    state.statsAddIncome(1, building);
    // An ownerless building books nothing; a type outside land.dat adds nothing.
    state.statsAddIncome(0, building);
    state.statsAddIncome(4, 100000);

    const TurnStatsRecord& last = *state.turnStatsAt(1);
    EXPECT_EQ(last.country[2].income, 30u);
    EXPECT_EQ(last.country[0].income, 30u);
    EXPECT_EQ(last.country[3].income, 0u);
    EXPECT_EQ(state.turnStatsAt(0)->country[2].income, 0u);
    EXPECT_EQ(state.turnStatsAt(0)->country[0].income, 0u);
    EXPECT_EQ(state.turnStatsAt(2), nullptr);
}

TEST(TurnStats, DamageIsBookedForCountriesOnlyWithTheValueLost)
{
    SmallWorld world(6, 6);
    GameState& state = world.state();
    int type_id = firstAvailableType(state);
    ASSERT_NE(type_id, 0);
    UnitTypeRecord& type = world.editType(type_id);
    type.members = 4;
    type.memberPrice = 25;
    state.appendTurnStats(TurnStatsRecord {});

    state.statsAddDamageDealt(1, 70);
    state.statsAddDamageTaken(2, type_id, 70, 3);
    // 4 x 25 x 3 / 10 = 30; then 4 x 25 x 1 / 10 = 10.
    state.statsAddDamageTaken(2, type_id, 5, 1);
    state.statsAddDamageTaken(8, type_id, 40, 2);
    state.statsAddDamageDealt(8, 40);

    const TurnStatsRecord& record = *state.turnStatsAt(0);
    EXPECT_EQ(record.country[1].damageDealt, 70u);
    EXPECT_EQ(record.country[2].damageTaken, 75u);
    EXPECT_EQ(record.country[2].valueLost, 40u);

    // A dear type's members times its price does not wrap at 32 bits.
    type.members = 10;
    type.memberPrice = 1000000000;
    state.statsAddDamageTaken(0, type_id, 1, 1);
    EXPECT_EQ(state.turnStatsAt(0)->country[0].valueLost, 1000000000u);
}

// The board's figures replace what the record held, as at the end of a game whose last turn took
// buildings: the graphs end where the country table stands.
TEST(TurnStats, BoardFiguresOnlyForCountriesTakingPart)
{
    SmallWorld world(6, 6);
    GameState& state = world.state();
    int type_id = firstAvailableType(state);
    UnitTypeRecord& type = world.editType(type_id);
    type.members = 2;
    type.memberPrice = 50;
    for (int c : { 0, 1 }) {
        state.country(c).controller = 2;
        state.country(c).inPlay = 1;
        world.addUnit(c, type_id, 1, 1);
        world.addUnit(c, type_id, 2, 1);
        world.placeBuilding(world.terrainOfKind(kTerrainBuilding), c, 3, c);
    }
    state.country(1).inPlay = 0;
    TurnStatsRecord stale {};
    stale.country[0].threadValue = 6;
    stale.country[0].income = 180;
    stale.country[1].unitCount = 9;
    stale.country[1].threadValue = 1;
    state.appendTurnStats(stale);
    state.computeTurnStats();

    const TurnStatsRecord& record = *state.turnStatsAt(0);
    EXPECT_EQ(record.country[0].unitCount, 2u);
    EXPECT_EQ(record.country[0].forces, 200u);
    EXPECT_EQ(record.country[0].threadValue, 1u);
    EXPECT_EQ(record.country[0].income, 0u) << "the map pays no income";
    EXPECT_EQ(record.country[1].unitCount, 0u);
    EXPECT_EQ(record.country[1].forces, 0u);
    EXPECT_EQ(record.country[1].threadValue, 0u);
}

TEST(TurnProgress, FiftyUnitsReportEveryFourPercentAndEndAtHundred)
{
    SmallWorld world(6, 6);
    GameState& state = world.state();
    int type_id = firstAvailableType(state);
    for (int i = 0; i < 50; ++i)
        world.addUnit(2, type_id, 1, 1);
    state.startTurnProgress(2);
    EXPECT_EQ(state.turnProgress().total, 50u);
    EXPECT_EQ(state.turnProgress().done, 0u);

    std::vector<int> reported;
    for (int i = 0; i < 50; ++i)
        if (int percent = state.advanceTurnProgress(); percent >= 0)
            reported.push_back(percent);
    ASSERT_EQ(reported.size(), 25u);
    EXPECT_EQ(reported.front(), 4);
    EXPECT_EQ(reported.back(), 100);
    EXPECT_EQ(state.advanceTurnProgress(), -1);
}

TEST(TurnProgress, CountsUnitsThatActedAlreadyAndNeverStepsAnEmptyTurn)
{
    SmallWorld world(6, 6);
    GameState& state = world.state();
    state.startTurnProgress(3);
    EXPECT_EQ(state.advanceTurnProgress(), -1);
    EXPECT_EQ(state.turnProgress().done, 0u);

    int type_id = firstAvailableType(state);
    for (int i = 0; i < 4; ++i)
        world.addUnit(3, type_id, 1, 1);
    world.unit(3, 0).flags |= kUnitActed;
    world.unit(3, 1).flags |= kUnitActed | kUnitAwaitingProduction;
    state.startTurnProgress(3);
    EXPECT_EQ(state.turnProgress().total, 4u);
    EXPECT_EQ(state.turnProgress().done, 1u);
    EXPECT_EQ(state.advanceTurnProgress(), 50);
}
