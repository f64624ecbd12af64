// The ambush check: a hidden enemy next to the hex where a move ends attacks first.
#pragma once

class GameState;

// Sets the command's ambush fields for the acting unit ending its move at (x, y): the first hidden
// enemy beside it, in direction order, that may fire at it there becomes the ambusher. Clears
// ambushPending and ambushOnSplitOff first.
void checkAmbush(GameState& state, int x, int y);
