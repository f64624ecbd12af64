// Engineering executors of the acting unit: works, pillboxes, bridges, roads and jamming.
#pragma once

#include "state/hex_geometry.h"

class GameState;

// Repairs the building or structure at (x, y); a destroyed building at full durability stands again.
void execRestore(GameState& state, int x, int y);
// The same by its counters, up to the reinforced maximum; spends one round of material.
void execReinforce(GameState& state, int x, int y);

// A pillbox on the acting unit's own hex; spends two rounds of material.
void execBuildPillbox(GameState& state);
// The pillbox at (x, y) becomes wasteland and loses its road links.
void demolishPillbox(GameState& state, int x, int y);
// A bridge at (x, y), built from the acting unit's hex towards the far bank; spends three rounds.
void execBuildBridge(GameState& state, int x, int y, int far_x, int far_y);
// The display code of a bridge: d the direction from the bridge to its builder, e to the far bank.
int bridgeDisplayCode(int d, int e);

// Links the road ends of two neighbouring hexes of a route; false when nothing was linked.
bool layRoadLink(GameState& state, HexPos a, HexPos b);
// After a road move: experience, one round of material, supply lines recomputed.
void finishRoadWork(GameState& state);

// Jams the units within the reach of the unit's jamming weapon; false without one that has rounds.
bool execJamming(GameState& state);
