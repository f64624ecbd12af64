// The edit control's layout: lines (with word wrap for multi-line text), the x of an offset,
// the offset under a point, and scrolling that keeps the caret in view.
#include "platform/controls/edit_state.h"
#include "platform/kernel/host.h"

#include <algorithm>

namespace platform::controls::edit {

namespace {

bool isMultiLine(HWND hwnd) { return controlStyle(hwnd) & ES_MULTILINE; }

int extent(HDC dc, const std::string& text)
{
    SIZE size {};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    return size.cx;
}

// Breaks one paragraph [start, end) into lines no wider than the width, preferring spaces.
void wrapParagraph(HDC dc, const std::string& text, size_t start, size_t end, size_t next, int width,
    std::vector<EditLine>& lines)
{
    size_t lineStart = start;
    while (true) {
        size_t lastSpace = std::string::npos;
        size_t at = lineStart;
        size_t fitEnd = lineStart;
        while (at < end) {
            size_t after = nextChar(text, at);
            if (after > end)
                after = end;
            if (extent(dc, text.substr(lineStart, after - lineStart)) > width && at > lineStart)
                break;
            if (text[at] == ' ')
                lastSpace = after;
            fitEnd = after;
            at = after;
        }
        if (fitEnd >= end) {
            lines.push_back({ lineStart, end, next });
            return;
        }
        // Between characters, closing punctuation goes along with the one before it.
        size_t breakAt = lastSpace != std::string::npos && lastSpace > lineStart ? lastSpace : cp932LineCut(text, lineStart, fitEnd);
        lines.push_back({ lineStart, breakAt, breakAt });
        lineStart = breakAt;
    }
}

} // namespace

int lineHeight(HWND hwnd, const EditState& s)
{
    WindowDC dc(hwnd);
    Selected font(dc, fontOr(s.font));
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    return std::max(1, int(metrics.tmHeight));
}

RECT textArea(HWND hwnd, const EditState& s)
{
    RECT r;
    GetClientRect(hwnd, &r);
    r.left += s.leftMargin;
    r.right -= s.rightMargin;
    if (!isMultiLine(hwnd)) {
        int height = lineHeight(hwnd, s);
        if (r.bottom - r.top > height) {
            r.top = (r.bottom - height) / 2;
            r.bottom = r.top + height;
        }
    } else {
        r.top += 1;
    }
    r.right = std::max(r.right, r.left + 1);
    return r;
}

void layoutEdit(HWND hwnd, EditState& s)
{
    s.lines.clear();
    if (!isMultiLine(hwnd)) {
        s.lines.push_back({ 0, s.text.size(), s.text.size() });
        return;
    }
    WindowDC dc(hwnd);
    Selected font(dc, fontOr(s.font));
    RECT area = textArea(hwnd, s);
    bool wrap = !(controlStyle(hwnd) & ES_AUTOHSCROLL);
    size_t start = 0;
    while (true) {
        size_t breakAt = s.text.find("\r\n", start);
        size_t end = breakAt == std::string::npos ? s.text.size() : breakAt;
        size_t next = breakAt == std::string::npos ? s.text.size() : breakAt + 2;
        if (wrap)
            wrapParagraph(dc, s.text, start, end, next, area.right - area.left, s.lines);
        else
            s.lines.push_back({ start, end, next });
        if (breakAt == std::string::npos)
            break;
        start = next;
    }
}

size_t lineOf(const EditState& s, size_t offset)
{
    for (size_t i = 0; i + 1 < s.lines.size(); ++i)
        if (offset < s.lines[i + 1].start)
            return i;
    return s.lines.empty() ? 0 : s.lines.size() - 1;
}

std::string displayText(HWND hwnd, const EditState& s, size_t from, size_t to)
{
    std::string_view part = std::string_view(s.text).substr(from, to - from);
    if (!(controlStyle(hwnd) & ES_PASSWORD) || (controlStyle(hwnd) & ES_MULTILINE))
        return std::string(part);
    std::string masked;
    for (size_t i = 0; i < part.size(); i = nextChar(part, i))
        masked += s.passwordChar;
    return masked;
}

int lineLeft(HDC dc, HWND hwnd, const EditState& s, size_t line)
{
    RECT area = textArea(hwnd, s);
    const EditLine& l = s.lines[line];
    DWORD style = controlStyle(hwnd);
    int width = extent(dc, displayText(hwnd, s, l.start, l.end));
    int room = area.right - area.left;
    int left = area.left - (isMultiLine(hwnd) ? 0 : s.scrollX);
    if (width < room && (style & (ES_CENTER | ES_RIGHT))) {
        if (style & ES_CENTER)
            left = area.left + (room - width) / 2;
        else
            left = area.right - width;
    }
    return left;
}

int xOf(HDC dc, HWND hwnd, const EditState& s, size_t line, size_t offset)
{
    const EditLine& l = s.lines[line];
    offset = std::clamp(offset, l.start, l.end);
    return lineLeft(dc, hwnd, s, line) + extent(dc, displayText(hwnd, s, l.start, offset));
}

int visibleLines(HWND hwnd, const EditState& s)
{
    RECT area = textArea(hwnd, s);
    return std::max(1, (area.bottom - area.top) / lineHeight(hwnd, s));
}

size_t offsetAt(HWND hwnd, const EditState& s, POINT p)
{
    if (s.lines.empty())
        return 0;
    RECT area = textArea(hwnd, s);
    size_t line = 0;
    if (isMultiLine(hwnd)) {
        int height = lineHeight(hwnd, s);
        int offset = p.y - area.top;
        int row = offset >= 0 ? offset / height : -((-offset + height - 1) / height);
        line = size_t(std::clamp(s.firstLine + row, 0, int(s.lines.size()) - 1));
    }
    WindowDC dc(hwnd);
    Selected font(dc, fontOr(s.font));
    const EditLine& l = s.lines[line];
    size_t best = l.start;
    int bestDistance = std::abs(xOf(dc, hwnd, s, line, l.start) - p.x);
    for (size_t at = l.start; at < l.end;) {
        at = std::min(nextChar(s.text, at), l.end);
        int distance = std::abs(xOf(dc, hwnd, s, line, at) - p.x);
        if (distance < bestDistance) {
            best = at;
            bestDistance = distance;
        }
    }
    return best;
}

void updateScrollBar(HWND hwnd, const EditState& s)
{
    if (!isMultiLine(hwnd) || !(controlStyle(hwnd) & WS_VSCROLL))
        return;
    SCROLLINFO info { sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL, 0, int(s.lines.size()) - 1,
        UINT(visibleLines(hwnd, s)), s.firstLine, 0 };
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

void scrollToCaret(HWND hwnd, EditState& s)
{
    if (s.lines.empty())
        return;
    size_t line = lineOf(s, s.caret);
    if (isMultiLine(hwnd)) {
        int visible = visibleLines(hwnd, s);
        if (int(line) < s.firstLine)
            s.firstLine = int(line);
        else if (int(line) >= s.firstLine + visible)
            s.firstLine = int(line) - visible + 1;
        updateScrollBar(hwnd, s);
        return;
    }
    if (!(controlStyle(hwnd) & ES_AUTOHSCROLL)) {
        s.scrollX = 0;
        return;
    }
    WindowDC dc(hwnd);
    Selected font(dc, fontOr(s.font));
    RECT area = textArea(hwnd, s);
    int room = area.right - area.left;
    int caretX = extent(dc, displayText(hwnd, s, 0, s.caret));
    int total = extent(dc, displayText(hwnd, s, 0, s.text.size()));
    if (caretX - s.scrollX > room - 1)
        s.scrollX = caretX - room + 1 + room / 4;
    if (caretX < s.scrollX)
        s.scrollX = std::max(0, caretX - room / 4);
    s.scrollX = std::clamp(s.scrollX, 0, std::max(0, total - room + 1));
}

} // namespace platform::controls::edit
