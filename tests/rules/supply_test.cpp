// Supply search over roads, dead-end pruning, building supply bits and the current side's line display.
#include "rules/action_settlement.h"
#include "rules/rules_context.h"
#include "rules/supply_lines.h"
#include "rules/supply_search.h"
#include "tests/rules/supply_world.h"

#include <gtest/gtest.h>

#include <random>

using testing_rules::SupplyWorld;

namespace {

constexpr uint8_t kEast = 1u << 3;
constexpr uint8_t kWest = 1u << 0;
constexpr uint8_t kNorthEast = 1u << 4;

// Side 0: headquarters at (1, 2), a road east along row 2 to a large city at (7, 2), and a branch
// north from (4, 2) that ends at (4, 0).
class RoadWorld : public SupplyWorld {
public:
    RoadWorld()
    {
        hq = headquarters(0, 1, 2);
        road({ { 1, 2 }, { 2, 2 }, { 3, 2 }, { 4, 2 }, { 5, 2 }, { 6, 2 }, { 7, 2 } });
        road({ { 4, 2 }, { 4, 1 }, { 4, 0 } });
        city = placeBuilding(largeCity, 0, 7, 2);
    }

    int hq = -1;
    int city = -1;
};

} // namespace

TEST(SupplySearch, WalksRoadsFromTheSourceAndPrunesTheDeadEnd)
{
    RoadWorld world;
    SupplySearch search(world.state(), 0);
    search.search(1, 2);
    for (int x = 1; x <= 7; ++x) {
        ASSERT_TRUE(search.isReached(x, 2)) << x;
        EXPECT_EQ(search.distanceAt(x, 2), x - 1);
    }
    EXPECT_FALSE(search.isReached(4, 1)) << "the branch leads to no building";
    EXPECT_FALSE(search.isReached(4, 0));
    EXPECT_FALSE(search.isReached(3, 3)) << "off the road";
    EXPECT_EQ(search.cellByteAt(4, 2), kEast | kWest) << "the junction keeps only the line";
    EXPECT_EQ(search.roadCodeAt(4, 2), kEast | kWest | kNorthEast) << "the road code keeps what was found";
    EXPECT_EQ(search.cellByteAt(7, 2) & kWest, kWest);
}

TEST(SupplySearch, BuildingsOpenOnlyToTheirOwnerAndAllies)
{
    struct Case {
        int owner;
        bool destroyed;
        bool allied;
        bool entered;
    };
    for (Case c : { Case { 0, false, false, true }, Case { 1, false, false, false }, Case { 1, false, true, true },
             Case { -1, false, false, false }, Case { 0, true, false, false } }) {
        SupplyWorld world;
        world.headquarters(0, 1, 2);
        world.road({ { 1, 2 }, { 2, 2 }, { 3, 2 }, { 4, 2 } });
        const int b = world.placeBuilding(world.largeCity + 1, c.owner, 4, 2);
        world.building(b).destroyed = c.destroyed ? 1 : 0;
        if (c.allied) {
            world.state().country(0).allianceMask |= 2;
            world.state().country(1).allianceMask |= 1;
        }
        SupplySearch search(world.state(), 0);
        search.search(1, 2);
        EXPECT_EQ(search.isReached(4, 2), c.entered) << "owner " << c.owner << " destroyed " << c.destroyed;
        EXPECT_EQ(search.isReached(2, 2), c.entered) << "a road into a closed building is pruned back";
        EXPECT_TRUE(search.isReached(1, 2)) << "to the source";
        EXPECT_EQ(search.cellByteAt(1, 2), c.entered ? kEast : 0);
    }
}

TEST(SupplySearch, ArbitraryRoadBitsEndTheSearchWithTheSourceOnIt)
{
    // Map files may hold road bits that do not match their neighbours'; the pruning must still end.
    std::mt19937 random(7);
    SupplyWorld world(16, 16);
    world.headquarters(0, 8, 8);
    for (int round = 0; round < 200; ++round) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                world.cell(x, y).overlay = uint8_t(random() & 0x3F);
        SupplySearch search(world.state(), 0);
        search.search(8, 8);
        EXPECT_EQ(search.distanceAt(8, 8), 0);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (search.isReached(x, y) && (x != 8 || y != 8)) {
                    EXPECT_GT(search.distanceAt(x, y), 0);
                }
    }
    SupplySearch search(world.state(), 0);
    search.search(40, 40);
    EXPECT_FALSE(search.isReached(40, 40)) << "a source off the map is ignored";
    EXPECT_EQ(search.tryEnter(-1, 0, 0, 0), SupplySearch::NotEntered);
}

TEST(SupplyLines, ReachedBuildingsAreSuppliedAndTheCutOffOneIsNot)
{
    RoadWorld world;
    const int factory = world.placeBuilding(world.largeCity + 1, 0, 9, 1);
    updateSupplyLines(world.state());
    EXPECT_EQ(world.supplyBits(world.hq), 3);
    EXPECT_EQ(world.supplyBits(world.city), 3);
    EXPECT_EQ(world.supplyBits(factory), 0) << "no road leads there";

    world.cell(5, 2).overlay = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.supplyBits(world.city), 3) << "a large city is its own source";
    world.building(world.city).type = uint8_t(world.largeCity + 1);
    updateSupplyLines(world.state());
    EXPECT_EQ(world.supplyBits(world.city), 0) << "the cut road leaves it unsupplied";
    EXPECT_EQ(world.supplyBits(world.hq), 3);
}

TEST(SupplyLines, ShowsOnlyTheCurrentSidesLines)
{
    RoadWorld world;
    world.state().turnBlock().currentCountry = 1;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.unitCell(3, 2).supplyLineMask, 0);
    EXPECT_EQ(world.supplyBits(world.hq), 1) << "another side's turn touches only bit 0";

    world.state().turnBlock().currentCountry = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.unitCell(3, 2).supplyLineMask, kEast | kWest);
    EXPECT_EQ(world.unitCell(4, 1).supplyLineMask, 0) << "the pruned branch shows no line";
    EXPECT_NE(world.unitCell(4, 1).supplyRoad, 0) << "but its road code";
    EXPECT_EQ(world.unitCell(3, 3).supplyRoad, 0);

    world.setRule(kRuleSupplyLines, 0);
    world.building(world.hq).supplyBits = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.unitCell(3, 2).supplyLineMask, 0) << "with rule 38 off no line is shown";
    EXPECT_EQ(world.supplyBits(world.hq), 1) << "and every building is supplied";
}

TEST(SupplyLines, AlliedBuildingJoinsTheNetworkButKeepsItsOwnersSupply)
{
    RoadWorld world;
    world.state().country(0).allianceMask |= 2;
    world.state().country(1).allianceMask |= 1;
    const int allied = world.placeBuilding(world.largeCity + 1, 1, 7, 4);
    const int foreign = world.placeBuilding(world.largeCity + 1, 2, 8, 2);
    world.road({ { 7, 2 }, { 7, 3 }, { 7, 4 } });
    world.link({ 7, 2 }, { 8, 2 });
    world.building(foreign).supplyBits = 2;
    world.state().country(1).controller = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.supplyBits(allied), 1 | 2) << "bit 0 stays as its owner had it";
    EXPECT_EQ(world.supplyBits(foreign), 0) << "a side that is not allied is never on the network";

    world.building(allied).supplyBits = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.supplyBits(allied), 2);
}

TEST(SupplyLines, SideWithoutHeadquartersSearchesFromItsLargeCities)
{
    SupplyWorld world;
    world.state().country(0).capitalX = 1;
    world.state().country(0).capitalY = 2;
    const int capital_hex = world.placeBuilding(world.largeCity + 1, 0, 1, 2);
    world.road({ { 1, 2 }, { 2, 2 }, { 3, 2 } });
    updateSupplyLines(world.state());
    EXPECT_EQ(world.supplyBits(capital_hex), 0) << "no headquarters and no large city";

    const int city = world.placeBuilding(world.largeCity, 0, 3, 2);
    updateSupplyLines(world.state());
    EXPECT_EQ(world.supplyBits(city), 3);
    EXPECT_EQ(world.supplyBits(capital_hex), 3);
}

TEST(SupplyLines, FinishedActionRecomputesOutdatedLinesOnce)
{
    RoadWorld world;
    RulesSettlement settlement(world.state());
    setActionSettlement(&settlement);
    CurrentAction& action = currentAction(world.state());
    world.building(world.city).supplyBits = 0;
    action.finishActionQuiet();
    EXPECT_EQ(world.supplyBits(world.city), 0) << "lines not outdated: not recomputed";

    action.setSupplyLinesDirty();
    EXPECT_EQ(world.state().supplyLinesDirty(), 1);
    action.finishActionQuiet();
    EXPECT_EQ(world.supplyBits(world.city), 3);
    EXPECT_EQ(world.state().supplyLinesDirty(), 0);
    setActionSettlement(nullptr);
}
