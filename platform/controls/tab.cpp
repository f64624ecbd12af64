// Tab control: rows of labelled tabs above a display area; a click or key changes the
// selection with TCN_SELCHANGING/TCN_SELCHANGE, TCM_SETCURSEL changes it silently.
#include "platform/controls/commctrl.h"

#include "platform/controls/control_common.h"
#include "platform/controls/control_registry.h"
#include "platform/controls/listbox_support.h"
#include "platform/user/system_classes.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace platform::controls {

namespace {

constexpr int kPadding = 6;
constexpr int kMargin = 2;

class TabControl {
public:
    TabControl(HWND hwnd, const CREATESTRUCTA& create)
        : m_hwnd(hwnd)
        , m_style(DWORD(create.style))
    {
    }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Tab {
        std::string text;
        LPARAM param = 0;
        DWORD state = 0;
        RECT rect {};
        int row = 0;
    };

    int count() const { return int(m_tabs.size()); }
    int tabHeight() const { return m_itemHeight > 0 ? m_itemHeight : fontLineHeight(m_font) + kPadding; }
    void layout();
    int hitTest(POINT point) const;
    bool userSelect(int index);
    void paint(HDC dc);
    int insert(int index, const TCITEMA* item);
    BOOL setItem(int index, const TCITEMA* item);
    BOOL getItem(int index, TCITEMA* item) const;
    void adjust(BOOL larger, RECT* rect) const;

    HWND m_hwnd;
    DWORD m_style;
    HFONT m_font = nullptr;
    std::vector<Tab> m_tabs;
    int m_selected = -1;
    int m_focus = -1;
    int m_rows = 1;
    int m_itemWidth = 0;
    int m_itemHeight = 0;
    bool m_focused = false;
};

LRESULT CALLBACK tabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatchState<TabControl>(hwnd, message, wParam, lParam);
}

void TabControl::layout()
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    int h = tabHeight();
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, controlFont(m_font));
    std::vector<int> widths;
    for (const Tab& tab : m_tabs) {
        SIZE size {};
        GetTextExtentPoint32A(dc, tab.text.c_str(), int(tab.text.size()), &size);
        int w = (m_style & TCS_FIXEDWIDTH) && m_itemWidth > 0 ? m_itemWidth : size.cx + 2 * kPadding;
        widths.push_back(w);
    }
    SelectObject(dc, old);
    ReleaseDC(m_hwnd, dc);

    // Assign rows left to right; a tab that does not fit starts the next row.
    int x = kMargin, row = 0;
    int limit = std::max(int(client.right) - kMargin, kMargin + 1);
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        if ((m_style & TCS_MULTILINE) && x > kMargin && x + widths[i] > limit) {
            ++row;
            x = kMargin;
        }
        m_tabs[i].row = row;
        m_tabs[i].rect = RECT { x, 0, x + widths[i], 0 };
        x += widths[i];
    }
    m_rows = row + 1;
    // The row holding the selection sits next to the display area, as the front row.
    int selectedRow = m_selected >= 0 ? m_tabs[size_t(m_selected)].row : m_rows - 1;
    for (Tab& tab : m_tabs) {
        int shown = tab.row;
        if (tab.row == selectedRow)
            shown = m_rows - 1;
        else if (tab.row > selectedRow)
            shown = tab.row - 1;
        tab.rect.top = kMargin + shown * h;
        tab.rect.bottom = tab.rect.top + h;
    }
}

int TabControl::hitTest(POINT point) const
{
    for (int i = 0; i < count(); ++i) {
        RECT r = m_tabs[size_t(i)].rect;
        if (i == m_selected)
            InflateRect(&r, 2, 0), r.top -= 2;
        if (PtInRect(&r, point))
            return i;
    }
    return -1;
}

bool TabControl::userSelect(int index)
{
    if (index < 0 || index >= count() || index == m_selected)
        return false;
    NMHDR header {};
    if (notifyParent(m_hwnd, header, TCN_SELCHANGING))
        return false;
    m_selected = index;
    m_focus = index;
    layout();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    NMHDR changed {};
    notifyParent(m_hwnd, changed, TCN_SELCHANGE);
    return true;
}

int TabControl::insert(int index, const TCITEMA* item)
{
    if (!item || index < 0)
        return -1;
    index = std::min(index, count());
    Tab tab;
    if ((item->mask & TCIF_TEXT) && item->pszText)
        tab.text = item->pszText;
    if (item->mask & TCIF_PARAM)
        tab.param = item->lParam;
    m_tabs.insert(m_tabs.begin() + index, tab);
    if (m_selected >= index)
        ++m_selected;
    if (m_selected < 0)
        m_selected = 0;
    if (m_focus >= index)
        ++m_focus;
    layout();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return index;
}

BOOL TabControl::setItem(int index, const TCITEMA* item)
{
    if (!item || index < 0 || index >= count())
        return FALSE;
    Tab& tab = m_tabs[size_t(index)];
    if (item->mask & TCIF_TEXT)
        tab.text = item->pszText ? item->pszText : "";
    if (item->mask & TCIF_PARAM)
        tab.param = item->lParam;
    if (item->mask & TCIF_STATE)
        tab.state = (tab.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
    layout();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return TRUE;
}

BOOL TabControl::getItem(int index, TCITEMA* item) const
{
    if (!item || index < 0 || index >= count())
        return FALSE;
    const Tab& tab = m_tabs[size_t(index)];
    if (item->mask & TCIF_TEXT)
        copyItemText(tab.text, item->pszText, item->cchTextMax);
    if (item->mask & TCIF_PARAM)
        item->lParam = tab.param;
    if (item->mask & TCIF_STATE)
        item->dwState = tab.state & item->dwStateMask;
    if (item->mask & TCIF_IMAGE)
        item->iImage = -1;
    return TRUE;
}

void TabControl::adjust(BOOL larger, RECT* rect) const
{
    if (!rect)
        return;
    int top = kMargin + m_rows * tabHeight() + 2;
    if (larger) {
        rect->top -= top;
        rect->left -= 2;
        rect->right += 2;
        rect->bottom += 2;
    } else {
        rect->top += top;
        rect->left += 2;
        rect->right -= 2;
        rect->bottom -= 2;
    }
}

// A transparent tab control (WS_EX_TRANSPARENT) stands above the pages it carries: what lies
// beneath it shows through, so it paints around the siblings below and lets clicks pass off its tabs.
bool showsPagesBeneath(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }

void excludeSiblingsBelow(HWND hwnd, HDC dc)
{
    for (HWND sibling = GetWindow(hwnd, GW_HWNDNEXT); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (!IsWindowVisible(sibling) || (GetWindowLongPtrA(sibling, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
            continue;
        RECT r;
        GetWindowRect(sibling, &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

void TabControl::paint(HDC dc)
{
    int saved = SaveDC(dc);
    if (showsPagesBeneath(m_hwnd))
        excludeSiblingsBelow(m_hwnd, dc);
    RECT client;
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    RECT body = client;
    body.top = kMargin + m_rows * tabHeight();
    DrawEdge(dc, &body, EDGE_RAISED, BF_RECT | BF_SOFT);
    SelectObject(dc, controlFont(m_font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < count(); ++i) {
        const Tab& tab = m_tabs[size_t(i)];
        RECT r = tab.rect;
        bool selected = i == m_selected;
        if (selected) {
            InflateRect(&r, 2, 0);
            r.top -= 2;
            r.bottom += 1;
        }
        RECT face = r;
        FillRect(dc, &face, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
        RECT text = r;
        DrawTextA(dc, tab.text.c_str(), int(tab.text.size()), &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        if (m_focused && i == m_focus) {
            RECT f = r;
            InflateRect(&f, -3, -3);
            DrawFocusRect(dc, &f);
        }
    }
    RestoreDC(dc, saved);
}

LRESULT TabControl::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
    case WM_SIZE:
        layout();
        InvalidateRect(m_hwnd, nullptr, TRUE);
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
        layout();
        if (LOWORD(lParam))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_NCHITTEST: {
        POINT at { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        ScreenToClient(m_hwnd, &at);
        if (showsPagesBeneath(m_hwnd) && hitTest(at) < 0)
            return HTTRANSPARENT;
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        m_focused = message == WM_SETFOCUS;
        if (m_focus < 0)
            m_focus = m_selected;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN: {
        int index = hitTest(POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        if (index >= 0) {
            if (!(m_style & TCS_FOCUSNEVER) && GetFocus() != m_hwnd)
                SetFocus(m_hwnd);
            userSelect(index);
        }
        return 0;
    }
    case WM_KEYDOWN: {
        NMTCKEYDOWN key {};
        key.wVKey = WORD(wParam);
        key.flags = UINT(HIWORD(lParam));
        notifyParent(m_hwnd, key.hdr, TCN_KEYDOWN);
        if (count() == 0)
            return 0;
        int from = m_selected < 0 ? 0 : m_selected;
        if (wParam == VK_LEFT || wParam == VK_UP)
            userSelect(std::max(0, from - 1));
        else if (wParam == VK_RIGHT || wParam == VK_DOWN)
            userSelect(std::min(count() - 1, from + 1));
        else if ((wParam == VK_TAB || wParam == VK_NEXT || wParam == VK_PRIOR) && ctrlDown()) {
            const bool back = wParam == VK_PRIOR || (wParam == VK_TAB && shiftDown());
            userSelect(back ? (from + count() - 1) % count() : (from + 1) % count());
        }
        else if (wParam == VK_HOME)
            userSelect(0);
        else if (wParam == VK_END)
            userSelect(count() - 1);
        return 0;
    }

    case TCM_GETITEMCOUNT:
        return count();
    case TCM_INSERTITEMA:
        return insert(int(wParam), reinterpret_cast<const TCITEMA*>(lParam));
    case TCM_SETITEMA:
        return setItem(int(wParam), reinterpret_cast<const TCITEMA*>(lParam));
    case TCM_GETITEMA:
        return getItem(int(wParam), reinterpret_cast<TCITEMA*>(lParam));
    case TCM_DELETEITEM: {
        int index = int(wParam);
        if (index < 0 || index >= count())
            return FALSE;
        m_tabs.erase(m_tabs.begin() + index);
        if (m_selected == index)
            m_selected = -1;
        else if (m_selected > index)
            --m_selected;
        if (m_focus >= count() || m_focus == index)
            m_focus = m_selected;
        layout();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    }
    case TCM_DELETEALLITEMS:
        m_tabs.clear();
        m_selected = m_focus = -1;
        layout();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    case TCM_GETCURSEL:
        return m_selected;
    case TCM_SETCURSEL: {
        int index = int(wParam);
        if (index < 0 || index >= count())
            return -1;
        int old = m_selected;
        m_selected = m_focus = index;
        layout();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return old;
    }
    case TCM_GETCURFOCUS:
        return m_focus;
    case TCM_SETCURFOCUS:
        if (int(wParam) >= 0 && int(wParam) < count())
            userSelect(int(wParam));
        return 0;
    case TCM_GETITEMRECT: {
        int index = int(wParam);
        if (index < 0 || index >= count() || !lParam)
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = m_tabs[size_t(index)].rect;
        return TRUE;
    }
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        int index = hitTest(info->pt);
        info->flags = index >= 0 ? TCHT_ONITEMLABEL : TCHT_NOWHERE;
        return index;
    }
    case TCM_ADJUSTRECT:
        adjust(BOOL(wParam), reinterpret_cast<RECT*>(lParam));
        return 0;
    case TCM_SETITEMSIZE: {
        LRESULT old = MAKELONG(m_itemWidth, tabHeight());
        m_itemWidth = LOWORD(lParam);
        m_itemHeight = HIWORD(lParam);
        layout();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return old;
    }
    case TCM_GETROWCOUNT:
        return m_rows;
    default:
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
}

} // namespace

void registerTabClass()
{
    registerControlClass(WC_TABCONTROLA, tabProc, CS_DBLCLKS);
    user::markPageStripClass(WC_TABCONTROLA);
}

} // namespace platform::controls
