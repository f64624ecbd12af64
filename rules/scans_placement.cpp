// PlacementHexScan's test of a hex.
#include "rules/scans_placement.h"

#include "state/game_state.h"
#include "state/terrain_record.h"
#include "state/unit_facts.h"

namespace {

constexpr int kSeaBlockedKind = 20;
constexpr int kLandGuardedBuilding = 49;

bool isSeaDomain(int domain) { return domain == 4 || domain == 5; }

} // namespace

int scanMovementType(int movement_type) { return movement_type >= 17 ? 9 : movement_type; }

PlacementHexScan::PlacementHexScan(GameState& state, int side, int index, PlacementBuildings buildings)
    : HexScan(state)
    , m_side(side)
    , m_index(index)
    , m_buildings(buildings)
{
}

bool PlacementHexScan::canStand(int x, int y) const
{
    GameState& s = state();
    const UnitRecord* unit = s.unitOf(m_side, m_index);
    const TerrainCell* cell = s.terrainCellAt(x, y);
    if (!unit || !cell)
        return false;
    const UnitTypeRecord& type = unit->type();
    const int domain = unitTypeDomain(type);
    if (s.terrainValueAt(x, y, scanMovementType(type.movementType)) <= 0)
        return false;
    const TerrainCell* home = s.terrainCellAt(unit->x, unit->y);
    const int owner = cell->owner;
    if (owner != 0 && owner != m_side + 1 && !(home && owner == home->owner))
        return false;
    const TerrainRecord* terrain = s.terrainTypeAt(x, y);
    if (isSeaDomain(domain) && terrain && terrain->kind == kSeaBlockedKind)
        return false;
    const UnitCell* units = s.unitCellAt(x, y);
    if (domain == 3 && units->building) {
        const BuildingRecord* b = s.building(units->building - 1);
        if (b && b->type == kLandGuardedBuilding && (!b->isIntact() || !s.isAllied(m_side, b->owner())))
            return false;
    }
    return !s.hexHasUnit(x, y, s.unitSlotFor(domain));
}

void PlacementHexScan::visit(int x, int y)
{
    if (canStand(x, y)) {
        addHit(x, y, 0);
        stop();
        return;
    }
    if (m_buildings != PlacementBuildings::Accept)
        return;
    const UnitRecord* unit = state().unitOf(m_side, m_index);
    const UnitCell* units = state().unitCellAt(x, y);
    if (!unit || !units || !units->building)
        return;
    const BuildingRecord* b = state().building(units->building - 1);
    if (b && b->owner() == m_side && b->acceptsUnit(m_side, unitTypeGroup(unit->type()))) {
        addHit(x, y, 0, units->building);
        stop();
    }
}
