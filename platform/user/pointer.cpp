// Windows under a point: WindowFromPoint, ChildWindowFromPoint(Ex).
#include "platform/user/pointer.h"

#include "platform/kernel/winbase.h"
#include "platform/user/window_state.h"

#include <algorithm>

namespace platform::user {

namespace {

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

bool hits(const Window& w, POINT screen)
{
    RECT r = screenRect(w);
    if (!contains(r, screen))
        return false;
    return !w.shape || w.shape->contains(screen.x - r.left, screen.y - r.top);
}

bool skipped(const Window& w, const std::vector<HWND>& skip)
{
    return std::find(skip.begin(), skip.end(), w.handle) != skip.end();
}

} // namespace

HWND windowFromPointExcluding(POINT screen, const std::vector<HWND>& skip)
{
    TreeLock lock;
    for (Window* top : windowSystem().topLevels) {
        if (!(top->style & WS_VISIBLE) || top->showState == ShowState::Minimized || skipped(*top, skip)
            || !hits(*top, screen))
            continue;
        Window* w = top;
        for (;;) {
            POINT o = clientOrigin(*w);
            RECT client { o.x, o.y, o.x + (w->client.right - w->client.left), o.y + (w->client.bottom - w->client.top) };
            if (!contains(client, screen))
                break;
            Window* found = nullptr;
            for (Window* child : w->children) {
                if (!(child->style & WS_VISIBLE) || skipped(*child, skip) || !hits(*child, screen))
                    continue;
                if (!(child->style & WS_DISABLED))
                    found = child;
                break;   // a disabled child passes the point to its parent
            }
            if (!found)
                break;
            w = found;
        }
        return w->handle;
    }
    return nullptr;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

// Windows of the calling thread are asked for their hit-test code, so one that answers
// HTTRANSPARENT lets the point through to what lies below.
HWND WindowFromPoint(POINT point)
{
    std::vector<HWND> skip;
    for (int guard = 0; guard < 64; ++guard) {
        HWND hwnd = windowFromPointExcluding(point, skip);
        auto w = windowRef(hwnd);
        if (!w || w->threadId != GetCurrentThreadId())
            return hwnd;
        if (sendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) != HTTRANSPARENT)
            return hwnd;
        skip.push_back(hwnd);
    }
    return nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags)
{
    TreeLock lock;
    Window* p = findWindow(parent);
    if (!p)
        return nullptr;
    POINT o = clientOrigin(*p);
    POINT screen { point.x + o.x, point.y + o.y };
    if (!contains(screenRect(*p), screen))
        return nullptr;
    for (Window* child : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(child->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (child->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (child->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (hits(*child, screen))
            return child->handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) { return ChildWindowFromPointEx(parent, point, CWP_ALL); }
