// Start and end of play: who takes part, the per-game objects, the game thread.
#pragma once

class GameState;

// Runs on the interface thread once the map, scenario or saved game has filled the state. A new
// game drops everything of the countries that do not take part. The game thread comes from the
// installed PlayThreadFactory; with none installed no thread is started and play is only marked
// running. A thread that exists already (the campaign's next map) is kept.
void startPlay(GameState& state);
// Releases every wait of the game thread, joins it and empties every per-game table, so the next
// game starts from clean tables. A second call only clears empty tables.
void endPlay(GameState& state);
