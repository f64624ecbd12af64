// MainWindow's ways out of a game in play. Each holds the game from its first question through
// its dialogs; leaving then asks the game thread to rest or to stop, and goes on from the
// program's loop when the thread reports that it has: the window never waits for the thread, and
// it goes only from the program's loop, with nothing of it on the stack.
#include "app/main_window.h"

#include "app/main_window_rules_link.h"
#include "battle/live_clash_window.h"
#include "lib/application.h"
#include "lib/thread.h"
#include "platform/kernel/host.h"
#include "platform/user/modal_loop.h"
#include "platform/user/program_close.h"
#include "rules/play.h"
#include "state/game_state.h"
#include "ui/private_messages.h"

#include <string>
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
    // Over a way out's own question the close never puts a second one: that question goes as by
    // its no, and the close, sent again, asks in its place once it has gone.
    if (m_wayOutAsking && endWayOutQuestion()) {
        PostMessageA(handle(), WM_CLOSE, 0, 0);
        return;
    }
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
    // Whatever way out was under way, what follows play's stop is now the window's end, which the
    // program's loop carries out once the message it handles then is done with.
    m_exitWait = ExitWait::Stop;
    m_afterExitWait = [window = handle()] { theApplication().appEndWindow(window); };
    // A new game set up on the side has the game aside: it is stopped once it is back.
    if (!m_asideGame)
        requestStop();
    // Every nested loop unwinds, each question taking its safe answer.
    if (platform::modalLoopDepth() > 0)
        PostQuitMessage(0);
    continueExit();
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
    if (m_exitWait != ExitWait::None)
        platform::postWhenUnnested(handle(), ui_message::kContinueExit);
}

void MainWindow::runExitStep()
{
    // Dispatched by a nested loop that began after the post: handed on again.
    if (platform::modalLoopDepth() > 0) {
        continueExit();
        return;
    }
    Handshake& handshake = m_state.handshake();
    switch (m_exitWait.load()) {
    case ExitWait::None:
        return;
    case ExitWait::Rest:
        // Nothing of the game is read while it rests, and it rests until its hold ends.
        if (!handshake.isPlayThreadFinished() && !handshake.closeGate().wantRest())
            return;
        break;
    case ExitWait::Stop:
        // The game set up on the side is back first.
        if (m_asideGame || !handshake.isPlayThreadFinished())
            return;
        break;
    }
    if (m_exitWait == ExitWait::Stop && std::exchange(m_playEnding, false)) {
        endPlay(m_state);
        closeThinkWindow();
    }
    m_exitWait = ExitWait::None;
    // A step may begin the window's end: nothing of it is touched after.
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
    m_gameGivenUp = true;
    awaitStop([this] {
        // Play's end has emptied the units and buildings: what is left of the map would show a
        // board that no longer is, beside a panel still reading its turn and funds.
        m_state.unloadMap();
        m_gameGivenUp = false;
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
    if (wayOutConfirmed("ゲームを終了しますか？"))
        closeGame();
}

void MainWindow::switchMode()
{
    if (leavingGame())
        return;
    GameHold hold(*this);
    if (!wayOutConfirmed(m_state.isSimpleMode() ? "通常モードに切り替えて再起動しますか？" : "シンプルモードに切り替えて再起動しますか？"))
        return;
    writeSwitchedMode(m_state.isSimpleMode());
    theApplication().requestRestart();
    quit();
}

void MainWindow::replaceGame(std::function<bool()> start, std::function<void()> started, std::function<void()> failed)
{
    holdGame();
    awaitRest([=, this] {
        auto aside = std::make_shared<GameState>();
        aside->makeGameTables();
        m_state.swapGame(*aside);
        m_asideGame = aside;
        const bool ok = start();
        m_asideGame.reset();
        m_state.swapGame(*aside);
        // A close that ended the program meanwhile stops the game now that it is back.
        if (m_programEnding) {
            requestStop();
            continueExit();
            return;
        }
        if (!ok) {
            // The game goes on: the set-up may have drawn its map in the windows, which show the
            // game again.
            m_gameGivenUp = false;
            refreshAfterChange(Panel::Keep);
            failed();
            releaseGame();
            return;
        }
        m_gameGivenUp = true;
        awaitStop([=, this] {
            m_state.swapGame(*aside);
            m_gameGivenUp = false;
            releaseGame();
            started();
        });
    });
}

bool MainWindow::wayOutConfirmed(const char* questionUtf8)
{
    // A quit met while the question is up unwinds it with its safe answer, no.
    m_wayOutAsking = true;
    const bool yes = confirmDiscard(questionUtf8);
    m_wayOutAsking = false;
    return yes;
}

bool MainWindow::endWayOutQuestion()
{
    // The question is this window's own box, owned by it; the window is disabled under it.
    struct Search {
        HWND owner;
        std::string caption;
        HWND found = nullptr;
    } search { handle(), platform::utf8ToCp932("確認") };
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char text[32] = {};
        GetWindowTextA(window, text, sizeof text);
        if (GetWindow(window, GW_OWNER) == s->owner && IsWindowVisible(window) && IsWindowEnabled(window) && s->caption == text)
            s->found = window;
        return s->found ? FALSE : TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found && PostMessageA(search.found, WM_COMMAND, IDNO, 0);
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
