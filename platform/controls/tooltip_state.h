// The state of one "tooltips_class32" window and the subclassing of its tool windows, which
// hands their mouse messages to the tooltip.
#pragma once

#include "platform/controls/commctrl.h"
#include "platform/controls/control_common.h"

#include <string>
#include <vector>

namespace platform::controls {

struct Tool {
    UINT flags = 0;
    HWND owner = nullptr;     // TOOLINFOA::hwnd
    UINT_PTR id = 0;          // TOOLINFOA::uId: the tool window with TTF_IDISHWND
    RECT rect {};             // in the owner's client area, without TTF_IDISHWND
    std::string text;

    HWND window() const { return (flags & TTF_IDISHWND) ? HWND(id) : owner; }
};

struct TooltipState {
    std::vector<Tool> tools;
    bool active = true;
    int maxWidth = -1;
    UINT initialDelay = 500;
    UINT autoPopDelay = 5000;
    int hovered = -1;         // the tool under the mouse
    int shown = -1;           // the tool whose tip is up
    bool suppressed = false;  // a click hid the tip: no tip again until the mouse leaves
    HFONT font = nullptr;
};

// Private message from a subclassed tool window: wParam the mouse message, lParam the tool window.
constexpr UINT kToolMouseMessage = WM_USER + 0x300;

void subclassToolWindow(HWND tool, HWND tooltip);
void releaseToolWindow(HWND tool, HWND tooltip);

} // namespace platform::controls
