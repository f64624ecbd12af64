// ComputerTurn: one side's action phase played by the computer.
#pragma once

#include "platform/kernel/windef.h"

#include <atomic>

class GameState;

// Results of run: 0 the turn is done; 1..4 it was interrupted and runs again from the start.
class ComputerTurn {
public:
    // Side 0..8; the stop flag is the game thread's, polled between units.
    ComputerTurn(GameState& state, int side, const std::atomic<BYTE>& stop);

    int run();

private:
    GameState& m_state;
    int m_side;
    const std::atomic<BYTE>& m_stop;
};
