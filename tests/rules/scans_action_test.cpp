// The acting scans: hexes where the unit may act, reached by its ranges, nearest ring first.
#include "rules/scans_action.h"

#include "grid_reach.h"
#include "rules/area_layers.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

using testing_rules::GridReach;
using testing_state::SmallWorld;

namespace {

using Hex = std::pair<int, int>;

// A land unit of country 0 at (4, 4) on terrain it may act on; buildings of country 3, its enemy,
// are closed to it once storing (rule 6) is on.
struct ActingWorld {
    SmallWorld world { 9, 9 };
    int unit = -1;
    int town = -1;

    ActingWorld()
    {
        GameState& s = world.state();
        int land = -1;
        for (const UnitTypeRecord& type : s.unitTypes())
            if (type.domain == 3 && type.id > 0) {
                land = type.id;
                break;
            }
        unit = world.placeUnit(0, land, 4, 4);
        world.setRule(kRuleStoring, 1);
        town = world.terrainOfKind(kTerrainBuilding);
    }

    bool canAct(int x, int y) { return world.unit(0, unit).canActOnTerrain(x, y, 0); }
    void closeHex(int x, int y) { world.placeBuilding(town, 3, x, y); }
};

} // namespace

TEST(SharedReachHexScan, KeepsTheCheapestHexOfTheNearestRingBothRangesReach)
{
    ActingWorld w;
    GameState& s = w.world.state();
    ASSERT_TRUE(w.canAct(3, 4));
    w.closeHex(3, 4);
    ASSERT_FALSE(w.canAct(3, 4));
    GridReach a(9, 9, 50);
    GridReach b(9, 9, 50);
    a.fill(9);
    a.set(3, 4, 1);
    a.set(5, 4, 4);
    a.set(4, 3, 6);
    a.set(4, 6, 2);
    b.set(3, 4, 1);
    b.set(5, 4, 1);
    b.set(4, 3, 1);
    b.set(4, 6, 1);
    SharedReachHexScan scan(s, 0, w.unit, a, b);
    scan.scan(4, 4, 5);
    // (3, 4) is closed to the unit, (4, 6) lies in ring 2.
    EXPECT_EQ(scan.result(), (HexPos { 5, 4 }));

    GridReach none(9, 9, 50);
    SharedReachHexScan nothing(s, 0, w.unit, a, none);
    nothing.scan(4, 4, 5);
    EXPECT_FALSE(nothing.result().valid());
}

TEST(AreaActionHexScan, StopsAtTheRingOfItsFirstFindInsideTheArea)
{
    ActingWorld w;
    GameState& s = w.world.state();
    GridReach reach(9, 9, 50);
    reach.fill(3);
    auto area = std::make_unique<HexBitLayer>();
    // Nothing inside the area in rings 0 and 1; two hexes of ring 2, one closed; one in ring 3.
    area->set(2, 4);
    area->set(6, 4);
    area->set(4, 2);
    area->set(1, 4);
    w.closeHex(6, 4);
    reach.set(4, 2, 2);
    AreaActionHexScan scan(s, 0, w.unit, reach, *area);
    scan.scan(4, 4, 6);
    std::vector<Hex> found;
    for (const HexScanHit& hit : scan.hits())
        found.push_back({ hit.x, hit.y });
    EXPECT_EQ(found, (std::vector<Hex> { { 2, 4 }, { 4, 2 } }));
    EXPECT_EQ(scan.hits()[1].key, 2u);

    auto empty = std::make_unique<HexBitLayer>();
    AreaActionHexScan nothing(s, 0, w.unit, reach, *empty);
    nothing.scan(4, 4, 6);
    EXPECT_EQ(nothing.hitCount(), 0);
}
