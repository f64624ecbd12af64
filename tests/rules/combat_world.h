// A small world for the combat tests: two land types of four members of strength 10, one shared gun.
#pragma once

#include "rules/combat_pair.h"
#include "rules/rules_context.h"
#include "state/memory_read_stream.h"
#include "state/sight_maps.h"
#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

#include <vector>

namespace testing_rules {

class CombatWorld : public CommandWorld {
public:
    CombatWorld()
        : CommandWorld(10, 8)
    {
        if (!state().hexMasks())
            state().recreateSightMaps();
        int id = 1;
        for (int* w : { &gunId, &gun2Id, &gun3Id }) {
            while (state().weaponIndex(id) == 0)
                ++id;
            *w = id++;
            editWeapon(*w) = WeaponRecord {};
        }
        gun = &editWeapon(gunId);
        gun->reach = 1;
        gun->multiplier = 4;
        gun->useValue = 1;
        gun->flags = 1 | 8 | 16;
        for (int c = 0; c < kTargetClassCount; ++c)
            gun->power[c] = 50;
        for (int type : { plain, other })
            shape(type);
        TerrainRecord& ground = editTerrain(state().terrainGrid()[0].terrain);
        std::fill(std::begin(ground.evasion), std::end(ground.evasion), uint8_t(0));
    }

    // Four members of strength 10, the gun in slot 0 with multiplier 1 and 5 rounds, no defence.
    void shape(int id)
    {
        UnitTypeRecord& type = editType(id);
        type.members = 4;
        type.memberStrength = 10;
        type.nightPercent = 100;
        std::fill(std::begin(type.defence), std::end(type.defence), uint16_t(0));
        type.areaRadius = 0;
        type.weaponSlot[0].weaponId = uint16_t(gunId);
        type.weaponSlot[0].multiplier = 1;
        for (UnitTypeModel& model : type.model) {
            model.ammo[0] = 5;
            std::fill(std::begin(model.values), std::end(model.values), uint8_t(0));
        }
    }

    // Every defence value of the type.
    void setDefence(int id, int value)
    {
        UnitTypeRecord& type = editType(id);
        std::fill(std::begin(type.defence), std::end(type.defence), uint16_t(value));
    }

    // A recorded pool of one repeated byte: 0 makes every draw its lowest value, 0xFF makes
    // random(0, 99) 95, random(0, 10) 3 and an even span's draw its upper half's first value.
    void fillPool(uint8_t byte)
    {
        std::vector<uint8_t> bytes(1 + RandomPool::kPoolSize + 16, byte);
        bytes[0] = 1;
        std::fill(bytes.end() - 16, bytes.end(), uint8_t(0));
        MemoryReadStream stream(bytes.data(), bytes.size());
        ASSERT_TRUE(state().randomPool().load(stream));
    }

    // The current engagement between two units, prepared and valued.
    CombatPair& engage(int side, int index, int target_side, int target_index)
    {
        CombatPair& pair = currentCombat(state());
        const UnitRecord& attacker = unit(side, index);
        pair.setAttacker(state(), side, index, attacker.x, attacker.y, false);
        pair.setDefender(state(), target_side, target_index);
        pair.prepare(state());
        pair.computeValues(state());
        return pair;
    }

    int gunId = 0;
    int gun2Id = 0;
    int gun3Id = 0;
    WeaponRecord* gun = nullptr;
};

} // namespace testing_rules
