// TroopListBox rows on the headless desktop, read back as pixels: live, reserve and empty rows, the
// columns the experience and fatigue rules hide, the quarter and half colours, the grid lines and
// the inverted selection.
#include "infowin/troop_list_box.h"

#include "state/unit_facts.h"
#include "tests/infowin/info_world.h"
#include "tests/infowin/test_values.h"
#include "ui/private_messages.h"

#include <cstring>

using namespace info_test;

namespace {

// Where a column's cells lie with every column shown.
int columnLeft(int column)
{
    int x = 0;
    for (int c = 0; c < column; ++c)
        x += kTroopColumnWidths[c];
    return x;
}
int columnRight(int column) { return columnLeft(column) + kTroopColumnWidths[column]; }

class TroopRows : public ::testing::Test {
protected:
    TroopRows()
    {
        const int type = s.unitTypes()[1].id;
        for (int i = 0; i < 4; ++i) {
            const int index = info.world.addUnit(1, type, 3, 4);
            UnitRecord& unit = info.world.unit(1, index);
            unit.troopNumber = uint16_t(7 + i);
            unit.memberLimit = 8;
        }
        s.country(1).unitListLength = 6;
        setRules(true, true);
    }
    void setRules(bool experience, bool fatigue)
    {
        info.world.setRule(kRuleExperience, experience ? 1 : 0);
        info.world.setRule(kRuleFatigue, fatigue ? 1 : 0);
    }
    UnitRecord& unit(int index) { return info.world.unit(1, index); }
    // A list box on the owner showing the keys, one row each.
    TroopListBox* show(const std::vector<int>& indexes, int selected = -1)
    {
        keys.clear();
        for (int i : indexes)
            keys.push_back(uint32_t(i) << 16 | 1u);
        auto* box = new TroopListBox(&info.owner, info.state(), info.world.look(), 1000, &keys);
        const int width = kTroopRowWidth + GetSystemMetrics(SM_CXVSCROLL) + 2;
        box->controlCreate({ 10, 10, width, kTroopRowHeight * int(keys.size()) + 2 });
        SendMessageA(box->handle(), LB_SETITEMHEIGHT, 0, kTroopRowHeight);
        for (size_t i = 0; i < keys.size(); ++i)
            SendMessageA(box->handle(), LB_ADDSTRING, 0, LPARAM(i));
        if (selected >= 0)
            SendMessageA(box->handle(), LB_SETCURSEL, WPARAM(selected), 0);
        InvalidateRect(box->handle(), nullptr, TRUE);
        testing_lib::pump();
        return box;
    }

    InfoWorld info;
    GameState& s = info.state();
    std::vector<uint32_t> keys;
};

} // namespace

TEST_F(TroopRows, LiveReserveAndEmptyRowsWithTheirColours)
{
    unit(0).flags = kUnitActed;   // "行動済" in red
    setState(unit(1), 1000);      // set aside: grey throughout
    unit(2).flags = kUnitAboard;  // "搭乗中" in black
    // Row 3 is past the table's count: an empty row.
    TroopListBox* box = show({ 0, 1, 2, 5 });
    const Image image = clientImage(box->handle());
    saveShot(image, "troop_rows");
    const int h = kTroopRowHeight;
    // Live row: a black troop number, the red state word, a white background.
    EXPECT_GT(countColour(image, 0, 0, columnRight(0) - 1, h - 1, kBlackPixel), 10);
    EXPECT_GT(countColour(image, columnLeft(2), 0, columnRight(2) - 1, h - 1, kRedPixel), 10);
    EXPECT_EQ(rgb(image, columnLeft(4) + 220, 8), kWhitePixel);
    // Reserve row: grey text and no black but the grid.
    EXPECT_GT(countColour(image, columnLeft(2), h, columnRight(2) - 1, 2 * h - 1, kGreyPixel), 10);
    EXPECT_EQ(countColour(image, 0, h, columnRight(0) - 1, 2 * h - 1, kBlackPixel), 0);
    EXPECT_GT(countColour(image, 0, h, columnRight(0) - 1, 2 * h - 1, kGreyPixel), 10);
    // An acted unit's word would be red; aboard without acting is black.
    EXPECT_EQ(countColour(image, columnLeft(2), 2 * h, columnRight(2) - 1, 3 * h - 1, kRedPixel), 0);
    EXPECT_GT(countColour(image, columnLeft(2), 2 * h, columnRight(2) - 1, 3 * h - 1, kBlackPixel), 10);
    // Empty row: black dashes in the name column, nothing in the icon column.
    EXPECT_GT(countColour(image, columnLeft(4), 3 * h, columnRight(4) - 1, 4 * h - 1, kBlackPixel), 100);
    EXPECT_EQ(countColour(image, columnLeft(1), 3 * h, columnRight(1) - 1, 4 * h - 1, kBlackPixel), 0);
}

TEST_F(TroopRows, GridLinesFollowTheShownColumnsAndTheLastRowIsClosed)
{
    TroopListBox* box = show({ 0, 1 });
    Image image = clientImage(box->handle());
    for (int column = 0; column < kTroopColumnCount - 1; ++column)
        EXPECT_EQ(rgb(image, columnRight(column) - 1, 9), kBlackPixel) << column;
    // The last column's line would fall within 8 pixels of the right edge.
    EXPECT_EQ(rgb(image, kTroopRowWidth - 1, 9), kWhitePixel);
    // Only the last row has its bottom line.
    EXPECT_EQ(rgb(image, columnLeft(4) + 100, kTroopRowHeight - 1), kWhitePixel);
    EXPECT_EQ(rgb(image, columnLeft(4) + 100, 2 * kTroopRowHeight - 1), kBlackPixel);
    DestroyWindow(box->handle());

    // Rule 12 off hides the level column (28), rule 11 off the fatigue column (32).
    setRules(false, true);
    box = show({ 0 });
    image = clientImage(box->handle());
    EXPECT_EQ(rgb(image, columnRight(6) + 32 - 1, 9), kBlackPixel);
    EXPECT_EQ(rgb(image, columnRight(7) - 1, 9), kWhitePixel);
    DestroyWindow(box->handle());
    setRules(true, false);
    box = show({ 0 });
    image = clientImage(box->handle());
    EXPECT_EQ(rgb(image, columnRight(7) - 1, 9), kBlackPixel);
    // The fuel moves into the fatigue's place and leaves the last 32 pixels empty.
    EXPECT_GT(countColour(image, columnLeft(8), 1, columnRight(8) - 1, kTroopRowHeight - 1, kBlackPixel), 5);
    EXPECT_EQ(countColour(image, columnLeft(9), 1, columnRight(9), kTroopRowHeight - 1, kBlackPixel), 0);
}

TEST_F(TroopRows, MembersFatigueAndFuelTurnRedAtAQuarterAndOrangeAtAHalf)
{
    const int capacity = s.unitTypeRecord(unit(0).unitTypeId).model[0].fuel;
    ASSERT_GE(capacity, 8);
    struct Case {
        int members;
        int fatigue;
        int fuel;
        uint32_t membersColour, fatigueColour, fuelColour;
    };
    // The member limit is 8: 2 is a quarter, 4 a half.
    const Case cases[] = {
        { 2, 37, capacity / 4, kRedPixel, kRedPixel, kRedPixel },
        { 4, 25, capacity / 2, kOrangePixel, kOrangePixel, kOrangePixel },
        { 5, 24, capacity / 2 + 1, kBlackPixel, kBlackPixel, kBlackPixel },
    };
    for (int i = 0; i < 3; ++i) {
        UnitRecord& u = unit(i);
        std::memset(u.memberStrengths, 0, sizeof u.memberStrengths);
        for (int m = 0; m < cases[i].members; ++m)
            u.memberStrengths[m] = 1;
        u.fatigue = uint16_t(cases[i].fatigue);
        u.fuel = uint16_t(cases[i].fuel);
    }
    TroopListBox* box = show({ 0, 1, 2 });
    const Image image = clientImage(box->handle());
    for (int i = 0; i < 3; ++i) {
        const int top = i * kTroopRowHeight + 1;
        const int bottom = top + kTroopRowHeight - 2;
        auto inColumn = [&](int column, uint32_t colour) {
            return countColour(image, columnLeft(column), top, columnRight(column) - 1, bottom, colour);
        };
        EXPECT_GT(inColumn(6, cases[i].membersColour), 5) << i;
        EXPECT_GT(inColumn(8, cases[i].fatigueColour), 5) << i;
        EXPECT_GT(inColumn(9, cases[i].fuelColour), 5) << i;
    }
    // With a member limit of 0, any member count is black.
    unit(0).memberLimit = 0;
    InvalidateRect(box->handle(), nullptr, TRUE);
    const Image again = clientImage(box->handle());
    EXPECT_EQ(countColour(again, columnLeft(6), 1, columnRight(6) - 1, kTroopRowHeight - 1, kRedPixel), 0);
}

TEST_F(TroopRows, ASelectedLiveRowIsInvertedAndAReserveRowIsNot)
{
    TroopListBox* box = show({ 0, 1 }, 0);
    Image image = clientImage(box->handle());
    EXPECT_EQ(rgb(image, columnLeft(4) + 220, 8), kBlackPixel);
    EXPECT_EQ(rgb(image, columnLeft(4) + 220, kTroopRowHeight + 8), kWhitePixel);
    DestroyWindow(box->handle());
    setState(unit(1), 1000);
    box = show({ 0, 1 }, 1);
    image = clientImage(box->handle());
    EXPECT_EQ(rgb(image, columnLeft(4) + 220, kTroopRowHeight + 8), kWhitePixel);
    // In carry-over mode a selected entry set aside is inverted like a live one.
    s.carryOverTable()[0] = unit(0);
    s.carryOverTable()[1] = unit(1);
    s.setCarryOverCount(2);
    std::vector<uint32_t> entries = { 0, 1 };
    box->setKeys(&entries);
    box->setCarryOverMode(1);
    InvalidateRect(box->handle(), nullptr, TRUE);
    image = clientImage(box->handle());
    EXPECT_EQ(rgb(image, columnLeft(4) + 220, kTroopRowHeight + 8), kBlackPixel);
}

TEST(TroopListColumnMask, RulesElevenAndTwelveHideTheirColumns)
{
    testing_state::SmallWorld world(4, 4);
    world.state().settings().troopListOption = -1;
    world.setRule(kRuleFatigue, 1);
    world.setRule(kRuleExperience, 1);
    EXPECT_EQ(troopListColumnMask(world.state()), 0xFFFFFFFFu);
    world.setRule(kRuleExperience, 0);
    EXPECT_EQ(troopListColumnMask(world.state()), 0xFFFFFF7Fu);
    world.setRule(kRuleFatigue, 0);
    world.state().settings().troopListOption = 0x3FF;
    EXPECT_EQ(troopListColumnMask(world.state()), 0x27Fu);
}

TEST_F(TroopRows, TheTroopNumberListClosingInsideTheBoxIsToldToTheOwner)
{
    TroopListBox* box = show({ 0 });
    HWND combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 40, 80, box->handle(),
        reinterpret_cast<HMENU>(UINT_PTR(kTroopNumberComboId)), nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    SendMessageA(box->handle(), WM_COMMAND, MAKEWPARAM(kTroopNumberComboId, CBN_CLOSEUP), LPARAM(combo));
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kTroopListNumberChosen), 1);
    // A key that changes the closed combo chooses too.
    SendMessageA(box->handle(), WM_COMMAND, MAKEWPARAM(kTroopNumberComboId, CBN_SELCHANGE), LPARAM(combo));
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kTroopListNumberChosen), 2);
}
