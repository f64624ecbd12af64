// AppDialogLink: the weapon selection, event notices, results and the game-end announcement, the
// briefing and the map settings list, each in its own window.
#include "app/app_dialog_link.h"

#include "app/main_window_rules_link.h"
#include "app/play_windows.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/event_notice_window.h"
#include "dialogs/game_end_window.h"
#include "dialogs/map_settings_flow.h"
#include "dialogs/phase_result_window.h"
#include "dialogs/sel_attack_arms_dialog.h"
#include "rules/combat_pair.h"
#include "state/building_record.h"
#include "ui/window_services.h"

#include <utility>

namespace {

// Runs the window modally when there is a main window to own it.
template <class Window, class... Args>
void runOwned(const WindowContext& context, swCWindow* owner, Args&&... args)
{
    if (!owner)
        return;
    Window window(context, owner, std::forward<Args>(args)...);
    window.run();
}

} // namespace

AppDialogLink::AppDialogLink(AppMainWindowLink& main)
    : m_main(main)
{
}

swCWindow* AppDialogLink::owner() const { return m_main.playWindowOwner(); }

void AppDialogLink::showEventNotice(int kind, int a, int b) { runOwned<EventNoticeWindow>(makeWindowContext(m_main.state()), owner(), kind, a, b); }

int AppDialogLink::chooseWeapon(CombatPair& pair, int flag, WeaponChoiceMode mode)
{
    swCWindow* parent = owner();
    if (!parent)
        return 0;
    // On the thread that resolves the engagement, owned by the main window on its own thread.
    SelAttackArmsDialog dialog(makeWindowContext(m_main.state()), parent, pair, uint8_t(flag != 0), int(mode));
    return int(dialog.run());
}

void AppDialogLink::showOccupationResult(const BuildingRecord& after, const BuildingRecord& before)
{
    runOwned<OccupationResultWindow>(makeWindowContext(m_main.state()), owner(), after, before);
}

void AppDialogLink::showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before)
{
    switch (kind) {
    case BuildingResult::Demolished: runOwned<BuildingEventWindow>(makeWindowContext(m_main.state()), owner(), after, before); break;
    case BuildingResult::Repaired: runOwned<BuildingRepairWindow>(makeWindowContext(m_main.state()), owner(), after, before); break;
    case BuildingResult::Reinforced: runOwned<BuildingReinforceWindow>(makeWindowContext(m_main.state()), owner(), after, before); break;
    }
}

void AppDialogLink::showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability)
{
    switch (kind) {
    case BuildingResult::Demolished: runOwned<UnitEventWindow>(makeWindowContext(m_main.state()), owner(), terrain_kind, durability, old_durability); break;
    case BuildingResult::Repaired: runOwned<UnitRepairWindow>(makeWindowContext(m_main.state()), owner(), terrain_kind, durability, old_durability); break;
    case BuildingResult::Reinforced:
        runOwned<UnitReinforceWindow>(makeWindowContext(m_main.state()), owner(), terrain_kind, durability, old_durability);
        break;
    }
}

void AppDialogLink::showGameEnd(int country, int kind) { runOwned<GameEndWindow>(makeWindowContext(m_main.state()), owner(), country, kind); }

void AppDialogLink::showSupplyOrder(SupplyOrder& order)
{
    swCWindow* parent = owner();
    play_windows::askSupply(makeWindowContext(m_main.state()), parent ? parent->handle() : nullptr, order);
}

void AppDialogLink::showBriefing()
{
    ModalIdleOff idle;
    runOwned<BriefingDialog>(makeWindowContext(m_main.state()), owner(), BriefingMode::BeforePlay);
}

void AppDialogLink::showMapSettings()
{
    ModalIdleOff idle;
    if (swCWindow* parent = owner())
        runMapSettingsStep(makeWindowContext(m_main.state()), parent, MapSettingsListButtons::OkOnly);
}
