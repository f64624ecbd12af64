// The registry's windows of the action and the other phases: orders, their popups and results.
#include "tests/windows/registry/window_registry.h"

#include "ui/private_messages.h"
#include "app/main_window_rules_link.h"
#include "app/menu_ids.h"
#include "dialogs/event_notice_window.h"
#include "dialogs/fill_troop_window.h"
#include "dialogs/game_end_window.h"
#include "dialogs/hooked_popup_dialog.h"
#include "dialogs/merge_dialog.h"
#include "dialogs/phase_help_dialog.h"
#include "dialogs/phase_result_window.h"
#include "dialogs/placement_dialog.h"
#include "dialogs/popup_entries.h"
#include "dialogs/production_dialog.h"
#include "dialogs/sel_attack_arms_dialog.h"
#include "dialogs/supply_troop_window.h"
#include "infowin/income_window.h"
#include "rules/combat_pair.h"
#include "state/supply_order.h"

#include <utility>

namespace window_registry {
namespace {

HWND production(WindowWorld& w)
{
    const BuildingRecord& building = w.state().buildings()[size_t(w.buildingOf(0))];
    return modal([&] { ProductionDialog(w.context(), w.owner(), building.x, building.y).run(); });
}

HWND merge(WindowWorld& w)
{
    const int first = w.unitNamed(0, "第1歩兵");
    const int second = w.unitNamed(0, "第2歩兵");
    const UnitRecord& unit = *w.state().unitOf(0, first);
    return modal([&] { MergeDialog(w.context(), w.owner(), 0, first, second, unit.x, unit.y).run(); });
}

HWND split(WindowWorld& w)
{
    const int index = w.unitNamed(0, "第1歩兵");
    const UnitRecord& unit = *w.state().unitOf(0, index);
    return modal([&] { SplitDialog(w.context(), w.owner(), 0, index, unit.x, unit.y, unit.x, unit.y + 1).run(); });
}

HWND weaponChoice(WindowWorld& w)
{
    GameState& s = w.state();
    CombatPair pair {};
    // The tank attacks from beside the infantry, so that it has a weapon to choose and fire.
    const int tank = w.unitNamed(0, "戦車");
    const int infantry = w.unitNamed(1, "歩兵");
    const UnitRecord& target = *s.unitOf(1, infantry);
    pair.setAttacker(s, 0, tank, target.x, target.y - 1, false);
    pair.setDefender(s, 1, infantry);
    pair.prepare(s);
    pair.computeValues(s);
    return modal([&] { SelAttackArmsDialog(w.context(), w.owner(), pair, 0, 0).run(); });
}

HWND hexPopup(WindowWorld& w)
{
    const int tank = w.unitNamed(0, "戦車");
    const UnitRecord& unit = *w.state().unitOf(0, tank);
    const std::vector<uint32_t> lower { popup_entry::make(0, uint32_t(tank)), popup_entry::make(0, uint32_t(w.unitNamed(0, "歩兵"))),
        popup_entry::hex(unit.x, unit.y) };
    return modal([&] { HookedPopupDialog(w.context(), w.owner(), HookedPopupDialog::kMoveTarget, 300, 200, { popup_entry::prompt(3) }, lower).run(); });
}

HWND replenish(WindowWorld& w)
{
    // A tank that lost a machine is offered one back.
    ReplenishOffer offer;
    offer.unitIndex = uint32_t(w.unitNamed(0, "戦車"));
    offer.counters = 1;
    offer.repair = 4;
    UnitRecord& tank = *w.state().unitOf(0, int(offer.unitIndex));
    const uint8_t lost = std::exchange(tank.memberStrengths[3], uint8_t(0));
    modal([&] { FillTroopWindow(w.context(), w.owner(), offer).run(); });
    tank.memberStrengths[3] = lost;
    return nullptr;
}

HWND supply(WindowWorld& w)
{
    SupplyOrder order {};
    order.unitIndex = uint32_t(w.unitNamed(0, "戦車"));
    order.parts[SupplyOrder::kFuel] = { 1, 0, 120, 1, 1 };
    order.parts[SupplyOrder::kAmmunition] = { 1, 0, 300, 1, 1 };
    return modal([&] { SupplyTroopWindow(w.context(), w.owner(), order).run(); });
}

BuildingRecord town(int durability, int strength)
{
    BuildingRecord building {};
    building.type = 31;
    building.ownerPlusOne = 2;
    building.durability = uint8_t(durability);
    building.occupationDurability = uint8_t(strength);
    return building;
}

} // namespace

std::vector<WindowEntry> playDialogs()
{
    return {
        { "production", production, nullptr },
        { "placement", [](WindowWorld& w) { return modal([&] { PlacementDialog(w.context(), w.owner(), 2, 6, 0).run(); }); }, nullptr },
        { "merge", merge, nullptr },
        { "split", split, nullptr },
        { "weapon_choice", weaponChoice, nullptr },
        { "hex_popup", hexPopup, nullptr },
        { "event_notice", [](WindowWorld& w) {
             return modal([&] { EventNoticeWindow(w.context(), w.owner(), 0, 0, w.unitNamed(0, "戦車")).run(); });
         }, nullptr },
        { "replenish", replenish, nullptr },
        { "supply", supply, nullptr },
        { "income", [](WindowWorld& w) { return modal([&] { IncomeWindow(w.context(), w.owner(), 1234).run(); }); }, nullptr },
        { "phase_help", [](WindowWorld& w) { return modal([&] { PhaseHelpDialog(w.context(), w.owner()).run(); }); }, nullptr },
        { "occupation_result", [](WindowWorld& w) {
             return modal([&] { OccupationResultWindow(w.context(), w.owner(), town(60, 12), town(60, 30)).run(); });
         }, nullptr },
        { "building_destroyed", [](WindowWorld& w) {
             return modal([&] { BuildingEventWindow(w.context(), w.owner(), town(20, 30), town(60, 30)).run(); });
         }, nullptr },
        { "building_repair", [](WindowWorld& w) {
             return modal([&] { BuildingRepairWindow(w.context(), w.owner(), town(60, 30), town(40, 30)).run(); });
         }, nullptr },
        { "building_reinforce", [](WindowWorld& w) {
             return modal([&] { BuildingReinforceWindow(w.context(), w.owner(), town(80, 30), town(60, 30)).run(); });
         }, nullptr },
        { "structure_destroyed", [](WindowWorld& w) { return modal([&] { UnitEventWindow(w.context(), w.owner(), 7, 5, 25).run(); }); }, nullptr },
        { "unit_repair", [](WindowWorld& w) { return modal([&] { UnitRepairWindow(w.context(), w.owner(), 7, 25, 10).run(); }); }, nullptr },
        { "unit_reinforce", [](WindowWorld& w) { return modal([&] { UnitReinforceWindow(w.context(), w.owner(), 10, 15, 10).run(); }); }, nullptr },
        { "game_end", [](WindowWorld& w) { return modal([&] { GameEndWindow(w.context(), w.owner(), 0, 2).run(); }); }, nullptr },
        { "think_progress", [](WindowWorld& w) {
             SendMessageA(w.handle(), ui_message::kShowThinkWindow, 1, 1);
             return w.world().link().thinkWindow();
         }, [](HWND window) { PostMessageA(GetWindow(window, GW_OWNER), ui_message::kShowThinkWindow, 0, 0); } },
        { "auto_move", [](WindowWorld& w) {
             w.command(menu_id::kAutoMoveWindow);
             return w.world().link().autoMoveWindow();
         }, nullptr },
    };
}

} // namespace window_registry
