// Saved games through the rules engine: a resumed game plays on as the unsaved one, view and sight.
#include "rules/saved_game_rules.h"

#include "ai/computer_players.h"
#include "rules/combat.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "rules/fog.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/turn_marks.h"
#include "state/action_history.h"
#include "state/data_path.h"
#include "state/sight_maps.h"
#include "tests/rules/combat_world.h"
#include "tests/rules/fog_world.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using testing_rules::CombatWorld;

std::string programPath(const char* name) { return dataPath(name, kFolderProgram); }

struct OpenMapOverTheFight : testing_rules::OpenMapWindow {
    HexView visibleHexRange() const override { return { 3, 2, 10, 8, 40, 6 }; }
    int zoom() const override { return 2; }
};

TEST(SavedGameContinuation, ResumedGameFightsTheSameEngagementAsTheUnsavedOne)
{
    CombatWorld world;
    GameState& s = world.state();
    s.settings().writeHistory = true;
    s.randomPool().fill();
    int attacker = world.placeUnit(0, world.plain, 2, 2);
    int defender = world.placeUnit(1, world.other, 3, 2);
    // What loading rebuilds is made current first, so both games start from the same marks.
    rebuildSightMaps(s);
    resetHexTurnMarks(s);
    s.random(0, 99);
    ASSERT_TRUE(saveGame(s, programPath("mid.dat").c_str(), false));

    auto fight = [&](const char* name) {
        world.engage(0, attacker, 1, defender);
        resolveCombat(s);
        EXPECT_TRUE(saveGame(s, programPath(name).c_str(), false));
    };
    fight("unsaved.dat");
    ASSERT_TRUE(loadGame(s, programPath("mid.dat").c_str()));
    fight("resumed.dat");

    EXPECT_FALSE(world.read("unsaved.dat") == world.read("mid.dat")) << "the engagement changed the game";
    EXPECT_TRUE(world.read("unsaved.dat") == world.read("resumed.dat"));
    EXPECT_GT(s.historyLog().count(), 0u);
    EXPECT_TRUE(world.read("unsaved.hat") == world.read("resumed.hat"));
}

// The history and turn statistics of a headless game played on from its current step to its end,
// which is saved as end_save.
std::vector<uint8_t> playToTheEnd(GameState& state, const char* end_save)
{
    AiComputerPlayer player;
    GameThread thread(state, player, StepYield::None);
    for (int step = 0; step < 20000 && !thread.gameOver(); ++step)
        thread.runStep();
    EXPECT_TRUE(thread.gameOver());
    EXPECT_TRUE(saveGame(state, programPath(end_save).c_str(), false));
    std::vector<uint8_t> bytes;
    auto append = [&](const void* p, size_t n) { bytes.insert(bytes.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n); };
    for (uint32_t i = 0; i < state.historyLog().count(); ++i)
        append(&state.historyLog().record(i), sizeof(HistoryRecord));
    for (size_t i = 0; i < state.turnStatsCount(); ++i)
        append(state.turnStatsAt(i), sizeof(TurnStatsRecord));
    return bytes;
}

TEST(SavedGameContinuation, GameSavedInTheMiddleOfATurnPlaysOnToTheSameHistory)
{
    testing_state::SmallWorld world(4, 4);
    GameState& s = world.state();
    std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / "continent.vtm", std::ios::binary);
    std::vector<uint8_t> map((std::istreambuf_iterator<char>(in)), {});
    ASSERT_TRUE(s.loadMapImage(map.data(), map.size()));
    for (int c = 0; c < kCountryCount; ++c)
        if (s.country(c).controller != 0)
            s.country(c).controller = 2;
    s.settings().playChime = false;
    s.settings().showIncome = false;
    s.settings().writeHistory = true;
    s.randomPool().fill();
    startPlay(s);
    {
        AiComputerPlayer player;
        GameThread thread(s, player, StepYield::None);
        for (int step = 0; step < 5000 && !(s.turnBlock().turn == 2 && s.turnBlock().phase == kPhaseAction && s.turnBlock().currentCountry < 8); ++step)
            thread.runStep();
        ASSERT_EQ(s.turnBlock().turn, 2);
    }
    ASSERT_TRUE(saveGame(s, programPath("mid.dat").c_str(), false));
    std::vector<uint8_t> unsaved = playToTheEnd(s, "unsaved.dat");

    // As the resume command does: play ends, the save is loaded, play starts again.
    endPlay(s);
    ASSERT_TRUE(loadGame(s, programPath("mid.dat").c_str()));
    startPlay(s);
    std::vector<uint8_t> resumed = playToTheEnd(s, "resumed.dat");
    EXPECT_GT(unsaved.size(), 0u);
    EXPECT_TRUE(unsaved == resumed) << unsaved.size() << " bytes unsaved, " << resumed.size() << " resumed";
    EXPECT_TRUE(world.read("unsaved.dat") == world.read("resumed.dat")) << "the games end in different states";
    endPlay(s);
}

TEST(SavedGameRules, LoadWithFogOnRestoresTheSightOfSidesTheFileDoesNotHold)
{
    testing_rules::FogWorld world;
    GameState& s = world.state();
    world.setSight(world.landType, 2);
    world.setBuildingSight(1);
    // The neutral side and an absent country see with their units and buildings, yet only the
    // countries in play have their sight written.
    s.country(3).controller = 0;
    world.placeUnit(8, world.landType, 3, 3);
    world.placeBuilding(world.buildingTerrain, 8, 9, 9);
    world.placeUnit(3, world.landType, 8, 2);
    world.placeUnit(0, world.landType, 4, 3);
    rebuildSightMaps(s);
    auto sight = [&] {
        std::vector<bool> bits;
        for (int side = 0; side < kSideCount; ++side)
            for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
                for (int y = 0; y < 12; ++y)
                    for (int x = 0; x < 12; ++x)
                        bits.push_back(s.fogMap()->testBit(side, x, y, layer));
        return bits;
    };
    const std::vector<bool> before = sight();
    ASSERT_TRUE(world.fog().testBit(8, 4, 3, 0)) << "the neutral unit sees its neighbour";
    ASSERT_TRUE(world.fog().testBit(8, 10, 9, 0));
    ASSERT_TRUE(world.fog().testBit(3, 9, 2, 0));
    ASSERT_TRUE(saveGame(s, programPath("fog.dat").c_str(), false));
    ASSERT_TRUE(loadGame(s, programPath("fog.dat").c_str()));
    EXPECT_TRUE(world.fog().testBit(8, 4, 3, 0)) << "the neutral side returns fire only at what it sees";
    EXPECT_TRUE(sight() == before);
}

TEST(SavedGameRules, ViewComesFromAnOpenMapWindowAndSightOpensWithFogOff)
{
    CombatWorld world;
    GameState& s = world.state();
    OpenMapOverTheFight map;
    setRulesLinks({ nullptr, &map, nullptr, nullptr });
    const bool saved(saveGame(s, programPath("v.dat").c_str(), true));
    setRulesLinks({});
    ASSERT_TRUE(saved);
    EXPECT_EQ(s.savePath(), programPath("v.dat"));

    s.savedView() = {};
    s.releaseSightMaps();
    ASSERT_TRUE(loadGame(s, programPath("v.dat").c_str()));
    EXPECT_EQ(int(s.savedView().firstColumn), 3);
    EXPECT_EQ(int(s.savedView().firstRow), 2);
    EXPECT_EQ(int(s.savedView().zoomPlusOne), 3) << "the largest zoom";
    EXPECT_EQ(int(s.savedView().offsetX), 40) << "the view part of a hex in";
    EXPECT_EQ(int(s.savedView().offsetY), 6);
    ASSERT_NE(s.fogMap(), nullptr);
    EXPECT_TRUE(s.fogMap()->isSeenBy(1, 9, 7, 0)) << "rule 3 off: every hex seen";

    ASSERT_TRUE(saveGame(s, programPath("w.dat").c_str(), false));
    EXPECT_EQ(int(s.savedView().firstColumn), 0) << "no map window: the view is saved as 0, 0";
    EXPECT_EQ(int(s.savedView().zoomPlusOne), 0) << "and without a zoom";
    EXPECT_FALSE(loadGame(s, programPath("missing.dat").c_str()));
}

} // namespace
