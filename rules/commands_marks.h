// The map's view of the commands: the highlighted unit and the candidate-hex list of its pop-up menus.
#pragma once

class GameState;

// Marks (x, y) 256 and remembers the unit as the highlighted one.
void setHighlightedUnit(GameState& state, int x, int y, int side, int index);
void clearHexList(GameState& state);
void addHexListEntry(GameState& state, int x, int y);
// False, leaving x and y alone, when i is outside the list.
bool hexListEntry(GameState& state, int i, int& x, int& y);
