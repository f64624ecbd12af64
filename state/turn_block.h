// TurnBlock: whose turn and which phase, stored whole in saved games.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The phases of one country's part of a turn, in the order they run.
enum GamePhase : uint16_t {
    kPhaseStart = 0,
    kPhaseMissile = 1,
    kPhaseIncome = 2,
    kPhaseSupply = 3,
    kPhaseReplenish = 4,
    kPhaseAction = 5,
    kPhaseProduction = 6,
    kPhaseEnd = 7,
};

// The current side before the first country of a turn.
constexpr int kNoSide = 9;

// What a game was started from; its saves take the extension of the kind (GameState::fileExtension).
enum GameKind : uint16_t {
    kGameKindMap = 0,
    kGameKindCampaign = 1,
    kGameKindScenario = 2,
};

#pragma pack(push, 1)
struct TurnBlock {
    // 1 for the first turn; 0 before any turn was played.
    uint16_t turn;
    uint16_t phase;
    // 0..7, 8 the neutral side acts, 9 before the first country of the turn.
    uint16_t currentCountry;
    uint8_t reserved6[2];
    // 8 and above, or below 0 = no viewing country; read it through viewer().
    int8_t viewingCountry;
    uint8_t decided;
    // A GameKind; any other value counts as a map. Saved with the game and kept by the reset for a
    // campaign's next map.
    uint16_t gameKind;
    uint8_t reserved12[12];
    uint8_t order[8];
    uint8_t reserved32[2];
    uint8_t capitalMask;
    uint8_t headquartersMask;
    // Watched units (watch bits 0 or 2) of each country when play started: the enemy-force condition.
    uint16_t enemyForceThreshold[8];
    // Members of each side's units that must be carried to their target hex, and those arrived.
    uint16_t transportTotal[9];
    uint16_t transportArrived[9];
    // Members of each side's transports destroyed on the way.
    uint16_t transportLost[9];
    // Bytes not named here are carried unchanged and saved as read.
    uint8_t reserved106[18];
    // Each country's anthem file, a name of the music file list.
    char anthemFiles[8][260];
    uint8_t nextOrder[8];
    uint8_t reserved2212[128];

    // The country acting at place 0..7 of this turn, and of the next.
    int sideAtPlace(int place) const { return order[place]; }
    int sideAtNextPlace(int place) const { return nextOrder[place]; }
    // The first place of country in this turn's order; 8 when it has none.
    int placeOf(int country) const;
    // The country whose view the screen shows, -1 for none. Only a map not yet in play has none, and
    // then nothing is hidden: the map is drawn without fog and every test of what may be shown
    // answers yes.
    int viewer() const { return viewingCountry >= 0 && viewingCountry < 8 ? viewingCountry : -1; }
};
#pragma pack(pop)
static_assert(sizeof(TurnBlock) == 2340);
static_assert(offsetof(TurnBlock, viewingCountry) == 8);
static_assert(offsetof(TurnBlock, gameKind) == 10);
static_assert(offsetof(TurnBlock, order) == 24);
static_assert(offsetof(TurnBlock, capitalMask) == 34);
static_assert(offsetof(TurnBlock, transportTotal) == 52);
static_assert(offsetof(TurnBlock, transportArrived) == 70);
static_assert(offsetof(TurnBlock, transportLost) == 88);
static_assert(offsetof(TurnBlock, anthemFiles) == 124);
static_assert(offsetof(TurnBlock, nextOrder) == 2204);

// What in a turn block read from a file no game can be in: a field out of its range, or a turn order
// that is not one of the eight countries; empty when there is nothing.
std::string turnBlockFault(const TurnBlock& turn);
