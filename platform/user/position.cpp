// Window position, size, z-order and visibility: SetWindowPos and the calls built on it.
#include "platform/kernel/winbase.h"
#include "platform/user/input_sink.h"
#include "platform/user/paint_internal.h"

#include <algorithm>

namespace platform::user {

namespace {

// Moves the window within its siblings; true when the order changed. Tree lock held.
bool reorder(Window& w, HWND after)
{
    auto& siblings = siblingsOf(w);
    auto before = siblings;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &w), siblings.end());
    auto firstNonTopmost = [&] {
        auto it = siblings.begin();
        if (!w.parent)
            while (it != siblings.end() && ((*it)->exStyle & WS_EX_TOPMOST))
                ++it;
        return it;
    };
    if (after == HWND_TOPMOST) {
        if (!w.parent)
            w.exStyle |= WS_EX_TOPMOST;
        siblings.insert(siblings.begin(), &w);
    } else if (after == HWND_NOTOPMOST) {
        w.exStyle &= ~DWORD(WS_EX_TOPMOST);
        siblings.insert(firstNonTopmost(), &w);
    } else if (after == HWND_TOP) {
        siblings.insert((w.exStyle & WS_EX_TOPMOST) ? siblings.begin() : firstNonTopmost(), &w);
    } else if (after == HWND_BOTTOM) {
        siblings.push_back(&w);
    } else {
        Window* a = peekWindow(after);
        auto it = a ? std::find(siblings.begin(), siblings.end(), a) : siblings.end();
        if (it == siblings.end())
            siblings.insert(firstNonTopmost(), &w);
        else
            siblings.insert(it + 1, &w);
    }
    if (!w.parent)
        keepOwnedOrder(w);
    return before != siblings;
}

POINT clientPosInParent(const Window& w) { return { w.rect.left + w.client.left, w.rect.top + w.client.top }; }

} // namespace

MINMAXINFO minMaxInfo(HWND hwnd)
{
    RECT work = theDesktop().workArea();
    MINMAXINFO mmi {};
    mmi.ptMaxSize = { work.right - work.left, work.bottom - work.top };
    mmi.ptMaxPosition = { work.left, work.top };
    mmi.ptMinTrackSize = { GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK) };
    mmi.ptMaxTrackSize = { GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK) };
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (w && !(w->style & WS_THICKFRAME) && (w->style & WS_CAPTION) != WS_CAPTION)
            mmi.ptMinTrackSize = { 0, 0 };
    }
    sendMessage(hwnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
    return mmi;
}

BOOL setWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    WINDOWPOS wp { hwnd, insertAfter, x, y, cx, cy, flags };
    bool topLevel;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        topLevel = !w->parent;
        if (flags & SWP_NOMOVE) {
            wp.x = w->rect.left;
            wp.y = w->rect.top;
        }
        if (flags & SWP_NOSIZE) {
            wp.cx = w->rect.right - w->rect.left;
            wp.cy = w->rect.bottom - w->rect.top;
        }
        bool visible = (w->style & WS_VISIBLE) != 0;
        if (visible)
            wp.flags &= ~UINT(SWP_SHOWWINDOW);
        else
            wp.flags &= ~UINT(SWP_HIDEWINDOW);
    }
    if (!(wp.flags & SWP_NOSENDCHANGING))
        sendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&wp));
    wp.cx = std::max(wp.cx, 0);
    wp.cy = std::max(wp.cy, 0);

    RECT newRect { wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy };
    RECT oldRect, oldClient;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        oldRect = w->rect;
        oldClient = w->client;
    }
    bool sized = newRect.right - newRect.left != oldRect.right - oldRect.left
        || newRect.bottom - newRect.top != oldRect.bottom - oldRect.top;
    RECT newClient = oldClient;
    if (sized || (wp.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params {};
        params.rgrc[0] = newRect;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = { oldRect.left + oldClient.left, oldRect.top + oldClient.top, oldRect.left + oldClient.right,
            oldRect.top + oldClient.bottom };
        params.lppos = &wp;
        sendMessage(hwnd, WM_NCCALCSIZE, TRUE, LPARAM(&params));
        RECT c = params.rgrc[0];
        c.right = std::max(c.right, c.left);
        c.bottom = std::max(c.bottom, c.top);
        newClient = { c.left - newRect.left, c.top - newRect.top, c.right - newRect.left, c.bottom - newRect.top };
    }

    bool wasVisible, nowVisible;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        Window* root = rootOf(*w);
        wasVisible = isReallyVisible(*w);
        Region oldArea = wasVisible && w->parent ? Region(windowRectInRoot(*w)) : Region();
        POINT oldClientPos = clientPosInParent(*w);
        SIZE oldClientSize { oldClient.right - oldClient.left, oldClient.bottom - oldClient.top };
        w->rect = newRect;
        w->client = newClient;
        if (w->showState == ShowState::Normal)
            w->normalRect = newRect;
        bool zChanged = !(wp.flags & SWP_NOZORDER) && reorder(*w, wp.hwndInsertAfter);
        if (wp.flags & SWP_SHOWWINDOW)
            w->style |= WS_VISIBLE;
        if (wp.flags & SWP_HIDEWINDOW)
            w->style &= ~DWORD(WS_VISIBLE);
        nowVisible = isReallyVisible(*w);
        if (topLevel) {
            refreshLayer(*w);
            if (zChanged)
                syncLayerOrder();
        }
        bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
        bool changed = sized || moved || zChanged || (wp.flags & (SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_HIDEWINDOW));
        if (!nowVisible) {
            clearPaintStateTree(*w);
        } else if (!(wp.flags & SWP_NOREDRAW) && changed) {
            // A top-level window that was only moved or raised keeps its picture.
            bool keepsPicture = topLevel && !sized && !(wp.flags & (SWP_FRAMECHANGED | SWP_SHOWWINDOW));
            if (!keepsPicture)
                invalidateWhole(*w);
        }
        if (w->parent && !(wp.flags & SWP_NOREDRAW) && changed && (wasVisible || nowVisible)) {
            // What the child uncovered in its parent and siblings.
            Region uncovered = oldArea;
            if (nowVisible)
                uncovered.subtract(Region(windowRectInRoot(*w)));
            invalidateRootArea(*root, uncovered);
        }
        POINT newClientPos = clientPosInParent(*w);
        SIZE newClientSize { newClient.right - newClient.left, newClient.bottom - newClient.top };
        if (newClientPos.x == oldClientPos.x && newClientPos.y == oldClientPos.y)
            wp.flags |= SWP_NOMOVE;
        else
            wp.flags &= ~UINT(SWP_NOMOVE);
        if (newClientSize.cx == oldClientSize.cx && newClientSize.cy == oldClientSize.cy && !(wp.flags & SWP_FRAMECHANGED))
            wp.flags |= SWP_NOSIZE;
        else
            wp.flags &= ~UINT(SWP_NOSIZE);
    }
    if (topLevel && nowVisible && !(wp.flags & SWP_NOACTIVATE))
        activateWindow(hwnd, WA_ACTIVE);
    sendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&wp));
    return TRUE;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return setWindowPos(hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return setWindowPos(hwnd, nullptr, x, y, width, height,
        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) { return setWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL IsWindowVisible(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    if (!w)
        return FALSE;
    for (Window* p = w; p; p = p->parent)
        if (!(p->style & WS_VISIBLE))
            return FALSE;
    return TRUE;
}

BOOL IsIconic(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    return w && w->showState == ShowState::Minimized;
}

BOOL IsZoomed(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    return w && w->showState == ShowState::Maximized;
}

namespace {

// A window restored while a modal window holds it disabled: the keys go to that window, as a
// click on the disabled one would take them there.
void giveActivationToModal(HWND restored)
{
    const HWND active = GetActiveWindow();
    if (IsWindowEnabled(restored) || (active && active != restored))
        return;
    if (HWND popup = GetWindow(restored, GW_ENABLEDPOPUP))
        activateWindow(popup, WA_ACTIVE);
}

BOOL showWindow(HWND hwnd, int command)
{
    bool wasVisible, topLevel;
    ShowState state;
    RECT normal;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        wasVisible = (w->style & WS_VISIBLE) != 0;
        topLevel = !w->parent;
        state = w->showState;
        normal = w->normalRect;
        // Shown or hidden on purpose now, not by its owner's restore.
        w->hiddenWithOwner = false;
    }
    UINT noActivate = 0;
    switch (command) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        sendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
        setWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (GetActiveWindow() == hwnd)
            activateAnotherWindow(hwnd);
        if (!topLevel) {
            // Keys must not go on reaching a hidden control: the focus moves to its parent.
            HWND focus = GetFocus();
            HWND parent = GetAncestor(hwnd, GA_PARENT);
            if (focus && (focus == hwnd || IsChild(hwnd, focus)))
                SetFocus(parent);
        }
        return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: {
        if (!wasVisible)
            sendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        {
            TreeLock lock;
            Window* w = findWindow(hwnd);
            if (!w)
                return FALSE;
            w->showState = ShowState::Minimized;
            w->style |= WS_MINIMIZE;
            w->style &= ~DWORD(WS_MAXIMIZE);
            w->style |= WS_VISIBLE;
            clearPaintStateTree(*w);
            if (topLevel)
                refreshLayer(*w);
        }
        bool activeHidden = topLevel && hideOwnedWindows(hwnd);
        if (GetActiveWindow() == hwnd || command == SW_MINIMIZE || activeHidden)
            activateAnotherWindow(hwnd);
        sendMessage(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        return wasVisible;
    }
    case SW_MAXIMIZE: {
        if (!wasVisible)
            sendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        MINMAXINFO mmi = minMaxInfo(hwnd);
        {
            TreeLock lock;
            Window* w = findWindow(hwnd);
            if (!w)
                return FALSE;
            w->showState = ShowState::Maximized;
            w->style |= WS_MAXIMIZE;
            w->style &= ~DWORD(WS_MINIMIZE);
        }
        setWindowPos(hwnd, HWND_TOP, mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxSize.x, mmi.ptMaxSize.y,
            SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        if (state == ShowState::Minimized && topLevel)
            showOwnedWindows(hwnd), giveActivationToModal(hwnd);
        return wasVisible;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (state != ShowState::Normal) {
            if (!wasVisible)
                sendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
            {
                TreeLock lock;
                Window* w = findWindow(hwnd);
                if (!w)
                    return FALSE;
                w->showState = ShowState::Normal;
                w->style &= ~DWORD(WS_MINIMIZE | WS_MAXIMIZE);
            }
            setWindowPos(hwnd, HWND_TOP, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
                SWP_SHOWWINDOW | SWP_FRAMECHANGED);
            if (state == ShowState::Minimized && topLevel)
                showOwnedWindows(hwnd), giveActivationToModal(hwnd);
            return wasVisible;
        }
        break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
        noActivate = SWP_NOACTIVATE;
        break;
    case SW_SHOW:
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (wasVisible) {
        if (!noActivate && topLevel)
            activateWindow(hwnd, WA_ACTIVE);
        return TRUE;
    }
    sendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
    UINT zorder = (noActivate || !topLevel) ? SWP_NOZORDER : 0;
    setWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | zorder | noActivate
        | (topLevel ? 0 : SWP_NOACTIVATE));
    return FALSE;
}

} // namespace

BOOL ShowWindow(HWND hwnd, int command)
{
    BOOL wasVisible = showWindow(hwnd, command);
    syncMinimizedIcon(hwnd);
    // With nothing left to show, the program's own window on the real desktop goes down too;
    // restoring it there restores what was minimised.
    bool minimized = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE
        || command == SW_FORCEMINIMIZE;
    if (minimized && IsIconic(hwnd) && nothingShownButIcons())
        theDesktop().minimizeHost();
    return wasVisible;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = screenRect(*w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = { 0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top };
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w || !point)
        return FALSE;
    POINT o = clientOrigin(*w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w || !point)
        return FALSE;
    POINT o = clientOrigin(*w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    TreeLock lock;
    POINT a {}, b {};
    if (from) {
        Window* w = findWindow(from);
        if (!w)
            return 0;
        a = clientOrigin(*w);
    }
    if (to) {
        Window* w = findWindow(to);
        if (!w)
            return 0;
        b = clientOrigin(*w);
    }
    LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(WORD(dx), WORD(dy));
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w || !placement)
        return FALSE;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = 0;
    switch (w->showState) {
    case ShowState::Minimized: placement->showCmd = SW_SHOWMINIMIZED; break;
    case ShowState::Maximized: placement->showCmd = SW_SHOWMAXIMIZED; break;
    default: placement->showCmd = SW_SHOWNORMAL; break;
    }
    placement->ptMinPosition = w->minPosition;
    placement->ptMaxPosition = w->maxPosition;
    placement->rcNormalPosition = w->showState == ShowState::Normal ? w->rect : w->normalRect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement)
{
    if (!placement)
        return FALSE;
    const RECT& r = placement->rcNormalPosition;
    ShowState state;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        w->normalRect = r;
        w->minPosition = placement->ptMinPosition;
        w->maxPosition = placement->ptMaxPosition;
        state = w->showState;
    }
    if (state == ShowState::Normal)
        setWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, int(placement->showCmd));
    return TRUE;
}
