// The unit types a country may produce at a hex, as the production dialog lists them, and whether
// a click on the hex opens the dialog at all.
#pragma once

#include <cstdint>
#include <vector>

class GameState;

// Ids 0..9999 in ascending order that the country's production type allows, that are known,
// available and producible, and whose domain the hex offers (productionCategoriesAt, flag 1).
std::vector<uint32_t> producibleTypesAt(GameState& state, int x, int y, int country);
// The hex offers some domain and, without a building, one listed type may stand on its terrain.
bool canOpenProductionAt(GameState& state, int x, int y, int country);
// The production dialog's unit-type filter by the domain mask alone, for the placement dialog:
// every known id 0..9999 the country's production type allows.
std::vector<uint32_t> productionTypeMembers(const GameState& state, int country);
