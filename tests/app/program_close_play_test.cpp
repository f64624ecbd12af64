// Closing the program in each state of a computer's turn: its fight shown in the scene or the
// simplified window, the thinking panel, a notice at a phase's start, the question a delegated turn
// asks before producing. The close ends the state at once, then the program, by the host's close,
// the main window's close box (where the state leaves it clickable) and a signal alike.
#include "tests/app/program_close_run.h"

#include <tuple>

namespace {

using namespace program_close_test;

class ProgramCloseInPlay : public ProgramCloseRun, public ::testing::WithParamInterface<std::tuple<std::string, CloseBy>> {
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

// A dialog of the given client size, as the simplified window (600 by 300) and the event notice are.
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

TEST_P(ProgramCloseInPlay, EachStateOfAComputersTurnGivesWayToTheClose)
{
    auto settings = [](int sleepTime, int sleepInterval, int showFight, int fightOnReal) {
        return [=] {
            makeNamedValue("SleepTime").profileWriteInt(sleepTime);
            makeNamedValue("SleepInterval").profileWriteInt(sleepInterval);
            makeNamedValue("ShowFight").profileWriteInt(showFight);
            makeNamedValue("FightOnReal").profileWriteInt(fightOnReal);
            // The person's second turn passes without its income shown, moves show their first hex.
            makeNamedValue("ShowIncome").profileWriteInt(0);
            makeNamedValue("TroopMoveAnim").profileWriteInt(2);
        };
    };
    auto start = [this](const char* map) { return [this, map] { startGame(map); }; };
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
        { "BattleScene", fightSceneShown, start("tkmap/front.vtm"), false, endTurn, settings(100, 0, 1, 1), pastFirstTurn },
        { "SimplifiedWindow", dialogSized(600, 300), start("tkmap/front.vtm"), false, endTurn, settings(100, 0, 1, 0), pastFirstTurn },
        // The longest pause the settings allow after each of the computer's steps.
        { "Thinking", thinking, start("tkmap/training.vtm"), false, endTurn, settings(kMaxSleepTime, 1, 0, 0), pastFirstTurn },
        // Play going on would bring its action phase and the thinking panel.
        { "ReinforcementNotice", reinforcementNotice, start("tkmap/reinforced.vtm"), false, endTurn, settings(100, 0, 0, 0),
            [=] { return thinking() != nullptr; } },
        // The person's turn handed to the computer, which asks before its production phase.
        { "ProductionQuestion", question, start("tkmap/lone.vtm"), true, [] { command(menu_id::kDelegateTurn); },
            settings(100, 0, 0, 0), pastFirstTurn },
    };
    const std::string name = std::get<0>(GetParam());
    const auto state = std::find_if(std::begin(states), std::end(states), [&](const ModalState& s) { return s.name == name; });
    ASSERT_NE(state, std::end(states)) << name;
    closeDuring(*state, std::get<1>(GetParam()));
}

std::string stateAndCloseName(const ::testing::TestParamInfo<std::tuple<std::string, CloseBy>>& info)
{
    return std::get<0>(info.param) + "_" + closeByName({ std::get<1>(info.param), info.index });
}

// The thinking panel and the scene leave the main window to be clicked; the simplified window, a
// notice and a question are modal and hold it disabled, as a dialog holds its owner.
INSTANTIATE_TEST_SUITE_P(MainWindowFree, ProgramCloseInPlay,
    ::testing::Combine(::testing::Values("BattleScene", "Thinking"),
        ::testing::Values(CloseBy::Desktop, CloseBy::CloseBox, CloseBy::Signal)),
    stateAndCloseName);
INSTANTIATE_TEST_SUITE_P(MainWindowHeld, ProgramCloseInPlay,
    ::testing::Combine(::testing::Values("SimplifiedWindow", "ReinforcementNotice", "ProductionQuestion"),
        ::testing::Values(CloseBy::Desktop, CloseBy::Signal)),
    stateAndCloseName);

} // namespace
