// Driving the game's modal popups from a second thread while the thread that runs them handles
// its messages: finding the popup, clicking it, and a popup left open closed so no test hangs.
#pragma once

#include "platform/desktop/harness.h"
#include "platform/windows.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace popup_test {

namespace harness = platform::harness;
using namespace std::chrono_literals;

inline void settle()
{
    harness::waitIdle();
    std::this_thread::sleep_for(20ms);
    harness::waitIdle();
}

inline BOOL CALLBACK collectDialog(HWND window, LPARAM list)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The visible dialogs on the screen, topmost first.
inline std::vector<HWND> openDialogs()
{
    std::vector<HWND> found;
    EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A visible dialog that is none of `known`; null when none came in time.
inline HWND waitForDialog(const std::vector<HWND>& known = {}, std::chrono::milliseconds timeout = 10s)
{
    auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        for (HWND window : openDialogs())
            if (std::find(known.begin(), known.end(), window) == known.end()) {
                settle();
                return window;
            }
        std::this_thread::sleep_for(5ms);
    }
    return nullptr;
}

inline bool waitGone(HWND window, std::chrono::milliseconds timeout = 10s)
{
    auto end = std::chrono::steady_clock::now() + timeout;
    while (IsWindow(window)) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

inline POINT screenPoint(HWND window, int x, int y)
{
    POINT p { x, y };
    ClientToScreen(window, &p);
    return p;
}

inline void clickClient(HWND window, int x, int y, harness::Button button = harness::Button::Left)
{
    const POINT p = screenPoint(window, x, y);
    harness::click(p.x, p.y, button);
    settle();
}

inline void clickItem(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    RECT r {};
    GetClientRect(item, &r);
    clickClient(item, r.right / 2, r.bottom / 2);
}

// Runs `modal` on this thread while `driver` works the first new dialog from another. A dialog the
// driver leaves open is closed; this thread then handles its messages until the driver is done.
template <class Modal>
auto drive(Modal modal, std::function<void(HWND)> driver)
{
    std::atomic<bool> done { false };
    const std::vector<HWND> before = openDialogs();
    std::thread helper([&] {
        HWND dialog = waitForDialog(before);
        if (dialog)
            driver(dialog);
        for (int i = 0; i < 200 && dialog && IsWindow(dialog); ++i) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            std::this_thread::sleep_for(20ms);
        }
        done = true;
    });
    auto result = modal();
    while (!done) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        std::this_thread::sleep_for(1ms);
    }
    helper.join();
    return result;
}

// The same with `modal` on a thread of its own, as the game thread runs the rules' popups, while
// this thread (the owner's) handles its messages.
template <class Modal>
auto driveOnSecondThread(Modal modal, std::function<void(HWND)> driver)
{
    std::atomic<bool> modalDone { false };
    std::atomic<bool> driverDone { false };
    decltype(modal()) result {};
    const std::vector<HWND> before = openDialogs();
    std::thread game([&] {
        result = modal();
        modalDone = true;
    });
    std::thread person([&] {
        HWND dialog = waitForDialog(before);
        if (dialog)
            driver(dialog);
        for (int i = 0; i < 200 && dialog && IsWindow(dialog); ++i) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            std::this_thread::sleep_for(20ms);
        }
        driverDone = true;
    });
    while (!modalDone || !driverDone) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        std::this_thread::sleep_for(1ms);
    }
    game.join();
    person.join();
    return result;
}

// A person who answers every play popup owned by `owner` while this object lives: its accept or
// close button (1000), else its OK button (1001), else a click on its body. Other dialogs (the
// file and selection dialogs) and message boxes are left to their own drivers.
class PopupDismisser {
public:
    explicit PopupDismisser(HWND owner)
        : m_owner(owner)
        , m_thread([this] { run(); })
    {
    }
    ~PopupDismisser()
    {
        m_stop = true;
        m_thread.join();
    }
    PopupDismisser(const PopupDismisser&) = delete;
    PopupDismisser& operator=(const PopupDismisser&) = delete;

    int answered() const { return m_answered.load(); }
    // Waits until no play popup of the owner is shown: a click meant for the owner is not lost on
    // its window while a popup has disabled it. False after the time-out.
    bool waitQuiet(std::chrono::milliseconds timeout = 20s) const
    {
        auto end = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            bool shown = false;
            for (HWND popup : openDialogs())
                shown = shown || (GetWindow(popup, GW_OWNER) == m_owner && isPlayPopup(popup));
            if (!shown)
                return true;
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(10ms);
        }
    }
    // The client sizes of the popups answered, in order.
    std::vector<SIZE> answeredSizes() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_sizes;
    }

private:
    // The play popups by their client sizes: notice, replenishment, supply, income, results, game
    // end, phase help.
    static bool isPlayPopup(HWND popup)
    {
        RECT client {};
        GetClientRect(popup, &client);
        const SIZE sizes[] = { { 284, 56 }, { 288, 264 }, { 288, 160 }, { 264, 168 }, { 224, 168 }, { 336, 268 }, { 408, 104 } };
        for (const SIZE& size : sizes)
            if (client.right == size.cx && client.bottom == size.cy)
                return true;
        return false;
    }

    void run()
    {
        while (!m_stop) {
            for (HWND popup : openDialogs()) {
                if (m_stop || GetWindow(popup, GW_OWNER) != m_owner || !isPlayPopup(popup))
                    continue;
                answer(popup);
            }
            std::this_thread::sleep_for(20ms);
        }
    }
    void answer(HWND popup)
    {
        harness::waitIdle(1s);
        if (!IsWindow(popup))
            return;
        RECT client {};
        GetClientRect(popup, &client);
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_sizes.push_back({ client.right, client.bottom });
        }
        for (int id : { 1000, 1001 }) {
            HWND button = GetDlgItem(popup, id);
            if (button && IsWindowEnabled(button) && IsWindowVisible(button)) {
                clickItem(popup, id);
                ++m_answered;
                return;
            }
        }
        clickClient(popup, client.right / 2, client.bottom / 2);
        ++m_answered;
    }

    HWND m_owner;
    std::atomic<bool> m_stop { false };
    std::atomic<int> m_answered { 0 };
    mutable std::mutex m_lock;
    std::vector<SIZE> m_sizes;
    std::thread m_thread;
};

} // namespace popup_test
