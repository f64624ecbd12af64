// The "ScrollBar" control: the window scroll bars' look and parts, its SBM_ messages, and line,
// page and thumb tracking with auto-repeat, reported to the parent as WM_HSCROLL/WM_VSCROLL.
#include "platform/controls/commctrl.h"
#include "platform/controls/control_common.h"
#include "platform/controls/control_registry.h"
#include "platform/user/nonclient.h"

#include <algorithm>

namespace platform::controls {

namespace {

using user::ScrollBarLayout;
using user::ScrollBarState;

constexpr UINT_PTR kRepeatTimer = 1;

struct ScrollBarControl {
    ScrollBarState bar;
    int code = -1;            // the part held by the mouse
    int grab = 0;             // thumb tracking: where along the thumb the mouse took it
    POINT held {};
};

bool vertical(HWND hwnd) { return controlStyle(hwnd) & SBS_VERT; }

RECT clientRect(HWND hwnd)
{
    RECT r;
    GetClientRect(hwnd, &r);
    return r;
}

ScrollBarLayout layoutOf(HWND hwnd, const ScrollBarControl& s)
{
    return user::scrollBarLayout(clientRect(hwnd), s.bar, vertical(hwnd));
}

int alongOf(HWND hwnd, POINT p) { return vertical(hwnd) ? p.y : p.x; }

void repaint(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

void notify(HWND hwnd, int code, int pos = 0)
{
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, vertical(hwnd) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(WORD(code), WORD(pos)), LPARAM(hwnd));
}

int setInfo(HWND hwnd, ScrollBarControl& s, const SCROLLINFO* info, bool redraw)
{
    if (!info)
        return s.bar.pos;
    if (info->fMask & SIF_RANGE) {
        s.bar.min = info->nMin;
        s.bar.max = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        s.bar.page = std::min<UINT>(info->nPage, UINT(std::max(s.bar.max - s.bar.min + 1, 0)));
    if (info->fMask & SIF_POS)
        s.bar.pos = info->nPos;
    s.bar.pos = std::clamp(s.bar.pos, s.bar.min, user::scrollBarMaxPos(s.bar));
    if (redraw)
        repaint(hwnd);
    return s.bar.pos;
}

BOOL getInfo(const ScrollBarControl& s, SCROLLINFO* info)
{
    if (!info)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s.bar.min;
        info->nMax = s.bar.max;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = s.bar.page;
    if (info->fMask & SIF_POS)
        info->nPos = s.bar.pos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = s.bar.trackPos;
    return TRUE;
}

// Repeats the held arrow or page while the mouse stays over that part.
void repeat(HWND hwnd, ScrollBarControl& s)
{
    if (s.code < 0 || s.code == SB_THUMBTRACK)
        return;
    RECT client = clientRect(hwnd);
    if (user::scrollBarHit(layoutOf(hwnd, s), alongOf(hwnd, s.held)) == s.code && PtInRect(&client, s.held))
        notify(hwnd, s.code);
}

LRESULT onButtonDown(HWND hwnd, ScrollBarControl& s, LPARAM lParam)
{
    if (!IsWindowEnabled(hwnd) || s.bar.max <= s.bar.min)
        return 0;
    POINT p { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    ScrollBarLayout l = layoutOf(hwnd, s);
    s.code = user::scrollBarHit(l, alongOf(hwnd, p));
    s.held = p;
    SetCapture(hwnd);
    if (s.code == SB_THUMBTRACK) {
        s.grab = alongOf(hwnd, p) - l.thumbStart;
        s.bar.trackPos = s.bar.pos;
        return 0;
    }
    notify(hwnd, s.code);
    SetTimer(hwnd, kRepeatTimer, 400, nullptr);
    return 0;
}

LRESULT onMouseMove(HWND hwnd, ScrollBarControl& s, LPARAM lParam)
{
    if (s.code < 0)
        return 0;
    s.held = POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    if (s.code == SB_THUMBTRACK) {
        int pos = user::scrollBarThumbPos(layoutOf(hwnd, s), s.bar, alongOf(hwnd, s.held) - s.grab);
        if (pos != s.bar.trackPos) {
            s.bar.trackPos = pos;
            notify(hwnd, SB_THUMBTRACK, pos);
        }
    }
    return 0;
}

LRESULT endTracking(HWND hwnd, ScrollBarControl& s)
{
    if (s.code < 0)
        return 0;
    int code = s.code;
    s.code = -1;
    KillTimer(hwnd, kRepeatTimer);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (code == SB_THUMBTRACK)
        notify(hwnd, SB_THUMBPOSITION, s.bar.trackPos);
    notify(hwnd, SB_ENDSCROLL);
    return 0;
}

int keyCode(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
    case VK_UP: return SB_LINEUP;
    case VK_RIGHT:
    case VK_DOWN: return SB_LINEDOWN;
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_HOME: return SB_TOP;
    case VK_END: return SB_BOTTOM;
    default: return -1;
    }
}

void paint(HWND hwnd, HDC dc, const ScrollBarControl& s)
{
    parentColors(hwnd, dc, WM_CTLCOLORSCROLLBAR);
    user::drawScrollBar(dc, clientRect(hwnd), s.bar, vertical(hwnd), IsWindowEnabled(hwnd));
}

LRESULT CALLBACK scrollBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        attachState<ScrollBarControl>(hwnd);
    ScrollBarControl* s = stateOf<ScrollBarControl>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY: detachState<ScrollBarControl>(hwnd); break;
    case WM_CREATE: s->bar.max = 0; return 0;
    case WM_PAINT: {
        PaintScope scope(hwnd);
        paint(hwnd, scope.dc(), *s);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_ENABLE: repaint(hwnd); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return onButtonDown(hwnd, *s, lParam);
    case WM_MOUSEMOVE: return onMouseMove(hwnd, *s, lParam);
    case WM_LBUTTONUP: return endTracking(hwnd, *s);
    case WM_CAPTURECHANGED:
        if (HWND(lParam) != hwnd)
            endTracking(hwnd, *s);
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer) {
            repeat(hwnd, *s);
            SetTimer(hwnd, kRepeatTimer, 50, nullptr);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (keyCode(wParam) >= 0)
            notify(hwnd, keyCode(wParam));
        return 0;
    case WM_KEYUP:
        if (keyCode(wParam) >= 0)
            notify(hwnd, SB_ENDSCROLL);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case SBM_SETSCROLLINFO: return setInfo(hwnd, *s, reinterpret_cast<const SCROLLINFO*>(lParam), wParam != 0);
    case SBM_GETSCROLLINFO: return getInfo(*s, reinterpret_cast<SCROLLINFO*>(lParam));
    case SBM_SETPOS: {
        int old = s->bar.pos;
        SCROLLINFO info { sizeof(info), SIF_POS, 0, 0, 0, int(wParam), 0 };
        setInfo(hwnd, *s, &info, lParam != 0);
        return old;
    }
    case SBM_GETPOS: return s->bar.pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        int old = s->bar.pos;
        SCROLLINFO info { sizeof(info), SIF_RANGE, int(wParam), int(lParam), 0, 0, 0 };
        setInfo(hwnd, *s, &info, message == SBM_SETRANGEREDRAW);
        return old;
    }
    case SBM_GETRANGE:
        if (wParam)
            *reinterpret_cast<LPINT>(wParam) = s->bar.min;
        if (lParam)
            *reinterpret_cast<LPINT>(lParam) = s->bar.max;
        return 0;
    case SBM_ENABLE_ARROWS:
        s->bar.disabledArrows = UINT(wParam);
        repaint(hwnd);
        return TRUE;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

void registerScrollBarClass()
{
    registerControlClass(WC_SCROLLBARA, scrollBarProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform::controls
