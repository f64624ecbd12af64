// The game's popups of play as the main window runs them for the game thread's requests: each
// runs modally on the calling thread, owned by the main window, and returns when it has closed.
#pragma once

#include "platform/windows.h"
#include "ui/window_context.h"

#include <cstdint>

struct ReplenishOffer;
struct SupplyOrder;

namespace play_windows {

// The owner is the main window's handle; null runs nothing (the order's choice is then cleared).
void showIncome(const WindowContext& context, HWND owner, int32_t income);
// Fills the offer's two accept bytes.
void askReplenish(const WindowContext& context, HWND owner, ReplenishOffer& offer);
// Refused, the order keeps nothing.
void askSupply(const WindowContext& context, HWND owner, SupplyOrder& order);
void explainPhase(const WindowContext& context, HWND owner);

} // namespace play_windows
