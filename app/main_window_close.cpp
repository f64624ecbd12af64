// MainWindow's end of the program: the close that may ask first, and the quit that cuts a fight's
// showing short and stops play.
#include "app/main_window.h"

#include "lib/application.h"
#include "lib/thread.h"
#include "platform/user/modal_loop.h"
#include "platform/user/program_close.h"
#include "state/game_state.h"

void MainWindow::closeProgram()
{
    if (m_stopping || platform::modalLoopDepth() > 0) {
        PostQuitMessage(0);
        return;
    }
    // Nobody may be there to answer a signal or a lost display; a person answers for unsaved turns.
    if (!m_quitDecided && !platform::unattendedCloseRequested() && !confirmDiscard()) {
        // An unattended close that came while the question was open ends the program all the same.
        if (!platform::unattendedCloseRequested()) {
            platform::clearCloseRequest();
            return;
        }
    }
    quit();
}

void MainWindow::quit()
{
    m_quitDecided = true;
    if (m_state.handshake().deferDuringCombat(DeferredRequest::Quit)) {
        cutFightShort();
        return;
    }
    // Asked inside a nested loop (a dialog, a box or a menu over this window, or the wait for the
    // game thread), the window must outlive the code waiting there: the quit unwinds every loop
    // and the program's loop hands the close back once it is at the top.
    if (m_stopping || platform::modalLoopDepth() > 0) {
        PostQuitMessage(0);
        return;
    }
    stopPlay();
    if (handle())
        theApplication().appDestroyWindow(handle());
}

bool MainWindow::endPlayThreadWindows()
{
    const Handshake& handshake = m_state.handshake();
    swCThread* thread = handshake.playThread();
    if (!thread || handshake.isPlayThreadFinished())
        return false;
    return PostThreadMessageA(thread->threadId(), WM_QUIT, 0, 0) != FALSE;
}
