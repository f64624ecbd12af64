// Steps the storing, boarding, civilian and exchange executors share: hex registration and berths.
#pragma once

#include "rules/unit_removal.h"

class GameState;
struct UnitRecord;

// The hex slots a unit may stand in: its domain's slot with stacking, else slot 0; civilians stand
// in the land slot.
int domainSlotOf(const GameState& state, int side, int index);
int landSlot(const GameState& state);

// Registers the unit in its domain's slot of its hex when that slot is empty or already its own,
// dropping any other slot of the hex it still held. A slot held by another unit is never
// overwritten: false then, and the unit keeps what it had.
bool registerOnHex(GameState& state, int side, int index);


// The hex joins the redraw set and is redrawn now.
void redrawHex(GameState& state, int x, int y);
// The notice of a mine entered, by the mine's kind, where the viewer sees the unit.
void announceMineEntered(GameState& state, int x, int y, int side, int index);
