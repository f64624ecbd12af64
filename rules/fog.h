// Fog of war: filling the game's FogMap from what the units and buildings of each side see.
#pragma once

class FogMap;
class GameState;
struct UnitRecord;

// Rule 3 off: every layer seen by all. On: every layer cleared, then the sight of every building
// and of the units of sides 0..8.
void rebuildSightMaps(GameState& state);
// At the start of the current country's turn: its own bits stay, every other side's sight is laid anew.
void updateVisibilityAll(GameState& state);
// After an action, rule 3 on only: the bits of the current country and its allies stay, the sight
// of the buildings and of every side not allied with it is laid anew.
void updateVisibilityAfterAction(GameState& state);

// The three above keep what they laid before and lay again only where a side's sight changed. With
// rule 3 on, laySightInFull makes each of them in full on the given map, whatever it held.
enum class SightLay { Rebuild, All, AfterAction };
void laySightInFull(GameState& state, FogMap& fog, SightLay lay);

// Nothing for an index outside the list, an unowned or a destroyed building.
void addBuildingSight(GameState& state, int building);
// Units in play on the map: not awaiting production, aboard, stored or off the map.
void addSideUnitSight(GameState& state, int side);
bool unitLaysSight(const UnitRecord& unit);
// The sight of unit (code, index) as if it stood at (x, y); a missile code 100 + c sees for country c.
void addUnitSight(GameState& state, int x, int y, int code, int index);
