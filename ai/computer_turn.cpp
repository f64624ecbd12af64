// The computer's turn: a target country, then each unit's action between interrupt checks.
#include "ai/computer_turn.h"

#include "ai/target_country.h"
#include "ai/think_plan.h"
#include "ai/unit_plan.h"
#include "rules/play_handshake.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "state/unit_type_record.h"

namespace {

bool canAct(const UnitRecord& unit)
{
    return unitInPlay(unit) && !unit.hasFlag(kUnitActed | kUnitAwaitingProduction);
}

bool isThirstyAircraft(const UnitRecord& unit)
{
    const int max_fuel = unit.maxFuel();
    return unit.type().domain <= 2 && max_fuel > 0 && unit.fuel * 2 < max_fuel;
}

} // namespace

ComputerTurn::ComputerTurn(GameState& state, int side, const std::atomic<BYTE>& stop)
    : m_state(state), m_side(side), m_stop(stop)
{
}

std::vector<int> ComputerTurn::actingOrder() const
{
    std::vector<int> first;
    std::vector<int> rest;
    const int count = int(m_state.unitCount(m_side));
    for (int i = 0; i < count; ++i) {
        const UnitRecord* unit = m_state.unitOf(m_side, i);
        if (!unit || !canAct(*unit))
            continue;
        (isThirstyAircraft(*unit) ? first : rest).push_back(i);
    }
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

int ComputerTurn::run()
{
    if (m_stop.load() != 0)
        return ThinkPlan::kStopped;
    m_state.startTurnProgress(m_side);
    if (m_side < kCountryCount)
        chooseTargetCountry(m_state, m_side);

    const std::vector<int> order = actingOrder();
    ThinkPlan plan(m_state, m_stop);
    return plan.sequence(int(order.size()), [&](int i) {
        // A decided game leaves the remaining units where they are.
        if (m_state.turnBlock().decided)
            return;
        UnitPlan(m_state, m_side, order[size_t(i)]).act();
        stepTurnProgress(m_state);
    });
}
