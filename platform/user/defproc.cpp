// DefWindowProcA: the default handling every window procedure falls back on.
#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"
#include "platform/user/menubar_hooks.h"
#include "platform/user/nonclient.h"
#include "platform/user/paint_internal.h"
#include "platform/user/sizemove.h"
#include "platform/user/window_menu.h"

#include <algorithm>
#include <cstring>

namespace platform::user {

namespace {

thread_local bool t_altAlone = false;

HWND parentOf(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    return w && w->isChild() ? w->parent->handle : nullptr;
}

HWND rootHandle(HWND hwnd)
{
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    return w ? rootOf(*w)->handle : nullptr;
}

LRESULT setText(HWND hwnd, LPCSTR text)
{
    bool caption;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return FALSE;
        w->text = text ? text : "";
        caption = (w->style & WS_CAPTION) == WS_CAPTION;
    }
    if (caption)
        paintNonClient(hwnd);
    return TRUE;
}

LRESULT getText(HWND hwnd, WPARAM size, LPSTR buffer)
{
    if (!buffer || size == 0)
        return 0;
    TreeLock lock;
    Window* w = peekWindow(hwnd);
    if (!w) {
        buffer[0] = 0;
        return 0;
    }
    size_t n = std::min(w->text.size(), size_t(size - 1));
    memcpy(buffer, w->text.data(), n);
    buffer[n] = 0;
    return LRESULT(n);
}

LRESULT eraseBackground(HWND hwnd, HDC dc)
{
    HBRUSH brush;
    RECT client;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return 0;
        brush = w->cls->info.hbrBackground;
        client = { 0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top };
    }
    if (!brush)
        return 0;
    FillRect(dc, &client, brush);
    return 1;
}

LRESULT controlColor(UINT message, HDC dc)
{
    bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    int back = window ? COLOR_WINDOW : message == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR : COLOR_3DFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
    return LRESULT(GetSysColorBrush(back));
}

LRESULT setCursor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (HWND parent = parentOf(hwnd))
        if (sendMessage(parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
    LPCSTR id = nullptr;
    switch (short(LOWORD(lParam))) {
    case HTCLIENT: {
        HCURSOR cursor;
        {
            TreeLock lock;
            Window* w = peekWindow(hwnd);
            cursor = w ? w->cls->info.hCursor : nullptr;
        }
        if (cursor)
            SetCursor(cursor);
        return cursor ? TRUE : FALSE;
    }
    case HTLEFT:
    case HTRIGHT: id = IDC_SIZEWE; break;
    case HTTOP:
    case HTBOTTOM: id = IDC_SIZENS; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: id = IDC_SIZENWSE; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: id = IDC_SIZENESW; break;
    default: id = IDC_ARROW; break;
    }
    SetCursor(LoadCursorA(nullptr, id));
    return FALSE;
}

LRESULT sysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    // The press that started a move or size; from the keyboard, the cursor as it is.
    POINT start { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    if (!lParam)
        GetCursorPos(&start);
    switch (wParam & 0xFFF0) {
    case SC_CLOSE: return sendMessage(hwnd, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    case SC_MOVE:
    case SC_SIZE: {
        // The low bits name what the mouse pressed (the caption, an edge); none: the window menu's
        // command, worked by the keys.
        const bool sizing = (wParam & 0xFFF0) == SC_SIZE;
        const int part = int(wParam & 0x000F);
        if (part == 0)
            runKeyboardSizeMove(hwnd, sizing);
        else
            runSizeMove(hwnd, sizing ? part - WMSZ_LEFT + HTLEFT : HTCAPTION, start);
        return 0;
    }
    case SC_KEYMENU: {
        if (lParam == ' ') {
            openWindowMenu(hwnd);
            return 0;
        }
        // A tool window without a menu bar of its own hands the key to its owner's; not a modal
        // dialog, whose owner is disabled while it runs.
        HMENU menu = nullptr;
        HWND bar = nullptr;
        {
            TreeLock lock;
            Window* w = peekWindow(hwnd);
            for (int depth = 0; w && !w->isChild() && !(w->style & WS_DISABLED) && !menu && depth < 16; ++depth) {
                menu = w->menu;
                bar = w->handle;
                w = peekWindow(w->owner);
            }
        }
        if (auto hook = menuBarHooks().keyMenu; hook && menu)
            hook(bar, menu, lParam);
        return 0;
    }
    }
    return 0;
}

LRESULT ncButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam)
{
    POINT screen { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
    switch (hit) {
    case HTCAPTION: return sendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        return sendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | (hit - HTLEFT + WMSZ_LEFT), lParam);
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON:
        if (hit == HTCLOSE && systemCloseDisabled(hwnd))
            return 0;
        if (trackCaptionButton(hwnd, int(hit))) {
            WPARAM command = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE : IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
            sendMessage(hwnd, WM_SYSCOMMAND, command, lParam);
        }
        return 0;
    case HTVSCROLL:
    case HTHSCROLL:
        trackWindowScrollBar(hwnd, hit == HTVSCROLL ? SB_VERT : SB_HORZ, screen);
        return 0;
    case HTMENU: {
        HMENU menu;
        {
            TreeLock lock;
            Window* w = peekWindow(hwnd);
            menu = w && !w->isChild() ? w->menu : nullptr;
        }
        if (auto hook = menuBarHooks().click; hook && menu)
            hook(hwnd, menu, screen);
        return 0;
    }
    }
    return 0;
}

LRESULT windowPosChanging(HWND hwnd, WINDOWPOS* wp)
{
    bool sizable;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        sizable = w && (w->style & WS_THICKFRAME) && w->showState == ShowState::Normal;
    }
    if (!wp || (wp->flags & SWP_NOSIZE) || !sizable)
        return 0;
    MINMAXINFO mmi = minMaxInfo(hwnd);
    wp->cx = std::clamp<int>(wp->cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
    wp->cy = std::clamp<int>(wp->cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    return 0;
}

LRESULT windowPosChanged(HWND hwnd, const WINDOWPOS* wp)
{
    if (!wp)
        return 0;
    RECT rect, client;
    ShowState state;
    {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return 0;
        rect = w->rect;
        client = w->client;
        state = w->showState;
    }
    if (!(wp->flags & SWP_NOMOVE))
        sendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(rect.left + client.left, rect.top + client.top));
    if (!(wp->flags & SWP_NOSIZE)) {
        WPARAM type = state == ShowState::Maximized ? SIZE_MAXIMIZED : state == ShowState::Minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
        sendMessage(hwnd, WM_SIZE, type, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    }
    return 0;
}

} // namespace

} // namespace platform::user

using namespace platform;
using namespace platform::user;

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
            TreeLock lock;
            if (Window* w = peekWindow(hwnd))
                w->text = cs->lpszName;
        }
        return TRUE;
    }
    case WM_NCCALCSIZE: return nonClientCalcSize(hwnd, wParam, lParam);
    case WM_NCHITTEST: return hitTestNonClient(hwnd, POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
    case WM_NCPAINT: paintNonClient(hwnd); return 0;
    case WM_NCACTIVATE: paintNonClient(hwnd); return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hwnd, &ps))
            EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT: return setText(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT: return getText(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: {
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        return w ? LRESULT(w->text.size()) : 0;
    }
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return sysCommand(hwnd, wParam, lParam);
    case WM_SETCURSOR: return setCursor(hwnd, wParam, lParam);
    case WM_MOUSEACTIVATE:
        if (HWND parent = parentOf(hwnd))
            if (LRESULT r = sendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam))
                return r;
        return MA_ACTIVATE;
    case WM_NCLBUTTONDOWN: return ncButtonDown(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX))
            sendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_WINDOWPOSCHANGING: return windowPosChanging(hwnd, reinterpret_cast<WINDOWPOS*>(lParam));
    case WM_WINDOWPOSCHANGED: return windowPosChanged(hwnd, reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return controlColor(message, reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_SETREDRAW: {
        // Redraw off hides the window from painting without any message, as controls expect.
        TreeLock lock;
        Window* w = peekWindow(hwnd);
        if (!w)
            return 0;
        if (wParam) {
            w->style |= WS_VISIBLE;
        } else {
            w->style &= ~DWORD(WS_VISIBLE);
            clearPaintStateTree(*w);
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (HWND parent = parentOf(hwnd))
            return sendMessage(parent, message, wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        t_altAlone = false;
        return 0;
    case WM_SYSKEYDOWN:
        t_altAlone = wParam == VK_MENU || (wParam == VK_F10 && !(lParam & (1 << 29)));
        if (wParam == VK_F4 && (lParam & (1 << 29))) {
            HWND root = rootHandle(hwnd);
            if (!systemCloseDisabled(root))
                sendMessage(root, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_SYSKEYUP:
        // Alt or F10 pressed and released on its own opens the menu bar.
        if ((wParam == VK_F10 || wParam == VK_MENU) && t_altAlone)
            sendMessage(rootHandle(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        t_altAlone = false;
        return 0;
    case WM_SYSCHAR:
        sendMessage(rootHandle(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
        return TRUE;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return -1;
    }
    return 0;
}
