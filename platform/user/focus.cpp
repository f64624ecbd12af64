// Activation, keyboard focus, mouse capture and enabled state. One input state serves every
// thread: the game thread's dialogs take the focus from the interface thread's windows.
#include "platform/kernel/winbase.h"
#include "platform/user/dialog_internal.h"
#include "platform/user/menu_model.h"
#include "platform/user/paint_internal.h"
#include "platform/user/sizemove.h"

#include <algorithm>

namespace platform::user {

namespace {

// Activation and focus news for a window of another thread is not waited for: that thread may
// be busy (the game thread computing) while this one must go on.
void tell(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto w = windowRef(hwnd);
    if (!w || !w->queue)
        return;
    if (w->threadId == GetCurrentThreadId())
        sendMessage(hwnd, message, wParam, lParam);
    else
        SendNotifyMessageA(hwnd, message, wParam, lParam);
}

WPARAM activateWParam(HWND hwnd, int how)
{
    return MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0);
}

void raiseTopLevel(Window& top)
{
    auto& tops = windowSystem().topLevels;
    auto before = tops;
    tops.erase(std::remove(tops.begin(), tops.end(), &top), tops.end());
    auto pos = tops.begin();
    if (!(top.exStyle & WS_EX_TOPMOST))
        while (pos != tops.end() && ((*pos)->exStyle & WS_EX_TOPMOST))
            ++pos;
    tops.insert(pos, &top);
    keepOwnedOrder(top);
    if (before != tops)
        syncLayerOrder();
}

void sendToTopLevels(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::vector<HWND> tops;
    {
        TreeLock lock;
        for (Window* w : windowSystem().topLevels)
            tops.push_back(w->handle);
    }
    for (HWND top : tops)
        tell(top, message, wParam, lParam);
}

} // namespace

void activateWindow(HWND hwnd, int how)
{
    HWND old;
    bool firstActivation;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return;
        Window* top = rootOf(*w);
        hwnd = top->handle;
        auto& system = windowSystem();
        raiseTopLevel(*top);
        if (system.active == hwnd)
            return;
        old = peekWindow(system.active) ? system.active : nullptr;
        system.active = hwnd;
        firstActivation = !system.appActive;
        system.appActive = true;
    }
    if (old) {
        tell(old, WM_NCACTIVATE, FALSE, 0);
        tell(old, WM_ACTIVATE, activateWParam(old, WA_INACTIVE), LPARAM(hwnd));
    }
    if (firstActivation)
        sendToTopLevels(WM_ACTIVATEAPP, TRUE, 0);
    if (GetActiveWindow() != hwnd)
        return;   // a handler activated another window meanwhile
    tell(hwnd, WM_NCACTIVATE, TRUE, 0);
    tell(hwnd, WM_ACTIVATE, activateWParam(hwnd, how), LPARAM(old));
}

void activateAnotherWindow(HWND leaving)
{
    HWND next = nullptr;
    {
        TreeLock lock;
        auto usable = [&](Window* w) {
            return w && w->handle != leaving && !w->destroying && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED)
                && w->showState != ShowState::Minimized;
        };
        Window* l = peekWindow(leaving);
        if (l && usable(peekWindow(l->owner)))
            next = l->owner;
        else
            for (Window* w : windowSystem().topLevels)
                if (usable(w)) {
                    next = w->handle;
                    break;
                }
    }
    if (next) {
        activateWindow(next, WA_ACTIVE);
        return;
    }
    HWND focus;
    {
        TreeLock lock;
        auto& system = windowSystem();
        if (system.active != leaving && peekWindow(system.active))
            return;
        system.active = nullptr;
        focus = system.focus;
        system.focus = nullptr;
        system.appActive = false;
    }
    if (IsWindow(leaving)) {
        tell(leaving, WM_NCACTIVATE, FALSE, 0);
        tell(leaving, WM_ACTIVATE, activateWParam(leaving, WA_INACTIVE), 0);
    }
    if (IsWindow(focus))
        tell(focus, WM_KILLFOCUS, 0, 0);
    sendToTopLevels(WM_ACTIVATEAPP, FALSE, 0);
}

std::optional<bool> changeEnabled(HWND hwnd, bool enable)
{
    TreeLock lock;
    Window* w = findWindow(hwnd);
    if (!w)
        return std::nullopt;
    const bool wasEnabled = !(w->style & WS_DISABLED);
    if (wasEnabled != enable) {
        w->style ^= DWORD(WS_DISABLED);
        invalidateFrame(*w);
    }
    return wasEnabled;
}

void tellEnabled(HWND hwnd, bool enable)
{
    // Sent, also to a window of another thread: the caller goes on only once the window knows,
    // so a dialog on the game thread finds its owner disabled when it starts.
    if (!enable) {
        bool loseFocus, loseCapture;
        {
            TreeLock lock;
            auto& system = windowSystem();
            Window* w = peekWindow(hwnd);
            Window* f = peekWindow(system.focus);
            loseFocus = w && f && (f == w || isDescendant(*w, *f));
            loseCapture = w && system.capture == hwnd;
        }
        sendMessage(hwnd, WM_CANCELMODE, 0, 0);
        if (loseFocus)
            SetFocus(nullptr);
        if (loseCapture)
            ReleaseCapture();
    }
    sendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
}

void forgetWindow(Window& w)
{
    auto& system = windowSystem();
    if (system.focus == w.handle)
        system.focus = nullptr;
    if (system.active == w.handle)
        system.active = nullptr;
    if (system.capture == w.handle)
        system.capture = nullptr;
}

} // namespace platform::user

using namespace platform;
using namespace platform::user;

HWND SetFocus(HWND hwnd)
{
    HWND root = nullptr;
    if (hwnd) {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return nullptr;
        root = rootOf(*w)->handle;
    }
    if (root && GetActiveWindow() != root)
        activateWindow(root, WA_ACTIVE);
    HWND old;
    {
        TreeLock lock;
        auto& system = windowSystem();
        old = peekWindow(system.focus) ? system.focus : nullptr;
        if (old == hwnd)
            return old;
        if (hwnd && !peekWindow(hwnd))
            return nullptr;
        system.focus = hwnd;
    }
    if (HWND oldRoot = old ? GetAncestor(old, GA_ROOT) : nullptr; oldRoot && oldRoot != root)
        dialogs::rememberFocus(oldRoot, old);
    if (old)
        tell(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (hwnd && GetFocus() == hwnd)
        tell(hwnd, WM_SETFOCUS, WPARAM(old), 0);
    return old;
}

HWND GetFocus()
{
    TreeLock lock;
    HWND focus = windowSystem().focus;
    return peekWindow(focus) ? focus : nullptr;
}

HWND SetActiveWindow(HWND hwnd)
{
    HWND old = GetActiveWindow();
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return nullptr;
        if (w->isChild())
            return nullptr;
    }
    activateWindow(hwnd, WA_ACTIVE);
    return old;
}

HWND GetActiveWindow()
{
    TreeLock lock;
    HWND active = windowSystem().active;
    return peekWindow(active) ? active : nullptr;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

BOOL SetForegroundWindow(HWND hwnd)
{
    {
        TreeLock lock;
        Window* w = findWindow(hwnd);
        if (!w)
            return FALSE;
        hwnd = rootOf(*w)->handle;
    }
    activateWindow(hwnd, WA_ACTIVE);
    return TRUE;
}

HWND SetCapture(HWND hwnd)
{
    HWND old;
    {
        TreeLock lock;
        if (!findWindow(hwnd))
            return nullptr;
        auto& system = windowSystem();
        old = peekWindow(system.capture) ? system.capture : nullptr;
        system.capture = hwnd;
    }
    if (old && old != hwnd)
        tell(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    return old;
}

BOOL ReleaseCapture()
{
    HWND old;
    {
        TreeLock lock;
        auto& system = windowSystem();
        old = peekWindow(system.capture) ? system.capture : nullptr;
        system.capture = nullptr;
    }
    if (old)
        tell(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture()
{
    TreeLock lock;
    HWND capture = windowSystem().capture;
    return peekWindow(capture) ? capture : nullptr;
}

// Hooks ask it whether the thread is in a menu's loop, whose keys are the menu's.
BOOL GetGUIThreadInfo(DWORD threadId, PGUITHREADINFO info)
{
    if (!info || info->cbSize != sizeof(GUITHREADINFO) || (threadId != 0 && threadId != GetCurrentThreadId())) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const platform::menus::MenuMode menu = platform::menus::threadMenuMode();
    *info = GUITHREADINFO {};
    info->cbSize = sizeof(GUITHREADINFO);
    info->hwndActive = GetActiveWindow();
    info->hwndFocus = GetFocus();
    info->hwndCapture = GetCapture();
    info->hwndMenuOwner = menu.owner;
    if (menu.owner)
        info->flags |= GUI_INMENUMODE | (menu.popup ? GUI_POPUPMENUMODE : 0);
    info->hwndMoveSize = platform::user::moveSizeWindow();
    if (info->hwndMoveSize)
        info->flags |= GUI_INMOVESIZE;
    return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    const std::optional<bool> wasEnabled = changeEnabled(hwnd, enable != FALSE);
    if (!wasEnabled)
        return FALSE;
    if (*wasEnabled != (enable != FALSE))
        tellEnabled(hwnd, enable != FALSE);
    return !*wasEnabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    return w && !(w->style & WS_DISABLED);
}
