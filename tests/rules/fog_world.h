// A small world for the fog tests: fog of war on, sight maps made, unit types shaped to known sight.
#pragma once

#include "tests/state/small_world.h"

#include "state/sight_maps.h"

#include <algorithm>

namespace testing_rules {

class FogWorld : public testing_state::SmallWorld {
public:
    FogWorld(int width = 12, int height = 12)
        : SmallWorld(width, height)
    {
        for (RuleSwitch rule : { kRuleSearch, kRuleSightLayers, kRuleConcealment, kRuleStacking, kRuleDayNight })
            setRule(rule, 0);
        setRule(kRuleSearch, 1);
        state().recreateSightMaps();
        landType = typeOfDomain(3);
        seaType = typeOfDomain(4);
        buildingTerrain = terrainOfKind(kTerrainBuilding);
        setSight(landType, 0);
        setSight(seaType, 0);
    }

    // The first available unit type of the domain, 0 when there is none.
    int typeOfDomain(int domain)
    {
        for (const UnitTypeRecord& type : state().unitTypes())
            if (type.domain == domain && type.available)
                return type.id;
        return 0;
    }

    // Every layer of the type sees as far as range, and it conceals itself nowhere.
    void setSight(int type_id, int range)
    {
        UnitTypeRecord& type = editType(type_id);
        std::fill(std::begin(type.sight), std::end(type.sight), uint8_t(range));
        type.concealRadius = type.terrainConcealRadius = type.secondConcealRadius = 0;
    }

    void setBuildingSight(int range)
    {
        TerrainRecord& terrain = editTerrain(buildingTerrain);
        std::fill(std::begin(terrain.groupValues), std::end(terrain.groupValues), uint8_t(range));
    }

    void ally(int a, int b)
    {
        state().country(a).allianceMask |= uint8_t(1u << b);
        state().country(b).allianceMask |= uint8_t(1u << a);
    }

    FogMap& fog() { return *state().fogMap(); }

    int landType = 0;
    int seaType = 0;
    int buildingTerrain = -1;
};

} // namespace testing_rules
