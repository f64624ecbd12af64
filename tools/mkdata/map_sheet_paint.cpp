// Cell drawing of the map and unit sheets: hex mask, inks and shapes.
#include "tools/mkdata/map_sheet_paint.h"

#include <algorithm>
#include <cmath>

namespace mkdata::sheet {

bool inHex(int size, int x, int y)
{
    if (x < 0 || y < 0 || x >= size || y >= size)
        return false;
    const int quarter = size / 4;
    const int half = size / 2;
    const int pitch = size * 3 / 4;
    if (y < quarter)
        return 2 * y >= half - x && 2 * y >= x - half;
    if (y < pitch)
        return true;
    const int below = y - pitch;
    return x > 2 * below && x < size - 2 * below;
}

namespace {

uint8_t clampByte(double v) { return uint8_t(std::clamp(int(std::lround(v)), 0, 255)); }

} // namespace

Rgb nightOf(Rgb day)
{
    if (day == kMagenta)
        return day;
    if (day.r == day.g && day.g == day.b) {
        const uint8_t v = clampByte(day.g * 0.5);
        return { v, v, v };
    }
    const double lum = 0.3 * day.r + 0.59 * day.g + 0.11 * day.b;
    return { clampByte(0.36 * day.r + 0.04 * lum + 2), clampByte(0.42 * day.g + 0.06 * lum + 3),
        clampByte(0.5 * day.b + 0.14 * lum + 16) };
}

Rgb mix(Rgb a, Rgb b, double t)
{
    return { clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t), clampByte(a.b + (b.b - a.b) * t) };
}

Rgb scaled(Rgb c, double factor) { return { clampByte(c.r * factor), clampByte(c.g * factor), clampByte(c.b * factor) }; }

uint32_t noise(int x, int y, uint32_t seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

Cell::Cell(Canvas& canvas, InkTable& inks, int left, int top, int size, Light light, bool clip)
    : m_canvas(canvas)
    , m_inks(inks)
    , m_left(left)
    , m_top(top)
    , m_size(size)
    , m_light(light)
    , m_clip(clip)
{
}

uint8_t Cell::ink(Rgb colour) { return m_inks.index(night() ? nightOf(colour) : colour); }

bool Cell::inside(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_size || y >= m_size)
        return false;
    return !m_clip || inHex(m_size, x, y);
}

void Cell::set(int x, int y, uint8_t index)
{
    if (inside(x, y))
        m_canvas.set(m_left + x, m_top + y, index);
}

void Cell::fill(uint8_t index)
{
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x)
            set(x, y, index);
}

void Cell::speckle(uint8_t a, uint8_t b, int shareOfB, uint32_t seed)
{
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x)
            if (inside(x, y) && at(x, y) == a && int(noise(x, y, seed) & 255) < shareOfB)
                set(x, y, b);
}

void Cell::rect(double left, double top, double right, double bottom, uint8_t index)
{
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x)
            if (x + 0.5 >= left && x + 0.5 < right && y + 0.5 >= top && y + 0.5 < bottom)
                set(x, y, index);
}

void Cell::disc(double cx, double cy, double radius, uint8_t index) { ellipse(cx, cy, radius, radius, index); }

void Cell::ellipse(double cx, double cy, double rx, double ry, uint8_t index)
{
    if (rx <= 0 || ry <= 0)
        return;
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            const double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                set(x, y, index);
        }
}

void Cell::ring(double cx, double cy, double inner, double outer, uint8_t index)
{
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d >= inner && d <= outer)
                set(x, y, index);
        }
}

void Cell::stroke(double x0, double y0, double x1, double y1, double width, uint8_t index)
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double length2 = dx * dx + dy * dy;
    const double reach = std::max(width, 1.0) / 2;
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x) {
            const double px = x + 0.5 - x0;
            const double py = y + 0.5 - y0;
            const double t = length2 > 0 ? std::clamp((px * dx + py * dy) / length2, 0.0, 1.0) : 0.0;
            if (std::hypot(px - t * dx, py - t * dy) <= reach)
                set(x, y, index);
        }
}

void Cell::outlinedPolygon(const Points& points, double scale, uint8_t edge, uint8_t fill)
{
    Points scaled;
    for (auto [x, y] : points)
        scaled.push_back({ x * scale, y * scale });
    for (auto [dx, dy] : { std::pair { -1.0, 0.0 }, { 1.0, 0.0 }, { 0.0, -1.0 }, { 0.0, 1.0 } }) {
        Points shifted = scaled;
        for (auto& p : shifted)
            p = { p.first + dx, p.second + dy };
        polygon(shifted, edge);
    }
    polygon(scaled, fill);
}

void Cell::polygon(const Points& points, uint8_t index)
{
    const size_t n = points.size();
    if (n < 3)
        return;
    for (int y = 0; y < m_size; ++y) {
        const double py = y + 0.5;
        for (int x = 0; x < m_size; ++x) {
            const double px = x + 0.5;
            bool in = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const auto [xi, yi] = points[i];
                const auto [xj, yj] = points[j];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                    in = !in;
            }
            if (in)
                set(x, y, index);
        }
    }
}

void Cell::polyline(const Points& points, double width, uint8_t index)
{
    for (size_t i = 1; i < points.size(); ++i)
        stroke(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second, width, index);
}

Points hexCorners(int size)
{
    const double s = size;
    return { { s / 2, 0 }, { s, s / 4 }, { s, s * 3 / 4 }, { s / 2, s }, { 0, s * 3 / 4 }, { 0, s / 4 } };
}

std::pair<std::pair<double, double>, std::pair<double, double>> edgeEnds(int size, int direction)
{
    const Points corners = hexCorners(size);
    // Corner indices of each direction's edge, west first and round by the south.
    static const int kEnds[6][2] = { { 5, 4 }, { 4, 3 }, { 3, 2 }, { 2, 1 }, { 1, 0 }, { 0, 5 } };
    const int d = ((direction % 6) + 6) % 6;
    return { corners[size_t(kEnds[d][0])], corners[size_t(kEnds[d][1])] };
}

std::pair<double, double> edgeMiddle(int size, int direction)
{
    const auto [a, b] = edgeEnds(size, direction);
    return { (a.first + b.first) / 2, (a.second + b.second) / 2 };
}

} // namespace mkdata::sheet
