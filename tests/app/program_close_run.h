// The close-from-every-state tests' run: the program started on a test folder, a state opened inside
// its loop, and the close sent once the state's window shows, by the desktop's close button, the
// main window's own close box or a signal.
#pragma once

#include "app/main_window.h"
#include "app/menu_ids.h"
#include "app/run_application.h"
#include "dialogs/game_select_ids.h"
#include "lib/application.h"
#include "lib/profile.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"
#include "platform/user/program_close.h"
#include "state/action_history.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "state/map_file.h"
#include "tests/app/app_test_support.h"
#include "tests/state/state_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include <thread>
#include <unistd.h>

namespace program_close_test {

namespace harness = platform::harness;

using testing_app::cp;

inline MainWindow* mainWindow() { return dynamic_cast<MainWindow*>(theApplication().mainWindow()); }

inline void command(UINT id) { PostMessageA(theApplication().mainWindowHandle(), WM_COMMAND, id, 0); }

inline void endTurn()
{
    command(menu_id::kEndActionPhase);
    command(menu_id::kEndTurn);
}

// What the person opens before closing, started inside the program's loop, and the window that
// shows it.
struct ModalState {
    const char* name;
    std::function<HWND()> shown;
    std::function<void()> open;
    bool realBoxes = false; // message boxes shown and left open, not answered by the policy
    std::function<void()> nudge = [] {}; // repeated until the window shows
    std::function<void()> prepare = [] {}; // before the run
    // The window stands at its first frame (the clock held) until no lets it go on.
    bool held = false;
    // The game thread is busy in a step of its own (its window's loop) rather than resting.
    bool busy = false;
    // After no, what the person does so that play goes on.
    std::function<void(HWND shown)> goOn = [](HWND) {};
};

inline std::function<void()> g_open;

inline void CALLBACK openState(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (g_open)
        g_open();
}

// A shown top-level window other than the main window (which may carry the same title).
inline HWND shownWindowMatching(const std::function<bool(HWND, const std::string& title, const std::string& className)>& match)
{
    struct Search {
        decltype(match) test;
        HWND found = nullptr;
    } search { match };
    EnumWindows([](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char text[128] = {}, name[64] = {};
        GetWindowTextA(window, text, sizeof text);
        GetClassNameA(window, name, sizeof name);
        if (!IsWindowVisible(window) || std::string(name) == MainWindow::kClassName || !s->test(window, text, name))
            return TRUE;
        s->found = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::function<HWND()> titled(const char* utf8)
{
    return [title = cp(utf8)] {
        return shownWindowMatching([&](HWND, const std::string& text, const std::string&) { return text == title; });
    };
}

inline std::function<HWND()> ofClass(const char* name)
{
    return [name] {
        return shownWindowMatching([&](HWND, const std::string&, const std::string& className) { return className == name; });
    };
}

// Works the file dialog titled so when one shows: the path into its name box, then OK.
inline bool answerFileDialog(const char* utf8Title, const std::string& path)
{
    HWND dialog = titled(utf8Title)();
    if (!dialog)
        return false;
    SetDlgItemTextA(dialog, edt1, path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
}

// Presses the button of the window titled so once it shows the button enabled; true when pressed.
inline bool pressButton(const char* utf8Title, int id)
{
    HWND window = titled(utf8Title)();
    HWND button = window ? GetDlgItem(window, id) : nullptr;
    if (!button || !IsWindowEnabled(button))
        return false;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(button));
    return true;
}

inline void clickAt(HWND window, int id = 0)
{
    RECT r {};
    GetWindowRect(id ? GetDlgItem(window, id) : window, &r);
    harness::click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Starts the first map, or the first save listed under the maps', of the open game selection.
inline bool chooseFirstGame()
{
    HWND dialog = titled("新規ゲーム")();
    HWND saves = nullptr;
    if (!dialog && (dialog = titled("ゲーム再開")())) {
        clickAt(dialog, game_select_id::kCategoryMap);
        harness::waitIdle();
        saves = GetDlgItem(dialog, game_select_id::kSaveList);
    }
    if (!dialog)
        return false;
    if (saves) {
        RECT row {};
        SendMessageA(saves, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        POINT at { (row.left + row.right) / 2, (row.top + row.bottom) / 2 };
        ClientToScreen(saves, &at);
        harness::click(at.x, at.y);
    } else {
        clickAt(dialog, game_select_id::kFirstEntry);
    }
    harness::waitIdle();
    if (!IsWindowEnabled(GetDlgItem(dialog, game_select_id::kStart)))
        return false;
    PostMessageA(dialog, WM_COMMAND, game_select_id::kStart, 0);
    return true;
}

// The set-up of a new game: the map settings list, or a scenario's briefing.
inline HWND setUpDialog()
{
    HWND list = titled("マップ設定一覧")();
    return list ? list : titled("ブリーフィング")();
}

// Calls `then` from the program's loop once `ready` answers true there, with the main window up.
inline void whenProgram(std::function<bool()> ready, std::function<void()> then)
{
    static std::map<UINT_PTR, std::pair<std::function<bool()>, std::function<void()>>> s_waiting;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR timer, DWORD) {
        auto it = s_waiting.find(timer);
        if (it == s_waiting.end() || !mainWindow() || !it->second.first())
            return;
        KillTimer(nullptr, timer);
        auto then = std::move(it->second.second);
        s_waiting.erase(it);
        then();
    });
    s_waiting[timer] = { std::move(ready), std::move(then) };
}

// Calls `then` from the program's loop once a game's person's turn waits with no way out under way.
inline void whenPersonWaits(std::function<void()> then)
{
    whenProgram([] { return !mainWindow()->leavingGame() && mainWindow()->state().handshake().waitingForAnswer(); },
        std::move(then));
}
// A question box, such as the one about unsaved turns, when one shows.
inline HWND question() { return titled("確認")(); }

// Alt+F4 is pressed in the state's window, which has the keyboard.
enum class CloseBy { Desktop, CloseBox, Signal, AltF4 };

inline const char* closeByText(CloseBy by)
{
    const char* names[] = { "DesktopCloseButton", "MainWindowCloseBox", "Sigterm", "AltF4" };
    return names[int(by)];
}

inline std::string closeByName(const ::testing::TestParamInfo<CloseBy>& info) { return closeByText(info.param); }

// Where the game stands: the turn, phase and side, the steps of the computer's turn, the history's
// length and where every unit stands. Empty without a game.
inline std::vector<uint32_t> gamePosition()
{
    MainWindow* window = mainWindow();
    if (!window)
        return {};
    GameState& state = window->state();
    const TurnBlock& turn = state.turnBlock();
    std::vector<uint32_t> position { turn.turn, turn.phase, turn.currentCountry, state.turnProgress().done,
        state.historyLog().count() };
    for (int side = 0; side <= kCountryCount; ++side)
        for (uint32_t i = 0; i < state.unitCount(side); ++i)
            if (const UnitRecord* unit = state.unitOf(side, int(i)))
                position.push_back(uint32_t(unit->x) << 16 | unit->y);
    return position;
}

// The shown top-level windows of some size.
inline std::vector<HWND> shownWindows()
{
    std::vector<HWND> found;
    EnumWindows([](HWND window, LPARAM list) -> BOOL {
        RECT r {};
        if (IsWindowVisible(window) && GetWindowRect(window, &r) && r.right > r.left && r.bottom > r.top)
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The first shown window not among those, named; empty when none.
inline std::string newWindow(const std::vector<HWND>& before)
{
    for (HWND window : shownWindows())
        if (std::find(before.begin(), before.end(), window) == before.end()) {
            char text[128] = {}, name[64] = {};
            GetWindowTextA(window, text, sizeof text);
            GetClassNameA(window, name, sizeof name);
            return platform::cp932ToUtf8(text) + " (" + name + ")";
        }
    return {};
}

// The question about unsaved turns begins so.
inline std::string unsavedQuestion() { return cp("このゲームには保存していないターンがあります。"); }

// Waits half a minute for the run to end; a run that does not is a failure that ends the test.
inline void awaitEnd(const std::atomic<bool>& ended, const std::string& name)
{
    for (int i = 0; i < 3000 && !ended; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!ended) {
        ADD_FAILURE() << name << ": the program did not end after the close";
        std::abort();
    }
}

inline std::string titleOf(HWND window)
{
    char text[128] = {}, name[64] = {};
    GetWindowTextA(window, text, sizeof text);
    GetClassNameA(window, name, sizeof name);
    return platform::cp932ToUtf8(text) + " (" + name + ")";
}

// A window of the state that shows after the close only to be ended by it at once lives too briefly
// for the closer's look every 10 ms; it still shows when its loop takes the close's WM_QUIT.
struct QuitWatch {
    const ModalState* state = nullptr;
    HWND first = nullptr;
    HHOOK hook = nullptr;
    std::atomic<bool> shownAgain { false };
};

inline std::atomic<QuitWatch*> g_quitWatch { nullptr };

inline LRESULT CALLBACK watchQuit(int code, WPARAM wParam, LPARAM lParam)
{
    QuitWatch* watch = g_quitWatch;
    if (!watch)
        return 0;
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (HWND now = msg && msg->message == WM_QUIT ? watch->state->shown() : nullptr; now && now != watch->first)
        watch->shownAgain = true;
    return CallNextHookEx(watch->hook, code, wParam, lParam);
}

// The screen as the close finds it, into the folder DERAZODO_SHOTS names.
inline void keepShot(std::string name)
{
    const char* folder = std::getenv("DERAZODO_SHOTS");
    if (!folder || !*folder)
        return;
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    harness::writePng(harness::readScreen(), std::string(folder) + "/close_" + name + ".png");
}

// The close box at the right end of the main window's caption.
inline void clickMainCloseBox()
{
    RECT r {};
    GetWindowRect(theApplication().mainWindowHandle(), &r);
    harness::click(r.right - GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXSIZE) / 2 - 1,
        r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2);
}

class ProgramCloseRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "derazodo-close-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        m_lockFolder = pattern;
        setenv("XDG_RUNTIME_DIR", m_lockFolder.c_str(), 1);
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        m_data = std::make_unique<testing_state::DataFolder>();
        for (const char* folder : { "tkbmp", "tkmap", "tkunit" })
            std::filesystem::copy(std::filesystem::path(DERAZODO_PROGRAM_DIR) / folder, m_data->host(folder),
                std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        std::filesystem::create_directories(m_data->host("save"));
        makeNamedValue("SimpleMode").profileWriteInt(0);
        platform::closeOnSignals();
    }
    void TearDown() override
    {
        harness::setMessageBoxPolicy(true);
        harness::clearMessageBoxes();
        g_open = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(m_lockFolder, ignored);
    }

    std::string gamePath(const char* name) const { return platform::gamePathFromHost(m_data->host(name)); }

    // A new game of the map, set up from the program's loop; `then` follows there once the
    // person's first turn waits. With unsaved, the game has play not yet saved.
    void startGame(const char* map, std::function<void()> then = {}, bool unsaved = false)
    {
        MainWindow* window = mainWindow();
        window->setGameSetUp([unsaved](swCWindow*) {
            if (unsaved)
                mainWindow()->state().notePlay();
            return true;
        });
        window->newGameFrom(gamePath(map));
        if (then)
            whenPersonWaits(std::move(then));
    }

    // The battle scenes' data: without it the program shows no scene.
    void enableScenes() const
    {
        std::filesystem::create_directory_symlink(std::filesystem::path(DERAZODO_PROGRAM_DIR) / "tklc", m_data->host("tklc"));
    }

    // The training map, changed, under another name.
    void writeTrainingMap(const char* name, const std::function<void(ScenarioFile&)>& change)
    {
        const std::string bytes = m_data->read("tkmap/training.vtm");
        ScenarioFile file;
        ASSERT_FALSE(readScenarioBytes({ reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size() }, file));
        ASSERT_GT(file.units[0].size(), 1u);
        ASSERT_GT(file.units[1].size(), 3u);
        change(file);
        const std::vector<uint8_t> out = writeScenarioBytes(file);
        m_data->write(name, std::string(out.begin(), out.end()));
    }

    static void sendClose(CloseBy by, HWND shown)
    {
        switch (by) {
        case CloseBy::Signal: kill(getpid(), SIGTERM); break;
        case CloseBy::Desktop: harness::closeDesktop(); break;
        case CloseBy::CloseBox: clickMainCloseBox(); break;
        case CloseBy::AltF4:
            SetForegroundWindow(shown);
            harness::waitIdle();
            harness::keyDown(VK_MENU), harness::pressKey(VK_F4), harness::keyUp(VK_MENU);
            break;
        }
    }

    // Waits up to ten seconds for the window the finder finds.
    static HWND waitForWindow(const std::function<HWND()>& find, const std::atomic<bool>& ended)
    {
        HWND found = nullptr;
        for (int i = 0; i < 1000 && !ended && !(found = find()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return found;
    }

    // Runs the program, opens the state inside its loop and, once the state's window shows, hands
    // it to `close` on a second thread; the run must then end as a run ends, with no window left
    // and the main window's place kept.
    void runToClose(const ModalState& state, const std::function<void(HWND shown, const std::atomic<bool>& ended)>& close)
    {
        harness::clearMessageBoxes();
        harness::setMessageBoxPolicy(!state.realBoxes);
        g_open = state.open;
        makeNamedValue("SimpleMode").profileWriteInt(0);
        state.prepare();
        // Written as the run ends: the main window's place, and the settings as the game state goes.
        const swCProfileKey placement("WindowInfo", "MainWindowWindowPosLeft");
        placement.profileWriteString(nullptr);
        const swCProfileKey setting = makeNamedValue("FightOfAll");
        setting.profileWriteString(nullptr);
        std::atomic<bool> ended { false };
        std::atomic<HWND> shown { nullptr };
        std::thread closer([&] {
            for (int i = 0; i < 2000 && !ended && !(shown = state.shown()); ++i) {
                if (i % 10 == 9)
                    state.nudge();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            harness::waitIdle();
            keepShot(std::string(state.name) + (shown ? "" : "_never"));
            harness::setDefaultMessageBoxAnswer(IDYES);
            close(shown, ended);
            awaitEnd(ended, state.name);
        });
        SetTimer(nullptr, 0, 10, openState);
        const RunOutcome outcome = runApplication(theApplication());
        ended = true;
        closer.join();
        EXPECT_NE(shown.load(), nullptr) << "the state's window never showed";
        EXPECT_EQ(outcome, RunOutcome::Played);
        EXPECT_EQ(theApplication().mainWindow(), nullptr);
        EXPECT_EQ(FindWindowA(MainWindow::kClassName, nullptr), nullptr);
        EXPECT_EQ(state.shown(), nullptr);
        EXPECT_FALSE(platform::closeRequested());
        EXPECT_NE(placement.profileReadInt(-1), -1);
        EXPECT_NE(setting.profileReadInt(-1), -1);
    }

    // Closes the program once the state's window shows. A person who closed answers yes when asked
    // about unsaved turns; a signal is never asked.
    void closeDuring(const ModalState& state, CloseBy by)
    {
        SCOPED_TRACE(state.name);
        std::atomic<int> asked { 0 };
        std::atomic<bool> shownAgain { false };
        QuitWatch watch { &state };
        watch.hook = SetWindowsHookExA(WH_GETMESSAGE, watchQuit, nullptr, 0);
        runToClose(state, [&](HWND shown, const std::atomic<bool>& ended) {
            watch.first = shown;
            if (!state.realBoxes)
                g_quitWatch = &watch;
            sendClose(by, shown);
            bool gone = false;
            for (int i = 0; i < 3000 && !ended; ++i) {
                // The state's window, gone after the close, never comes back (a next fight shown). A
                // question's box may: the close's own question about unsaved turns reads the same.
                const bool showing = !state.realBoxes && state.shown() != nullptr;
                gone = gone || !showing;
                shownAgain = shownAgain || (gone && showing);
                HWND asking = state.realBoxes ? question() : nullptr;
                if (asking && asking != shown) {
                    ++asked;
                    harness::waitIdle();
                    harness::typeText("y");
                    for (int j = 0; j < 100 && IsWindow(asking); ++j)
                        std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
        g_quitWatch = nullptr;
        UnhookWindowsHookEx(watch.hook);
        EXPECT_FALSE(shownAgain || watch.shownAgain) << "the state's window showed again after the close";
        if (by == CloseBy::Signal) {
            EXPECT_EQ(asked, 0) << "a signal is not asked about unsaved turns";
        }
    }

    std::string m_lockFolder;
    std::unique_ptr<testing_state::DataFolder> m_data;
};

} // namespace program_close_test
