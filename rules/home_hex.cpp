// The home hex of a side (its capital or a stand-in), the home area and where carried-over units may go.
#include "rules/home_hex.h"

#include "state/game_state.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kDestroyedBuildingTerrain = 49;
constexpr uint32_t kTargetPlaceBonus = 100000;

bool isHeadquarters(GameState& state, const UnitRecord& unit)
{
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    return unitInPlay(unit) && type && type->unitClass == kHeadquartersClass;
}

uint32_t buildingScore(GameState& state, const BuildingRecord& building)
{
    const TerrainRecord* terrain = building.terrain();
    uint32_t score = uint32_t(building.unitCount()) + (terrain ? terrain->income * 10u : 0u);
    const UnitCell* cell = state.unitCellAt(int(building.x), int(building.y));
    if (cell && cell->place && cell->place <= kPlaceRecordCount && state.placeTable()
        && state.placeTable()[cell->place - 1].target)
        score += kTargetPlaceBonus;
    return score;
}

// The best building of the side; ties keep the current home hex, else one is drawn at random.
HexPos bestBuilding(GameState& state, int side)
{
    std::vector<HexPos> best;
    uint32_t best_score = 0;
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const BuildingRecord& building = state.buildingAt(i);
        if (building.owner() != side)
            continue;
        uint32_t score = buildingScore(state, building);
        if (best.empty() || score > best_score)
            best.clear(), best_score = score;
        if (score == best_score)
            best.push_back({ int32_t(building.x), int32_t(building.y) });
    }
    if (best.empty())
        return kNoHex;
    const CountryRecord& country = state.country(side);
    HexPos current { country.capitalX, country.capitalY };
    if (std::find(best.begin(), best.end(), current) != best.end())
        return current;
    if (best.size() == 1)
        return best.front();
    return best[size_t(state.random(0, int(best.size()) - 1))];
}

} // namespace

bool isCapitalOf(GameState& state, int x, int y, int side)
{
    const TerrainRecord* terrain = state.terrainTypeAt(x, y);
    const BuildingRecord* building = state.buildingOnHex(x, y);
    return terrain && terrain->kind == kTerrainCapital && building && building->owner() == side;
}

bool hasHeadquartersAt(GameState& state, int x, int y, int side)
{
    const UnitRecord* table = std::as_const(state).unitTable(side);
    for (int i = 0; table && i < int(state.unitCount(side)); ++i) {
        const UnitRecord& unit = table[i];
        if (unit.x == x && unit.y == y && unit.isOnOwnHex() && isHeadquarters(state, unit))
            return true;
    }
    return false;
}

void collectHomeAnchors(GameState& state, int side, std::vector<HexPos>& anchors)
{
    for (size_t i = 0; i < state.buildingCount(); ++i) {
        const BuildingRecord& building = state.buildingAt(i);
        const TerrainRecord* terrain = building.terrain();
        if (building.owner() == side && terrain && terrain->kind == kTerrainCapital)
            anchors.push_back({ int32_t(building.x), int32_t(building.y) });
    }
    const UnitRecord* table = std::as_const(state).unitTable(side);
    for (int i = 0; table && i < int(state.unitCount(side)); ++i)
        if (isHeadquarters(state, table[i]))
            anchors.push_back({ table[i].x, table[i].y });
}

bool isNearHome(const std::vector<HexPos>& anchors, int x, int y)
{
    return std::any_of(anchors.begin(), anchors.end(), [&](HexPos a) { return hexDistance(a, { x, y }) <= kHomeRadius; });
}

HexPos computeHomeHex(GameState& state, int side)
{
    if (side < 0 || side >= kCountryCount)
        return kNoHex;
    // Only a hex with a building can be a capital: the unit grid is read first, row by row.
    if (const UnitCell* cells = state.unitGrid())
        for (int y = 0; y < state.mapHeight(); ++y)
            for (int x = 0; x < state.mapWidth(); ++x)
                if (cells[size_t(y) * size_t(state.mapWidth()) + size_t(x)].building && isCapitalOf(state, x, y, side))
                    return { x, y };
    const UnitRecord* table = std::as_const(state).unitTable(side);
    for (int i = 0; table && i < int(state.unitCount(side)); ++i)
        if (isHeadquarters(state, table[i]) && !table[i].hasFlag(kUnitAwaitingProduction))
            return { table[i].x, table[i].y };
    HexPos building = bestBuilding(state, side);
    if (building.valid())
        return building;
    return { state.mapWidth() / 2, state.mapHeight() / 2 };
}

void refreshCapitalHex(GameState& state, int side)
{
    HexPos home = computeHomeHex(state, side);
    if (!home.valid())
        return;
    CountryRecord& country = state.country(side);
    if (country.capitalX != home.x || country.capitalY != home.y)
        state.markDistanceGridsStale(side);
    country.capitalX = uint16_t(home.x);
    country.capitalY = uint16_t(home.y);
}

void markHomeArea(GameState& state)
{
    int player = state.campaignBlock().playerCountry;
    if (player >= kCountryCount)
        return;
    std::vector<HexPos> anchors;
    collectHomeAnchors(state, player, anchors);
    if (anchors.empty())
        return;
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x)
            if (isNearHome(anchors, x, y))
                state.terrainCellAt(x, y)->turnMarks[0] |= 1;
}

bool canDeployCarryOverInBuilding(GameState& state, int entry, int x, int y)
{
    if (entry < 0 || entry >= kUnitTableSize || !state.carryOverTable())
        return false;
    const UnitTypeRecord* type = state.unitTypeOf(state.carryOverTable()[entry]);
    const BuildingRecord* building = state.buildingOnHex(x, y);
    int player = state.campaignBlock().playerCountry;
    return type && building && building->owner() == player && building->acceptsUnit(player, unitTypeGroup(*type));
}

bool canDeployCarryOverAt(GameState& state, int entry, int x, int y)
{
    if (entry < 0 || entry >= kUnitTableSize || !state.carryOverTable() || !state.isOnMap(x, y))
        return false;
    const UnitTypeRecord* type = state.unitTypeOf(state.carryOverTable()[entry]);
    if (!type)
        return false;
    bool sea = type->domain == 4 || type->domain == 5;
    int slot = state.unitSlotFor(type->domain);
    bool free = !state.hexHasUnit(x, y, slot) && !state.hexHasUpperUnit(x, y, slot);
    if (!(sea && state.terrainCellAt(x, y)->terrain == kDestroyedBuildingTerrain)
        && state.terrainValueAt(x, y, type->movementType) > 0 && free)
        return true;
    return canDeployCarryOverInBuilding(state, entry, x, y);
}
