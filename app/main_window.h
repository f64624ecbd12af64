// MainWindow: the program's top-level window: menus, the game's commands, the sub-windows and the
// game thread's messages. Its end ends the message loop.
#pragma once

#include "battle/battle_scene_dialog.h"

#include "app/map_view_host.h"
#include "infowin/display_item_dock.h"
#include "infowin/land_table_window.h"
#include "lib/frame_window.h"
#include "state/close_gate.h"
#include "ui/main_window_services.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class UiWait;

class AppMainWindowLink;
class GameSound;
class GameState;
class MapWindow;

// What the menus, the accelerators and the tool palette may offer now.
struct CommandStates {
    bool playing = false;
    bool canInterrupt = false;
    bool canEndGame = false;
    // The game may be stopped for another or for none: as canInterrupt, and besides at any time
    // of a computer's turn, which the stop itself interrupts.
    bool canStop = false;
    // The current country is played by a person (the turn commands need one).
    bool personToMove = false;
    bool actionPhase = false;
};

CommandStates commandStatesOf(GameState& state);

class MainWindow : public swCFrameWindow, public MapViewHost, public BattleHostRegistry {
public:
    static constexpr const char* kClassName = "DERAZODO_MAINWINDOW_CNAME";
    static constexpr const char* kPlacementPrefix = "MainWindow";
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;
    // Timer of the end of play, retried while the window is minimised.
    static constexpr UINT_PTR kEndOfPlayTimer = 1;

    MainWindow(GameState& state, AppMainWindowLink& link);
    ~MainWindow() override;

    // Creates the window at its kept placement, else centred in the work area; false when no
    // window was made.
    bool createCentred();
    // Shows the window for the first time as the program was asked to; a normal show comes up
    // maximised when the window was maximised as the last run ended.
    void showAtStart(int asked);
    // "新規ゲーム" while no game is loaded.
    void setTitle(const char* cp932Title = nullptr);
    // The title of the game now loaded.
    void refreshTitle();

    int OnMessage(MessageRecord& msg) override;
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    // -- the game's commands; the file commands also come without their dialogs --
    CommandStates commandStates() const;
    // Whether the menu command may be chosen now: the menu and the tool palette both ask here.
    bool commandEnabled(UINT id) const;

    // -- the ways out of a game in play (main_window_exit.cpp, main_window_commands.cpp) --
    // Each holds the game (the close gate) from its first question through its dialogs, so that a
    // cancel goes back to the same game where it stood. It then asks the game thread to rest or to
    // stop, and what follows runs from the program's loop once the thread reports that it has:
    // nothing here waits for the game thread. A close of the program at any moment asks at most
    // once, over whatever is open, or ends the program.
    //
    // Asks before a game with play not yet saved is given up, then offers the game selection
    // dialog and newGameFrom.
    void newGame();
    // Reads the map, scenario or campaign and, from the program's loop once the game loaded
    // rests, runs the set-up step (briefing or map settings) on fresh storage; play of the new game
    // starts once the game loaded before has stopped. False when the file is refused (with a
    // message) or a way out is under way. A person who goes back from the set-up finds the game
    // loaded before going on as it was.
    bool newGameFrom(const std::string& path);
    // The set-up step between reading a map and playing it; true starts play. Unset, the briefing
    // and map settings dialogs run.
    using GameSetUp = std::function<bool(swCWindow* owner)>;
    void setGameSetUp(GameSetUp setUp) { m_gameSetUp = std::move(setUp); }
    // Asks as newGame does, then offers the saves and resumeGameFrom.
    void resumeGame();
    // Loads the save on fresh storage from the program's loop once the game loaded rests, and
    // starts its play once that game has stopped; a refused save leaves the game loaded before as
    // it was (false when refused at once, or a way out is under way).
    bool resumeGameFrom(const std::string& path);
    // True when no game with play not yet saved is loaded, else when the person agrees to give it
    // up. With a question it is always asked, the warning put before it when play would be lost.
    bool confirmDiscard(const char* questionUtf8 = nullptr);
    void saveGameAs();
    bool saveGameTo(const std::string& path);
    // Asks, then ends the game under way.
    void endGame();
    // Asks play to stop; its end follows once the game thread reports it.
    void stopPlay();
    // Ends play and, once it has ended, leaves no game loaded, as before the first one.
    void closeGame();
    // A close of the program (WM_CLOSE, 終了, the desktop, a signal). The windows with unsaved work
    // ask their own questions, then, with turns unsaved, the person is asked; the game stands still
    // meanwhile and the windows stay as they are. Yes, or nobody there to answer, ends the program.
    void closeProgram();
    // Ends the program without asking: play is asked to stop, every nested loop unwinds, and the
    // window goes from the program's loop once the game thread has ended.
    void quit();
    // A way out is under way: its questions, its dialogs or its wait for the game thread.
    bool leavingGame() const;
    // What a way out waits for before its next step: the game thread's rest or its end.
    enum class ExitWait : uint8_t { None, Rest, Stop };
    // Safe from any thread.
    ExitWait exitWait() const { return m_exitWait.load(); }
    void endActionPhase();
    void endTurn();
    void surrender();
    void changePlayers();
    void delegateTurn();
    // The thinking window's stop while the turn is delegated; a fight under way answers it at its end.
    void cancelDelegation();
    // Asks, then ends the program to start it again in the other mode.
    void switchMode();
    void setZoom(int zoom);
    // The environment settings window; its changes reach the sounds and the layout at once.
    void openEnvironment();
    // The weapon list: made, or raised when open; closed on its own request.
    void openWeaponList();
    void closeWeaponList();
    HWND weaponList() const { return m_weaponList; }

    // -- weapon information, terrain windows and history (main_window_terrain_windows.cpp) --
    // Raises the window showing the unit type, else opens one under the smallest free key while
    // fewer than two are open.
    void openWeaponInfo(int typeId);
    void closeWeaponInfo(int key);
    void setWeaponInfoShown(int key, int typeId);
    // The weapon information window of the key, or null.
    HWND weaponInfoWindow(int key) const;
    int weaponInfoCount() const;
    // The terrain list with its display-item window hidden; raised when open.
    void openTerrainList();
    void closeTerrainList();
    void toggleLandListOption();
    void openLandTable(LandTable table);
    void closeLandTable(LandTable table);
    // The history with its display-item window ("ShowActionHistory" 1); raised when open.
    void openActionHistory();
    void closeActionHistory();
    void toggleHistoryOption();
    bool isDisplayItemWindowVisible(DisplayItemList list) const;
    void dockDisplayItemWindow(DisplayItemList list);
    // The windows while they are open, else null.
    HWND terrainList() const { return m_landDock.list(); }
    HWND landListOption() const { return m_landDock.options(); }
    HWND landTable(LandTable table) const;
    HWND actionHistory() const { return m_historyDock.list(); }
    HWND historyOption() const { return m_historyDock.options(); }

    // -- the troop windows (main_window_troop_windows.cpp) --
    // The troop list with its display-item window ("ShowTroopList" 1), raised when open; closed
    // together ("ShowTroopList" 0).
    void openTroopList();
    void closeTroopList();
    void toggleTroopListOption();
    void openDestroyedList();
    void closeDestroyedList();
    // The troop information of the unit the panel shows.
    void openTroopInfo();
    // The campaign deployment the game thread waits for; closing with done answers its wait.
    void openTroopDeployWindow();
    void closeTroopDeployWindow(bool done);
    void showUnitOnMap(int country, int index);
    void refreshPanelUnit();
    // kTroopListRefresh to the troop list and the destroyed-units list.
    void refreshTroopLists();
    void markPlacementHexes(int entry);
    void refreshDeployWindow(uint8_t flag);
    HWND troopList() const;
    HWND troopListOption() const;
    HWND destroyedList() const;
    HWND deployWindow() const;

    // -- the editors' windows --
    // The modal rule list of the production-type menu.
    void openRuleList();
    // The modal production-type list in mode 0 (edit), 1 (import) or 2 (export).
    void openProductList(int mode);
    // Simple mode reads no user production types; a table written from it would replace the
    // stored ones with empty slots.
    bool productTypesEditable() const;
    // The rule information command: with the developer switch on and Shift held, the rule dialog
    // in set mode on the game's rules; else the rule window opened or closed.
    void showRuleInfo();
    void openRuleInfo();
    void closeRuleInfo();
    // The modeless victory conditions of the game, read-only.
    void openVictoryConditions();
    // The map's briefing, read again during play.
    void showOrders();
    void closeVictoryConditions();
    // The modeless windows while they are open, else null.
    HWND ruleWindow() const;
    HWND victoryWindow() const;

    // -- the countries' windows --
    // The country window (its "ShowCountryInfo" setting), the condition window and the battle
    // results; the menu opens a closed one and closes an open one.
    void toggleInfoWindow(unsigned menuId);
    void openCountryInfo();
    void closeCountryInfo();
    void openConditionInfo();
    void closeConditionInfo();
    void openResults();
    void closeResults();
    // The window while it is open, else null.
    HWND countryInfoWindow() const;
    HWND conditionInfoWindow() const;
    HWND resultsWindow() const;
    // The windows that close a finished game, one after the other, before play ends.
    void runEndOfPlayWindows();
    // -- the play windows (main_window_play_windows.cpp) --
    // The thinking window over the computer's turn of that country; a second open replaces it.
    void openThinkWindow(int country);
    void closeThinkWindow();
    // The thinking window's stop button is ignored while a file dialog is open over it.
    void setThinkWindowActive(bool on);
    void toggleAutoMoveWindow();

    // MapViewHost
    void unitSelected(int side, int index, uint32_t commandMask) override;
    void hexShown(int x, int y) override;
    void viewChanged() override;

    GameState& state() const { return m_state; }
    HMENU menu() const { return m_menu; }
    // The sub-windows while they live; null when one could not be made.
    MapWindow* mapWindow() const;
    HWND commandPalette() const { return m_commandPalette; }
    GameSound* sound() const { return m_sound.get(); }

    // The battle host dialog that the scene's hand-back closes; null for none.
    void registerBattleHost(HWND host) override { m_battleHost = host; }

private:
    // -- the ways out (main_window_exit.cpp) --
    // One hold of the game by a way out, given back when it goes unless kept for what follows.
    class GameHold {
    public:
        explicit GameHold(MainWindow& window) : m_window(window) { m_window.holdGame(); }
        ~GameHold()
        {
            if (!m_kept)
                m_window.releaseGame();
        }
        GameHold(const GameHold&) = delete;
        GameHold& operator=(const GameHold&) = delete;
        void keep() { m_kept = true; }

    private:
        MainWindow& m_window;
        bool m_kept = false;
    };
    void holdGame();
    // Gives back one hold; the last one lets the game go on, with the requests it made meanwhile.
    void releaseGame();
    // The close's questions, over every window of the game already up; yes quits.
    void askBeforeClose();
    // Every window of this thread with unsaved work asks its own question; false when one says no.
    bool windowsMayClose();
    // A request of the game thread that would open a window: kept while the game is held, dropped
    // while the program closes; true when so.
    bool holdWhileGameHeld(const MessageRecord& msg);
    // Asks the game thread to stop and ends its windows' loops; what it asked for is dropped.
    void requestStop();
    // What follows once the awaited state is reached.
    void awaitRest(std::function<void()> next);
    void awaitStop(std::function<void()> next);
    // Has the next step looked at from the program's own loop (posted; a nested loop hands it on
    // once the last of them has ended): never from the code that asked, a dialog's return or
    // another step.
    void continueExit();
    // From the program's loop: runs the step when its awaited state is reached, else leaves it for
    // the game thread's report. Nothing of the window is touched after the step.
    void runExitStep();
    void onPlayReport(PlayReport report);
    // Holds the game, then, from the program's loop once the game loaded rests, runs start on
    // fresh storage with that game set aside. When start fails the game comes back and goes on
    // where it stood, after failed. Else its play is asked to stop and, once it has, the new game
    // takes its place and started runs.
    void replaceGame(std::function<bool()> start, std::function<void()> started, std::function<void()> failed);
    // A way out's own question (confirmDiscard's): a close while it is open takes it away as by its
    // no and asks in its place.
    bool wayOutConfirmed(const char* questionUtf8 = nullptr);
    // Has the way out's question answer no; false when it is not up.
    bool endWayOutQuestion();
    // Posts the game thread a quit that unwinds its windows' loops (notices, the simplified battle
    // window, the weapon choice). False while it has no queue, when it has no window either.
    bool endPlayThreadWindows();
    // The scene has ended (or could not start): the waiter and the host are released.
    void battleFinished();
    // The game thread's messages; true when the message was one of them.
    bool onGameMessage(MessageRecord& msg);
    // The editors' close requests and the windows opened at the start of play.
    bool onEditorMessage(MessageRecord& msg);
    void refreshRuleWindow();
    // The thinking and auto-move windows' requests and the game-end window's jingle.
    bool onPlayWindowMessage(MessageRecord& msg);
    void closePlayWindows();
    // The computer player's sequencer polls the left button while this window lives.
    void watchThinkClicks(bool on);
    // Greys what may not be chosen now, and tells the tool palette the same.
    void updateMenuStates();
    void layoutChildren();
    void keepChildrenReachable(MINMAXINFO& info) const;
    void createChildren();
    void onDestroy();
    // The end of a game that finished by itself, once the main window is not minimised.
    void onEndOfPlayTimer();
    // The kind of the game now loaded: 0 map, 1 campaign, 2 scenario.
    int gameKind() const;
    // With Panel::Keep the control panel goes on showing what it showed.
    enum class Panel { Restart, Keep };
    void refreshAfterChange(Panel panel = Panel::Restart);
    // The open information windows rebuild what they show (their refresh message).
    void refreshInfoWindows();
    // The information windows' messages; true when the message was one of them.
    bool onInfoWindowMessage(MessageRecord& msg);
    bool onTerrainWindowMessage(MessageRecord& msg);
    // The terrain list and the weapon information windows read the rules and the data again.
    void refreshTerrainWindows();
    bool onCountryWindowMessage(MessageRecord& msg);
    void openInfoWindow(int slot);
    void closeInfoWindow(int slot);
    HWND infoWindow(int slot) const;
    // The windows marked open at the start of play.
    void openStartInfoWindows();
    void refreshCountryWindows();
    bool onTroopWindowMessage(MessageRecord& msg);
    // The troop windows marked open at the start of play, and the refresh they take then.
    void openStartTroopWindows();
    void installKeyboardHook();
    void removeKeyboardHook();
    static LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam);

    GameState& m_state;
    AppMainWindowLink& m_link;
    HMENU m_menu = nullptr;
    HWND m_commandPalette = nullptr;
    HWND m_weaponList = nullptr;
    std::unique_ptr<GameSound> m_sound;
    HHOOK m_keyboardHook = nullptr;
    std::string m_titleText;
    // The map, scenario or campaign file of the game now loaded.
    std::string m_gamePath;
    // The show command the kept placement holds; 0 when none was kept.
    int m_keptShow = 0;
    bool m_endOfPlayPending = false;
    HWND m_battleHost = nullptr;
    // The game thread's wait for a scene started by its request.
    std::shared_ptr<UiWait> m_battleWait;
    // The ways out: this window's holds of the game, what is awaited and what follows.
    int m_gameHolds = 0;
    std::atomic<ExitWait> m_exitWait = ExitWait::None;
    std::function<void()> m_afterExitWait;
    // Play was running when its stop was asked: its end is still to be carried out.
    bool m_playEnding = false;
    // The program ends: nothing of a game is loaded or started any more.
    bool m_programEnding = false;
    // The close's questions are open, or due once the game's windows on their way are up.
    bool m_closeAsking = false;
    bool m_closeQuestionDue = false;
    // The game thread's requests kept while the game is held.
    std::vector<MSG> m_heldRequests;
    // The game loaded, while replaceGame keeps it aside: the end of its play waits with it, and a
    // close asks about it, as it comes back when the set-up is cancelled.
    std::shared_ptr<GameState> m_asideGame;
    // The person agreed to give up the game loaded, which no longer comes back: no question asks
    // about it again.
    bool m_gameGivenUp = false;
    // A way out's own question is open.
    bool m_wayOutAsking = false;
    // The modeless editors' windows; each deletes its object with its window, so only the handles
    // are kept and checked before use.
    HWND m_ruleWindow = nullptr;
    HWND m_victoryWindow = nullptr;
    struct WeaponInfoEntry {
        HWND window;
        int key;
        int typeId;
        HWND openedFrom; // the window active when it opened, which has the keyboard back after it
    };
    std::vector<WeaponInfoEntry> m_weaponInfos;
    HWND m_landTables[3] = {};
    DisplayItemDock m_landDock;
    DisplayItemDock m_historyDock;
    // The country, condition and battle results windows, by InfoWindowSlot.
    std::array<HWND, 3> m_infoWindows {};
    GameSetUp m_gameSetUp;
    // The troop list and its display-item window, docked beside it.
    DisplayItemDock m_troopDock;
    HWND m_destroyedList = nullptr;
    HWND m_deployWindow = nullptr;
};
