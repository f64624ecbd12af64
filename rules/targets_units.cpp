// Target checks of the unit commands on buildings and units: occupy, store, supply, disband, merge and split.
#include "rules/targets.h"

#include "rules/commands.h"
#include "state/game_state.h"
#include "state/rules_hooks.h"
#include "state/unit_facts.h"

namespace {

bool canUnitLand(const GameState& state, int side, int index)
{
    StateRulesHooks* hooks = stateRulesHooks();
    return hooks && hooks->canUnitLand(state, side, index, 0);
}

// The terrain cost of the neighbour for the unit's movement type lies in 1..points, its side is
// crossable and, for a land unit, open for the unit's country.
bool canStepTo(const GameState& state, const UnitTypeRecord& type, int side, int x, int y, int d, int points)
{
    HexPos n = state.hexNeighbour(x, y, d);
    if (!n.valid())
        return false;
    const int cost = state.terrainValueAt(n.x, n.y, type.movementType);
    if (cost < 1 || cost > points || !state.canCrossHexSide(x, y, d))
        return false;
    return type.domain != 3 || isHexSideOpenFor(state, x, y, d, side);
}

// The open-side mask of one hex. Temporary bridges and buildings of type 49 open only the
// sides their picture shows, and none to a non-allied country; without the picture table such
// hexes count as closed, so no move is let through a side that may be shut.
int openSideMask(const GameState& state, int x, int y)
{
    if (state.effectiveTerrainAt(x, y) == kTemporaryBridgeTerrain)
        return 0;
    const BuildingRecord* building = state.buildingOnHex(x, y);
    return !building || building->type != 49 ? 255 : 0;
}

} // namespace

bool canOccupyAt(const GameState& state, int side, int index, int x, int y, int no_allied_capture)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !(typeAbilityBits(unit->type()) & 0x80) || !isHexFreeForUnit(state, side, index, x, y))
        return false;
    const BuildingRecord* building = state.buildingOnHex(x, y);
    if (!building)
        return false;
    if (building->ownerPlusOne == 0)
        return true;
    const int owner = building->owner();
    if (!state.isAllied(owner, side))
        return true;
    if (owner != side)
        return state.ruleOn(kRuleAttackAllies) && no_allied_capture == 0;
    const TerrainRecord* terrain = building->terrain();
    return state.ruleOn(kRuleOccupationPoints) && terrain && building->occupationDurability < terrain->occupationValue;
}

bool canStoreInBuilding(const GameState& state, int side, int index, int x, int y)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !state.ruleOn(kRuleStoring))
        return false;
    const UnitTypeRecord& type = unit->type();
    if (type.unitClass == kHeadquartersClass)
        return false;
    const BuildingRecord* building = state.buildingOnHex(x, y);
    if (!building)
        return false;
    if (state.ruleOn(kRuleStacking) ? state.hexDomainHasNonAlliedUnit(unit->x, unit->y, type.domain, side)
                          : state.hexHasNonAlliedUnit(unit->x, unit->y, side))
        return false;
    if (unit->hasFlag(kUnitStored) && int(building->x) == unit->x && int(building->y) == unit->y)
        return true;
    return building->acceptsUnit(side, unitTypeGroup(type));
}

bool canSupplyAt(const GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || state.ruleOn(kRuleSupplyPhase))
        return false;
    const UnitTypeRecord& type = unit->type();
    const bool fuel = unit->needsFuel();
    const bool ammo = unit->needsAmmo();
    if (type.unitClass == kHeadquartersClass || !(fuel || ammo))
        return false;
    const int group = unitTypeGroup(type);
    const BuildingRecord* building = state.buildingOnHex(unit->x, unit->y);
    if (unit->hasFlag(kUnitAboard)) {
        if ((fuel || unit->needsWeaponAmmo()) && unit->carrierHasSupplies())
            return true;
        if (!building || !(building->canRefuel(side, group) || building->canRearm(side, group)))
            return false;
    }
    if (unit->hasFlag(kUnitAboard) || unit->hasFlag(kUnitStored) || !state.ruleOn(kRuleStoring)) {
        if (building && ((fuel && building->canRefuel(side, group)) || (ammo && building->canRearm(side, group))))
            return true;
        if (unit->hasFlag(kUnitAboard))
            return false;
    }
    if (!fuel && (type.domain == 1 || !unit->needsWeaponAmmo()))
        return false;
    return unit->findAdjacentSupplyUnit(side, index) != -1;
}

bool canDisband(GameState& state, int side, int index, bool moving)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || moving || unit->hasFlag(kUnitActed) || state.turnBlock().phase != 5)
        return false;
    return !unit->hasFlag(kUnitAboard) || canUnitLand(state, side, index);
}

bool canMergeUnits(const GameState& state, int side, int index, int other_side, int other_index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    const UnitRecord* other = state.unitOf(other_side, other_index);
    if (!unit || !other || side != other_side || index == other_index)
        return false;
    if (unit->hasFlag(kUnitCarrying) || other->hasFlag(kUnitCarrying))
        return false;
    const int most = unit->type().members;
    if (most <= 1 || (other->watchBits & 7) || strengthSlotCount(*other) >= most)
        return false;
    return unit->unitTypeId == other->unitTypeId && unit->model == other->model;
}

int collectMergePartners(const GameState& state, int side, int index, int x, int y, int range_points, std::vector<UnitRef>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit)
        return 0;
    const UnitTypeRecord& type = unit->type();
    const int slot = state.unitSlotFor(type.domain);
    const size_t before = list.size();
    for (int d = 0; d < 6; ++d) {
        HexPos n = state.hexNeighbour(x, y, d);
        UnitRef ref {};
        if (!canStepTo(state, type, side, x, y, d, range_points) || !state.unitRefInHex(n.x, n.y, slot, ref))
            continue;
        if (canMergeUnits(state, side, index, ref.table, ref.index))
            list.push_back(ref);
    }
    return int(list.size() - before);
}

int collectSplitHexes(const GameState& state, int side, int index, int x, int y, int range_points, std::vector<HexPos>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit)
        return 0;
    const UnitTypeRecord& type = unit->type();
    const int slot = state.unitSlotFor(type.domain);
    const size_t before = list.size();
    for (int d = 0; d < 6; ++d) {
        HexPos n = state.hexNeighbour(x, y, d);
        if (canStepTo(state, type, side, x, y, d, range_points) && !state.hexDomainHasVisibleOtherUnit(n.x, n.y, slot, side, index))
            list.push_back(n);
    }
    return int(list.size() - before);
}

bool isHexSideOpenFor(const GameState& state, int x, int y, int direction, int)
{
    HexPos n = state.hexNeighbour(x, y, direction);
    if (!state.isOnMap(x, y) || !n.valid())
        return false;
    return (openSideMask(state, x, y) >> direction & 1)
        && (openSideMask(state, n.x, n.y) >> oppositeDirection(direction) & 1);
}
