// Aircraft aloft and the end-of-turn fuel burn.
#pragma once

class GameState;

// An air unit at (x, y) that is not grounded on a refuelling building (rule 6 off), a VTOL
// landing hex or a heliport.
bool isAirUnitAloft(const GameState& state, int country, int index, int x, int y);
