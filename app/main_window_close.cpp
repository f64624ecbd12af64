// MainWindow's end of the program: the close that asks first while the game waits, and the quit
// that stops play and ends the window.
#include "app/main_window.h"

#include "app/window_helpers.h"
#include "lib/application.h"
#include "lib/thread.h"
#include "ui/private_messages.h"
#include "platform/user/modal_loop.h"
#include "platform/user/program_close.h"
#include "state/game_state.h"

namespace {

// The game thread's requests that open a window: none opens while the close is asked.
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

} // namespace

void MainWindow::closeProgram()
{
    CloseGate& gate = m_state.handshake().closeGate();
    // Nobody may be there to answer a signal or a lost display; a person answers for unsaved turns.
    const bool asks = !platform::unattendedCloseRequested() && !gate.closing() && m_state.mapWidth() > 0
        && m_state.hasUnsavedPlay();
    if (!asks) {
        quit();
        return;
    }
    // Asked already: the question stands as it is.
    if (m_closeQuestionOpen)
        return;
    // The game waits from here on, and shows nothing new, until the person has answered.
    gate.beginAsking();
    // Asked inside a nested loop (a dialog, a box or a menu over this window, or the wait for the
    // game thread): every loop unwinds first, each question taking its safe answer, and the
    // program's loop hands the close back once it is at the top.
    if (m_stopping || platform::modalLoopDepth() > 0) {
        PostQuitMessage(0);
        return;
    }
    askBeforeClose();
}

void MainWindow::askBeforeClose()
{
    CloseGate& gate = m_state.handshake().closeGate();
    m_closeQuestionOpen = true;
    {
        // A window of the game that was already on its way shows first, under the question. A
        // quit met meanwhile unwinds to here rather than taking the window away under this code.
        platform::ModalLoopScope waiting;
        pumpUntil([&] { return gate.closing() || !gate.showsOnTheirWay(); });
    }
    const bool yes = !gate.closing() && confirmDiscard();
    m_closeQuestionOpen = false;
    // An unattended close that came while the question was open ends the program all the same.
    if (yes || gate.closing() || platform::unattendedCloseRequested()) {
        quit();
        return;
    }
    platform::clearCloseRequest();
    gate.answerNo();
    // What the game asked for while the question was open comes now, in its order.
    for (const MSG& held : std::exchange(m_heldRequests, {}))
        PostMessageA(handle(), held.message, held.wParam, held.lParam);
}

void MainWindow::quit()
{
    // The game waits at its next step and shows nothing more. The stop of play ends the game
    // thread's own windows, and the window's end the fight on the screen.
    m_state.handshake().closeGate().close();
    m_heldRequests.clear();
    // Asked inside a nested loop, the window must outlive the code waiting there: the quit
    // unwinds every loop and the program's loop hands the close back once it is at the top.
    if (m_stopping || platform::modalLoopDepth() > 0) {
        PostQuitMessage(0);
        return;
    }
    stopPlay();
    if (handle())
        theApplication().appDestroyWindow(handle());
}

bool MainWindow::holdWhileCloseAsked(const MessageRecord& msg)
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
