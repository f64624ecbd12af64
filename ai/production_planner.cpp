// The stand-in production planner: the country buys nothing and ends its production phase.
#include "ai/production_planner.h"

#include "state/game_state.h"

ProductionPlanner::ProductionPlanner(GameState& state, int country) : m_state(state), m_country(country) { }

int ProductionPlanner::run()
{
    // Nothing is bought: the funds stay for a later turn.
    return 0;
}
