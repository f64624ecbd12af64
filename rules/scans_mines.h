// Scans for known mines: fields to clear from beside them, and clusters to sweep.
#pragma once

#include "rules/hex_scan.h"

class ReachMap;

// Hexes with a mine the country knows of, each with a neighbour the second cost layer reaches
// within the limit (the access hex). With the country's bit in the cell's second mine mask (byte 14)
// the mine must also sit in a passage: its neighbours of its own terrain class form two or more
// separate runs round the hex. Key = the access cost, extra = the access hex packed; cheapest first.
class MineHexScan : public HexScan {
public:
    MineHexScan(GameState& state, int country, const ReachMap& range, int cost_limit);

protected:
    void begin() override { clearHits(); }
    void visit(int x, int y) override;
    void finish() override { sortAscending(); }

private:
    bool isPassage(int x, int y) const;

    int m_country;
    const ReachMap& m_range;
    int m_limit;
};

enum class MineKind { Land = 1, Sea = 2 };
enum class MineStand { OnField, BesideField };

// Hexes where two or more of the hex and its six neighbours hold a mine of the kind the country
// knows of; BesideField skips hexes that hold such a mine themselves (the sweeper works from the
// edge). Key = the ring; nearest first, the nearest ties shuffled.
class KnownMineHexScan : public HexScan {
public:
    KnownMineHexScan(GameState& state, int country, MineKind kind, MineStand stand);

protected:
    void begin() override { clearHits(); }
    void visit(int x, int y) override;
    void finish() override;

private:
    int m_country;
    MineKind m_kind;
    MineStand m_stand;
};
