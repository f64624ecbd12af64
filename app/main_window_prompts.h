// The game's questions and announcements still told in message boxes, until their own windows
// exist: each tells or asks the person, owned by the main window, and returns the answer.
#pragma once

#include "platform/windows.h"

#include <cstdint>
#include <string>

class GameState;
struct BattleSceneSide;

namespace prompts {

// Texts, CP932, for the boxes below and for tests.
std::string battleText(GameState& state, const BattleSceneSide& attacker, const BattleSceneSide& defender);

// "部隊の生産指示を行いますか？": true for yes.
bool askProductionOrders(HWND owner);
void showBattle(HWND owner, GameState& state, const BattleSceneSide& attacker, const BattleSceneSide& defender);

} // namespace prompts
