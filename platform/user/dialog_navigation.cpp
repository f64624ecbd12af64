// Keyboard navigation in dialogs: IsDialogMessageA with Tab, arrows, Enter, Escape and
// mnemonics, and the tab and group walks it uses.
#include "platform/user/dialog_button_ids.h"
#include "platform/user/dialog_internal.h"
#include "platform/user/menu_model.h"
#include "platform/user/system_classes.h"
#include "platform/kernel/winbase.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace platform::dialogs {

namespace {


bool canTakeFocus(HWND control)
{
    return IsWindowVisible(control) && IsWindowEnabled(control);
}

LONG styleOf(HWND hwnd) { return LONG(GetWindowLongPtrA(hwnd, GWL_STYLE)); }

LONG exStyleOf(HWND hwnd) { return LONG(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)); }

// A child that holds controls of the dialog's own (WS_EX_CONTROLPARENT): the keyboard walks
// through its controls instead of stopping at it. Hidden or disabled, it holds none.
bool isControlParent(HWND child)
{
    return (exStyleOf(child) & WS_EX_CONTROLPARENT) && IsWindowVisible(child) && IsWindowEnabled(child);
}

void collectItems(HWND parent, std::vector<HWND>& items, int depth)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (exStyleOf(child) & WS_EX_CONTROLPARENT) {
            // Depth is capped only against a tree no dialog builds.
            if (depth < 16 && isControlParent(child))
                collectItems(child, items, depth + 1);
            continue;
        }
        items.push_back(child);
    }
}

// The item of the walk that is or contains `control` (controls may have children), or null.
HWND itemOf(HWND dialog, HWND control)
{
    std::vector<HWND> items = navigationItems(dialog);
    for (; control && control != dialog; control = GetParent(control))
        if (std::find(items.begin(), items.end(), control) != items.end())
            return control;
    return nullptr;
}

bool shiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// The item whose text marks `key` with '&': buttons are pressed, a static label passes the
// focus to the next tab stop after it.
bool handleMnemonic(HWND dialog, char key)
{
    if (!key)
        return false;
    for (HWND child : navigationItems(dialog)) {
        if (!canTakeFocus(child))
            continue;
        UINT code = dialogCode(child, nullptr);
        if (!(code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_STATIC | DLGC_RADIOBUTTON)))
            continue;
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        if (menus::mnemonicOf(text) != key)
            continue;
        if (code & DLGC_STATIC) {
            if (HWND next = GetNextDlgTabItem(dialog, child, FALSE))
                setDialogFocus(dialog, next);
        } else {
            setDialogFocus(dialog, child);
            SendMessageA(child, BM_CLICK, 0, 0);
        }
        return true;
    }
    return false;
}

bool isPageKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && (GetKeyState(VK_CONTROL) & 0x8000)
        && (msg.wParam == VK_TAB || msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR);
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp turn the dialog's pages wherever the focus is,
// as the page strip itself turns them. A focus the new page hid goes to the strip. False when the
// dialog has no page strip.
bool turnPage(HWND dialog, const MSG& msg)
{
    HWND strip = nullptr;
    for (HWND item : navigationItems(dialog))
        if (isPageStrip(item) && canTakeFocus(item)) {
            strip = item;
            break;
        }
    if (!strip)
        return false;
    SendMessageA(strip, WM_KEYDOWN, msg.wParam, msg.lParam);
    HWND focus = itemOf(dialog, GetFocus());
    if (IsWindow(dialog) && (!focus || !canTakeFocus(focus)))
        setDialogFocus(dialog, strip);
    return true;
}

bool handleKeyDown(HWND dialog, const MSG& msg, UINT code)
{
    HWND focus = GetFocus();
    switch (msg.wParam) {
    case VK_TAB: {
        if (code & DLGC_WANTTAB)
            return false;
        HWND next = GetNextDlgTabItem(dialog, itemOf(dialog, focus), shiftDown());
        if (next)
            setDialogFocus(dialog, next);
        return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & DLGC_WANTARROWS)
            return false;
        HWND current = itemOf(dialog, focus);
        const bool previous = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
        // The labels of a group take no focus: the arrows pass over them.
        HWND next = current;
        for (int guard = 0; guard < 64; ++guard) {
            next = GetNextDlgGroupItem(dialog, next, previous);
            if (!next || next == current || !(dialogCode(next, nullptr) & DLGC_STATIC))
                break;
        }
        if (next && next != current) {
            setDialogFocus(dialog, next);
            if (dialogCode(next, nullptr) & DLGC_RADIOBUTTON)
                SendMessageA(next, BM_CLICK, 0, 0);
        }
        return true;
    }
    case VK_RETURN: {
        // A focused push button answers Enter itself; otherwise the default button, else IDOK.
        int id = IDOK;
        HWND current = itemOf(dialog, focus);
        if (current && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            id = GetDlgCtrlID(current);
        } else {
            LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
            if (HIWORD(def) == DC_HASDEFID)
                id = LOWORD(def);
        }
        HWND button = current && GetDlgCtrlID(current) == id && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
            ? current
            : GetDlgItem(dialog, id);
        if (button && !IsWindowEnabled(button))
            return true;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(button));
        return true;
    }
    case VK_ESCAPE: {
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel))
            return true;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(cancel));
        return true;
    }
    default:
        return false;
    }
}

} // namespace

// The dialog's items in creation order, which is tab order. The window system puts a new child
// below its siblings, so that order runs from the top of the z-order down.
std::vector<HWND> dialogItems(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::vector<HWND> navigationItems(HWND dialog)
{
    std::vector<HWND> items;
    collectItems(dialog, items, 0);
    return items;
}

UINT dialogCode(HWND control, const MSG* msg)
{
    if (!control)
        return 0;
    return UINT(SendMessageA(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

bool isTabStop(HWND control)
{
    return (styleOf(control) & WS_TABSTOP) && canTakeFocus(control);
}

void setDialogFocus(HWND dialog, HWND control)
{
    SetFocus(control);
    showDefaultFor(dialog, control);
    // An edit field that gets the focus by keyboard has its text selected.
    if (dialogCode(control, nullptr) & DLGC_HASSETSEL)
        SendMessageA(control, EM_SETSEL, 0, -1);
}

} // namespace platform::dialogs

using namespace platform::dialogs;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    std::vector<HWND> children = navigationItems(dialog);
    if (children.empty())
        return nullptr;
    size_t count = children.size();
    size_t start = count; // no control: begin at the first (or the last) item
    control = itemOf(dialog, control);
    for (size_t i = 0; i < count; ++i)
        if (children[i] == control)
            start = i;
    for (size_t step = 1; step <= count; ++step) {
        size_t index;
        if (start == count)
            index = previous ? count - step : step - 1;
        else
            index = previous ? (start + count - step) % count : (start + step) % count;
        if (isTabStop(children[index]))
            return children[index];
    }
    return start == count ? nullptr : control;
}

// A group runs from a WS_GROUP item (or the first item) up to the next WS_GROUP item, through
// the controls of WS_EX_CONTROLPARENT children as through the dialog's own.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    std::vector<HWND> children = navigationItems(dialog);
    control = itemOf(dialog, control);
    size_t at = children.size();
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == control)
            at = i;
    if (at == children.size())
        return children.empty() ? nullptr : (isTabStop(children[0]) ? children[0] : nullptr);
    size_t first = at;
    while (first > 0 && !(styleOf(children[first]) & WS_GROUP))
        --first;
    size_t end = at + 1;
    while (end < children.size() && !(styleOf(children[end]) & WS_GROUP))
        ++end;
    size_t size = end - first;
    for (size_t step = 1; step < size; ++step) {
        size_t offset = previous ? (at - first + size - step) % size : (at - first + step) % size;
        HWND candidate = children[first + offset];
        if (canTakeFocus(candidate))
            return candidate;
    }
    return control;
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg)
{
    if (!dialog || !msg || !IsWindow(dialog))
        return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))
        return FALSE;
    UINT code = 0;
    switch (msg->message) {
    case WM_KEYDOWN:
        if (isPageKey(*msg) && turnPage(dialog, *msg))
            return TRUE;
        code = dialogCode(msg->hwnd, msg);
        if (!(code & DLGC_WANTALLKEYS) && handleKeyDown(dialog, *msg, code))
            return TRUE;
        break;
    case WM_CHAR:
        code = dialogCode(msg->hwnd, msg);
        if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))
            break;
        if (msg->wParam == '\t' && (code & DLGC_WANTTAB))
            break;
        // Tab, Enter and Escape were handled as keys.
        if (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 0x1B)
            return TRUE;
        if (msg->wParam < 0x80 && handleMnemonic(dialog, char(std::toupper(int(msg->wParam)))))
            return TRUE;
        break;
    case WM_SYSCHAR:
        if (msg->wParam < 0x80 && handleMnemonic(dialog, char(std::toupper(int(msg->wParam)))))
            return TRUE;
        break;
    default:
        break;
    }
    TranslateMessage(msg);
    DispatchMessageA(msg);
    return TRUE;
}
