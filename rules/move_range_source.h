// The movement ranges the current action builds: a unit's and a missile's.
#pragma once

#include "rules/current_action_range.h"

class StackingChecks;

// Builds MoveRangeMaps for the current action. The airborne test belongs to the commands code,
// which derives from this and installs it with setActionRangeSource.
class MoveRangeSource : public ActionRangeSource {
public:
    // The checks are handed to every range built; null leaves friendly hexes closed to stopping.
    explicit MoveRangeSource(StackingChecks* checks = nullptr) : m_checks(checks) { }

    std::unique_ptr<ActionRange> unitRange(GameState& state, int side, int index, bool build_unit_flags) override;
    std::unique_ptr<ActionRange> missileRange(GameState& state, int country, int index) override;

private:
    StackingChecks* m_checks;
};
