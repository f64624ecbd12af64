// The sight kept between lays equals the sight laid in full: after every action of seeded
// all-computer games (moves, attacks, losses, captures, production arriving) on the sample maps and a
// large generated world, each of the three ways of laying sight is made on a copy of the sight map
// in full and on the game's own map by the kept sight, and every bit of every layer is compared.
#include "rules/action_settlement.h"
#include "rules/fog.h"
#include "rules/play.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "tests/ai/seeded_worlds.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool sameBits(const FogMap& a, const FogMap& b)
{
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        for (int y = 0; y < int(a.height()); ++y)
            for (int x = 0; x < int(a.width()); ++x)
                if (a.cell(x, y, layer) != b.cell(x, y, layer))
                    return false;
    return true;
}

// The game's settlement, laying sight once more after each action, in turn each way.
class CheckingSettlement : public RulesSettlement {
public:
    CheckingSettlement(GameState& state, std::string game)
        : RulesSettlement(state), m_state(state), m_game(std::move(game))
    {
    }

    void resetHexTurnMarks() override
    {
        check();
        RulesSettlement::resetHexTurnMarks();
    }

    int checks = 0;
    // Lays made on the sight kept from the lay before, rather than in full.
    int kept = 0;
    int mismatches = 0;

private:
    void check()
    {
        FogMap* fog = m_state.fogMap();
        if (!fog || m_state.ruleSwitch(kRuleSearch) == 0)
            return;
        const SightLay lay = SightLay(checks % 3);
        ++checks;
        kept += rulesContext(m_state).sight.keeps(m_state);
        FogMap fresh(*fog);
        laySightInFull(m_state, fresh, lay);
        if (lay == SightLay::Rebuild)
            rebuildSightMaps(m_state);
        else if (lay == SightLay::All)
            updateVisibilityAll(m_state);
        else
            updateVisibilityAfterAction(m_state);
        if (!sameBits(fresh, *fog) && ++mismatches <= 3)
            ADD_FAILURE() << m_game << ": the kept sight differs from sight laid in full at check " << checks
                          << " (lay " << int(lay) << ")";
    }

    GameState& m_state;
    std::string m_game;
};

struct Played {
    int checks = 0;
    int kept = 0;
};

Played playChecking(const std::vector<uint8_t>& image, unsigned seed, const std::string& game, bool layered)
{
    testing_state::SmallWorld world(4, 4);
    GameState& state = world.state();
    EXPECT_TRUE(testing_ai::readyComputerGame(state, image, seed));
    state.ruleBlock().switches[kRuleSearch] = 1;
    state.ruleBlock().switches[4] = layered ? 1 : 0;
    startPlay(state);
    CheckingSettlement checking(state, game);
    testing_ai::playWithSettlement(state, checking);
    EXPECT_EQ(checking.mismatches, 0) << game;
    return { checking.checks, checking.kept };
}

} // namespace

TEST(SightTracker, KeptSightEqualsSightLaidInFullAfterEveryActionOnTheSampleMaps)
{
    Played all;
    bool layered = false;
    for (const char* name : { "training.vtm", "riverside.vts", "continent.vtm", "border.vtc", "pentagon.vtm", "octagon.vtm" })
        for (const std::vector<uint8_t>& image : testing_ai::sampleMapImages(name)) {
            // Every other game with layered sight, where each layer has its own ranges.
            const Played played = playChecking(image, 7, name, layered);
            layered = !layered;
            all.checks += played.checks;
            all.kept += played.kept;
        }
    EXPECT_GT(all.checks, 2000);
    // A lay in full follows only a new map, a change of day and night, or a new phase.
    EXPECT_GT(all.kept * 10, all.checks * 9);
}

TEST(SightTracker, KeptSightEqualsSightLaidInFullAfterEveryActionOnALargeWorld)
{
    const Played played = playChecking(testing_ai::largeWorldBytes({ 64, 8, 18, 21 }, 6), 9, "64x8", false);
    EXPECT_GT(played.checks, 500);
    EXPECT_GT(played.kept * 10, played.checks * 9);
}
