// The state of one "Button" window, shared by its behaviour and its drawing.
#pragma once

#include "platform/controls/commctrl.h"
#include "platform/controls/control_common.h"

namespace platform::controls {

struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;      // drawn pressed: mouse held over it, space held, or BM_SETSTATE
    bool focused = false;
    bool tracking = false;    // the mouse went down on it and it holds the capture
    bool spaceDown = false;
    HFONT font = nullptr;
    HANDLE image = nullptr;   // BM_SETIMAGE
};

UINT buttonType(DWORD style);
// Draws the whole button (owner-draw buttons: asks the parent with the given action).
void drawButton(HWND hwnd, HDC dc, const ButtonState& state, UINT ownerDrawAction);

} // namespace platform::controls
