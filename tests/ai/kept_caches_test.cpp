// The caches the rules keep between actions equal fresh ones after every action of seeded
// all-computer games (moves, attacks, losses, captures, production arriving) on the sample maps and a
// large generated world: the turn marks (threat layers, area cover, per-turn word), every bit of every
// layer of the sight, laid in turn each of its three ways, and the unit places.
#include "rules/play.h"
#include "state/game_state.h"
#include "tests/ai/seeded_worlds.h"
#include "tests/rules/kept_caches_check.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Played {
    int actions = 0;
    int marksKept = 0;
    int sightChecks = 0;
    int sightKept = 0;

    void add(const testing_rules::CheckingSettlement& s)
    {
        actions += s.actions, marksKept += s.marksKept, sightChecks += s.sightChecks, sightKept += s.sightKept;
    }
    // Most actions keep the marks, a rebuild following only a phase's own; a lay of the sight in full
    // follows only a new map, a change of day and night, or a new phase.
    void expectMostKept() const
    {
        EXPECT_GT(marksKept * 4, actions * 3);
        EXPECT_GT(sightKept * 10, sightChecks * 9);
    }
};

void playChecking(const std::vector<uint8_t>& image, unsigned seed, const std::string& game, bool layered, Played& played)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    EXPECT_TRUE(testing_ai::readyComputerGame(state, image, seed));
    state.ruleBlock().switches[kRuleSearch] = 1;
    state.ruleBlock().switches[kRuleSightLayers] = layered ? 1 : 0;
    startPlay(state);
    testing_rules::CheckingSettlement checking(state, game);
    testing_ai::playWithSettlement(state, checking);
    EXPECT_EQ(checking.mismatches, 0) << game;
    played.add(checking);
}

} // namespace

TEST(KeptCaches, EqualFreshOnesAfterEveryActionOfComputerGamesOnTheSampleMaps)
{
    Played played;
    bool layered = false;
    for (const char* name : { "training.vtm", "riverside.vts", "continent.vtm", "border.vtc", "pentagon.vtm", "octagon.vtm" })
        for (const std::vector<uint8_t>& image : testing_ai::sampleMapImages(name)) {
            // Every other game with layered sight, where each layer has its own ranges.
            playChecking(image, 7, name, layered, played);
            layered = !layered;
        }
    EXPECT_GT(played.actions, 2000);
    played.expectMostKept();
}

TEST(KeptCaches, EqualFreshOnesAfterEveryActionOfAComputerGameOnALargeWorld)
{
    Played played;
    playChecking(testing_ai::largeWorldBytes({ 64, 8, 18, 21 }, 6), 9, "64x8", false, played);
    EXPECT_GT(played.actions, 500);
    played.expectMostKept();
}
