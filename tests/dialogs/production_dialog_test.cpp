// The production dialog driven by injected input, in both modes: an immediate purchase that
// closes it (with the armament of a multi-role type), and stored orders with their cancels, the
// building's room, the dialog's own funds, red rows and "OK"; the column heads and the machine
// count; and its end when play stops.
#include "dialogs/production_dialog.h"

#include "infowin/arm_change_window.h"
#include "rules/production_types.h"
#include "state/unit_type_sort.h"
#include "tests/dialogs/play_dialog_world.h"
#include "tests/state/packed_value.h"

#include <algorithm>
#include <set>

using namespace play_dialogs;

namespace {

const std::string kProductionTitle = cp("生 産");

int rowOf(const ProductionDialog& dialog, int type)
{
    const auto& ids = dialog.typeIds();
    return int(std::find(ids.begin(), ids.end(), uint32_t(type)) - ids.begin());
}

HWND typeList(HWND dialog) { return GetDlgItem(dialog, int(production_id::kTypeList)); }

void chooseMachines(HWND dialog, int machines)
{
    HWND combo = GetDlgItem(dialog, int(production_id::kMachines));
    clickDialogItem(dialog, int(production_id::kMachines));
    // The drop-down shows all ten from 1 at its top, whatever is chosen: the person clicks the row.
    RECT field {};
    GetWindowRect(combo, &field);
    HWND dropped = WindowFromPoint(POINT { field.left + 5, field.bottom + 5 });
    platform::harness::keepShot("production_machines_dropped.png");
    const int row = int(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    clickAt(dropped, 10, row * (machines - 1) + row / 2);
    dialogtest::settle();
}

// The number the machine field shows.
int shownMachines(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, int(production_id::kMachines));
    return int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(SendMessageA(combo, CB_GETCURSEL, 0, 0)), 0));
}

// Red pixels in the list row of the type.
int redInRow(HWND dialog, const ProductionDialog& production, int type)
{
    HWND list = typeList(dialog);
    const int item = rowOf(production, type);
    SendMessageA(list, LB_SETTOPINDEX, WPARAM(item), 0);
    dialogtest::settle();
    RECT row {};
    SendMessageA(list, LB_GETITEMRECT, WPARAM(item), LPARAM(&row));
    const Image image = clientImage(list);
    return countColour(image, row.left, row.top, row.right, row.bottom, kRedPixel);
}

} // namespace

TEST(ProductionDialog, ImmediatePurchaseBuysTheCappedMachinesAndCloses)
{
    PlayWorld world;
    GameState& s = world.state();
    const int units = s.liveUnitCount(0);
    const uint32_t funds = s.country(0).funds;
    size_t rows = 0;
    bool idle = true;
    INT_PTR result = -1;
    int shownBefore = 0, shownForTank = 0;
    {
        ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, kHome, kHome);
        result = drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
            idle = s.modalIdle();
            rows = size_t(SendMessageA(typeList(d), LB_GETCOUNT, 0, 0));
            keepShot(clientImage(d), "production_immediate.png");
            shownBefore = shownMachines(d);
            clickRow(typeList(d), rowOf(dialog, kTank));
            // Ten machines asked of a type of four: the field reads four, and four are bought, at
            // the price of four.
            shownForTank = shownMachines(d);
            clickDialogItem(d, int(production_id::kProduce));
        });
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(shownBefore, 10);
    EXPECT_EQ(shownForTank, 4);
    EXPECT_FALSE(idle);
    EXPECT_TRUE(s.modalIdle());
    EXPECT_EQ(rows, producibleTypesAt(s, kHome, kHome, 0).size());
    EXPECT_EQ(rows, 2u) << "the land types of the country's production type: a capital makes no aircraft or ships";
    ASSERT_EQ(s.liveUnitCount(0), units + 1);
    UnitRef made {};
    ASSERT_TRUE(s.unitRefInHex(kHome, kHome, 0, made));
    EXPECT_EQ(s.unitOf(0, made.index)->unitTypeId, kTank);
    EXPECT_EQ(strengthSlotCount(*s.unitOf(0, made.index)), 4);
    EXPECT_EQ(packed(s.country(0).funds), funds - world.price(kTank, 4));
}

TEST(ProductionDialog, AMultiRoleTypeAsksForItsArmamentSet)
{
    PlayWorld world;
    GameState& s = world.state();
    // Aircraft are made at an airport beside the capital.
    const int airport = world.info.world.terrainOfKind(16);
    world.info.world.cell(kHome + 1, kHome).terrain = uint8_t(airport);
    world.info.world.placeBuilding(airport, 0, kHome + 1, kHome);
    ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, kHome + 1, kHome);
    bool armamentAsked = false;
    const INT_PTR result = drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
        clickRow(typeList(d), rowOf(dialog, kFighter));
        // The armament window opens over the dialog, which is still waiting for it.
        HWND produce = GetDlgItem(d, int(production_id::kProduce));
        testing_lib::clickCentre(produce);
        const std::string armsTitle = cp("初期武装選択 - ") + s.unitTypeRecord(kFighter).name;
        HWND arms = dialogtest::waitForWindow(armsTitle.c_str());
        armamentAsked = arms != nullptr;
        if (!arms)
            return;
        dialogtest::settle();
        clickAt(arms, 632, 28 + 48);
        clickAt(arms, 632, 324);
        closes(d);
    });
    EXPECT_TRUE(armamentAsked);
    EXPECT_EQ(result, 1);
    UnitRef made {};
    ASSERT_TRUE(s.unitRefInHex(kHome + 1, kHome, 0, made));
    EXPECT_EQ(s.unitOf(0, made.index)->unitTypeId, kFighter);
    EXPECT_EQ(s.unitOf(0, made.index)->model, 1) << "the set chosen in the armament window";
}

TEST(ProductionOrders, LimitsComeFirstThenTheLayerThenTheFunds)
{
    PlayWorld world;
    GameState& s = world.state();
    world.info.world.setRule(kRuleStacking, 1);
    world.info.world.placeUnit(0, kInfantry, kHome, kHome);
    {
        const ProductionOrders orders(s, kHome, kHome, 0);
        EXPECT_EQ(orders.freeSlotMask(), 0x3F & ~(1 << 3)) << "the land layer is taken";
        EXPECT_EQ(orders.check(kTank, 4, false), ProductionRefusal::DomainTaken);
        EXPECT_EQ(orders.check(kFighter, 2, false), ProductionRefusal::None);
        EXPECT_EQ(orders.check(0, 2, false), ProductionRefusal::NoType);
        EXPECT_EQ(orders.priceOf(kTank, 10), orders.priceOf(kTank, 4)) << "ten machines of a type of four cost four";
    }
    s.country(0).funds = world.price(kFighter, 2) - 1;
    EXPECT_EQ(ProductionOrders(s, kHome, kHome, 0).check(kFighter, 2, false), ProductionRefusal::Funds);
    s.country(0).unitListLength = uint16_t(s.liveUnitCount(0));
    EXPECT_EQ(ProductionOrders(s, kHome, kHome, 0).check(kTank, 4, false), ProductionRefusal::Limit);
    s.country(0).unitListLength = 100;
    world.info.world.setRule(kRuleProductionLimit, 1);
    s.country(0).productionLimit = 2;
    s.country(0).producedThisTurn = 2;
    EXPECT_EQ(ProductionOrders(s, kHome, kHome, 0).check(kFighter, 2, false), ProductionRefusal::Limit);
    s.country(0).marketRate = 0;
    EXPECT_EQ(ProductionOrders(s, kHome, kHome, 0).priceOf(kTank, 1), 1u) << "nothing is free";
}

TEST(ProductionDialog, StoredOrdersArePaidInTheDialogAndCarriedOutOnOk)
{
    PlayWorld world;
    GameState& s = world.state();
    world.info.world.setRule(kRuleStoring, 1);
    // A unit already stored in the capital shows first, in grey, and cannot be cancelled.
    const int stored = world.info.world.addUnit(0, kInfantry, kHome, kHome);
    world.info.world.unit(0, stored).flags |= kUnitStored;
    world.info.world.building(world.building).addUnit(0, stored);
    // Funds for one tank and a bit: after the first order a second is dearer than what is left.
    s.country(0).funds = world.price(kTank, 4) + world.price(kInfantry, 10) + 5;
    const uint32_t funds = s.country(0).funds;
    const int units = s.liveUnitCount(0);
    ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, kHome, kHome);
    int redBefore = -1, redAfter = -1;
    std::string fundsShown, countShown;
    bool cancelEnabledOnStored = true;
    const INT_PTR result = drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
        HWND stock = GetDlgItem(d, int(production_id::kStoredList));
        clickRow(stock, 0);
        cancelEnabledOnStored = IsWindowEnabled(GetDlgItem(d, int(production_id::kCancelOrder)));
        redBefore = redInRow(d, dialog, kTank);
        clickRow(typeList(d), rowOf(dialog, kTank));
        clickDialogItem(d, int(production_id::kProduce));
        fundsShown = itemUtf8Text(d, int(production_id::kFunds));
        // A selected row is drawn inverted: the tank's is read with the infantry chosen.
        clickRow(typeList(d), rowOf(dialog, kInfantry));
        redAfter = redInRow(d, dialog, kTank);
        clickDialogItem(d, int(production_id::kProduce));
        countShown = itemUtf8Text(d, int(production_id::kStoredCount));
        keepShot(clientImage(d), "production_storing.png");
        clickDialogItem(d, int(production_id::kOk));
    });
    EXPECT_FALSE(cancelEnabledOnStored);
    EXPECT_EQ(redBefore, 0);
    EXPECT_GT(redAfter, 0) << "the funds shown are the dialog's own";
    EXPECT_EQ(fundsShown, std::to_string(funds - world.price(kTank, 4)));
    EXPECT_EQ(countShown, "収納数 3/6");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(s.liveUnitCount(0), units + 2);
    EXPECT_EQ(packed(s.country(0).funds), 5u);
    EXPECT_EQ(world.info.world.building(world.building).unitCount(), 3);
    EXPECT_TRUE(boxTexts().empty());
}

TEST(ProductionDialog, CancellingMovesTheSelectionAndTheRoomRunsOut)
{
    PlayWorld world;
    GameState& s = world.state();
    world.info.world.setRule(kRuleStoring, 1);
    // A terrain claiming room for 255 still stores no more than the building's six slots.
    world.info.world.editTerrain(world.capital).capacity = 255;
    const uint32_t funds = s.country(0).funds;
    ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, kHome, kHome);
    std::vector<int> selections;
    int entries = 0;
    std::string fundsShown;
    const INT_PTR result = drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
        HWND stock = GetDlgItem(d, int(production_id::kStoredList));
        clickRow(typeList(d), rowOf(dialog, kInfantry));
        for (int i = 0; i < 7; ++i)
            clickDialogItem(d, int(production_id::kProduce));
        entries = int(SendMessageA(stock, LB_GETCOUNT, 0, 0));
        // The last entry goes: the one before it is selected; a middle one: its successor moves up.
        clickRow(stock, 5);
        clickDialogItem(d, int(production_id::kCancelOrder));
        selections.push_back(int(SendMessageA(stock, LB_GETCURSEL, 0, 0)));
        clickRow(stock, 1, true);
        selections.push_back(int(SendMessageA(stock, LB_GETCURSEL, 0, 0)));
        fundsShown = itemUtf8Text(d, int(production_id::kFunds));
        clickDialogItem(d, int(production_id::kCancel));
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(entries, 6);
    EXPECT_EQ(boxTexts(), std::vector<std::string> { "建物の最大収納数を超えるため生産できません。" });
    EXPECT_EQ(selections, (std::vector<int> { 4, 1 }));
    EXPECT_EQ(fundsShown, std::to_string(funds - 4 * world.price(kInfantry, 10)));
    EXPECT_EQ(packed(s.country(0).funds), funds) << "cancelled orders were never paid";
}

TEST(ProductionDialog, OrdersTheRulesRefuseAreToldAndNothingMadeAnswersZero)
{
    PlayWorld world;
    GameState& s = world.state();
    world.info.world.setRule(kRuleStoring, 1);
    ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, kHome, kHome);
    const INT_PTR result = drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
        clickRow(typeList(d), rowOf(dialog, kTank));
        clickDialogItem(d, int(production_id::kProduce));
        // The treasury empties while the order waits for "OK".
        s.country(0).funds = 0;
        clickDialogItem(d, int(production_id::kOk));
    });
    EXPECT_EQ(result, 0);
    ASSERT_EQ(platform::harness::messageBoxes().size(), 1u);
    EXPECT_NE(boxTexts()[0].find("生産できませんでした"), std::string::npos);
    EXPECT_NE(boxTexts()[0].find("戦車"), std::string::npos) << "the refused type is named";
}

TEST(ProductionDialog, ColumnHeadsSortAndASecondClickReversesButTabPassesThemBy)
{
    PlayWorld world;
    GameState& s = world.state();
    ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, kHome, kHome);
    std::vector<std::vector<uint32_t>> orders;
    std::set<int> tabbed;
    drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
        for (int i = 0; i < 12; ++i) {
            platform::harness::pressKey(VK_TAB);
            dialogtest::settle();
            tabbed.insert(GetDlgCtrlID(GetFocus()));
        }
        orders.push_back(dialog.typeIds());
        clickDialogItem(d, int(production_id::kClassHead));
        orders.push_back(dialog.typeIds());
        clickDialogItem(d, int(production_id::kNameHead));
        orders.push_back(dialog.typeIds());
        clickDialogItem(d, int(production_id::kCancel));
    });
    ASSERT_EQ(orders.size(), 3u);
    auto sorted = [&](const std::vector<uint32_t>& ids, bool (*less)(const GameState&, uint32_t, uint32_t)) {
        for (size_t i = 1; i < ids.size(); ++i)
            if (less(s, ids[i], ids[i - 1]))
                return false;
        return true;
    };
    EXPECT_TRUE(sorted(orders[0], unitTypeLessByClass)) << "opened sorted by class";
    std::vector<uint32_t> reversed(orders[0].rbegin(), orders[0].rend());
    EXPECT_EQ(orders[1], reversed) << "the active head reverses";
    EXPECT_TRUE(sorted(orders[2], unitTypeLessByName)) << "another head sorts ascending by its key";
    EXPECT_TRUE(tabbed.count(int(production_id::kTypeList)));
    for (int head : { production_id::kClassHead, production_id::kNameHead, production_id::kPriceHead })
        EXPECT_FALSE(tabbed.count(head)) << head;
}

TEST(ProductionDialog, TheMachineCountSetsThePricesShownAndBought)
{
    PlayWorld world;
    GameState& s = world.state();
    world.info.world.setRule(kRuleStoring, 1);
    // Enough for two tanks' machines but not for four.
    s.country(0).funds = world.price(kTank, 2) + 1;
    ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, kHome, kHome);
    int redAtTen = -1, redAtTwo = -1;
    int machines = 0;
    drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
        redAtTen = redInRow(d, dialog, kTank);
        chooseMachines(d, 2);
        redAtTwo = redInRow(d, dialog, kTank);
        clickRow(typeList(d), rowOf(dialog, kTank));
        clickDialogItem(d, int(production_id::kProduce));
        const auto& entries = dialog.orders().entries();
        machines = entries.empty() ? 0 : entries.back().machines();
        clickDialogItem(d, int(production_id::kCancel));
    });
    EXPECT_GT(redAtTen, 0);
    EXPECT_EQ(redAtTwo, 0);
    EXPECT_EQ(machines, 2);
}

TEST(ProductionDialog, ClosesWithinATickWhenPlayStops)
{
    PlayWorld world;
    GameState& s = world.state();
    ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, kHome, kHome);
    bool closed = false;
    const INT_PTR result = drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
        s.handshake().setPlayRunning(false);
        closed = closes(d);
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, 0);
}

TEST(ProductionDialog, FacilityMarksTellWhatTheAirportOrPortServes)
{
    struct Case {
        int kind;
        uint8_t capability;
        const char* upper;
        const char* lower;
    } cases[] = {
        { 16, 2, "高空:○", "低空:×" },
        { 17, 0, "海上:○", "海中:○" },
        { 17, 32, "海上:×", "海中:○" },
    };
    for (const Case& c : cases) {
        PlayWorld world;
        const int terrain = world.info.world.terrainOfKind(c.kind);
        ASSERT_GE(terrain, 0) << "kind " << c.kind;
        world.info.world.cell(5, 5).terrain = uint8_t(terrain);
        const int building = world.info.world.placeBuilding(terrain, 0, 5, 5);
        world.info.world.building(building).domainMask = c.capability;
        ProductionDialog dialog(makeWindowContext(world.state()), &world.info.owner, 5, 5);
        std::string upper, lower;
        drive(kProductionTitle, [&] { return dialog.run(); }, [&](HWND d) {
            upper = itemUtf8Text(d, int(production_id::kUpperMark));
            lower = itemUtf8Text(d, int(production_id::kLowerMark));
            clickDialogItem(d, int(production_id::kCancel));
        });
        EXPECT_EQ(upper, c.upper) << "kind " << c.kind << " capability " << int(c.capability);
        EXPECT_EQ(lower, c.lower) << "kind " << c.kind << " capability " << int(c.capability);
    }
}
