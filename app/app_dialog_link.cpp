// AppDialogLink: the weapon selection, event notices, results and the game-end announcement, the
// briefing and the map settings list, each in its own window.
#include "app/app_dialog_link.h"

#include "app/main_window.h"
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

AppDialogLink::AppDialogLink(AppMainWindowLink& main)
    : m_main(main)
{
}

template <class Window, class... Args>
void AppDialogLink::runOwned(Args&&... args)
{
    m_main.runPlayWindow([&](MainWindow& owner) {
        Window window(makeWindowContext(m_main.state()), &owner, std::forward<Args>(args)...);
        window.run();
    });
}

void AppDialogLink::showEventNotice(int kind, int a, int b) { runOwned<EventNoticeWindow>(kind, a, b); }

int AppDialogLink::chooseWeapon(CombatPair& pair, int flag, WeaponChoiceMode mode)
{
    // On the thread that resolves the engagement, owned by the main window on its own thread.
    int chosen = 0;
    m_main.runPlayWindow([&](MainWindow& owner) {
        SelAttackArmsDialog dialog(makeWindowContext(m_main.state()), &owner, pair, uint8_t(flag != 0), int(mode));
        chosen = int(dialog.run());
    });
    return chosen;
}

void AppDialogLink::showOccupationResult(const BuildingRecord& after, const BuildingRecord& before)
{
    runOwned<OccupationResultWindow>(after, before);
}

void AppDialogLink::showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before)
{
    switch (kind) {
    case BuildingResult::Demolished: runOwned<BuildingEventWindow>(after, before); break;
    case BuildingResult::Repaired: runOwned<BuildingRepairWindow>(after, before); break;
    case BuildingResult::Reinforced: runOwned<BuildingReinforceWindow>(after, before); break;
    }
}

void AppDialogLink::showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability)
{
    switch (kind) {
    case BuildingResult::Demolished: runOwned<UnitEventWindow>(terrain_kind, durability, old_durability); break;
    case BuildingResult::Repaired: runOwned<UnitRepairWindow>(terrain_kind, durability, old_durability); break;
    case BuildingResult::Reinforced: runOwned<UnitReinforceWindow>(terrain_kind, durability, old_durability); break;
    }
}

void AppDialogLink::showGameEnd(int country, int kind) { runOwned<GameEndWindow>(country, kind); }

void AppDialogLink::showSupplyOrder(SupplyOrder& order)
{
    // Refused, the order keeps nothing.
    if (!m_main.runPlayWindow([&](MainWindow& owner) { play_windows::askSupply(makeWindowContext(m_main.state()), owner.handle(), order); }))
        play_windows::askSupply(makeWindowContext(m_main.state()), nullptr, order);
}

void AppDialogLink::showBriefing()
{
    ModalIdleOff idle;
    runOwned<BriefingDialog>(BriefingMode::BeforePlay);
}

void AppDialogLink::showMapSettings()
{
    ModalIdleOff idle;
    m_main.runPlayWindow([&](MainWindow& owner) {
        runMapSettingsStep(makeWindowContext(m_main.state()), &owner, MapSettingsListButtons::OkOnly);
    });
}
