// Supply orders: what a unit wants and can pay for, filling it, and where its resupply is asked.
#include "state/supply_order.h"
#include "state/unit_facts.h"
#include "state/unit_hooks.h"
#include "state/unit_record.h"

#include "tests/state/small_world.h"
#include "tests/state/packed_value.h"

#include <string>

using namespace testing_state;

namespace {

// Records which sources were asked; the services themselves belong to the rules.
class Services : public UnitRecordHooks {
public:
    Services() { setUnitRecordHooks(this); }
    ~Services() override { setUnitRecordHooks(nullptr); }
    void serviceAtBuilding(int building, SupplyOrder&) override { calls.push_back("building " + std::to_string(building)); }
    void serviceFromCarrier(SupplyOrder&) override { calls.push_back("carrier"); }
    void serviceFromSupplyUnit(SupplyOrder&, int supplier) override { calls.push_back("unit " + std::to_string(supplier)); }
    bool delegationRunning() override { return delegating; }
    void showWarning(const char* text, const char* title) override { calls.push_back(utf8(title) + ":" + utf8(text)); }
    void bookLosses(int, int, int, int) override {}
    void recordSupply(int country, int index, int done) override
    {
        calls.push_back("history " + std::to_string(country) + " " + std::to_string(index) + " " + std::to_string(done));
    }
    std::vector<std::string> calls;
    bool delegating = false;
};

} // namespace

TEST(SupplyOrder, CostsUnderRule8AndTheAmmunitionPartsStandOrFallTogether)
{
    SmallWorld world(2, 2);
    int index = world.placeUnit(0, kTank, 0, 0);
    UnitRecord& tank = world.unit(0, index);
    tank.fuel = 30;
    tank.ammunition[0] = 10; // 10 shells at 10
    tank.ammunition[1] = 15; // 5 rounds at 2
    SupplyOrder order;
    ASSERT_TRUE(tank.buildSupplyOrder(order, 0, index));
    EXPECT_EQ(packed(order.parts[SupplyOrder::kFuel].cost), 0u);
    EXPECT_EQ(order.parts[SupplyOrder::kFuel].granted, 1);
    EXPECT_EQ(order.parts[SupplyOrder::kAmmunition].granted, 1);
    EXPECT_EQ(order.parts[SupplyOrder::kEngineering].wanted, 0);

    world.setRule(kRuleSupplyCosts, 1);
    world.state().country(0).funds = 109;
    tank.buildSupplyOrder(order, 0, index);
    EXPECT_EQ(packed(order.parts[SupplyOrder::kFuel].cost), 10u);
    EXPECT_EQ(packed(order.parts[SupplyOrder::kAmmunition].cost), 110u);
    EXPECT_EQ(order.firstAmount(), 10u);
    EXPECT_EQ(order.parts[SupplyOrder::kAmmunition].granted, 0);
    EXPECT_EQ(order.otherAmountsTotal(), 0u);
    world.state().country(0).funds = 110;
    tank.buildSupplyOrder(order, 0, index);
    EXPECT_EQ(order.otherAmountsTotal(), 110u);
    world.state().country(0).funds = 9;
    tank.buildSupplyOrder(order, 0, index);
    EXPECT_EQ(order.parts[SupplyOrder::kFuel].granted, 0);
    EXPECT_EQ(order.parts[SupplyOrder::kFuel].wanted, 1);

    UnitRecord& hq = world.unit(0, world.placeUnit(0, kHeadquarters, 1, 0));
    hq.fuel = 0;
    EXPECT_FALSE(hq.buildSupplyOrder(order, 0, 1));
    EXPECT_FALSE(order.anyWanted());
}

TEST(SupplyOrder, ApplyFillsFreeOrWhatTheFundsBuy)
{
    SmallWorld world(2, 2);
    Services services;
    int index = world.placeUnit(0, kTank, 0, 0);
    UnitRecord& tank = world.unit(0, index);
    tank.fuel = 30;
    tank.ammunition[0] = 10;
    SupplyOrder order;
    tank.buildSupplyOrder(order, 0, index);
    order.apply();
    EXPECT_EQ(tank.fuel, 40);
    EXPECT_EQ(tank.ammunition[0], 20);
    EXPECT_EQ(services.calls, (std::vector<std::string> { "history 0 0 1" }));

    world.setRule(kRuleSupplyCosts, 1);
    world.state().country(0).funds = 45;
    tank.fuel = 30;
    tank.ammunition[0] = 10;
    tank.buildSupplyOrder(order, 0, index);
    order.parts[SupplyOrder::kAmmunition].chosen = 1; // chosen although not affordable in full
    order.apply();
    EXPECT_EQ(tank.fuel, 40); // 10 for the fuel
    EXPECT_EQ(tank.ammunition[0], 13); // 35 left buys three shells at 10
    EXPECT_EQ(packed(world.state().country(0).funds), 5u);
    EXPECT_EQ(packed(world.state().country(0).fundsSpent), 40u);
}

TEST(SupplyOrder, ResupplyAsksTheBuildingThenANeighbouringSupplyUnit)
{
    SmallWorld world(3, 3);
    Services services;
    world.setRule(kRuleStoring, 0);
    world.editType(kTank).suppliedBy = 1;
    int city = world.placeBuilding(world.terrainOfKind(kTerrainLargeCity), 0, 1, 1);
    int index = world.placeUnit(0, kTank, 1, 1);
    UnitRecord& tank = world.unit(0, index);
    tank.fuel = 0;
    world.placeUnit(1, kSupplyTruck, 0, 1); // another country's
    int truck = world.placeUnit(0, kSupplyTruck, 2, 1);
    EXPECT_EQ(tank.findAdjacentSupplyUnit(0, index), truck);
    tank.requestResupply(0, index);
    EXPECT_EQ(services.calls, (std::vector<std::string> { "building " + std::to_string(city), "unit " + std::to_string(truck) }));

    world.unit(0, truck).spendSupplyStock(100);
    EXPECT_EQ(tank.findAdjacentSupplyUnit(0, index), -1);
    world.editType(kTank).suppliedBy = 0;
    world.unit(0, truck).ammunition[0] = 5;
    EXPECT_FALSE(world.unit(0, truck).canServiceUnit(0, index, -1, -1));
}

TEST(SupplyOrder, NoFundsWarnsOnlyAPersonInTheActionPhase)
{
    SmallWorld world(2, 2);
    Services services;
    world.setRule(kRuleSupplyCosts, 1);
    int index = world.placeUnit(0, kTank, 0, 0);
    world.unit(0, index).fuel = 0;
    world.unit(0, index).requestResupply(0, index);
    EXPECT_TRUE(services.calls.empty());

    world.state().country(0).controller = 1;
    world.state().turnBlock().phase = 5;
    services.delegating = true;
    world.unit(0, index).requestResupply(0, index);
    EXPECT_TRUE(services.calls.empty());
    services.delegating = false;
    world.unit(0, index).requestResupply(0, index);
    EXPECT_EQ(services.calls, (std::vector<std::string> { "注意:軍資金が不足しているため、補給を行うことができません。" }));
}

TEST(SupplyOrder, SelectingAmmunitionChoosesEveryAffordableAmmunitionPartOrNone)
{
    SupplyOrder order {};
    for (int p = 0; p < SupplyOrder::kPartCount; ++p)
        order.parts[p].granted = p == SupplyOrder::kEngineering ? 0 : 1;
    order.parts[SupplyOrder::kFuel].chosen = 1;
    order.selectAmmunition(true);
    EXPECT_EQ(order.parts[SupplyOrder::kFuel].chosen, 1) << "fuel is not ammunition";
    EXPECT_EQ(order.parts[SupplyOrder::kAmmunition].chosen, 1);
    EXPECT_EQ(order.parts[SupplyOrder::kEngineering].chosen, 0) << "what cannot be paid for is not chosen";
    EXPECT_EQ(order.parts[SupplyOrder::kSupplyGoods].chosen, 1);
    order.selectAmmunition(false);
    for (int p = SupplyOrder::kAmmunition; p < SupplyOrder::kPartCount; ++p)
        EXPECT_EQ(order.parts[p].chosen, 0) << p;
    EXPECT_EQ(order.parts[SupplyOrder::kFuel].chosen, 1);
}
