// Standing move orders: way-points or a followed unit, walked a turn's worth at a time.
#pragma once

class GameState;

enum class RouteChoice { Planned, Forced };

// Moves the acting unit to (x, y) with command code, target and extra: along its planned route
// (nothing happens when there is none), or forced onto (x, y) alone.
void executeRoute(GameState& state, int x, int y, int code, int target, int extra, RouteChoice choice);
// Every unit of the current country with an active move order that can land takes its step.
void runAutoMoves(GameState& state);
// One automatic move of the acting unit: towards its next way-point, the unit it follows or its
// order's target, as far as its movement points reach this turn.
void autoMoveStep(GameState& state);
