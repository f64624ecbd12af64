// ListBox geometry, scrolling and drawing (plain rows or owner-drawn through WM_DRAWITEM).
#include "platform/controls/listbox_impl.h"

#include <algorithm>

namespace platform::controls {

namespace {

RECT clientOf(HWND hwnd)
{
    RECT r {};
    GetClientRect(hwnd, &r);
    return r;
}

int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

int ListBox::itemHeight(int index) const
{
    return variable() && index >= 0 && index < count() ? m_items[size_t(index)].height : m_itemHeight;
}

int ListBox::rowsHeight(int from, int to) const
{
    if (!variable())
        return (to - from) * m_itemHeight;
    int height = 0;
    for (int i = from; i < to; ++i)
        height += itemHeight(i);
    for (int i = to; i < from; ++i)
        height -= itemHeight(i);
    return height;
}

// The rows that show whole from the top one (at least one).
int ListBox::rowsPerColumn() const
{
    int room = int(clientOf(m_hwnd).bottom);
    if (!variable())
        return std::max(1, room / m_itemHeight);
    int rows = 0;
    for (int i = m_top; i < count() && (room -= itemHeight(i)) >= 0; ++i)
        ++rows;
    return std::max(1, rows);
}

// The last top row that leaves no room below the last row.
int ListBox::maxTop() const
{
    if (multiColumn()) {
        int rows = rowsPerColumn();
        int columns = (count() + rows - 1) / rows;
        int shown = std::max(1, int(clientOf(m_hwnd).right) / m_columnWidth);
        return std::max(0, columns - shown) * rows;
    }
    if (!variable())
        return std::max(0, count() - rowsPerColumn());
    int room = int(clientOf(m_hwnd).bottom);
    int top = count();
    while (top > 0 && (room -= itemHeight(top - 1)) >= 0)
        --top;
    return std::max(0, std::min(top, count() - 1));
}

int ListBox::visibleCount() const
{
    if (!multiColumn())
        return rowsPerColumn();
    int columns = std::max(1, int(clientOf(m_hwnd).right) / m_columnWidth);
    return columns * rowsPerColumn();
}

int ListBox::pageStep() const
{
    return multiColumn() ? visibleCount() : std::max(1, rowsPerColumn() - 1);
}

RECT ListBox::itemRect(int index) const
{
    RECT client = clientOf(m_hwnd);
    RECT r {};
    int rel = index - m_top;
    if (!multiColumn()) {
        r.left = -m_left;
        r.right = client.right;
        r.top = rowsHeight(m_top, index);
    } else {
        int rows = rowsPerColumn();
        int column = floorDiv(rel, rows);
        r.left = column * m_columnWidth;
        r.right = r.left + m_columnWidth;
        r.top = (rel - column * rows) * m_itemHeight;
    }
    r.bottom = r.top + itemHeight(index);
    return r;
}

int ListBox::itemFromPoint(POINT point, bool* outside) const
{
    RECT client = clientOf(m_hwnd);
    bool out = !PtInRect(&client, point);
    int index;
    if (!multiColumn()) {
        int y = std::clamp(int(point.y), 0, std::max(0, int(client.bottom) - 1));
        if (variable()) {
            for (index = m_top; index < count() && y >= itemHeight(index); ++index)
                y -= itemHeight(index);
        } else {
            index = m_top + y / m_itemHeight;
        }
    } else {
        int rows = rowsPerColumn();
        int x = std::clamp(int(point.x), 0, std::max(0, int(client.right) - 1));
        int y = std::clamp(int(point.y), 0, std::max(0, int(client.bottom) - 1));
        int row = y / m_itemHeight;
        if (row >= rows) {
            row = rows - 1;
            out = true;
        }
        index = m_top + (x / m_columnWidth) * rows + row;
    }
    if (index >= count()) {
        out = true;
        index = count() - 1;
    }
    if (outside)
        *outside = out;
    return index;
}

int ListBox::setItemHeight(int height)
{
    if (height <= 0 || height > 255)
        return LB_ERR;
    m_itemHeight = height;
    scrollTo(m_top);
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return 0;
}

int ListBox::setTopIndex(int index)
{
    if (index < 0 || (index >= count() && count() > 0))
        return LB_ERR;
    scrollTo(index);
    return 0;
}

void ListBox::scrollTo(int top)
{
    if (multiColumn())
        top = (top / rowsPerColumn()) * rowsPerColumn();
    top = std::clamp(top, 0, maxTop());
    if (top == m_top)
        return;
    m_top = top;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ListBox::scrollSideways(int left)
{
    int maxLeft = std::max(0, m_horizontalExtent - int(clientOf(m_hwnd).right));
    left = std::clamp(left, 0, maxLeft);
    if (left == m_left)
        return;
    m_left = left;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ListBox::ensureVisible(int index)
{
    if (index < 0 || index >= count())
        return;
    if (!multiColumn()) {
        if (index < m_top) {
            scrollTo(index);
        } else if (variable()) {
            // The lowest top row that still shows the row whole.
            int top = index;
            int room = int(clientOf(m_hwnd).bottom) - itemHeight(index);
            while (top > m_top && (room -= itemHeight(top - 1)) >= 0)
                --top;
            scrollTo(top);
        } else if (index >= m_top + rowsPerColumn()) {
            scrollTo(index - rowsPerColumn() + 1);
        }
        return;
    }
    int rows = rowsPerColumn();
    int shown = std::max(1, int(clientOf(m_hwnd).right) / m_columnWidth);
    int column = index / rows, first = m_top / rows;
    if (column < first)
        scrollTo(column * rows);
    else if (column >= first + shown)
        scrollTo((column - shown + 1) * rows);
}

void ListBox::updateScrollBars()
{
    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (m_style & LBS_DISABLENOSCROLL)
        si.fMask |= SIF_DISABLENOSCROLL;
    DWORD style = DWORD(GetWindowLongPtrA(m_hwnd, GWL_STYLE));
    if (!multiColumn()) {
        if ((style & WS_VSCROLL) || (m_style & WS_VSCROLL)) {
            si.nMax = std::max(0, count() - 1);
            si.nPage = UINT(rowsPerColumn());
            si.nPos = m_top;
            SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
        }
        // Rows wider than the list scroll sideways over the extent the caller set; the bar
        // shows only while the extent is wider than the list.
        if (m_style & WS_HSCROLL) {
            si.nMax = std::max(0, m_horizontalExtent - 1);
            si.nPage = UINT(std::max(0, int(clientOf(m_hwnd).right)));
            si.nPos = m_left;
            SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
        }
    } else {
        int rows = rowsPerColumn();
        si.nMax = std::max(0, (count() + rows - 1) / rows - 1);
        si.nPage = UINT(std::max(1, int(clientOf(m_hwnd).right) / m_columnWidth));
        si.nPos = m_top / rows;
        SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
    }
}

void ListBox::invalidateItem(int index)
{
    if (index < 0 || index >= count())
        return;
    RECT r = itemRect(index);
    InvalidateRect(m_hwnd, &r, TRUE);
}

void ListBox::paint(HDC dc)
{
    if (!m_redraw)
        return;
    int saved = SaveDC(dc);
    RECT client = clientOf(m_hwnd);
    HBRUSH brush = m_combo ? GetSysColorBrush(COLOR_WINDOW) : controlBrush(m_hwnd, dc, WM_CTLCOLORLISTBOX, COLOR_WINDOW);
    FillRect(dc, &client, brush);
    SelectObject(dc, font());
    if (count() == 0) {
        drawEmptyFocus(dc);
    } else {
        int last = std::min(count(), m_top + visibleCount() + (multiColumn() ? rowsPerColumn() : 1));
        for (int i = m_top; i < last; ++i) {
            RECT r = itemRect(i);
            if (r.top >= client.bottom || r.left >= client.right)
                continue;
            drawItem(dc, i, r, ODA_DRAWENTIRE);
        }
    }
    RestoreDC(dc, saved);
}

void ListBox::drawEmptyFocus(HDC dc)
{
    RECT r = itemRect(0);
    if (ownerDraw()) {
        DRAWITEMSTRUCT dis {};
        dis.CtlType = m_combo ? ODT_COMBOBOX : ODT_LISTBOX;
        dis.CtlID = UINT(controlId(m_combo ? m_combo : m_hwnd));
        dis.itemID = UINT(-1);
        dis.itemAction = ODA_FOCUS;
        dis.itemState = m_focused ? ODS_FOCUS : 0;
        dis.hwndItem = m_combo ? m_combo : m_hwnd;
        dis.hDC = dc;
        dis.rcItem = r;
        HWND target = m_combo ? GetParent(m_combo) : m_parent;
        if (target)
            SendMessageA(target, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    } else if (m_focused) {
        DrawFocusRect(dc, &r);
    }
}

void ListBox::drawItem(HDC dc, int index, const RECT& rect, UINT action)
{
    const Item& item = m_items[size_t(index)];
    bool selected = isSelected(index) && !(m_style & LBS_NOSEL);
    bool focus = m_focused && index == m_caret;
    bool disabled = !IsWindowEnabled(m_hwnd);
    if (ownerDraw()) {
        DRAWITEMSTRUCT dis {};
        dis.CtlType = m_combo ? ODT_COMBOBOX : ODT_LISTBOX;
        dis.CtlID = UINT(controlId(m_combo ? m_combo : m_hwnd));
        dis.itemID = UINT(index);
        dis.itemAction = action;
        dis.itemState = (selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (disabled ? ODS_DISABLED : 0);
        dis.hwndItem = m_combo ? m_combo : m_hwnd;
        dis.hDC = dc;
        dis.rcItem = rect;
        dis.itemData = item.data;
        HWND target = m_combo ? GetParent(m_combo) : m_parent;
        int saved = SaveDC(dc);
        if (target)
            SendMessageA(target, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        RestoreDC(dc, saved);
        return;
    }
    COLORREF oldText = GetTextColor(dc);
    if (selected) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (disabled) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    SetBkMode(dc, TRANSPARENT);
    drawText(dc, item.text, rect);
    SetTextColor(dc, oldText);
    if (focus) {
        RECT f = rect;
        DrawFocusRect(dc, &f);
    }
}

void ListBox::drawText(HDC dc, const std::string& text, const RECT& rect)
{
    int x = rect.left + 2;
    size_t start = 0;
    int defaultStep = 8 * fontAverageWidth(font());
    while (start <= text.size()) {
        size_t tab = text.find('\t', start);
        size_t end = tab == std::string::npos ? text.size() : tab;
        RECT r { x, rect.top, rect.right, rect.bottom };
        if (end > start)
            DrawTextA(dc, text.c_str() + start, int(end - start), &r, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT);
        if (tab == std::string::npos)
            break;
        SIZE size {};
        GetTextExtentPoint32A(dc, text.c_str() + start, int(end - start), &size);
        int reached = x + size.cx - rect.left;
        int next = -1;
        for (int stop : m_tabStops) {
            if (stop > reached) {
                next = stop;
                break;
            }
        }
        if (next < 0)
            next = (reached / defaultStep + 1) * defaultStep;
        x = rect.left + next;
        start = tab + 1;
    }
}

} // namespace platform::controls
