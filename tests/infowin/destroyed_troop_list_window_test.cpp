// The destroyed-units list: what the viewing country saw, dashes for what it did not, another
// country's troop numbers kept hidden, and the four keys with free entries kept behind.
#include "infowin/destroyed_troop_list_window.h"

#include "infowin/troop_list_box.h"
#include "infowin/troop_list_ids.h"
#include "tests/infowin/troop_world.h"
#include "ui/private_messages.h"

#include <cstring>

using namespace info_test;

namespace {

class DestroyedList : public ::testing::Test {
protected:
    DestroyedList()
    {
        lists().setDestroyedSort(0, 0);
        // Country 0 lost three units; the second went where country 0 could not see.
        add(0, 0, 3, 12, 4, 5, "Gamma", 0x01);
        add(0, 1, 4, 7, 2, 2, "Alpha", 0x02);
        add(0, 2, 5, 30, 4, 5, "Beta", 0x01);
        // Country 1 lost one that country 0 saw.
        add(1, 0, 6, 21, 9, 8, "Foreign", 0x03);
        world.personActs();
    }
    void add(int country, int i, int turn, int number, int x, int y, const char* name, uint8_t seenBy)
    {
        DestroyedUnitRecord& e = s.destroyedUnits(country)[i];
        e.turn = uint8_t(turn);
        e.usedMark = 1;
        e.troopNumber = uint8_t(number);
        e.x = uint8_t(x);
        e.y = uint8_t(y);
        std::memset(e.identity, 0, sizeof e.identity);
        std::memcpy(e.identity, name, std::strlen(name));
        e.visibleMask = seenBy;
    }
    ListOrders& lists() { return world.info.world.look().lists(); }
    void open()
    {
        list = DestroyedTroopListWindow::open(world.info.context(), &world.info.owner);
        ASSERT_NE(list, nullptr);
        testing_lib::pump();
    }
    std::vector<int> firstEntries(int country, size_t n)
    {
        std::vector<int> entries;
        const std::vector<uint32_t>& keys = *lists().destroyed(country);
        for (size_t i = 0; i < n && i < keys.size(); ++i)
            entries.push_back(int(keys[i] >> 16));
        return entries;
    }
    void clickHeader(int key)
    {
        static constexpr int kX[4] = { 12, 36, 72, 200 };
        clickClient(list->handle(), kX[key], 10);
    }
    // How many pixel rows of the cell hold black: dashes fill one or two, figures and names more.
    static int inkRows(const Image& image, int left, int top, int right, int bottom)
    {
        int rows = 0;
        for (int y = top; y < bottom; ++y)
            rows += countColour(image, left, y, right, y + 1, kBlackPixel) > 0;
        return rows;
    }
    // Client rectangle of a row's cell: turn 0, number 1, x 2, name 3.
    static int inkInCell(const Image& image, int row, int cell)
    {
        static constexpr int kLeft[4] = { 1, 25, 49, 100 };
        static constexpr int kRight[4] = { 22, 46, 70, 300 };
        const int top = DestroyedTroopListWindow::kHeaderHeight + 1 + kTroopRowHeight * row;
        return inkRows(image, kLeft[cell], top + 2, kRight[cell], top + 16);
    }

    TroopWorld world;
    GameState& s = world.state();
    DestroyedTroopListWindow* list = nullptr;
};

} // namespace

TEST_F(DestroyedList, UnseenEntriesAreDashesAndForeignNumbersStayHidden)
{
    open();
    EXPECT_EQ(list->country(), 0);
    EXPECT_EQ(windowText(list->handle()), cp("全滅部隊表"));
    EXPECT_EQ(SendMessageA(list->listHandle(), LB_GETCOUNT, 0, 0), kDestroyedUnitsPerCountry);
    Image image = clientImage(list->handle());
    saveShot(image, "destroyed_list");
    // Row 0 was seen: figures everywhere; row 1 was not: dashes in every cell; row 3 is free.
    for (int cell = 0; cell < 4; ++cell) {
        EXPECT_GT(inkInCell(image, 0, cell), 4) << cell;
        EXPECT_LE(inkInCell(image, 1, cell), 2) << cell;
        EXPECT_LE(inkInCell(image, 3, cell), 2) << cell;
    }
    // Country 1's unit: seen, but its troop number is its own country's.
    PostMessageA(list->handle(), ui_message::kTroopListShowCountry, 1, 0);
    testing_lib::pump();
    EXPECT_EQ(list->country(), 1);
    image = clientImage(list->handle());
    EXPECT_GT(inkInCell(image, 0, 0), 4);
    EXPECT_LE(inkInCell(image, 0, 1), 2);
    EXPECT_GT(inkInCell(image, 0, 2), 4);
    EXPECT_GT(inkInCell(image, 0, 3), 4);
}

TEST_F(DestroyedList, KeysSortWithFreeEntriesBehindAndASecondClickReverses)
{
    open();
    EXPECT_EQ(firstEntries(0, 4), (std::vector<int> { 0, 1, 2, 3 }));
    clickHeader(1);
    EXPECT_EQ(firstEntries(0, 4), (std::vector<int> { 1, 0, 2, 3 }));
    clickHeader(1);
    EXPECT_EQ(lists().destroyedSortReverse(), 1);
    EXPECT_EQ(firstEntries(0, 1), std::vector<int> { 99 });
    const std::vector<uint32_t>& keys = *lists().destroyed(0);
    EXPECT_EQ((std::vector<uint32_t> { keys[97] >> 16, keys[98] >> 16, keys[99] >> 16 }), (std::vector<uint32_t> { 2, 0, 1 }));
    // Position: entries 0 and 2 share a hex and keep the order of destruction. The list is sorted
    // where it stands, so the free entries come behind in whatever order the swaps leave them.
    clickHeader(2);
    EXPECT_EQ(lists().destroyedSortReverse(), 0);
    EXPECT_EQ(firstEntries(0, 3), (std::vector<int> { 1, 0, 2 }));
    clickHeader(3);
    EXPECT_EQ(firstEntries(0, 3), (std::vector<int> { 1, 2, 0 }));
    for (size_t i = 3; i < lists().destroyed(0)->size(); ++i)
        ASSERT_GE(int((*lists().destroyed(0))[i] >> 16), 3) << i;
    // One key and direction serve every country.
    clickHeader(0);
    EXPECT_EQ(lists().destroyedSortKey(), 0u);
    EXPECT_EQ(firstEntries(0, 3), (std::vector<int> { 0, 1, 2 }));
    clickHeader(0);
    EXPECT_EQ(firstEntries(0, 1), std::vector<int> { 99 });
}

TEST_F(DestroyedList, CloseRequestsGoToTheMainWindowAndHeightsSnap)
{
    open();
    clickClient(list->handle(), 150, 60, harness::Button::Right);
    SendMessageA(list->handle(), WM_CLOSE, 0, 0);
    testing_lib::pump();
    EXPECT_EQ(world.info.owner.count(ui_message::kCloseDestroyedList), 2);
    const int fixed = list->frameHeight() + 2 * GetSystemMetrics(SM_CYBORDER) + DestroyedTroopListWindow::kHeaderHeight;
    RECT drag { 0, 0, 300, fixed + 18 * 3 + 9 };
    SendMessageA(list->handle(), WM_SIZING, WMSZ_BOTTOM, LPARAM(&drag));
    EXPECT_EQ(drag.bottom, fixed + 18 * 3);
    MINMAXINFO info {};
    SendMessageA(list->handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, list->frameWidth() + DestroyedTroopListBox::kWidth);
    EXPECT_EQ(info.ptMaxTrackSize.y, fixed + 18 * s.playerUnitCount(0));
}

TEST(DestroyedUnitName, StopsAtThirtyTwoBytesWithoutATerminator)
{
    DestroyedUnitRecord entry {};
    std::memset(entry.identity, 'W', sizeof entry.identity);
    EXPECT_EQ(destroyedUnitName(entry), std::string(32, 'W'));
    std::memcpy(entry.identity, "Tiger\0", 6);
    EXPECT_EQ(destroyedUnitName(entry), "Tiger");
}
