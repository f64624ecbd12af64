// Laying each side's sight into the FogMap: whole rebuilds, turn starts and after actions.
#include "rules/fog.h"

#include "rules/fog_scans.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include <algorithm>

namespace {

bool fogOfWarOn(const GameState& state) { return state.ruleSwitch(kRuleSearch) != 0; }

void fillAll(FogMap& fog)
{
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        fog.fillLayer(layer);
}

constexpr unsigned kNotOnMap = kUnitAwaitingProduction | kUnitAboard | kUnitStored | kUnitOffMap;

} // namespace

void rebuildSightMaps(GameState& state)
{
    FogMap* fog = state.fogMap();
    if (!fog)
        return;
    if (!fogOfWarOn(state)) {
        fillAll(*fog);
        return;
    }
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        fog->clearLayer(layer);
    addAllBuildingSight(state);
    for (int side = 0; side < kSideCount; ++side)
        addSideUnitSight(state, side);
}

void updateVisibilityAll(GameState& state)
{
    FogMap* fog = state.fogMap();
    if (!fog)
        return;
    if (!fogOfWarOn(state)) {
        fillAll(*fog);
        return;
    }
    int current = state.turnBlock().currentCountry;
    fog->keepOnlyCountry(current);
    addAllBuildingSight(state);
    for (int side = 0; side < kSideCount; ++side)
        if (side != current)
            addSideUnitSight(state, side);
}

void updateVisibilityAfterAction(GameState& state)
{
    FogMap* fog = state.fogMap();
    if (!fog || !fogOfWarOn(state))
        return;
    int current = state.turnBlock().currentCountry;
    fog->keepAlliedBits(current);
    addAllBuildingSight(state);
    for (int side = 0; side < kSideCount; ++side)
        if (!state.isAllied(current, side))
            addSideUnitSight(state, side);
}

void addAllBuildingSight(GameState& state)
{
    for (size_t i = 0; i < state.buildingCount(); ++i)
        addBuildingSight(state, int(i));
}

void addBuildingSight(GameState& state, int index)
{
    FogMap* fog = state.fogMap();
    if (!fog || index < 0 || size_t(index) >= state.buildingCount())
        return;
    const BuildingRecord& building = state.buildingAt(size_t(index));
    const auto& types = state.terrainTypes();
    if (building.ownerPlusOne == 0 || !building.isIntact() || building.type >= types.size())
        return;
    const TerrainRecord& type = types[building.type];
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        markSightArea(state, *fog, building.owner(), int(building.x), int(building.y), type.groupValues[layer], layer);
}

void addSideUnitSight(GameState& state, int side)
{
    int count = int(state.unitCount(side));
    for (int i = 0; i < count; ++i) {
        const UnitRecord* unit = state.unitOf(side, i);
        if (unit && unit->state() == 1 && !unit->hasFlag(kNotOnMap))
            addUnitSight(state, unit->x, unit->y, side, i);
    }
}

void addUnitSight(GameState& state, int x, int y, int code, int index)
{
    FogMap* fog = state.fogMap();
    const UnitRecord* unit = state.unitOf(code, index);
    if (!fog || !unit)
        return;
    int country = code >= 100 ? code - 100 : code;
    if (!fog->rules().layeredSight()) {
        // Every layer is layer 0, where the discs of all the layers' ranges make the widest one.
        int widest = -1;
        for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
            widest = std::max(widest, unit->sightRange(layer));
        markSightArea(state, *fog, country, x, y, widest, 0);
        return;
    }
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        markSightArea(state, *fog, country, x, y, unit->sightRange(layer), layer);
}
