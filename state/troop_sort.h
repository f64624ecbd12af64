// The troop tables' selection sort and the orders of their keys: troop keys of the live unit
// tables and carry-over keys of the campaign's carry-over list.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

class GameState;
struct UnitRecord;

// (index << 16) | country: one slot of a country's unit table.
using TroopKey = uint32_t;

constexpr int kTroopSortKeyCount = 10;

// Puts the keys in the order of the lists' selection sort (state/list_sort.h), given each key's
// rank under the order: equal ranks are equal keys, and kRankBehind marks keys that name nothing.
void placeInSelectionOrder(std::vector<uint32_t>& keys, std::vector<uint32_t> ranks);
constexpr uint32_t kRankBehind = UINT32_MAX - 1;

// The lists' order, as the selection sort gives it: an entry after the current choice replaces it
// unless less(choice, entry) holds, so among equal entries the one furthest back is taken. Not
// stable; the lists show its order. `less` is a strict weak order on keys that name something; a
// key naming nothing answers less(key, other) true for every other such key and false for the
// rest, so it sorts behind (that is how less(key, key) tells it apart). Each key is ranked by one
// ordinary sort, then the selection sort is replayed on the ranks.
template <typename Less>
void sortTroopKeys(std::vector<uint32_t>& keys, Less&& less)
{
    if (keys.size() < 2)
        return;
    std::vector<uint32_t> named;
    named.reserve(keys.size());
    for (uint32_t i = 0; i < keys.size(); ++i)
        if (!less(keys[i], keys[i]))
            named.push_back(i);
    std::sort(named.begin(), named.end(), [&](uint32_t a, uint32_t b) { return less(keys[a], keys[b]); });
    std::vector<uint32_t> ranks(keys.size(), kRankBehind);
    uint32_t rank = 0;
    for (size_t k = 0; k < named.size(); ++k) {
        if (k && less(keys[named[k - 1]], keys[named[k]]))
            ++rank;
        ranks[named[k]] = rank;
    }
    placeInSelectionOrder(keys, std::move(ranks));
}

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

// Keys (index << 16) | side of side 0..8's units (the neutral side: its whole table) sorted by
// order 0..9; reverse 1 turns the live run round (order 0: the whole list). Empty for any other side.
std::vector<uint32_t> sortedSideUnits(const GameState& state, int side, int order, int reverse);
// Sorts keys (entry << 16) | country of the country's destroyed-unit list, made one per entry when
// they are not, by key 0 order of destruction, 1 troop number, 2 position, 3 name; reverse 1 turns
// the result round. Free entries go behind. Nothing happens for a country without a list.
void sortDestroyedUnitKeys(const GameState& state, int country, uint32_t sortKey, bool reverse, std::vector<uint32_t>& keys);
