// StateRulesHooks: the rules-engine checks that state's queries call; rules/ installs them.
#pragma once

class GameState;

class StateRulesHooks {
public:
    virtual ~StateRulesHooks() = default;

    // Whether the unit (side code, index) is seen by the country under fog of war.
    virtual bool isUnitVisibleTo(const GameState& state, int side, int index, int country) = 0;
    // The same for the unit standing at (x, y).
    virtual bool isHexVisibleTo(const GameState& state, int side, int index, int country, int x, int y) = 0;
    // Whether the unit of the current country may act now (the landing check with argument 0).
    virtual bool canUnitLand(const GameState& state, int side, int index, int arg) = 0;
};

// Owned by the caller. Without hooks every unit counts as visible and no unit as able to act.
void setStateRulesHooks(StateRulesHooks* hooks);
StateRulesHooks* stateRulesHooks();
