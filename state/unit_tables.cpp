// The used-entry counts of GameState's unit tables.
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
