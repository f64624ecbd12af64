// Unit-centred building scans for the computer player: buildings to capture, to attack and to
// fall back on, and units to merge with.
#pragma once

#include "rules/unit_hex_scan.h"
#include "state/hex_geometry.h"

// Reachable buildings, unowned or an enemy's, best value first; extra = building index + 1.
// Value: income, +400 when the type serves any group (mask 5), + 100 × (occupation value +
// capacity), + 1000 for a victory-condition place within five turns' movement.
class CapturableBuildingHexScan : public UnitHexScan {
public:
    using UnitHexScan::UnitHexScan;

protected:
    void visit(int x, int y) override;
    void finish() override { sortDescending(); }
};

// Buildings with durability owned by a country of the mask (capitals only with rule 34), on a hex
// no friend of the unit's country stands on; cheapest first, with a random spread inside the ring
// limit and those beyond it after every nearer one. Extra = building index + 1.
class EnemyBuildingHexScan : public UnitHexScan {
public:
    EnemyBuildingHexScan(GameState& state, int side, int index, const ReachMap& range, unsigned country_mask, int ring_limit, int allowance = -1);
    // Over the unit's own range.
    EnemyBuildingHexScan(GameState& state, int side, int index, unsigned country_mask, int ring_limit, int allowance = -1);

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }

private:
    unsigned m_countryMask;
    int m_ringLimit;
};

// Intact buildings that are unowned, the unit's own or an ally's, cheapest first; bridges and the
// like (kinds 20, 25, 26) through their cheapest free neighbour. A cost beyond the movement points
// is spread at random and put after every reachable one; unowned +200, allied +100.
// Extra = building index + 1.
class FriendlyBuildingHexScan : public UnitHexScan {
public:
    using UnitHexScan::UnitHexScan;

protected:
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }

private:
    int approachCost(int x, int y, int kind) const;
};

// Reachable hexes holding a unit this one may merge with whose members and this unit's together
// stay within the type's members; key = those members together, most first; extra = partner's
// index + 1.
class MergePartnerHexScan : public UnitHexScan {
public:
    using UnitHexScan::UnitHexScan;

protected:
    void visit(int x, int y) override;
    void finish() override { sortDescending(); }
};

enum class SupplyTest { Fuel, FuelAndAmmunition };

// Stops at the first reachable hex within the cost limit where unit (country, index) can be
// resupplied: a supply unit of its country at or next to the hex may serve it, or a building
// there refuels the group (and rearms it, when asked); with rule 6 the building must also take the
// unit in.
class SupplyPointHexScan : public HexScan {
public:
    SupplyPointHexScan(GameState& state, int country, int index, const ReachMap& range, int cost_limit, int group, SupplyTest test);

    HexPos result() const { return m_result; }

protected:
    void begin() override { m_result = kNoHex; }
    void visit(int x, int y) override;

private:
    bool hasSupplierAround(int x, int y) const;
    bool buildingServes(int x, int y) const;

    int m_country;
    int m_index;
    const ReachMap& m_range;
    int m_limit;
    int m_group;
    SupplyTest m_test;
    HexPos m_result;
};
