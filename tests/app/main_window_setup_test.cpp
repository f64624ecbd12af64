// The main window's steps around play: a new map's settings before it starts, the orders read again
// during play, and the closing news before the result.
#include "app/app_dialog_link.h"
#include "app/menu_ids.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/map_settings_ids.h"
#include "rules/game_thread.h"
#include "rules/play_handshake.h"
#include "tests/app/app_test_support.h"
#include "tests/app/main_window_world.h"
#include "tests/dialogs/setup_world.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/state/packed_value.h"

#include <tuple>

namespace {

using main_window_test::World;
namespace harness = platform::harness;
using dialogtest::settle;
using dialogtest::untilShown;

using testing_app::cp;

HWND shownWindow(const std::string& title)
{
    HWND window = dialogtest::waitForWindow(title.c_str());
    untilShown(window);
    return window;
}

} // namespace

TEST(MainWindowSetUp, ANewGameOfFiveCountriesPlaysWithTheSettingsChosen)
{
    World world;
    world.window().setGameSetUp({});
    int tabs = 0;
    bool refused = false;
    const bool started = dialogtest::drive(cp("マップ設定一覧").c_str(),
        [&] { return world.window().newGameFrom(world.gamePath("tkmap/pentagon.vtm")); },
        [&](HWND list) {
            untilShown(list);
            setup_test::capture(list, "map_settings_list_pentagon");
            setup_test::clickControl(list, map_list_id::kChange);
            HWND settings = shownWindow(cp("マップ設定変更"));
            ASSERT_NE(settings, nullptr);
            tabs = int(SendMessageA(setup_test::control(settings, map_settings_id::kTab), TCM_GETITEMCOUNT, 0, 0));
            setup_test::capture(settings, "map_settings_pentagon");
            setup_test::chooseItem(settings, map_settings_id::kParticipation, "COMP");
            SetWindowTextA(setup_test::control(settings, map_settings_id::kFunds), "7777");
            setup_test::clickControl(settings, map_settings_id::kAlliance + 1, 4);
            setup_test::chooseItem(settings, map_settings_id::kParticipation, cp("不参戦"));
            const auto boxes = harness::messageBoxes();
            refused = boxes.size() == 1 && boxes[0].text == cp("同盟を結んでいる陣営は不参戦に設定できません。");
            setup_test::clickControl(settings, map_settings_id::kOk);
        });
    EXPECT_EQ(tabs, 2);
    EXPECT_TRUE(refused);
    ASSERT_TRUE(started);
    GameState& s = world.state();
    EXPECT_TRUE(s.handshake().playRunning());
    EXPECT_EQ(s.country(0).controller, 2);
    EXPECT_EQ(packed(s.country(0).funds), 7777u);
    EXPECT_EQ(s.country(0).allianceMask, 0b11);
    EXPECT_EQ(s.country(1).allianceMask, 0b11);
}

namespace {

// What play reads of a game and what the window shows of it, as bytes.
std::string gameBytes(World& world)
{
    GameState& s = world.state();
    char title[256] = {};
    GetWindowTextA(world.handle(), title, sizeof title);
    std::string bytes = std::to_string(s.historyCount()) + s.savePath() + title + std::to_string(s.handshake().playRun())
        + (s.handshake().waitingForAnswer() ? "waits" : "runs");
    auto add = [&](const void* data, size_t size) { bytes.append(static_cast<const char*>(data), size); };
    add(&s.turnBlock(), sizeof(TurnBlock));
    add(&s.mapHeader(), sizeof(MapHeader));
    add(&s.country(0), sizeof(CountryRecord) * kCountryCount);
    for (int side = 0; side < kSideCount; ++side)
        add(s.unitTable(side), sizeof(UnitRecord) * s.unitCount(side));
    add(s.buildings().data(), sizeof(BuildingRecord) * s.buildings().size());
    add(s.terrainGrid(), sizeof(TerrainCell) * size_t(s.mapWidth() * s.mapHeight()));
    return bytes;
}

// A map and its set-up window, left by Escape (the briefing) or the list's cancel button.
class MainWindowGoingBack : public ::testing::TestWithParam<std::tuple<const char*, const char*, bool>> { };

} // namespace

// Going back from a new game's set-up starts nothing, and leaves a game under way exactly as it
// was, going on.
TEST_P(MainWindowGoingBack, LeavesTheGameUnderWayAsItWas)
{
    const auto [map, setUpTitle, escape] = GetParam();
    World world;
    world.dismissPopups();
    auto goBack = [&, map = map, setUpTitle = setUpTitle, escape = escape] {
        world.window().setGameSetUp({});
        bool shown = false;
        dialogtest::drive(cp(setUpTitle).c_str(), [&] { return world.window().newGameFrom(world.gamePath(map)); },
            [&](HWND setUp) {
                shown = true;
                untilShown(setUp);
                SetForegroundWindow(setUp);
                escape ? harness::pressKey(VK_ESCAPE) : setup_test::clickControl(setUp, map_list_id::kCancel);
                settle();
            });
        EXPECT_TRUE(shown);
        EXPECT_TRUE(world.settle());
    };
    goBack();
    EXPECT_FALSE(world.state().handshake().playRunning());
    EXPECT_EQ(world.state().mapWidth(), 0);
    world.window().setGameSetUp([](swCWindow*) { return true; });
    ASSERT_TRUE(world.startGame());
    const std::string before = gameBytes(world);
    goBack();
    EXPECT_EQ(gameBytes(world), before);
    world.window().endActionPhase();
    EXPECT_TRUE(world.waitForPersonIn(kPhaseProduction)) << "the game goes on";
}

INSTANTIATE_TEST_SUITE_P(SetUps, MainWindowGoingBack,
    ::testing::Values(std::tuple { "tkmap/duel.vtm", "マップ設定一覧", false }, std::tuple { "tkmap/riverside.vts", "ブリーフィング", true }));

TEST(MainWindowSetUp, TheOrdersCommandShowsTheBriefingWithoutItsNewsPage)
{
    World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/riverside.vts")));
    World::pump();
    SendMessageA(world.handle(), WM_INITMENU, WPARAM(world.window().menu()), 0);
    EXPECT_FALSE(GetMenuState(world.window().menu(), menu_id::kShowOrders, MF_BYCOMMAND) & MF_GRAYED);
    bool missionFirst = false;
    bool noSettingsButton = false;
    dialogtest::drive(cp("ブリーフィング").c_str(),
        [&] { return SendMessageA(world.handle(), WM_COMMAND, menu_id::kShowOrders, 0); },
        [&](HWND briefing) {
            untilShown(briefing);
            auto* dialog = dynamic_cast<BriefingDialog*>(windowFromHandle(briefing));
            ASSERT_NE(dialog, nullptr);
            missionFirst = dialog->page() == BriefingPage::Mission && dialog->mode() == BriefingMode::DuringPlay;
            noSettingsButton = GetDlgItem(briefing, briefing_id::kMapSettings) == nullptr;
            PostMessageA(briefing, WM_CLOSE, 0, 0);
        });
    EXPECT_TRUE(missionFirst);
    EXPECT_TRUE(noSettingsButton);
}

TEST(MainWindowSetUp, TheClosingNewsComesBeforeTheEndingWindow)
{
    World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/riverside.vts")));
    World::pump();
    GameState& s = world.state();
    s.country(0).outcome = 1;
    bool endingDuringNews = true;
    bool endingAfterNews = false;
    dialogtest::drive(cp("ニュース").c_str(),
        [&] {
            world.window().runEndOfPlayWindows();
            return 0;
        },
        [&](HWND news) {
            untilShown(news);
            endingDuringNews = FindWindowA(nullptr, cp("戦果報告").c_str()) != nullptr;
            PostMessageA(news, WM_CLOSE, 0, 0);
            HWND ending = dialogtest::waitForWindow(cp("戦果報告").c_str());
            endingAfterNews = ending != nullptr;
            if (ending)
                PostMessageA(ending, WM_CLOSE, 0, 0);
        });
    EXPECT_FALSE(endingDuringNews);
    EXPECT_TRUE(endingAfterNews) << "the ending window follows the news";
}
