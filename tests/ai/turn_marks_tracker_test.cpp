// The per-turn marks kept after each action equal the marks laid afresh: after every action of seeded
// all-computer games (thousands of orders: moves, attacks, occupations, production arriving) on the
// sample maps and a large generated world, every hex's threat layers, area cover and per-turn word
// are compared with a full clear-and-lay of every unit's marks.
#include "rules/action_settlement.h"
#include "rules/play.h"
#include "rules/turn_marks.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "tests/ai/seeded_worlds.h"
#include "tests/rules/turn_marks_reading.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The game's settlement, checking the kept marks after each action.
class CheckingSettlement : public RulesSettlement {
public:
    CheckingSettlement(GameState& state, std::string game)
        : RulesSettlement(state), m_state(state), m_game(std::move(game))
    {
    }

    void resetHexTurnMarks() override
    {
        const unsigned rebuilds = g_turnMarkRebuilds;
        RulesSettlement::resetHexTurnMarks();
        kept += g_turnMarkRebuilds == rebuilds;
        const std::vector<uint32_t> kept = testing_rules::readTurnMarks(m_state);
        testing_rules::layTurnMarksAfresh(m_state);
        const std::vector<uint32_t> fresh = testing_rules::readTurnMarks(m_state);
        ++actions;
        if (kept != fresh && ++mismatches <= 3)
            ADD_FAILURE() << m_game << ": the kept marks differ from fresh ones after action " << actions;
    }

    int actions = 0;
    // Actions after which the marks were kept rather than rebuilt.
    int kept = 0;
    int mismatches = 0;

private:
    GameState& m_state;
    std::string m_game;
};

int playChecking(const std::vector<uint8_t>& image, unsigned seed, const std::string& game)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    EXPECT_TRUE(testing_ai::readyComputerGame(state, image, seed));
    startPlay(state);
    CheckingSettlement checking(state, game);
    testing_ai::playWithSettlement(state, checking);
    EXPECT_EQ(checking.mismatches, 0) << game;
    // Most actions keep the marks; a rebuild follows only a phase's own.
    EXPECT_GT(checking.kept * 4, checking.actions * 3) << game;
    return checking.actions;
}

} // namespace

TEST(TurnMarkTracker, KeptMarksEqualFreshOnesAfterEveryActionOnTheSampleMaps)
{
    int actions = 0;
    for (const char* name : { "training.vtm", "riverside.vts", "continent.vtm", "border.vtc", "pentagon.vtm", "octagon.vtm" })
        for (const std::vector<uint8_t>& image : testing_ai::sampleMapImages(name))
            actions += playChecking(image, 7, name);
    EXPECT_GT(actions, 2000);
}

TEST(TurnMarkTracker, KeptMarksEqualFreshOnesAfterEveryActionOnALargeWorld)
{
    EXPECT_GT(playChecking(testing_ai::largeWorldBytes({ 64, 8, 18, 21 }, 6), 9, "64x8"), 500);
}
