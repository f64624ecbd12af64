// Civilians: the neutral side's units picked up and set down by a carrier, and transport delivery.
#pragma once

class GameState;

// The acting carrier takes aboard the civilian standing in the land slot of (x, y), which first
// meets any mine of the carrier's hex; a civilian left without members is destroyed instead. Needs
// the carrier alone (as far as it can see) in its slot. True when a civilian came aboard.
bool execTakeCivilians(GameState& state, int x, int y);

// The acting carrier sets its first civilian down on the empty land slot of (x, y): it meets the
// hex's mine, then is destroyed when no members are left or else delivered there. One civilian per
// call. True when one was set down.
bool execReleaseCivilians(GameState& state, int x, int y);

// Unit (side, index) set down at (x, y): its cargo is delivered first; a transport whose
// destination is (x, y) then counts for its side's goal and leaves play without a loss. Cargo not
// delivered with its carrier is set down on the hex instead of vanishing with it.
void deliverTransported(GameState& state, int side, int index, int x, int y);
