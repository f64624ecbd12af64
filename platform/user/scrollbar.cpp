// Window scroll bars (WS_HSCROLL/WS_VSCROLL): their state, drawing and mouse tracking; SB_CTL
// calls go to the scroll bar control through its messages.
#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"
#include "platform/user/nonclient.h"
#include "platform/user/sizemove.h"

#include <algorithm>
#include <chrono>

namespace platform::user {

namespace {

struct BarGeometry {
    RECT bar {};          // window coordinates
    bool vertical = true;
    int arrow = 0;        // arrow length
    int trackStart = 0;   // along the bar, from its start
    int trackLength = 0;
    int thumbStart = 0;
    int thumbLength = 0;
};

ScrollBarState* barOf(Window& w, int bar)
{
    if (bar == SB_VERT)
        return &w.vscroll;
    if (bar == SB_HORZ)
        return &w.hscroll;
    return nullptr;
}

int maxPos(const ScrollBarState& s)
{
    return std::max(s.min, s.max - std::max(int(s.page) - 1, 0));
}

BarGeometry geometry(const RECT& bar, const ScrollBarState& s, bool vertical)
{
    BarGeometry g;
    g.bar = bar;
    g.vertical = vertical;
    int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
    g.arrow = std::min(thickness, length / 2);
    g.trackStart = g.arrow;
    g.trackLength = std::max(length - 2 * g.arrow, 0);
    int range = s.max - s.min + 1;
    if (range <= 0 || g.trackLength < 8) {
        g.thumbLength = 0;
        return g;
    }
    g.thumbLength = s.page ? std::max(8, int(int64_t(g.trackLength) * s.page / range)) : std::min(thickness, g.trackLength);
    g.thumbLength = std::min(g.thumbLength, g.trackLength);
    int span = maxPos(s) - s.min;
    int pos = std::clamp(s.pos, s.min, maxPos(s));
    g.thumbStart = g.trackStart + (span > 0 ? int(int64_t(g.trackLength - g.thumbLength) * (pos - s.min) / span) : 0);
    return g;
}

RECT partRect(const BarGeometry& g, int from, int to)
{
    RECT r = g.bar;
    if (g.vertical) {
        r.top = g.bar.top + from;
        r.bottom = g.bar.top + to;
    } else {
        r.left = g.bar.left + from;
        r.right = g.bar.left + to;
    }
    return r;
}

void redrawFrame(HWND hwnd) { paintNonClient(hwnd); }

// Recomputes the frame when a bar appears or disappears.
void frameChanged(HWND hwnd)
{
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

void drawScrollBar(HDC dc, const RECT& bar, const ScrollBarState& state, bool vertical, bool enabled)
{
    BarGeometry g = geometry(bar, state, vertical);
    bool active = enabled && state.max > state.min && state.disabledArrows != ESB_DISABLE_BOTH;
    int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    RECT first = partRect(g, 0, g.arrow);
    RECT last = partRect(g, length - g.arrow, length);
    UINT inactive = active ? 0 : DFCS_INACTIVE;
    DrawFrameControl(dc, &first, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive
        | ((state.disabledArrows & ESB_DISABLE_LTUP) ? DFCS_INACTIVE : 0));
    DrawFrameControl(dc, &last, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive
        | ((state.disabledArrows & ESB_DISABLE_RTDN) ? DFCS_INACTIVE : 0));
    RECT track = partRect(g, g.trackStart, g.trackStart + g.trackLength);
    FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    if (active && g.thumbLength > 0) {
        RECT thumb = partRect(g, g.thumbStart, g.thumbStart + g.thumbLength);
        FillRect(dc, &thumb, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

void trackWindowScrollBar(HWND hwnd, int bar, POINT screen)
{
    UINT message = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    BarGeometry g;
    ScrollBarState state;
    POINT origin;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return;
        NonClientLayout l = layoutNonClient(*w, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
        state = *barOf(*w, bar);
        g = geometry(bar == SB_VERT ? l.vscroll : l.hscroll, state, bar == SB_VERT);
        origin = windowOrigin(*w);
        if ((w->style & WS_DISABLED) || state.max <= state.min)
            return;
    }
    auto along = [&](POINT p) {
        return g.vertical ? p.y - origin.y - g.bar.top : p.x - origin.x - g.bar.left;
    };
    int at = along(screen);
    int length = g.vertical ? g.bar.bottom - g.bar.top : g.bar.right - g.bar.left;
    int code;
    if (at < g.arrow)
        code = SB_LINEUP;
    else if (at >= length - g.arrow)
        code = SB_LINEDOWN;
    else if (g.thumbLength > 0 && at < g.thumbStart)
        code = SB_PAGEUP;
    else if (g.thumbLength > 0 && at >= g.thumbStart + g.thumbLength)
        code = SB_PAGEDOWN;
    else
        code = SB_THUMBTRACK;

    SetCapture(hwnd);
    CaptureGuard guard(hwnd);
    if (code == SB_THUMBTRACK) {
        int grab = at - g.thumbStart;
        int span = maxPos(state) - state.min;
        int trackPos = state.pos;
        MSG msg;
        while (GetCapture() == hwnd && getNestedMessage(msg)) {
            if ((msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) && msg.hwnd == hwnd) {
                int room = g.trackLength - g.thumbLength;
                int offset = std::clamp(along(msg.pt) - grab - g.trackStart, 0, std::max(room, 0));
                trackPos = state.min + (room > 0 ? int(int64_t(offset) * span / room) : 0);
                {
                    TreeLock lock;
                    if (Window* w = peekWindow(hwnd))
                        barOf(*w, bar)->trackPos = trackPos;
                }
                if (msg.message == WM_LBUTTONUP) {
                    SendMessageA(hwnd, message, MAKEWPARAM(SB_THUMBPOSITION, WORD(trackPos)), 0);
                    break;
                }
                SendMessageA(hwnd, message, MAKEWPARAM(SB_THUMBTRACK, WORD(trackPos)), 0);
                continue;
            }
            if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } else {
        // The first step at once, then repeats while the button stays down: a pause, then a steady rate.
        SendMessageA(hwnd, message, MAKEWPARAM(code, 0), 0);
        auto queue = ThreadQueue::current();
        auto next = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
        bool over = true;
        MSG msg;
        while (GetCapture() == hwnd) {
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (endsNestedLoop(msg) || (msg.message == WM_LBUTTONUP && msg.hwnd == hwnd))
                    break;
                if (msg.message == WM_MOUSEMOVE && msg.hwnd == hwnd) {
                    int a = along(msg.pt);
                    over = code == SB_LINEUP ? a < g.arrow
                        : code == SB_LINEDOWN ? a >= length - g.arrow
                                              : a >= g.trackStart && a < g.trackStart + g.trackLength;
                    continue;
                }
                if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
                    continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
                continue;
            }
            if (std::chrono::steady_clock::now() >= next) {
                if (over)
                    SendMessageA(hwnd, message, MAKEWPARAM(code, 0), 0);
                next = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
                continue;
            }
            queue->waitForWork(queue->stamp(), next);
        }
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (IsWindow(hwnd))
        SendMessageA(hwnd, message, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

ScrollBarLayout scrollBarLayout(const RECT& bar, const ScrollBarState& state, bool vertical)
{
    BarGeometry g = geometry(bar, state, vertical);
    return ScrollBarLayout { g.arrow, g.trackStart, g.trackLength, g.thumbStart, g.thumbLength,
        vertical ? bar.bottom - bar.top : bar.right - bar.left };
}

int scrollBarHit(const ScrollBarLayout& l, int along)
{
    if (along < l.arrow)
        return SB_LINEUP;
    if (along >= l.length - l.arrow)
        return SB_LINEDOWN;
    if (l.thumbLength > 0 && along < l.thumbStart)
        return SB_PAGEUP;
    if (l.thumbLength > 0 && along >= l.thumbStart + l.thumbLength)
        return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

int scrollBarThumbPos(const ScrollBarLayout& l, const ScrollBarState& state, int thumbStart)
{
    int room = l.trackLength - l.thumbLength;
    int offset = std::clamp(thumbStart - l.trackStart, 0, std::max(room, 0));
    return state.min + (room > 0 ? int(int64_t(offset) * (maxPos(state) - state.min) / room) : 0);
}

int scrollBarMaxPos(const ScrollBarState& state) { return maxPos(state); }

} // namespace platform::user

using namespace platform;
using namespace platform::user;

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw)
{
    if (!info)
        return 0;
    if (bar == SB_CTL)
        return int(SendMessageA(hwnd, SBM_SETSCROLLINFO, redraw, LPARAM(info)));
    int pos;
    bool frame = false;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return 0;
        ScrollBarState* s = barOf(*w, bar);
        if (!s)
            return 0;
        if (info->fMask & SIF_RANGE) {
            s->min = info->nMin;
            s->max = info->nMax;
        }
        if (info->fMask & SIF_PAGE)
            s->page = std::min<UINT>(info->nPage, UINT(std::max(s->max - s->min + 1, 0)));
        if (info->fMask & SIF_POS)
            s->pos = info->nPos;
        s->pos = std::clamp(s->pos, s->min, maxPos(*s));
        pos = s->pos;
        // A window scroll bar shows while there is something to scroll, unless asked to stay
        // and be disabled instead.
        bool scrollable = s->max > s->min && (s->page == 0 || int(s->page) <= s->max - s->min);
        DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
        if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
            if (scrollable && !(w->style & bit)) {
                w->style |= bit;
                s->shown = true;
                frame = true;
            } else if (!scrollable && (w->style & bit) && !(info->fMask & SIF_DISABLENOSCROLL)) {
                w->style &= ~bit;
                s->shown = false;
                frame = true;
            }
        }
    }
    if (frame)
        frameChanged(hwnd);
    else if (redraw)
        redrawFrame(hwnd);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    if (!info)
        return FALSE;
    if (bar == SB_CTL)
        return SendMessageA(hwnd, SBM_GETSCROLLINFO, 0, LPARAM(info)) ? TRUE : FALSE;
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return FALSE;
    ScrollBarState* s = barOf(*w, bar);
    if (!s)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->min;
        info->nMax = s->max;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = s->page;
    if (info->fMask & SIF_POS)
        info->nPos = s->pos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = s->trackPos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    int old = GetScrollPos(hwnd, bar);
    SCROLLINFO info { sizeof(info), SIF_POS, 0, 0, 0, pos, 0 };
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
    SCROLLINFO info { sizeof(info), SIF_POS, 0, 0, 0, 0, 0 };
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    SCROLLINFO info { sizeof(info), SIF_RANGE, minPos, maxPos, 0, 0, 0 };
    SetScrollInfo(hwnd, bar, &info, redraw);
    return IsWindow(hwnd);
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos)
{
    SCROLLINFO info { sizeof(info), SIF_RANGE, 0, 0, 0, 0, 0 };
    if (!GetScrollInfo(hwnd, bar, &info))
        return FALSE;
    if (minPos)
        *minPos = info.nMin;
    if (maxPos)
        *maxPos = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    if (bar == SB_CTL) {
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return IsWindow(hwnd);
    }
    bool changed = false;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL | WS_HSCROLL;
        DWORD before = w->style;
        if (show)
            w->style |= bits;
        else
            w->style &= ~bits;
        w->vscroll.shown = (w->style & WS_VSCROLL) != 0;
        w->hscroll.shown = (w->style & WS_HSCROLL) != 0;
        changed = before != w->style;
    }
    if (changed)
        frameChanged(hwnd);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows)
{
    if (bar == SB_CTL)
        return SendMessageA(hwnd, SBM_ENABLE_ARROWS, arrows, 0) ? TRUE : FALSE;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        if (bar == SB_VERT || bar == SB_BOTH)
            w->vscroll.disabledArrows = arrows;
        if (bar == SB_HORZ || bar == SB_BOTH)
            w->hscroll.disabledArrows = arrows;
    }
    redrawFrame(hwnd);
    return TRUE;
}
