// Window lifetime: creation and destruction messages, stale handles, subclassing, properties
// and extra bytes.
#include "platform/user/input_sink.h"
#include "platform/user/system_classes.h"
#include "platform/kernel/host.h"
#include "user_test_util.h"

#include <gtest/gtest.h>

using namespace usertest;

namespace {

const std::vector<UINT> kLifetime = { WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
    WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_PARENTNOTIFY, WM_DESTROY, WM_NCDESTROY };

struct Fixture : ::testing::Test {
    void TearDown() override { destroyAll(); }
};

using WindowLifetime = Fixture;
using WindowFields = Fixture;

TEST_F(WindowLifetime, CreationSendsMessagesInOrder)
{
    Recorder::instance().clear();
    HWND frame = createFrame("frame", 10, 10, 300, 200);
    ASSERT_TRUE(frame);
    std::vector<UINT> expected = { WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
        WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED };
    EXPECT_EQ(Recorder::instance().messages(frame, kLifetime), expected);

    Recorder::instance().clear();
    HWND hidden = createChild(frame, 7, 0, 0, 50, 50, WS_CHILD);
    std::vector<UINT> childExpected = { WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE };
    EXPECT_EQ(Recorder::instance().messages(hidden, kLifetime), childExpected);
    std::vector<UINT> parentExpected = { WM_PARENTNOTIFY };
    EXPECT_EQ(Recorder::instance().messages(frame, kLifetime), parentExpected);
    EXPECT_EQ(GetWindowLongPtrA(hidden, GWLP_ID), 7);
}

TEST_F(WindowLifetime, CreateFailsForUnknownClassAndChildWithoutParent)
{
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(createChild(nullptr, 1, 0, 0, 1, 1), nullptr);
}

TEST_F(WindowLifetime, CreateMinusOneDestroysTheWindow)
{
    HWND seen = nullptr;
    Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* out) {
        if (message != WM_CREATE)
            return false;
        seen = hwnd;
        *out = -1;
        return true;
    };
    EXPECT_EQ(createFrame("refused", 0, 0, 100, 100), nullptr);
    ASSERT_TRUE(seen);
    EXPECT_FALSE(IsWindow(seen));
    auto destroyed = Recorder::instance().messages(seen, { WM_DESTROY, WM_NCDESTROY });
    EXPECT_EQ(destroyed, (std::vector<UINT> { WM_DESTROY, WM_NCDESTROY }));
}

TEST_F(WindowLifetime, DestroyGoesParentFirstAndNcDestroyLast)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200);
    HWND child = createChild(frame, 1, 0, 0, 50, 50);
    HWND grandchild = createChild(child, 2, 0, 0, 10, 10);
    HWND owned = createFrame("owned", 20, 20, 100, 100, WS_POPUP | WS_VISIBLE, 0, frame);
    Recorder::instance().clear();
    ASSERT_TRUE(DestroyWindow(frame));

    std::vector<std::pair<HWND, UINT>> order;
    for (const Entry& e : Recorder::instance().entries())
        if (e.message == WM_DESTROY || e.message == WM_NCDESTROY)
            order.emplace_back(e.hwnd, e.message);
    std::vector<std::pair<HWND, UINT>> expected = {
        { owned, WM_DESTROY }, { owned, WM_NCDESTROY },
        { frame, WM_DESTROY }, { child, WM_DESTROY }, { grandchild, WM_DESTROY },
        { grandchild, WM_NCDESTROY }, { child, WM_NCDESTROY }, { frame, WM_NCDESTROY },
    };
    EXPECT_EQ(order, expected);
    for (HWND h : { frame, child, grandchild, owned })
        EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowLifetime, StaleHandlesAreRefused)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100);
    ASSERT_TRUE(DestroyWindow(frame));
    EXPECT_FALSE(IsWindow(frame));
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(frame, GWL_STYLE), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_FALSE(PostMessageA(frame, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessageA(frame, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_FALSE(SetWindowTextA(frame, "x"));
    EXPECT_FALSE(DestroyWindow(frame));
    RECT r;
    EXPECT_FALSE(GetWindowRect(frame, &r));
    // A new window never takes over the old handle value.
    HWND next = createFrame("next", 0, 0, 100, 100);
    EXPECT_NE(next, frame);
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(WindowLifetime, DestroyingTheFocusAndCaptureWindowClearsThem)
{
    HWND frame = createFrame("frame", 0, 0, 300, 200);
    HWND child = createChild(frame, 1, 0, 0, 50, 50);
    SetFocus(child);
    SetCapture(child);
    ASSERT_EQ(GetFocus(), child);
    DestroyWindow(child);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), frame);
    DestroyWindow(frame);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

LRESULT CALLBACK upperCaseText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC g_previous = nullptr;

LRESULT CALLBACK upperCaseText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT) {
        std::string text = reinterpret_cast<LPCSTR>(lParam);
        for (char& c : text)
            c = char(toupper(c));
        return CallWindowProcA(g_previous, hwnd, message, wParam, LPARAM(text.c_str()));
    }
    return CallWindowProcA(g_previous, hwnd, message, wParam, lParam);
}

TEST_F(WindowFields, SubclassedProcedureSeesMessagesFirst)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100);
    g_previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(frame, GWLP_WNDPROC, LONG_PTR(upperCaseText)));
    ASSERT_TRUE(g_previous);
    SetWindowTextA(frame, "abc");
    char text[16];
    EXPECT_EQ(GetWindowTextA(frame, text, sizeof text), 3);
    EXPECT_STREQ(text, "ABC");
    // Restoring the old procedure ends the subclass.
    SetWindowLongPtrA(frame, GWLP_WNDPROC, LONG_PTR(g_previous));
    SetWindowTextA(frame, "xyz");
    GetWindowTextA(frame, text, sizeof text);
    EXPECT_STREQ(text, "xyz");
    // A short buffer gets a terminated prefix.
    char small[3];
    EXPECT_EQ(GetWindowTextA(frame, small, sizeof small), 2);
    EXPECT_STREQ(small, "xy");
}

TEST_F(WindowFields, PropertiesAreSetReplacedAndRemoved)
{
    HWND frame = createFrame("frame", 0, 0, 100, 100);
    int a = 0, b = 0;
    EXPECT_TRUE(SetPropA(frame, "w+", &a));
    EXPECT_EQ(GetPropA(frame, "W+"), &a);   // names ignore case
    EXPECT_TRUE(SetPropA(frame, "w+", &b));
    EXPECT_EQ(GetPropA(frame, "w+"), &b);
    EXPECT_EQ(GetPropA(frame, "other"), nullptr);
    EXPECT_EQ(RemovePropA(frame, "w+"), &b);
    EXPECT_EQ(GetPropA(frame, "w+"), nullptr);
    EXPECT_EQ(RemovePropA(frame, "w+"), nullptr);
}

LRESULT CALLBACK plainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(WindowFields, ExtraBytesHoldPointersAndRefuseOutOfRange)
{
    WNDCLASSA wc {};
    wc.lpfnWndProc = plainProc;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.cbClsExtra = sizeof(LONG_PTR);
    wc.lpszClassName = "ExtraBytes";
    ASSERT_TRUE(RegisterClassA(&wc));
    EXPECT_FALSE(RegisterClassA(&wc));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_ALREADY_EXISTS));
    HWND w = CreateWindowExA(0, "ExtraBytes", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    int target = 0;
    SetWindowLongPtrA(w, int(sizeof(LONG_PTR)), LONG_PTR(&target));
    EXPECT_EQ(GetWindowLongPtrA(w, int(sizeof(LONG_PTR))), LONG_PTR(&target));
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(w, int(2 * sizeof(LONG_PTR) - 4)), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));
    // Pointer-sized fields refuse the 32-bit forms instead of handing out a cut pointer.
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(w, GWL_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongA(w, GWL_WNDPROC, 1), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), LONG_PTR(plainProc));
    SetClassLongPtrA(w, 0, LONG_PTR(&target));
    EXPECT_EQ(GetClassLongPtrA(w, 0), ULONG_PTR(&target));
    char name[32];
    EXPECT_EQ(GetClassNameA(w, name, sizeof name), 10);
    EXPECT_STREQ(name, "ExtraBytes");
    EXPECT_FALSE(UnregisterClassA("ExtraBytes", nullptr));
    DestroyWindow(w);
    EXPECT_TRUE(UnregisterClassA("ExtraBytes", nullptr));
}

TEST_F(WindowFields, SystemClassesAreFoundWithAnyInstance)
{
    WNDCLASSA wc {};
    wc.lpfnWndProc = plainProc;
    wc.lpszClassName = "TestSystemButton";
    ASSERT_TRUE(platform::user::registerSystemClass(wc));
    WNDCLASSA info {};
    EXPECT_TRUE(GetClassInfoA(nullptr, "testsystembutton", &info));
    EXPECT_EQ(info.lpfnWndProc, plainProc);
    HWND w = CreateWindowExA(0, "TestSystemButton", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
        reinterpret_cast<HINSTANCE>(0x1234), nullptr);
    EXPECT_TRUE(w);
    EXPECT_FALSE(platform::user::registerSystemClass(wc));
}

TEST_F(WindowFields, TreeQueriesFollowParentsOwnersAndZOrder)
{
    HWND frame = createFrame("main", 0, 0, 300, 200);
    HWND first = createChild(frame, 1, 0, 0, 10, 10);
    HWND second = createChild(frame, 2, 0, 0, 10, 10);
    HWND popup = createFrame("popup", 0, 0, 50, 50, WS_POPUP, 0, second);
    EXPECT_EQ(GetParent(first), frame);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), frame);   // the owner is always a top-level window
    EXPECT_EQ(GetParent(popup), frame);
    EXPECT_EQ(GetWindow(frame, GW_CHILD), first);   // creation order is z-order, first on top
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_TRUE(IsChild(frame, first));
    EXPECT_FALSE(IsChild(frame, popup));
    EXPECT_EQ(GetAncestor(first, GA_ROOT), frame);
    EXPECT_EQ(FindWindowA(recordingClass(), "POPUP"), popup);   // titles ignore case
    std::string kanji = platform::utf8ToCp932("アイ");   // trail bytes in the ASCII letter range
    SetWindowTextA(popup, kanji.c_str());
    std::string lowered = kanji;
    for (char& c : lowered)
        c = char(tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(FindWindowA(nullptr, kanji.c_str()), popup);
    ASSERT_NE(lowered, kanji);
    EXPECT_EQ(FindWindowA(nullptr, lowered.c_str()), nullptr);
    EXPECT_EQ(FindWindowExA(frame, nullptr, nullptr, nullptr), first);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(frame, GW_CHILD), second);
    DWORD pid = 0;
    EXPECT_EQ(GetWindowThreadProcessId(first, &pid), GetCurrentThreadId());
}

TEST_F(WindowFields, TopmostWindowsStayAboveOthers)
{
    HWND topmost = createFrame("topmost", 0, 0, 100, 100, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    HWND normal = createFrame("normal", 0, 0, 100, 100, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetTopWindow(nullptr), topmost);
    EXPECT_EQ(WindowFromPoint(POINT { 10, 10 }), topmost);
    SetWindowPos(normal, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT { 10, 10 }), normal);
    SetWindowPos(normal, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT { 10, 10 }), topmost);
    ShowWindow(topmost, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(POINT { 10, 10 }), normal);
}

TEST(Rectangles, SubtractOnlyWhereARectangleRemains)
{
    RECT a { 0, 0, 100, 50 }, r;
    RECT leftPart { 0, 0, 30, 50 };
    EXPECT_TRUE(SubtractRect(&r, &a, &leftPart));
    EXPECT_EQ(r.left, 30);
    RECT middle { 30, 0, 60, 50 };
    EXPECT_TRUE(SubtractRect(&r, &a, &middle));
    EXPECT_TRUE(EqualRect(&r, &a));   // a hole leaves the rectangle whole
    EXPECT_FALSE(SubtractRect(&r, &a, &a));
    RECT apart { 200, 200, 300, 300 };
    EXPECT_FALSE(IntersectRect(&r, &a, &apart));
    EXPECT_TRUE(IsRectEmpty(&r));
    RECT empty {};
    EXPECT_TRUE(UnionRect(&r, &empty, &apart));
    EXPECT_TRUE(EqualRect(&r, &apart));
    EXPECT_TRUE(PtInRect(&a, POINT { 0, 0 }));
    EXPECT_FALSE(PtInRect(&a, POINT { 100, 10 }));
}

TEST(Cursors, SystemShapesAreSharedHandles)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_TRUE(arrow);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_NE(LoadCursorA(nullptr, IDC_WAIT), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_TRUE(LoadIconA(nullptr, IDI_APPLICATION));
    HCURSOR before = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_EQ(platform::user::currentCursorShape(), 32514);
    ShowCursor(FALSE);
    EXPECT_EQ(platform::user::currentCursorShape(), 0);
    ShowCursor(TRUE);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(before), arrow);
    EXPECT_TRUE(DestroyCursor(arrow));
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);   // shared shapes survive
}

TEST_F(WindowFields, GeometryMapsBetweenClientAndScreen)
{
    RECT expected { 0, 0, 200, 100 };
    RECT adjusted = expected;
    AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND frame = createFrame("frame", 40, 30, adjusted.right - adjusted.left, adjusted.bottom - adjusted.top);
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    HWND child = createChild(frame, 1, 10, 20, 30, 40);
    POINT p { 0, 0 };
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 40 - adjusted.left + 10);
    EXPECT_EQ(p.y, 30 - adjusted.top + 20);
    POINT q = p;
    MapWindowPoints(nullptr, frame, &q, 1);
    EXPECT_EQ(q.x, 10);
    EXPECT_EQ(q.y, 20);
    MoveWindow(child, 5, 6, 70, 80, TRUE);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 70);
    EXPECT_EQ(r.bottom - r.top, 80);
}

TEST_F(WindowFields, PlacementRestoresTheNormalRectangle)
{
    HWND frame = createFrame("frame", 10, 20, 300, 200);
    ShowWindow(frame, SW_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(frame));
    WINDOWPLACEMENT wp {};
    wp.length = sizeof wp;
    GetWindowPlacement(frame, &wp);
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMAXIMIZED));
    EXPECT_EQ(wp.rcNormalPosition.left, 10);
    EXPECT_EQ(wp.rcNormalPosition.right, 310);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r;
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.right - r.left, work.right - work.left);
    ShowWindow(frame, SW_RESTORE);
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.bottom, 220);
    ShowWindow(frame, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(frame));
    GetWindowPlacement(frame, &wp);
    EXPECT_EQ(wp.showCmd, UINT(SW_SHOWMINIMIZED));
}

} // namespace
