// A small world for the production and service tests: country 0 with known funds, prices and buildings.
#pragma once

#include "tests/rules/commands_world.h"

#include "state/action_history.h"

namespace testing_rules {

class ProductionWorld : public CommandWorld {
public:
    ProductionWorld(int width = 12, int height = 12)
        : CommandWorld(width, height)
    {
        for (int c = 0; c < kCountryCount; ++c) {
            CountryRecord& record = state().country(c);
            record.marketRate = 100;
            record.unitListLength = 100;
            record.funds = 10000;
        }
        // Four counters of 10 strength at 100 a counter.
        for (int id : { plain, other, third, aircraft }) {
            UnitTypeRecord& type = editType(id);
            type.memberPrice = 100;
            type.memberStrength = 10;
            type.productionTurns = 3;
            type.defaultModel = 0;
        }
        // Open ground that every land and air movement type may enter.
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                cell(x, y).terrain = kOpenGround;
        capital = terrainOfKind(kTerrainCapital);
        city = terrainOfKind(kTerrainLargeCity);
        // Production of land units only, in a city that services land units.
        editTerrain(city).productionMask = 8;
        editTerrain(capital).productionMask = 8;
    }

    // A building of the terrain type whose hex is of that type too.
    int build(int terrain, int owner, int x, int y)
    {
        cell(x, y).terrain = uint8_t(terrain);
        return placeBuilding(terrain, owner, x, y);
    }

    CountryRecord& country(int c) { return state().country(c); }
    uint32_t historyCount() { return state().historyLog().count(); }

    static constexpr uint8_t kOpenGround = 1;
    int capital = -1;
    int city = -1;
};

} // namespace testing_rules
