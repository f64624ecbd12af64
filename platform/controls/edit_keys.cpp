// The edit control's keyboard: typed characters (double-byte ones joined from two WM_CHAR),
// caret movement and selection with Shift, deletion, and the clipboard.
#include "platform/controls/edit_state.h"
#include "platform/kernel/winbase.h"

#include <algorithm>
#include <cstring>

namespace platform::controls::edit {

namespace {

bool readOnly(HWND hwnd) { return controlStyle(hwnd) & ES_READONLY; }
bool multiLine(HWND hwnd) { return controlStyle(hwnd) & ES_MULTILINE; }
bool shiftHeld() { return GetKeyState(VK_SHIFT) < 0; }
bool controlDown() { return GetKeyState(VK_CONTROL) < 0; }

void moveCaret(HWND hwnd, EditState& s, size_t to)
{
    setSelection(hwnd, s, shiftHeld() ? s.anchor : to, to);
}

// The offset on another line nearest to the caret's x.
size_t verticalTarget(HWND hwnd, EditState& s, int lines)
{
    if (s.lines.empty())
        return s.caret;
    size_t line = lineOf(s, s.caret);
    int target = std::clamp(int(line) + lines, 0, int(s.lines.size()) - 1);
    if (target == int(line))
        return lines < 0 ? s.lines[line].start : s.lines[line].end;
    RECT area = textArea(hwnd, s);
    int x;
    {
        WindowDC dc(hwnd);
        Selected font(dc, fontOr(s.font));
        x = xOf(dc, hwnd, s, line, s.caret);
    }
    int row = target - s.firstLine;
    return offsetAt(hwnd, s, POINT { x, area.top + row * lineHeight(hwnd, s) + 1 });
}

void deleteForward(HWND hwnd, EditState& s)
{
    if (s.anchor == s.caret) {
        if (s.caret >= s.text.size())
            return;
        s.anchor = s.caret;
        s.caret = nextChar(s.text, s.caret);
    }
    replaceSelection(hwnd, s, {});
}

void deleteBackward(HWND hwnd, EditState& s)
{
    if (s.anchor == s.caret) {
        if (s.caret == 0)
            return;
        s.anchor = s.caret;
        s.caret = previousChar(s.text, s.caret);
    }
    replaceSelection(hwnd, s, {});
}

void insertTyped(HWND hwnd, EditState& s, std::string_view typed)
{
    std::string text = normalise(typed, controlStyle(hwnd));
    if (text.empty())
        return;
    replaceSelection(hwnd, s, text);
}

} // namespace

void copy(HWND hwnd, const EditState& s)
{
    if (s.anchor == s.caret || ((controlStyle(hwnd) & ES_PASSWORD) && !multiLine(hwnd)))
        return;
    std::string_view part = std::string_view(s.text).substr(s.selStart(), s.selEnd() - s.selStart());
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, part.size() + 1);
    if (!memory)
        return;
    char* bytes = static_cast<char*>(GlobalLock(memory));
    memcpy(bytes, part.data(), part.size());
    bytes[part.size()] = 0;
    GlobalUnlock(memory);
    if (!OpenClipboard(hwnd)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

void cut(HWND hwnd, EditState& s)
{
    if (readOnly(hwnd) || ((controlStyle(hwnd) & ES_PASSWORD) && !multiLine(hwnd)))
        return;
    copy(hwnd, s);
    replaceSelection(hwnd, s, {});
}

void paste(HWND hwnd, EditState& s)
{
    if (readOnly(hwnd) || !OpenClipboard(hwnd))
        return;
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        size_t size = GlobalSize(HGLOBAL(data));
        if (const char* bytes = static_cast<const char*>(GlobalLock(HGLOBAL(data)))) {
            text.assign(bytes, strnlen(bytes, size));
            GlobalUnlock(HGLOBAL(data));
        }
    }
    CloseClipboard();
    // Pasted text meets the same filter as typed text.
    std::string taken = normalise(text, controlStyle(hwnd));
    if (!taken.empty() || !text.empty())
        replaceSelection(hwnd, s, taken);
}

LRESULT onChar(HWND hwnd, EditState& s, WPARAM code)
{
    unsigned char byte = static_cast<unsigned char>(code);
    if (s.leadByte >= 0) {
        char pair[2] = { char(s.leadByte), char(byte) };
        s.leadByte = -1;
        if (byte >= 0x40 && byte != 0x7F) {
            if (!readOnly(hwnd))
                insertTyped(hwnd, s, std::string_view(pair, 2));
            return 0;
        }
    }
    if (isLead(byte)) {
        s.leadByte = byte;
        return 0;
    }
    switch (byte) {
    case 0x01: setSelection(hwnd, s, 0, s.text.size()); return 0;
    case 0x03: copy(hwnd, s); return 0;
    case 0x16: paste(hwnd, s); return 0;
    case 0x18: cut(hwnd, s); return 0;
    case 0x08:
        if (!readOnly(hwnd))
            deleteBackward(hwnd, s);
        return 0;
    case 0x0D:
        if (multiLine(hwnd) && !readOnly(hwnd))
            replaceSelection(hwnd, s, "\r\n");
        return 0;
    default: break;
    }
    if (byte < 0x20 || readOnly(hwnd))
        return 0;
    char single = char(byte);
    insertTyped(hwnd, s, std::string_view(&single, 1));
    return 0;
}

LRESULT onKeyDown(HWND hwnd, EditState& s, WPARAM key)
{
    switch (key) {
    case VK_LEFT:
        if (!shiftHeld() && s.anchor != s.caret)
            setSelection(hwnd, s, s.selStart(), s.selStart());
        else
            moveCaret(hwnd, s, previousChar(s.text, s.caret));
        return 0;
    case VK_RIGHT:
        if (!shiftHeld() && s.anchor != s.caret)
            setSelection(hwnd, s, s.selEnd(), s.selEnd());
        else
            moveCaret(hwnd, s, nextChar(s.text, s.caret));
        return 0;
    case VK_HOME:
        moveCaret(hwnd, s, controlDown() || s.lines.empty() ? 0 : s.lines[lineOf(s, s.caret)].start);
        return 0;
    case VK_END:
        moveCaret(hwnd, s, controlDown() || s.lines.empty() ? s.text.size() : s.lines[lineOf(s, s.caret)].end);
        return 0;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (!multiLine(hwnd))
            return 0;
        int page = visibleLines(hwnd, s);
        int lines = key == VK_UP ? -1 : key == VK_DOWN ? 1 : key == VK_PRIOR ? -page : page;
        moveCaret(hwnd, s, verticalTarget(hwnd, s, lines));
        return 0;
    }
    case VK_DELETE:
        if (shiftHeld())
            cut(hwnd, s);
        else if (!readOnly(hwnd))
            deleteForward(hwnd, s);
        return 0;
    case VK_INSERT:
        if (controlDown())
            copy(hwnd, s);
        else if (shiftHeld())
            paste(hwnd, s);
        return 0;
    default: return 0;
    }
}

} // namespace platform::controls::edit
