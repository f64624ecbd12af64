// Home hexes and the distance grids the computer player's scans read.
#include "rules/home_distance.h"

#include "rules/move_range.h"
#include "rules/rules_context.h"
#include "state/game_state.h"

#include <algorithm>
#include <cstring>
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

// Whether a flood from the home hex gives the same costs for both movement types: the same entry cost
// on every terrain type, and bridges' exits read alike (only the land domain reads them).
bool floodsAlike(const GameState& state, int a, int b)
{
    if ((domainOfMoveType(a) == 3) != (domainOfMoveType(b) == 3))
        return false;
    for (const TerrainRecord& terrain : state.terrainTypes())
        if (terrain.moveCost[a] != terrain.moveCost[b])
            return false;
    return true;
}

template <class T>
void append(std::vector<uint8_t>& out, const T& value)
{
    const size_t at = out.size();
    out.resize(at + sizeof value);
    std::memcpy(out.data() + at, &value, sizeof value);
}

// Everything a flood from the home hex without a unit reads of the map, into `map`: the home hex, each
// cell's terrain, road, river, display code (bridges' exits) and side codes with the border it closes,
// the buildings that give exits and the listed bridge hexes.
void readFloodedMap(GameState& state, HexPos home, std::vector<uint8_t>& map)
{
    constexpr size_t kHexBytes = 10;
    const TerrainCell* const cells = state.terrainGrid();
    const UnitCell* const units = state.unitGrid();
    const size_t hexes = cells && units ? size_t(state.mapWidth()) * size_t(state.mapHeight()) : 0;
    map.resize(sizeof home + hexes * kHexBytes);
    std::memcpy(map.data(), &home, sizeof home);
    uint8_t* out = map.data() + sizeof home;
    for (size_t i = 0; i < hexes; ++i, out += kHexBytes) {
        const TerrainCell& c = cells[i];
        out[0] = c.terrain;
        out[1] = c.overlay;
        std::memcpy(out + 2, &c.substitute, 2);
        std::memcpy(out + 4, &c.displayCode, 2);
        std::memcpy(out + 6, c.sideCodes, 3);
        out[9] = units[i].borderMask;
    }
    for (size_t b = 0; b < state.buildingCount(); ++b) {
        const BuildingRecord& building = state.buildingAt(b);
        const TerrainRecord* terrain = building.terrain();
        if (terrain && terrain->kind == 20)
            append(map, HexPos { int(building.x), int(building.y) });
    }
    for (const TemporaryBridgeHex& listed : state.temporaryBridgeHexes())
        append(map, HexPos { int(listed.x), int(listed.y) });
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
    if (!grid) {
        DistanceGridSources::Side& source = rulesContext(state).distanceSources.sides[size_t(side)];
        readFloodedMap(state, sideHomeHex(state, side), source.reading);
        if (source.reading != source.map) {
            source.map.swap(source.reading);
            ++source.generation;
        }
        for (int twin = 0; twin < kMovementTypeCount && !grid; ++twin) {
            const int32_t* made = grids->grids[size_t(twin)].get();
            if (made && made == source.grid[size_t(twin)] && source.made[size_t(twin)] == source.generation
                && floodsAlike(state, twin, move_type)) {
                const size_t hexes = size_t(state.mapWidth()) * size_t(state.mapHeight());
                grid.reset(new (std::nothrow) int32_t[hexes]);
                if (grid)
                    std::copy(made, made + hexes, grid.get());
            }
        }
        if (!grid)
            grid = makeGrid(state, side, move_type);
        source.grid[size_t(move_type)] = grid.get();
        source.made[size_t(move_type)] = source.generation;
    }
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
