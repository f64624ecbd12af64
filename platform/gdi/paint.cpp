// Span painting with binary raster operations, and one-pixel and wide lines.
#include "platform/gdi/paint.h"

#include "platform/gdi/rop.h"
#include "platform/gdi/wingdi.h"

#include <algorithm>
#include <cstdlib>

namespace platform::gdi {

namespace {

const uint32_t kBlackWhite[2] = { 0x000000, 0xFFFFFF };
const int kDash[] = { 18, 6 };
const int kDot[] = { 3, 3 };
const int kDashDot[] = { 9, 6, 3, 6 };
const int kDashDotDot[] = { 9, 3, 3, 3, 3, 3 };

} // namespace

Painter::Painter(const DeviceContext& dc, const Canvas& canvas)
    : m_dc(dc)
    , m_canvas(canvas)
    , m_mono(canvas.buffer().format == PixelFormat::Mono)
    , m_row(size_t(std::max(canvas.buffer().width, 1)))
{
}

uint32_t Painter::colourOf(COLORREF colour) const
{
    uint32_t xrgb = colorrefToXrgb(colour);
    if (m_mono)
        return nearestIndex(kBlackWhite, 2, xrgb) ? 0xFFFFFF : 0;
    return xrgb;
}

void Painter::span(int y, int x0, int x1, const Pattern& pattern, int rop2)
{
    const PixelBuffer& buffer = m_canvas.buffer();
    int n = x1 - x0;
    if (rop2 == R2_NOP || n <= 0)
        return;
    uint32_t* row = m_row.data();
    if (rop2 != R2_COPYPEN && rop2 != R2_BLACK && rop2 != R2_WHITE)
        readRow(buffer, x0, y, n, row);
    for (int i = 0; i < n; ++i) {
        uint32_t p = pattern.at(x0 + i, y);
        if (m_mono)
            p = nearestIndex(kBlackWhite, 2, p) ? 0xFFFFFF : 0;
        row[i] = rop2 == R2_COPYPEN ? p : applyRop2(rop2, p, row[i]);
    }
    writeRow(buffer, x0, y, n, row);
}

void Painter::fillRect(const RECT& rect, const Pattern& pattern, int rop2)
{
    if (pattern.hollow)
        return;
    m_canvas.clip().forEachRectIn(rect, [&](const RECT& r) {
        for (int y = r.top; y < r.bottom; ++y)
            span(y, r.left, r.right, pattern, rop2);
    });
}

void Painter::fillRegion(const Region& area, const Pattern& pattern, int rop2)
{
    if (pattern.hollow)
        return;
    Region clipped = area.intersected(m_canvas.clip());
    clipped.forEachRectIn(clipped.bounds(), [&](const RECT& r) {
        for (int y = r.top; y < r.bottom; ++y)
            span(y, r.left, r.right, pattern, rop2);
    });
}

void Painter::plot(int x, int y, uint32_t colour, int rop2)
{
    if (!m_canvas.clip().contains(x, y))
        return;
    Pattern solid;
    solid.solid = colour;
    span(y, x, x + 1, solid, rop2);
}

bool DashState::step()
{
    if (!pattern)
        return true;
    if (remaining == 0) {
        index = (index + 1) % length;
        remaining = pattern[index];
    }
    --remaining;
    return (index & 1) == 0;
}

DashState dashFor(int penStyle)
{
    DashState dash;
    switch (penStyle) {
    case PS_DASH:
        dash.pattern = kDash, dash.length = 2;
        break;
    case PS_DOT:
        dash.pattern = kDot, dash.length = 2;
        break;
    case PS_DASHDOT:
        dash.pattern = kDashDot, dash.length = 4;
        break;
    case PS_DASHDOTDOT:
        dash.pattern = kDashDotDot, dash.length = 6;
        break;
    default:
        return dash;
    }
    dash.index = 0;
    dash.remaining = dash.pattern[0];
    return dash;
}

void drawLine(Painter& painter, POINT a, POINT b, DashState& dash)
{
    const DcState& s = painter.dc().state;
    if (!s.pen || s.pen->style() == PS_NULL)
        return;
    const Canvas& canvas = painter.canvas();
    POINT p0 = canvas.toBuffer(a.x, a.y), p1 = canvas.toBuffer(b.x, b.y);
    uint32_t ink = painter.colourOf(s.pen->log.lopnColor);
    uint32_t gap = painter.colourOf(s.bkColour);
    int width = s.pen->width();
    bool dashed = dash.pattern != nullptr && width == 1;

    auto put = [&](int x, int y) {
        bool on = dashed ? dash.step() : true;
        if (!on) {
            if (s.bkMode == OPAQUE)
                painter.plot(x, y, gap, s.rop2);
            return;
        }
        if (width == 1) {
            painter.plot(x, y, ink, s.rop2);
            return;
        }
        // Wide pens: a round dab per step.
        Pattern solid;
        solid.solid = ink;
        int r = width / 2;
        RECT box { x - r, y - r, x - r + width, y - r + width };
        painter.fillRegion(Region::fromEllipse(box), solid, R2_COPYPEN);
    };

    // Bresenham over the major axis; the last pixel is left out.
    int dx = std::abs(p1.x - p0.x), dy = std::abs(p1.y - p0.y);
    int sx = p0.x < p1.x ? 1 : -1, sy = p0.y < p1.y ? 1 : -1;
    int x = p0.x, y = p0.y;
    if (dx >= dy) {
        int error = dx / 2;
        for (int i = 0; i < dx; ++i) {
            put(x, y);
            x += sx;
            error -= dy;
            if (error < 0) {
                y += sy;
                error += dx;
            }
        }
    } else {
        int error = dy / 2;
        for (int i = 0; i < dy; ++i) {
            put(x, y);
            y += sy;
            error -= dx;
            if (error < 0) {
                x += sx;
                error += dy;
            }
        }
    }
    if (width > 1 && (dx || dy))
        put(p1.x, p1.y);
}

} // namespace platform::gdi
