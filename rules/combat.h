// Combat resolution: the current engagement fired, shown and written back; the attack search.
#pragma once

#include <cstdint>

class GameState;

// Side k of the current engagement fires at the other; answers the number of hits.
int fireSide(GameState& state, int k, bool critical);
// Resolves the current engagement, which the caller has set, prepared and valued.
void resolveCombat(GameState& state);

// The first weapon slot with which the unit, standing at (x, y), may fire at the target unit: a
// loaded, usable direct weapon carrying every bit of the mask, in reach, with the distance flag it
// needs, power against the target's class and, for a torpedo at a distance, a water route; -1 when
// none. The mask is 8 for an attack where the unit stands, 136 at the end of a move.
int findAttackWeapon(GameState& state, int code, int index, int x, int y, int target_code, int target_index,
    unsigned mask);
