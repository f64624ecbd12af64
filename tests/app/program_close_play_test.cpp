// Closing the program during a computer's turn while its fight is shown: the close ends the scene
// or the simplified window at once, then the program, by the host's close, the main window's close
// box and a signal alike.
#include "tests/app/program_close_run.h"

namespace {

using namespace program_close_test;

class ProgramCloseInPlay : public ProgramCloseRun {
protected:
    void SetUp() override
    {
        ProgramCloseRun::SetUp();
        enableScenes();
        writeFrontMap();
    }
};

HWND fightSceneShown()
{
    HWND scene = FindWindowA(cp("防御側").c_str(), nullptr);
    return scene && IsWindowVisible(scene) ? scene : nullptr;
}

// The simplified window: a dialog whose client is 600 by 300.
HWND simplifiedFightShown()
{
    return shownWindowMatching([](HWND window, const std::string&, const std::string& className) {
        RECT client {};
        return className == "#32770" && GetClientRect(window, &client) && client.right == 600 && client.bottom == 300;
    });
}

TEST_P(ProgramCloseInPlay, AComputersFightShownGivesWayToTheClose)
{
    // The computer's first turn: ignored, the close would let it go on to the person's second.
    auto nextTurn = [] {
        MainWindow* window = mainWindow();
        return window && window->state().turnBlock().turn > 1;
    };
    auto fightOn = [](bool real) {
        return [real] {
            makeNamedValue("SleepInterval").profileWriteInt(0);
            makeNamedValue("ShowFight").profileWriteInt(1);
            makeNamedValue("FightOnReal").profileWriteInt(real ? 1 : 0);
        };
    };
    const ModalState states[] = {
        { "battle scene", fightSceneShown, [this] { startGame("tkmap/front.vtm"); }, false, endTurn, fightOn(true), nextTurn },
        { "simplified battle window", simplifiedFightShown, [this] { startGame("tkmap/front.vtm"); }, false, endTurn, fightOn(false), nextTurn },
    };
    // The simplified window is modal on the game thread and holds the main window disabled, as a
    // dialog holds its owner: there the main window's close box is not there to click.
    closeDuring(states[0]);
    if (GetParam() != CloseBy::CloseBox)
        closeDuring(states[1]);
}

INSTANTIATE_TEST_SUITE_P(, ProgramCloseInPlay, ::testing::Values(CloseBy::Desktop, CloseBy::CloseBox, CloseBy::Signal), closeByName);

} // namespace
