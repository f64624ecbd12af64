// MapWindow: the map view, a scrolling child window drawn from both threads, which takes the
// person's orders and carries out the rules engine's redraws and animations.
#pragma once

#include "app/map_renderer.h"
#include "app/map_window_orders.h"
#include "lib/window.h"
#include "rules/map_window_link.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class GameState;
class MapViewHost;

class MapWindow : public swCWindow {
public:
    static constexpr const char* kClassName = "VKRC_MAPWINDOW_CNAME";
    static constexpr int kZoomCount = 3;

    MapWindow(swCWindow* parent, GameState& state, MapViewHost* host);
    ~MapWindow() override;

    // Creates the child window over rect (the parent's client pixels); false when none was made.
    bool create(const RECT& rect);

    // -- the view --
    int zoom() const;
    // Keeps the map pixel at the centre of the view where it was.
    void setZoom(int zoom);
    POINT viewOrigin() const;
    // Moves the view's top-left to that map pixel, kept inside the map.
    void scrollTo(POINT origin);
    // The arrow keys scroll by one hex; false for any other key.
    bool scrollByKey(UINT virtualKey);
    // The hex under a point of the client area; false off the map.
    bool hexAtClient(POINT client, int& x, int& y) const;
    HexView visibleHexRange() const;
    // Scrolls to the view visibleHexRange gave that column, row and offset, as far as the map allows.
    void showFrom(int firstColumn, int firstRow, POINT offset);
    void ensureVisible(int x, int y);
    void centreOn(int x, int y);
    // Zoom, scroll bars, day or night, the viewer's fog, and the whole map drawn again.
    void reinitialise();

    // -- drawing; each takes the drawing lock --
    // The hexes whose look changed (all of them when many did), then the screen; the state's
    // redraw set is emptied.
    void redrawMarked();
    void updateHex(int x, int y);
    // The scroll bars and the hexes whose look changed, as a full refresh would show them.
    void refresh();
    void fullRefresh();
    // Posts the switch when the shown day or night differs from the game's.
    void checkDayNight();
    // Taken by every drawing of the map, from the user-interface and the game thread.
    std::recursive_mutex& drawLock() { return m_drawLock; }
    // The back picture, for tests: client pixels, rows top to bottom.
    const uint32_t* backPixels() const;
    // The country whose fog the map shows, -1 while it shows everything.
    int fogViewer();

    // -- animations; from the calling thread, returning when done --
    void blinkHex(int x, int y);
    void animateExplosion(int x, int y);
    void showHexEffect(int x, int y, int a, int b);
    void animateAttackPath(int fromX, int fromY, int toX, int toY);
    void animateAreaBlast(int x, int y);
    void animateLevelChange(const LevelChange& change);
    // Animations cost nothing while the window is hidden.
    bool animationsShown() const;

    // -- placing a carried-over unit; a click places it, a right click or Escape gives up --
    void beginPlacement(int entry);
    // Clears the marks; with reshow the deployment window comes back.
    void endPlacement(bool reshow);
    bool placing() const { return m_placementEntry >= 0; }
    const std::vector<HexPos>& placementHexes() const { return m_placementHexes; }

    MapOrders& orders() { return *m_orders; }
    GameState& state() { return m_state; }
    bool onWindowThread() const;
    // A wait whose message was posted here: answered by the message, else by the window's end.
    void notePostedWait(uint32_t id);

protected:
    int OnMessage(MessageRecord& msg) override;

private:
    class Ui;

    std::unique_ptr<MapOrders> makeOrders();
    void layoutView();
    void syncScrollBars();
    void scrollFromBar(int bar, int request);
    POINT clampOrigin(POINT origin) const;
    HexGeometry geometry() const;
    bool shownNight() const;
    bool hexInView(int x, int y) const;
    // Whether an animation may draw (and sound) at the hex, or over the whole map area: the window is
    // shown and the viewer may see every hex there.
    bool animatesAt(int x, int y) const;
    bool animatesOver(const RECT& mapArea) const;
    void present(const RECT* viewRect);
    void presentHex(int x, int y);
    void presentMapRect(const RECT& mapRect);
    void drawHexLocked(int x, int y);
    void redrawChangedLocked();
    void playSound(int slot);
    void playEffect(const std::vector<HexPos>& hexes, MapEffect effect);
    void answerWait(uint32_t id);
    void releasePostedWaits();
    bool handleUserMessage(MessageRecord& msg);
    bool handleInput(MessageRecord& msg);
    void onLeftButton(LPARAM lParam, WPARAM wParam);
    void placeAt(int x, int y);
    // With the developer switch on, Shift and the right button open the placement tool's popup.
    bool onDeveloperPopup(LPARAM lParam, WPARAM wParam);
    bool onKey(UINT virtualKey);
    // Takes the view's centre as the aim along each axis where the map is wider than the view.
    void noteAim();

    GameState& m_state;
    MapViewHost* m_host;
    std::unique_ptr<MapRenderer> m_renderer;
    std::unique_ptr<Ui> m_ui;
    std::unique_ptr<MapOrders> m_orders;
    mutable std::recursive_mutex m_drawLock;
    POINT m_origin {};
    SIZE m_client {};
    // The point the view is centred on, in pixels of the largest zoom. A change of zoom comes back
    // to it, also after a zoom that showed the whole map along an axis and so could not centre it.
    POINT m_aim {};
    SIZE m_aimedMap {};
    // Map size, client size and origin the scroll bars were last set to: a refresh after each
    // computer action leaves them alone when nothing of these changed.
    std::array<LONG, 6> m_scrollShown { -1, -1, -1, -1, -1, -1 };
    std::atomic<bool> m_dayNightPosted = false;
    // Waits posted to this window; its end answers those still open.
    std::mutex m_waitLock;
    std::vector<uint32_t> m_postedWaits;
    int m_placementEntry = -1;
    std::vector<HexPos> m_placementHexes;
};
