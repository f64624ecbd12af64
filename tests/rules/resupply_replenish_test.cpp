// Replenishment and repair: capacities, limits cut by funds, the offer to a person or the computer.
#include "rules/headless_links.h"
#include "rules/replenish.h"

#include "platform/kernel/host.h"
#include "state/unit_facts.h"
#include "tests/rules/production_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::ProductionWorld;

namespace {

void seed(GameState& state, unsigned value)
{
    platform::crtSrand(value);
    state.randomPool().fill();
}

void setCounters(UnitRecord& unit, std::initializer_list<int> values)
{
    std::fill(std::begin(unit.memberStrengths), std::end(unit.memberStrengths), uint8_t(0));
    int i = 0;
    for (int v : values)
        unit.memberStrengths[i++] = uint8_t(v);
}

} // namespace

TEST(ServiceCapacity, CountdownSchemeStaysBetweenTheTurnShareAndHalfAgain)
{
    ProductionWorld world;
    world.setRule(kRuleProductionCount, 1);
    world.editType(world.plain).members = 10;
    int index = world.placeUnit(0, world.plain, 1, 1);
    seed(world.state(), 5);
    bool low = false, high = false;
    for (int i = 0; i < 300; ++i) {
        // Ten counters over three turns: 3, up to 5.
        int c = replenishCapacity(world.state(), 0, index);
        EXPECT_GE(c, 3);
        EXPECT_LE(c, 5);
        low |= c == 3;
        high |= c == 5;
    }
    EXPECT_TRUE(low && high);
    world.editType(world.plain).productionTurns = 0;
    EXPECT_EQ(replenishCapacity(world.state(), 0, index), 10);
    EXPECT_EQ(repairCapacity(world.state(), 0, index), 100);
}

TEST(Replenish, CountCutToMissingCountersCarrierAndFunds)
{
    ProductionWorld world;
    int index = world.placeUnit(0, world.plain, 1, 1);
    UnitRecord& unit = world.unit(0, index);
    setCounters(unit, { 10 });
    // Storing off: capacity at least 3, the three missing counters.
    EXPECT_EQ(replenishCount(world.state(), 0, index), 3);
    world.country(0).funds = 250;
    EXPECT_EQ(replenishCount(world.state(), 0, index), 2);
    world.country(0).funds = 99;
    EXPECT_EQ(replenishCount(world.state(), 0, index), 0);

    world.country(0).funds = 10000;
    world.setRule(kRuleCarrierCapacity, 1);
    int carrier = world.placeUnit(0, world.other, 2, 2);
    setCounters(world.unit(0, carrier), { 10, 10 });
    unit.flags |= kUnitAboard;
    unit.carrierSide = 1;
    unit.carrierIndex = uint16_t(carrier + 1);
    EXPECT_EQ(replenishCount(world.state(), 0, index), 1);
}

TEST(Replenish, AddsFullCountersPaysAndDilutesExperience)
{
    ProductionWorld world;
    int index = world.placeUnit(0, world.plain, 1, 1);
    UnitRecord& unit = world.unit(0, index);
    setCounters(unit, { 10, 0, 7 });
    unit.experience = 300;
    uint32_t history = world.historyCount();
    doReplenish(world.state(), 0, index, 2, 1);
    EXPECT_EQ(unit.memberStrengths[1], 10);
    EXPECT_EQ(unit.memberStrengths[3], 10);
    EXPECT_EQ(unit.experience, 150);
    EXPECT_EQ(packed(world.country(0).funds), 10000u - 200);
    EXPECT_EQ(packed(world.country(0).unitsBought), 2u);
    EXPECT_EQ(world.historyCount(), history + 1);

    // A full unit buys nothing, whatever was asked.
    doReplenish(world.state(), 0, index, 3, 1);
    EXPECT_EQ(packed(world.country(0).funds), 10000u - 200);
    EXPECT_EQ(world.historyCount(), history + 1);
}

TEST(Repair, SpreadsOverDamagedCountersInOrderAndPaysPerPoint)
{
    ProductionWorld world;
    int index = world.placeUnit(0, world.plain, 1, 1);
    UnitRecord& unit = world.unit(0, index);
    setCounters(unit, { 5, 10, 8 });
    // A counter's worth of strength costs 40 (one tenth of the 400 unit price).
    doRepair(world.state(), 0, index, 6, 0, 1);
    EXPECT_EQ(unit.memberStrengths[0], 10);
    EXPECT_EQ(unit.memberStrengths[2], 9);
    EXPECT_EQ(unit.memberStrengths[3], 0);
    EXPECT_EQ(packed(world.country(0).funds), 10000u - 24);

    world.country(0).funds = 10;
    setCounters(unit, { 2, 2 });
    EXPECT_EQ(repairAmount(world.state(), 0, index, 0), 2);
    doRepair(world.state(), 0, index, 9, 0, 1);
    EXPECT_EQ(strengthTotal(unit), 6);
    EXPECT_EQ(packed(world.country(0).funds), 2u);
}

TEST(Repair, HalvedRoundedUpAtABuildingThatCannotReplenish)
{
    ProductionWorld world;
    world.setRule(kRuleStoring, 1);
    world.build(world.city, 0, 1, 1);
    int index = world.placeUnit(0, world.plain, 1, 1);
    setCounters(world.unit(0, index), { 1, 1, 1, 1 });
    for (unsigned s = 1; s <= 20; ++s) {
        seed(world.state(), s);
        int capacity = repairCapacity(world.state(), 0, index);
        world.editTerrain(world.city).replenishMask = 1 << 3;
        seed(world.state(), s);
        EXPECT_EQ(repairAmount(world.state(), 0, index, 0), capacity);
        world.editTerrain(world.city).replenishMask = 0;
        seed(world.state(), s);
        EXPECT_EQ(repairAmount(world.state(), 0, index, 0), (capacity + 1) / 2);
        seed(world.state(), s);
        EXPECT_EQ(repairAmount(world.state(), 0, index, 1), capacity);
    }
}

TEST(Repair, FreeRepairSpendsTheCarriersGoodsNotFunds)
{
    ProductionWorld world;
    world.giveWeapon(world.other, kWeaponSupply, 10);
    int carrier = world.placeUnit(0, world.other, 2, 2);
    int index = world.addUnit(0, world.plain, 2, 2);
    UnitRecord& unit = world.unit(0, index);
    unit.flags |= kUnitAboard;
    unit.carrierSide = 1;
    unit.carrierIndex = uint16_t(carrier + 1);
    setCounters(unit, { 4, 10 });
    offerFreeRepair(world.state(), 0, index);
    EXPECT_GT(unit.memberStrengths[0], 4);
    EXPECT_EQ(packed(world.country(0).funds), 10000u);
    EXPECT_EQ(world.unit(0, carrier).ammunition[0], 9);
}

TEST(ReplenishOffer, ComputerAcceptsEveryPartAndAPersonAnswersThroughTheLink)
{
    ProductionWorld world;
    int index = world.placeUnit(0, world.plain, 1, 1);
    UnitRecord& unit = world.unit(0, index);
    setCounters(unit, { 5 });
    offerReplenishRepair(world.state(), 0, index, 1, 1, 0);
    EXPECT_EQ(unit.memberStrengths[0], 10);
    EXPECT_GE(strengthSlotCount(unit), 4);

    HeadlessMainWindow& window = headlessMainWindow();
    window.clear();
    world.country(0).controller = 1;
    setCounters(unit, { 5 });
    window.answers = {};
    offerReplenishRepair(world.state(), 0, index, 1, 1, 0);
    ASSERT_EQ(window.callsOf("askReplenish").size(), 1u);
    EXPECT_EQ(unit.memberStrengths[0], 5);
    EXPECT_EQ(strengthSlotCount(unit), 1);

    window.answers.acceptRepair = true;
    offerReplenishRepair(world.state(), 0, index, 1, 1, 0);
    EXPECT_EQ(unit.memberStrengths[0], 10);
    EXPECT_EQ(strengthSlotCount(unit), 1);
    window.answers = {};

    // Nothing to offer: the person is not asked.
    window.clear();
    setCounters(unit, { 10, 10, 10, 10 });
    offerReplenishRepair(world.state(), 0, index, 1, 1, 0);
    EXPECT_TRUE(window.callsOf("askReplenish").empty());
}
