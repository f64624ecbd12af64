// MainWindow's play windows: the thinking window around the computer's turns, the auto-move window
// and its set-up steps, and the game-end window's jingle.
#include "app/main_window.h"

#include "app/game_sound.h"
#include "ui/private_messages.h"
#include "app/main_window_rules_link.h"
#include "app/map_window.h"
#include "dialogs/auto_move_set_window.h"
#include "dialogs/game_end_window.h"
#include "ai/think_plan.h"
#include "dialogs/think_progress_window.h"
#include "rules/current_action.h"
#include "rules/game_thread.h"
#include "rules/rules_context.h"
#include "state/game_state.h"

namespace {

// The left button as the computer player's sequencer polls it between its steps.
class AsyncLeftButton : public ThinkClickSource {
public:
    bool leftButtonPressed() override { return (GetAsyncKeyState(VK_LBUTTON) & 1) != 0; }
};

AsyncLeftButton g_leftButton;

ThinkProgressWindow* thinkWindowOf(HWND window)
{
    return window ? dynamic_cast<ThinkProgressWindow*>(windowFromHandle(window)) : nullptr;
}

} // namespace

void MainWindow::watchThinkClicks(bool on) { setThinkClickSource(on ? &g_leftButton : nullptr); }

void MainWindow::openThinkWindow(int country)
{
    closeThinkWindow();
    auto* window = new ThinkProgressWindow(makeWindowContext(m_state), this, country);
    if (!window->Create()) {
        delete window;
        return;
    }
    m_link.setThinkWindow(window->handle());
}

void MainWindow::closeThinkWindow()
{
    HWND window = m_link.thinkWindow();
    m_link.setThinkWindow(nullptr);
    if (window && IsWindow(window))
        DestroyWindow(window);
}

void MainWindow::setThinkWindowActive(bool on)
{
    if (ThinkProgressWindow* window = thinkWindowOf(m_link.thinkWindow()))
        window->setActiveFlag(on);
}

void MainWindow::toggleAutoMoveWindow()
{
    if (HWND window = m_link.autoMoveWindow()) {
        // A set-up under way ends with its window.
        if (MapWindow* map = mapWindow(); map && currentAction(m_state).autoMoveSetup())
            map->orders().endAutoMoveSetup();
        m_link.setAutoMoveWindow(nullptr);
        DestroyWindow(window);
    } else {
        auto* created = new AutoMoveSetWindow(makeWindowContext(m_state), this);
        if (created->Create())
            m_link.setAutoMoveWindow(created->handle());
        else
            delete created;
    }
    updateMenuStates();
}

void MainWindow::closePlayWindows()
{
    closeThinkWindow();
    if (HWND window = m_link.autoMoveWindow()) {
        m_link.setAutoMoveWindow(nullptr);
        DestroyWindow(window);
    }
}

bool MainWindow::onPlayWindowMessage(MessageRecord& msg)
{
    using namespace ui_message;
    Handshake& handshake = m_state.handshake();
    MapWindow* map = mapWindow();
    switch (msg.message) {
    case kShowThinkWindow:
        if (msg.lParam == 1 && handshake.playRunning())
            openThinkWindow(int(msg.wParam));
        else if (msg.lParam == 0)
            closeThinkWindow();
        return true;
    case kThinkProgress:
        m_link.reportThinkProgress(int(msg.wParam));
        return true;
    case kResumeGame:
        if (handshake.isUiLinkReady())
            handshake.replyToGame(0);
        PostMessageA(m_link.thinkWindow(), ui_message::kThinkNormalFace, 0, 0);
        updateMenuStates();
        return true;
    case kGameEndShown:
        if (m_sound)
            m_sound->playJingle(msg.lParam == 2 ? tune::kVictory : tune::kDefeat);
        return true;
    case kAutoMoveWindow:
        toggleAutoMoveWindow();
        return true;
    case kAutoMoveBegin:
        if (map && autoMoveCanBegin(m_state))
            map->orders().beginAutoMoveSetup();
        break;
    case kAutoMoveRouteStage:
        if (map)
            map->orders().beginAutoMoveRoute();
        break;
    case kAutoMoveSetRoute:
        if (map)
            map->orders().setAutoMoveRoute();
        break;
    case kAutoMoveEnd:
        if (map)
            map->orders().endAutoMoveSetup();
        break;
    case kAutoMoveRun:
        if (map)
            map->orders().runAutoMoves();
        break;
    default:
        return false;
    }
    // The set-up steps: the window shows the stage they left.
    PostMessageA(m_link.autoMoveWindow(), ui_message::kAutoMoveWindowRefresh, 0, 0);
    updateMenuStates();
    return true;
}
