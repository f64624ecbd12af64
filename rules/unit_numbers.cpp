// Unit indexes and troop numbers: the first free record of a side and the numbers not yet taken.
#include "rules/unit_numbers.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <utility>

namespace {

// Bit n set when troop number n is in use among the table's used records.
std::vector<bool> usedNumbers(const UnitRecord* table, int limit)
{
    std::vector<bool> used(size_t(limit) + 1, false);
    for (int i = 0; table && i < kUnitTableSize; ++i)
        if (unitExists(table[i]) && table[i].troopNumber <= limit)
            used[table[i].troopNumber] = true;
    return used;
}

int firstFree(const std::vector<bool>& used)
{
    for (size_t n = 1; n < used.size(); ++n)
        if (!used[n])
            return int(n);
    return -1;
}

} // namespace

int unitCapacity(const GameState& state, int side)
{
    if (side < 0 || side >= kSideCount)
        return 0;
    return side < kCountryCount ? state.playerUnitCount(side) : kUnitTableSize;
}

int freeUnitSlot(GameState& state, int side)
{
    int count = int(state.unitCount(side));
    for (int i = 0; i < count; ++i)
        if (!unitExists(*state.unitOf(side, i)))
            return i;
    return -1;
}

int nextTroopNumber(GameState& state, int side)
{
    int capacity = unitCapacity(state, side);
    if (capacity <= 0)
        return -1;
    return firstFree(usedNumbers(std::as_const(state).unitTable(side), capacity));
}

int nextCarryOverNumber(GameState& state)
{
    return firstFree(usedNumbers(state.carryOverTable(), kUnitTableSize));
}

void listFreeUnitNumbers(GameState& state, int side, std::vector<uint32_t>& list)
{
    int capacity = unitCapacity(state, side);
    if (capacity <= 0)
        return;
    std::vector<bool> used = usedNumbers(std::as_const(state).unitTable(side), capacity);
    for (int n = 1; n <= capacity; ++n)
        if (!used[size_t(n)])
            list.push_back(uint32_t(n));
}
