// The transport condition: required members, arrivals at the target hex and a requirement out of reach.
#include "rules/victory.h"

#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/rules/victory_world.h"

#include <gtest/gtest.h>

using testing_rules::VictoryWorld;

namespace {

// A transport of the side that must reach (gx, gy).
int placeTransport(VictoryWorld& world, int side, int x, int y, int gx, int gy)
{
    const int index = world.placeUnit(side, world.landType, x, y);
    UnitRecord& unit = world.unit(side, index);
    unit.watchBits = 2;
    unit.goalX = uint8_t(gx);
    unit.goalY = uint8_t(gy);
    return index;
}

} // namespace

TEST(TransportCondition, RequiredRoundsUpAndCountsNeutralTransportsWhenAsked)
{
    VictoryWorld world;
    GameState& s = world.state();
    TurnBlock& turn = s.turnBlock();
    s.country(0).transportPercent = 50;
    turn.transportTotal[0] = 5;
    turn.transportTotal[8] = 4;
    EXPECT_EQ(transportRequired(s, 0), 3);
    s.country(0).victoryFlags = 1;
    EXPECT_EQ(transportRequired(s, 0), 5);

    turn.transportArrived[8] = 4;
    EXPECT_FALSE(isTransportMet(s, 0));
    turn.transportArrived[0] = 1;
    EXPECT_TRUE(isTransportMet(s, 0));

    // A requirement with nothing to carry is never met.
    s.country(1).transportPercent = 100;
    EXPECT_EQ(transportRequired(s, 1), 0);
    EXPECT_FALSE(isTransportMet(s, 1));
}

TEST(TransportCondition, OutOfReachOnceTooFewMembersAreLeft)
{
    VictoryWorld world;
    GameState& s = world.state();
    const int members = strengthSlotCount(world.unit(0, placeTransport(world, 0, 1, 1, 9, 6)));
    ASSERT_GT(members, 0);
    s.tallyWatchedUnits();
    EXPECT_EQ(s.turnBlock().transportTotal[0], members);
    EXPECT_TRUE(canStillMeetTransport(s, 0)) << "a percent of 0 never fails";
    s.country(0).transportPercent = 100;
    EXPECT_TRUE(canStillMeetTransport(s, 0));

    // The transport was lost: nothing can arrive any more.
    world.unit(0, 0) = UnitRecord {};
    EXPECT_FALSE(canStillMeetTransport(s, 0));
    world.placeUnit(0, world.landType, 4, 4);
    s.endCheckFlags() = kEndCheckUnitDestroyed;
    checkEndOfGame(s, 1);
    EXPECT_EQ(world.outcome(0), kOutcomeTransportFailed);
    EXPECT_EQ(world.dialogs.callsOf("showGameEnd").back().args, (std::vector<int64_t> { 0, kGameEndTransportFailed }));

    // The neutral side answers for the first country that counts its transports; none: still possible.
    EXPECT_TRUE(canStillMeetTransport(s, 8));
}

TEST(TransportArrival, AUnitOnItsTargetHexArrivesAndLeavesPlay)
{
    VictoryWorld world;
    GameState& s = world.state();
    s.country(1).transportPercent = 50;
    const int away = placeTransport(world, 1, 2, 2, 9, 6);
    EXPECT_EQ(checkTransportArrival(s, 1, away), 0);
    EXPECT_EQ(s.endCheckFlags(), 0);

    const int there = placeTransport(world, 1, 9, 6, 9, 6);
    const int members = strengthSlotCount(world.unit(1, there));
    const uint32_t records = s.historyLog().count();
    EXPECT_EQ(checkTransportArrival(s, 1, there), 1);
    EXPECT_FALSE(unitExists(world.unit(1, there)));
    EXPECT_EQ(world.unitCell(9, 6).lowerSide[s.unitSlotFor(3)], 0);
    EXPECT_EQ(s.turnBlock().transportArrived[1], members);
    EXPECT_EQ(s.endCheckFlags(), kEndCheckArrival);
    EXPECT_EQ(s.historyLog().count(), records + 1);
}

TEST(TransportArrival, CarriersUnloadArrivedCargoAndDropTheirCargoFlagWhenEmpty)
{
    VictoryWorld world;
    GameState& s = world.state();
    s.country(0).controller = 1;
    const int carrier = world.placeUnit(0, world.landType, 5, 5);
    const int cargo = world.addUnit(0, world.landType, 5, 5);
    const int rider = world.addUnit(0, world.landType, 5, 5);
    UnitRecord& c = world.unit(0, carrier);
    c.flags |= kUnitCarrying;
    c.setCarriedUnit(0, cargo);
    c.setCarriedUnit(1, rider);
    for (int i : { cargo, rider }) {
        world.unit(0, i).flags |= kUnitAboard;
        world.unit(0, i).carrierSide = 1;
        world.unit(0, i).carrierIndex = uint16_t(carrier + 1);
    }
    world.unit(0, cargo).watchBits = 2;
    world.unit(0, cargo).goalX = 5;
    world.unit(0, cargo).goalY = 5;

    handleArrivals(s, 0, carrier);
    EXPECT_FALSE(unitExists(world.unit(0, cargo)));
    EXPECT_EQ(world.unit(0, carrier).carriedUnits[0], 0);
    EXPECT_TRUE(world.unit(0, carrier).hasFlag(kUnitCarrying)) << "the rider is still aboard";
    // A person's country hears of its own arrival.
    EXPECT_EQ(world.dialogs.callsOf("showEventNotice").back().args, (std::vector<int64_t> { 8, 0, cargo }));

    world.unit(0, rider).watchBits = 2;
    world.unit(0, rider).goalX = 5;
    world.unit(0, rider).goalY = 5;
    handleArrivals(s, 0, carrier);
    EXPECT_FALSE(world.unit(0, carrier).hasFlag(kUnitCarrying));
}
