// A small world for the command tests: every rule off and three land types stripped to a known shape.
#pragma once

#include "tests/state/small_world.h"

#include "rules/commands.h"
#include "rules/headless_links.h"
#include "state/unit_facts.h"

#include <algorithm>
#include <vector>

namespace testing_rules {

// A map window that is open, so every step and mark is drawn.
struct OpenMapWindow : HeadlessMapWindow {
    bool isOpen() const override { return true; }
};

class CommandWorld : public testing_state::SmallWorld {
public:
    CommandWorld(int width = 8, int height = 8)
        : SmallWorld(width, height)
    {
        std::fill(std::begin(state().ruleBlock().switches), std::end(state().ruleBlock().switches), uint8_t(0));
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.available && type.id > 0 && (type.domain == 3 || type.domain <= 2))
                (type.domain == 3 ? land : air).push_back(type.id);
        for (int id : land)
            strip(id);
        for (int id : air)
            strip(id);
        plain = land.at(0);
        other = land.at(1);
        third = land.at(2);
        aircraft = air.at(0);
    }

    // No weapons, no special abilities, no alternate type, four members.
    void strip(int id)
    {
        UnitTypeRecord& type = editType(id);
        type.flags = 0;
        type.suppliedBy = 0;
        type.baseType = 0;
        type.unitClass = 1;
        type.members = 4;
        type.carryClass = 0;
        std::fill(std::begin(type.berthMask), std::end(type.berthMask), uint8_t(0));
        for (WeaponSlot& slot : type.weaponSlot)
            slot.weaponId = 0;
        for (UnitTypeModel& model : type.model)
            std::fill(std::begin(model.ammo), std::end(model.ammo), uint8_t(0));
    }

    // The first weapon of the kind in the master data.
    int weaponOfKind(int kind)
    {
        for (int id = 1; id < 20000; ++id)
            if (state().weaponIndex(id) && state().weaponRecord(id).kind == kind)
                return id;
        return 0;
    }

    // Puts a weapon of the kind into slot 0 of the type, with rounds for the full model.
    void giveWeapon(int type_id, int kind, int rounds, int slot = 0)
    {
        UnitTypeRecord& type = editType(type_id);
        type.weaponSlot[slot].weaponId = uint16_t(weaponOfKind(kind));
        type.model[0].ammo[slot] = uint8_t(rounds);
    }

    std::vector<int> land;
    std::vector<int> air;
    int plain = 0;
    int other = 0;
    int third = 0;
    int aircraft = 0;
};

constexpr uint32_t bit(int code) { return 1u << code; }

// The ask for a unit's command at a hex.
inline CommandAsk at(int side, int index, int x, int y, bool moving = false)
{
    CommandAsk ask;
    ask.side = side;
    ask.index = index;
    ask.x = x;
    ask.y = y;
    ask.moving = moving;
    return ask;
}

} // namespace testing_rules
