// The window kit's own logic: where windows are centred and placed, and how the base answers the
// common messages from a window's description.
#include "ui/main_window_services.h"
#include "ui/window_kit.h"

#include "lib/profile.h"
#include "tests/lib/window_test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr DWORD kCaptioned = WS_POPUP | WS_CAPTION | WS_SYSMENU;

RECT workArea()
{
    RECT area {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

RECT frameOf(SIZE client, DWORD style)
{
    RECT frame { 0, 0, client.cx, client.cy };
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    return frame;
}

// A popup that keeps the messages posted to it, standing in for an owner or the main window.
class Owner : public swCWindow {
public:
    Owner(RECT at, const char* className = "KitTestOwner")
        : swCWindow(className)
    {
        setStyle(WS_POPUP | WS_VISIBLE);
        setFrame(at.left, at.top, at.right - at.left, at.bottom - at.top);
        Create();
    }
    int OnMessage(MessageRecord& msg) override
    {
        if (msg.message < WM_USER)
            return 0;
        posted.push_back(msg.message);
        return 1;
    }
    std::vector<UINT> posted;
};

class MainWindowIs : public MainWindowServices {
public:
    explicit MainWindowIs(HWND window) : m_window(window) { setMainWindowServices(this); }
    ~MainWindowIs() override { setMainWindowServices(nullptr); }
    HWND mainWindow() const override { return m_window; }
    void unloadSound(int) override { }
    void restartMusic() override { }
    void fadeOutMusic() override { }

private:
    HWND m_window;
};

// A captioned popup of the owner, not yet placed.
class Captioned : public swCWindow {
public:
    Captioned(const char* className, swCWindow* owner)
        : swCWindow(className, owner)
    {
        setStyle(kCaptioned);
        setFrame(0, 0, 40, 40);
        Create();
    }
};

struct KitFixture : ::testing::Test {
    KitFixture() { testing_lib::initApplication(); }
    ~KitFixture() override { testing_lib::destroyAllWindows(); }
};

using Centring = KitFixture;

TEST_F(Centring, OverTheOwnerOrTheMainWindowByFrameOrByClient)
{
    const SIZE client { 200, 100 };
    const RECT frame = frameOf(client, kCaptioned);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    Owner owner({ 100, 50, 500, 350 });
    Owner main({ 20, 10, 820, 610 }, "KitTestMain");
    const RECT area = workArea();
    const POINT screenCentre { GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2 };
    struct Case {
        const char* name;
        HWND owner;
        HWND mainWindow;
        ui::Centring how;
        POINT topLeft;
    } cases[] = {
        { "frame over the owner", owner.handle(), nullptr, {}, { 100 + (400 - width) / 2, 50 + (300 - height) / 2 } },
        { "frame over the work area without an owner", nullptr, nullptr, {},
            { area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2 } },
        // The client area is centred: the caption pushes the frame up.
        { "client over the main window", owner.handle(), main.handle(), ui::kOverMainWindow,
            { 420 - 100 + frame.left, 310 - 50 + frame.top } },
        { "client over the owner without a main window", owner.handle(), nullptr, ui::kOverMainWindow,
            { 300 - 100 + frame.left, 200 - 50 + frame.top } },
        { "client over the screen without either", nullptr, nullptr, ui::kOverMainWindow,
            { screenCentre.x - 100 + frame.left, screenCentre.y - 50 + frame.top } },
    };
    for (const Case& c : cases) {
        MainWindowIs installed(c.mainWindow);
        const RECT r = ui::centredWindowRect(c.owner, client, kCaptioned, 0, c.how);
        EXPECT_EQ(r.left, c.topLeft.x) << c.name;
        EXPECT_EQ(r.top, c.topLeft.y) << c.name;
        EXPECT_EQ(r.right - r.left, width) << c.name;
        EXPECT_EQ(r.bottom - r.top, height) << c.name;
    }
    ShowWindow(main.handle(), SW_MINIMIZE);
    MainWindowIs minimised(main.handle());
    const RECT r = ui::centredWindowRect(owner.handle(), client, kCaptioned, 0, ui::kOverMainWindow);
    EXPECT_EQ(r.left, screenCentre.x - 100 + frame.left) << "a minimised main window leaves the screen's centre";
}

TEST_F(Centring, TheWindowIsSizedToItsClientAreaAndKeptInsideTheWorkArea)
{
    const RECT area = workArea();
    // An owner hanging off the bottom-right corner would centre the window partly outside.
    Owner owner({ area.right - 100, area.bottom - 80, area.right + 300, area.bottom + 220 });
    Captioned window("KitTestCentred", nullptr);
    ui::centreWindow(window, owner.handle(), { 200, 100 });
    RECT placed {}, inner {};
    GetWindowRect(window.handle(), &placed);
    GetClientRect(window.handle(), &inner);
    EXPECT_EQ(inner.right, 200);
    EXPECT_EQ(inner.bottom, 100);
    EXPECT_EQ(placed.right, area.right);
    EXPECT_EQ(placed.bottom, area.bottom);
}

using InfoPlacement = KitFixture;

TEST_F(InfoPlacement, TheKeptPlaceElseBesideTheSidePanelOrTheScrollBar)
{
    Owner owner({ 30, 20, 830, 620 });
    const std::string kept = "KitTestKept";
    swCProfileKey("WindowInfo", (kept + "WindowPosLeft").c_str()).profileWriteInt(300);
    swCProfileKey("WindowInfo", (kept + "WindowPosTop").c_str()).profileWriteInt(-1);
    struct Case {
        const char* key;
        bool besideLeftPanel;
        POINT topLeft;
    } cases[] = {
        { kept.c_str(), true, { 300, workArea().top } },
        { "KitTestNeverKept", true, { 30 + 216, 20 } },
        { "KitTestNeverKept", false, { 30 + GetSystemMetrics(SM_CXVSCROLL), 20 } },
    };
    for (const Case& c : cases) {
        Captioned window("KitTestInfo", &owner);
        ui::placeInfoWindow(window, c.key, { 150, 90 }, c.besideLeftPanel);
        RECT placed {}, inner {};
        GetWindowRect(window.handle(), &placed);
        GetClientRect(window.handle(), &inner);
        EXPECT_EQ(placed.left, c.topLeft.x) << c.key;
        EXPECT_EQ(placed.top, c.topLeft.y) << c.key;
        EXPECT_EQ(inner.right, 150) << c.key;
        EXPECT_EQ(inner.bottom, 90) << c.key;
        DestroyWindow(window.handle());
    }
}

constexpr UINT kCloseRequest = WM_USER + 77;

class KitTestWindow : public ui::KitWindow<swCWindow> {
public:
    KitTestWindow(swCWindow* owner, const ui::WindowDescription& description)
        : KitWindow("KitTestWindow", owner)
        , m_description(description)
    {
        setStyle(WS_POPUP | WS_VISIBLE);
        setFrame(0, 0, 60, 40);
    }
    const ui::WindowDescription& description() const override { return m_description; }
    void closeGesture() override
    {
        hooks += "close ";
        KitWindow::closeGesture();
    }
    void paint(HDC, const RECT&) override { hooks += "paint "; }
    void raise() override { hooks += "raise "; }
    void erasingBackground() override { hooks += "erase "; }
    void destroying() override { hooks += "destroying "; }
    std::optional<INT_PTR> okResult() override
    {
        hooks += "ok ";
        return okEnds ? std::optional<INT_PTR>(1) : std::nullopt;
    }
    // The hooks the kit called, in order.
    std::string hooks;
    bool okEnds = true;

private:
    ui::WindowDescription m_description;
};

using KitAnswers = KitFixture;

TEST_F(KitAnswers, TheCommonMessagesAreAnsweredFromTheDescription)
{
    const ui::WindowDescription floating { .placementKey = "KitTestFloat", .drawn = true,
        .closing = ui::Closing::AskOwner, .closeRequest = kCloseRequest, .floating = true };
    const ui::WindowDescription draggedModal { .drag = ui::Drag::Anywhere, .closing = ui::Closing::EndModal };
    const ui::WindowDescription leftAlone { .closing = ui::Closing::Unanswered };
    const ui::WindowDescription paintedInPart { .closeOnRightRelease = true, .painted = true };
    const ui::WindowDescription captionCloses { .captionRightClickCloses = true };
    struct Case {
        const char* name;
        const ui::WindowDescription& description;
        UINT message;
        WPARAM wParam;
        ui::Answer answer;
        const char* hooks;
        LRESULT result;
    } cases[] = {
        { "close box asks the owner", floating, WM_CLOSE, 0, ui::Answer::Taken, "close ", 0 },
        { "right click asks the owner", floating, WM_RBUTTONDOWN, 0, ui::Answer::Taken, "close ", 0 },
        { "right click on a control", floating, WM_PARENTNOTIFY, WM_RBUTTONDOWN, ui::Answer::Seen, "close ", 0 },
        { "left click on a control raises", floating, WM_PARENTNOTIFY, WM_LBUTTONDOWN, ui::Answer::Seen, "raise ", 0 },
        { "left click in it raises", floating, WM_LBUTTONDOWN, 0, ui::Answer::Taken, "raise ", 0 },
        { "a caption keeps its right clicks", floating, WM_NCRBUTTONDOWN, 0, ui::Answer::None, "", 0 },
        { "a caption is hit by the frame", floating, WM_NCHITTEST, 0, ui::Answer::None, "", 0 },
        { "the destruction is seen", floating, WM_DESTROY, 0, ui::Answer::Seen, "destroying ", 0 },
        { "a drawn window paints its picture", floating, WM_PAINT, 0, ui::Answer::Taken, "erase paint ", 0 },
        { "and erases with it", floating, WM_ERASEBKGND, 0, ui::Answer::Taken, "erase ", 1 },
        { "a release is not a click", floating, WM_RBUTTONUP, 0, ui::Answer::None, "", 0 },
        { "a body dragged anywhere", draggedModal, WM_NCHITTEST, 0, ui::Answer::Taken, "", HTCAPTION },
        { "its right clicks arrive on the frame", draggedModal, WM_NCRBUTTONDOWN, 0, ui::Answer::Taken, "close destroying ", 0 },
        { "a modal left click is its own", draggedModal, WM_LBUTTONDOWN, 0, ui::Answer::None, "", 0 },
        { "an undrawn window paints itself", draggedModal, WM_PAINT, 0, ui::Answer::None, "", 0 },
        { "and erases itself", draggedModal, WM_ERASEBKGND, 0, ui::Answer::None, "erase ", 0 },
        { "closing left to the window", leftAlone, WM_CLOSE, 0, ui::Answer::None, "", 0 },
        { "right clicks left to the window", leftAlone, WM_RBUTTONDOWN, 0, ui::Answer::None, "", 0 },
        { "a window painted in part paints", paintedInPart, WM_PAINT, 0, ui::Answer::Taken, "erase paint ", 0 },
        { "but its class erases", paintedInPart, WM_ERASEBKGND, 0, ui::Answer::None, "erase ", 0 },
        { "a right press does not close it", paintedInPart, WM_RBUTTONDOWN, 0, ui::Answer::None, "", 0 },
        { "the release does", paintedInPart, WM_RBUTTONUP, 0, ui::Answer::Taken, "close destroying ", 0 },
        { "a caption told to close on a right click", captionCloses, WM_NCRBUTTONDOWN, 0, ui::Answer::Taken,
            "close destroying ", 0 },
    };
    Owner owner({ 0, 0, 300, 200 });
    for (const Case& c : cases) {
        KitTestWindow window(&owner, c.description);
        window.Create();
        MessageRecord msg { c.message, c.wParam, 0, 0 };
        EXPECT_EQ(ui::answerCommonMessage(window, window, msg), c.answer) << c.name;
        EXPECT_EQ(window.hooks, c.hooks) << c.name;
        EXPECT_EQ(msg.result, c.result) << c.name;
        DestroyWindow(window.handle());
    }
    testing_lib::pump();
    EXPECT_EQ(owner.posted, (std::vector<UINT> { kCloseRequest, kCloseRequest, kCloseRequest }));
}

TEST_F(KitAnswers, ADragStaysInTheWorkAreaAndTheEndKeepsThePlacement)
{
    const RECT area = workArea();
    const ui::WindowDescription kept { .placementKey = "KitTestEnd", .closing = ui::Closing::AskOwner };
    KitTestWindow window(nullptr, kept);
    window.Create();
    MoveWindow(window.handle(), 40, 30, 60, 40, FALSE);
    RECT dragged { area.right - 10, 5, area.right + 50, 45 };
    SendMessageA(window.handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&dragged));
    EXPECT_EQ(dragged.right, area.right);
    EXPECT_EQ(dragged.left, area.right - 60);
    SendMessageA(window.handle(), WM_COMMAND, IDCANCEL, 0);
    testing_lib::pump();
    EXPECT_EQ(window.hooks.find("close "), 0u) << "Escape closes as the close box does";
    DestroyWindow(window.handle());
    EXPECT_NE(window.hooks.find("destroying "), std::string::npos);
    EXPECT_EQ(swCProfileKey("WindowInfo", "KitTestEndWindowPosLeft").profileReadInt(-1), 40);
}

TEST_F(KitAnswers, TheDescribedOkAndCancelButtonsAndTheirKeysEndTheDialog)
{
    constexpr UINT kOk = 10, kCancel = 11, kOther = 12;
    const ui::WindowDescription buttons { .okButton = kOk, .cancelButton = kCancel };
    const ui::WindowDescription keysOnly { .escapeClosesEnterIgnored = true };
    struct Case {
        const ui::WindowDescription& description;
        UINT command;
        bool okEnds;
        int answer;
        const char* hooks;
    } cases[] = {
        { buttons, kOk, true, 1, "ok destroying " },
        { buttons, IDOK, true, 1, "ok destroying " },
        { buttons, kOk, false, 1, "ok " },
        { buttons, kCancel, true, 1, "destroying " },
        { buttons, IDCANCEL, true, 1, "destroying " },
        { buttons, kOther, true, 0, "" },
        { keysOnly, IDCANCEL, true, 1, "close destroying " },
        { keysOnly, IDOK, true, 1, "" },
        { keysOnly, kOther, true, 0, "" },
    };
    for (const Case& c : cases) {
        KitTestWindow window(nullptr, c.description);
        window.Create();
        window.okEnds = c.okEnds;
        MessageRecord msg { WM_COMMAND, c.command, 0, 0 };
        EXPECT_EQ(window.OnCommand(msg, c.command, 0), c.answer) << c.command;
        EXPECT_EQ(window.hooks, c.hooks) << c.command;
        EXPECT_EQ(IsWindow(window.handle()) != FALSE, std::string(c.hooks).find("destroying") == std::string::npos) << c.command;
        if (IsWindow(window.handle()))
            DestroyWindow(window.handle());
    }
}

TEST(RunShowingError, ALibraryErrorIsShownOverTheGivenWindowAndAnswersFalse)
{
    platform::harness::clearMessageBoxes();
    int ran = 0;
    EXPECT_TRUE(ui::runShowingError(nullptr, [&] { ++ran; }));
    EXPECT_TRUE(platform::harness::messageBoxes().empty());
    EXPECT_FALSE(ui::runShowingError(nullptr, [&] {
        ++ran;
        throw new swCError(0, "failed");
    }));
    EXPECT_EQ(ran, 2);
    ASSERT_EQ(platform::harness::messageBoxes().size(), 1u);
    EXPECT_EQ(platform::harness::messageBoxes()[0].caption, "failed");
}

} // namespace
