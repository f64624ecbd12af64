// Message box buttons and text wrapping.
#include "platform/user/msgbox_layout.h"

#include "platform/kernel/host.h"

namespace platform::msgbox {

std::vector<Button> buttonsFor(UINT style)
{
    const std::string ok = "OK";
    const std::string cancel = utf8ToCp932("キャンセル");
    const std::string yes = utf8ToCp932("はい(&Y)");
    const std::string no = utf8ToCp932("いいえ(&N)");
    const std::string retry = utf8ToCp932("再試行(&R)");
    const std::string abort = utf8ToCp932("中止(&A)");
    const std::string ignore = utf8ToCp932("無視(&I)");
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return { { IDOK, ok }, { IDCANCEL, cancel } };
    case MB_ABORTRETRYIGNORE:
        return { { IDABORT, abort }, { IDRETRY, retry }, { IDIGNORE, ignore } };
    case MB_YESNOCANCEL:
        return { { IDYES, yes }, { IDNO, no }, { IDCANCEL, cancel } };
    case MB_YESNO:
        return { { IDYES, yes }, { IDNO, no } };
    case MB_RETRYCANCEL:
        return { { IDRETRY, retry }, { IDCANCEL, cancel } };
    default:
        return { { IDOK, ok } };
    }
}

size_t defaultIndex(UINT style, size_t buttonCount)
{
    size_t index = (style & MB_DEFMASK) >> 8;
    return index < buttonCount ? index : 0;
}

int cancelAnswer(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return 0;
    }
}

int safeAnswer(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return cancelAnswer(style);
    }
}

std::string defaultCaption()
{
    return utf8ToCp932("エラー");
}

namespace {

// Byte offsets where a line may be cut: after every whole character.
std::vector<size_t> characterEnds(const std::string& line)
{
    std::vector<size_t> ends;
    for (size_t i = 0; i < line.size();) {
        bool wide = isCp932LeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size();
        i += wide ? 2 : 1;
        ends.push_back(i);
    }
    return ends;
}

void wrapLine(const std::string& line, int maxWidth, const std::function<int(const std::string&)>& width,
    std::vector<std::string>& out)
{
    std::string rest = line;
    size_t before = out.size();
    while (!rest.empty() && width(rest) > maxWidth) {
        std::vector<size_t> ends = characterEnds(rest);
        // The longest prefix that fits; at least one character so the loop always advances.
        size_t fit = ends.front();
        for (size_t end : ends) {
            if (width(rest.substr(0, end)) > maxWidth)
                break;
            fit = end;
        }
        // Closing punctuation never opens the next line: the character before it goes along.
        fit = cp932LineCut(rest, 0, fit);
        // Cut at the last blank that fits, so words stay whole (CP932 trail bytes are never blanks).
        size_t cut = fit;
        size_t blank = rest.rfind(' ', fit);
        if (blank != std::string::npos && blank > 0)
            cut = blank;
        out.push_back(rest.substr(0, cut));
        size_t next = cut;
        while (next < rest.size() && rest[next] == ' ')
            ++next;
        rest = rest.substr(next);
    }
    if (!rest.empty() || out.size() == before)
        out.push_back(rest);
}

} // namespace

std::vector<std::string> wrapText(const std::string& text, int maxWidth, const std::function<int(const std::string&)>& width)
{
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            wrapLine(current, maxWidth, width, lines);
            current.clear();
            continue;
        }
        if (text[i] == '\r')
            continue;
        bool wide = isCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        current += text[i];
        if (wide)
            current += text[++i];
    }
    return lines;
}

} // namespace platform::msgbox
