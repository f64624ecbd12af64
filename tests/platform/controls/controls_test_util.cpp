// Helpers for control tests.
#include "controls_test_util.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <cstring>

#include <algorithm>
#include <thread>

namespace ctltest {

std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> parentHandler;

std::vector<Notice>& notices()
{
    static std::vector<Notice> list;
    return list;
}

std::vector<Notice> noticesOf(UINT message)
{
    std::vector<Notice> result;
    for (const Notice& n : notices())
        if (n.message == message)
            result.push_back(n);
    return result;
}

std::vector<WORD> commandCodes(HWND control)
{
    std::vector<WORD> codes;
    for (const Notice& n : notices())
        if (n.message == WM_COMMAND && HWND(n.lParam) == control)
            codes.push_back(HIWORD(n.wParam));
    return codes;
}

namespace {

LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_LBUTTONDOWN:
        notices().push_back(Notice { message, wParam, lParam });
        break;
    case WM_NOTIFY: {
        Notice n { message, wParam, lParam };
        n.code = reinterpret_cast<const NMHDR*>(lParam)->code;
        notices().push_back(n);
        break;
    }
    case WM_DRAWITEM: {
        Notice n { message, wParam, lParam };
        n.item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        notices().push_back(n);
        break;
    }
    default: break;
    }
    LRESULT result = 0;
    if (parentHandler && parentHandler(hwnd, message, wParam, lParam, &result))
        return result;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* parentClass()
{
    static const char* name = [] {
        WNDCLASSA wc {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = parentProc;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        wc.lpszClassName = "ControlTestParent";
        RegisterClassA(&wc);
        return "ControlTestParent";
    }();
    return name;
}

BOOL CALLBACK collect(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

} // namespace

HWND createParent(int x, int y, int width, int height)
{
    return CreateWindowExA(0, parentClass(), "controls", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN,
        x, y, width, height, nullptr, nullptr, nullptr, nullptr);
}

HWND createControl(HWND parent, const char* className, const char* text, DWORD style, int id, int x, int y,
    int width, int height, DWORD exStyle)
{
    return CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
        HMENU(INT_PTR(id)), nullptr, nullptr);
}

POINT screenPoint(HWND hwnd, int x, int y)
{
    POINT p { x, y };
    ClientToScreen(hwnd, &p);
    return p;
}

POINT centre(HWND hwnd)
{
    RECT r;
    GetClientRect(hwnd, &r);
    return screenPoint(hwnd, r.right / 2, r.bottom / 2);
}

void clickAt(HWND hwnd, int x, int y)
{
    POINT p = screenPoint(hwnd, x, y);
    platform::harness::click(p.x, p.y);
    pump();
}

void pump()
{
    for (int round = 0; round < 3; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        platform::harness::waitIdle();
    }
}

bool pumpUntil(const std::function<bool()>& condition, int milliseconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void destroyAll()
{
    std::vector<HWND> tops;
    EnumWindows(collect, LPARAM(&tops));
    for (HWND top : tops)
        DestroyWindow(top);
    ReleaseCapture();
    pump();
    parentHandler = nullptr;
    notices().clear();
}

std::string textOf(HWND hwnd)
{
    char buffer[1024] {};
    int n = GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return std::string(buffer, size_t(std::max(n, 0)));
}

std::string sjis(const char* utf8) { return platform::utf8ToCp932(utf8); }

bool putClipboardText(HWND owner, const std::string& text)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    return set;
}

} // namespace ctltest
