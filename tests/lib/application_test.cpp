// The application object: the modeless list, the message loop's order of accelerators,
// dialog navigation and dispatch, the exit code and the program's path.
#include "lib/dialog_base.h"
#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace testing_lib;

namespace {

constexpr UINT kAccelTable = 901;
constexpr UINT kNavigationDialog = 902;
constexpr WORD kAccelCommand = 4001;

std::atomic<int> g_keyDowns { 0 };
std::atomic<int> g_chars { 0 };

LRESULT CALLBACK keyCounterProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN)
        ++g_keyDowns;
    if (message == WM_CHAR)
        ++g_chars;
    return DefWindowProcA(handle, message, wParam, lParam);
}

void registerResources()
{
    static bool done = [] {
        WNDCLASSA info {};
        info.lpfnWndProc = keyCounterProc;
        info.lpszClassName = "LibTestKeyCounter";
        RegisterClassA(&info);

        platform::resources::addAccelerators(MAKEINTRESOURCEA(kAccelTable), { ACCEL { FVIRTKEY, VK_F5, kAccelCommand } });

        platform::resources::DialogTemplate dialog;
        dialog.caption = "navigation";
        dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
        dialog.position = POINT { 50, 50 };
        dialog.clientSize = SIZE { 200, 100 };
        for (int id : { 11, 12 })
            dialog.items.push_back(platform::resources::DialogItem { "LibTestKeyCounter", "", id,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, RECT { 10, 10 + (id - 11) * 30, 150, 30 + (id - 11) * 30 } });
        platform::resources::addDialog(MAKEINTRESOURCEA(kNavigationDialog), dialog);
        return true;
    }();
    (void)done;
}

class CommandWindow : public TopWindow {
public:
    int OnCommand(MessageRecord&, UINT id, UINT code) override
    {
        commands.push_back({ id, code });
        return 1;
    }
    std::vector<std::pair<UINT, UINT>> commands;
};

class NavigationDialog : public ModelessDialogBase {
public:
    NavigationDialog()
        : ModelessDialogBase(kNavigationDialog)
    {
        theApplication().appAddModeless(this);
    }
};

class Owned : public swCOwnedObject {
public:
    explicit Owned(bool& deleted)
        : m_deleted(deleted)
    {
    }
    ~Owned() override { m_deleted = true; }

private:
    bool& m_deleted;
};

struct ApplicationFixture : ::testing::Test {
    void SetUp() override
    {
        initApplication();
        registerResources();
        g_keyDowns = 0;
        g_chars = 0;
    }
    void TearDown() override
    {
        swCApplication& app = theApplication();
        app.setMainWindow(nullptr);
        destroyAllWindows();
    }
};

using ModelessList = ApplicationFixture;
using MessageLoop = ApplicationFixture;
using ProgramPath = ApplicationFixture;

} // namespace

TEST_F(ModelessList, AddsAtTheHeadAndRemovesOnlyWhatIsThere)
{
    swCApplication& app = theApplication();
    swCWindow a, b, c, stranger;
    app.appAddModeless(&a);
    app.appAddModeless(&b);
    app.appAddModeless(&c);
    EXPECT_EQ(app.modelessWindows(), (std::vector<swCWindow*> { &c, &b, &a }));

    app.appRemoveModeless(&stranger);
    EXPECT_EQ(app.modelessWindows(), (std::vector<swCWindow*> { &c, &b, &a }));

    app.appRemoveModeless(&c);
    EXPECT_EQ(app.modelessWindows(), (std::vector<swCWindow*> { &b, &a }));
    app.appRemoveModeless(&a);
    app.appRemoveModeless(&b);
    EXPECT_TRUE(app.modelessWindows().empty());
}

TEST_F(MessageLoop, AcceleratorReachesTheMainWindowAsCommand)
{
    swCApplication& app = theApplication();
    CommandWindow main;
    ASSERT_TRUE(main.Create());
    app.setMainWindow(&main);
    ASSERT_TRUE(app.appLoadAccelerators(kAccelTable));

    PostMessageA(main.handle(), WM_KEYDOWN, VK_F5, 0);
    PostMessageA(main.handle(), WM_KEYDOWN, VK_F6, 0);
    PostQuitMessage(0);
    app.appMessageLoop();
    // F5 became the command (code 1: from an accelerator); F6 was left alone.
    EXPECT_EQ(main.commands, (std::vector<std::pair<UINT, UINT>> { { kAccelCommand, 1 } }));
}

TEST_F(MessageLoop, ExitCodeIsTheQuitValueAndTheOwnedObjectGoes)
{
    swCApplication& app = theApplication();
    bool deleted = false;
    app.setOwnedObject(std::make_unique<Owned>(deleted));
    PostQuitMessage(42);
    EXPECT_EQ(app.appMessageLoop(), 42);
    EXPECT_EQ(app.exitCode(), 42);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(app.ownedObject(), nullptr);
}

TEST_F(MessageLoop, ModelessDialogKeysGoThroughItsNavigationOnce)
{
    swCApplication& app = theApplication();
    NavigationDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND first = GetDlgItem(dialog.handle(), 11);
    HWND second = GetDlgItem(dialog.handle(), 12);
    SetFocus(first);

    // Tab moves the focus and never reaches the control; a character reaches it exactly once.
    PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
    PostMessageA(second, WM_CHAR, 'x', 0);
    PostQuitMessage(0);
    app.appMessageLoop();
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(g_keyDowns.load(), 0);
    EXPECT_EQ(g_chars.load(), 1);

    dialog.Destroy();
    EXPECT_EQ(dialog.handle(), nullptr);
}

TEST_F(MessageLoop, ClosedModelessDialogLeavesTheListWithTheObject)
{
    swCApplication& app = theApplication();
    auto* dialog = new NavigationDialog();
    ASSERT_TRUE(dialog->Create());
    EXPECT_EQ(app.modelessWindows().front(), dialog);
    PostMessageA(dialog->handle(), WM_COMMAND, IDCANCEL, 0);
    PostQuitMessage(0);
    app.appMessageLoop();
    EXPECT_TRUE(app.modelessWindows().empty());
}

TEST_F(ProgramPath, FolderEndsWithABackslashAndHoldsTheProgram)
{
    swCApplication& app = theApplication();
    std::string path = app.appProgramPath();
    std::string folder = app.appProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(path.compare(0, folder.size(), folder), 0);
    EXPECT_EQ(path.find('\\', folder.size()), std::string::npos);
    EXPECT_LT(path.size(), size_t(MAX_PATH));
}

TEST_F(MessageLoop, OutOfMemoryBoxRetriesOrEndsTheProcess)
{
    platform::harness::clearMessageBoxes();
    platform::harness::queueMessageBoxAnswer(IDRETRY);
    outOfMemoryHandler();
    auto boxes = platform::harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].style, 0x2005u);
    EXPECT_EQ(boxes[0].text, platform::utf8ToCp932("メモリが足りません。\nいくつかのアプリケーションを終了するか、\n"
                                                    "このプログラムの実行をキャンセルしてください。"));

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::harness::queueMessageBoxAnswer(IDCANCEL);
            outOfMemoryHandler();
        },
        ::testing::ExitedWithCode(255), "");
}
