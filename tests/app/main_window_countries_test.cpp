// The main window's windows of the countries: opened from the menu and closed on their requests,
// reopened at the start of play, refreshed by the rules, and the ending window once per finished game.
#include "app/control_panel.h"
#include "ui/private_messages.h"
#include "app/map_window.h"
#include "app/menu_ids.h"
#include "dialogs/game_end_window.h"
#include "infowin/country_info_window.h"
#include "rules/game_thread.h"
#include "rules/victory.h"
#include "state/game_settings.h"
#include "tests/app/app_test_support.h"
#include "tests/app/main_window_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <algorithm>
#include <atomic>

namespace {

using main_window_test::World;
namespace harness = platform::harness;

using testing_app::cp;

harness::Image clientImage(HWND window)
{
    harness::waitIdle();
    RECT client {};
    GetClientRect(window, &client);
    POINT origin { 0, 0 };
    ClientToScreen(window, &origin);
    return harness::readRect(RECT { origin.x, origin.y, origin.x + client.right, origin.y + client.bottom });
}

} // namespace

TEST(MainWindowCountries, WindowsOpenFromTheMenuAndCloseOnTheirRequests)
{
    World world;
    MainWindow& window = world.window();
    world.command(menu_id::kCountryInfo);
    HWND country = window.countryInfoWindow();
    ASSERT_NE(country, nullptr);
    EXPECT_TRUE(makeNamedValue("ShowCountryInfo").profileReadBool(false));
    world.command(menu_id::kConditionInfo);
    world.command(menu_id::kResults);
    ASSERT_NE(window.conditionInfoWindow(), nullptr);
    ASSERT_NE(window.resultsWindow(), nullptr);

    // Each asks to be closed by a right click; the main window closes it.
    for (HWND shown : { country, window.conditionInfoWindow(), window.resultsWindow() }) {
        RECT r {};
        GetWindowRect(shown, &r);
        harness::click(r.right - 20, r.bottom - 10, harness::Button::Right);
        World::pump();
        EXPECT_FALSE(IsWindow(shown));
    }
    EXPECT_EQ(window.countryInfoWindow(), nullptr);
    EXPECT_EQ(window.conditionInfoWindow(), nullptr);
    EXPECT_EQ(window.resultsWindow(), nullptr);
    EXPECT_FALSE(makeNamedValue("ShowCountryInfo").profileReadBool(true));
}

TEST(MainWindowCountries, AWindowLeftOpenComesBackWithTheNextGameAndFollowsIt)
{
    World world;
    GameState& state = world.state();
    makeNamedValue("ShowCountryInfo").profileWriteBool(true);
    makeNamedValue("ShowSenkaInfo").profileWriteBool(true);
    ASSERT_TRUE(world.startGame());
    HWND country = world.window().countryInfoWindow();
    HWND results = world.window().resultsWindow();
    ASSERT_TRUE(country && results) << "opened with the game's start windows";
    RECT board {};
    GetWindowRect(country, &board);
    SetWindowPos(results, nullptr, board.right, board.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    // The person's own funds change, as with the income; the side facts' refresh redraws both.
    const harness::Image before = clientImage(country);
    const harness::Image resultsBefore = clientImage(results);
    state.country(0).funds += 12345;
    state.country(0).runningTotal += 12345;
    world.link().refresh(MainRefresh::SideInfo);
    World::pump();
    const harness::Image after = clientImage(country);
    EXPECT_NE(before.pixels, after.pixels);
    EXPECT_NE(resultsBefore.pixels, clientImage(results).pixels);
    world.quit();
}

TEST(MainWindowCountries, AFinishedGameShowsTheEndingWindowOnceAndThenLeavesNoGame)
{
    World world;
    GameState& state = world.state();
    auto* panel = dynamic_cast<ControlPanel*>(windowFromHandle(world.link().panel()));
    ASSERT_NE(panel, nullptr);
    auto panelTexts = [&] {
        std::vector<std::string> texts;
        for (const PanelLine& line : panel->lines())
            texts.push_back(line.text);
        return texts;
    };
    const std::vector<std::string> beforeAnyGame = panelTexts();
    ASSERT_TRUE(world.startGame());
    std::atomic<int> endings = 0;
    std::atomic<bool> stop = false;
    std::thread person([&] {
        // Every ending window that appears is counted and closed.
        while (!stop) {
            if (HWND ending = FindWindowA(nullptr, cp("戦果報告").c_str())) {
                ++endings;
                dialogtest::settle();
                RECT r {};
                GetWindowRect(ending, &r);
                harness::click(r.left + 300, r.top + 200, harness::Button::Right);
                for (int i = 0; i < 200 && IsWindow(ending); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    // The game thread's last messages of a game that ended by itself.
    const WPARAM run = WPARAM(state.handshake().playRun());
    PostMessageA(world.handle(), ui_message::kAfterGame, run, 0);
    PostMessageA(world.handle(), ui_message::kLastGameMessage, run, 0);
    const bool ended = World::pumpUntil([&] { return !state.handshake().playRunning(); });
    World::pumpUntil([] { return false; }, std::chrono::milliseconds(1200));
    stop = true;
    person.join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(endings.load(), 1);
    EXPECT_EQ(state.handshake().playThread(), nullptr);

    // Afterwards the window is as before the first game: an empty map beside an empty panel, not
    // the emptied board of the game beside its last turn and funds.
    World::pump();
    harness::keepShot("after_the_end_of_play.png");
    EXPECT_EQ(state.mapWidth(), 0);
    EXPECT_EQ(panelTexts(), beforeAnyGame);
    MapWindow* map = world.window().mapWindow();
    RECT client {};
    GetClientRect(map->handle(), &client);
    const uint32_t* pixels = map->backPixels();
    const size_t count = size_t(client.right) * size_t(client.bottom);
    EXPECT_EQ(std::count(pixels, pixels + count, pixels[0]), std::ptrdiff_t(count)) << "the map shows nothing";
}

TEST(MainWindowCountries, ASurrenderThatLeavesOneCountryEndsTheGameAtOnceWithItsLossesBooked)
{
    harness::TestClock clock(harness::TestClock::Running);
    World world;
    GameState& state = world.state();
    world.dismissPopups();
    const std::atomic<int>& announced = world.countGameEnds();
    ASSERT_TRUE(world.startGame());
    // The game as the ending window finds it: the state is emptied when play stops.
    struct AtEnding {
        int announced = -1, turn = 0, finalTurn = 0, winnerOutcome = 0;
        uint32_t personLost = 0;
    } atEnding;
    std::atomic<bool> stop = false;
    std::thread person([&] {
        while (!stop) {
            if (HWND ending = FindWindowA(nullptr, cp("戦果報告").c_str())) {
                atEnding = { announced.load(), state.turnBlock().turn, finalTurnOf(state, 0), state.country(1).outcome,
                    state.turnStatsAt(state.turnStatsCount() - 1)->country[0].damageTaken };
                dialogtest::settle();
                harness::keepShot("surrender_ending.png");
                RECT r {};
                GetWindowRect(ending, &r);
                harness::click(r.left + 300, r.top + 200, harness::Button::Right);
                for (int i = 0; i < 200 && IsWindow(ending); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    // The person's side gives up and the one computer side is left: the game is decided at once,
    // in the surrender's turn, and the force the person gave up is booked as lost.
    const int turn = state.turnBlock().turn;
    const uint32_t members = uint32_t(state.memberCountInPlay(0));
    ASSERT_GT(members, 0u);
    harness::queueMessageBoxAnswer(IDYES);
    world.window().surrender();
    const bool ended = World::pumpUntil([&] { return !state.handshake().playRunning(); }, std::chrono::seconds(60));
    stop = true;
    person.join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(atEnding.announced, 1) << "the surrender's game-end window comes first, during play";
    EXPECT_EQ(atEnding.turn, turn) << "no turn played after the surrender";
    EXPECT_EQ(atEnding.finalTurn, turn);
    EXPECT_TRUE(isVictoryOutcome(atEnding.winnerOutcome));
    EXPECT_EQ(atEnding.personLost, members);
}
