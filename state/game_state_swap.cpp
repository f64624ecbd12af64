// GameState::swapGame: the game loaded traded with another state's, so a new game can be set up
// in fresh storage while the one it may replace waits untouched.
#include "state/action_history.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include <utility>

void GameState::swapGame(GameState& other)
{
    std::swap(static_cast<GameData&>(*this), static_cast<GameData&>(other));
    m_unitTouches.touchAll();
    other.m_unitTouches.touchAll();
}
