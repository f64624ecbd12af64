// Campaign progress: the stage row's next map, and who won or lost.
#include "tests/state/small_world.h"

#include "state/campaign_progress.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using testing_state::SmallWorld;

class ResultsWorld : public SmallWorld {
public:
    ResultsWorld()
        : SmallWorld(4, 4)
    {
        for (int c = 0; c < kCountryCount; ++c)
            state().country(c).controller = 0;
        state().turnBlock().currentCountry = 9;
    }
    // A country in the game: controller 1 a person, 2 the computer.
    void join(int c, int controller, uint16_t outcome, uint16_t status = 1)
    {
        CountryRecord& country = state().country(c);
        country.controller = uint8_t(controller);
        country.inPlay = status;
        country.outcome = outcome;
    }
    void campaign(int player, int stage = 1)
    {
        state().campaignBlock().campaignFlag = 1;
        state().campaignBlock().playerCountry = uint8_t(player);
        state().campaignBlock().currentStage = uint8_t(stage);
    }
    uint8_t* row(int stage) { return state().campaignBlock().stageRows[stage - 1]; }
};

TEST(CampaignResults, PlayerOutOfPlayHasLostEvenUndecided)
{
    ResultsWorld world;
    world.join(2, 1, 0, 2);
    world.join(3, 2, 3);
    world.campaign(2);
    GameState& s = world.state();
    EXPECT_FALSE(hasCampaignPlayerWon(s));
    EXPECT_TRUE(hasCampaignPlayerLost(s));
    EXPECT_EQ(resultCountry(s), 2);
    EXPECT_TRUE(hasPlayerLost(s));

    // Still in play and undecided: neither.
    world.join(2, 1, 100, 1);
    EXPECT_FALSE(hasCampaignPlayerWon(s));
    EXPECT_FALSE(hasCampaignPlayerLost(s));
    // A victory outcome counts only while the country is still in play.
    world.join(2, 1, 3, 1);
    EXPECT_TRUE(hasPlayerWon(s));
    EXPECT_FALSE(hasPlayerLost(s));
    world.join(2, 1, 3, 2);
    EXPECT_FALSE(hasPlayerWon(s));
    world.join(2, 0, 0, 0);
    EXPECT_TRUE(hasCampaignPlayerLost(s)) << "a player country not in the game";
}

TEST(CampaignResults, OutsideACampaignPicksTheResultCountryByOutcome)
{
    ResultsWorld world;
    GameState& s = world.state();
    EXPECT_EQ(resultCountry(s), -1);
    EXPECT_FALSE(hasPlayerWon(s));
    world.join(0, 2, 3);
    world.join(1, 1, 103);
    world.join(4, 1, 100);
    world.join(5, 1, 0);
    // Two undecided people: the first of them.
    EXPECT_EQ(resultCountry(s), 4);
    EXPECT_FALSE(hasPlayerWon(s));
    EXPECT_FALSE(hasPlayerLost(s));
    world.join(6, 1, 4);
    EXPECT_EQ(resultCountry(s), 6);
    EXPECT_TRUE(hasPlayerWon(s));
    // The person whose turn it is comes first, whatever the others did.
    s.turnBlock().currentCountry = 1;
    EXPECT_EQ(resultCountry(s), 1);
    EXPECT_TRUE(hasPlayerLost(s));
    // Only computers: the first country in the game.
    ResultsWorld machines;
    machines.join(3, 2, 103);
    machines.join(5, 2, 4);
    EXPECT_EQ(resultCountry(machines.state()), 3);
}

TEST(CampaignStageRow, PicksTheMapForEachEnd)
{
    ResultsWorld world;
    world.join(0, 1, 3);
    world.campaign(0, 2);
    uint8_t* row = world.row(2);
    row[0] = kCampaignGoToMap;
    row[kStageRowTargetOffset] = 7;
    row[1] = kCampaignRepeatMap;
    row[2] = kCampaignEnds;
    GameState& s = world.state();
    EXPECT_EQ(campaignNextMapIndex(s), 7);
    world.join(0, 1, 0);
    EXPECT_EQ(campaignNextMapIndex(s), 1) << "undecided plays stage 2's map again";
    world.join(0, 1, 103);
    EXPECT_EQ(campaignNextMapIndex(s), -1);
    // A target past the file's 50 maps ends the campaign instead of naming a map.
    world.join(0, 1, 3);
    row[kStageRowTargetOffset] = kCampaignMapCount;
    EXPECT_EQ(campaignNextMapIndex(s), -1);
    s.campaignBlock().currentStage = 0;
    EXPECT_EQ(campaignNextMapIndex(s), -1);
    s.campaignBlock().currentStage = 2;
    s.campaignBlock().campaignFlag = 0;
    EXPECT_EQ(campaignNextMapIndex(s), -1);

    // The maps a start checks: from map 0 the rows lead to 7, and from 7 to itself and to 1.
    CampaignRecord record {};
    for (auto [map, outcome, action, target] : { std::array { 0, 0, 3, 7 }, { 7, 1, 2, 0 }, { 7, 2, 3, 1 }, { 1, 0, 3, 50 } }) {
        record.stageRows[map][outcome] = uint8_t(action);
        record.stageRows[map][kStageRowTargetOffset + outcome] = uint8_t(target);
    }
    EXPECT_EQ(reachableCampaignMaps(record), (std::vector<int> { 0, 7, 1 }));
}

} // namespace
