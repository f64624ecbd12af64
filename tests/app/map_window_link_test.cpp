// The rules' link to the map window: animations that leave the map as it was, the game thread's
// waits answered by the window, and nothing at all without a window.
#include "rules/combat_scene.h"
#include "rules/current_action.h"
#include "rules/current_action_marks.h"
#include "rules/fog.h"
#include "rules/move_display_path.h"
#include "rules/play_handshake.h"
#include "tests/app/dialog_answer.h"
#include "tests/app/map_window_world.h"
#include "tests/rules/combat_world.h"
#include "tests/ui/looked_world.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using testing_app::MapWindowHarness;
using testing_rules::CombatWorld;

namespace {

std::vector<uint32_t> backPicture(MapWindow& window)
{
    RECT client {};
    GetClientRect(window.handle(), &client);
    const uint32_t* pixels = window.backPixels();
    return std::vector<uint32_t>(pixels, pixels + size_t(client.right) * size_t(client.bottom));
}

// Runs f on a thread of its own, as the game thread would, pumping this thread's queue until it ends.
template <class F>
bool runAsGameThread(F f)
{
    std::atomic<bool> done = false;
    std::thread thread([&] {
        f();
        done = true;
    });
    for (int i = 0; i < 500 && !done; ++i) {
        testing_lib::pump();
        Sleep(10);
    }
    const bool finished = done;
    thread.join();
    return finished;
}

// A main window the person watches, and a battle scene that keeps what it was given.
struct WatchedMainWindow : HeadlessMainWindow {
    bool isVisible() const override { return true; }
};
struct SceneRecorder : HeadlessBattle {
    void runBattleScene(BattleRecord& record, bool) override { scenes.push_back(record); }
    std::vector<BattleRecord> scenes;
};

} // namespace

TEST(MapWindowLink, BlinkAndExplosionLeaveTheMapAsItWas)
{
    CombatWorld world;
    testing_ui::StartedLook look { world.state() };
    world.placeUnit(0, world.plain, 3, 2);
    testing_app::startPersonsActionPhase(world.state());
    MapWindowHarness view(world.state());
    MapWindowLink& link = appMapWindowLink();
    ASSERT_TRUE(link.isOpen());
    const std::vector<uint32_t> before = backPicture(*view.window);

    link.blinkHex(3, 2);
    EXPECT_FALSE(hasHexMark(world.state(), 3, 2, kMarkBlink));
    EXPECT_TRUE(backPicture(*view.window) == before) << "the blink left its mark";

    world.state().settings().playSe = true;
    link.animateExplosion(3, 2, 0, 0);
    link.animateAreaBlast(3, 2);
    link.showHexEffect(3, 2, 1, 1);
    link.animateAttackPath(1, 1, 6, 4);
    EXPECT_TRUE(backPicture(*view.window) == before) << "an effect stayed on the map";
    const auto sounds = view.main.callsOf("playSound");
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0].args[0], 13);
    EXPECT_EQ(sounds[1].args[0], 14);

    // Switched off, they play nothing.
    world.state().settings().playSe = false;
    world.state().settings().levelEffect = false;
    view.main.clear();
    link.animateExplosion(3, 2, 0, 0);
    link.animateLevelChange({ 1, 0, 0, 3, 2 });
    EXPECT_TRUE(view.main.callsOf("playSound").empty());
}

TEST(MapWindowLink, LevelChangeOfAUnitHiddenByTheViewersFogPlaysNothing)
{
    CombatWorld world;
    testing_ui::StartedLook look { world.state() };
    world.setRule(kRuleSearch, 1);
    const int own = world.placeUnit(0, world.plain, 2, 2);
    const int enemy = world.placeUnit(1, world.plain, 6, 2);
    testing_app::startPersonsActionPhase(world.state());
    world.state().fogMap()->setBit(0, 2, 2, 3);
    world.state().settings().playSe = true;
    world.state().settings().levelEffect = true;
    MapWindowHarness view(world.state());
    view.window->fullRefresh();
    ASSERT_EQ(view.window->fogViewer(), 0);
    const std::vector<uint32_t> before = backPicture(*view.window);

    MapWindowLink& link = appMapWindowLink();
    link.animateLevelChange({ 1, 1, uint32_t(enemy), 6, 2 });
    EXPECT_TRUE(view.main.callsOf("playSound").empty()) << "the enemy stands in fog";
    EXPECT_TRUE(backPicture(*view.window) == before);
    link.animateLevelChange({ 1, 0, uint32_t(own), 2, 2 });
    world.state().fogMap()->setBit(0, 6, 2, 3);
    link.animateLevelChange({ 0, 1, uint32_t(enemy), 6, 2 });
    const auto sounds = view.main.callsOf("playSound");
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0].args[0], 19);
    EXPECT_EQ(sounds[1].args[0], 20);
}

// Computer country 1 fights country 2 while the person's country 0 watches with sight 1 from (1, 1).
// The fight at (6, 5) lies wholly in 0's fog: no selection, shot or blast shows over a fogged hex,
// no sound and no scene. The one on 0's (2, 1) plays with its attacker at fogged (3, 1) unknown.
TEST(MapWindowLink, AComputersFightsShowNothingOfTheHexesTheViewerCannotSee)
{
    CombatWorld world;
    testing_ui::StartedLook look { world.state() };
    testing_app::linkPictures(world.host(""));
    GameState& s = world.state();
    world.setRule(kRuleSearch, 1);
    for (int id : { world.plain, world.other }) {
        world.editType(id).concealRadius = world.editType(id).terrainConcealRadius = 0;
        std::fill(std::begin(world.editType(id).sight), std::end(world.editType(id).sight), uint8_t(1));
    }
    world.placeUnit(0, world.plain, 1, 1);
    const int far = world.placeUnit(1, world.plain, 6, 5);
    world.placeUnit(2, world.other, 7, 5);
    const int near = world.placeUnit(1, world.plain, 3, 1);
    world.placeUnit(2, world.other, 2, 1);
    world.fillPool(0);
    testing_app::startPersonsActionPhase(s);
    s.country(2).inPlay = 1;
    s.country(2).controller = 2;
    s.country(2).unitListLength = 100;
    s.turnBlock().currentCountry = 1;
    GameSettings& settings = s.settings();
    settings.showFight = settings.fightOnReal = settings.fightOfAll = settings.mapOnBombAnim = settings.playSe = true;
    MapWindowHarness view(s);
    WatchedMainWindow main;
    SceneRecorder battle;
    setRulesLinks({ &main, &appMapWindowLink(), &view.dialogs, &battle });
    rebuildSightMaps(s);
    view.window->fullRefresh();
    ASSERT_EQ(view.window->fogViewer(), 0);

    // The inner half of every fogged hex's cell, which no neighbour's picture reaches.
    RECT client {};
    GetClientRect(view.window->handle(), &client);
    const HexGeometry g(view.window->zoom(), s.mapWidth(), s.mapHeight());
    auto fogged = [&] {
        std::lock_guard lock(view.window->drawLock());
        std::vector<uint32_t> out;
        for (int y = 0; y < s.mapHeight(); ++y)
            for (int x = 0; x < s.mapWidth(); ++x) {
                if (s.fogMap()->isSeenInLayers(0, x, y, 0x3F))
                    continue;
                const POINT at = g.hexOrigin(x, y);
                for (int py = at.y + g.cell() / 4; py < at.y + g.cell() * 3 / 4 && py < client.bottom; ++py)
                    for (int px = at.x + g.cell() / 4; px < at.x + g.cell() * 3 / 4 && px < client.right; ++px)
                        out.push_back(view.window->backPixels()[size_t(py) * size_t(client.right) + size_t(px)]);
            }
        return out;
    };
    const std::vector<uint32_t> before = fogged();
    std::atomic<bool> fighting = true;
    std::atomic<int> changedSamples = 0;
    std::thread watcher([&] {
        while (fighting) {
            changedSamples += fogged() != before;
            Sleep(2);
        }
    });
    auto fight = [&](int index, HexPos from, HexPos target) {
        currentAction(s).beginUnitAction(1, index, false);
        moveAlongPath(s, from.x, from.y, kCommandAttack, int(packHex(target.x, target.y)), -1);
        changedSamples += fogged() != before;
        currentAction(s).finishAction();
    };
    EXPECT_TRUE(runAsGameThread([&] { fight(far, { 6, 5 }, { 7, 5 }); }));
    EXPECT_TRUE(battle.scenes.empty()) << "a fight the viewer sees neither side of";
    EXPECT_TRUE(main.callsOf("playSound").empty());
    EXPECT_TRUE(runAsGameThread([&] { fight(near, { 3, 1 }, { 2, 1 }); }));
    fighting = false;
    watcher.join();
    EXPECT_EQ(changedSamples.load(), 0) << "something showed over a fogged hex";
    EXPECT_LT(world.unit(1, far).ammunition[0], 5) << "the fogged fight was fought all the same";
    ASSERT_EQ(battle.scenes.size(), 1u);
    const BattleSideRecord& attacker = battle.scenes[0].side[0];
    EXPECT_EQ(attacker.country, 9u);
    EXPECT_STREQ(attacker.unitName, "");
    EXPECT_STREQ(attacker.typeName, "");
    EXPECT_EQ(battle.scenes[0].side[1].country, 2u);
    EXPECT_STRNE(battle.scenes[0].side[1].typeName, "");
    setRulesLinks({ &view.main, &appMapWindowLink(), &view.dialogs, &view.battle });
}

TEST(MapWindowLink, GameThreadWaitsAreAnsweredByTheWindow)
{
    CombatWorld world;
    testing_ui::StartedLook look { world.state() };
    testing_app::startPersonsActionPhase(world.state());
    MapWindowHarness view(world.state());
    view.window->setZoom(2);
    view.window->scrollTo({ 0, 0 });

    EXPECT_TRUE(runAsGameThread([&] { appMapWindowLink().postRefresh(true); }));
    EXPECT_TRUE(runAsGameThread([&] { requestCentreOnHex(world.state(), 9, 7); }));
    RECT client {};
    GetClientRect(view.window->handle(), &client);
    EXPECT_EQ(view.window->viewOrigin().x, HexGeometry(2, 10, 8).mapPixelSize().cx - client.right)
        << "the view went as far toward the hex as the map allows";
    EXPECT_TRUE(runAsGameThread([&] { requestHexBlink(world.state(), 2, 2); }));
    EXPECT_EQ(world.state().handshake().openWaitCount(), 0u);

    // A wait posted to a window that goes away is answered by its end.
    std::atomic<bool> done = false;
    std::thread thread([&] {
        appMapWindowLink().postRefresh(true);
        done = true;
    });
    while (world.state().handshake().openWaitCount() == 0)
        Sleep(1);
    view.window->Destroy();
    thread.join();
    EXPECT_TRUE(done);
    EXPECT_FALSE(appMapWindowLink().isOpen());
}

TEST(MapWindowLink, WithoutAWindowEveryCallReturnsAtOnce)
{
    CombatWorld world;
    testing_ui::StartedLook look { world.state() };
    testing_app::startPersonsActionPhase(world.state());
    MapWindowLink& link = appMapWindowLink();
    ASSERT_FALSE(link.isOpen());
    link.postRefresh(true);
    link.fullRefresh();
    link.blinkHex(1, 1);
    link.animateExplosion(1, 1, 0, 0);
    link.animateLevelChange({ 1, 0, 0, 1, 1 });
    EXPECT_FALSE(link.postHexBlink(1, 1));
    EXPECT_FALSE(link.postCentreOnHex(1, 1));
    EXPECT_FALSE(link.postLevelChange(1));
    EXPECT_EQ(link.visibleHexRange().columns, 0);
    setRulesLinks({ nullptr, &link, nullptr, nullptr });
    requestHexBlink(world.state(), 1, 1);
    EXPECT_EQ(world.state().handshake().openWaitCount(), 0u);
    setRulesLinks({});
}
