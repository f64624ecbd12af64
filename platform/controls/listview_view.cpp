// List view geometry, scrolling, drawing (plain or owner-drawn rows) and mouse/keyboard input.
#include "platform/controls/listview_impl.h"

#include <algorithm>

namespace platform::controls {

int ListView::headerHeight() const
{
    if (!m_header || (GetWindowLongPtrA(m_header, GWL_STYLE) & HDS_HIDDEN))
        return 0;
    RECT r;
    GetWindowRect(m_header, &r);
    return r.bottom - r.top;
}

RECT ListView::contentRect() const
{
    RECT r;
    GetClientRect(m_hwnd, &r);
    r.top = std::min(r.bottom, LONG(headerHeight()));
    return r;
}

int ListView::rowsPerPage() const
{
    RECT r = contentRect();
    return std::max(0, int(r.bottom - r.top) / m_rowHeight);
}

void ListView::layoutHeader()
{
    if (!m_header)
        return;
    RECT client;
    GetClientRect(m_hwnd, &client);
    WINDOWPOS pos {};
    HDLAYOUT layout { &client, &pos };
    SendMessageA(m_header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    int width = std::max(totalWidth(), int(pos.cx)) + m_scrollX;
    SetWindowPos(m_header, nullptr, -m_scrollX, pos.y, width, pos.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ListView::rowRect(int index) const
{
    RECT content = contentRect();
    int top = int(content.top) + (index - m_top) * m_rowHeight;
    return RECT { -m_scrollX, top, totalWidth() - m_scrollX, top + m_rowHeight };
}

RECT ListView::subItemRect(int index, int column, int code) const
{
    RECT row = rowRect(index);
    if (column < 0) {
        if (code == LVIR_BOUNDS || code == LVIR_SELECTBOUNDS)
            return row;
        column = 0;
        if (code == LVIR_ICON)
            return RECT { row.left, row.top, row.left, row.bottom };
    }
    int x = row.left;
    for (int i = 0; i < column && i < columnCount(); ++i)
        x += columnWidth(i);
    int width = column < columnCount() ? columnWidth(column) : 0;
    return RECT { x, row.top, x + width, row.bottom };
}

int ListView::hitTest(POINT point, int* column, UINT* flags) const
{
    RECT content = contentRect();
    *column = -1;
    *flags = LVHT_NOWHERE;
    if (point.y < content.top) {
        *flags = LVHT_ABOVE;
        return -1;
    }
    int row = m_top + (int(point.y) - int(content.top)) / m_rowHeight;
    if (row >= count())
        return -1;
    int x = int(point.x) + m_scrollX;
    if (x < 0)
        return -1;
    for (int i = 0, left = 0; i < columnCount(); ++i) {
        int right = left + columnWidth(i);
        if (x < right) {
            *column = i;
            *flags = LVHT_ONITEMLABEL;
            return row;
        }
        left = right;
    }
    return -1;
}

void ListView::updateScrollBars()
{
    if (m_style & LVS_NOSCROLL)
        return;
    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = std::max(0, count() - 1);
    si.nPage = UINT(std::max(1, rowsPerPage()));
    si.nPos = m_top;
    SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    RECT client;
    GetClientRect(m_hwnd, &client);
    si.nMax = std::max(0, totalWidth() - 1);
    si.nPage = UINT(std::max(1, int(client.right)));
    si.nPos = m_scrollX;
    SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
}

void ListView::scrollRows(int top)
{
    top = std::clamp(top, 0, std::max(0, count() - std::max(1, rowsPerPage())));
    if (top == m_top)
        return;
    m_top = top;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ListView::scrollPixels(int x)
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    x = std::clamp(x, 0, std::max(0, totalWidth() - int(client.right)));
    if (x == m_scrollX)
        return;
    m_scrollX = x;
    layoutHeader();
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ListView::ensureVisible(int index)
{
    if (index < 0 || index >= count())
        return;
    int page = std::max(1, rowsPerPage());
    if (index < m_top)
        scrollRows(index);
    else if (index >= m_top + page)
        scrollRows(index - page + 1);
}

void ListView::invalidateRow(int index)
{
    RECT r = rowRect(index);
    RECT client;
    GetClientRect(m_hwnd, &client);
    r.left = 0;
    r.right = client.right;
    InvalidateRect(m_hwnd, &r, TRUE);
}

void ListView::paint(HDC dc)
{
    int saved = SaveDC(dc);
    RECT client;
    GetClientRect(m_hwnd, &client);
    COLORREF back = m_backColor == kDefaultColor ? GetSysColor(COLOR_WINDOW) : m_backColor;
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    RECT content = contentRect();
    IntersectClipRect(dc, content.left, content.top, content.right, content.bottom);
    SelectObject(dc, controlFont(m_font));
    int last = std::min(count(), m_top + rowsPerPage() + 1);
    for (int i = m_top; i < last; ++i)
        drawRow(dc, i, rowRect(i));
    if (m_exStyle & LVS_EX_GRIDLINES) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DFACE));
        HGDIOBJ old = SelectObject(dc, pen);
        int right = totalWidth() - m_scrollX;
        for (int y = int(content.top) + m_rowHeight - 1; y < content.bottom; y += m_rowHeight) {
            MoveToEx(dc, 0, y, nullptr);
            LineTo(dc, std::min(right, int(client.right)), y);
        }
        for (int i = 0, x = -m_scrollX; i < columnCount(); ++i) {
            x += columnWidth(i);
            MoveToEx(dc, x - 1, content.top, nullptr);
            LineTo(dc, x - 1, content.bottom);
        }
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    RestoreDC(dc, saved);
}

void ListView::drawRow(HDC dc, int index, const RECT& row)
{
    const Item& item = m_items[size_t(index)];
    bool selected = (item.state & LVIS_SELECTED) && (m_focused || (m_style & LVS_SHOWSELALWAYS));
    // Until the keys have moved to a row, the first one is where they start.
    bool focus = m_focused && ((item.state & LVIS_FOCUSED) || (index == 0 && nextItem(-1, LVNI_FOCUSED) < 0));
    if (m_style & LVS_OWNERDRAWFIXED) {
        DRAWITEMSTRUCT dis {};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = UINT(controlId(m_hwnd));
        dis.itemID = UINT(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (IsWindowEnabled(m_hwnd) ? 0 : ODS_DISABLED);
        dis.hwndItem = m_hwnd;
        dis.hDC = dc;
        dis.rcItem = row;
        dis.itemData = ULONG_PTR(item.param);
        int saved = SaveDC(dc);
        if (m_parent)
            SendMessageA(m_parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        RestoreDC(dc, saved);
        return;
    }
    COLORREF text = m_textColor == kDefaultColor ? GetSysColor(COLOR_WINDOWTEXT) : m_textColor;
    SetBkMode(dc, TRANSPARENT);
    RECT highlight = subItemRect(index, (m_exStyle & LVS_EX_FULLROWSELECT) ? -1 : 0,
        (m_exStyle & LVS_EX_FULLROWSELECT) ? LVIR_BOUNDS : LVIR_LABEL);
    if (selected)
        FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
    for (int column = 0; column < columnCount(); ++column) {
        size_t sub = size_t(m_subItems[size_t(column)]);
        if (sub >= item.texts.size() || item.texts[sub].empty())
            continue;
        RECT cell = subItemRect(index, column, LVIR_LABEL);
        bool lit = selected && ((m_exStyle & LVS_EX_FULLROWSELECT) || column == 0);
        SetTextColor(dc, lit ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
        HDITEMA h {};
        h.mask = HDI_FORMAT;
        SendMessageA(m_header, HDM_GETITEMA, WPARAM(column), reinterpret_cast<LPARAM>(&h));
        UINT align = (h.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT : (h.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER : DT_LEFT;
        InflateRect(&cell, -3, 0);
        const std::string& s = item.texts[sub];
        DrawTextA(dc, s.c_str(), int(s.size()), &cell, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (focus)
        DrawFocusRect(dc, &highlight);
}

void ListView::selectOnly(int index)
{
    for (int i = 0; i < count(); ++i)
        if (i != index && (m_items[size_t(i)].state & LVIS_SELECTED))
            changeState(i, 0, LVIS_SELECTED);
    if (index >= 0)
        changeState(index, LVIS_SELECTED, LVIS_SELECTED);
}

void ListView::focusItem(int index)
{
    changeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    ensureVisible(index);
}

void ListView::onButtonDown(POINT point, bool doubleClick, bool right)
{
    if (GetFocus() != m_hwnd)
        SetFocus(m_hwnd);
    int column = -1;
    UINT flags = 0;
    int index = hitTest(point, &column, &flags);
    // Owner-drawn rows are drawn whole, so they are hit whole.
    bool fullRow = (m_exStyle & LVS_EX_FULLROWSELECT) || (m_style & LVS_OWNERDRAWFIXED);
    if (index >= 0 && column != 0 && !fullRow)
        index = -1;
    bool single = (m_style & LVS_SINGLESEL) != 0;
    if (!right || index < 0 || !(m_items[size_t(index)].state & LVIS_SELECTED)) {
        if (index < 0) {
            if (!ctrlDown())
                selectOnly(-1);
        } else if (!single && ctrlDown() && !right) {
            bool on = (m_items[size_t(index)].state & LVIS_SELECTED) != 0;
            changeState(index, on ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            m_anchor = index;
            focusItem(index);
        } else if (!single && shiftDown() && m_anchor >= 0 && !right) {
            int lo = std::min(m_anchor, index), hi = std::max(m_anchor, index);
            for (int i = 0; i < count(); ++i)
                changeState(i, (i >= lo && i <= hi) ? LVIS_SELECTED : 0, LVIS_SELECTED);
            focusItem(index);
        } else {
            selectOnly(index);
            m_anchor = index;
            focusItem(index);
        }
    }
    NMITEMACTIVATE nm {};
    nm.iItem = index;
    nm.iSubItem = column >= 0 ? m_subItems[size_t(column)] : 0;
    nm.ptAction = point;
    nm.uKeyFlags = (shiftDown() ? 0x0004 : 0) | (ctrlDown() ? 0x0002 : 0);
    notifyParent(m_hwnd, nm.hdr, right ? NM_RCLICK : doubleClick ? NM_DBLCLK : NM_CLICK);
}

void ListView::onKeyDown(WPARAM key)
{
    NMLVKEYDOWN nm {};
    nm.wVKey = WORD(key);
    notifyParent(m_hwnd, nm.hdr, LVN_KEYDOWN);
    if (count() == 0)
        return;
    int from = nextItem(-1, LVNI_FOCUSED);
    int page = std::max(1, rowsPerPage());
    int to;
    switch (key) {
    case VK_UP:
        to = from < 0 ? 0 : from - 1;
        break;
    case VK_DOWN:
        to = from + 1;
        break;
    case VK_PRIOR:
        to = from - page;
        break;
    case VK_NEXT:
        to = from + page;
        break;
    case VK_HOME:
        to = 0;
        break;
    case VK_END:
        to = count() - 1;
        break;
    case VK_SPACE:
        if (from >= 0 && ctrlDown() && !(m_style & LVS_SINGLESEL)) {
            bool on = (m_items[size_t(from)].state & LVIS_SELECTED) != 0;
            changeState(from, on ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        }
        return;
    default:
        return;
    }
    to = std::clamp(to, 0, count() - 1);
    if (shiftDown() && !(m_style & LVS_SINGLESEL) && m_anchor >= 0) {
        int lo = std::min(m_anchor, to), hi = std::max(m_anchor, to);
        for (int i = 0; i < count(); ++i)
            changeState(i, (i >= lo && i <= hi) ? LVIS_SELECTED : 0, LVIS_SELECTED);
    } else if (!ctrlDown()) {
        selectOnly(to);
        m_anchor = to;
    }
    focusItem(to);
}

void ListView::onScroll(int bar, int code)
{
    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(m_hwnd, bar, &si);
    if (bar == SB_VERT) {
        int page = std::max(1, rowsPerPage());
        switch (code) {
        case SB_LINEUP: scrollRows(m_top - 1); break;
        case SB_LINEDOWN: scrollRows(m_top + 1); break;
        case SB_PAGEUP: scrollRows(m_top - page); break;
        case SB_PAGEDOWN: scrollRows(m_top + page); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: scrollRows(si.nTrackPos); break;
        case SB_TOP: scrollRows(0); break;
        case SB_BOTTOM: scrollRows(count()); break;
        default: break;
        }
        return;
    }
    RECT client;
    GetClientRect(m_hwnd, &client);
    int step = 16;
    switch (code) {
    case SB_LINELEFT: scrollPixels(m_scrollX - step); break;
    case SB_LINERIGHT: scrollPixels(m_scrollX + step); break;
    case SB_PAGELEFT: scrollPixels(m_scrollX - int(client.right)); break;
    case SB_PAGERIGHT: scrollPixels(m_scrollX + int(client.right)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: scrollPixels(si.nTrackPos); break;
    case SB_LEFT: scrollPixels(0); break;
    case SB_RIGHT: scrollPixels(totalWidth()); break;
    default: break;
    }
}

} // namespace platform::controls
