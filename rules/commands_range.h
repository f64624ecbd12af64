// The commands' side of the movement range: which friendly hexes a mover may stop on, and the
// range source the current action uses.
#pragma once

#include "rules/move_range.h"
#include "rules/move_range_source.h"

// A mover may stop on a friendly hex when it may board a unit there or be stored in its building.
class CommandStackingChecks : public StackingChecks {
public:
    CommandStackingChecks(GameState& state, int side, int index) : m_state(state), m_side(side), m_index(index) { }

    bool canBoardAt(int x, int y) override;
    bool canStoreAt(int x, int y) override;

private:
    GameState& m_state;
    int m_side;
    int m_index;
};

// A unit's range that carries the stacking checks of its own mover.
class CommandUnitRange : public MoveRangeMap {
public:
    CommandUnitRange(GameState& state, int side, int index);

private:
    CommandStackingChecks m_checks;
};

// The source to install with setActionRangeSource: unit ranges with their stacking checks, and the
// airborne test of the commands.
class CommandRangeSource : public MoveRangeSource {
public:
    std::unique_ptr<ActionRange> unitRange(GameState& state, int side, int index, bool build_unit_flags) override;
    bool isAirborneInCarrier(const GameState& state, int side, int index) override;
};
