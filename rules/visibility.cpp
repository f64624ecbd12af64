// Visibility of units to a side: fog of war, concealed unit types and the units that uncover them.
#include "rules/visibility.h"

#include "rules/fog_scans.h"
#include "rules/shared_codes.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

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

bool viewerSeesHex(const GameState& state, int x, int y)
{
    constexpr uint32_t kEveryLayer = 0x3F;
    const TurnBlock& turn = state.turnBlock();
    const int viewer = turn.viewer();
    const FogMap* fog = state.fogMap();
    // Before the first turn only the person's own deployment acts.
    const bool viewers_time = turn.turn == 0 || turn.currentCountry == viewer;
    if (viewer < 0 || viewers_time || !state.ruleOn(kRuleSearch) || !fog)
        return true;
    return fog->isSeenInLayers(viewer, x, y, kEveryLayer);
}

bool viewerSeesUnit(const GameState& state, int code, int index, int x, int y)
{
    const int viewer = state.turnBlock().viewer();
    return viewer < 0 || isHexVisibleTo(state, viewer, code, index, x, y);
}

bool viewerSeesUnit(const GameState& state, int code, int index)
{
    const int viewer = state.turnBlock().viewer();
    return viewer < 0 || isUnitVisibleTo(state, viewer, code, index);
}

bool viewerSeesFigures(const GameState& state, int country)
{
    const int viewer = state.turnBlock().viewer();
    return viewer < 0 || country == viewer || state.ruleOn(kRuleOpenCampInfo);
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
