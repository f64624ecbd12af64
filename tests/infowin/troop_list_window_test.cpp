// The troop list on the headless desktop, driven by injected clicks and keys: its rows and count,
// sorting by every header, the columns the rules and the display items leave, its docked
// display-item window, whole-row sizing, and the number combo inside the list.
#include "infowin/troop_list_window.h"

#include "infowin/troop_list_box.h"
#include "infowin/troop_list_ids.h"
#include "infowin/troop_list_option_window.h"
#include "state/troop_sort.h"
#include "tests/infowin/troop_world.h"
#include "ui/private_messages.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>

using namespace info_test;

namespace {

class TroopList : public ::testing::Test {
protected:
    TroopList()
    {
        TroopListWindow::resetSortMemory();
        // Distinct values for every key: numbers, hexes, names, members, fatigue and fuel.
        const int numbers[5] = { 5, 3, 9, 1, 7 };
        const char* names[5] = { "Delta", "Alpha", "Echo", "Charlie", "Bravo" };
        const int xs[5] = { 4, 2, 6, 1, 3 };
        for (int i = 0; i < 5; ++i) {
            world.addUnit(numbers[i], names[i], xs[i], 2);
            UnitRecord& u = world.unit(i);
            std::memset(u.memberStrengths, 0, sizeof u.memberStrengths);
            for (int m = 0; m <= (i * 2) % 5; ++m)
                u.memberStrengths[m] = 1;
            u.fatigue = uint16_t((i * 7) % 5 * 3);
            u.fuel = uint16_t(10 + (i * 3) % 5);
            u.experience = uint16_t((i * 4) % 5 * 300);
        }
        world.unit(1).flags = kUnitActed;
        world.info.world.setRule(kRuleFatigue, 1);
        world.info.world.setRule(kRuleExperience, 1);
        s.settings().troopListOption = -1;
        world.personActs();
    }
    void open()
    {
        list = TroopListWindow::open(world.info.context(), &world.info.owner);
        ASSERT_NE(list, nullptr);
        options = TroopListOptionWindow::open(world.info.context(), list);
        ASSERT_NE(options, nullptr);
        world.services.dock.attach(list->handle(), options->handle());
        world.services.dock.dock();
        testing_lib::pump();
    }
    void reopen()
    {
        DestroyWindow(options->handle());
        DestroyWindow(list->handle());
        testing_lib::pump();
        open();
    }
    // The x of column k's header with the columns shown now.
    int headerX(int column)
    {
        const uint32_t mask = troopListColumnMask(world.info.state());
        int x = 0;
        for (int c = 0; c < column; ++c)
            x += (mask >> c & 1) ? kTroopColumnWidths[c] : 0;
        return x;
    }
    void clickHeader(int column) { clickClient(list->handle(), headerX(column) + kTroopColumnWidths[column] / 2, 10); }
    // The unit indexes of the list's first rows.
    std::vector<int> firstRows(size_t n)
    {
        std::vector<int> rows;
        const std::vector<uint32_t>& keys = world.info.world.look().lists().troops(0);
        for (size_t i = 0; i < n && i < keys.size(); ++i)
            rows.push_back(int(keys[i] >> 16));
        return rows;
    }
    int clientWidth() const
    {
        RECT client {};
        GetClientRect(list->handle(), &client);
        return client.right;
    }
    RECT windowRect(HWND window) const
    {
        RECT r {};
        GetWindowRect(window, &r);
        return r;
    }
    HWND item(HWND window, UINT controlId) const { return GetDlgItem(window, int(controlId)); }
    // Client point of row r's troop-number cell.
    POINT rowPoint(int row, int x = 10) const { return { x, TroopListWindow::kHeaderHeight + 2 + kTroopRowHeight * row + 8 }; }
    void clickRow(int row, int x = 10)
    {
        const POINT p = rowPoint(row, x);
        clickClient(list->handle(), p.x, p.y);
    }

    TroopWorld world;
    GameState& s = world.state();
    TroopListWindow* list = nullptr;
    TroopListOptionWindow* options = nullptr;
};

// The field each sort key orders by, read independently of the sort.
int64_t keyField(GameState& s, int key, const UnitRecord& u)
{
    switch (key) {
    case 0: return u.troopNumber;
    case 1: return s.unitTypeOf(u)->unitClass;
    case 2: return u.hasFlag(kUnitActed) ? 8 : 0;
    case 3: return u.x * 256 + u.y;
    case 6: return strengthSlotCount(u);
    case 7: return experienceLevel(u);
    case 8: return u.fatigue;
    case 9: return u.fuel;
    default: return 0;
    }
}

} // namespace

TEST_F(TroopList, ShowsEverySlotOfTheCountryAndItsCount)
{
    open();
    EXPECT_EQ(list->country(), 0);
    EXPECT_EQ(SendMessageA(list->listHandle(), LB_GETCOUNT, 0, 0), 30);
    EXPECT_EQ(windowText(item(list->handle(), troop_list_id::kCount)), cp("部隊数   5/ 30"));
    EXPECT_EQ(windowText(list->handle()), cp("部隊表"));
    saveShot(clientImage(list->handle()), "troop_list");

    // Without a country: forty empty rows and the bare count.
    PostMessageA(list->handle(), ui_message::kTroopListShowCountry, WPARAM(-1), 0);
    testing_lib::pump();
    EXPECT_EQ(list->country(), -1);
    EXPECT_EQ(SendMessageA(list->listHandle(), LB_GETCOUNT, 0, 0), 40);
    EXPECT_EQ(windowText(item(list->handle(), troop_list_id::kCount)), cp("部隊数"));

    // Country 1, a person's too, acts: the list shows the viewer's country, not the acting one.
    s.country(1).controller = 1;
    s.turnBlock().currentCountry = 1;
    PostMessageA(list->handle(), ui_message::kTroopListShowCurrent, 0, 0);
    testing_lib::pump();
    EXPECT_EQ(list->country(), 0);
    reopen();
    EXPECT_EQ(list->country(), 0) << "opened";
}

TEST_F(TroopList, EachHeaderSortsByItsKeyAndASecondClickReverses)
{
    open();
    // Key 0's header is latched at the start: it comes last, after the others took the latch.
    for (int key : { 1, 2, 3, 4, 5, 6, 7, 8, 9, 0 }) {
        clickHeader(key);
        std::vector<int> expected(5);
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
            const UnitRecord& ua = world.unit(a);
            const UnitRecord& ub = world.unit(b);
            if (key == 4)
                return std::strcmp(ua.name, ub.name) < 0;
            if (key == 5)
                return false;
            const int64_t fa = keyField(s, key, ua), fb = keyField(s, key, ub);
            return fa != fb ? fa < fb : ua.troopNumber < ub.troopNumber;
        });
        const std::vector<int> ascending = firstRows(5);
        if (key != 5) {
            EXPECT_EQ(ascending, expected) << "key " << key;
        }
        EXPECT_FALSE(list->descending()) << key;

        clickHeader(key);
        EXPECT_TRUE(list->descending()) << key;
        const std::vector<uint32_t>& keys = world.info.world.look().lists().troops(0);
        if (key == 0) {
            // Key 0 turns the whole table round: the empty slots come first.
            EXPECT_FALSE(isLiveTroopKey(s, keys.front()));
            std::vector<int> tail = { int(keys[29] >> 16), int(keys[28] >> 16), int(keys[27] >> 16), int(keys[26] >> 16),
                int(keys[25] >> 16) };
            EXPECT_EQ(tail, ascending);
        } else {
            std::vector<int> reversed(ascending.rbegin(), ascending.rend());
            EXPECT_EQ(firstRows(5), reversed) << "key " << key;
            for (size_t i = 5; i < keys.size(); ++i)
                ASSERT_FALSE(isLiveTroopKey(s, keys[i])) << "key " << key << " row " << i;
        }
    }
    // The last key and direction survive closing the window.
    EXPECT_EQ(TroopListWindow::currentSortKey(), 0);
    EXPECT_TRUE(TroopListWindow::savedDescending());
    reopen();
    EXPECT_TRUE(list->descending());
    EXPECT_FALSE(isLiveTroopKey(s, world.info.world.look().lists().troops(0).front()));
    // The highest troop number of the live units comes right after the empty slots.
    EXPECT_EQ(int(world.info.world.look().lists().troops(0)[25] >> 16), 2);
}

TEST_F(TroopList, RulesElevenAndTwelveTakeTheirColumnsAndBoxesAway)
{
    open();
    RECT frame = windowRect(list->handle());
    EXPECT_EQ(clientWidth(), kTroopRowWidth + TroopListWindow::kScrollAllowance);
    EXPECT_EQ(options->columns().size(), 10u);
    DestroyWindow(options->handle());
    DestroyWindow(list->handle());

    world.info.world.setRule(kRuleFatigue, 0);
    open();
    // The fatigue column goes; the fuel box closes up into its place.
    EXPECT_EQ(clientWidth(), kTroopRowWidth - 32 + TroopListWindow::kScrollAllowance);
    EXPECT_EQ(item(options->handle(), troop_list_id::kFirstColumnBox + 8), nullptr);
    RECT fuelBox {};
    GetWindowRect(item(options->handle(), troop_list_id::kFirstColumnBox + 9), &fuelBox);
    POINT top { fuelBox.left, fuelBox.top };
    ScreenToClient(options->handle(), &top);
    EXPECT_EQ(top.y, 20 + 16 * 8);
    EXPECT_FALSE(IsWindowVisible(item(list->handle(), troop_list_id::kFirstHeader + 8)));

    world.info.world.setRule(kRuleExperience, 0);
    frame = windowRect(list->handle());
    PostMessageA(list->handle(), ui_message::kTroopListShowCurrent, 0, 0);
    testing_lib::pump();
    EXPECT_EQ(clientWidth(), kTroopRowWidth - 32 - 28 + TroopListWindow::kScrollAllowance);
    EXPECT_EQ(options->columns().size(), 8u);
    // The right edge stays where it was.
    EXPECT_EQ(windowRect(list->handle()).right, frame.right);
}

TEST_F(TroopList, ADisplayItemBoxSwitchesItsColumnAndTheRightEdgeStays)
{
    open();
    world.services.dock.show(true);
    testing_lib::pump();
    const RECT before = windowRect(list->handle());
    HWND nameBox = item(options->handle(), troop_list_id::kFirstColumnBox + 4);
    ASSERT_NE(nameBox, nullptr);
    RECT box {};
    GetWindowRect(nameBox, &box);
    harness::click(box.left + 6, (box.top + box.bottom) / 2);
    testing_lib::pump();
    EXPECT_EQ(uint32_t(s.settings().troopListOption) & (1u << 4), 0u);
    EXPECT_EQ(clientWidth(), kTroopRowWidth - 228 + TroopListWindow::kScrollAllowance);
    const RECT after = windowRect(list->handle());
    EXPECT_EQ(after.right, before.right);
    EXPECT_FALSE(IsWindowVisible(item(list->handle(), troop_list_id::kFirstHeader + 4)));
    // The type name's header moves into the unit name's place.
    RECT header {};
    GetWindowRect(item(list->handle(), troop_list_id::kFirstHeader + 5), &header);
    POINT at { header.left, header.top };
    ScreenToClient(list->handle(), &at);
    EXPECT_EQ(at.x, headerX(5));
    // The display-item window went with the narrower list's edge.
    EXPECT_EQ(windowRect(options->handle()).left, after.right);
    saveShot(harness::readRect(RECT { after.left, after.top, windowRect(options->handle()).right, after.bottom }), "troop_list_items");
}

TEST_F(TroopList, TheDisplayItemWindowIsDockedAndFollowsTheList)
{
    open();
    const POINT dockPoint = displayItemDockPoint(list->handle(), outerWindowSize(options->handle()));
    RECT opt = windowRect(options->handle());
    EXPECT_EQ(opt.left, dockPoint.x);
    EXPECT_EQ(opt.top, dockPoint.y);
    const int width = opt.right - opt.left;
    EXPECT_EQ(width - (GetSystemMetrics(SM_CXDLGFRAME) * 2), TroopListOptionWindow::kClientWidth);
    EXPECT_FALSE(IsWindowVisible(options->handle()));

    // ">>" asks the main window to toggle the window and flips its own text.
    HWND toggle = item(list->handle(), troop_list_id::kOptionToggle);
    EXPECT_EQ(windowText(toggle), ">>");
    RECT t = windowRect(toggle);
    harness::click((t.left + t.right) / 2, (t.top + t.bottom) / 2);
    testing_lib::pump();
    EXPECT_EQ(world.info.owner.count(ui_message::kToggleTroopListOption), 1);
    EXPECT_EQ(windowText(toggle), "<<");

    world.services.dock.show(true);
    SetWindowPos(list->handle(), nullptr, 150, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    testing_lib::pump();
    opt = windowRect(options->handle());
    EXPECT_EQ(opt.left, windowRect(list->handle()).right);
    EXPECT_EQ(opt.top, displayItemDockPoint(list->handle(), outerWindowSize(options->handle())).y);
    EXPECT_EQ(opt.right - opt.left, width);
    EXPECT_TRUE(IsWindowVisible(options->handle()));
}

TEST_F(TroopList, HeightSnapsToWholeRowsWithinTheCountrysSlots)
{
    open();
    const int fixed = list->frameHeight() + 2 * GetSystemMetrics(SM_CYBORDER) + TroopListWindow::kHeaderHeight
        + TroopListWindow::kFooterHeight;
    RECT drag { 100, 100, 600, 100 + fixed + 18 * 4 + 11 };
    SendMessageA(list->handle(), WM_SIZING, WMSZ_BOTTOM, LPARAM(&drag));
    EXPECT_EQ(drag.bottom - drag.top, fixed + 18 * 4);
    EXPECT_EQ(drag.top, 100);
    RECT top { 100, 100, 600, 100 + fixed + 18 * 2 + 17 };
    SendMessageA(list->handle(), WM_SIZING, WMSZ_TOPRIGHT, LPARAM(&top));
    EXPECT_EQ(top.bottom, 100 + fixed + 18 * 2 + 17);
    EXPECT_EQ(top.bottom - top.top, fixed + 18 * 2);

    MINMAXINFO info {};
    SendMessageA(list->handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
    const int width = kTroopRowWidth + TroopListWindow::kScrollAllowance + list->frameWidth();
    EXPECT_EQ(info.ptMinTrackSize.x, width);
    EXPECT_EQ(info.ptMaxTrackSize.x, width);
    EXPECT_EQ(info.ptMinTrackSize.y, fixed);
    EXPECT_EQ(info.ptMaxTrackSize.y, fixed + 18 * 30);
    // A window taller than the country's slots is cut down when the country is shown.
    SetWindowPos(list->handle(), nullptr, 0, 0, width, fixed + 18 * 40, SWP_NOMOVE | SWP_NOZORDER);
    PostMessageA(list->handle(), ui_message::kTroopListShowCountry, 0, 0);
    testing_lib::pump();
    RECT now = windowRect(list->handle());
    EXPECT_EQ(now.bottom - now.top, fixed + 18 * 30);
}

TEST_F(TroopList, TheNumberComboOffersFreeNumbersAndSavesOnCloseUp)
{
    world.unit(3).troopNumber = 29; // larger than every free number but 30
    open();
    clickHeader(9); // any order; the combo follows the row clicked
    const std::vector<int> rows = firstRows(5);
    const int row = int(std::find(rows.begin(), rows.end(), 3) - rows.begin());
    clickRow(row);
    HWND combo = list->numberComboHandle();
    ASSERT_TRUE(IsWindowVisible(combo));
    EXPECT_EQ(GetParent(combo), list->listHandle());
    EXPECT_EQ(list->editedIndex(), 3);
    // The free numbers of 1..30 (numbers 5, 3, 9, 7 and 29 are taken) with the unit's own in place.
    std::vector<int> offered;
    const int count = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        offered.push_back(int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(i), 0)));
    std::vector<int> expected;
    for (int n = 1; n <= 30; ++n)
        if (n != 5 && n != 3 && n != 9 && n != 7)
            expected.push_back(n);
    EXPECT_EQ(offered, expected);
    const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, WPARAM(selected), 0), 29);
    // The combo sits on the row, above the rows after a repaint.
    RECT box = windowRect(combo);
    POINT rowTop = screenOf(list->listHandle(), 0, row * kTroopRowHeight);
    EXPECT_EQ(box.top, rowTop.y);
    InvalidateRect(list->listHandle(), nullptr, TRUE);
    const Image image = clientImage(list->handle());
    saveShot(image, "troop_list_number_combo");
    POINT inCombo = screenOf(list->handle(), 0, 0);
    EXPECT_NE(rgb(image, box.left - inCombo.x + 30, box.top - inCombo.y + 8), kWhitePixel);

    // Dropped, one up, Enter: the number before 29 is 28.
    harness::pressKey(VK_F4);
    harness::pressKey(VK_UP);
    harness::pressKey(VK_RETURN);
    testing_lib::pump();
    EXPECT_EQ(world.unit(3).troopNumber, 28);
    EXPECT_FALSE(IsWindowVisible(combo));
    EXPECT_EQ(list->editedIndex(), -1);

    // A refresh closes an open combo without keeping its choice.
    clickRow(row);
    ASSERT_TRUE(IsWindowVisible(combo));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    PostMessageA(list->handle(), ui_message::kTroopListRefresh, 0, 0);
    testing_lib::pump();
    EXPECT_FALSE(IsWindowVisible(combo));
    EXPECT_EQ(world.unit(3).troopNumber, 28);
    // With the pointer resting over column 0 the keys move the selection only; a click opens the
    // combo, which goes when another row is chosen; Enter on a row shows its unit.
    const POINT rest = screenOf(list->handle(), rowPoint(row).x, rowPoint(row).y);
    harness::mouseMove(rest.x, rest.y);
    SetFocus(list->listHandle());
    harness::pressKey(VK_DOWN);
    harness::pressKey(VK_DOWN);
    testing_lib::pump();
    EXPECT_FALSE(IsWindowVisible(combo));
    clickRow(row);
    clickRow(row == 0 ? 1 : 0, 60);
    EXPECT_FALSE(IsWindowVisible(combo));
    world.services.shown.clear();
    harness::pressKey(VK_RETURN);
    testing_lib::pumpAsProgram();
    EXPECT_EQ(world.services.shown.size(), 1u);
    // Outside column 0, or while the game does not wait for orders, no combo opens.
    clickRow(row, 60);
    EXPECT_FALSE(IsWindowVisible(combo));
    s.handshake().setWaitingForAnswer(false);
    clickRow(row);
    EXPECT_FALSE(IsWindowVisible(combo));
}

TEST_F(TroopList, ButtonsFollowTheSelectionAndTheWait)
{
    open();
    HWND info = item(list->handle(), troop_list_id::kInformation);
    HWND rename = item(list->handle(), troop_list_id::kRename);
    HWND map = item(list->handle(), troop_list_id::kShowOnMap);
    HWND disband = item(list->handle(), troop_list_id::kDisband);
    EXPECT_FALSE(IsWindowEnabled(info));
    clickRow(0, 300);
    EXPECT_EQ(SendMessageA(list->listHandle(), LB_GETCURSEL, 0, 0), 0);
    const int unitIndex = firstRows(1)[0];
    EXPECT_TRUE(IsWindowEnabled(info));
    EXPECT_TRUE(IsWindowEnabled(map));
    EXPECT_TRUE(IsWindowEnabled(rename));
    EXPECT_EQ(IsWindowEnabled(disband) != FALSE, !world.unit(unitIndex).hasFlag(kUnitActed));
    // The map button shows the unit; a double click does the same.
    RECT m = windowRect(map);
    harness::click((m.left + m.right) / 2, (m.top + m.bottom) / 2);
    testing_lib::pump();
    ASSERT_EQ(world.services.shown.size(), 1u);
    EXPECT_EQ(world.services.shown[0], (std::pair<int, int> { 0, unitIndex }));
    // The game thread stops waiting: kTroopListUpdateButtons takes renaming and disbanding away.
    s.handshake().setWaitingForAnswer(false);
    PostMessageA(list->handle(), ui_message::kTroopListUpdateButtons, 0, 0);
    testing_lib::pump();
    EXPECT_FALSE(IsWindowEnabled(rename));
    EXPECT_FALSE(IsWindowEnabled(disband));
    EXPECT_TRUE(IsWindowEnabled(info));
    // An empty row offers nothing.
    clickRow(10, 300);
    EXPECT_FALSE(IsWindowEnabled(info));
    EXPECT_FALSE(IsWindowEnabled(map));
}

TEST_F(TroopList, ARightClickOrCloseAsksTheMainWindowToCloseIt)
{
    open();
    clickRow(3, 300);
    clickRow(3, 300);
    EXPECT_EQ(world.info.owner.count(ui_message::kCloseTroopList), 0);
    const POINT p = rowPoint(2, 300);
    clickClient(list->handle(), p.x, p.y, harness::Button::Right);
    EXPECT_EQ(world.info.owner.count(ui_message::kCloseTroopList), 1);
    SendMessageA(list->handle(), WM_CLOSE, 0, 0);
    testing_lib::pump();
    EXPECT_EQ(world.info.owner.count(ui_message::kCloseTroopList), 2);
    EXPECT_TRUE(IsWindow(list->handle()));
}
