// RulesContext: the rules engine's objects for one game, kept by the game state.
#pragma once

#include "rules/carry_over.h"
#include "rules/combat_pair.h"
#include "rules/current_action.h"
#include "rules/home_distance.h"
#include "rules/move_display_path.h"
#include "rules/rules_install.h"
#include "rules/sight_tracker.h"
#include "state/game_state.h"
#include "state/hex_geometry.h"

#include <vector>

class RulesContext : public GameStateExtension {
public:
    explicit RulesContext(GameState& state) : action(state), installation(state), m_state(state) { state.setCombatPair(&combat); }
    ~RulesContext() override
    {
        if (m_state.combatPair() == &combat)
            m_state.setCombatPair(nullptr);
    }

    CurrentAction action;
    // A route fixed in advance (the automatic moves); when not empty it overrides route tracing.
    std::vector<HexPos> fixedRoute;
    CombatPair combat {};
    // Bit c: a misfire destroyed a unit of country c.
    uint8_t friendlyFireMask = 0;
    CarryOverDeployment deployment;
    ComputerApproach approach;
    RulesInstallation installation;
    // Each side's sight as last laid, to lay again only where it changed.
    SightTracker sight;
    DistanceGridSources distanceSources;

private:
    GameState& m_state;
};

// Made on first use and deleted with the state.
RulesContext& rulesContext(GameState& state);
inline CurrentAction& currentAction(GameState& state) { return rulesContext(state).action; }
