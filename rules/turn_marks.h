// Per-turn hex and unit marks: the threat layers of every unit's weapons, the watched-unit marks,
// the interception bytes and the jammed bits.
#pragma once

class GameState;

// How a threat mark reads, for the map display and the computer player: the marking unit's side bit
// goes into the layer, strongly (second set) when the country whose turn it is can see the unit; the
// mask layer is the unit's relation to that country (0 own, 1 allied, 2 other) and gets bit `layer`,
// plus bit 8 + `layer` when the unit fires directly at the layer's target class.
enum ThreatRelation : int {
    kThreatOwn = 0,
    kThreatAllied = 1,
    kThreatOther = 2,
};

// Clears every hex's per-turn unit word and both threat-layer sets, then lays the marks of every unit
// of the neutral side and of every country in play.
void resetHexTurnMarks(GameState& state);
// One unit's threat scans: layers 0..5 per target class within its weapons' reach (capped by its
// type's range byte of the class), layers 6 and 7 for warheads, and its area-cover radius.
void markUnitThreatZones(GameState& state, int side, int index);
// Clears side's bit in the jammed byte of every unit in play of the neutral side and the countries in play.
void clearJammedBit(GameState& state, int side);
// Zeroes both per-turn interception bytes of every terrain cell.
void clearInterceptionBytes(GameState& state);
