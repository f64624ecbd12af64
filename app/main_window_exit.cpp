// MainWindow's ways out of a game in play. Each holds the game from its first question through
// its dialogs; leaving then asks the game thread to rest or to stop, and goes on from the
// program's loop when the thread reports that it has: the window never waits for the thread.
#include "app/main_window.h"

#include "app/main_window_rules_link.h"
#include "battle/live_clash_window.h"
#include "lib/application.h"
#include "lib/thread.h"
#include "platform/user/modal_loop.h"
#include "platform/user/program_close.h"
#include "rules/play.h"
#include "state/game_state.h"
#include "ui/private_messages.h"

#include <utility>

namespace {

// The game thread's requests that open a window: none opens while the game is held.
bool opensWindow(const MessageRecord& msg)
{
    using namespace ui_message;
    switch (msg.message) {
    case kShowIncome:
    case kReplenishPrompt:
    case kSupplyPrompt:
    case kProductionQuestion:
    case kPhaseHelp:
    case kBattleScene:
    case kOpenTroopDeploy:
        return true;
    case kShowThinkWindow:
        return msg.lParam != 0;
    default:
        return false;
    }
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

bool MainWindow::leavingGame() const
{
    return m_gameHolds > 0 || m_programEnding || m_closeAsking || m_exitWait != ExitWait::None;
}

void MainWindow::holdGame()
{
    ++m_gameHolds;
    m_state.handshake().closeGate().beginAsking();
}

void MainWindow::releaseGame()
{
    --m_gameHolds;
    CloseGate& gate = m_state.handshake().closeGate();
    gate.answerNo();
    if (gate.stage() != CloseStage::Open)
        return;
    // What the game asked for while it was held comes now, in its order.
    for (const MSG& held : std::exchange(m_heldRequests, {}))
        PostMessageA(handle(), held.message, held.wParam, held.lParam);
}

void MainWindow::closeProgram()
{
    // Ending already: the program's loop hands the close back once every nested loop has unwound.
    if (m_programEnding) {
        continueExit();
        return;
    }
    // Nobody may be there to answer a signal or a lost display.
    if (platform::unattendedCloseRequested()) {
        quit();
        return;
    }
    // Asked already: the question stands as it is.
    if (m_closeAsking)
        return;
    m_closeAsking = true;
    // The game stands still from here on, and shows nothing new, until the person has answered.
    holdGame();
    // A window of the game already on its way shows first, under the question.
    m_closeQuestionDue = m_state.handshake().closeGate().showsOnTheirWay();
    if (!m_closeQuestionDue)
        askBeforeClose();
}

void MainWindow::askBeforeClose()
{
    const bool yes = windowsMayClose() && confirmDiscard();
    m_closeAsking = false;
    // A signal while the questions were open has ended the program already.
    if (m_programEnding)
        return;
    if (yes) {
        quit();
        return;
    }
    platform::clearCloseRequest();
    releaseGame();
    // A way out that was under way goes on.
    continueExit();
}

bool MainWindow::windowsMayClose()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows)
        if (window != handle() && IsWindow(window) && !SendMessageA(window, WM_QUERYENDSESSION, 0, 0))
            return false;
    return true;
}

void MainWindow::quit()
{
    m_programEnding = true;
    m_closeQuestionDue = false;
    m_state.handshake().closeGate().close();
    // Whatever way out was under way, what follows play's stop is now the window's end.
    m_exitWait = ExitWait::Stop;
    m_afterExitWait = [this] { theApplication().appDestroyWindow(handle()); };
    // A new game set up on the side has the game aside: it is stopped once it is back.
    if (!m_gameAside)
        requestStop();
    // The window must outlive the code that asked for the quit, a nested loop's or this call's own
    // caller: every loop unwinds, each question taking its safe answer, and the window goes from
    // the program's loop.
    if (platform::modalLoopDepth() > 0)
        PostQuitMessage(0);
    PostMessageA(handle(), ui_message::kContinueExit, 0, 0);
}

void MainWindow::requestStop()
{
    // The victory conditions shown belong to the game that ends, and so does its deployment.
    closeVictoryConditions();
    closeTroopDeployWindow(false);
    KillTimer(handle(), MainWindow::kEndOfPlayTimer);
    m_endOfPlayPending = false;
    m_heldRequests.clear();
    // The fight on the screen belongs to the game that stops: it ends as a click on it ends it.
    if (m_battleWait)
        LiveClashWindow::endScene();
    Handshake& handshake = m_state.handshake();
    m_playEnding = m_playEnding || handshake.playRunning() || handshake.playThread();
    handshake.requestStopPlay();
    endPlayThreadWindows();
}

void MainWindow::awaitRest(std::function<void()> next)
{
    m_exitWait = ExitWait::Rest;
    m_afterExitWait = std::move(next);
    continueExit();
}

void MainWindow::awaitStop(std::function<void()> next)
{
    requestStop();
    m_exitWait = ExitWait::Stop;
    m_afterExitWait = std::move(next);
    continueExit();
}

void MainWindow::continueExit()
{
    Handshake& handshake = m_state.handshake();
    switch (m_exitWait) {
    case ExitWait::None:
        return;
    case ExitWait::Rest:
        // Nothing of the game is read while it rests, and it rests until its hold ends.
        if (!handshake.isPlayThreadFinished() && !handshake.closeGate().wantRest())
            return;
        break;
    case ExitWait::Stop:
        // The game set up on the side is back first.
        if (m_gameAside || !handshake.isPlayThreadFinished())
            return;
        break;
    }
    // What follows runs from the program's own loop: the code waiting in a nested loop (a question,
    // a dialog) goes on first.
    if (platform::modalLoopDepth() > 0) {
        platform::postWhenUnnested(handle(), ui_message::kContinueExit);
        return;
    }
    if (m_exitWait == ExitWait::Stop && std::exchange(m_playEnding, false)) {
        endPlay(m_state);
        closeThinkWindow();
    }
    m_exitWait = ExitWait::None;
    // The window may go here: nothing of it is touched after.
    std::exchange(m_afterExitWait, {})();
}

void MainWindow::onPlayReport(PlayReport report)
{
    if (report == PlayReport::WindowsUp && m_closeQuestionDue && !m_state.handshake().closeGate().showsOnTheirWay()) {
        m_closeQuestionDue = false;
        askBeforeClose();
        return;
    }
    // A game that ended by itself (a campaign that could not go on): the commands follow its end.
    if (report == PlayReport::Stopped && m_exitWait == ExitWait::None) {
        refreshTitle();
        updateMenuStates();
    }
    continueExit();
}

void MainWindow::stopPlay()
{
    if (m_programEnding || m_exitWait != ExitWait::None)
        return;
    awaitStop([this] { updateMenuStates(); });
}

void MainWindow::closeGame()
{
    if (m_programEnding)
        return;
    awaitStop([this] {
        // Play's end has emptied the units and buildings: what is left of the map would show a
        // board that no longer is, beside a panel still reading its turn and funds.
        m_state.unloadMap();
        m_gamePath.clear();
        refreshTitle();
        refreshAfterChange();
    });
}

void MainWindow::endGame()
{
    if (!commandEnabled(menu_id::kEndGame) || leavingGame())
        return;
    GameHold hold(*this);
    if (confirmDiscard("ゲームを終了しますか？") && !m_programEnding)
        closeGame();
}

void MainWindow::switchMode()
{
    if (leavingGame())
        return;
    GameHold hold(*this);
    if (!confirmDiscard(m_state.isSimpleMode() ? "通常モードに切り替えて再起動しますか？" : "シンプルモードに切り替えて再起動しますか？")
        || m_programEnding)
        return;
    writeSwitchedMode(m_state.isSimpleMode());
    theApplication().requestRestart();
    quit();
}

bool MainWindow::replaceGame(std::function<bool()> start, std::function<void()> started, std::function<void()> failed)
{
    auto outcome = std::make_shared<bool>(true);
    holdGame();
    awaitRest([=, this] {
        auto aside = std::make_shared<GameState>();
        aside->makeGameTables();
        m_state.swapGame(*aside);
        m_gameAside = true;
        const bool ok = start();
        m_gameAside = false;
        m_state.swapGame(*aside);
        // A close that ended the program meanwhile stops the game now that it is back.
        if (m_programEnding) {
            requestStop();
            continueExit();
            return;
        }
        *outcome = ok;
        if (!ok) {
            // The set-up may have drawn its map in the windows: they show the game again.
            refreshAfterChange(Panel::Keep);
            failed();
            releaseGame();
            return;
        }
        awaitStop([=, this] {
            m_state.swapGame(*aside);
            releaseGame();
            started();
        });
    });
    return *outcome;
}

bool MainWindow::holdWhileGameHeld(const MessageRecord& msg)
{
    if (!opensWindow(msg))
        return false;
    const CloseStage stage = m_state.handshake().closeGate().stage();
    if (stage == CloseStage::Open)
        return false;
    // Closing: the request is dropped, and the stop of play releases the wait behind it.
    if (stage == CloseStage::Asking)
        m_heldRequests.push_back(MSG { handle(), msg.message, msg.wParam, msg.lParam, 0, {} });
    return true;
}

bool MainWindow::endPlayThreadWindows()
{
    const Handshake& handshake = m_state.handshake();
    swCThread* thread = handshake.playThread();
    if (!thread || handshake.isPlayThreadFinished())
        return false;
    return PostThreadMessageA(thread->threadId(), WM_QUIT, 0, 0) != FALSE;
}
