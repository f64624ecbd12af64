// The "Edit" window procedure: its messages, text changes with their notifications, the
// selection and mouse selection.
#include "platform/controls/control_registry.h"
#include "platform/controls/edit_state.h"

#include <algorithm>
#include <cstring>

namespace platform::controls {

namespace edit {

void refresh(HWND hwnd, EditState& s)
{
    scrollToCaret(hwnd, s);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void setSelection(HWND hwnd, EditState& s, size_t anchor, size_t caret)
{
    s.anchor = boundaryAtOrBefore(s.text, std::min(anchor, s.text.size()));
    s.caret = boundaryAtOrBefore(s.text, std::min(caret, s.text.size()));
    refresh(hwnd, s);
}

bool replaceSelection(HWND hwnd, EditState& s, std::string_view insert)
{
    size_t from = s.selStart();
    size_t to = s.selEnd();
    size_t kept = s.text.size() - (to - from);
    size_t room = s.limit > kept ? s.limit - kept : 0;
    std::string_view fitted = clipToRoom(insert, room);
    bool cut = fitted.size() < insert.size();
    if (fitted.empty() && from == to) {
        if (cut)
            notifyParent(hwnd, EN_MAXTEXT);
        return !cut;
    }
    std::string before = s.text;
    s.text.replace(from, to - from, fitted);
    if (!(controlStyle(hwnd) & (ES_MULTILINE | ES_AUTOHSCROLL))) {
        // Without horizontal scrolling the text must fit the box.
        WindowDC dc(hwnd);
        Selected font(dc, fontOr(s.font));
        SIZE size {};
        std::string shown = displayText(hwnd, s, 0, s.text.size());
        GetTextExtentPoint32A(dc, shown.c_str(), int(shown.size()), &size);
        RECT area = textArea(hwnd, s);
        if (size.cx > area.right - area.left && !fitted.empty()) {
            s.text = std::move(before);
            notifyParent(hwnd, EN_MAXTEXT);
            return false;
        }
    }
    s.anchor = s.caret = from + fitted.size();
    s.modified = true;
    layoutEdit(hwnd, s);
    refresh(hwnd, s);
    if (cut)
        notifyParent(hwnd, EN_MAXTEXT);
    notifyParent(hwnd, EN_UPDATE);
    notifyParent(hwnd, EN_CHANGE);
    return !cut;
}

} // namespace edit

namespace {

using namespace edit;

bool multiLine(HWND hwnd) { return controlStyle(hwnd) & ES_MULTILINE; }

LRESULT setText(HWND hwnd, EditState& s, LPCSTR text)
{
    s.text = normalise(text ? std::string_view(text) : std::string_view(), controlStyle(hwnd) & ES_MULTILINE);
    s.anchor = s.caret = 0;
    s.scrollX = 0;
    s.firstLine = 0;
    s.leadByte = -1;
    s.modified = false;
    layoutEdit(hwnd, s);
    refresh(hwnd, s);
    updateScrollBar(hwnd, s);
    if (!multiLine(hwnd)) {
        notifyParent(hwnd, EN_UPDATE);
        notifyParent(hwnd, EN_CHANGE);
    }
    return TRUE;
}

LRESULT getText(const EditState& s, WPARAM size, LPSTR buffer)
{
    if (!buffer || size == 0)
        return 0;
    size_t n = clipToRoom(s.text, size_t(size) - 1).size();
    memcpy(buffer, s.text.data(), n);
    buffer[n] = 0;
    return LRESULT(n);
}

LRESULT getSelection(const EditState& s, WPARAM start, LPARAM end)
{
    if (start)
        *reinterpret_cast<DWORD*>(start) = DWORD(s.selStart());
    if (end)
        *reinterpret_cast<DWORD*>(end) = DWORD(s.selEnd());
    if (s.selEnd() > 0xFFFF)
        return -1;
    return MAKELRESULT(WORD(s.selStart()), WORD(s.selEnd()));
}

LRESULT setSelectionMessage(HWND hwnd, EditState& s, WPARAM start, LPARAM end)
{
    if (int(start) == -1) {
        setSelection(hwnd, s, s.caret, s.caret);
        return 0;
    }
    size_t a = size_t(DWORD(start));
    size_t b = int(end) == -1 ? s.text.size() : size_t(DWORD(end));
    setSelection(hwnd, s, a, b);
    return 0;
}

LRESULT scrollLines(HWND hwnd, EditState& s, int lines)
{
    if (!multiLine(hwnd))
        return FALSE;
    int last = std::max(0, int(s.lines.size()) - visibleLines(hwnd, s));
    s.firstLine = std::clamp(s.firstLine + lines, 0, std::max(last, 0));
    updateScrollBar(hwnd, s);
    InvalidateRect(hwnd, nullptr, FALSE);
    return TRUE;
}

LRESULT onVScroll(HWND hwnd, EditState& s, WORD code)
{
    int page = visibleLines(hwnd, s);
    switch (code) {
    case SB_LINEUP: return scrollLines(hwnd, s, -1), 0;
    case SB_LINEDOWN: return scrollLines(hwnd, s, 1), 0;
    case SB_PAGEUP: return scrollLines(hwnd, s, -page), 0;
    case SB_PAGEDOWN: return scrollLines(hwnd, s, page), 0;
    case SB_TOP: return scrollLines(hwnd, s, -s.firstLine), 0;
    case SB_BOTTOM: return scrollLines(hwnd, s, int(s.lines.size())), 0;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info { sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0 };
        GetScrollInfo(hwnd, SB_VERT, &info);
        return scrollLines(hwnd, s, info.nTrackPos - s.firstLine), 0;
    }
    default: return 0;
    }
}

LRESULT getLine(const EditState& s, WPARAM line, LPSTR buffer)
{
    if (!buffer || line >= s.lines.size())
        return 0;
    // The caller puts the buffer's size in its first word.
    WORD size = 0;
    memcpy(&size, buffer, sizeof(size));
    const EditLine& l = s.lines[line];
    size_t n = std::min<size_t>(l.end - l.start, size);
    memcpy(buffer, s.text.data() + l.start, n);
    return LRESULT(n);
}

LRESULT positionOfChar(HWND hwnd, const EditState& s, WPARAM index)
{
    if (index > s.text.size() || s.lines.empty())
        return -1;
    size_t line = lineOf(s, index);
    WindowDC dc(hwnd);
    Selected font(dc, fontOr(s.font));
    int x = xOf(dc, hwnd, s, line, index);
    int y = textArea(hwnd, s).top + (int(line) - (multiLine(hwnd) ? s.firstLine : 0)) * lineHeight(hwnd, s);
    return MAKELRESULT(WORD(short(x)), WORD(short(y)));
}

LRESULT charAtPoint(HWND hwnd, const EditState& s, LPARAM lParam)
{
    size_t at = offsetAt(hwnd, s, POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
    return MAKELRESULT(WORD(at), WORD(lineOf(s, at)));
}

LRESULT scrollBy(HWND hwnd, EditState& s, WPARAM code)
{
    if (!multiLine(hwnd))
        return FALSE;
    int before = s.firstLine;
    int page = visibleLines(hwnd, s);
    int lines = code == SB_LINEUP ? -1 : code == SB_LINEDOWN ? 1 : code == SB_PAGEUP ? -page : code == SB_PAGEDOWN ? page : 0;
    scrollLines(hwnd, s, lines);
    return MAKELRESULT(WORD(short(s.firstLine - before)), TRUE);
}

LRESULT setLimit(EditState& s, WPARAM limit)
{
    s.limit = limit ? size_t(limit) : size_t(0x7FFFFFFE);
    return 0;
}

LRESULT setMargins(HWND hwnd, EditState& s, WPARAM which, LPARAM margins)
{
    if (which & EC_LEFTMARGIN)
        s.leftMargin = LOWORD(margins) == EC_USEFONTINFO ? 1 : LOWORD(margins);
    if (which & EC_RIGHTMARGIN)
        s.rightMargin = HIWORD(margins) == EC_USEFONTINFO ? 1 : HIWORD(margins);
    layoutEdit(hwnd, s);
    refresh(hwnd, s);
    return 0;
}

LRESULT onFocus(HWND hwnd, EditState& s, bool gained)
{
    s.focused = gained;
    s.leadByte = -1;
    if (!gained && s.selecting) {
        s.selecting = false;
        if (GetCapture() == hwnd)
            ReleaseCapture();
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    notifyParent(hwnd, gained ? EN_SETFOCUS : EN_KILLFOCUS);
    return 0;
}

LRESULT onButtonDown(HWND hwnd, EditState& s, LPARAM lParam)
{
    if (GetFocus() != hwnd)
        SetFocus(hwnd);
    size_t at = offsetAt(hwnd, s, pointOf(lParam));
    bool extend = GetKeyState(VK_SHIFT) < 0;
    setSelection(hwnd, s, extend ? s.anchor : at, at);
    s.selecting = true;
    SetCapture(hwnd);
    return 0;
}

LRESULT onButtonUp(HWND hwnd, EditState& s)
{
    if (s.selecting) {
        s.selecting = false;
        if (GetCapture() == hwnd)
            ReleaseCapture();
    }
    return 0;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A double click selects the word under the mouse: a run of characters without blanks.
LRESULT onDoubleClick(HWND hwnd, EditState& s, LPARAM lParam)
{
    onButtonDown(hwnd, s, lParam);
    onButtonUp(hwnd, s);
    size_t at = s.caret;
    size_t start = 0;
    size_t end = s.text.size();
    for (size_t i = 0; i < s.text.size(); i = nextChar(s.text, i)) {
        if (!isBlank(s.text[i]))
            continue;
        if (i < at)
            start = nextChar(s.text, i);
        else {
            end = i;
            break;
        }
    }
    setSelection(hwnd, s, start, std::max(start, end));
    return 0;
}

LRESULT onMouseMove(HWND hwnd, EditState& s, LPARAM lParam)
{
    if (s.selecting)
        setSelection(hwnd, s, s.anchor, offsetAt(hwnd, s, pointOf(lParam)));
    return 0;
}

LRESULT setReadOnly(HWND hwnd, WPARAM readOnly)
{
    DWORD style = controlStyle(hwnd);
    SetWindowLongA(hwnd, GWL_STYLE, LONG(readOnly ? style | ES_READONLY : style & ~ES_READONLY));
    InvalidateRect(hwnd, nullptr, FALSE);
    return TRUE;
}

LRESULT lineIndex(const EditState& s, WPARAM line)
{
    size_t index = int(line) == -1 ? lineOf(s, s.caret) : size_t(line);
    return index < s.lines.size() ? LRESULT(s.lines[index].start) : -1;
}

// A multi-line edit wants every key but those that move through a dialog: Tab, Escape, and
// Enter unless ES_WANTRETURN asks for it.
LRESULT dialogCode(HWND hwnd, const MSG* msg)
{
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!multiLine(hwnd))
        return code;
    if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR)) {
        WPARAM key = msg->wParam;
        bool wantReturn = controlStyle(hwnd) & ES_WANTRETURN;
        if (key == VK_TAB || key == VK_ESCAPE || (key == VK_RETURN && !wantReturn))
            return code;
    }
    return code | DLGC_WANTALLKEYS;
}

LRESULT onCreate(HWND hwnd, EditState& s, const CREATESTRUCTA* create)
{
    DWORD style = controlStyle(hwnd);
    if (style & ES_MULTILINE)
        s.limit = 0x7FFFFFFE;
    if (style & ES_PASSWORD)
        s.passwordChar = '*';
    s.text = normalise(create && create->lpszName ? std::string_view(create->lpszName) : std::string_view(), style);
    layoutEdit(hwnd, s);
    updateScrollBar(hwnd, s);
    return 0;
}

LRESULT CALLBACK editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        attachState<EditState>(hwnd);
    EditState* s = stateOf<EditState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY: detachState<EditState>(hwnd); break;
    case WM_CREATE: return onCreate(hwnd, *s, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_PAINT: {
        PaintScope paint(hwnd);
        paintEdit(hwnd, paint.dc(), *s);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        layoutEdit(hwnd, *s);
        refresh(hwnd, *s);
        updateScrollBar(hwnd, *s);
        return 0;
    case WM_SETTEXT: return setText(hwnd, *s, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT: return getText(*s, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: return LRESULT(s->text.size());
    case WM_SETFONT:
        s->font = HFONT(wParam);
        layoutEdit(hwnd, *s);
        if (LOWORD(lParam))
            refresh(hwnd, *s);
        return 0;
    case WM_GETFONT: return LRESULT(s->font);
    case WM_SETFOCUS: return onFocus(hwnd, *s, true);
    case WM_KILLFOCUS: return onFocus(hwnd, *s, false);
    case WM_LBUTTONDOWN: return onButtonDown(hwnd, *s, lParam);
    case WM_LBUTTONDBLCLK: return onDoubleClick(hwnd, *s, lParam);
    case WM_MOUSEMOVE: return onMouseMove(hwnd, *s, lParam);
    case WM_LBUTTONUP: return onButtonUp(hwnd, *s);
    case WM_CAPTURECHANGED: s->selecting = false; return 0;
    case WM_CHAR: return onChar(hwnd, *s, wParam);
    case WM_KEYDOWN: return onKeyDown(hwnd, *s, wParam);
    case WM_VSCROLL: return onVScroll(hwnd, *s, LOWORD(wParam));
    case WM_MOUSEWHEEL: return scrollLines(hwnd, *s, -3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA), 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_GETDLGCODE: return dialogCode(hwnd, reinterpret_cast<const MSG*>(lParam));
    case WM_COPY: copy(hwnd, *s); return 0;
    case WM_CUT: cut(hwnd, *s); return 0;
    case WM_PASTE: paste(hwnd, *s); return 0;
    case WM_CLEAR:
        if (!(controlStyle(hwnd) & ES_READONLY))
            replaceSelection(hwnd, *s, {});
        return 0;
    case WM_UNDO:
    case EM_UNDO:
    case EM_CANUNDO: return FALSE;
    case EM_GETSEL: return getSelection(*s, wParam, lParam);
    case EM_SETSEL: return setSelectionMessage(hwnd, *s, wParam, lParam);
    case EM_REPLACESEL:
        replaceSelection(hwnd, *s, normalise(lParam ? reinterpret_cast<LPCSTR>(lParam) : "",
            controlStyle(hwnd) & (ES_MULTILINE | ES_UPPERCASE | ES_LOWERCASE)));
        return 0;
    case EM_LIMITTEXT: return setLimit(*s, wParam);
    case EM_GETLIMITTEXT: return LRESULT(s->limit);
    case EM_SETREADONLY: return setReadOnly(hwnd, wParam);
    case EM_GETLINECOUNT: return LRESULT(std::max<size_t>(1, s->lines.size()));
    case EM_GETFIRSTVISIBLELINE: return multiLine(hwnd) ? s->firstLine : 0;
    case EM_LINEINDEX: return lineIndex(*s, wParam);
    case EM_LINEFROMCHAR:
        return LRESULT(lineOf(*s, int(wParam) == -1 ? s->caret : std::min(size_t(wParam), s->text.size())));
    case EM_LINELENGTH: {
        if (int(wParam) == -1)
            return 0;
        const EditLine& l = s->lines[lineOf(*s, std::min(size_t(wParam), s->text.size()))];
        return LRESULT(l.end - l.start);
    }
    case EM_LINESCROLL: return scrollLines(hwnd, *s, int(lParam));
    case EM_SCROLL: return scrollBy(hwnd, *s, wParam);
    case EM_GETLINE: return getLine(*s, wParam, reinterpret_cast<LPSTR>(lParam));
    case EM_POSFROMCHAR: return positionOfChar(hwnd, *s, wParam);
    case EM_CHARFROMPOS: return charAtPoint(hwnd, *s, lParam);
    case EM_GETRECT:
        if (lParam)
            *reinterpret_cast<RECT*>(lParam) = textArea(hwnd, *s);
        return 0;
    case EM_EMPTYUNDOBUFFER: return 0;   // nothing is kept to undo
    case EM_SCROLLCARET: refresh(hwnd, *s); return TRUE;
    case EM_GETMODIFY: return s->modified;
    case EM_SETMODIFY: s->modified = wParam != 0; return 0;
    case EM_SETMARGINS: return setMargins(hwnd, *s, wParam, lParam);
    case EM_GETMARGINS: return MAKELRESULT(WORD(s->leftMargin), WORD(s->rightMargin));
    case EM_SETPASSWORDCHAR:
        s->passwordChar = wParam ? char(wParam) : '*';
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case EM_GETPASSWORDCHAR: return (controlStyle(hwnd) & ES_PASSWORD) ? s->passwordChar : 0;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

void registerEditClass()
{
    registerControlClass(WC_EDITA, editProc, CS_DBLCLKS, IDC_IBEAM);
}

} // namespace platform::controls
