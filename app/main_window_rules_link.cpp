// AppMainWindowLink: posts the rules engine's refreshes and carries the game thread's requests to
// the main window's thread.
#include "app/main_window_rules_link.h"

#include "app/app_dialog_link.h"
#include "app/control_panel.h"
#include "app/game_sound.h"
#include "app/main_window.h"
#include "ui/private_messages.h"
#include "app/play_windows.h"
#include "dialogs/auto_move_set_window.h"
#include "dialogs/think_progress_window.h"
#include "app/main_window_prompts.h"
#include "app/map_window.h"
#include "app/tool_palette.h"
#include "app/window_helpers.h"
#include "infowin/action_history_window.h"
#include "infowin/condition_info_window.h"
#include "infowin/country_info_window.h"
#include "infowin/senka_info_window.h"
#include "infowin/troop_list_ids.h"
#include "rules/play_handshake.h"
#include "state/game_state.h"
#include "state/supply_order.h"
#include "ui/presentation.h"

#include <utility>

AppMainWindowLink::AppMainWindowLink(GameState& state)
    : m_state(state)
{
}

bool AppMainWindowLink::post(HWND target, UINT message, WPARAM wParam, LPARAM lParam)
{
    return target && PostMessageA(target, message, wParam, lParam);
}

bool AppMainWindowLink::onWindowThread() const
{
    HWND main = m_main;
    return !main || GetWindowThreadProcessId(main, nullptr) == GetCurrentThreadId();
}

namespace {

// The leave of the window being shown on this thread. Its loop takes the first timer once the
// window is up and waits for the person: a close's question may come over it from then on.
thread_local CloseGate::Admission* t_showing = nullptr;

void CALLBACK windowUp(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (t_showing)
        t_showing->shown();
}

} // namespace

bool AppMainWindowLink::runPlayWindow(const std::function<void(MainWindow& owner)>& run)
{
    // The thread's queue exists before the gate lets a window show, so that a stop of play asked
    // from then on always reaches the window's loop.
    MSG peeked;
    PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);
    CloseGate::Admission admission = m_state.handshake().admitShow();
    HWND main = m_main;
    auto* owner = main ? dynamic_cast<MainWindow*>(windowFromHandle(main)) : nullptr;
    if (!admission || !owner)
        return false;
    CloseGate::Admission* outer = std::exchange(t_showing, &admission);
    const UINT_PTR timer = SetTimer(nullptr, 0, 0, windowUp);
    run(*owner);
    KillTimer(nullptr, timer);
    t_showing = outer;
    return true;
}

uint32_t AppMainWindowLink::postAndWait(HWND target, const std::shared_ptr<UiWait>& wait, UINT message, LPARAM lParam)
{
    // The game asks for nothing new while the program's close is asked or under way.
    m_state.handshake().holdDuringClose();
    if (!wait->done() && !post(target, message, WPARAM(wait->id()), lParam))
        wait->answer(0);
    uint32_t value = wait->wait();
    m_state.handshake().closeWait(wait);
    return value;
}

void AppMainWindowLink::postToolStates() { post(m_tool, ui_message::kToolPaletteRefresh); }

bool AppMainWindowLink::isVisible() const
{
    HWND main = m_main;
    return main && IsWindowVisible(main) && !IsIconic(main);
}

void AppMainWindowLink::playSound(int slot)
{
    if (GameSound* sound = m_sound)
        sound->playSound(slot);
}

bool AppMainWindowLink::isSoundPlaying(int slot) const
{
    GameSound* sound = m_sound;
    return sound && sound->isSoundPlaying(slot);
}

// The chime and the music belong to the main window's thread: other threads ask by a post.
void AppMainWindowLink::restartChime()
{
    GameSound* sound = m_sound;
    if (sound && onWindowThread())
        sound->restartChime();
    else
        post(m_main, ui_message::kRestartChime);
}

void AppMainWindowLink::stopAllSounds()
{
    GameSound* sound = m_sound;
    if (sound && onWindowThread())
        sound->stopAllSounds();
    else
        post(m_main, ui_message::kStopAllSounds);
}

void AppMainWindowLink::requestMusic(int tune, bool loop)
{
    GameSound* sound = m_sound;
    if (sound && sound->canPlayMusic())
        post(m_main, ui_message::kPlayTune, WPARAM(tune), loop ? 1 : 0);
}

void AppMainWindowLink::refresh(MainRefresh what)
{
    using namespace ui_message;
    switch (what) {
    case MainRefresh::AfterAction:
        postToolStates();
        post(m_panel, ui_message::kPanelFullRefresh);
        post(m_autoMove, ui_message::kAutoMoveWindowRefresh);
        post(m_history, ui_message::kHistoryPhaseChanged);
        post(m_troops, ui_message::kTroopListUpdateButtons);
        break;
    case MainRefresh::AfterProduction:
        postToolStates();
        post(m_autoMove, ui_message::kAutoMoveDisableAll);
        post(m_history, ui_message::kHistoryPhaseChanged);
        break;
    case MainRefresh::AutoMoveWindow:
        post(m_autoMove, ui_message::kAutoMoveWindowRefresh);
        break;
    case MainRefresh::ThinkWindow:
        post(m_think, ui_message::kThinkPressedFace);
        break;
    case MainRefresh::SideInfo:
        // The results count the funds too: they change with the panel's, the income's included.
        post(m_panel, ui_message::kPanelSideFacts);
        post(m_infoWindows[kCountryWindow], ui_message::kCountryInfoRefresh);
        post(m_infoWindows[kResultsWindow], ui_message::kResultsRefresh);
        break;
    case MainRefresh::ConditionInfo:
        post(m_infoWindows[kConditionWindow], ui_message::kConditionInfoRefresh);
        break;
    case MainRefresh::Results:
        post(m_infoWindows[kResultsWindow], ui_message::kResultsRefresh);
        break;
    case MainRefresh::Panel:
        post(m_panel, ui_message::kPanelFullRefresh);
        break;
    case MainRefresh::PanelUnit:
        post(m_panel, ui_message::kPanelRefreshUnit);
        break;
    case MainRefresh::PanelHex:
        post(m_panel, ui_message::kPanelRefreshHex);
        break;
    case MainRefresh::GameView:
        post(m_main, kGameViewStarted);
        post(m_map, ui_message::kMapFullRefresh);
        post(m_panel, ui_message::kPanelStartGameView);
        break;
    case MainRefresh::TroopLists:
        post(m_troops, ui_message::kTroopListRefresh);
        post(m_destroyed, ui_message::kTroopListRefresh);
        break;
    case MainRefresh::ActionHistory:
        post(m_history, ui_message::kHistoryRefresh);
        break;
    }
}

// Sent at the start of each country's phases: the lists show the country given (-1 none), and the
// map shows the fog of a viewing country that changed since (the first turn picks it only after
// the game view has started).
void AppMainWindowLink::notifyTroopLists(int country)
{
    post(m_troops, ui_message::kTroopListShowCountry, WPARAM(country));
    post(m_destroyed, ui_message::kTroopListShowCountry, WPARAM(country));
    const int viewer = m_state.turnBlock().viewer();
    if (viewer != m_viewer.exchange(viewer))
        post(m_map, ui_message::kMapFullRefresh);
}

// Runs on the thread that starts play, before the game thread can change a unit.
void AppMainWindowLink::restartUnitLists()
{
    if (Presentation* look = installedPresentation())
        look->lists().restart(m_state);
}

void AppMainWindowLink::postPanelCommand(int country, int index)
{
    post(m_panel, ui_message::kPanelShowUnit, WPARAM(uint32_t(country & 0xFFFF) | uint32_t(index & 0xFFFF) << 16));
}

void AppMainWindowLink::postPanelHexInfo(int x, int y)
{
    post(m_panel, ui_message::kPanelShowHex, WPARAM(uint32_t(y & 0xFFFF) << 16 | uint32_t(x & 0xFFFF)));
}

void AppMainWindowLink::setPanelValue(uint8_t value) { post(m_panel, ui_message::kPanelValue, value); }

// The thinking window releases the pending wait once it has shown the value; without one, nobody
// shows it and the wait is released here.
void AppMainWindowLink::reportThinkProgress(int value)
{
    if (!ThinkProgressWindow::postProgress(m_think, value))
        m_state.handshake().releaseUiWait();
}

bool AppMainWindowLink::postThinkProgress(int value)
{
    return post(m_main, ui_message::kThinkProgress, WPARAM(value));
}

void AppMainWindowLink::showThinkWindow(int country) { post(m_main, ui_message::kShowThinkWindow, WPARAM(country), 1); }

void AppMainWindowLink::closeThinkWindow() { post(m_main, ui_message::kShowThinkWindow, 0, 0); }

void AppMainWindowLink::setTitle() { post(m_main, ui_message::kRefreshTitle); }

void AppMainWindowLink::messageBox(const std::string& text, const std::string& caption)
{
    ModalIdleOff idle;
    runPlayWindow([&](MainWindow& owner) { MessageBoxA(owner.handle(), text.c_str(), caption.c_str(), MB_OK); });
}

void AppMainWindowLink::bringToFront() { post(m_main, ui_message::kBringToFront); }

void AppMainWindowLink::showIncome(int32_t income)
{
    m_income = income;
    HWND main = m_main;
    if (!main)
        return;
    if (onWindowThread()) {
        play_windows::showIncome(makeWindowContext(m_state), main, income);
        return;
    }
    auto wait = m_state.handshake().openWait(UiWaitKind::Income);
    setMainWindowDoneEvent(wait);
    postAndWait(main, wait, ui_message::kShowIncome);
    setMainWindowDoneEvent(nullptr);
}

// The end of a game is shown once play has ended (the ending window); the step only passes.
void AppMainWindowLink::endOfGameStep()
{
    HWND main = m_main;
    if (!main || onWindowThread())
        return;
    auto wait = m_state.handshake().openWait(UiWaitKind::EndOfGame);
    setMainWindowDoneEvent(wait);
    postAndWait(main, wait, ui_message::kEndOfGameStep);
    setMainWindowDoneEvent(nullptr);
}

void AppMainWindowLink::askReplenish(ReplenishOffer& offer)
{
    HWND main = m_main;
    if (!main) {
        offer.acceptReplenish = offer.acceptRepair = 0;
        return;
    }
    if (onWindowThread()) {
        play_windows::askReplenish(makeWindowContext(m_state), main, offer);
        return;
    }
    auto wait = m_state.handshake().openWaitWith<ReplenishOffer>(UiWaitKind::Prompt);
    wait->data = offer;
    postAndWait(main, wait, ui_message::kReplenishPrompt);
    // A stopped game takes nothing.
    offer.acceptReplenish = wait->cancelled() ? 0 : wait->data.acceptReplenish;
    offer.acceptRepair = wait->cancelled() ? 0 : wait->data.acceptRepair;
}

void AppMainWindowLink::askSupplyOrder(SupplyOrder& order)
{
    HWND main = m_main;
    if (!main)
        return;
    if (onWindowThread()) {
        play_windows::askSupply(makeWindowContext(m_state), main, order);
        return;
    }
    auto wait = m_state.handshake().openWaitWith<SupplyOrder>(UiWaitKind::Prompt);
    wait->data = order;
    postAndWait(main, wait, ui_message::kSupplyPrompt);
    if (!wait->cancelled())
        order = wait->data;
}

bool AppMainWindowLink::askProductionOrders()
{
    HWND main = m_main;
    if (!main)
        return false;
    if (onWindowThread())
        return prompts::askProductionOrders(main);
    auto wait = m_state.handshake().openWait(UiWaitKind::ProductionQuestion);
    return postAndWait(main, wait, ui_message::kProductionQuestion) == IDYES;
}

void AppMainWindowLink::explainPhase()
{
    HWND main = m_main;
    if (!main)
        return;
    if (onWindowThread()) {
        play_windows::explainPhase(makeWindowContext(m_state), main);
        return;
    }
    postAndWait(main, m_state.handshake().openWait(UiWaitKind::PhaseHelp), ui_message::kPhaseHelp);
}

void AppMainWindowLink::openStartWindows() { post(m_main, ui_message::kOpenStartWindows); }

void AppMainWindowLink::startGameView()
{
    // The map takes the viewer of this game afresh: the first turn's viewing country is told to
    // it even when it is the one a game before ended with.
    m_viewer = -1;
    stopAllSounds();
    post(m_main, ui_message::kGameViewStarted);
    post(m_panel, ui_message::kPanelStartGameView);
    HWND map = m_map;
    if (!map)
        return;
    // The map window shares this thread: waiting here would stop it from ever redrawing.
    if (onWindowThread()) {
        post(map, ui_message::kMapFullRefresh);
        return;
    }
    postAndWait(map, m_state.handshake().openWait(UiWaitKind::MapRedraw), ui_message::kMapFullRefresh);
}

void AppMainWindowLink::refreshTerrainWindows(bool last)
{
    post(m_main, last ? ui_message::kLastGameMessage : ui_message::kRefreshTerrainWindows,
        WPARAM(m_state.handshake().playRun()));
}

// The main window opens the deployment window, whose end answers the game thread's wait.
bool AppMainWindowLink::startCampaignDeployment() { return post(m_main, ui_message::kOpenTroopDeploy); }

void AppMainWindowLink::releasePendingWait() { post(m_main, ui_message::kReleasePendingWait); }

void AppMainWindowLink::afterGame() { post(m_main, ui_message::kAfterGame, WPARAM(m_state.handshake().playRun())); }
