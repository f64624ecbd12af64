// Supply orders: the acting unit asks for resupply, or for a supply unit's service.
#pragma once

class GameState;

// Each asks only for a unit in play that is not awaiting production and has not acted; false
// otherwise. The services themselves decide what is given and paid.
bool execResupply(GameState& state);
// The supply unit beside the acting unit serves it; (x, y) is the hex the order was given at, and
// the serving unit is found from the unit's own hex.
bool execSupplyUnitService(GameState& state, int x, int y);
