// Shared consequences of buildings changing hands: statistics, fallen capitals, lost units and broken ties.
#include "rules/occupation_steps.h"
#include "rules/shared_codes.h"

#include "rules/alliances.h"
#include "rules/links.h"
#include "rules/main_window_link.h"
#include "rules/rules_context.h"
#include "rules/unit_removal.h"
#include "rules/victory.h"
#include "state/game_state.h"

#include <algorithm>
#include <iterator>

namespace {


} // namespace

void transferBuildingStats(GameState& state, int new_owner_plus_one, int building_type, int old_owner_plus_one,
    bool intact)
{
    // The statistics keep no building count; only the income follows the building.
    if (!intact)
        return;
    state.statsSubtractIncome(old_owner_plus_one, building_type);
    state.statsAddIncome(new_owner_plus_one, building_type);
}

void fallCapitalToLargeCity(GameState& state, BuildingRecord& building)
{
    const int city = state.terrainRoles().largeCity;
    if (city < 0 || size_t(city) >= state.terrainTypes().size())
        return;
    const TerrainRecord& type = state.terrainTypes()[size_t(city)];
    if (TerrainCell* cell = state.terrainCellAt(int(building.x), int(building.y))) {
        cell->terrain = uint8_t(city);
        cell->displayCode = type.defaultDisplayCode;
    }
    building.type = uint8_t(city);
    building.occupationDurability = std::min(building.occupationDurability, type.occupationValue);
    building.durability = std::min(building.durability, type.durability);
    state.endCheckFlags() |= kEndCheckCapital;
}

void destroyStoredUnits(GameState& state, BuildingRecord& building, StoredLoss loss)
{
    for (BuildingSlot& slot : building.slots) {
        if (slot.sidePlusOne == 0)
            continue;
        const int side = slot.sidePlusOne - 1;
        const int index = slot.unitIndex;
        slot = BuildingSlot {};
        if (loss == StoredLoss::ZeroCountersFirst)
            if (UnitRecord* unit = state.unitOf(side, index)) {
                const int16_t none[10] = {};
                unit->applyDamage(side, none, kNeutralSide);
            }
        removeUnitFromHex(state, side, index);
        destroyUnit(state, side, index);
    }
}

void destroyUpperUnitsNotAllied(GameState& state, int x, int y, int country)
{
    for (int s = 0; s < kHexSlots; ++s) {
        UnitRef ref;
        if (!state.upperUnitRefInHex(x, y, s, ref))
            continue;
        if (country >= 0 && state.isAllied(country, ref.country))
            continue;
        UnitCell* cell = state.unitCellAt(x, y);
        cell->upperSide[s] = 0;
        cell->upperUnit[s] = 0;
        removeUnitFromHex(state, ref.table, ref.index);
        destroyUnit(state, ref.table, ref.index);
    }
}

void breakTiesOverBuilding(GameState& state, int side, const BuildingRecord& building)
{
    if (building.ownerPlusOne == 0) {
        const TerrainCell* cell = state.terrainCellAt(int(building.x), int(building.y));
        if (cell && cell->owner >= 1 && cell->owner <= kCountryCount && state.hasPactWith(side, cell->owner - 1))
            breakNonAggressionPact(state, side, cell->owner - 1);
        return;
    }
    const int owner = building.owner();
    if (owner == side)
        return;
    if (state.isAllied(side, owner))
        breakAllAlliances(state, side);
    else if (state.hasPactWith(side, owner))
        breakNonAggressionPact(state, side, owner);
}

void markOwnershipChanged(GameState& state)
{
    state.command().ownershipChanged = 1;
    currentAction(state).setSupplyLinesDirty();
}

bool isTargetPlaceHex(GameState& state, int x, int y)
{
    const int link = state.hexPlaceLink(x, y);
    return link > 0 && link <= kPlaceRecordCount && state.placeTable() && state.placeTable()[link - 1].target != 0;
}

bool resultWindowsEnabled(GameState& state) { return state.settings().showBuildDialog && mainWindowLink().isVisible(); }
