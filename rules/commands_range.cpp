// Stacking checks for the movement range and the range source of the current action.
#include "rules/commands_range.h"

#include "rules/commands.h"
#include "rules/targets.h"
#include "state/game_state.h"

bool CommandStackingChecks::canBoardAt(int x, int y)
{
    CommandAsk ask;
    ask.side = m_side;
    ask.index = m_index;
    ask.x = x;
    ask.y = y;
    ask.moving = true;
    return commandTargetCheck(m_state, ask, kCommandBoard);
}

bool CommandStackingChecks::canStoreAt(int x, int y) { return canStoreInBuilding(m_state, m_side, m_index, x, y); }

CommandUnitRange::CommandUnitRange(GameState& state, int side, int index)
    : MoveRangeMap(state, side, index)
    , m_checks(state, side, index)
{
    setStackingChecks(&m_checks);
}

std::unique_ptr<ActionRange> CommandRangeSource::unitRange(GameState& state, int side, int index, bool build_unit_flags)
{
    if (!state.unitOf(side, index))
        return nullptr;
    auto range = std::make_unique<CommandUnitRange>(state, side, index);
    range->setSecondLayer(true);
    range->setBuildUnitFlags(build_unit_flags);
    return range;
}

bool CommandRangeSource::isAirborneInCarrier(const GameState& state, int side, int index)
{
    return ::isAirborneInCarrier(state, side, index);
}
