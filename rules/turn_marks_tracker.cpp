// Keeping the per-turn marks after an action: compare every unit's inputs, clear where they changed,
// lay again there.
#include "rules/turn_marks_tracker.h"

#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr unsigned kWatchRemembered = 4;

} // namespace

void HexRegion::reset(int width, int height)
{
    for (const Box& box : m_boxes)
        for (int y = box.y0; y <= box.y1; ++y)
            std::fill_n(m_hexes.begin() + long(y) * m_width + box.x0, box.x1 - box.x0 + 1, uint8_t(0));
    m_boxes.clear();
    if (width != m_width || height != m_height) {
        m_width = width;
        m_height = height;
        m_hexes.assign(size_t(width) * size_t(height), 0);
    }
}

void HexRegion::addBox(int x0, int y0, int x1, int y1)
{
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, m_width - 1), y1 = std::min(y1, m_height - 1);
    if (x0 > x1 || y0 > y1)
        return;
    if (m_boxes.empty())
        m_bounds = { x0, y0, x1, y1 };
    m_bounds = { std::min(m_bounds.x0, x0), std::min(m_bounds.y0, y0), std::max(m_bounds.x1, x1), std::max(m_bounds.y1, y1) };
    m_boxes.push_back({ x0, y0, x1, y1 });
    for (int y = y0; y <= y1; ++y)
        std::fill_n(m_hexes.begin() + long(y) * m_width + x0, x1 - x0 + 1, uint8_t(1));
}

bool HexRegion::overlaps(int x0, int y0, int x1, int y1) const
{
    if (m_boxes.empty() || x0 > m_bounds.x1 || m_bounds.x0 > x1 || y0 > m_bounds.y1 || m_bounds.y0 > y1)
        return false;
    for (const Box& box : m_boxes)
        if (x0 <= box.x1 && box.x0 <= x1 && y0 <= box.y1 && box.y0 <= y1)
            return true;
    return false;
}

TurnMarkTracker::Setting TurnMarkTracker::settingOf(GameState& state) const
{
    Setting s;
    s.layers = state.hexLayers();
    s.masks = state.hexMasks();
    s.width = state.mapWidth();
    s.height = state.mapHeight();
    s.current = state.turnBlock().currentCountry;
    for (int side = 0; side < kSideCount; ++side)
        if (takesPartInMarks(state, side))
            s.sides = uint16_t(s.sides | 1u << side);
    s.rebuilds = g_turnMarkRebuilds;
    return s;
}

const UnitRecord* TurnMarkTracker::presentUnit(GameState& state, int side, int index) const
{
    const UnitRecord* unit = state.unitOf(side, index);
    return unit && unitInPlay(*unit) && !unit->hasFlag(kUnitAwaitingProduction) ? unit : nullptr;
}

TurnMarkTracker::UnitInputs TurnMarkTracker::inputsOf(GameState& state, const UnitRecord* unit, int side, int index, int relation) const
{
    UnitInputs in;
    if (!unit)
        return in;
    in.present = true;
    in.record = *unit;
    in.relation = int8_t(relation);
    const UnitTypeRecord& type = unit->type();
    in.mayHide = typeMayHide(type);
    in.domain = type.domain;
    in.strong = seenByCurrent(state, in, side, index) ? 1 : 0;
    in.radius = type.areaRadius;
    for (int k = 0; k < kDomainCount; ++k)
        in.radius = std::max<int>(in.radius, type.range[k]);
    return in;
}

bool TurnMarkTracker::seenByCurrent(const GameState& state, const UnitInputs& in, int side, int index) const
{
    const int viewer = m_setting.current;
    if (!in.record.isOnOwnHex() || viewer >= kCountryCount)
        return false;
    if (in.relation != kThreatOther || state.ruleSwitch(kRuleSearch) == 0)
        return true;
    if (in.mayHide)
        return isUnitVisibleTo(state, viewer, side, index);
    const FogMap* fog = state.fogMap();
    return fog && fog->isSeenBy(viewer, in.record.x, in.record.y, in.domain);
}

void TurnMarkTracker::rebuild(GameState& state)
{
    resetHexTurnMarks(state);
    m_setting = settingOf(state);
    for (int side = 0; side < kSideCount; ++side) {
        std::vector<UnitInputs>& units = m_units[size_t(side)];
        units.clear();
        if (!(m_setting.sides >> side & 1))
            continue;
        const int relation = threatRelationTo(state, side, m_setting.current);
        for (int i = 0; i < int(state.unitCount(side)); ++i)
            units.push_back(inputsOf(state, presentUnit(state, side, i), side, i, relation));
    }
    m_kept = true;
}

void TurnMarkTracker::addCover(const UnitInputs& unit)
{
    if (!unit.present)
        return;
    const UnitRecord& r = unit.record;
    if (r.isOnOwnHex())
        m_region.addBox(r.x - unit.radius, r.y - unit.radius, r.x + unit.radius, r.y + unit.radius);
    if (r.watchBits & kWatchRemembered)
        m_region.addBox(r.goalX, r.goalY, r.goalX, r.goalY);
}

bool TurnMarkTracker::reaches(const UnitInputs& unit) const
{
    if (!unit.present)
        return false;
    const UnitRecord& r = unit.record;
    if ((r.watchBits & kWatchRemembered) && m_region.contains(r.goalX, r.goalY))
        return true;
    return r.isOnOwnHex() && m_region.overlaps(r.x - unit.radius, r.y - unit.radius, r.x + unit.radius, r.y + unit.radius);
}

void TurnMarkTracker::clearRegion(GameState& state)
{
    CountryHexLayers* layers = state.hexLayers();
    CountryHexMasks* masks = state.hexMasks();
    for (const HexRegion::Box& box : m_region.boxes())
        for (int y = box.y0; y <= box.y1; ++y)
            for (int x = box.x0; x <= box.x1; ++x) {
                if (layers)
                    layers->clearHex(x, y);
                if (masks)
                    masks->clearHex(x, y);
                if (UnitCell* cell = state.unitCellAt(x, y))
                    cell->turnMark = 0;
            }
}

void TurnMarkTracker::update(GameState& state)
{
    if (!m_kept || !(settingOf(state) == m_setting)) {
        rebuild(state);
        return;
    }
    m_region.reset(m_setting.width, m_setting.height);
    for (int side = 0; side < kSideCount; ++side) {
        if (!(m_setting.sides >> side & 1))
            continue;
        std::vector<UnitInputs>& units = m_units[size_t(side)];
        const size_t count = state.unitCount(side);
        if (units.size() < count)
            units.resize(count);
        const int relation = threatRelationTo(state, side, m_setting.current);
        for (size_t i = 0; i < units.size(); ++i) {
            UnitInputs& kept = units[i];
            const UnitRecord* unit = i < count ? presentUnit(state, side, int(i)) : nullptr;
            if (!unit && !kept.present)
                continue;
            if (unit && kept.present && kept.relation == relation && std::memcmp(unit, &kept.record, sizeof kept.record) == 0
                && kept.strong == int8_t(seenByCurrent(state, kept, side, int(i))))
                continue;
            addCover(kept);
            kept = inputsOf(state, unit, side, int(i), relation);
            addCover(kept);
        }
    }
    if (m_region.empty())
        return;
    clearRegion(state);
    for (int side = 0; side < kSideCount; ++side)
        for (size_t i = 0; i < m_units[size_t(side)].size(); ++i)
            if (reaches(m_units[size_t(side)][i]))
                markUnitThreatZones(state, side, int(i), &m_region);
}
