// The stand-in computer turn: the side gives no orders and ends its action phase.
#include "ai/computer_turn.h"

#include "state/game_state.h"

namespace {

constexpr int kStopped = 1;

} // namespace

ComputerTurn::ComputerTurn(GameState& state, int side, const std::atomic<BYTE>& stop)
    : m_state(state), m_side(side), m_stop(stop)
{
}

int ComputerTurn::run()
{
    if (m_stop.load() != 0)
        return kStopped;
    // No unit is moved; the progress window still learns that the side's turn was played.
    m_state.startTurnProgress(m_side);
    return 0;
}
