// The main window's play windows: the thinking window over the computer's turns, its requests to
// resume and to hand a delegated turn back, and the auto-move window's menu command.
#include "ui/private_messages.h"
#include "app/environment_window.h"
#include "app/menu_ids.h"
#include "battle/live_clash_window.h"
#include "dialogs/auto_move_set_window.h"
#include "dialogs/think_progress_window.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "tests/app/app_test_support.h"
#include "tests/app/battle_records.h"
#include "tests/app/main_window_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

namespace {

using main_window_test::World;
namespace harness = platform::harness;

HWND thinkWindow() { return FindWindowA(ThinkProgressWindow::kClassName, nullptr); }

using testing_app::cp;

} // namespace

TEST(MainWindowPlayWindows, TheThinkingWindowStandsOverAComputersTurnAndAPauseIsResumedByItsRequest)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.startComputersGame());
    ASSERT_TRUE(World::pumpUntil([&] { return thinkWindow() != nullptr; }));
    HWND think = thinkWindow();
    EXPECT_EQ(GetWindow(think, GW_OWNER), world.handle());
    EXPECT_EQ(world.link().thinkWindow(), think);

    // Paused at the computer player's next hand-shake, as the stop button asks.
    Handshake& handshake = state.handshake();
    handshake.setUiLinkReady();
    ASSERT_TRUE(World::pumpUntil([&] { return handshake.replyPending(); }));
    const int phase = state.turnBlock().phase;
    const int country = state.turnBlock().currentCountry;
    PostMessageA(world.handle(), ui_message::kResumeGame, 0, 0);
    ASSERT_TRUE(World::pumpUntil([&] { return !handshake.replyPending(); }));
    EXPECT_FALSE(handshake.isUiLinkReady());
    // The turn goes on to its end, and the window goes with it.
    ASSERT_TRUE(World::pumpUntil([&] {
        return state.turnBlock().currentCountry != country || state.turnBlock().phase != phase;
    }, std::chrono::seconds(60)));
    world.window().stopPlay();
    ASSERT_TRUE(world.settle());
    EXPECT_EQ(thinkWindow(), nullptr) << "no thinking window outlives play";
    EXPECT_EQ(world.link().thinkWindow(), nullptr);
}

TEST(MainWindowPlayWindows, TheFileDialogsOfNewGameAndSaveAsSilenceTheThinkingWindowsStopButton)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.startComputersGame());
    ASSERT_TRUE(World::pumpUntil([&] { return thinkWindow() != nullptr; }));
    auto* window = dynamic_cast<ThinkProgressWindow*>(windowFromHandle(thinkWindow()));
    ASSERT_NE(window, nullptr);
    // Paused, so that the game may be saved and the window stays.
    Handshake& handshake = state.handshake();
    handshake.setUiLinkReady();
    ASSERT_TRUE(World::pumpUntil([&] { return handshake.replyPending(); }));
    ASSERT_TRUE(window->activeFlag());

    // The new game's selection dialog and the save dialog, each cancelled; giving up the game is agreed to.
    SetWindowTextA(world.handle(), "main");
    platform::harness::setDefaultMessageBoxAnswer(IDYES);
    std::atomic<int> whileOpen { -1 };
    dialogtest::drive(cp("新規ゲーム").c_str(), [&] { world.window().newGame(); return 0; },
        [&](HWND) { whileOpen = window->activeFlag(); });
    EXPECT_EQ(whileOpen.load(), 0) << "clicks ignored while the selection dialog is open";
    EXPECT_TRUE(window->activeFlag()) << "and heard again after it";

    whileOpen = -1;
    dialogtest::drive(cp("名前を付けてｹﾞｰﾑを保存").c_str(), [&] { world.window().saveGameAs(); return 0; },
        [&](HWND) { whileOpen = window->activeFlag(); });
    EXPECT_EQ(whileOpen.load(), 0) << "clicks ignored while the save dialog is open";
    EXPECT_TRUE(window->activeFlag());
    EXPECT_EQ(thinkWindow(), window->handle()) << "the cancelled dialogs left the computer's turn running";
    handshake.replyToGame(0);
    world.window().stopPlay();
    ASSERT_TRUE(world.settle());
}

// During a computer's turn the person opens 環境設定; the next country's thinking panel and a fight,
// in the battle scene or else in the simplified window, come up behind it, and the person's click
// unticks 戦闘を表示する.
class SettingsDuringAComputersTurn : public ::testing::TestWithParam<bool> { };

TEST_P(SettingsDuringAComputersTurn, StayAboveTheFightShownAndKeepTheirClicks)
{
    World world(World::Scene::On);
    GameState& state = world.state();
    state.settings().showFight = true;
    state.settings().fightOnReal = GetParam();
    ASSERT_TRUE(world.startComputersGame());
    ASSERT_TRUE(World::pumpUntil([&] { return thinkWindow() != nullptr; }));
    // Held at the computer's next step, so that only the fight below plays.
    state.handshake().setUiLinkReady();
    ASSERT_TRUE(World::pumpUntil([&] { return state.handshake().replyPending(); }));
    BattleRecord record = tanksAtInfantry();
    std::atomic<bool> released { false };
    std::thread game;
    dialogtest::drive(cp("環境設定").c_str(), [&] { return SendMessageA(world.handle(), WM_COMMAND, menu_id::kEnvironment, 0); },
        [&](HWND dialog) {
            PostMessageA(world.handle(), ui_message::kShowThinkWindow, state.turnBlock().currentCountry, 1);
            game = std::thread([&] {
                GetParam() ? world.battle().runBattleScene(record, false) : world.battle().showSimpleBattle();
                released = true;
            });
            Sleep(300);
            dialogtest::settle();
            harness::keepShot(GetParam() ? "settings_over_scene.png" : "settings_over_simplified_window.png");
            EXPECT_EQ(GetActiveWindow(), dialog);
            RECT r {};
            GetWindowRect(GetDlgItem(dialog, environment_id::kShowFight), &r);
            harness::click(r.left + 6, (r.top + r.bottom) / 2);
            dialogtest::settle();
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
    EXPECT_FALSE(state.settings().showFight);
    if (GetParam())
        LiveClashWindow::endScene();
    EXPECT_TRUE(World::pumpUntil([&] { return released.load(); }));
    game.join();
    state.handshake().replyToGame(0);
    world.window().stopPlay();
}

INSTANTIATE_TEST_SUITE_P(Fights, SettingsDuringAComputersTurn, ::testing::Bool());

TEST(MainWindowPlayWindows, TheStopOfADelegatedTurnHandsTheRestOfTheTurnBack)
{
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    Handshake& handshake = state.handshake();
    // Held at its first step, so the turn cannot end before the person looks.
    handshake.setUiLinkReady();
    world.window().delegateTurn();
    ASSERT_TRUE(World::pumpUntil([&] { return handshake.replyPending(); }));
    HWND think = thinkWindow();
    ASSERT_NE(think, nullptr);
    auto* window = dynamic_cast<ThinkProgressWindow*>(windowFromHandle(think));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->delegated()) << "the delegated face";

    PostMessageA(world.handle(), ui_message::kCancelDelegation, 0, 0);
    World::pump();
    EXPECT_FALSE(handshake.delegation());
    handshake.replyToGame(0);
    // The computer ends the action phase it began; the production is the person's again.
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    EXPECT_EQ(state.turnBlock().currentCountry, 0);
    World::pump();
    EXPECT_EQ(thinkWindow(), nullptr);
    world.quit();
}

TEST(MainWindowPlayWindows, TheMenuCommandOpensAndClosesTheAutoMoveWindow)
{
    World world;
    SendMessageA(world.handle(), WM_COMMAND, menu_id::kAutoMoveWindow, 0);
    HWND window = world.link().autoMoveWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    // Its close box asks the main window, which closes it through its member.
    PostMessageA(window, WM_CLOSE, 0, 0);
    World::pump();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(world.link().autoMoveWindow(), nullptr);
}
