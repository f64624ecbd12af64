// The computer's capturing units: enemy capitals and victory places first, before any exchange of fire.
#include "ai/unit_plan.h"

#include "rules/commands.h"
#include "rules/home_hex.h"
#include "rules/move_range.h"
#include "rules/occupation_steps.h"
#include "rules/reach_map.h"
#include "rules/targets.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/unit_type_record.h"

#include <climits>
#include <vector>

namespace {

// The type's ability bit for occupying buildings.
constexpr int kMayOccupy = 0x80;

} // namespace

bool UnitPlan::canOccupy() const { return (typeAbilityBits(m_unit->type()) & kMayOccupy) != 0; }

bool UnitPlan::isObjective(const BuildingRecord& building) const
{
    const int owner = building.owner();
    if (owner >= 0 && m_state.isAllied(owner, m_country))
        return false;
    const int x = building.x, y = building.y;
    return isTargetPlaceHex(m_state, x, y) || (owner >= 0 && owner < kCountryCount && isCapitalOf(m_state, x, y, owner));
}

std::vector<HexPos> UnitPlan::objectives() const
{
    std::vector<HexPos> found;
    for (size_t i = 0; i < m_state.buildingCount(); ++i) {
        const BuildingRecord& b = m_state.buildingAt(i);
        if (isObjective(b))
            found.push_back({ int(b.x), int(b.y) });
    }
    return found;
}

bool UnitPlan::tryOccupyObjective()
{
    if (!canOccupy())
        return false;
    const HexPos own { m_unit->x, m_unit->y };
    const int allowance = m_unit->movePoints();
    std::vector<HexPos> open;
    for (const HexPos hex : objectives()) {
        if (hex == own || reachCost(*m_map, hex.x, hex.y, allowance) < 0)
            continue;
        const CommandAsk ask { m_country, m_index, hex.x, hex.y, true, allowance };
        if (commandTargetCheck(m_state, ask, kCommandOccupy))
            open.push_back(hex);
    }
    if (open.empty())
        return false;
    const HexPos pick = open.size() == 1 ? open[0] : open[size_t(m_state.random(0, int(open.size()) - 1))];
    order(pick, kCommandOccupy, int(packHex(pick.x, pick.y)), 0);
    return true;
}

bool UnitPlan::tryAdvanceOnObjective()
{
    if (!canOccupy())
        return false;
    const HexPos own { m_unit->x, m_unit->y };
    std::vector<HexPos> nearest;
    int best = INT_MAX;
    for (const HexPos hex : objectives()) {
        const int d = hexDistance(own, hex);
        if (d < best)
            nearest.clear(), best = d;
        if (d == best)
            nearest.push_back(hex);
    }
    if (nearest.empty())
        return false;
    const HexPos goal = nearest.size() == 1 ? nearest[0] : nearest[size_t(m_state.random(0, int(nearest.size()) - 1))];
    return moveToward(goal, kCommandNone, 0);
}
