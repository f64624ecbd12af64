// The main window's steps around play: a new map's settings before it starts, the orders read again
// during play, and the closing news before the result.
#include "app/app_dialog_link.h"
#include "app/menu_ids.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/map_settings_ids.h"
#include "rules/game_thread.h"
#include "rules/play_handshake.h"
#include "tests/app/main_window_world.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/state/packed_value.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <tuple>

namespace {

using main_window_test::World;
namespace harness = platform::harness;
using dialogtest::settle;

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

HWND deepControl(HWND window, int id)
{
    if (HWND direct = GetDlgItem(window, id))
        return direct;
    struct Search {
        int id;
        HWND found;
    } search { id, nullptr };
    EnumChildWindows(window, [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(child) != s->id)
            return TRUE;
        s->found = child;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void click(HWND window, int id, int dx = -1)
{
    HWND target = deepControl(window, id);
    ASSERT_NE(target, nullptr) << id;
    RECT r {};
    GetClientRect(target, &r);
    POINT p { dx < 0 ? r.right / 2 : dx, r.bottom / 2 };
    ClientToScreen(target, &p);
    harness::click(p.x, p.y);
    settle();
}

void choose(HWND window, int id, const std::string& text)
{
    HWND combo = deepControl(window, id);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str()));
    ASSERT_GE(index, 0) << text;
    SendMessageA(combo, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(combo));
    settle();
}

// A dialog is found by its title while it still initialises: it is worked once its loop shows it.
void untilShown(HWND window)
{
    for (int i = 0; window && i < 500 && !IsWindowVisible(window); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    settle();
}

// The window written as a PNG when DERAZODO_SHOTS names a folder.
void shot(HWND window, const std::string& name)
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    if (!folder || !*folder)
        return;
    RECT r {};
    GetWindowRect(window, &r);
    std::filesystem::create_directories(folder);
    harness::writePng(harness::readRect(r), std::string(folder) + "/" + name + ".png");
}

std::string title(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

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
    namespace id = map_settings_id;
    int tabs = 0;
    bool refused = false;
    const bool started = dialogtest::drive(cp("マップ設定一覧").c_str(),
        [&] { return world.window().newGameFrom(world.gamePath("tkmap/pentagon.vtm")); },
        [&](HWND list) {
            untilShown(list);
            shot(list, "map_settings_list_pentagon");
            click(list, map_list_id::kChange);
            HWND settings = shownWindow(cp("マップ設定変更"));
            ASSERT_NE(settings, nullptr);
            tabs = int(SendMessageA(deepControl(settings, id::kTab), TCM_GETITEMCOUNT, 0, 0));
            shot(settings, "map_settings_pentagon");
            choose(settings, id::kParticipation, "COMP");
            SetWindowTextA(deepControl(settings, id::kFunds), "7777");
            click(settings, id::kAlliance + 1, 4);
            choose(settings, id::kParticipation, cp("不参戦"));
            const auto boxes = harness::messageBoxes();
            refused = boxes.size() == 1 && boxes[0].text == cp("同盟を結んでいる陣営は不参戦に設定できません。");
            click(settings, id::kOk);
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
    std::string bytes = std::to_string(s.historyCount()) + s.savePath() + title(world.handle())
        + std::to_string(s.handshake().playRun()) + (s.handshake().waitingForAnswer() ? "waits" : "runs");
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
        return dialogtest::drive(cp(setUpTitle).c_str(), [&] { return world.window().newGameFrom(world.gamePath(map)); },
            [&](HWND setUp) {
                untilShown(setUp);
                SetForegroundWindow(setUp);
                escape ? harness::pressKey(VK_ESCAPE) : click(setUp, map_list_id::kCancel);
                settle();
            });
    };
    EXPECT_FALSE(goBack());
    EXPECT_FALSE(world.state().handshake().playRunning());
    world.window().setGameSetUp([](swCWindow*) { return true; });
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    const std::string before = gameBytes(world);
    EXPECT_FALSE(goBack());
    World::pump();
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
