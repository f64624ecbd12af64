// The shared window-system state, its lock, handle lookup and tree geometry.
#include "platform/user/window_state.h"

#include "platform/kernel/winbase.h"

#include <cassert>

namespace platform::user {

namespace {
std::recursive_mutex g_treeMutex;
thread_local int t_treeDepth = 0;
}

TreeLock::TreeLock()
{
    g_treeMutex.lock();
    ++t_treeDepth;
}

TreeLock::~TreeLock()
{
    --t_treeDepth;
    g_treeMutex.unlock();
}

bool TreeLock::heldByThisThread() { return t_treeDepth > 0; }

WindowSystem& windowSystem()
{
    // Never destroyed: threads may still look windows up while the process exits.
    static auto* system = new WindowSystem();
    return *system;
}

void setInvalidWindowHandle() { SetLastError(ERROR_INVALID_WINDOW_HANDLE); }

Window* peekWindow(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    return windowSystem().windows.get(handleValue(hwnd)).get();
}

Window* findWindow(HWND hwnd)
{
    Window* w = peekWindow(hwnd);
    if (!w)
        setInvalidWindowHandle();
    return w;
}

std::shared_ptr<Window> windowRef(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    return windowSystem().windows.get(handleValue(hwnd));
}

POINT windowOrigin(const Window& w)
{
    if (!w.parent)
        return { w.rect.left, w.rect.top };
    POINT p = clientOrigin(*w.parent);
    return { p.x + w.rect.left, p.y + w.rect.top };
}

POINT clientOrigin(const Window& w)
{
    POINT p = windowOrigin(w);
    return { p.x + w.client.left, p.y + w.client.top };
}

RECT screenRect(const Window& w)
{
    POINT p = windowOrigin(w);
    return { p.x, p.y, p.x + (w.rect.right - w.rect.left), p.y + (w.rect.bottom - w.rect.top) };
}

Window* rootOf(Window& w)
{
    Window* r = &w;
    while (r->parent)
        r = r->parent;
    return r;
}

bool isReallyVisible(const Window& w)
{
    for (const Window* p = &w; p; p = p->parent) {
        if (!(p->style & WS_VISIBLE) || p->destroyed)
            return false;
        if (!p->parent && p->showState == ShowState::Minimized)
            return false;
    }
    return true;
}

bool isDescendant(const Window& ancestor, const Window& w)
{
    for (const Window* p = w.parent; p; p = p->parent)
        if (p == &ancestor)
            return true;
    return false;
}

std::vector<Window*>& siblingsOf(Window& w)
{
    return w.parent ? w.parent->children : windowSystem().topLevels;
}

LRESULT callProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    assert(!TreeLock::heldByThisThread());
    WNDPROC proc;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return 0;
        proc = w->proc;
    }
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

} // namespace platform::user
