// The picture generators' canvas drawing and 8-bit BMP encoding.
#include "tools/mkdata/bmp_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace mkdata {

namespace {

void put16(std::vector<unsigned char>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<unsigned char>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

uint8_t Palette::index(Rgb colour)
{
    auto it = std::find(m_colours.begin(), m_colours.end(), colour);
    if (it != m_colours.end())
        return uint8_t(it - m_colours.begin());
    if (m_colours.size() == 256)
        throw std::runtime_error("palette full");
    m_colours.push_back(colour);
    return uint8_t(m_colours.size() - 1);
}

Canvas::Canvas(int width, int height, uint8_t fill)
    : m_width(width)
    , m_height(height)
    , m_pixels(size_t(width) * size_t(height), fill)
{
}

void Canvas::set(int x, int y, uint8_t index)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        m_pixels[size_t(y) * size_t(m_width) + size_t(x)] = index;
}

void Canvas::fillRect(int left, int top, int right, int bottom, uint8_t index)
{
    for (int y = std::max(top, 0); y < std::min(bottom, m_height); ++y)
        for (int x = std::max(left, 0); x < std::min(right, m_width); ++x)
            m_pixels[size_t(y) * size_t(m_width) + size_t(x)] = index;
}

void Canvas::frameRect(int left, int top, int right, int bottom, uint8_t index)
{
    fillRect(left, top, right, top + 1, index);
    fillRect(left, bottom - 1, right, bottom, index);
    fillRect(left, top, left + 1, bottom, index);
    fillRect(right - 1, top, right, bottom, index);
}

void Canvas::line(int x0, int y0, int x1, int y1, uint8_t index)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, index);
        if (x0 == x1 && y0 == y1)
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::fillCircle(int cx, int cy, int radius, uint8_t index)
{
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x)
            if (x * x + y * y <= radius * radius + radius / 2)
                set(cx + x, cy + y, index);
}

std::vector<std::pair<int, int>> starPoints(int cx, int cy, int outer, int inner, int points)
{
    std::vector<std::pair<int, int>> star;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = -M_PI / 2 + M_PI * i / points;
        const int radius = i % 2 ? inner : outer;
        star.push_back({ cx + int(std::lround(radius * std::cos(angle))), cy + int(std::lround(radius * std::sin(angle))) });
    }
    return star;
}

void Canvas::fillPolygon(const std::vector<std::pair<int, int>>& points, uint8_t index)
{
    const size_t n = points.size();
    if (n < 3)
        return;
    for (int y = 0; y < m_height; ++y) {
        const double py = y + 0.5;
        std::vector<double> crossings;
        for (size_t i = 0; i < n; ++i) {
            auto [x0, y0] = points[i];
            auto [x1, y1] = points[(i + 1) % n];
            if ((y0 <= py) == (y1 <= py))
                continue;
            crossings.push_back(x0 + (py - y0) * (x1 - x0) / double(y1 - y0));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = std::max(0, int(crossings[i] + 0.5)); x < std::min(m_width, int(crossings[i + 1] + 0.5)); ++x)
                set(x, y, index);
    }
}

void Canvas::paste(const Canvas& src, int x, int y, int skip)
{
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx)
            if (int(src.at(sx, sy)) != skip)
                set(x + sx, y + sy, src.at(sx, sy));
}

std::vector<unsigned char> encodeBmp8(const Canvas& canvas, const Palette& palette)
{
    const uint32_t stride = (uint32_t(canvas.width()) + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(canvas.height());
    const uint32_t offBits = 14 + 40 + 256 * 4;
    std::vector<unsigned char> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, offBits + imageSize);
    put32(out, 0);
    put32(out, offBits);
    put32(out, 40);
    put32(out, uint32_t(canvas.width()));
    put32(out, uint32_t(canvas.height()));
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);
    for (size_t i = 0; i < 256; ++i) {
        Rgb c = i < palette.colours().size() ? palette.colours()[i] : Rgb {};
        out.insert(out.end(), { c.b, c.g, c.r, 0 });
    }
    for (int y = canvas.height() - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width(); ++x)
            out.push_back(canvas.at(x, y));
        out.insert(out.end(), stride - uint32_t(canvas.width()), 0);
    }
    return out;
}

} // namespace mkdata
