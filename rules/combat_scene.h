// BattleSceneSide: what the battle scene shows of one side of an engagement, and the presentation.
#pragma once

#include <cstdint>
#include <vector>

class GameState;
struct CombatPair;

// Names are copied, so the record outlives the units it was filled from.
struct BattleSceneSide {
    // 9 when the viewing country cannot see the side.
    int32_t country = 9;
    int32_t bitmapIndex = 0;
    int32_t typeId = 0;
    int32_t domain = 0;
    char typeName[34] = {};
    char unitName[34] = {};
    char className[34] = {};
    int32_t weaponSlot = -1;
    char weaponName[18] = {};
    int32_t terrainKind = 0;
    int32_t membersBefore = 0;
    int32_t membersAfter = 0;
    int32_t tenthsBefore = 0;
    int32_t tenthsAfter = 0;
    uint8_t critical = 0;
    int32_t hits = 0;
    uint8_t firstStrike = 0;
    uint8_t night = 0;
};

// What the resolution hands to the presentation besides the engagement itself.
struct CombatShow {
    int viewer = 8;
    int attackerX = 0;
    int attackerY = 0;
    int targetX = 0;
    int targetY = 0;
    bool misfire = false;
    bool misfireSeen = false;
    bool area = false;
    bool firstStrike = false;
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

// Side k of the engagement as the viewing country may see it.
BattleSceneSide battleSceneSide(GameState& state, const CombatPair& pair, int k, const CombatShow& show);
// Whether the fight is shown at all: the settings, a person's country, a visible main window and a viewer.
bool isFightShown(GameState& state, const CombatPair& pair, const CombatShow& show);
// The attack path, the misfire notice, the battle scene or simplified window and the map's after-effects.
// Nothing here changes the game: every removal is done by the resolution.
void presentCombat(GameState& state, const CombatPair& pair, const CombatShow& show);
