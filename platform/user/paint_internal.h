// Painting helpers shared by the painting, DC and non-client parts of the window system.
#pragma once

#include "platform/gdi/region.h"
#include "platform/user/window_state.h"

namespace platform::user {

// The part of the window (or its client area) that shows, in its top-level window's
// coordinates. Tree lock held.
Region visibleRegion(const Window& w, bool clientOnly, bool clipChildren);
void clearPaintStateTree(Window& w);
// A transparent window shows its siblings beneath through it, so it paints after them.
inline bool paintsAfterSiblings(const Window& w) { return (w.exStyle & WS_EX_TRANSPARENT) != 0; }

// A window DC: a view into the top-level window's store. `clip` is in client (or, for a
// window DC, window) coordinates; null means the whole visible area.
HDC openWindowDC(HWND hwnd, bool wholeWindow, const Region* clip, bool clipChildren);
// Releases a DC from openWindowDC and shows what was drawn.
bool closeWindowDC(HDC dc);

// Conversions between GDI region handles and regions.
bool regionFromHandle(HRGN handle, Region& out);
bool storeRegionInHandle(const Region& region, HRGN handle);
HRGN handleFromRegion(const Region& region);

// Sends WM_PAINT (and what BeginPaint sends) to the window and, as the flags say, its children,
// while they have something to paint.
void paintNow(HWND hwnd, bool children);

} // namespace platform::user
