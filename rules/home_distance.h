// Home hexes of the sides and the cached movement costs from them.
#pragma once

#include "state/hex_geometry.h"

class GameState;

// A country's capital position ((-1, -1) while it has none); for the neutral side the map centre.
HexPos sideHomeHex(GameState& state, int side);
// The capital position when a headquarters building (type 31) of the side stands there, else (-1, -1).
HexPos hqHex(GameState& state, int side);

// The movement cost from the side's home hex to (x, y) for the movement type, from a grid made on
// first use; -1 when the hex is not reached, the arguments name no grid or it could not be made.
int distanceFromHome(GameState& state, int side, int move_type, int x, int y);
// At start of play: frees the grids of the sides whose home hex moved, then marks every side current.
void dropStaleDistanceGrids(GameState& state);
