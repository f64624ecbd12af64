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

bool takesPart(GameState& state, int side)
{
    if (side >= kCountryCount)
        return true;
    const CountryRecord& country = state.country(side);
    return country.controller != 0 && country.inPlay == 1;
}

class ThreatHexScan : public HexScan {
public:
    ThreatHexScan(GameState& state, CountryHexLayers& layers, int side, int layer, int strong, uint32_t value, int relation)
        : HexScan(state), m_layers(layers), m_side(side), m_layer(layer), m_strong(strong), m_value(value), m_relation(relation)
    {
    }

protected:
    void visit(int x, int y) override { m_layers.markHex(m_side, x, y, m_layer, m_strong, m_value, m_relation); }

private:
    CountryHexLayers& m_layers;
    int m_side, m_layer, m_strong;
    uint32_t m_value;
    int m_relation;
};

class AreaCoverHexScan : public HexScan {
public:
    AreaCoverHexScan(GameState& state, CountryHexMasks& masks, int side, int strong, int relation)
        : HexScan(state), m_masks(masks), m_side(side), m_strong(strong), m_relation(relation)
    {
    }

protected:
    void visit(int x, int y) override { m_masks.markHex(m_side, x, y, m_strong, 1, m_relation); }

private:
    CountryHexMasks& m_masks;
    int m_side, m_strong, m_relation;
};

void markRememberedHex(GameState& state, const UnitRecord& unit, int side)
{
    if (!(unit.watchBits & kWatchRemembered))
        return;
    if (UnitCell* cell = state.unitCellAt(unit.goalX, unit.goalY))
        cell->turnMark = uint16_t(cell->turnMark | 1u << side);
}

int relationTo(const GameState& state, int side, int current)
{
    if (side == current)
        return kThreatOwn;
    return current < kSideCount && state.isAllied(side, current) ? kThreatAllied : kThreatOther;
}

} // namespace

void markUnitThreatZones(GameState& state, int side, int index)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || side < 0 || side >= kSideCount || !unitInPlay(*unit) || unit->hasFlag(kUnitAwaitingProduction))
        return;
    if (!unit->isOnOwnHex()) {
        markRememberedHex(state, *unit, side);
        return;
    }
    const int current = state.turnBlock().currentCountry;
    const int relation = relationTo(state, side, current);
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
            ThreatHexScan scan(state, *layers, side, layer, strong, value, relation);
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
        AreaCoverHexScan scan(state, *masks, side, strong, relation);
        scan.scan(unit->x, unit->y, type.areaRadius);
    }
    markRememberedHex(state, *unit, side);
}

void resetHexTurnMarks(GameState& state)
{
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x)
            if (UnitCell* cell = state.unitCellAt(x, y))
                cell->turnMark = 0;
    if (state.hexLayers())
        state.hexLayers()->clearAll();
    if (state.hexMasks())
        state.hexMasks()->clearAll();
    for (int side = 0; side < kSideCount; ++side) {
        if (!takesPart(state, side))
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
        if (!takesPart(state, owner))
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
