// List view: the window procedure, columns (kept by the header), items and their states.
#include "platform/controls/listview_impl.h"

#include "platform/controls/control_common.h"
#include "platform/controls/control_registry.h"

#include <algorithm>
#include <cstring>

namespace platform::controls {

namespace {

LRESULT CALLBACK listViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatchState<ListView>(hwnd, message, wParam, lParam);
}

} // namespace

ListView::ListView(HWND hwnd, const CREATESTRUCTA& create)
    : m_hwnd(hwnd)
    , m_parent(create.hwndParent)
    , m_style(DWORD(create.style))
{
}

void ListView::create()
{
    DWORD headerStyle = WS_CHILD | WS_VISIBLE | HDS_HORZ;
    if (!(m_style & LVS_NOSORTHEADER))
        headerStyle |= HDS_BUTTONS;
    if (m_style & LVS_NOCOLUMNHEADER)
        headerStyle |= HDS_HIDDEN;
    m_header = CreateWindowExA(0, WC_HEADERA, "", headerStyle, 0, 0, 10, 10, m_hwnd, nullptr, nullptr, nullptr);
    m_rowHeight = std::max(fontLineHeight(m_font) + 2, 16);
    if ((m_style & LVS_OWNERDRAWFIXED) && m_parent) {
        MEASUREITEMSTRUCT measure { ODT_LISTVIEW, UINT(controlId(m_hwnd)), 0, 0, UINT(m_rowHeight), 0 };
        SendMessageA(m_parent, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
        if (measure.itemHeight > 0)
            m_rowHeight = int(std::min<UINT>(measure.itemHeight, 1000));
    }
    layoutHeader();
    updateScrollBars();
}

int ListView::columnCount() const
{
    return int(m_subItems.size());
}

int ListView::columnWidth(int column) const
{
    HDITEMA item {};
    item.mask = HDI_WIDTH;
    if (!m_header || !SendMessageA(m_header, HDM_GETITEMA, WPARAM(column), reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.cxy;
}

int ListView::columnOfSubItem(int subItem) const
{
    for (int i = 0; i < columnCount(); ++i)
        if (m_subItems[size_t(i)] == subItem)
            return i;
    return -1;
}

int ListView::totalWidth() const
{
    int total = 0;
    for (int i = 0; i < columnCount(); ++i)
        total += columnWidth(i);
    return total;
}

int ListView::insertColumn(int index, const LVCOLUMNA* column)
{
    if (!column || index < 0)
        return -1;
    index = std::min(index, columnCount());
    HDITEMA item {};
    item.mask = HDI_WIDTH | HDI_FORMAT;
    item.cxy = (column->mask & LVCF_WIDTH) ? column->cx : 50;
    item.fmt = HDF_STRING | ((column->mask & LVCF_FMT) ? (column->fmt & LVCFMT_JUSTIFYMASK) : HDF_LEFT);
    if ((column->mask & LVCF_TEXT) && column->pszText) {
        item.mask |= HDI_TEXT;
        item.pszText = column->pszText;
    }
    if (SendMessageA(m_header, HDM_INSERTITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item)) < 0)
        return -1;
    int subItem = (column->mask & LVCF_SUBITEM) ? column->iSubItem : index;
    m_subItems.insert(m_subItems.begin() + index, subItem);
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return index;
}

BOOL ListView::setColumn(int index, const LVCOLUMNA* column)
{
    if (!column || index < 0 || index >= columnCount())
        return FALSE;
    HDITEMA item {};
    if (column->mask & LVCF_WIDTH) {
        item.mask |= HDI_WIDTH;
        item.cxy = column->cx;
    }
    if (column->mask & LVCF_FMT) {
        item.mask |= HDI_FORMAT;
        item.fmt = HDF_STRING | (column->fmt & LVCFMT_JUSTIFYMASK);
    }
    if (column->mask & LVCF_TEXT) {
        item.mask |= HDI_TEXT;
        item.pszText = column->pszText;
    }
    if (column->mask & LVCF_SUBITEM)
        m_subItems[size_t(index)] = column->iSubItem;
    return BOOL(SendMessageA(m_header, HDM_SETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item)));
}

BOOL ListView::getColumn(int index, LVCOLUMNA* column) const
{
    if (!column || index < 0 || index >= columnCount())
        return FALSE;
    HDITEMA item {};
    item.mask = HDI_WIDTH | HDI_FORMAT;
    if (column->mask & LVCF_TEXT) {
        item.mask |= HDI_TEXT;
        item.pszText = column->pszText;
        item.cchTextMax = column->cchTextMax;
    }
    SendMessageA(m_header, HDM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    if (column->mask & LVCF_WIDTH)
        column->cx = item.cxy;
    if (column->mask & LVCF_FMT)
        column->fmt = item.fmt & HDF_JUSTIFYMASK;
    if (column->mask & LVCF_SUBITEM)
        column->iSubItem = m_subItems[size_t(index)];
    if (column->mask & LVCF_ORDER)
        column->iOrder = index;
    return TRUE;
}

BOOL ListView::deleteColumn(int index)
{
    if (index < 0 || index >= columnCount())
        return FALSE;
    SendMessageA(m_header, HDM_DELETEITEM, WPARAM(index), 0);
    m_subItems.erase(m_subItems.begin() + index);
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return TRUE;
}

BOOL ListView::setColumnWidth(int index, int width)
{
    if (index < 0 || index >= columnCount())
        return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        HDC dc = GetDC(m_hwnd);
        HGDIOBJ old = SelectObject(dc, controlFont(m_font));
        int widest = 0;
        size_t sub = size_t(m_subItems[size_t(index)]);
        auto measure = [&](const std::string& s) {
            SIZE size {};
            GetTextExtentPoint32A(dc, s.c_str(), int(s.size()), &size);
            widest = std::max(widest, int(size.cx));
        };
        for (const Item& item : m_items)
            if (sub < item.texts.size())
                measure(item.texts[sub]);
        if (width == LVSCW_AUTOSIZE_USEHEADER) {
            char text[260] = {};
            HDITEMA h {};
            h.mask = HDI_TEXT;
            h.pszText = text;
            h.cchTextMax = sizeof(text);
            SendMessageA(m_header, HDM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&h));
            measure(text);
        }
        SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
        width = widest + 12;
    }
    HDITEMA item {};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, width);
    return BOOL(SendMessageA(m_header, HDM_SETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item)));
}

int ListView::insertItem(const LVITEMA* source)
{
    if (!source || source->iItem < 0 || source->iSubItem != 0)
        return -1;
    int index = std::min(source->iItem, count());
    Item item;
    item.texts.resize(1);
    if ((source->mask & LVIF_TEXT) && source->pszText)
        item.texts[0] = source->pszText;
    if (source->mask & LVIF_PARAM)
        item.param = source->lParam;
    m_items.insert(m_items.begin() + index, item);
    if (m_anchor >= index)
        ++m_anchor;
    if (source->mask & LVIF_STATE)
        changeState(index, source->state, source->stateMask);
    notifyItem(LVN_INSERTITEM, index, 0, 0, 0, 0, POINT {});
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return index;
}

BOOL ListView::setItemText(int index, const LVITEMA* source)
{
    if (!source || index < 0 || index >= count() || source->iSubItem < 0)
        return FALSE;
    Item& item = m_items[size_t(index)];
    if (size_t(source->iSubItem) >= item.texts.size())
        item.texts.resize(size_t(source->iSubItem) + 1);
    item.texts[size_t(source->iSubItem)] = source->pszText ? source->pszText : "";
    invalidateRow(index);
    return TRUE;
}

BOOL ListView::setItem(const LVITEMA* source)
{
    if (!source || source->iItem < 0 || source->iItem >= count())
        return FALSE;
    if ((source->mask & LVIF_TEXT) && !setItemText(source->iItem, source))
        return FALSE;
    if (source->iSubItem == 0) {
        if (source->mask & LVIF_PARAM)
            m_items[size_t(source->iItem)].param = source->lParam;
        if (source->mask & LVIF_STATE)
            changeState(source->iItem, source->state, source->stateMask);
    }
    return TRUE;
}

BOOL ListView::getItem(LVITEMA* out) const
{
    if (!out || out->iItem < 0 || out->iItem >= count() || out->iSubItem < 0)
        return FALSE;
    const Item& item = m_items[size_t(out->iItem)];
    if (out->mask & LVIF_TEXT) {
        size_t sub = size_t(out->iSubItem);
        copyItemText(sub < item.texts.size() ? item.texts[sub] : std::string(), out->pszText, out->cchTextMax);
    }
    if (out->mask & LVIF_PARAM)
        out->lParam = item.param;
    if (out->mask & LVIF_STATE)
        out->state = item.state & out->stateMask;
    if (out->mask & LVIF_IMAGE)
        out->iImage = -1;
    return TRUE;
}

int ListView::getItemText(int index, LVITEMA* out) const
{
    if (!out || index < 0 || index >= count() || out->iSubItem < 0 || !out->pszText || out->cchTextMax <= 0)
        return 0;
    const Item& item = m_items[size_t(index)];
    size_t sub = size_t(out->iSubItem);
    const std::string empty;
    const std::string& text = sub < item.texts.size() ? item.texts[sub] : empty;
    copyItemText(text, out->pszText, out->cchTextMax);
    return int(strlen(out->pszText));
}

BOOL ListView::deleteItem(int index)
{
    if (index < 0 || index >= count())
        return FALSE;
    notifyItem(LVN_DELETEITEM, index, 0, 0, 0, 0, POINT {});
    m_items.erase(m_items.begin() + index);
    if (m_anchor == index)
        m_anchor = -1;
    else if (m_anchor > index)
        --m_anchor;
    scrollRows(m_top);
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return TRUE;
}

void ListView::deleteAll()
{
    notifyItem(LVN_DELETEALLITEMS, -1, 0, 0, 0, 0, POINT {});
    m_items.clear();
    m_top = 0;
    m_anchor = -1;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

int ListView::nextItem(int start, UINT flags) const
{
    UINT wanted = 0;
    if (flags & LVNI_SELECTED)
        wanted |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED)
        wanted |= LVIS_FOCUSED;
    bool up = (flags & LVNI_ABOVE) != 0;
    int i = start;
    for (;;) {
        i += up ? -1 : 1;
        if (i < 0 || i >= count())
            return -1;
        if ((m_items[size_t(i)].state & wanted) == wanted)
            return i;
    }
}

LRESULT ListView::notifyItem(UINT code, int index, int subItem, UINT newState, UINT oldState, UINT changed, POINT point)
{
    NMLISTVIEW nm {};
    nm.iItem = index;
    nm.iSubItem = subItem;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = point;
    nm.lParam = index >= 0 && index < count() ? m_items[size_t(index)].param : 0;
    return notifyParent(m_hwnd, nm.hdr, code);
}

bool ListView::changeState(int index, UINT state, UINT mask)
{
    Item& item = m_items[size_t(index)];
    UINT next = (item.state & ~mask) | (state & mask);
    if (next == item.state)
        return false;
    UINT old = item.state;
    if (notifyItem(LVN_ITEMCHANGING, index, 0, next, old, LVIF_STATE, POINT {}))
        return false;
    // One focused item, and one selected item in a single-selection list.
    if (next & LVIS_FOCUSED)
        for (int i = 0; i < count(); ++i)
            if (i != index && (m_items[size_t(i)].state & LVIS_FOCUSED))
                changeState(i, 0, LVIS_FOCUSED);
    if ((next & LVIS_SELECTED) && (m_style & LVS_SINGLESEL))
        for (int i = 0; i < count(); ++i)
            if (i != index && (m_items[size_t(i)].state & LVIS_SELECTED))
                changeState(i, 0, LVIS_SELECTED);
    item.state = next;
    invalidateRow(index);
    notifyItem(LVN_ITEMCHANGED, index, 0, next, old, LVIF_STATE, POINT {});
    return true;
}

BOOL ListView::setState(int index, UINT state, UINT mask)
{
    if (index == -1) {
        for (int i = 0; i < count(); ++i)
            changeState(i, state, mask);
        return TRUE;
    }
    if (index < 0 || index >= count())
        return FALSE;
    changeState(index, state, mask);
    return TRUE;
}

LRESULT ListView::onHeaderNotify(NMHDR* header)
{
    auto* nm = reinterpret_cast<NMHEADERA*>(header);
    LRESULT answer = m_parent ? SendMessageA(m_parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header)) : 0;
    switch (header->code) {
    case HDN_ITEMCHANGEDA:
        updateScrollBars();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        break;
    case HDN_ITEMCLICKA:
        if (!(m_style & LVS_NOSORTHEADER))
            notifyItem(LVN_COLUMNCLICK, -1, nm->iItem, 0, 0, 0, POINT {});
        break;
    case HDN_DIVIDERDBLCLICKA:
        if (!answer)
            setColumnWidth(nm->iItem, LVSCW_AUTOSIZE_USEHEADER);
        break;
    default:
        break;
    }
    return answer;
}

LRESULT ListView::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        create();
        return m_header ? 0 : -1;
    case WM_SIZE:
        layoutHeader();
        updateScrollBars();
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
        if (!(m_style & LVS_OWNERDRAWFIXED))
            m_rowHeight = std::max(fontLineHeight(m_font) + 2, 16);
        SendMessageA(m_header, WM_SETFONT, wParam, lParam);
        layoutHeader();
        updateScrollBars();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        m_focused = message == WM_SETFOCUS;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        NMHDR nm {};
        notifyParent(m_hwnd, nm, m_focused ? NM_SETFOCUS : NM_KILLFOCUS);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        onButtonDown(POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }, message == WM_LBUTTONDBLCLK,
            message == WM_RBUTTONDOWN);
        return 0;
    case WM_KEYDOWN:
        onKeyDown(wParam);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        onScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        scrollRows(m_top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->hwndFrom == m_header)
            return onHeaderNotify(header);
        return m_parent ? SendMessageA(m_parent, WM_NOTIFY, wParam, lParam) : 0;
    }

    case LVM_INSERTCOLUMNA:
        return insertColumn(int(wParam), reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_SETCOLUMNA:
        return setColumn(int(wParam), reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_GETCOLUMNA:
        return getColumn(int(wParam), reinterpret_cast<LVCOLUMNA*>(lParam));
    case LVM_DELETECOLUMN:
        return deleteColumn(int(wParam));
    case LVM_SETCOLUMNWIDTH:
        return setColumnWidth(int(wParam), int(short(LOWORD(lParam))));
    case LVM_GETCOLUMNWIDTH:
        return int(wParam) >= 0 && int(wParam) < columnCount() ? columnWidth(int(wParam)) : 0;
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(m_header);
    case LVM_INSERTITEMA:
        return insertItem(reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_SETITEMA:
        return setItem(reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_GETITEMA:
        return getItem(reinterpret_cast<LVITEMA*>(lParam));
    case LVM_SETITEMTEXTA:
        return setItemText(int(wParam), reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_GETITEMTEXTA:
        return getItemText(int(wParam), reinterpret_cast<LVITEMA*>(lParam));
    case LVM_GETITEMCOUNT:
        return count();
    case LVM_DELETEITEM:
        return deleteItem(int(wParam));
    case LVM_DELETEALLITEMS:
        deleteAll();
        return TRUE;
    case LVM_GETNEXTITEM:
        return nextItem(int(wParam), UINT(lParam));
    case LVM_SETITEMSTATE: {
        auto* item = reinterpret_cast<const LVITEMA*>(lParam);
        return item ? setState(int(wParam), item->state, item->stateMask) : FALSE;
    }
    case LVM_GETITEMSTATE:
        return int(wParam) >= 0 && int(wParam) < count() ? LRESULT(m_items[size_t(wParam)].state & UINT(lParam)) : 0;
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(m_items.begin(), m_items.end(), [](const Item& i) { return (i.state & LVIS_SELECTED) != 0; });
    case LVM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect || int(wParam) < 0 || int(wParam) >= count())
            return FALSE;
        *rect = subItemRect(int(wParam), -1, rect->left);
        return TRUE;
    }
    case LVM_GETSUBITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect || int(wParam) < 0 || int(wParam) >= count())
            return FALSE;
        int column = rect->top == 0 ? -1 : columnOfSubItem(rect->top);
        if (rect->top != 0 && column < 0)
            return FALSE;
        *rect = subItemRect(int(wParam), column, rect->left);
        return TRUE;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        int column = -1;
        info->iItem = hitTest(info->pt, &column, &info->flags);
        info->iSubItem = column >= 0 ? m_subItems[size_t(column)] : 0;
        return info->iItem;
    }
    case LVM_ENSUREVISIBLE:
        ensureVisible(int(wParam));
        return TRUE;
    case LVM_GETTOPINDEX:
        return m_top;
    case LVM_GETCOUNTPERPAGE:
        return rowsPerPage();
    case LVM_SCROLL: {
        int dy = int(lParam);
        int rows = dy >= 0 ? (dy + m_rowHeight - 1) / m_rowHeight : -((-dy + m_rowHeight - 1) / m_rowHeight);
        scrollPixels(m_scrollX + int(wParam));
        scrollRows(m_top + rows);
        return TRUE;
    }
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD old = m_exStyle;
        DWORD mask = wParam ? DWORD(wParam) : 0xFFFFFFFF;
        m_exStyle = (m_exStyle & ~mask) | (DWORD(lParam) & mask);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return m_exStyle;
    case LVM_SETBKCOLOR:
        m_backColor = COLORREF(lParam);
        return TRUE;
    case LVM_GETBKCOLOR:
        return m_backColor == kDefaultColor ? GetSysColor(COLOR_WINDOW) : m_backColor;
    case LVM_SETTEXTCOLOR:
        m_textColor = COLORREF(lParam);
        return TRUE;
    case LVM_SETTEXTBKCOLOR:
        m_textBackColor = COLORREF(lParam);
        return TRUE;
    case LVM_REDRAWITEMS:
    case LVM_UPDATE:
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    default:
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
}

void registerListViewClass()
{
    registerControlClass(WC_LISTVIEWA, listViewProc, CS_DBLCLKS);
}

} // namespace platform::controls
