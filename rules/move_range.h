// MoveRangeMap: what every hex costs one mover to reach, where it may stop and the way back.
#pragma once

#include "rules/current_action_range.h"
#include "rules/move_range_buffers.h"
#include "rules/reach_map.h"
#include "state/hex_geometry.h"

#include <cstdint>
#include <vector>

class GameState;
struct HexBitLayer;
struct UnitRecord;

// Per-hex flag bits of the range.
enum MoveRangeFlags : uint32_t {
    kRangeEnemyClass = 0x00000001, // << stacking class
    kRangeOwnClass = 0x00000040,
    kRangeAlliedClass = 0x00001000,
    kRangeKnownMine = 0x00800000,
    kRangeStart = 0x01000000,
    kRangeEnemy = 0x02000000,
    kRangeOwn = 0x04000000,
    kRangeAllied = 0x08000000,
    kRangeEnemyZoc = 0x10000000,
    kRangeNextToEnemy = 0x20000000,
    kRangeInterceptZone = 0x40000000,
    kRangeReachable = 0x80000000,
};

// Whether the mover may share a hex with a friendly unit there; the commands code answers.
class StackingChecks {
public:
    virtual ~StackingChecks() = default;
    // Board a carrier at the hex.
    virtual bool canBoardAt(int x, int y) = 0;
    // Be stored in the building at the hex.
    virtual bool canStoreAt(int x, int y) = 0;
};

class UnitPlaces;

class MoveRangeMap : public ReachMap, public ActionRange {
public:
    MoveRangeMap(GameState& state);
    // A unit's range from its hex: side, type facts and start come from the unit.
    MoveRangeMap(GameState& state, int side, int index);
    ~MoveRangeMap() override { release(); }
    MoveRangeMap(const MoveRangeMap&) = delete;
    MoveRangeMap& operator=(const MoveRangeMap&) = delete;

    // A range without a unit: domain and target class both take the domain.
    void initFromValues(int side, int x, int y, int move_type, int domain);
    void reset();
    // Builds the per-hex arrays and floods layer 0 (and layer 1 when asked for).
    void compute() override;
    void release();

    // -- set-up, before compute --
    void setCostLimit(int limit) override { m_costLimit = limit; }
    void setStart(int x, int y) override { m_startX = x, m_startY = y; }
    void setBuildUnitFlags(bool on) { m_buildUnitFlags = on; }
    void setIgnoreUnitsAtGoal(bool on) { m_ignoreUnitsAtGoal = on; }
    void setSecondLayer(bool on) { m_secondLayer = on; }
    void setMinesImpassable(bool on) { m_minesImpassable = on; }
    void setWaterOnly(bool on) { m_waterOnly = on; }
    // (-1, -1) for none.
    void setGoal(int x, int y) { m_goalX = x, m_goalY = y; }
    // Hexes whose bit is clear in the layer become impassable; null lifts the restriction.
    void setAreaRestriction(const HexBitLayer* known) { m_known = known; }
    void setStackingChecks(StackingChecks* checks) { m_checks = checks; }

    int side() const { return m_side; }
    int unitIndex() const { return m_unitIndex; }
    int costLimit() const override { return m_costLimit; }
    int workingLimit() const { return m_workingLimit; }
    int moveType() const { return m_moveType; }
    int domain() const override { return m_domain; }
    int targetClass() const { return m_targetClass; }
    int carryClass() const { return m_carryClass; }
    int interceptionCap() const { return m_interceptionCap; }
    int startX() const { return m_startX; }
    int startY() const { return m_startY; }
    // The mover's stacking class: its domain with stacking (rule 17) on, else 0.
    int stackingClass() const;

    // -- queries, after compute --
    int costAt(int x, int y, int limit) const override;
    int costAt2(int x, int y, int limit) const { return costAt(x, y, limit); }
    int secondLayerCostAt(int x, int y) const override { return costIn(x, y, 1); }
    // -1 off the map or for a layer not flooded.
    int costIn(int x, int y, int layer) const;
    void setCost(int x, int y, int layer, int cost);
    // Layer 0 into a width × height buffer; nothing when it was not flooded.
    void copyCosts(int32_t* buffer) const;
    bool pathTo(int x, int y, std::vector<HexPos>& path, int limit) { return tracePath(x, y, path, limit); }
    bool tracePath(int x, int y, std::vector<HexPos>& path, int limit) override;

    uint32_t flagsAt(int x, int y) const;
    int entryCost(int x, int y) const;
    bool isReachable(int x, int y) const { return (flagsAt(x, y) & kRangeReachable) != 0; }
    bool isNextToEnemy(int x, int y) const override { return (flagsAt(x, y) & (kRangeEnemyZoc | kRangeNextToEnemy)) != 0; }
    bool isOutsideEnemyZoc(int x, int y) const override { return (flagsAt(x, y) & kRangeEnemyZoc) == 0; }
    bool isKnownMineHex(int x, int y) const { return (flagsAt(x, y) & kRangeKnownMine) != 0; }
    bool isInterceptZone(int x, int y) const override { return (flagsAt(x, y) & kRangeInterceptZone) != 0; }
    // Read from the unit flags, so only a range built with them knows its landing places.
    bool isLandingPlace(int x, int y) const override;
    bool hasUnitOfClass(int x, int y, int stacking_class) const;
    // 0 off the map.
    uint8_t exitDirs(int x, int y) const;
    bool canCrossSide(int x, int y, int direction) const;

    // -- marks on the game's mark grid --
    void markRange(int lo, int hi, uint16_t mark);
    void markNormalRange(int lo, int hi) override;
    void markExtendedRange(int lo, int hi) override;
    void markInterceptedHexes() override;
    void unmarkOccupiedHexes() override;
    // Sets kRangeReachable where the mover may end its move; ignore_checks skips the stacking checks.
    void markReachable(bool ignore_checks);

private:
    // The hexes a range answers for itself: the box within its limit of the start (each entered hex
    // costs at least 1, so nothing further is reached), or the whole map.
    struct Window {
        int x = 0, y = 0, width = 0, height = 0;
    };

    // Fills the per-hex arrays of the window from the game: terrain, units, zones and mines.
    void buildHexData();
    // One pass over the window's cells: entry costs, closed sides, turn interceptions and known mines;
    // then the buildings' closures and exits.
    void buildTerrainCosts();
    void readTerrainCells();
    void buildExitDirections();
    void buildUnitFlags();
    // Interception reach by unit type, remembered over one build of the unit flags.
    struct TypeReaches;
    // A side's units with where they stand, or a missile table (no places) read whole.
    void addSideUnits(int side, const UnitRecord* table, int count, const UnitPlaces* places, TypeReaches& reaches);
    void addEnemyZones(const UnitRecord& enemy);
    void buildFloodTests();
    void flood(int layer);
    // Layer 0, then layer 1 when asked for.
    void floodLayers();
    bool mayShareHex(int x, int y, uint32_t flags, bool ignore_checks) const;
    bool onMap(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    bool inWindow(int x, int y) const
    {
        return unsigned(x - m_window.x) < unsigned(m_window.width) && unsigned(y - m_window.y) < unsigned(m_window.height);
    }
    // Index of a hex of the window.
    size_t at(int x, int y) const { return size_t(y - m_window.y) * size_t(m_window.width) + size_t(x - m_window.x); }
    // Whether a map hex's set-up data is at hand: a hex outside the window makes the range fill in the
    // rest of the map from the game as it stands, keeping what it has.
    bool covers(int x, int y) const;
    void coverWholeMap();

    GameState& m_state;
    int m_width = 0;
    int m_height = 0;
    int m_side = 0;
    int m_unitIndex = -1;
    int m_costLimit = 0;
    int m_moveType = 0;
    bool m_waterOnly = false;
    int m_carryClass = 0;
    int m_interceptionCap = 0;
    int m_domain = 0;
    int m_targetClass = 0;
    int m_startX = 0;
    int m_startY = 0;
    bool m_buildUnitFlags = false;
    bool m_ignoreUnitsAtGoal = true;
    bool m_secondLayer = false;
    bool m_minesImpassable = false;
    int m_goalX = -1;
    int m_goalY = -1;
    int m_workingLimit = 0;
    const HexBitLayer* m_known = nullptr;
    StackingChecks* m_checks = nullptr;
    // Where the start lay when the range was computed; a range whose start was off the map has
    // nothing to fill in.
    bool m_startOnMap = false;
    HexPos m_builtStart;
    HexPos m_builtGoal;
    Window m_window;
    // Whether any hex of the window closes a side from its own cell.
    bool m_anyClosed = false;
    // Whether any hex of the window is closed to the second layer alone.
    bool m_secondLayerDiffers = false;

    // Lent by the thread's pool from compute() to release().
    MoveRangeBuffers m_buf;
};
