// The acting unit of the engineering executors and its experience gain.
#include "rules/engineering_steps.h"

#include "rules/rules_context.h"
#include "state/unit_facts.h"

ActingUnit actingUnit(GameState& state)
{
    const CurrentAction& action = currentAction(state);
    ActingUnit actor { action.actingCountry(), action.actingIndex(), nullptr };
    if (actor.side < kSideCount) {
        UnitRecord* unit = state.unitOf(actor.side, actor.index);
        if (unit && unitInPlay(*unit))
            actor.unit = unit;
    }
    return actor;
}

bool gainExperience(GameState& state, const ActingUnit& actor, void (UnitRecord::*gain)())
{
    (void)state;
    const int before = actor.unit->experience;
    (actor.unit->*gain)();
    return experienceLevelFor(before) != experienceLevel(*actor.unit);
}
