// The movement range the current action consults, and the source that builds one for a unit.
#pragma once

#include "state/hex_geometry.h"

#include <memory>
#include <vector>

class GameState;

// What the current action asks of a unit's movement range; the movement-range code implements it.
class ActionRange {
public:
    virtual ~ActionRange() = default;

    virtual void setCostLimit(int limit) = 0;
    virtual void setStart(int x, int y) = 0;
    virtual void compute() = 0;
    // Cost to reach the hex (second layer first where it has one within limit, -1 none); -1 unreachable.
    virtual int costAt(int x, int y, int limit) const = 0;
    // The route from the start, without the start hex; false and an empty list when there is none.
    virtual bool tracePath(int x, int y, std::vector<HexPos>& path, int limit) = 0;
    virtual bool isOutsideEnemyZoc(int x, int y) const = 0;
    // Marks 1 and 8 on the hexes whose cost lies in lo..hi, cleared everywhere else.
    virtual void markNormalRange(int lo, int hi) = 0;
    virtual void markExtendedRange(int lo, int hi) = 0;
    virtual void markInterceptedHexes() = 0;
    virtual void unmarkOccupiedHexes() = 0;
};

// Installed by the movement-range code. Without a source an action has no range: way-points are
// not taken and no range is marked.
class ActionRangeSource {
public:
    virtual ~ActionRangeSource() = default;
    // The range of unit (side, index) from its hex, second cost layer on; build_unit_flags 0 leaves
    // units, zones of control and interception zones out (the auto-move set-up).
    virtual std::unique_ptr<ActionRange> unitRange(GameState& state, int side, int index, bool build_unit_flags) = 0;
    // The range of missile index of the country's missile table from its hex, with its type's
    // movement type and domain and no units entered.
    virtual std::unique_ptr<ActionRange> missileRange(GameState& state, int country, int index) = 0;
    // A unit carried in the air that may only drop.
    virtual bool isAirborneInCarrier(const GameState& state, int side, int index) = 0;
};

void setActionRangeSource(ActionRangeSource* source);
ActionRangeSource* actionRangeSource();
