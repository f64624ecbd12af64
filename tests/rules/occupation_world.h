// OccupationWorld: three countries in play around buildings of known strength, with recorded windows.
#pragma once

#include "rules/links.h"
#include "rules/rules_context.h"
#include "state/turn_stats.h"
#include "tests/rules/combat_world.h"
#include "tests/rules/victory_world.h"

namespace testing_rules {

class OccupationWorld : public CombatWorld {
public:
    static constexpr int kTownIncome = 5;

    OccupationWorld()
    {
        GameState& s = state();
        for (int c = 0; c < kCountryCount; ++c) {
            s.country(c).controller = c < 3 ? 2 : 0;
            s.country(c).inPlay = c < 3 ? 1 : 0;
            s.country(c).capitalX = 0xFFFF;
            s.country(c).capitalY = 0xFFFF;
        }
        s.turnBlock().currentCountry = 0;
        s.turnBlock().phase = 5;
        town = terrainOfKind(kTerrainBuilding);
        capital = terrainOfKind(kTerrainCapital);
        city = s.terrainRoles().largeCity;
        shapeBuilding(town, 10, 4, kTownIncome);
        shapeBuilding(capital, 30, 8, 20);
        shapeBuilding(city, 20, 6, 12);
        s.appendTurnStats(TurnStatsRecord {});
        setRulesLinks({ &window, &map, &dialogs, nullptr });
    }
    ~OccupationWorld() { setRulesLinks({}); }

    void shapeBuilding(int type, int durability, int points, int income)
    {
        TerrainRecord& t = editTerrain(type);
        t.durability = uint8_t(durability);
        t.occupationValue = uint8_t(points);
        t.income = uint16_t(income);
    }
    // A building placed the way a loaded map has it: occupation points at the type's maximum.
    int placeTown(int owner, int x, int y, int type = -1)
    {
        const int b = placeBuilding(type < 0 ? town : type, owner, x, y);
        building(b).occupationDurability = building(b).terrain()->occupationValue;
        return b;
    }
    int placeCapital(int country, int x, int y)
    {
        cell(x, y).terrain = uint8_t(capital);
        state().country(country).capitalX = uint16_t(x);
        state().country(country).capitalY = uint16_t(y);
        state().turnBlock().capitalMask |= uint8_t(1u << country);
        return placeTown(country, x, y, capital);
    }
    // A unit of the side stored in the building.
    int storeUnit(int side, int b)
    {
        const int index = addUnit(side, plain, int(building(b).x), int(building(b).y));
        unit(side, index).flags |= kUnitStored;
        building(b).addUnit(side, index);
        return index;
    }
    // A unit of the side still being produced on the hex (the upper layer's slot).
    int produceUnit(int side, int x, int y, int slot = 0)
    {
        const int index = addUnit(side, plain, x, y);
        unitCell(x, y).upperSide[slot] = uint16_t(side + 1);
        unitCell(x, y).upperUnit[slot] = uint16_t(index);
        return index;
    }
    // The unit acts; keep only its first `counters` strength counters.
    int actor(int side, int x, int y, int counters = 4)
    {
        const int index = placeUnit(side, plain, x, y);
        for (int m = counters; m < 10; ++m)
            unit(side, index).memberStrengths[m] = 0;
        currentAction(state()).beginAction(side, index);
        return index;
    }
    void ally(int a, int b)
    {
        state().country(a).allianceMask |= uint8_t(1u << b);
        state().country(b).allianceMask |= uint8_t(1u << a);
    }
    void pact(int a, int b)
    {
        state().country(a).pactMask |= uint8_t(1u << b);
        state().country(b).pactMask |= uint8_t(1u << a);
    }
    uint32_t income(int country) { return state().turnStatsAt(0)->country[country].income; }

    VisibleMainWindow window;
    HeadlessMapWindow map;
    HeadlessDialogs dialogs;
    int town = -1;
    int capital = -1;
    int city = -1;
};

} // namespace testing_rules
