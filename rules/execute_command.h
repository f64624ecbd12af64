// Carrying out a unit's order: the hex-by-hex walk and the hand-over to the post-move step.
#pragma once

#include "state/hex_geometry.h"

#include <vector>

class GameState;

// The current unit of the current action carries out command code (0..26) at dest after walking
// path (the hexes after its own, empty for no move). target and extra are the command's values:
// mostly a hex packed x | y << 16, for destroy (5) the target's x and y, for boarding (12) the
// carrier's side and index, for supply (18) mode 1 and the supplier's hex packed in extra.
void executeCommand(GameState& state, const std::vector<HexPos>& path, int dest_x, int dest_y, int code, int target,
    int extra);
