// Where the virtual screen appears inside the host window: scaled to fit, letterboxed.
#pragma once

#include "platform/kernel/windef.h"

namespace platform::desktop {

struct Viewport {
    int x = 0, y = 0, width = 0, height = 0; // in host window pixels
};

// The largest rectangle of the screen's aspect ratio centred in a window of the given size.
Viewport fitViewport(int windowWidth, int windowHeight, SIZE screen);
// A host window position to screen coordinates, clamped to the screen.
POINT windowToScreen(const Viewport& viewport, SIZE screen, int windowX, int windowY);

} // namespace platform::desktop
