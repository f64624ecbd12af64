// The game thread's phase order, turn order, turn limit, neutral turn and the end of a game.
#include "tests/rules/game_thread_world.h"

#include "rules/victory.h"
#include "state/game_state.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <utility>

using testing_rules::GameThreadWorld;

namespace {

// (side, phase) before each step until the turn number passes `until`.
std::vector<std::pair<int, int>> stepsUntilTurn(GameThreadWorld& world, int until)
{
    std::vector<std::pair<int, int>> steps;
    for (int guard = 0; guard < 500 && world.turn().turn <= until && !world.thread.stopRequested(); ++guard) {
        if (world.turn().turn > 0)
            steps.emplace_back(world.turn().currentCountry, world.turn().phase);
        world.thread.runStep();
    }
    return steps;
}

std::vector<std::pair<int, int>> countryPhases(int side)
{
    std::vector<std::pair<int, int>> phases;
    for (int phase = 0; phase < 8; ++phase)
        phases.emplace_back(phase == 0 ? kNoSide : side, phase);
    return phases;
}

} // namespace

TEST(GameThreadPhases, EachCountryRunsTheEightPhasesInTurnOrderAndTheNeutralSideActsLast)
{
    GameThreadWorld world;
    world.placeUnit(kNeutralSide, world.landType, 5, 4);
    std::vector<std::pair<int, int>> steps = stepsUntilTurn(world, 1);

    std::vector<std::pair<int, int>> expected = countryPhases(0);
    for (int phase = 0; phase < 8; ++phase)
        expected.emplace_back(1, phase);
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(world.player.turns, (std::vector<int> { 0, 1, kNeutralSide }));
    EXPECT_EQ(world.player.productions, (std::vector<int> { 0, 1 }));
    EXPECT_EQ(world.player.knownLayers, (std::vector<int> { kNeutralSide }));
    EXPECT_EQ(world.turn().turn, 2);
    EXPECT_EQ(world.turn().currentCountry, kNoSide);
    // Two records before the first country: the game's start and the turn's start.
    EXPECT_EQ(world.state().turnStatsCount(), 2u);
}

TEST(GameThreadPhases, NeutralSideWithoutLiveUnitsDoesNotAct)
{
    GameThreadWorld world;
    stepsUntilTurn(world, 2);
    EXPECT_EQ(world.player.turns, (std::vector<int> { 0, 1, 0, 1 }));
}

TEST(GameThreadPhases, InterruptedComputerTurnRunsTheActionPhaseAgain)
{
    GameThreadWorld world;
    world.player.results[0] = { 2, 4 };
    stepsUntilTurn(world, 1);
    EXPECT_EQ(world.player.turns, (std::vector<int> { 0, 0, 0, 1 }));
}

TEST(GameThreadPhases, InterruptedNeutralTurnResumesWithoutStoppingTheThread)
{
    GameThreadWorld world;
    world.placeUnit(kNeutralSide, world.landType, 5, 4);
    world.player.results[kNeutralSide] = { 3 };
    for (int guard = 0; guard < 100 && world.player.turns.size() < 3; ++guard)
        world.thread.runStep();
    EXPECT_FALSE(world.thread.stopRequested());
    EXPECT_EQ(world.turn().currentCountry, kNeutralSide);
    EXPECT_EQ(world.turn().phase, kPhaseAction);

    world.thread.runStep();
    EXPECT_EQ(world.player.turns.back(), kNeutralSide);
    EXPECT_EQ(world.turn().turn, 2);
    EXPECT_EQ(world.turn().currentCountry, kNoSide);
    EXPECT_EQ(world.turn().phase, kPhaseStart);
}

TEST(GameThreadPhases, SideOrPhaseOutsideTheTablesStartsAgain)
{
    GameThreadWorld world;
    world.thread.runStep();
    world.turn().currentCountry = 200;
    world.turn().phase = kPhaseIncome;
    world.thread.runStep();
    EXPECT_EQ(world.turn().currentCountry, 0);
    EXPECT_EQ(world.turn().phase, kPhaseMissile);
    // A phase with no step starts the country's part again rather than running nothing forever.
    for (uint16_t phase : { 8, 65535 }) {
        world.turn().phase = phase;
        world.thread.runStep();
        EXPECT_EQ(world.turn().currentCountry, 0);
        EXPECT_EQ(world.turn().phase, kPhaseStart) << phase;
    }
}

TEST(GameThreadEnd, TurnLimitGivesTheTurnLimitOutcomesAndEndsTheThread)
{
    GameThreadWorld world(2);
    GameState& state = world.state();
    state.country(2).controller = 2;
    state.country(2).inPlay = 1;
    state.country(2).outcome = 100;
    state.country(0).turnLimitResult = 1;
    state.country(1).turnLimitResult = 2;
    state.country(3).turnLimitResult = 1;
    world.thread.Run();

    EXPECT_TRUE(world.thread.stopRequested());
    EXPECT_TRUE(world.thread.gameOver());
    EXPECT_EQ(world.turn().turn, 3);
    EXPECT_EQ(packed(state.country(0).outcome), kOutcomeTurnLimitVictory);
    EXPECT_EQ(packed(state.country(1).outcome), kOutcomeTurnLimitDefeat);
    EXPECT_EQ(packed(state.country(2).outcome), 100) << "turn-limit byte 0 keeps the outcome";
    EXPECT_EQ(packed(state.country(3).outcome), 0) << "a country out of play keeps its outcome";
    EXPECT_EQ(world.window.callsOf("endOfGameStep").size(), 1u);
    EXPECT_EQ(world.player.turns.size(), 6u);
    EXPECT_EQ(world.window.callsOf("refreshTerrainWindows").back().args, (std::vector<int64_t> { 1 }));
}

TEST(GameThreadEnd, NoCountryLeftInPlayDecidesTheGameWithoutAWinner)
{
    GameThreadWorld world;
    world.thread.runStep();
    world.state().country(0).inPlay = kCountryOut;
    world.state().country(1).inPlay = kCountryOut;
    world.thread.runStep();

    EXPECT_EQ(world.turn().decided, 1);
    EXPECT_TRUE(world.thread.stopRequested());
    EXPECT_EQ(world.turn().currentCountry, kNoSide);
    EXPECT_EQ(winnerCountry(world.state()), -1);
    EXPECT_TRUE(world.player.turns.empty());
}

TEST(GameThreadOrder, LastCountryOfATurnNeverActsFirstInTheNext)
{
    GameThreadWorld world;
    for (int c = 0; c < 4; ++c)
        world.state().country(c).controller = 2, world.state().country(c).inPlay = 1;
    world.setRule(kRuleRandomOrder, 1);
    world.setRule(kRuleSameCampInRow, 0);
    world.state().randomPool().fill();
    for (int round = 0; round < 200; ++round) {
        for (int i = 0; i < kCountryCount; ++i)
            world.turn().order[i] = uint8_t((i + round) % kCountryCount);
        world.thread.prepareNextTurnOrder();
        int last = -1, first = -1;
        for (int i = 0; i < kCountryCount; ++i) {
            if (world.turn().order[i] < 4)
                last = world.turn().order[i];
            if (first < 0 && world.turn().nextOrder[i] < 4)
                first = world.turn().nextOrder[i];
        }
        ASSERT_NE(first, last) << "round " << round;
    }
}

TEST(GameThreadCampaign, EndOfAStageChoosesTheRowsMapAndCarriesThePlayersUnitsOver)
{
    GameThreadWorld world;
    GameState& state = world.state();
    CampaignBlock& campaign = state.campaignBlock();
    campaign.campaignFlag = 1;
    campaign.playerCountry = 0;
    campaign.currentStage = 2;
    campaign.stageRows[1][0] = 3;
    campaign.stageRows[1][3] = 7;
    state.country(0).outcome = kOutcomeVictory;
    world.thread.endOfGame();

    EXPECT_EQ(state.nextCampaignStage(), 7);
    EXPECT_GT(state.carryOverCount(), 0u);
    EXPECT_TRUE(world.thread.stopRequested());
    EXPECT_EQ(world.window.callsOf("endOfGameStep").size(), 1u);
}

TEST(GameThreadCampaign, StoppingPlayNeverLoadsAMapChosenBefore)
{
    GameThreadWorld world;
    world.state().nextCampaignStage() = 2;
    world.thread.stopFlag() = 1;
    world.thread.Run();
    EXPECT_EQ(world.state().nextCampaignStage(), -1);
    EXPECT_TRUE(world.window.callsOf("afterGame").empty());
    EXPECT_TRUE(world.window.messages().empty());
}
