// The computer player's moves: a destination turned into the path the unit can walk this turn.
#pragma once

#include "state/hex_geometry.h"

#include <functional>

class GameState;

// How an automatic move approaches its goal; the computer player sets it before moving a unit.
enum class Approach { None = 0, AvoidEnemy = 1, StopShort = 2, ServiceFriend = 3, TargetTest = 4 };

struct ComputerApproach {
    Approach mode = Approach::None;
    // The goal of StopShort; kNoHex for none.
    HexPos target;
    // The computer player's own test of a candidate end hex for TargetTest.
    std::function<bool(GameState&, int x, int y)> targetTest;
};

// Cuts the path of the current action's range to (dest_x, dest_y) to the unit's move points and
// the approach mode, prepares the engagement of an attack and carries the command out. A command
// whose cut path falls short of the destination becomes a plain move; an empty path ends on the
// unit's own hex.
void moveAlongPath(GameState& state, int dest_x, int dest_y, int code, int target, int extra);

// Readies the engagement of an attack by (side, index) from dest on the target hex: the defender is
// the first unit there that is not the attacker's friend, else the hex itself; slot -1 leaves the
// weapon to the rules.
void prepareAttack(GameState& state, int side, int index, HexPos dest, HexPos target, bool moved, int slot);
