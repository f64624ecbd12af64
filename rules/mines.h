// Mines going off under a unit, and the countries that learn where a mine lies.
#pragma once

class GameState;
struct TerrainCell;

constexpr int kLandMineKind = 1;
constexpr int kSeaMineKind = 2;
// What a move or a split passes: every member of a full unit may be hit.
constexpr int kMineMaxHits = 10;

// The mine at (x, y) hits unit (side, index); side 100 + c is a missile of country c. Members are
// tested from the last to the first, at most max_hits of them, each losing a random part of its
// type's member strength. The mine then shrinks by one; what is left becomes known to the victim's
// country. Nothing happens without a mine or a unit.
void detonateMine(GameState& state, int x, int y, int side, int index, int max_hits);

// The country learns of the cell's mine. The mask has a bit for countries 0..7 only; the neutral
// side and any other code learn nothing.
void learnMine(TerrainCell& cell, int country);
