// Checking the kept turn marks, sight and unit places against fresh ones after every action.
#include "tests/rules/kept_caches_check.h"

#include "rules/fog.h"
#include "rules/rules_context.h"
#include "rules/unit_places.h"
#include "state/game_state.h"
#include "state/sight_maps.h"
#include "tests/rules/turn_marks_reading.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace testing_rules {
namespace {

bool sameBits(const FogMap& a, const FogMap& b)
{
    for (int layer = 0; layer < FogMap::kLayerCount; ++layer)
        for (int y = 0; y < int(a.height()); ++y)
            for (int x = 0; x < int(a.width()); ++x)
                if (a.cell(x, y, layer) != b.cell(x, y, layer))
                    return false;
    return true;
}

// Every record filed, row by row and column by column of the map, and all of each side, so that two
// equal answers file each record at the same hex.
std::vector<uint32_t> filedPlaces(const GameState& state, const UnitPlaces& places)
{
    constexpr int kLast = 255;
    std::vector<uint32_t> all, found;
    auto add = [&](int side, int x0, int y0, int x1, int y1) {
        places.collect(side, x0, y0, x1, y1, found);
        all.push_back(uint32_t(found.size()));
        all.insert(all.end(), found.begin(), found.end());
    };
    for (int side = 0; side < kSideCount; ++side) {
        add(side, 0, 0, kLast, kLast);
        for (int y = 0; y < state.mapHeight(); ++y)
            add(side, 0, y, kLast, y);
        for (int x = 0; x < state.mapWidth(); ++x)
            add(side, x, 0, x, kLast);
    }
    return all;
}

} // namespace

CheckingSettlement::CheckingSettlement(GameState& state, std::string game)
    : RulesSettlement(state), m_state(state), m_game(std::move(game))
{
}

void CheckingSettlement::resetHexTurnMarks()
{
    ++actions;
    const int before = mismatches;
    checkSight();
    checkMarks();
    checkPlaces();
    // One action counts once, however many caches it broke.
    mismatches = before + (mismatches > before ? 1 : 0);
}

void CheckingSettlement::mismatch(const char* what)
{
    if (++mismatches <= 3)
        ADD_FAILURE() << m_game << ": the kept " << what << " differ from fresh ones after action " << actions;
}

// The sight is laid once more, in turn each of the three ways, on the game's map by the kept sight
// and on a copy in full.
void CheckingSettlement::checkSight()
{
    FogMap* fog = m_state.fogMap();
    if (!fog || !m_state.ruleOn(kRuleSearch))
        return;
    const SightLay lay = SightLay(sightChecks % 3);
    ++sightChecks;
    sightKept += rulesContext(m_state).sight.keeps(m_state);
    FogMap fresh(*fog);
    laySightInFull(m_state, fresh, lay);
    if (lay == SightLay::Rebuild)
        rebuildSightMaps(m_state);
    else if (lay == SightLay::All)
        updateVisibilityAll(m_state);
    else
        updateVisibilityAfterAction(m_state);
    if (!sameBits(fresh, *fog))
        mismatch("sight");
}

void CheckingSettlement::checkMarks()
{
    const unsigned rebuilds = g_turnMarkRebuilds;
    RulesSettlement::resetHexTurnMarks();
    marksKept += g_turnMarkRebuilds == rebuilds;
    const std::vector<uint32_t> kept = readTurnMarks(m_state);
    testing_rules::layTurnMarksAfresh(m_state);
    if (kept != readTurnMarks(m_state))
        mismatch("turn marks");
}

void CheckingSettlement::checkPlaces()
{
    UnitPlaces fresh;
    fresh.refresh(m_state);
    if (filedPlaces(m_state, currentUnitPlaces(m_state)) != filedPlaces(m_state, fresh))
        mismatch("unit places");
}

} // namespace testing_rules
