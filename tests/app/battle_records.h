// Engagements handed to the battle scene by the tests that show one.
#pragma once

#include "rules/combat_scene.h"

// Country 0's tanks fire twice at country 1's infantry, which loses two machines.
inline BattleRecord tanksAtInfantry()
{
    BattleRecord record;
    for (int s = 0; s < 2; ++s) {
        BattleSideRecord& r = record.side[s];
        r.country = uint32_t(s);
        r.battleId = uint16_t(s == 0 ? 3 : 2);
        r.domain = 3;
        r.terrain = 5;
        r.figuresBefore = 10;
        r.figuresAfter = s == 0 ? 10 : 8;
        r.weaponSlot = 0;
    }
    record.side[0].shots = 2;
    return record;
}
