// Control binding and creation, and the keyboard behaviour all controls share.
#include "lib/control.h"

#include <strings.h>

swCControl::swCControl(const char* className, swCWindow* parent, UINT controlId, DWORD style)
    : swCOwnerDrawWindow(className, parent, controlId)
{
    setStyle(style | WS_CHILD | WS_VISIBLE);
    controlAttachDlgItem();
}

BOOL swCControl::controlAttachDlgItem()
{
    if (handle())
        return TRUE;
    if (!parent() || !parent()->handle())
        return FALSE;
    HWND item = GetDlgItem(parent()->handle(), int(controlId()));
    if (!item)
        return FALSE;
    windowAttach(item, false);
    return TRUE;
}

BOOL swCControl::controlCreate(const ControlFrame& frame)
{
    return controlCreateTitled(nullptr, frame);
}

BOOL swCControl::controlCreateTitled(const char* title, const ControlFrame& frame)
{
    setFrame(frame.x, frame.y, frame.width, frame.height);
    if (controlAttachDlgItem())
        return TRUE;
    setTitle(title);
    return Create();
}

void swCControl::setTabStop(bool on)
{
    const LONG_PTR style = GetWindowLongPtrA(handle(), GWL_STYLE);
    SetWindowLongPtrA(handle(), GWL_STYLE, on ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP));
}

void swCControl::postToParent(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (HWND parentHandle = GetParent(handle()))
        PostMessageA(parentHandle, message, wParam, lParam);
}

namespace {

// Focus to the chained control; false when there is none to go to.
bool focusTo(swCWindow* target)
{
    if (!target || !target->handle())
        return false;
    SetFocus(target->handle());
    return true;
}

// A list that tells its parent of double clicks takes Enter for one: the row the keys chose is
// acted on as a double click would act on it.
bool entersAsDoubleClick(HWND control)
{
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    return strcasecmp(name, "ListBox") == 0 && (GetWindowLongA(control, GWL_STYLE) & LBS_NOTIFY);
}

bool isEnterDown(const MSG* key) { return key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN; }

} // namespace

int swCControl::controlOnMessage(MessageRecord& msg)
{
    switch (msg.message) {
    case WM_GETDLGCODE:
        if (!isEnterDown(reinterpret_cast<const MSG*>(msg.lParam)) || !entersAsDoubleClick(handle()))
            return 0;
        msg.result = DLGC_WANTMESSAGE;
        if (oldProcedure())
            msg.result |= CallWindowProcA(oldProcedure(), handle(), msg.message, msg.wParam, msg.lParam);
        return 1;
    case WM_MOUSEMOVE:
        if (m_hoverFocus && GetFocus() != handle())
            SetFocus(handle());
        return 0;
    case WM_KEYDOWN: {
        const UINT key = UINT(msg.wParam);
        if (key == VK_RETURN && m_enterClicks) {
            PostMessageA(handle(), BM_CLICK, 0, 0);
            return 1;
        }
        if (key == VK_RETURN && entersAsDoubleClick(handle())) {
            postToParent(WM_COMMAND, MAKEWPARAM(controlId(), LBN_DBLCLK), reinterpret_cast<LPARAM>(handle()));
            return 1;
        }
        if (key == VK_TAB) {
            const bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
            if (focusTo(shift ? m_previous : m_next))
                return 1;
        } else if (key == VK_DOWN) {
            if (focusTo(m_next))
                return 1;
        } else if (key == VK_UP) {
            if (focusTo(m_previous))
                return 1;
        }
        // Keys to parent wins over Escape to parent, so Escape is then posted as a plain key.
        if (m_keysToParent)
            postToParent(WM_CONTROL_KEY, msg.wParam, msg.lParam);
        else if (m_escapeToParent && key == VK_ESCAPE)
            postToParent(WM_CONTROL_ESCAPE, msg.wParam, msg.lParam);
        return 0;
    }
    case WM_SETFOCUS:
        if (m_focusNotices)
            postToParent(WM_CONTROL_SETFOCUS, msg.wParam, reinterpret_cast<LPARAM>(this));
        return 0;
    case WM_KILLFOCUS:
        if (m_focusNotices)
            postToParent(WM_CONTROL_KILLFOCUS, msg.wParam, reinterpret_cast<LPARAM>(this));
        return 0;
    default:
        return 0;
    }
}

void setListIndexRows(HWND list, size_t count)
{
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < count; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, LPARAM(i));
}

LPARAM listRowValue(HWND list, int row)
{
    if (!list || row < 0)
        return -1;
    const LRESULT value = SendMessageA(list, LB_GETITEMDATA, WPARAM(row), 0);
    return value == LB_ERR ? -1 : LPARAM(value);
}
