// Messages the game thread and the program's windows post to the main window.
#pragma once

#include "platform/windows.h"

namespace main_message {

// From the battle scene's defender window: the scene has ended.
constexpr UINT kBattleSceneFinished = WM_USER + 3;
// From the game thread and combat resolution.
constexpr UINT kQuitRequest = WM_USER + 105;
// wParam = tune (1..8 the anthems, 9 victory, 10 defeat), lParam = 1 to loop.
constexpr UINT kPlayTune = WM_USER + 106;
// The weapon list asks to be closed.
constexpr UINT kCloseWeaponList = WM_USER + 112;
// The income window; the amount and the wait are handed over before the post.
constexpr UINT kShowIncome = WM_USER + 113;
constexpr UINT kOpenStartWindows = WM_USER + 116;
constexpr UINT kShowThinkWindow = WM_USER + 119;
// Releases the game thread's pending interface wait.
constexpr UINT kReleasePendingWait = WM_USER + 120;
// The thinking window's stop while the turn is delegated.
constexpr UINT kCancelDelegation = WM_USER + 162;
// wParam = progress value.
constexpr UINT kThinkProgress = WM_USER + 121;
// wParam = id of the wait holding the offer or order.
constexpr UINT kReplenishPrompt = WM_USER + 142;
constexpr UINT kSupplyPrompt = WM_USER + 143;
// Posted when a game run starts its view.
constexpr UINT kGameViewStarted = WM_USER + 144;
// The end-of-game step; the wait was handed over before the post.
constexpr UINT kEndOfGameStep = WM_USER + 149;
// The weapon information of unit type wParam, asked for by the weapon list and the production dialog.
constexpr UINT kWeaponInfo = WM_USER + 152;
// wParam = id of the battle wait, which carries the BattleRecord; lParam = the "PlaySE" setting.
constexpr UINT kBattleScene = WM_USER + 165;
// wParam = id of the production question's wait.
constexpr UINT kProductionQuestion = WM_USER + 183;
// The game thread ended without a further campaign stage; wParam = its play run.
constexpr UINT kAfterGame = WM_USER + 185;
constexpr UINT kRefreshTerrainWindows = WM_USER + 188;
// The same refresh, the last message of a game thread run; wParam = that play run.
constexpr UINT kLastGameMessage = WM_USER + 189;
// wParam = id of the phase explanation's wait.
constexpr UINT kPhaseHelp = WM_USER + 190;

// The country window: open it (the menu), close it (the menu and its own request).
constexpr UINT kOpenCountryInfo = WM_USER + 140;
constexpr UINT kCloseCountryInfo = WM_USER + 141;
// The condition and battle results windows ask to be closed.
constexpr UINT kCloseConditionInfo = WM_USER + 146;
constexpr UINT kCloseResults = WM_USER + 148;
// The troop windows: open the troop list and its display-item window, close both; close the
// destroyed-units list; show or hide the troop list's display-item window.
constexpr UINT kOpenTroopList = WM_USER + 138;
constexpr UINT kCloseTroopList = WM_USER + 139;
constexpr UINT kCloseDestroyedList = WM_USER + 167;
constexpr UINT kToggleTroopListOption = WM_USER + 178;
// The campaign deployment: the game thread asks for the window; the window ends it (wParam 1).
constexpr UINT kOpenTroopDeploy = WM_USER + 173;
constexpr UINT kCloseTroopDeploy = WM_USER + 174;

// From the rule window and the modeless victory-condition window: close it.
constexpr UINT kCloseRuleWindow = WM_USER + 115;
constexpr UINT kCloseVictoryWindow = WM_USER + 187;

// The main window's own: refresh the title, raise the window.
constexpr UINT kRefreshTitle = WM_USER + 191;
constexpr UINT kBringToFront = WM_USER + 192;
constexpr UINT kStopAllSounds = WM_USER + 193;
constexpr UINT kRestartChime = WM_USER + 194;

// Timer of the end of play, retried while the main window is minimised.
constexpr UINT_PTR kEndOfPlayTimer = 1;

} // namespace main_message
