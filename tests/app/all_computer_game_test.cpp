// A new game whose every country the person hands to the computer in the map settings dialog plays
// on by itself on each sample map and the campaign.
#include "app/main_window.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/map_settings_ids.h"
#include "state/game_settings.h"
#include "tests/app/main_window_world.h"
#include "tests/dialogs/setup_world.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using main_window_test::World;
using namespace std::chrono_literals;
namespace id = map_settings_id;

// The person at the set-up windows: the briefing leads to the map settings list, whose change
// button opens the settings; there every country played is set to COMP on each page, then OK.
class AllToTheComputer {
public:
    AllToTheComputer()
        : m_thread([this] { run(); })
    {
    }
    ~AllToTheComputer()
    {
        m_stop = true;
        m_thread.join();
    }
    bool settingsDone() const { return m_settingsDone; }

private:
    void run()
    {
        const std::string briefing = setup_test::cp("ブリーフィング");
        const std::string list = setup_test::cp("マップ設定一覧");
        const std::string settings = setup_test::cp("マップ設定変更");
        while (!m_stop) {
            HWND shown = nullptr;
            if (!m_settingsDone && (shown = visible(settings))) {
                handEveryCountryOver(shown);
            } else if ((shown = visible(list))) {
                click(shown, m_settingsDone ? map_list_id::kOk : map_list_id::kChange);
            } else if ((shown = visible(briefing))) {
                // Page by page to the last, which offers the settings and the start.
                const int go = m_settingsDone ? briefing_id::kStart : briefing_id::kMapSettings;
                click(shown, setup_test::shown(shown, go) ? go : briefing_id::kNext);
                // The next page comes in the same window.
                std::this_thread::sleep_for(100ms);
                continue;
            }
            for (int i = 0; shown && i < 200 && IsWindow(shown) && IsWindowVisible(shown); ++i)
                std::this_thread::sleep_for(10ms);
            std::this_thread::sleep_for(10ms);
        }
    }
    // The list's animation keeps the desktop from ever being idle: the click is not followed by a
    // wait for idle, the loop watches the window go instead.
    static void click(HWND window, int id)
    {
        HWND control = setup_test::control(window, id);
        RECT r {};
        GetWindowRect(control, &r);
        platform::harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    static HWND visible(const std::string& title)
    {
        HWND window = FindWindowA(nullptr, title.c_str());
        return window && IsWindowVisible(window) && IsWindowEnabled(window) ? window : nullptr;
    }
    void handEveryCountryOver(HWND window)
    {
        std::this_thread::sleep_for(200ms);
        HWND tabs = setup_test::control(window, id::kTab);
        const int pages = std::max(1, int(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)));
        for (int page = 0; page < pages; ++page) {
            if (page > 0) {
                RECT item {};
                SendMessageA(tabs, TCM_GETITEMRECT, WPARAM(page), LPARAM(&item));
                POINT at { (item.left + item.right) / 2, (item.top + item.bottom) / 2 };
                ClientToScreen(tabs, &at);
                platform::harness::click(at.x, at.y);
                std::this_thread::sleep_for(300ms);
            }
            for (int slot = 0; slot < 4; ++slot) {
                HWND combo = setup_test::control(window, id::kParticipation + slot);
                if (!combo || !IsWindowVisible(combo) || setup_test::textOf(window, id::kParticipation + slot) != "USER")
                    continue;
                // As a person's choice: the list tells its dialog.
                const LRESULT item = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("COMP"));
                SendMessageA(combo, CB_SETCURSEL, WPARAM(item), 0);
                SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(id::kParticipation + slot, CBN_SELCHANGE), LPARAM(combo));
            }
        }
        m_settingsDone = true;
        click(window, id::kOk);
    }

    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_settingsDone { false };
    std::thread m_thread;
};

} // namespace

// A whole game takes 25 to 60 s on each sample map at the thinking window's pace; the suite follows
// each until the first country has played its first turn and the next one moves.
class AllComputerGame : public ::testing::TestWithParam<const char*> { };

TEST_P(AllComputerGame, EveryCountrySetToCompInTheSettingsPlaysOnFromTheStart)
{
    const char* map = GetParam();
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    // The computer's pauses and the map's pace are for the eye only.
    GameSettings& settings = state.settings();
    settings.sleepInterval = 0;
    settings.playSe = settings.levelEffect = settings.mapOnBombAnim = settings.showFight = false;
    settings.troopMoveAnim = 2;
    world.window().setGameSetUp(nullptr);
    {
        AllToTheComputer person;
        ASSERT_TRUE(world.window().newGameFrom(world.gamePath(map)));
        EXPECT_TRUE(person.settingsDone());
    }
    for (int c = 0; c < kCountryCount; ++c)
        EXPECT_NE(state.country(c).controller, 1) << "country " << c;
    const TurnBlock& turn = state.turnBlock();
    int first = -1;
    EXPECT_TRUE(World::pumpUntil([&] {
        const int current = turn.currentCountry;
        if (turn.turn == 1 && first < 0 && current < kCountryCount)
            first = current;
        return turn.turn >= 2 || (first >= 0 && current < kCountryCount && current != first) || !state.handshake().playRunning();
    }, 30s)) << "stays at turn " << int(turn.turn);
    world.window().quit();
}

INSTANTIATE_TEST_SUITE_P(SampleMaps, AllComputerGame,
    ::testing::Values("tkmap/duel.vtm", "tkmap/riverside.vts", "tkmap/training.vtm", "tkmap/continent.vtm",
        "tkmap/octagon.vtm", "tkmap/pentagon.vtm", "tkmap/border.vtc"));
