// Works scans: bomb targets within the weapon reach, temporary structures, road work sites.
#include "rules/scans_works.h"

#include "grid_reach.h"
#include "scan_hits.h"
#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace testing_rules;
using testing_state::SmallWorld;

namespace {

constexpr int kStructure = 53;
// A terrain type the tests turn into road (flag 0x80).
constexpr int kRoad = 2;

// A structure with display code 2: open to the west and the east.
void addStructure(SmallWorld& world, int x, int y, int durability)
{
    world.cell(x, y).terrain = kStructure;
    world.cell(x, y).displayCode = 2;
    world.state().temporaryBridgeHexes().push_back(TemporaryBridgeHex { uint32_t(x), uint32_t(y), uint8_t(durability), 0, 0, 0 });
}

} // namespace

TEST(BombTargetHexScan, ListsDestroyableHexesWithinTheLoadedReach)
{
    CommandWorld world;
    GameState& s = world.state();
    world.giveWeapon(world.plain, 0, 4);
    WeaponRecord& gun = world.editWeapon(world.weaponOfKind(0));
    gun.reach = 2;
    gun.useValue = 1;
    const int unit = world.placeUnit(0, world.plain, 3, 3);
    const int town = world.terrainOfKind(kTerrainBuilding);
    for (auto [owner, x, y] : { std::array { 1, 4, 3 }, { 1, 3, 5 }, { 1, 6, 3 }, { 0, 2, 3 } })
        world.building(world.placeBuilding(town, owner, x, y)).durability = 5;

    BombTargetHexScan scan(s, 0, unit, 3, 3, false);
    scan.run();
    // (6, 3) is three hexes off and (2, 3) is the country's own.
    EXPECT_EQ(hexesOf(scan), (Hexes { { 4, 3 }, { 3, 5 } }));
    world.unit(0, unit).ammunition[0] = 0;
    scan.run();
    EXPECT_EQ(scan.hitCount(), 0);
}

TEST(StructureHexScan, ListsWeakStructuresMostBuiltFirstAndNotesEnemiesOnThem)
{
    CommandWorld world(9, 9);
    GameState& s = world.state();
    ASSERT_GT(s.terrainTypes().size(), size_t(kStructure));
    world.editTerrain(kRoad).flags |= 0x80;
    addStructure(world, 2, 2, 4);
    addStructure(world, 6, 2, 9);
    addStructure(world, 4, 6, 7);
    addStructure(world, 6, 6, 15);
    world.cell(3, 2).terrain = kRoad;
    world.placeUnit(2, world.plain, 4, 6);

    StructureHexScan scan(s, 0, 10, StructureLinks::Any);
    scan.scan(4, 4, 6);
    EXPECT_EQ(hexesOf(scan), (Hexes { { 6, 2 }, { 4, 6 }, { 2, 2 } }));
    EXPECT_EQ(scan.hits()[0].key, 9u);
    EXPECT_EQ(scan.hits()[0].extra, 0u);
    EXPECT_EQ(scan.hits()[1].extra, 1u);

    StructureHexScan linked(s, 0, 10, StructureLinks::Connected);
    linked.scan(4, 4, 6);
    EXPECT_EQ(hexesOf(linked), (Hexes { { 2, 2 } })) << "only (2, 2) opens onto a road";
    StructureHexScan weak(s, 0, 3, StructureLinks::Any);
    weak.scan(4, 4, 6);
    EXPECT_EQ(weak.hitCount(), 0);
}

TEST(WorkSiteHexScan, ClaimsEachAccessHexOnceAndEndsWithTheRingOfItsFind)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    world.editTerrain(kRoad).flags |= 0x80;
    // Sites (3, 3) and (4, 3) in ring 1 of (4, 4) share the road (4, 2); (4, 3) also has (5, 2).
    // A ring-2 site at (6, 4) has the road (7, 4).
    addStructure(world, 3, 3, 5);
    addStructure(world, 4, 3, 5);
    addStructure(world, 6, 4, 5);
    for (auto [x, y] : { Hex { 4, 2 }, { 5, 2 }, { 7, 4 } })
        world.cell(x, y).terrain = kRoad;
    GridReach worker(9, 9, 30);
    worker.fill(3);
    worker.set(3, 3, 5);
    worker.set(4, 3, 12);
    GridReach network(9, 9, 30);
    network.set(4, 2, 4);
    network.set(5, 2, 2);
    network.set(7, 4, 1);
    auto run = [&](int value) {
        auto scan = std::make_unique<WorkSiteHexScan>(s, worker, value, network);
        scan->scan(4, 4, 4);
        return scan;
    };

    auto scan = run(10);
    EXPECT_EQ(hexesOf(*scan), (Hexes { { 4, 3 }, { 3, 3 } }));
    EXPECT_EQ(scan->hits()[0].extra, 2u);
    EXPECT_EQ(scan->hits()[1].extra, 4u);
    EXPECT_EQ(scan->countTopTies(), 1);
    network.set(5, 2, 4);
    EXPECT_EQ(run(10)->countTopTies(), 2);

    worker.set(4, 3, 16);
    EXPECT_EQ(hexesOf(*run(10)), (Hexes { { 3, 3 } })) << "more than 10 over the cheapest site";
    EXPECT_EQ(hexesOf(*run(3)), (Hexes { { 6, 4 } })) << "no access in ring 1: ring 2 is walked";
    EXPECT_EQ(run(0)->hitCount(), 0);
}
