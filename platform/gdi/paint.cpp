// Span painting with binary raster operations, and one-pixel and wide lines.
#include "platform/gdi/paint.h"

#include "platform/gdi/rop.h"
#include "platform/gdi/wingdi.h"

#include <algorithm>
#include <cstdlib>

namespace platform::gdi {

namespace {

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
        return nearestBlackOrWhite(xrgb);
    return xrgb;
}

void Painter::span(int y, int x0, int x1, const Pattern& pattern, int rop2)
{
    const PixelBuffer& buffer = m_canvas.buffer();
    int n = x1 - x0;
    if (rop2 == R2_NOP || n <= 0)
        return;
    if (rop2 == R2_COPYPEN && !pattern.pixels && buffer.format == PixelFormat::Xrgb32) {
        uint32_t* pixels = reinterpret_cast<uint32_t*>(buffer.rowPointer(y)) + x0;
        std::fill(pixels, pixels + n, pattern.solid & 0xFFFFFF);
        return;
    }
    uint32_t* row = m_row.data();
    if (rop2 != R2_COPYPEN && rop2 != R2_BLACK && rop2 != R2_WHITE)
        readRow(buffer, x0, y, n, row);
    for (int i = 0; i < n; ++i) {
        uint32_t p = pattern.at(x0 + i, y);
        if (m_mono)
            p = nearestBlackOrWhite(p);
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

void DashState::skip(int64_t steps)
{
    if (!pattern || steps <= 0)
        return;
    int period = 0;
    for (int i = 0; i < length; ++i)
        period += pattern[i];
    for (steps %= period; steps > 0; --steps)
        step();
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
        painter.fillRegion(Region::fromEllipse(box, canvas.clip().bounds()), solid, R2_COPYPEN);
    };

    // Bresenham over the major axis; the last pixel is left out. Steps whose major coordinate lies
    // outside the clip are skipped, with the error term computed for the first visible step.
    int64_t dx = std::llabs(int64_t(p1.x) - p0.x), dy = std::llabs(int64_t(p1.y) - p0.y);
    int sx = p0.x < p1.x ? 1 : -1, sy = p0.y < p1.y ? 1 : -1;
    bool xMajor = dx >= dy;
    int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int majorStart = xMajor ? p0.x : p0.y, minorStart = xMajor ? p0.y : p0.x;
    int majorStep = xMajor ? sx : sy, minorStep = xMajor ? sy : sx;
    RECT bounds = canvas.clip().bounds();
    int64_t lowBound = (xMajor ? bounds.left : bounds.top) - width, highBound = (xMajor ? bounds.right : bounds.bottom) + width;
    int64_t from = majorStep > 0 ? lowBound - majorStart : majorStart - highBound;
    int64_t to = majorStep > 0 ? highBound - majorStart : majorStart - lowBound;
    from = std::clamp<int64_t>(from, 0, major);
    to = std::clamp<int64_t>(to, 0, major);
    if (from < to) {
        const int64_t start = major / 2;
        int64_t increments = from * minor > start ? (from * minor - start + major - 1) / major : 0;
        int64_t error = start - from * minor + increments * major;
        int64_t a = majorStart + majorStep * from, b = minorStart + minorStep * increments;
        dash.skip(from);
        for (int64_t i = from; i < to; ++i) {
            put(int(xMajor ? a : b), int(xMajor ? b : a));
            a += majorStep;
            error -= minor;
            if (error < 0) {
                b += minorStep;
                error += major;
            }
        }
    }
    if (width > 1 && (dx || dy))
        put(p1.x, p1.y);
}

} // namespace platform::gdi
