// The rules' link to the map window: animations that leave the map as it was, the game thread's
// waits answered by the window, and nothing at all without a window.
#include "app/control_panel.h"
#include "rules/current_action.h"
#include "rules/current_action_marks.h"
#include "rules/fog.h"
#include "rules/move_display_path.h"
#include "rules/play_handshake.h"
#include "tests/app/dialog_answer.h"
#include "tests/app/map_window_world.h"
#include "tests/rules/combat_world.h"
#include "tests/ui/looked_world.h"
#include "ui/private_messages.h"

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

// A main window the person watches, which shows the acting unit in its control panel.
struct WatchedMainWindow : HeadlessMainWindow {
    bool isVisible() const override { return true; }
    void postPanelCommand(int country, int index) override
    {
        PostMessageA(panel, ui_message::kPanelShowUnit, WPARAM(uint32_t(country) | uint32_t(index) << 16), 0);
    }
    HWND panel = nullptr;
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

// Computer country 1 fights the neutral side while the person's country 0 watches, seeing one hex
// round (1, 1): nothing of the fight in its fog at (6, 5) shows, sounds or plays, not even the shot
// of the one at its (2, 1) from fogged (3, 1), which plays with its attacker unknown. The control
// panel below the map, told of each acting unit, names neither, and keeps country 1's funds
// hidden as they change.
TEST(MapWindowLink, AComputersFightsShowNothingOverTheViewersFog)
{
    CombatWorld world;
    testing_ui::StartedLook look { world.state() };
    testing_app::linkPictures(world.host(""));
    GameState& s = world.state();
    world.setRule(kRuleSearch, 1);
    for (int id : { world.plain, world.other }) {
        UnitTypeRecord& type = world.editType(id);
        type.concealRadius = type.terrainConcealRadius = 0;
        std::fill(std::begin(type.sight), std::end(type.sight), uint8_t(1));
    }
    world.placeUnit(0, world.plain, 1, 1);
    world.placeUnit(8, world.other, 7, 5), world.placeUnit(8, world.other, 2, 1);
    const int far = world.placeUnit(1, world.plain, 6, 5), near = world.placeUnit(1, world.plain, 3, 1);
    testing_app::startPersonsActionPhase(s);
    s.turnBlock().currentCountry = 1;
    GameSettings& settings = s.settings();
    settings.showFight = settings.fightOnReal = settings.fightOfAll = settings.mapOnBombAnim = settings.playSe = true;
    WatchedMainWindow main;
    MapWindowHarness view(s);
    auto* panel = new ControlPanel(&view.parent, s);
    ASSERT_TRUE(panel->Create());
    MoveWindow(panel->handle(), 0, 320, ControlPanel::kWidth, ControlPanel::kHeight, TRUE);
    main.panel = panel->handle();
    setRulesLinks({ &main, &appMapWindowLink(), &view.dialogs, &view.battle });
    rebuildSightMaps(s);
    view.window->fullRefresh();
    PostMessageA(panel->handle(), ui_message::kPanelSideFacts, 0, 0);
    testing_lib::pump();
    ASSERT_EQ(panel->sideLines().size(), 4u);
    auto screenOverFog = [&] {
        std::vector<uint32_t> out = testing_app::foggedHexPixels(*view.window, s, 0);
        RECT r {};
        GetWindowRect(panel->handle(), &r);
        const platform::harness::Image shown = platform::harness::readRect(r);
        out.insert(out.end(), shown.pixels.begin(), shown.pixels.end());
        return out;
    };
    const std::vector<uint32_t> before = screenOverFog();
    std::atomic<int> changed = 0;
    auto fight = [&](int index, HexPos from, HexPos target) {
        currentAction(s).beginUnitAction(1, index, false);
        moveAlongPath(s, from.x, from.y, kCommandAttack, int(packHex(target.x, target.y)), -1);
        changed += screenOverFog() != before;
        currentAction(s).finishAction();
        // Its spending shows no more than its funds did.
        s.country(1).funds += 100;
        PostMessageA(panel->handle(), ui_message::kPanelSideFacts, 0, 0);
    };
    std::atomic<bool> fighting = true;
    std::thread watcher([&] {
        for (; fighting; Sleep(2))
            changed += screenOverFog() != before;
    });
    EXPECT_TRUE(runAsGameThread([&] { fight(far, { 6, 5 }, { 7, 5 }); }));
    EXPECT_TRUE(main.callsOf("playSound").empty() && view.battle.callsOf("runBattleScene").empty());
    EXPECT_TRUE(runAsGameThread([&] { fight(near, { 3, 1 }, { 2, 1 }); }));
    fighting = false;
    watcher.join();
    testing_lib::pump();
    changed += screenOverFog() != before;
    platform::harness::keepShot("computer_fights_in_fog.png");
    EXPECT_EQ(changed.load(), 0) << "something showed over a fogged hex or in the panel";
    EXPECT_EQ(view.battle.callsOf("runBattleScene").size(), 1u);
    EXPECT_LT(world.unit(1, far).ammunition[0], 5) << "the fight in fog was fought all the same";
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
