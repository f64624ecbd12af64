// The steps combat resolution shares between its files.
#pragma once

#include "rules/combat_scene.h"
#include "state/action_history.h"

class GameState;
struct CombatPair;

// The history's view of an engagement: positions and members before and after.
HistoryEngagement historyEngagement(const CombatPair& pair);
// Every unit of the domain around the engagement's target hex takes the attacker's shots with half
// the weapon multiplier; the losses are written back at once and each unit is listed in show.
void hitAreaAround(GameState& state, const CombatPair& pair, int domain, bool misfire, CombatShow& show);
