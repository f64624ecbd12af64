// Laying each side's sight into the FogMap: whole rebuilds, turn starts and after actions.
#include "rules/fog.h"

#include "rules/fog_scans.h"
#include "rules/rules_context.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include <algorithm>
#include <utility>

namespace {

bool fogOfWarOn(const GameState& state) { return state.ruleOn(kRuleSearch); }

void fillAll(FogMap& fog)
{
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        fog.fillLayer(layer);
}

constexpr unsigned kNotOnMap = kUnitAwaitingProduction | kUnitAboard | kUnitStored | kUnitOffMap;
constexpr uint16_t kEverySide = (1u << kSideCount) - 1;
// No set of sides describes the lay: it is always made in full.
constexpr uint32_t kLaidInFullOnly = 1u << 16;

void layBuildingSight(GameState& state, FogMap& fog, int index)
{
    const BuildingRecord& building = state.buildingAt(size_t(index));
    const auto& types = state.terrainTypes();
    if (building.ownerPlusOne == 0 || !building.isIntact() || building.type >= types.size())
        return;
    const TerrainRecord& type = types[building.type];
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        markSightArea(state, fog, building.owner(), int(building.x), int(building.y), type.groupValues[layer], layer);
}

void layAllBuildingSight(GameState& state, FogMap& fog)
{
    for (size_t i = 0; i < state.buildingCount(); ++i)
        layBuildingSight(state, fog, int(i));
}

void layUnitSight(GameState& state, FogMap& fog, int x, int y, int code, int index)
{
    const UnitRecord* unit = std::as_const(state).unitOf(code, index);
    if (!unit)
        return;
    int country = code >= 100 ? code - 100 : code;
    if (!fog.rules().layeredSight()) {
        // Every layer is layer 0, where the discs of all the layers' ranges make the widest one.
        int widest = -1;
        for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
            widest = std::max(widest, unit->sightRange(layer));
        markSightArea(state, fog, country, x, y, widest, 0);
        return;
    }
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        markSightArea(state, fog, country, x, y, unit->sightRange(layer), layer);
}

void laySideUnitSight(GameState& state, FogMap& fog, int side)
{
    int count = int(state.unitCount(side));
    for (int i = 0; i < count; ++i) {
        const UnitRecord* unit = std::as_const(state).unitOf(side, i);
        if (unit && unitLaysSight(*unit))
            layUnitSight(state, fog, unit->x, unit->y, side, i);
    }
}

// The sides each lay leaves holding just what they see; the others keep their bits and gain their
// buildings' sight.
uint32_t exactSidesOf(GameState& state, SightLay lay)
{
    const int current = state.turnBlock().currentCountry;
    switch (lay) {
    case SightLay::Rebuild:
        return kEverySide;
    case SightLay::All:
        // The neutral side's own bit is not kept, nor are its units laid: only its buildings'.
        if (current == kSideCount - 1)
            return kLaidInFullOnly;
        return current >= 0 && current < kCountryCount ? kEverySide & ~(1u << current) : kEverySide;
    case SightLay::AfterAction: {
        uint32_t exact = 0;
        for (int side = 0; side < kSideCount; ++side)
            if (!state.isAllied(current, side))
                exact |= 1u << side;
        return exact;
    }
    }
    return kLaidInFullOnly;
}

void laySight(GameState& state, SightLay lay)
{
    FogMap* fog = state.fogMap();
    if (!fog)
        return;
    if (!fogOfWarOn(state)) {
        if (lay != SightLay::AfterAction)
            fillAll(*fog);
        return;
    }
    SightTracker& tracker = rulesContext(state).sight;
    const uint32_t exact = exactSidesOf(state, lay);
    if (exact != kLaidInFullOnly && tracker.keeps(state) && tracker.update(state, uint16_t(exact)))
        return;
    laySightInFull(state, *fog, lay);
    if (exact != kLaidInFullOnly)
        tracker.takeLaid(state, uint16_t(exact));
}

} // namespace

bool unitLaysSight(const UnitRecord& unit) { return unit.state() == 1 && !unit.hasFlag(kNotOnMap); }

void laySightInFull(GameState& state, FogMap& fog, SightLay lay)
{
    const int current = state.turnBlock().currentCountry;
    switch (lay) {
    case SightLay::Rebuild:
        for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
            fog.clearLayer(layer);
        layAllBuildingSight(state, fog);
        for (int side = 0; side < kSideCount; ++side)
            laySideUnitSight(state, fog, side);
        return;
    case SightLay::All:
        fog.keepOnlyCountry(current);
        layAllBuildingSight(state, fog);
        for (int side = 0; side < kSideCount; ++side)
            if (side != current)
                laySideUnitSight(state, fog, side);
        return;
    case SightLay::AfterAction:
        fog.keepAlliedBits(current);
        layAllBuildingSight(state, fog);
        for (int side = 0; side < kSideCount; ++side)
            if (!state.isAllied(current, side))
                laySideUnitSight(state, fog, side);
        return;
    }
}

void rebuildSightMaps(GameState& state) { laySight(state, SightLay::Rebuild); }

void updateVisibilityAll(GameState& state) { laySight(state, SightLay::All); }

void updateVisibilityAfterAction(GameState& state) { laySight(state, SightLay::AfterAction); }

void addBuildingSight(GameState& state, int index)
{
    FogMap* fog = state.fogMap();
    if (fog && index >= 0 && size_t(index) < state.buildingCount())
        layBuildingSight(state, *fog, index);
}

void addSideUnitSight(GameState& state, int side)
{
    if (FogMap* fog = state.fogMap())
        laySideUnitSight(state, *fog, side);
}

void addUnitSight(GameState& state, int x, int y, int code, int index)
{
    if (FogMap* fog = state.fogMap())
        layUnitSight(state, *fog, x, y, code, index);
}
