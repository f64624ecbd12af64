// The registry's battle windows: the animated scene and the simplified battle window.
#include "tests/windows/registry/window_registry.h"

#include "battle/battle_unit_data.h"
#include "battle/live_clash_easy_window.h"
#include "rules/combat_pair.h"
#include "tests/app/battle_records.h"

namespace window_registry {
namespace {

// A click on the scene ends it.
void clickScene(HWND window)
{
    testing_lib::clickCentre(window);
}

} // namespace

std::vector<WindowEntry> battleWindows()
{
    return {
        { "battle_scene", [](WindowWorld& w) {
             BattleRecord record = tanksAtInfantry();
             return modal([&] { w.world().battle().runBattleScene(record, false); });
         }, clickScene },
        { "simple_battle", [](WindowWorld& w) {
             GameState& s = w.state();
             CombatPair& pair = currentCombat(s);
             pair.setAttacker(s, 0, w.unitNamed(0, "戦車"));
             pair.setDefender(s, 1, w.unitNamed(1, "歩兵"));
             pair.side[0].weaponSlot = 0;
             return modal([&] { LiveClashEasyWindow(w.context(), w.owner()).Create(); });
         }, nullptr },
    };
}

} // namespace window_registry
