// MainWindow's table of the messages of other threads: each request of the game thread is carried
// out on this thread and its wait answered (one whose wait play has already released is dropped);
// the help page's opener tells of its failure.
#include "app/main_window.h"

#include "app/app_battle_link.h"
#include "app/app_dialog_link.h"
#include "app/game_sound.h"
#include "app/help_page.h"
#include "ui/private_messages.h"
#include "app/main_window_prompts.h"
#include "app/play_windows.h"
#include "app/main_window_rules_link.h"
#include "app/window_helpers.h"
#include "battle/live_clash_window.h"
#include "rules/main_window_link.h"
#include "state/game_state.h"
#include "platform/media/mmsystem.h"
#include "state/supply_order.h"

namespace {

// The registered wait of that id while it still waits, with the record it carries.
template <class T>
std::shared_ptr<UiWaitWith<T>> pendingWait(GameState& state, WPARAM id)
{
    auto wait = std::dynamic_pointer_cast<UiWaitWith<T>>(state.handshake().findWait(uint32_t(id)));
    return wait && !wait->done() ? wait : nullptr;
}

std::shared_ptr<UiWait> pendingWait(GameState& state, WPARAM id)
{
    auto wait = state.handshake().findWait(uint32_t(id));
    return wait && !wait->done() ? wait : nullptr;
}

} // namespace

bool MainWindow::onGameMessage(MessageRecord& msg)
{
    using namespace ui_message;
    switch (msg.message) {
    case kPlayTune:
        if (m_sound)
            m_sound->playTune(int(msg.wParam), msg.lParam == 1);
        return true;
    case kStopAllSounds:
        if (m_sound)
            m_sound->stopAllSounds();
        return true;
    case kRestartChime:
        if (m_sound)
            m_sound->restartChime();
        return true;
    case MM_MCINOTIFY:
        if (m_sound)
            m_sound->handleMciNotify(msg.wParam, msg.lParam);
        return true;
    case kShowIncome:
        if (mainWindowDoneEventPending())
            play_windows::showIncome(makeWindowContext(m_state), handle(), m_link.pendingIncome());
        signalMainWindowDoneEvent();
        return true;
    case kEndOfGameStep:
        // The end of the game is shown when play has ended (runEndOfPlayWindows).
        signalMainWindowDoneEvent();
        return true;
    case kRefreshTerrainWindows:
        refreshTerrainWindows();
        return true;
    case kCancelDelegation:
        cancelDelegation();
        return true;
    case kReleasePendingWait:
        m_state.handshake().releaseUiWait();
        return true;
    case kReplenishPrompt:
        if (auto wait = pendingWait<ReplenishOffer>(m_state, msg.wParam)) {
            play_windows::askReplenish(makeWindowContext(m_state), handle(), wait->data);
            wait->answer(0);
        }
        return true;
    case kSupplyPrompt:
        if (auto wait = pendingWait<SupplyOrder>(m_state, msg.wParam)) {
            play_windows::askSupply(makeWindowContext(m_state), handle(), wait->data);
            wait->answer(0);
        }
        return true;
    case kProductionQuestion:
        if (auto wait = pendingWait(m_state, msg.wParam))
            wait->answer(prompts::askProductionOrders(handle()) ? IDYES : IDNO);
        return true;
    case kPhaseHelp:
        if (auto wait = pendingWait(m_state, msg.wParam)) {
            play_windows::explainPhase(makeWindowContext(m_state), handle());
            wait->answer(0);
        }
        return true;
    case kBattleScene:
        // Close stays offered: a close during the scene asks over it, and the scene plays on.
        if (auto wait = pendingWait<BattleRecord>(m_state, msg.wParam)) {
            m_battleWait = wait;
            if (!LiveClashWindow::runBattle(wait->data, SceneSound { msg.lParam != 0, m_state.settings().seVolume }))
                battleFinished();
        }
        return true;
    case kBattleSceneFinished:
        battleFinished();
        return true;
    case kGameViewStarted:
        refreshTitle();
        refreshInfoWindows();
        updateMenuStates();
        return true;
    case kAfterGame:
        // A campaign that could not go on: the stage that ended stays on the board, to be saved
        // once its thread, which sends this as its last step, has reported its end.
        refreshTerrainWindows();
        refreshTitle();
        updateMenuStates();
        return true;
    case kPlayReport:
        onPlayReport(PlayReport(msg.wParam));
        return true;
    case kContinueExit:
        runExitStep();
        return true;
    case kLastGameMessage:
        refreshTerrainWindows();
        // A game that ended by itself; one the person stopped has already ended its play, and its
        // last message may arrive after the next game has started.
        if (m_state.handshake().playRunning() && msg.wParam == m_state.handshake().playRun() && !m_endOfPlayPending) {
            m_endOfPlayPending = true;
            SetTimer(handle(), kEndOfPlayTimer, 500, nullptr);
        }
        return true;
    case kRefreshTitle:
        refreshTitle();
        return true;
    case kBringToFront:
        // Not over a window the person has open, which holds this one disabled.
        if (IsWindowEnabled(handle()))
            SetForegroundWindow(handle());
        return true;
    case kHelpPageNotShown:
        tellHelpPageNotShown(handle());
        return true;
    default:
        return onInfoWindowMessage(msg) || onPlayWindowMessage(msg);
    }
}

void MainWindow::battleFinished()
{
    if (m_battleWait) {
        m_battleWait->answer(0);
        m_battleWait.reset();
    }
    if (HWND host = m_battleHost) {
        m_battleHost = nullptr;
        SendMessageA(host, WM_CLOSE, 0, 0);
    }
}

void MainWindow::onEndOfPlayTimer()
{
    // Retried while minimised, so the person sees the end of the game, and while a way out of the
    // game is under way.
    if (IsIconic(handle()) || leavingGame())
        return;
    KillTimer(handle(), MainWindow::kEndOfPlayTimer);
    m_endOfPlayPending = false;
    runEndOfPlayWindows();
    closeGame();
}
