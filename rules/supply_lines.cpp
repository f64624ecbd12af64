// Recomputing the supply lines of every side and the current side's line display.
#include "rules/supply_lines.h"

#include "rules/home_distance.h"
#include "rules/supply_search.h"
#include "state/game_state.h"

#include <algorithm>

namespace {

void setBits(BuildingRecord& building, unsigned bits, bool on)
{
    building.supplyBits = uint8_t(on ? building.supplyBits | bits : building.supplyBits & ~bits);
}

} // namespace

void clearSupplyLineCells(GameState& state)
{
    UnitCell* cells = state.unitGrid();
    const size_t hexes = size_t(std::max(state.mapWidth(), 0)) * size_t(std::max(state.mapHeight(), 0));
    for (size_t i = 0; cells && i < hexes; ++i)
        cells[i].supplyLineMask = cells[i].supplyRoad = 0;
}

void updateSupplyLines(GameState& state)
{
    clearSupplyLineCells(state);
    if (!state.ruleOn(kRuleSupplyLines)) {
        for (BuildingRecord& building : state.buildings())
            setBits(building, kBuildingSupplied, true);
    } else {
        for (int side = 0; side < kCountryCount; ++side)
            if (state.countryTakesPart(side))
                updateSupplyLinesOfSide(state, side);
    }
    state.supplyLinesDirty() = 0;
}

void updateSupplyLinesOfSide(GameState& state, int side)
{
    if (side < 0 || side >= kCountryCount || !state.unitGrid())
        return;
    SupplySearch network(state, side);
    if (HexPos hq = hqHex(state, side); hq.valid())
        network.search(hq.x, hq.y);
    const int large_city = state.terrainRoles().largeCity;
    for (const BuildingRecord& building : state.buildings()) {
        const int x = int(building.x), y = int(building.y);
        if (building.owner() == side && building.isIntact() && building.type == large_city && !network.isReached(x, y))
            network.search(x, y);
    }

    const bool current = state.turnBlock().currentCountry == side;
    if (current)
        network.showIn(state.unitGrid());
    for (BuildingRecord& building : state.buildings()) {
        const bool reached = network.isReached(int(building.x), int(building.y));
        const int owner = building.owner();
        if (owner == side)
            setBits(building, current ? kBuildingSupplied | kBuildingOnCurrentNetwork : kBuildingSupplied, reached);
        else if (current)
            setBits(building, kBuildingOnCurrentNetwork, reached && owner >= 0 && state.isAllied(owner, side));
    }
}
