// Test help: covers a small world's map with natural terrain a unit type can enter.
#pragma once

#include "rules/scans_placement.h"
#include "state/terrain_record.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

namespace testing_rules {

// The first natural terrain whose movement cost for the type's movement is set, on every hex.
inline void makeEnterable(testing_state::SmallWorld& world, int typeId)
{
    GameState& s = world.state();
    const int mt = scanMovementType(s.unitTypeRecord(typeId).movementType);
    const auto& types = s.terrainTypes();
    for (size_t t = 0; t < types.size(); ++t)
        if (types[t].kind < kTerrainBuilding && types[t].moveCost[mt] > 0) {
            for (int y = 0; y < world.height(); ++y)
                for (int x = 0; x < world.width(); ++x)
                    world.cell(x, y).terrain = uint8_t(t);
            return;
        }
    ADD_FAILURE() << "no terrain for movement type " << mt;
}

} // namespace testing_rules
