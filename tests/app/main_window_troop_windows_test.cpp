// The troop windows as the main window keeps them: the troop list with its docked display-item
// window on the menu and its messages, the game thread's notices reaching the lists, and a
// campaign's next map whose carried-over units the person places by hand on the map, or the stage
// kept when the campaign file changed.
#include "app/control_panel.h"
#include "ui/private_messages.h"
#include "app/map_window.h"
#include "app/menu_ids.h"
#include "dialogs/campaign_troop_deploy_window.h"
#include "infowin/troop_list_ids.h"
#include "infowin/troop_list_window.h"
#include "rules/carry_over.h"
#include "rules/surrender.h"
#include "state/unit_facts.h"
#include "tests/app/main_window_world.h"
#include "tests/app/map_window_world.h"
#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/ui/looked_world.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace {

using main_window_test::World;
using main_window_test::SetUpAcceptor;
namespace harness = platform::harness;
namespace fs = std::filesystem;

bool showTroopListStored() { return makeNamedValue("ShowTroopList").profileReadBool(false); }

// The person's country has won the campaign's first map (the game thread waits for its orders):
// the action phase ends and the campaign goes on to the next map.
void winFirstMap(World& world)
{
    GameState& s = world.state();
    surrenderSide(s, 1);
    s.country(0).outcome = 1;
    s.turnBlock().decided = 1;
    world.window().endActionPhase();
}

// The sample campaign started on a running clock, its person's country in its action phase.
struct CampaignStarted {
    platform::harness::TestClock clock { platform::harness::TestClock::Running };
    World world;
    bool inActionPhase = world.window().newGameFrom(world.gamePath("tkmap/border.vtc")) && world.waitForPersonIn(5);
};

RECT windowRect(HWND window)
{
    RECT r {};
    GetWindowRect(window, &r);
    return r;
}

} // namespace

TEST(MainWindowTroopWindows, TheTroopListOpensWithItsDisplayItemWindowDockedAndClosesWithIt)
{
    World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(5));
    world.command(menu_id::kTroopList);
    HWND list = world.window().troopList();
    HWND options = world.window().troopListOption();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(showTroopListStored());
    EXPECT_EQ(GetWindow(options, GW_OWNER), list);
    EXPECT_FALSE(IsWindowVisible(options));
    auto* window = dynamic_cast<TroopListWindow*>(windowFromHandle(list));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->country(), 0);

    // kToggleTroopListOption shows it beside the list; a move of the list takes it along.
    world.post(ui_message::kToggleTroopListOption);
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(windowRect(options).left, windowRect(list).right);
    SetWindowPos(list, nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    World::pump();
    EXPECT_EQ(windowRect(options).left, windowRect(list).right);
    EXPECT_EQ(windowRect(options).top, displayItemDockPoint(list, outerWindowSize(options)).y);
    const RECT l = windowRect(list);
    harness::keepShot(harness::readRect(RECT { l.left, l.top, windowRect(options).right, l.bottom }), "troop_list_docked.png");
    world.post(ui_message::kToggleTroopListOption);
    EXPECT_FALSE(IsWindowVisible(options));

    // kCloseTroopList closes both and remembers it.
    world.post(ui_message::kCloseTroopList);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_FALSE(IsWindow(options));
    EXPECT_EQ(world.window().troopList(), nullptr);
    EXPECT_FALSE(showTroopListStored());

    // Marked open, it comes back with the windows of the start of play.
    makeNamedValue("ShowTroopList").profileWriteBool(true);
    world.post(ui_message::kOpenStartWindows);
    EXPECT_NE(world.window().troopList(), nullptr);
}

TEST(MainWindowTroopWindows, TroopInformationShowsThePanelsUnit)
{
    World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(5));
    int index = 0;
    while (!unitInPlay(*world.state().unitOf(0, index)))
        ++index;
    // No unit on the panel yet: nothing opens.
    world.command(menu_id::kTroopInfo);
    world.link().postPanelCommand(0, index);
    World::pump();
    bool opened = false;
    dialogtest::drive(platform::utf8ToCp932("部隊詳細情報").c_str(), [&] {
        world.command(menu_id::kTroopInfo);
        return 0;
    }, [&](HWND dialog) {
        opened = true;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(harness::messageBoxes().empty());
    auto* panel = dynamic_cast<ControlPanel*>(windowFromHandle(world.link().panel()));
    EXPECT_EQ(panel->unitSide(), 0);
    EXPECT_EQ(panel->unitIndex(), index);
}

TEST(MainWindowTroopWindows, TheGameThreadsNoticesReachTheLists)
{
    World world;
    ASSERT_TRUE(world.window().newGameFrom(world.gamePath("tkmap/training.vtm")));
    ASSERT_TRUE(world.waitForPersonIn(5));
    world.command(menu_id::kTroopList);
    world.command(menu_id::kDestroyedList);
    HWND list = world.window().troopList();
    HWND destroyed = world.window().destroyedList();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(destroyed, nullptr);
    auto* troops = dynamic_cast<TroopListWindow*>(windowFromHandle(list));

    // The start of a country's phases shows the country chosen for it, -1 none.
    world.link().notifyTroopLists(1);
    World::pump();
    EXPECT_EQ(troops->country(), 1);
    world.link().notifyTroopLists(-1);
    World::pump();
    EXPECT_EQ(troops->country(), -1);
    world.link().notifyTroopLists(0);
    World::pump();

    // After an action the count follows the units.
    const int before = world.state().countUnitsInPlay(0);
    ASSERT_GT(before, 1);
    for (uint32_t i = 0; i < world.state().unitCount(0); ++i)
        if (unitInPlay(*world.state().unitOf(0, int(i)))) {
            world.state().unitOf(0, int(i))->stateLow = 0;
            break;
        }
    world.link().refresh(MainRefresh::TroopLists);
    World::pump();
    char text[64] = {};
    GetWindowTextA(GetDlgItem(list, int(troop_list_id::kCount)), text, sizeof text);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%s %3d/%3d", platform::utf8ToCp932("部隊数").c_str(), before - 1,
        world.state().playerUnitCount(0));
    EXPECT_STREQ(text, expected);

    // The destroyed list's close request.
    world.post(ui_message::kCloseDestroyedList);
    EXPECT_FALSE(IsWindow(destroyed));
    EXPECT_EQ(world.window().destroyedList(), nullptr);
}

TEST(MainWindowTroopWindows, ACampaignsCarriedOverUnitsArePlacedByHand)
{
    CampaignStarted started;
    ASSERT_TRUE(started.inActionPhase);
    World& world = started.world;
    GameState& s = world.state();
    const int carried = s.countUnitsInPlay(0);
    // A second on the campaign file's clock says nothing of what it holds.
    const fs::path file = world.folder().host("tkmap/border.vtc");
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(1));
    SetUpAcceptor nextMap;
    winFirstMap(world);
    ASSERT_TRUE(World::pumpUntil([&] { return world.window().deployWindow() != nullptr; }, std::chrono::seconds(30)));
    HWND deploy = world.window().deployWindow();
    auto* window = dynamic_cast<CampaignTroopDeployWindow*>(windowFromHandle(deploy));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(s.handshake().deploymentWaiting());
    ASSERT_EQ(int(s.carryOverCount()), carried);
    harness::keepShot("campaign_deploy.png");

    // The first row's entry, by hand: the map marks where it may go and takes the click.
    SendMessageA(window->listHandle(), LB_SETCURSEL, 0, 0);
    SendMessageA(deploy, WM_COMMAND, MAKEWPARAM(troop_deploy_id::kList, LBN_SELCHANGE), LPARAM(window->listHandle()));
    const int entry = int(window->order().front());
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(deploy, int(troop_deploy_id::kPlaceByHand))));
    SendMessageA(deploy, WM_COMMAND, troop_deploy_id::kPlaceByHand, 0);
    World::pump();
    MapWindow* map = world.window().mapWindow();
    ASSERT_TRUE(map->placing());
    EXPECT_FALSE(IsWindowVisible(deploy));
    ASSERT_FALSE(map->placementHexes().empty());
    const HexPos target = map->placementHexes().back();
    map->ensureVisible(target.x, target.y);
    World::pump();
    harness::keepShot("campaign_placement.png");
    const HexGeometry g(map->zoom(), s.mapWidth(), s.mapHeight());
    const POINT centre = g.hexCentre(target.x, target.y);
    POINT p { centre.x - map->viewOrigin().x, centre.y - map->viewOrigin().y };
    ClientToScreen(map->handle(), &p);
    harness::click(p.x, p.y);
    World::pump();
    EXPECT_FALSE(map->placing());
    EXPECT_TRUE(IsWindowVisible(deploy));
    const UnitRecord& record = s.carryOverTable()[entry];
    ASSERT_EQ(unitState(record), kCarryOverPlaced);
    const UnitRecord& unit = *s.unitOf(0, record.placedUnitIndex);
    EXPECT_TRUE(unitInPlay(unit));
    EXPECT_EQ(unit.x, target.x);
    EXPECT_EQ(unit.y, target.y);
    EXPECT_NE(CampaignTroopDeployWindow::countsText(world.state()).find(platform::utf8ToCp932("配置部隊数   1/")), std::string::npos);

    // A second entry: Escape on the map gives up and brings the window back.
    SendMessageA(window->listHandle(), LB_SETCURSEL, 1, 0);
    SendMessageA(deploy, WM_COMMAND, troop_deploy_id::kPlaceByHand, 0);
    World::pump();
    ASSERT_TRUE(map->placing());
    SetFocus(map->handle());
    harness::pressKey(VK_ESCAPE);
    World::pump();
    EXPECT_FALSE(map->placing());
    EXPECT_TRUE(IsWindowVisible(deploy));

    // "ｹﾞｰﾑ開始": the game thread goes on with the placed unit and keeps the rest for later.
    SendMessageA(deploy, WM_COMMAND, troop_deploy_id::kStartGame, 0);
    ASSERT_TRUE(World::pumpUntil([&] { return !s.handshake().deploymentWaiting() && !IsWindow(deploy); }));
    EXPECT_EQ(world.window().deployWindow(), nullptr);
    // The game thread keeps the rest once it has the answer: by the person's next phase.
    EXPECT_TRUE(world.waitForPersonIn(5));
    EXPECT_EQ(int(s.carryOverCount()), carried - 1);
}

TEST(MainWindowTroopWindows, AStageWhoseCampaignFileChangedStaysToBeSavedAndGoesOnFromTheSaveOnceTheFileIsBack)
{
    CampaignStarted started;
    ASSERT_TRUE(started.inActionPhase);
    World& world = started.world;
    GameState& s = world.state();
    const int carried = s.countUnitsInPlay(0);
    const std::string campaign = world.folder().read("tkmap/border.vtc");
    // The first byte of the campaign's name, after the 632 bytes of the header.
    world.folder().write("tkmap/border.vtc", campaign.substr(0, 632) + "X" + campaign.substr(633));
    // The box is shown as the person sees it and answered by its key.
    harness::setMessageBoxPolicy(false);
    winFirstMap(world);
    ASSERT_TRUE(World::pumpUntil([] { return IsWindowVisible(FindWindowA("DerazodoMessageBox", nullptr)); }));
    harness::waitIdle();
    harness::keepShot("campaign_file_changed.png");
    harness::pressKey(VK_RETURN);
    ASSERT_TRUE(World::pumpUntil([&] { return s.handshake().playThread() && s.handshake().isPlayThreadFinished(); }));
    harness::setMessageBoxPolicy(true);
    EXPECT_EQ(s.countUnitsInPlay(0), carried);
    EXPECT_TRUE(world.window().commandEnabled(menu_id::kSaveGameAs));
    harness::keepShot("campaign_stage_kept.png");
    ASSERT_TRUE(world.window().saveGameTo(world.gamePath("save/stage.wqc")));

    // Put back, the file takes the saved stage on to the next map with its units carried over once.
    world.folder().write("tkmap/border.vtc", campaign);
    SetUpAcceptor nextMap;
    ASSERT_TRUE(world.window().resumeGameFrom(world.gamePath("save/stage.wqc")));
    ASSERT_TRUE(World::pumpUntil([&] { return world.window().deployWindow() != nullptr; }, std::chrono::seconds(30)));
    EXPECT_EQ(s.campaignBlock().currentStage, 2);
    EXPECT_EQ(int(s.carryOverCount()), carried);
}

TEST(MainWindowTroopWindows, EndingPlayDuringTheDeploymentDestroysItsWindow)
{
    CampaignStarted started;
    ASSERT_TRUE(started.inActionPhase);
    World& world = started.world;
    GameState& s = world.state();
    SetUpAcceptor nextMap;
    winFirstMap(world);
    ASSERT_TRUE(World::pumpUntil([&] { return world.window().deployWindow() != nullptr; }, std::chrono::seconds(30)));
    HWND deploy = world.window().deployWindow();
    world.window().stopPlay();
    ASSERT_TRUE(world.settle());
    EXPECT_FALSE(IsWindow(deploy));
    EXPECT_FALSE(s.handshake().deploymentWaiting());
}

namespace {

// Records what the map window asks of the main window.
class PlacementServices : public MainWindowServices {
public:
    PlacementServices() { setMainWindowServices(this); }
    ~PlacementServices() override { setMainWindowServices(nullptr); }
    HWND mainWindow() const override { return nullptr; }
    void unloadSound(int) override { }
    void restartMusic() override { }
    void fadeOutMusic() override { }
    void refreshDeployWindow(uint8_t flag) override { refreshes.push_back(flag); }
    std::vector<uint8_t> refreshes;
};

} // namespace

TEST(MapWindowPlacement, MarksOnlyDeploymentHexesTheEntryMayTakeAndARightClickGivesUp)
{
    testing_ui::LookedWorld world(8, 8);
    GameState& s = world.state();
    const int type = s.unitTypes()[1].id;
    world.editTerrain(s.terrainGrid()[0].terrain).moveCost[s.unitTypeRecord(type).movementType] = 1;
    testing_app::startPersonsActionPhase(s);
    testing_app::MapWindowHarness harness(s);
    PlacementServices services;
    s.campaignBlock().playerCountry = 0;
    UnitRecord entry {};
    entry.unitTypeId = uint16_t(type);
    entry.stateLow = uint8_t(kCarryOverWaiting & 0xFF);
    entry.stateHigh = uint8_t(kCarryOverWaiting >> 8);
    s.carryOverTable()[0] = entry;
    s.setCarryOverCount(1);
    for (int x = 1; x <= 3; ++x)
        s.terrainCellAt(x, 2)->turnMarks[0] |= 1;
    // One of the three is taken.
    world.placeUnit(0, type, 2, 2);
    beginCarryOverDeployment(s);
    harness.send(ui_message::kMapPlaceCarryOver, 0);
    ASSERT_TRUE(harness.window->placing());
    std::vector<HexPos> marked = harness.window->placementHexes();
    ASSERT_EQ(marked.size(), 2u);
    EXPECT_EQ(marked[0], (HexPos { 1, 2 }));
    EXPECT_EQ(marked[1], (HexPos { 3, 2 }));
    // A click beside the marks keeps the choice open; a right click gives up.
    harness.clickHex(5, 5);
    EXPECT_TRUE(harness.window->placing());
    harness.clickHex(5, 5, platform::harness::Button::Right);
    EXPECT_FALSE(harness.window->placing());
    EXPECT_EQ(services.refreshes, std::vector<uint8_t> { 0 });
    EXPECT_EQ(unitState(s.carryOverTable()[0]), kCarryOverWaiting);
    // Again, and a click on a mark places it.
    harness.send(ui_message::kMapPlaceCarryOver, 0);
    harness.clickHex(3, 2);
    EXPECT_FALSE(harness.window->placing());
    EXPECT_EQ(unitState(s.carryOverTable()[0]), kCarryOverPlaced);
    EXPECT_EQ(services.refreshes, (std::vector<uint8_t> { 0, 1 }));
}
