// Scans that build and own the movement range they read.
#pragma once

#include "rules/hex_scan.h"

#include <memory>

class MoveRangeMap;

// The hexes a unit type could reach from (x, y) with its movement type and allowance, no units
// entered; key = cost, sorted ascending when asked.
class ReachHexScan : public HexScan {
public:
    ReachHexScan(GameState& state, int country, int type_id, int x, int y, bool sorted);
    ~ReachHexScan() override;

    // Hexes nearer than this are walked but not kept (a launch needs distance 2).
    void setMinimumDistance(int distance) { setMinimumRadius(distance); }
    // Scans the stored centre again with the allowance as radius.
    void rescan();
    const MoveRangeMap& range() const { return *m_range; }
    int allowance() const { return m_allowance; }

protected:
    void begin() override { clearHits(); }
    void visit(int x, int y) override;
    void finish() override;

private:
    std::unique_ptr<MoveRangeMap> m_range;
    int m_x;
    int m_y;
    int m_allowance = 0;
    bool m_sorted;
};
