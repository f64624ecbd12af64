// Missiles: the launch by ranged fire, one flight step, the strike at the target hex, and the
// action phase's interception of exposed units.
#pragma once

#include <cstdint>

class GameState;

// A missile's flags at its launch: acted and bit 15, and off the map while it flies with the
// missile-phase rule (without it the missile strikes at once).
uint16_t launchedMissileFlags(const GameState& state);

// Code 2 for the current unit: a missile of missile_type goes into its country's missile table
// aimed at (target_x, target_y) and, without the missile-phase rule, strikes at once. A launch
// finds the launcher's slot that fires this type and still holds a round; without one, or with
// the country's missile table full, nothing is launched.
void execLaunchMissile(GameState& state, int target_x, int target_y, int missile_type);

// One step of the current action's missile (country + 100, index) towards the target: true when it
// stands on the target or ended next to it. A missile that was destroyed or ran dry on the way is
// removed and never arrives.
bool advanceMissile(GameState& state, int target_x, int target_y);

// The missile phase's turn of one missile: the step, the strike on arrival and the fuel it burns.
void missileFlightStep(GameState& state, int country, int index);

// The missile's strike at its target hex: the fight with the hex's units, demolition with rule 15,
// the record cleared, and the pact with the hex's owner broken.
void missileImpact(GameState& state, int country, int index);

// Rule 31, after the action phase: each unit of the country on the map, in play and not yet acted,
// that stands exposed to enemy fire is intercepted; survivors lose their action for the turn.
void interceptExposedUnits(GameState& state, int country);
