// Terrain on a hex: effective terrain, class values, flag tables, loading hexes and crossable sides.
#include "state/game_state.h"
#include "state/hex_terrain_rules.h"

#include <utility>

namespace {

constexpr int kFlagTableSize = 56;

// Read by the computer player's map analysis and a hex scan.
constexpr bool inClassTable(int type) { return type == 28 || type == 29 || type == 30 || type == 39 || type == 40; }

constexpr bool inGroupTable(int type)
{
    for (int t : { 0, 5, 11, 12, 14, 15, 16, 23, 24, 26, 27, 29, 30, 54, 55 })
        if (t == type)
            return false;
    return true;
}

} // namespace

TerrainCell* GameState::terrainCellAt(int x, int y) const
{
    if (!m_terrainGrid || !isOnMap(x, y))
        return nullptr;
    return &m_terrainGrid[size_t(y) * size_t(mapWidth()) + size_t(x)];
}

UnitCell* GameState::unitCellAt(int x, int y) const
{
    if (!m_unitGrid || !isOnMap(x, y))
        return nullptr;
    return &m_unitGrid[size_t(y) * size_t(mapWidth()) + size_t(x)];
}

int GameState::effectiveTerrainAt(int x, int y) const
{
    const TerrainCell* cell = terrainCellAt(x, y);
    return cell ? effectiveTerrainOf(*cell, m_terrainRoles) : -1;
}

const TerrainRecord* GameState::terrainTypeAt(int x, int y) const
{
    int type = effectiveTerrainAt(x, y);
    if (type < 0 || size_t(type) >= m_terrainTypes.size())
        return nullptr;
    return &m_terrainTypes[size_t(type)];
}

int GameState::terrainValueAt(int x, int y, int k) const
{
    const TerrainRecord* terrain = terrainTypeAt(x, y);
    if (!terrain || k < 0 || k >= kMovementTypeCount)
        return 0;
    int own = terrain->moveCost[k];
    const TerrainCell* cell = terrainCellAt(x, y);
    if (!cell->overlay || terrain->kind >= kTerrainBuilding || size_t(m_terrainRoles.road) >= m_terrainTypes.size())
        return own;
    return costWithRoad(own, m_terrainTypes[size_t(m_terrainRoles.road)].moveCost[k]);
}

int GameState::terrainClassAt(int x, int y) const
{
    int type = effectiveTerrainAt(x, y);
    return type >= 0 && type < kFlagTableSize && inClassTable(type) ? 1 : 0;
}

int GameState::terrainGroupAt(int x, int y) const
{
    int type = effectiveTerrainAt(x, y);
    return type >= 0 && type < kFlagTableSize && inGroupTable(type) ? 1 : 0;
}

namespace {

bool typeHasFlag(const std::vector<TerrainRecord>& types, int type, unsigned flag)
{
    return type >= 0 && size_t(type) < types.size() && (types[size_t(type)].flags & flag) != 0;
}

} // namespace

bool GameState::isDropHex(int x, int y) const
{
    const TerrainCell* cell = terrainCellAt(x, y);
    if (!cell)
        return false;
    // The hex's own terrain, a pillbox listed on it, or the road laid over it.
    if (typeHasFlag(m_terrainTypes, effectiveTerrainAt(x, y), kTerrainAirborneDrop))
        return true;
    if (findPillboxHex(x, y) >= 0 && typeHasFlag(m_terrainTypes, m_terrainRoles.pillbox, kTerrainAirborneDrop))
        return true;
    return cell->overlay && typeHasFlag(m_terrainTypes, m_terrainRoles.road, kTerrainAirborneDrop);
}

namespace {

bool hexHasFlagFor(const GameState& state, int x, int y, unsigned flag, int country)
{
    const TerrainCell* cell = state.terrainCellAt(x, y);
    if (!cell)
        return false;
    const auto& types = state.terrainTypes();
    const TerrainRoles& roles = state.terrainRoles();
    bool has = typeHasFlag(types, state.effectiveTerrainAt(x, y), flag)
        || (state.findPillboxHex(x, y) >= 0 && typeHasFlag(types, roles.pillbox, flag))
        || (cell->overlay && typeHasFlag(types, roles.road, flag));
    if (!has)
        return false;
    if (country == -1 || state.ruleOn(kRuleBoardingOwnership))
        return true;
    const UnitCell* units = state.unitCellAt(x, y);
    if (!units->building || size_t(units->building) > state.buildingCount())
        return true;
    const BuildingRecord& building = state.buildingAt(units->building - 1);
    if (building.ownerPlusOne == 0)
        return false;
    return state.isAllied(building.ownerPlusOne - 1, country);
}

} // namespace

bool GameState::isLoadingHexFor(int x, int y, int country) const { return hexHasFlagFor(*this, x, y, kTerrainLoading, country); }

bool GameState::isVtolLandingHexFor(int x, int y, int country) const { return hexHasFlagFor(*this, x, y, kTerrainVtolLanding, country); }

bool GameState::canCrossHexSide(int x, int y, int direction) const
{
    if (direction < 0 || direction > 5 || !isOnMap(x, y))
        return true;
    if (closedHexSides(x, y) >> direction & 1)
        return false;
    HexPos n = hexNeighbour(x, y, direction);
    return !n.valid() || !(closedHexSides(n.x, n.y) >> oppositeDirection(direction) & 1);
}

uint8_t GameState::closedHexSides(int x, int y) const
{
    const TerrainCell* cell = terrainCellAt(x, y);
    const UnitCell* units = unitCellAt(x, y);
    return cell && units ? closedSidesOf(*cell, *units) : 0;
}

int GameState::hexPlaceLink(int x, int y) const
{
    const UnitCell* units = unitCellAt(x, y);
    return units ? units->place : 0;
}

int GameState::findPillboxHex(int x, int y) const
{
    if (!isOnMap(x, y))
        return -1;
    for (size_t i = 0; i < m_pillboxHexes.size(); ++i)
        if (m_pillboxHexes[i].x == uint32_t(x) && m_pillboxHexes[i].y == uint32_t(y))
            return int(i);
    return -1;
}

int GameState::findTemporaryBridgeHex(int x, int y) const
{
    if (!isOnMap(x, y))
        return -1;
    for (size_t i = 0; i < m_temporaryBridgeHexes.size(); ++i)
        if (m_temporaryBridgeHexes[i].x == uint32_t(x) && m_temporaryBridgeHexes[i].y == uint32_t(y))
            return int(i);
    return -1;
}

const uint8_t* GameState::listedDurability(int x, int y, int kind) const
{
    if (kind == kTerrainPillbox) {
        const PillboxHex* pillbox = pillboxHex(findPillboxHex(x, y));
        return pillbox ? &pillbox->durability : nullptr;
    }
    if (kind == kTerrainTemporaryBridge) {
        const TemporaryBridgeHex* bridge = temporaryBridgeHex(findTemporaryBridgeHex(x, y));
        return bridge ? &bridge->durability : nullptr;
    }
    return nullptr;
}

uint8_t* GameState::listedDurability(int x, int y, int kind)
{
    return const_cast<uint8_t*>(std::as_const(*this).listedDurability(x, y, kind));
}
