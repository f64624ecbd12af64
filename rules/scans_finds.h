// Finding scans of the rules engine: the capital within a distance, and the enemy units around a hex.
#pragma once

#include "rules/hex_scan.h"
#include "state/hex_cells.h"
#include "state/hex_geometry.h"

#include <vector>

// Stops at the country's capital building or at its headquarters unit (class 39): the production
// distance of rule 13.
class CapitalFoundScan : public HexScan {
public:
    CapitalFoundScan(GameState& state, int country);

    bool found() const { return m_where.valid(); }
    HexPos where() const { return m_where; }

protected:
    void begin() override { m_where = kNoHex; }
    void visit(int x, int y) override;

private:
    int m_country;
    HexPos m_where;
};

// Collects the units the country can see that are its enemies, of one domain (-1 any): jamming
// and the computer player's threat checks.
class EnemyUnitsScan : public HexScan {
public:
    EnemyUnitsScan(GameState& state, int country, int domain);

    const std::vector<UnitRef>& units() const { return m_units; }

protected:
    void begin() override { m_units.clear(); }
    void visit(int x, int y) override;

private:
    int m_country;
    int m_domain;
    std::vector<UnitRef> m_units;
};
