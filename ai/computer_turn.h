// ComputerTurn: one side's action phase played by the computer.
#pragma once

#include "platform/kernel/windef.h"

#include <atomic>
#include <vector>

class GameState;

// Results of run: 0 the turn is done; 1..4 it was interrupted (1 a stop, 4 a change of players)
// and the phase runs again from the start.
class ComputerTurn {
public:
    // Side 0..8; the stop flag is the game thread's, polled between units.
    ComputerTurn(GameState& state, int side, const std::atomic<BYTE>& stop);

    int run();

    // The order units act in: aircraft short of fuel first, then the rest, each by index.
    std::vector<int> actingOrder() const;

private:
    GameState& m_state;
    int m_side;
    const std::atomic<BYTE>& m_stop;
};
