// AppMainWindowLink: the main window as the rules engine sees it. Refreshes post to the main window
// and its sub-windows; the game thread's requests post with the id of a wait and block on it until
// the main window has answered or play stops.
#pragma once

#include "platform/windows.h"
#include "rules/main_window_link.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>

class GameSound;
class GameState;
class MainWindow;
class UiWait;

// The information windows the rules' refreshes reach: the country window (with the side facts),
// the condition window and the battle results.
enum InfoWindowSlot : int { kCountryWindow, kConditionWindow, kResultsWindow, kInfoWindowSlots };

class AppMainWindowLink : public MainWindowLink {
public:
    explicit AppMainWindowLink(GameState& state);

    // The windows the link posts to, registered by the main window as it makes them; null once gone.
    void setMainWindow(HWND window) { m_main = window; }
    void setMapWindow(HWND window) { m_map = window; }
    void setPanel(HWND window) { m_panel = window; }
    void setToolPalette(HWND window) { m_tool = window; }
    // The history window while it is open.
    void setActionHistory(HWND window) { m_history = window; }
    void setInfoWindow(InfoWindowSlot slot, HWND window) { m_infoWindows[size_t(slot)] = window; }
    void setThinkWindow(HWND window) { m_think = window; }
    void setAutoMoveWindow(HWND window) { m_autoMove = window; }
    // The troop list and the destroyed-units list while they are open.
    void setTroopLists(HWND troops, HWND destroyed)
    {
        m_troops = troops;
        m_destroyed = destroyed;
    }
    // The main window's sounds, while it lives.
    void setSound(GameSound* sound) { m_sound = sound; }
    HWND mainWindow() const { return m_main; }
    HWND mapWindow() const { return m_map; }
    HWND panel() const { return m_panel; }
    HWND toolPalette() const { return m_tool; }
    HWND thinkWindow() const { return m_think; }
    HWND autoMoveWindow() const { return m_autoMove; }
    // Runs a window of the game modally on the calling thread (often the game thread), owned by the
    // main window, once the close gate lets one show: on the game thread it waits while a close is
    // asked. False when nothing ran: no main window, or the program is closing (the game thread
    // then finishes its step unseen, as a window opened then would only flash before the close
    // ends it).
    bool runPlayWindow(const std::function<void(MainWindow& owner)>& run);
    GameSound* sound() const { return m_sound; }
    GameState& state() const { return m_state; }

    // The income shown by the income message, set before it is posted.
    int32_t pendingIncome() const { return m_income; }
    // True on the thread of the main window (or with no main window at all).
    bool onWindowThread() const;
    // Posts the request with the wait's id to the window and blocks until it is answered; a request
    // that cannot be posted is answered at once.
    uint32_t postAndWait(HWND target, const std::shared_ptr<UiWait>& wait, UINT message, LPARAM lParam = 0);
    // The tool palette re-reads its enable states from the main window's menu commands.
    void postToolStates();

    bool isVisible() const override;
    void playSound(int slot) override;
    bool isSoundPlaying(int slot) const override;
    void restartChime() override;
    void stopAllSounds() override;
    void requestMusic(int tune, bool loop) override;

    void refresh(MainRefresh what) override;
    void notifyTroopLists(int country) override;
    void restartUnitLists() override;
    void postPanelCommand(int country, int index) override;
    void postPanelHexInfo(int x, int y) override;
    void setPanelValue(uint8_t value) override;
    void reportThinkProgress(int value) override;
    bool postThinkProgress(int value) override;
    void showThinkWindow(int country) override;
    void closeThinkWindow() override;
    void setTitle() override;
    void messageBox(const std::string& text, const std::string& caption) override;
    void bringToFront() override;

    void showIncome(int32_t income) override;
    void endOfGameStep() override;
    void askReplenish(ReplenishOffer& offer) override;
    void askSupplyOrder(SupplyOrder& order) override;
    bool askProductionOrders() override;
    void explainPhase() override;
    void openStartWindows() override;
    void startGameView() override;
    void refreshTerrainWindows(bool last) override;
    bool startCampaignDeployment() override;
    void releasePendingWait() override;
    void afterGame() override;

private:
    static bool post(HWND target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    GameState& m_state;
    std::atomic<HWND> m_main = nullptr;
    std::atomic<HWND> m_map = nullptr;
    std::atomic<HWND> m_panel = nullptr;
    std::atomic<HWND> m_tool = nullptr;
    std::atomic<HWND> m_history = nullptr;
    std::array<std::atomic<HWND>, kInfoWindowSlots> m_infoWindows {};
    std::atomic<HWND> m_think = nullptr;
    std::atomic<HWND> m_autoMove = nullptr;
    std::atomic<HWND> m_troops = nullptr;
    std::atomic<HWND> m_destroyed = nullptr;
    std::atomic<GameSound*> m_sound = nullptr;
    std::atomic<int32_t> m_income = 0;
    // The viewing country the map was last told of.
    std::atomic<int> m_viewer = -1;
};
