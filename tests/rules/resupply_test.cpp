// Resupply: what each source may give, the person's supply prompt, rearming costs and the supply phase.
#include "rules/headless_links.h"
#include "rules/resupply.h"

#include "state/supply_order.h"
#include "state/unit_hooks.h"
#include "tests/rules/production_world.h"

#include <gtest/gtest.h>

using testing_rules::ProductionWorld;

namespace {

// The three services routed to the rules engine, as the game installs them.
class Services : public UnitRecordHooks {
public:
    explicit Services(GameState& state) : m_state(state) { setUnitRecordHooks(this); }
    ~Services() override { setUnitRecordHooks(nullptr); }

    void serviceAtBuilding(int building, SupplyOrder& order) override { ::serviceAtBuilding(m_state, building, order); }
    void serviceFromCarrier(SupplyOrder& order) override { ::serviceFromCarrier(m_state, order); }
    void serviceFromSupplyUnit(SupplyOrder& order, int supplier) override { ::serviceFromSupplyUnit(m_state, order, supplier); }
    bool delegationRunning() override { return false; }
    void showWarning(const char*, const char*) override { }
    void bookLosses(int, int, int, int) override { }
    void recordSupply(int, int, int) override { ++supplied; }

    int supplied = 0;

private:
    GameState& m_state;
};

// A land type with fuel and one ordinary weapon, and a supply type carrying ten rounds of goods.
struct SupplyWorld : ProductionWorld {
    SupplyWorld()
    {
        giveWeapon(plain, kWeaponNormal, 8);
        editType(plain).model[0].fuel = 50;
        giveWeapon(other, kWeaponSupply, 10);
        editType(other).model[0].fuel = 50;
        city = build(ProductionWorld::city, 0, 3, 3);
    }

    int hungryUnit(int x, int y)
    {
        int index = placeUnit(0, plain, x, y);
        unit(0, index).fuel = 10;
        unit(0, index).ammunition[0] = 2;
        return index;
    }

    SupplyOrder orderFor(int index)
    {
        SupplyOrder order;
        unit(0, index).buildSupplyOrder(order, 0, index);
        return order;
    }

    int city = -1;
};

} // namespace

TEST(SupplyService, BuildingGivesOnlyWhatItsTerrainServes)
{
    SupplyWorld world;
    Services services(world.state());
    world.editTerrain(world.terrainOfKind(kTerrainLargeCity)).refuelMask = 0;
    int index = world.hungryUnit(3, 3);
    SupplyOrder order = world.orderFor(index);
    serviceAtBuilding(world.state(), world.city, order);
    EXPECT_EQ(world.unit(0, index).fuel, 10);
    EXPECT_EQ(world.unit(0, index).ammunition[0], 8);
    EXPECT_EQ(order.parts[SupplyOrder::kFuel].wanted, 1);

    world.editTerrain(world.terrainOfKind(kTerrainLargeCity)).rearmMask = 0;
    world.unit(0, index).ammunition[0] = 2;
    order = world.orderFor(index);
    serviceAtBuilding(world.state(), world.city, order);
    EXPECT_EQ(world.unit(0, index).ammunition[0], 2);
    EXPECT_EQ(services.supplied, 1);
}

TEST(SupplyService, SupplyAircraftRefuelsOnlyAndGainsExperience)
{
    SupplyWorld world;
    Services services(world.state());
    world.setRule(kRuleExperience, 1);
    world.editType(world.other).domain = 1;
    int index = world.hungryUnit(5, 5);
    int supplier = world.placeUnit(0, world.other, 6, 5);
    SupplyOrder order = world.orderFor(index);
    serviceFromSupplyUnit(world.state(), order, supplier);
    EXPECT_EQ(world.unit(0, index).fuel, 50);
    EXPECT_EQ(world.unit(0, index).ammunition[0], 2);
    EXPECT_EQ(world.unit(0, supplier).ammunition[0], 9);
    EXPECT_GT(world.unit(0, supplier).experience, 0);
}

TEST(SupplyService, LandSupplierRearmsAndNothingGrantedSpendsNothing)
{
    SupplyWorld world;
    Services services(world.state());
    int index = world.hungryUnit(5, 5);
    int supplier = world.placeUnit(0, world.other, 6, 5);
    SupplyOrder order = world.orderFor(index);
    serviceFromSupplyUnit(world.state(), order, supplier);
    EXPECT_EQ(world.unit(0, index).ammunition[0], 8);
    EXPECT_EQ(world.unit(0, supplier).ammunition[0], 9);

    order = world.orderFor(index);
    serviceFromSupplyUnit(world.state(), order, supplier);
    EXPECT_EQ(world.unit(0, supplier).ammunition[0], 9);
}

TEST(SupplyService, CarrierSpendsOneRoundOfItsGoods)
{
    SupplyWorld world;
    Services services(world.state());
    int carrier = world.placeUnit(0, world.other, 5, 5);
    int cargo = world.addUnit(0, world.plain, 5, 5);
    UnitRecord& unit = world.unit(0, cargo);
    unit.flags |= kUnitAboard;
    unit.carrierSide = 1;
    unit.carrierIndex = uint16_t(carrier + 1);
    unit.fuel = 10;
    SupplyOrder order = world.orderFor(cargo);
    serviceFromCarrier(world.state(), order);
    EXPECT_EQ(unit.fuel, 50);
    EXPECT_EQ(world.unit(0, carrier).ammunition[0], 9);
}

TEST(SupplyPrompt, PersonIsAskedOnlyWhenTheSettingSaysSo)
{
    SupplyWorld world;
    Services services(world.state());
    int index = world.hungryUnit(5, 5);
    world.country(0).controller = 1;
    world.state().turnBlock().phase = 5;
    headlessDialogs().clear();
    headlessMainWindow().clear();
    SupplyOrder order = world.orderFor(index);

    world.state().settings().askSupply = false;
    showSupplyOrder(world.state(), order);
    EXPECT_TRUE(headlessDialogs().callsOf("showSupplyOrder").empty());

    world.state().settings().askSupply = true;
    showSupplyOrder(world.state(), order);
    EXPECT_EQ(headlessDialogs().callsOf("showSupplyOrder").size(), 1u);
    EXPECT_TRUE(headlessMainWindow().callsOf("askSupplyOrder").empty());

    world.state().handshake().setDelegation(true);
    showSupplyOrder(world.state(), order);
    EXPECT_EQ(headlessMainWindow().callsOf("askSupplyOrder").size(), 1u);
}

TEST(RearmCost, FreeWithoutSupplyCostsElseRoundedUpPerSlot)
{
    SupplyWorld world;
    int index = world.placeUnit(0, world.plain, 1, 1);
    int weapon = world.editType(world.plain).weaponSlot[0].weaponId;
    world.editWeapon(weapon).ammoPrice = 5;
    world.editType(world.plain).model[1].ammo[0] = 3;
    world.unit(0, index).memberStrengths[3] = 0;
    EXPECT_EQ(rearmCost(world.state(), 0, index, 0), 0u);
    world.setRule(kRuleSupplyCosts, 1);
    // ceil(5 x 3 counters x 8 rounds / 4) and ceil(5 x 3 x 3 / 4).
    EXPECT_EQ(rearmCost(world.state(), 0, index, 0), 30u);
    EXPECT_EQ(rearmCost(world.state(), 0, index, 1), 12u);
    EXPECT_EQ(rearmCost(world.state(), 0, index, 4), 0u);
}

TEST(SupplyPhase, OnlyUnitsReadyToActAreResupplied)
{
    SupplyWorld world;
    Services services(world.state());
    world.state().turnBlock().currentCountry = 0;
    int ready = world.hungryUnit(3, 3);
    int acted = world.hungryUnit(3, 3);
    world.unit(0, acted).flags |= kUnitActed;
    world.building(world.city).slots[0] = { 1, uint16_t(acted) };
    int waiting = world.hungryUnit(3, 3);
    world.unit(0, waiting).flags |= kUnitAwaitingProduction;
    autoResupplyAll(world.state());
    EXPECT_EQ(world.unit(0, ready).fuel, 50);
    EXPECT_EQ(world.unit(0, acted).fuel, 10);
    EXPECT_EQ(world.unit(0, waiting).fuel, 10);
}
