// The game's questions and announcements as message boxes, until their own windows exist: each
// tells or asks the person, owned by the main window, and returns the answer.
#pragma once

#include "platform/windows.h"

#include <cstdint>
#include <string>

class GameState;
struct ReplenishOffer;
struct SupplyOrder;

namespace prompts {

// Texts, CP932, for the boxes below and for tests.
std::string incomeText(GameState& state, int income);
std::string phaseTitle(int phase);
std::string phaseText(int phase);
std::string replenishText(GameState& state, const ReplenishOffer& offer, bool repair);
std::string supplyText(GameState& state, const SupplyOrder& order);
// Kinds 0..7 of the game-end announcement, after the country's name.
std::string gameEndText(GameState& state, int country, int kind);

void showIncome(HWND owner, GameState& state, int income);
// Fills the offer's two accept bytes.
void askReplenish(HWND owner, GameState& state, ReplenishOffer& offer);
// No keeps nothing of the order.
void askSupply(HWND owner, GameState& state, SupplyOrder& order);
// "部隊の生産指示を行いますか？": true for yes.
bool askProductionOrders(HWND owner);
void explainPhase(HWND owner, int phase);

} // namespace prompts
