// CommandScans: the range-based searches some command checks need, installed by the scan and route code.
#pragma once

#include "state/hex_geometry.h"

#include <vector>

class GameState;

// The attack and launch-reach scans flood movement ranges, and the road check needs a planned
// route; the code that owns those installs this. Without it the checks that need them refuse.
class CommandScans {
public:
    virtual ~CommandScans() = default;

    // A unit the unit may attack from (x, y); moving picks the weapons usable after a move.
    virtual bool hasAttackTarget(GameState& state, int side, int index, int x, int y, bool moving) = 0;
    // A free hex from distance 2 out to the reach for an indirect ground attack (rule 46).
    virtual bool hasGroundAttackHex(GameState& state, int side, int index, int x, int y, int reach) = 0;
    // A hex the launched unit type reaches from (x, y), at distance 2 or more.
    virtual bool hasLaunchReach(GameState& state, int side, int launched_type, int x, int y) = 0;
    // The planned route of the unit to (x, y) without its own hex; false when there is none.
    virtual bool planRoute(GameState& state, int side, int index, int x, int y, std::vector<HexPos>& route) = 0;
};

void setCommandScans(CommandScans* scans);
