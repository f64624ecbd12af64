// MainWindow's weapon information windows, terrain list and tables, and history: each made on its
// command or message, raised when open, destroyed on its close request; the display-item windows
// docked beside their lists.
#include "app/main_window.h"

#include "app/main_window_rules_link.h"
#include "infowin/action_history_option_dialog.h"
#include "infowin/action_history_window.h"
#include "infowin/land_list_option_window.h"
#include "infowin/land_list_window.h"
#include "infowin/weapon_info_window.h"
#include "platform/kernel/host.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "ui/private_messages.h"
#include "ui/window_services.h"

#include <algorithm>

namespace {

// Keys 0..98; at most two windows at once.
constexpr int kWeaponInfoKeys = 99;
constexpr int kWeaponInfoLimit = 2;

void raise(HWND window) { SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW); }

void destroy(HWND window)
{
    if (window && IsWindow(window))
        DestroyWindow(window);
}

} // namespace

// -- weapon information --

void MainWindow::openWeaponInfo(int typeId)
{
    // Windows destroyed with something else are forgotten first.
    std::erase_if(m_weaponInfos, [](const WeaponInfoEntry& e) { return !IsWindow(e.window); });
    for (const WeaponInfoEntry& entry : m_weaponInfos) {
        if (entry.typeId == typeId) {
            raise(entry.window);
            return;
        }
    }
    if (int(m_weaponInfos.size()) >= kWeaponInfoLimit) {
        modalMessageBox(this, platform::utf8ToCp932("これ以上兵器詳細ウィンドウを開くことはできません。").c_str(),
            platform::utf8ToCp932("注意").c_str());
        return;
    }
    int key = 0;
    while (key < kWeaponInfoKeys
        && std::any_of(m_weaponInfos.begin(), m_weaponInfos.end(), [key](const WeaponInfoEntry& e) { return e.key == key; }))
        ++key;
    const HWND openedFrom = GetActiveWindow();
    auto* window = new WeaponInfoWindow(makeWindowContext(m_state), this, typeId, key, 0);
    if (!window->open()) {
        delete window;
        return;
    }
    m_weaponInfos.push_back({ window->handle(), key, typeId, openedFrom });
    ShowWindow(window->handle(), SW_SHOW);
}

void MainWindow::closeWeaponInfo(int key)
{
    const auto entry = std::find_if(m_weaponInfos.begin(), m_weaponInfos.end(), [key](const WeaponInfoEntry& e) { return e.key == key; });
    if (entry == m_weaponInfos.end())
        return;
    const HWND window = entry->window;
    const HWND back = GetActiveWindow() == window ? entry->openedFrom : nullptr;
    m_weaponInfos.erase(entry);
    destroy(window);
    if (back && back != handle() && IsWindowVisible(back))
        SetActiveWindow(back);
}

void MainWindow::setWeaponInfoShown(int key, int typeId)
{
    for (WeaponInfoEntry& entry : m_weaponInfos)
        if (entry.key == key)
            entry.typeId = typeId;
}

HWND MainWindow::weaponInfoWindow(int key) const
{
    for (const WeaponInfoEntry& entry : m_weaponInfos)
        if (entry.key == key && IsWindow(entry.window))
            return entry.window;
    return nullptr;
}

int MainWindow::weaponInfoCount() const
{
    return int(std::count_if(m_weaponInfos.begin(), m_weaponInfos.end(), [](const WeaponInfoEntry& e) { return IsWindow(e.window); }));
}

// -- terrain list and tables --

void MainWindow::openTerrainList()
{
    if (HWND open = m_landDock.list()) {
        raise(open);
        return;
    }
    LandListWindow* list = LandListWindow::open(makeWindowContext(m_state), this);
    if (!list)
        return;
    LandListOptionWindow* options = LandListOptionWindow::open(makeWindowContext(m_state), list);
    m_landDock.attach(list->handle(), options ? options->handle() : nullptr);
}

void MainWindow::closeTerrainList()
{
    // The handles go first: destroying the list takes its display-item window with it.
    const HWND list = m_landDock.list();
    const HWND options = m_landDock.options();
    m_landDock.detach();
    destroy(options);
    destroy(list);
}

void MainWindow::toggleLandListOption() { m_landDock.toggle(); }

HWND MainWindow::landTable(LandTable table) const
{
    const HWND window = m_landTables[int(table)];
    return window && IsWindow(window) ? window : nullptr;
}

void MainWindow::openLandTable(LandTable table)
{
    if (HWND open = landTable(table)) {
        raise(open);
        return;
    }
    LandTableWindow* window = LandTableWindow::open(makeWindowContext(m_state), this, table);
    m_landTables[int(table)] = window ? window->handle() : nullptr;
}

void MainWindow::closeLandTable(LandTable table)
{
    const HWND window = landTable(table);
    m_landTables[int(table)] = nullptr;
    destroy(window);
}

void MainWindow::refreshTerrainWindows()
{
    if (HWND list = m_landDock.list())
        PostMessageA(list, ui_message::kLandListRefresh, 0, 0);
    if (HWND options = m_landDock.options())
        PostMessageA(options, ui_message::kLandListOptionRefresh, 0, 0);
    for (const WeaponInfoEntry& entry : m_weaponInfos)
        if (IsWindow(entry.window))
            PostMessageA(entry.window, ui_message::kWeaponInfoRefresh, 0, 0);
    // The transport marks follow rule 26.
    for (int t = 0; t < 3; ++t)
        if (HWND table = landTable(LandTable(t)))
            InvalidateRect(GetDlgItem(table, int(land_table_id::kList)), nullptr, TRUE);
}

// -- history --

void MainWindow::openActionHistory()
{
    if (HWND open = m_historyDock.list()) {
        raise(open);
        return;
    }
    ActionHistoryWindow* history = ActionHistoryWindow::open(makeWindowContext(m_state), this);
    if (!history)
        return;
    ActionHistoryOptionDialog* options = ActionHistoryOptionDialog::open(makeWindowContext(m_state), history);
    m_historyDock.attach(history->handle(), options ? options->handle() : nullptr);
    m_link.setActionHistory(history->handle());
    m_state.settings().showActionHistory = true;
}

void MainWindow::closeActionHistory()
{
    const HWND history = m_historyDock.list();
    const HWND options = m_historyDock.options();
    m_historyDock.detach();
    m_link.setActionHistory(nullptr);
    destroy(options);
    destroy(history);
    m_state.settings().showActionHistory = false;
}

void MainWindow::toggleHistoryOption() { m_historyDock.toggle(); }

// -- display-item windows --

bool MainWindow::isDisplayItemWindowVisible(DisplayItemList list) const
{
    switch (list) {
    case DisplayItemList::Terrain: return m_landDock.visible();
    case DisplayItemList::Troops: return m_troopDock.visible();
    case DisplayItemList::History: return m_historyDock.visible();
    }
    return false;
}

void MainWindow::dockDisplayItemWindow(DisplayItemList list)
{
    switch (list) {
    case DisplayItemList::Terrain: m_landDock.dock(); break;
    case DisplayItemList::Troops: m_troopDock.dock(); break;
    case DisplayItemList::History: m_historyDock.dock(); break;
    }
}

bool MainWindow::onTerrainWindowMessage(MessageRecord& msg)
{
    using namespace ui_message;
    switch (msg.message) {
    case kWeaponInfo: openWeaponInfo(int(msg.wParam)); return true;
    case kCloseWeaponInfo: closeWeaponInfo(int(msg.wParam)); return true;
    case kOpenTerrainList: openTerrainList(); return true;
    case kCloseTerrainList: closeTerrainList(); return true;
    case kToggleLandListOption: toggleLandListOption(); return true;
    case kCloseMoveTable: closeLandTable(LandTable::Move); return true;
    case kCloseAvoidTable: closeLandTable(LandTable::Avoid); return true;
    case kCloseTransportTable: closeLandTable(LandTable::Transport); return true;
    case kCloseActionHistory: closeActionHistory(); return true;
    case kToggleHistoryOption: toggleHistoryOption(); return true;
    default: return false;
    }
}
