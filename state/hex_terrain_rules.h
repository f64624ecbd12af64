// The per-hex terrain rules shared by GameState's hex queries and the whole-window passes that read
// the cells row by row (the movement range): effective terrain, a road's cost and closed sides.
#pragma once

#include "state/hex_cells.h"
#include "state/hex_geometry.h"
#include "state/terrain_record.h"

#include <cstdint>

// The terrain a hex counts as: its own, or the river substitute its cell picks.
inline int effectiveTerrainOf(const TerrainCell& cell, const TerrainRoles& roles)
{
    if (!cell.hasSubstitute())
        return cell.terrain;
    switch (cell.substituteKind()) {
    case 1: return roles.deepRiver;
    case 2: return roles.frozenRiver;
    default: return roles.river;
    }
}

// A road laid over a hex: the cheaper of the two where both are passable, else whichever is.
inline int costWithRoad(int own, int road) { return road > 0 && own > 0 ? (own < road ? own : road) : road > 0 ? road : own; }

// Sides of a hex that no unit crosses from it: a closed side code on the border the cell marks.
inline uint8_t closedSidesOf(const TerrainCell& cell, const UnitCell& units)
{
    if (!(cell.sideCodes[0] | cell.sideCodes[1] | cell.sideCodes[2]))
        return 0;
    uint8_t closed = 0;
    for (int d = 0; d < kHexDirections; ++d)
        if (cell.sideCode(d) == 3 && (units.borderMask >> d & 1))
            closed = uint8_t(closed | 1u << d);
    return closed;
}
