// Storing the acting unit in the building on its hex.
#pragma once

class GameState;

// The acting unit goes into a free slot of the building on its hex and leaves the hex's slots. A
// full building leaves it outside, registered on its hex. False when it was not stored.
bool execStore(GameState& state);
