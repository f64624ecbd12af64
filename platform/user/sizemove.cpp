// Moving and sizing windows with the mouse or the keys, and pressing caption boxes.
#include "platform/user/sizemove.h"

#include "platform/user/nonclient.h"
#include "platform/user/window_state.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace platform::user {

namespace {

// The window this thread moves or sizes now.
thread_local HWND t_moveSize = nullptr;

int sizingEdge(int hit) { return hit - HTLEFT + WMSZ_LEFT; }

RECT rectInParent(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    return w ? w->rect : RECT {};
}

// Runs a capture loop; `onMove` gets each cursor position and `onKey` each key but Enter and Esc
// (true: it took the key), the result says whether the loop ended with a button release or Enter
// (true) or was cancelled.
template <class F, class K = bool (*)(WPARAM)>
bool captureLoop(HWND hwnd, F onMove, K onKey = [](WPARAM) { return false; })
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
        if (msg.message == WM_KEYDOWN && onKey(msg.wParam))
            continue;
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

HWND moveSizeWindow() { return t_moveSize; }

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

namespace {

// One arrow's step when moving or sizing by the keys.
constexpr int kKeyStep = 8;


// The loop's common part: the window dragged by (dx, dy) from its original place, by the
// caption (HTCAPTION) or a frame part, within the track sizes.
class SizeMove {
public:
    SizeMove(HWND hwnd, int hit)
        : m_hwnd(hwnd)
        , m_hit(hit)
        , m_original(rectInParent(hwnd))
    {
        if (hit != HTCAPTION)
            m_mmi = minMaxInfo(hwnd);
        SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    }
    ~SizeMove() { t_moveSize = m_outer; }
    SizeMove(const SizeMove&) = delete;
    SizeMove& operator=(const SizeMove&) = delete;
    void setHit(int hit) { m_hit = hit; }
    void drag(int dx, int dy)
    {
        RECT r = m_original;
        const int hit = m_hit;
        if (hit == HTCAPTION) {
            OffsetRect(&r, dx, dy);
            SendMessageA(m_hwnd, WM_MOVING, 0, LPARAM(&r));
        } else {
            const MINMAXINFO& mmi = m_mmi;
            if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
                r.left = std::clamp<LONG>(r.left + dx, r.right - mmi.ptMaxTrackSize.x, r.right - mmi.ptMinTrackSize.x);
            if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
                r.right = std::clamp<LONG>(r.right + dx, r.left + mmi.ptMinTrackSize.x, r.left + mmi.ptMaxTrackSize.x);
            if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
                r.top = std::clamp<LONG>(r.top + dy, r.bottom - mmi.ptMaxTrackSize.y, r.bottom - mmi.ptMinTrackSize.y);
            if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
                r.bottom = std::clamp<LONG>(r.bottom + dy, r.top + mmi.ptMinTrackSize.y, r.top + mmi.ptMaxTrackSize.y);
            SendMessageA(m_hwnd, WM_SIZING, WPARAM(sizingEdge(hit)), LPARAM(&r));
        }
        SetWindowPos(m_hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
            SWP_NOZORDER | SWP_NOACTIVATE | (hit == HTCAPTION ? SWP_NOSIZE : 0));
    }
    void end(bool kept)
    {
        if (!kept && IsWindow(m_hwnd))
            SetWindowPos(m_hwnd, nullptr, m_original.left, m_original.top, m_original.right - m_original.left,
                m_original.bottom - m_original.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (IsWindow(m_hwnd))
            SendMessageA(m_hwnd, WM_EXITSIZEMOVE, 0, 0);
    }

private:
    HWND m_hwnd;
    HWND m_outer = std::exchange(t_moveSize, m_hwnd);
    int m_hit;
    RECT m_original;
    MINMAXINFO m_mmi {};
};

// The frame part sized by the chosen edges: -1 left or top, 1 right or bottom, 0 none.
int sizingHit(int horizontal, int vertical)
{
    static constexpr int kParts[3][3] = {
        { HTTOPLEFT, HTTOP, HTTOPRIGHT },
        { HTLEFT, HTNOWHERE, HTRIGHT },
        { HTBOTTOMLEFT, HTBOTTOM, HTBOTTOMRIGHT },
    };
    return kParts[vertical + 1][horizontal + 1];
}

} // namespace

void runSizeMove(HWND hwnd, int hit, POINT start)
{
    if (IsZoomed(hwnd) || IsIconic(hwnd))
        return;
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    SizeMove size(hwnd, hit);
    bool done = captureLoop(hwnd, [&](POINT screen) {
        POINT a = start, b = screen;
        if (parent) {
            ScreenToClient(parent, &a);
            ScreenToClient(parent, &b);
        }
        size.drag(b.x - a.x, b.y - a.y);
    });
    size.end(done);
}

void runKeyboardSizeMove(HWND hwnd, bool sizing)
{
    if (IsZoomed(hwnd) || IsIconic(hwnd))
        return;
    SizeMove size(hwnd, sizing ? HTNOWHERE : HTCAPTION);
    int dx = 0, dy = 0, horizontal = 0, vertical = 0;
    const bool kept = captureLoop(hwnd, [](POINT) {}, [&](WPARAM key) {
        const bool across = key == VK_LEFT || key == VK_RIGHT;
        if (!across && key != VK_UP && key != VK_DOWN)
            return false;
        const int sign = key == VK_LEFT || key == VK_UP ? -1 : 1;
        int& edge = across ? horizontal : vertical;
        if (sizing && edge == 0) {
            // The first arrow of a direction picks the edge that moves.
            edge = sign;
            size.setHit(sizingHit(horizontal, vertical));
            return true;
        }
        (across ? dx : dy) += sign * kKeyStep;
        size.drag(dx, dy);
        return true;
    });
    size.end(kept);
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
