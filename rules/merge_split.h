// Merge and split executors: counters passed between two units of a side, and a part moved off.
#pragma once

class GameState;

// What the post-move step passes on: the overrun flag (the move cost more than the allowance) and
// the fuel burned so far, which together decide the entry cost of the target hex.
struct MoveFuel {
    int overrun = 0;
    int burned = 0;
};

// The acting unit gives counters to its side's unit on (x, y) until that one holds `total`. Only what
// both units can hold moves: at most the giver's counters and the members the receiver's type
// still lacks. False, with the failure recorded, when nothing can move or there is no partner.
bool execMerge(GameState& state, int x, int y, int total, const MoveFuel& fuel);

// The acting unit's first `counters` counters become a new unit on (x, y), which then meets the
// hazards of that hex (mine, interceptors, a pending ambush). Answers the new unit's index, or -1
// when none was made (nothing left behind, the hex taken, no free record or troop number) or it did
// not survive.
int execSplit(GameState& state, int x, int y, int counters, const MoveFuel& fuel);
