// The home hex of a side (its capital or a stand-in), the home area and where carried-over units may go.
#pragma once

#include "state/hex_geometry.h"

#include <vector>

class GameState;

// Production and deployment reach this far from a capital or headquarters.
constexpr int kHomeRadius = 8;

// A capital-kind hex (substitutes resolved) holding a building of the side.
bool isCapitalOf(GameState& state, int x, int y, int side);
// The side's headquarters-class unit in play standing on its own hex at (x, y).
bool hasHeadquartersAt(GameState& state, int x, int y, int side);
// The hexes of the side's capital buildings and of its headquarters-class units in play.
void collectHomeAnchors(GameState& state, int side, std::vector<HexPos>& anchors);
bool isNearHome(const std::vector<HexPos>& anchors, int x, int y);

// First match: a capital in row order, a headquarters unit, the best-scoring building, the map centre.
HexPos computeHomeHex(GameState& state, int side);
// Stores the home hex; a move invalidates the side's cached distance grid.
void refreshCapitalHex(GameState& state, int side);
// Bit 0 of the first per-turn byte of every hex near the campaign player's capitals and headquarters.
void markHomeArea(GameState& state);

// Whether carry-over entry i may be placed at (x, y): on the hex, or in a building there.
bool canDeployCarryOverAt(GameState& state, int entry, int x, int y);
bool canDeployCarryOverInBuilding(GameState& state, int entry, int x, int y);
