// Painting spans, pixels, lines and regions into a locked canvas under a binary raster
// operation, clipped to the canvas's clip. Shapes, lines and the rectangle calls draw with it.
#pragma once

#include "platform/gdi/dc.h"

namespace platform::gdi {

class Painter {
public:
    Painter(const DeviceContext& dc, const Canvas& canvas);

    // All coordinates are buffer coordinates.
    void fillRect(const RECT& rect, const Pattern& pattern, int rop2);
    void fillRegion(const Region& area, const Pattern& pattern, int rop2);
    void plot(int x, int y, uint32_t colour, int rop2);
    uint32_t colourOf(COLORREF colour) const;

    const Canvas& canvas() const { return m_canvas; }
    const DeviceContext& dc() const { return m_dc; }

private:
    void span(int y, int x0, int x1, const Pattern& pattern, int rop2);

    const DeviceContext& m_dc;
    const Canvas& m_canvas;
    bool m_mono;
    std::vector<uint32_t> m_row;
};

// The pen's dash pattern in pixels (on, off, ...), empty for solid pens.
struct DashState {
    const int* pattern = nullptr;
    int length = 0;
    int index = 0;
    int remaining = 0;
    // True when the next pixel is in a dash; advances by one pixel.
    bool step();
    void skip(int64_t steps);
};
DashState dashFor(int penStyle);

// Draws the line from a to b (logical coordinates) with the DC's pen, the end point excluded as
// Win32 draws it; a dashed pen continues its pattern across calls through `dash`.
void drawLine(Painter& painter, POINT a, POINT b, DashState& dash);

// FillRect-style fill (PATCOPY, ignoring ROP2) of a logical rectangle with any brush.
bool fillWithBrush(DeviceContext& dc, const RECT& rect, const Brush* brush);
bool fillColour(DeviceContext& dc, const RECT& rect, COLORREF colour);
// The brush an API call names: a brush handle, or a system colour index + 1.
std::shared_ptr<Brush> brushArgument(HBRUSH brush);

} // namespace platform::gdi
