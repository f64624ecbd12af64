// A copy of the generated program folder for the benchmarks that start a game state.
#pragma once

#include <memory>

// Copies the folder once (less the executable), removes it at exit, makes it the program folder,
// initialises the application with the mode chosen and installs the application's services.
void prepareBenchProgramFolder();

class GameState;
// A game state started up over that folder and made the program's current one.
std::unique_ptr<GameState> startBenchGameState();
