// Ending alliances and non-aggression pacts.
#pragma once

#include "state/hex_geometry.h"

#include <vector>

class GameState;

// Clears each side's bit in the other's pact mask; sides outside 0..7 are ignored.
void breakNonAggressionPact(GameState& state, int a, int b);
// The country whose pact with the side a step from one hex into the next ends: its land entered
// across a border edge; -1 when the step ends no pact.
int pactEndedByStep(const GameState& state, int side, HexPos from, HexPos to);
// Walking the path from start would end a pact.
bool pathEndsPact(const GameState& state, int side, HexPos start, const std::vector<HexPos>& path);
// Clears the side's bit in the neutral side's alliance mask.
void leaveNeutralAlliance(GameState& state, int side);
// Units left in the buildings of former allies, and theirs in the side's, are destroyed.
void breakAllAlliances(GameState& state, int side);
