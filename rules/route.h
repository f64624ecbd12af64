// The acting unit's route: planning it to a hex and showing it on the map.
#pragma once

#include "state/hex_geometry.h"

#include <vector>

class CurrentAction;
class GameState;

enum class RouteEnd { Traced, Fixed };

// The acting unit's route to (x, y): the fixed route, else the way-points' path and the back-trace.
bool planRoute(GameState& state, std::vector<HexPos>& list, int x, int y);
// The same for the given action and fixed route.
bool planActionRoute(const CurrentAction& action, const std::vector<HexPos>& fixed, int x, int y, std::vector<HexPos>& list);
// Marks the route to (x, y) (or, fixed, the hex alone) from the last way-point or the unit's hex.
void showMovePath(GameState& state, int x, int y, RouteEnd end);
