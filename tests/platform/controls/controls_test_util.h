// Helpers for control tests: a parent window that records what its controls tell it, control
// creation, input at a control's points and message pumping.
#pragma once

#include "platform/controls/commctrl.h"
#include "platform/desktop/harness.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

#include <functional>
#include <string>
#include <vector>

namespace ctltest {

struct Notice {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT code = 0;               // WM_NOTIFY: the NMHDR code
    DRAWITEMSTRUCT item {};      // WM_DRAWITEM: a copy
};

// Every WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_DRAWITEM and mouse press the parent
// window receives, in order.
std::vector<Notice>& notices();
std::vector<Notice> noticesOf(UINT message);
// WM_COMMAND notification codes from one control.
std::vector<WORD> commandCodes(HWND control);
// Optional handler run before the parent's default handling; true = handled with *result.
extern std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> parentHandler;

HWND createParent(int x = 100, int y = 100, int width = 400, int height = 300);
HWND createControl(HWND parent, const char* className, const char* text, DWORD style, int id, int x, int y,
    int width, int height, DWORD exStyle = 0);

POINT screenPoint(HWND hwnd, int x, int y);   // client point of the window on the screen
POINT centre(HWND hwnd);
// A click at a client point, then pump().
void clickAt(HWND hwnd, int x, int y);
// Handles everything queued for this thread and waits for the windows to go idle, three rounds
// (a message handled may queue more).
void pump();
// Pumps until the condition holds or the time is up (timers run meanwhile); the last result.
bool pumpUntil(const std::function<bool()>& condition, int milliseconds = 3000);
void destroyAll();
std::string textOf(HWND hwnd);
// CP932 bytes of UTF-8 text.
std::string sjis(const char* utf8);
bool putClipboardText(HWND owner, const std::string& text);

} // namespace ctltest
