// ReachMap: what the scans read of a flooded movement range.
#pragma once

// The movement range implements it; the scans take it as a read-only view, so a scan can be
// run over any cost grid.
class ReachMap {
public:
    virtual ~ReachMap() = default;

    // The cheapest cost to the hex, the second layer's when it holds one within the limit
    // (-1 no limit); -1 when the hex is not reached.
    virtual int costAt(int x, int y, int limit) const = 0;
    virtual int secondLayerCostAt(int x, int y) const = 0;
    // The movement points the range was flooded with.
    virtual int costLimit() const = 0;
    // 0..2 air layers, 3 land, 4 and 5 sea.
    virtual int domain() const = 0;
    virtual bool isNextToEnemy(int x, int y) const = 0;
    virtual bool isInterceptZone(int x, int y) const = 0;
    // A reached hex the mover could end on only by boarding or being stored: a friendly unit of
    // its stacking class stands there. The start hex never is one.
    virtual bool isLandingPlace(int x, int y) const = 0;
};

// The hex's cost when it is reached within the allowance, else -1.
inline int reachCost(const ReachMap& range, int x, int y, int allowance)
{
    const int cost = range.costAt(x, y, -1);
    return cost >= 0 && cost <= allowance ? cost : -1;
}
