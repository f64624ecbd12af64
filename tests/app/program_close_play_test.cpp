// Leaving a game in play by every way out (the program's close by the desktop, the close box,
// Alt+F4 or a signal, ゲーム終了, 新規ゲーム, ゲーム再開, モード切替) in each state of a computer's turn:
// its fight in the scene or the simplified window, the thinking panel, a notice, the question a
// delegated turn asks before producing, the income window, the game selection dialog of a way out,
// and the wait after a save is chosen. With turns unsaved the question comes once, the game stands
// still while it is open, and no new window shows; yes ends the program (or ends or replaces the
// game), no goes on with the same game and the same windows. A signal asks nothing and ends the run.
// The scene and the simplified window stand at their first frame (the clock is held) until the
// person's no lets them go on.
#include "ai/computer_players.h"
#include "dialogs/game_select_ids.h"
#include "infowin/income_window.h"
#include "tests/app/program_close_run.h"

#include <optional>
#include <set>

namespace {

using namespace program_close_test;

// How a person, or the system, leaves the game.
enum class Way { Desktop, CloseBox, AltF4, Signal, SecondClose, EndGame, NewGame, ResumeGame, SwitchMode };
enum class Answer { Yes, No, NotAsked };

struct LeaveRow {
    const char* state;
    Way way;
    Answer answer = Answer::NotAsked;
};

const char* wayName(Way way)
{
    const char* names[] = { "DesktopCloseButton", "MainWindowCloseBox", "AltF4", "Sigterm", "SecondClose", "GameEnd",
        "NewGame", "Resume", "ModeSwitch" };
    return names[int(way)];
}

bool closesProgram(Way way) { return way <= Way::SecondClose; }

// The computer player whose next action phase waits at its start until the test lets it go: the
// game thread busy with a step of its own, not resting.
class HeldTurnPlayer : public ComputerPlayer {
public:
    void rebuildAnalysis(GameState& state, int side) override { m_real.rebuildAnalysis(state, side); }
    void buildKnownHexLayers(GameState& state, int side) override { m_real.buildKnownHexLayers(state, side); }
    int playTurn(GameState& state, int side, const std::atomic<BYTE>& stop) override
    {
        if (armed.exchange(false)) {
            held = true;
            while (!released && stop.load() == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            held = false;
        }
        return m_real.playTurn(state, side, stop);
    }
    int planProduction(GameState& state, int country) override { return m_real.planProduction(state, country); }

    std::atomic<bool> armed { false }, held { false }, released { false };

private:
    AiComputerPlayer m_real;
};

HeldTurnPlayer g_heldPlayer;
GameThreadFactory g_heldThreads(g_heldPlayer);

// The save the ways out resume, made once the person's first turn lets it be saved; its turns
// are then played on, unsaved.
std::string g_savePath;
std::atomic<bool> g_saved { false };

void CALLBACK saveWhenOffered(HWND, UINT, UINT_PTR timer, DWORD)
{
    MainWindow* window = mainWindow();
    if (!window || !window->saveGameTo(g_savePath))
        return;
    KillTimer(nullptr, timer);
    window->state().notePlay();
    g_saved = true;
}

CloseGate* gate() { return mainWindow() ? &mainWindow()->state().handshake().closeGate() : nullptr; }

HWND fightSceneShown()
{
    HWND scene = FindWindowA(cp("防御側").c_str(), nullptr);
    return scene && IsWindowVisible(scene) ? scene : nullptr;
}

// A dialog of the given client size, as the simplified window (600 by 300), the event notice and
// the income window are.
std::function<HWND()> dialogSized(int width, int height)
{
    return [=] {
        return shownWindowMatching([=](HWND window, const std::string&, const std::string& className) {
            RECT client {};
            return className == "#32770" && GetClientRect(window, &client) && client.right == width && client.bottom == height;
        });
    };
}

std::string mainTitle()
{
    char text[128] = {};
    GetWindowTextA(theApplication().mainWindowHandle(), text, sizeof text);
    return text;
}

// Clicks the centre of a dialog's control, twice when asked.
void clickControl(HWND dialog, int id)
{
    RECT r {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Picks the first entry of the open game selection (a map, or the first save) and starts it; false
// while no selection shows.
bool chooseFirstGame()
{
    HWND dialog = titled("新規ゲーム")();
    const bool resume = !dialog && (dialog = titled("ゲーム再開")()) != nullptr;
    if (!dialog)
        return false;
    harness::waitIdle();
    if (resume) {
        // The save of a map game is listed under the maps'.
        clickControl(dialog, game_select_id::kCategoryMap);
        harness::waitIdle();
        HWND list = GetDlgItem(dialog, game_select_id::kSaveList);
        RECT row {};
        SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        POINT at { (row.left + row.right) / 2, (row.top + row.bottom) / 2 };
        ClientToScreen(list, &at);
        harness::click(at.x, at.y);
    } else {
        clickControl(dialog, game_select_id::kFirstEntry);
    }
    harness::waitIdle();
    // Offered once the entry has shown what it holds.
    if (!IsWindowEnabled(GetDlgItem(dialog, game_select_id::kStart)))
        return false;
    PostMessageA(dialog, WM_COMMAND, game_select_id::kStart, 0);
    harness::waitIdle();
    return true;
}

// The person's turn ended, while it is theirs.
void endPersonsTurn()
{
    MainWindow* window = mainWindow();
    if (window && window->state().turnBlock().currentCountry == 0 && window->state().handshake().waitingForAnswer())
        endTurn();
}

class ProgramCloseInPlay : public ProgramCloseRun, public ::testing::WithParamInterface<LeaveRow> {
protected:
    void SetUp() override
    {
        ProgramCloseRun::SetUp();
        enableScenes();
        g_heldPlayer.armed = g_heldPlayer.held = g_heldPlayer.released = false;
        // Two of the computer's tanks brought up to the road before the person's river bank: its
        // first turn fights.
        auto front = [](ScenarioFile& file) {
            auto& computer = file.units[1];
            computer[2].x = computer[3].x = 7;
            computer[2].y = 3;
            computer[3].y = 2;
        };
        writeTrainingMap("tkmap/front.vtm", front);
        // The two come there as reinforcements in its second turn, nothing intercepted on the way.
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

public:
    // A game of the map with its turns unsaved, a save of it in the save folder to resume, and
    // the held computer player's threads.
    std::function<void()> start(const char* map)
    {
        return [this, map] {
            setPlayThreadFactory(&g_heldThreads);
            g_savePath = gamePath("save/kept.wqm");
            g_saved = false;
            startGame(map);
            SetTimer(nullptr, 0, 10, saveWhenOffered);
        };
    }

protected:
    int m_restarts = 0;
};

// What shows the state, how it comes about, and how the game stands still in it.
struct PlayState {
    const char* name;
    std::function<void()> prepare; // settings before the run
    std::function<void()> open;    // in the program's loop
    std::function<void()> nudge;   // repeated until the state shows
    std::function<HWND()> shown;
    // Message boxes show and wait for the person rather than the test's answers.
    bool realBoxes = false;
    // The state's window stands at its first frame: the clock is held until no lets it go.
    bool held = false;
    // The game thread is held in a step of its own rather than resting.
    bool busy = false;
    // After no, what the person does so that play goes on (the state's window answered).
    std::function<void(HWND shown)> goOn = [](HWND) {};
};

// The states, by name.
std::vector<PlayState> playStates(ProgramCloseInPlay& test)
{
    // SleepTime: the pause after each of the computer's steps.
    auto settings = [](int sleepTime, int showFight, int fightOnReal, int showIncome) {
        return [=] {
            makeNamedValue("SleepTime").profileWriteInt(sleepTime);
            makeNamedValue("SleepInterval").profileWriteInt(1);
            makeNamedValue("ShowFight").profileWriteInt(showFight);
            makeNamedValue("FightOnReal").profileWriteInt(fightOnReal);
            makeNamedValue("ShowIncome").profileWriteInt(showIncome);
            makeNamedValue("TroopMoveAnim").profileWriteInt(0);
            makeNamedValue("ShowTurnEnd").profileWriteInt(0);
        };
    };
    const std::function<HWND()> thinking = ofClass("VKRC_THINKPROGRESSWINDOW_CNAME");
    // A way out of a computer's turn: its question answered yes, then its selection shown.
    auto leaveOnce = [thinking](UINT command) {
        return [=, asked = std::make_shared<bool>(false)] {
            if (!*asked && thinking()) {
                *asked = true;
                harness::setMessageBoxPolicy(false);
                PostMessageA(theApplication().mainWindowHandle(), WM_COMMAND, command, 0);
            } else if (HWND box = question(); box && *asked) {
                harness::waitIdle();
                harness::typeText("y");
            }
        };
    };
    // The person ends the fight shown, or the notice, with a click on it; the simplified window by its button.
    auto clickIt = [](HWND window) {
        RECT r {};
        GetWindowRect(window, &r);
        harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    return {
        { "Scene", settings(100, 1, 1, 0), test.start("tkmap/front.vtm"), endTurn, fightSceneShown, false, true, false, clickIt },
        { "Simplified", settings(100, 1, 0, 0), test.start("tkmap/front.vtm"), endTurn, dialogSized(600, 300), false, true,
            true, [](HWND window) { PostMessageA(window, WM_COMMAND, 1000, 0); } },
        { "Thinking", settings(100, 0, 0, 0), test.start("tkmap/training.vtm"), endTurn, thinking },
        // The computer's reinforcements come into the person's sight at its second turn's replenish phase.
        { "Notice", settings(100, 0, 0, 0), test.start("tkmap/reinforced.vtm"), endTurn,
            [notice = dialogSized(284, 56)]() -> HWND {
                MainWindow* window = mainWindow();
                const TurnBlock* turn = window ? &window->state().turnBlock() : nullptr;
                return turn && turn->turn == 2 && turn->currentCountry == 1 && turn->phase == kPhaseReplenish ? notice() : nullptr;
            },
            false, true, true, clickIt },
        // The person's turn handed to the computer, which asks before its production phase.
        { "ProductionQuestion", settings(100, 0, 0, 1), test.start("tkmap/lone.vtm"), [] { command(menu_id::kDelegateTurn); },
            question, true, false, false,
            [](HWND box) {
                SetForegroundWindow(box);
                harness::waitIdle();
                harness::typeText("n");
            } },
        // The person's second turn opens with its income.
        { "Income", settings(0, 0, 0, 1), test.start("tkmap/training.vtm"), endTurn,
            dialogSized(IncomeWindow::kWidth, IncomeWindow::kHeight), false, false, false,
            [](HWND income) { PostMessageA(income, WM_COMMAND, IncomeWindow::kCloseButton, 0); } },
        // 新規ゲーム during the computer's turn, its selection open.
        { "Selection", settings(100, 0, 0, 0), test.start("tkmap/training.vtm"),
            [leave = leaveOnce(menu_id::kNewGame)] {
                endPersonsTurn();
                leave();
            },
            titled("新規ゲーム"), true, false, false,
            [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, game_select_id::kCancel, 0); } },
        // ゲーム再開 during the computer's turn held in a step of its own: the save chosen, the
        // main window waits for the game to rest.
        { "SaveChosen", settings(100, 0, 0, 0), test.start("tkmap/training.vtm"),
            [leave = leaveOnce(menu_id::kResumeGame)] {
                g_heldPlayer.armed = g_heldPlayer.armed || !g_heldPlayer.held;
                endPersonsTurn();
                if (g_heldPlayer.held) {
                    leave();
                    chooseFirstGame();
                }
            },
            [] {
                MainWindow* window = mainWindow();
                const bool waiting = window && g_heldPlayer.held && window->leavingGame() && !titled("ゲーム再開")() && !question();
                return waiting ? window->handle() : nullptr;
            },
            false, false, true, [](HWND) { g_heldPlayer.released = true; } },
    };
}

TEST_P(ProgramCloseInPlay, EachWayOutOfAComputersTurnAsksOnceWhileTheGameStandsStill)
{
    const LeaveRow row = GetParam();
    std::vector<PlayState> states = playStates(*this);
    const auto found = std::find_if(states.begin(), states.end(), [&](const PlayState& s) { return s.name == std::string(row.state); });
    ASSERT_NE(found, states.end()) << row.state;
    const PlayState& state = *found;
    SCOPED_TRACE(std::string(state.name) + " " + wayName(row.way));
    std::optional<harness::TestClock> clock;

    std::set<std::string> faults;
    auto fault = [&](const std::string& text) { faults.insert(text); };
    int asked = 0;
    std::string titleBefore;
    bool wentOn = false;
    ModalState modal { state.name, state.shown, state.open, state.realBoxes, [&] {
                          if (g_saved)
                              state.nudge();
                      },
        state.prepare };
    runToClose(modal, [&](HWND shown, const std::atomic<bool>& ended) {
        if (!shown)
            return kill(getpid(), SIGTERM), void();
        // The fight shown stands where it is until no lets it go on, once its window is up (the
        // first timer of its loop).
        if (state.held) {
            waitForWindow([] { return gate() && !gate()->showsOnTheirWay() ? HWND(1) : nullptr; }, ended);
            clock.emplace(harness::TestClock::Held);
        }
        harness::setMessageBoxPolicy(false);
        harness::waitIdle();
        harness::clearMessageBoxes();
        titleBefore = mainTitle();
        const std::vector<HWND> before = shownWindows();
        const std::vector<uint32_t> positionBefore = gamePosition();
        auto perform = [&] {
            switch (row.way) {
            case Way::EndGame: command(menu_id::kEndGame); break;
            case Way::NewGame: command(menu_id::kNewGame); break;
            case Way::ResumeGame: command(menu_id::kResumeGame); break;
            case Way::SwitchMode: command(menu_id::kSwitchMode); break;
            case Way::CloseBox: sendClose(CloseBy::CloseBox, shown); break;
            case Way::AltF4: sendClose(CloseBy::AltF4, shown); break;
            case Way::Signal: sendClose(CloseBy::Signal, shown); break;
            default: sendClose(CloseBy::Desktop, shown); break;
            }
        };
        perform();
        if (row.answer == Answer::NotAsked)
            return;
        // The question comes over the state, and the game stands still under it.
        const HWND asking = waitForWindow([&] {
            HWND box = question();
            return box && std::find(before.begin(), before.end(), box) == before.end() ? box : nullptr;
        }, ended);
        if (!asking)
            return fault("nothing was asked"), kill(getpid(), SIGTERM), void();
        CloseGate* held = gate();
        const bool still = waitForWindow([&] { return state.busy || (held && held->resting()) ? asking : nullptr; }, ended) != nullptr;
        if (!still)
            fault("the game never came to rest under the question");
        harness::waitIdle();
        const std::vector<uint32_t> position = gamePosition();
        if (row.way == Way::SecondClose)
            perform();
        harness::waitIdle();
        if (gamePosition() != position)
            fault("the game went on under the question");
        if (const std::string opened = newWindow(before); !opened.empty() && titleOf(asking) != opened.substr(0, titleOf(asking).size()))
            fault("a window opened: " + opened);
        if (GetForegroundWindow() != asking)
            fault("the question lost the keys to " + titleOf(GetForegroundWindow()));
        keepShot(std::string(state.name) + "_" + wayName(row.way) + "_asked");
        harness::typeText(row.answer == Answer::Yes ? "y" : "n");
        if (row.answer == Answer::Yes && (closesProgram(row.way) || row.way == Way::SwitchMode))
            return;
        if (row.answer == Answer::Yes) {
            // The game ends, or the first map or save of the selection takes its place.
            if (row.way != Way::EndGame && !waitForWindow([] { return chooseFirstGame() ? HWND(1) : nullptr; }, ended))
                fault("no selection after yes");
            const bool replaced = waitForWindow([&] {
                MainWindow* window = mainWindow();
                if (!window || window->leavingGame())
                    return HWND(nullptr);
                GameState& game = window->state();
                // The save was made in the person's first action phase; a new game has its own name.
                const bool done = row.way == Way::EndGame ? game.mapWidth() == 0
                    : row.way == Way::ResumeGame          ? game.handshake().waitingForAnswer() && game.turnBlock().currentCountry == 0
                                                          : game.handshake().playRunning() && mainTitle() != titleBefore;
                // The old game's window went with it.
                return done && !IsWindowVisible(shown) ? window->handle() : nullptr;
            }, ended);
            if (!replaced) {
                keepShot(std::string(state.name) + "_" + wayName(row.way) + "_not_replaced");
                fault("the game was not ended or replaced");
            }
            return kill(getpid(), SIGTERM), void();
        }
        // No: the state's window is there as it was, and play goes on once the person lets it.
        harness::waitIdle();
        if (!IsWindowVisible(shown))
            fault("the state's window went with no");
        clock.reset();
        state.goOn(shown);
        wentOn = waitForWindow([&] { return gamePosition() != position && gamePosition() != positionBefore ? shown : nullptr; }, ended);
        if (!wentOn)
            keepShot(std::string(state.name) + "_" + wayName(row.way) + "_stood");
        kill(getpid(), SIGTERM);
    });
    for (const std::string& text : faults)
        ADD_FAILURE() << text;
    for (const auto& box : harness::messageBoxes())
        asked += box.text.rfind(unsavedQuestion(), 0) == 0;
    EXPECT_EQ(asked, row.answer == Answer::NotAsked ? 0 : 1) << "asked once";
    EXPECT_EQ(theApplication().exitCode(), 0);
    if (row.answer == Answer::No) {
        EXPECT_TRUE(wentOn) << "no lets the same game go on";
    }
    EXPECT_EQ(m_restarts, row.way == Way::SwitchMode && row.answer == Answer::Yes ? 1 : 0);
}

std::string rowName(const ::testing::TestParamInfo<LeaveRow>& info)
{
    const LeaveRow& row = info.param;
    return std::string(row.state) + "_" + wayName(row.way) + (row.answer == Answer::Yes ? "_Yes" : row.answer == Answer::No ? "_No" : "");
}

// The scene and the thinking panel leave the main window's commands and its close box to the person;
// the simplified window, a notice, a question, the income and the selection are modal and hold it
// disabled, so only a close reaches the program. Alt+F4 goes to the window that has the keyboard.
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
        LeaveRow { "Selection", Way::SecondClose, Answer::No }, LeaveRow { "SaveChosen", Way::Desktop, Answer::Yes },
        LeaveRow { "SaveChosen", Way::Desktop, Answer::No }, LeaveRow { "SaveChosen", Way::Signal },
        LeaveRow { "SaveChosen", Way::SecondClose, Answer::Yes }),
    rowName);

} // namespace
