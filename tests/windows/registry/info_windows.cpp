// The registry's information windows: units, weapons, terrain, history and the countries.
#include "tests/windows/registry/window_registry.h"

#include "app/main_window.h"
#include "ui/private_messages.h"
#include "app/menu_ids.h"
#include "infowin/arm_change_window.h"
#include "infowin/change_player_dialog.h"
#include "infowin/troop_info_window.h"
#include "infowin/unit_rename_dialog.h"

namespace window_registry {
namespace {

// A menu command that opens a window the main window keeps; `kept` names it afterwards.
WindowEntry kept(const char* name, unsigned command, HWND (MainWindow::*window)() const)
{
    return { name, [command, window](WindowWorld& w) {
                w.command(command);
                return (w.mainWindow().*window)();
            }, nullptr };
}

// The display-item window docked beside a list, shown by the list's toggle.
WindowEntry docked(const char* name, unsigned command, UINT toggle, HWND (MainWindow::*options)() const)
{
    return { name, [command, toggle, options](WindowWorld& w) {
                w.command(command);
                SendMessageA(w.handle(), toggle, 0, 0);
                WindowWorld::pump();
                return (w.mainWindow().*options)();
            },
        // The list goes with it.
        [](HWND window) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            PostMessageA(GetWindow(window, GW_OWNER), WM_CLOSE, 0, 0);
        } };
}

HWND landTable(WindowWorld& w, unsigned command, LandTable table)
{
    w.command(command);
    return w.mainWindow().landTable(table);
}

} // namespace

std::vector<WindowEntry> infoWindows()
{
    return {
        kept("weapon_list", menu_id::kWeaponList, &MainWindow::weaponList),
        { "weapon_info", [](WindowWorld& w) {
             const int tank = w.unitNamed(0, "戦車");
             SendMessageA(w.handle(), ui_message::kWeaponInfo, w.state().unitOf(0, tank)->unitTypeId, 0);
             WindowWorld::pump();
             return w.mainWindow().weaponInfoWindow(0);
         }, nullptr },
        kept("troop_list", menu_id::kTroopList, &MainWindow::troopList),
        docked("troop_list_options", menu_id::kTroopList, ui_message::kToggleTroopListOption, &MainWindow::troopListOption),
        kept("destroyed_list", menu_id::kDestroyedList, &MainWindow::destroyedList),
        { "troop_info", [](WindowWorld& w) {
             return modal([&] { TroopInfoWindow(w.context(), w.owner(), 0, w.unitNamed(0, "歩兵")).run(); });
         }, nullptr },
        // 表示 → 部隊詳細: the unit the panel shows.
        { "troop_info_of_panel", [](WindowWorld& w) { return modal([&] { w.command(menu_id::kTroopInfo); }); }, nullptr },
        { "troop_info_carrier", [](WindowWorld& w) {
             return modal([&] { TroopInfoWindow(w.context(), w.owner(), 0, w.unitNamed(0, "輸送艦")).run(); });
         }, nullptr },
        { "unit_rename", [](WindowWorld& w) {
             return modal([&] { UnitRenameDialog(w.context(), w.owner(), 0, w.unitNamed(0, "戦車")).run(); });
         }, nullptr },
        { "arm_change", [](WindowWorld& w) {
             return modal([&] { ArmChangeWindow(w.context(), w.owner(), 0, w.unitNamed(0, "飛行"), -1).run(); });
         }, nullptr },
        kept("terrain_list", menu_id::kTerrainList, &MainWindow::terrainList),
        docked("terrain_list_options", menu_id::kTerrainList, ui_message::kToggleLandListOption, &MainWindow::landListOption),
        { "move_table", [](WindowWorld& w) { return landTable(w, menu_id::kMoveTable, LandTable::Move); }, nullptr },
        { "avoid_table", [](WindowWorld& w) { return landTable(w, menu_id::kAvoidTable, LandTable::Avoid); }, nullptr },
        { "transport_table", [](WindowWorld& w) { return landTable(w, menu_id::kTransportTable, LandTable::Transport); }, nullptr },
        kept("action_history", menu_id::kActionHistory, &MainWindow::actionHistory),
        docked("action_history_options", menu_id::kActionHistory, ui_message::kToggleHistoryOption, &MainWindow::historyOption),
        kept("country_info", menu_id::kCountryInfo, &MainWindow::countryInfoWindow),
        { "change_player", [](WindowWorld& w) { return modal([&] { ChangePlayerDialog(w.context(), w.owner()).run(); }); }, nullptr },
        kept("condition_info", menu_id::kConditionInfo, &MainWindow::conditionInfoWindow),
        kept("results", menu_id::kResults, &MainWindow::resultsWindow),
    };
}

} // namespace window_registry
