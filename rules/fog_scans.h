// The area walks of fog of war: laying a side's sight and looking for a revealer of a concealed unit.
#pragma once

class FogMap;
class GameState;

// Sets the side's bit in one layer of the fog map on every hex within radius of (x, y).
void markSightArea(GameState& state, FogMap& fog, int side, int x, int y, int radius, int layer);

// Whether a unit or building within radius of (x, y) uncovers a concealed unit of hidden_country
// standing there for the viewer: it must be a friend of the viewer and no friend of the hidden
// country, and see at least as far as its distance (units in the hidden unit's domain layer).
bool findRevealer(const GameState& state, int viewer, int hidden_country, int domain, int x, int y, int radius);
