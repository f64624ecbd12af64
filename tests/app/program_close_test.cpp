// Closing the program while a modal window is open: the desktop's close button and the signals end
// the run by its usual road, whatever waits on the main window.
#include "app/map_window.h"
#include "tests/app/program_close_run.h"

#include <dlfcn.h>
#include <fstream>

namespace {

using namespace program_close_test;

class ProgramClose : public ProgramCloseRun, public ::testing::WithParamInterface<CloseBy> {
protected:
    void SetUp() override
    {
        ProgramCloseRun::SetUp();
        m_data->write("tkmap/damaged.vtm", "ZAFRONSCENO00004 not a map");
    }
};

TEST_P(ProgramClose, FromEveryModalStateTheRunEndsWithItsWindowsAndPlay)
{
    auto startGame = [this](const char* map, std::function<void()> then = {}) { this->startGame(map, std::move(then)); };
    // 新規ゲーム with no game in play, its first map chosen: its set-up comes up.
    auto newGame = [] {
        mainWindow()->setGameSetUp({});
        command(menu_id::kNewGame);
    };
    const ModalState states[] = {
        { "set-up of a new game", setUpDialog, newGame, false, chooseFirstGame },
        { "set-up of a new game after game end", setUpDialog,
            [&] {
                startGame("tkmap/training.vtm", [&] {
                    command(menu_id::kEndGame);
                    whenProgram([] { return !mainWindow()->leavingGame() && mainWindow()->state().mapWidth() == 0; }, newGame);
                });
            },
            false, chooseFirstGame },
        { "selection dialog", titled("新規ゲーム"), [] { command(menu_id::kNewGame); } },
        { "resume dialog", titled("ゲーム再開"), [] { command(menu_id::kResumeGame); } },
        { "map settings list", titled("マップ設定一覧"),
            [this] { mainWindow()->newGameFrom(gamePath("tkmap/duel.vtm")); } },
        { "refused map", titled("注意"), [this] { mainWindow()->newGameFrom(gamePath("tkmap/damaged.vtm")); }, true },
        { "end of game", titled("ニュース"),
            [&] {
                startGame("tkmap/riverside.vts", [] {
                    mainWindow()->state().country(0).outcome = 1;
                    PostMessageA(mainWindow()->handle(), WM_TIMER, MainWindow::kEndOfPlayTimer, 0);
                });
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
            [&] { startGame("tkmap/training.vtm", [] { command(menu_id::kEndGame); }); },
            true },
        // The person's turn ends until the computer's turn, then the next one with a popup (the income).
        { "popup during play", ofClass("#32770"), [&] { startGame("tkmap/training.vtm"); }, false, endTurn },
        // The button held on the map's scroll thumb, zoomed in and scrolled to the top.
        { "scroll thumb held", [] { return mainWindow() && GetCapture() == mainWindow()->mapWindow()->handle() ? GetCapture() : nullptr; },
            [&] {
                startGame("tkmap/training.vtm", [] {
                    SendMessageA(theApplication().mainWindowHandle(), WM_COMMAND, menu_id::kZoom48, 0);
                    SendMessageA(mainWindow()->mapWindow()->handle(), WM_VSCROLL, SB_TOP, 0);
                    RECT r {};
                    GetWindowRect(mainWindow()->mapWindow()->handle(), &r);
                    const int bar = GetSystemMetrics(SM_CXVSCROLL);
                    harness::mouseDown(r.right - bar / 2, r.top + bar + 3);
                });
            } },
    };
    for (const ModalState& state : states)
        closeDuring(state, GetParam());
    harness::mouseUp(0, 0);
}

INSTANTIATE_TEST_SUITE_P(, ProgramClose, ::testing::Values(CloseBy::Desktop, CloseBy::Signal), closeByName);

} // namespace

namespace {

// Destroys every top-level window of the X display, as another client may; false when there was none.
bool destroyTopWindows(const std::string& display)
{
    using XWindow = unsigned long;
    void* x = dlopen("libX11.so.6", RTLD_LAZY);
    if (!x)
        return false;
    auto openDisplay = reinterpret_cast<void* (*)(const char*)>(dlsym(x, "XOpenDisplay"));
    auto rootOf = reinterpret_cast<XWindow (*)(void*)>(dlsym(x, "XDefaultRootWindow"));
    auto queryTree = reinterpret_cast<int (*)(void*, XWindow, XWindow*, XWindow*, XWindow**, unsigned*)>(dlsym(x, "XQueryTree"));
    auto destroy = reinterpret_cast<int (*)(void*, XWindow)>(dlsym(x, "XDestroyWindow"));
    auto release = reinterpret_cast<int (*)(void*)>(dlsym(x, "XFree"));
    auto closeDisplay = reinterpret_cast<int (*)(void*)>(dlsym(x, "XCloseDisplay"));
    void* connection = openDisplay && rootOf && queryTree && destroy && release && closeDisplay ? openDisplay(display.c_str()) : nullptr;
    unsigned count = 0;
    if (connection) {
        XWindow root = 0, parent = 0;
        XWindow* windows = nullptr;
        if (queryTree(connection, rootOf(connection), &root, &parent, &windows, &count) && windows) {
            for (unsigned i = 0; i < count; ++i)
                destroy(connection, windows[i]);
            release(windows);
        }
        closeDisplay(connection);
    }
    dlclose(x);
    return count > 0;
}

} // namespace

// The X display going away, or another client destroying the program's window, ends the program as
// a close request does: by its usual road, its settings written.
class ProgramCloseOnLostDisplay : public ::testing::TestWithParam<bool> { };

TEST_P(ProgramCloseOnLostDisplay, TheRunEndsAndKeepsItsSettings)
{
    if (access("/usr/bin/Xvfb", X_OK) != 0)
        GTEST_SKIP() << "no X server to lose";
    // The sanitizer pass builds the tests, not the program.
    if (access(DERAZODO_PROGRAM_DIR "/derazodo", X_OK) != 0)
        GTEST_SKIP() << "no program built";
    const bool windowDestroyed = GetParam();
    std::string folder = (std::filesystem::temp_directory_path() / "derazodo-display-XXXXXX").string();
    ASSERT_TRUE(mkdtemp(folder.data()));
    // The program's data beside fresh settings; the timed screenshot tells that it is up. The
    // display's libraries are left as the loss left them: what they hold is not the program's leak.
    const std::string script = "cd '" + folder + "' && for f in '" DERAZODO_PROGRAM_DIR "'/*; do case $f in *.ini) ;; *) ln -s \"$f\" .;; esac; done\n"
        "Xvfb -displayfd 3 -nolisten tcp 3>display 2>/dev/null & server=$!\n"
        "for i in $(seq 300); do [ -s display ] && break; sleep 0.1; done\n"
        "env -i ASAN_OPTIONS=detect_leaks=0 DISPLAY=:$(cat display) DERAZODO_PROGRAM_DIR=$PWD XDG_RUNTIME_DIR=$PWD HOME=$PWD DERAZODO_SCREENSHOT=$PWD/up.png "
        "DERAZODO_SCREENSHOT_AFTER_MS=1000 timeout -s KILL 120 ./derazodo & run=$!\n"
        "for i in $(seq 600); do [ -e up.png ] && break; sleep 0.1; done\n"
        + std::string(windowDestroyed ? "touch ready; wait $run; ended=$?; kill $server; [ $ended = 0 ]" : "kill $server; wait $run")
        + " && grep -q MainWindowWindowPosLeft derazodo.ini";
    std::atomic<int> status { -1 };
    std::thread run([&] { status = std::system(script.c_str()); });
    if (windowDestroyed) {
        for (int i = 0; i < 1200 && status == -1 && !std::filesystem::exists(folder + "/ready"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::ifstream number(folder + "/display");
        std::string display;
        number >> display;
        EXPECT_TRUE(destroyTopWindows(":" + display)) << "no window to destroy";
    }
    run.join();
    EXPECT_EQ(status, 0) << "the run did not end by itself, or wrote no settings";
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(, ProgramCloseOnLostDisplay, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "WindowDestroyed" : "DisplayLost"); });
