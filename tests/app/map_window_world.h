// A map window over a game on the headless desktop, with a host that records what it hears.
#pragma once

#include "app/hex_geometry.h"
#include "app/map_view_host.h"
#include "app/map_window.h"
#include "app/map_window_link.h"
#include "rules/headless_links.h"
#include "rules/links.h"
#include "rules/rules_context.h"
#include "rules/rules_install.h"
#include "tests/lib/window_test_support.h"
#include "state/game_state.h"
#include "state/sight_maps.h"

#include <cstdint>
#include <vector>

namespace testing_app {

struct SelectedUnit {
    int side = -1;
    int index = -1;
    uint32_t mask = 0;
};

class RecordingHost : public MapViewHost {
public:
    void unitSelected(int side, int index, uint32_t mask) override { selections.push_back({ side, index, mask }); }
    void hexShown(int x, int y) override { shown.push_back({ x, y }); }
    void viewChanged() override { ++viewChanges; }

    std::vector<SelectedUnit> selections;
    std::vector<HexPos> shown;
    int viewChanges = 0;
};

// Country 0 is the person's and acts in its action phase while the game thread waits for it.
inline void startPersonsActionPhase(GameState& state)
{
    installRules(state);
    for (int c = 0; c < 2; ++c) {
        state.country(c).inPlay = 1;
        state.country(c).controller = c == 0 ? 1 : 2;
        state.country(c).unitListLength = 100;
    }
    TurnBlock& turn = state.turnBlock();
    turn.turn = 1;
    turn.phase = 5;
    turn.currentCountry = 0;
    turn.viewingCountry = 0;
    state.handshake().setPlayRunning(true);
    state.handshake().setWaitingForAnswer(true);
}

// On the screen, the inner half of every hex the viewer's sight does not cover, where no
// neighbour's picture reaches; hexes not wholly inside the window's client area are left out.
inline std::vector<uint32_t> foggedHexPixels(MapWindow& window, const GameState& state, int viewer)
{
    const platform::harness::Image screen = platform::harness::readScreen();
    const HexGeometry geometry(window.zoom(), state.mapWidth(), state.mapHeight());
    const int quarter = HexGeometry(window.zoom(), 1, 1).cell() / 4;
    const POINT origin = window.viewOrigin();
    RECT client {};
    GetClientRect(window.handle(), &client);
    std::vector<uint32_t> out;
    for (int y = 0; y < state.mapHeight(); ++y)
        for (int x = 0; x < state.mapWidth(); ++x) {
            const POINT centre = geometry.hexCentre(x, y);
            POINT c { centre.x - origin.x, centre.y - origin.y };
            if (state.fogMap()->isSeenInLayers(viewer, x, y, 0x3F) || c.x < quarter || c.y < quarter
                || c.x + quarter > client.right || c.y + quarter > client.bottom)
                continue;
            ClientToScreen(window.handle(), &c);
            for (int py = c.y - quarter; py < c.y + quarter; ++py)
                for (int px = c.x - quarter; px < c.x + quarter; ++px)
                    out.push_back(screen.at(px, py));
        }
    return out;
}

// A map window over the state, about 480 × 320 pixels at the top-left of a 640 × 480 parent.
class MapWindowHarness {
public:
    explicit MapWindowHarness(GameState& state)
        : m_state(state)
    {
        testing_lib::initApplication();
        setRulesLinks({ &main, &appMapWindowLink(), &dialogs, &battle });
        parent.setStyle(WS_POPUP | WS_VISIBLE);
        parent.setFrame(0, 0, 640, 480);
        parent.Create();
        window = new MapWindow(&parent, state, &host);
        window->create({ 0, 0, 480, 320 });
        testing_lib::pump();
    }
    ~MapWindowHarness()
    {
        state().handshake().setPlayRunning(false);
        parent.Destroy();
        testing_lib::pump();
        setRulesLinks({});
    }

    // Screen point of a hex's centre through the window's current view.
    POINT screenPointOf(int x, int y)
    {
        const HexGeometry g(window->zoom(), state().mapWidth(), state().mapHeight());
        const POINT centre = g.hexCentre(x, y);
        const POINT origin = window->viewOrigin();
        POINT p { centre.x - origin.x, centre.y - origin.y };
        ClientToScreen(window->handle(), &p);
        return p;
    }

    void clickHex(int x, int y, platform::harness::Button button = platform::harness::Button::Left)
    {
        const POINT p = screenPointOf(x, y);
        platform::harness::click(p.x, p.y, button);
        testing_lib::pump();
    }

    void send(UINT message, WPARAM wParam = 0)
    {
        PostMessageA(window->handle(), message, wParam, 0);
        testing_lib::pump();
    }

    HeadlessMainWindow main;
    HeadlessDialogs dialogs;
    HeadlessBattle battle;
    RecordingHost host;
    testing_lib::TopWindow parent { "MapWindowTestParent" };
    MapWindow* window = nullptr;

private:
    GameState& state() { return m_state; }

    GameState& m_state;
};

} // namespace testing_app
