// Leaving a game in play by every way out (the program's close by the desktop, the close box,
// Alt+F4 or a signal, ゲーム終了, 新規ゲーム, ゲーム再開, モード切替) in each state of a computer's turn:
// its fight in the scene or the simplified window, the thinking panel, a notice, the question a
// delegated turn asks, the income window, a way out's game selection, and the wait after a save
// is chosen. With turns unsaved the question comes once over the state, the game stands still
// under it and nothing opens; yes ends the program, or ends or replaces the game; no goes on with
// the same game and the same windows. A signal asks nothing. The fights shown stand at their
// first frame until no lets them go on.
#include "ai/computer_players.h"
#include "dialogs/map_settings_ids.h"
#include "infowin/income_window.h"
#include "tests/app/program_close_run.h"

#include <optional>
#include <set>

namespace {

using namespace program_close_test;

enum class Way { Desktop, CloseBox, AltF4, Signal, SecondClose, EndGame, NewGame, ResumeGame, SwitchMode };
const char* const kWayNames[] = { "DesktopCloseButton", "MainWindowCloseBox", "AltF4", "Sigterm", "SecondClose",
    "GameEnd", "NewGame", "Resume", "ModeSwitch" };
enum class Answer { Yes, No, NotAsked };

struct LeaveRow {
    const char* state;
    Way way;
    Answer answer = Answer::NotAsked;
};

// The computer player whose next turn waits at its start until the test lets it go: the game
// thread busy with a step of its own, not resting.
class HeldTurnPlayer : public ComputerPlayer {
public:
    void rebuildAnalysis(GameState& state, int side) override { m_real.rebuildAnalysis(state, side); }
    void buildKnownHexLayers(GameState& state, int side) override { m_real.buildKnownHexLayers(state, side); }
    int planProduction(GameState& state, int country) override { return m_real.planProduction(state, country); }
    int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) override
    {
        for (held = armed.exchange(false); held && !released && stop.load() == 0;)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        held = false;
        return m_real.playTurn(state, side, stop);
    }
    std::atomic<bool> armed { false }, held { false }, released { false };

private:
    AiComputerPlayer m_real;
};

HeldTurnPlayer g_player;
GameThreadFactory g_threads(g_player);

// The save the ways out resume, made once the person's first turn may be saved; the game then goes
// on unsaved.
std::string g_savePath;
std::atomic<bool> g_saved { false };

void CALLBACK saveWhenOffered(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (MainWindow* window = mainWindow(); window && window->saveGameTo(g_savePath)) {
        KillTimer(nullptr, timer);
        window->state().notePlay();
        g_saved = true;
    }
}

CloseGate* gate() { return mainWindow() ? &mainWindow()->state().handshake().closeGate() : nullptr; }

std::string mainTitle()
{
    char text[128] = {};
    GetWindowTextA(theApplication().mainWindowHandle(), text, sizeof text);
    return text;
}

// A dialog of the given client size, as the simplified window, the event notice and the income are.
std::function<HWND()> dialogSized(int width, int height)
{
    return [=] {
        return shownWindowMatching([=](HWND window, const std::string&, const std::string& className) {
            RECT client {};
            return className == "#32770" && GetClientRect(window, &client) && client.right == width && client.bottom == height;
        });
    };
}

// The person's turn ended, while it is theirs; the turn it waits in is the computer's.
void endPersonsTurn()
{
    MainWindow* window = mainWindow();
    if (window && window->state().turnBlock().currentCountry == 0 && window->state().handshake().waitingForAnswer())
        endTurn();
}

std::vector<ModalState> playStates(const std::function<std::function<void()>(const char* map)>& start)
{
    // SleepTime: the pause after each of the computer's steps.
    auto settings = [](int sleepTime, int showFight, int fightOnReal, int showIncome) {
        return [=] {
            for (auto [name, value] : { std::pair { "SleepTime", sleepTime }, { "SleepInterval", 1 }, { "ShowFight", showFight },
                     { "FightOnReal", fightOnReal }, { "ShowIncome", showIncome }, { "TroopMoveAnim", 0 }, { "ShowTurnEnd", 0 } })
                makeNamedValue(name).profileWriteInt(value);
        };
    };
    const std::function<HWND()> thinking = ofClass("VKRC_THINKPROGRESSWINDOW_CNAME");
    // The way out chosen once the computer thinks, its question answered yes and its selection made.
    // With heldTurn, the computer's turn is held in a step of its own first.
    auto leaveBy = [thinking](UINT command, bool choose, bool heldTurn = true) {
        return [=, asked = std::make_shared<bool>(false)] {
            endPersonsTurn();
            if (HWND box = question(); box && *asked) {
                harness::waitIdle();
                harness::typeText("y");
            } else if (!*asked && thinking() && (!choose || !heldTurn || g_player.held)) {
                *asked = true;
                PostMessageA(theApplication().mainWindowHandle(), WM_COMMAND, command, 0);
            } else if (choose && *asked) {
                chooseFirstGame();
            }
        };
    };
    auto click = [](HWND window) { clickAt(window); };
    auto answer = [](HWND box) {
        SetForegroundWindow(box);
        harness::waitIdle();
        harness::typeText("n");
    };
    return {
        { "Scene",
            []() -> HWND {
                HWND scene = FindWindowA(cp("防御側").c_str(), nullptr);
                return IsWindowVisible(scene) ? scene : nullptr;
            },
            start("tkmap/front.vtm"), false, endTurn,
            settings(100, 1, 1, 0), true, false, click },
        { "Simplified", dialogSized(600, 300), start("tkmap/front.vtm"), false, endTurn, settings(100, 1, 0, 0), true, true,
            [](HWND window) { PostMessageA(window, WM_COMMAND, IDOK, 0); } },
        { "Thinking", thinking, start("tkmap/training.vtm"), false, endTurn, settings(100, 0, 0, 0) },
        // The computer's reinforcements come into the person's sight at its second turn's replenish phase.
        { "Notice",
            [notice = dialogSized(284, 56)]() -> HWND {
                const TurnBlock* turn = mainWindow() ? &mainWindow()->state().turnBlock() : nullptr;
                return turn && turn->turn == 2 && turn->currentCountry == 1 && turn->phase == kPhaseReplenish ? notice() : nullptr;
            },
            start("tkmap/reinforced.vtm"), false, endTurn, settings(100, 0, 0, 0), true, true, click },
        // The person's turn handed to the computer, which asks before its production phase.
        { "ProductionQuestion", question, start("tkmap/lone.vtm"), true, [] { command(menu_id::kDelegateTurn); },
            settings(100, 0, 0, 1), false, false, answer },
        // The person's second turn opens with its income.
        { "Income", dialogSized(IncomeWindow::kWidth, IncomeWindow::kHeight), start("tkmap/training.vtm"), false, endTurn,
            settings(0, 0, 0, 1), false, false, [](HWND income) { PostMessageA(income, WM_COMMAND, IncomeWindow::kCloseButton, 0); } },
        { "Selection", titled("新規ゲーム"), start("tkmap/training.vtm"), true, leaveBy(menu_id::kNewGame, false),
            settings(100, 0, 0, 0), false, false, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, game_select_id::kCancel, 0); } },
        // 新規ゲーム while the computer thinks, its first map chosen: the set-up shows with the game
        // set aside, and its cancel lets that game go on.
        { "SetUp", setUpDialog,
            [open = start("tkmap/training.vtm")] {
                open();
                whenPersonWaits([] { mainWindow()->setGameSetUp({}); });
            },
            true, leaveBy(menu_id::kNewGame, true, false), settings(100, 0, 0, 0), false, false,
            [](HWND setUp) {
                PostMessageA(setUp, WM_COMMAND, titled("マップ設定一覧")() == setUp ? map_list_id::kCancel : IDCANCEL, 0);
            } },
        // ゲーム再開 while the computer's turn is held in a step of its own: the save chosen, the
        // main window waits for the game to rest. The game is given up: a close asks nothing more.
        { "SaveChosen",
            [] {
                MainWindow* window = mainWindow();
                return window && g_player.held && window->exitWait() == MainWindow::ExitWait::Rest ? window->handle() : nullptr;
            },
            start("tkmap/training.vtm"), true,
            [leave = leaveBy(menu_id::kResumeGame, true)] {
                g_player.armed = g_player.armed || !g_player.held;
                leave();
            },
            settings(100, 0, 0, 0), false, true, [](HWND) { g_player.released = true; } },
    };
}

class ProgramCloseInPlay : public ProgramCloseRun, public ::testing::WithParamInterface<LeaveRow> {
protected:
    void SetUp() override
    {
        ProgramCloseRun::SetUp();
        enableScenes();
        g_player.armed = g_player.held = g_player.released = false;
        // Two of the computer's tanks brought up to the road before the person's river bank: its
        // first turn fights; or they come there as reinforcements in its second, unintercepted.
        auto front = [](ScenarioFile& file) {
            auto& computer = file.units[1];
            computer[2].x = computer[3].x = 7;
            computer[2].y = 3;
            computer[3].y = 2;
        };
        writeTrainingMap("tkmap/front.vtm", front);
        writeTrainingMap("tkmap/reinforced.vtm", [&](ScenarioFile& file) {
            front(file);
            file.units[1][2].stateLow = file.units[1][3].stateLow = 2;
            file.rules.switches[kRuleInterception] = 0;
        });
        // The person with a single unit, whose turn the computer plays at once.
        writeTrainingMap("tkmap/lone.vtm", [](ScenarioFile& file) {
            for (size_t i = 1; i < file.units[0].size(); ++i)
                file.units[0][i].stateLow = 0;
        });
        platform::setRestartStandIn([this](const std::string&) { return ++m_restarts, true; });
    }
    void TearDown() override
    {
        platform::setRestartStandIn({});
        ProgramCloseRun::TearDown();
    }
    // A game of the map on the held player's threads, its save made once it may be.
    std::function<void()> start(const char* map)
    {
        return [this, map] {
            setPlayThreadFactory(&g_threads);
            g_savePath = gamePath("save/kept.wqm");
            g_saved = false;
            startGame(map);
            SetTimer(nullptr, 0, 10, saveWhenOffered);
        };
    }
    int m_restarts = 0;
};

TEST_P(ProgramCloseInPlay, EachWayOutOfAComputersTurnAsksOnceWhileTheGameStandsStill)
{
    const LeaveRow row = GetParam();
    const std::vector<ModalState> states = playStates([this](const char* map) { return start(map); });
    const auto found = std::find_if(states.begin(), states.end(), [&](const ModalState& s) { return s.name == std::string(row.state); });
    ASSERT_NE(found, states.end()) << row.state;
    ModalState state = *found;
    state.nudge = [nudge = state.nudge] { g_saved ? nudge() : void(); };
    const std::string name = std::string(state.name) + "_" + kWayNames[int(row.way)];
    SCOPED_TRACE(name);
    std::optional<harness::TestClock> clock;
    std::set<std::string> faults;
    bool wentOn = false;
    runToClose(state, [&](HWND shown, const std::atomic<bool>& ended) {
        // The fight shown stands where it is once its window is up (its loop's first timer).
        if (state.held && waitForWindow([] { return gate() && !gate()->showsOnTheirWay() ? HWND(1) : nullptr; }, ended))
            clock.emplace(harness::TestClock::Held);
        harness::setMessageBoxPolicy(false);
        harness::waitIdle();
        harness::clearMessageBoxes();
        const std::string title = mainTitle();
        const std::vector<HWND> before = shownWindows();
        const std::vector<uint32_t> positionBefore = gamePosition();
        const UINT commands[] = { 0, 0, 0, 0, 0, menu_id::kEndGame, menu_id::kNewGame, menu_id::kResumeGame, menu_id::kSwitchMode };
        const CloseBy closes[] = { CloseBy::Desktop, CloseBy::CloseBox, CloseBy::AltF4, CloseBy::Signal, CloseBy::Desktop };
        auto perform = [&] { commands[int(row.way)] ? command(commands[int(row.way)]) : sendClose(closes[int(row.way)], shown); };
        perform();
        if (row.answer == Answer::NotAsked)
            return;
        const HWND asking = waitForWindow([&] {
            HWND box = question();
            return box && std::find(before.begin(), before.end(), box) == before.end() ? box : nullptr;
        }, ended);
        if (!asking)
            return faults.insert("nothing was asked"), kill(getpid(), SIGTERM), void();
        // Under the question the game rests (or its window stands), and a second close asks nothing more.
        // The hold is the way out's: a game thread at rest in any other wait could go on.
        if (!waitForWindow([&] { return gate() && (state.busy ? gate()->held() : gate()->restingHeld()) ? asking : nullptr; }, ended))
            faults.insert("the game never came to rest under the question");
        harness::waitIdle();
        const std::vector<uint32_t> position = gamePosition();
        if (row.way == Way::SecondClose)
            perform();
        harness::waitIdle();
        if (gamePosition() != position)
            faults.insert("the game went on under the question");
        if (const std::string opened = newWindow(before); !opened.empty() && opened.rfind(titleOf(asking), 0) != 0)
            faults.insert("a window opened: " + opened);
        if (GetForegroundWindow() != asking)
            faults.insert("the question lost the keys to " + titleOf(GetForegroundWindow()));
        keepShot(name + "_asked");
        // Yes ends the program with the clock held: nothing of the end waits for a timer.
        const bool ends = row.answer == Answer::Yes && (row.way <= Way::SecondClose || row.way == Way::SwitchMode);
        if (ends && !clock)
            clock.emplace(harness::TestClock::Held);
        harness::typeText(row.answer == Answer::Yes ? "y" : "n");
        if (ends)
            return;
        if (row.answer == Answer::Yes) {
            // The game ends, or the first map or save of the selection takes its place, and the
            // old game's window goes with it.
            if (row.way != Way::EndGame && !waitForWindow([] { return chooseFirstGame() ? HWND(1) : nullptr; }, ended))
                faults.insert("no selection after yes");
            const bool replaced = waitForWindow([&] {
                MainWindow* window = mainWindow();
                if (!window || window->leavingGame() || IsWindowVisible(shown))
                    return HWND(nullptr);
                GameState& game = window->state();
                // The save was made in the person's first action phase; a new game has its own name.
                const bool done = row.way == Way::EndGame ? game.mapWidth() == 0
                    : row.way == Way::ResumeGame          ? game.handshake().waitingForAnswer() && game.turnBlock().currentCountry == 0
                                                          : game.handshake().playRunning() && mainTitle() != title;
                return done ? window->handle() : nullptr;
            }, ended);
            if (!replaced)
                faults.insert("the game was not ended or replaced");
            return kill(getpid(), SIGTERM), void();
        }
        // No: the state's window is there as it was, and play goes on once the person lets it.
        harness::waitIdle();
        if (!IsWindowVisible(shown))
            faults.insert("the state's window went with no");
        clock.reset();
        state.goOn(shown);
        wentOn = waitForWindow([&] { return gamePosition() != position && gamePosition() != positionBefore ? shown : nullptr; }, ended);
        kill(getpid(), SIGTERM);
    });
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
    const auto boxes = harness::messageBoxes();
    EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(), [](const auto& box) { return box.text.rfind(unsavedQuestion(), 0) == 0; }),
        row.answer == Answer::NotAsked ? 0 : 1)
        << "asked once";
    EXPECT_EQ(theApplication().exitCode(), 0);
    EXPECT_EQ(wentOn, row.answer == Answer::No) << "no lets the same game go on";
    EXPECT_EQ(m_restarts, row.way == Way::SwitchMode && row.answer == Answer::Yes ? 1 : 0);
}

// The scene and the thinking panel leave the main window's commands and its close box to the person;
// the simplified window, a notice, a question, the income and the selection are modal and hold it
// disabled, so that only a close reaches the program. Alt+F4 goes to the window that has the keyboard.
INSTANTIATE_TEST_SUITE_P(, ProgramCloseInPlay,
    ::testing::Values(LeaveRow { "Scene", Way::Desktop, Answer::No }, LeaveRow { "Scene", Way::CloseBox, Answer::Yes },
        LeaveRow { "Scene", Way::AltF4, Answer::Yes }, LeaveRow { "Scene", Way::Signal },
        LeaveRow { "Scene", Way::SecondClose, Answer::Yes }, LeaveRow { "Scene", Way::NewGame, Answer::Yes },
        LeaveRow { "Scene", Way::ResumeGame, Answer::No }, LeaveRow { "Scene", Way::EndGame, Answer::Yes },
        LeaveRow { "Scene", Way::SwitchMode, Answer::No }, LeaveRow { "Simplified", Way::Desktop, Answer::Yes },
        LeaveRow { "Simplified", Way::AltF4, Answer::No }, LeaveRow { "Simplified", Way::Signal },
        LeaveRow { "Simplified", Way::SecondClose, Answer::No }, LeaveRow { "Thinking", Way::CloseBox, Answer::No },
        LeaveRow { "Thinking", Way::AltF4, Answer::Yes }, LeaveRow { "Thinking", Way::Signal },
        LeaveRow { "Thinking", Way::SecondClose, Answer::Yes }, LeaveRow { "Thinking", Way::EndGame, Answer::No },
        LeaveRow { "Thinking", Way::NewGame, Answer::No }, LeaveRow { "Thinking", Way::ResumeGame, Answer::Yes },
        LeaveRow { "Thinking", Way::SwitchMode, Answer::Yes }, LeaveRow { "Notice", Way::Desktop, Answer::Yes },
        LeaveRow { "Notice", Way::Signal }, LeaveRow { "ProductionQuestion", Way::Desktop, Answer::No },
        LeaveRow { "ProductionQuestion", Way::Desktop, Answer::Yes }, LeaveRow { "ProductionQuestion", Way::Signal },
        LeaveRow { "ProductionQuestion", Way::SecondClose, Answer::Yes }, LeaveRow { "Income", Way::Desktop, Answer::No },
        LeaveRow { "Income", Way::Desktop, Answer::Yes }, LeaveRow { "Income", Way::Signal },
        LeaveRow { "Income", Way::SecondClose, Answer::No }, LeaveRow { "Selection", Way::Desktop, Answer::Yes },
        LeaveRow { "Selection", Way::Desktop, Answer::No }, LeaveRow { "Selection", Way::Signal },
        LeaveRow { "Selection", Way::SecondClose, Answer::No }, LeaveRow { "SetUp", Way::Desktop, Answer::Yes },
        LeaveRow { "SetUp", Way::Desktop, Answer::No }, LeaveRow { "SetUp", Way::Signal },
        LeaveRow { "SetUp", Way::SecondClose, Answer::No }, LeaveRow { "SaveChosen", Way::Desktop },
        LeaveRow { "SaveChosen", Way::CloseBox }, LeaveRow { "SaveChosen", Way::Signal }),
    [](const ::testing::TestParamInfo<LeaveRow>& info) {
        const LeaveRow& row = info.param;
        return std::string(row.state) + "_" + kWayNames[int(row.way)] + (row.answer == Answer::Yes ? "_Yes" : row.answer == Answer::No ? "_No" : "");
    });

} // namespace
