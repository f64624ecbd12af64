// The phase rules that need no thread: market rate, reinforcements.
#pragma once

#include <cstdint>

class GameState;

// Unit flags the phases read: no fatigue recovery this turn, and a per-turn mark the supply phase clears.
constexpr uint16_t kUnitNoRecovery = 0x20;
constexpr uint16_t kUnitTurnMark100 = 0x100;

// The market rate after an income: spending since the last income times 1.7, per unit of income when
// there is income, weighted one to three with the old rate, within 70..200.
uint8_t nextMarketRate(uint32_t spending, int64_t income, uint8_t old_rate);

// The country's units whose arrival turn (their state 2..) has come are put on the map near their set
// hex; answers how many arrived.
int placeReinforcements(GameState& state, int country);
