// A new game whose every country the person hands to the computer in the map settings dialog plays
// by itself to its end on each sample map and through the campaign.
#include "app/main_window.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/campaign_troop_deploy_window.h"
#include "dialogs/map_settings_ids.h"
#include "dialogs/news_dialog.h"
#include "platform/kernel/host.h"
#include "state/game_settings.h"
#include "tests/app/main_window_world.h"
#include "tests/dialogs/setup_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using main_window_test::World;
using namespace std::chrono_literals;

// The person at the set-up windows of each game or campaign stage: the briefing leads to the map
// settings list, whose change button opens the settings; there every country played is set to COMP
// on each page, then OK, and the briefing's start begins the stage. Each ending window that shows is
// counted and closed, a stage's closing news read and the units carried over placed.
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
    // Stages whose countries the person handed over.
    int starts() const { return m_starts; }
    int endings() const { return m_endings; }
    int deployments() const { return m_deployments; }

private:
    void run()
    {
        const std::string briefing = setup_test::cp("ブリーフィング");
        const std::string list = setup_test::cp("マップ設定一覧");
        const std::string settings = setup_test::cp("マップ設定変更");
        const std::string ending = setup_test::cp("戦果報告");
        const std::string news = setup_test::cp("ニュース");
        const std::string deployment = setup_test::cp("部隊配置");
        while (!m_stop) {
            HWND shown = nullptr;
            if ((shown = visible(ending))) {
                ++m_endings;
                std::this_thread::sleep_for(300ms);
                RECT r {};
                GetWindowRect(shown, &r);
                platform::harness::click(r.left + 300, r.top + 200, platform::harness::Button::Right);
            } else if ((shown = visible(news))) {
                // A stage's closing news, read to its last page.
                click(shown, setup_test::shown(shown, news_id::kNext) ? news_id::kNext : news_id::kClose);
                std::this_thread::sleep_for(100ms);
                continue;
            } else if ((shown = visible(deployment))) {
                // The units carried over to the next stage are placed by the program.
                ++m_deployments;
                click(shown, troop_deploy_id::kPlaceAutomatically);
                std::this_thread::sleep_for(300ms);
                click(shown, troop_deploy_id::kStartGame);
            } else if (!m_settingsDone && (shown = visible(settings))) {
                handEveryCountryOver(shown);
            } else if ((shown = visible(list))) {
                const bool done = m_settingsDone;
                click(shown, done ? map_list_id::kOk : map_list_id::kChange);
                // The list's OK starts the stage, as the briefing's start does.
                m_settingsDone = m_settingsDone && !done;
            } else if ((shown = visible(briefing))) {
                // Page by page to the last, which offers the settings and the start; a stage's
                // closing news has pages only.
                int go = briefing_id::kNext;
                if (!m_settingsDone && setup_test::shown(shown, briefing_id::kMapSettings)) {
                    go = briefing_id::kMapSettings;
                } else if (setup_test::shown(shown, briefing_id::kStart)) {
                    go = briefing_id::kStart;
                    m_settingsDone = false;
                }
                click(shown, go);
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
        testing_lib::clickCentre(control);
    }
    static HWND visible(const std::string& title)
    {
        HWND window = FindWindowA(nullptr, title.c_str());
        return window && IsWindowVisible(window) && IsWindowEnabled(window) ? window : nullptr;
    }
    void handEveryCountryOver(HWND window)
    {
        std::this_thread::sleep_for(200ms);
        HWND tabs = setup_test::control(window, map_settings_id::kTab);
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
                HWND combo = setup_test::control(window, map_settings_id::kParticipation + slot);
                if (!combo || !IsWindowVisible(combo) || setup_test::textOf(window, map_settings_id::kParticipation + slot) != "USER")
                    continue;
                // As a person's choice: the list tells its dialog.
                const LRESULT item = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("COMP"));
                SendMessageA(combo, CB_SETCURSEL, WPARAM(item), 0);
                SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(map_settings_id::kParticipation + slot, CBN_SELCHANGE), LPARAM(combo));
            }
        }
        m_settingsDone = true;
        ++m_starts;
        click(window, map_settings_id::kOk);
    }

    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_settingsDone { false };
    std::atomic<int> m_starts { 0 };
    std::atomic<int> m_endings { 0 };
    std::atomic<int> m_deployments { 0 };
    std::thread m_thread;
};

} // namespace

// On the running test clock the computer's pauses and the animations cost no time: a whole game
// takes a few seconds. A campaign's next stage is its person's again (its side is the campaign's):
// there the run ends when that stage's first turn waits for the person.
// The map's random pool is filled from this thread's generator when the map loads; left seeded by
// the clock, a rare pool has the campaign's side lose its first stage at the turn limit, which
// rightly ends the campaign there. A fixed seed gives each map one course, a won first stage here.
constexpr unsigned kPoolSeed = 1;
// How long a game may take before it counts as stalled: a few seconds in a plain build, but the
// sanitizer build plays several times slower and CI runs these games side by side with the others.
constexpr auto kWholeGameLimit = std::chrono::seconds(180);
class AllComputerGame : public ::testing::TestWithParam<std::pair<const char*, bool>> { };

TEST_P(AllComputerGame, EveryCountrySetToCompInTheSettingsPlaysToTheEnd)
{
    const char* map = GetParam().first;
    const bool campaign = GetParam().second;
    platform::harness::TestClock clock(platform::harness::TestClock::Running);
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    // The computer's pauses and the map's pace are for the eye only.
    GameSettings& settings = state.settings();
    settings.sleepInterval = 0;
    settings.playSe = settings.levelEffect = settings.mapOnBombAnim = settings.showFight = false;
    settings.troopMoveAnim = 2;
    world.window().setGameSetUp(nullptr);
    AllToTheComputer person;
    platform::crtSrand(kPoolSeed);
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath(map)));
    ASSERT_TRUE(world.settle());
    EXPECT_EQ(person.starts(), 1);
    for (int c = 0; c < kCountryCount; ++c)
        EXPECT_NE(state.country(c).controller, 1) << "country " << c;
    const TurnBlock& turn = state.turnBlock();
    int lastTurn = 0;
    EXPECT_TRUE(World::pumpUntil([&] {
        lastTurn = std::max(lastTurn, int(turn.turn));
        if (campaign)
            return person.deployments() > 0 && state.handshake().waitingForAnswer() && turn.turn == 1;
        return !state.handshake().playRunning() && person.endings() > 0;
    }, kWholeGameLimit)) << "stays at turn " << int(turn.turn);
    EXPECT_GT(lastTurn, 1);
    EXPECT_EQ(person.endings(), campaign ? 0 : 1);
    world.quit();
}

INSTANTIATE_TEST_SUITE_P(SampleMaps, AllComputerGame,
    ::testing::Values(std::pair { "tkmap/duel.vtm", false }, std::pair { "tkmap/riverside.vts", false },
        std::pair { "tkmap/training.vtm", false }, std::pair { "tkmap/continent.vtm", false },
        std::pair { "tkmap/octagon.vtm", false }, std::pair { "tkmap/pentagon.vtm", false },
        std::pair { "tkmap/border.vtc", true }),
    [](const auto& info) {
        std::string name = info.param.first + 6;
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });
