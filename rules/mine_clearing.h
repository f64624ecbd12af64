// Mine clearing: the acting unit lifts land mines or sweeps sea mines on a hex.
#pragma once

class GameState;

// Kind 1 clears land mines, kind 2 sweeps sea mines at (x, y); a mine of the other kind stays. The
// unit tires (rule 11), gains experience and the attempt is recorded either way; a stored unit
// steps out of its building. False when nothing was removed or the order was malformed.
bool execClearMines(GameState& state, int x, int y, int kind);
