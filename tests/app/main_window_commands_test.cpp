// The main window's game commands: a new game starts play, the turn commands answer the game
// thread, save and resume round trip, and quitting never hangs.
#include "app/game_sound.h"
#include "app/map_window.h"
#include "dialogs/game_end_window.h"
#include "app/menu_ids.h"
#include "app/program_resources.h"
#include "app/tool_palette.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "rules/play_handshake.h"
#include "rules/combat.h"
#include "rules/combat_pair.h"
#include "rules/headless_links.h"
#include "state/game_settings.h"
#include "state/saved_game_file.h"
#include "state/unit_facts.h"
#include "tests/app/app_test_support.h"
#include "platform/user/modal_loop.h"
#include "tests/app/main_window_world.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/state/packed_value.h"
#include "ui/presentation.h"
#include "ui/private_messages.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>
#include <tuple>

namespace {

using main_window_test::World;
namespace harness = platform::harness;

using testing_app::cp;

std::string title(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool grayed(World& world, UINT id)
{
    SendMessageA(world.handle(), WM_INITMENU, WPARAM(world.window().menu()), 0);
    return (GetMenuState(world.window().menu(), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// The tool buttons whose menu item is greyed, or that are greyed while their item is not; the
// palette is read as the game thread's refreshes leave it, without opening a menu.
std::vector<UINT> toolsDisagreeingWithTheMenu(World& world)
{
    World::pump();
    auto* tools = dynamic_cast<ToolPalette*>(windowFromHandle(world.link().toolPalette()));
    std::vector<UINT> states;
    using namespace menu_id;
    for (UINT id : { kNewGame, kResumeGame, kSaveGameAs, kEndActionPhase, kEndTurn, kTroopList })
        states.push_back(tools && IsWindowEnabled(tools->button(id)));
    std::vector<UINT> wrong;
    size_t i = 0;
    for (UINT id : { kNewGame, kResumeGame, kSaveGameAs, kEndActionPhase, kEndTurn, kTroopList })
        if (bool(states[i++]) == grayed(world, id))
            wrong.push_back(id);
    return wrong;
}

} // namespace

TEST(MainWindowCommands, NewGameStartsPlayAndThePersonsTurnCommandsMoveThePhases)
{
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    EXPECT_TRUE(World::pumpUntil([&] { return state.handshake().playRunning(); }));
    EXPECT_NE(title(world.handle()), cp("新規ゲーム"));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    const int turn = state.turnBlock().turn;

    world.window().endTurn();
    World::pump();
    EXPECT_EQ(state.turnBlock().phase, kPhaseAction) << "end of turn waits for the production phase";
    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    world.window().endTurn();
    ASSERT_TRUE(world.pumpUntil([&] { return state.turnBlock().turn > turn; }));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    ASSERT_TRUE(world.quit());
    EXPECT_FALSE(state.handshake().playRunning());
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}

TEST(MainWindowCommands, MenusAndToolsOfferOnlyWhatThePhaseAllows)
{
    World world;
    world.dismissPopups();
    using namespace menu_id;
    EXPECT_FALSE(grayed(world, kNewGame));
    EXPECT_FALSE(grayed(world, kResumeGame));
    for (UINT id : { kSaveGameAs, kEndGame, kEndActionPhase, kEndTurn, kSurrender, kChangePlayers, kDelegateTurn })
        EXPECT_TRUE(grayed(world, id)) << id << " without a game";

    ASSERT_TRUE(world.startGame());
    for (UINT id : { kNewGame, kSaveGameAs, kEndGame, kEndActionPhase, kSurrender, kDelegateTurn })
        EXPECT_FALSE(grayed(world, id)) << id << " in the person's action phase";
    EXPECT_TRUE(grayed(world, kEndTurn));
    EXPECT_EQ(toolsDisagreeingWithTheMenu(world), std::vector<UINT> {});
    auto* tools = dynamic_cast<ToolPalette*>(windowFromHandle(world.link().toolPalette()));
    ASSERT_NE(tools, nullptr);

    // A unit order being given holds the game: nothing may interrupt it.
    world.state().handshake().setUnitCommandBeingSet(true);
    EXPECT_TRUE(grayed(world, kNewGame));
    EXPECT_TRUE(grayed(world, kEndActionPhase));
    world.link().postToolStates();
    EXPECT_EQ(toolsDisagreeingWithTheMenu(world), std::vector<UINT> {});
    EXPECT_FALSE(IsWindowEnabled(tools->button(kNewGame)));
    world.state().handshake().setUnitCommandBeingSet(false);

    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    EXPECT_FALSE(grayed(world, kEndTurn));
    EXPECT_TRUE(grayed(world, kEndActionPhase));
    EXPECT_TRUE(grayed(world, kDelegateTurn));
    EXPECT_EQ(toolsDisagreeingWithTheMenu(world), std::vector<UINT> {});
}

TEST(MainWindowCommands, SavedGameResumesAtTheTurnItWasSaved)
{
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    const std::string path = world.gamePath("save/first.wqm");
    ASSERT_TRUE(world.window().saveGameTo(path));
    const int turn = state.turnBlock().turn;
    const uint32_t funds = state.country(0).funds;

    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    ASSERT_TRUE(world.window().resumeGameFrom(path));
    World::pump();
    EXPECT_EQ(title(world.handle()), "first.wqm");
    EXPECT_EQ(state.savePath(), path);
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    EXPECT_EQ(state.turnBlock().turn, turn);
    EXPECT_EQ(packed(state.country(0).funds), funds);
}

// With no folder kept and the program's "save" folder gone, the save dialog starts in that folder
// all the same, where the resume list looks.
TEST(MainWindowCommands, SaveDialogStartsInTheSaveFolderEvenWhenItWentMissing)
{
    World world;
    world.dismissPopups();
    std::filesystem::remove_all(world.folder().host("save"));
    ASSERT_TRUE(world.startGame());
    dialogtest::drive(cp("名前を付けてｹﾞｰﾑを保存").c_str(), [&] { return SendMessageA(world.handle(), WM_COMMAND, menu_id::kSaveGameAs, 0); },
        [](HWND dialog) {
            SetDlgItemTextA(dialog, edt1, "kept.wqm");
            harness::keepShot("save_dialog_in_save_folder.png");
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
    EXPECT_TRUE(std::filesystem::exists(world.folder().host("save/kept.wqm")));
}

TEST(MainWindowCommands, AFailedSaveSaysWhyAndWhichSaveIsLeftAndChangesNothingInMemory)
{
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    const std::string path = world.gamePath("save/second.wqm"), first = world.gamePath("save/first.wqm");
    ASSERT_TRUE(world.window().saveGameTo(path) && world.window().saveGameTo(first));
    ASSERT_TRUE(saveGameFile(state, world.gamePath("save/before.wqm").c_str(), false));

    // A folder in the place of the game's temporary file: the game file cannot be written.
    std::filesystem::create_directory(world.folder().host("save/second.wqm.tmp"));
    harness::clearMessageBoxes();
    EXPECT_FALSE(world.window().saveGameTo(path));
    EXPECT_EQ(testing_lib::soleMessageBox(), cp("ゲームを保存できませんでした。\n") + path
            + cp("\n理由: 書き込みが許されていません（読み取り専用か、同じ名前のフォルダがあります）。\n"
                 "前のセーブデータがそのまま残っています。"));
    EXPECT_EQ(state.savePath(), first);
    ASSERT_TRUE(saveGameFile(state, world.gamePath("save/after.wqm").c_str(), false));
    EXPECT_TRUE(world.folder().read("save/before.wqm") == world.folder().read("save/after.wqm"));
}

TEST(MainWindowCommands, RefusedFilesAreToldAndLeaveNoGameRunning)
{
    World world;
    world.dismissPopups();
    world.folder().write("tkmap/broken.vtm", "not a map");
    world.folder().write("save/cut.wqm", "ZAFRONGDE0000002\x0a\x0a");
    EXPECT_FALSE(world.window().newGameFrom(world.gamePath("tkmap/broken.vtm")));
    EXPECT_FALSE(world.window().resumeGameFrom(world.gamePath("save/missing.wqm")));
    EXPECT_FALSE(world.window().resumeGameFrom(world.gamePath("save/cut.wqm")));
    EXPECT_FALSE(world.state().handshake().playRunning());
    auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, cp("注意"));
    // Each names the file and says why.
    EXPECT_EQ(boxes[0].text, cp("マップファイルを読み込めませんでした。\n") + world.gamePath("tkmap/broken.vtm")
            + cp("\n理由: ファイルが途中で切れています。"));
    EXPECT_EQ(boxes[1].text, cp("セーブデータを読み込めませんでした。\n") + world.gamePath("save/missing.wqm") + cp("\n理由: ファイルがありません。"));
    EXPECT_EQ(boxes[2].text, cp("セーブデータを読み込めませんでした。\n") + world.gamePath("save/cut.wqm") + cp("\n理由: ファイルが途中で切れています。"));
    EXPECT_EQ(title(world.handle()), cp("新規ゲーム"));
    EXPECT_FALSE(world.window().saveGameTo(world.gamePath("save/nothing.wqm"))) << "no game to save";
}

TEST(MainWindowCommands, QuitDuringAComputerTurnReturnsWithThePlayThreadEnded)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.startComputersGame());
    ASSERT_TRUE(World::pumpUntil([&] { return state.turnBlock().turn >= 1 && state.turnBlock().phase == kPhaseAction; }));
    ASSERT_TRUE(world.quit());
    EXPECT_EQ(state.handshake().playThread(), nullptr);
    EXPECT_FALSE(state.handshake().playRunning());
}

// After a computer action the map redraws only the hexes whose look changed: each time the game
// thread waits for the map, the screen and the back picture are those of a full redraw.
TEST(MainWindowCommands, ComputerActionsLeaveTheMapAsAFullRedrawDraws)
{
    // The computer's pauses and the map's pace are the program's time.
    harness::TestClock clock(harness::TestClock::Running);
    World world;
    ASSERT_TRUE(world.startComputersGame());
    MapWindow* map = world.window().mapWindow();
    ASSERT_NE(map, nullptr);
    RECT client {};
    GetClientRect(map->handle(), &client);
    MapWindowPoints(map->handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    const size_t width = size_t(client.right - client.left), area = width * size_t(client.bottom - client.top);
    auto shown = [&] {
        std::vector<uint32_t> pixels(map->backPixels(), map->backPixels() + area);
        const harness::Image screen = harness::readRect(client);
        pixels.insert(pixels.end(), screen.pixels.begin(), screen.pixels.end());
        return pixels;
    };
    // The back picture whole, the screen where the map shows on it (not under the thinking panel).
    auto differs = [&](const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i] && (i < area || WindowFromPoint({ client.left + LONG(i % width), client.top + LONG(i % area / width) }) == map->handle()))
                return true;
        return false;
    };
    // About two turns' actions, each answered after its check: the game thread stands still meanwhile.
    int compared = 0, differed = 0;
    MSG msg;
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30); compared < 24 && std::chrono::steady_clock::now() < end;) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            continue;
        }
        if (msg.hwnd == map->handle() && msg.message == ui_message::kMapRefresh && msg.wParam != 0) {
            map->refresh();
            const std::vector<uint32_t> partial = shown();
            map->fullRefresh();
            differed += differs(partial, shown());
            ++compared;
        }
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(compared, 24);
    EXPECT_EQ(differed, 0);
    world.quit();
}

TEST(MainWindowCommands, NewGameThroughTheSelectionDialogStartsTheEntryPreviewed)
{
    World world;
    world.dismissPopups();
    // Without a game the main window bears the dialog's title; the driver must find the dialog.
    SetWindowTextA(world.handle(), "main");
    dialogtest::drive(
        cp("新規ゲーム").c_str(), [&] { world.window().newGame(); return 0; },
        [&](HWND dialog) {
            dialogtest::untilShown(dialog);
            auto click = [](HWND control) {
                testing_lib::clickCentre(control);
                dialogtest::settle();
            };
            // Nothing previewed yet: Enter keeps the dialog open.
            harness::pressKey(VK_RETURN);
            dialogtest::settle();
            ASSERT_TRUE(IsWindow(dialog));
            click(GetDlgItem(dialog, 1002));
            for (int id = 1020; id <= 1033; ++id) {
                char name[64] = {};
                GetWindowTextA(GetDlgItem(dialog, id), name, sizeof name);
                if (std::string(name) == "training.vtm")
                    click(GetDlgItem(dialog, id));
            }
            harness::pressKey(VK_RETURN);
            dialogtest::settle();
        });
    EXPECT_TRUE(world.state().handshake().playRunning());
    EXPECT_TRUE(world.waitForPersonIn(kPhaseAction));
}

TEST(MainWindowCommands, ModeSwitchAsksWritesTheOtherModeAndAsksForARestart)
{
    World world;
    world.dismissPopups();
    harness::queueMessageBoxAnswer(IDNO);
    world.window().switchMode();
    EXPECT_TRUE(IsWindow(world.handle())) << "no keeps the program running";
    EXPECT_FALSE(theApplication().restartRequested());

    harness::queueMessageBoxAnswer(IDYES);
    world.window().switchMode();
    EXPECT_TRUE(World::pumpUntil([&] { return !IsWindow(world.handle()); })) << "the window goes from the loop";
    EXPECT_TRUE(theApplication().restartRequested());
    EXPECT_EQ(makeNamedValue("SimpleMode").profileReadInt(-1), 1);
    theApplication().clearRestartRequest();
}

// Each command that would give up a game asks first while a turn of it is not saved, and its
// question's default, no, keeps the game and opens nothing. Once saved the commands ask nothing.
TEST(MainWindowCommands, GivingUpAGameWithUnsavedTurnsIsAskedAndNoKeepsIt)
{
    World world;
    world.dismissPopups();
    ASSERT_TRUE(world.startGame());
    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    world.window().endTurn();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    for (const auto& [command, dialog, question] : { std::tuple { menu_id::kNewGame, "新規ゲーム", "ゲームを終了してよろしいですか？" },
             std::tuple { menu_id::kResumeGame, "ゲーム再開", "ゲームを終了してよろしいですか？" },
             std::tuple { menu_id::kSwitchMode, "モード切替", "シンプルモードに切り替えて再起動しますか？" } }) {
        harness::clearMessageBoxes();
        bool opened = false;
        dialogtest::drive(cp(dialog).c_str(), [&, command = command] { return SendMessageA(world.handle(), WM_COMMAND, command, 0); },
            [&](HWND) { opened = true; });
        EXPECT_EQ(testing_lib::soleMessageBox(), cp((std::string("このゲームには保存していないターンがあります。\n") + question).c_str()));
        EXPECT_FALSE(opened || theApplication().restartRequested());
    }
    ASSERT_TRUE(world.window().saveGameTo(world.gamePath("save/asked.wqm")));
    harness::clearMessageBoxes();
    EXPECT_TRUE(dialogtest::drive(cp("ゲーム再開").c_str(), [&] {
        SendMessageA(world.handle(), WM_COMMAND, menu_id::kResumeGame, 0);
        return harness::messageBoxes().empty();
    }, [](HWND) {}));
    // A new game has no save yet: the caption names its map, and its saves are offered no old name.
    ASSERT_TRUE(world.startGame("tkmap/duel.vtm"));
    EXPECT_EQ(title(world.handle()), "duel.vtm");
    EXPECT_EQ(world.state().savePath(), "");
}

// The person's turn on the continent at the largest zoom, scrolled to the top-left, the main
// window active and focused, popups answered; null when the game did not get there.
static MapWindow* mapAtTopLeftInThePersonsTurn(World& world)
{
    world.dismissPopups();
    if (!world.startGame("tkmap/continent.vtm"))
        return nullptr;
    MapWindow* map = world.window().mapWindow();
    if (!map)
        return nullptr;
    world.window().setZoom(2);
    World::pump();
    map->scrollTo(POINT { 0, 0 });
    SetActiveWindow(world.handle());
    SetFocus(world.handle());
    return map;
}

// The arrows scroll the map while the main window is active, but not while the window menu's
// 移動 or サイズ変更 moves or sizes the window by them.
TEST(MainWindowCommands, ArrowKeysScrollTheMapWhileTheMainWindowIsActive)
{
    World world;
    MapWindow* map = mapAtTopLeftInThePersonsTurn(world);
    ASSERT_NE(map, nullptr);
    ShowWindow(world.handle(), SW_RESTORE);
    World::pump();
    RECT before {}, after {};
    GetWindowRect(world.handle(), &before);
    // 元のサイズに戻す, then 移動: two arrows move the window 16 pixels, Enter keeps it there.
    harness::keyDown(VK_MENU), harness::pressKey(VK_SPACE), harness::keyUp(VK_MENU);
    for (UINT key : { VK_DOWN, VK_DOWN, VK_RETURN, VK_RIGHT, VK_RIGHT, VK_RETURN })
        harness::pressKey(key);
    ASSERT_TRUE(World::pumpUntil([&] { return GetWindowRect(world.handle(), &after) && after.left != before.left; }, std::chrono::seconds(5)));
    EXPECT_EQ(after.left, before.left + 16);
    EXPECT_EQ(map->viewOrigin().x, 0) << "the move's arrows did not scroll the map";

    harness::pressKey(VK_RIGHT);
    harness::pressKey(VK_DOWN);
    ASSERT_TRUE(World::pumpUntil([&] { return map->viewOrigin().y > 0; }, std::chrono::seconds(5)));
    EXPECT_GT(map->viewOrigin().x, 0);
}

// Each item of a menu has an access key of its own, so that one key chooses it.
TEST(MainWindowCommands, NoTwoItemsOfOneMenuShareAnAccessKey)
{
    HMENU bar = loadMainMenu();
    std::function<void(HMENU)> walk = [&](HMENU menu) {
        std::map<char, std::string> taken;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
            const std::string item = platform::cp932ToUtf8(text);
            if (size_t key = item.find('&') + 1; key > 0 && key < item.size()) {
                auto [first, fresh] = taken.emplace(char(std::toupper(item[key])), item);
                EXPECT_TRUE(fresh) << item << " and " << first->second;
            }
            if (HMENU sub = GetSubMenu(menu, i))
                walk(sub);
        }
    };
    walk(bar);
    DestroyMenu(bar);
}

// An open menu takes the arrows and the letters typed, whichever window had the focus before it.
TEST(MainWindowCommands, AnOpenMenuTakesTheArrowsAndTheLetters)
{
    World world;
    MapWindow* map = mapAtTopLeftInThePersonsTurn(world);
    ASSERT_NE(map, nullptr);
    const int zoomed = presentation().mapView().zoom;
    harness::keyDown(VK_MENU);
    harness::keyDown('V');
    harness::keyUp('V');
    harness::keyUp(VK_MENU);
    harness::pressKey(VK_DOWN); // from the first item, 縮小表示, to 標準表示
    harness::pressKey(VK_RETURN);
    ASSERT_TRUE(World::pumpUntil([&] { return presentation().mapView().zoom != zoomed; }, std::chrono::seconds(5)));
    EXPECT_EQ(presentation().mapView().zoom.load(), 1);

    // With a tool window's control focused, a menu opened by a click on the bar hears its letters.
    world.window().openWeaponList();
    World::pump();
    HWND list = world.window().weaponList();
    ASSERT_NE(list, nullptr);
    RECT r {};
    GetWindowRect(list, &r);
    harness::click(r.left + 40, r.bottom - 40);
    World::pump();
    ASSERT_EQ(GetAncestor(GetFocus(), GA_ROOT), list);
    RECT frame {};
    GetWindowRect(world.handle(), &frame);
    RECT client {};
    GetClientRect(world.handle(), &client);
    POINT origin { 0, 0 };
    ClientToScreen(world.handle(), &origin);
    // 表示(&V) is the third item of the bar, just above the client area.
    std::thread keys([] {
        for (int i = 0; i < 500 && !FindWindowA("#32768", nullptr); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        harness::typeText("3");
    });
    harness::click(origin.x + 150, origin.y - 8);
    ASSERT_TRUE(World::pumpUntil([&] { return presentation().mapView().zoom == 2; }, std::chrono::seconds(5)));
    keys.join();
}

// The tool windows have no menu bar: Alt+letter and F10 in them work the main window's. A refresh
// the game sends them leaves the keyboard where the person has it.
TEST(MainWindowCommands, ToolWindowsHandAltAndF10ToTheMenuBarAndRefreshesTakeNoActivation)
{
    World world;
    ASSERT_NE(mapAtTopLeftInThePersonsTurn(world), nullptr);
    // 表示(&V): its first item 縮小表示 (zoom 0), then 標準表示 (zoom 1) below it.
    int zoom = 1;
    for (unsigned tool : { menu_id::kCountryInfo, menu_id::kTerrainList, menu_id::kDestroyedList, menu_id::kTroopList }) {
        SendMessageA(world.handle(), WM_COMMAND, tool, 0);
        World::pump();
        ASSERT_NE(GetActiveWindow(), world.handle()) << tool;
        zoom = 1 - zoom;
        harness::keyDown(VK_MENU), harness::pressKey('V'), harness::keyUp(VK_MENU);
        harness::pressKey(zoom ? VK_DOWN : VK_HOME), harness::pressKey(VK_RETURN);
        EXPECT_TRUE(World::pumpUntil([&] { return presentation().mapView().zoom == zoom; }, std::chrono::seconds(5))) << tool;
    }
    harness::pressKey(VK_F10), harness::typeText("v"), harness::pressKey(VK_RETURN);
    EXPECT_TRUE(World::pumpUntil([&] { return presentation().mapView().zoom == 0; }, std::chrono::seconds(5))) << "F10";

    SetActiveWindow(world.handle());
    for (HWND list : { world.window().troopList(), world.window().destroyedList() })
        SendMessageA(list, ui_message::kTroopListRefresh, 0, 0);
    World::pump();
    EXPECT_EQ(GetActiveWindow(), world.handle());
}

// The zoom buttons keep the hex at the view's centre; a zoom that shows the whole map, and so
// cannot centre it, leaves that hex to come back to when the zoom grows again.
TEST(MainWindowCommands, ZoomButtonsKeepTheCentreHex)
{
    World world;
    MapWindow* map = mapAtTopLeftInThePersonsTurn(world);
    ASSERT_NE(map, nullptr);
    RECT view {};
    GetClientRect(map->handle(), &view);
    const POINT middle { view.right / 2, view.bottom / 2 };
    map->centreOn(world.state().mapWidth() / 2, world.state().mapHeight() / 2);
    World::pump();
    int x = -1, y = -1;
    ASSERT_TRUE(map->hexAtClient(middle, x, y));
    const HWND tools = world.link().toolPalette();
    for (UINT zoom : { menu_id::kZoom32, menu_id::kZoom48, menu_id::kZoom16, menu_id::kZoom32, menu_id::kZoom48 }) {
        testing_lib::clickCentre(GetDlgItem(tools, int(zoom)));
        ASSERT_TRUE(World::pumpUntil([&] { return presentation().mapView().zoom == int(zoom - menu_id::kZoom16); }, std::chrono::seconds(5)));
        harness::keepShot("zoom_" + std::to_string(zoom - menu_id::kZoom16) + ".png");
        if (zoom == menu_id::kZoom16) {
            EXPECT_EQ(map->viewOrigin().x, 0) << "the whole map is shown";
            continue;
        }
        int nowX = -1, nowY = -1;
        ASSERT_TRUE(map->hexAtClient(middle, nowX, nowY));
        EXPECT_LE(std::abs(nowX - x) + std::abs(nowY - y), 1) << "zoom " << zoom - menu_id::kZoom16 << ": " << nowX << ","
                                                              << nowY << " instead of " << x << "," << y;
    }
}

TEST(MainWindowCommands, TheWheelScrollsTheMapBeforeTheMapWasClicked)
{
    World world;
    MapWindow* map = mapAtTopLeftInThePersonsTurn(world);
    ASSERT_NE(map, nullptr);
    RECT frame {};
    GetWindowRect(world.link().mapWindow(), &frame);
    harness::wheel((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2, -WHEEL_DELTA);
    ASSERT_TRUE(World::pumpUntil([&] { return map->viewOrigin().y > 0; }, std::chrono::seconds(5)));
}

TEST(MainWindowCommands, SurrenderPutsThePersonOutAndEndOfGameStopsTheRest)
{
    harness::TestClock clock(harness::TestClock::Running);
    World world;
    world.dismissPopups();
    const std::atomic<int>& gameEnds = world.countGameEnds();
    GameState& state = world.state();
    // Three computers are left to play on.
    ASSERT_TRUE(world.startGame("tkmap/continent.vtm"));
    // Unanswered, the question takes its default button as Enter does: no.
    world.window().surrender();
    EXPECT_TRUE(state.handshake().waitingForAnswer()) << "no keeps the game going";
    EXPECT_EQ(packed(state.country(0).inPlay), 1);

    harness::queueMessageBoxAnswer(IDYES);
    world.window().surrender();
    World::pump();
    EXPECT_NE(packed(state.country(0).inPlay), 1);
    EXPECT_EQ(gameEnds.load(), 1) << "the surrender is announced in the game-end window";
    EXPECT_EQ(state.turnBlock().decided, 0);
    EXPECT_EQ(int(state.country(0).turnOut), 1);

    // The computers play on; ending the game stops them in the middle of their turns.
    ASSERT_TRUE(World::pumpUntil([&] { return state.turnBlock().currentCountry != 0; }));
    EXPECT_FALSE(grayed(world, menu_id::kEndGame));
    EXPECT_FALSE(grayed(world, menu_id::kNewGame));
    EXPECT_TRUE(grayed(world, menu_id::kSaveGameAs)) << "no save while a computer moves";
    harness::queueMessageBoxAnswer(IDYES);
    world.window().endGame();
    EXPECT_FALSE(state.handshake().playRunning());
    ASSERT_TRUE(world.settle());
    EXPECT_EQ(state.handshake().playThread(), nullptr);
    EXPECT_EQ(title(world.handle()), cp("新規ゲーム"));
}

TEST(MainWindowCommands, CampaignStartsWithItsFirstMap)
{
    World world;
    world.dismissPopups();
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/border.vtc")));
    EXPECT_TRUE(world.waitForPersonIn(kPhaseAction));
    EXPECT_EQ(world.state().campaignBlock().campaignFlag, 1);
}

namespace {

// Runs the change of players, setting countries (country, key in its list: VK_UP person, VK_DOWN
// computer) and confirming.
void changePlayers(World& world, const std::vector<std::pair<int, UINT>>& choices)
{
    dialogtest::drive(cp("プレイヤー変更").c_str(), [&] { world.window().changePlayers(); return 0; }, [&](HWND dialog) {
        dialogtest::untilShown(dialog);
        for (auto [country, key] : choices) {
            RECT r {};
            GetWindowRect(GetDlgItem(dialog, 1008 + country), &r);
            harness::click(r.left + 20, r.top + 8);
            dialogtest::settle();
            harness::pressKey(key);
            harness::pressKey(VK_RETURN);
            dialogtest::settle();
        }
        RECT ok {};
        GetWindowRect(GetDlgItem(dialog, 1006), &ok);
        harness::click(ok.left + 10, ok.top + 8);
        dialogtest::settle();
    });
}

} // namespace

TEST(MainWindowCommands, ChangeOfPlayersSwitchesCountriesBothWays)
{
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    // The computer's country goes to the person while the person's waits: nothing is answered.
    changePlayers(world, { { 1, VK_UP } });
    EXPECT_TRUE(state.isHumanCountry(1));
    EXPECT_TRUE(state.handshake().waitingForAnswer());
    EXPECT_EQ(state.turnBlock().viewingCountry, 0);

    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    world.window().endTurn();
    ASSERT_TRUE(World::pumpUntil([&] {
        const TurnBlock& turn = state.turnBlock();
        return state.handshake().waitingForAnswer() && turn.currentCountry == 1 && turn.phase == kPhaseAction;
    })) << "country 1 now waits for its person";

    // Country 1 back to the computer in its own phase: the wait is answered and the computer plays on.
    changePlayers(world, { { 1, VK_DOWN } });
    EXPECT_FALSE(state.isHumanCountry(1));
    EXPECT_EQ(state.turnBlock().viewingCountry, 0) << "the view goes to the person's country";
    ASSERT_TRUE(World::pumpUntil([&] { return state.turnBlock().currentCountry != 1 || state.turnBlock().phase != kPhaseAction; }));
    EXPECT_TRUE(state.handshake().playRunning());
    ASSERT_TRUE(world.quit());
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}

namespace {

// A game under way with its pieces on the board: play runs, the title names it, units stand on
// the map and buildings have their owners.
::testing::AssertionResult boardFull(World& world)
{
    GameState& state = world.state();
    if (!state.handshake().playRunning())
        return ::testing::AssertionFailure() << "play stopped";
    if (title(world.handle()) == cp("新規ゲーム"))
        return ::testing::AssertionFailure() << "no game in the title";
    int units = 0;
    for (int c = 0; c < kCountryCount; ++c)
        for (uint32_t i = 0; i < state.unitCount(c); ++i)
            if (const UnitRecord* u = state.unitOf(c, int(i)); u && unitInPlay(*u))
                ++units;
    int owned = 0;
    for (const BuildingRecord& b : state.buildings())
        owned += b.ownerPlusOne != 0;
    if (units == 0 || owned == 0)
        return ::testing::AssertionFailure() << units << " units, " << owned << " owned buildings";
    return ::testing::AssertionSuccess();
}

// Lets any message the stopped game left behind arrive, with the end-of-play timer's delay. A
// timer of this thread's own marks the delay's end, so that the running test clock jumps to it (and
// to any timer before it) instead of passing the time at real pace.
void settleAfterStart()
{
    const DWORD end = GetTickCount() + 700;
    const UINT_PTR mark = SetTimer(nullptr, 0, 700, nullptr);
    World::pumpUntil([&] { return GetTickCount() >= end; });
    KillTimer(nullptr, mark);
}

} // namespace

TEST(MainWindowCommands, NewGameOrResumeOverARunningGameLeavesAFullBoard)
{
    platform::harness::TestClock clock(platform::harness::TestClock::Running);
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    const std::string saved = world.gamePath("save/over.wqm");
    ASSERT_TRUE(world.window().saveGameTo(saved));
    for (int round = 0; round < 3; ++round) {
        // From the person's action phase.
        ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/riverside.vts")));
        ASSERT_TRUE(world.settle());
        settleAfterStart();
        EXPECT_TRUE(boardFull(world)) << "new game over the person's phase, round " << round;
        ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
        ASSERT_TRUE(world.window().resumeGameFrom(saved));
        ASSERT_TRUE(world.settle());
        settleAfterStart();
        EXPECT_TRUE(boardFull(world)) << "resume over the person's phase, round " << round;

        // From a computer's turn.
        ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
        world.window().endActionPhase();
        ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
        world.window().endTurn();
        ASSERT_TRUE(World::pumpUntil([&] { return state.turnBlock().currentCountry == 1; }));
        ASSERT_TRUE(world.window().resumeGameFrom(saved));
        ASSERT_TRUE(world.settle());
        settleAfterStart();
        EXPECT_TRUE(boardFull(world)) << "resume over a computer's turn, round " << round;
        ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
        world.window().endActionPhase();
        ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
        world.window().endTurn();
        ASSERT_TRUE(World::pumpUntil([&] { return state.turnBlock().currentCountry == 1; }));
        ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/continent.vtm")));
        ASSERT_TRUE(world.settle());
        settleAfterStart();
        EXPECT_TRUE(boardFull(world)) << "new game over a computer's turn, round " << round;
        ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    }
}

TEST(MainWindowCommands, EveryMapShowsThePersonsFogFromTheFirstTurn)
{
    World world;
    for (const char* map : { "tkmap/training.vtm", "tkmap/continent.vtm", "tkmap/riverside.vts", "tkmap/border.vtc" }) {
        ASSERT_TRUE(world.window().newGameFrom(world.gamePath(map))) << map;
        ASSERT_TRUE(world.waitForPersonIn(kPhaseAction)) << map;
        World::pump();
        ASSERT_NE(world.window().mapWindow(), nullptr);
        EXPECT_TRUE(world.state().ruleOn(kRuleSearch)) << map << " plays with fog";
        EXPECT_EQ(world.window().mapWindow()->fogViewer(), 0) << map;
    }
}

TEST(MainWindowCommands, AQuitAskedDuringAFightUnwindsItsWindowAndEndsAtTheTop)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());

    // The close box is clicked while the fight is on the screen: a message the fight window's own
    // loop hands to the main window.
    struct ClosingBattle : HeadlessBattle {
        HWND main = nullptr;
        GameState* state = nullptr;
        bool openAfterClose = false;
        bool playingAfterClose = false;
        void runBattleScene(BattleRecord&, bool) override { closeNow(); }
        void showSimpleBattle() override { closeNow(); }
        void closeNow()
        {
            platform::ModalLoopScope fightWindow;
            SendMessageA(main, WM_CLOSE, 0, 0);
            openAfterClose = IsWindow(main);
            playingAfterClose = state->handshake().playRunning();
        }
    } battle;
    battle.main = world.handle();
    battle.state = &state;
    setRulesLinks({ &world.link(), &appMapWindowLink(), &world.dialogs(), &battle });

    // The person's first unit fires at the nearest enemy, wherever it stands.
    int attacker = -1, defender = -1;
    for (uint32_t i = 0; i < state.unitCount(0) && attacker < 0; ++i)
        if (const UnitRecord* u = state.unitOf(0, int(i)); u && unitInPlay(*u) && u->isOnOwnHex())
            attacker = int(i);
    for (uint32_t i = 0; i < state.unitCount(1) && defender < 0; ++i)
        if (const UnitRecord* u = state.unitOf(1, int(i)); u && unitInPlay(*u) && u->isOnOwnHex())
            defender = int(i);
    ASSERT_GE(attacker, 0);
    ASSERT_GE(defender, 0);
    state.settings().showFight = true;
    CombatPair& pair = currentCombat(state);
    pair = CombatPair {};
    pair.setAttacker(state, 0, attacker, state.unitOf(0, attacker)->x, state.unitOf(0, attacker)->y, false);
    pair.setDefender(state, 1, defender);
    pair.computeValues(state);
    resolveCombat(state);

    EXPECT_TRUE(battle.openAfterClose) << "the window outlives the fight's code";
    EXPECT_FALSE(battle.playingAfterClose) << "play's stop is asked at once";
    EXPECT_TRUE(IsWindow(world.handle()));
    MSG quit {};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the loops unwind";
    EXPECT_TRUE(state.handshake().closeGate().closing());
    // The program's loop hands the close back at the top, and the window goes once play has stopped.
    SendMessageA(world.handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(World::pumpUntil([&] { return !IsWindow(world.handle()); }));
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}

TEST(MainWindowCommands, TheEndOfTurnIsConfirmedOnlyWhileTheSettingAsksForIt)
{
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));

    state.settings().showTurnEnd = true;
    harness::clearMessageBoxes();
    harness::queueMessageBoxAnswer(IDNO);
    world.window().endTurn();
    EXPECT_EQ(testing_lib::soleMessageBox(), cp("ターンを終了しますか？"));
    World::pump();
    EXPECT_TRUE(world.waitForPersonIn(kPhaseProduction)) << "no keeps the turn";

    state.settings().showTurnEnd = false;
    world.window().endTurn();
    EXPECT_EQ(harness::messageBoxes().size(), 1u) << "unasked";
    EXPECT_TRUE(World::pumpUntil([&] { return state.turnBlock().currentCountry != 0; }));
}

TEST(MainWindowCommands, TheMoneyAlarmSoundsWhenThePersonsFundsFallBelowIt)
{
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    namespace fs = std::filesystem;
    fs::create_directories(world.folder().host("tkwave"));
    fs::copy_file(fs::path(DERAZODO_PROGRAM_DIR) / "tkwave" / "dsse18.wav", world.folder().host("tkwave/dsse18.wav"));
    GameSound sound(world.handle(), state);
    GameSound* before = world.link().sound();
    world.link().setSound(&sound);
    ASSERT_TRUE(world.startGame());
    GameSettings& settings = state.settings();
    settings.playSe = true;
    settings.playMoneyAlarm = true;
    const uint32_t funds = state.country(0).funds;
    settings.moneyAlarm = int32_t(funds) - 10;
    sound.applySettings(settings);
    state.spendFunds(0, 5);
    EXPECT_FALSE(sound.isSoundPlaying(sound_slot::kMoneyAlarm)) << "still above the alarm";
    state.spendFunds(0, 10);
    EXPECT_TRUE(sound.isSoundPlaying(sound_slot::kMoneyAlarm));
    world.quit();
    world.link().setSound(before);
}

namespace {

// What the main window's thread sees inside a nested loop: the game thread's end reported there,
// and the game unloaded there (a way out's step run inside the loop).
std::atomic<bool> g_reportedNested { false };
bool g_unloadedNested = false;
GameState* g_watched = nullptr;

LRESULT CALLBACK watchNested(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (platform::modalLoopDepth() > 0) {
        g_reportedNested = g_reportedNested || (msg->message == ui_message::kPlayReport && msg->wParam == WPARAM(PlayReport::Stopped));
        g_unloadedNested = g_unloadedNested || g_watched->mapWidth() == 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

// A way out's next step runs from the program's own loop: one that falls due while a question
// opened after it is up (the game thread's end reported inside the question's loop) waits, the
// program idle meanwhile, until the question has gone. Meanwhile no new game or save starts.
TEST(MainWindowCommands, AWayOutsStepWaitsForTheNestedLoopsToEndAndNothingStartsMeanwhile)
{
    World world;
    world.dismissPopups();
    GameState& state = world.state();
    ASSERT_TRUE(world.startGame());
    ASSERT_TRUE(world.window().saveGameTo(world.gamePath("save/kept.wqm")));
    world.window().closeGame();
    EXPECT_FALSE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    EXPECT_FALSE(world.window().resumeGameFrom(world.gamePath("save/kept.wqm")));

    g_watched = &state;
    g_reportedNested = false;
    g_unloadedNested = false;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, watchNested, nullptr, GetCurrentThreadId());
    harness::setMessageBoxPolicy(false);
    std::atomic<bool> idle { false };
    std::thread person([&] {
        for (int i = 0; i < 1000 && !g_reportedNested; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        idle = harness::waitIdle();
        HWND box = FindWindowA(nullptr, "question");
        SetForegroundWindow(box);
        harness::waitIdle();
        harness::pressKey(VK_RETURN);
    });
    MessageBoxA(world.handle(), "question", "question", MB_OK);
    person.join();
    harness::setMessageBoxPolicy(true);
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(g_reportedNested);
    EXPECT_TRUE(idle) << "the step's message went round inside the question";
    EXPECT_FALSE(g_unloadedNested) << "the game was unloaded inside the question";
    EXPECT_GT(state.mapWidth(), 0);
    EXPECT_TRUE(world.settle());
    EXPECT_EQ(state.mapWidth(), 0) << "the game ends once the question has gone";
}
