// The main window's windows of the countries: opened from the menu and closed on their requests,
// reopened at the start of play, refreshed by the rules, and the ending window once per finished game.
#include "app/main_window_messages.h"
#include "app/menu_ids.h"
#include "infowin/country_info_window.h"
#include "rules/game_thread.h"
#include "state/game_settings.h"
#include "tests/app/main_window_world.h"
#include "tests/platform/commdlg/dialog_driver.h"

#include <atomic>

namespace {

using main_window_test::World;
namespace harness = platform::harness;

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

void command(World& world, UINT id)
{
    SendMessageA(world.handle(), WM_COMMAND, id, 0);
    World::pump();
}

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
    command(world, menu_id::kCountryInfo);
    HWND country = window.countryInfoWindow();
    ASSERT_NE(country, nullptr);
    EXPECT_TRUE(makeNamedValue("ShowCountryInfo").profileReadBool(false));
    command(world, menu_id::kConditionInfo);
    command(world, menu_id::kResults);
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
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    HWND country = world.window().countryInfoWindow();
    ASSERT_NE(country, nullptr) << "opened with the game's start windows";

    // The person's own funds change; the side facts' refresh redraws the board.
    const harness::Image before = clientImage(country);
    state.country(0).funds += 12345;
    world.link().refresh(MainRefresh::SideInfo);
    World::pump();
    const harness::Image after = clientImage(country);
    EXPECT_NE(before.pixels, after.pixels);
    world.window().quit();
}

TEST(MainWindowCountries, AFinishedGameShowsTheEndingWindowOnceAndThenEndsPlay)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
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
    PostMessageA(world.handle(), main_message::kAfterGame, run, 0);
    PostMessageA(world.handle(), main_message::kLastGameMessage, run, 0);
    const bool ended = World::pumpUntil([&] { return !state.handshake().playRunning(); });
    World::pumpUntil([] { return false; }, std::chrono::milliseconds(1200));
    stop = true;
    person.join();
    EXPECT_TRUE(ended);
    EXPECT_EQ(endings.load(), 1);
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}
