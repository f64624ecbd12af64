// Closing the program while a modal window is open: the desktop's close button and the signals end
// the run by its usual road, whatever waits on the main window.
#include "app/main_window.h"
#include "app/map_window.h"
#include "ui/private_messages.h"
#include "app/menu_ids.h"
#include "app/run_application.h"
#include "lib/application.h"
#include "lib/profile.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"
#include "platform/user/program_close.h"
#include "rules/play_handshake.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "tests/app/app_test_support.h"
#include "tests/state/state_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>
#include <unistd.h>

namespace {

namespace harness = platform::harness;

using testing_app::cp;

MainWindow* mainWindow() { return dynamic_cast<MainWindow*>(theApplication().mainWindow()); }

// What the person opens before closing, started inside the program's loop, and the window that
// shows it.
struct ModalState {
    const char* name;
    std::function<HWND()> shown;
    std::function<void()> open;
    bool realBoxes = false; // message boxes shown and left open, not answered by the policy
    std::function<void()> nudge = [] {}; // repeated until the window shows
    std::function<void()> prepare = [] {}; // before the run
};

std::function<void()> g_open;

void CALLBACK openState(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (g_open)
        g_open();
}

// A shown top-level window other than the main window (which may carry the same title).
HWND shownWindowMatching(const std::function<bool(HWND, const std::string& title, const std::string& className)>& match)
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

std::function<HWND()> titled(const char* utf8)
{
    return [title = cp(utf8)] {
        return shownWindowMatching([&](HWND, const std::string& text, const std::string&) { return text == title; });
    };
}

std::function<HWND()> ofClass(const char* name)
{
    return [name] {
        return shownWindowMatching([&](HWND, const std::string&, const std::string& className) { return className == name; });
    };
}

enum class CloseBy { Desktop, Signal };

class ProgramClose : public ::testing::TestWithParam<CloseBy> {
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
        m_data->write("tkmap/damaged.vtm", "ZAFRONSCENO00004 not a map");
        makeNamedValue("SimpleMode").profileWriteInt(0);
        platform::closeOnSignals();
    }
    void TearDown() override
    {
        harness::setMessageBoxPolicy(true);
        g_open = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(m_lockFolder, ignored);
    }

    std::string gamePath(const char* name) const { return platform::gamePathFromHost(m_data->host(name)); }

    // Runs the program, opens the state inside its loop and closes the program once the state's
    // window shows; the run must end as a run ends, with no window left.
    void closeDuring(const ModalState& state)
    {
        SCOPED_TRACE(state.name);
        harness::clearMessageBoxes();
        harness::setMessageBoxPolicy(!state.realBoxes);
        g_open = state.open;
        state.prepare();
        // The run's end keeps the main window's place however the run is closed.
        const swCProfileKey placement("WindowInfo", "MainWindowWindowPosLeft");
        placement.profileWriteString(nullptr);
        std::atomic<bool> ended { false };
        std::atomic<bool> shown { false };
        std::thread closer([&] {
            for (int i = 0; i < 2000 && !ended && !shown; ++i) {
                shown = state.shown() != nullptr;
                if (!shown && i % 10 == 9)
                    state.nudge();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            harness::waitIdle();
            if (GetParam() == CloseBy::Signal)
                kill(getpid(), SIGTERM);
            else
                harness::closeDesktop();
            for (int i = 0; i < 3000 && !ended; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (!ended) {
                ADD_FAILURE() << state.name << ": the program did not end after the close";
                std::abort();
            }
        });
        SetTimer(nullptr, 0, 10, openState);
        const RunOutcome outcome = runApplication(theApplication());
        ended = true;
        closer.join();
        EXPECT_TRUE(shown) << "the state's window never showed";
        EXPECT_EQ(outcome, RunOutcome::Played);
        EXPECT_EQ(theApplication().mainWindow(), nullptr);
        EXPECT_EQ(FindWindowA(MainWindow::kClassName, nullptr), nullptr);
        EXPECT_EQ(state.shown(), nullptr);
        EXPECT_FALSE(platform::closeRequested());
        EXPECT_NE(placement.profileReadInt(-1), -1);
    }

    std::string m_lockFolder;
    std::unique_ptr<testing_state::DataFolder> m_data;
};

void command(UINT id) { PostMessageA(theApplication().mainWindowHandle(), WM_COMMAND, id, 0); }

void endTurn()
{
    command(menu_id::kEndActionPhase);
    command(menu_id::kEndTurn);
}

TEST_P(ProgramClose, FromEveryModalStateTheRunEndsWithItsWindowsAndPlay)
{
    auto startGame = [this](const char* map) {
        MainWindow* window = mainWindow();
        window->setGameSetUp([](swCWindow*) { return true; });
        window->newGameFrom(gamePath(map));
        return window;
    };
    const ModalState states[] = {
        { "selection dialog", titled("新規ゲーム"), [] { command(menu_id::kNewGame); } },
        { "resume dialog", titled("ゲーム再開"), [] { command(menu_id::kResumeGame); } },
        { "map settings list", titled("マップ設定一覧"),
            [this] { mainWindow()->newGameFrom(gamePath("tkmap/duel.vtm")); } },
        { "refused map", titled("注意"), [this] { mainWindow()->newGameFrom(gamePath("tkmap/damaged.vtm")); }, true },
        { "end of game", titled("ニュース"),
            [&] {
                MainWindow* window = startGame("tkmap/riverside.vts");
                window->state().country(0).outcome = 1;
                PostMessageA(window->handle(), WM_TIMER, MainWindow::kEndOfPlayTimer, 0);
            } },
        { "environment", titled("環境設定"), [] { command(menu_id::kEnvironment); } },
        { "menu", ofClass("#32768"),
            [] {
                RECT r {};
                GetWindowRect(theApplication().mainWindowHandle(), &r);
                const int bar = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
                harness::click(r.left + GetSystemMetrics(SM_CXFRAME) + 24, bar + GetSystemMetrics(SM_CYMENU) / 2);
            } },
        { "confirmation", titled("確認"),
            [&] {
                startGame("tkmap/training.vtm");
                command(menu_id::kEndGame);
            },
            true },
        // The person's turn ends until the computer's turn, then the next one with a popup (the income).
        { "popup during play", ofClass("#32770"), [&] { startGame("tkmap/training.vtm"); }, false, endTurn },
        // Ten minutes between the computer's steps, as an edited ini may ask.
        { "computer's turn", ofClass("VKRC_THINKPROGRESSWINDOW_CNAME"), [&] { startGame("tkmap/training.vtm"); },
            false, endTurn,
            [] {
                makeNamedValue("SleepTime").profileWriteInt(600000);
                makeNamedValue("SleepInterval").profileWriteInt(1);
            } },
        // The button held on the map's scroll thumb, zoomed in and scrolled to the top.
        { "scroll thumb held", [] { return mainWindow() && GetCapture() == mainWindow()->mapWindow()->handle() ? GetCapture() : nullptr; },
            [&] {
                startGame("tkmap/training.vtm");
                SendMessageA(theApplication().mainWindowHandle(), WM_COMMAND, menu_id::kZoom48, 0);
                SendMessageA(mainWindow()->mapWindow()->handle(), WM_VSCROLL, SB_TOP, 0);
                RECT r {};
                GetWindowRect(mainWindow()->mapWindow()->handle(), &r);
                const int bar = GetSystemMetrics(SM_CXVSCROLL);
                harness::mouseDown(r.right - bar / 2, r.top + bar + 3);
            } },
    };
    for (const ModalState& state : states)
        closeDuring(state);
    harness::mouseUp(0, 0);
}

INSTANTIATE_TEST_SUITE_P(, ProgramClose, ::testing::Values(CloseBy::Desktop, CloseBy::Signal),
    [](const auto& info) { return info.param == CloseBy::Desktop ? "DesktopCloseButton" : "Sigterm"; });

} // namespace

// The X display going away ends the program as a close request does: by its usual road, its
// settings written.
TEST(ProgramCloseOnLostDisplay, TheRunEndsAndKeepsItsSettings)
{
    if (access("/usr/bin/Xvfb", X_OK) != 0)
        GTEST_SKIP() << "no X server to lose";
    // The sanitizer pass builds the tests, not the program.
    if (access(DERAZODO_PROGRAM_DIR "/derazodo", X_OK) != 0)
        GTEST_SKIP() << "no program built";
    std::string folder = (std::filesystem::temp_directory_path() / "derazodo-display-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(folder.data()));
    // The program's data beside fresh settings; the timed screenshot tells that it is up. The
    // display's libraries are left as the loss left them: what they hold is not the program's leak.
    const std::string script = "cd '" + folder + "' && for f in '" DERAZODO_PROGRAM_DIR "'/*; do case $f in *.ini) ;; *) ln -s \"$f\" .;; esac; done\n"
        "Xvfb -displayfd 3 -nolisten tcp 3>display 2>/dev/null & server=$!\n"
        "for i in $(seq 300); do [ -s display ] && break; sleep 0.1; done\n"
        "env -i ASAN_OPTIONS=detect_leaks=0 DISPLAY=:$(cat display) DERAZODO_PROGRAM_DIR=$PWD XDG_RUNTIME_DIR=$PWD HOME=$PWD DERAZODO_SCREENSHOT=$PWD/up.png "
        "DERAZODO_SCREENSHOT_AFTER_MS=3000 timeout -s KILL 120 ./derazodo & run=$!\n"
        "for i in $(seq 600); do [ -e up.png ] && break; sleep 0.1; done\n"
        "kill $server; wait $run && grep -q MainWindowWindowPosLeft derazodo.ini";
    EXPECT_EQ(std::system(script.c_str()), 0) << "the run did not end by itself, or wrote no settings";
    std::filesystem::remove_all(folder);
}
