// The acting unit of the engineering executors and its experience gain.
#include "rules/engineering_steps.h"

#include "rules/play_handshake.h"
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

bool gainExperience(GameState& state, const ActingUnit& actor, void (UnitRecord::*gain)(), RankNotice notice)
{
    UnitRecord& unit = *actor.unit;
    const int before = unit.experience;
    (unit.*gain)();
    if (experienceLevelFor(before) == experienceLevel(unit))
        return false;
    if (notice == RankNotice::Announce)
        announceRankChange(state, actor.side, actor.index, unit.x, unit.y, before, unit.experience, ReportWait::No);
    return true;
}
