// ListBox: the window procedure, the item model and the LB_ messages.
#include "platform/controls/listbox_impl.h"
#include "platform/controls/control_common.h"
#include "platform/controls/control_registry.h"
#include "platform/kernel/winbase.h"

#include <algorithm>
#include <cstring>

namespace platform::controls {

namespace {

const char* const kListBoxClass = "ListBox";
const char* const kComboListClass = "ComboLBox";

LRESULT CALLBACK listBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dispatchState<ListBox>(hwnd, message, wParam, lParam);
}

} // namespace

ListBox* listBoxOf(HWND hwnd)
{
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    if (strcmp(name, kListBoxClass) != 0 && strcmp(name, kComboListClass) != 0)
        return nullptr;
    return stateOf<ListBox>(hwnd);
}

void registerListBoxClasses()
{
    registerControlClass(kListBoxClass, listBoxProc, CS_DBLCLKS);
    registerControlClass(kComboListClass, listBoxProc, CS_DBLCLKS | CS_SAVEBITS);
}

ListBox::ListBox(HWND hwnd, const CREATESTRUCTA& create)
    : m_hwnd(hwnd)
    , m_parent(create.hwndParent)
    , m_style(DWORD(create.style))
{
    if (!ownerDraw())
        m_style |= LBS_HASSTRINGS;
    // A list whose items cannot be selected has one selection at most, like a single one; one that
    // asks for both kinds of multiple selection is an extended one.
    if (m_style & LBS_NOSEL)
        m_style &= ~DWORD(LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
    if (m_style & LBS_EXTENDEDSEL)
        m_style &= ~DWORD(LBS_MULTIPLESEL);
    // Columns hold rows of one height; rows of their own heights make no whole-row list height.
    if ((m_style & LBS_MULTICOLUMN) && variable())
        m_style = (m_style & ~DWORD(LBS_OWNERDRAWVARIABLE)) | LBS_OWNERDRAWFIXED;
    if (variable())
        m_style |= LBS_NOINTEGRALHEIGHT;
    // Items without data are a fixed owner-drawn list's alone.
    if ((m_style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_SORT)) != LBS_OWNERDRAWFIXED)
        m_style &= ~DWORD(LBS_NODATA);
    if (m_style & LBS_COMBOBOX)
        m_combo = static_cast<HWND>(create.lpCreateParams);
    m_itemHeight = fontLineHeight(font());
}

bool ListBox::hasStrings() const
{
    return (m_style & LBS_HASSTRINGS) != 0;
}

void ListBox::notify(int code)
{
    if (m_combo) {
        SendMessageA(m_combo, WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(m_hwnd));
        return;
    }
    bool always = code == LBN_ERRSPACE;
    if (always || (m_style & LBS_NOTIFY))
        notifyCommand(m_parent, m_hwnd, code);
}

int ListBox::insert(int index, LPARAM value)
{
    Item item;
    if (hasStrings()) {
        const char* s = reinterpret_cast<const char*>(value);
        item.text = s ? s : "";
    } else if (!noData()) {
        item.data = ULONG_PTR(value);
    }
    if (index < 0 || index > count()) {
        index = count();
        if ((m_style & LBS_SORT) && hasStrings()) {
            auto it = std::upper_bound(m_items.begin(), m_items.end(), item.text,
                [](const std::string& t, const Item& other) { return compareNoCase(t, other.text) < 0; });
            index = int(it - m_items.begin());
        }
    }
    m_items.insert(m_items.begin() + index, std::move(item));
    if (variable())
        measure(index);
    if (m_selected >= index)
        ++m_selected;
    // The caret of an empty list stays on the first item.
    if (m_caret >= index && count() > 1)
        ++m_caret;
    if (m_anchor >= index)
        ++m_anchor;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return index;
}

namespace {

constexpr UINT kMaxMeasuredItemHeight = 32767;

} // namespace

// A variable list asks its parent for the height of each row as the row comes in.
void ListBox::measure(int index)
{
    Item& item = m_items[size_t(index)];
    item.height = m_itemHeight;
    if (!m_parent || m_combo)
        return;
    RECT client {};
    GetClientRect(m_hwnd, &client);
    ULONG_PTR data = hasStrings() ? reinterpret_cast<ULONG_PTR>(item.text.c_str()) : item.data;
    MEASUREITEMSTRUCT asked { ODT_LISTBOX, UINT(controlId(m_hwnd)), UINT(index), UINT(client.right), UINT(m_itemHeight), data };
    SendMessageA(m_parent, WM_MEASUREITEM, asked.CtlID, reinterpret_cast<LPARAM>(&asked));
    m_items[size_t(index)].height = int(std::clamp<UINT>(asked.itemHeight, 1, kMaxMeasuredItemHeight));
}

int ListBox::remove(int index)
{
    if (index < 0 || index >= count())
        return LB_ERR;
    if (ownerDraw()) {
        DELETEITEMSTRUCT del { ODT_LISTBOX, UINT(controlId(m_hwnd)), UINT(index), m_hwnd, m_items[size_t(index)].data };
        if (m_parent && !m_combo)
            SendMessageA(m_parent, WM_DELETEITEM, del.CtlID, reinterpret_cast<LPARAM>(&del));
    }
    m_items.erase(m_items.begin() + index);
    auto shift = [&](int& i) {
        if (i == index)
            i = -1;
        else if (i > index)
            --i;
    };
    shift(m_selected);
    shift(m_anchor);
    if (m_caret > index || m_caret >= count())
        m_caret = std::max(0, m_caret - 1);
    if (m_top > 0 && m_top >= count())
        m_top = std::max(0, count() - 1);
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return count();
}

void ListBox::reset()
{
    if (ownerDraw() && m_parent && !m_combo) {
        for (int i = count() - 1; i >= 0; --i) {
            DELETEITEMSTRUCT del { ODT_LISTBOX, UINT(controlId(m_hwnd)), UINT(i), m_hwnd, m_items[size_t(i)].data };
            SendMessageA(m_parent, WM_DELETEITEM, del.CtlID, reinterpret_cast<LPARAM>(&del));
        }
    }
    m_items.clear();
    m_selected = m_anchor = -1;
    m_caret = 0;
    m_top = 0;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

// The list of a caller that draws items from its own data: only the count is kept.
int ListBox::setCount(int wanted)
{
    if (!noData() || wanted < 0)
        return LB_ERR;
    m_items.resize(size_t(wanted));
    if (m_selected >= wanted)
        m_selected = -1;
    if (m_anchor >= wanted)
        m_anchor = -1;
    m_caret = std::clamp(m_caret, 0, std::max(0, wanted - 1));
    m_top = std::clamp(m_top, 0, std::max(0, wanted - 1));
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return 0;
}

int ListBox::getText(int index, char* out) const
{
    if (index < 0 || index >= count() || !out)
        return LB_ERR;
    const Item& item = m_items[size_t(index)];
    if (!hasStrings()) {
        memcpy(out, &item.data, sizeof(item.data));
        return int(sizeof(item.data));
    }
    memcpy(out, item.text.c_str(), item.text.size() + 1);
    return int(item.text.size());
}

int ListBox::textLength(int index) const
{
    if (index < 0 || index >= count())
        return LB_ERR;
    return hasStrings() ? int(m_items[size_t(index)].text.size()) : int(sizeof(ULONG_PTR));
}

int ListBox::find(int start, LPARAM value, bool exact) const
{
    // A list without data has nothing to search.
    if (noData()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return LB_ERR;
    }
    int n = count();
    if (n == 0)
        return LB_ERR;
    if (start < -1 || start >= n)
        start = -1;
    std::string wanted;
    if (hasStrings())
        wanted = value ? reinterpret_cast<const char*>(value) : "";
    for (int step = 1; step <= n; ++step) {
        int i = (start + step) % n;
        const Item& item = m_items[size_t(i)];
        bool hit = hasStrings() ? (exact ? compareNoCase(item.text, wanted) == 0 : startsWithNoCase(item.text, wanted))
                                : item.data == ULONG_PTR(value);
        if (hit)
            return i;
    }
    return LB_ERR;
}

bool ListBox::isSelected(int index) const
{
    if (index < 0 || index >= count())
        return false;
    return multiSelect() ? m_items[size_t(index)].selected : index == m_selected;
}

int ListBox::currentSelection() const
{
    return multiSelect() ? m_caret : m_selected;
}

int ListBox::setCurrentSelection(int index)
{
    if (multiSelect())
        return LB_ERR;
    if (index < 0 || index >= count()) {
        invalidateItem(m_selected);
        m_selected = -1;
        return LB_ERR;
    }
    invalidateItem(m_selected);
    m_selected = index;
    m_caret = index;
    invalidateItem(index);
    ensureVisible(index);
    return index;
}

bool ListBox::setSelection(int index, bool value)
{
    Item& item = m_items[size_t(index)];
    if (item.selected == value)
        return false;
    item.selected = value;
    invalidateItem(index);
    return true;
}

void ListBox::selectRange(int from, int to, bool value)
{
    if (from > to)
        std::swap(from, to);
    from = std::max(from, 0);
    to = std::min(to, count() - 1);
    for (int i = from; i <= to; ++i)
        setSelection(i, value);
}

LRESULT ListBox::setSel(bool value, int index)
{
    if (!multiSelect())
        return LB_ERR;
    if (index == -1) {
        selectRange(0, count() - 1, value);
        return 0;
    }
    if (index < 0 || index >= count())
        return LB_ERR;
    setSelection(index, value);
    // Selecting or deselecting one item puts the caret and the anchor on it.
    m_anchor = index;
    setCaret(index);
    ensureVisible(index);
    return 0;
}

// Caret and anchor stay where they are; an empty range past the end is no error.
LRESULT ListBox::selItemRange(int first, int last, bool value)
{
    if (!multiSelect())
        return LB_ERR;
    if (first > last)
        std::swap(first, last);
    if (first < count())
        selectRange(first, last, value);
    return 0;
}

void ListBox::setCaret(int index)
{
    if (index == m_caret)
        return;
    invalidateItem(m_caret);
    m_caret = index;
    invalidateItem(m_caret);
}

int ListBox::setTabStops(int count, const int* stops)
{
    m_tabStops.clear();
    int unit = fontAverageWidth(font());
    if (count == 1 && stops) {
        for (int x = 1; x <= 64; ++x)
            m_tabStops.push_back(x * stops[0] * unit / 4);
    } else if (count > 1 && stops) {
        for (int i = 0; i < count; ++i)
            m_tabStops.push_back(stops[i] * unit / 4);
    }
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT ListBox::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        // A variable list measures each row as it is added instead.
        if (ownerDraw() && !variable() && !m_combo) {
            MEASUREITEMSTRUCT measure { ODT_LISTBOX, UINT(controlId(m_hwnd)), 0, 0, UINT(m_itemHeight), 0 };
            if (m_parent)
                SendMessageA(m_parent, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
            // Only LB_SETITEMHEIGHT is held to 255: a parent's measure may ask for taller items,
            // as a multi-column list of whole-height columns does.
            if (measure.itemHeight > 0)
                m_itemHeight = int(std::min<UINT>(measure.itemHeight, kMaxMeasuredItemHeight));
        }
        RECT client;
        GetClientRect(m_hwnd, &client);
        m_columnWidth = client.right > 0 ? client.right : 100;
        // Without LBS_NOINTEGRALHEIGHT the list shows whole rows only: it shrinks to fit them.
        int spare = client.bottom % m_itemHeight;
        if (!(m_style & LBS_NOINTEGRALHEIGHT) && !m_combo && spare > 0 && client.bottom > m_itemHeight) {
            RECT frame;
            GetWindowRect(m_hwnd, &frame);
            SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - spare,
                SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        updateScrollBars();
        return 0;
    }
    case WM_SIZE:
        // A taller list shows the rows it had scrolled past, leaving no room below the last.
        scrollTo(m_top);
        updateScrollBars();
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
        if (!ownerDraw())
            m_itemHeight = fontLineHeight(font());
        scrollTo(m_top);
        updateScrollBars();
        if (LOWORD(lParam))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETREDRAW:
        m_redraw = wParam != 0;
        if (m_redraw)
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        onFocus(message == WM_SETFOCUS);
        return 0;
    case WM_KEYDOWN:
        return onKeyDown(wParam);
    case WM_CHAR:
        onChar(wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        onButtonDown(POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }, message == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        return 0;
    case WM_CAPTURECHANGED:
        if (m_combo)
            m_tracking = false;
        else if (reinterpret_cast<HWND>(lParam) != m_hwnd)
            endTracking();
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        onScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        onWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_MOUSEACTIVATE:
        // The drop-down list never takes activation or focus from its combo box.
        if (m_combo)
            return MA_NOACTIVATE;
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    case WM_COMMAND:
        // Commands of controls placed inside the list box; subclassing callers take them.
        return 0;

    case LB_ADDSTRING:
        return insert(-1, lParam);
    case LB_INSERTSTRING:
    {
        int index = int(wParam) == -1 ? count() : int(wParam);
        if (index < 0 || index > count())
            return LB_ERR;
        return insert(index, lParam);
    }
    case LB_DELETESTRING:
        return remove(int(wParam));
    case LB_RESETCONTENT:
        reset();
        return 0;
    case LB_GETCOUNT:
        return count();
    case LB_GETTEXT:
        return getText(int(wParam), reinterpret_cast<char*>(lParam));
    case LB_GETTEXTLEN:
        return textLength(int(wParam));
    case LB_SETCURSEL: {
        int index = setCurrentSelection(int(wParam));
        // The choice is kept, but a list that selects nothing does not report it as made.
        return (m_style & LBS_NOSEL) ? LB_ERR : index;
    }
    case LB_SETCOUNT:
        return setCount(int(wParam));
    case LB_GETCURSEL:
        return currentSelection();
    case LB_SETSEL:
        return setSel(wParam != 0, int(lParam));
    case LB_SELITEMRANGE:
        return selItemRange(LOWORD(lParam), HIWORD(lParam), wParam != 0);
    case LB_SELITEMRANGEEX:
        // A range given backwards is deselected.
        if (int(wParam) <= int(lParam))
            return selItemRange(int(wParam), int(lParam), true);
        return selItemRange(int(lParam), int(wParam), false);
    case LB_GETSEL:
        if (int(wParam) < 0 || int(wParam) >= count())
            return LB_ERR;
        return isSelected(int(wParam)) ? 1 : 0;
    case LB_GETSELCOUNT: {
        if (!multiSelect())
            return LB_ERR;
        return std::count_if(m_items.begin(), m_items.end(), [](const Item& i) { return i.selected; });
    }
    case LB_GETSELITEMS: {
        if (!multiSelect())
            return LB_ERR;
        int* out = reinterpret_cast<int*>(lParam);
        int max = int(wParam), n = 0;
        for (int i = 0; i < count() && n < max && out; ++i)
            if (m_items[size_t(i)].selected)
                out[n++] = i;
        return n;
    }
    case LB_SETITEMDATA:
        if (int(wParam) < 0 || int(wParam) >= count())
            return LB_ERR;
        // A list without data takes the data and keeps none.
        if (!noData())
            m_items[size_t(wParam)].data = ULONG_PTR(lParam);
        return TRUE;
    case LB_GETITEMDATA:
        if (int(wParam) < 0 || int(wParam) >= count())
            return LB_ERR;
        return LRESULT(m_items[size_t(wParam)].data);
    case LB_GETITEMRECT: {
        if (!lParam || int(wParam) < 0 || (int(wParam) >= count() && !(count() == 0 && wParam == 0)))
            return LB_ERR;
        RECT& rect = *reinterpret_cast<RECT*>(lParam);
        rect = itemRect(int(wParam));
        if (!variable())
            return TRUE;
        RECT client {};
        GetClientRect(m_hwnd, &client);
        return rect.top < client.bottom && rect.bottom > 0 ? TRUE : 0;
    }
    case LB_SETTOPINDEX:
        return setTopIndex(int(wParam));
    case LB_GETTOPINDEX:
        return m_top;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
        int index = find(int(wParam), lParam, message == LB_FINDSTRINGEXACT);
        if (message != LB_SELECTSTRING || index < 0 || multiSelect())
            return index;
        return setCurrentSelection(index);
    }
    case LB_ITEMFROMPOINT: {
        bool outside = false;
        int index = itemFromPoint(POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }, &outside);
        return MAKELONG(index < 0 ? 0xFFFF : index, outside ? 1 : 0);
    }
    case LB_SETCARETINDEX:
        if (int(wParam) < 0 || int(wParam) >= count())
            return LB_ERR;
        if (!multiSelect())
            return setCurrentSelection(int(wParam)) < 0 ? LB_ERR : 0;
        setCaret(int(wParam));
        ensureVisible(int(wParam));
        return 0;
    case LB_GETCARETINDEX:
        return m_caret;
    case LB_SETANCHORINDEX:
        m_anchor = int(wParam) < count() ? int(wParam) : -1;
        return 0;
    case LB_GETANCHORINDEX:
        return m_anchor;
    case LB_SETITEMHEIGHT:
        if (variable()) {
            if (int(wParam) < 0 || int(wParam) >= count() || LOWORD(lParam) == 0 || LOWORD(lParam) > 255)
                return LB_ERR;
            m_items[size_t(wParam)].height = LOWORD(lParam);
            scrollTo(m_top);
            updateScrollBars();
            InvalidateRect(m_hwnd, nullptr, TRUE);
            return 0;
        }
        return setItemHeight(int(LOWORD(lParam)));
    case LB_GETITEMHEIGHT:
        if (variable() && count() > 0)
            return int(wParam) >= 0 && int(wParam) < count() ? itemHeight(int(wParam)) : LB_ERR;
        return m_itemHeight;
    case LB_SETTABSTOPS:
        if (!(m_style & LBS_USETABSTOPS))
            return FALSE;
        return setTabStops(int(wParam), reinterpret_cast<const int*>(lParam));
    case LB_SETHORIZONTALEXTENT:
        // Columns scroll sideways by whole columns; the extent is not theirs.
        if (multiColumn())
            return 0;
        m_horizontalExtent = std::max(0, int(wParam));
        updateScrollBars();
        scrollSideways(m_left);
        return 0;
    case LB_GETHORIZONTALEXTENT:
        return m_horizontalExtent;
    case LB_SETCOLUMNWIDTH:
        m_columnWidth = std::max(1, int(wParam));
        updateScrollBars();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    default:
        return DefWindowProcA(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::controls
