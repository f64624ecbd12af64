// MainWindow's information windows: the weapon list and what it asks of the main window; the
// weapon information, terrain and history windows are in main_window_terrain_windows.cpp.
#include "app/main_window.h"

#include "ui/private_messages.h"
#include "infowin/weapon_list_window.h"

void MainWindow::openWeaponList()
{
    if (m_weaponList && IsWindow(m_weaponList)) {
        BringWindowToTop(m_weaponList);
        return;
    }
    WeaponListWindow* list = WeaponListWindow::open(makeWindowContext(m_state), this);
    m_weaponList = list ? list->handle() : nullptr;
}

void MainWindow::closeWeaponList()
{
    if (m_weaponList && IsWindow(m_weaponList))
        DestroyWindow(m_weaponList);
    m_weaponList = nullptr;
}

void MainWindow::refreshInfoWindows()
{
    if (m_weaponList && IsWindow(m_weaponList))
        PostMessageA(m_weaponList, ui_message::kWeaponListRefresh, 0, 0);
    refreshCountryWindows();
}

bool MainWindow::onInfoWindowMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case ui_message::kCloseWeaponList:
        closeWeaponList();
        return true;
    default:
        return onTerrainWindowMessage(msg) || onCountryWindowMessage(msg);
    }
}
