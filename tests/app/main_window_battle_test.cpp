// Engagements shown through the main window: the game thread's scene leaves Close offered and gives
// way to it, a person's attack on the window's thread waits in the invisible host until the scene ends,
// and the simplified window shows the game's engagement.
#include "ui/private_messages.h"
#include "battle/live_clash_window.h"
#include "rules/combat_pair.h"
#include "rules/combat_scene.h"
#include "rules/game_thread.h"
#include "tests/app/battle_records.h"
#include "tests/app/main_window_world.h"

#include <atomic>
#include <thread>

namespace {

using main_window_test::World;
namespace harness = platform::harness;

bool closeGreyed(HWND main) { return (GetMenuState(GetSystemMenu(main, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0; }

HWND sceneWindow(int side)
{
    return FindWindowA(platform::utf8ToCp932(side == 0 ? "攻撃側" : "防御側").c_str(), nullptr);
}

bool sceneShown() { return sceneWindow(0) && IsWindowVisible(sceneWindow(0)) && IsWindowVisible(sceneWindow(1)); }

} // namespace

TEST(MainWindowBattle, AltF4DuringTheGameThreadsSceneClosesTheWindowAndReleasesTheThread)
{
    World world(World::Scene::On);
    ASSERT_TRUE(LiveClashWindow::isReady());
    BattleRecord record = tanksAtInfantry();
    std::atomic<bool> released { false };
    std::thread game([&] {
        world.battle().runBattleScene(record, false);
        released = true;
    });
    ASSERT_TRUE(World::pumpUntil(sceneShown, std::chrono::seconds(5)));
    harness::keepShot("battle_scene_game_thread.png");
    EXPECT_FALSE(closeGreyed(world.handle())) << "Close stays offered while the scene plays";
    EXPECT_FALSE(released) << "the game thread waits for the scene";

    SetForegroundWindow(world.handle());
    World::pump();
    harness::keyDown(VK_MENU);
    harness::pressKey(VK_F4);
    harness::keyUp(VK_MENU);
    EXPECT_TRUE(World::pumpUntil([&] { return !IsWindow(world.handle()) && released.load(); }, std::chrono::seconds(5)))
        << "the window goes and its end hands the scene back";
    game.join();
    EXPECT_FALSE(sceneShown());
    EXPECT_EQ(world.state().handshake().openWaitCount(), 0u);
}

TEST(MainWindowBattle, APersonsAttackWaitsInTheHostUntilTheSceneEnds)
{
    World world(World::Scene::On);
    ASSERT_TRUE(LiveClashWindow::isReady());
    BattleRecord record = tanksAtInfantry();
    std::atomic<bool> clicked { false };
    std::thread person([&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!sceneShown() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        harness::waitIdle();
        if (!sceneShown())
            return;
        EXPECT_FALSE(IsWindowEnabled(world.handle())) << "the modal host holds the main window";
        testing_lib::clickCentre(sceneWindow(0));
        clicked = true;
    });
    // Returns when the scene has ended: the host is modal on this thread.
    world.battle().runBattleScene(record, false);
    person.join();
    EXPECT_TRUE(clicked) << "the scene was shown";
    World::pump();
    EXPECT_FALSE(sceneShown());
    EXPECT_TRUE(IsWindowEnabled(world.handle()));
    EXPECT_FALSE(closeGreyed(world.handle()));
}

// The simplified window over a started game, with the unit icons the program draws, for a person to
// look at (DERAZODO_TEST_SHOTS); its button hands back.
TEST(MainWindowBattle, TheSimplifiedWindowShowsTheEngagementOfTheGame)
{
    World world(World::Scene::On);
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    ASSERT_GT(state.unitCount(1), 0u);
    CombatPair& pair = currentCombat(state);
    pair.setAttacker(state, 0, 0);
    pair.setDefender(state, 1, 0);
    pair.side[0].weaponSlot = 0;
    pair.side[1].strengthAfter[0] = 0;
    std::atomic<HWND> shown { nullptr };
    std::thread person([&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        HWND panel = nullptr;
        while (!panel && std::chrono::steady_clock::now() < end) {
            HWND top = GetForegroundWindow();
            RECT r {};
            if (top && top != world.handle() && GetClientRect(top, &r) && r.right == 600 && r.bottom == 300)
                panel = top;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (!panel)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(900));
        harness::waitIdle();
        harness::keepShot("simplified_battle_window.png");
        shown = panel;
        POINT button { 452, 280 };
        ClientToScreen(panel, &button);
        harness::click(button.x, button.y);
    });
    world.battle().showSimpleBattle();
    person.join();
    EXPECT_NE(shown.load(), nullptr) << "the 600 by 300 panel came to the front";
    EXPECT_FALSE(IsWindow(shown.load()));
    world.quit();
}
