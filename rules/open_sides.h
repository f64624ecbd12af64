// The open sides of bridge-like hexes: the mask of hex sides a display code lets a unit pass.
#pragma once

class GameState;
struct BuildingRecord;

// Six bits, bit d = side d open. A bridge code opens two sides; any other code leaves all open (0x3F).
int displayCodeSides(int display_code);
// The hex's mask by its display code; 0 off the map.
int hexGraphicCode(const GameState& state, int x, int y);
// The building's mask, by the display code of its hex.
int buildingGraphicCode(const GameState& state, const BuildingRecord& building);
