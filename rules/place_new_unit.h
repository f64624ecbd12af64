// placeNewUnit: a new unit set straight onto a hex of the map, for the placement tools.
#pragma once

class GameState;

// A unit of the type at full strength for the country at (x, y), made as production makes one.
// False, changing nothing, at the country's unit limit, when the type may not stand on the hex's
// terrain, or when the hex's slot for the type's domain is taken.
bool placeNewUnit(GameState& state, int x, int y, int country, int unit_type);
