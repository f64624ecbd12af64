// Window creation and destruction, with their messages in the order window procedures expect.
#include "platform/kernel/winbase.h"
#include "platform/user/menubar_hooks.h"
#include "platform/user/window_state.h"

#include <algorithm>

namespace platform::user {

namespace {

int g_cascade = 0;

void insertIntoTree(Window& w)
{
    auto& siblings = siblingsOf(w);
    // A new child goes below its siblings, so creation order is z-order and dialog tab order.
    if (w.parent) {
        siblings.push_back(&w);
        return;
    }
    auto pos = siblings.begin();
    // Topmost windows stay above the others.
    if (!w.parent && !(w.exStyle & WS_EX_TOPMOST))
        while (pos != siblings.end() && ((*pos)->exStyle & WS_EX_TOPMOST))
            ++pos;
    siblings.insert(pos, &w);
}

void defaultPlacement(DWORD style, HWND parent, int& x, int& y, int& cx, int& cy)
{
    bool overlapped = !(style & (WS_POPUP | WS_CHILD));
    SIZE screen { GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    if (x == CW_USEDEFAULT) {
        if (overlapped && !parent) {
            int step = (g_cascade++ % 8) * 26;
            x = step;
            y = step;
        } else {
            x = 0;
            y = 0;
        }
    }
    if (cx == CW_USEDEFAULT) {
        if (overlapped && !parent) {
            cx = screen.cx * 3 / 4;
            cy = screen.cy * 3 / 4;
        } else {
            cx = 0;
            cy = 0;
        }
    }
}

// Sends WM_PARENTNOTIFY up the chain of child windows, as far as they want it.
void notifyParents(HWND hwnd, UINT event)
{
    std::vector<std::pair<HWND, WPARAM>> targets;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w || !w->isChild())
            return;
        WPARAM wParam = MAKEWPARAM(event, WORD(w->id));
        for (Window* c = w; c->isChild() && !(c->exStyle & WS_EX_NOPARENTNOTIFY); c = c->parent)
            targets.emplace_back(c->parent->handle, wParam);
    }
    for (auto& [target, wParam] : targets)
        sendMessage(target, WM_PARENTNOTIFY, wParam, LPARAM(hwnd));
}

// Removes a window from every structure; its handle is stale afterwards. Tree lock held.
void unlinkWindow(Window& w)
{
    forgetWindow(w);
    clearPaintState(w);
    auto& siblings = siblingsOf(w);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &w), siblings.end());
    if (!w.parent) {
        detachLayer(w);
        dropMinimizedIcon(w);
    }
    for (Window* top : windowSystem().topLevels)
        if (top->owner == w.handle)
            top->owner = nullptr;
    {
        std::lock_guard lock(w.queue->m_mutex);
        auto& timers = w.queue->m_timers;
        timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == w.handle; }),
            timers.end());
        auto& posted = w.queue->m_posted;
        posted.erase(std::remove_if(posted.begin(), posted.end(), [&](const MSG& m) { return m.hwnd == w.handle; }),
            posted.end());
    }
    w.cls->windowCount--;
    w.destroyed = true;
    windowSystem().windows.remove(handleValue(w.handle));
}

void unlinkTree(Window& w)
{
    auto children = w.children;
    for (Window* c : children)
        unlinkTree(*c);
    unlinkWindow(w);
}

void sendDestroy(HWND hwnd)
{
    sendMessage(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    {
        TreeLock lock;
        if (Window* w = peekWindow(hwnd))
            for (Window* c : w->children)
                children.push_back(c->handle);
    }
    for (HWND c : children)
        sendDestroy(c);
}

void sendNcDestroy(HWND hwnd)
{
    std::vector<HWND> children;
    {
        TreeLock lock;
        if (Window* w = peekWindow(hwnd))
            for (Window* c : w->children)
                children.push_back(c->handle);
    }
    for (HWND c : children)
        sendNcDestroy(c);
    sendMessage(hwnd, WM_NCDESTROY, 0, 0);
    TreeLock lock;
    if (Window* w = peekWindow(hwnd)) {
        auto children2 = w->children;
        for (Window* c : children2)
            unlinkTree(*c);   // children created during destruction
        unlinkWindow(*w);
    }
}

} // namespace

void destroyThreadWindows(DWORD threadId)
{
    TreeLock lock;
    std::vector<Window*> victims;
    for (Window* top : windowSystem().topLevels)
        if (top->threadId == threadId)
            victims.push_back(top);
    for (Window* w : victims)
        unlinkTree(*w);
    // Children of this thread living in other threads' windows.
    windowSystem().windows.forEach([&](uintptr_t, const std::shared_ptr<Window>& w) {
        if (w->threadId == threadId && !w->destroyed && peekWindow(w->handle))
            unlinkTree(*w);
    });
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    auto cls = findClass(className, instance);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (parent == HWND_MESSAGE || (parent && parent == GetDesktopWindow()))
        parent = nullptr;
    auto queue = ThreadQueue::current();
    auto window = std::make_shared<Window>();
    Window& w = *window;
    HWND hwnd;
    {
        TreeLock lock;
        Window* parentWindow = nullptr;
        if (parent) {
            parentWindow = findWindow(parent);
            if (!parentWindow)
                return nullptr;
        } else if (style & WS_CHILD) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        defaultPlacement(style, parent, x, y, width, height);
        if (!(style & (WS_CHILD | WS_POPUP)))
            style |= WS_CLIPSIBLINGS | WS_CAPTION;
        w.threadId = queue->threadId();
        w.queue = queue;
        w.cls = cls;
        w.proc = cls->info.lpfnWndProc;
        w.style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
        w.exStyle = exStyle;
        w.instance = instance;
        w.extra.assign(size_t(cls->info.cbWndExtra), 0);
        if (style & WS_CHILD) {
            w.parent = parentWindow;
            w.id = LONG_PTR(menu);
        } else {
            // An owner is always a top-level window.
            if (parentWindow)
                w.owner = rootOf(*parentWindow)->handle;
            w.menu = menu;
        }
        w.rect = { x, y, x + std::max(width, 0), y + std::max(height, 0) };
        w.normalRect = w.rect;
        w.client = { 0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top };
        w.vscroll.shown = (style & WS_VSCROLL) != 0;
        w.hscroll.shown = (style & WS_HSCROLL) != 0;
        hwnd = makeHandle<HWND>(windowSystem().windows.add(window));
        w.handle = hwnd;
        cls->windowCount++;
        insertIntoTree(w);
        if (!w.parent)
            attachLayer(w);
    }
    if (!menu && !(style & WS_CHILD) && cls->info.lpszMenuName)
        if (auto& hooks = menuBarHooks(); hooks.loadClassMenu)
            if (HMENU classMenu = hooks.loadClassMenu(instance, cls->info.lpszMenuName)) {
                TreeLock lock;
                w.menu = classMenu;
            }

    CREATESTRUCTA cs { param, instance, menu, parent, height, width, y, x, LONG(style), windowName,
        className, exStyle };
    if ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO mmi = minMaxInfo(hwnd);
        TreeLock lock;
        LONG cx = std::clamp<LONG>(w.rect.right - w.rect.left, mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x);
        LONG cy = std::clamp<LONG>(w.rect.bottom - w.rect.top, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y);
        w.rect.right = w.rect.left + cx;
        w.rect.bottom = w.rect.top + cy;
        cs.cx = cx;
        cs.cy = cy;
    }
    if (!sendMessage(hwnd, WM_NCCREATE, 0, LPARAM(&cs))) {
        sendNcDestroy(hwnd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    {
        NCCALCSIZE_PARAMS params {};
        RECT rect;
        {
            TreeLock lock;
            if (!peekWindow(hwnd))
                return nullptr;
            rect = w.rect;
        }
        params.rgrc[0] = rect;
        sendMessage(hwnd, WM_NCCALCSIZE, FALSE, LPARAM(&params.rgrc[0]));
        TreeLock lock;
        if (!peekWindow(hwnd))
            return nullptr;
        RECT c = params.rgrc[0];
        c.right = std::max(c.right, c.left);
        c.bottom = std::max(c.bottom, c.top);
        w.client = { c.left - rect.left, c.top - rect.top, c.right - rect.left, c.bottom - rect.top };
        refreshLayer(*rootOf(w));
    }
    if (sendMessage(hwnd, WM_CREATE, 0, LPARAM(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    RECT rect, client;
    {
        TreeLock lock;
        if (!peekWindow(hwnd))
            return nullptr;
        rect = w.rect;
        client = w.client;
    }
    sendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    sendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(rect.left + client.left, rect.top + client.top));
    notifyParents(hwnd, WM_CREATE);
    if (!IsWindow(hwnd))
        return nullptr;
    if (style & WS_MINIMIZE)
        ShowWindow(hwnd, SW_SHOWMINIMIZED);
    else if (style & WS_MAXIMIZE)
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    else if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    bool wasVisible, wasActive;
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        if (w->threadId != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (w->destroying)
            return TRUE;
        w->destroying = true;
        wasVisible = (w->style & WS_VISIBLE) != 0;
        wasActive = windowSystem().active == hwnd;
    }
    notifyParents(hwnd, WM_DESTROY);
    if (wasVisible)
        setWindowPos(hwnd, nullptr, 0, 0, 0, 0,
            SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    // Owned windows go first.
    std::vector<HWND> owned;
    {
        TreeLock lock;
        DWORD me = GetCurrentThreadId();
        for (Window* top : windowSystem().topLevels)
            if (top->owner == hwnd && top->threadId == me)
                owned.push_back(top->handle);
    }
    for (HWND o : owned)
        DestroyWindow(o);
    if (wasActive || GetActiveWindow() == hwnd)
        activateAnotherWindow(hwnd);
    {
        HWND focus = GetFocus();
        HWND parent = nullptr;
        bool inside = false;
        {
            TreeLock lock;
            Window* w = peekWindow(hwnd);
            Window* f = peekWindow(focus);
            inside = w && f && (f == w || isDescendant(*w, *f));
            if (inside && w->isChild())
                parent = w->parent->handle;
        }
        if (inside)
            SetFocus(parent);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    sendDestroy(hwnd);
    sendNcDestroy(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return peekWindow(hwnd) != nullptr; }
