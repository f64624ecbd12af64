// Menus: editing and queries on the menu model, and choices made through keys and clicks
// producing WM_COMMAND.
#include "platform/desktop/harness.h"
#include "platform/user/menu_model.h"
#include "platform/user/menu_tracker.h"
#include "platform/kernel/host.h"
#include "platform/windows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

namespace harness = platform::harness;

TEST(MenuModel, EditsItemsByPositionAndByCommandThroughSubmenus)
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(file, MF_STRING, 101, "&Open"));
    ASSERT_TRUE(AppendMenuA(file, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuA(file, MF_STRING | MF_GRAYED, 102, "&Save\tCtrl+S"));
    ASSERT_TRUE(AppendMenuA(bar, MF_POPUP, UINT_PTR(file), "&File"));
    ASSERT_TRUE(InsertMenuA(file, 0, MF_BYPOSITION | MF_STRING, 100, "&New"));
    ASSERT_TRUE(InsertMenuA(file, 102, MF_BYCOMMAND | MF_STRING, 103, "Save &As")); // before "Save"

    EXPECT_EQ(GetMenuItemCount(file), 5);
    EXPECT_EQ(GetSubMenu(bar, 0), file);
    EXPECT_EQ(GetMenuItemID(file, 0), 100u);
    EXPECT_EQ(GetMenuItemID(file, 3), 103u);
    EXPECT_EQ(GetMenuItemID(bar, 0), UINT(-1)) << "a popup has no command id";
    // By command, the search reaches into the submenus of the bar.
    EXPECT_EQ(GetMenuState(bar, 102, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION) >> 8, 5u) << "a popup reports its item count";
    EXPECT_EQ(GetMenuState(bar, 999, MF_BYCOMMAND), UINT(-1));

    char text[8];
    EXPECT_EQ(GetMenuStringA(bar, 102, text, sizeof text, MF_BYCOMMAND), 7);
    EXPECT_STREQ(text, "&Save\tC");
    EXPECT_EQ(GetMenuStringA(bar, 102, nullptr, 0, MF_BYCOMMAND), 12);

    EXPECT_EQ(EnableMenuItem(bar, 102, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(GetMenuState(file, 102, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(CheckMenuItem(file, 101, MF_CHECKED), DWORD(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(file, 101, MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(file, 4242, MF_CHECKED), DWORD(-1));

    ASSERT_TRUE(ModifyMenuA(file, 100, MF_BYCOMMAND | MF_STRING, 110, "Ne&w game"));
    EXPECT_EQ(GetMenuItemID(file, 0), 110u);
    ASSERT_TRUE(RemoveMenu(file, 1, MF_BYPOSITION));
    ASSERT_TRUE(DeleteMenu(file, 103, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(file), 3);

    // Deleting the popup item destroys the submenu with it; its handle goes stale.
    ASSERT_TRUE(DeleteMenu(bar, 0, MF_BYPOSITION));
    EXPECT_EQ(GetMenuItemCount(file), -1);
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(DestroyMenu(bar));
}

TEST(MenuModel, RadioGroupsAndItemInfoRoundTrip)
{
    HMENU menu = CreatePopupMenu();
    for (UINT id = 200; id < 204; ++id)
        AppendMenuA(menu, MF_STRING, id, "x");
    ASSERT_TRUE(CheckMenuRadioItem(menu, 200, 203, 202, MF_BYCOMMAND));
    for (UINT id = 200; id < 204; ++id)
        EXPECT_EQ((GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0, id == 202) << id;
    EXPECT_FALSE(CheckMenuRadioItem(menu, 0, 9, 1, MF_BYPOSITION)) << "range past the end";

    MENUITEMINFOA set {};
    set.cbSize = sizeof set;
    set.fMask = MIIM_STRING;
    set.dwTypeData = const_cast<char*>("Renamed");
    ASSERT_TRUE(SetMenuItemInfoA(menu, 201, FALSE, &set));
    char buffer[4];
    MENUITEMINFOA get {};
    get.cbSize = sizeof get;
    get.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
    get.dwTypeData = buffer;
    get.cch = sizeof buffer;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 1, TRUE, &get));
    EXPECT_STREQ(buffer, "Ren") << "cut to the buffer";
    EXPECT_EQ(get.cch, 7u) << "the full length comes back";
    EXPECT_EQ(get.wID, 201u);
    DestroyMenu(menu);
}

TEST(MenuModel, MnemonicsSkipDoubledAmpersandsAndDoubleByteCharacters)
{
    using platform::menus::mnemonicOf;
    EXPECT_EQ(mnemonicOf("&File"), 'F');
    EXPECT_EQ(mnemonicOf("Save &as"), 'A');
    EXPECT_EQ(mnemonicOf("A && B"), 0);
    EXPECT_EQ(mnemonicOf(platform::utf8ToCp932("生産タイプ(&P)")), 'P');
    // 0x83 0x26: a double-byte character whose trail byte is '&'.
    EXPECT_EQ(mnemonicOf("\x83&x"), 0);
    EXPECT_EQ(mnemonicOf("no mark"), 0);
}

namespace {

std::vector<UINT> g_menuCommands;
std::vector<UINT> g_popupsInitialised;
std::vector<UINT> g_selected; // WM_MENUSELECT item ids; 0xFFFF flags (closing) recorded as 0
bool g_throwOnSelect = false;

LRESULT CALLBACK menuOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_menuCommands.push_back(LOWORD(wParam));
    if (message == WM_INITMENUPOPUP) {
        g_popupsInitialised.push_back(UINT(GetMenuItemCount(reinterpret_cast<HMENU>(wParam))));
    }
    if (message == WM_MENUSELECT && g_throwOnSelect && HIWORD(wParam) != 0xFFFF)
        throw new std::runtime_error("menu handler failed");
    if (message == WM_MENUSELECT)
        g_selected.push_back(HIWORD(wParam) == 0xFFFF ? 0 : LOWORD(wParam));
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND makeMenuOwner(const char* title, HMENU bar = nullptr)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA cls {};
        cls.lpfnWndProc = menuOwnerProc;
        cls.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        cls.lpszClassName = "MenuTestOwner";
        RegisterClassA(&cls);
        registered = true;
    }
    HWND hwnd = CreateWindowExA(0, "MenuTestOwner", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
        nullptr, bar, nullptr, nullptr);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    return hwnd;
}

// Handles this thread's messages until the whole window system is idle.
void pumpUntilIdle()
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } while (!harness::waitIdle(std::chrono::milliseconds(20)) && std::chrono::steady_clock::now() < deadline);
}

HMENU makePopup()
{
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 301, "&First");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 302, "&Greyed");
    AppendMenuA(popup, MF_STRING, 303, "&Third");
    return popup;
}

// Runs `action` on another thread once a popup menu window is on the screen.
std::thread whenPopupOpens(std::function<void(HWND popup)> action)
{
    return std::thread([action] {
        for (int i = 0; i < 2000; ++i) {
            if (HWND popup = FindWindowA("#32768", nullptr)) {
                if (IsWindowVisible(popup)) {
                    action(popup);
                    return;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
}

} // namespace

TEST(PopupMenu, KeysWalkPastSeparatorsAndGreyedItemsAreNotChosen)
{
    HWND owner = makeMenuOwner("keys");
    pumpUntilIdle();
    HMENU popup = makePopup();
    g_popupsInitialised.clear();
    g_selected.clear();
    // Down selects First, Down again skips the separator to Greyed; Enter on it does nothing;
    // Down to Third and Enter chooses it.
    std::thread keys = whenPopupOpens([](HWND) {
        harness::pressKey(VK_DOWN);
        harness::waitIdle(std::chrono::milliseconds(1000));
        harness::keepShot("menu.png");
        harness::pressKey(VK_UP);
        for (UINT key : { VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_RETURN })
            harness::pressKey(key);
    });
    UINT chosen = UINT(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN, 150, 150, 0, owner, nullptr));
    keys.join();
    EXPECT_EQ(chosen, 303u);
    EXPECT_EQ(g_popupsInitialised, std::vector<UINT> { 4 });
    EXPECT_EQ(g_selected, (std::vector<UINT> { 301, 303, 301, 302, 303, 0 })) << "each selection, then the close";
    EXPECT_FALSE(platform::menus::isTracking());
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr) << "the popup is gone";
    DestroyMenu(popup);
    DestroyWindow(owner);
}

TEST(PopupMenu, ClickOnItemPostsCommandAndEscapeCancels)
{
    HWND owner = makeMenuOwner("click");
    pumpUntilIdle();
    HMENU popup = makePopup();
    g_menuCommands.clear();
    std::thread click = whenPopupOpens([](HWND popup) {
        RECT r;
        GetWindowRect(popup, &r);
        harness::click(r.left + 20, r.top + 3 + 8); // inside the first item
    });
    EXPECT_TRUE(TrackPopupMenu(popup, TPM_LEFTALIGN, 150, 150, 0, owner, nullptr));
    click.join();
    pumpUntilIdle();
    EXPECT_EQ(g_menuCommands, std::vector<UINT> { 301 });

    std::thread escape = whenPopupOpens([](HWND) { harness::pressKey(VK_ESCAPE); });
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 0);
    escape.join();

    // A typed mnemonic chooses its item; a greyed item's mnemonic does nothing.
    std::thread typed = whenPopupOpens([](HWND popup) {
        harness::typeText("g");
        harness::typeText("T");
        // Should the menu not close, Escape ends it so the test fails instead of hanging.
        for (int i = 0; i < 2000 && IsWindow(popup); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (IsWindow(popup))
            harness::pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, owner, nullptr), 303);
    typed.join();
    DestroyMenu(popup);
    DestroyWindow(owner);
}

TEST(MenuBar, KeyboardAndMouseChoicesArriveAsCommands)
{
    HMENU bar = CreateMenu();
    HMENU game = CreatePopupMenu();
    AppendMenuA(game, MF_STRING, 401, "&Start");
    AppendMenuA(game, MF_STRING, 402, "&Quit");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(game), "&Game");
    HWND owner = makeMenuOwner("bar", bar);
    EXPECT_EQ(GetMenu(owner), bar);
    pumpUntilIdle();
    RECT client, window;
    GetClientRect(owner, &client);
    GetWindowRect(owner, &window);
    EXPECT_LT(client.bottom, 300 - GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU) + 1) << "the bar takes room";

    // F10 opens the bar, Down opens "Game" with Start selected, Down, Enter: Quit.
    g_menuCommands.clear();
    for (UINT key : { VK_F10, VK_DOWN, VK_DOWN, VK_RETURN })
        harness::pressKey(key);
    pumpUntilIdle();
    pumpUntilIdle();
    EXPECT_EQ(g_menuCommands, std::vector<UINT> { 402 });

    // A click on the bar opens the popup; a click on its first item chooses it.
    g_menuCommands.clear();
    POINT barPoint { 8, -4 }; // just above the client area, on the first bar item
    ClientToScreen(owner, &barPoint);
    std::thread clicker = whenPopupOpens([](HWND popup) {
        harness::waitIdle(std::chrono::milliseconds(1000));
        harness::keepShot("menubar.png");
        RECT r;
        GetWindowRect(popup, &r);
        harness::click(r.left + 20, r.top + 3 + 8);
    });
    harness::click(barPoint.x, barPoint.y);
    pumpUntilIdle();
    clicker.join();
    pumpUntilIdle();
    EXPECT_EQ(g_menuCommands, std::vector<UINT> { 401 });
    DestroyWindow(owner);
}

TEST(PopupMenu, ErrorThrownByAHandlerClosesTheMenuAndUnwinds)
{
    HWND owner = makeMenuOwner("throw");
    pumpUntilIdle();
    HMENU popup = makePopup();
    g_throwOnSelect = true;
    std::thread keys = whenPopupOpens([](HWND) { harness::pressKey(VK_DOWN); });
    std::runtime_error* caught = nullptr;
    try {
        TrackPopupMenu(popup, TPM_RETURNCMD, 150, 150, 0, owner, nullptr);
    } catch (std::runtime_error* error) {
        caught = error;
    }
    keys.join();
    g_throwOnSelect = false;
    ASSERT_NE(caught, nullptr);
    delete caught;
    EXPECT_FALSE(platform::menus::isTracking());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
    DestroyMenu(popup);
    DestroyWindow(owner);
}

TEST(PopupMenu, AlignmentFlagsAndTheExcludedRectanglePlaceIt)
{
    HWND owner = makeMenuOwner("placement");
    pumpUntilIdle();
    HMENU popup = makePopup();
    auto placedAt = [&](UINT flags, TPMPARAMS* params) {
        RECT placed {};
        std::thread escape = whenPopupOpens([&placed](HWND window) {
            GetWindowRect(window, &placed);
            harness::pressKey(VK_ESCAPE);
        });
        TrackPopupMenuEx(popup, flags | TPM_RETURNCMD, 300, 200, owner, params);
        escape.join();
        return placed;
    };
    RECT left = placedAt(TPM_LEFTALIGN, nullptr);
    EXPECT_EQ(left.left, 300);
    EXPECT_EQ(left.top, 200);
    RECT right = placedAt(TPM_RIGHTALIGN | TPM_BOTTOMALIGN, nullptr);
    EXPECT_EQ(right.right, 300);
    EXPECT_EQ(right.bottom, 200);
    TPMPARAMS params { sizeof(TPMPARAMS), RECT { 250, 150, 400, 260 } };
    RECT excluded = placedAt(TPM_LEFTALIGN, &params);
    EXPECT_EQ(excluded.top, 260) << "moved below the excluded rectangle";
    DestroyMenu(popup);
    DestroyWindow(owner);
}

// Alt and a letter open the bar's menu of that mnemonic and choose nothing in it, even with the
// letter also reported as typed text; arrows walk within and across menus; a mnemonic that two
// items share moves between them; each Escape closes one level.
TEST(MenuBar, KeyboardWalksMenusAsAPersonExpects)
{
    HMENU bar = CreateMenu();
    HMENU game = CreatePopupMenu();
    AppendMenuA(game, MF_STRING, 401, "&Start");
    HMENU turn = CreatePopupMenu();
    AppendMenuA(turn, MF_STRING, 411, "&Turn end");
    AppendMenuA(turn, MF_STRING, 412, "&Troops");
    AppendMenuA(turn, MF_STRING, 413, "&Surrender");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, 421, "&Help");
    AppendMenuA(help, MF_STRING, 422, "&About");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(game), "&Game");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(turn), "&Turn");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(help), "&Help");
    HWND owner = makeMenuOwner("walk", bar);
    pumpUntilIdle();
    g_menuCommands.clear();
    g_selected.clear();
    std::atomic<bool> done = false, finished = false;
    std::thread keys([&] {
        auto settle = [] { harness::waitIdle(std::chrono::milliseconds(2000)); };
        harness::keyDown(VK_MENU);
        harness::keyDown('H');
        harness::typeText("h"); // what the desktop reports for the same key
        harness::keyUp('H');
        harness::keyUp(VK_MENU);
        settle();
        for (UINT key : { VK_DOWN, VK_LEFT }) {
            harness::pressKey(key);
            settle();
        }
        harness::typeText("t");
        settle();
        harness::typeText("t");
        settle();
        harness::keepShot("menu_walk.png");
        harness::pressKey(VK_ESCAPE);
        settle();
        done = platform::menus::barSelection(owner) == 1 && !FindWindowA("#32768", nullptr);
        harness::pressKey(VK_ESCAPE);
        finished = true;
    });
    while (!finished)
        pumpUntilIdle();
    keys.join();
    pumpUntilIdle();
    EXPECT_TRUE(g_menuCommands.empty());
    // Help (bar item 2) and its first item; About; Turn (bar item 1) and its first item; the two
    // items of "T" in turn; then the loop's end.
    EXPECT_EQ(g_selected, (std::vector<UINT> { 2, 421, 422, 1, 411, 412, 411, 0 }));
    EXPECT_TRUE(done) << "the first Escape closes the menu and leaves its bar item selected";
    EXPECT_FALSE(platform::menus::isTracking());
    DestroyWindow(owner);
}
