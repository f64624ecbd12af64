// MainWindow's information windows: the weapon list and what it asks of the main window.
#include "app/main_window.h"

#include "app/main_window_messages.h"
#include "infowin/weapon_list_window.h"
#include "infowin/window_services.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"

#include <cstring>
#include <string>

void MainWindow::openWeaponList()
{
    if (m_weaponList && IsWindow(m_weaponList)) {
        BringWindowToTop(m_weaponList);
        return;
    }
    WeaponListWindow* list = WeaponListWindow::open(this);
    m_weaponList = list ? list->handle() : nullptr;
}

void MainWindow::closeWeaponList()
{
    if (m_weaponList && IsWindow(m_weaponList))
        DestroyWindow(m_weaponList);
    m_weaponList = nullptr;
}

void MainWindow::showWeaponInfo(int typeId)
{
    if (typeId <= 0 || typeId >= kUnitTypeIdMapSize || !m_state.unitTypeIndex(typeId))
        return;
    const UnitTypeRecord& type = m_state.unitTypeRecord(typeId);
    const std::string name(type.name, strnlen(type.name, sizeof type.name));
    modalMessageBox(this, name.c_str(), platform::utf8ToCp932("兵器詳細").c_str());
}

void MainWindow::refreshInfoWindows()
{
    if (m_weaponList && IsWindow(m_weaponList))
        PostMessageA(m_weaponList, weapon_list_message::kRefresh, 0, 0);
    refreshCountryWindows();
}

bool MainWindow::onInfoWindowMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case main_message::kCloseWeaponList:
        closeWeaponList();
        return true;
    case main_message::kWeaponInfo:
        showWeaponInfo(int(msg.wParam));
        return true;
    default:
        return onCountryWindowMessage(msg);
    }
}
