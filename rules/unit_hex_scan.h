// UnitHexScan: the common base of the scans centred on one unit and read against its movement range.
#pragma once

#include "rules/hex_scan.h"

#include <memory>

class MoveRangeMap;
class ReachMap;
struct UnitRecord;
struct UnitTypeRecord;

class UnitHexScan : public HexScan {
public:
    // Allowance -1 takes the unit's movement points. The range is the caller's and outlives the scan.
    UnitHexScan(GameState& state, int side, int index, const ReachMap& range, int allowance = -1);
    // Builds the unit's own range from its hex (or from the start given), units and zones entered,
    // and frees it with the scan. Allowance -1 takes the unit's movement points.
    UnitHexScan(GameState& state, int side, int index, int allowance = -1);
    UnitHexScan(GameState& state, int side, int index, int start_x, int start_y, int allowance);
    ~UnitHexScan() override;

    void scanAt(int x, int y, int radius) { scan(x, y, radius); }
    // Around the unit's hex, the allowance as radius; nothing for a unit that does not exist.
    void scanFromUnit();

    int unitSide() const { return m_side; }
    int unitIndex() const { return m_index; }
    int allowance() const { return m_allowance; }
    // Whether the scan built its range and frees it.
    bool ownsRange() const { return m_ownedRange != nullptr; }
    // The country the unit's country is aiming at; 8 for none.
    int targetCountry() const { return m_targetCountry; }
    // The type's movement type, 9 for types 17 and up.
    int movementType() const { return m_movementType; }

protected:
    // Null when the side and index name no unit; visits then find nothing.
    const UnitRecord* unit() const { return m_unit; }
    const UnitTypeRecord* unitType() const { return m_type; }
    const ReachMap& range() const { return *m_range; }

    // The hex's cost within the allowance, else -1.
    int reachableCost(int x, int y) const;
    // No unit in the hex slot of the unit's domain.
    bool isFreeForDomain(int x, int y) const;

private:
    UnitHexScan(GameState& state, int side, int index, const ReachMap* range, int allowance);

    int m_side;
    int m_index;
    const UnitRecord* m_unit;
    const UnitTypeRecord* m_type;
    int m_allowance;
    int m_targetCountry = 8;
    int m_movementType = 0;
    std::unique_ptr<MoveRangeMap> m_ownedRange;
    const ReachMap* m_range;
};
