// The end-of-game scores as a plain function of the game: the rank table, the worked overall
// figures, the dashes of a game not won, and the rates that leave the table or divide by zero.
#include "dialogs/evaluation_scores.h"

#include "state/game_state.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class EvaluationFigures : public ::testing::Test {
protected:
    EvaluationFigures()
    {
        setTurnLimit(40);
        s.turnBlock().turn = 20;
        CountryRecord& red = s.country(0);
        red.controller = 1;
        red.inPlay = 1;
        red.allianceMask = 0x01;
        red.runningTotal = 1000;
        red.fundsSpent = 500;
        // Ten members in the field now, all that started.
        red.membersAtStart = 10;
        red.extraMembers = 10;
        const int city = world.terrainOfKind(13);
        world.placeBuilding(city, 0, 1, 1);
        world.placeBuilding(city, 0, 2, 1);
        world.placeBuilding(city, 1, 3, 1);
        world.placeBuilding(city, -1, 4, 1);
    }
    void setTurnLimit(uint16_t limit) { s.mapHeader().turnLimit = limit; }
    EvaluationScores won() { return computeEvaluationScores(s, 0, 0); }

    testing_state::SmallWorld world { 8, 8 };
    GameState& s = world.state();
};

} // namespace

TEST(EvaluationRanks, RatesFallIntoTheTableAndPastItsEnds)
{
    const std::pair<int64_t, int> cases[] = { { 0, 0 }, { 39, 0 }, { 40, 1 }, { 49, 1 }, { 50, 2 }, { 69, 3 }, { 70, 4 },
        { 79, 4 }, { 80, 5 }, { 109, 5 }, { 110, 5 }, { 250, 5 }, { -1, 0 }, { -400, 0 } };
    for (auto [rate, rank] : cases)
        EXPECT_EQ(rankOf(rate), rank) << "rate " << rate;
    EXPECT_EQ(rankPoints(0), 0);
    EXPECT_EQ(rankPoints(1), 20);
    EXPECT_EQ(rankPoints(5), 100);
}

TEST_F(EvaluationFigures, FiguresAndRatesOfEachGroup)
{
    const EvaluationScores e = won();
    EXPECT_EQ(e.turnLimit, 40);
    EXPECT_EQ(e.turnsUsed, 20);
    EXPECT_EQ(e.turnsLeft, 20);
    EXPECT_EQ(e.turnRate, 50);
    EXPECT_EQ(e.fundsTotal, 1000);
    EXPECT_EQ(e.fundsLeft, 500);
    EXPECT_EQ(e.fundsRate, 50);
    EXPECT_EQ(e.membersNow, 10);
    EXPECT_EQ(e.forcesRate, 100);
    EXPECT_EQ(e.buildingsTotal, 4);
    EXPECT_EQ(e.buildingsOther, 2) << "the unowned building and the other country's";
    EXPECT_EQ(e.buildingsHeld, 2);
    EXPECT_EQ(e.territoryRate, 50);
    // 40 + 40 + 100 + 40 points.
    EXPECT_EQ(e.overall, 55);
    EXPECT_EQ(e.figure(1, 2), 500);
    EXPECT_EQ(e.rate(3), 50);
}

TEST_F(EvaluationFigures, WorkedOverallFigures)
{
    // Four top ranks: nothing spent, every building held by the alliance, all members, no turn used.
    CountryRecord& red = s.country(0);
    red.fundsSpent = 0;
    red.allianceMask = 0x03;
    s.buildings()[3].ownerPlusOne = 1;
    s.turnBlock().turn = 0;
    EvaluationScores e = won();
    EXPECT_EQ(e.fundsRate, 100) << "nothing spent";
    EXPECT_EQ(e.overall, 100);
    EXPECT_EQ(rankOf(e.overall), 5);

    // Ranks 5, 5, 5 and 0: every turn used.
    s.turnBlock().turn = 60;
    e = won();
    EXPECT_EQ(e.turnsUsed, 40) << "the turns used stop at the limit";
    EXPECT_EQ(e.turnRate, 0);
    EXPECT_EQ(e.overall, 75);
    EXPECT_EQ(rankOf(e.overall), 4);

    // Rates of 39 and 40 on either side of the first rank: 1000 - 610 left of 1000, then 1000 - 600.
    red.fundsSpent = 610;
    EXPECT_EQ(rankOf(won().fundsRate), 0);
    red.fundsSpent = 600;
    EXPECT_EQ(rankOf(won().fundsRate), 1);
}

TEST_F(EvaluationFigures, AGameNotWonShowsDashesEverywhere)
{
    for (int kind : { 1, 2 }) {
        const EvaluationScores e = computeEvaluationScores(s, kind, 0);
        for (int group = 0; group < 4; ++group) {
            for (int row = 0; row < 3; ++row)
                EXPECT_EQ(e.figure(group, row), -1);
            EXPECT_EQ(e.rate(group), -1);
        }
        EXPECT_EQ(e.overall, -1);
    }
}

TEST_F(EvaluationFigures, RatesOutsideTheTableAreHeldToItsEnds)
{
    CountryRecord& red = s.country(0);
    // Reinforcements: more members now than at the start.
    red.extraMembers = 40;
    // More spent than obtained.
    red.fundsSpent = 1700;
    const EvaluationScores e = won();
    EXPECT_EQ(e.forcesRate, kHighestRate);
    EXPECT_EQ(e.fundsLeft, -700);
    EXPECT_EQ(e.fundsRate, 0);
    EXPECT_EQ(rankOf(e.fundsRate), 0);
}

TEST_F(EvaluationFigures, NoTurnLimitNoBuildingsAndNoMembersGiveRateZero)
{
    setTurnLimit(0);
    s.buildings().clear();
    CountryRecord& red = s.country(0);
    red.membersAtStart = 0;
    red.runningTotal = 0;
    red.fundsSpent = 5;
    const EvaluationScores e = won();
    EXPECT_EQ(e.turnRate, 0);
    EXPECT_EQ(e.territoryRate, 0);
    EXPECT_EQ(e.forcesRate, 0);
    EXPECT_EQ(e.fundsRate, 0);
    EXPECT_EQ(e.overall, 0);
}
