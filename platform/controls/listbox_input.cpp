// ListBox keyboard, mouse, wheel and scroll-bar input.
#include "platform/controls/listbox_impl.h"

#include <algorithm>

namespace platform::controls {

bool ListBox::userSelect(int index, bool shift, bool ctrl, bool toggle)
{
    if (index < 0 || index >= count())
        return false;
    bool changed = false;
    if (!multiSelect()) {
        // LBS_NOSEL moves the selection all the same; it is only never highlighted.
        changed = index != m_selected;
        invalidateItem(m_selected);
        m_selected = index;
        invalidateItem(index);
    } else if (m_style & LBS_EXTENDEDSEL) {
        if (shift) {
            if (m_anchor < 0)
                m_anchor = index;
            if (!ctrl)
                for (int i = 0; i < count(); ++i)
                    changed |= setSelection(i, false);
            int lo = std::min(m_anchor, index), hi = std::max(m_anchor, index);
            for (int i = lo; i <= hi; ++i)
                changed |= setSelection(i, true);
        } else if (ctrl) {
            if (toggle) {
                changed |= setSelection(index, !m_items[size_t(index)].selected);
                m_anchor = index;
            }
        } else {
            for (int i = 0; i < count(); ++i)
                changed |= setSelection(i, i == index);
            m_anchor = index;
        }
    } else if (toggle) {
        changed |= setSelection(index, !m_items[size_t(index)].selected);
    }
    setCaret(index);
    ensureVisible(index);
    return changed;
}

void ListBox::moveCaretTo(int index)
{
    if (count() == 0)
        return;
    index = std::clamp(index, 0, count() - 1);
    if (m_style & LBS_MULTIPLESEL) {
        setCaret(index);
        ensureVisible(index);
        return;
    }
    // The anchor follows the caret, unless Shift stretches an extended selection from it.
    const bool shift = shiftDown();
    if (!(m_style & LBS_EXTENDEDSEL) || !shift)
        m_anchor = index;
    if (userSelect(index, shift, ctrlDown(), false))
        notify(LBN_SELCHANGE);
}

void ListBox::endTracking()
{
    if (!m_tracking)
        return;
    m_tracking = false;
    if (GetCapture() == m_hwnd)
        ReleaseCapture();
    if (m_clickPending) {
        m_clickPending = false;
        notify(LBN_SELCHANGE);
    }
}

LRESULT ListBox::onKeyDown(WPARAM key)
{
    int from = m_caret;
    if ((m_style & LBS_WANTKEYBOARDINPUT) && m_parent && !m_combo) {
        LRESULT r = SendMessageA(m_parent, WM_VKEYTOITEM, MAKEWPARAM(key, std::max(from, 0)), reinterpret_cast<LPARAM>(m_hwnd));
        if (r == -2)
            return 0;
        if (r >= 0) {
            moveCaretTo(int(r));
            return 0;
        }
    }
    // Without a selection the first key of a single-selection list selects the first item.
    if (!multiSelect() && m_selected < 0)
        from = -1;
    int rows = rowsPerColumn();
    switch (key) {
    case VK_UP:
        moveCaretTo(from < 0 ? 0 : from - 1);
        break;
    case VK_DOWN:
        moveCaretTo(from + 1);
        break;
    case VK_LEFT:
        moveCaretTo(multiColumn() ? from - rows : from - 1);
        break;
    case VK_RIGHT:
        moveCaretTo(multiColumn() ? from + rows : from + 1);
        break;
    case VK_PRIOR:
        moveCaretTo(from - pageStep());
        break;
    case VK_NEXT:
        moveCaretTo(from + pageStep());
        break;
    case VK_HOME:
        moveCaretTo(0);
        break;
    case VK_END:
        moveCaretTo(count() - 1);
        break;
    case VK_SPACE: {
        bool changed = false;
        if (m_style & LBS_MULTIPLESEL)
            changed = userSelect(m_caret, false, false, true);
        else if ((m_style & LBS_EXTENDEDSEL) && ctrlDown())
            changed = userSelect(m_caret, false, true, true);
        if (changed)
            notify(LBN_SELCHANGE);
        break;
    }
    default:
        break;
    }
    return 0;
}

void ListBox::onChar(WPARAM ch)
{
    if (!hasStrings() || ch < 0x20 || ch == ' ')
        return;
    std::string prefix(1, char(ch));
    int index = find(m_caret, reinterpret_cast<LPARAM>(prefix.c_str()), false);
    if (index >= 0)
        moveCaretTo(index);
}

void ListBox::onButtonDown(POINT point, bool doubleClick)
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (m_combo) {
        if (!PtInRect(&client, point)) {
            POINT screen = point;
            ClientToScreen(m_hwnd, &screen);
            RECT window;
            GetWindowRect(m_hwnd, &window);
            if (PtInRect(&window, screen)) {
                LRESULT hit = SendMessageA(m_hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
                SendMessageA(m_hwnd, WM_NCLBUTTONDOWN, WPARAM(hit), MAKELPARAM(screen.x, screen.y));
                SetCapture(m_hwnd);
            } else {
                notify(LBN_SELCANCEL);
            }
            return;
        }
        m_tracking = true;
        onMouseMove(point);
        return;
    }
    if (GetFocus() != m_hwnd)
        SetFocus(m_hwnd);
    if (count() == 0)
        return;
    bool outside = false;
    int index = itemFromPoint(point, &outside);
    if (outside && !PtInRect(&client, point))
        return;
    if (outside)
        return;
    bool shift = shiftDown(), ctrl = ctrlDown();
    userSelect(index, shift, ctrl, !shift);
    // A click puts the anchor on the item in every selection mode; a shifted click of an
    // extended list keeps it as the end of the range.
    if (!(m_style & LBS_EXTENDEDSEL))
        m_anchor = index;
    m_trackValue = isSelected(index);
    m_tracking = true;
    m_clickPending = true;
    SetCapture(m_hwnd);
    if (doubleClick)
        notify(LBN_DBLCLK);
}

void ListBox::onMouseMove(POINT point)
{
    if (count() == 0)
        return;
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (m_combo) {
        if (!PtInRect(&client, point))
            return;
        int index = itemFromPoint(point, nullptr);
        if (index != m_selected && index >= 0) {
            setCurrentSelection(index);
            notify(LBN_SELCHANGE);
        }
        return;
    }
    if (!m_tracking || (m_style & LBS_MULTIPLESEL))
        return;
    int index = itemFromPoint(point, nullptr);
    if (!multiColumn()) {
        if (point.y < 0)
            index = std::max(0, m_top - 1);
        else if (point.y >= client.bottom)
            index = std::min(count() - 1, m_top + rowsPerColumn());
    }
    if (index < 0 || index == m_caret)
        return;
    if (m_style & LBS_EXTENDEDSEL) {
        int lo = std::min(m_anchor, index), hi = std::max(m_anchor, index);
        for (int i = 0; i < count(); ++i) {
            bool inRange = i >= lo && i <= hi;
            if (inRange)
                setSelection(i, m_trackValue);
            else if (!ctrlDown())
                setSelection(i, false);
        }
        setCaret(index);
        ensureVisible(index);
    } else {
        userSelect(index, false, false, false);
    }
}

void ListBox::onButtonUp(POINT point)
{
    if (m_combo) {
        RECT client;
        GetClientRect(m_hwnd, &client);
        if (m_tracking && PtInRect(&client, point) && count() > 0)
            notify(LBN_DBLCLK);
        m_tracking = false;
        return;
    }
    endTracking();
}

void ListBox::onScroll(int bar, int code)
{
    if (bar == SB_HORZ && !multiColumn()) {
        onSidewaysScroll(code);
        return;
    }
    int unit = multiColumn() ? rowsPerColumn() : 1;
    int page = multiColumn() ? visibleCount() : rowsPerColumn();
    if ((bar == SB_HORZ) != multiColumn())
        return;
    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    switch (code) {
    case SB_LINEUP:
        scrollTo(m_top - unit);
        break;
    case SB_LINEDOWN:
        scrollTo(m_top + unit);
        break;
    case SB_PAGEUP:
        scrollTo(m_top - page);
        break;
    case SB_PAGEDOWN:
        scrollTo(m_top + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        GetScrollInfo(m_hwnd, bar, &si);
        scrollTo(si.nTrackPos * unit);
        break;
    case SB_TOP:
        scrollTo(0);
        break;
    case SB_BOTTOM:
        scrollTo(count());
        break;
    default:
        break;
    }
}

void ListBox::onSidewaysScroll(int code)
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    int unit = fontAverageWidth(font());
    SCROLLINFO si {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_TRACKPOS;
    switch (code) {
    case SB_LINELEFT: scrollSideways(m_left - unit); break;
    case SB_LINERIGHT: scrollSideways(m_left + unit); break;
    case SB_PAGELEFT: scrollSideways(m_left - int(client.right)); break;
    case SB_PAGERIGHT: scrollSideways(m_left + int(client.right)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        GetScrollInfo(m_hwnd, SB_HORZ, &si);
        scrollSideways(si.nTrackPos);
        break;
    case SB_LEFT: scrollSideways(0); break;
    case SB_RIGHT: scrollSideways(m_horizontalExtent); break;
    default: break;
    }
}

void ListBox::onWheel(int delta)
{
    int notches = delta / WHEEL_DELTA;
    if (notches == 0)
        return;
    int unit = multiColumn() ? rowsPerColumn() : 3;
    scrollTo(m_top - notches * unit);
}

void ListBox::onFocus(bool gained)
{
    // Losing the focus in the middle of a press ends it as a release would.
    if (!gained && !m_combo)
        endTracking();
    m_focused = gained;
    if (count() == 0)
        InvalidateRect(m_hwnd, nullptr, TRUE);
    else
        invalidateItem(m_caret);
    if (!m_combo)
        notify(gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

} // namespace platform::controls
