// Merging and splitting: counters passed, averaged supplies, entry cost, refusals and the hazards met.
#include "rules/merge_split.h"

#include "rules/commands.h"
#include "rules/execute_command.h"
#include "rules/mines.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/rules/combat_world.h"
#include "tests/rules/world_invariants.h"

#include <gtest/gtest.h>

using testing_rules::CombatWorld;

namespace {

// Country 0's acting unit A at (2, 2) with counters 10, 9, 8, 7; entering a hex costs 3 of a
// fuel allowance of 10.
struct MergeWorld : CombatWorld {
    MergeWorld()
    {
        editTerrain(state().terrainGrid()[0].terrain).moveCost[editType(plain).movementType] = 3;
        editType(plain).model[0].values[0] = 10;
        state().country(0).unitListLength = 100;
        a = placeUnit(0, plain, 2, 2);
        setCounters(0, a, { 10, 9, 8, 7 });
        currentAction(state()).beginAction(0, a);
    }
    void setCounters(int side, int index, std::vector<int> counters)
    {
        UnitRecord& u = unit(side, index);
        for (int i = 0; i < 10; ++i)
            u.memberStrengths[i] = uint8_t(i < int(counters.size()) ? counters[size_t(i)] : 0);
    }
    std::vector<int> counters(int side, int index)
    {
        std::vector<int> list;
        for (uint8_t c : unit(side, index).memberStrengths)
            if (c)
                list.push_back(c);
        return list;
    }
    const HistoryRecord& lastRecord() { return state().historyLog().record(state().historyLog().count() - 1); }
    int a = -1;
};

} // namespace

TEST(Merge, PassesCountersUpToTheTotalAndAveragesSupplies)
{
    MergeWorld world;
    const int b = world.placeUnit(0, world.plain, 3, 2);
    world.setCounters(0, b, { 5, 6 });
    UnitRecord& giver = world.unit(0, world.a);
    UnitRecord& receiver = world.unit(0, b);
    giver.fuel = 20, receiver.fuel = 5;
    giver.experience = 300, receiver.experience = 100;
    giver.fatigue = 40, receiver.fatigue = 10;
    giver.ammunition[0] = 5, receiver.ammunition[0] = 2;
    receiver.memberLimit = 2;

    ASSERT_TRUE(execMerge(world.state(), 3, 2, 4, {}));
    EXPECT_EQ(world.counters(0, b), (std::vector<int> { 5, 6, 10, 9 }));
    EXPECT_EQ(world.counters(0, world.a), (std::vector<int> { 8, 7 }));
    EXPECT_EQ(receiver.fuel, (5 * 2 + (20 - 3) * 2) / 4);
    EXPECT_EQ(receiver.experience, 200);
    EXPECT_EQ(receiver.fatigue, 25);
    EXPECT_EQ(receiver.ammunition[0], 3);
    EXPECT_EQ(receiver.memberLimit, 4);
    EXPECT_EQ(giver.memberLimit, 2);
    EXPECT_TRUE(giver.hasFlag(kUnitActed));
    EXPECT_EQ(world.lastRecord().value, 4u | 2u << 16);
}

TEST(Merge, TakesNoMoreThanBothHoldAndRefusesWhenNothingMoves)
{
    MergeWorld world;
    const int b = world.placeUnit(0, world.plain, 3, 2);
    world.setCounters(0, b, { 5, 6, 7 });
    world.unit(0, world.a).memberStrengths[1] = 0;

    EXPECT_FALSE(execMerge(world.state(), 3, 2, 3, {})) << "the receiver already holds the total";
    EXPECT_EQ(world.lastRecord().value, 0xFFFFFFFFu) << "recorded as failed";
    EXPECT_FALSE(execMerge(world.state(), 4, 4, 6, {})) << "no partner there";
    EXPECT_EQ(world.counters(0, b).size(), 3u);

    ASSERT_TRUE(execMerge(world.state(), 3, 2, 10, {}));
    EXPECT_EQ(world.counters(0, b), (std::vector<int> { 5, 6, 7, 10 })) << "no empty counter, none past the type's four";
    EXPECT_EQ(world.counters(0, world.a), (std::vector<int> { 8, 7 }));

    world.editType(world.plain).members = 10;
    ASSERT_TRUE(execMerge(world.state(), 3, 2, 10, {}));
    EXPECT_FALSE(unitExists(world.unit(0, world.a))) << "a giver left with nothing is destroyed";
    EXPECT_EQ(world.unitCell(2, 2).lowerSide[0], 0);
}

TEST(Split, MovesTheFirstCountersToANewUnitAtTheTargetHex)
{
    MergeWorld world;
    world.unit(0, world.a).fuel = 20;
    const uint16_t troop = world.unit(0, world.a).troopNumber;
    const int b = execSplit(world.state(), 3, 2, 1, {});
    ASSERT_GE(b, 0);
    EXPECT_NE(b, world.a);
    const UnitRecord& part = world.unit(0, b);
    EXPECT_EQ(world.counters(0, b), std::vector<int> { 10 });
    EXPECT_EQ(world.counters(0, world.a), (std::vector<int> { 9, 8, 7 }));
    EXPECT_NE(part.troopNumber, troop);
    EXPECT_EQ(world.unitCell(3, 2).lowerSide[0], 1);
    EXPECT_EQ(world.unitCell(3, 2).lowerUnit[0], b);
    EXPECT_EQ(part.fuel, 17);
    EXPECT_EQ(world.unit(0, world.a).memberLimit, 3);
    EXPECT_TRUE(part.hasFlag(kUnitActed));
    EXPECT_EQ(world.lastRecord().value, 1u | 3u << 16);
}

TEST(Split, EntryCostDoublesOnAnOverrunOrChargesTheWholeMoveAtTheLimit)
{
    struct Case {
        MoveFuel fuel;
        int fuelLeft;
    };
    for (const Case& c : { Case { { 1, 0 }, 14 }, Case { { 0, 7 }, 17 }, Case { { 0, 8 }, 20 - 14 },
             Case { { 0, 30 }, 0 } }) {
        MergeWorld world;
        world.unit(0, world.a).fuel = 20;
        const int b = execSplit(world.state(), 3, 2, 2, c.fuel);
        ASSERT_GE(b, 0);
        EXPECT_EQ(world.unit(0, b).fuel, c.fuelLeft) << c.fuel.overrun << " " << c.fuel.burned;
    }
}

TEST(Split, RefusedWithoutSomethingLeftBehindOrOntoATakenHex)
{
    MergeWorld world;
    const uint32_t count = world.state().unitCount(0);
    EXPECT_EQ(execSplit(world.state(), 3, 2, 4, {}), -1);
    EXPECT_EQ(execSplit(world.state(), 3, 2, 0, {}), -1);
    world.placeUnit(1, world.plain, 4, 2);
    EXPECT_EQ(execSplit(world.state(), 4, 2, 1, {}), -1);
    EXPECT_EQ(world.lastRecord().value, 0xFFFFFFFFu);
    EXPECT_EQ(world.state().unitCount(0), count);
    EXPECT_EQ(world.counters(0, world.a).size(), 4u);
}

TEST(Split, ThePartMovedOffMeetsTheMineAndThePendingAmbush)
{
    MergeWorld world;
    world.fillPool(0xFF);
    world.cell(3, 2).mineKind = kLandMineKind;
    world.cell(3, 2).mineCount = 2;
    const int b = execSplit(world.state(), 3, 2, 2, {});
    ASSERT_GE(b, 0);
    EXPECT_EQ(world.counters(0, b), (std::vector<int> { 7, 6 }));
    EXPECT_EQ(world.counters(0, world.a), (std::vector<int> { 8, 7 })) << "what stays behind is not hit";
    EXPECT_EQ(world.cell(3, 2).mineCount, 1);

    MergeWorld ambushed;
    ambushed.fillPool(0);
    const int waiting = ambushed.placeUnit(1, ambushed.other, 4, 2);
    ambushed.setCounters(0, ambushed.a, { 1, 9, 8, 7 });
    ambushed.state().command().ambushOnSplitOff = 1;
    ambushed.state().command().ambusherSide = 1;
    ambushed.state().command().ambusherIndex = uint32_t(waiting);
    const int part = execSplit(ambushed.state(), 3, 2, 1, {});
    EXPECT_EQ(part, -1) << "the ambusher wiped out the part";
    EXPECT_EQ(ambushed.cell(3, 2).turnMarks[1], 1 << 3);
    EXPECT_EQ(ambushed.unitCell(3, 2).lowerSide[0], 0);
    EXPECT_EQ(ambushed.counters(0, ambushed.a), (std::vector<int> { 9, 8, 7 }));
}

TEST(MergeOrder, TheWalkHandsTheMergeItsTargetTotalAndFuel)
{
    MergeWorld world;
    world.state().country(0).inPlay = 1;
    world.unit(0, world.a).fuel = 20;
    const int b = world.placeUnit(0, world.plain, 4, 2);
    world.setCounters(0, b, { 5 });
    world.unit(0, b).fuel = 0;

    executeCommand(world.state(), { { 3, 2 } }, 3, 2, kCommandMerge, 4 | 2 << 16, 3);
    EXPECT_EQ(world.counters(0, b), (std::vector<int> { 5, 10, 9 }));
    EXPECT_EQ(world.counters(0, world.a), (std::vector<int> { 8, 7 }));
    EXPECT_EQ(world.unit(0, b).fuel, (20 - 3 - 3) * 2 / 3) << "fuel left after the walk, less the entry cost";
    EXPECT_TRUE(testing_rules::worldInvariantFaults(world.state()).empty());
}
