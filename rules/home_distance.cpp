// Home hexes and the distance grids the computer player's scans read.
#include "rules/home_distance.h"

#include "rules/move_range.h"
#include "state/game_state.h"

#include <algorithm>
#include <new>

namespace {

constexpr int kHeadquartersBuilding = 31;
// Far enough to flood the largest map with the dearest terrain.
constexpr int kDistanceAllowance = 10000;

// The domain a movement type moves in: air layers 0..2, sea surface 17..19, undersea 20 and 21,
// land (and hovercraft, which cross land and its bridges) for the rest.
int domainOfMoveType(int move_type)
{
    if (move_type < 3)
        return move_type;
    if (move_type >= 17 && move_type <= 19)
        return 4;
    if (move_type == 20 || move_type == 21)
        return 5;
    return 3;
}

std::unique_ptr<int32_t[]> makeGrid(GameState& state, int side, int move_type)
{
    const size_t hexes = size_t(state.mapWidth()) * size_t(state.mapHeight());
    std::unique_ptr<int32_t[]> grid(new (std::nothrow) int32_t[hexes]);
    if (!grid)
        return grid;
    std::fill(grid.get(), grid.get() + hexes, -1);
    const HexPos home = sideHomeHex(state, side);
    if (!state.isOnMap(home.x, home.y))
        return grid;
    MoveRangeMap range(state);
    range.initFromValues(side, home.x, home.y, move_type, domainOfMoveType(move_type));
    range.setCostLimit(kDistanceAllowance);
    range.compute();
    range.copyCosts(grid.get());
    return grid;
}

} // namespace

HexPos sideHomeHex(GameState& state, int side)
{
    if (side >= kCountryCount)
        return { state.mapWidth() / 2, state.mapHeight() / 2 };
    if (side < 0)
        return kNoHex;
    // A capital position of 0xFFFF is "none".
    const CountryRecord& country = state.country(side);
    const int x = int16_t(country.capitalX);
    const int y = int16_t(country.capitalY);
    return x < 0 || y < 0 ? kNoHex : HexPos { x, y };
}

HexPos hqHex(GameState& state, int side)
{
    if (side < 0 || side >= kCountryCount)
        return kNoHex;
    const HexPos home = sideHomeHex(state, side);
    const UnitCell* cell = state.unitCellAt(home.x, home.y);
    const BuildingRecord* building = cell && cell->building ? state.building(cell->building - 1) : nullptr;
    if (building && building->type == kHeadquartersBuilding && building->owner() == side)
        return home;
    return kNoHex;
}

int distanceFromHome(GameState& state, int side, int move_type, int x, int y)
{
    DistanceGrids* grids = state.distanceGrids(side);
    if (!grids || move_type < 0 || move_type >= kMovementTypeCount || !state.isOnMap(x, y))
        return -1;
    // A home hex that moved since the grids were made makes them all wrong.
    if (!grids->current) {
        for (auto& grid : grids->grids)
            grid.reset();
        grids->current = 1;
    }
    std::unique_ptr<int32_t[]>& grid = grids->grids[size_t(move_type)];
    if (!grid)
        grid = makeGrid(state, side, move_type);
    if (!grid)
        return -1;
    return grid[size_t(y) * size_t(state.mapWidth()) + size_t(x)];
}

void dropStaleDistanceGrids(GameState& state)
{
    for (int side = 0; side < kSideCount; ++side) {
        DistanceGrids* grids = state.distanceGrids(side);
        if (!grids)
            continue;
        if (!grids->current)
            for (auto& grid : grids->grids)
                grid.reset();
        grids->current = 1;
    }
}
