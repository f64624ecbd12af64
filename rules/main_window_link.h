// MainWindowLink: what the rules engine asks of the main window, its sub-windows and its sounds.
#pragma once

#include <cstdint>
#include <string>

struct SupplyOrder;

// The sub-window refreshes; each posts and returns, and does nothing when its window is closed.
enum class MainRefresh {
    AfterAction,
    AfterProduction,
    SideInfo,
    ConditionInfo,
    Results,
    TroopLists,
    ActionHistory,
    AutoMoveWindow,
    Panel,
    PanelUnit,
    PanelHex,
    ThinkWindow,
    GameView,
};

// The replenish/repair offer put to a person; the window fills in the two accept bytes.
struct ReplenishOffer {
    uint32_t country = 0;
    uint32_t unitIndex = 0;
    int32_t counters = 0;
    int32_t repair = 0;
    uint8_t free = 0;
    uint8_t acceptReplenish = 0;
    uint8_t acceptRepair = 0;
};

// Implemented by app/'s main window; callable from the user-interface and the game thread.
// The asking calls block the game thread until the person has answered.
class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    virtual bool isVisible() const = 0;

    // Effect slots: 2 + move sound, 13 explosion, 14 area blast, 16 chime, 18 money alarm, 19/20 levels.
    virtual void playSound(int slot) = 0;
    virtual bool isSoundPlaying(int slot) const = 0;
    virtual void restartChime() = 0;
    virtual void stopAllSounds() = 0;
    // Tune 1..8 is the anthem of country tune - 1.
    virtual void requestMusic(int tune, bool loop) = 0;

    virtual void refresh(MainRefresh what) = 0;
    // Country -1 tells the lists about every country.
    virtual void notifyTroopLists(int country) = 0;
    // Start of play: the unit lists the windows keep go back to their first orders.
    virtual void restartUnitLists() = 0;
    virtual void postPanelCommand(int country, int index) = 0;
    virtual void postPanelHexInfo(int x, int y) = 0;
    virtual void setPanelValue(uint8_t value) = 0;
    virtual void reportThinkProgress(int value) = 0;
    // Posts the value to the thinking window, which then releases the state's pending UI wait
    // (Handshake::releaseUiWait). False when nothing was posted and nobody will release it.
    virtual bool postThinkProgress(int value) = 0;
    // The thinking window over a computer's turn (or a person's delegated one): opened when the
    // turn begins, closed when it ends.
    virtual void showThinkWindow(int country) = 0;
    virtual void closeThinkWindow() = 0;
    virtual void setTitle() = 0;
    // A modal OK box owned by the main window; text and caption are CP932.
    virtual void messageBox(const std::string& text, const std::string& caption) = 0;
    // Raises the main window after a dialog of the game thread has closed.
    virtual void bringToFront() = 0;

    // Game-thread requests that the main window carries out on its own thread. Each blocks in a
    // wait of GameState::handshake() (openWait with its UiWaitKind), so that the end of play
    // releases it.
    virtual void showIncome(int32_t income) = 0;
    virtual void endOfGameStep() = 0;
    virtual void askReplenish(ReplenishOffer& offer) = 0;
    virtual void askSupplyOrder(SupplyOrder& order) = 0;
    // "部隊の生産指示を行いますか？"; true for yes.
    virtual bool askProductionOrders() = 0;
    virtual void explainPhase() = 0;
    virtual void openStartWindows() = 0;
    // Starts the view of a game run (sounds stopped, map window and panel re-initialised) and
    // returns once the map window has finished (a UiWaitKind::MapRedraw wait).
    virtual void startGameView() = 0;
    // The terrain list and weapon-information windows; last marks the game thread's final message.
    virtual void refreshTerrainWindows(bool last) = 0;
    // Opens the campaign deployment of the person's country, which answers the state's deployment
    // wait (Handshake::signalDeploymentResult). False when nothing was opened.
    virtual bool startCampaignDeployment() = 0;
    // Has the main window release the game thread's pending wait (Handshake::releaseUiWait).
    virtual void releasePendingWait() = 0;
    virtual void afterGame() = 0;
};
