// The weapon list driven by injected input: the filter, the sorting headers reversing and restoring,
// rows on pixels, the double and right clicks that reach the main window, and a height that snaps to
// whole rows at a fixed width.
#include "infowin/weapon_list_window.h"

#include "lib/media/bitmap_button.h"
#include "platform/kernel/host.h"
#include "state/unit_type_sort.h"
#include "tests/infowin/info_world.h"
#include "ui/private_messages.h"

#include <algorithm>
#include <cstring>

using namespace info_test;

namespace {

void nameRecord(ProductionTypeRecord& record, const char* utf8)
{
    const std::string name = platform::utf8ToCp932(utf8);
    std::memset(record.name, 0, sizeof record.name);
    std::memcpy(record.name, name.data(), std::min(name.size(), sizeof record.name - 1));
}

class WeaponList : public ::testing::Test {
protected:
    WeaponList()
    {
        // User production type 0 allows two types; type 1 allows nothing.
        ProductionTypeRecord two {};
        nameRecord(two, "二種");
        for (const UnitTypeRecord& type : s.unitTypes()) {
            if (type.available == 1 && type.unitClass != kWarheadClass && picked.size() < 2) {
                two.setProducible(type.id, true);
                picked.push_back(uint32_t(type.id));
            }
        }
        s.setUserProductionType(0, two);
        ProductionTypeRecord none {};
        nameRecord(none, "なし");
        s.setUserProductionType(1, none);
        window = WeaponListWindow::open(info.context(), &info.owner);
        handle = window ? window->handle() : nullptr;
        testing_lib::pump();
    }

    int rows() const { return int(SendMessageA(window->listHandle(), LB_GETCOUNT, 0, 0)); }
    std::vector<uint32_t> shownIds() const
    {
        std::vector<uint32_t> ids;
        for (int row = 0; row < rows(); ++row)
            ids.push_back(uint32_t(window->rowTypeId(row)));
        return ids;
    }
    void clickClient(int x, int y, harness::Button button = harness::Button::Left)
    {
        const POINT p = screenOf(handle, x, y);
        harness::click(p.x, p.y, button);
        testing_lib::pump();
    }
    void clickHeader(int key)
    {
        static constexpr int kX[4] = { 60, 220, 340, 384 };
        clickClient(kX[key], 36);
    }
    bool pressed(int key) const
    {
        auto* button = dynamic_cast<BitmapButton*>(windowFromHandle(GetDlgItem(handle, int(weapon_list_id::kFirstHeader) + key)));
        return button && button->heldPressed();
    }
    // The filter's item from the end: 0 the last.
    void chooseFilterFromEnd(int fromEnd)
    {
        clickClient(56, 10);
        harness::pressKey(VK_END);
        for (int i = 0; i < fromEnd; ++i)
            harness::pressKey(VK_UP);
        harness::pressKey(VK_RETURN);
        testing_lib::pump();
    }
    std::vector<uint32_t> sortedBy(std::vector<uint32_t> ids, bool (*less)(const GameState&, uint32_t, uint32_t))
    {
        std::stable_sort(ids.begin(), ids.end(), [&](uint32_t a, uint32_t b) { return less(s, a, b); });
        return ids;
    }

    InfoWorld info;
    GameState& s = info.state();
    std::vector<uint32_t> picked;
    WeaponListWindow* window = nullptr;
    HWND handle = nullptr;
};

} // namespace

TEST_F(WeaponList, OpensBesideThePanelWithEveryTypeInTheKeptOrder)
{
    ASSERT_NE(handle, nullptr);
    RECT frame {};
    GetWindowRect(handle, &frame);
    const POINT origin = screenOf(info.owner.handle(), 216, 0);
    EXPECT_EQ(frame.left, origin.x);
    EXPECT_EQ(frame.top, origin.y);
    EXPECT_EQ(rows(), int(info.world.look().lists().producible().size()));
    EXPECT_GT(rows(), 10);
    EXPECT_TRUE(pressed(0));
    EXPECT_FALSE(pressed(1));
    const std::vector<uint32_t> shown = shownIds();
    EXPECT_EQ(shown, sortedBy(shown, unitTypeLessByClass));
    const Image image = clientImage(handle);
    saveShot(image, "weapon_list");
    // Rows show their text in black on the strip's own colour, which also fills the list below them.
    EXPECT_GT(countColour(image, 124, 48, 316, 66, kBlackPixel), 20);
    const uint32_t paper = rgb(image, 2, 48 + 2);
    EXPECT_EQ(paper, 0xECE8D6u);
}

TEST_F(WeaponList, HeadersSortReverseAndRestore)
{
    ASSERT_NE(handle, nullptr);
    clickHeader(1);
    EXPECT_TRUE(pressed(1));
    EXPECT_FALSE(pressed(0));
    const std::vector<uint32_t> byName = shownIds();
    std::vector<uint32_t> names = byName;
    // Equal names have no order of their own: compare the names only.
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_LE(compareNameFields(s.unitTypeRecord(int(names[i - 1])).name, s.unitTypeRecord(int(names[i])).name, 34), 0);
    clickHeader(1);
    std::vector<uint32_t> reversed = byName;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(shownIds(), reversed);
    EXPECT_TRUE(pressed(1));
    clickHeader(1);
    EXPECT_EQ(shownIds(), byName);

    clickHeader(3);
    const std::vector<uint32_t> byCost = shownIds();
    EXPECT_EQ(byCost, sortedBy(byCost, unitTypeLessByCost));
    EXPECT_EQ(info.world.look().lists().producibleOrder(), 3);
}

TEST_F(WeaponList, FilterKeepsTheKeyButNotAReversedOrder)
{
    ASSERT_NE(handle, nullptr);
    clickHeader(2);
    clickHeader(2); // reversed
    chooseFilterFromEnd(1); // "二種", before "なし"
    EXPECT_EQ(info.world.look().lists().producibleFilter(), producibleFilterOf(kFirstUserProductionType));
    EXPECT_EQ(shownIds(), sortedBy(picked, unitTypeLessBySecondKey));
    EXPECT_TRUE(pressed(2));

    // A double click on a row asks the main window for that type's information.
    const POINT row = screenOf(window->listHandle(), 200, WeaponListWindow::kRowHeight + 9);
    harness::doubleClick(row.x, row.y);
    testing_lib::pump();
    ASSERT_EQ(info.owner.count(ui_message::kWeaponInfo), 1);
    EXPECT_EQ(info.owner.posted.back().wParam, WPARAM(shownIds()[1]));

    // A production type that allows nothing: an empty list, and a double click asks for nothing.
    chooseFilterFromEnd(0);
    EXPECT_EQ(rows(), 0);
    harness::doubleClick(row.x, row.y);
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kWeaponInfo), 1);
}

TEST_F(WeaponList, RefreshKeepsTheFilterChosenAndRightClickAsksToClose)
{
    ASSERT_NE(handle, nullptr);
    chooseFilterFromEnd(1);
    // The chosen production type was edited meanwhile: the refresh keeps the choice and rebuilds.
    ProductionTypeRecord edited = s.userProductionTypes()[0];
    edited.setProducible(int(picked[1]), false);
    s.setUserProductionType(0, edited);
    SendMessageA(handle, ui_message::kWeaponListRefresh, 0, 0);
    testing_lib::pump();
    EXPECT_EQ(info.world.look().lists().producibleFilter(), producibleFilterOf(kFirstUserProductionType));
    EXPECT_EQ(shownIds(), std::vector<uint32_t> { picked[0] });
    // Once the production type is gone, every type is shown again.
    s.setUserProductionType(0, ProductionTypeRecord {});
    SendMessageA(handle, ui_message::kWeaponListRefresh, 0, 0);
    testing_lib::pump();
    EXPECT_EQ(info.world.look().lists().producibleFilter(), 0);
    EXPECT_GT(rows(), 2);

    clickClient(200, 200, harness::Button::Right);
    EXPECT_EQ(info.owner.count(ui_message::kCloseWeaponList), 1);
    EXPECT_TRUE(IsWindow(handle)); // the main window closes it
    PostMessageA(handle, WM_CLOSE, 0, 0);
    testing_lib::pump();
    EXPECT_EQ(info.owner.count(ui_message::kCloseWeaponList), 2);
}

TEST_F(WeaponList, SizingSnapsToWholeRowsAndKeepsTheWidth)
{
    ASSERT_NE(handle, nullptr);
    RECT before {};
    GetWindowRect(handle, &before);
    const int mid = (before.left + before.right) / 2;
    harness::mouseDown(mid, before.bottom - 2);
    harness::mouseMove(mid, before.bottom + 10);
    harness::mouseMove(mid, before.bottom + 25);
    harness::mouseUp(mid, before.bottom + 25);
    testing_lib::pump();
    RECT client {};
    GetClientRect(handle, &client);
    EXPECT_EQ((client.bottom - WeaponListWindow::kHeaderHeight) % WeaponListWindow::kRowHeight, 0);
    RECT after {};
    GetWindowRect(handle, &after);
    EXPECT_GT(after.bottom, before.bottom);
    EXPECT_LE(after.bottom, before.bottom + 25);

    const int middle = (after.top + after.bottom) / 2;
    harness::mouseDown(after.right - 2, middle);
    harness::mouseMove(after.right + 40, middle);
    harness::mouseUp(after.right + 40, middle);
    testing_lib::pump();
    RECT wider {};
    GetWindowRect(handle, &wider);
    EXPECT_EQ(wider.right - wider.left, before.right - before.left);
    EXPECT_EQ(client.right, window->fullWidth());
    // The list follows the client height below the headers.
    RECT list {};
    GetClientRect(window->listHandle(), &list);
    EXPECT_EQ(list.bottom, client.bottom - WeaponListWindow::kHeaderHeight);
}
