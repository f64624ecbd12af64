// The program's start-up: the two instance checks and the main window on the headless desktop.
#include "app/game_state_services.h"
#include "app/main_window.h"
#include "app/main_window_rules_link.h"
#include "state/game_state.h"
#include "app/run_application.h"
#include "lib/profile.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"
#include "state/game_settings.h"
#include "tests/lib/permission_checks.h"
#include "tests/lib/window_test_support.h"
#include "tests/state/state_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <filesystem>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

struct Startup : ::testing::Test {
    void SetUp() override
    {
        // The instance names also lock across processes: each test gets a folder of its own.
        std::string pattern = (std::filesystem::temp_directory_path() / "derazodo-startup-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        m_lockFolder = pattern;
        setenv("XDG_RUNTIME_DIR", m_lockFolder.c_str(), 1);
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
        platform::harness::clearMessageBoxes();
        // The game state starts up from a copy of the master data, in normal mode without asking.
        m_data = std::make_unique<testing_state::DataFolder>();
        // And every picture the main window reads.
        m_data->linkGenerated("tkbmp");
        makeNamedValue("SimpleMode").profileWriteInt(0);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_lockFolder, ignored);
    }

    std::string m_lockFolder;
    std::unique_ptr<testing_state::DataFolder> m_data;
};

struct Shot {
    RECT rect {};
    platform::harness::Image image;
    bool written = false;
    std::string path;
};
Shot g_shot;

// Runs inside the program's message loop: pictures the main window, then closes it.
void CALLBACK pictureAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND main = theApplication().mainWindowHandle();
    if (!main)
        return;
    UpdateWindow(main);
    GetWindowRect(main, &g_shot.rect);
    g_shot.image = platform::harness::readRect(g_shot.rect);
    g_shot.written = platform::harness::writePng(g_shot.image, g_shot.path);
    PostMessageA(main, WM_CLOSE, 0, 0);
}

} // namespace

TEST_F(Startup, WeaponEditorRunningStopsTheStartWithItsMessage)
{
    HANDLE editor = CreateMutexA(nullptr, FALSE, "NOLTRAX_MAINWINDOW_CNAME");
    EXPECT_EQ(runApplication(theApplication()), RunOutcome::EditorRunning);
    CloseHandle(editor);
    auto boxes = platform::harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, platform::utf8ToCp932("ゲーム、マップエディタは、兵器エディタと同時に起動する事は出来ません。\n"
                                                    "兵器エディタを終了させてから、再起動してください。"));
    EXPECT_EQ(boxes[0].caption, platform::utf8ToCp932("中止"));
    EXPECT_EQ(FindWindowA(MainWindow::kClassName, nullptr), nullptr);
}

TEST_F(Startup, SecondInstanceRaisesTheFirstAndEnds)
{
    OwnedGameState game;
    game.startUp();
    AppMainWindowLink link(game.state());
    auto* first = new MainWindow(game.state(), link);
    ASSERT_TRUE(first->createCentred());
    HANDLE running = CreateMutexA(nullptr, FALSE, MainWindow::kClassName);
    EXPECT_EQ(runApplication(theApplication()), RunOutcome::AlreadyRunning);
    EXPECT_EQ(GetForegroundWindow(), first->handle());
    EXPECT_TRUE(platform::harness::messageBoxes().empty());
    EXPECT_EQ(theApplication().mainWindow(), nullptr);
    CloseHandle(running);
    DestroyWindow(first->handle());
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(Startup, MainWindowOpensCentredWithItsCaptionAndTheLoopEndsWithIt)
{
    g_shot = Shot {};
    g_shot.path = m_lockFolder + "/main_window.png";
    if (const char* folder = std::getenv("DERAZODO_PROGRAM_DIR"))
        g_shot.path = std::string(folder) + "/main_window.png";
    SetTimer(nullptr, 0, 50, pictureAndClose);
    EXPECT_EQ(runApplication(theApplication()), RunOutcome::Played);
    EXPECT_EQ(theApplication().exitCode(), 0);
    EXPECT_EQ(theApplication().mainWindow(), nullptr);
    EXPECT_EQ(FindWindowA(MainWindow::kClassName, nullptr), nullptr);
    // The instance mutex went with the run.
    EXPECT_EQ(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, MainWindow::kClassName), nullptr);

    ASSERT_TRUE(g_shot.written);
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const RECT& r = g_shot.rect;
    EXPECT_EQ(r.right - r.left, MainWindow::kWidth);
    EXPECT_EQ(r.bottom - r.top, MainWindow::kHeight);
    EXPECT_EQ(r.left - area.left, area.right - r.right);
    EXPECT_EQ(r.top - area.top, area.bottom - r.bottom);

    // The caption row carries text in a colour of its own; the map window fills the middle.
    const auto& image = g_shot.image;
    ASSERT_EQ(image.width, MainWindow::kWidth);
    int captionY = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    uint32_t background = image.at(image.width / 2, captionY) & 0xFFFFFF;
    int textPixels = 0;
    for (int x = 0; x < image.width / 4; ++x)
        textPixels += (image.at(x, captionY) & 0xFFFFFF) != background;
    EXPECT_GT(textPixels, 10);
    EXPECT_NE(image.at(image.width / 2, image.height / 2) & 0xFFFFFF, 0xFFFFFFu);

    // Left maximised, it comes back so; a kept place near INT_MAX (whose right edge once wrapped
    // round) is brought onto the desktop, and kept so.
    for (const auto& [key, value] : { std::pair { "Zoomed", 1 }, { "PosLeft", 2147483600 }, { "PosRight", 100 } })
        swCProfileKey("WindowInfo", (std::string("MainWindowWindow") + key).c_str()).profileWriteInt(value);
    g_shot.path = m_lockFolder + "/maximised.png";
    SetTimer(nullptr, 0, 50, pictureAndClose);
    EXPECT_EQ(runApplication(theApplication()), RunOutcome::Played);
    EXPECT_TRUE(EqualRect(&g_shot.rect, &area));
    platform::harness::keepShot(g_shot.image, "main_window_maximised.png");
    const int right = swCProfileKey("WindowInfo", "MainWindowWindowPosRight").profileReadInt(-1);
    EXPECT_TRUE(right > area.left && right <= area.right) << right;
}


TEST_F(Startup, SmallScreenStopsWithItsMessage)
{
    // The screen size is fixed when the desktop starts: only a fresh process (as ctest runs
    // each test) can make it small.
    setenv("DERAZODO_SCREEN", "640x480", 1);
    if (GetSystemMetrics(SM_CXSCREEN) != 640)
        GTEST_SKIP() << "the desktop of this process started earlier at another size";
    EXPECT_EQ(runApplication(theApplication()), RunOutcome::SmallScreen);
    auto boxes = platform::harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, platform::utf8ToCp932("このゲームの実行に必要な画面サイズは、800×600以上です。\n"
                                                    "画面サイズを800×600以上に変更してこのゲームを起動してください。"));
    EXPECT_EQ(FindWindowA(MainWindow::kClassName, nullptr), nullptr);
    EXPECT_EQ(theApplication().ownedObject(), nullptr);
}

namespace {

void CALLBACK closeMainWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (HWND main = theApplication().mainWindowHandle())
        PostMessageA(main, WM_CLOSE, 0, 0);
}

RunOutcome runAndClose()
{
    platform::harness::clearMessageBoxes();
    SetTimer(nullptr, 0, 50, closeMainWindow);
    return runApplication(theApplication());
}

// The ini file's name in the program folder.
std::string iniName()
{
    const std::string path = profilePath();
    return path.substr(path.find_last_of("\\/") + 1);
}

// How often the ini file was replaced while work ran: each write renames a whole new file over it.
template <class Work>
int iniRewrites(const std::filesystem::path& ini, Work work)
{
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // The temporaries' names between them keep equal events from being merged into one.
    inotify_add_watch(watch, ini.parent_path().c_str(), IN_MOVED_FROM | IN_MOVED_TO);
    work();
    int count = 0;
    alignas(inotify_event) char buffer[64 << 10];
    for (ssize_t got; (got = read(watch, buffer, sizeof buffer)) > 0;)
        for (char* at = buffer; at < buffer + got; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            count += (event->mask & IN_MOVED_TO) && event->len > 0 && ini.filename() == event->name;
        }
    close(watch);
    return count;
}

int settingCount(const std::string& ini)
{
    int count = 0;
    for (const std::string& line : testing_state::splitLines(ini))
        count += line.find('=') != std::string::npos;
    return count;
}

} // namespace

TEST_F(Startup, AnIniThatIsNotIniTextIsLeftAsItIsAndTheRunTakesTheDefaults)
{
    // A first run writes every setting back at its end, with the main window's place, in one
    // rewrite of the file; a run that changes nothing leaves it alone.
    RunOutcome outcome {};
    EXPECT_EQ(iniRewrites(m_data->host(iniName()), [&] { outcome = runAndClose(); }), 1);
    ASSERT_EQ(outcome, RunOutcome::Played);
    const std::string ini = m_data->read(iniName());
    ASSERT_GE(settingCount(ini), 61);
    EXPECT_EQ(iniRewrites(m_data->host(iniName()), [&] { outcome = runAndClose(); }), 0);
    makeNamedValue("ShowFight").profileWriteInt(0);

    std::string damaged = m_data->read(iniName());
    damaged.insert(damaged.find('\n') + 1, std::string("\0\0\0\0\r\n", 6));
    m_data->write(iniName(), damaged);
    ASSERT_EQ(runAndClose(), RunOutcome::Played);
    auto boxes = platform::harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(platform::cp932ToUtf8(boxes[0].text),
        "設定ファイル " + iniName() + " を使えません。2行目が設定の形式ではありません。\n"
        "設定は既定値で始め、このファイルは変更しません。");
    EXPECT_TRUE(m_data->read(iniName()) == damaged);

    // Mended by hand, the settings are all there again, the changed one too.
    m_data->write(iniName(), damaged.erase(damaged.find('\n') + 1, 6));
    ASSERT_EQ(runAndClose(), RunOutcome::Played);
    EXPECT_TRUE(platform::harness::messageBoxes().empty());
    EXPECT_FALSE(profileUsesDefaults());
    EXPECT_EQ(makeNamedValue("ShowFight").profileReadInt(-1), 0);
}

TEST_F(Startup, AFolderOrALinkLoopAtTheIniPathGivesOneWarningAndTheRunGoesOn)
{
    // The mode is not asked either: the loop of links, then the folder, stands where the answer
    // would be kept.
    for (bool loop : { true, false }) {
        m_data->remove(iniName());
        loop ? std::filesystem::create_symlink(iniName(), m_data->host(iniName())) : void(std::filesystem::create_directory(m_data->host(iniName())));
        EXPECT_EQ(runAndClose(), RunOutcome::Played);
        EXPECT_EQ(platform::cp932ToUtf8(testing_lib::soleMessageBox()), "設定ファイル " + iniName() + " を使えません。"
                + (loop ? "読み取れません。" : "同じ名前のフォルダがあります。") + "\n設定は既定値で始め、このファイルは変更しません。");
    }
    EXPECT_TRUE(std::filesystem::is_directory(m_data->host(iniName())));
    // The platform refuses to write over what it could not read.
    EXPECT_FALSE(WritePrivateProfileStringA("Environment", "SeVolume", "0", profilePath().c_str()));
    EXPECT_TRUE(std::filesystem::is_empty(m_data->host(iniName())));
}

TEST_F(Startup, AnIniThatCannotBeReplacedIsToldOnceAndTheRunGoesOn)
{
    // The folder refuses the new file that would replace the ini: the settings the run writes at
    // its end, and any before, cannot be kept.
    testing_lib::PermissionChecks checks;
    ASSERT_TRUE(checks.inForce());
    const std::string before = m_data->read(iniName());
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(m_data->host(iniName())).parent_path();
    fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    const RunOutcome outcome = runAndClose();
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(outcome, RunOutcome::Played);
    EXPECT_EQ(platform::cp932ToUtf8(testing_lib::soleMessageBox()),
        "設定ファイル " + iniName() + " に書き込めません。\nこの回に変えた設定は保存されません。");
    EXPECT_TRUE(m_data->read(iniName()) == before);

    // Writable again, the next run keeps its settings without a word.
    EXPECT_EQ(runAndClose(), RunOutcome::Played);
    EXPECT_TRUE(platform::harness::messageBoxes().empty());
    EXPECT_GE(settingCount(m_data->read(iniName())), 61);
}
