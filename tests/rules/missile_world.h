// MissileWorld: a launcher type, a missile type flying over one terrain, and country 1's units to hit.
#pragma once

#include "rules/commands_range.h"
#include "rules/missiles.h"
#include "rules/shared_codes.h"
#include "state/sight_maps.h"
#include "state/unit_facts.h"
#include "tests/rules/occupation_world.h"

#include <gtest/gtest.h>

namespace testing_rules {

class MissileWorld : public OccupationWorld {
public:
    MissileWorld()
    {
        fillPool(0);
        setActionRangeSource(&ranges);
        missileType = aircraft;
        UnitTypeRecord& m = editType(missileType);
        shape(missileType);
        if (m.movementType >= kMovementTypeCount)
            m.movementType = 0;
        TerrainRecord& ground = editTerrain(state().terrainGrid()[0].terrain);
        if (ground.moveCost[m.movementType] == 0)
            ground.moveCost[m.movementType] = 1;
        cost = state().terrainValueAt(0, 0, m.movementType);
        m.weaponSlot[0].weaponId = uint16_t(gun2Id);
        m.model[0].values[0] = uint8_t(3 * cost);
        m.model[0].fuel = uint16_t(20 * cost);
        m.defaultModel = 0;
        *warhead() = *gun;
        warhead()->kind = kWeaponMissile;
        warhead()->reach = 3;

        shape(third);
        editType(third).weaponSlot[0].weaponId = uint16_t(gun3Id);
        editType(third).model[0].ammo[0] = 2;
        launcherWeapon() = WeaponRecord {};
        launcherWeapon().kind = kWeaponMissile;
        launcherWeapon().launchedType = uint16_t(missileType);
        launcherWeapon().waitTurns = 2;
    }
    ~MissileWorld() { setActionRangeSource(nullptr); }

    WeaponRecord* warhead() { return &editWeapon(gun2Id); }
    WeaponRecord& launcherWeapon() { return editWeapon(gun3Id); }

    // A launcher of country 0 at (x, y) with `counters` members fires at the target; answers the
    // missile's index, -1 when none was made.
    int launch(int x, int y, int tx, int ty, int counters = 4)
    {
        const int launcher = placeUnit(0, third, x, y);
        for (int m = counters; m < 10; ++m)
            unit(0, launcher).memberStrengths[m] = 0;
        currentAction(state()).beginAction(0, launcher);
        const uint32_t before = state().missileCount(0);
        execLaunchMissile(state(), tx, ty, missileType);
        lastLauncher = launcher;
        return state().missileCount(0) > before ? int(state().missileCount(0)) - 1 : -1;
    }
    UnitRecord& missile(int index) { return *state().unitOf(100, index); }
    // Country 1 marks the hex in the threat layer of a missile of the type.
    void threaten(int x, int y)
    {
        const int layer = editType(missileType).domain == 0 ? 6 : 7;
        state().hexLayers()->markHex(1, x, y, layer, 0, 0, -1);
    }

    CommandRangeSource ranges;
    int missileType = 0;
    int cost = 0;
    int lastLauncher = -1;
};

} // namespace testing_rules
