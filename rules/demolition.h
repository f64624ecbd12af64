// Demolition of buildings, listed structures and roads by the acting unit or a missile's strike.
#pragma once

class GameState;

// Who strikes: the current action's unit, or its missile (the country's missile table).
enum class Demolisher { Unit, Missile };

// Damage is the striker's strength counters times its demolition power per member. A building
// loses durability and at 0 is knocked out with what it holds; without one, a pillbox or temporary
// bridge loses durability and any other hex loses its roads.
void execDestroy(GameState& state, int x, int y, Demolisher by);
