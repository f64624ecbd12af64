// RulesCommandScans: the rules' own range searches behind the attack, launch and road command checks.
#pragma once

#include "rules/command_scans.h"

class CurrentAction;

class RulesCommandScans : public CommandScans {
public:
    bool hasAttackTarget(GameState& state, int side, int index, int x, int y, bool moving) override;
    bool hasGroundAttackHex(GameState& state, int side, int index, int x, int y, int reach) override;
    bool hasLaunchReach(GameState& state, int side, int launched_type, int x, int y) override;
    // The acting unit's path so far and the back-trace in the action's range; false for any other unit.
    bool planRoute(GameState& state, int side, int index, int x, int y, std::vector<HexPos>& route) override;

    // The action whose range and way-points plan routes; null refuses every route.
    void setCurrentAction(CurrentAction* action) { m_action = action; }

private:
    CurrentAction* m_action = nullptr;
};

// Rule 46's ground-attack scan in full: every free hex the unit could fire on from (x, y) (moving
// picks the weapons usable after a move), not only the first. Empty with the rule off or no reach
// beyond 1. The map marks what it lists with its other targets.
int collectGroundAttackHexes(GameState& state, int side, int index, int x, int y, bool moving, std::vector<HexPos>& list);

// Installs the rules' single instance as the command scans; the game start and tests call it.
RulesCommandScans& installRulesCommandScans();
