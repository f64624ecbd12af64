// Disbanding: a unit is dissolved, with its cargo, and counted as lost.
#pragma once

class GameState;

// Takes the unit out of its building, its carrier's berth and its hex, then destroys it.
void disbandUnit(GameState& state, int side, int index);
// The acting unit disbands: recorded in the history, then disbandUnit. False without an acting unit.
bool execDisband(GameState& state);
