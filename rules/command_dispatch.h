// The executor of each command code, before a move or at its end.
#pragma once

#include "state/hex_geometry.h"

class GameState;

// One command's values as the post-move step hands them to an executor.
struct CommandRun {
    int code = 0;
    int target = 0;
    int extra = -1;
    HexPos dest;
    // The move cost more than the allowance: merge and split pay double for the last hex.
    int overrun = 0;
    int burnedFuel = 0;
    bool fuelChanged = false;
    // Set by the split: the index of the unit it made; -1 for none.
    int splitOff = -1;
};

// Codes carried out where the unit stands with no walk at all: disband, supply, transform, and
// missile fire and weapon exchange with an empty path. False when the code is none of them.
bool isInPlaceCommand(int code, bool path_empty);
void runInPlaceExecutor(GameState& state, int code, int target, int extra);

// The executor after the move. False when the code has none (yet): the command did not act.
bool runExecutorAfterMove(GameState& state, CommandRun& run);
