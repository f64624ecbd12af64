// The merge's and the split's arithmetic: how machines move between the two units, the previewed
// fuel, experience and fatigue, the buttons each state allows, and rule 19's doubled route cost.
#include "rules/machine_transfer.h"

#include "state/unit_facts.h"
#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

#include <vector>

using testing_rules::CommandWorld;

namespace {


// A unit of the type's first `machines` counters, numbered 1, 2, 3... so their order shows.
UnitRecord unitOf(const CommandWorld& world, int type, int machines, int fuel, int experience, int fatigue)
{
    UnitRecord unit {};
    unit.stateLow = 1;
    unit.unitTypeId = uint16_t(type);
    for (int i = 0; i < machines; ++i)
        unit.memberStrengths[i] = uint8_t(i + 1);
    unit.fuel = uint16_t(fuel);
    unit.experience = uint16_t(experience);
    unit.fatigue = uint16_t(fatigue);
    (void)world;
    return unit;
}

std::vector<int> counters(const UnitRecord& unit)
{
    std::vector<int> filled;
    for (uint8_t c : unit.memberStrengths)
        if (c)
            filled.push_back(c);
    return filled;
}

struct World : CommandWorld {
    World() { editType(plain).members = 5; }
};

} // namespace

TEST(SplitTransfer, FiveMachinesSplitThreeAndTwoAndMoveBothWays)
{
    World world;
    SplitTransfer split(unitOf(world, world.plain, 5, 40, 0, 0), 0, 0);
    EXPECT_EQ(split.rightCount(), 3) << "the part that moves on gets the larger half";
    EXPECT_EQ(split.leftCount(), 2);
    EXPECT_EQ(counters(split.right()), (std::vector<int> { 1, 2, 3 })) << "the first counters go";
    EXPECT_EQ(counters(split.left()), (std::vector<int> { 4, 5 }));
    EXPECT_EQ(split.buttons(), (TransferButtons { true, true, true }));

    EXPECT_TRUE(split.moveRight());
    EXPECT_EQ(split.leftCount(), 1);
    EXPECT_EQ(split.buttons(), (TransferButtons { true, true, false })) << "one machine always stays";
    EXPECT_FALSE(split.moveRight());
    EXPECT_EQ(counters(split.left()), (std::vector<int> { 5 }));

    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(split.moveLeft());
    EXPECT_EQ(split.rightCount(), 1);
    EXPECT_EQ(split.buttons(), (TransferButtons { true, false, true })) << "and one machine always goes";
    EXPECT_FALSE(split.moveLeft());
    EXPECT_EQ(counters(split.right()), (std::vector<int> { 1 }));
}

TEST(SplitTransfer, AOneMachineUnitCannotBeSplit)
{
    World world;
    SplitTransfer split(unitOf(world, world.plain, 1, 40, 0, 0), 0, 0);
    EXPECT_EQ(split.rightCount() + split.leftCount(), 1);
    EXPECT_EQ(split.buttons(), (TransferButtons { false, false, false })) << "a split into 1 and 0 is no split";
}

TEST(SplitTransfer, FuelFollowsEachPartsRouteAndNeverGoesBelowZero)
{
    struct Case {
        int fuel, stay, part, left, right;
    } cases[] = {
        { 40, 3, 5, 37, 35 },
        { 40, 0, 4, 40, 36 },
        { 4, 3, 9, 1, 0 },
        { 2, 6, 9, 0, 0 },
    };
    World world;
    for (const Case& c : cases) {
        SplitTransfer split(unitOf(world, world.plain, 4, c.fuel, 0, 0), c.stay, c.part);
        EXPECT_EQ(split.left().fuel, c.left) << "fuel " << c.fuel << " stay " << c.stay;
        EXPECT_EQ(split.right().fuel, c.right) << "fuel " << c.fuel << " part " << c.part;
    }
}

TEST(MergeTransfer, MachinesMoveOverAndBackWithThePreviewFollowing)
{
    World world;
    // The acting unit: 3 machines, fuel 30 before its route of 4, experience 600, fatigue 20;
    // its partner: 2 machines, fuel 10, experience 0, fatigue 0, one hex further (cost 6).
    MergeTransfer merge(unitOf(world, world.plain, 3, 30, 600, 20), unitOf(world, world.plain, 2, 10, 0, 0), 4, 6);
    EXPECT_EQ(merge.left().fuel, 26);
    EXPECT_EQ(merge.buttons(), (TransferButtons { false, false, true })) << "nothing moved yet";
    EXPECT_FALSE(merge.moveLeft()) << "the partner keeps its own machines";

    ASSERT_TRUE(merge.moveRight());
    EXPECT_EQ(counters(merge.right()), (std::vector<int> { 1, 2, 1 })) << "the acting unit's first machine joins";
    EXPECT_EQ(counters(merge.left()), (std::vector<int> { 2, 3 }));
    // fuel (2 x 10 + (26 - 2) x 1) / 3, experience (0 + 600) / 3, fatigue (0 + 20) / 3
    EXPECT_EQ(merge.right().fuel, 14);
    EXPECT_EQ(merge.right().experience, 200);
    EXPECT_EQ(merge.right().fatigue, 6);
    EXPECT_EQ(merge.buttons(), (TransferButtons { true, true, true }));

    ASSERT_TRUE(merge.moveRight());
    ASSERT_TRUE(merge.moveRight());
    EXPECT_EQ(merge.rightCount(), 5);
    EXPECT_EQ(merge.leftCount(), 0);
    EXPECT_EQ(merge.right().fuel, (2 * 10 + 24 * 3) / 5);
    EXPECT_EQ(merge.buttons(), (TransferButtons { true, true, false })) << "the type holds no more";
    EXPECT_FALSE(merge.moveRight());

    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(merge.moveLeft());
    EXPECT_EQ(counters(merge.right()), (std::vector<int> { 1, 2 }));
    EXPECT_EQ(counters(merge.left()), (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(merge.right().fuel, 10) << "back to the partner's own";
    EXPECT_EQ(merge.right().experience, 0);
    EXPECT_EQ(merge.right().fatigue, 0);
    EXPECT_EQ(merge.buttons(), (TransferButtons { false, false, true }));
}

TEST(MergeTransfer, FuelThePartnersRouteWouldBurnPastTheActingUnitsCountsNothing)
{
    World world;
    MergeTransfer merge(unitOf(world, world.plain, 2, 5, 0, 0), unitOf(world, world.plain, 2, 20, 0, 0), 2, 12);
    ASSERT_TRUE(merge.moveRight());
    EXPECT_EQ(merge.right().fuel, (2 * 20 + 0) / 3) << "3 - 10 below zero brings no fuel";
}

TEST(RouteFuelCost, RuleNineteenDoublesACostBeyondTheAllowance)
{
    World world;
    UnitTypeRecord& type = world.editType(world.plain);
    type.model[0].values[0] = 6;
    type.model[1].values[0] = 9;
    UnitRecord unit = unitOf(world, world.plain, 2, 40, 0, 0);
    struct Case {
        int rule, model, cost, fuel;
    } cases[] = {
        { 0, 0, 7, 7 }, { 1, 0, 6, 6 }, { 1, 0, 7, 14 }, { 1, 1, 7, 7 }, { 1, 0, -1, 0 }, { 1, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        world.setRule(kRuleFastMovement, c.rule);
        unit.model = uint8_t(c.model);
        EXPECT_EQ(routeFuelCost(world.state(), unit, c.cost), c.fuel) << "rule " << c.rule << " model " << c.model
                                                                      << " cost " << c.cost;
    }
}
