// MainWindow's troop windows: the troop list with its display-item window, the destroyed-units
// list, the troop information, and the campaign deployment window the game thread waits for.
#include "app/main_window.h"

#include "app/control_panel.h"
#include "ui/private_messages.h"
#include "app/main_window_rules_link.h"
#include "app/map_window.h"
#include "dialogs/campaign_troop_deploy_window.h"
#include "infowin/destroyed_troop_list_window.h"
#include "infowin/troop_info_window.h"
#include "infowin/troop_list_ids.h"
#include "infowin/troop_list_option_window.h"
#include "infowin/troop_list_window.h"
#include "rules/carry_over.h"
#include "rules/home_hex.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "state/unit_facts.h"

namespace {

constexpr const char* kShowTroopList = "ShowTroopList";

HWND alive(HWND window) { return window && IsWindow(window) ? window : nullptr; }

void post(HWND window, UINT message, WPARAM wParam = 0)
{
    if (alive(window))
        PostMessageA(window, message, wParam, 0);
}

} // namespace

HWND MainWindow::troopList() const { return m_troopDock.list(); }
HWND MainWindow::troopListOption() const { return m_troopDock.options(); }
HWND MainWindow::destroyedList() const { return alive(m_destroyedList); }
HWND MainWindow::deployWindow() const { return alive(m_deployWindow); }

void MainWindow::openTroopList()
{
    if (HWND open = troopList()) {
        BringWindowToTop(open);
        return;
    }
    TroopListWindow* list = TroopListWindow::open(makeWindowContext(m_state), this);
    if (!list)
        return;
    TroopListOptionWindow* options = TroopListOptionWindow::open(makeWindowContext(m_state), list);
    m_troopDock.attach(list->handle(), options ? options->handle() : nullptr);
    m_troopDock.dock();
    m_link.setTroopLists(list->handle(), destroyedList());
    makeNamedValue(kShowTroopList).profileWriteBool(true);
    updateMenuStates();
}

void MainWindow::closeTroopList()
{
    HWND list = troopList();
    HWND options = troopListOption();
    m_troopDock.detach();
    m_link.setTroopLists(nullptr, destroyedList());
    // The display-item window goes right after its list.
    if (list)
        DestroyWindow(list);
    if (alive(options))
        DestroyWindow(options);
    makeNamedValue(kShowTroopList).profileWriteBool(false);
    updateMenuStates();
}

void MainWindow::toggleTroopListOption() { m_troopDock.toggle(); }

void MainWindow::openDestroyedList()
{
    if (HWND open = destroyedList()) {
        BringWindowToTop(open);
        return;
    }
    DestroyedTroopListWindow* list = DestroyedTroopListWindow::open(makeWindowContext(m_state), this);
    m_destroyedList = list ? list->handle() : nullptr;
    m_link.setTroopLists(troopList(), m_destroyedList);
    updateMenuStates();
}

void MainWindow::closeDestroyedList()
{
    HWND list = destroyedList();
    m_destroyedList = nullptr;
    m_link.setTroopLists(troopList(), nullptr);
    if (list)
        DestroyWindow(list);
    updateMenuStates();
}

void MainWindow::openTroopInfo()
{
    auto* panel = dynamic_cast<ControlPanel*>(windowFromHandle(m_link.panel()));
    if (!panel || !m_state.handshake().playRunning() || !panel->seenUnit())
        return;
    TroopInfoWindow window(makeWindowContext(m_state), this, panel->unitSide(), panel->unitIndex());
    window.run();
}

void MainWindow::openStartTroopWindows()
{
    if (makeNamedValue(kShowTroopList).profileReadBool(false))
        openTroopList();
    post(troopList(), ui_message::kTroopListShowCurrent);
    post(destroyedList(), ui_message::kTroopListShowCurrent);
}

void MainWindow::refreshTroopLists()
{
    post(troopList(), ui_message::kTroopListRefresh);
    post(destroyedList(), ui_message::kTroopListRefresh);
}

void MainWindow::showUnitOnMap(int country, int index)
{
    const UnitRecord* unit = m_state.unitOf(country, index);
    if (!unit || !unitInPlay(*unit))
        return;
    MapWindow* map = mapWindow();
    if (!map) {
        m_link.postPanelCommand(country, index);
        return;
    }
    map->ensureVisible(unit->x, unit->y);
    m_link.postPanelHexInfo(unit->x, unit->y);
    // Picked as a click on it picks it, so that the panel, the palette and the map agree on the
    // unit the next command is for.
    map->orders().pickUnit(country, index);
    map->blinkHex(unit->x, unit->y);
}

void MainWindow::refreshPanelUnit() { post(m_link.panel(), ui_message::kPanelRefreshUnit); }

void MainWindow::markPlacementHexes(int entry) { post(m_link.mapWindow(), ui_message::kMapPlaceCarryOver, WPARAM(entry)); }

void MainWindow::refreshDeployWindow(uint8_t flag) { post(deployWindow(), ui_message::kTroopDeployRefresh, flag); }

void MainWindow::openTroopDeployWindow()
{
    Handshake& handshake = m_state.handshake();
    if (deployWindow() || !handshake.deploymentWaiting())
        return;
    CampaignTroopDeployWindow* window = CampaignTroopDeployWindow::open(makeWindowContext(m_state), this);
    if (!window) {
        // Nobody could place them by hand: they go where the automatic placement puts them.
        autoDeployCarryOver(m_state);
        handshake.signalDeploymentResult(1);
        return;
    }
    m_deployWindow = window->handle();
    if (MapBitSet* redraw = m_state.redrawSet())
        redraw->setAll();
    if (MapWindow* map = mapWindow()) {
        const HexPos home = computeHomeHex(m_state, m_state.campaignBlock().playerCountry);
        if (m_state.isOnMap(home.x, home.y))
            map->centreOn(home.x, home.y);
        map->fullRefresh();
    }
}

void MainWindow::closeTroopDeployWindow(bool done)
{
    if (MapWindow* map = mapWindow())
        map->endPlacement(false);
    if (done)
        m_state.handshake().signalDeploymentResult(1);
    HWND window = deployWindow();
    m_deployWindow = nullptr;
    if (window)
        DestroyWindow(window);
}

bool MainWindow::onTroopWindowMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kOpenTroopList:
        openTroopList();
        return true;
    case ui_message::kCloseTroopList:
        closeTroopList();
        return true;
    case ui_message::kToggleTroopListOption:
        toggleTroopListOption();
        return true;
    case ui_message::kCloseDestroyedList:
        closeDestroyedList();
        return true;
    case ui_message::kOpenTroopDeploy:
        openTroopDeployWindow();
        return true;
    case ui_message::kCloseTroopDeploy:
        if (msg.wParam == 1)
            closeTroopDeployWindow(true);
        return true;
    default:
        return false;
    }
}
