// The troop tables' selection sort and the orders of their keys: troop keys of the live unit
// tables and carry-over keys of the campaign's carry-over list.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class GameState;
struct UnitRecord;

// (index << 16) | country: one slot of a country's unit table.
using TroopKey = uint32_t;
using TroopLess = std::function<bool(uint32_t a, uint32_t b)>;

constexpr int kTroopSortKeyCount = 10;

// Selection sort: an entry after the current choice replaces it unless less(choice, entry) holds,
// so among equal entries the one furthest back is taken. Not stable; the lists show its order.
void sortTroopKeys(std::vector<uint32_t>& keys, const TroopLess& less);

// Country below 8, index below the country's unit count, unit state exactly 1.
bool isLiveTroopKey(const GameState& state, TroopKey key);
// An index below the carry-over list's count whose entry's state is not 0 (waiting ones count).
bool isPresentCarryOverKey(const GameState& state, uint32_t key);

// Sort key 2: awaiting production 10, stored 2, aboard 4, carrying 6, else 0; having acted turns
// 0 into 8 and adds 1 to the others. The carry-over form knows only aboard and carrying.
int troopStateCode(const UnitRecord& unit);
int carryOverStateCode(const UnitRecord& unit);

// The orders of sort keys 0..9 (troop number, class, state, position, name, type name, members,
// experience level, fatigue, fuel), all but the two names tied by troop number. Keys that name no
// unit sort behind and keep their order among themselves; a key outside 0..9 compares nothing else.
bool troopKeyLess(const GameState& state, int sortKey, TroopKey a, TroopKey b);
bool carryOverKeyLess(const GameState& state, int sortKey, uint32_t a, uint32_t b);
