// The movement range as it was computed before it was bounded by the unit's reach: whole-map arrays
// built hex by hex and a flood that asks the game state for every neighbour and side. The range tests
// compare MoveRangeMap with it hex by hex.
#pragma once

#include "rules/move_range.h"

#include <cstdint>
#include <vector>

namespace testing_ai {

struct RangeSetUp {
    int side = 0;
    int index = 0;
    int limit = 0;
    bool unitFlags = true;
    bool secondLayer = false;
    bool minesImpassable = false;
    HexPos goal = kNoHex;
};

class ReferenceRange {
public:
    ReferenceRange(GameState& state, const RangeSetUp& setUp);

    int width = 0;
    int height = 0;
    int workingLimit = 0;
    std::vector<uint8_t> entryCosts;
    std::vector<uint32_t> flags;
    std::vector<uint8_t> exitDirs;
    std::vector<int32_t> costs[2];

private:
    void terrainCosts();
    void unitFlags();
    void sideUnits(int side, const UnitRecord* table, int count, bool missiles);
    void enemyZones(const UnitRecord& enemy);
    void knownMines();
    void flood(int layer);
    bool relax(int x, int y, int cost, int entering_side, int layer);
    size_t at(int x, int y) const { return size_t(y) * size_t(width) + size_t(x); }
    bool onMap(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    GameState& m_state;
    RangeSetUp m_setUp;
    int m_moveType = 0;
    int m_domain = 0;
    int m_targetClass = 0;
    int m_cap = 0;
    HexPos m_start;
};

} // namespace testing_ai
