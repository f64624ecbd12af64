// Scans over the map's works: hexes to bomb, temporary structures, and road work sites.
#pragma once

#include "rules/hex_scan.h"

#include <vector>

class ReachMap;

// Hexes within the unit's longest weapon reach of (x, y), the hex included, holding something the
// country may bomb or destroy; nothing for a unit without a reach of 1 or more.
class BombTargetHexScan : public HexScan {
public:
    BombTargetHexScan(GameState& state, int country, int index, int x, int y, bool restricted_only);

    void run();

protected:
    void begin() override { clearHits(); }
    void visit(int x, int y) override;

private:
    int m_country;
    int m_index;
    int m_x;
    int m_y;
    bool m_restrictedOnly;
};

enum class StructureLinks { Any, Connected };

// Listed structure hexes (terrain 53) whose durability is at most the limit, most built first:
// key = durability, extra = 1 when an enemy land unit stands on it. Connected takes only those
// with an open side towards a road, a structure or a building.
class StructureHexScan : public HexScan {
public:
    StructureHexScan(GameState& state, int country, int durability_limit, StructureLinks links);

protected:
    void begin() override { clearHits(); }
    void visit(int x, int y) override;
    void finish() override { sortDescending(); }

private:
    bool isConnected(int x, int y) const;

    int m_country;
    int m_limit;
    StructureLinks m_links;
};

// Road work sites: hexes reachable in the worker's range (cost within 10 of the cheapest site, the
// scan ending with the ring of its first find) holding a structure or a building with a side a road
// may still be laid across towards a neighbour that range B reaches within the value. The neighbour
// is the site's access hex, claimed in the scan's grid so no two sites share one. Key = cost,
// extra = the access hex's cost in B; the finish sorts by extra, nearest first.
class WorkSiteHexScan : public HexScan {
public:
    WorkSiteHexScan(GameState& state, const ReachMap& range, int value, const ReachMap& range_b);

    // Hits at the front sharing the first hit's extra.
    int countTopTies() const;

protected:
    void begin() override;
    void visit(int x, int y) override;
    void finish() override;

private:
    const ReachMap& m_range;
    int m_value;
    const ReachMap& m_rangeB;
    int m_best = 1000;
    int m_foundRing = -1;
    std::vector<uint8_t> m_claimed;
};
