// Visibility of units to a side: fog of war, concealed unit types and the units that uncover them.
#include "rules/visibility.h"

#include "rules/fog_scans.h"
#include "rules/shared_codes.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"

namespace {

// Terrain flag bit 0: the hex hides units whose type conceals itself there.
constexpr uint8_t kConcealingTerrain = 1;

bool isFriend(const GameState& state, int country, int viewer)
{
    return country == viewer || state.isAllied(country, viewer);
}

// The radius within which a revealer must stand; 0 when the unit hides nowhere here.
int concealmentRadius(const GameState& state, const UnitTypeRecord& type, int x, int y)
{
    if (type.concealRadius > 0)
        return type.concealRadius;
    if (type.secondConcealRadius > 0)
        return type.secondConcealRadius;
    if (state.ruleOn(kRuleConcealment) && type.terrainConcealRadius > 0) {
        const TerrainRecord* terrain = state.terrainTypeAt(x, y);
        if (terrain && (terrain->flags & kConcealingTerrain))
            return type.terrainConcealRadius;
    }
    return 0;
}

} // namespace

bool isUnitVisibleTo(const GameState& state, int viewer, int code, int index)
{
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit)
        return false;
    if (!unit->isOnOwnHex())
        return isFriend(state, countryOfCode(code), viewer);
    return isHexVisibleTo(state, viewer, code, index, unit->x, unit->y);
}

bool isHexVisibleTo(const GameState& state, int viewer, int code, int index, int x, int y)
{
    if (!state.ruleOn(kRuleSearch))
        return true;
    const UnitRecord* unit = state.unitOf(code, index);
    if (!unit)
        return false;
    int country = countryOfCode(code);
    if (isFriend(state, country, viewer))
        return true;
    const FogMap* fog = state.fogMap();
    const UnitTypeRecord& type = unit->type();
    if (!fog || !fog->isSeenBy(viewer, x, y, type.domain))
        return false;
    int radius = concealmentRadius(state, type, x, y);
    return radius == 0 || findRevealer(state, viewer, country, type.domain, x, y, radius);
}

bool typeMayHide(const UnitTypeRecord& type)
{
    return type.concealRadius > 0 || type.secondConcealRadius > 0 || type.terrainConcealRadius > 0;
}

int ViewerView::viewer() const { return m_state.turnBlock().viewer(); }

bool ViewerView::seesHex(int x, int y) const
{
    constexpr uint32_t kEveryLayer = 0x3F;
    const int watching = viewer();
    const FogMap* fog = m_state.fogMap();
    if (watching < 0 || !m_state.ruleOn(kRuleSearch) || !fog)
        return true;
    return fog->isSeenInLayers(watching, x, y, kEveryLayer);
}

bool ViewerView::showsMarksAt(int x, int y) const
{
    const TurnBlock& turn = m_state.turnBlock();
    // Before the first turn only the person's own deployment acts.
    const bool viewers_time = turn.turn == 0 || turn.currentCountry == viewer();
    return viewers_time || seesHex(x, y);
}

bool ViewerView::seesUnitAt(int code, int index, int x, int y) const
{
    const int watching = viewer();
    return watching < 0 || isHexVisibleTo(m_state, watching, code, index, x, y);
}

bool ViewerView::seesUnit(int code, int index) const
{
    const int watching = viewer();
    return watching < 0 || isUnitVisibleTo(m_state, watching, code, index);
}

bool ViewerView::knowsInside(int country) const
{
    const int watching = viewer();
    return watching < 0 || isFriend(m_state, country, watching);
}

bool ViewerView::toldOf(int country) const
{
    return country >= 0 && country == viewer() && m_state.isHumanCountry(country);
}

bool ViewerView::knowsFigures(int country) const
{
    const int watching = viewer();
    return watching < 0 || country == watching || m_state.ruleOn(kRuleOpenCampInfo);
}

const UnitRecord* ViewerView::unit(int code, int index) const
{
    if (code >= 0 && code < kSideCount && (index < 0 || uint32_t(index) >= m_state.unitCount(code)))
        return nullptr;
    const UnitRecord* found = m_state.unitOf(code, index);
    return found && unitInPlay(*found) && seesUnit(code, index) ? found : nullptr;
}

const CountryRecord* ViewerView::figures(int country) const
{
    return country >= 0 && country < kCountryCount && knowsFigures(country) ? &m_state.country(country) : nullptr;
}

bool VisibilityHooks::isUnitVisibleTo(const GameState& state, int side, int index, int country)
{
    return ::isUnitVisibleTo(state, country, side, index);
}

bool VisibilityHooks::isHexVisibleTo(const GameState& state, int side, int index, int country, int x, int y)
{
    return ::isHexVisibleTo(state, country, side, index, x, y);
}

bool VisibilityHooks::canUnitLand(const GameState& state, int side, int index, int arg)
{
    return m_landing && m_landing->canUnitLand(state, side, index, arg);
}
