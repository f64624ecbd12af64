// What the state derives from a loaded map: buildings, pillbox and bridge hexes, cell values, places and unit links.
#include "state/game_state.h"

#include "state/action_history.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {


}

void GameState::rebuildFromCells()
{
    m_buildings.clear();
    m_pillboxHexes.clear();
    m_temporaryBridgeHexes.clear();
    const int width = mapWidth();
    for (int i = 0; i < width * mapHeight(); ++i) {
        int x = i % width, y = i / width;
        TerrainCell& cell = *terrainCellAt(x, y);
        UnitCell& units = *unitCellAt(x, y);
        if (cell.terrain >= m_terrainTypes.size())
            continue;
        const TerrainRecord* t = &m_terrainTypes[cell.terrain];
        if (t->kind > 11) {
            BuildingRecord b {};
            int owner_plus_one = units.building;
            if (owner_plus_one < 1 || owner_plus_one > kCountryCount || !m_countries[size_t(owner_plus_one - 1)].controller) {
                owner_plus_one = 0;
                // A capital nobody holds is an ordinary large city.
                if (t->kind == kTerrainCapital && m_terrainRoles.largeCity >= 0) {
                    cell.terrain = uint8_t(m_terrainRoles.largeCity);
                    t = &m_terrainTypes[cell.terrain];
                    cell.displayCode = t->defaultDisplayCode;
                }
            }
            b.type = cell.terrain;
            b.ownerPlusOne = uint8_t(owner_plus_one);
            b.x = uint32_t(x);
            b.y = uint32_t(y);
            b.durability = t->durability;
            b.occupationDurability = t->occupationValue;
            if (cell.turnMarks[0] & 2) {
                b.durability = 0;
                b.destroyed = 1;
            }
            if (units.mapMissileCode) {
                b.missileCode = units.mapMissileCode;
                b.missileParameter = units.mapMissileParameter;
            }
            b.launchCounterStart = units.mapLaunchCounterStart;
            b.launchCounter = b.type == 49 ? units.mapLaunchCounterStart : 0;
            b.loadedOwnerPlusOne = uint8_t(owner_plus_one);
            b.domainMask = units.mapDomainMask;
            m_buildings.push_back(b);
            units.building = uint16_t(m_buildings.size());
        } else {
            units.building = 0;
            if (t->kind == 7)
                m_pillboxHexes.push_back(PillboxHex {uint32_t(x), uint32_t(y), t->durability, 0});
        }
        if (cell.turnMarks[2]) {
            const uint8_t durability = m_terrainTypes.size() > kTemporaryBridgeTerrain ? m_terrainTypes[kTemporaryBridgeTerrain].durability : 0;
            m_temporaryBridgeHexes.push_back(TemporaryBridgeHex {uint32_t(x), uint32_t(y), durability, cell.terrain, uint8_t(cell.displayCode & 0xFF), uint8_t(cell.substitute & 0xFF)});
            cell.terrain = kTemporaryBridgeTerrain;
            cell.substitute = 0;
            cell.displayCode = uint16_t(cell.turnMarks[2] - 1);
            cell.turnMarks[2] = 0;
        }
    }
}

void GameState::deriveCellData()
{
    auto kind_of = [&](int type) { return size_t(type) < m_terrainTypes.size() ? int(m_terrainTypes[size_t(type)].kind) : 0; };
    for (int y = 0; y < mapHeight(); ++y) {
        for (int x = 0; x < mapWidth(); ++x) {
            TerrainCell& cell = *terrainCellAt(x, y);
            int kind = kind_of(effectiveTerrainAt(x, y));
            if (kind != 10 && kind < 11) {
                int own = kind_of(cell.terrain);
                cell.displayCode = own >= 1 && own <= 3 ? 1 : (cell.terrain < m_terrainTypes.size() ? m_terrainTypes[cell.terrain].defaultDisplayCode : 0);
            }
            if (kind != 5 && kind != 6)
                continue;
            uint8_t mask = 0;
            for (int d = 0; d < kHexDirections; ++d) {
                HexPos n = hexNeighbour(x, y, d);
                if (!n.valid())
                    continue;
                int other = std::min(kind_of(effectiveTerrainAt(n.x, n.y)), 11);
                if (other != 5 && other != 6)
                    mask = uint8_t(mask | 1u << d);
            }
            unitCellAt(x, y)->supplyLineMask = mask;
        }
    }
}

void GameState::linkPlaces()
{
    for (int i = 0; i < kPlaceRecordCount; ++i) {
        const PlaceRecord& p = m_placeTable[size_t(i)];
        if (p.used)
            if (UnitCell* cell = unitCellAt(p.x, p.y))
                cell->place = uint16_t(i + 1);
    }
}

void GameState::relinkUnits(bool from_save)
{
    m_unitTouches.touchAll();
    for (int side = 0; side < kSideCount; ++side) {
        UnitRecord* table = m_unitTables[size_t(side)].get();
        uint32_t count = 0;
        for (int i = int(m_unitCounts[size_t(side)]) - 1; i >= 0; --i)
            if (unitExists(table[i])) {
                count = uint32_t(i + 1);
                break;
            }
        m_unitCounts[size_t(side)] = count;
        for (uint32_t i = 0; i < count; ++i) {
            UnitRecord& u = table[i];
            if (unitState(u) == 1) {
                if (u.hasFlag(kUnitStored)) {
                    if (!from_save)
                        if (BuildingRecord* b = building(unitCellAt(u.x, u.y) ? unitCellAt(u.x, u.y)->building - 1 : -1))
                            b->addUnit(side, int(i));
                } else if (u.hasFlag(kUnitAboard)) {
                    if (u.carrierSide == 0)
                        u.carrierSide = uint8_t(side + 1);
                } else if (!u.hasFlag(kUnitOffMap)) {
                    const UnitTypeRecord* type = unitTypeOf(u);
                    setUnitRefInHex(u.x, u.y, unitSlotFor(type ? type->domain : 0), side + 1, int(i));
                }
            }
            if (!from_save && unitExists(u))
                u.memberLimit = uint8_t(strengthSlotCount(u));
        }
    }
    for (int c = 0; c < kCountryCount; ++c) {
        UnitRecord* table = m_missileTables[size_t(c)].get();
        uint32_t count = 0;
        for (int i = int(m_missileCounts[size_t(c)]) - 1; i >= 0; --i)
            if (unitExists(table[i])) {
                count = uint32_t(i + 1);
                break;
            }
        m_missileCounts[size_t(c)] = count;
        for (uint32_t i = 0; i < count; ++i) {
            const UnitRecord& u = table[i];
            if (unitInPlay(u) && u.isOnOwnHex()) {
                const UnitTypeRecord* type = unitTypeOf(u);
                setUnitRefInHex(u.x, u.y, unitSlotFor(type ? type->domain : 0), 100 + c, int(i));
            }
        }
    }
}

int GameState::countWatchedUnits(int side) const
{
    if (side < 0 || side >= kSideCount)
        return 0;
    int n = 0;
    for (uint32_t i = 0; i < m_unitCounts[size_t(side)]; ++i) {
        const UnitRecord& u = m_unitTables[size_t(side)][i];
        if (unitExists(u) && (u.watchBits & kWatchCounted))
            ++n;
    }
    return n;
}

void GameState::tallyWatchedUnits()
{
    for (int side = 0; side < kSideCount; ++side) {
        int members = 0;
        for (uint32_t i = 0; i < m_unitCounts[size_t(side)]; ++i) {
            const UnitRecord& u = m_unitTables[size_t(side)][i];
            if (unitExists(u) && (u.watchBits & kWatchTransported))
                members += strengthSlotCount(u);
        }
        m_turnBlock.transportTotal[side] = uint16_t(std::min(members, 0xFFFF));
        if (side < kCountryCount)
            m_turnBlock.enemyForceThreshold[side] = uint16_t(countWatchedUnits(side));
    }
}

void GameState::clearDistanceGrids()
{
    for (DistanceGrids& country : m_distanceGrids) {
        country.current = 0;
        for (auto& grid : country.grids)
            grid.reset();
    }
}

void GameState::markCountryFeatures()
{
    m_turnBlock.headquartersMask = 0;
    m_turnBlock.capitalMask = 0;
    for (int c = 0; c < kCountryCount; ++c)
        for (uint32_t i = 0; i < m_unitCounts[size_t(c)]; ++i) {
            const UnitRecord& u = m_unitTables[size_t(c)][i];
            const UnitTypeRecord* type = unitExists(u) ? unitTypeOf(u) : nullptr;
            if (type && type->unitClass == kHeadquartersClass)
                m_turnBlock.headquartersMask = uint8_t(m_turnBlock.headquartersMask | 1u << c);
        }
    for (const BuildingRecord& b : m_buildings) {
        int kind = 0;
        int type = effectiveTerrainAt(int(b.x), int(b.y));
        if (size_t(type) < m_terrainTypes.size())
            kind = m_terrainTypes[size_t(type)].kind;
        if (kind == kTerrainCapital && b.ownerPlusOne >= 1 && b.ownerPlusOne <= kCountryCount)
            m_turnBlock.capitalMask = uint8_t(m_turnBlock.capitalMask | 1u << (b.ownerPlusOne - 1));
    }
}

void GameState::unloadMap()
{
    resetMapPart();
    m_mapHeader = MapHeader {};
    m_countries = {};
}

void GameState::resetMapPart()
{
    // Before start-up made the grids and tables there is no map part to clear.
    if (!m_terrainGrid || !m_unitTables[0])
        return;
    m_savedView = {};
    m_scenario = ScenarioBlock {};
    // The grids are read and written only inside the map's area, so past the largest area used
    // since they were last cleared they still hold zeros.
    const size_t cells = std::min(size_t(kGridHexes), std::max(m_gridCellsUsed, size_t(mapWidth()) * size_t(mapHeight())));
    std::memset(m_terrainGrid.get(), 0, sizeof(TerrainCell) * cells);
    std::memset(m_unitGrid.get(), 0, sizeof(UnitCell) * cells);
    std::memset(m_markGrid.get(), 0, sizeof(uint16_t) * cells);
    m_gridCellsUsed = 0;
    m_briefingImage.reset();
    m_briefingImageSize = 0;
    m_newsImage.reset();
    m_newsImageSize = 0;
    m_randomPool.fill();
    // A campaign's next map graphs its own turns.
    m_turnStats.clear();
    m_unitTouches.touchAll();
    for (int side = 0; side < kSideCount; ++side) {
        m_unitCounts[size_t(side)] = 0;
        std::memset(m_unitTables[size_t(side)].get(), 0, sizeof(UnitRecord) * kUnitTableSize);
    }
    for (int c = 0; c < kCountryCount; ++c) {
        std::memset(m_destroyedUnits[size_t(c)].get(), 0, sizeof(DestroyedUnitRecord) * kDestroyedUnitsPerCountry);
        std::memset(m_missileTables[size_t(c)].get(), 0, sizeof(UnitRecord) * kUnitTableSize);
        m_missileCounts[size_t(c)] = 0;
    }
    std::memset(m_placeTable.get(), 0, sizeof(PlaceRecord) * kPlaceRecordCount);
    m_buildings.clear();
    m_pillboxHexes.clear();
    m_temporaryBridgeHexes.clear();
    // A campaign's next map is still a campaign; a new game sets its own kind.
    const uint16_t kind = m_turnBlock.gameKind;
    m_turnBlock = TurnBlock {};
    m_turnBlock.gameKind = kind;
    m_turnBlock.phase = 1;
    m_turnBlock.currentCountry = 0;
    m_turnBlock.viewingCountry = 8;
    // The grids were made for the old map's size and capitals.
    clearDistanceGrids();
    if (m_historyLog)
        m_historyLog->clear();
}
