// Supply lines: which buildings each side's road network reaches, and the current side's line display.
#pragma once

class GameState;

// Bits of BuildingRecord::supplyBits.
enum BuildingSupplyBits : unsigned {
    // Supplied for its owner.
    kBuildingSupplied = 1,
    // On the current side's network: own buildings, and allied ones its network reaches.
    kBuildingOnCurrentNetwork = 2,
};

// With rule 38 off every building is supplied; else every country in play gets its network. Either
// way the display bytes start empty and the game state's supply-lines-dirty flag is cleared.
void updateSupplyLines(GameState& state);
// The network of one side, searched from its headquarters and then from each of its large cities
// not yet reached. Only the current country's network is shown in the display bytes.
void updateSupplyLinesOfSide(GameState& state, int side);
// Zeroes the supply-line mask and supply road byte of every hex.
void clearSupplyLineCells(GameState& state);
