// The terrain list on the headless desktop: columns composed from the effective items (header and
// rows from the same cells), widths and kept edges, the display-item window, height snapping, and
// the marks of the items under the rules.
#include "infowin/land_list_window.h"

#include "infowin/land_list_items.h"
#include "infowin/land_list_option_window.h"
#include "state/game_settings.h"
#include "state/terrain_record.h"
#include "tests/infowin/info_world.h"
#include "tests/infowin/test_values.h"
#include "ui/private_messages.h"

#include <cstring>

using namespace info_test;

namespace {

// The generated sheet's colours: a title cell's left edge and a row's left rule.
constexpr uint32_t kTitleEdge = 0x788AA4;
constexpr uint32_t kRowRule = 0xB0AC9C;

class LandList : public ::testing::Test {
protected:
    void open(uint32_t mask)
    {
        info.state().settings().landListOption = int32_t(mask);
        window = LandListWindow::open(info.context(), &info.owner);
        ASSERT_NE(window, nullptr);
        handle = window->handle();
        testing_lib::pump();
    }
    RECT frame() const
    {
        RECT r {};
        GetWindowRect(handle, &r);
        return r;
    }
    int listWidth() const
    {
        RECT r {};
        GetWindowRect(window->listHandle(), &r);
        return r.right - r.left;
    }
    // Where each effective item's column starts.
    std::vector<int> columnStarts(uint32_t effective) const
    {
        std::vector<int> starts;
        int x = land_list::kNameWidth;
        for (int i = 0; i < land_list::kItemCount; ++i)
            if (effective >> i & 1) {
                starts.push_back(x);
                x += land_list::item(i).width;
            }
        return starts;
    }

    InfoWorld info;
    LandListWindow* window = nullptr;
    HWND handle = nullptr;
};

} // namespace

TEST_F(LandList, MaskZeroLeavesTheNameColumn)
{
    open(0);
    EXPECT_EQ(window->columnWidth(), 96);
    EXPECT_EQ(listWidth(), 96 + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(frame().right - frame().left, window->windowWidth());
    const POINT origin = screenOf(info.owner.handle(), 216, 0);
    EXPECT_EQ(frame().left, origin.x);
    EXPECT_EQ(int(SendMessageA(window->listHandle(), LB_GETCOUNT, 0, 0)), int(info.state().terrainTypes().size()));
    // Rows by the list-order value.
    const auto& types = info.state().terrainTypes();
    for (int row = 1; row < int(types.size()); ++row)
        EXPECT_LE(types[size_t(window->rowTerrain(row - 1))].number, types[size_t(window->rowTerrain(row))].number);
}

TEST_F(LandList, AColumnTheRulesDropClosesUpInHeaderAndRows)
{
    info.startPlay();
    info.world.setRule(kRuleSearch, 0);
    info.state().mapHeader().buildingIncome = 1;
    for (RuleSwitch rule : { kRuleOccupationPoints, kRuleStoring, kRuleConcealment, kRuleBombing, kRuleReplenishing, kRuleRepairing })
        info.world.setRule(rule, 1);
    open(0xFFFFFFFFu);
    const uint32_t effective = 0xFFFFu & ~2u;
    EXPECT_EQ(window->effectiveItems(), effective);
    EXPECT_EQ(window->columnWidth(), 820 - 76);

    const Image image = clientImage(handle);
    saveShot(image, "terrain_list");
    for (int x : columnStarts(effective)) {
        EXPECT_EQ(rgb(image, x, 10), kTitleEdge) << "header column at " << x;
        EXPECT_EQ(rgb(image, x, 20 + 9), kRowRule) << "row column at " << x;
    }
    // Where "占領耐久度" stood with "視界" shown there is no column any more.
    EXPECT_NE(rgb(image, 95 + 44 + 76, 20 + 9), kRowRule);
    // In the second row: the first, where the keys are, has the focus frame on its edge.
    EXPECT_EQ(rgb(image, window->columnWidth() - 1, 20 + LandListWindow::kRowHeight + 9), 0x282C34u) << "the closing column";

    // The display-item window offers no "視界" box; the boxes below close up.
    LandListOptionWindow* options = LandListOptionWindow::open(info.context(), window);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(GetDlgItem(options->handle(), int(land_list_option_id::kFirstItem) + 1), nullptr);
    HWND occupation = GetDlgItem(options->handle(), int(land_list_option_id::kFirstItem) + 2);
    ASSERT_NE(occupation, nullptr);
    RECT box {};
    GetWindowRect(occupation, &box);
    EXPECT_EQ(box.top - screenOf(options->handle(), 0, 0).y, 20 + 16);
    RECT client {};
    GetClientRect(options->handle(), &client);
    EXPECT_EQ(client.bottom, 16 * 15 + 20);
    EXPECT_EQ(client.right, 86);
}

TEST_F(LandList, EdgesStayAsTheItemsChange)
{
    open(0x0001);
    const RECT before = frame();
    // From the display-item window: the list widens to the left.
    LandListOptionWindow* options = LandListOptionWindow::open(info.context(), window);
    ASSERT_NE(options, nullptr);
    ShowWindow(options->handle(), SW_SHOWNOACTIVATE);
    testing_lib::pump();
    const POINT box = screenOf(options->handle(), 10, 20 + 16 * 7 + 7);
    harness::click(box.x, box.y);
    testing_lib::pump();
    EXPECT_EQ(uint32_t(info.state().settings().landListOption), 0x0081u);
    RECT after = frame();
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 52);
    EXPECT_EQ(listWidth(), window->columnWidth() + GetSystemMetrics(SM_CXVSCROLL));

    // A refresh from the main window keeps the left edge.
    info.state().settings().landListOption = 0x0001;
    PostMessageA(handle, ui_message::kLandListRefresh, 0, 0);
    testing_lib::pump();
    const RECT refreshed = frame();
    EXPECT_EQ(refreshed.left, after.left);
    EXPECT_EQ(refreshed.right - refreshed.left, before.right - before.left);
}

TEST_F(LandList, HeightSnapsToWholeRowsAtAFixedWidth)
{
    open(0x00FF);
    RECT rect = frame();
    const int fixed = window->frameHeight() + LandListWindow::kHeaderHeight;
    RECT dragged { rect.left, rect.top, rect.right + 40, rect.top + fixed + 18 * 4 + 13 };
    SendMessageA(handle, WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&dragged));
    EXPECT_EQ(dragged.bottom - dragged.top, fixed + 18 * 4);
    EXPECT_EQ(dragged.top, rect.top);
    RECT fromTop { rect.left, rect.top, rect.right, rect.top + fixed + 18 * 2 + 5 };
    const LONG bottom = fromTop.bottom;
    SendMessageA(handle, WM_SIZING, WMSZ_TOP, LPARAM(&fromTop));
    EXPECT_EQ(fromTop.bottom, bottom);
    EXPECT_EQ(fromTop.bottom - fromTop.top, fixed + 18 * 2);
    MINMAXINFO limits {};
    SendMessageA(handle, WM_GETMINMAXINFO, 0, LPARAM(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, window->windowWidth());
    EXPECT_EQ(limits.ptMaxTrackSize.x, window->windowWidth());
    EXPECT_EQ(limits.ptMaxTrackSize.y, window->frameHeight() + 18 * int(info.state().terrainTypes().size()) + 20);
}

TEST_F(LandList, RightClickAndCloseAskTheMainWindow)
{
    open(0x0001);
    const POINT row = screenOf(handle, 40, 30);
    harness::click(row.x, row.y, harness::Button::Right);
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kCloseTerrainList), 1);
    PostMessageA(handle, WM_CLOSE, 0, 0);
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kCloseTerrainList), 2);
    EXPECT_TRUE(IsWindow(handle));
    RECT client {};
    GetClientRect(handle, &client);
    const POINT toggle = screenOf(handle, client.right - 8, 8);
    harness::click(toggle.x, toggle.y);
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kToggleLandListOption), 1);
    char text[8] = {};
    GetWindowTextA(GetDlgItem(handle, int(land_list_id::kOptionButton)), text, sizeof text);
    EXPECT_STREQ(text, "<<") << "the display-item window was hidden";
}

TEST(LandListItems, MarksFollowTheKindsAndTheRules)
{
    InfoWorld info;
    GameState& s = info.state();
    TerrainRecord ground {};
    ground.kind = 0;
    ground.replenishMask = ground.repairMask = ground.rearmMask = ground.refuelMask = 1;
    ground.flags = 0x01 | 0x08 | 0x04 | 0x80;
    TerrainRecord building = ground;
    building.kind = 16;
    building.flags = 0x10 | 0x20 | 0x40 | 0x08;
    building.durability = 40;
    building.occupationValue = 7;
    building.income = 120;
    building.capacity = 6;
    TerrainRecord empty {};
    empty.kind = 14;

    info.world.setRule(kRuleBoardingOwnership, 0);
    info.world.setRule(kRuleAlliedReplenish, 1);
    info.world.setRule(kRuleAlliedRepair, 0);
    info.world.setRule(kRuleAlliedRearm, 1);
    struct Row {
        const TerrainRecord* terrain;
        int item;
        const char* text;
    };
    const Row offRule26[] = {
        { &ground, 5, "○" }, { &ground, 8, "○" }, { &building, 5, "味" }, { &building, 6, "自" }, { &building, 7, "味" },
        { &building, 8, "味" }, { &empty, 5, "×" }, { &empty, 8, "×" }, { &ground, 9, "○" }, { &building, 9, "×" },
        { &ground, 10, "×" }, { &building, 10, "○" }, { &ground, 11, "○" }, { &ground, 12, "○" }, { &building, 11, "味" },
        { &building, 12, "×" }, { &building, 13, "○" }, { &ground, 13, "×" }, { &building, 14, "○" }, { &ground, 15, "○" },
        { &building, 15, "×" },
    };
    for (const Row& row : offRule26)
        EXPECT_EQ(land_list::itemText(s, row.item, *row.terrain), cp(row.text)) << "item " << row.item << " kind " << int(row.terrain->kind);
    info.world.setRule(kRuleBoardingOwnership, 1);
    info.world.setRule(kRuleAlliedReplenish, 0);
    EXPECT_EQ(land_list::itemText(s, 11, building), cp("全"));
    EXPECT_EQ(land_list::itemText(s, 5, building), cp("自"));
    EXPECT_EQ(land_list::itemText(s, 11, ground), cp("○"));

    // Ground types leave the building figures out; a ground type's durability shows when it has one.
    for (int item : { 0, 1, 2, 4 })
        EXPECT_EQ(land_list::itemText(s, item, ground), "-") << item;
    EXPECT_EQ(land_list::itemText(s, 3, ground), "-");
    ground.durability = 12;
    EXPECT_EQ(land_list::itemText(s, 3, ground), "12");
    EXPECT_EQ(land_list::itemText(s, 0, building), " 120");
    EXPECT_EQ(land_list::itemText(s, 2, building), " 7");
    EXPECT_EQ(land_list::itemText(s, 4, building), "6");
    building.groupValues[2] = 5;
    building.groupValues[4] = 3;
    EXPECT_EQ(land_list::itemText(s, 1, building), "0/0/5/0/3/0");
    info.startPlay();
    info.world.setRule(kRuleSightLayers, 0);
    EXPECT_EQ(land_list::itemText(s, 1, building), "5");
    // In play the income column needs the map's building income.
    info.state().mapHeader().buildingIncome = 0;
    EXPECT_FALSE(land_list::isItemOffered(s, 0));
    info.state().mapHeader().buildingIncome = 1;
    EXPECT_TRUE(land_list::isItemOffered(s, 0));
}
