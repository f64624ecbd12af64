// Unit-centred scans for the computer player: buildings to capture, places to replenish or rearm,
// and hexes where the unit may act on the terrain.
#pragma once

#include "rules/unit_hex_scan.h"

enum class CaptureTargets { Unowned, Hostile, Both };

// Reachable building hexes, unowned or owned by an enemy by the targets chosen; cheapest first.
class CaptureHexScan : public UnitHexScan {
public:
    CaptureHexScan(GameState& state, int side, int index, const ReachMap& range, CaptureTargets targets, int allowance = -1);

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }

private:
    CaptureTargets m_targets;
};

// Reachable building hexes whose building may replenish the unit; with rule 6 the building must
// take the unit in, else the hex must be free. Cheapest first.
class ReplenishPointHexScan : public UnitHexScan {
public:
    using UnitHexScan::UnitHexScan;

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }
};

// Reachable building hexes of type 41 or that may rearm the unit's group. Cheapest first.
class AmmoPointHexScan : public UnitHexScan {
public:
    using UnitHexScan::UnitHexScan;

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }
};

// Reachable hexes where the unit may act on the terrain. Cheapest first.
class ActionTerrainHexScan : public UnitHexScan {
public:
    using UnitHexScan::UnitHexScan;

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }
};
