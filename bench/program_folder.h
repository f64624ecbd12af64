// A copy of the generated program folder for the benchmarks that start a game state.
#pragma once

// Copies the folder once (less the executable), removes it at exit, makes it the program folder,
// initialises the application with the mode chosen and installs the application's services.
void prepareBenchProgramFolder();
