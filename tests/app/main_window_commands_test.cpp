// The main window's game commands: a new game starts play, the turn commands answer the game
// thread, save and resume round trip, and quitting never hangs.
#include "app/map_window.h"
#include "app/menu_ids.h"
#include "app/tool_palette.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "rules/play_handshake.h"
#include "tests/app/main_window_world.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/state/packed_value.h"

#include <filesystem>

namespace {

using main_window_test::World;
namespace harness = platform::harness;

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

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

} // namespace

TEST(MainWindowCommands, NewGameStartsPlayAndThePersonsTurnCommandsMoveThePhases)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    EXPECT_TRUE(state.handshake().playRunning());
    World::pump();
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
    world.window().quit();
    EXPECT_FALSE(IsWindow(world.handle()));
    EXPECT_FALSE(state.handshake().playRunning());
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}

TEST(MainWindowCommands, MenusAndToolsOfferOnlyWhatThePhaseAllows)
{
    World world;
    using namespace menu_id;
    EXPECT_FALSE(grayed(world, kNewGame));
    EXPECT_FALSE(grayed(world, kResumeGame));
    for (UINT id : { kSaveGameAs, kEndGame, kEndActionPhase, kEndTurn, kSurrender, kChangePlayers, kDelegateTurn })
        EXPECT_TRUE(grayed(world, id)) << id << " without a game";

    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    for (UINT id : { kNewGame, kSaveGameAs, kEndGame, kEndActionPhase, kSurrender, kDelegateTurn })
        EXPECT_FALSE(grayed(world, id)) << id << " in the person's action phase";
    EXPECT_TRUE(grayed(world, kEndTurn));
    World::pump();
    auto* tools = dynamic_cast<ToolPalette*>(windowFromHandle(world.link().toolPalette()));
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->enableStates(), ToolPalette::kCanInterrupt | ToolPalette::kCanEndGame);

    // A unit order being given holds the game: nothing may interrupt it.
    world.state().handshake().setUnitCommandBeingSet(true);
    EXPECT_TRUE(grayed(world, kNewGame));
    EXPECT_TRUE(grayed(world, kEndActionPhase));
    World::pump();
    EXPECT_EQ(tools->enableStates(), 0u);
    world.state().handshake().setUnitCommandBeingSet(false);

    world.window().endActionPhase();
    ASSERT_TRUE(world.waitForPersonIn(kPhaseProduction));
    EXPECT_FALSE(grayed(world, kEndTurn));
    EXPECT_TRUE(grayed(world, kEndActionPhase));
    EXPECT_TRUE(grayed(world, kDelegateTurn));
}

TEST(MainWindowCommands, SavedGameResumesAtTheTurnItWasSaved)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
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

TEST(MainWindowCommands, RefusedFilesAreToldAndLeaveNoGameRunning)
{
    World world;
    world.folder().write("tkmap/broken.vtm", "not a map");
    world.folder().write("save/cut.wqm", "ZAFRONGDE0000002\x0a\x0a");
    EXPECT_FALSE(world.window().newGameFrom(world.gamePath("tkmap/broken.vtm")));
    EXPECT_FALSE(world.window().resumeGameFrom(world.gamePath("save/missing.wqm")));
    EXPECT_FALSE(world.window().resumeGameFrom(world.gamePath("save/cut.wqm")));
    EXPECT_FALSE(world.state().handshake().playRunning());
    auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, cp("注意"));
    // Each says why, in the reader's words.
    EXPECT_EQ(boxes[0].text, cp("マップファイルを読み込めませんでした。\n") + world.gamePath("tkmap/broken.vtm")
            + cp("\n理由: file of 9 bytes is shorter than the header (at byte 0)"));
    EXPECT_EQ(boxes[1].text, cp("セーブデータを読み込めませんでした。\n") + world.gamePath("save/missing.wqm") + cp("\n理由: file not found"));
    EXPECT_NE(boxes[2].text.find(cp("理由: file ends in campaign block")), std::string::npos) << boxes[2].text;
    EXPECT_EQ(title(world.handle()), cp("新規ゲーム"));
    EXPECT_FALSE(world.window().saveGameTo(world.gamePath("save/nothing.wqm"))) << "no game to save";
}

TEST(MainWindowCommands, QuitDuringAComputerTurnReturnsWithThePlayThreadEnded)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(state.loadMapFile(world.gamePath("tkmap/continent.vtm").c_str()));
    for (int c = 0; c < kCountryCount; ++c)
        if (state.country(c).controller != 0)
            state.country(c).controller = 2;
    startPlay(state);
    ASSERT_TRUE(World::pumpUntil([&] { return state.turnBlock().turn >= 1 && state.turnBlock().phase == kPhaseAction; }));
    world.window().quit();
    EXPECT_FALSE(IsWindow(world.handle()));
    EXPECT_EQ(state.handshake().playThread(), nullptr);
    EXPECT_FALSE(state.handshake().playRunning());
}

TEST(MainWindowCommands, NewGameThroughTheFileDialogRefusesAMissingName)
{
    World world;
    dialogtest::drive(
        platform::utf8ToCp932("マップを開く").c_str(), [&] { world.window().newGame(); return 0; },
        [&](HWND dialog) {
            SetDlgItemTextA(dialog, edt1, "nothing.vtm");
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            dialogtest::settle();
            EXPECT_TRUE(IsWindow(dialog)) << "a missing file is refused";
            SetDlgItemTextA(dialog, edt1, "training.vtm");
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            dialogtest::settle();
        });
    EXPECT_TRUE(world.state().handshake().playRunning());
    EXPECT_TRUE(world.waitForPersonIn(kPhaseAction));
}

TEST(MainWindowCommands, ModeSwitchAsksWritesTheOtherModeAndAsksForARestart)
{
    World world;
    harness::queueMessageBoxAnswer(IDNO);
    world.window().switchMode();
    EXPECT_TRUE(IsWindow(world.handle())) << "no keeps the program running";
    EXPECT_FALSE(theApplication().restartRequested());

    harness::queueMessageBoxAnswer(IDYES);
    world.window().switchMode();
    EXPECT_FALSE(IsWindow(world.handle()));
    EXPECT_TRUE(theApplication().restartRequested());
    EXPECT_EQ(makeNamedValue("SimpleMode").profileReadInt(-1), 1);
    theApplication().clearRestartRequest();
}

// The person's turn on the continent at the largest zoom, scrolled to the top-left, the main
// window active and focused; null when the game did not get there.
static MapWindow* mapAtTopLeftInThePersonsTurn(World& world)
{
    if (!world.window().newGameFrom(world.gamePath("tkmap/continent.vtm")) || !world.waitForPersonIn(kPhaseAction))
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

TEST(MainWindowCommands, ArrowKeysScrollTheMapWhileTheMainWindowIsActive)
{
    World world;
    MapWindow* map = mapAtTopLeftInThePersonsTurn(world);
    ASSERT_NE(map, nullptr);
    harness::pressKey(VK_RIGHT);
    harness::pressKey(VK_DOWN);
    ASSERT_TRUE(World::pumpUntil([&] { return map->viewOrigin().y > 0; }, std::chrono::seconds(5)));
    EXPECT_GT(map->viewOrigin().x, 0);
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
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    harness::clearMessageBoxes();
    harness::queueMessageBoxAnswer(IDNO);
    world.window().surrender();
    EXPECT_TRUE(state.handshake().waitingForAnswer()) << "no keeps the game going";
    EXPECT_EQ(packed(state.country(0).inPlay), 1);

    harness::queueMessageBoxAnswer(IDYES);
    world.window().surrender();
    World::pump();
    EXPECT_NE(packed(state.country(0).inPlay), 1);
    bool told = false;
    for (const auto& box : harness::messageBoxes())
        told = told || box.text.find(cp("が降伏しました。")) != std::string::npos;
    EXPECT_TRUE(told) << "the surrender is announced";

    // The computers play on; ending the game stops them in the middle of their turns.
    ASSERT_TRUE(World::pumpUntil([&] { return state.turnBlock().currentCountry != 0; }));
    EXPECT_FALSE(grayed(world, menu_id::kEndGame));
    EXPECT_FALSE(grayed(world, menu_id::kNewGame));
    EXPECT_TRUE(grayed(world, menu_id::kSaveGameAs)) << "no save while a computer moves";
    harness::queueMessageBoxAnswer(IDYES);
    world.window().endGame();
    EXPECT_FALSE(state.handshake().playRunning());
    EXPECT_EQ(state.handshake().playThread(), nullptr);
    EXPECT_EQ(title(world.handle()), cp("新規ゲーム"));
}

TEST(MainWindowCommands, CampaignStartsWithItsFirstMap)
{
    World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/border.vtc")));
    EXPECT_EQ(world.state().campaignBlock().campaignFlag, 1);
    EXPECT_TRUE(world.waitForPersonIn(kPhaseAction));
}

TEST(MainWindowCommands, ChangeOfPlayersHandsThePersonsCountryToTheComputer)
{
    World world;
    GameState& state = world.state();
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(kPhaseAction));
    harness::queueMessageBoxAnswer(IDYES);
    world.window().changePlayers();
    EXPECT_FALSE(state.isHumanCountry(0));
    // The computer takes the same phase over and the game goes on without the person.
    ASSERT_TRUE(World::pumpUntil([&] { return state.turnBlock().currentCountry != 0 || state.turnBlock().phase != kPhaseAction; }));
    EXPECT_TRUE(state.handshake().playRunning());
    world.window().quit();
    EXPECT_EQ(state.handshake().playThread(), nullptr);
}
