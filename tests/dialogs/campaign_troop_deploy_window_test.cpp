// The campaign deployment window driven by clicks: its status line, which commands it offers for
// the row chosen, taking placements back one by one or all at once, the automatic placement, the
// hand-over of a manual placement to the map, and the start of the game.
#include "dialogs/campaign_troop_deploy_window.h"

#include "infowin/troop_list_box.h"
#include "rules/carry_over.h"
#include "tests/dialogs/dialog_helpers.h"
#include "tests/infowin/troop_world.h"
#include "ui/private_messages.h"

#include <cstring>

namespace harness = platform::harness;
using dialog_helpers::cp;
using info_test::clickClient, info_test::clientImage, info_test::Posted, info_test::saveShot, info_test::screenOf,
    info_test::TroopWorld, info_test::windowText;

namespace {

class TroopDeploy : public ::testing::Test {
protected:
    TroopDeploy()
    {
        s.campaignBlock().campaignFlag = 1;
        s.campaignBlock().playerCountry = 0;
        // The deployment hexes are ground the units can stand on.
        const int movement = s.unitTypeRecord(world.typeId).movementType;
        const auto& terrains = s.terrainTypes();
        int ground = 0;
        while (ground < int(terrains.size()) && (terrains[size_t(ground)].kind > 10 || terrains[size_t(ground)].moveCost[movement] == 0))
            ++ground;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                world.info.world.cell(x, y).terrain = uint8_t(ground);
                world.info.world.cell(x, y).turnMarks[0] |= 1;
            }
    }
    // n entries waiting to be placed, troop numbers 1..n, named by letter.
    void hold(int n)
    {
        for (int i = 0; i < n; ++i) {
            UnitRecord entry {};
            entry.unitTypeId = uint16_t(world.typeId);
            entry.stateLow = uint8_t(kCarryOverWaiting & 0xFF);
            entry.stateHigh = uint8_t(kCarryOverWaiting >> 8);
            entry.troopNumber = uint16_t(i + 1);
            entry.memberLimit = 8;
            entry.memberStrengths[0] = 5;
            entry.name[0] = char('A' + i);
            s.carryOverTable()[i] = entry;
        }
        s.setCarryOverCount(uint32_t(n));
        beginCarryOverDeployment(s);
    }
    void place(int entry, int x, int y) { ASSERT_TRUE(deployCarriedOverUnit(s, 0, entry, x, y, false)) << entry; }
    void open()
    {
        window = CampaignTroopDeployWindow::open(makeWindowContext(world.state()), &world.info.owner);
        ASSERT_NE(window, nullptr);
        testing_lib::pump();
    }
    HWND item(UINT controlId) const { return GetDlgItem(window->handle(), int(controlId)); }
    bool enabled(UINT controlId) const { return IsWindowEnabled(item(controlId)) != FALSE; }
    void press(UINT controlId)
    {
        testing_lib::clickCentre(item(controlId));
        testing_lib::pump();
    }
    void selectRow(int row) { clickClient(window->handle(), 300, CampaignTroopDeployWindow::kHeaderHeight + 10 + kTroopRowHeight * row); }
    int rowOf(int entry) const
    {
        const std::vector<uint32_t>& order = window->order();
        return int(std::find(order.begin(), order.end(), uint32_t(entry)) - order.begin());
    }
    int entryState(int i) const { return unitState(s.carryOverTable()[i]); }
    int placedCount() const
    {
        int n = 0;
        for (uint32_t i = 0; i < s.carryOverCount(); ++i)
            n += entryState(int(i)) != 0 && entryState(int(i)) != kCarryOverWaiting;
        return n;
    }

    TroopWorld world;
    GameState& s = world.state();
    CampaignTroopDeployWindow* window = nullptr;
};

} // namespace

TEST_F(TroopDeploy, StatusLineCountsHeldPlacedAndTheLimit)
{
    hold(12);
    place(0, 0, 0);
    place(4, 1, 0);
    place(7, 2, 0);
    carryOverDeployment(s).limit = 10;
    open();
    EXPECT_EQ(windowText(item(troop_deploy_id::kCounts)), cp("保有部隊数  12  配置部隊数   3/10"));
    EXPECT_EQ(windowText(window->handle()), cp("部隊配置"));
    EXPECT_EQ(SendMessageA(window->listHandle(), LB_GETCOUNT, 0, 0), 12);
    saveShot(clientImage(window->handle()), "troop_deploy");
}

TEST_F(TroopDeploy, WithNothingHeldOnlyAutomaticAndStartAreOffered)
{
    hold(0);
    open();
    EXPECT_FALSE(enabled(troop_deploy_id::kPlaceByHand));
    EXPECT_FALSE(enabled(troop_deploy_id::kCancelOne));
    EXPECT_FALSE(enabled(troop_deploy_id::kCancelAll));
    EXPECT_TRUE(enabled(troop_deploy_id::kPlaceAutomatically));
    EXPECT_TRUE(enabled(troop_deploy_id::kStartGame));
    MINMAXINFO info {};
    SendMessageA(window->handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMaxTrackSize.y, info.ptMinTrackSize.y);
    EXPECT_EQ(info.ptMinTrackSize.x, info.ptMaxTrackSize.x);
    EXPECT_EQ(info.ptMinTrackSize.x, window->frameWidth() + CampaignTroopDeployWindow::kClientWidth);
}

TEST_F(TroopDeploy, TheChosenRowDecidesPlacingAndCancelling)
{
    hold(4);
    place(1, 1, 1);
    open();
    EXPECT_TRUE(enabled(troop_deploy_id::kCancelAll));
    selectRow(rowOf(0));
    EXPECT_TRUE(enabled(troop_deploy_id::kPlaceByHand));
    EXPECT_FALSE(enabled(troop_deploy_id::kCancelOne));
    selectRow(rowOf(1));
    EXPECT_FALSE(enabled(troop_deploy_id::kPlaceByHand));
    EXPECT_TRUE(enabled(troop_deploy_id::kCancelOne));
    // An entry aboard another cannot be placed by itself.
    s.carryOverTable()[2].flags |= kUnitAboard;
    s.carryOverTable()[2].carrierIndex = 4;
    selectRow(rowOf(2));
    EXPECT_FALSE(enabled(troop_deploy_id::kPlaceByHand));
    EXPECT_FALSE(enabled(troop_deploy_id::kCancelOne));

    // Back to the placed one: cancelling it makes it wait again and takes its unit off the map.
    selectRow(rowOf(1));
    const int unitIndex = s.carryOverTable()[1].placedUnitIndex;
    press(troop_deploy_id::kCancelOne);
    EXPECT_EQ(entryState(1), kCarryOverWaiting);
    EXPECT_FALSE(unitExists(*s.unitOf(0, unitIndex)));
    EXPECT_FALSE(enabled(troop_deploy_id::kCancelAll));
    EXPECT_GE(world.services.mapRefreshes, 1);
    EXPECT_GE(world.services.listRefreshes, 1);
    EXPECT_EQ(windowText(item(troop_deploy_id::kCounts)), cp("保有部隊数   4  配置部隊数   0/4"));
}

TEST_F(TroopDeploy, AutomaticPlacementThenCancelAll)
{
    hold(5);
    open();
    press(troop_deploy_id::kPlaceAutomatically);
    EXPECT_EQ(placedCount(), 5);
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, 0u);
    EXPECT_TRUE(enabled(troop_deploy_id::kCancelAll));
    EXPECT_EQ(windowText(item(troop_deploy_id::kCounts)), cp("保有部隊数   5  配置部隊数   5/5"));
    // Every unit stands on a deployment hex.
    for (int i = 0; i < 5; ++i) {
        const UnitRecord& unit = *s.unitOf(0, s.carryOverTable()[i].placedUnitIndex);
        EXPECT_TRUE(unitInPlay(unit));
        EXPECT_TRUE(world.info.world.cell(unit.x, unit.y).turnMarks[0] & 1) << i;
    }
    saveShot(clientImage(window->handle()), "troop_deploy_placed");
    press(troop_deploy_id::kCancelAll);
    EXPECT_EQ(placedCount(), 0);
    EXPECT_EQ(carryOverDeployment(s).unitsLeft, 5u);
    EXPECT_FALSE(enabled(troop_deploy_id::kCancelAll));
    EXPECT_EQ(s.countUnitsInPlay(0), 0);
}

TEST_F(TroopDeploy, AManualPlacementGoesToTheMapAndNeedsAPlacementLeft)
{
    hold(3);
    open();
    selectRow(rowOf(2));
    press(troop_deploy_id::kPlaceByHand);
    EXPECT_EQ(world.services.placements, std::vector<int> { 2 });
    EXPECT_FALSE(IsWindowVisible(window->handle()));
    // The main window shows it again once the map has placed the unit.
    place(2, 3, 3);
    PostMessageA(window->handle(), ui_message::kTroopDeployRefresh, 1, 0);
    testing_lib::pump();
    EXPECT_TRUE(IsWindowVisible(window->handle()));
    EXPECT_EQ(windowText(item(troop_deploy_id::kCounts)), cp("保有部隊数   3  配置部隊数   1/3"));

    harness::clearMessageBoxes();
    carryOverDeployment(s).unitsLeft = 0;
    selectRow(rowOf(0));
    // A double click places too; with no placement left it only says so.
    const POINT p = screenOf(window->handle(), 300, CampaignTroopDeployWindow::kHeaderHeight + 10 + kTroopRowHeight * rowOf(0));
    harness::doubleClick(p.x, p.y);
    testing_lib::pump();
    EXPECT_EQ(testing_lib::soleMessageBox(), cp("これ以上部隊を配置することはできません。"));
    EXPECT_EQ(world.services.placements.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(window->handle()));
}

TEST_F(TroopDeploy, StartGameAsksTheMainWindowAndClosingIsIgnored)
{
    hold(2);
    open();
    SendMessageA(window->handle(), WM_CLOSE, 0, 0);
    // A right press in a child closes nothing.
    clickClient(window->handle(), 300, CampaignTroopDeployWindow::kHeaderHeight + 10, harness::Button::Right);
    EXPECT_TRUE(IsWindow(window->handle()));
    EXPECT_EQ(world.info.owner.count(ui_message::kCloseTroopList), 0);
    press(troop_deploy_id::kStartGame);
    ASSERT_EQ(world.info.owner.count(ui_message::kCloseTroopDeploy), 1);
    for (const Posted& p : world.info.owner.posted) {
        if (p.message == ui_message::kCloseTroopDeploy) {
            EXPECT_EQ(p.wParam, 1u);
        }
    }
}

TEST_F(TroopDeploy, HeadersSortAndReverseWithEmptyEntriesLast)
{
    hold(5);
    // Entry 3 is empty; the rest keep numbers 1, 2, 3 and 5.
    s.carryOverTable()[3] = UnitRecord {};
    open();
    EXPECT_EQ(window->order(), (std::vector<uint32_t> { 0, 1, 2, 4, 3 }));
    RECT header {};
    GetWindowRect(item(troop_deploy_id::kFirstHeader + 4), &header);
    harness::click(header.left + 20, header.top + 8);
    testing_lib::pump();
    EXPECT_EQ(window->sortKey(), 4);
    harness::click(header.left + 20, header.top + 8);
    testing_lib::pump();
    EXPECT_TRUE(window->descending());
    EXPECT_EQ(window->order(), (std::vector<uint32_t> { 4, 2, 1, 0, 3 }));
    GetWindowRect(item(troop_deploy_id::kFirstHeader), &header);
    for (int i = 0; i < 2; ++i) {
        harness::click(header.left + 10, header.top + 8);
        testing_lib::pump();
    }
    EXPECT_EQ(window->order(), (std::vector<uint32_t> { 3, 4, 2, 1, 0 }));
}

TEST_F(TroopDeploy, HeightSnapsToRowsAndStopsAtOneRowPerEntry)
{
    hold(6);
    open();
    const int fixed = window->frameHeight() + 2 * GetSystemMetrics(SM_CYBORDER) + CampaignTroopDeployWindow::kButtonsHeight;
    RECT drag { 0, 100, 760, 100 + fixed + 18 * 2 + 13 };
    SendMessageA(window->handle(), WM_SIZING, WMSZ_TOP, LPARAM(&drag));
    EXPECT_EQ(drag.top, 100 + 13);
    MINMAXINFO info {};
    SendMessageA(window->handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
    EXPECT_EQ(info.ptMaxTrackSize.y, fixed + 18 * 6);
}
