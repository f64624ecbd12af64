// The "msctls_trackbar32" window procedure: range, position, page and line sizes, and the
// WM_HSCROLL/WM_VSCROLL codes it sends for keys and the mouse (never for TBM_SETPOS).
#include "platform/controls/control_registry.h"
#include "platform/controls/trackbar_state.h"

#include <algorithm>

namespace platform::controls {

namespace {

constexpr UINT_PTR kTrackRepeatTimer = 1;

void repaintTrack(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

void notify(HWND hwnd, const TrackbarState& s, WORD code)
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    UINT message = (controlStyle(hwnd) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    WORD pos = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? WORD(s.pos) : 0;
    SendMessageA(parent, message, MAKEWPARAM(code, pos), LPARAM(hwnd));
}

// Moves the thumb; false when it stayed where it was.
bool moveTo(HWND hwnd, TrackbarState& s, int pos)
{
    pos = std::clamp(pos, s.min, s.max);
    if (pos == s.pos)
        return false;
    s.pos = pos;
    repaintTrack(hwnd);
    return true;
}

void step(HWND hwnd, TrackbarState& s, WORD code)
{
    switch (code) {
    case TB_LINEUP: moveTo(hwnd, s, s.pos - s.line); break;
    case TB_LINEDOWN: moveTo(hwnd, s, s.pos + s.line); break;
    case TB_PAGEUP: moveTo(hwnd, s, s.pos - s.page); break;
    case TB_PAGEDOWN: moveTo(hwnd, s, s.pos + s.page); break;
    case TB_TOP: moveTo(hwnd, s, s.min); break;
    case TB_BOTTOM: moveTo(hwnd, s, s.max); break;
    default: break;
    }
    notify(hwnd, s, code);
}

int trackKeyCode(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
    case VK_UP: return TB_LINEUP;
    case VK_RIGHT:
    case VK_DOWN: return TB_LINEDOWN;
    case VK_PRIOR: return TB_PAGEUP;
    case VK_NEXT: return TB_PAGEDOWN;
    case VK_HOME: return TB_TOP;
    case VK_END: return TB_BOTTOM;
    default: return -1;
    }
}

int alongOf(const TrackbarGeometry& g, POINT p) { return g.vertical ? p.y : p.x; }

// While the channel is held, a page step toward the point until the thumb reaches it.
bool pageTowardPoint(HWND hwnd, TrackbarState& s)
{
    TrackbarGeometry g = trackbarGeometry(hwnd, s);
    int at = alongOf(g, s.pagePoint);
    int thumbStart = g.vertical ? g.thumb.top : g.thumb.left;
    int thumbEnd = g.vertical ? g.thumb.bottom : g.thumb.right;
    if ((s.pageCode == TB_PAGEUP && at < thumbStart) || (s.pageCode == TB_PAGEDOWN && at >= thumbEnd)) {
        step(hwnd, s, WORD(s.pageCode));
        return true;
    }
    return false;
}

LRESULT onButtonDown(HWND hwnd, TrackbarState& s, LPARAM lParam)
{
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    POINT p = pointOf(lParam);
    TrackbarGeometry g = trackbarGeometry(hwnd, s);
    SetCapture(hwnd);
    if (PtInRect(&g.thumb, p)) {
        s.dragging = true;
        s.grab = alongOf(g, p) - (g.vertical ? (g.thumb.top + g.thumb.bottom) / 2 : (g.thumb.left + g.thumb.right) / 2);
        repaintTrack(hwnd);
        return 0;
    }
    int thumbStart = g.vertical ? g.thumb.top : g.thumb.left;
    s.pageCode = alongOf(g, p) < thumbStart ? TB_PAGEUP : TB_PAGEDOWN;
    s.pagePoint = p;
    pageTowardPoint(hwnd, s);
    SetTimer(hwnd, kTrackRepeatTimer, 400, nullptr);
    return 0;
}

LRESULT onMouseMove(HWND hwnd, TrackbarState& s, LPARAM lParam)
{
    if (s.dragging) {
        TrackbarGeometry g = trackbarGeometry(hwnd, s);
        if (moveTo(hwnd, s, trackbarPosAt(g, s, alongOf(g, pointOf(lParam)) - s.grab)))
            notify(hwnd, s, TB_THUMBTRACK);
    } else if (s.pageCode >= 0) {
        s.pagePoint = pointOf(lParam);
    }
    return 0;
}

LRESULT endTracking(HWND hwnd, TrackbarState& s)
{
    bool wasDragging = s.dragging;
    bool wasPaging = s.pageCode >= 0;
    s.dragging = false;
    s.pageCode = -1;
    KillTimer(hwnd, kTrackRepeatTimer);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (wasDragging) {
        repaintTrack(hwnd);
        notify(hwnd, s, TB_THUMBPOSITION);
    }
    if (wasDragging || wasPaging)
        notify(hwnd, s, TB_ENDTRACK);
    return 0;
}

LRESULT onTimer(HWND hwnd, TrackbarState& s)
{
    if (s.pageCode < 0 || !pageTowardPoint(hwnd, s)) {
        KillTimer(hwnd, kTrackRepeatTimer);
        return 0;
    }
    SetTimer(hwnd, kTrackRepeatTimer, 100, nullptr);
    return 0;
}

LRESULT setRange(HWND hwnd, TrackbarState& s, int min, int max, bool redraw)
{
    s.min = min;
    s.max = std::max(min, max);
    s.pos = std::clamp(s.pos, s.min, s.max);
    if (redraw)
        repaintTrack(hwnd);
    return 0;
}

LRESULT thumbOrChannel(HWND hwnd, const TrackbarState& s, LPARAM lParam, bool thumb)
{
    if (!lParam)
        return 0;
    TrackbarGeometry g = trackbarGeometry(hwnd, s);
    *reinterpret_cast<RECT*>(lParam) = thumb ? g.thumb : g.channel;
    return 0;
}

LRESULT CALLBACK trackbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        attachState<TrackbarState>(hwnd);
    TrackbarState* s = stateOf<TrackbarState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY: detachState<TrackbarState>(hwnd); break;
    case WM_PAINT: {
        PaintScope paint(hwnd);
        drawTrackbar(hwnd, paint.dc(), *s);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: repaintTrack(hwnd); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        s->focused = message == WM_SETFOCUS;
        if (!s->focused && (s->dragging || s->pageCode >= 0))
            endTracking(hwnd, *s);
        repaintTrack(hwnd);
        return 0;
    case WM_ENABLE: repaintTrack(hwnd); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: {
        int code = trackKeyCode(wParam);
        if (code >= 0)
            step(hwnd, *s, WORD(code));
        return 0;
    }
    case WM_KEYUP:
        if (trackKeyCode(wParam) >= 0)
            notify(hwnd, *s, TB_ENDTRACK);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return onButtonDown(hwnd, *s, lParam);
    case WM_MOUSEMOVE: return onMouseMove(hwnd, *s, lParam);
    case WM_LBUTTONUP: return endTracking(hwnd, *s);
    case WM_CAPTURECHANGED:
        if (HWND(lParam) != hwnd && (s->dragging || s->pageCode >= 0))
            endTracking(hwnd, *s);
        return 0;
    case WM_TIMER:
        if (wParam == kTrackRepeatTimer)
            return onTimer(hwnd, *s);
        break;
    case TBM_GETPOS: return s->pos;
    case TBM_SETPOS:
        s->pos = std::clamp(int(lParam), s->min, s->max);
        if (wParam)
            repaintTrack(hwnd);
        return 0;
    case TBM_GETRANGEMIN: return s->min;
    case TBM_GETRANGEMAX: return s->max;
    case TBM_SETRANGE: return setRange(hwnd, *s, short(LOWORD(lParam)), short(HIWORD(lParam)), wParam);
    case TBM_SETRANGEMIN: return setRange(hwnd, *s, int(lParam), s->max, wParam);
    case TBM_SETRANGEMAX: return setRange(hwnd, *s, s->min, int(lParam), wParam);
    case TBM_SETTICFREQ:
        s->ticFrequency = std::max(1, int(wParam));
        repaintTrack(hwnd);
        return 0;
    case TBM_SETPAGESIZE: {
        int old = s->page;
        s->page = int(lParam);
        return old;
    }
    case TBM_GETPAGESIZE: return s->page;
    case TBM_SETLINESIZE: {
        int old = s->line;
        s->line = int(lParam);
        return old;
    }
    case TBM_GETLINESIZE: return s->line;
    case TBM_GETTHUMBRECT: return thumbOrChannel(hwnd, *s, lParam, true);
    case TBM_GETCHANNELRECT: return thumbOrChannel(hwnd, *s, lParam, false);
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

void registerTrackbarClass()
{
    registerControlClass(TRACKBAR_CLASSA, trackbarProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform::controls
