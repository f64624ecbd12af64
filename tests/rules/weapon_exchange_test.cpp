// Weapon exchange, bought or drawn from a supply unit; mine clearing and sweeping.
#include "rules/mine_clearing.h"
#include "rules/weapon_exchange.h"

#include "rules/mines.h"
#include "state/action_history.h"
#include "tests/rules/storing_world.h"

#include "platform/kernel/host.h"
#include "tests/state/packed_value.h"

#include <gtest/gtest.h>

using testing_rules::StoringWorld;

namespace {


// Country 0's unit at (3, 3), acting; model 1 carries 9 rounds of the gun, priced 10 a round.
struct ExchangeWorld : StoringWorld {
    ExchangeWorld()
    {
        editType(plain).model[1].ammo[0] = 9;
        editType(plain).model[1].fuel = 77;
        gun->ammoPrice = 10;
        u = placeUnit(0, plain, 3, 3);
        act(0, u);
        state().country(0).funds = 1000;
    }
    int u = -1;
};

uint32_t supplier(int side, int index) { return uint32_t(side) | uint32_t(index) << 16; }

} // namespace

TEST(WeaponExchange, BoughtIsFreeWithoutSupplyCostsAndPaidWithThem)
{
    ExchangeWorld world;
    ASSERT_TRUE(execWeaponExchange(world.state(), 1, kBoughtArmament));
    const UnitRecord& unit = world.unit(0, world.u);
    EXPECT_EQ(unit.model, 1);
    EXPECT_EQ(unit.ammunition[0], 9);
    EXPECT_EQ(unit.fuel, 77);
    EXPECT_TRUE(unit.hasFlag(kUnitActed));
    EXPECT_EQ(packed(world.state().country(0).funds), 1000u);
    EXPECT_EQ(world.lastRecord().side0, 0);

    world.setRule(kRuleSupplyCosts, 1);
    ASSERT_TRUE(execWeaponExchange(world.state(), 1, kBoughtArmament));
    EXPECT_EQ(packed(world.state().country(0).funds), 1000u - 4 * 9 * 10 / 4);
}

TEST(WeaponExchange, ShortFundsChangeNothingAndWarnAPersonSettingTheOrder)
{
    ExchangeWorld world;
    world.setRule(kRuleSupplyCosts, 1);
    world.state().country(0).funds = 10;
    world.state().handshake().setUnitCommandBeingSet(true);
    EXPECT_FALSE(execWeaponExchange(world.state(), 1, kBoughtArmament));
    EXPECT_EQ(world.unit(0, world.u).model, 0);
    EXPECT_FALSE(world.unit(0, world.u).hasFlag(kUnitActed));
    EXPECT_EQ(packed(world.state().country(0).funds), 10u);
    ASSERT_EQ(world.window.messages().size(), 1u);
    EXPECT_EQ(world.window.messages()[0].first, platform::utf8ToCp932("軍資金が不足しています。"));
    EXPECT_EQ(world.window.messages()[0].second, platform::utf8ToCp932("警告"));

    EXPECT_FALSE(execWeaponExchange(world.state(), 4, kBoughtArmament)) << "there are four models";
}

TEST(WeaponExchange, FromASupplyUnitOnTheSameHexItGoesBackAboard)
{
    ExchangeWorld world;
    world.giveWeapon(world.other, 6, 5, 1);
    const int truck = world.addUnit(0, world.other, 3, 3);
    world.unit(0, truck).flags |= kUnitOffMap;
    const int stock = world.unit(0, truck).supplyStock();
    ASSERT_GT(stock, 0);

    ASSERT_TRUE(execWeaponExchange(world.state(), 1, supplier(0, truck)));
    EXPECT_EQ(world.unit(0, world.u).model, 1);
    EXPECT_TRUE(world.unit(0, world.u).hasFlag(kUnitAboard));
    EXPECT_EQ(world.unit(0, truck).carriedUnits[0], world.u + 1);
    EXPECT_EQ(world.unit(0, truck).supplyStock(), stock - 1);
    EXPECT_EQ(packed(world.state().country(0).funds), 1000u);
}

TEST(WeaponExchange, ASupplyUnitInTheSameColumnElsewhereTakesNobodyAboard)
{
    ExchangeWorld world;
    world.giveWeapon(world.other, 6, 5, 1);
    const int truck = world.placeUnit(0, world.other, 3, 5);
    ASSERT_TRUE(execWeaponExchange(world.state(), 1, supplier(0, truck)));
    EXPECT_FALSE(world.unit(0, world.u).hasFlag(kUnitAboard));
    EXPECT_EQ(world.unit(0, truck).carriedUnits[0], 0);
    EXPECT_FALSE(execWeaponExchange(world.state(), 1, supplier(0, 999))) << "no such supply unit";
}

TEST(WeaponExchange, AfterAMoveTheUnitIsStoredWithRuleSixElseStandsOnItsHex)
{
    ExchangeWorld world;
    const int b = world.placeBuilding(world.depot, 0, 3, 3);
    world.unitCell(3, 3).lowerSide[0] = 0;
    world.setRule(kRuleStoring, 1);
    ASSERT_TRUE(execWeaponExchangeAfterMove(world.state(), 1, kBoughtArmament));
    EXPECT_TRUE(world.unit(0, world.u).hasFlag(kUnitStored));
    EXPECT_EQ(world.building(b).unitCount(), 1);
    EXPECT_FALSE(world.unit(0, world.u).hasFlag(kUnitActed)) << "the post-move step marks it";

    const int walker = world.placeUnit(0, world.plain, 5, 5);
    world.unitCell(5, 5).lowerSide[0] = 0;
    world.act(0, walker);
    world.setRule(kRuleSupplyCosts, 1);
    world.state().country(0).funds = 0;
    EXPECT_FALSE(execWeaponExchangeAfterMove(world.state(), 1, kBoughtArmament));
    EXPECT_TRUE(world.registered(5, 5, 0, walker)) << "registered even when the funds fall short";
}

TEST(MineClearing, ClearsTheMineTiresTheUnitToFiftyAndTellsAPerson)
{
    ExchangeWorld world;
    world.state().country(0).controller = 1;
    world.setRule(kRuleFatigue, 1);
    world.setRule(kRuleExperience, 1);
    world.cell(4, 3).mineKind = kLandMineKind;
    world.cell(4, 3).mineCount = 3;
    world.cell(4, 3).mineKnownMask = 1;
    UnitRecord& unit = world.unit(0, world.u);
    unit.fatigue = 48;
    const int experience = unit.experience;

    EXPECT_TRUE(execClearMines(world.state(), 4, 3, kLandMineKind));
    EXPECT_EQ(world.cell(4, 3).mineKind, 0);
    EXPECT_EQ(world.cell(4, 3).mineCount, 0);
    EXPECT_EQ(world.cell(4, 3).mineKnownMask, 0);
    EXPECT_EQ(unit.fatigue, 50);
    EXPECT_EQ(unit.experience, experience + 10);
    EXPECT_TRUE(unit.hasFlag(kUnitActed));
    EXPECT_EQ(world.dialogs.callsOf("showEventNotice").back().args, (std::vector<int64_t> { 11, 0, world.u }));
    EXPECT_EQ(world.window.callsOf("bringToFront").size(), 2u);
    EXPECT_EQ(world.lastRecord().x, 4);
}

TEST(MineClearing, SweepingALandMineRemovesNothingButStillCounts)
{
    ExchangeWorld world;
    world.state().country(0).controller = 1;
    world.setRule(kRuleFatigue, 1);
    world.setRule(kRuleExperience, 1);
    world.cell(4, 3).mineKind = kLandMineKind;
    world.cell(4, 3).mineCount = 3;
    UnitRecord& unit = world.unit(0, world.u);
    const int experience = unit.experience;

    EXPECT_FALSE(execClearMines(world.state(), 4, 3, kSeaMineKind));
    EXPECT_EQ(world.cell(4, 3).mineCount, 3);
    EXPECT_EQ(unit.fatigue, 5);
    EXPECT_EQ(unit.experience, experience + 10);
    EXPECT_TRUE(world.dialogs.callsOf("showEventNotice").empty());
    const HistoryRecord& record = world.lastRecord();
    EXPECT_EQ(record.x, 4);
    const uint32_t count = world.state().historyLog().count();
    EXPECT_FALSE(execClearMines(world.state(), 4, 3, 3)) << "only kinds 1 and 2";
    EXPECT_FALSE(execClearMines(world.state(), 40, 3, kLandMineKind));
    EXPECT_EQ(world.state().historyLog().count(), count);
}
