// Moving and sizing windows with the mouse, and pressing caption boxes.
#include "platform/user/sizemove.h"

#include "platform/user/nonclient.h"
#include "platform/user/window_state.h"

#include <algorithm>
#include <exception>

namespace platform::user {

namespace {

int sizingEdge(int hit) { return hit - HTLEFT + WMSZ_LEFT; }

RECT rectInParent(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    return w ? w->rect : RECT {};
}

// Runs a capture loop; `onMove` gets each cursor position, the result says whether the loop
// ended with a button release (true) or was cancelled.
template <class F>
bool captureLoop(HWND hwnd, F onMove)
{
    SetCapture(hwnd);
    CaptureGuard guard(hwnd);
    bool released = false;
    MSG msg;
    while (GetCapture() == hwnd && getNestedMessage(msg)) {
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hwnd) {
            onMove(msg.pt);
            continue;
        }
        if (msg.message == WM_LBUTTONUP && msg.hwnd == hwnd) {
            onMove(msg.pt);
            released = true;
            break;
        }
        if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
            released = msg.wParam == VK_RETURN;
            break;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return released;
}

} // namespace

CaptureGuard::CaptureGuard(HWND hwnd)
    : m_hwnd(hwnd)
    , m_exceptions(std::uncaught_exceptions())
{
}

CaptureGuard::~CaptureGuard()
{
    if (std::uncaught_exceptions() <= m_exceptions)
        return;
    TreeLock lock;
    auto& system = windowSystem();
    if (system.capture == m_hwnd)
        system.capture = nullptr;
}

void runSizeMove(HWND hwnd, int hit, POINT start)
{
    if (IsZoomed(hwnd) || IsIconic(hwnd))
        return;
    RECT original = rectInParent(hwnd);
    bool moving = hit == HTCAPTION;
    MINMAXINFO mmi {};
    if (!moving)
        mmi = minMaxInfo(hwnd);
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    bool done = captureLoop(hwnd, [&](POINT screen) {
        POINT a = start, b = screen;
        if (parent) {
            ScreenToClient(parent, &a);
            ScreenToClient(parent, &b);
        }
        int dx = b.x - a.x, dy = b.y - a.y;
        RECT r = original;
        if (moving) {
            OffsetRect(&r, dx, dy);
            SendMessageA(hwnd, WM_MOVING, 0, LPARAM(&r));
        } else {
            if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
                r.left = std::clamp<LONG>(r.left + dx, r.right - mmi.ptMaxTrackSize.x, r.right - mmi.ptMinTrackSize.x);
            if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
                r.right = std::clamp<LONG>(r.right + dx, r.left + mmi.ptMinTrackSize.x, r.left + mmi.ptMaxTrackSize.x);
            if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
                r.top = std::clamp<LONG>(r.top + dy, r.bottom - mmi.ptMaxTrackSize.y, r.bottom - mmi.ptMinTrackSize.y);
            if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
                r.bottom = std::clamp<LONG>(r.bottom + dy, r.top + mmi.ptMinTrackSize.y, r.top + mmi.ptMaxTrackSize.y);
            SendMessageA(hwnd, WM_SIZING, WPARAM(sizingEdge(hit)), LPARAM(&r));
        }
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
            SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0));
    });
    if (!done && IsWindow(hwnd))
        SetWindowPos(hwnd, nullptr, original.left, original.top, original.right - original.left,
            original.bottom - original.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsWindow(hwnd))
        SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

bool trackCaptionButton(HWND hwnd, int hit)
{
    bool over = true;
    bool released = captureLoop(hwnd, [&](POINT screen) {
        over = SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == hit;
    });
    return released && over && IsWindow(hwnd);
}

} // namespace platform::user
