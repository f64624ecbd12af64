// Accelerator tables: loading, modifiers, character accelerators, greyed commands and open menus.
#include "platform/desktop/harness.h"
#include "platform/user/menu_model.h"
#include "platform/user/resource_table.h"
#include "platform/windows.h"

#include <gtest/gtest.h>

namespace harness = platform::harness;

namespace {

std::vector<WPARAM> g_accelCommands;

LRESULT CALLBACK accelOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_accelCommands.push_back(wParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND makeAccelOwner()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA cls {};
        cls.lpfnWndProc = accelOwnerProc;
        cls.lpszClassName = "AccelTestOwner";
        RegisterClassA(&cls);
        registered = true;
    }
    HWND hwnd = CreateWindowExA(0, "AccelTestOwner", "accel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
        nullptr, nullptr, nullptr);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    return hwnd;
}

// Retrieves this thread's input as the message loop does and counts the translated messages.
int runLoop(HWND owner, HACCEL table)
{
    // Not through waitIdle: it would handle this thread's queue itself, past the accelerators.
    int translated = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (TranslateAcceleratorA(owner, table, &msg)) {
            ++translated;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return translated;
}

} // namespace

TEST(Accelerators, KeysWithTheirModifiersBecomeCommandsWithHighWordOne)
{
    ACCEL entries[] = {
        { FVIRTKEY | FCONTROL, 'S', 501 },
        { FVIRTKEY, VK_F5, 502 },
        { FVIRTKEY | FSHIFT, VK_F5, 503 },
    };
    platform::resources::addAccelerators(MAKEINTRESOURCEA(130), std::vector<ACCEL>(std::begin(entries), std::end(entries)));
    HACCEL table = LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(130));
    ASSERT_NE(table, nullptr);
    HWND owner = makeAccelOwner();
    runLoop(owner, table);
    g_accelCommands.clear();

    harness::pressKey('S'); // no Ctrl: not an accelerator
    harness::keyDown(VK_CONTROL);
    harness::pressKey('S');
    harness::keyUp(VK_CONTROL);
    harness::pressKey(VK_F5);
    harness::keyDown(VK_SHIFT);
    harness::pressKey(VK_F5);
    harness::keyUp(VK_SHIFT);
    EXPECT_EQ(runLoop(owner, table), 3);
    ASSERT_EQ(g_accelCommands.size(), 3u);
    EXPECT_EQ(g_accelCommands[0], MAKEWPARAM(501, 1));
    EXPECT_EQ(g_accelCommands[1], MAKEWPARAM(502, 1));
    EXPECT_EQ(g_accelCommands[2], MAKEWPARAM(503, 1));

    EXPECT_TRUE(DestroyAcceleratorTable(table));
    MSG msg { owner, WM_KEYDOWN, VK_F5, 0, 0, {} };
    EXPECT_EQ(TranslateAcceleratorA(owner, table, &msg), 0) << "a destroyed table translates nothing";
    EXPECT_EQ(LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(131)), nullptr);
    DestroyWindow(owner);
}

TEST(Accelerators, NothingWhileAMenuIsOpenAndGreyedCommandsAreSwallowed)
{
    ACCEL entries[] = { { FVIRTKEY, VK_F2, 601 }, { 0, 'q', 602 } };
    HACCEL table = CreateAcceleratorTableA(entries, 2);
    HWND owner = makeAccelOwner();
    MSG f2 { owner, WM_KEYDOWN, VK_F2, 0, 0, {} };
    MSG q { owner, WM_CHAR, 'q', 0, 0, {} };
    g_accelCommands.clear();
    {
        platform::menus::TrackingScope menuOpen(owner, false);
        EXPECT_EQ(TranslateAcceleratorA(owner, table, &f2), 0);
    }
    EXPECT_EQ(TranslateAcceleratorA(owner, table, &q), 1) << "character accelerators match WM_CHAR";
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 601, "&Greyed");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(popup), "&Menu");
    SetMenu(owner, bar);
    EXPECT_EQ(TranslateAcceleratorA(owner, table, &f2), 1);
    ASSERT_EQ(g_accelCommands.size(), 1u) << "the greyed command is not sent";
    EXPECT_EQ(LOWORD(g_accelCommands[0]), 602);
    DestroyAcceleratorTable(table);
    DestroyWindow(owner);
}
