// The troop tables' sort: the selection sort, the two families of key orders, a side's sorted units.
#include "state/troop_sort.h"

#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/unit_type_sort.h"

#include <algorithm>

namespace {

const UnitRecord* liveUnit(const GameState& state, TroopKey key)
{
    const int country = int(key & 0xFFFF);
    const uint32_t index = key >> 16;
    if (country >= kCountryCount || index >= state.unitCount(country))
        return nullptr;
    const UnitRecord* unit = state.unitOf(country, int(index));
    return unit && unitInPlay(*unit) ? unit : nullptr;
}

const UnitRecord* carryOverEntry(const GameState& state, uint32_t key)
{
    if (key >= state.carryOverCount() || !state.carryOverTable())
        return nullptr;
    const UnitRecord& entry = state.carryOverTable()[key];
    return unitExists(entry) ? &entry : nullptr;
}

const UnitTypeRecord& typeOf(const GameState& state, const UnitRecord& unit)
{
    static const UnitTypeRecord none {};
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    return type ? *type : none;
}

// Ascending by the field; equal fields go by troop number.
template <typename T>
bool byFieldThenNumber(T a, T b, const UnitRecord& ua, const UnitRecord& ub)
{
    if (a != b)
        return a < b;
    return ua.troopNumber < ub.troopNumber;
}

using StateCode = int (*)(const UnitRecord&);

// Both units are there: the field of the sort key decides.
bool compareUnits(const GameState& state, int sortKey, const UnitRecord& a, const UnitRecord& b, StateCode stateCode)
{
    switch (sortKey) {
    case 0:
        return a.troopNumber < b.troopNumber;
    case 1:
        return byFieldThenNumber(typeOf(state, a).unitClass, typeOf(state, b).unitClass, a, b);
    case 2:
        return byFieldThenNumber(stateCode(a), stateCode(b), a, b);
    case 3:
        if (a.x != b.x)
            return a.x < b.x;
        return byFieldThenNumber(a.y, b.y, a, b);
    case 4:
        return compareNameFields(a.name, b.name, sizeof a.name) < 0;
    case 5:
        return compareNameFields(typeOf(state, a).name, typeOf(state, b).name, sizeof UnitTypeRecord::name) < 0;
    case 6:
        return byFieldThenNumber(strengthSlotCount(a), strengthSlotCount(b), a, b);
    case 7:
        return byFieldThenNumber(experienceLevel(a), experienceLevel(b), a, b);
    case 8:
        return byFieldThenNumber(a.fatigue, b.fatigue, a, b);
    case 9:
        return byFieldThenNumber(a.fuel, b.fuel, a, b);
    default:
        return false;
    }
}

// With either key missing: a unit before an empty slot, and two empty slots answer true, which the
// sort takes as already in order.
bool presenceOrder(const UnitRecord* b) { return !b; }

} // namespace

void placeInSelectionOrder(std::vector<uint32_t>& keys, std::vector<uint32_t> ranks)
{
    // A tournament tree over the places: each node holds the place of its range's choice, the
    // lowest rank and of equal ranks the furthest back. A settled place leaves the contest.
    constexpr uint32_t kSettled = UINT32_MAX;
    const size_t count = keys.size();
    size_t leaves = 1;
    while (leaves < count)
        leaves *= 2;
    ranks.resize(leaves, kSettled);
    std::vector<uint32_t> tree(2 * leaves);
    auto better = [&](uint32_t a, uint32_t b) {
        return ranks[a] != ranks[b] ? (ranks[a] < ranks[b] ? a : b) : std::max(a, b);
    };
    for (size_t i = 0; i < leaves; ++i)
        tree[leaves + i] = uint32_t(i);
    for (size_t node = leaves - 1; node > 0; --node)
        tree[node] = better(tree[2 * node], tree[2 * node + 1]);
    auto update = [&](size_t place) {
        for (size_t node = (leaves + place) / 2; node > 0; node /= 2)
            tree[node] = better(tree[2 * node], tree[2 * node + 1]);
    };
    for (size_t i = 0; i + 1 < count; ++i) {
        const uint32_t choice = tree[1];
        // Only keys naming nothing are left: the sort keeps the first of them, moving none.
        if (ranks[choice] >= kRankBehind)
            break;
        if (choice != i) {
            std::swap(keys[i], keys[choice]);
            std::swap(ranks[i], ranks[choice]);
            update(choice);
        }
        ranks[i] = kSettled;
        update(i);
    }
}

bool isLiveTroopKey(const GameState& state, TroopKey key) { return liveUnit(state, key) != nullptr; }

bool isPresentCarryOverKey(const GameState& state, uint32_t key) { return carryOverEntry(state, key) != nullptr; }

int troopStateCode(const UnitRecord& unit)
{
    int code = unit.hasFlag(kUnitAwaitingProduction) ? 10
        : unit.hasFlag(kUnitStored)                 ? 2
        : unit.hasFlag(kUnitAboard)                 ? 4
        : unit.hasFlag(kUnitCarrying)               ? 6
                                                    : 0;
    if (unit.hasFlag(kUnitActed))
        code = code == 0 ? 8 : code + 1;
    return code;
}

int carryOverStateCode(const UnitRecord& unit)
{
    return unit.hasFlag(kUnitAboard) ? 4 : unit.hasFlag(kUnitCarrying) ? 6 : 0;
}

bool troopKeyLess(const GameState& state, int sortKey, TroopKey a, TroopKey b)
{
    const UnitRecord* ua = liveUnit(state, a);
    const UnitRecord* ub = liveUnit(state, b);
    if (!ua || !ub)
        return presenceOrder(ub);
    return compareUnits(state, sortKey, *ua, *ub, troopStateCode);
}

bool carryOverKeyLess(const GameState& state, int sortKey, uint32_t a, uint32_t b)
{
    const UnitRecord* ua = carryOverEntry(state, a);
    const UnitRecord* ub = carryOverEntry(state, b);
    if (!ua || !ub)
        return presenceOrder(ub);
    return compareUnits(state, sortKey, *ua, *ub, carryOverStateCode);
}

std::vector<uint32_t> sortedSideUnits(const GameState& state, int side, int order, int reverse)
{
    std::vector<uint32_t> keys;
    if (side < 0 || side >= kSideCount)
        return keys;
    // The neutral side has no country record; its list covers the units its table holds.
    const int length = side < kCountryCount ? state.playerUnitCount(side) : int(state.unitCount(side));
    for (int i = 0; i < length; ++i)
        keys.push_back(uint32_t(i) << 16 | uint32_t(side));
    if (order >= 0 && order < kTroopSortKeyCount)
        sortTroopKeys(keys, [&](uint32_t a, uint32_t b) { return troopKeyLess(state, order, a, b); });
    if (reverse != 1)
        return keys;
    if (order == 0) {
        std::reverse(keys.begin(), keys.end());
        return keys;
    }
    // Only the live run turns round, so the empty slots stay behind.
    auto run_end = std::find_if(keys.begin(), keys.end(), [&](uint32_t key) { return !isLiveTroopKey(state, key); });
    std::reverse(keys.begin(), run_end);
    return keys;
}
