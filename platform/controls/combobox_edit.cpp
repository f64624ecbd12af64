// The edit field of a CBS_DROPDOWN combo box: an "Edit" child over the field whose navigation
// keys go to the combo box, and which shows the chosen item's text.
#include "platform/controls/combobox_impl.h"
#include "platform/controls/commctrl.h"

namespace platform::controls {

namespace {

constexpr int kEditId = 1001;
const char* const kEditProcProp = "ComboEditProc";

LRESULT CALLBACK comboEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kEditProcProp));
    HWND comboWindow = GetParent(hwnd);
    ComboBox* combo = comboWindow ? stateOf<ComboBox>(comboWindow) : nullptr;
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && combo && combo->takesEditKey(wParam)) {
        combo->onKey(wParam);
        return 0;
    }
    if (message == WM_GETDLGCODE && combo) {
        LRESULT code = old ? CallWindowProcA(old, hwnd, message, wParam, lParam) : 0;
        return code | SendMessageA(comboWindow, WM_GETDLGCODE, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kEditProcProp);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    }
    return old ? CallWindowProcA(old, hwnd, message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

RECT ComboBox::fieldRect() const
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    int arrow = GetSystemMetrics(SM_CXVSCROLL);
    return RECT { 3, 3, client.right - 2 - arrow - 1, client.bottom - 3 };
}

void ComboBox::createEdit()
{
    RECT r = fieldRect();
    DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    m_edit = CreateWindowExA(0, "Edit", "", style, r.left, r.top, r.right - r.left, r.bottom - r.top, m_hwnd,
        reinterpret_cast<HMENU>(INT_PTR(kEditId)), nullptr, nullptr);
    if (!m_edit)
        return;
    LONG_PTR old = SetWindowLongPtrA(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(comboEditProc));
    SetPropA(m_edit, kEditProcProp, reinterpret_cast<HANDLE>(old));
    if (m_font)
        SendMessageA(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
}

void ComboBox::placeEdit()
{
    if (!m_edit)
        return;
    RECT r = fieldRect();
    SetWindowPos(m_edit, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBox::showSelectionInEdit()
{
    if (!m_edit || !m_lb)
        return;
    int index = m_lb->currentSelection();
    std::string text = index >= 0 ? m_lb->text(index) : std::string();
    m_settingEdit = true;
    SetWindowTextA(m_edit, text.c_str());
    m_settingEdit = false;
    SendMessageA(m_edit, EM_SETSEL, 0, -1);
}

bool ComboBox::takesEditKey(WPARAM key) const
{
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_F4:
        return true;
    case VK_RETURN:
    case VK_ESCAPE:
        return m_dropped;
    default:
        return false;
    }
}

void ComboBox::onEditCommand(int code)
{
    switch (code) {
    case EN_SETFOCUS:
    case EN_KILLFOCUS:
        m_focused = code == EN_SETFOCUS;
        if (!m_focused)
            closeUp(false);
        notify(m_focused ? CBN_SETFOCUS : CBN_KILLFOCUS);
        break;
    case EN_CHANGE:
        if (!m_settingEdit)
            notify(CBN_EDITCHANGE);
        break;
    case EN_UPDATE:
        if (!m_settingEdit)
            notify(CBN_EDITUPDATE);
        break;
    default:
        break;
    }
}

} // namespace platform::controls
