// The start mode dialog driven by clicks on the headless desktop, and the game state's start-up
// with the application's own services.
#include "app/game_state_services.h"
#include "app/run_application.h"
#include "app/start_mode_dialog.h"
#include "dialogs/start_arrow.h"
#include "state/game_state.h"

#include "tests/platform/commdlg/dialog_driver.h"
#include "tests/state/state_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string kStartModeTitle = platform::utf8ToCp932("設定確認");

void clickButton(HWND dialog, UINT id)
{
    HWND button = GetDlgItem(dialog, int(id));
    ASSERT_NE(button, nullptr);
    RECT r;
    GetClientRect(button, &r);
    POINT p = dialogtest::screenOf(button, r.right / 2, r.bottom / 2);
    platform::harness::click(p.x, p.y);
    dialogtest::settle();
}

std::string buttonText(HWND dialog, UINT id)
{
    char text[64] = {};
    GetWindowTextA(GetDlgItem(dialog, int(id)), text, sizeof text);
    return text;
}

int storedMode() { return makeNamedValue("SimpleMode").profileReadInt(-1); }

// Counts the dialogs start-up asks for; the second one fails the test instead of opening.
class CountingServices : public AppGameStateServices {
public:
    CountingServices() { installAppGameStateServices(this); }
    ~CountingServices() override { installAppGameStateServices(nullptr); }
    void runStartModeDialog() override
    {
        if (++dialogs > allowed) {
            ADD_FAILURE() << "the mode dialog was asked for again";
            return;
        }
        AppGameStateServices::runStartModeDialog();
    }
    int dialogs = 0;
    int allowed = 1;
};

COLORREF pixel(HBITMAP bitmap, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

} // namespace

TEST(StartModeDialog, EachAnswerWritesTheModeItGoesOnInAndCloses)
{
    namespace harness = platform::harness;
    struct Case {
        const char* way;
        std::function<void(HWND)> answer;
        int mode;
    };
    const Case cases[] = {
        { "simple", [](HWND window) { clickButton(window, StartModeDialog::kSimpleButton); }, 1 },
        { "normal", [](HWND window) { clickButton(window, StartModeDialog::kNormalButton); }, 0 },
        { "Escape", [](HWND) { harness::pressKey(VK_ESCAPE); }, 0 },
        { "Alt+F4", [](HWND) { harness::keyDown(VK_MENU), harness::pressKey(VK_F4), harness::keyUp(VK_MENU); }, 0 },
    };
    for (const Case& c : cases) {
        testing_lib::TempProgramFolder folder("startmode");
        std::string normal, simple;
        HWND shown = nullptr;
        StartModeDialog dialog;
        dialogtest::drive(kStartModeTitle.c_str(), [&] { return dialog.run(); }, [&](HWND window) {
            shown = window;
            normal = buttonText(window, StartModeDialog::kNormalButton);
            simple = buttonText(window, StartModeDialog::kSimpleButton);
            c.answer(window);
            dialogtest::settle();
        });
        EXPECT_EQ(normal, platform::utf8ToCp932("通常モード"));
        EXPECT_EQ(simple, platform::utf8ToCp932("シンプルモード"));
        EXPECT_EQ(storedMode(), c.mode) << c.way;
        EXPECT_FALSE(IsWindow(shown)) << c.way;
    }
}

TEST(StartModeDialog, FirstStartAsksOnceAndTheNextStartReadsTheStoredMode)
{
    testing_state::DataFolder folder;
    CountingServices services;
    {
        GameState state;
        dialogtest::drive(kStartModeTitle.c_str(), [&] { state.startUp(); return 0; }, [&](HWND window) {
            clickButton(window, StartModeDialog::kSimpleButton);
        });
        EXPECT_EQ(services.dialogs, 1);
        EXPECT_TRUE(state.isSimpleMode());
    }
    {
        GameState state;
        state.startUp();
        EXPECT_EQ(services.dialogs, 1);
        EXPECT_TRUE(state.isSimpleMode());
    }
    EXPECT_EQ(storedMode(), 1);
}

TEST(StartModeDialog, StartUpBuildsTheSheetsAndLoadsTheStartArrow)
{
    testing_state::DataFolder folder;
    namespace fs = std::filesystem;
    fs::create_directories(folder.host("tkbmp"));
    for (const char* name : { "land16_base.bmp", "unit32.bmp", "stparrow.bmp" })
        fs::copy_file(fs::path(DERAZODO_PROGRAM_DIR) / "tkbmp" / name, fs::path(folder.host("tkbmp")) / name, fs::copy_options::overwrite_existing);
    makeNamedValue("SimpleMode").profileWriteInt(0);
    CountingServices services;
    services.allowed = 0;
    {
        GameState state;
        state.startUp();
        Presentation look(state);
        look.startUp();
        swCBitmap* units = look.baseBitmap(kUnitSheet);
        ASSERT_NE(units->handle(), nullptr);
        EXPECT_EQ(units->bitmapGetSize().cx, 1024);
        EXPECT_EQ(units->bitmapGetSize().cy, 512);
        // Away from the icons the sheet keeps the key colour.
        EXPECT_EQ(pixel(units->handle(), 1, 1), RGB(255, 0, 255));
        EXPECT_EQ(pixel(units->handle(), 1, 400), RGB(255, 0, 255));
        // Two rows per country: country 0 keeps the sheet's blue (hue turn 0), country 1's
        // default turn of 130 degrees makes it red.
        const COLORREF blue = pixel(units->handle(), 2 * 32 + 16, 16);
        const COLORREF red = pixel(units->handle(), 2 * 32 + 16, 2 * 32 + 16);
        EXPECT_GT(GetRValue(red), GetBValue(red));
        EXPECT_GT(GetBValue(blue), GetRValue(blue));

        swCBitmap* buildings = look.baseBitmap(kSmallBuildingSheet);
        ASSERT_NE(buildings->handle(), nullptr);
        EXPECT_EQ(buildings->bitmapGetSize().cy, 16);
        ASSERT_NE(startArrowBitmap(), nullptr);
        EXPECT_EQ(startArrowBitmap()->bitmapGetSize().cx, 10);
        EXPECT_NE(state.areaAnalysis(), nullptr);
        EXPECT_NE(state.battleUnitData(), nullptr);
    }
    EXPECT_EQ(startArrowBitmap(), nullptr);
}

namespace {

// runApplication with its instance lock in a folder of the test's own.
struct ProgramRun : ::testing::Test {
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "derazodo-run-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        m_lockFolder = pattern;
        setenv("XDG_RUNTIME_DIR", m_lockFolder.c_str(), 1);
        theApplication().appInit(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_lockFolder, ignored);
    }
    std::string m_lockFolder;
};

GameState* g_seenInLoop = nullptr;

void CALLBACK noteStateAndCloseMainWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    g_seenInLoop = g_gameState;
    if (HWND main = theApplication().mainWindowHandle())
        PostMessageA(main, WM_CLOSE, 0, 0);
}

} // namespace

// The entry's status tells the shell of a start that stopped at a master file.
TEST_F(ProgramRun, AFailedStartEndsWithItsMessageNoWindowAndAFailureStatus)
{
    struct Case {
        const char* name;
        std::function<void(const testing_state::DataFolder&)> damage;
        size_t boxes;
    };
    const Case cases[] = {
        { "land.dat missing", [](const auto& folder) { folder.remove("land.dat"); }, 1 },
        // Told as cut, then as lacking its large city.
        { "land.dat cut", [](const auto& folder) { folder.write("land.dat", folder.read("land.dat").substr(0, 200)); }, 2 },
        { "weapon.dat too large", [](const auto& folder) { std::filesystem::resize_file(folder.host("weapon.dat"), 17 << 20); }, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing_state::DataFolder folder;
        makeNamedValue("SimpleMode").profileWriteInt(0);
        c.damage(folder);
        platform::harness::clearMessageBoxes();
        char commandLine[] = "";
        EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL), 1);
        EXPECT_EQ(theApplication().mainWindow(), nullptr);
        EXPECT_EQ(theApplication().ownedObject(), nullptr);
        EXPECT_EQ(g_gameState, nullptr);
        EXPECT_EQ(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "NOLTRAX_MAINWINDOW_CNAME"), nullptr);
        EXPECT_EQ(platform::harness::messageBoxes().size(), c.boxes);
        EXPECT_EQ(makeNamedValue("ShowFight").profileReadInt(-1), -1);
    }
}

TEST_F(ProgramRun, TheGameStateLivesThroughTheLoopAndWritesItsSettingsAfterIt)
{
    testing_state::DataFolder folder;
    makeNamedValue("SimpleMode").profileWriteInt(0);
    makeNamedValue("SleepTime").profileWriteInt(33);
    g_seenInLoop = nullptr;
    SetTimer(nullptr, 0, 50, noteStateAndCloseMainWindow);
    char commandLine[] = "";
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL), 0);
    EXPECT_NE(g_seenInLoop, nullptr);
    EXPECT_EQ(g_gameState, nullptr);
    EXPECT_EQ(theApplication().ownedObject(), nullptr);
    EXPECT_EQ(makeNamedValue("SleepTime").profileReadInt(-1), 33);
    EXPECT_EQ(makeNamedValue("ShowFight").profileReadInt(-1), 1);
}
