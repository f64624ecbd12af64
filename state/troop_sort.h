// The troop lists' selection sort and the comparisons of unit keys ((index << 16) | side).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class GameState;

using TroopLess = std::function<bool(uint32_t a, uint32_t b)>;

// Selection sort: an entry after the current choice replaces it unless less(choice, entry) holds;
// equal entries end up in the order these swaps leave, which the list windows show.
void sortTroopKeys(std::vector<uint32_t>& keys, const TroopLess& less);

// Each puts existing units before missing ones.
bool troopLessByNumber(const GameState& state, uint32_t a, uint32_t b);
bool troopLessByCategory(const GameState& state, uint32_t a, uint32_t b);
bool troopLessByMoveClass(const GameState& state, uint32_t a, uint32_t b);
bool troopLessByPosition(const GameState& state, uint32_t a, uint32_t b);
bool troopLessByName(const GameState& state, uint32_t a, uint32_t b);
bool troopLessByTypeName(const GameState& state, uint32_t a, uint32_t b);
// Strength slot count, experience level, fatigue and fuel.
bool troopLessByFieldA(const GameState& state, uint32_t a, uint32_t b);
bool troopLessByFieldB(const GameState& state, uint32_t a, uint32_t b);
bool troopLessByFieldC(const GameState& state, uint32_t a, uint32_t b);
bool troopLessByFieldD(const GameState& state, uint32_t a, uint32_t b);
