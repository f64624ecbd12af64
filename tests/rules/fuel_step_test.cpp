// Aircraft aloft and the end-of-turn fuel step.
#include "rules/fuel_step.h"

#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/rules_context.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "tests/rules/commands_world.h"

#include <gtest/gtest.h>

using testing_rules::CommandWorld;

namespace {

// Country 0, played by a person, with an aircraft of allowance 20 over open ground.
class FuelWorld : public CommandWorld {
public:
    FuelWorld()
    {
        setRulesLinks({ nullptr, nullptr, &dialogs, nullptr });
        state().country(0).controller = 1;
        state().country(0).inPlay = 1;
        state().country(1).inPlay = 1;
        editType(aircraft).model[0].values[0] = 20;
        plane = placeUnit(0, aircraft, 2, 2);
        unit(0, plane).fuel = 50;
        // Country 1 keeps a unit, so losing the aircraft ends nobody's game.
        placeUnit(1, plain, 6, 6);
    }
    ~FuelWorld() { setRulesLinks({}); }

    UnitRecord& aircraftUnit() { return unit(0, plane); }
    int refuellingBase(int x, int y)
    {
        const int town = terrainOfKind(kTerrainBuilding);
        editTerrain(town).refuelMask |= 1;
        return placeBuilding(town, 0, x, y);
    }

    HeadlessDialogs dialogs;
    int plane = 0;
};

} // namespace

TEST(AircraftAloft, OnlyAirUnitsOffTheirLandingGroundAreAloft)
{
    FuelWorld world;
    GameState& s = world.state();
    int soldier = world.placeUnit(0, world.plain, 4, 4);
    EXPECT_FALSE(isAirUnitAloft(s, 0, soldier, 4, 4));
    EXPECT_TRUE(isAirUnitAloft(s, 0, world.plane, 2, 2));

    world.refuellingBase(3, 2);
    EXPECT_FALSE(isAirUnitAloft(s, 0, world.plane, 3, 2)) << "a base that refuels it";
    world.setRule(kRuleStoring, 1);
    EXPECT_TRUE(isAirUnitAloft(s, 0, world.plane, 3, 2)) << "with storing on it must be stored to rest";
}

TEST(FuelStep, IdleAircraftBurnsHalfItsAllowanceOrAQuarterUnderRuleZero)
{
    FuelWorld world;
    fuelStep(world.state(), 0);
    EXPECT_EQ(world.aircraftUnit().fuel, 40);
    world.setRule(kRuleLowFuelUse, 1);
    fuelStep(world.state(), 0);
    EXPECT_EQ(world.aircraftUnit().fuel, 35);
}

TEST(FuelStep, AircraftThatActedOrRestsOnABaseBurnsNothingAndMayActAgain)
{
    FuelWorld world;
    GameState& s = world.state();
    world.aircraftUnit().flags |= kUnitActed;
    s.setMissileCount(0, 1);
    UnitRecord& missile = s.missileTable(0)[0];
    missile.stateLow = 1;
    missile.unitTypeId = uint16_t(world.aircraft);
    missile.flags = kUnitActed;
    fuelStep(s, 0);
    EXPECT_EQ(world.aircraftUnit().fuel, 50);
    EXPECT_FALSE(world.aircraftUnit().hasFlag(kUnitActed));
    EXPECT_FALSE(missile.hasFlag(kUnitActed)) << "missiles in flight too";

    world.refuellingBase(2, 2);
    fuelStep(world.state(), 0);
    EXPECT_EQ(world.aircraftUnit().fuel, 50);
}

TEST(FuelStep, AircraftWhoseBurnIsNotBelowItsFuelCrashes)
{
    FuelWorld world;
    GameState& s = world.state();
    world.aircraftUnit().fuel = 10;
    const uint32_t records = s.historyLog().count();
    fuelStep(s, 0);

    EXPECT_FALSE(unitExists(world.aircraftUnit()));
    EXPECT_EQ(world.unitCell(2, 2).lowerSide[0], 0) << "the hex is free again";
    EXPECT_EQ(s.historyLog().count(), records + 1);
    EXPECT_EQ(world.dialogs.callsOf("showEventNotice").size(), 1u) << "a person sees the crash";
    EXPECT_EQ(s.endCheckFlags(), 0) << "the end-of-game check ran";
    EXPECT_EQ(currentAction(s).commandCode(), 19);
}
