// The troop windows' test world: the information windows' world with a person's country of units
// in play, and main-window services that record what the windows ask and dock the display items.
#pragma once

#include "infowin/display_item_dock.h"
#include "state/unit_facts.h"
#include "tests/infowin/info_world.h"
#include "tests/infowin/test_values.h"
#include "ui/main_window_services.h"

#include <cstring>
#include <utility>
#include <vector>

namespace info_test {

class RecordingServices : public MainWindowServices {
public:
    explicit RecordingServices(HWND main) : m_main(main) { setMainWindowServices(this); }
    ~RecordingServices() override { setMainWindowServices(nullptr); }

    HWND mainWindow() const override { return m_main; }
    void unloadSound(int) override { }
    void restartMusic() override { }
    void fadeOutMusic() override { }
    void showUnitOnMap(int country, int index) override { shown.push_back({ country, index }); }
    void refreshPanelUnit() override { ++panelRefreshes; }
    void refreshTroopLists() override { ++listRefreshes; }
    void refreshMap() override { ++mapRefreshes; }
    void markPlacementHexes(int entry) override { placements.push_back(entry); }
    void refreshDeployWindow(uint8_t flag) override { deployRefreshes.push_back(flag); }
    bool isDisplayItemWindowVisible(DisplayItemList list) const override
    {
        return list == DisplayItemList::Troops && dock.visible();
    }
    void dockDisplayItemWindow(DisplayItemList list) override
    {
        if (list == DisplayItemList::Troops)
            dock.dock();
    }

    DisplayItemDock dock;
    std::vector<std::pair<int, int>> shown;
    std::vector<int> placements;
    std::vector<uint8_t> deployRefreshes;
    int panelRefreshes = 0;
    int listRefreshes = 0;
    int mapRefreshes = 0;

private:
    HWND m_main;
};

inline std::string windowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline void clickClient(HWND window, int x, int y, harness::Button button = harness::Button::Left)
{
    const POINT p = screenOf(window, x, y);
    harness::click(p.x, p.y, button);
    testing_lib::pump();
}

// Country 0 is a person's, with `slots` unit slots and units in play at the hexes given.
class TroopWorld {
public:
    TroopWorld()
    {
        GameState& s = state();
        s.country(0).controller = 1;
        s.country(0).inPlay = 1;
        s.country(0).unitListLength = 30;
        typeId = s.unitTypes()[1].id;
    }
    GameState& state() { return info.state(); }
    // A unit of country 0 in play, with its troop number and name.
    int addUnit(int number, const char* name, int x = 1, int y = 1)
    {
        const int index = info.world.addUnit(0, typeId, x, y);
        UnitRecord& u = unit(index);
        u.troopNumber = uint16_t(number);
        u.memberLimit = 8;
        std::memset(u.name, 0, sizeof u.name);
        std::strncpy(u.name, name, sizeof u.name - 1);
        return index;
    }
    UnitRecord& unit(int index) { return info.world.unit(0, index); }
    // Play runs with country 0 acting in the phase; the game thread waits for its orders.
    void personActs(int phase = 5, bool waiting = true)
    {
        info.startPlay(phase);
        state().turnBlock().viewingCountry = 0;
        state().handshake().setWaitingForAnswer(waiting);
    }

    InfoWorld info;
    RecordingServices services { info.owner.handle() };
    int typeId = 0;
};

} // namespace info_test
