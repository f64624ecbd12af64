// The question asked before a person's unit is disbanded, from the troop list or the command palette.
#pragma once

class GameState;
class swCWindow;

// "解散確認" with Yes and No over the owner, worded for the country's last unit or a unit the
// victory conditions watch; true for Yes.
bool confirmDisband(swCWindow* owner, const GameState& game, int country, int index);
