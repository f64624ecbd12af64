// Laying and clearing the per-turn marks: threat layers, area cover, watched units, interception, jamming.
#include "rules/turn_marks.h"

#include "rules/combat_values.h"
#include "rules/hex_scan.h"
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
// End-check (watch) bit 2: the unit's remembered hex carries its side in the per-turn word.
constexpr unsigned kWatchRemembered = 4;

} // namespace

unsigned g_turnMarkRebuilds = 0;

bool takesPartInMarks(GameState& state, int side)
{
    if (side >= kCountryCount)
        return true;
    const CountryRecord& country = state.country(side);
    return country.controller != 0 && country.inPlay == 1;
}

namespace {

class ThreatHexScan : public HexScan {
public:
    ThreatHexScan(GameState& state, const HexRegion* only, CountryHexLayers& layers, int side, int layer, int strong,
        uint32_t value, int relation)
        : HexScan(state), m_only(only), m_layers(layers), m_side(side), m_layer(layer), m_strong(strong), m_value(value), m_relation(relation)
    {
    }

protected:
    void visit(int x, int y) override
    {
        if (!m_only || m_only->contains(x, y))
            m_layers.markHex(m_side, x, y, m_layer, m_strong, m_value, m_relation);
    }

private:
    const HexRegion* m_only;
    CountryHexLayers& m_layers;
    int m_side, m_layer, m_strong;
    uint32_t m_value;
    int m_relation;
};

class AreaCoverHexScan : public HexScan {
public:
    AreaCoverHexScan(GameState& state, const HexRegion* only, CountryHexMasks& masks, int side, int strong, int relation)
        : HexScan(state), m_only(only), m_masks(masks), m_side(side), m_strong(strong), m_relation(relation)
    {
    }

protected:
    void visit(int x, int y) override
    {
        if (!m_only || m_only->contains(x, y))
            m_masks.markHex(m_side, x, y, m_strong, 1, m_relation);
    }

private:
    const HexRegion* m_only;
    CountryHexMasks& m_masks;
    int m_side, m_strong, m_relation;
};

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
            const int reach = unit->bestWeaponReach(target_class, 0, 0, 0);
            if (reach <= 0)
                return;
            uint32_t value = 1u << layer;
            if (hasDirectFireWeapon(*unit, target_class))
                value |= 1u << (8 + layer);
            ThreatHexScan scan(state, only, *layers, side, layer, strong, value, relation);
            scan.scan(unit->x, unit->y, std::min(reach, range));
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
    if (CountryHexMasks* masks = state.hexMasks(); masks && type.areaRadius > 0) {
        AreaCoverHexScan scan(state, only, *masks, side, strong, relation);
        scan.scan(unit->x, unit->y, type.areaRadius);
    }
    markRememberedHex(state, *unit, side, only);
}

void resetHexTurnMarks(GameState& state)
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
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x)
            if (TerrainCell* cell = state.terrainCellAt(x, y))
                cell->turnMarks[0] = cell->turnMarks[1] = 0;
}
