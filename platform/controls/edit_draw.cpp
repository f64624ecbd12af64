// Drawing of the edit control: the parent's colours, the visible lines, the selection in the
// highlight colours while focused, and the caret.
#include "platform/controls/edit_state.h"

#include <algorithm>

namespace platform::controls::edit {

namespace {

void drawPart(HDC dc, HWND hwnd, const EditState& s, int x, int y, size_t from, size_t to, bool selected)
{
    if (from >= to)
        return;
    std::string text = displayText(hwnd, s, from, to);
    if (selected) {
        COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        int oldMode = SetBkMode(dc, OPAQUE);
        TextOutA(dc, x, y, text.c_str(), int(text.size()));
        SetBkMode(dc, oldMode);
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
    } else {
        TextOutA(dc, x, y, text.c_str(), int(text.size()));
    }
}

} // namespace

void paintEdit(HWND hwnd, HDC dc, const EditState& s)
{
    DWORD style = controlStyle(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    bool enabled = IsWindowEnabled(hwnd);
    // Read-only and disabled edits take the colours of a static, as dialogs colour them so.
    UINT colorMessage = (!enabled || (style & ES_READONLY)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    int saved = SaveDC(dc);
    HBRUSH back = parentColors(hwnd, dc, colorMessage);
    FillRect(dc, &client, back);
    if (!enabled)
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    Selected font(dc, fontOr(s.font));
    RECT area = textArea(hwnd, s);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    int height = lineHeight(hwnd, s);
    bool showSelection = s.focused || (style & ES_NOHIDESEL);
    size_t selFrom = showSelection ? s.selStart() : 0;
    size_t selTo = showSelection ? s.selEnd() : 0;
    int first = (style & ES_MULTILINE) ? s.firstLine : 0;
    int count = (style & ES_MULTILINE) ? visibleLines(hwnd, s) + 1 : 1;
    for (int row = 0; row < count && size_t(first + row) < s.lines.size(); ++row) {
        size_t line = size_t(first + row);
        const EditLine& l = s.lines[line];
        int y = area.top + row * height;
        size_t a = std::clamp(selFrom, l.start, l.end);
        size_t b = std::clamp(selTo, l.start, l.end);
        drawPart(dc, hwnd, s, xOf(dc, hwnd, s, line, l.start), y, l.start, a, false);
        drawPart(dc, hwnd, s, xOf(dc, hwnd, s, line, a), y, a, b, true);
        drawPart(dc, hwnd, s, xOf(dc, hwnd, s, line, b), y, b, l.end, false);
    }
    if (s.focused && !s.lines.empty()) {
        size_t line = lineOf(s, s.caret);
        int row = int(line) - first;
        if (row >= 0 && row < count) {
            int x = xOf(dc, hwnd, s, line, s.caret);
            RECT caret { x, area.top + row * height, x + 1, area.top + (row + 1) * height };
            FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
    }
    RestoreDC(dc, saved);
}

} // namespace platform::controls::edit
