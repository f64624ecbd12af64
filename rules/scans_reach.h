// Scans over a movement range: the hexes it reaches, nearest, cheapest or at random.
#pragma once

#include "rules/hex_scan.h"
#include "state/hex_geometry.h"

class ReachMap;

// Reachable hexes with cost ≤ limit that are free for the range's domain, in the nearest ring
// that has one; cheapest first.
class PlaceableHexScan : public HexScan {
public:
    PlaceableHexScan(GameState& state, const ReachMap& range, int cost_limit);

protected:
    void begin() override;
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }

private:
    const ReachMap& m_range;
    int m_limit;
    int m_hitRing = -1;
};

enum class BestCost { Lowest, Highest };

// Keeps the one reachable hex of the lowest (or highest) cost; the first found wins ties.
class BestHexScan : public HexScan {
public:
    BestHexScan(GameState& state, const ReachMap& range, BestCost mode);

    // kNoHex when nothing was reached.
    HexPos result() const { return m_result; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    const ReachMap& m_range;
    BestCost m_mode;
    int m_best = 0;
    HexPos m_result;
};

// Keeps the hex reachable in B with the lowest cost in A, ties by lower cost in B; the scan ends
// after the ring of the best find.
class TwoMapBestHexScan : public HexScan {
public:
    TwoMapBestHexScan(GameState& state, const ReachMap& a, const ReachMap& b);

    HexPos result() const { return m_result; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    const ReachMap& m_a;
    const ReachMap& m_b;
    int m_bestA = 0;
    int m_bestB = 0;
    int m_foundRing = -1;
    HexPos m_result;
};

// Reachable hexes with cost ≤ limit, cheapest first.
class ReachWithinCostHexScan : public HexScan {
public:
    ReachWithinCostHexScan(GameState& state, const ReachMap& range, int cost_limit);

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }

private:
    const ReachMap& m_range;
    int m_limit;
};

// Reachable hexes below the limit where airborne troops may be dropped, shuffled from the game's pool.
class DropHexScan : public HexScan {
public:
    DropHexScan(GameState& state, const ReachMap& range, int cost_limit);

protected:
    void visit(int x, int y) override;
    void finish() override;

private:
    const ReachMap& m_range;
    int m_limit;
};
