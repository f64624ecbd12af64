// The replenish and supply popups: what the preview shows for a choice, what the funds allow, and
// what each way of closing leaves in the order.
#include "dialogs/fill_troop_window.h"
#include "dialogs/supply_troop_window.h"

#include "state/supply_order.h"
#include "tests/dialogs/dialog_world.h"

#include <gtest/gtest.h>

using namespace dialogs_test;

namespace {

// A unit of five machines of full strength 10 with machines 1 and 3 damaged and machine 4 lost.
struct DamagedUnit {
    explicit DamagedUnit(DialogWorld& world)
        : world(world)
    {
        const int typeId = world.landType(5);
        UnitTypeRecord& type = world.editType(typeId);
        type.members = 5;
        type.memberStrength = 10;
        index = world.placeUnit(0, typeId, 2, 2);
        UnitRecord& unit = world.unit(0, index);
        const uint8_t strengths[10] = { 10, 4, 10, 7, 0 };
        std::copy(std::begin(strengths), std::end(strengths), unit.memberStrengths);
        unit.memberLimit = 5;
        world.state().country(0).funds = 100000;
    }
    ReplenishOffer offer(int counters, int repair, bool free = false) const
    {
        ReplenishOffer o;
        o.country = 0;
        o.unitIndex = uint32_t(index);
        o.counters = counters;
        o.repair = repair;
        o.free = free ? 1 : 0;
        o.acceptReplenish = counters > 0;
        o.acceptRepair = repair > 0;
        return o;
    }
    const UnitTypeRecord& type() const { return world.state().unitTypeRecord(world.unit(0, index).unitTypeId); }
    int64_t machinePrice() const { return unitTypeCost(type(), world.state().country(0), 1, type().members); }
    int64_t tenthPrice() const { return unitTypeCost(type(), world.state().country(0), 1, 10); }

    DialogWorld& world;
    int index = 0;
};

} // namespace

TEST(ReplenishPreview, RepairPointsGoToTheMachinesInOrderAndEachCostsItsShare)
{
    DialogWorld world;
    DamagedUnit unit(world);
    // Eight points: machine 1 takes six (to full), machine 3 the last two.
    ReplenishPreview preview = previewReplenish(world.state(), unit.offer(0, 8));
    EXPECT_EQ(preview.strengths, (std::vector<int> { 10, 10, 10, 9 }));
    EXPECT_EQ(preview.machinesAfter, 4);
    EXPECT_EQ(preview.producedWith, 5);
    EXPECT_EQ(preview.repairCost, 8 * unit.tenthPrice() / 10);
    EXPECT_EQ(preview.totalCost, preview.repairCost);
    EXPECT_EQ(preview.fundsLeft, 100000 - preview.totalCost);

    // Both: the new machine comes last at full strength and is paid for too.
    preview = previewReplenish(world.state(), unit.offer(1, 8));
    EXPECT_EQ(preview.strengths, (std::vector<int> { 10, 10, 10, 9, 10 }));
    EXPECT_EQ(preview.newMachines, 1);
    EXPECT_EQ(preview.totalCost, preview.repairCost + unit.machinePrice());

    // Repair only, though machines are offered: none are added.
    ReplenishOffer repairOnly = unit.offer(1, 8);
    repairOnly.acceptReplenish = 0;
    EXPECT_EQ(previewReplenish(world.state(), repairOnly).machinesAfter, 4);

    // A free repair (aboard a carrier) costs nothing.
    EXPECT_EQ(previewReplenish(world.state(), unit.offer(0, 8, true)).totalCost, 0);
}

TEST(ReplenishPreview, MachinesAreCutToWhatTheRepairLeavesOfTheFundsAndNeverBelowNone)
{
    DialogWorld world;
    DamagedUnit unit(world);
    const int64_t repairCost = 9 * unit.tenthPrice() / 10;
    CountryRecord& country = world.state().country(0);
    // Enough for the repair and one machine of the two offered.
    country.funds = uint32_t(repairCost + unit.machinePrice() + unit.machinePrice() / 2);
    ReplenishPreview preview = previewReplenish(world.state(), unit.offer(2, 9));
    EXPECT_EQ(preview.newMachines, 1);
    EXPECT_EQ(preview.machinesAfter, 5);
    // Funds short even of the repair: no machine, not a negative count.
    country.funds = uint32_t(repairCost / 2);
    preview = previewReplenish(world.state(), unit.offer(2, 9));
    EXPECT_EQ(preview.newMachines, 0);
    EXPECT_EQ(preview.machinesAfter, 4);
    EXPECT_EQ(preview.fundsLeft, 0);
}

TEST(FillTroopWindow, ChoiceButtonsSetTheFlagsAndARightClickLeavesNothingChosen)
{
    DialogWorld world;
    DamagedUnit unit(world);
    ReplenishOffer offer = unit.offer(1, 8);
    offer.acceptRepair = offer.acceptReplenish = 0;
    popup_test::drive([&] {
        FillTroopWindow window(makeWindowContext(world.state()), world.owner(), offer);
        EXPECT_EQ(offer.acceptRepair, 1) << "each offered service starts chosen";
        EXPECT_EQ(offer.acceptReplenish, 1);
        return window.run();
    }, [&](HWND popup) {
        popup_test::clickItem(popup, FillTroopWindow::kReplenishOnly);
        EXPECT_EQ(offer.acceptRepair, 0);
        EXPECT_EQ(offer.acceptReplenish, 1);
        // Dragged by any point: the right button arrives on the frame's hit code.
        popup_test::clickClient(popup, 140, 100, harness::Button::Right);
    });
    EXPECT_EQ(offer.acceptRepair, 0);
    EXPECT_EQ(offer.acceptReplenish, 0);
}

TEST(FillTroopWindow, OnlyRepairOfferedStartsWithRepairAloneAndTheOtherChoicesGreyed)
{
    DialogWorld world;
    DamagedUnit unit(world);
    ReplenishOffer offer = unit.offer(0, 8);
    int result = popup_test::drive([&] {
        FillTroopWindow window(makeWindowContext(world.state()), world.owner(), offer);
        window.run();
        return int(window.result());
    }, [&](HWND popup) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(popup, FillTroopWindow::kRepairOnly)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(popup, FillTroopWindow::kReplenishOnly)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(popup, FillTroopWindow::kBoth)));
        popup_test::clickItem(popup, ServicePopup::kAccept);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(offer.acceptRepair, 1);
    EXPECT_EQ(offer.acceptReplenish, 0);
}

namespace {

SupplyOrder orderOf(int fuelCost, int ammunitionCost, int engineeringCost = 0)
{
    SupplyOrder order {};
    order.country = 0;
    order.parts[SupplyOrder::kFuel] = { uint8_t(fuelCost > 0), 0, uint32_t(fuelCost), uint8_t(fuelCost > 0), 0 };
    order.parts[SupplyOrder::kAmmunition] = { uint8_t(ammunitionCost > 0), 0, uint32_t(ammunitionCost), uint8_t(ammunitionCost > 0), 0 };
    order.parts[SupplyOrder::kEngineering] = { uint8_t(engineeringCost > 0), 0, uint32_t(engineeringCost), uint8_t(engineeringCost > 0), 0 };
    return order;
}

std::vector<int> chosen(const SupplyOrder& order)
{
    std::vector<int> parts;
    for (const SupplyPart& part : order.parts)
        parts.push_back(part.chosen);
    return parts;
}

} // namespace

TEST(SupplyChoice, FundsDecideWhichPartsAreChosenWhateverIsAskedFor)
{
    DialogWorld world;
    struct Case {
        uint32_t funds;
        bool fuel, ammunition;
        std::vector<int> expected;
    } cases[] = {
        { 1000, true, true, { 1, 1, 1, 0 } },
        // Ammunition (300 with engineering) too dear: only the fuel.
        { 250, true, true, { 1, 0, 0, 0 } },
        // Each alone is paid for, both together are not: the fuel first.
        { 320, true, true, { 1, 0, 0, 0 } },
        { 320, false, true, { 0, 1, 1, 0 } },
        // Neither paid for: nothing.
        { 90, true, true, { 0, 0, 0, 0 } },
        { 300, true, false, { 1, 0, 0, 0 } },
        { 10, false, true, { 0, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        world.state().country(0).funds = c.funds;
        SupplyOrder order = orderOf(100, 200, 100);
        chooseAffordableSupply(world.state(), order, c.fuel, c.ammunition);
        EXPECT_EQ(chosen(order), c.expected) << "funds " << c.funds;
        EXPECT_LE(supplyCost(order), int64_t(c.funds));
    }
}

TEST(SupplyTroopWindow, ButtonsNeverChooseWhatTheFundsDroppedAndARightClickLeavesNothing)
{
    DialogWorld world;
    const int unit = world.placeUnit(0, world.landType(), 2, 2);
    world.state().country(0).funds = 250;
    SupplyOrder order = orderOf(100, 300);
    order.unitIndex = uint32_t(unit);
    popup_test::drive([&] {
        SupplyTroopWindow window(makeWindowContext(world.state()), world.owner(), order);
        EXPECT_EQ(chosen(order), (std::vector<int> { 1, 0, 0, 0 })) << "a country that cannot pay for ammunition";
        return window.run();
    }, [&](HWND popup) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(popup, SupplyTroopWindow::kAmmunitionOnly)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(popup, SupplyTroopWindow::kBoth)));
        // Even asked for directly, both gives what the funds pay for.
        SendMessageA(popup, WM_COMMAND, SupplyTroopWindow::kBoth, 0);
        EXPECT_EQ(chosen(order), (std::vector<int> { 1, 0, 0, 0 }));
        popup_test::clickClient(popup, 140, 70, harness::Button::Right);
    });
    EXPECT_EQ(chosen(order), (std::vector<int> { 0, 0, 0, 0 }));
}
