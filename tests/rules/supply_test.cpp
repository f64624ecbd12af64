// Supply search over roads, dead-end pruning, building supply bits and the current side's line display.
#include "rules/action_settlement.h"
#include "rules/home_hex.h"
#include "rules/rules_context.h"
#include "rules/supply_lines.h"
#include "rules/supply_search.h"
#include "tests/state/small_world.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

constexpr uint8_t kWest = 1u << 0;
constexpr uint8_t kEast = 1u << 3;

// Countries 0..2 in play, rule 38 on, country 0's turn. Side 0's headquarters at (1, 2) and a road
// east along row 2 to (7, 2), with a branch north from (4, 2) that ends at (4, 0).
class RoadWorld : public testing_state::SmallWorld {
public:
    RoadWorld()
        : SmallWorld(12, 6)
    {
        setRule(kRuleSupplyLines, 1);
        for (int c : { 0, 1, 2 })
            state().country(c).controller = 2, state().country(c).inPlay = 1;
        state().turnBlock().currentCountry = 0;
        largeCity = state().terrainRoles().largeCity;
        state().country(0).capitalX = 1;
        state().country(0).capitalY = 2;
        hq = placeBuilding(31, 0, 1, 2);
        for (int x = 1; x < 7; ++x)
            link({ x, 2 }, { x + 1, 2 });
        link({ 4, 2 }, { 4, 1 });
        link({ 4, 1 }, { 4, 0 });
    }

    // Road bits both ways between two neighbouring hexes.
    void link(HexPos a, HexPos b)
    {
        for (int d = 0; d < kHexDirections; ++d)
            if (state().hexNeighbour(a.x, a.y, d) == b) {
                cell(a.x, a.y).overlay |= uint8_t(1u << d);
                cell(b.x, b.y).overlay |= uint8_t(1u << oppositeDirection(d));
            }
    }
    int bits(int b) { return building(b).supplyBits; }
    void ally(int a, int b)
    {
        state().country(a).allianceMask |= uint8_t(1u << b);
        state().country(b).allianceMask |= uint8_t(1u << a);
    }

    int largeCity = -1;
    int hq = -1;
};

} // namespace

TEST(SupplySearch, WalksRoadsFromTheSourceAndPrunesTheDeadEnd)
{
    RoadWorld world;
    world.placeBuilding(world.largeCity, 0, 7, 2);
    SupplySearch search(world.state(), 0);
    search.search(1, 2);
    for (int x = 1; x <= 7; ++x)
        EXPECT_EQ(search.distanceAt(x, 2), x - 1);
    EXPECT_FALSE(search.isReached(4, 1)) << "the branch leads to no building";
    EXPECT_FALSE(search.isReached(4, 0));
    EXPECT_EQ(search.cellByteAt(4, 2), kEast | kWest) << "the junction keeps only the line";
    EXPECT_EQ(search.roadCodeAt(4, 2), kEast | kWest | 1u << 4) << "the road code keeps what was found";
    search.search(40, 40);
    EXPECT_FALSE(search.isReached(40, 40)) << "a source off the map is ignored";
}

TEST(SupplySearch, RoadIntoAClosedBuildingIsPrunedBackToTheSource)
{
    struct Case {
        int owner;
        bool destroyed;
        bool allied;
        bool entered;
    };
    for (Case c : { Case { 0, false, false, true }, Case { 1, false, false, false }, Case { 1, false, true, true },
             Case { -1, false, false, false }, Case { 0, true, false, false } }) {
        RoadWorld world;
        const int b = world.placeBuilding(world.largeCity + 1, c.owner, 4, 2);
        world.building(b).destroyed = c.destroyed ? 1 : 0;
        if (c.allied)
            world.ally(0, 1);
        SupplySearch search(world.state(), 0);
        search.search(1, 2);
        EXPECT_EQ(search.isReached(4, 2), c.entered) << "owner " << c.owner << " destroyed " << c.destroyed;
        EXPECT_EQ(search.isReached(2, 2), c.entered);
        EXPECT_EQ(search.cellByteAt(1, 2), c.entered ? kEast : 0);
    }
}

TEST(SupplyLines, CutRoadLeavesABuildingUnsuppliedUnlessALargeCitySuppliesIt)
{
    RoadWorld world;
    const int city = world.placeBuilding(world.largeCity + 1, 0, 7, 2);
    const int off_road = world.placeBuilding(world.largeCity + 1, 0, 9, 1);
    updateSupplyLines(world.state());
    EXPECT_EQ(world.bits(world.hq), 3);
    EXPECT_EQ(world.bits(city), 3);
    EXPECT_EQ(world.bits(off_road), 0);

    world.cell(5, 2).overlay = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.bits(city), 0);
    world.building(city).type = uint8_t(world.largeCity);
    updateSupplyLines(world.state());
    EXPECT_EQ(world.bits(city), 3) << "a large city is a source of its own";

    world.building(world.hq).type = uint8_t(world.largeCity + 1);
    world.cell(5, 2).overlay = kEast | kWest;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.bits(world.hq), 3) << "without a headquarters the large city's network remains";
}

TEST(SupplyLines, OnlyTheCurrentSideIsShownAndRuleOffSuppliesAll)
{
    RoadWorld world;
    world.state().turnBlock().currentCountry = 1;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.unitCell(3, 2).supplyLineMask, 0);
    EXPECT_EQ(world.bits(world.hq), 1) << "another side's turn sets only bit 0";

    world.state().turnBlock().currentCountry = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.unitCell(1, 2).supplyLineMask, 0) << "a road to nowhere is no line";
    EXPECT_NE(world.unitCell(4, 1).supplyRoad, 0) << "but still a road";

    world.placeBuilding(world.largeCity, 0, 7, 2);
    updateSupplyLines(world.state());
    EXPECT_EQ(world.unitCell(3, 2).supplyLineMask, kEast | kWest);
    EXPECT_EQ(world.unitCell(4, 1).supplyLineMask, 0);

    world.setRule(kRuleSupplyLines, 0);
    world.building(world.hq).supplyBits = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.unitCell(3, 2).supplyLineMask, 0);
    EXPECT_EQ(world.bits(world.hq), 1);
}

TEST(SupplyLines, AlliedBuildingJoinsTheNetworkButKeepsItsOwnersSupply)
{
    RoadWorld world;
    world.ally(0, 1);
    world.state().country(1).controller = 0;
    const int allied = world.placeBuilding(world.largeCity + 1, 1, 7, 2);
    const int foreign = world.placeBuilding(world.largeCity + 1, 2, 8, 2);
    world.link({ 7, 2 }, { 8, 2 });
    world.building(foreign).supplyBits = 2;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.bits(allied), 3);
    EXPECT_EQ(world.bits(foreign), 0) << "a side not allied is never on the network";
    world.building(allied).supplyBits = 0;
    updateSupplyLines(world.state());
    EXPECT_EQ(world.bits(allied), 2) << "bit 0 stays as its owner had it";
}

TEST(SupplyLines, FinishedActionRecomputesOutdatedLines)
{
    RoadWorld world;
    RulesSettlement settlement(world.state());
    setActionSettlement(&settlement);
    world.building(world.hq).supplyBits = 0;
    currentAction(world.state()).finishActionQuiet();
    EXPECT_EQ(world.bits(world.hq), 0) << "lines not outdated: not recomputed";
    currentAction(world.state()).setSupplyLinesDirty();
    currentAction(world.state()).finishActionQuiet();
    EXPECT_EQ(world.bits(world.hq), 3);
    EXPECT_EQ(world.state().supplyLinesDirty(), 0);
    setActionSettlement(nullptr);
}

TEST(SupplyLines, ShippedMapsSupplyBuildingsOverTheirRoads)
{
    for (const char* name : { "continent.vtm", "riverside.vts" }) {
        testing_state::SmallWorld world(4, 4);
        GameState& state = world.state();
        std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tkmap" / name, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        ASSERT_TRUE(state.loadMapImage(bytes.data(), bytes.size())) << name;
        world.setRule(kRuleSupplyLines, 1);
        for (int c = 0; c < kCountryCount; ++c)
            if (state.country(c).controller)
                refreshCapitalHex(state, c);
        updateSupplyLines(state);
        int supplied = 0, owned = 0;
        for (const BuildingRecord& b : state.buildings())
            if (b.owner() >= 0 && b.type != 31 && b.type != state.terrainRoles().largeCity)
                owned += 1, supplied += b.supplyBits & 1;
        EXPECT_GT(supplied, owned / 2) << name << ": most buildings lie on the roads from their headquarters";
    }
}
