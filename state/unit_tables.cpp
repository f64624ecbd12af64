// GameState's unit tables, reached only through bounded accessors.
#include "state/game_state.h"

#include <algorithm>

uint32_t GameState::unitCount(int side) const
{
    return side >= 0 && side < kSideCount ? m_unitCounts[size_t(side)] : 0;
}

void GameState::setUnitCount(int side, uint32_t count)
{
    if (side >= 0 && side < kSideCount)
        m_unitCounts[size_t(side)] = std::min<uint32_t>(count, kUnitTableSize);
}

UnitRecord* GameState::unitAt(int code, int index) const
{
    if (index < 0 || index >= kUnitTableSize)
        return nullptr;
    UnitRecord* table = nullptr;
    if (code >= 0 && code < kSideCount)
        table = m_unitTables[size_t(code)].get();
    else if (code >= 100 && code < 100 + kCountryCount)
        table = m_missileTables[size_t(code - 100)].get();
    return table ? table + index : nullptr;
}
