// The victory-condition test of one country.
#pragma once

class GameState;

// The country has conditions (option bit 1), at least one is met and none is still pending.
bool meetsVictoryConditions(GameState& state, int country);
