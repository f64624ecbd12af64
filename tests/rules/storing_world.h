// A small world for the storing, boarding, civilian and exchange tests: a carrier type, a building and recorded links.
#pragma once

#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/rules_context.h"
#include "state/action_history.h"
#include "tests/rules/combat_world.h"

namespace testing_rules {

// Country 0 acts; `other` carries two units of `plain`'s class; the building type holds two units.
class StoringWorld : public CombatWorld {
public:
    static constexpr int kCargoClass = 1;

    StoringWorld()
    {
        UnitTypeRecord& carrier = editType(other);
        carrier.berthMask[0] = carrier.berthMask[1] = kCargoClass;
        carrier.berthCount[0] = carrier.berthCount[1] = 4;
        editType(plain).carryClass = kCargoClass;
        depot = terrainOfKind(kTerrainBuilding);
        editTerrain(depot).capacity = 2;
        state().country(0).controller = 2;
        state().country(0).inPlay = 1;
        state().country(0).unitListLength = 100;
        state().turnBlock().currentCountry = 0;
        setRulesLinks({ &window, nullptr, &dialogs, nullptr });
    }
    ~StoringWorld() { setRulesLinks({}); }

    void act(int side, int index) { currentAction(state()).beginAction(side, index); }
    // Puts cargo (side, index) into the carrier's first free berth, as boarding leaves it.
    void load(int carrier_side, int carrier, int side, int index)
    {
        UnitRecord& c = unit(carrier_side, carrier);
        for (uint16_t& berth : c.carriedUnits)
            if (!berth) {
                berth = uint16_t(index + 1) | (side == 8 ? 0x8000 : 0);
                break;
            }
        c.flags |= kUnitCarrying;
        UnitRecord& u = unit(side, index);
        u.flags |= kUnitAboard;
        u.carrierSide = uint8_t(carrier_side + 1);
        u.carrierIndex = uint16_t(carrier + 1);
        u.x = c.x;
        u.y = c.y;
    }
    void setTransport(int side, int index, int x, int y)
    {
        UnitRecord& u = unit(side, index);
        u.watchBits = 2;
        u.goalX = uint8_t(x);
        u.goalY = uint8_t(y);
    }
    bool registered(int x, int y, int side, int index)
    {
        const UnitCell& c = unitCell(x, y);
        for (int slot = 0; slot < 6; ++slot)
            if (c.lowerSide[slot] == side + 1 && c.lowerUnit[slot] == index)
                return true;
        return false;
    }
    const HistoryRecord& lastRecord() { return state().historyLog().record(state().historyLog().count() - 1); }

    HeadlessMainWindow window;
    HeadlessDialogs dialogs;
    int depot = -1;
};

} // namespace testing_rules
