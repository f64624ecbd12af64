// A country's surrender.
#pragma once

class GameState;

// The side gives up: its capital falls to an unowned large city with what it holds (a side that
// started without one is counted as having lost it), the end of the game is checked, the game is
// decided when one camp is left, and the windows are refreshed.
void surrenderSide(GameState& state, int side);
