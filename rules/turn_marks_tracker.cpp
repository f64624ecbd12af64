// Keeping the per-turn marks after an action: compare every unit's inputs, clear where they changed,
// lay again there.
#include "rules/turn_marks_tracker.h"
#include "rules/shared_codes.h"

#include "rules/changed_records.h"
#include "rules/visibility.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

TurnMarkTracker::UntouchedWrite TurnMarkTracker::defaultUntouchedWrite()
{
#ifdef DERAZODO_CHECK_UNIT_TOUCHES
    return [](int side, int index) {
        std::fprintf(stderr, "unit record %d/%d was written through a pointer taken before the kept caches last looked\n", side, index);
        std::abort();
    };
#else
    return {};
#endif
}

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

bool HexRegion::overlapsABox(int x0, int y0, int x1, int y1) const
{
    // Past a few boxes, the box's own rows of the hex map are read instead of every box.
    constexpr size_t kBoxesWorthReading = 8;
    if (m_boxes.size() <= kBoxesWorthReading) {
        for (const Box& box : m_boxes)
            if (x0 <= box.x1 && box.x0 <= x1 && y0 <= box.y1 && box.y0 <= y1)
                return true;
        return false;
    }
    x0 = std::max(x0, m_bounds.x0), x1 = std::min(x1, m_bounds.x1);
    y0 = std::max(y0, m_bounds.y0), y1 = std::min(y1, m_bounds.y1);
    for (int y = y0; y <= y1; ++y) {
        const uint8_t* row = m_hexes.data() + size_t(y) * size_t(m_width);
        if (std::memchr(row + x0, 1, size_t(x1 - x0 + 1)))
            return true;
    }
    return false;
}

TurnMarkTracker::Setting TurnMarkTracker::settingOf(GameState& state) const
{
    Setting s;
    s.layers = state.hexLayers();
    s.masks = state.hexMasks();
    const FogMap* fog = state.fogMap();
    s.fog = fog ? fog->identity() : 0;
    s.width = state.mapWidth();
    s.height = state.mapHeight();
    s.countryTurn = state.turnBlock().currentCountry < kCountryCount;
    for (int side = 0; side < kSideCount; ++side)
        if (takesPartInMarks(state, side))
            s.sides = uint16_t(s.sides | 1u << side);
    if (fog)
        s.layeredSight = fog->rules().layeredSight();
    s.search = state.ruleOn(kRuleSearch);
    s.rebuilds = g_turnMarkRebuilds;
    return s;
}

bool TurnMarkTracker::isPresent(const UnitRecord& unit) { return unitInPlay(unit) && !unit.hasFlag(kUnitAwaitingProduction); }

TurnMarkTracker::UnitInputs TurnMarkTracker::inputsOf(GameState& state, const UnitRecord& unit, int side, int index, int relation) const
{
    UnitInputs in;
    if (!isPresent(unit))
        return in;
    in.present = true;
    in.onOwnHex = unit.isOnOwnHex();
    const UnitTypeRecord& type = unit.type();
    in.mayHide = typeMayHide(type);
    in.domain = type.domain;
    in.radius = type.areaRadius;
    for (int k = 0; k < kDomainCount; ++k)
        in.radius = std::max<int16_t>(in.radius, type.range[k]);
    in.x = int16_t(unit.x), in.y = int16_t(unit.y);
    in.remembers = (unit.watchBits & kWatchRemembered) != 0;
    in.goalX = int16_t(unit.goalX), in.goalY = int16_t(unit.goalY);
    in.strong = seenByCurrent(state, in, relation, side, index) ? 1 : 0;
    return in;
}

bool TurnMarkTracker::seenByCurrent(const GameState& state, const UnitInputs& in, int relation, int side, int index) const
{
    const int viewer = m_current;
    if (!in.onOwnHex || viewer >= kCountryCount)
        return false;
    if (relation != kThreatOther || m_setting.search == 0)
        return true;
    if (in.mayHide)
        return isUnitVisibleTo(state, viewer, side, index);
    const FogMap* fog = state.fogMap();
    return fog && fog->isSeenBy(viewer, in.x, in.y, in.domain);
}

void TurnMarkTracker::rebuild(GameState& state)
{
    layHexTurnMarksAfresh(state);
    takeFreshMarks(state);
}

uint16_t TurnMarkTracker::friendsOf(const GameState& state, int current)
{
    const FogMap* fog = state.fogMap();
    return fog ? fog->rules().allianceMaskOf(current) : 0;
}

void TurnMarkTracker::takeFreshMarks(GameState& state)
{
    m_setting = settingOf(state);
    m_current = state.turnBlock().currentCountry;
    m_friends = friendsOf(state, m_current);
    for (int side = 0; side < kSideCount; ++side) {
        SideUnits& units = m_sides[size_t(side)];
        units.records.clear();
        units.inputs.clear();
        if (!(m_setting.sides >> side & 1))
            continue;
        units.relation = threatRelationTo(state, side, m_current);
        units.standing.reset(m_setting.width, m_setting.height);
        units.remembering.clear();
        units.hiding.clear();
        units.radius = 0;
        const UnitRecord* table = std::as_const(state).unitTable(side);
        const int count = table ? int(state.unitCount(side)) : 0;
        units.records.assign(table, table + count);
        units.inputs.resize(size_t(count));
        for (int i = 0; i < count; ++i)
            setInputs(units, uint32_t(i), inputsOf(state, table[i], side, i, units.relation));
    }
    const FogMap* fog = state.fogMap();
    m_fogSerial = fog ? fog->changeSerial() : 0;
    m_look = state.unitTouches().look();
    m_kept = true;
}

void TurnMarkTracker::setInputs(SideUnits& units, uint32_t index, const UnitInputs& in)
{
    auto drop = [index](std::vector<uint32_t>& list) {
        const auto at = std::find(list.begin(), list.end(), index);
        if (at != list.end())
            list.erase(at);
    };
    UnitInputs& kept = units.inputs[index];
    if (kept.present && kept.onOwnHex) {
        units.standing.remove(index, kept.x, kept.y);
        if (kept.mayHide)
            drop(units.hiding);
    }
    if (kept.present && kept.remembers)
        drop(units.remembering);
    kept = in;
    if (in.present && in.onOwnHex) {
        units.standing.add(index, in.x, in.y);
        units.radius = std::max<int>(units.radius, in.radius);
        if (in.mayHide)
            units.hiding.push_back(index);
    }
    if (in.present && in.remembers)
        units.remembering.push_back(index);
}

void TurnMarkTracker::addCover(const UnitInputs& unit)
{
    if (!unit.present)
        return;
    if (unit.onOwnHex)
        m_region.addBox(unit.x - unit.radius, unit.y - unit.radius, unit.x + unit.radius, unit.y + unit.radius);
    if (unit.remembers)
        m_region.addBox(unit.goalX, unit.goalY, unit.goalX, unit.goalY);
}

void TurnMarkTracker::clearRegion(GameState& state)
{
    CountryHexLayers* layers = state.hexLayers();
    CountryHexMasks* masks = state.hexMasks();
    UnitCell* cells = state.unitGrid();
    const int width = state.mapWidth();
    for (const HexRegion::Box& box : m_region.boxes())
        for (int y = box.y0; y <= box.y1; ++y) {
            if (layers)
                layers->clearRow(y, box.x0, box.x1);
            if (masks)
                masks->clearRow(y, box.x0, box.x1);
            // The region's boxes lie on the map.
            for (int x = box.x0; cells && x <= box.x1; ++x)
                cells[size_t(y) * size_t(width) + size_t(x)].turnMark = 0;
        }
}

void TurnMarkTracker::updateSide(GameState& state, int side)
{
    SideUnits& units = m_sides[size_t(side)];
    const UnitRecord* table = std::as_const(state).unitTable(side);
    const size_t count = table ? state.unitCount(side) : 0;
    const int relation = threatRelationTo(state, side, m_current);
    const bool same_relation = relation == units.relation;
    units.relation = relation;
    const size_t kept_count = units.records.size();
    if (count > kept_count) {
        units.records.resize(count);
        units.inputs.resize(count);
    }
    // The units whose inputs may have changed: those whose record changed or is new or gone, or every
    // unit when the side's relation to the current country changed.
    m_changed.clear();
    const size_t both = std::min(count, kept_count);
    const UnitTouches& touches = state.unitTouches();
    // Only records handed out writable since the last look may differ. The current country's are
    // all compared, as its acting units may be written through pointers taken before that look.
    const bool compare_all = side == m_current || touches.tableTouchedAfter(side, m_look);
    if (m_untouchedWrite && same_relation && !compare_all)
        forEachChangedRecord(table, units.records.data(), both, [&](size_t i) {
            if (!touches.touchedAfter(side, int(i), m_look))
                m_untouchedWrite(side, int(i));
        });
    if (same_relation && compare_all) {
        forEachChangedRecord(table, units.records.data(), both, [&](size_t i) { m_changed.push_back(uint32_t(i)); });
    } else if (same_relation) {
        touches.forEachTouchedAfter(side, m_look, both, [&](size_t i) {
            if (std::memcmp(&table[i], &units.records[i], sizeof(UnitRecord)) != 0)
                m_changed.push_back(uint32_t(i));
        });
    }
    for (size_t i = same_relation ? both : 0; i < units.records.size(); ++i)
        m_changed.push_back(uint32_t(i));
    for (const uint32_t i : m_changed) {
        UnitInputs& kept = units.inputs[i];
        if (i >= count) {
            // Past the table's end: a unit no longer counted lays nothing.
            addCover(kept);
            setInputs(units, i, UnitInputs());
            continue;
        }
        if (!kept.present && !isPresent(table[i])) {
            units.records[i] = table[i];
            continue;
        }
        addCover(kept);
        units.records[i] = table[i];
        setInputs(units, i, inputsOf(state, table[i], side, int(i), relation));
        addCover(kept);
    }
    units.records.resize(count);
    units.inputs.resize(count);
    recheckSight(state, side);
}

void TurnMarkTracker::recheckSight(GameState& state, int side)
{
    SideUnits& units = m_sides[size_t(side)];
    const int relation = units.relation;
    // A unit whose record stayed is asked again whether it is seen only where the answer may have
    // changed: one of another camp, under the search rule, that may hide or stands where sight changed.
    // A unit just taken from its record answers as it did.
    const bool sight_asked = relation == kThreatOther && m_setting.search != 0 && m_current < kCountryCount;
    if (!sight_asked)
        return;
    const bool any_fog = state.fogMap() != nullptr;
    const FogMap::Area changed = m_sightChanged;
    m_candidates.clear();
    if (!any_fog) {
        for (size_t i = 0; i < units.inputs.size(); ++i)
            m_candidates.push_back(uint32_t(i));
    } else {
        m_candidates.assign(units.hiding.begin(), units.hiding.end());
        units.standing.forEachNear(changed.x0, changed.y0, changed.x1, changed.y1, [&](uint32_t i) {
            if (!units.inputs[i].mayHide)
                m_candidates.push_back(i);
        });
    }
    for (const uint32_t i : m_candidates) {
        UnitInputs& kept = units.inputs[i];
        const bool in_changed = kept.x >= changed.x0 && kept.x <= changed.x1 && kept.y >= changed.y0 && kept.y <= changed.y1;
        if (!kept.present || !kept.onOwnHex || !(kept.mayHide || !any_fog || in_changed))
            continue;
        if (kept.strong == int8_t(seenByCurrent(state, kept, relation, side, int(i))))
            continue;
        // The record stands, so the box of the marks is the same before and after.
        addCover(kept);
        kept.strong = int8_t(kept.strong ^ 1);
    }
}

void TurnMarkTracker::update(GameState& state)
{
    if (!m_kept || !(settingOf(state) == m_setting)) {
        rebuild(state);
        return;
    }
    m_region.reset(m_setting.width, m_setting.height);
    if (const FogMap* fog = state.fogMap())
        m_sightChanged = fog->changedSince(m_fogSerial);
    const int current = state.turnBlock().currentCountry;
    const uint16_t friends = friendsOf(state, current);
    if (current != m_current || friends != m_friends) {
        // Another viewer: every answer of the sight map may differ.
        m_current = current;
        m_friends = friends;
        m_sightChanged = { 0, 0, m_setting.width - 1, m_setting.height - 1 };
    }
    for (int side = 0; side < kSideCount; ++side)
        if (m_setting.sides >> side & 1)
            updateSide(state, side);
    const FogMap* fog = state.fogMap();
    m_fogSerial = fog ? fog->changeSerial() : 0;
    if (!m_region.empty())
        layRegion(state);
    // After the lay, whose reads of the records are no writes.
    m_look = state.unitTouches().look();
}

void TurnMarkTracker::layRegion(GameState& state)
{
    clearRegion(state);
    // The units that may reach the region: those standing within the side's greatest radius of its
    // bounds, and those remembering a hex; then the exact test on those.
    const HexRegion::Box bounds = m_region.bounds();
    for (int side = 0; side < kSideCount; ++side) {
        const SideUnits& units = m_sides[size_t(side)];
        const int r = units.radius;
        m_candidates.assign(units.remembering.begin(), units.remembering.end());
        units.standing.forEachNear(bounds.x0 - r, bounds.y0 - r, bounds.x1 + r, bounds.y1 + r, [&](uint32_t i) {
            if (!units.inputs[i].remembers)
                m_candidates.push_back(i);
        });
        for (const uint32_t i : m_candidates)
            if (reaches(units.inputs[i]))
                markUnitThreatZones(state, side, int(i), &m_region);
    }
}
