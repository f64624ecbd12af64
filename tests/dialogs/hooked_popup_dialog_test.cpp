// The hex contents popup: rows enabled by purpose, its layout, choosing, nested popups and the
// right click that closes only the innermost popup.
#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/popup_rows.h"

#include "rules/current_action.h"
#include "rules/rules_context.h"
#include "rules/rules_install.h"
#include "tests/dialogs/dialog_world.h"

#include <gtest/gtest.h>

using namespace dialogs_test;

namespace {

// Country 0's turn with a carrier holding two units, a plain unit, and a unit of country 1.
struct HexWorld : DialogWorld {
    HexWorld()
    {
        installRules(state());
        state().turnBlock().currentCountry = 0;
        carrier = placeUnit(0, landType(), 3, 3);
        plain = placeUnit(0, landType(), 3, 3);
        cargoA = addUnit(0, landType(), 3, 3);
        cargoB = addUnit(0, landType(), 3, 3);
        other = placeUnit(1, landType(), 3, 3);
        unit(0, carrier).flags |= kUnitCarrying;
        unit(0, carrier).setCarriedUnit(0, cargoA);
        unit(0, carrier).setCarriedUnit(1, cargoB);
        for (int cargo : { cargoA, cargoB })
            unit(0, cargo).flags |= kUnitAboard;
    }
    static uint32_t of(int side, int index) { return popup_entry::make(uint32_t(side), uint32_t(index)); }

    int carrier = 0, plain = 0, cargoA = 0, cargoB = 0, other = 0;
};

} // namespace

TEST(HookedPopupDialog, RowsAndStatusCellsAreEnabledByPurpose)
{
    HexWorld world;
    const uint32_t carrier = HexWorld::of(0, world.carrier);
    const uint32_t plain = HexWorld::of(0, world.plain);
    const uint32_t other = HexWorld::of(1, world.other);
    const uint32_t hex = popup_entry::hex(3, 3);
    const uint32_t building = popup_entry::make(popup_entry::kBuilding, 0);
    const uint32_t prompt = popup_entry::prompt(1);
    currentAction(world.state()).beginAutoMoveSetup();
    currentAction(world.state()).addAutoMoveUnit(0, world.plain);
    struct Case {
        int purpose;
        uint32_t entry;
        bool row;
        bool cell;
    } cases[] = {
        { HookedPopupDialog::kMoveTarget, carrier, true, false },
        { HookedPopupDialog::kMoveTarget, other, true, false },
        { HookedPopupDialog::kMoveTarget, building, true, false },
        { HookedPopupDialog::kAutoMoveTarget, hex, true, false },
        // Only the current country's carriers open their cargo.
        { HookedPopupDialog::kAutoMoveTarget, carrier, true, true },
        { HookedPopupDialog::kAutoMoveTarget, plain, true, false },
        { HookedPopupDialog::kAutoMoveTarget, other, true, false },
        // The group takes units not in it yet, and hexes.
        { HookedPopupDialog::kAutoMoveGroup, carrier, true, true },
        { HookedPopupDialog::kAutoMoveGroup, plain, false, false },
        { HookedPopupDialog::kAutoMoveGroup, hex, true, false },
        { HookedPopupDialog::kAutoMoveGroup, building, false, false },
        // Boarding: the acting unit and a unit that carries nothing of its kind never.
        { HookedPopupDialog::kBoard, hex, false, false },
        { HookedPopupDialog::kAutoMoveTarget, prompt, false, false },
    };
    currentAction(world.state()).setActingUnit(0, world.plain);
    for (const Case& c : cases) {
        HookedPopupDialog popup(makeWindowContext(world.state()), world.owner(), c.purpose, 0, 0, {}, {});
        EXPECT_EQ(popup.rowEnabled(c.entry), c.row) << "purpose " << c.purpose << " entry " << std::hex << c.entry;
        EXPECT_EQ(popup.cellEnabled(c.entry), c.cell) << "purpose " << c.purpose << " entry " << std::hex << c.entry;
    }
    HookedPopupDialog board(makeWindowContext(world.state()), world.owner(), HookedPopupDialog::kBoard, 0, 0, {}, {});
    EXPECT_FALSE(board.rowEnabled(plain)) << "the acting unit boards nothing of its own";
    currentAction(world.state()).endAutoMoveSetup();
}

TEST(HookedPopupDialog, LayoutFollowsTheListsAndTheProductionCountRule)
{
    HexWorld world;
    struct Case {
        bool rule45;
        std::vector<uint32_t> upper, lower;
        int width, height;
        bool separator;
    } cases[] = {
        { false, { popup_entry::prompt(3) }, { HexWorld::of(0, world.carrier), popup_entry::hex(3, 3) }, 285, 58, true },
        { true, { popup_entry::prompt(3) }, { HexWorld::of(0, world.carrier) }, 327, 40, true },
        { false, {}, { HexWorld::of(0, world.carrier), HexWorld::of(1, world.other) }, 285, 36, false },
    };
    for (const Case& c : cases) {
        world.setRule(kRuleProductionCount, c.rule45 ? 1 : 0);
        HookedPopupDialog popup(makeWindowContext(world.state()), world.owner(), HookedPopupDialog::kMoveTarget, 200, 150, c.upper, c.lower);
        popup_test::drive([&] { return popup.run(); }, [&](HWND window) {
            RECT client {}, frame {};
            GetClientRect(window, &client);
            GetWindowRect(window, &frame);
            EXPECT_EQ(client.right, c.width);
            EXPECT_EQ(client.bottom, c.height);
            EXPECT_EQ(frame.left, 200) << "the popup's corner is where it was asked for";
            EXPECT_EQ(frame.top, 150);
            EXPECT_EQ(GetDlgItem(window, HookedPopupDialog::kSeparator) != nullptr, c.separator);
            PostMessageA(window, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(popup.result(), 0);
        EXPECT_EQ(popup.chosenEntry(), popup_entry::kNone);
    }
}

TEST(HookedPopupDialog, AClickOnARowChoosesItsEntry)
{
    HexWorld world;
    const std::vector<uint32_t> lower { HexWorld::of(0, world.carrier), HexWorld::of(1, world.other), popup_entry::hex(3, 3) };
    HookedPopupDialog popup(makeWindowContext(world.state()), world.owner(), HookedPopupDialog::kMoveTarget, 200, 150, { popup_entry::prompt(3) }, lower);
    popup_test::drive([&] { return popup.run(); }, [](HWND window) {
        // The prompt does not choose.
        popup_test::clickItem(window, HookedPopupDialog::kFirstUpperRow);
        EXPECT_TRUE(IsWindow(window));
        popup_test::clickItem(window, HookedPopupDialog::kFirstLowerRow + 2);
    });
    EXPECT_EQ(popup.result(), 1);
    EXPECT_EQ(popup.chosenEntry(), popup_entry::hex(3, 3));
    EXPECT_FALSE(HookedPopupDialog::hookInstalled());
}

TEST(HookedPopupDialog, ARightClickInANestedPopupClosesOnlyItAndTheNextClosesTheOuter)
{
    HexWorld world;
    const std::vector<uint32_t> lower { HexWorld::of(0, world.carrier), HexWorld::of(0, world.plain) };
    HookedPopupDialog popup(makeWindowContext(world.state()), world.owner(), HookedPopupDialog::kAutoMoveTarget, 200, 150, {}, lower);
    bool outerStayed = false;
    popup_test::drive([&] { return popup.run(); }, [&](HWND window) {
        EXPECT_TRUE(HookedPopupDialog::hookInstalled());
        RECT cell {};
        GetWindowRect(GetDlgItem(window, HookedPopupDialog::kFirstLowerCell), &cell);
        harness::mouseMove(cell.left + 5, cell.top + 5);
        HWND nested = popup_test::waitForDialog({ window });
        ASSERT_NE(nested, nullptr);
        RECT inner {};
        GetWindowRect(nested, &inner);
        EXPECT_EQ(inner.left, cell.right) << "to the right of the cell, like a cascading menu";
        EXPECT_EQ(inner.top, cell.top);
        RECT client {};
        GetClientRect(nested, &client);
        EXPECT_EQ(client.bottom, 2 * CommandPromptBar::kHeight) << "the two units aboard";
        // Away from both popups, on the main window they belong to.
        popup_test::clickClient(world.ownerHandle(), 20, 500, harness::Button::Right);
        EXPECT_TRUE(popup_test::waitGone(nested));
        popup_test::settle();
        outerStayed = IsWindow(window) && IsWindowVisible(window);
        popup_test::clickClient(world.ownerHandle(), 20, 500, harness::Button::Right);
        EXPECT_TRUE(popup_test::waitGone(window));
    });
    EXPECT_TRUE(outerStayed);
    EXPECT_EQ(popup.result(), 0);
    EXPECT_EQ(popup.chosenEntry(), popup_entry::kNone);
    EXPECT_FALSE(HookedPopupDialog::hookInstalled());
}

TEST(HookedPopupDialog, ANestedChoiceIsTheOuterPopupsChoiceAndAtTheEdgeItOpensToTheLeft)
{
    HexWorld world;
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.right - 320;
    HookedPopupDialog popup(makeWindowContext(world.state()), world.owner(), HookedPopupDialog::kAutoMoveTarget, x, 150, {}, { HexWorld::of(0, world.carrier) });
    popup_test::drive([&] { return popup.run(); }, [&](HWND window) {
        PostMessageA(window, WM_COMMAND, HookedPopupDialog::kFirstLowerCell, 0);
        HWND nested = popup_test::waitForDialog({ window });
        ASSERT_NE(nested, nullptr);
        RECT outer {}, inner {};
        GetWindowRect(window, &outer);
        GetWindowRect(nested, &inner);
        EXPECT_EQ(inner.right, outer.left) << "no room to the right: beside the popup on its left";
        EXPECT_GE(inner.left, area.left);
        popup_test::clickItem(nested, HookedPopupDialog::kFirstLowerRow + 1);
    });
    EXPECT_EQ(popup.result(), 1);
    EXPECT_EQ(popup.chosenEntry(), HexWorld::of(0, world.cargoB));
}
