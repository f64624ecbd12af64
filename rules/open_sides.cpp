// The open sides of bridge-like hexes by display code.
#include "rules/open_sides.h"

#include "state/game_state.h"

namespace {

// Codes 0..8 join the two sides a bridge links: 0 = 1-4, 1 = 2-5, 2 = 0-3, 3 = 1-5, 4 = 0-4,
// 5 = 3-5, 6 = 2-4, 7 = 1-3, 8 = 0-2.
constexpr int kBridgeSides[9] = { 18, 36, 9, 34, 17, 40, 20, 10, 5 };

} // namespace

int displayCodeSides(int display_code)
{
    return display_code >= 0 && display_code < 9 ? kBridgeSides[display_code] : 0x3F;
}

int hexGraphicCode(const GameState& state, int x, int y)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    return cell ? displayCodeSides(cell->displayCode) : 0;
}

int buildingGraphicCode(const GameState& state, const BuildingRecord& building)
{
    return hexGraphicCode(state, int(building.x), int(building.y));
}
