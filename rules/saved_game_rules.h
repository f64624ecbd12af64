// Saving and loading a game from the rules engine: the map view before a save, the marks after a load.
#pragma once

#include "state/saved_game_file.h"

class GameState;

// Takes the map view's origin from the map window when it is open, then saves (saveGameFile); a
// failed save leaves the game in memory as it was.
SaveResult saveGame(GameState& state, const char* path, bool keep_path);
// applyStagedSave, then what play reads besides the file: open sight with rule 3 off (else the sight
// of the sides the file does not hold), and the per-turn hex marks.
bool resumeStagedGame(GameState& state, const StagedSave& staged);
// Both steps from a path; false with the game in memory unchanged when the file is refused.
bool loadGame(GameState& state, const char* path, FileRefusal* why = nullptr);
