// The state of one "Edit" window and the routines its files share: the text model (CP932,
// characters kept whole), line layout, drawing and the changes that notify the parent.
#pragma once

#include "platform/controls/commctrl.h"
#include "platform/controls/control_common.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform::controls {

struct EditLine {
    size_t start = 0;   // first byte shown
    size_t end = 0;     // past the last byte shown (before the line break)
    size_t next = 0;    // first byte of the following line
};

struct EditState {
    std::string text;             // CP932; multi-line text breaks lines with "\r\n"
    size_t anchor = 0;            // selection: from anchor to caret, both on character boundaries
    size_t caret = 0;
    size_t limit = 30000;         // bytes
    int leadByte = -1;            // the first byte of a double-byte character typed so far
    bool focused = false;
    bool selecting = false;       // mouse held down
    bool modified = false;
    HFONT font = nullptr;
    int leftMargin = 1;
    int rightMargin = 1;
    int scrollX = 0;              // single line: pixels scrolled left
    int firstLine = 0;            // multi-line: first visible line
    char passwordChar = '*';
    std::vector<EditLine> lines;  // layout, rebuilt by layoutEdit

    size_t selStart() const { return anchor < caret ? anchor : caret; }
    size_t selEnd() const { return anchor < caret ? caret : anchor; }
};

namespace edit {

// Text model.
bool isLead(unsigned char byte);
size_t nextChar(std::string_view text, size_t at);
size_t previousChar(std::string_view text, size_t at);
// The nearest character boundary at or before the offset.
size_t boundaryAtOrBefore(std::string_view text, size_t at);
// At most `room` bytes of the text, never half a double-byte character.
std::string_view clipToRoom(std::string_view text, size_t room);
// Text as the control takes it: single line stops at the first line break; multi-line
// breaks become "\r\n"; ES_NUMBER keeps digits; case styles apply to ASCII letters.
std::string normalise(std::string_view text, DWORD style);

// Layout and geometry (edit_layout.cpp).
void layoutEdit(HWND hwnd, EditState& s);
RECT textArea(HWND hwnd, const EditState& s);
int lineHeight(HWND hwnd, const EditState& s);
size_t lineOf(const EditState& s, size_t offset);
int xOf(HDC dc, HWND hwnd, const EditState& s, size_t line, size_t offset);
size_t offsetAt(HWND hwnd, const EditState& s, POINT client);
// The left end of a line's text in client coordinates (alignment and scrolling included).
int lineLeft(HDC dc, HWND hwnd, const EditState& s, size_t line);
int visibleLines(HWND hwnd, const EditState& s);
void scrollToCaret(HWND hwnd, EditState& s);
void updateScrollBar(HWND hwnd, const EditState& s);
std::string displayText(HWND hwnd, const EditState& s, size_t from, size_t to);

// Drawing (edit_draw.cpp).
void paintEdit(HWND hwnd, HDC dc, const EditState& s);

// Changes (edit.cpp): replaces the selection, honouring the limit; notifies EN_MAXTEXT when the
// text was cut, EN_UPDATE and EN_CHANGE when it changed. False when nothing was inserted
// though something was asked.
bool replaceSelection(HWND hwnd, EditState& s, std::string_view text);
void setSelection(HWND hwnd, EditState& s, size_t anchor, size_t caret);
void refresh(HWND hwnd, EditState& s);

// Keyboard, characters and the clipboard (edit_keys.cpp).
LRESULT onChar(HWND hwnd, EditState& s, WPARAM code);
LRESULT onKeyDown(HWND hwnd, EditState& s, WPARAM key);
void copy(HWND hwnd, const EditState& s);
void cut(HWND hwnd, EditState& s);
void paste(HWND hwnd, EditState& s);

} // namespace edit

} // namespace platform::controls
