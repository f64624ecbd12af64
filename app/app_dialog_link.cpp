// AppDialogLink: event notices, results and the game-end announcement in their windows.
#include "app/app_dialog_link.h"

#include "app/main_window_rules_link.h"
#include "app/play_windows.h"
#include "app/window_helpers.h"
#include "dialogs/event_notice_window.h"
#include "dialogs/game_end_window.h"
#include "dialogs/phase_result_window.h"
#include "platform/kernel/host.h"
#include "rules/combat_pair.h"
#include "state/building_record.h"
#include "state/game_state.h"

#include <cstring>
#include <utility>

namespace {

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

// Runs the window modally when there is a main window to own it.
template <class Window, class... Args>
void runOwned(swCWindow* owner, Args&&... args)
{
    if (!owner)
        return;
    Window window(owner, std::forward<Args>(args)...);
    window.run();
}

// One of the nine scenario texts, which end at fixed offsets.
std::string scenarioText(GameState& state, int start, int end)
{
    const char* text = reinterpret_cast<const char*>(state.scenarioBlock().bytes) + start;
    return std::string(text, strnlen(text, size_t(end - start)));
}

} // namespace

AppDialogLink::AppDialogLink(AppMainWindowLink& main)
    : m_main(main)
{
}

swCWindow* AppDialogLink::owner() const
{
    HWND main = m_main.mainWindow();
    return main ? windowFromHandle(main) : nullptr;
}

void AppDialogLink::tell(const std::string& text, const char* utf8_caption)
{
    if (text.empty())
        return;
    ModalIdleOff idle;
    MessageBoxA(m_main.mainWindow(), text.c_str(), cp(utf8_caption).c_str(), MB_OK);
}

void AppDialogLink::showEventNotice(int kind, int a, int b) { runOwned<EventNoticeWindow>(owner(), kind, a, b); }

int AppDialogLink::chooseWeapon(CombatPair& pair, int, WeaponChoiceMode mode)
{
    const int side = mode == WeaponChoiceMode::ReturnFire ? 1 : 0;
    return pair.side[side].weaponSlot >= 0 ? 1 : 0;
}

void AppDialogLink::showOccupationResult(const BuildingRecord& after, const BuildingRecord& before)
{
    runOwned<OccupationResultWindow>(owner(), after, before);
}

void AppDialogLink::showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before)
{
    switch (kind) {
    case BuildingResult::Demolished: runOwned<BuildingEventWindow>(owner(), after, before); break;
    case BuildingResult::Repaired: runOwned<BuildingRepairWindow>(owner(), after, before); break;
    case BuildingResult::Reinforced: runOwned<BuildingReinforceWindow>(owner(), after, before); break;
    }
}

void AppDialogLink::showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability)
{
    switch (kind) {
    case BuildingResult::Demolished: runOwned<UnitEventWindow>(owner(), terrain_kind, durability, old_durability); break;
    case BuildingResult::Repaired: runOwned<UnitRepairWindow>(owner(), terrain_kind, durability, old_durability); break;
    case BuildingResult::Reinforced:
        runOwned<UnitReinforceWindow>(owner(), terrain_kind, durability, old_durability);
        break;
    }
}

void AppDialogLink::showGameEnd(int country, int kind) { runOwned<GameEndWindow>(owner(), country, kind); }

void AppDialogLink::showSupplyOrder(SupplyOrder& order) { play_windows::askSupply(m_main.mainWindow(), order); }

void AppDialogLink::showBriefing()
{
    GameState& state = m_main.state();
    std::string title = scenarioText(state, 0, 23);
    std::string mission = scenarioText(state, 66, 4867);
    tell(title.empty() ? mission : (mission.empty() ? title : title + "\n\n" + mission), "ブリーフィング");
}

void AppDialogLink::showMapSettings()
{
    std::string title = scenarioText(m_main.state(), 0, 23);
    tell(title.empty() ? cp("作戦を開始します。") : cp("「") + title + cp("」の作戦を開始します。"), "マップ設定");
}
