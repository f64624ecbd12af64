// Keeping each side's sight after an action: compare what every unit and building sees, clear the
// side's bits where that changed and lay there again every sight that reaches.
#include "rules/sight_tracker.h"

#include "rules/fog.h"
#include "rules/changed_records.h"
#include "rules/fog_scans.h"
#include "state/sight_maps.h"

#include <algorithm>
#include <cstring>
#include <utility>

SightTracker::Setting SightTracker::settingOf(const GameState& state)
{
    Setting s;
    const FogMap* fog = state.fogMap();
    s.fog = fog ? fog->identity() : 0;
    s.width = state.mapWidth();
    s.height = state.mapHeight();
    s.layeredSight = fog && fog->rules().layeredSight();
    s.night = state.isNightTurn();
    s.terrainTypes = state.terrainTypes().data();
    s.terrainTypeCount = state.terrainTypes().size();
    s.unitTypes = state.unitTypes().data();
    s.unitTypeCount = state.unitTypes().size();
    return s;
}

bool SightTracker::keeps(const GameState& state) const { return m_kept && state.fogMap() && settingOf(state) == m_setting; }

SightTracker::Sight SightTracker::unitSight(const UnitRecord& unit, int side, bool layered)
{
    Sight sight;
    if (!unitLaysSight(unit))
        return sight;
    sight.present = true;
    sight.side = uint8_t(side);
    sight.x = int16_t(unit.x), sight.y = int16_t(unit.y);
    sight.ranges.fill(-1);
    // As the sight is laid: without layered sight, once at the widest range in layer 0.
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer) {
        const int range = unit.sightRange(layer);
        int16_t& into = sight.ranges[size_t(layered ? layer : 0)];
        into = int16_t(std::max<int>(into, range));
        sight.radius = std::max(sight.radius, into);
    }
    return sight;
}

SightTracker::Sight SightTracker::buildingSight(const GameState& state, const BuildingRecord& building)
{
    Sight sight;
    const auto& types = state.terrainTypes();
    if (building.ownerPlusOne == 0 || !building.isIntact() || building.type >= types.size())
        return sight;
    sight.present = true;
    sight.side = uint8_t(building.owner());
    sight.x = int16_t(building.x), sight.y = int16_t(building.y);
    const TerrainRecord& type = types[building.type];
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer) {
        sight.ranges[size_t(layer)] = type.groupValues[layer];
        sight.radius = std::max<int16_t>(sight.radius, type.groupValues[layer]);
    }
    return sight;
}

void SightTracker::laySight(GameState& state, FogMap& fog, const Sight& sight)
{
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        if (sight.ranges[size_t(layer)] >= 0)
            markSightArea(state, fog, sight.side, sight.x, sight.y, sight.ranges[size_t(layer)], layer);
}

void SightTracker::readBuildings(const GameState& state, std::vector<Sight>& into) const
{
    into.resize(state.buildingCount());
    for (size_t i = 0; i < into.size(); ++i)
        into[i] = buildingSight(state, state.buildingAt(i));
}

void SightTracker::setUnit(SideSight& side, uint32_t index, const Sight& sight)
{
    Sight& kept = side.units[index];
    if (kept.present)
        side.standing.remove(index, kept.x, kept.y);
    kept = sight;
    if (sight.present) {
        side.standing.add(index, sight.x, sight.y);
        side.radius = std::max<int>(side.radius, sight.radius);
    }
}

void SightTracker::takeSide(GameState& state, int side)
{
    SideSight& units = m_sides[size_t(side)];
    const UnitRecord* table = std::as_const(state).unitTable(side);
    const size_t count = table ? state.unitCount(side) : 0;
    units.records.assign(table, table + count);
    units.units.assign(count, Sight());
    units.standing.reset(m_setting.width, m_setting.height);
    units.radius = 0;
    for (size_t i = 0; i < count; ++i)
        setUnit(units, uint32_t(i), unitSight(table[i], side, m_setting.layeredSight));
}

void SightTracker::takeLaid(GameState& state, uint16_t exact)
{
    m_setting = settingOf(state);
    readBuildings(state, m_buildings);
    for (int side = 0; side < kSideCount; ++side) {
        SideSight& sight = m_sides[size_t(side)];
        sight.changed.clear();
        sight.exact = (exact >> side & 1) != 0;
        if (!sight.exact)
            continue;
        takeSide(state, side);
        sight.serial = state.fogMap()->sideSerial(side);
    }
    m_look = state.unitTouches().look();
    m_kept = true;
}

void SightTracker::noteChange(const Sight& sight)
{
    if (sight.present)
        m_sides[size_t(sight.side)].changed.push_back(
            { sight.x - sight.radius, sight.y - sight.radius, sight.x + sight.radius, sight.y + sight.radius });
}

void SightTracker::layWholeSide(GameState& state, FogMap& fog, int side)
{
    fog.clearSideBits(side, 0, 0, m_setting.width - 1, m_setting.height - 1);
    takeSide(state, side);
    for (const Sight& building : m_readBuildings)
        if (building.present && building.side == side)
            laySight(state, fog, building);
    for (const Sight& unit : m_sides[size_t(side)].units)
        if (unit.present)
            laySight(state, fog, unit);
}

void SightTracker::compareUnits(GameState& state, int side)
{
    SideSight& units = m_sides[size_t(side)];
    const UnitRecord* table = std::as_const(state).unitTable(side);
    const size_t count = table ? state.unitCount(side) : 0;
    const size_t kept_count = units.records.size();
    if (count > kept_count) {
        units.records.resize(count);
        units.units.resize(count);
    }
    auto take = [&](size_t i) {
        const Sight now = i < count ? unitSight(table[i], side, m_setting.layeredSight) : Sight();
        if (i < count)
            units.records[i] = table[i];
        if (now == units.units[i])
            return;
        noteChange(units.units[i]);
        noteChange(now);
        setUnit(units, uint32_t(i), now);
    };
    const size_t both = std::min(count, kept_count);
    // Only records handed out writable since the last look may differ; the current country's are
    // all compared, as its acting units may be written through pointers taken before that look.
    const UnitTouches& touches = state.unitTouches();
    if (side == state.turnBlock().currentCountry || touches.tableTouchedAfter(side, m_look)) {
        forEachChangedRecord(table, units.records.data(), both, take);
    } else {
        touches.forEachTouchedAfter(side, m_look, both, [&](size_t i) {
            if (std::memcmp(&table[i], &units.records[i], sizeof(UnitRecord)) != 0)
                take(i);
        });
    }
    for (size_t i = both; i < units.records.size(); ++i)
        take(i);
    units.records.resize(count);
    units.units.resize(count);
}

void SightTracker::layChanged(GameState& state, FogMap& fog, int side)
{
    SideSight& units = m_sides[size_t(side)];
    if (units.changed.empty())
        return;
    m_region.reset(m_setting.width, m_setting.height);
    for (const HexRegion::Box& box : units.changed)
        m_region.addBox(box.x0, box.y0, box.x1, box.y1);
    units.changed.clear();
    if (m_region.empty())
        return;
    for (const HexRegion::Box& box : m_region.boxes())
        fog.clearSideBits(side, box.x0, box.y0, box.x1, box.y1);
    // Every hex cleared lies in a box that the disc of each sight covering it meets; laying a whole
    // disc again sets no bit outside that the side did not hold already.
    auto reaches = [this](const Sight& sight) {
        return sight.present && m_region.overlaps(sight.x - sight.radius, sight.y - sight.radius, sight.x + sight.radius, sight.y + sight.radius);
    };
    for (const Sight& building : m_readBuildings)
        if (building.side == side && reaches(building))
            laySight(state, fog, building);
    const HexRegion::Box bounds = m_region.bounds();
    const int r = units.radius;
    units.standing.forEachNear(bounds.x0 - r, bounds.y0 - r, bounds.x1 + r, bounds.y1 + r, [&](uint32_t i) {
        if (reaches(units.units[i]))
            laySight(state, fog, units.units[i]);
    });
}

bool SightTracker::update(GameState& state, uint16_t exact)
{
    FogMap& fog = *state.fogMap();
    readBuildings(state, m_readBuildings);
    // A building of a side past the neutral one lays a bit that no side's sight clears.
    for (const Sight& building : m_readBuildings)
        if (building.present && building.side >= kSideCount)
            return false;
    const size_t buildings = std::max(m_buildings.size(), m_readBuildings.size());
    m_buildings.resize(buildings);
    m_readBuildings.resize(buildings);
    for (size_t i = 0; i < buildings; ++i)
        if (!(m_buildings[i] == m_readBuildings[i])) {
            noteChange(m_buildings[i]);
            noteChange(m_readBuildings[i]);
        }
    for (int side = 0; side < kSideCount; ++side) {
        SideSight& sight = m_sides[size_t(side)];
        const bool wanted = (exact >> side & 1) != 0;
        if (!wanted) {
            sight.exact = false;
        } else if (!sight.exact || fog.sideSerial(side) != sight.serial) {
            layWholeSide(state, fog, side);
        } else {
            compareUnits(state, side);
            layChanged(state, fog, side);
        }
        sight.changed.clear();
        if (wanted) {
            sight.exact = true;
            sight.serial = fog.sideSerial(side);
        }
    }
    // The other sides keep their bits and gain their buildings' sight.
    for (const Sight& building : m_readBuildings)
        if (building.present && !(exact >> building.side & 1))
            laySight(state, fog, building);
    m_readBuildings.resize(state.buildingCount());
    m_buildings.swap(m_readBuildings);
    m_look = state.unitTouches().look();
    return true;
}
