// Scans that rate hexes by their movement distance from a capital: the computer player's choice of
// quiet, spread-out, homeward, building and approach hexes.
#pragma once

#include "rules/unit_hex_scan.h"
#include "state/hex_geometry.h"

#include <cstdint>
#include <vector>

// Reachable hexes free for the unit's domain that the target country sees nothing of within the
// type's widest range. Nearest the target's capital first.
class UncontestedHexScan : public UnitHexScan {
public:
    using UnitHexScan::UnitHexScan;

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }
};

// Reachable hexes free for the unit's domain with no allied unit of the same class within the
// spacing radius. Nearest the target's capital first.
class SpreadOutHexScan : public UnitHexScan {
public:
    SpreadOutHexScan(GameState& state, int side, int index, const ReachMap& range, int spacing, int allowance = -1);

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }

private:
    int m_spacing;
};

// The reachable hexes nearest the country's capital for the movement type; the finish draws one
// of them as the result.
class ClosestToHomeHexScan : public HexScan {
public:
    ClosestToHomeHexScan(GameState& state, int country, int move_type, const ReachMap& range);

    // (-1, -1) when no reachable hex has a distance.
    HexPos result() const { return m_result; }

protected:
    void begin() override;
    void visit(int x, int y) override;
    void finish() override;

private:
    int m_country;
    int m_moveType;
    const ReachMap& m_range;
    int m_best = -1;
    HexPos m_result;
};

// Owner relations of a building, as the unit's side sees it.
enum BuildingRelation : unsigned {
    kBuildingUnowned = 1,
    kBuildingAllied = 2,
    kBuildingOwn = 4,
    kBuildingHostile = 8,
};

// Reachable building hexes whose owner relation is selected; farthest from the target's capital
// first, extra = building index + 1.
class BuildingHexScan : public UnitHexScan {
public:
    BuildingHexScan(GameState& state, int side, int index, const ReachMap& range, unsigned relations, int allowance = -1);

    void selectUnownedAndHostile() { m_relations = kBuildingUnowned | kBuildingHostile; }

protected:
    void visit(int x, int y) override;
    void finish() override { sortDescending(); }

private:
    unsigned m_relations;
};

// The distance from the side's home hex as a sort key; a hex it does not reach sorts last.
uint32_t distanceKey(GameState& state, int side, int move_type, int x, int y, bool nearest_first);

// Hexes within the reach of a hostile unit the side can see, against the unit's target class.
std::vector<uint8_t> buildThreatGrid(GameState& state, int side, int target_class);

// Safe reachable hexes around a building: not next to an enemy nor a hostile building, outside
// interception zones and, for air units, outside the threat grid. Best first: nearest the target's
// capital, and a hex nearer than the building itself by its terrain defence.
class BuildingAreaHexScan : public UnitHexScan {
public:
    BuildingAreaHexScan(GameState& state, int side, int index, const ReachMap& range, int allowance = -1);

    // Scans radius 5 around an own building, 3 around another; the avoid hex is never a hit.
    void run(int building, int avoid_x, int avoid_y);

protected:
    void visit(int x, int y) override;
    void finish() override { sortDescending(); }

private:
    std::vector<uint8_t> m_threat;
    HexPos m_avoid;
    int m_centreDistance = -1;
};

// Reachable hexes that close in on the target's capital: each hit is at least as near as every
// earlier one, not next to an enemy or in its zone, and outside the threat grid. Nearest first.
class ApproachHexScan : public UnitHexScan {
public:
    ApproachHexScan(GameState& state, int side, int index, const ReachMap& range, int allowance = -1);

protected:
    void begin() override { m_best = -1; }
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }

private:
    std::vector<uint8_t> m_threat;
    int m_best = -1;
};
