// The small world of the window registry.
#include "tests/windows/registry/window_world.h"

#include "rules/game_thread.h"
#include "ui/private_messages.h"
#include "state/action_history.h"
#include "state/unit_facts.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace window_registry {

WindowWorld::WindowWorld(const std::function<void(const testing_state::DataFolder&)>& prepare)
    : m_world(main_window_test::World::Scene::On, prepare)
{
    m_ready = m_world.window().newGameFrom(m_world.gamePath("tkmap/riverside.vts")) && m_world.waitForPersonIn(kPhaseAction);
    // A few orders of the turn, so that the history has rows with the units' names.
    if (m_ready) {
        ActionHistoryLog& log = state().historyLog();
        log.recordWeaponExchange(0, unitNamed(0, "第1飛行隊"), 1, 0);
        log.recordSupply(0, unitNamed(0, "第1補給隊"), 1);
        log.recordReplenishment(0, unitNamed(0, "第1戦車大隊"), 8);
        log.recordDisband(1, unitNamed(1, "第2歩兵連隊"));
        HistoryEngagement fight;
        fight.attacker = { 0, unitNamed(0, "第1飛行隊"), 1, 4, 10, 9 };
        fight.target = { 1, unitNamed(1, "輸送艦はやせ"), 15, 10, 10, 6 };
        log.recordCombat(fight, 0, 0);
        log.recordTransport(0, unitNamed(0, "輸送艦はやせ"), 0, unitNamed(0, "第1工兵中隊"), 4, 1, 10);
        // The panel shows the person's last click.
        PostMessageA(m_world.link().panel(), ui_message::kPanelShowUnit, WPARAM(unitNamed(0, "第1戦車大隊") << 16), 0);
        pump();
    }
    // A saved game for the file dialogs to list and preview.
    m_ready = m_ready && m_world.window().saveGameTo(m_world.gamePath("save/kahan.wqs"));
    char link[] = "/tmp/derazodo-save-XXXXXX";
    if (mkdtemp(link) && rmdir(link) == 0 && symlink(m_world.folder().host("save").c_str(), link) == 0)
        m_saveLink = link;
    m_saveFolder = m_saveLink.empty() ? gamePath("save") : platform::gamePathFromHost(m_saveLink);
}

WindowWorld::~WindowWorld()
{
    if (!m_saveLink.empty())
        unlink(m_saveLink.c_str());
}

int WindowWorld::unitNamed(int country, const char* nameUtf8)
{
    const std::string name = platform::utf8ToCp932(nameUtf8);
    GameState& s = state();
    for (uint32_t i = 0; i < s.unitCount(country); ++i) {
        const UnitRecord& unit = *s.unitOf(country, int(i));
        if (unitInPlay(unit) && std::strstr(unit.name, name.c_str()))
            return int(i);
    }
    return -1;
}

int WindowWorld::buildingOf(int country)
{
    const auto& buildings = state().buildings();
    for (size_t i = 0; i < buildings.size(); ++i)
        if (buildings[i].owner() == country)
            return int(i);
    return -1;
}

void WindowWorld::command(unsigned id)
{
    SendMessageA(handle(), WM_COMMAND, id, 0);
    pump();
}

} // namespace window_registry
