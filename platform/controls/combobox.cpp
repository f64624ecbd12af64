// ComboBox: a selection field with a drop-down list (a "ComboLBox" popup driven through ListBox).
#include "platform/controls/combobox_impl.h"
#include "platform/controls/commctrl.h"
#include "platform/controls/control_common.h"
#include "platform/controls/control_registry.h"

#include <algorithm>
#include <cstring>

namespace platform::controls {

void ComboBox::resizeToField(UINT flags)
{
    RECT r;
    GetWindowRect(m_hwnd, &r);
    m_fitting = true;
    SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left, fieldHeight(), flags | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_fitting = false;
}

// The window is always as high as the field. A caller's move or size measures a field set lower
// than its font again, and a height above the field's is that of field and list together: it
// sizes the list, where a lower one leaves it be.
void ComboBox::onWindowPosChanging(WINDOWPOS& wp)
{
    if ((wp.flags & SWP_NOSIZE) || !m_list)
        return;
    if (!m_fitting) {
        if (!ownerDraw())
            m_fieldItemHeight = std::max(m_fieldItemHeight, fontFieldItemHeight());
        if (wp.cy > fieldHeight())
            m_createHeight = wp.cy;
    }
    wp.cy = fieldHeight();
}

void ComboBox::create()
{
    m_fieldItemHeight = fontFieldItemHeight();
    int listItemHeight = fontLineHeight(font());
    if (ownerDraw() && m_parent) {
        UINT id = UINT(controlId(m_hwnd));
        MEASUREITEMSTRUCT field { ODT_COMBOBOX, id, UINT(-1), 0, UINT(m_fieldItemHeight), 0 };
        SendMessageA(m_parent, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&field));
        MEASUREITEMSTRUCT item { ODT_COMBOBOX, id, 0, 0, UINT(listItemHeight), 0 };
        SendMessageA(m_parent, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&item));
        m_fieldItemHeight = std::clamp(int(field.itemHeight), 1, 255);
        listItemHeight = std::clamp(int(item.itemHeight), 1, 255);
    }
    DWORD listStyle = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_COMBOBOX;
    if (ownerDraw())
        listStyle |= LBS_OWNERDRAWFIXED;
    if (!ownerDraw() || (m_style & CBS_HASSTRINGS))
        listStyle |= LBS_HASSTRINGS;
    if (m_style & CBS_SORT)
        listStyle |= LBS_SORT;
    if (m_style & CBS_DISABLENOSCROLL)
        listStyle |= LBS_DISABLENOSCROLL;
    HWND owner = GetAncestor(m_hwnd, GA_ROOT);
    m_list = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "ComboLBox", "", listStyle, 0, 0, 100, 100, owner, nullptr, nullptr, m_hwnd);
    m_lb = m_list ? listBoxOf(m_list) : nullptr;
    if (m_lb)
        m_lb->setItemHeight(listItemHeight);
    // The scroll-bar styles belong to the drop-down list, not to the field. The field draws its
    // own sunken edge: a border or client edge asked for on top would only cut its text.
    SetWindowLongPtrA(m_hwnd, GWL_STYLE, GetWindowLongPtrA(m_hwnd, GWL_STYLE) & ~LONG_PTR(WS_VSCROLL | WS_HSCROLL | WS_BORDER));
    SetWindowLongPtrA(m_hwnd, GWL_EXSTYLE, GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_CLIENTEDGE));
    resizeToField(SWP_FRAMECHANGED);
    if ((m_style & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST)
        createEdit();
}

void ComboBox::drop()
{
    if (m_dropped || !m_lb)
        return;
    notify(CBN_DROPDOWN);
    RECT r;
    GetWindowRect(m_hwnd, &r);
    int width = std::max(int(r.right - r.left), m_droppedWidth);
    const int item = std::max(1, m_lb->itemHeight());
    int wanted = std::max(1, m_lb->count()) * item + 2;
    int space = std::max(m_createHeight - fieldHeight(), item + 2);
    // Whole rows only, unless the caller asked for the height exactly.
    if (!(m_style & CBS_NOINTEGRALHEIGHT))
        space = (space - 2) / item * item + 2;
    int height = std::min(wanted, space);
    int y = r.bottom;
    if (y + height > GetSystemMetrics(SM_CYSCREEN) && r.top - height >= 0)
        y = r.top - height;
    m_selectionAtDrop = m_lb->currentSelection();
    SetWindowPos(m_list, HWND_TOP, r.left, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_lb->ensureVisible(m_selectionAtDrop);
    m_dropped = true;
    m_lb->beginTracking();
    SetCapture(m_list);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ComboBox::closeUp(bool accept)
{
    if (!m_dropped)
        return;
    m_dropped = false;
    if (GetCapture() == m_list)
        ReleaseCapture();
    ShowWindow(m_list, SW_HIDE);
    int now = m_lb->currentSelection();
    if (!accept && now != m_selectionAtDrop)
        m_lb->setCurrentSelection(m_selectionAtDrop);
    if (now != m_selectionAtDrop)
        showSelectionInEdit();
    notify(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    notify(CBN_CLOSEUP);
    if (accept && now != m_selectionAtDrop)
        notify(CBN_SELCHANGE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ComboBox::select(int index, bool notifyChange)
{
    if (!m_lb || m_lb->count() == 0)
        return;
    index = std::clamp(index, 0, m_lb->count() - 1);
    if (index == m_lb->currentSelection())
        return;
    m_lb->setCurrentSelection(index);
    // The parent hears of the change while the edit field still shows the previous text.
    if (notifyChange)
        notify(CBN_SELCHANGE);
    showSelectionInEdit();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    if (notifyChange)
        notify(CBN_SELENDOK);
}

void ComboBox::onKey(WPARAM key)
{
    if (!m_lb)
        return;
    if (key == VK_F4 || ((key == VK_DOWN || key == VK_UP) && (GetKeyState(VK_MENU) & 0x8000))) {
        if (m_dropped)
            closeUp(true);
        else
            drop();
        return;
    }
    if (m_dropped && (key == VK_RETURN || key == VK_ESCAPE)) {
        closeUp(key == VK_RETURN);
        return;
    }
    int current = m_lb->currentSelection();
    int page = std::max(1, (m_createHeight - fieldHeight()) / std::max(1, m_lb->itemHeight()) - 1);
    int next = current;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        next = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        next = current + 1;
        break;
    case VK_PRIOR:
        next = current - page;
        break;
    case VK_NEXT:
        next = current + page;
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = m_lb->count() - 1;
        break;
    default:
        return;
    }
    if (m_dropped) {
        if (m_lb->count() > 0) {
            m_lb->setCurrentSelection(std::clamp(next, 0, m_lb->count() - 1));
            showSelectionInEdit();
            InvalidateRect(m_hwnd, nullptr, TRUE);
        }
    } else {
        select(next, true);
    }
}

void ComboBox::onListCommand(int code)
{
    if (code == LBN_DBLCLK)
        closeUp(true);
    else if (code == LBN_SELCANCEL)
        closeUp(false);
}

void ComboBox::paint(HDC dc)
{
    int saved = SaveDC(dc);
    RECT client;
    GetClientRect(m_hwnd, &client);
    bool enabled = IsWindowEnabled(m_hwnd);
    HBRUSH back = controlBrush(m_hwnd, dc, WM_CTLCOLORLISTBOX, COLOR_WINDOW);
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(dc, &edge, enabled ? back : GetSysColorBrush(COLOR_3DFACE));
    int arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
    RECT arrow { edge.right - arrowWidth, edge.top, edge.right, edge.bottom };
    DrawFrameControl(dc, &arrow, DFC_SCROLL,
        DFCS_SCROLLCOMBOBOX | (m_dropped ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE));
    RECT field { edge.left + 1, edge.top + 1, arrow.left - 1, edge.bottom - 1 };
    if (hasEdit()) {
        RestoreDC(dc, saved);
        return;
    }
    int index = m_lb ? m_lb->currentSelection() : -1;
    bool highlight = m_focused && !m_dropped;
    SelectObject(dc, font());
    if (ownerDraw()) {
        DRAWITEMSTRUCT dis {};
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = UINT(controlId(m_hwnd));
        dis.itemID = UINT(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
        dis.hwndItem = m_hwnd;
        dis.hDC = dc;
        dis.rcItem = field;
        dis.itemData = index >= 0 ? ULONG_PTR(forward(LB_GETITEMDATA, WPARAM(index), 0)) : 0;
        if (m_parent)
            SendMessageA(m_parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    } else {
        if (highlight) {
            FillRect(dc, &field, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else if (!enabled) {
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        }
        SetBkMode(dc, TRANSPARENT);
        if (index >= 0) {
            RECT text = field;
            text.left += 2;
            const std::string& s = m_lb->text(index);
            DrawTextA(dc, s.c_str(), int(s.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
        }
        if (highlight)
            DrawFocusRect(dc, &field);
    }
    RestoreDC(dc, saved);
}

LRESULT ComboBox::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        create();
        return m_list ? 0 : -1;
    case WM_DESTROY:
        if (m_list)
            DestroyWindow(m_list);
        m_list = nullptr;
        m_lb = nullptr;
        return 0;
    case WM_PAINT: {
        PaintScope scope(m_hwnd, wParam);
        paint(scope.dc());
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (m_list)
            SendMessageA(m_list, WM_SETFONT, wParam, 0);
        if (hasEdit())
            SendMessageA(m_edit, WM_SETFONT, wParam, lParam);
        if (!ownerDraw()) {
            m_fieldItemHeight = fontFieldItemHeight();
            resizeToField();
        }
        if (LOWORD(lParam))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (m_dropped ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
        if (hasEdit()) {
            SetFocus(m_edit);
            return 0;
        }
        [[fallthrough]];
    case WM_KILLFOCUS:
        if (hasEdit())
            return 0;
        m_focused = message == WM_SETFOCUS;
        if (!m_focused)
            closeUp(false);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        notify(m_focused ? CBN_SETFOCUS : CBN_KILLFOCUS);
        return 0;
    case WM_WINDOWPOSCHANGING:
        if (lParam)
            onWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    case WM_SIZE:
        placeEdit();
        return 0;
    case WM_ENABLE:
        if (hasEdit())
            EnableWindow(m_edit, BOOL(wParam));
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != m_hwnd)
            SetFocus(m_hwnd);
        if (m_dropped)
            closeUp(false);
        else
            drop();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        onKey(wParam);
        return 0;
    case WM_CHAR: {
        if (!m_lb || wParam < 0x20)
            return 0;
        std::string prefix(1, char(wParam));
        int index = int(forward(LB_FINDSTRING, WPARAM(m_lb->currentSelection()), reinterpret_cast<LPARAM>(prefix.c_str())));
        if (index >= 0)
            select(index, !m_dropped);
        return 0;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == m_list && m_list)
            onListCommand(HIWORD(wParam));
        else if (hasEdit() && reinterpret_cast<HWND>(lParam) == m_edit)
            onEditCommand(HIWORD(wParam));
        return 0;
    case WM_SETTEXT:
        if (hasEdit()) {
            m_settingEdit = true;
            LRESULT r = SendMessageA(m_edit, WM_SETTEXT, wParam, lParam);
            m_settingEdit = false;
            return r;
        }
        return CB_ERR;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        if (hasEdit())
            return SendMessageA(m_edit, message, wParam, lParam);
        int index = m_lb ? m_lb->currentSelection() : -1;
        std::string text = index >= 0 && m_lb ? m_lb->text(index) : std::string();
        if (message == WM_GETTEXTLENGTH)
            return LRESULT(text.size());
        if (!lParam || wParam == 0)
            return 0;
        size_t n = std::min(text.size(), size_t(wParam) - 1);
        memcpy(reinterpret_cast<char*>(lParam), text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return LRESULT(n);
    }

    case CB_ADDSTRING:
        return forward(LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING:
        return forward(LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
        LRESULT r = forward(LB_DELETESTRING, wParam, lParam);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return r;
    }
    case CB_RESETCONTENT:
        forward(LB_RESETCONTENT, 0, 0);
        showSelectionInEdit();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return CB_OKAY;
    case CB_GETCOUNT:
        return forward(LB_GETCOUNT, 0, 0);
    case CB_SETCURSEL: {
        LRESULT r = forward(LB_SETCURSEL, wParam, 0);
        showSelectionInEdit();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return r;
    }
    case CB_GETCURSEL:
        return m_lb ? m_lb->currentSelection() : CB_ERR;
    case CB_GETLBTEXT:
        return forward(LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN:
        return forward(LB_GETTEXTLEN, wParam, 0);
    case CB_SETITEMDATA:
        return forward(LB_SETITEMDATA, wParam, lParam);
    case CB_GETITEMDATA:
        return forward(LB_GETITEMDATA, wParam, 0);
    case CB_FINDSTRING:
        return forward(LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT:
        return forward(LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING: {
        LRESULT r = forward(LB_SELECTSTRING, wParam, lParam);
        if (r >= 0)
            showSelectionInEdit();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return r;
    }
    case CB_SHOWDROPDOWN:
        if (wParam)
            drop();
        else
            closeUp(false);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return m_dropped ? TRUE : FALSE;
    case CB_SETDROPPEDWIDTH:
    case CB_GETDROPPEDWIDTH: {
        // 0 and -1 leave the width as it is; the list is never narrower than the combo box.
        if (message == CB_SETDROPPEDWIDTH && int(wParam) != 0 && int(wParam) != -1)
            m_droppedWidth = int(wParam);
        RECT r;
        GetWindowRect(m_hwnd, &r);
        return std::max(int(r.right - r.left), m_droppedWidth);
    }
    case CB_GETDROPPEDCONTROLRECT: {
        if (!lParam)
            return CB_ERR;
        RECT r;
        GetWindowRect(m_hwnd, &r);
        r.bottom = r.top + m_createHeight;
        *reinterpret_cast<RECT*>(lParam) = r;
        return TRUE;
    }
    case CB_SETITEMHEIGHT:
        if (int(wParam) == -1) {
            if (int(lParam) <= 0 || int(lParam) > 255)
                return CB_ERR;
            m_fieldItemHeight = int(lParam);
            resizeToField();
            return 0;
        }
        return forward(LB_SETITEMHEIGHT, 0, lParam);
    case CB_LIMITTEXT:
        return hasEdit() ? SendMessageA(m_edit, EM_LIMITTEXT, wParam, 0), TRUE : CB_ERR;
    case CB_SETEDITSEL:
        return hasEdit() ? SendMessageA(m_edit, EM_SETSEL, WPARAM(short(LOWORD(lParam))), LPARAM(short(HIWORD(lParam)))), TRUE
                         : CB_ERR;
    case CB_GETEDITSEL:
        return hasEdit() ? SendMessageA(m_edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_GETITEMHEIGHT:
        return int(wParam) == -1 ? m_fieldItemHeight : forward(LB_GETITEMHEIGHT, 0, 0);
    default:
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
}

namespace {

LRESULT CALLBACK comboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatchState<ComboBox>(hwnd, message, wParam, lParam);
}

} // namespace

void registerComboBoxClass()
{
    registerControlClass("ComboBox", comboBoxProc, CS_DBLCLKS);
}

} // namespace platform::controls
