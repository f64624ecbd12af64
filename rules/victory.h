// Victory and defeat: the end-of-game check after every event, outcomes, transports and live-unit counts.
#pragma once

#include <cstdint>

class GameState;

// Country outcomes: 0 and 100 undecided, 1..99 a victory, above 100 a defeat.
enum GameOutcome : uint16_t {
    kOutcomeUndecided = 0,
    kOutcomeVictory = 3,
    kOutcomeTurnLimitVictory = 4,
    kOutcomeLastCampStanding = 5,
    kOutcomeDefeatOffset = 100,
    kOutcomeDefeat = 103,
    kOutcomeTurnLimitDefeat = 104,
    kOutcomeCapitalLost = 111,
    kOutcomeEliminated = 112,
    kOutcomeTransportFailed = 113,
};

inline bool isVictoryOutcome(int outcome) { return outcome >= 1 && outcome <= 99; }
inline bool isUndecidedOutcome(int outcome) { return outcome == 0 || outcome == 100; }

// The one table of the end-check flags (GameState::endCheckFlags), cleared by each check.
enum EndCheckFlag : uint8_t {
    kEndCheckCapital = 1,
    kEndCheckWatchedLost = 2,
    kEndCheckUnitDestroyed = 4,
    kEndCheckArrival = 8,
};

// The kinds of the game-end notice.
enum GameEndKind : int {
    kGameEndCapitalLost = 0,
    kGameEndEliminated = 1,
    kGameEndVictory = 2,
    kGameEndSurrender = 3,
    kGameEndTransportFailed = 5,
};

// Drops out the countries the flagged events finished, evaluates the victory conditions in normal
// mode (in simple mode a fall that leaves one camp decides the game), decides the game and gives
// every country in play its outcome. Notices are shown only with show_notices 1 and a visible main
// window. Clears the end-check flags.
void checkEndOfGame(GameState& state, int show_notices);
// After a surrender, or a country's fall in simple mode: when the countries still in play are one
// camp, every one allied with every other, the game is decided at once and the camp wins; with
// nobody left, decided without a winner. Several camps left play on. Answers whether the game is
// decided.
bool decideWhenOneCampLeft(GameState& state);
// The current side when it has won, else the first country 0..7 that has; -1 when none.
int winnerCountry(GameState& state);

// Units in play not awaiting production; existing units awaiting production.
int countLiveUnits(const GameState& state, int side);
int countAwaitingProduction(const GameState& state, int side);

// The transport condition of a country: members to carry, whether enough arrived, and whether
// enough can still arrive (side 8 asks for the first country that counts the neutral transports).
int transportRequired(GameState& state, int country);
bool isTransportMet(GameState& state, int country);
bool canStillMeetTransport(GameState& state, int side);
// The event notice of a transport's arrival by the unit (side, index) standing at (x, y): that it
// came is told to all, the unit named only to a viewer who sees it there.
void showArrivalNotice(GameState& state, int kind, int side, int index, int x, int y);
// A transport standing on its target hex arrives and leaves play: 1, else 0.
int checkTransportArrival(GameState& state, int side, int unit);
// Runs the arrival check over the unit's cargo, nested carriers first, and unloads what arrived.
void handleArrivals(GameState& state, int side, int unit);

// Every capital of the country becomes the map's ruin terrain and passes to its taker or nobody.
void ruinCapitals(GameState& state, int country);
// The country leaves the game: its buildings pass to an heir, its units leave play, status 2.
void dropCountryOut(GameState& state, int country);
