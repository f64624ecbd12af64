// The program's own window messages (WM_USER + n): every number a window of one folder sends to a
// window of another is defined here once, below every window that sends or answers it.
//
// A number means something only to the window that answers it, so windows of different kinds reuse
// the same numbers; each group below is one receiver's. The main window answers its messages in
// several handlers, so its group is checked for repeats at the end of this file.
#pragma once

#include "platform/windows.h"

#include <cstddef>
#include <iterator>

namespace ui_message {

enum PrivateMessage : UINT {
    // ---- To the main window (answered in app/main_window_*.cpp) ----
    // The battle scene's window, when the scene has ended; no parameters.
    kBattleSceneFinished = WM_USER + 3,
    // The game thread: play tune wParam (1..8 the anthems, 9 victory, 10 defeat), lParam 1 to loop.
    kPlayTune = WM_USER + 106,
    // Open (or raise) the terrain list; no parameters.
    kOpenTerrainList = WM_USER + 107,
    // The terrain list, closing by itself; no parameters.
    kCloseTerrainList = WM_USER + 108,
    // The move table, closing by itself; no parameters.
    kCloseMoveTable = WM_USER + 110,
    // The weapon list, closing by itself; no parameters.
    kCloseWeaponList = WM_USER + 112,
    // The game thread: show the income window; the amount and the wait were handed over before.
    kShowIncome = WM_USER + 113,
    // The rule window, closing by itself; no parameters.
    kCloseRuleWindow = WM_USER + 115,
    // The game thread: open the windows a game starts with; no parameters.
    kOpenStartWindows = WM_USER + 116,
    // The game thread: wParam the country whose turn the computer plays, lParam 1 open, 0 close.
    kShowThinkWindow = WM_USER + 119,
    // The game thread: release its pending interface wait; no parameters.
    kReleasePendingWait = WM_USER + 120,
    // The game thread: the computer's progress wParam for the thinking window.
    kThinkProgress = WM_USER + 121,
    // Open the troop list and its display-item window; no parameters.
    kOpenTroopList = WM_USER + 138,
    // The troop list, closing by itself (with its display-item window); no parameters.
    kCloseTroopList = WM_USER + 139,
    // The menu: open the country window; no parameters.
    kOpenCountryInfo = WM_USER + 140,
    // The country window, closing by itself; no parameters.
    kCloseCountryInfo = WM_USER + 141,
    // The game thread: offer replenishment; wParam the id of the wait holding the offer.
    kReplenishPrompt = WM_USER + 142,
    // The game thread: ask for supply; wParam the id of the wait holding the order.
    kSupplyPrompt = WM_USER + 143,
    // The game thread, when a game run starts its view; no parameters.
    kGameViewStarted = WM_USER + 144,
    // The condition window, closing by itself; no parameters.
    kCloseConditionInfo = WM_USER + 146,
    // The battle results window, closing by itself; no parameters.
    kCloseResults = WM_USER + 148,
    // The game thread: the end-of-game step; the wait was handed over before.
    kEndOfGameStep = WM_USER + 149,
    // The weapon list, the production dialog and the production-type editor: show the weapon
    // information of unit type wParam.
    kWeaponInfo = WM_USER + 152,
    // A weapon information window, closing by itself; wParam its key.
    kCloseWeaponInfo = WM_USER + 153,
    // The thinking window's watcher: resume the paused game thread; no parameters.
    kResumeGame = WM_USER + 156,
    // The transport table, closing by itself; no parameters.
    kCloseTransportTable = WM_USER + 161,
    // The thinking window's stop while the turn is delegated; no parameters.
    kCancelDelegation = WM_USER + 162,
    // The avoid table, closing by itself; no parameters.
    kCloseAvoidTable = WM_USER + 164,
    // The game thread: show a battle; wParam the id of the wait carrying the BattleRecord, lParam
    // the "PlaySE" setting.
    kBattleScene = WM_USER + 165,
    // The destroyed-units list, closing by itself; no parameters.
    kCloseDestroyedList = WM_USER + 167,
    // The auto-move window: begin the set-up, go on to the route, set it, end the set-up; no
    // parameters.
    kAutoMoveBegin = WM_USER + 169,
    kAutoMoveRouteStage = WM_USER + 170,
    kAutoMoveSetRoute = WM_USER + 171,
    kAutoMoveEnd = WM_USER + 172,
    // The game thread: open the campaign deployment window; no parameters.
    kOpenTroopDeploy = WM_USER + 173,
    // The campaign deployment window: close it; wParam 1 ends the deployment.
    kCloseTroopDeploy = WM_USER + 174,
    // The history window, closing by itself (with its display-item window); no parameters.
    kCloseActionHistory = WM_USER + 176,
    // The history window: show or hide its display-item window; no parameters.
    kToggleHistoryOption = WM_USER + 177,
    // The troop list: show or hide its display-item window; no parameters.
    kToggleTroopListOption = WM_USER + 178,
    // The terrain list: show or hide its display-item window; no parameters.
    kToggleLandListOption = WM_USER + 179,
    // The game-end window as it starts: wParam the country, lParam the kind (2 a victory).
    kGameEndShown = WM_USER + 180,
    // The auto-move window and its menu item: open or close that window; no parameters.
    kAutoMoveWindow = WM_USER + 182,
    // The game thread: ask whether to give production orders; wParam the id of the question's wait.
    kProductionQuestion = WM_USER + 183,
    // The auto-move window: run the auto moves; no parameters.
    kAutoMoveRun = WM_USER + 184,
    // The game thread ended without a further campaign stage; wParam its play run.
    kAfterGame = WM_USER + 185,
    // The modeless victory-condition window, closing by itself; no parameters.
    kCloseVictoryWindow = WM_USER + 187,
    // The game thread: the terrain windows show the game again; no parameters.
    kRefreshTerrainWindows = WM_USER + 188,
    // The same refresh, the last message of a game thread run; wParam that play run.
    kLastGameMessage = WM_USER + 189,
    // The game thread: explain the phase; wParam the id of the explanation's wait.
    kPhaseHelp = WM_USER + 190,
    // The game thread: refresh the title; raise the window; no parameters.
    kRefreshTitle = WM_USER + 191,
    kBringToFront = WM_USER + 192,
    // The game thread: stop every sound; start the chime again; no parameters.
    kStopAllSounds = WM_USER + 193,
    kRestartChime = WM_USER + 194,
    // The help page's opener ended with a failure after it started; no parameters.
    kHelpPageNotShown = WM_USER + 198,
    // The game thread's report (PlayReport in wParam) to a way out of the game; and the way out's
    // own look again from the program's loop, once the nested loops it met have ended.
    kPlayReport = WM_USER + 199,
    kContinueExit = WM_USER + 200,

    // ---- To the map window (answered in app/map_window_messages.cpp) ----
    // The main window and the game thread: set the view up again, then answer wait wParam (or 0).
    kMapFullRefresh = WM_USER + 105,
    // The same: draw again what changed since it was drawn, then answer wait wParam (or 0).
    kMapRefresh = WM_USER + 106,
    // The game thread's link: blink hex wParam = (y << 16) | x.
    kMapBlinkHex = WM_USER + 108,
    // The game thread's link: show a level change; wParam the id of its UiWaitWith<LevelChange>.
    kMapLevelChange = WM_USER + 115,
    // The game thread's link: centre the view on hex wParam x, lParam y.
    kMapCentreOnHex = WM_USER + 119,
    // The main window, for the troop windows: wParam a carry-over entry; mark where it may go and
    // place it on the next click.
    kMapPlaceCarryOver = WM_USER + 124,
    // The map window to itself: the shown day or night no longer matches the game's; no parameters.
    kMapDayNight = WM_USER + 126,
    // The view moved on another thread: the scroll bars follow on the window's own; no parameters.
    kMapSyncScrollBars = WM_USER + 127,
    // The command palette: the person chose command wParam (0..26).
    kMapCommandChosen = WM_USER + 130,
    // The palette, the right button, Escape: cancel the order being given; no parameters.
    kMapCancelOrder = WM_USER + 131,
    // The main window: wParam the zoom 0..2.
    kMapSetZoom = WM_USER + 132,

    // ---- To the command palette (app/command_palette.cpp) ----
    // The map window: wParam the command mask (bit c: command c may be given), lParam the unit as
    // side | (index << 16), or -1 when no unit of the person is selected.
    kPaletteShowCommands = WM_USER + 133,

    // ---- To the control panel (app/control_panel.cpp), from the main window and the game thread ----
    // Read everything again; start showing the game; no parameters.
    kPanelFullRefresh = WM_USER + 105,
    kPanelStartGameView = WM_USER + 107,
    // Show unit wParam = side | (index << 16); show the shown unit again, no parameters.
    kPanelShowUnit = WM_USER + 108,
    kPanelRefreshUnit = WM_USER + 109,
    // Show hex wParam = (y << 16) | x; show the shown hex again, no parameters.
    kPanelShowHex = WM_USER + 110,
    kPanelRefreshHex = WM_USER + 111,
    // The side's facts changed; no parameters.
    kPanelSideFacts = WM_USER + 115,
    // wParam the value byte to show.
    kPanelValue = WM_USER + 118,

    // ---- To the tool palette (app/tool_palette.cpp) ----
    // The main window: read every button's state from the menu again; no parameters.
    kToolPaletteRefresh = WM_USER + 115,

    // ---- To the thinking window (dialogs/think_progress_window.cpp) ----
    // The game thread (through the main window): show progress wParam, then release its wait.
    kThinkShowProgress = WM_USER + 105,
    // The main window and the window's watcher: draw the stop button normal, pressed, as resumed,
    // as asked to pause; no parameters.
    kThinkNormalFace = WM_USER + 106,
    kThinkPressedFace = WM_USER + 107,
    kThinkResumedFace = WM_USER + 108,
    kThinkPauseAskedFace = WM_USER + 109,

    // ---- To the auto-move window (dialogs/auto_move_set_window.cpp), from the main window ----
    // Show the set-up again; a unit was added; weigh the buttons again; disable every button; no
    // parameters.
    kAutoMoveWindowRefresh = WM_USER + 105,
    kAutoMoveUnitAdded = WM_USER + 106,
    kAutoMoveReevaluate = WM_USER + 107,
    kAutoMoveDisableAll = WM_USER + 108,

    // ---- To the production popup (dialogs/hooked_popup_dialog.cpp) ----
    // A production status row, as the mouse moves over it: lParam the row (ProductionStatusList*).
    kPopupCellPointed = WM_USER + 102,
    // The popups' mouse hook, to the active popup at a right click; no parameters.
    kPopupRightClicked = WM_USER + 105,

    // ---- To the campaign deployment window (dialogs/campaign_troop_deploy_window.cpp) ----
    // The main window: show again; wParam 1 also rereads the rows, buttons and counts.
    kTroopDeployRefresh = WM_USER + 105,

    // ---- To the rule window (editors/rule_window.cpp) ----
    // The main window: read the game's rules again and show them; no parameters.
    kRuleWindowRefresh = WM_USER + 105,

    // ---- To the troop list and the destroyed-units list (infowin/), the same numbers to both ----
    // The main window: close an open number combo unsaved, recount, repaint; no parameters.
    kTroopListRefresh = WM_USER + 105,
    // The main window: show the current country when a person plays it, else none; no parameters.
    kTroopListShowCurrent = WM_USER + 106,
    // The main window: show country wParam, or -1 for none.
    kTroopListShowCountry = WM_USER + 107,
    // The display-item window: the columns changed; no parameters.
    kTroopListColumnsChanged = WM_USER + 108,
    // The troop list box (also in the deployment window): its number combo closed; no parameters.
    kTroopListNumberChosen = WM_USER + 109,
    // The main window, after an action: the buttons follow; no parameters.
    kTroopListUpdateButtons = WM_USER + 110,
    // The main window, to the troop list only: the map picked unit lParam of country wParam; its
    // row is lit (a unit of another country leaves none lit).
    kTroopListSelectUnit = WM_USER + 111,

    // ---- To the other information windows (infowin/), from the main window unless said ----
    // Every one: show the game again (after events, rules or settings changed); no parameters.
    kCountryInfoRefresh = WM_USER + 105,
    kWeaponInfoRefresh = WM_USER + 105,
    kResultsRefresh = WM_USER + 105,
    kConditionInfoRefresh = WM_USER + 105,
    kWeaponListRefresh = WM_USER + 105,
    kHistoryRefresh = WM_USER + 105,
    kLandListRefresh = WM_USER + 105,
    kLandListOptionRefresh = WM_USER + 105,
    // The country window, the weapon information, the terrain list: reload the pictures and draw
    // everything again; no parameters.
    kCountryInfoReload = WM_USER + 106,
    kWeaponInfoReload = WM_USER + 106,
    kLandListReload = WM_USER + 106,
    // The results and condition windows: redraw the figures, the graph; no parameters.
    kResultsRedraw = WM_USER + 106,
    kConditionInfoRedraw = WM_USER + 106,
    // The condition window to itself: repaint the page; no parameters.
    kConditionInfoRepaintPage = WM_USER + 107,
    // The weapon list, kWeaponListRebuildFirst..Last: rebuild for the chosen filter, sort, redraw.
    kWeaponListRebuildFirst = WM_USER + 106,
    kWeaponListRebuildLast = WM_USER + 108,
    // The history: the person's action phase opened or closed; no parameters.
    kHistoryPhaseChanged = WM_USER + 106,
    // The terrain list, from its display-item window: the items changed; no parameters.
    kLandListItemsChanged = WM_USER + 107,

    // ---- To any window that carries a panel page (infowin/panel_page.h) ----
    // The page: one of its children's commands, with the WM_COMMAND parameters.
    kPanelPageCommand = WM_USER + 205,

    // ---- To the battle scene's two windows (battle/live_clash_window.cpp) ----
    // The scene: destroy the window; start its clock; end the scene (also from the draw thread
    // when its drawing fails); no parameters.
    kSceneDestroy = WM_USER + 1,
    kSceneStartClock = WM_USER + 2,
    kSceneEnd = WM_USER + 3,
};

// Every message the main window answers, in the order above.
inline constexpr PrivateMessage kToMainWindow[] = {
    kBattleSceneFinished, kPlayTune, kOpenTerrainList, kCloseTerrainList, kCloseMoveTable,
    kCloseWeaponList, kShowIncome, kCloseRuleWindow, kOpenStartWindows, kShowThinkWindow,
    kReleasePendingWait, kThinkProgress, kOpenTroopList, kCloseTroopList, kOpenCountryInfo,
    kCloseCountryInfo, kReplenishPrompt, kSupplyPrompt, kGameViewStarted, kCloseConditionInfo,
    kCloseResults, kEndOfGameStep, kWeaponInfo, kCloseWeaponInfo, kResumeGame, kCloseTransportTable,
    kCancelDelegation, kCloseAvoidTable, kBattleScene, kCloseDestroyedList, kAutoMoveBegin,
    kAutoMoveRouteStage, kAutoMoveSetRoute, kAutoMoveEnd, kOpenTroopDeploy, kCloseTroopDeploy,
    kCloseActionHistory, kToggleHistoryOption, kToggleTroopListOption, kToggleLandListOption,
    kGameEndShown, kAutoMoveWindow, kProductionQuestion, kAutoMoveRun, kAfterGame, kCloseVictoryWindow,
    kRefreshTerrainWindows, kLastGameMessage, kPhaseHelp, kRefreshTitle, kBringToFront, kStopAllSounds,
    kRestartChime, kHelpPageNotShown, kPlayReport, kContinueExit,
};

// Every message the map window answers; its handlers too are split (messages, input).
inline constexpr PrivateMessage kToMapWindow[] = {
    kMapFullRefresh, kMapRefresh, kMapBlinkHex, kMapLevelChange, kMapCentreOnHex, kMapPlaceCarryOver,
    kMapDayNight, kMapSyncScrollBars, kMapCommandChosen, kMapCancelOrder, kMapSetZoom,
};

// Ascending numbers are distinct: a repeat would reach whichever handler looks first.
constexpr bool strictlyAscending(const PrivateMessage* first, std::size_t count)
{
    for (std::size_t i = 1; i < count; ++i) {
        if (first[i] <= first[i - 1])
            return false;
    }
    return true;
}
static_assert(strictlyAscending(kToMainWindow, std::size(kToMainWindow)),
              "two messages to the main window share a number, or the list is out of order");
static_assert(strictlyAscending(kToMapWindow, std::size(kToMapWindow)),
              "two messages to the map window share a number, or the list is out of order");

} // namespace ui_message
