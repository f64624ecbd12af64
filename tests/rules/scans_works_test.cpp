// Works scans: bomb targets within the weapon reach, temporary structures, road work sites.
#include "rules/scans_works.h"

#include "grid_reach.h"
#include "tests/rules/commands_world.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using testing_rules::CommandWorld;
using testing_rules::GridReach;
using testing_state::SmallWorld;

namespace {

using Hex = std::pair<int, int>;

constexpr int kOpenGround = 1;
constexpr int kStructure = 53;
// A terrain type the tests turn into road (flag 0x80).
constexpr int kRoad = 2;

std::vector<Hex> hexesOf(const HexScan& scan)
{
    std::vector<Hex> out;
    for (const HexScanHit& hit : scan.hits())
        out.push_back({ hit.x, hit.y });
    return out;
}

void addStructure(SmallWorld& world, int x, int y, int durability)
{
    world.cell(x, y).terrain = kStructure;
    // Display code 2: a structure open to the west and the east.
    world.cell(x, y).displayCode = 2;
    world.state().listedHexes12().push_back(ListedHex12 { uint32_t(x), uint32_t(y), { uint8_t(durability), 0, 0, 0 } });
}

int landType(const GameState& state)
{
    for (const UnitTypeRecord& type : state.unitTypes())
        if (type.domain == 3 && type.id > 0)
            return type.id;
    return -1;
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
    world.building(world.placeBuilding(town, 1, 4, 3)).durability = 5;
    world.building(world.placeBuilding(town, 1, 3, 5)).durability = 5;
    world.building(world.placeBuilding(town, 1, 6, 3)).durability = 5;
    world.building(world.placeBuilding(town, 0, 2, 3)).durability = 5;

    BombTargetHexScan scan(s, 0, unit, 3, 3, false);
    scan.run();
    // (6, 3) is three hexes off and (2, 3) is the country's own.
    EXPECT_EQ(hexesOf(scan), (std::vector<Hex> { { 4, 3 }, { 3, 5 } }));

    world.unit(0, unit).ammunition[0] = 0;
    BombTargetHexScan empty(s, 0, unit, 3, 3, false);
    empty.run();
    EXPECT_EQ(empty.hitCount(), 0);
}

TEST(StructureHexScan, ListsWeakStructuresMostBuiltFirstAndNotesEnemiesOnThem)
{
    SmallWorld world(9, 9, kOpenGround);
    GameState& s = world.state();
    ASSERT_GT(s.terrainTypes().size(), size_t(kStructure));
    world.editTerrain(kRoad).flags |= 0x80;
    addStructure(world, 2, 2, 4);
    addStructure(world, 6, 2, 9);
    addStructure(world, 4, 6, 7);
    addStructure(world, 6, 6, 15);
    world.cell(3, 2).terrain = kRoad;
    world.placeUnit(2, landType(s), 4, 6);

    StructureHexScan scan(s, 0, 10, StructureLinks::Any);
    scan.scan(4, 4, 6);
    EXPECT_EQ(hexesOf(scan), (std::vector<Hex> { { 6, 2 }, { 4, 6 }, { 2, 2 } }));
    EXPECT_EQ(scan.hits()[0].key, 9u);
    EXPECT_EQ(scan.hits()[0].extra, 0u);
    EXPECT_EQ(scan.hits()[1].extra, 1u);

    // Only (2, 2) opens onto a road.
    StructureHexScan linked(s, 0, 10, StructureLinks::Connected);
    linked.scan(4, 4, 6);
    EXPECT_EQ(hexesOf(linked), (std::vector<Hex> { { 2, 2 } }));

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
    addStructure(world, 3, 3, 5);
    addStructure(world, 4, 3, 5);
    world.cell(4, 2).terrain = kRoad;
    world.cell(5, 2).terrain = kRoad;
    // A ring-2 site beside a road, never looked at.
    addStructure(world, 6, 4, 5);
    world.cell(7, 4).terrain = kRoad;
    GridReach worker(9, 9, 30);
    worker.fill(3);
    worker.set(3, 3, 5);
    worker.set(4, 3, 12);
    GridReach network(9, 9, 30);
    network.set(4, 2, 4);
    network.set(5, 2, 2);
    network.set(7, 4, 1);

    WorkSiteHexScan scan(s, worker, 10, network);
    scan.scan(4, 4, 4);
    EXPECT_EQ(hexesOf(scan), (std::vector<Hex> { { 4, 3 }, { 3, 3 } }));
    EXPECT_EQ(scan.hits()[0].extra, 2u);
    EXPECT_EQ(scan.hits()[1].extra, 4u);
    EXPECT_EQ(scan.countTopTies(), 1);

    network.set(5, 2, 4);
    WorkSiteHexScan tied(s, worker, 10, network);
    tied.scan(4, 4, 4);
    EXPECT_EQ(tied.countTopTies(), 2);

    // (4, 3) costs more than 10 over the cheapest site.
    worker.set(4, 3, 16);
    WorkSiteHexScan costly(s, worker, 10, network);
    costly.scan(4, 4, 4);
    EXPECT_EQ(hexesOf(costly), (std::vector<Hex> { { 3, 3 } }));
    // With no access in ring 1 the walk goes on to ring 2.
    WorkSiteHexScan further(s, worker, 3, network);
    further.scan(4, 4, 4);
    EXPECT_EQ(hexesOf(further), (std::vector<Hex> { { 6, 4 } }));
    WorkSiteHexScan none(s, worker, 0, network);
    none.scan(4, 4, 4);
    EXPECT_EQ(none.hitCount(), 0);
}
