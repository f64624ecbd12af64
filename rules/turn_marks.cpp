// Laying and clearing the per-turn marks: threat layers, area cover, watched units, interception, jamming.
#include "rules/turn_marks.h"
#include "rules/shared_codes.h"

#include "rules/combat_values.h"
#include "rules/current_action.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

#include <algorithm>

namespace {

constexpr int kWarheadClassLow = 7;
constexpr int kWarheadClassHigh = 8;
constexpr int kWarheadLayerLow = 6;
constexpr int kWarheadLayerHigh = 7;

} // namespace

unsigned g_turnMarkRebuilds = 0;

bool takesPartInMarks(GameState& state, int side)
{
    return side >= kCountryCount || state.country(side).takesPart();
}

namespace {

// Calls mark(y, x0, x1) for each run of hexes of a row within the radius of the centre that lies on
// the map and, with a region, in it. The marks are bits set, the same in whatever order.
template <typename Mark> void forEachDiscRun(const GameState& state, int cx, int cy, int radius, const HexRegion* only, Mark mark)
{
    if (!only) {
        forEachDiscRow(cx, cy, radius, state.mapWidth(), state.mapHeight(), mark);
        return;
    }
    // The disc lies within its square; a region no box of which meets the square holds none of it.
    if (!only->overlaps(cx - radius, cy - radius, cx + radius, cy + radius))
        return;
    forEachDiscRow(cx, cy, radius, state.mapWidth(), state.mapHeight(),
        [&](int y, int x0, int x1) { only->forEachRun(y, x0, x1, [&](int a, int b) { mark(y, a, b); }); });
}

// Whether a disc of the radius may mark a hex of the region: false spares working out a reach whose
// marks would all fall outside it.
bool discMeets(const UnitRecord& unit, int radius, const HexRegion* only)
{
    return !only || only->overlaps(unit.x - radius, unit.y - radius, unit.x + radius, unit.y + radius);
}

void markRememberedHex(GameState& state, const UnitRecord& unit, int side, const HexRegion* only)
{
    if (!(unit.watchBits & kWatchRemembered) || (only && !only->contains(unit.goalX, unit.goalY)))
        return;
    if (UnitCell* cell = state.unitCellAt(unit.goalX, unit.goalY))
        cell->turnMark = uint16_t(cell->turnMark | 1u << side);
}

} // namespace

int threatRelationTo(const GameState& state, int side, int current)
{
    if (side == current)
        return kThreatOwn;
    return current < kSideCount && state.isAllied(side, current) ? kThreatAllied : kThreatOther;
}


void markUnitThreatZones(GameState& state, int side, int index, const HexRegion* only)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || side < 0 || side >= kSideCount || !unitInPlay(*unit) || unit->hasFlag(kUnitAwaitingProduction))
        return;
    if (!unit->isOnOwnHex()) {
        markRememberedHex(state, *unit, side, only);
        return;
    }
    const int current = state.turnBlock().currentCountry;
    const int relation = threatRelationTo(state, side, current);
    const int strong = current < kCountryCount && isUnitVisibleTo(state, current, side, index) ? 1 : 0;
    const UnitTypeRecord& type = unit->type();

    if (CountryHexLayers* layers = state.hexLayers()) {
        auto threat = [&](int target_class, int layer, int range) {
            if (!discMeets(*unit, range, only))
                return;
            const int reach = unit->bestWeaponReach(target_class, 0, 0, 0);
            if (reach <= 0)
                return;
            uint32_t value = 1u << layer;
            if (hasDirectFireWeapon(*unit, target_class))
                value |= 1u << (8 + layer);
            forEachDiscRun(state, unit->x, unit->y, std::min(reach, range), only,
                [&](int y, int x0, int x1) { layers->markRow(side, y, x0, x1, layer, strong, value, relation); });
        };
        for (int k = 0; k < kDomainCount; ++k) {
            if (type.range[k] == 0)
                continue;
            threat(k, k, type.range[k]);
            if (k == 0)
                threat(kWarheadClassLow, kWarheadLayerLow, type.range[0]);
            else if (k == 2)
                threat(kWarheadClassHigh, kWarheadLayerHigh, type.range[2]);
        }
    }
    if (CountryHexMasks* masks = state.hexMasks(); masks && type.areaRadius > 0 && discMeets(*unit, type.areaRadius, only)) {
        forEachDiscRun(state, unit->x, unit->y, type.areaRadius, only,
            [&](int y, int x0, int x1) { masks->markRow(side, y, x0, x1, strong, 1, relation); });
    }
    markRememberedHex(state, *unit, side, only);
}

void resetHexTurnMarks(GameState& state)
{
    ActionSettlement* settlement = actionSettlement();
    if (settlement && settlement->keepHexTurnMarks(state))
        return;
    layHexTurnMarksAfresh(state);
    if (settlement)
        settlement->hexTurnMarksLaidAfresh(state);
}

void layHexTurnMarksAfresh(GameState& state)
{
    ++g_turnMarkRebuilds;
    if (UnitCell* cells = state.unitGrid())
        for (size_t i = 0; i < size_t(state.mapWidth()) * size_t(state.mapHeight()); ++i)
            cells[i].turnMark = 0;
    if (state.hexLayers())
        state.hexLayers()->clearAll();
    if (state.hexMasks())
        state.hexMasks()->clearAll();
    for (int side = 0; side < kSideCount; ++side) {
        if (!takesPartInMarks(state, side))
            continue;
        const int count = int(state.unitCount(side));
        for (int i = 0; i < count; ++i)
            markUnitThreatZones(state, side, i);
    }
}

void clearJammedBit(GameState& state, int side)
{
    if (side < 0 || side >= kCountryCount)
        return;
    const uint8_t keep = uint8_t(~(1u << side));
    for (int owner = 0; owner < kSideCount; ++owner) {
        if (!takesPartInMarks(state, owner))
            continue;
        const int count = int(state.unitCount(owner));
        for (int i = 0; i < count; ++i) {
            UnitRecord* unit = state.unitOf(owner, i);
            if (unit && unitInPlay(*unit) && !unit->hasFlag(kUnitAwaitingProduction))
                unit->jammedSides &= keep;
        }
    }
}

void clearInterceptionBytes(GameState& state)
{
    TerrainCell* cells = state.terrainGrid();
    const size_t hexes = size_t(std::max(state.mapWidth(), 0)) * size_t(std::max(state.mapHeight(), 0));
    for (size_t i = 0; cells && i < hexes; ++i)
        cells[i].turnMarks[0] = cells[i].turnMarks[1] = 0;
}
