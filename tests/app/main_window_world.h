// A main window over a started game state in a temporary program folder holding the master data,
// the pictures and the sample maps, with the rules engine's links installed as the program has them.
#pragma once

#include "ai/computer_players.h"
#include "app/app_battle_link.h"
#include "app/app_dialog_link.h"
#include "app/app_window_services.h"
#include "app/command_palette.h"
#include "app/hex_geometry.h"
#include "app/game_state_services.h"
#include "app/main_window.h"
#include "app/main_window_rules_link.h"
#include "battle/battle_unit_data.h"
#include "dialogs/game_end_window.h"
#include "app/map_window.h"
#include "app/map_window_link.h"
#include "lib/application.h"
#include "platform/desktop/harness.h"
#include "rules/game_thread.h"
#include "rules/links.h"
#include "rules/play.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "tests/dialogs/popup_driver.h"
#include "tests/lib/window_test_support.h"
#include "tests/state/state_test_support.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>

namespace main_window_test {

class World {
public:
    // With the battle scene's files the main window sets the scene up; without them engagements
    // end at once.
    enum class Scene { Off, On };
    // damage changes the program folder's files before the game starts up.
    explicit World(Scene scene = Scene::Off, const std::function<void(const testing_state::DataFolder&)>& damage = {})
        : m_programServices(scene == Scene::On)
    {
        namespace fs = std::filesystem;
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        for (const char* folder : { "tkbmp", "tkmap", "tkunit" })
            fs::copy(fs::path(DERAZODO_PROGRAM_DIR) / folder, m_data.host(folder), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        if (scene == Scene::On) {
            fs::create_directory_symlink(fs::path(DERAZODO_PROGRAM_DIR) / "tklc", m_data.host("tklc"));
        }
        fs::create_directories(m_data.host("save"));
        makeNamedValue("SimpleMode").profileWriteInt(0);
        platform::harness::clearMessageBoxes();
        platform::harness::setDefaultMessageBoxAnswer(0);
        if (damage)
            damage(m_data);
        installComputerPlayer();
        m_game = std::make_unique<OwnedGameState>();
        m_game->startUp();
        if (scene == Scene::On)
            loadBattleUnitData(state(), false);
        m_link = std::make_unique<AppMainWindowLink>(state());
        m_dialogs = std::make_unique<AppDialogLink>(*m_link);
        m_battle = std::make_unique<AppBattleLink>(*m_link);
        setRulesLinks({ m_link.get(), &appMapWindowLink(), m_dialogs.get(), m_battle.get() });
        m_services = std::make_unique<AppWindowServices>(*m_link);
        setMainWindowServices(m_services.get());
        m_window = new MainWindow(state(), *m_link);
        // A chosen map starts at once; the tests of the set-up dialogs put the real step back.
        m_window->setGameSetUp([](swCWindow*) { return true; });
        EXPECT_TRUE(m_window->createCentred());
        m_handle = m_window->handle();
        ShowWindow(m_handle, SW_SHOWNORMAL);
        pump();
    }
    ~World()
    {
        m_dismisser.reset();
        // The window goes as the program's quit ends it: once play has stopped.
        if (IsWindow(m_handle))
            quit();
        if (IsWindow(m_handle))
            DestroyWindow(m_handle);
        pump();
        s_beforeCounting = nullptr;
        // The window's end posts WM_QUIT for the program's loop; a test has none.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) { }
        setMainWindowServices(nullptr);
        setRulesLinks({});
        platform::harness::setDefaultMessageBoxAnswer(0);
    }
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    GameState& state() { return m_game->state(); }
    // Valid while its window is open: the window deletes itself when it goes.
    MainWindow& window() { return *m_window; }
    HWND handle() const { return m_handle; }
    AppMainWindowLink& link() { return *m_link; }
    AppDialogLink& dialogs() { return *m_dialogs; }
    AppBattleLink& battle() { return *m_battle; }
    std::string gamePath(const std::string& name) const { return platform::gamePathFromHost(m_data.host(name)); }
    const testing_state::DataFolder& folder() const { return m_data; }
    // From now on a person answers every play popup of the main window (income, phase help,
    // replenishment, notices, results) as soon as it shows.
    popup_test::PopupDismisser& dismissPopups()
    {
        if (!m_dismisser)
            m_dismisser = std::make_unique<popup_test::PopupDismisser>(m_handle);
        return *m_dismisser;
    }

    // From now on counts the game-end windows shown, by the start each posts to the main window:
    // on a running test clock one closes on its own timer before a person could click it.
    const std::atomic<int>& countGameEnds()
    {
        if (!s_beforeCounting) {
            s_gameEnds = 0;
            s_beforeCounting = WNDPROC(SetWindowLongPtrA(m_handle, GWLP_WNDPROC, LONG_PTR(&countingGameEnds)));
        }
        return s_gameEnds;
    }

    // Handles this thread's messages until nothing is left.
    static void pump() { testing_lib::pump(); }
    // A menu command sent to the main window, or a message posted to it; then its messages handled.
    void command(UINT id)
    {
        SendMessageA(m_handle, WM_COMMAND, id, 0);
        pump();
    }
    void post(UINT message, WPARAM wParam = 0)
    {
        PostMessageA(m_handle, message, wParam, 0);
        pump();
    }

    // Handles messages until the condition holds; false after the time-out. Between messages the
    // thread waits for the next one rather than polling, so that a running test clock sees it idle.
    static bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        auto end = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            testing_lib::pumpQueued();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        pump();
        return true;
    }

    // The way out under way has gone as far as it goes without a person: play of the new game
    // started, the game ended, or the window gone.
    bool settle()
    {
        return pumpUntil([&] { return !IsWindow(m_handle) || !m_window->leavingGame(); });
    }
    // The program's quit, until the window has gone.
    bool quit()
    {
        m_window->quit();
        return pumpUntil([&] { return !IsWindow(m_handle); });
    }

    // Runs the call on a thread of its own, as the game thread would, while this thread handles
    // the main window's messages. False when the call had not returned after the time-out (play is
    // then stopped, which releases it).
    bool onGameThread(const std::function<void()>& call)
    {
        std::atomic<bool> done = false;
        std::thread thread([&] {
            call();
            done = true;
        });
        bool returned = pumpUntil([&] { return done.load(); }, std::chrono::seconds(10));
        if (!returned)
            state().handshake().requestStopPlay();
        thread.join();
        return returned;
    }

    // A person's click on the hex's centre, the map scrolled to show it first.
    void clickHex(int x, int y)
    {
        MapWindow* view = m_window->mapWindow();
        view->ensureVisible(x, y);
        pump();
        const HexGeometry geometry(view->zoom(), state().mapWidth(), state().mapHeight());
        const POINT centre = geometry.hexCentre(x, y);
        const POINT origin = view->viewOrigin();
        POINT at { centre.x - origin.x, centre.y - origin.y };
        ClientToScreen(view->handle(), &at);
        platform::harness::click(at.x, at.y);
        pump();
    }
    CommandPalette& palette() { return *dynamic_cast<CommandPalette*>(windowFromHandle(m_window->commandPalette())); }
    // The unit the palette offers commands for: (side, index), or (-1, -1).
    std::pair<int, int> paletteUnit()
    {
        const int32_t unit = palette().shownUnit();
        return unit < 0 ? std::pair { -1, -1 } : std::pair { int(unit & 0xFFFF), int(unit >> 16) };
    }
    // A click on the palette's button of the command.
    void pressCommand(int code)
    {
        testing_lib::clickCentre(palette().commandButton(code));
        pump();
    }

    // The game thread waits for the person's answer in that phase of country 0.
    bool waitForPersonIn(int phase)
    {
        return pumpUntil([&] {
            const TurnBlock& turn = state().turnBlock();
            return state().handshake().waitingForAnswer() && turn.currentCountry == 0 && turn.phase == phase;
        });
    }
    // The continent with every country played by the computer, play started and its popups
    // answered; false when the map did not load.
    bool startComputersGame()
    {
        dismissPopups();
        if (!state().loadMapFile(gamePath("tkmap/continent.vtm").c_str()))
            return false;
        for (int c = 0; c < kCountryCount; ++c)
            if (state().country(c).controller != 0)
                state().country(c).controller = 2;
        startPlay(state());
        return true;
    }
    // A new game of the map, waiting for the person's first action phase.
    bool startGame(const std::string& map = "tkmap/training.vtm")
    {
        return m_window->newGameFrom(gamePath(map)) && settle() && waitForPersonIn(kPhaseAction);
    }

private:
    static LRESULT CALLBACK countingGameEnds(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        s_gameEnds += message == ui_message::kGameEndShown;
        return CallWindowProcA(s_beforeCounting, window, message, wParam, lParam);
    }
    static inline WNDPROC s_beforeCounting = nullptr;
    static inline std::atomic<int> s_gameEnds { 0 };

    // With the scene the program's services make the battle unit table and the unit icon sheet;
    // they stay until the game state has gone.
    struct ProgramServices {
        explicit ProgramServices(bool on)
            : on(on)
            , previous(gameStateServices())
            , previousLook(presentationServices())
        {
            if (on)
                installAppGameStateServices(&appGameStateServices());
        }
        ~ProgramServices()
        {
            if (on) {
                setGameStateServices(previous);
                setPresentationServices(previousLook);
            }
        }
        bool on;
        GameStateServices* previous;
        PresentationServices* previousLook;
    };

    testing_state::DataFolder m_data;
    ProgramServices m_programServices;
    std::unique_ptr<OwnedGameState> m_game;
    std::unique_ptr<AppMainWindowLink> m_link;
    std::unique_ptr<AppDialogLink> m_dialogs;
    std::unique_ptr<AppBattleLink> m_battle;
    std::unique_ptr<AppWindowServices> m_services;
    MainWindow* m_window = nullptr;
    HWND m_handle = nullptr;
    std::unique_ptr<popup_test::PopupDismisser> m_dismisser;
};

// Accepts the set-up windows a campaign's next map shows on the game thread (its briefing, else
// the map settings list with OK only) while it lives, so that tests of later stages go on.
class SetUpAcceptor {
public:
    SetUpAcceptor()
        : m_thread([this] {
            const std::string list = platform::utf8ToCp932("マップ設定一覧");
            const std::string briefing = platform::utf8ToCp932("ブリーフィング");
            while (!m_stop) {
                HWND shown = FindWindowA(nullptr, list.c_str());
                if (shown && IsWindowVisible(shown)) {
                    PostMessageA(shown, WM_COMMAND, kListOk, 0);
                    ++m_accepted;
                } else if ((shown = FindWindowA(nullptr, briefing.c_str())) && IsWindowVisible(shown)) {
                    PostMessageA(shown, WM_COMMAND, IDOK, 0);
                    ++m_accepted;
                } else {
                    shown = nullptr;
                }
                for (int i = 0; shown && i < 200 && IsWindow(shown); ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        })
    {
    }
    ~SetUpAcceptor()
    {
        m_stop = true;
        m_thread.join();
    }
    int accepted() const { return m_accepted; }

private:
    // The list's OK button.
    static constexpr WPARAM kListOk = 1314;
    std::atomic<bool> m_stop { false };
    std::atomic<int> m_accepted { 0 };
    std::thread m_thread;
};

} // namespace main_window_test
