// Unit and building helpers the victory code shares: taking units out of play, capitals, the acting side.
#pragma once

class GameState;
struct BuildingRecord;

// Clears the unit's references in its hex (both layers), its building and its carrier, then erases
// it and its cargo without counting a loss. Side codes 0..8 and 100 + c.
void takeOutOfPlay(GameState& state, int side, int index);
// The building stands on a hex whose terrain is of the capital kind.
bool isCapitalBuilding(GameState& state, const BuildingRecord& building);
// The unit's side word in the hex cells: country + 1, or 100 + c for a missile.
inline int sideWordOf(int side) { return side >= 100 ? side : side + 1; }
