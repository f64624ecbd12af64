// Helpers shared by the controls: class registration, notifications, font and colours.
#include "platform/controls/control_common.h"
#include "platform/kernel/winbase.h"
#include "platform/user/system_classes.h"

#include <vector>

namespace platform::controls {

void registerControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor)
{
    WNDCLASSA wc {};
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.lpszClassName = name;
    user::registerSystemClass(wc);
}

int controlId(HWND hwnd) { return int(GetWindowLongPtrA(hwnd, GWLP_ID)); }

DWORD controlStyle(HWND hwnd) { return DWORD(GetWindowLongA(hwnd, GWL_STYLE)); }

void notifyParent(HWND hwnd, WORD code)
{
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(WORD(controlId(hwnd)), code), LPARAM(hwnd));
}

void copyItemText(const std::string& text, char* out, int capacity)
{
    if (out && capacity > 0)
        lstrcpynA(out, text.c_str(), capacity);
}

std::string windowText(HWND hwnd)
{
    int length = GetWindowTextLengthA(hwnd);
    std::vector<char> buffer(size_t(length) + 1, 0);
    int got = GetWindowTextA(hwnd, buffer.data(), length + 1);
    return std::string(buffer.data(), size_t(got > 0 ? got : 0));
}

HFONT defaultFont() { return HFONT(GetStockObject(DEFAULT_GUI_FONT)); }

HFONT fontOr(HFONT font) { return font ? font : defaultFont(); }

HBRUSH parentColors(HWND hwnd, HDC dc, UINT message)
{
    HWND parent = GetParent(hwnd);
    LRESULT brush = parent ? SendMessageA(parent, message, WPARAM(dc), LPARAM(hwnd))
                           : DefWindowProcA(hwnd, message, WPARAM(dc), LPARAM(hwnd));
    if (!brush)
        brush = DefWindowProcA(hwnd, message, WPARAM(dc), LPARAM(hwnd));
    return HBRUSH(brush);
}

} // namespace platform::controls
