// Line breaking of the briefing and news texts and their sub-page layouts.
#include "dialogs/briefing_text.h"

#include "platform/kernel/host.h"
#include "platform/windows.h"

namespace {

enum class CarriageReturn { Drop, Keep };

// A line full to its width leaves closing punctuation with the character before it: the line
// gives back what goes to the next one. `first` is where the line's first character lies.
int cutBeforeClosing(std::string& line, const char* text, int first, int pos, CarriageReturn cr)
{
    if (first < 0)
        return pos;
    const int cut = first + int(platform::cp932LineCut(text + first, 0, size_t(pos - first)));
    for (int i = cut; i < pos; ++i)
        if (text[i] != '\r' || cr == CarriageReturn::Keep)
            line.pop_back();
    return cut;
}

int takeLine(std::string& line, const char* text, int position, int width, CarriageReturn cr)
{
    line.clear();
    if (position < 0 || !text)
        return -1;
    int pos = position;
    int first = -1;
    while (int(line.size()) < width) {
        const char c = text[pos];
        if (c == '\0')
            return line.empty() ? -1 : pos;
        if (IsDBCSLeadByte(BYTE(c))) {
            // A lead byte without its trail byte is where the text ends.
            if (text[pos + 1] == '\0')
                return line.empty() ? -1 : pos;
            if (int(line.size()) + 2 > width)
                return cutBeforeClosing(line, text, first, pos, cr);
            first = first < 0 ? pos : first;
            line.append(text + pos, 2);
            pos += 2;
            continue;
        }
        if (c == '\n') {
            ++pos;
            if (!line.empty())
                return pos;
            continue;
        }
        if (c == '\r' && cr == CarriageReturn::Drop) {
            ++pos;
            continue;
        }
        first = first < 0 ? pos : first;
        line.push_back(c);
        ++pos;
    }
    return cutBeforeClosing(line, text, first, pos, cr);
}

// Whether the text holds a further line from the position on.
bool hasLineAt(const char* text, int position, TextLineTaker take)
{
    std::string line;
    return take(line, text, position, 2) != -1;
}

} // namespace

PageKind pageKindOf(uint8_t stored)
{
    switch (stored) {
    case 1: return PageKind::Paged;
    case 2: return PageKind::Scrolled;
    default: return PageKind::None;
    }
}

int takeTextLine(std::string& line, const char* text, int position, int width)
{
    return takeLine(line, text, position, width, CarriageReturn::Drop);
}

int takeNewsTextLine(std::string& line, const char* text, int position, int width)
{
    return takeLine(line, text, position, width, CarriageReturn::Keep);
}

std::vector<int> pagedSubPageStarts(const char* text, const PagedShape& shape, TextLineTaker take)
{
    std::vector<int> starts;
    int pos = 0;
    std::string line;
    while (int(starts.size()) < kMaxSubPages && pos >= 0 && hasLineAt(text, pos, take)) {
        starts.push_back(pos);
        for (int i = 0; i < shape.lines && pos >= 0; ++i)
            pos = take(line, text, pos, shape.widthOf(i));
    }
    return starts;
}

std::vector<std::string> pagedSubPageLines(const char* text, const PagedShape& shape, int start, TextLineTaker take)
{
    std::vector<std::string> lines;
    int pos = start;
    std::string line;
    for (int i = 0; i < shape.lines; ++i) {
        pos = take(line, text, pos, shape.widthOf(i));
        if (pos < 0)
            break;
        lines.push_back(line);
    }
    return lines;
}

std::vector<GoalsSubPage> goalsSubPages(const char* goals, const char* camps)
{
    constexpr int kLines = kGoalsShape.lines;
    constexpr int kWidth = kGoalsShape.firstWidth;
    std::vector<GoalsSubPage> pages;
    std::string line;
    // The goals text; `used` counts the lines of its last sub-page.
    int pos = 0;
    int used = kLines;
    while (int(pages.size()) < kMaxSubPages && hasLineAt(goals, pos, takeTextLine)) {
        pages.push_back({ 0, pos, -1 });
        used = 0;
        for (; used < kLines; ++used) {
            const int next = takeTextLine(line, goals, pos, kWidth);
            if (next < 0)
                break;
            pos = next;
        }
    }
    if (int(pages.size()) >= kMaxSubPages)
        return pages;
    // A blank line and the heading fit below the last goals lines while two lines are left for
    // them; otherwise the heading opens a sub-page.
    int lineIndex = 0;
    if (used < kLines - 2) {
        pages.back().headingLine = used + 1;
        lineIndex = used + 2;
    } else {
        pages.push_back({ 1, 0, 0 });
        lineIndex = 1;
    }
    pos = 0;
    while (hasLineAt(camps, pos, takeTextLine)) {
        if (lineIndex == kLines) {
            if (int(pages.size()) >= kMaxSubPages)
                break;
            pages.push_back({ 1, pos, -1 });
            lineIndex = 0;
        }
        pos = takeTextLine(line, camps, pos, kWidth);
        ++lineIndex;
    }
    return pages;
}

std::vector<GoalsLine> goalsSubPageLines(const char* goals, const char* camps, const GoalsSubPage& page)
{
    constexpr int kLines = kGoalsShape.lines;
    constexpr int kWidth = kGoalsShape.firstWidth;
    std::vector<GoalsLine> lines;
    std::string line;
    int pos = page.start;
    if (page.field == 0) {
        const int goalsEnd = page.headingLine >= 0 ? page.headingLine - 1 : kLines;
        while (int(lines.size()) < goalsEnd && (pos = takeTextLine(line, goals, pos, kWidth)) >= 0)
            lines.push_back({ line, false });
    }
    if (page.headingLine >= 0) {
        while (int(lines.size()) < page.headingLine)
            lines.push_back({});
        lines.push_back({ platform::utf8ToCp932("参戦陣営"), true });
        pos = 0;
    }
    const char* text = page.field == 0 && page.headingLine < 0 ? nullptr : camps;
    while (text && int(lines.size()) < kLines && (pos = takeTextLine(line, text, pos, kWidth)) >= 0)
        lines.push_back({ line, false });
    return lines;
}

ScrolledLayout scrolledLayout(const char* text, const PagedShape& firstScreen)
{
    ScrolledLayout layout;
    std::string line;
    int pos = 0;
    for (int i = 0; i < firstScreen.lines; ++i) {
        pos = takeTextLine(line, text, pos, firstScreen.widthOf(i));
        if (pos < 0)
            return layout;
        layout.firstScreen.push_back(line);
    }
    while ((pos = takeTextLine(line, text, pos, kScrolledLineWidth)) >= 0)
        layout.further.push_back(line);
    return layout;
}
