// The window menu by the keys alone: Alt+Space opens it on the active window, the arrows and Enter
// choose, Escape leaves, and a move or size chosen there is worked by the arrows too.
#include "user_test_util.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace usertest;
namespace harness = platform::harness;

namespace {

constexpr DWORD kFrame = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr DWORD kFixed = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;

void pumpWhileBusy()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } while (!harness::waitIdle(std::chrono::milliseconds(20)) && std::chrono::steady_clock::now() < deadline);
}

void pressKeys(const std::vector<UINT>& keys)
{
    for (UINT key : keys)
        harness::pressKey(key);
}

RECT rectOf(HWND w)
{
    RECT r {};
    GetWindowRect(w, &r);
    return r;
}

RECT moved(RECT r, int dx, int dy, int dRight, int dBottom) { return { r.left + dx, r.top + dy, r.right + dRight, r.bottom + dBottom }; }

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(WindowMenu, AltSpaceOpensItAndTheKeysWorkEachCommand)
{
    struct Case {
        const char* what;
        DWORD style;
        bool maximised;
        std::vector<UINT> menuKeys;   // once the menu shows
        std::vector<UINT> sizeKeys;   // once a move or size runs
        std::function<bool(HWND, const RECT&)> done;
    };
    // The frame's menu: Restore, Move, Size, Minimise, Maximise, a line, Close. The arrows pass
    // greyed commands too (Restore of a window not maximised); Enter does nothing on them.
    auto downs = [](int n, std::vector<UINT> then) {
        std::vector<UINT> keys(size_t(n), VK_DOWN);
        keys.insert(keys.end(), then.begin(), then.end());
        return keys;
    };
    const Case cases[] = {
        { "maximise", kFrame, false, downs(5, { VK_RETURN }), {}, [](HWND w, const RECT&) { return IsZoomed(w) != FALSE; } },
        { "restore a maximised window", kFrame, true, downs(1, { VK_RETURN }), {},
            [](HWND w, const RECT&) { return IsWindow(w) && !IsZoomed(w); } },
        { "minimise", kFrame, false, downs(4, { VK_RETURN }), {}, [](HWND w, const RECT&) { return IsIconic(w) != FALSE; } },
        { "a greyed command", kFrame, false, downs(1, { VK_RETURN, VK_ESCAPE }), {},
            [](HWND w, const RECT& before) { return IsWindow(w) && rectOf(w) == before; } },
        { "move by the arrows", kFrame, false, downs(2, { VK_RETURN }), { VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN },
            [](HWND w, const RECT& before) { return rectOf(w) == moved(before, 16, 8, 16, 8); } },
        { "a move put back by Escape", kFrame, false, downs(2, { VK_RETURN }), { VK_LEFT, VK_UP, VK_ESCAPE },
            [](HWND w, const RECT& before) { return rectOf(w) == before; } },
        { "size: the first arrow of a direction picks the edge", kFrame, false, downs(3, { VK_RETURN }),
            { VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_UP, VK_UP, VK_RETURN },
            [](HWND w, const RECT& before) { return rectOf(w) == moved(before, 0, -8, 16, 0); } },
        { "close", kFrame, false, { VK_UP, VK_RETURN }, {}, [](HWND w, const RECT&) { return !IsWindow(w); } },
        { "Escape leaves everything as it was", kFrame, false, downs(5, { VK_ESCAPE }), {},
            [](HWND w, const RECT& before) { return IsWindow(w) && !IsZoomed(w) && rectOf(w) == before; } },
        { "a fixed frame has Move and Close only", kFixed, false, downs(2, { VK_RETURN }), {},
            [](HWND w, const RECT&) { return !IsWindow(w); } },
    };
    for (const Case& c : cases) {
        HWND w = createFrame("window menu", 100, 100, 300, 200, c.style);
        if (c.maximised)
            ShowWindow(w, SW_MAXIMIZE);
        SetForegroundWindow(w);
        SetFocus(w);
        pumpWhileBusy();
        const RECT before = rectOf(w);
        // The menu's keys come once it shows, a move's once it runs.
        std::thread menuKeys;
        Recorder::instance().handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
            if (hwnd == w && message == WM_INITMENUPOPUP)
                menuKeys = std::thread([&] {
                    for (int i = 0; i < 2000 && !IsWindowVisible(FindWindowA("#32768", nullptr)); ++i)
                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    harness::waitIdle(std::chrono::milliseconds(1000));
                    harness::keepShot("window_menu.png");
                    pressKeys(c.menuKeys);
                });
            if (hwnd == w && message == WM_ENTERSIZEMOVE)
                pressKeys(c.sizeKeys);
            return false;
        };
        harness::keyDown(VK_MENU);
        harness::pressKey(VK_SPACE);
        harness::keyUp(VK_MENU);
        pumpWhileBusy();
        EXPECT_TRUE(menuKeys.joinable()) << c.what << ": no menu";
        if (menuKeys.joinable())
            menuKeys.join();
        pumpWhileBusy();
        EXPECT_TRUE(c.done(w, before)) << c.what;
        EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr) << c.what;
        destroyAll();
    }
}
