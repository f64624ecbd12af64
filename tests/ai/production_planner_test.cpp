// The computer's production: funds, reserve and limits kept; occupiers, anti-air and the front preferred.
#include "ai/production_planner.h"

#include "tests/rules/production_world.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

#include <future>
#include <initializer_list>
#include <thread>

namespace {

// Country 0 with a capital and three cities in a row, country 1 its enemy in the far corner. Each
// type costs 400 (four counters at 100) but `third`, 300; `plain` is armed and worth the most for its
// price, `other` may occupy, `third` fires at air.
class PlannerWorld : public testing_rules::ProductionWorld {
public:
    PlannerWorld()
    {
        setRule(kRuleProductionAnyDistance, 1);
        build(capital, 0, 0, 0);
        for (int x : { 2, 4, 6 })
            build(city, 0, x, 0);
        build(capital, 1, 11, 11);
        for (int c : { 0, 1 }) {
            country(c).inPlay = 1;
            country(c).capitalX = uint16_t(c == 0 ? 0 : 11);
            country(c).capitalY = uint16_t(c == 0 ? 0 : 11);
        }
        giveWeapon(plain, kWeaponGun, 10);
        editWeapon(editType(plain).weaponSlot[0].weaponId).power[kTargetOtherLand] = 20;
        editType(other).flags = 0x80;
        giveWeapon(third, kWeaponAntiAir, 10);
        editWeapon(editType(third).weaponSlot[0].weaponId).power[kTargetLowAir] = 20;
        editType(third).memberPrice = 75;
        allow({ plain, other, third });
    }

    void allow(std::initializer_list<int> ids)
    {
        ProductionTypeRecord record {};
        for (int id : ids)
            record.setProducible(id, true);
        state().setSideProductionType(0, record);
    }

    // Type ids of side 0's live units in index order.
    std::vector<int> bought()
    {
        std::vector<int> ids;
        for (uint32_t i = 0; i < state().unitCount(0); ++i)
            if (unitExists(unit(0, int(i))))
                ids.push_back(unit(0, int(i)).unitTypeId);
        return ids;
    }

    int run() { return ProductionPlanner(state(), 0).run(); }
};

} // namespace

TEST(ProductionPlanner, SpendsOnlyWhatTheFundsAllowAtFreeSites)
{
    PlannerWorld world;
    world.country(0).funds = 1000;
    EXPECT_EQ(world.run(), 0);
    EXPECT_EQ(world.bought().size(), 2u);
    EXPECT_EQ(packed(world.country(0).funds), 1000u - 800u);

    // Four hexes to produce at (capital and three cities), one unit each with stacking off.
    PlannerWorld rich;
    rich.country(0).funds = 100000;
    rich.run();
    EXPECT_EQ(rich.bought().size(), 4u);
    rich.run();
    EXPECT_EQ(rich.bought().size(), 4u);
}

TEST(ProductionPlanner, KeepsTheSideCapacityAndTheProductionLimit)
{
    PlannerWorld world;
    world.country(0).funds = 100000;
    world.country(0).unitListLength = 2;
    world.run();
    EXPECT_EQ(world.bought().size(), 2u);

    PlannerWorld limited;
    limited.country(0).funds = 100000;
    limited.setRule(kRuleProductionLimit, 1);
    limited.country(0).productionLimit = 3;
    limited.country(0).producedThisTurn = 2;
    limited.run();
    EXPECT_EQ(limited.bought().size(), 1u);
    EXPECT_EQ(packed(limited.country(0).producedThisTurn), 3);
}

TEST(ProductionPlanner, BuysNothingThatWouldDipIntoTheReserve)
{
    PlannerWorld world;
    world.allow({ world.plain, world.other });
    // Three units priced 1200 in all: a reserve of 120.
    for (int x : { 8, 9, 10 })
        world.placeUnit(0, world.other, x, 5);
    ProductionPlanner planner(world.state(), 0);
    EXPECT_EQ(planner.reserve(), 120u);

    world.country(0).funds = 519;
    world.run();
    EXPECT_EQ(world.bought().size(), 3u);
    EXPECT_EQ(packed(world.country(0).funds), 519u);

    world.country(0).funds = 520;
    world.run();
    EXPECT_EQ(world.bought().size(), 4u);
    EXPECT_EQ(packed(world.country(0).funds), 120u);
}

TEST(ProductionPlanner, BuysAnOccupierFirstWhenTheCountryHasNone)
{
    PlannerWorld world;
    world.country(0).funds = 800;
    world.run();
    // The occupier comes first; then one in three units occupying is enough and the armed type wins.
    EXPECT_EQ(world.bought(), (std::vector<int> { world.other, world.plain }));
}

TEST(ProductionPlanner, BuildsAntiAirOnlyWhileEnemyAircraftAreSeen)
{
    PlannerWorld calm;
    calm.placeUnit(0, calm.other, 8, 5);
    calm.country(0).funds = 400 + 40;
    calm.run();
    EXPECT_EQ(calm.bought().back(), calm.plain);

    PlannerWorld raided;
    raided.placeUnit(0, raided.other, 8, 5);
    raided.placeUnit(1, raided.aircraft, 9, 9);
    raided.country(0).funds = 300 + 400 + 40;
    raided.run();
    // One anti-air unit answers the one aircraft; the rest goes to the best worth again.
    EXPECT_EQ(raided.bought(), (std::vector<int> { raided.other, raided.third, raided.plain }));
}

TEST(ProductionPlanner, ProducesAtTheSiteNearestTheEnemyFirst)
{
    PlannerWorld world;
    world.allow({ world.plain });
    world.placeUnit(0, world.other, 8, 5);
    world.country(0).funds = 440;
    world.run();
    ASSERT_EQ(world.bought().size(), 2u);
    const UnitRecord& made = world.unit(0, 1);
    EXPECT_EQ(made.x, 6);
    EXPECT_EQ(made.y, 0);

    // A target country's capital is the front even when another enemy stands nearer.
    PlannerWorld targeted;
    targeted.allow({ targeted.plain });
    targeted.placeUnit(0, targeted.other, 8, 5);
    targeted.build(targeted.capital, 2, 0, 11);
    targeted.country(2).inPlay = 1;
    targeted.country(2).capitalX = 0;
    targeted.country(2).capitalY = 11;
    targeted.country(0).targetCountry = 2;
    targeted.country(0).funds = 440;
    targeted.run();
    EXPECT_EQ(targeted.unit(0, 1).x, 0);
    EXPECT_EQ(targeted.unit(0, 1).y, 0);
}

TEST(ProductionPlanner, AnInterruptAnsweredWithStopEndsThePlanBeforeAnyPurchase)
{
    for (uint32_t reply : { 1u, 0u }) {
        PlannerWorld world;
        world.country(0).funds = 400;
        Handshake& handshake = world.state().handshake();
        handshake.setPlayRunning(true);
        handshake.setUiLinkReady();
        auto result = std::async(std::launch::async, [&] { return world.run(); });
        while (handshake.openWaitCount() == 0)
            std::this_thread::yield();
        handshake.replyToGame(reply);
        EXPECT_EQ(result.get(), reply == 1 ? 1 : 0);
        EXPECT_EQ(world.bought().size(), reply == 1 ? 0u : 1u);
        handshake.setPlayRunning(false);
    }
}
