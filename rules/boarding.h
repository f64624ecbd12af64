// Boarding: the acting unit goes aboard a carrier.
#pragma once

class GameState;

// The carrier takes the acting unit into a free berth; the unit leaves its hex's slots and any
// carrier it was aboard before. Cargo berths name units of the carrier's own side or the neutral
// side only, so a unit of another side is refused, as is a carrier without room. A refusal changes
// nothing. True when the unit is aboard that carrier afterwards.
bool execBoard(GameState& state, int carrier_side, int carrier_index);
