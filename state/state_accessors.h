// Free accessors: mines on a terrain cell and the small text operations on CP932 strings.
#pragma once

#include "state/hex_cells.h"

#include <string>

class GameState;

bool canHoldLandMine(const GameState& state, const TerrainCell& cell);
bool canHoldSeaMine(const GameState& state, const TerrainCell& cell);
// Sets off one to all of the cell's mines; answers how many went off (0 without mines).
int detonateMine(GameState& state, TerrainCell& cell);

// ASCII capitals to small letters; double-byte characters are left alone.
void lowerCaseAscii(std::string& text);
// Cuts the string at the start of its final run of half- or full-width spaces.
void trimFullWidthSpaces(std::string& text);
// The part behind the last backslash; empty without one.
std::string pathFileNamePart(const std::string& path);
bool isMidiFileName(const std::string& name);
