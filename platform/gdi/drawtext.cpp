// DrawTextA: lines, CP932-aware word wrapping, '&' prefixes, tabs, ellipses and alignment.
#include "platform/gdi/text.h"

#include "platform/gdi/wingdi.h"
#include "platform/kernel/host.h"

#include <algorithm>
#include <cstring>

using namespace platform;
using namespace platform::gdi;

namespace {

struct Unit {
    TextChar ch;
    bool underline = false;
    bool tab = false;
    bool space = false;
    bool wide = false; // Japanese: a line may break on either side of it
};
using Line = std::vector<Unit>;

Unit dotUnit()
{
    Unit u;
    u.ch.code = U'.';
    return u;
}

class Measure {
public:
    Measure(FontFace& face, int extra, int tabWidth)
        : m_face(face)
        , m_extra(extra)
        , m_tabWidth(std::max(1, tabWidth))
    {
    }
    // Pen positions of each unit from the line start, and the end position.
    int positions(const Line& line, std::vector<int>* xs) const
    {
        int x = 0;
        for (const Unit& u : line) {
            if (xs)
                xs->push_back(x);
            if (u.tab)
                x = (x / m_tabWidth + 1) * m_tabWidth;
            else
                x += m_face.advance(u.ch.code) + m_extra;
        }
        return x;
    }
    int width(const Line& line) const { return positions(line, nullptr); }

private:
    FontFace& m_face;
    int m_extra;
    int m_tabWidth;
};

// Paragraphs of units, after prefix processing; CR, LF and CR LF end a paragraph unless the
// text is one line, where they are dropped.
std::vector<Line> paragraphs(std::string_view text, UINT format)
{
    std::vector<TextChar> chars = splitCp932(text);
    std::vector<Line> out(1);
    bool prefixes = !(format & DT_NOPREFIX);
    for (size_t i = 0; i < chars.size(); ++i) {
        const TextChar& c = chars[i];
        unsigned char byte = uint8_t(text[c.offset]);
        if (c.length == 1 && (byte == '\r' || byte == '\n')) {
            if (byte == '\r' && i + 1 < chars.size() && text[chars[i + 1].offset] == '\n')
                ++i;
            if (!(format & DT_SINGLELINE))
                out.emplace_back();
            continue;
        }
        Unit u;
        u.ch = c;
        if (prefixes && c.length == 1 && byte == '&') {
            if (i + 1 >= chars.size())
                continue; // a trailing '&' shows nothing
            ++i;
            u.ch = chars[i];
            u.underline = !(c.length == 1 && text[chars[i].offset] == '&');
            byte = uint8_t(text[chars[i].offset]);
        }
        u.tab = u.ch.length == 1 && byte == '\t';
        u.space = u.ch.length == 1 && byte == ' ';
        u.wide = u.ch.length == 2 || (byte >= 0xA1 && byte <= 0xDF);
        if (u.tab && !(format & DT_EXPANDTABS)) {
            u.tab = false;
            u.space = true;
            u.ch.code = U' ';
        }
        out.back().push_back(u);
    }
    return out;
}

bool breakBefore(const Line& line, size_t i)
{
    return i > 0 && (line[i - 1].space || line[i - 1].tab || line[i - 1].wide || line[i].wide)
        && !neverStartsLine(line[i].ch.code);
}

void trimTrailingSpaces(Line& line)
{
    while (!line.empty() && line.back().space)
        line.pop_back();
}

// Greedy wrapping. A Latin word longer than the line is not split; it overflows, as Win32 draws it.
void wrap(const Line& paragraph, int width, const Measure& measure, std::vector<Line>& out)
{
    size_t start = 0;
    while (start < paragraph.size()) {
        size_t end = start;
        Line current;
        size_t lastBreak = 0;
        while (end < paragraph.size()) {
            if (end > start && breakBefore(paragraph, end))
                lastBreak = end;
            current.push_back(paragraph[end]);
            Line trimmed = current;
            trimTrailingSpaces(trimmed);
            if (measure.width(trimmed) > width && end > start) {
                if (lastBreak > start) {
                    end = lastBreak;
                } else {
                    // No break yet: run on to the next opportunity.
                    ++end;
                    while (end < paragraph.size() && !breakBefore(paragraph, end))
                        ++end;
                }
                break;
            }
            ++end;
        }
        Line line(paragraph.begin() + ptrdiff_t(start), paragraph.begin() + ptrdiff_t(end));
        trimTrailingSpaces(line);
        out.push_back(std::move(line));
        start = end;
        while (start < paragraph.size() && paragraph[start].space)
            ++start;
    }
    if (paragraph.empty())
        out.emplace_back();
}

Line endEllipsis(Line line, int width, const Measure& measure)
{
    Line dots(3, dotUnit());
    int dotsWidth = measure.width(dots);
    while (!line.empty() && measure.width(line) + dotsWidth > width)
        line.pop_back();
    line.insert(line.end(), dots.begin(), dots.end());
    return line;
}

// Keeps the last path component after a backslash and as much of the start as fits.
Line pathEllipsis(const Line& line, int width, const Measure& measure, std::string_view text)
{
    size_t slash = line.size();
    for (size_t i = line.size(); i-- > 0;)
        if (line[i].ch.length == 1 && line[i].ch.code != 0 && text[line[i].ch.offset] == '\\' && !line[i].underline) {
            slash = i;
            break;
        }
    if (slash == line.size())
        return endEllipsis(line, width, measure);
    Line head(line.begin(), line.begin() + ptrdiff_t(slash));
    Line tail(line.begin() + ptrdiff_t(slash), line.end());
    Line dots(3, dotUnit());
    while (!head.empty()) {
        Line candidate = head;
        candidate.insert(candidate.end(), dots.begin(), dots.end());
        candidate.insert(candidate.end(), tail.begin(), tail.end());
        if (measure.width(candidate) <= width)
            return candidate;
        head.pop_back();
    }
    Line result = dots;
    result.insert(result.end(), tail.begin(), tail.end());
    if (measure.width(result) > width)
        return endEllipsis(result, width, measure);
    return result;
}

} // namespace

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    std::shared_ptr<DeviceContext> dc = findDC(hdc);
    if (!dc || !lpchText || !lprc)
        return 0;
    std::shared_ptr<FontFace> face = fontOf(*dc);
    if (!face)
        return 0;
    std::string_view text(lpchText, cchText < 0 ? std::strlen(lpchText) : size_t(cchText));
    const FontMetrics& m = face->metrics();
    int tabChars = 8;
    if (format & DT_TABSTOP) {
        tabChars = int((format >> 8) & 0xFF);
        format &= ~UINT(0xFF00);
    }
    Measure measure(*face, dc->state.charExtra, tabChars * m.averageWidth);
    const int boxWidth = lprc->right - lprc->left;
    const int lineHeight = m.ascent + m.descent;

    std::vector<Line> lines;
    for (const Line& paragraph : paragraphs(text, format)) {
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
            wrap(paragraph, boxWidth, measure, lines);
        else
            lines.push_back(paragraph);
    }
    for (Line& line : lines) {
        if (measure.width(line) <= boxWidth)
            continue;
        if (format & DT_PATH_ELLIPSIS)
            line = pathEllipsis(line, boxWidth, measure, text);
        else if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
            line = endEllipsis(line, boxWidth, measure);
    }

    int widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, measure.width(line));
    int totalHeight = lineHeight * int(lines.size());
    if (format & DT_CALCRECT) {
        lprc->right = lprc->left + widest;
        lprc->bottom = lprc->top + totalHeight;
        return totalHeight;
    }

    int y = lprc->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = lprc->top + (lprc->bottom - lprc->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = lprc->bottom - lineHeight;
    }
    const int firstY = y;

    Canvas canvas(*dc);
    canvas.lock();
    if (!canvas.valid())
        return 0;
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : lprc;
    const DcState& s = dc->state;
    for (const Line& line : lines) {
        std::vector<int> xs;
        int width = measure.positions(line, &xs);
        int x = lprc->left;
        if (format & DT_CENTER)
            x = lprc->left + (boxWidth - width) / 2;
        else if (format & DT_RIGHT)
            x = lprc->right - width;
        for (int& px : xs)
            px += x;
        int baseline = y + m.ascent;
        if (!(format & DT_PREFIXONLY)) {
            if (s.bkMode == OPAQUE && width > 0)
                fillBackground(*dc, canvas, { x, y, x + width, y + lineHeight }, s.bkColour, clip);
            std::vector<TextChar> chars;
            std::vector<int> drawXs;
            for (size_t i = 0; i < line.size(); ++i)
                if (!line[i].tab) {
                    chars.push_back(line[i].ch);
                    drawXs.push_back(xs[i]);
                }
            drawGlyphs(*dc, canvas, *face, chars, drawXs, x + width, baseline, clip);
        }
        if (!(format & DT_HIDEPREFIX))
            for (size_t i = 0; i < line.size(); ++i)
                if (line[i].underline) {
                    int end = i + 1 < line.size() ? xs[i + 1] : x + width;
                    fillBackground(*dc, canvas, { xs[i], baseline + 1, end, baseline + 2 }, s.textColour, clip);
                }
        y += lineHeight;
    }
    return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? firstY - lprc->top + totalHeight
                                                                             : totalHeight;
}
