// The terrain tables: one family of three members. Entries where a type cannot enter, the
// transport marks under rule 26 and past the fixed table, whole-column widths, names written
// downwards, and the close requests.
#include "infowin/land_table_window.h"

#include "infowin/land_transport_table.h"
#include "infowin/sheet_layout.h"
#include "state/terrain_record.h"
#include "tests/infowin/info_world.h"
#include "tests/infowin/test_values.h"
#include "ui/private_messages.h"

#include <cstring>

using namespace info_test;

namespace {

class LandTables : public ::testing::Test {
protected:
    LandTableWindow* open(LandTable table)
    {
        LandTableWindow* window = LandTableWindow::open(info.context(), &info.owner, table);
        testing_lib::pump();
        return window;
    }
    LandTableListBox* listOf(LandTableWindow* window) const
    {
        return dynamic_cast<LandTableListBox*>(windowFromHandle(window->listHandle()));
    }

    InfoWorld info;
};

} // namespace

TEST_F(LandTables, ImpassableShowsADashInMovementAndAvoidance)
{
    TerrainRecord& terrain = info.world.editTerrain(1);
    terrain.moveCost[4] = 0;
    terrain.evasion[4] = 30;
    terrain.moveCost[5] = 3;
    terrain.evasion[5] = 25;
    LandTableWindow* move = open(LandTable::Move);
    LandTableWindow* avoid = open(LandTable::Avoid);
    ASSERT_NE(move, nullptr);
    ASSERT_NE(avoid, nullptr);
    EXPECT_EQ(listOf(move)->entryText(4, 1, terrain), "-");
    EXPECT_EQ(listOf(avoid)->entryText(4, 1, terrain), "-");
    EXPECT_EQ(listOf(move)->entryText(5, 1, terrain), "3");
    EXPECT_EQ(listOf(avoid)->entryText(5, 1, terrain), "25");
    // Columns follow the list-order value; the transport table keeps the terrain index.
    const auto& types = info.state().terrainTypes();
    for (int c = 1; c < int(types.size()); ++c)
        EXPECT_LE(types[size_t(move->columnTerrain(c - 1))].number, types[size_t(move->columnTerrain(c))].number);
    // With the sample terrains that is the order of the unit windows' movement panel, after "なし".
    for (int n = 0; n < info_sheet::kMovePanelEntries; ++n)
        EXPECT_EQ(move->columnTerrain(n + 1), info_sheet::movePanelTerrain(n)) << n;
    LandTableWindow* transport = open(LandTable::Transport);
    ASSERT_NE(transport, nullptr);
    for (int c = 0; c < int(types.size()); ++c)
        EXPECT_EQ(transport->columnTerrain(c), c);

    saveShot(clientImage(move->handle()), "terrain_move_table");
    saveShot(clientImage(avoid->handle()), "terrain_avoid_table");
    saveShot(clientImage(transport->handle()), "terrain_transport_table");
    // Each column is painted: the icon well of the sheet behind the first column's name.
    const Image image = clientImage(move->handle());
    EXPECT_EQ(rgb(image, 64 + 19, 300), 0xA8A69Au) << "the column's right rule";
}

TEST_F(LandTables, TransportMarksFollowRule26AndStopAtTheTable)
{
    LandTableWindow* window = open(LandTable::Transport);
    ASSERT_NE(window, nullptr);
    LandTableListBox* list = listOf(window);
    TerrainRecord ground {};
    ground.kind = 0;
    TerrainRecord building {};
    building.kind = 16;
    // Index 35 allows kind 0; index 0 allows nothing.
    ASSERT_EQ(land_transport::code(35, 0), 1);
    ASSERT_EQ(land_transport::code(0, 0), 2);
    info.world.setRule(kRuleBoardingOwnership, 0);
    EXPECT_EQ(list->entryText(0, 35, building), cp("味"));
    EXPECT_EQ(list->entryText(0, 35, ground), cp("○"));
    EXPECT_EQ(list->entryText(0, 0, building), cp("×"));
    info.world.setRule(kRuleBoardingOwnership, 1);
    EXPECT_EQ(list->entryText(0, 35, building), cp("全"));
    // Types the fixed table does not cover.
    EXPECT_EQ(land_transport::code(54, 0), 0);
    EXPECT_EQ(land_transport::code(-1, 0), 0);
    EXPECT_EQ(land_transport::code(35, 11), 0);
    EXPECT_EQ(list->entryText(3, 60, building), cp("－"));
    EXPECT_EQ(land_transport::mark(9, 0, false), "");
}

TEST_F(LandTables, WidthSnapsToWholeColumnsAtAFixedHeight)
{
    LandTableWindow* window = open(LandTable::Move);
    ASSERT_NE(window, nullptr);
    RECT rect {};
    GetWindowRect(window->handle(), &rect);
    const int frame = window->frameWidth();
    EXPECT_EQ(rect.right - rect.left, frame + 64 + 20 * 35);
    EXPECT_EQ(rect.bottom - rect.top, 616 + window->frameHeight());
    RECT dragged { rect.left, rect.top, rect.left + frame + 64 + 20 * 7 + 13, rect.bottom };
    SendMessageA(window->handle(), WM_SIZING, WMSZ_RIGHT, LPARAM(&dragged));
    EXPECT_EQ(dragged.right - dragged.left, frame + 64 + 20 * 7);
    EXPECT_EQ(dragged.left, rect.left);
    RECT fromLeft { rect.left, rect.top, rect.left + frame + 64 + 20 * 3 + 19, rect.bottom };
    const LONG right = fromLeft.right;
    SendMessageA(window->handle(), WM_SIZING, WMSZ_LEFT, LPARAM(&fromLeft));
    EXPECT_EQ(fromLeft.right, right);
    EXPECT_EQ(fromLeft.right - fromLeft.left, frame + 64 + 20 * 3);
    MINMAXINFO limits {};
    SendMessageA(window->handle(), WM_GETMINMAXINFO, 0, LPARAM(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.y, 616 + window->frameHeight());
    EXPECT_EQ(limits.ptMaxTrackSize.y, 616 + window->frameHeight());
    EXPECT_EQ(limits.ptMaxTrackSize.x, frame + 64 + 20 * int(info.state().terrainTypes().size()));
}

TEST_F(LandTables, EachMemberAsksForItsOwnClose)
{
    for (LandTable table : { LandTable::Move, LandTable::Avoid, LandTable::Transport }) {
        LandTableWindow* window = open(table);
        ASSERT_NE(window, nullptr);
        const POINT p = screenOf(window->handle(), 80, 200);
        harness::click(p.x, p.y, harness::Button::Right);
        testing_lib::pump();
        EXPECT_EQ(info.owner.count(landTableMember(table).closeRequest), 1);
        DestroyWindow(window->handle());
        testing_lib::pump();
    }
    EXPECT_EQ(landTableMember(LandTable::Move).closeRequest, UINT(ui_message::kCloseMoveTable));
    EXPECT_EQ(landTableMember(LandTable::Avoid).closeRequest, UINT(ui_message::kCloseAvoidTable));
    EXPECT_EQ(landTableMember(LandTable::Transport).closeRequest, UINT(ui_message::kCloseTransportTable));
}

TEST(LandTableNames, WrittenDownwardsWithTheLongVowelAsAStroke)
{
    InfoWorld info;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 60);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SelectObject(dc, info.world.look().font(kSmallFont).handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    auto inkIn = [&](int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += (GetPixel(dc, x, y) & 0xFFFFFF) == 0;
        return n;
    };
    auto draw = [&](const std::string& name) {
        RECT all { 0, 0, 20, 60 };
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        drawNameDownwards(dc, 2, 0, name.c_str(), int(name.size()));
    };
    // "ツー": the second character, a stroke 4 pixels right, leaves the left of its cell blank.
    draw(cp("ツー"));
    EXPECT_GT(inkIn(0, 0, 20, 12), 0);
    EXPECT_GT(inkIn(6, 12, 10, 24), 0);
    EXPECT_EQ(inkIn(0, 12, 6, 24), 0);
    EXPECT_EQ(inkIn(0, 24, 20, 60), 0);
    // A name cut inside a double-byte character ends before it.
    const std::string cut = cp("ツツ").substr(0, 3);
    draw(cut);
    EXPECT_GT(inkIn(0, 0, 20, 12), 0);
    EXPECT_EQ(inkIn(0, 12, 20, 60), 0);
    // Single-byte characters take a cell each.
    draw("AB");
    EXPECT_GT(inkIn(0, 12, 20, 24), 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
