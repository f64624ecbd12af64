// Movement checks: landing from carriers and buildings, threatened hexes, mines, zones of control
// and the guards of the stacking and storing rules.
#pragma once

#include "rules/visibility.h"
#include "state/hex_geometry.h"

class GameState;

enum class ActedUnits { Refuse, Allow };

// Whether the unit (side 0..8, index) may leave its carrier or building now; a unit standing
// free on the map always may unless it has acted and acted units are refused.
bool canUnitLand(const GameState& state, int side, int index, ActedUnits acted);
// A loaded unit that has not acted: its hex offers a carrier other than the one it is aboard.
bool hasOtherCarrierHere(const GameState& state, int side, int index);

// A country not allied with the unit's marks (x, y) in the unit's threat layer: the unit type's
// domain, or for a missile in flight (code 100 + c) 6 for domain 0 and 7 otherwise.
bool isHexThreatened(const GameState& state, int code, int index, int x, int y);
// Threatened, alone in its domain slot there, and seen there by one of the marking enemies.
bool isExposedToEnemyFire(const GameState& state, int x, int y, int code, int index);
// A land unit on a land mine or a surface ship on a sea mine.
bool hexHasMineFor(const GameState& state, int x, int y, int code, int index);
// No unit of a country neither the acting unit's nor allied with it exerts a zone of control on
// the acting unit at (x, y) or its neighbours. Visibility is not considered.
bool isFreeOfEnemyZoc(GameState& state, int x, int y);

// Whether the unit, standing at (x, y), may attack the target: never its own side, an ally only
// with rule 23 and never the neutral side, anyone else only when it sees the target; then some
// weapon must reach it (the weapons usable at the end of a move when moving).
bool canAttackUnitFrom(GameState& state, int side, int index, HexPos position, int target_code, int target_index, bool moving);

// Rule-change guards: no unit of the nine sides stands on a hex of its own; none is stored.
bool noUnitOnMap(const GameState& state);
bool noUnitStored(const GameState& state);

// The rules' answers to state's questions: visibility, and the landing check with acted units
// refused (argument 0) or allowed (1).
class LandingHooks : public VisibilityHooks {
public:
    bool canUnitLand(const GameState& state, int side, int index, int arg) override;
};

// Installs the rules' single instance as the state's hooks; the game start and tests call it.
LandingHooks& installLandingHooks();
