// Closing the program in each state of a computer's turn: its fight shown in the scene or the
// simplified window, the thinking panel, a notice at a phase's start, the question a delegated turn
// asks before producing (the next turn's income due right after it), the income window. With
// turns unsaved a person's close asks first and the game waits while it asks; yes ends the
// program, no lets the same game go on. A signal asks nothing and ends the state at once.
#include "infowin/income_window.h"
#include "tests/app/program_close_run.h"

namespace {

using namespace program_close_test;

// How the close's question about unsaved turns is met.
enum class Answer { Yes, No, NotAsked };

struct CloseRow {
    const char* state;
    CloseBy by;
    Answer answer;
};

class ProgramCloseInPlay : public ProgramCloseRun, public ::testing::WithParamInterface<CloseRow> {
protected:
    void SetUp() override
    {
        ProgramCloseRun::SetUp();
        enableScenes();
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
    }
};

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

// The computer's first turn over: ignored, the close would let play go on to the person's second.
bool pastFirstTurn()
{
    MainWindow* window = mainWindow();
    return window && window->state().turnBlock().turn > 1;
}

TEST_P(ProgramCloseInPlay, EachStateOfAComputersTurnHoldsWhileTheCloseAsks)
{
    // SleepTime: the pause after each of the computer's steps; the question is held open for
    // several of them.
    auto settings = [](int sleepTime, int sleepInterval, int showFight, int fightOnReal, int showIncome) {
        return [=] {
            makeNamedValue("SleepTime").profileWriteInt(sleepTime);
            makeNamedValue("SleepInterval").profileWriteInt(sleepInterval);
            makeNamedValue("ShowFight").profileWriteInt(showFight);
            makeNamedValue("FightOnReal").profileWriteInt(fightOnReal);
            makeNamedValue("ShowIncome").profileWriteInt(showIncome);
            // Moves show their first hex.
            makeNamedValue("TroopMoveAnim").profileWriteInt(2);
        };
    };
    // Played turns, not saved: a person's close asks about them.
    auto start = [this](const char* map) { return [this, map] { startGame(map)->state().notePlay(); }; };
    const std::function<HWND()> thinking = ofClass("VKRC_THINKPROGRESSWINDOW_CNAME");
    // The computer's reinforcements come into the person's sight at its second turn's replenish phase.
    auto reinforcementNotice = [notice = dialogSized(284, 56)]() -> HWND {
        MainWindow* window = mainWindow();
        if (!window)
            return nullptr;
        const TurnBlock& turn = window->state().turnBlock();
        return turn.turn == 2 && turn.currentCountry == 1 && turn.phase == kPhaseReplenish ? notice() : nullptr;
    };
    const ModalState states[] = {
        { "BattleScene", fightSceneShown, start("tkmap/front.vtm"), false, endTurn, settings(100, 1, 1, 1, 0), pastFirstTurn, true },
        { "SimplifiedWindow", dialogSized(600, 300), start("tkmap/front.vtm"), false, endTurn, settings(100, 1, 1, 0, 0),
            pastFirstTurn, true },
        { "Thinking", thinking, start("tkmap/training.vtm"), false, endTurn, settings(100, 1, 0, 0, 0), pastFirstTurn },
        // Play going on would bring its action phase and the thinking panel.
        { "ReinforcementNotice", reinforcementNotice, start("tkmap/reinforced.vtm"), false, endTurn,
            settings(100, 1, 0, 0, 0), [=] { return thinking() != nullptr; } },
        // The person's turn handed to the computer, which asks before its production phase; the
        // computer's turn and the person's next income follow at once.
        { "ProductionQuestion", question, start("tkmap/lone.vtm"), true, [] { command(menu_id::kDelegateTurn); },
            settings(100, 1, 0, 0, 1), pastFirstTurn },
        // The person's second turn opens with its income. The income phase, under way, may end
        // under the close; the next phase no more.
        { "Income", dialogSized(IncomeWindow::kWidth, IncomeWindow::kHeight), start("tkmap/training.vtm"), false, endTurn,
            settings(0, 1, 0, 0, 1), [] { return gamePosition().size() > 1 && gamePosition()[1] > kPhaseSupply; } },
    };
    const CloseRow row = GetParam();
    const auto state = std::find_if(std::begin(states), std::end(states), [&](const ModalState& s) { return s.name == std::string(row.state); });
    ASSERT_NE(state, std::end(states)) << row.state;
    if (row.answer == Answer::NotAsked)
        closeDuring(*state, row.by);
    else
        closeAndAnswer(*state, row.by, row.answer == Answer::Yes);
}

std::string rowName(const ::testing::TestParamInfo<CloseRow>& info)
{
    const CloseRow& row = info.param;
    return std::string(row.state) + "_" + closeByText(row.by) + (row.answer == Answer::Yes ? "_Yes" : row.answer == Answer::No ? "_No" : "");
}

// The thinking panel and the scene leave the main window's close box to be clicked; the simplified
// window, a notice, a question and the income are modal and hold it disabled, as a dialog holds its
// owner. Alt+F4 goes to the window that has the keyboard.
INSTANTIATE_TEST_SUITE_P(, ProgramCloseInPlay,
    ::testing::Values(CloseRow { "BattleScene", CloseBy::Desktop, Answer::No }, CloseRow { "BattleScene", CloseBy::CloseBox, Answer::Yes },
        CloseRow { "BattleScene", CloseBy::AltF4, Answer::Yes }, CloseRow { "BattleScene", CloseBy::Signal, Answer::NotAsked },
        CloseRow { "SimplifiedWindow", CloseBy::Desktop, Answer::Yes }, CloseRow { "SimplifiedWindow", CloseBy::AltF4, Answer::No },
        CloseRow { "SimplifiedWindow", CloseBy::Signal, Answer::NotAsked }, CloseRow { "Thinking", CloseBy::CloseBox, Answer::No },
        CloseRow { "Thinking", CloseBy::AltF4, Answer::Yes }, CloseRow { "Thinking", CloseBy::Desktop, Answer::Yes },
        CloseRow { "Thinking", CloseBy::Signal, Answer::NotAsked }, CloseRow { "ReinforcementNotice", CloseBy::Desktop, Answer::Yes },
        CloseRow { "ReinforcementNotice", CloseBy::Signal, Answer::NotAsked },
        CloseRow { "ProductionQuestion", CloseBy::Desktop, Answer::No }, CloseRow { "ProductionQuestion", CloseBy::Desktop, Answer::Yes },
        CloseRow { "ProductionQuestion", CloseBy::Signal, Answer::NotAsked }, CloseRow { "Income", CloseBy::Desktop, Answer::No },
        CloseRow { "Income", CloseBy::Signal, Answer::NotAsked }),
    rowName);

} // namespace
