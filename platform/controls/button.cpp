// The "Button" window procedure: mouse and keyboard behaviour, check states, radio groups and
// the BN_ notifications.
#include "platform/controls/button_state.h"
#include "platform/controls/commctrl.h"
#include "platform/controls/control_registry.h"
#include "platform/controls/listbox_support.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include <vector>

namespace platform::controls {

namespace {

bool isCheckable(UINT type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE
        || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool isButtonWindow(HWND hwnd)
{
    char name[16] {};
    return GetClassNameA(hwnd, name, sizeof(name)) > 0 && strcasecmp(name, "Button") == 0;
}

void redraw(HWND hwnd, ButtonState& s, UINT action)
{
    if (!IsWindowVisible(hwnd))
        return;
    // A button that shows what lies beneath it cannot draw over its old look (its focus frame is
    // drawn by XOR): what lies beneath paints first, then the button over it.
    HWND parent = GetParent(hwnd);
    if (parent && (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) {
        RECT area {};
        GetWindowRect(hwnd, &area);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return;
    }
    WindowDC dc(hwnd);
    drawButton(hwnd, dc, s, action);
}

void setPushed(HWND hwnd, ButtonState& s, bool pushed)
{
    if (s.pushed == pushed)
        return;
    s.pushed = pushed;
    redraw(hwnd, s, ODA_SELECT);
}

bool isRadio(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

// The radio buttons among the siblings from the group's first item (WS_GROUP, or the first child)
// to the next group, but for `hwnd` itself.
std::vector<HWND> radioGroupMates(HWND hwnd, bool automaticOnly)
{
    HWND first = hwnd;
    while (!(controlStyle(first) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous)
            break;
        first = previous;
    }
    std::vector<HWND> mates;
    for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (controlStyle(h) & WS_GROUP))
            break;
        UINT type = isButtonWindow(h) ? buttonType(controlStyle(h)) : 0;
        if (h != hwnd && (automaticOnly ? type == BS_AUTORADIOBUTTON : isRadio(type)))
            mates.push_back(h);
    }
    return mates;
}

void setTabStop(HWND hwnd, bool on)
{
    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    SetWindowLongPtrA(hwnd, GWL_STYLE, on ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP));
}

void setCheck(HWND hwnd, ButtonState& s, UINT check)
{
    UINT type = buttonType(controlStyle(hwnd));
    if (!isCheckable(type))
        return;
    if (check > BST_INDETERMINATE || (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE))
        check = BST_CHECKED;
    // Tab comes to a group of radio buttons at its checked one; the arrows reach the others.
    if (isRadio(type) && check == BST_CHECKED) {
        setTabStop(hwnd, true);
        for (HWND mate : radioGroupMates(hwnd, false))
            setTabStop(mate, false);
    }
    if (s.check == check)
        return;
    s.check = check;
    redraw(hwnd, s, ODA_SELECT);
}

void uncheckGroupMates(HWND hwnd)
{
    for (HWND mate : radioGroupMates(hwnd, true))
        SendMessageA(mate, BM_SETCHECK, BST_UNCHECKED, 0);
}

void click(HWND hwnd, ButtonState& s)
{
    switch (buttonType(controlStyle(hwnd))) {
    case BS_AUTOCHECKBOX: setCheck(hwnd, s, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: setCheck(hwnd, s, (s.check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
        setCheck(hwnd, s, BST_CHECKED);
        uncheckGroupMates(hwnd);
        break;
    default: break;
    }
    notifyParent(hwnd, BN_CLICKED);
}

bool inside(HWND hwnd, LPARAM lParam)
{
    RECT client;
    GetClientRect(hwnd, &client);
    return PtInRect(&client, POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
}

LRESULT onButtonDown(HWND hwnd, ButtonState& s)
{
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    if (!IsWindow(hwnd))
        return 0;
    SetCapture(hwnd);
    s.tracking = true;
    setPushed(hwnd, s, true);
    return 0;
}

LRESULT onButtonUp(HWND hwnd, ButtonState& s, LPARAM lParam)
{
    if (!s.tracking)
        return 0;
    s.tracking = false;
    bool wasPushed = s.pushed;
    setPushed(hwnd, s, false);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (wasPushed && inside(hwnd, lParam))
        click(hwnd, s);
    return 0;
}

LRESULT onDoubleClick(HWND hwnd, ButtonState& s)
{
    DWORD style = controlStyle(hwnd);
    UINT type = buttonType(style);
    if ((style & BS_NOTIFY) || type == BS_OWNERDRAW || type == BS_RADIOBUTTON || type == BS_USERBUTTON) {
        notifyParent(hwnd, BN_DOUBLECLICKED);
        return 0;
    }
    return onButtonDown(hwnd, s);
}

LRESULT onButtonKeyDown(HWND hwnd, ButtonState& s, WPARAM key)
{
    if (key == VK_SPACE && !s.tracking && !s.spaceDown) {
        s.spaceDown = true;
        setPushed(hwnd, s, true);
    }
    return 0;
}

LRESULT onKeyUp(HWND hwnd, ButtonState& s, WPARAM key)
{
    if (key != VK_SPACE || !s.spaceDown)
        return 0;
    s.spaceDown = false;
    setPushed(hwnd, s, false);
    click(hwnd, s);
    return 0;
}

LRESULT onFocus(HWND hwnd, ButtonState& s, bool gained)
{
    s.focused = gained;
    if (!gained) {
        s.spaceDown = false;
        if (s.tracking && GetCapture() == hwnd)
            ReleaseCapture();
        s.tracking = false;
        s.pushed = false;
    }
    redraw(hwnd, s, ODA_FOCUS);
    if (controlStyle(hwnd) & BS_NOTIFY)
        notifyParent(hwnd, gained ? BN_SETFOCUS : BN_KILLFOCUS);
    return 0;
}

LRESULT dialogCode(HWND hwnd)
{
    switch (buttonType(controlStyle(hwnd))) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_PUSHBOX: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
    }
}

LRESULT setStyle(HWND hwnd, ButtonState& s, WPARAM style, LPARAM repaint)
{
    DWORD old = controlStyle(hwnd);
    SetWindowLongA(hwnd, GWL_STYLE, LONG((old & ~BS_TYPEMASK) | (style & BS_TYPEMASK)));
    if (repaint)
        redraw(hwnd, s, ODA_DRAWENTIRE);
    return 0;
}

// BM_CLICK goes the mouse's way, so a subclass sees the press and the release.
LRESULT clickByMessage(HWND hwnd)
{
    if (!IsWindowEnabled(hwnd))
        return 0;
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
    return 0;
}

LRESULT onPaint(HWND hwnd, ButtonState& s)
{
    PaintScope paint(hwnd);
    drawButton(hwnd, paint.dc(), s, ODA_DRAWENTIRE);
    return 0;
}

// A group box draws its title over what lies beneath it: a new title, shorter than the old, leaves
// the old one's ends there unless the row is painted again from beneath.
void clearTitleRow(HWND hwnd, const ButtonState& s)
{
    HWND parent = GetParent(hwnd);
    if (!parent || !IsWindowVisible(hwnd))
        return;
    RECT row {};
    GetClientRect(hwnd, &row);
    row.bottom = std::min<LONG>(row.bottom, fontLineHeight(s.font) + 1);
    MapWindowPoints(hwnd, parent, reinterpret_cast<POINT*>(&row), 2);
    InvalidateRect(parent, &row, TRUE);
}

LRESULT CALLBACK buttonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        attachState<ButtonState>(hwnd);
        // A group box frames its siblings: they show through it.
        if (buttonType(controlStyle(hwnd)) == BS_GROUPBOX)
            SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    }
    ButtonState* s = stateOf<ButtonState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY:
        detachState<ButtonState>(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_NCHITTEST:
        if (buttonType(controlStyle(hwnd)) == BS_GROUPBOX)
            return HTTRANSPARENT;
        break;
    case WM_PAINT: return onPaint(hwnd, *s);
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN: return onButtonDown(hwnd, *s);
    case WM_LBUTTONDBLCLK: return onDoubleClick(hwnd, *s);
    case WM_MOUSEMOVE:
        if (s->tracking)
            setPushed(hwnd, *s, inside(hwnd, lParam));
        return 0;
    case WM_LBUTTONUP: return onButtonUp(hwnd, *s, lParam);
    case WM_CAPTURECHANGED:
        if (s->tracking && HWND(lParam) != hwnd) {
            s->tracking = false;
            setPushed(hwnd, *s, false);
        }
        return 0;
    case WM_KEYDOWN: return onButtonKeyDown(hwnd, *s, wParam);
    case WM_KEYUP: return onKeyUp(hwnd, *s, wParam);
    case WM_SETFOCUS: return onFocus(hwnd, *s, true);
    case WM_KILLFOCUS: return onFocus(hwnd, *s, false);
    case WM_GETDLGCODE: return dialogCode(hwnd);
    case WM_ENABLE: redraw(hwnd, *s, ODA_DRAWENTIRE); return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        if (buttonType(controlStyle(hwnd)) == BS_GROUPBOX)
            clearTitleRow(hwnd, *s);
        redraw(hwnd, *s, ODA_DRAWENTIRE);
        return result;
    }
    case WM_SETFONT:
        s->font = HFONT(wParam);
        if (LOWORD(lParam))
            redraw(hwnd, *s, ODA_DRAWENTIRE);
        return 0;
    case WM_GETFONT: return LRESULT(s->font);
    case BM_GETCHECK: return s->check;
    case BM_SETCHECK: setCheck(hwnd, *s, UINT(wParam)); return 0;
    case BM_GETSTATE: return s->check | (s->pushed ? BST_PUSHED : 0) | (s->focused ? BST_FOCUS : 0);
    case BM_SETSTATE: setPushed(hwnd, *s, wParam != 0); return 0;
    case BM_SETSTYLE: return setStyle(hwnd, *s, wParam, lParam);
    case BM_CLICK: return clickByMessage(hwnd);
    case BM_GETIMAGE: return LRESULT(s->image);
    case BM_SETIMAGE: {
        HANDLE old = s->image;
        if (wParam == IMAGE_BITMAP) {
            s->image = HANDLE(lParam);
            redraw(hwnd, *s, ODA_DRAWENTIRE);
        }
        return LRESULT(old);
    }
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

void registerButtonClass()
{
    registerControlClass(WC_BUTTONA, buttonProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform::controls
