// Home hexes of the sides and the cached movement costs from them.
#pragma once

#include "state/game_state.h"
#include "state/hex_geometry.h"

#include <array>
#include <cstdint>
#include <vector>

// What each side's distance grids were flooded from. Movement types often cost the same on every
// terrain: a grid asked for while the map is as it was when such a twin's grid was flooded is a copy
// of that grid, the same costs as flooding the map again.
struct DistanceGridSources {
    struct Side {
        // The map as the flood reads it (terrain, roads, rivers, sides and exits, the home hex) when
        // the grids of this generation were made.
        std::vector<uint8_t> map;
        // The map as read for the grid asked for now, kept for its memory.
        std::vector<uint8_t> reading;
        uint32_t generation = 0;
        // Per movement type: its grid as made here, and the generation it was made in.
        std::array<const int32_t*, kMovementTypeCount> grid {};
        std::array<uint32_t, kMovementTypeCount> made {};
    };
    std::array<Side, kSideCount> sides;
};

// A country's capital position ((-1, -1) while it has none); for the neutral side the map centre.
HexPos sideHomeHex(GameState& state, int side);
// The capital position when a headquarters building (type 31) of the side stands there, else (-1, -1).
HexPos hqHex(GameState& state, int side);

// The movement cost from the side's home hex to (x, y) for the movement type, from a grid made on
// first use; -1 when the hex is not reached, the arguments name no grid or it could not be made.
int distanceFromHome(GameState& state, int side, int move_type, int x, int y);
// At start of play: frees the grids of the sides whose home hex moved, then marks every side current.
void dropStaleDistanceGrids(GameState& state);
