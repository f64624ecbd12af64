// The game's popups of play as the main window runs them for the game thread's requests: each
// runs modally on the calling thread, owned by the main window, and returns when it has closed.
#pragma once

#include "platform/windows.h"
#include "ui/window_context.h"

#include <cstdint>

class GameState;
struct ReplenishOffer;
struct SupplyOrder;

namespace play_windows {

// The owner is the main window's handle; null runs nothing (the order's choice is then cleared).
void showIncome(const WindowContext& context, HWND owner, int32_t income);
// Fills the offer's two accept bytes.
void askReplenish(HWND owner, const GameState& game, ReplenishOffer& offer);
// Refused, the order keeps nothing.
void askSupply(HWND owner, const GameState& game, SupplyOrder& order);
void explainPhase(HWND owner, const GameState& game);

} // namespace play_windows
