// Aircraft aloft and the end-of-turn fuel burn.
#pragma once

class GameState;

// An air unit not grounded on a refuelling building (rule 6 off), a VTOL pad or a heliport.
bool isAirUnitAloft(const GameState& state, int country, int index, int x, int y);
// End of the side's turn: idle aircraft aloft burn fuel or crash; then its units may act again.
void fuelStep(GameState& state, int side);
