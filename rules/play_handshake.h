// The game thread's hand-shakes that reach the windows, and what the person may interrupt.
#pragma once

class GameState;

// The action phase's wait for the end of a person's turn: true when the turn was ended (answer 1),
// false for any other answer and after a stop.
bool waitForUiAnswer(GameState& state);
// The production phase's wait, the same on its own answer.
bool waitForUiAnswer2(GameState& state);

enum class ReportWait { No, Yes };
// During play: with no wait the thinking window is told at once; with a wait the value is posted
// and the call returns once the window has shown it. Without play, or with nobody to answer, it
// returns at once.
void postThinkProgress(GameState& state, int value, ReportWait wait);
// The map window scrolls the hex into view and blinks it, or centres the view on it; the call
// returns when it has. Without play or without a map window it returns at once.
void requestHexBlink(GameState& state, int x, int y);
void requestCentreOnHex(GameState& state, int x, int y);
// A unit's experience crossed a level: the map shows it (with "LevelEffect" on and the unit seen by
// the current country); with a wait the call returns after the animation.
void announceRankChange(GameState& state, int side, int index, int x, int y, int old_experience, int new_experience,
    ReportWait wait);

// One more unit of the computer's turn handled; each 4 % step goes to the thinking window.
void stepTurnProgress(GameState& state);

bool canInterruptGame(GameState& state);
bool canEndGame(GameState& state);
