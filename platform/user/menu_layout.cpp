// Menu pane layout and drawing.
#include "platform/user/menu_layout.h"

#include "platform/gdi/wingdi.h"

#include <algorithm>

namespace platform::menus {

namespace {

constexpr int frame = 3;        // popup border
constexpr int checkColumn = 20; // left column for check marks
constexpr int arrowColumn = 16; // right column for submenu arrows
constexpr int shortcutGap = 24;
constexpr int separatorHeight = 7;

struct Split {
    std::string label;
    std::string shortcut;
};

Split splitTab(const std::string& text)
{
    size_t tab = text.find('\t');
    if (tab == std::string::npos)
        return { text, {} };
    return { text.substr(0, tab), text.substr(tab + 1) };
}

int textWidth(HDC dc, const std::string& text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    SIZE size {};
    GetTextExtentPoint32A(dc, shown.c_str(), int(shown.size()), &size);
    return size.cx;
}

int rowHeight(HDC dc)
{
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    return std::max<int>(metrics.tmHeight + 6, 18);
}

void drawCheck(HDC dc, const RECT& cell, bool radio, COLORREF colour)
{
    int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    if (radio) {
        Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
    } else {
        // A tick two pixels thick.
        for (int d = 0; d < 2; ++d) {
            MoveToEx(dc, cx - 4, cy - 1 + d, nullptr);
            LineTo(dc, cx - 1, cy + 2 + d);
            LineTo(dc, cx + 5, cy - 4 + d);
        }
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void drawArrow(HDC dc, const RECT& cell, COLORREF colour)
{
    int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    POINT arrow[3] = { { cx - 2, cy - 4 }, { cx + 2, cy }, { cx - 2, cy + 4 } };
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace

HFONT menuFont()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void layoutPopup(HDC dc, Pane& pane)
{
    HGDIOBJ oldFont = SelectObject(dc, menuFont());
    int row = rowHeight(dc);
    int labels = 0, shortcuts = 0;
    for (const Item& item : pane.items) {
        Split split = splitTab(item.text);
        labels = std::max(labels, textWidth(dc, split.label));
        shortcuts = std::max(shortcuts, textWidth(dc, split.shortcut));
    }
    int width = checkColumn + labels + (shortcuts ? shortcutGap + shortcuts : 0) + arrowColumn;
    width = std::max(width, 80);
    pane.rects.clear();
    int y = frame;
    for (const Item& item : pane.items) {
        int height = item.separator() ? separatorHeight : row;
        pane.rects.push_back(RECT { frame, y, frame + width, y + height });
        y += height;
    }
    pane.size = SIZE { width + 2 * frame, y + frame };
    SelectObject(dc, oldFont);
}

int layoutBar(HDC dc, Pane& pane, int width)
{
    HGDIOBJ oldFont = SelectObject(dc, menuFont());
    int row = std::max(rowHeight(dc), GetSystemMetrics(SM_CYMENU));
    pane.rects.clear();
    int x = 0, y = 0;
    for (const Item& item : pane.items) {
        int w = textWidth(dc, item.text) + 16;
        if (x > 0 && x + w > width) {
            x = 0;
            y += row;
        }
        pane.rects.push_back(RECT { x, y, x + w, y + row });
        x += w;
    }
    SelectObject(dc, oldFont);
    pane.size = SIZE { width, pane.items.empty() ? 0 : y + row };
    return pane.size.cy;
}

void drawPopup(HDC dc, const Pane& pane)
{
    RECT all { 0, 0, pane.size.cx, pane.size.cy };
    FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &all, EDGE_RAISED, BF_RECT);
    HGDIOBJ oldFont = SelectObject(dc, menuFont());
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < pane.items.size(); ++i) {
        const Item& item = pane.items[i];
        RECT r = pane.rects[i];
        if (item.separator()) {
            RECT line { r.left + 2, (r.top + r.bottom) / 2 - 1, r.right - 2, (r.top + r.bottom) / 2 + 1 };
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        bool selected = int(i) == pane.selected;
        if (selected)
            FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        COLORREF colour = !item.enabled() ? GetSysColor(COLOR_GRAYTEXT)
            : selected                    ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                          : GetSysColor(COLOR_MENUTEXT);
        SetTextColor(dc, colour);
        if (item.state & MF_CHECKED)
            drawCheck(dc, RECT { r.left, r.top, r.left + checkColumn, r.bottom }, (item.type & MFT_RADIOCHECK) != 0, colour);
        Split split = splitTab(item.text);
        RECT text { r.left + checkColumn, r.top, r.right - arrowColumn, r.bottom };
        DrawTextA(dc, split.label.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (!split.shortcut.empty())
            DrawTextA(dc, split.shortcut.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (item.submenu)
            drawArrow(dc, RECT { r.right - arrowColumn, r.top, r.right, r.bottom }, colour);
    }
    SelectObject(dc, oldFont);
}

void drawBar(HDC dc, const Pane& pane, const RECT& bar)
{
    FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
    HGDIOBJ oldFont = SelectObject(dc, menuFont());
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < pane.items.size() && i < pane.rects.size(); ++i) {
        const Item& item = pane.items[i];
        RECT r = pane.rects[i];
        OffsetRect(&r, bar.left, bar.top);
        bool selected = int(i) == pane.selected;
        if (selected)
            FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, !item.enabled() ? GetSysColor(COLOR_GRAYTEXT)
                : selected               ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                         : GetSysColor(COLOR_MENUTEXT));
        DrawTextA(dc, item.text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
}

} // namespace platform::menus
