// Small helpers shared by the list-like controls: per-window state, parent notices, fonts.
#pragma once

#include "platform/controls/control_common.h"
#include "platform/gdi/wingdi_user.h"

#include <string>

namespace platform::controls {

// Creates the object on WM_NCCREATE and deletes it on WM_NCDESTROY; other messages go to handle().
template <class T>
LRESULT dispatchState(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* object = new T(hwnd, *reinterpret_cast<CREATESTRUCTA*>(lParam));
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    T* object = stateOf<T>(hwnd);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, 0, 0);
        delete object;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (!object)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return object->handle(message, wParam, lParam);
}

// WM_COMMAND with the control id and code to the given window.
void notifyCommand(HWND target, HWND control, int code);
// WM_NOTIFY to the parent; fills the header. Returns the parent's answer.
LRESULT notifyParent(HWND control, NMHDR& header, UINT code);

// The control's font or the stock GUI font, and its line height in pixels.
HFONT controlFont(HFONT font);
// The font a new DC holds (SYSTEM_FONT): list and combo boxes without WM_SETFONT use it.
HFONT dcDefaultFont();
int fontLineHeight(HFONT font);
int fontAverageWidth(HFONT font);

// Background brush from the parent's WM_CTLCOLOR... answer, or the system window brush.
HBRUSH controlBrush(HWND control, HDC dc, UINT ctlColorMessage, int fallbackColor);

// Case-insensitive comparisons over CP932 bytes (ASCII letters fold; double-byte pairs compare raw).
int compareNoCase(const std::string& a, const std::string& b);
bool startsWithNoCase(const std::string& text, const std::string& prefix);

// Shift and Ctrl as held now on this thread.
bool shiftDown();
bool ctrlDown();

} // namespace platform::controls
