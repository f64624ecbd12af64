// Window and screen device contexts for the window system: views into a Surface, plus pixel
// read-back for the desktop and tests.
#pragma once

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/kernel/windef.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::gdi {

// A view DC draws into `surface` with its device point (0, 0) at `origin` (surface coordinates).
// `clip` is in surface coordinates and bounds everything drawn through the DC (the window's
// visible area); SelectClipRgn and friends only narrow it further. Each drawing call locks
// surface->mutex() for its duration, so views on one surface may be used from several threads.
// The DC starts with default state (white brush, black pen, system font, OPAQUE, black text on
// white). GetObjectType reports OBJ_DC; DeleteDC is refused (use releaseViewDC).
HDC createViewDC(std::shared_ptr<Surface> surface, POINT origin, const Region& clip, HWND window);
// Moves or re-clips a live view (a window moved, or its visible area changed); the DC's own
// state and selected clip region are kept. False for a handle that is not a live view.
bool setViewDC(HDC dc, POINT origin, const Region& clip);
// Points a live view at another surface (the backing store was replaced).
bool setViewSurface(HDC dc, std::shared_ptr<Surface> surface);
// Deletes the view; the handle is stale afterwards. False for a handle that is not a live view.
bool releaseViewDC(HDC dc);
// The window given at creation (WindowFromDC); NULL for memory DCs and unknown handles.
HWND windowOfDC(HDC dc);

// The display's DC as GetDC(NULL) returns it: 32 bits per pixel, HORZRES/VERTRES from
// setScreenSize. With a surface it draws into it (whole surface visible); without one, drawing
// and reading through it fail. Freed with DeleteDC.
HDC createScreenDC(std::shared_ptr<Surface> surface = nullptr);
void setScreenSize(SIZE size);
SIZE screenSize();

// Pixels as 32-bit XRGB (0x00RRGGBB), rows top-down.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
// The whole target of a DC (its selected bitmap, or its surface for a view) or a bitmap.
// An empty Image for unknown handles and DCs without pixels.
Image readPixels(HDC dc);
Image readPixels(HBITMAP bitmap);

} // namespace platform::gdi
