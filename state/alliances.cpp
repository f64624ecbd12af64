// Alliances and pacts between the countries and the neutral side.
#include "state/game_state.h"

namespace {

bool hasBit(unsigned mask, int bit) { return bit >= 0 && bit < 8 && (mask >> bit & 1) != 0; }

} // namespace

bool GameState::isAllied(int a, int b) const
{
    if (a == b)
        return true;
    if (a < 0 || b < 0)
        return false;
    // The neutral side has no country record; its mask lives in the neutral block.
    if (a >= kCountryCount)
        return hasBit(m_neutralBlock[0], b);
    if (b >= kCountryCount)
        return hasBit(m_neutralBlock[0], a);
    return hasBit(m_countries[size_t(a)].allianceMask, b);
}

bool GameState::hasPactWith(int a, int b) const
{
    if (a < 0 || a >= kCountryCount || b < 0 || b >= kCountryCount)
        return false;
    return hasBit(m_countries[size_t(a)].pactMask, b);
}

unsigned GameState::allianceMaskOf(int c) const
{
    if (c >= kCountryCount)
        return m_neutralBlock[0] | 0x100u;
    if (c < 0)
        return 0;
    unsigned mask = m_countries[size_t(c)].allianceMask;
    if (isAllied(c, 8))
        mask |= 0x100u;
    return mask;
}

bool GameState::isHexOwnerAllied(int country, int x, int y) const
{
    const TerrainCell* cell = terrainCellAt(x, y);
    if (!cell || cell->owner < 1 || cell->owner > 8)
        return false;
    return hasPactWith(country, cell->owner - 1);
}
