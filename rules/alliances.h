// Ending alliances and non-aggression pacts.
#pragma once

class GameState;

// Clears each side's bit in the other's pact mask; sides outside 0..7 are ignored.
void breakNonAggressionPact(GameState& state, int a, int b);
// Clears the side's bit in the neutral side's alliance mask.
void leaveNeutralAlliance(GameState& state, int side);
// Units left in the buildings of former allies, and theirs in the side's, are destroyed.
void breakAllAlliances(GameState& state, int side);
