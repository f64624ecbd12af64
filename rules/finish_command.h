// The post-move step of a command: leaving carriers, the ambush, fuel, the executor and losses.
#pragma once

#include "state/hex_geometry.h"

class GameState;

// The current unit stands on the hex where its walk ended. path_cost is the summed entry cost
// of the walked hexes, or -1 to read it from the current movement range.
void finishCommand(GameState& state, HexPos start, HexPos dest, int code, int target, int extra, int path_cost);

// Attack (1) by the current unit: the engagement its caller prepared, after the weapon choice a
// person may be asked for. False when the person dropped the attack.
bool executeAttack(GameState& state, bool fuel_changed);
// Self-destruct attack (22) of the current unit at dest on the target hex.
void executeSelfDestruct(GameState& state, HexPos dest, HexPos target, bool fuel_changed);
