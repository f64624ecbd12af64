// The "tooltips_class32" window procedure: tools, the hover delay, the topmost tip window in
// the info colours, and hiding on leave, click, deactivation or after a while.
#include "platform/controls/control_registry.h"
#include "platform/controls/tooltip_state.h"

#include <algorithm>

namespace platform::controls {

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kWatchTimer = 2;
constexpr UINT_PTR kPopTimer = 3;
constexpr int kTipPadding = 3;

bool sameTool(const Tool& tool, const TOOLINFOA& info)
{
    return tool.owner == info.hwnd && tool.id == info.uId;
}

int findTool(const TooltipState& s, const TOOLINFOA* info)
{
    if (!info)
        return -1;
    for (size_t i = 0; i < s.tools.size(); ++i)
        if (sameTool(s.tools[i], *info))
            return int(i);
    return -1;
}

std::string textOf(LPCSTR text)
{
    if (!text || IS_INTRESOURCE(text) || text == LPSTR_TEXTCALLBACKA)
        return {};
    return text;
}

// The tool under the cursor, if any.
int toolAtCursor(const TooltipState& s)
{
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    for (size_t i = 0; i < s.tools.size(); ++i) {
        const Tool& tool = s.tools[i];
        HWND window = tool.window();
        if (!window || !(under == window || IsChild(window, under)))
            continue;
        if (tool.flags & TTF_IDISHWND)
            return int(i);
        POINT local = cursor;
        ScreenToClient(window, &local);
        if (PtInRect(&tool.rect, local))
            return int(i);
    }
    return -1;
}

void hide(HWND hwnd, TooltipState& s)
{
    KillTimer(hwnd, kShowTimer);
    KillTimer(hwnd, kPopTimer);
    if (s.shown >= 0) {
        s.shown = -1;
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
            SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

SIZE tipSize(HWND hwnd, const TooltipState& s, const std::string& text)
{
    WindowDC dc(hwnd);
    Selected font(dc, fontOr(s.font));
    RECT r { 0, 0, s.maxWidth > 0 ? s.maxWidth : 4000, 0 };
    UINT format = DT_CALCRECT | DT_NOPREFIX | (s.maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextA(dc, text.c_str(), int(text.size()), &r, format);
    // The tip has a one-pixel border around its client area.
    return SIZE { r.right + 2 * kTipPadding + 2, r.bottom + 2 * kTipPadding + 2 };
}

void show(HWND hwnd, TooltipState& s, int tool)
{
    if (tool < 0 || size_t(tool) >= s.tools.size() || s.tools[size_t(tool)].text.empty())
        return;
    s.shown = tool;
    SIZE size = tipSize(hwnd, s, s.tools[size_t(tool)].text);
    POINT cursor;
    GetCursorPos(&cursor);
    int x = std::clamp(int(cursor.x), 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - int(size.cx)));
    int y = cursor.y + 20;
    if (y + size.cy > GetSystemMetrics(SM_CYSCREEN))
        y = cursor.y - size.cy - 4;
    SetWindowPos(hwnd, HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd, nullptr, TRUE);
    SetTimer(hwnd, kPopTimer, s.autoPopDelay, nullptr);
}

LRESULT onToolMouse(HWND hwnd, TooltipState& s, UINT message)
{
    if (message != WM_MOUSEMOVE) {
        // A press hides the tip until the mouse has left the tool.
        hide(hwnd, s);
        s.suppressed = true;
        return 0;
    }
    int tool = s.active ? toolAtCursor(s) : -1;
    if (tool == s.hovered)
        return 0;
    s.hovered = tool;
    s.suppressed = false;
    hide(hwnd, s);
    if (tool >= 0) {
        SetTimer(hwnd, kShowTimer, s.initialDelay, nullptr);
        SetTimer(hwnd, kWatchTimer, 100, nullptr);
    }
    return 0;
}

LRESULT onTimer(HWND hwnd, TooltipState& s, UINT_PTR id)
{
    int tool = toolAtCursor(s);
    switch (id) {
    case kShowTimer:
        KillTimer(hwnd, kShowTimer);
        if (tool >= 0 && tool == s.hovered && s.active && !s.suppressed)
            show(hwnd, s, tool);
        break;
    case kWatchTimer:
        if (tool != s.hovered) {
            s.hovered = -1;
            s.suppressed = false;
            hide(hwnd, s);
            KillTimer(hwnd, kWatchTimer);
        }
        break;
    case kPopTimer: hide(hwnd, s); break;
    default: break;
    }
    return 0;
}

LRESULT addTool(HWND hwnd, TooltipState& s, const TOOLINFOA* info)
{
    if (!info)
        return FALSE;
    Tool tool;
    tool.flags = info->uFlags;
    tool.owner = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    tool.text = textOf(info->lpszText);
    if (!tool.window() || !IsWindow(tool.window()))
        return FALSE;
    int existing = findTool(s, info);
    if (existing >= 0)
        s.tools[size_t(existing)] = tool;
    else
        s.tools.push_back(tool);
    if (tool.flags & TTF_SUBCLASS)
        subclassToolWindow(tool.window(), hwnd);
    return TRUE;
}

void forgetTool(HWND hwnd, TooltipState& s, size_t index)
{
    Tool tool = s.tools[index];
    if (s.shown == int(index) || s.hovered == int(index)) {
        hide(hwnd, s);
        s.hovered = -1;
    }
    s.tools.erase(s.tools.begin() + std::ptrdiff_t(index));
    if (s.shown > int(index))
        --s.shown;
    if (s.hovered > int(index))
        --s.hovered;
    bool stillWatched = std::any_of(s.tools.begin(), s.tools.end(),
        [&](const Tool& t) { return (t.flags & TTF_SUBCLASS) && t.window() == tool.window(); });
    if ((tool.flags & TTF_SUBCLASS) && !stillWatched)
        releaseToolWindow(tool.window(), hwnd);
}

LRESULT updateText(HWND hwnd, TooltipState& s, const TOOLINFOA* info)
{
    int index = findTool(s, info);
    if (index < 0)
        return 0;
    s.tools[size_t(index)].text = textOf(info->lpszText);
    if (s.shown == index) {
        hide(hwnd, s);
        show(hwnd, s, index);
    }
    return 0;
}

void paint(HWND hwnd, HDC dc, const TooltipState& s)
{
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    if (s.shown < 0 || size_t(s.shown) >= s.tools.size())
        return;
    const std::string& text = s.tools[size_t(s.shown)].text;
    Selected font(dc, fontOr(s.font));
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT r = client;
    InflateRect(&r, -kTipPadding, -kTipPadding);
    DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_NOPREFIX | (s.maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
}

// The tip is a topmost popup whatever style it was created with, and never takes activation.
LRESULT onNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    DWORD style = controlStyle(hwnd);
    SetWindowLongA(hwnd, GWL_STYLE, LONG((style & 0xFFFF & ~WS_MAXIMIZEBOX & ~WS_MINIMIZEBOX) | WS_POPUP | WS_BORDER));
    SetWindowLongA(hwnd, GWL_EXSTYLE, LONG(GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    return DefWindowProcA(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT CALLBACK tooltipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        attachState<TooltipState>(hwnd);
        return onNcCreate(hwnd, wParam, lParam);
    }
    TooltipState* s = stateOf<TooltipState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        while (!s->tools.empty())
            forgetTool(hwnd, *s, s->tools.size() - 1);
        break;
    case WM_NCDESTROY: detachState<TooltipState>(hwnd); break;
    case WM_PAINT: {
        PaintScope scope(hwnd);
        paint(hwnd, scope.dc(), *s);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_TIMER: return onTimer(hwnd, *s, wParam);
    case WM_SETFONT: s->font = HFONT(wParam); return 0;
    case WM_GETFONT: return LRESULT(s->font);
    case kToolMouseMessage: return onToolMouse(hwnd, *s, UINT(wParam));
    case TTM_ACTIVATE:
        s->active = wParam != 0;
        if (!s->active)
            hide(hwnd, *s);
        return 0;
    case TTM_ADDTOOLA: return addTool(hwnd, *s, reinterpret_cast<const TOOLINFOA*>(lParam));
    case TTM_DELTOOLA: {
        int index = findTool(*s, reinterpret_cast<const TOOLINFOA*>(lParam));
        if (index >= 0)
            forgetTool(hwnd, *s, size_t(index));
        return 0;
    }
    case TTM_UPDATETIPTEXTA: return updateText(hwnd, *s, reinterpret_cast<const TOOLINFOA*>(lParam));
    case TTM_GETTOOLCOUNT: return LRESULT(s->tools.size());
    case TTM_SETMAXTIPWIDTH: {
        int old = s->maxWidth;
        s->maxWidth = int(lParam);
        return old;
    }
    case TTM_GETMAXTIPWIDTH: return s->maxWidth;
    case TTM_SETDELAYTIME: {
        int delay = short(LOWORD(lParam));
        UINT initial = delay < 0 ? 500 : UINT(delay);
        if (wParam == TTDT_INITIAL || wParam == TTDT_AUTOMATIC)
            s->initialDelay = initial;
        if (wParam == TTDT_AUTOPOP || wParam == TTDT_AUTOMATIC)
            s->autoPopDelay = delay < 0 ? 5000 : (wParam == TTDT_AUTOMATIC ? initial * 10 : UINT(delay));
        return 0;
    }
    case TTM_GETDELAYTIME: return wParam == TTDT_AUTOPOP ? s->autoPopDelay : s->initialDelay;
    case TTM_POP: hide(hwnd, *s); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

void registerTooltipClass()
{
    registerControlClass(TOOLTIPS_CLASSA, tooltipProc, CS_SAVEBITS);
}

} // namespace platform::controls
