// Scans that build and own the movement range they read.
#pragma once

#include "rules/hex_scan.h"

#include <memory>

class MoveRangeMap;
struct WeaponRecord;

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
    // The hex's cost within the allowance, else -1.
    int reachedCost(int x, int y) const;
    int country() const { return m_country; }
    int typeId() const { return m_typeId; }

private:
    std::unique_ptr<MoveRangeMap> m_range;
    int m_country;
    int m_typeId;
    int m_x;
    int m_y;
    int m_allowance = 0;
    bool m_sorted;
};

// Where a missile of the type could strike at least four visible enemy land units that its first
// weapon can hit, on the hex or around it; key = that count. With the missile-phase rule only units
// within 2 hexes of their turn-start hex count; with rule 30 a weapon of flag 4 spares hexes beside
// the country's own units.
class MissileTargetHexScan : public ReachHexScan {
public:
    MissileTargetHexScan(GameState& state, int country, int type_id, int x, int y);

protected:
    void visit(int x, int y) override;

private:
    // -1 when the hex is spared for the country's own units.
    int countTargetsAround(int x, int y) const;

    const WeaponRecord* m_weapon = nullptr;
};
