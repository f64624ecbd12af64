// Occupation of a building by the acting unit.
#pragma once

class GameState;

// The acting unit occupies the building on its own hex: with occupation points (rule 5) each of its
// strength counters wears one point down, and the building changes hands at 0; on its own building
// it restores points instead. Nothing on a hex without a building.
void execOccupy(GameState& state);
