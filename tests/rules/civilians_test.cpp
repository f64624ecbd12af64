// Civilians picked up and set down, and transports delivered with the cargo they carry.
#include "rules/civilians.h"

#include "rules/mines.h"
#include "state/action_history.h"
#include "state/rule_block.h"
#include "state/unit_facts.h"
#include "tests/rules/storing_world.h"

#include <gtest/gtest.h>

using testing_rules::StoringWorld;

namespace {

// Country 0's carrier at (2, 2), acting; random(0, 10) draws come out as 3.
struct CivilianWorld : StoringWorld {
    CivilianWorld()
    {
        fillPool(0xFF);
        carrier = placeUnit(0, other, 2, 2);
        act(0, carrier);
    }
    // Country 0 watches its own; another watches under fog of war with no sight of anything.
    void watchUnderFog(int viewer)
    {
        state().turnBlock().viewingCountry = int8_t(viewer);
        setRule(kRuleSearch, viewer == 0 ? 0 : 1);
        state().recreateSightMaps();
    }
    int aboard()
    {
        int count = 0;
        for (uint16_t berth : unit(0, carrier).carriedUnits)
            count += berth != 0;
        return count;
    }
    int carrier = -1;
};

} // namespace

TEST(TakeCivilians, TheCivilianComesAboardFromTheNextHex)
{
    CivilianWorld world;
    const int civilian = world.placeUnit(8, world.plain, 3, 2);
    ASSERT_TRUE(execTakeCivilians(world.state(), 3, 2));
    const UnitRecord& c = world.unit(8, civilian);
    EXPECT_TRUE(c.hasFlag(kUnitAboard));
    EXPECT_EQ(c.carrierSide, 1);
    EXPECT_EQ(c.carrierIndex, world.carrier + 1);
    EXPECT_EQ(c.x, 2);
    EXPECT_EQ(world.unit(0, world.carrier).carriedUnits[0], 0x8000 | (civilian + 1));
    EXPECT_FALSE(world.registered(3, 2, 8, civilian));

    // A country's unit is not a civilian.
    world.placeUnit(1, world.plain, 1, 2);
    EXPECT_FALSE(execTakeCivilians(world.state(), 1, 2));
}

// Country 0's own pick-up is told of; to country 2, watching under fog of war and seeing nothing
// there, the civilian's mine is not.
TEST(TakeCivilians, AMineUnderTheCarrierHitsTheCivilianAndTeachesNobody)
{
    for (int viewer : { 2, 0 }) {
        SCOPED_TRACE(viewer);
        CivilianWorld world;
        world.watchUnderFog(viewer);
        world.cell(2, 2).mineKind = kLandMineKind;
        world.cell(2, 2).mineCount = 2;
        const int civilian = world.placeUnit(8, world.plain, 3, 2);
        ASSERT_TRUE(execTakeCivilians(world.state(), 3, 2));
        EXPECT_EQ(strengthTotal(world.unit(8, civilian)), 4 * 7);
        EXPECT_EQ(world.cell(2, 2).mineCount, 1);
        EXPECT_EQ(world.cell(2, 2).mineKnownMask, 0) << "the neutral side learns no mine";
        const auto notices = world.dialogs.callsOf("showEventNotice");
        ASSERT_EQ(notices.size(), viewer == 0 ? 1u : 0u);
        if (viewer == 0) {
            EXPECT_EQ(notices[0].args, (std::vector<int64_t> { 15, 8, civilian }));
        }

        // A civilian without members is destroyed rather than taken aboard.
        const int empty = world.placeUnit(8, world.plain, 2, 3);
        std::fill(std::begin(world.unit(8, empty).memberStrengths), std::end(world.unit(8, empty).memberStrengths), uint8_t(0));
        EXPECT_FALSE(execTakeCivilians(world.state(), 2, 3));
        EXPECT_FALSE(unitExists(world.unit(8, empty)));
        EXPECT_FALSE(world.registered(2, 3, 8, empty));
    }
}

TEST(ReleaseCivilians, SetsDownOnlyTheFirstCivilianOntoAnEmptyHex)
{
    CivilianWorld world;
    const int first = world.addUnit(8, world.plain, 2, 2);
    const int second = world.addUnit(8, world.plain, 2, 2);
    world.load(0, world.carrier, 8, first);
    world.load(0, world.carrier, 8, second);
    const int blocker = world.placeUnit(0, world.plain, 1, 1);

    EXPECT_FALSE(execReleaseCivilians(world.state(), 1, 1)) << "the land slot there is taken";
    EXPECT_FALSE(execReleaseCivilians(world.state(), 40, 1));
    ASSERT_TRUE(execReleaseCivilians(world.state(), 3, 3));
    const UnitRecord& c = world.unit(8, first);
    EXPECT_FALSE(c.hasFlag(kUnitAboard));
    EXPECT_EQ(c.carrierIndex, 0);
    EXPECT_EQ(c.x, 3);
    EXPECT_EQ(c.y, 3);
    EXPECT_EQ(world.unitCell(3, 3).lowerSide[0], 9);
    EXPECT_EQ(world.unitCell(3, 3).lowerUnit[0], first);
    EXPECT_TRUE(world.unit(8, second).hasFlag(kUnitAboard)) << "one civilian per order";
    EXPECT_EQ(world.aboard(), 1);
    EXPECT_TRUE(world.unit(0, world.carrier).hasFlag(kUnitCarrying));
    EXPECT_TRUE(world.registered(1, 1, 0, blocker));
}

// Delivered under the carrier's own country's eyes the notice names them; under fog of war, to
// country 2 that sees nothing there, it tells of the delivery only.
TEST(ReleaseCivilians, OnTheirDestinationTheyLeavePlayAndCountForTheGoal)
{
    for (int viewer : { 0, 2 }) {
        SCOPED_TRACE(viewer);
        CivilianWorld world;
        world.watchUnderFog(viewer);
        const uint32_t records = world.state().historyLog().count();
        const int civilian = world.addUnit(8, world.plain, 2, 2);
        world.load(0, world.carrier, 8, civilian);
        world.setTransport(8, civilian, 3, 3);
        ASSERT_TRUE(execReleaseCivilians(world.state(), 3, 3));
        EXPECT_FALSE(unitExists(world.unit(8, civilian)));
        EXPECT_FALSE(world.registered(3, 3, 8, civilian));
        EXPECT_EQ(world.state().turnBlock().transportArrived[8], 4);
        EXPECT_EQ(world.state().endCheckFlags() & 8, 8);
        EXPECT_EQ(world.state().turnBlock().transportLost[8], 0) << "a delivery is no loss";
        const std::vector<int64_t> named { 3, 8, civilian }, unnamed { 3, -1, -1 };
        EXPECT_EQ(world.dialogs.callsOf("showEventNotice").back().args, viewer == 0 ? named : unnamed);
        EXPECT_GT(world.state().historyLog().count(), records) << "the delivery is recorded all the same";
        EXPECT_FALSE(world.unit(0, world.carrier).hasFlag(kUnitCarrying));
    }
}

TEST(ReleaseCivilians, AMinedHexHitsThemBeforeTheyAreDelivered)
{
    CivilianWorld world;
    world.cell(4, 2).mineKind = kLandMineKind;
    world.cell(4, 2).mineCount = 1;
    const int civilian = world.addUnit(8, world.plain, 2, 2);
    world.load(0, world.carrier, 8, civilian);
    world.setTransport(8, civilian, 5, 5);

    ASSERT_TRUE(execReleaseCivilians(world.state(), 4, 2));
    EXPECT_EQ(strengthTotal(world.unit(8, civilian)), 4 * 7);
    EXPECT_EQ(world.cell(4, 2).mineKind, 0);
    EXPECT_TRUE(world.registered(4, 2, 8, civilian)) << "away from its destination it stays on the map";
    EXPECT_EQ(world.state().turnBlock().transportArrived[8], 0);
}

TEST(Delivery, ACarrierDeliversItsNestedCargoFirst)
{
    CivilianWorld world;
    const int truck = world.addUnit(0, world.other, 2, 2);
    const int rider = world.addUnit(0, world.plain, 2, 2);
    world.load(0, world.carrier, 0, truck);
    world.load(0, truck, 0, rider);
    world.setTransport(0, truck, 2, 2);
    world.setTransport(0, rider, 2, 2);

    deliverTransported(world.state(), 0, world.carrier, 2, 2);
    EXPECT_FALSE(unitExists(world.unit(0, truck)));
    EXPECT_FALSE(unitExists(world.unit(0, rider)));
    EXPECT_TRUE(unitExists(world.unit(0, world.carrier))) << "the carrier itself is no transport";
    EXPECT_EQ(world.aboard(), 0);
    EXPECT_FALSE(world.unit(0, world.carrier).hasFlag(kUnitCarrying));
    EXPECT_EQ(world.state().turnBlock().transportArrived[0], 8);
    EXPECT_EQ(world.lastRecord().side0, 0);
}

TEST(Delivery, CargoBoundElsewhereGetsOffInsteadOfVanishing)
{
    CivilianWorld world;
    const int truck = world.placeUnit(0, world.other, 5, 5);
    const int rider = world.addUnit(0, world.plain, 5, 5);
    world.load(0, truck, 0, rider);
    world.setTransport(0, truck, 5, 5);
    world.setTransport(0, rider, 1, 1);

    deliverTransported(world.state(), 0, truck, 5, 5);
    EXPECT_FALSE(unitExists(world.unit(0, truck)));
    const UnitRecord& r = world.unit(0, rider);
    ASSERT_TRUE(unitExists(r));
    EXPECT_FALSE(r.hasFlag(kUnitAboard));
    EXPECT_EQ(r.carrierIndex, 0);
    EXPECT_TRUE(world.registered(5, 5, 0, rider));
    EXPECT_EQ(world.state().turnBlock().transportArrived[0], 4);
}
