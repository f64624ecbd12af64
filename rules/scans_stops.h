// Scans for where a unit may end its move: the nearest free, cheapest, safe or random stop.
#pragma once

#include "rules/hex_scan.h"
#include "state/hex_geometry.h"

#include <functional>

class ReachMap;
struct HexBitLayer;

// Hexes whose layer bit is clear in the area layer never count. A landing place (ReachMap) is never
// a stop for these scans: the unit could not stand there on its own.

// Keeps the reachable hex of the nearest ring with a find, the cheapest of that ring, that is no
// landing place, passes the terrain test and has no unit of the country of the spacing kind
// (aiRoleGroup) within the spacing radius.
class NearestFreeHexScan : public HexScan {
public:
    using TerrainTest = std::function<bool(int x, int y)>;

    NearestFreeHexScan(GameState& state, int country, const ReachMap& range);

    void setTerrainTest(TerrainTest test) { m_terrainTest = std::move(test); }
    // Kind -1 turns the spacing off; the unit of the ignored index (the mover) never counts.
    void setSpacing(int kind, int radius, int ignored_index = -1);
    HexPos result() const { return m_result; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    bool hasKindWithin(int x, int y) const;

    int m_country;
    const ReachMap& m_range;
    TerrainTest m_terrainTest;
    int m_kind = -1;
    int m_radius = 0;
    int m_ignoredIndex = -1;
    int m_bestCost = 0;
    int m_foundRing = -1;
    HexPos m_result;
};

enum BestCostOptions : unsigned {
    kBestCostAny = 0,
    kBestCostNotNextToEnemy = 1,
    // Reads the second cost layer and passes over interception zones.
    kBestCostSecondLayer = 2,
};

// Keeps the reachable hex of the nearest ring with a find, the cheapest of that ring within the
// limit, inside the area layer (none: every hex) and no landing place.
class BestCostHexScan : public HexScan {
public:
    BestCostHexScan(GameState& state, const ReachMap& range, const HexBitLayer* area, int cost_limit, unsigned options);

    HexPos result() const { return m_result; }
    int resultCost() const { return m_result.valid() ? m_bestCost : -1; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    const ReachMap& m_range;
    const HexBitLayer* m_area;
    int m_limit;
    unsigned m_options;
    int m_bestCost = 0;
    int m_foundRing = -1;
    HexPos m_result;
};

enum class NearestMatch { OwnTerritory, EnemyTerritory };

// Keeps the nearest hex of the country's own territory, or of an enemy's (the hex owner byte); the
// first in ring order wins ties.
class NearestHexScan : public HexScan {
public:
    NearestHexScan(GameState& state, int country, NearestMatch match);

    HexPos result() const { return m_result; }
    // 10000 when nothing matched.
    int distance() const { return m_distance; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    int m_country;
    NearestMatch m_match;
    int m_distance = 10000;
    HexPos m_result;
};

// Keeps the reachable hex nearest the centre where the unit may stop (its terrain check passes and
// no other unit holds its domain's slot) and that is no landing place; ties by lower cost.
class NearestStopHexScan : public HexScan {
public:
    NearestStopHexScan(GameState& state, int country, int index, const ReachMap& range);

    HexPos result() const { return m_result; }

protected:
    void begin() override;
    void visit(int x, int y) override;

private:
    int m_country;
    int m_index;
    const ReachMap& m_range;
    int m_bestCost = 0;
    int m_foundRing = -1;
    HexPos m_result;
};

// Reachable hexes that are no landing places; the finish draws one of them as the result.
class RandomReachHexScan : public HexScan {
public:
    RandomReachHexScan(GameState& state, const ReachMap& range);

    HexPos result() const { return m_result; }

protected:
    void begin() override;
    void visit(int x, int y) override;
    void finish() override;

private:
    const ReachMap& m_range;
    HexPos m_result;
};

// Safe stops beyond the unit's own hex: reachable, with a second-layer cost, not next to an enemy,
// no landing place and no interception zone. The list keeps the first such hex in ring order and
// then each later one that beats it (lower second-layer cost, on a tie lower distance from the
// country's capital for the movement type); it stays unsorted. Key = cost, extra = distance
// (unreached: 0xFFFFFFFF).
class SafeStopHexScan : public HexScan {
public:
    SafeStopHexScan(GameState& state, int country, int move_type, const ReachMap& range);

protected:
    void begin() override { clearHits(); }
    void visit(int x, int y) override;

private:
    int m_country;
    int m_moveType;
    const ReachMap& m_range;
};
