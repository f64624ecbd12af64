// Marks of the map display on the game's mark grid; every hex whose marks change joins the redraw set.
#pragma once

#include "state/hex_geometry.h"

#include <cstdint>
#include <vector>

class GameState;

// Nothing when the hex already has any of the bits, or lies off the map.
void setHexMark(GameState& state, int x, int y, uint16_t bits);
void clearHexMark(GameState& state, int x, int y, uint16_t bits);
void clearHexMarkAll(GameState& state, uint16_t bits);
bool hasHexMark(const GameState& state, int x, int y, uint16_t bits);
// clearHexMarkAll, answering the hexes whose mark had any of the bits, row by row.
std::vector<HexPos> takeHexesWithMark(GameState& state, uint16_t bits);
