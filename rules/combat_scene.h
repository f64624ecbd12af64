// BattleRecord: what the battle scene shows of an engagement, and the presentation.
#pragma once

#include <cstdint>
#include <vector>

class GameState;
struct CombatPair;
struct CombatSide;

struct BattleUnitEntry;

// One side of an engagement as the battle scene shows it. Texts are copied, so the record
// outlives the units it was filled from and may cross to another thread.
struct BattleSideRecord {
    // 0..8; 9 when the side has no unit, or the viewing country cannot see it.
    uint32_t country = 9;
    // The unit's map icon index (its column in the category sheet).
    uint32_t unitIcon = 0;
    uint32_t unitType = 0;
    // 0..2 air, 3 land, 4 and up sea.
    uint32_t domain = 0;
    char typeName[34] = {};
    char unitName[34] = {};
    char className[34] = {};
    // 0..4, -1 none.
    int32_t weaponSlot = -1;
    // The first 16 bytes of the fired slot's name.
    char weaponName[17] = {};
    // The terrain id of the hex, a substitute terrain taking the place of the cell's own.
    uint32_t terrain = 0;
    int32_t figuresBefore = 0;
    int32_t figuresAfter = 0;
    // In tenths.
    int32_t strengthBefore = 0;
    int32_t strengthAfter = 0;
    // Set by a hit of this side's rolls: its first hit makes the other side's names blink.
    uint8_t flashHit = 0;
    // The shots this side's figures fire that strike.
    uint32_t shots = 0;
    // The defender fires back in this engagement.
    uint8_t counterAttack = 0;
    uint8_t night = 0;
    // The unit type's battle id (its id); the hand-over finds unitEntry by it.
    uint16_t battleId = 0;
    const BattleUnitEntry* unitEntry = nullptr;
};

// What combat resolution hands to the battle scene: the attacker, then the defender.
struct BattleRecord {
    BattleSideRecord side[2];
};

// What the resolution hands to the presentation besides the engagement itself.
struct CombatShow {
    int attackerX = 0;
    int attackerY = 0;
    int targetX = 0;
    int targetY = 0;
    bool misfire = false;
    bool area = false;
    bool firstStrike = false;
    // The defender fired back.
    bool returnFire = false;
    int hits[2] = {};
    // Neighbours hit by an area weapon: side, index, x, y, destroyed.
    struct Neighbour {
        int code;
        int index;
        int x;
        int y;
        bool destroyed;
    };
    std::vector<Neighbour> neighbours;
};

// Whether the viewer may see the side: a unit as fog and concealment let it, a target hex, or the
// empty hex a shot went to, as its sight covers the hex.
bool viewerSeesSide(const GameState& state, const CombatSide& side);
// Side k of the engagement as the viewing country may see it.
BattleSideRecord battleSideRecord(GameState& state, const CombatPair& pair, int k, const CombatShow& show);
// Whether the fight is shown at all: the settings, a person's country, a visible main window and
// what the viewer sees of it.
bool isFightShown(GameState& state, const CombatPair& pair, const CombatShow& show);
// The attack path, the misfire notice, the battle scene or simplified window and the map's after-effects.
// Nothing here changes the game: every removal is done by the resolution.
void presentCombat(GameState& state, const CombatPair& pair, const CombatShow& show);
