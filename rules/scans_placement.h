// PlacementHexScan: the nearest hex around a centre where a unit may be put down.
#pragma once

#include "rules/hex_scan.h"

enum class PlacementBuildings { Skip, Accept };

// Stops at the first hex where the unit may stand: its movement type can enter, the owner is
// nobody, the owner of the unit's own hex or its country, the domain's slot is free, and no sea
// unit on terrain kind 20 nor land unit on a destroyed or non-allied building of type 49. With
// buildings accepted, a building of the country that takes the unit's group also counts; the hit's
// extra word is then the building index + 1.
class PlacementHexScan : public HexScan {
public:
    PlacementHexScan(GameState& state, int side, int index, PlacementBuildings buildings);

protected:
    void begin() override { clearHits(); }
    void visit(int x, int y) override;

private:
    bool canStand(int x, int y) const;

    int m_side;
    int m_index;
    PlacementBuildings m_buildings;
};

// The movement type the scans use: the type's own, or 9 for types 17 and up.
int scanMovementType(int movement_type);
