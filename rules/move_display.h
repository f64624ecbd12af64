// Showing a unit's walk on the map, hex by hex, as far as the viewing country sees it.
#pragma once

#include "state/hex_geometry.h"

#include <vector>

class GameState;
struct UnitTypeRecord;

// The move sound of a unit type (effect slot 2 + number): foot, tracks, wheels, jet, propeller,
// rotor, ship or submarine.
int moveSoundNumber(const UnitTypeRecord& type);

// Plays the current unit's walked list (its first entry the hex it stood on). Only hexes where the
// viewing country sees it are shown, thinned by the "TroopMoveAnim" setting (a road move always
// hex by hex). Each step takes at least 20 ms while a map window shows it; headless it costs nothing.
void animateMove(GameState& state, const std::vector<HexPos>& walked, int sound, int code);

// The walk is over: its route marks go, and the hexes it left and reached are drawn as they now
// stand, so an attack or a box that follows does not show the unit where it was or the route.
void showMoveEnded(GameState& state, HexPos start, HexPos end);

// The display modes of "TroopMoveAnim".
enum class MoveDisplay { EveryHex = 0, EverySecondHex = 1, FirstHex = 2 };
// The hexes of the walked list animateMove shows.
std::vector<HexPos> movesToShow(GameState& state, const std::vector<HexPos>& walked, MoveDisplay mode);
