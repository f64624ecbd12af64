// Helpers for window-system tests.
#include "user_test_util.h"

#include <algorithm>

namespace usertest {

Recorder& Recorder::instance()
{
    static Recorder recorder;
    return recorder;
}

void Recorder::add(const Entry& e)
{
    std::lock_guard lock(m_mutex);
    m_entries.push_back(e);
}

void Recorder::clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

std::vector<Entry> Recorder::entries()
{
    std::lock_guard lock(m_mutex);
    return m_entries;
}

std::vector<UINT> Recorder::messages(HWND hwnd, const std::vector<UINT>& kinds)
{
    std::vector<UINT> result;
    for (const Entry& e : entries())
        if (e.hwnd == hwnd && (kinds.empty() || std::find(kinds.begin(), kinds.end(), e.message) != kinds.end()))
            result.push_back(e.message);
    return result;
}

std::vector<UINT> Recorder::messagesOf(const std::vector<UINT>& kinds)
{
    std::vector<UINT> result;
    for (const Entry& e : entries())
        if (std::find(kinds.begin(), kinds.end(), e.message) != kinds.end())
            result.push_back(e.message);
    return result;
}

static LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Recorder& r = Recorder::instance();
    r.add(Entry { hwnd, message, wParam, lParam });
    LRESULT result = 0;
    if (r.handler && r.handler(hwnd, message, wParam, lParam, &result))
        return result;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* recordingClass()
{
    static const char* name = [] {
        WNDCLASSA wc {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = recordingProc;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
        wc.lpszClassName = "UserTestRecorder";
        RegisterClassA(&wc);
        return "UserTestRecorder";
    }();
    return name;
}

HWND createFrame(const char* title, int x, int y, int cx, int cy, DWORD style, DWORD exStyle, HWND owner)
{
    return CreateWindowExA(exStyle, recordingClass(), title, style, x, y, cx, cy, owner, nullptr, nullptr, nullptr);
}

HWND createChild(HWND parent, int id, int x, int y, int cx, int cy, DWORD style)
{
    return CreateWindowExA(0, recordingClass(), "", style, x, y, cx, cy, parent, HMENU(INT_PTR(id)), nullptr, nullptr);
}

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    platform::harness::waitIdle();
}

void pumpOnce()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

static BOOL CALLBACK collect(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

void destroyAll()
{
    // The test's handler captures the test's locals, which are gone by now: it must not see the
    // messages the windows get while they are destroyed.
    Recorder::instance().handler = nullptr;
    std::vector<HWND> tops;
    EnumWindows(collect, LPARAM(&tops));
    for (HWND top : tops)
        DestroyWindow(top);
    Recorder::instance().clear();
}

} // namespace usertest
