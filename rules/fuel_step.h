// Aircraft aloft and the end-of-turn fuel burn.
#pragma once

class GameState;

// An air unit at (x, y) that is not grounded on a refuelling building (rule 6 off), a VTOL
// landing hex or a heliport.
bool isAirUnitAloft(const GameState& state, int country, int index, int x, int y);
// At the end of the side's turn: idle aircraft aloft burn half their model's fuel allowance (a
// quarter with rule 0) and crash when that is not less than their fuel; then the side's units and
// missiles may act again, and pending end-of-game checks run.
void fuelStep(GameState& state, int side);
