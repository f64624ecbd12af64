// The registry's list and the opening, looking and closing of one of its windows.
#include "tests/windows/registry/window_registry.h"

#include "lib/application.h"
#include "platform/desktop/harness.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace window_registry {
namespace {

using namespace std::chrono_literals;
namespace harness = platform::harness;

// Asks the thread that runs `visit` to destroy the window in wParam.
constexpr UINT kDestroyRequest = WM_APP + 0x3E0;

// Shown and of some size: the battle scene's host is a visible dialog without one.
BOOL CALLBACK collectShown(HWND window, LPARAM list)
{
    RECT r {};
    GetWindowRect(window, &r);
    if (IsWindowVisible(window) && r.right > r.left && r.bottom > r.top)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> shownWindows()
{
    std::vector<HWND> found;
    EnumWindows(collectShown, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<HWND> windowsSince(const std::vector<HWND>& before)
{
    std::vector<HWND> fresh;
    for (HWND window : shownWindows())
        if (std::find(before.begin(), before.end(), window) == before.end())
            fresh.push_back(window);
    return fresh;
}

// The window that came since `before`: of several (a list and its docked options), the one that
// owns the others.
HWND newWindow(const std::vector<HWND>& before)
{
    const std::vector<HWND> fresh = windowsSince(before);
    for (HWND window : fresh)
        if (std::find(fresh.begin(), fresh.end(), GetWindow(window, GW_OWNER)) == fresh.end())
            return window;
    return nullptr;
}

void settle()
{
    harness::waitIdle();
    std::this_thread::sleep_for(20ms);
    harness::waitIdle();
}

bool closeAndWait(const WindowEntry& entry, HWND window)
{
    if (entry.close)
        entry.close(window);
    else
        PostMessageA(window, WM_CLOSE, 0, 0);
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

} // namespace

const std::vector<WindowEntry>& windowEntries()
{
    static const std::vector<WindowEntry> entries = [] {
        std::vector<WindowEntry> all;
        for (auto part : { appWindows, gameDialogs, playDialogs, infoWindows, editorWindows, battleWindows }) {
            std::vector<WindowEntry> some = part();
            all.insert(all.end(), some.begin(), some.end());
        }
        return all;
    }();
    return entries;
}

RECT areaOf(const OpenWindow& open)
{
    RECT all {};
    for (HWND window : open.came) {
        RECT r {};
        GetWindowRect(window, &r);
        UnionRect(&all, &all, &r);
    }
    const RECT screen { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    IntersectRect(&all, &all, &screen);
    return all;
}

std::vector<std::reference_wrapper<const WindowEntry>> entriesOfGroup(int group, int groups)
{
    std::vector<std::reference_wrapper<const WindowEntry>> entries;
    for (size_t i = 0; i < windowEntries().size(); ++i)
        if (int(i % size_t(groups)) == group)
            entries.push_back(windowEntries()[i]);
    return entries;
}

bool visit(const WindowEntry& entry, WindowWorld& world, const std::function<void(const OpenWindow&)>& look)
{
    const std::vector<HWND> before = shownWindows();
    const HWND main = world.handle();
    std::atomic<bool> done { false };
    std::atomic<bool> returned { false };
    std::atomic<HWND> opened { nullptr };
    bool shown = false;
    bool closed = false;
    std::thread person([&] {
        // A modeless window is the one its entry handed back (not a docked neighbour, and the main
        // window was there before); a modal one is the window that came.
        HWND window = nullptr;
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (!window && !(returned && !opened) && std::chrono::steady_clock::now() < end) {
            if (HWND fresh = opened ? opened.load() : newWindow(before)) {
                // A modal window has disabled the main window; a modeless one is handed back soon.
                for (int i = 0; i < 200 && !returned && IsWindowEnabled(main); ++i)
                    std::this_thread::sleep_for(5ms);
                window = opened ? opened.load() : fresh;
            }
            std::this_thread::sleep_for(5ms);
        }
        if (window) {
            settle();
            shown = true;
            OpenWindow open { window, windowsSince(before) };
            if (std::find(open.came.begin(), open.came.end(), window) == open.came.end())
                open.came.insert(open.came.begin(), window);
            look(open);
            const bool stays = std::find(before.begin(), before.end(), window) != before.end();
            closed = stays || closeAndWait(entry, window);
            // A window that would not close is taken away, so that the next entry starts clean.
            for (int i = 0; !closed && i < 100 && IsWindow(window); ++i) {
                PostMessageA(window, WM_CLOSE, 0, 0);
                std::this_thread::sleep_for(20ms);
            }
        }
        done = true;
    });
    opened = entry.open(world);
    returned = true;
    while (!done) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // As the program's loop: the modeless dialogs take their keys first.
            if (msg.message == WM_QUIT || theApplication().tryModelessNavigation(msg))
                continue;
            if (!msg.hwnd && msg.message == kDestroyRequest) {
                DestroyWindow(reinterpret_cast<HWND>(msg.wParam));
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        std::this_thread::sleep_for(1ms);
    }
    person.join();
    WindowWorld::pump();
    return shown && closed;
}

std::function<void(HWND)> pressButton(int id)
{
    return [id](HWND window) { PostMessageA(window, WM_COMMAND, WPARAM(id), LPARAM(GetDlgItem(window, id))); };
}

void destroyWindow(HWND window)
{
    PostThreadMessageA(GetWindowThreadProcessId(window, nullptr), kDestroyRequest, WPARAM(window), 0);
}

} // namespace window_registry
