// Unit-centred point scans: buildings to capture and places to rearm, within the unit's allowance.
#include "rules/scans_unit_points.h"

#include "grid_reach.h"
#include "tests/state/small_world.h"
#include "tests/rules/scan_hits.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using testing_rules::GridReach;
using testing_state::SmallWorld;
using testing_rules::hexesOf;
using testing_rules::landType;

namespace {

using Hex = std::pair<int, int>;

} // namespace

TEST(CaptureHexScan, ChoosesUnownedOrEnemyBuildingsWithinTheAllowance)
{
    SmallWorld world(8, 8);
    GameState& s = world.state();
    const int town = world.terrainOfKind(kTerrainBuilding);
    ASSERT_GE(town, 0);
    const int unit = world.placeUnit(0, landType(s), 3, 3);
    const int unowned = world.placeBuilding(town, -1, 4, 3);
    world.placeBuilding(town, 2, 2, 3);
    world.placeBuilding(town, 0, 3, 4);
    world.placeBuilding(town, 5, 6, 6);
    s.country(0).allianceMask = 0b100001;
    s.country(5).allianceMask = 0b100001;
    GridReach reach(8, 8, 50);
    reach.fill(4);
    reach.set(4, 3, 6);
    reach.set(6, 6, 60);

    CaptureHexScan both(s, 0, unit, reach, CaptureTargets::Both, 10);
    both.scanFromUnit();
    // (6, 6) is beyond the allowance and allied anyway; (3, 4) is the unit's own.
    EXPECT_EQ(hexesOf(both), (std::vector<Hex> { { 2, 3 }, { 4, 3 } }));
    EXPECT_EQ(both.hits()[1].extra, uint32_t(unowned + 1));

    CaptureHexScan hostile(s, 0, unit, reach, CaptureTargets::Hostile, 10);
    hostile.scanFromUnit();
    EXPECT_EQ(hexesOf(hostile), (std::vector<Hex> { { 2, 3 } }));
    CaptureHexScan near(s, 0, unit, reach, CaptureTargets::Unowned, 5);
    near.scanFromUnit();
    EXPECT_TRUE(near.hits().empty());
}

TEST(AmmoPointHexScan, FindsDepotsAndNothingForAMissingUnit)
{
    SmallWorld world(8, 8);
    GameState& s = world.state();
    const int unit = world.placeUnit(1, landType(s), 2, 2);
    world.placeBuilding(41, -1, 5, 2);
    GridReach reach(8, 8, 50);
    reach.fill(7);
    AmmoPointHexScan scan(s, 1, unit, reach, 10);
    scan.scanFromUnit();
    EXPECT_EQ(hexesOf(scan), (std::vector<Hex> { { 5, 2 } }));

    AmmoPointHexScan missing(s, 1, unit + 50, reach, 10);
    missing.scanAt(2, 2, 8);
    EXPECT_TRUE(missing.hits().empty());
}
