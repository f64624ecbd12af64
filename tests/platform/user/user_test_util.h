// Helpers for window-system tests: a recording window class, message pumping and input.
#pragma once

#include "platform/desktop/harness.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"
#include "platform/user/winuser.h"

#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace usertest {

struct Entry {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Every message reaching a window of the recording class, in order, from any thread.
class Recorder {
public:
    static Recorder& instance();
    void add(const Entry& e);
    void clear();
    std::vector<Entry> entries();
    // The messages of one window among the given kinds (all kinds when empty).
    std::vector<UINT> messages(HWND hwnd, const std::vector<UINT>& kinds = {});
    std::vector<UINT> messagesOf(const std::vector<UINT>& kinds);

    // Optional per-test handler: returns true when it handled the message (result in *out).
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> handler;

private:
    std::mutex m_mutex;
    std::vector<Entry> m_entries;
};

// Registers (once) and returns the class name of windows whose procedure records.
const char* recordingClass();
HWND createFrame(const char* title, int x, int y, int cx, int cy, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
    DWORD exStyle = 0, HWND owner = nullptr);
HWND createChild(HWND parent, int id, int x, int y, int cx, int cy, DWORD style = WS_CHILD | WS_VISIBLE);

// Handles everything queued for this thread, then waits until every queue is idle.
void pump();
// Handles what is queued for this thread now, without waiting (no key translation).
void pumpOnce();
// Handles this thread's messages until `done` is ready (another thread's modal loop sends to
// windows here meanwhile), then returns its value.
template <class T>
T pumpUntil(std::future<T>& done)
{
    while (done.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        pumpOnce();
    return done.get();
}
// Handles this thread's messages until `holds()` is true; false when it never came to be.
template <class Holds>
bool pumpUntilTrue(Holds holds)
{
    for (int i = 0; i < 5000 && !holds(); ++i) {
        pumpOnce();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return holds();
}
void destroyAll();

} // namespace usertest
