// Scans for hexes where a unit may act on the terrain, over one or two movement ranges.
#pragma once

#include "rules/hex_scan.h"
#include "state/hex_geometry.h"

class ReachMap;
struct HexBitLayer;

// Keeps the hex of the nearest ring, then the lowest cost in A, that both ranges reach and where
// the unit may act on the terrain; the scan ends after that ring.
class SharedReachHexScan : public HexScan {
public:
    SharedReachHexScan(GameState& state, int country, int index, const ReachMap& a, const ReachMap& b);

    HexPos result() const { return m_result; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    int m_country;
    int m_index;
    const ReachMap& m_a;
    const ReachMap& m_b;
    int m_bestCost = 0;
    int m_foundRing = -1;
    HexPos m_result;
};

// Reachable hexes inside the area layer where the unit may act on the terrain, keyed by cost; it
// walks on while it has found nothing and never past the ring of its first find.
class AreaActionHexScan : public HexScan {
public:
    AreaActionHexScan(GameState& state, int country, int index, const ReachMap& range, const HexBitLayer& area);

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    int m_country;
    int m_index;
    const ReachMap& m_range;
    const HexBitLayer& m_area;
    int m_foundRing = -1;
};
