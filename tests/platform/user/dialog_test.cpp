// The dialog manager: templates, modal loops across threads, keyboard navigation, the default
// dialog procedure and unwinding through a modal loop.
#include "platform/desktop/harness.h"
#include "platform/user/dialog_button_ids.h"
#include "platform/user/modal_owner.h"
#include "platform/user/resource_table.h"
#include "platform/windows.h"
#include "user_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace harness = platform::harness;
using platform::resources::DialogItem;
using platform::resources::DialogTemplate;

namespace {

// A control that answers WM_GETDLGCODE with the code kept in its user data and records the
// button messages it gets.
std::vector<std::pair<int, UINT>> g_controlMessages;

LRESULT CALLBACK testControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    case BM_CLICK:
    case BM_SETCHECK:
    case BM_SETSTYLE:
        g_controlMessages.emplace_back(GetDlgCtrlID(hwnd), message);
        if (message == BM_SETCHECK)
            SetPropA(hwnd, "checked", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case BM_GETCHECK:
        return reinterpret_cast<LRESULT>(GetPropA(hwnd, "checked"));
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

void registerTestClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    WNDCLASSA cls {};
    cls.lpfnWndProc = testControlProc;
    cls.lpszClassName = "DlgTestControl";
    RegisterClassA(&cls);
    cls.lpfnWndProc = DefWindowProcA;
    cls.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    cls.lpszClassName = "DlgTestOwner";
    RegisterClassA(&cls);
}

DialogItem item(int id, DWORD style, int x)
{
    return DialogItem { "DlgTestControl", "", id, DWORD(WS_CHILD | WS_VISIBLE | style), 0, RECT { x, 10, x + 30, 30 } };
}

// Template 900: ids 10, 11 (a group of three with 12), 20 (no tab stop), 30 (disabled), 31.
void addNavigationTemplate()
{
    DialogTemplate t;
    t.caption = "navigation";
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE;
    t.clientSize = SIZE { 300, 120 };
    t.items = {
        item(10, WS_TABSTOP | WS_GROUP, 10),
        item(11, WS_TABSTOP | WS_GROUP, 50),
        item(12, 0, 90),
        item(13, 0, 130),
        item(20, WS_GROUP, 170),
        item(30, WS_TABSTOP | WS_DISABLED, 210),
        item(31, WS_TABSTOP, 250),
    };
    platform::resources::addDialog(MAKEINTRESOURCEA(900), t);
}

void setCode(HWND dialog, int id, LRESULT code)
{
    SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_USERDATA, code);
}

std::vector<WPARAM> g_dialogCommands;

INT_PTR CALLBACK recordingProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND)
        g_dialogCommands.push_back(wParam);
    return message == WM_INITDIALOG;
}

MSG keyMessage(HWND hwnd, UINT message, WPARAM key)
{
    MSG msg {};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = key;
    return msg;
}

HWND makeDialogOwner()
{
    registerTestClasses();
    return CreateWindowExA(0, "DlgTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, nullptr,
        nullptr, nullptr, nullptr);
}

} // namespace

TEST(DialogNavigation, TabWalksTabStopsSkippingDisabledAndHiddenAndWraps)
{
    registerTestClasses();
    addNavigationTemplate();
    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(900), nullptr, recordingProc, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 10)) << "WM_INITDIALOG returned TRUE: first tab stop";
    std::vector<int> order;
    for (int i = 0; i < 4; ++i) {
        MSG tab = keyMessage(GetFocus(), WM_KEYDOWN, VK_TAB);
        EXPECT_TRUE(IsDialogMessageA(dialog, &tab));
        order.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(order, (std::vector<int> { 11, 31, 10, 11 }));
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 10), TRUE), GetDlgItem(dialog, 31));
    ShowWindow(GetDlgItem(dialog, 31), SW_HIDE);
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 11), FALSE), GetDlgItem(dialog, 10));

    // WM_NEXTDLGCTL moves like Tab, or to the control it names.
    SetFocus(GetDlgItem(dialog, 10));
    SendMessageA(dialog, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11));
    SendMessageA(dialog, WM_NEXTDLGCTL, WPARAM(GetDlgItem(dialog, 12)), TRUE);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 12));

    // A control that wants Tab keeps it.
    setCode(dialog, 10, DLGC_WANTTAB);
    SetFocus(GetDlgItem(dialog, 10));
    MSG tab = keyMessage(GetFocus(), WM_KEYDOWN, VK_TAB);
    IsDialogMessageA(dialog, &tab);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 10));
    DestroyWindow(dialog);
}

TEST(DialogNavigation, ArrowsStayInsideTheGroupAndClickRadioButtons)
{
    registerTestClasses();
    addNavigationTemplate();
    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(900), nullptr, recordingProc, 0);
    ASSERT_NE(dialog, nullptr);
    for (int id : { 11, 12, 13 })
        setCode(dialog, id, DLGC_RADIOBUTTON | DLGC_BUTTON);
    SetFocus(GetDlgItem(dialog, 11));
    g_controlMessages.clear();
    std::vector<int> order;
    for (WPARAM key : { VK_DOWN, VK_RIGHT, VK_DOWN, VK_UP }) {
        MSG msg = keyMessage(GetFocus(), WM_KEYDOWN, key);
        IsDialogMessageA(dialog, &msg);
        order.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(order, (std::vector<int> { 12, 13, 11, 13 })) << "the group 11..13 ends before the WS_GROUP item 20";
    EXPECT_EQ(g_controlMessages.size(), 4u);
    EXPECT_EQ(g_controlMessages.front(), (std::pair<int, UINT> { 12, BM_CLICK }));

    setCode(dialog, 13, DLGC_WANTARROWS);
    MSG down = keyMessage(GetFocus(), WM_KEYDOWN, VK_DOWN);
    IsDialogMessageA(dialog, &down);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 13) << "a control that wants arrows keeps them";
    DestroyWindow(dialog);
}

TEST(DialogNavigation, EnterPressesTheDefaultButtonAndEscapeCancels)
{
    registerTestClasses();
    addNavigationTemplate();
    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(900), nullptr, recordingProc, 0);
    ASSERT_NE(dialog, nullptr);
    g_dialogCommands.clear();
    MSG enter = keyMessage(GetFocus(), WM_KEYDOWN, VK_RETURN);
    IsDialogMessageA(dialog, &enter);
    // No default button: IDOK. A button that calls itself default: that one.
    setCode(dialog, 31, DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    IsDialogMessageA(dialog, &enter);
    SendMessageA(dialog, DM_SETDEFID, 11, 0);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(11, DC_HASDEFID));
    IsDialogMessageA(dialog, &enter);
    // A focused push button takes Enter itself.
    setCode(dialog, 10, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    SetFocus(GetDlgItem(dialog, 10));
    enter.hwnd = GetFocus();
    IsDialogMessageA(dialog, &enter);
    MSG escape = keyMessage(GetFocus(), WM_KEYDOWN, VK_ESCAPE);
    IsDialogMessageA(dialog, &escape);
    auto id = [](WPARAM w) { return int(LOWORD(w)); };
    ASSERT_EQ(g_dialogCommands.size(), 5u);
    EXPECT_EQ(id(g_dialogCommands[0]), IDOK);
    EXPECT_EQ(id(g_dialogCommands[1]), 31);
    EXPECT_EQ(id(g_dialogCommands[2]), 11);
    EXPECT_EQ(id(g_dialogCommands[3]), 10);
    EXPECT_EQ(id(g_dialogCommands[4]), IDCANCEL);
    EXPECT_EQ(HIWORD(g_dialogCommands[4]), BN_CLICKED);

    // Messages for other windows are not the dialog's.
    HWND other = makeDialogOwner();
    MSG foreign = keyMessage(other, WM_KEYDOWN, VK_TAB);
    EXPECT_FALSE(IsDialogMessageA(dialog, &foreign));
    DestroyWindow(other);
    DestroyWindow(dialog);
}

namespace {

// Template 902: 10, 50 and 60 start groups; 40 holds its own controls (WS_EX_CONTROLPARENT), 50
// holds one without saying so. The panels' controls are made by panelDialog().
void addPanelTemplate()
{
    DialogTemplate t;
    t.caption = "panels";
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE;
    t.clientSize = SIZE { 300, 160 };
    auto panel = [](int id, DWORD exStyle, int x) {
        DWORD style = WS_CHILD | WS_VISIBLE | (exStyle ? 0 : WS_GROUP);
        return DialogItem { "DlgTestOwner", "", id, style, exStyle, RECT { x, 40, x + 100, 140 } };
    };
    t.items = {
        item(10, WS_TABSTOP | WS_GROUP, 10),
        panel(40, WS_EX_CONTROLPARENT, 10),
        panel(50, 0, 150),
        item(60, WS_TABSTOP | WS_GROUP, 250),
    };
    platform::resources::addDialog(MAKEINTRESOURCEA(902), t);
}

HWND panelDialog()
{
    registerTestClasses();
    addPanelTemplate();
    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(902), nullptr, recordingProc, 0);
    if (!dialog)
        return nullptr;
    auto control = [](HWND parent, int id, DWORD style, int y) {
        CreateWindowExA(0, "DlgTestControl", "", WS_CHILD | WS_VISIBLE | style, 10, y, 60, 20, parent,
            reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
    };
    control(GetDlgItem(dialog, 40), 41, WS_TABSTOP, 10);
    control(GetDlgItem(dialog, 40), 42, 0, 40);
    control(GetDlgItem(dialog, 50), 51, WS_TABSTOP | WS_GROUP, 10);
    return dialog;
}

// Handles this thread's queue the way a modeless dialog's message loop does (the harness puts
// input into the queue before it returns).
void pumpThrough(HWND dialog)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
}

} // namespace

TEST(DialogNavigation, TabAndShiftTabWalkIntoAndOutOfAControlParentOnly)
{
    HWND dialog = panelDialog();
    ASSERT_NE(dialog, nullptr);
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, 10));
    pumpThrough(dialog);
    std::vector<int> forward, backward;
    for (int i = 0; i < 4; ++i) {
        harness::pressKey(VK_TAB);
        pumpThrough(dialog);
        forward.push_back(GetDlgCtrlID(GetFocus()));
    }
    harness::keyDown(VK_SHIFT);
    for (int i = 0; i < 4; ++i) {
        harness::pressKey(VK_TAB);
        pumpThrough(dialog);
        backward.push_back(GetDlgCtrlID(GetFocus()));
    }
    harness::keyUp(VK_SHIFT);
    pumpThrough(dialog);
    EXPECT_EQ(forward, (std::vector<int> { 41, 60, 10, 41 })) << "41 inside panel 40; never 51 in the plain panel";
    EXPECT_EQ(backward, (std::vector<int> { 10, 60, 41, 10 }));
    EXPECT_EQ(GetParent(GetFocus()), dialog);

    // A disabled panel's controls are out of reach, as are a hidden one's.
    EnableWindow(GetDlgItem(dialog, 40), FALSE);
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 10), FALSE), GetDlgItem(dialog, 60));
    EnableWindow(GetDlgItem(dialog, 40), TRUE);
    ShowWindow(GetDlgItem(dialog, 40), SW_HIDE);
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 60), TRUE), GetDlgItem(dialog, 10));
    DestroyWindow(dialog);
}

TEST(DialogNavigation, ArrowsWalkTheGroupIntoAndOutOfAControlParent)
{
    HWND dialog = panelDialog();
    ASSERT_NE(dialog, nullptr);
    SetFocus(GetDlgItem(dialog, 10));
    std::vector<int> order;
    for (WPARAM key : { VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_LEFT }) {
        MSG msg = keyMessage(GetFocus(), WM_KEYDOWN, key);
        IsDialogMessageA(dialog, &msg);
        order.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ(order, (std::vector<int> { 41, 42, 10, 42, 41 })) << "the group 10, 41, 42 ends at 50";
    DestroyWindow(dialog);
}

TEST(DialogProcedure, CloseBecomesCancelAndMessageResultIsReturned)
{
    registerTestClasses();
    addNavigationTemplate();
    static auto proc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND)
            g_dialogCommands.push_back(wParam);
        if (message == WM_USER + 5) {
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 1234);
            return TRUE;
        }
        return FALSE;
    };
    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(900), nullptr, +proc, 0);
    ASSERT_NE(dialog, nullptr);
    g_dialogCommands.clear();
    EXPECT_EQ(SendMessageA(dialog, WM_USER + 5, 0, 0), 1234);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    ASSERT_EQ(g_dialogCommands.size(), 1u);
    EXPECT_EQ(LOWORD(g_dialogCommands[0]), IDCANCEL);
    EXPECT_NE(SendMessageA(dialog, WM_GETFONT, 0, 0), 0) << "the dialog has a font for its items";
    DestroyWindow(dialog);
}

TEST(DialogItems, NumbersReadBackOnlyWhenTheWholeTextIsOne)
{
    registerTestClasses();
    addNavigationTemplate();
    HWND dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(900), nullptr, recordingProc, 0);
    ASSERT_NE(dialog, nullptr);
    struct Case {
        const char* text;
        BOOL isSigned;
        BOOL translated;
        UINT value;
    };
    for (const Case& c : { Case { " 42 ", FALSE, TRUE, 42 }, Case { "-17", TRUE, TRUE, UINT(-17) },
             Case { "-17", FALSE, FALSE, 0 }, Case { "12abc", FALSE, FALSE, 0 }, Case { "", FALSE, FALSE, 0 },
             Case { "4294967295", FALSE, TRUE, 4294967295u }, Case { "4294967296", FALSE, FALSE, 0 },
             Case { "2147483648", TRUE, FALSE, 0 }, Case { "-2147483648", TRUE, TRUE, 0x80000000u } }) {
        SetDlgItemTextA(dialog, 10, c.text);
        BOOL translated = 7;
        EXPECT_EQ(GetDlgItemInt(dialog, 10, &translated, c.isSigned), c.value) << c.text;
        EXPECT_EQ(translated, c.translated) << c.text;
    }
    SetDlgItemInt(dialog, 11, UINT(-5), TRUE);
    char text[16];
    GetDlgItemTextA(dialog, 11, text, sizeof text);
    EXPECT_STREQ(text, "-5");
    CheckRadioButton(dialog, 10, 12, 11);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 11), UINT(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 10), UINT(BST_UNCHECKED));
    EXPECT_EQ(GetDlgItem(dialog, 777), nullptr);
    DestroyWindow(dialog);
}

namespace {

std::atomic<HWND> g_modalDialog { nullptr };

INT_PTR CALLBACK modalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        g_modalDialog = hwnd;
        if (lParam == 1)
            EndDialog(hwnd, 77); // ended before it is ever shown
        return TRUE;
    case WM_USER + 1:
        EndDialog(hwnd, INT_PTR(wParam));
        return TRUE;
    case WM_USER + 2:
        throw new std::runtime_error("rules failed");
    case WM_USER + 3:
        PostQuitMessage(9);
        return TRUE;
    default:
        return FALSE;
    }
}

void addModalTemplate()
{
    DialogTemplate t;
    t.caption = "modal";
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER;
    t.clientSize = SIZE { 200, 80 };
    t.items = { item(IDOK, WS_TABSTOP, 10) };
    platform::resources::addDialog(MAKEINTRESOURCEA(901), t);
}

// The modal template added and an owner window for it, with no modal dialog seen yet.
HWND modalOwner()
{
    registerTestClasses();
    addModalTemplate();
    HWND owner = makeDialogOwner();
    g_modalDialog = nullptr;
    return owner;
}

HWND waitForDialog()
{
    for (int i = 0; i < 5000 && !g_modalDialog; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return g_modalDialog;
}

} // namespace

TEST(ModalDialog, OnAnotherThreadDisablesTheOwnerUntilEnded)
{
    HWND owner = modalOwner();
    auto result = std::async(std::launch::async, [owner] { return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(901), owner, modalProc, 0); });
    HWND dialog = waitForDialog();
    ASSERT_NE(dialog, nullptr);
    usertest::pumpUntilTrue([&] { return !IsWindowEnabled(owner) && IsWindowVisible(dialog); });
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowVisible(dialog));
    harness::waitIdle(std::chrono::milliseconds(1000));
    harness::keepShot("dialog.png");
    PostMessageA(dialog, WM_USER + 1, 55, 0);
    EXPECT_EQ(usertest::pumpUntil(result), 55);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(dialog));
    DestroyWindow(owner);
}

TEST(ModalDialog, AThreadBackAtOtherWorkAfterItsLoopLeavesTheWindowSystemIdle)
{
    HWND owner = modalOwner();
    std::promise<void> release;
    std::future<void> released = release.get_future();
    std::atomic<INT_PTR> result = 0;
    std::thread worker([&] {
        result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(901), owner, modalProc, 0);
        // Other work, without reading the queue again.
        released.wait();
    });
    HWND dialog = waitForDialog();
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_USER + 1, 42, 0);
    // The loop ends before the button comes up: the release finds no window of the worker.
    RECT frame {};
    GetWindowRect(dialog, &frame);
    harness::mouseDown(frame.left + 5, frame.top + 5);
    usertest::pumpUntilTrue([&] { return !IsWindow(dialog); });
    EXPECT_FALSE(IsWindow(dialog));
    harness::mouseUp(frame.left + 5, frame.top + 5);
    EXPECT_TRUE(harness::waitIdle(std::chrono::milliseconds(2000))) << "the worker's queue still counts as busy";
    release.set_value();
    worker.join();
    EXPECT_EQ(result.load(), 42);
    DestroyWindow(owner);
}

std::shared_future<void> g_dialogHeld;
std::promise<void> g_dialogHolding;

// Ends on Enter; WM_USER + 4 holds its thread until g_dialogHeld, so input queues up meanwhile.
INT_PTR CALLBACK closesOnEnterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        g_modalDialog = hwnd;
        return TRUE;
    case WM_USER + 4:
        g_dialogHolding.set_value();
        g_dialogHeld.wait();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            EndDialog(hwnd, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

TEST(ModalDialog, AKeyReleaseForADialogClosedOnItsPressReachesNobodyAndHoldsNothingUp)
{
    HWND owner = modalOwner();
    g_dialogHolding = {};
    std::future<void> holding = g_dialogHolding.get_future();
    std::promise<void> hold, laterWork, loopEnded, workDone;
    g_dialogHeld = hold.get_future().share();
    std::future<void> ended = loopEnded.get_future(), done = workDone.get_future();
    std::atomic<INT_PTR> result = 0;
    std::atomic<int> staleReleases = 0;
    std::atomic<bool> enterStillDown = true;
    std::thread worker([&, later = laterWork.get_future()] {
        result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(901), owner, closesOnEnterProc, 0);
        loopEnded.set_value();
        // Other work, without reading the queue; then a window of its own takes the focus.
        later.wait();
        HWND next = CreateWindowExA(0, "DlgTestOwner", "next", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 200, 100,
            nullptr, nullptr, nullptr, nullptr);
        SetFocus(next);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_KEYUP)
                ++staleReleases;
            DispatchMessageA(&msg);
        }
        enterStillDown = GetKeyState(VK_RETURN) < 0;
        DestroyWindow(next);
        workDone.set_value();
    });
    HWND dialog = waitForDialog();
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_USER + 4, 0, 0);
    usertest::pumpUntil(holding);
    // Both reach the dialog's queue; the loop closes the dialog on the press.
    harness::keyDown(VK_RETURN);
    harness::keyUp(VK_RETURN);
    hold.set_value();
    usertest::pumpUntil(ended);
    EXPECT_EQ(result.load(), IDOK);
    EXPECT_TRUE(harness::waitIdle(std::chrono::milliseconds(2000))) << "the release for the closed dialog counts as work";
    laterWork.set_value();
    usertest::pumpUntil(done);
    worker.join();
    EXPECT_EQ(staleReleases.load(), 0) << "the later window got the closed dialog's release";
    EXPECT_FALSE(enterStillDown.load()) << "the dropped release still counts for the thread's key state";
    DestroyWindow(owner);
}

TEST(ModalDialog, EndDialogInsideInitDialogReturnsWithoutShowing)
{
    HWND owner = modalOwner();
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(901), owner, modalProc, 1), 77);
    EXPECT_FALSE(IsWindow(g_modalDialog));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(4711), owner, modalProc, 0), -1) << "no such template";
    DestroyWindow(owner);
}

TEST(ModalDialog, ErrorThrownInAHandlerUnwindsAndLeavesTheOwnerEnabled)
{
    HWND owner = modalOwner();
    std::thread poster([] {
        if (HWND dialog = waitForDialog())
            PostMessageA(dialog, WM_USER + 2, 0, 0);
    });
    std::runtime_error* caught = nullptr;
    try {
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(901), owner, modalProc, 0);
    } catch (std::runtime_error* error) {
        caught = error;
    }
    poster.join();
    ASSERT_NE(caught, nullptr);
    delete caught;
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(g_modalDialog));
    DestroyWindow(owner);
}

TEST(ModalDialog, QuitInsideTheLoopIsPostedAgainForTheOuterLoop)
{
    HWND owner = modalOwner();
    std::thread poster([] {
        if (HWND dialog = waitForDialog())
            PostMessageA(dialog, WM_USER + 3, 0, 0);
    });
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(901), owner, modalProc, 0);
    poster.join();
    EXPECT_FALSE(IsWindow(g_modalDialog));
    MSG msg;
    bool quit = false;
    while (!quit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            EXPECT_EQ(msg.wParam, 9u);
        }
        DispatchMessageA(&msg);
    }
    EXPECT_TRUE(quit);
    DestroyWindow(owner);
}

// A modal window of another thread ends: the window active as it began (its owner, or another
// window of the program) gets the activation back when the modal window had it (a dialog too,
// which EndDialog hides before its loop ends); a window the person went to meanwhile keeps it.
TEST(ModalOwner, TheActivationGoesBackOnlyWhenTheModalWindowHadIt)
{
    harness::setMessageBoxPolicy(false);
    // Active as the modal window begins: the owner, or the other window (which has it back at the
    // end); or the other window is made active meanwhile, and keeps it.
    enum Other { Before = 2, Meanwhile = 4 };
    for (int row = 0; row < 6; ++row) {
        const bool box = row & 1, otherBefore = row & Before, otherActive = row & (Before | Meanwhile);
        SCOPED_TRACE(std::string(box ? "box" : "dialog") + (otherBefore ? ", another window active before" : otherActive ? ", another window active" : ""));
        HWND owner = modalOwner();
        HWND other = CreateWindowExA(0, "DlgTestOwner", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 50, 200, 100,
            nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(otherBefore ? other : owner);
        auto result = std::async(std::launch::async, [&] {
            return box ? MessageBoxA(owner, "q", "t", MB_OK)
                       : int(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(901), owner, modalProc, 0));
        });
        HWND modal = nullptr;
        ASSERT_TRUE(usertest::pumpUntilTrue([&] {
            modal = box ? FindWindowA("DerazodoMessageBox", nullptr) : g_modalDialog.load();
            return modal && GetActiveWindow() == modal;
        }));
        if (otherActive && !otherBefore)
            SetActiveWindow(other);
        PostMessageA(modal, box ? WM_CLOSE : WM_USER + 1, IDOK, 0);
        EXPECT_EQ(usertest::pumpUntil(result), IDOK);
        EXPECT_EQ(GetActiveWindow(), otherActive ? other : owner);
        DestroyWindow(other);
        DestroyWindow(owner);
    }
    harness::setMessageBoxPolicy(true);
}

// A question that comes while its owner is minimised by its own button has the keys once the owner
// is restored. A button's command sent to a box answers it as a press would.
TEST(ModalOwner, ARestoredOwnerGivesItsQuestionTheKeys)
{
    harness::setMessageBoxPolicy(false);
    for (const bool byKey : { true, false }) {
        HWND owner = modalOwner();
        SetActiveWindow(owner);
        SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        auto result = std::async(std::launch::async, [&] { return MessageBoxA(owner, "q", "t", MB_YESNOCANCEL); });
        HWND box = nullptr;
        ASSERT_TRUE(usertest::pumpUntilTrue([&] { return (box = FindWindowA("DerazodoMessageBox", nullptr)) != nullptr; }));
        SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
        harness::waitIdle();
        EXPECT_EQ(GetActiveWindow(), box);
        if (byKey)
            harness::typeText("n");
        else
            PostMessageA(box, WM_COMMAND, IDNO, 0);
        // Unanswered, the box is closed (its cancel).
        if (!usertest::pumpUntilTrue([&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }))
            PostMessageA(box, WM_CLOSE, 0, 0);
        EXPECT_EQ(usertest::pumpUntil(result), IDNO);
        DestroyWindow(owner);
    }
    harness::setMessageBoxPolicy(true);
}

// The game thread's hold begins, or ends, and stops before the owner is told; the interface thread
// takes a hold meanwhile. While that lives, the owner stays disabled and was last told so.
TEST(ModalOwner, TheOwnerStaysDisabledWhileAHoldOfEitherThreadLives)
{
    static std::atomic<DWORD> stopOn { 0 };
    static std::promise<void> reached, goOn;
    platform::user::setOwnerNewsHook([](HWND) {
        if (DWORD me = GetCurrentThreadId(); stopOn.compare_exchange_strong(me, 0)) {
            reached.set_value();
            goOn.get_future().wait();
        }
    });
    for (bool atEnd : { false, true }) {
        SCOPED_TRACE(atEnd ? "stopped as its hold ends" : "stopped as its hold begins");
        HWND owner = usertest::createFrame("owner", 50, 50, 300, 200);
        WPARAM told = 2;
        usertest::Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
            told = hwnd == owner && message == WM_ENABLE ? wParam : told;
            return false;
        };
        reached = {};
        goOn = {};
        std::future<void> stopped = reached.get_future();
        auto game = std::async(std::launch::async, [&] {
            stopOn = atEnd ? 0 : GetCurrentThreadId();
            platform::user::ModalOwnerHold hold(owner);
            stopOn = atEnd ? GetCurrentThreadId() : 0;
        });
        usertest::pumpUntil(stopped);
        {
            platform::user::ModalOwnerHold hold(owner);
            EXPECT_FALSE(IsWindowEnabled(owner));
            goOn.set_value();
            usertest::pumpUntil(game);
            EXPECT_FALSE(IsWindowEnabled(owner)) << "enabled under a live hold";
            EXPECT_EQ(told, WPARAM(FALSE));
        }
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_EQ(told, WPARAM(TRUE));
        usertest::Recorder::instance().handler = nullptr;
        DestroyWindow(owner);
    }
    platform::user::setOwnerNewsHook(nullptr);
}
