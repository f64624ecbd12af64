// Scaling the virtual screen into the host window.
#include "platform/desktop/viewport.h"

#include <algorithm>
#include <cstdint>

namespace platform::desktop {

Viewport fitViewport(int windowWidth, int windowHeight, SIZE screen)
{
    Viewport v;
    if (windowWidth <= 0 || windowHeight <= 0 || screen.cx <= 0 || screen.cy <= 0)
        return v;
    // Compare windowWidth / screen.cx with windowHeight / screen.cy without rounding.
    if (int64_t(windowWidth) * screen.cy <= int64_t(windowHeight) * screen.cx) {
        v.width = windowWidth;
        v.height = int(int64_t(windowWidth) * screen.cy / screen.cx);
    } else {
        v.height = windowHeight;
        v.width = int(int64_t(windowHeight) * screen.cx / screen.cy);
    }
    v.x = (windowWidth - v.width) / 2;
    v.y = (windowHeight - v.height) / 2;
    return v;
}

POINT windowToScreen(const Viewport& viewport, SIZE screen, int windowX, int windowY)
{
    if (viewport.width <= 0 || viewport.height <= 0)
        return POINT { 0, 0 };
    int64_t x = (int64_t(windowX) - viewport.x) * screen.cx / viewport.width;
    int64_t y = (int64_t(windowY) - viewport.y) * screen.cy / viewport.height;
    return POINT { LONG(std::clamp<int64_t>(x, 0, screen.cx - 1)), LONG(std::clamp<int64_t>(y, 0, screen.cy - 1)) };
}

} // namespace platform::desktop
