// The movement ranges the current action builds.
#include "rules/move_range_source.h"

#include "rules/move_range.h"
#include "state/game_state.h"

std::unique_ptr<ActionRange> MoveRangeSource::unitRange(GameState& state, int side, int index, bool build_unit_flags)
{
    if (!state.unitOf(side, index))
        return nullptr;
    auto range = std::make_unique<MoveRangeMap>(state, side, index);
    range->setSecondLayer(true);
    range->setBuildUnitFlags(build_unit_flags);
    range->setStackingChecks(m_checks);
    return range;
}

std::unique_ptr<ActionRange> MoveRangeSource::missileRange(GameState& state, int country, int index)
{
    const UnitRecord* missile = state.unitOf(100 + country, index);
    if (!missile)
        return nullptr;
    const UnitTypeRecord& type = missile->type();
    auto range = std::make_unique<MoveRangeMap>(state);
    range->initFromValues(country, missile->x, missile->y, type.movementType, type.domain);
    return range;
}
