// The rules' command scans: attack targets, ground-attack hexes, launch reach and planned routes.
#include "rules/command_scans_rules.h"

#include "rules/current_action.h"
#include "rules/current_action_marks.h"
#include "rules/hex_scan.h"
#include "rules/route.h"
#include "rules/rules_context.h"
#include "rules/scans_attack.h"
#include "rules/scans_own_range.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

// A hex the attacker could fire on indirectly: on the map, terrain its movement type can enter,
// and no unit other than itself visible to its side in its domain slot (a hidden unit is unknown
// to the side and so cannot rule the hex out).
// The command check stops at the first such hex; the marking form collects and marks them all.
class GroundAttackHexScan : public HexScan {
public:
    enum class Form { FirstOnly, Listing };

    GroundAttackHexScan(GameState& state, int side, int index, const UnitRecord& unit, Form form)
        : HexScan(state)
        , m_side(side)
        , m_index(index)
        , m_moveType(unit.type().movementType)
        , m_slot(state.unitSlotFor(unit.type().domain))
        , m_form(form)
    {
        setMinimumRadius(2);
    }

    bool found() const { return hitCount() > 0; }

protected:
    void visit(int x, int y) override
    {
        if (!usableAndFree(x, y))
            return;
        addHit(x, y, 0);
        if (m_form == Form::FirstOnly)
            stop();
    }

private:
    bool usableAndFree(int x, int y) const
    {
        const GameState& game = state();
        if (!game.isOnMap(x, y) || game.terrainValueAt(x, y, m_moveType) <= 0)
            return false;
        return !game.hexDomainHasVisibleOtherUnit(x, y, m_slot, m_side, m_index);
    }

    int m_side;
    int m_index;
    int m_moveType;
    int m_slot;
    Form m_form;
};

} // namespace

bool RulesCommandScans::hasAttackTarget(GameState& state, int side, int index, int x, int y, bool moving)
{
    AttackTargetHexScan scan(state, side, index, x, y, moving);
    scan.run();
    return !scan.targets().empty();
}

bool RulesCommandScans::hasGroundAttackHex(GameState& state, int side, int index, int x, int y, int reach)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!unit || !unitExists(*unit) || reach < 2)
        return false;
    GroundAttackHexScan scan(state, side, index, *unit, GroundAttackHexScan::Form::FirstOnly);
    scan.scan(x, y, reach);
    return scan.found();
}

int collectGroundAttackHexes(GameState& state, int side, int index, int x, int y, bool moving, std::vector<HexPos>& list)
{
    const UnitRecord* unit = state.unitOf(side, index);
    if (!state.ruleOn(kRuleGroundPointTarget) || !unit || !unitExists(*unit))
        return 0;
    const int reach = unit->bestWeaponReach(kTargetArmoured, moving ? 1 : 0, 0, 0);
    if (reach < 2)
        return 0;
    GroundAttackHexScan scan(state, side, index, *unit, GroundAttackHexScan::Form::Listing);
    scan.scan(x, y, reach);
    const size_t before = list.size();
    for (const HexScanHit& hit : scan.hits())
        list.push_back(HexPos { hit.x, hit.y });
    return int(list.size() - before);
}

bool RulesCommandScans::hasLaunchReach(GameState& state, int side, int launched_type, int x, int y)
{
    ReachHexScan scan(state, side, launched_type, x, y, false);
    scan.setMinimumDistance(2);
    scan.rescan();
    return scan.hitCount() > 0;
}

bool RulesCommandScans::planRoute(GameState& state, int side, int index, int x, int y, std::vector<HexPos>& route)
{
    route.clear();
    if (!m_action || !m_action->underWay() || !m_action->range())
        return false;
    if (m_action->actingCountry() != side || m_action->actingIndex() != index)
        return false;
    return planActionRoute(*m_action, rulesContext(state).fixedRoute, x, y, route);
}

RulesCommandScans& installRulesCommandScans()
{
    static RulesCommandScans scans;
    setCommandScans(&scans);
    return scans;
}
