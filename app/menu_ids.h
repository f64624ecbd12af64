// Command ids of the main window's menus, accelerators and tool palette.
#pragma once

namespace menu_id {

constexpr unsigned kNewGame = 40001;
constexpr unsigned kResumeGame = 40002;
constexpr unsigned kSaveGameAs = 40003;
constexpr unsigned kEndGame = 40004;
constexpr unsigned kQuit = 40005;

constexpr unsigned kEndActionPhase = 40010;
constexpr unsigned kEndTurn = 40011;
constexpr unsigned kSurrender = 40012;
constexpr unsigned kDelegateTurn = 40014;
constexpr unsigned kChangePlayers = 40043;

constexpr unsigned kZoom16 = 40020;
constexpr unsigned kZoom32 = 40021;
constexpr unsigned kZoom48 = 40022;
constexpr unsigned kWeaponList = 40140;

constexpr unsigned kSwitchMode = 40030;
constexpr unsigned kEnvironment = 40031;
constexpr unsigned kAbout = 40032;
constexpr unsigned kHelp = 40033;

// The rule list of the production-type menu, the rule window and the victory conditions.
constexpr unsigned kRuleList = 40100;
constexpr unsigned kRuleInfo = 40101;
constexpr unsigned kVictoryConditions = 40102;

// The mission briefing read again during play.
constexpr unsigned kShowOrders = 40120;
// The country, condition and battle results windows.
constexpr unsigned kCountryInfo = 40200;
constexpr unsigned kConditionInfo = 40201;
constexpr unsigned kResults = 40202;
// The troop list, the destroyed-units list and the information of the panel's unit.
constexpr unsigned kTroopList = 40180;
constexpr unsigned kDestroyedList = 40181;
constexpr unsigned kTroopInfo = 40182;

} // namespace menu_id
