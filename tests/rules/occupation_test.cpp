// Occupation: occupation points, the change of hands, what the building loses and the ties it breaks.
#include "rules/occupation.h"

#include "rules/command_dispatch.h"
#include "rules/commands.h"
#include "rules/victory.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/rules/occupation_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::OccupationWorld;

namespace {


} // namespace

TEST(OccupationPoints, CountersWearPointsDownAndCompleteWhenNotFewer)
{
    struct Case {
        int rule;
        int points;
        int counters;
        int pointsAfter;
    };
    // 3 counters against 3 points complete the occupation; against 4 they leave 1. Without the
    // rule one counter is enough. A taken building starts again at its maximum of 4.
    for (const Case c : { Case { 1, 3, 3, 4 }, Case { 1, 4, 3, 1 }, Case { 0, 4, 1, 4 } }) {
        OccupationWorld world;
        world.setRule(kRuleOccupationPoints, c.rule);
        const int b = world.placeTown(1, 3, 3);
        world.building(b).occupationDurability = uint8_t(c.points);
        world.actor(0, 3, 3, c.counters);
        const uint32_t records = world.state().historyLog().count();
        execOccupy(world.state());
        const bool taken = c.pointsAfter == 4;
        EXPECT_EQ(world.building(b).owner(), taken ? 0 : 1) << c.points << " points, " << c.counters << " counters";
        EXPECT_EQ(world.building(b).occupationDurability, c.pointsAfter);
        EXPECT_EQ(world.state().command().ownershipChanged, taken ? 1 : 0);
        ASSERT_EQ(world.state().historyLog().count(), records + 1);
        EXPECT_EQ(world.state().historyLog().record(records).value & 0xFFFF, taken ? 0u : 1u);
    }
}

TEST(OccupationPoints, OwnBuildingRegainsPointsUpToItsMaximum)
{
    OccupationWorld world;
    world.setRule(kRuleOccupationPoints, 1);
    const int b = world.placeTown(0, 3, 3);
    world.building(b).occupationDurability = 1;
    world.actor(0, 3, 3, 2);
    execOccupy(world.state());
    EXPECT_EQ(world.building(b).occupationDurability, 3);
    execOccupy(world.state());
    EXPECT_EQ(world.building(b).occupationDurability, 4) << "capped at the type's 4";
    EXPECT_EQ(world.state().command().ownershipChanged, 0);
}

TEST(OccupationChange, MovesIncomeCountsTakingsAndLosesWhatTheBuildingHeld)
{
    OccupationWorld world;
    GameState& s = world.state();
    s.turnStatsAt(0)->country[1].income = 100;
    const int held = world.placeTown(1, 3, 3);
    const int stored = world.storeUnit(1, held);
    const int produced = world.produceUnit(1, 3, 3);
    const int friendly = world.produceUnit(2, 3, 3, 1);
    world.ally(0, 2);
    const int unowned = world.placeTown(-1, 5, 5);
    world.unitCell(5, 5).place = 1;
    s.placeTable()[0].used = 1;
    s.placeTable()[0].target = 1;

    const int unit = world.actor(0, 3, 3);
    execOccupy(s);
    EXPECT_EQ(world.income(1), 100u - OccupationWorld::kTownIncome);
    EXPECT_EQ(world.income(0), uint32_t(OccupationWorld::kTownIncome));
    EXPECT_FALSE(unitExists(world.unit(1, stored)));
    EXPECT_EQ(world.building(held).unitCount(), 0);
    EXPECT_FALSE(unitExists(world.unit(1, produced))) << "the enemy's production in the building is lost";
    EXPECT_TRUE(unitExists(world.unit(2, friendly))) << "an ally's production stays";
    EXPECT_EQ(packed(s.country(0).commandCounter), 0u) << "taken from an owner";

    world.unitCell(3, 3).lowerSide[0] = 0;
    world.unit(0, unit).x = 5;
    world.unit(0, unit).y = 5;
    s.endCheckFlags() = 0;
    execOccupy(s);
    EXPECT_EQ(world.building(unowned).owner(), 0);
    EXPECT_EQ(packed(s.country(0).commandCounter), 1u) << "taken from nobody";
    EXPECT_EQ(s.endCheckFlags() & kEndCheckWatchedLost, kEndCheckWatchedLost) << "a target place changed hands";
}

TEST(OccupationChange, CapitalFallsToALargeCityWithItsMaximaCut)
{
    OccupationWorld world;
    GameState& s = world.state();
    const int capital = world.placeCapital(1, 4, 4);
    world.actor(0, 4, 4);
    execOccupy(s);
    const BuildingRecord& b = world.building(capital);
    EXPECT_EQ(b.owner(), 0);
    EXPECT_EQ(b.type, world.city);
    EXPECT_EQ(world.cell(4, 4).terrain, world.city);
    EXPECT_EQ(world.cell(4, 4).displayCode, s.terrainTypes()[size_t(world.city)].defaultDisplayCode);
    EXPECT_EQ(b.durability, 20) << "30 cut to the large city's 20";
    EXPECT_EQ(b.occupationDurability, 6) << "8 cut to the large city's 6";
    EXPECT_EQ(s.endCheckFlags() & kEndCheckCapital, kEndCheckCapital);
}

TEST(OccupationDiplomacy, AnAlliesBuildingEndsEveryAllianceAndAPartnersEndsThePact)
{
    OccupationWorld world;
    GameState& s = world.state();
    world.ally(0, 1);
    world.ally(0, 2);
    world.placeTown(1, 3, 3);
    world.actor(0, 3, 3);
    execOccupy(s);
    EXPECT_FALSE(s.isAllied(0, 1));
    EXPECT_FALSE(s.isAllied(0, 2)) << "every alliance of the occupier ends";

    OccupationWorld other;
    other.pact(0, 2);
    other.pact(0, 1);
    // An unowned building on the partner's land breaks that pact only.
    other.placeTown(-1, 3, 3);
    other.cell(3, 3).owner = 3;
    other.actor(0, 3, 3);
    execOccupy(other.state());
    EXPECT_FALSE(other.state().hasPactWith(0, 2));
    EXPECT_TRUE(other.state().hasPactWith(0, 1));
}

// Told to the person watching when their country takes the building or loses it: not to a third
// person watching, and to nobody in a game of computers alone.
TEST(OccupationDisplay, ResultWindowOnlyWhenTheViewersCountryTakesPart)
{
    struct Case {
        const char* what;
        int viewer;
        bool persons, shown;
    };
    const Case cases[] = {
        { "computers alone", 0, false, false },
        { "no viewer", 8, true, false },
        { "a third person watching", 2, true, false },
        { "the viewer lost it", 1, true, true },
        { "the viewer took it", 0, true, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OccupationWorld world;
        for (int country : { 0, 1, 2 })
            world.state().country(country).controller = c.persons ? 1 : 2;
        world.state().turnBlock().viewingCountry = int8_t(c.viewer);
        world.setRule(kRuleOccupationPoints, 1);
        const int b = world.placeTown(1, 3, 3);
        world.building(b).occupationDurability = 4;
        world.actor(0, 3, 3, 3);
        execOccupy(world.state());
        const auto shown = world.dialogs.callsOf("showOccupationResult");
        ASSERT_EQ(shown.size(), c.shown ? 1u : 0u);
        if (c.shown) {
            // The window's gauge runs from the points before the order to those after it.
            EXPECT_EQ(shown[0].args[2], 4) << "the record before";
            EXPECT_EQ(shown[0].args[3], 1) << "the record after";
        }
    }
}

TEST(OccupationDisplay, OccupyAndDestroyOrdersReachTheirExecutors)
{
    OccupationWorld world;
    const int taken = world.placeTown(1, 3, 3);
    const int struck = world.placeTown(1, 4, 3);
    world.actor(0, 3, 3);
    CommandRun occupy;
    occupy.code = kCommandOccupy;
    EXPECT_TRUE(runExecutorAfterMove(world.state(), occupy));
    EXPECT_EQ(world.building(taken).owner(), 0);
    CommandRun destroy;
    destroy.code = kCommandDestroy;
    // A destroy order names the target hex's x in target and its y in extra.
    destroy.target = 4;
    destroy.extra = 3;
    EXPECT_TRUE(runExecutorAfterMove(world.state(), destroy));
    EXPECT_EQ(world.building(struck).durability, 6);
}
