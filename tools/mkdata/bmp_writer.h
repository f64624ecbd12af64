// A small 8-bit paletted canvas and its BMP writer, shared by the picture generators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace mkdata {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// The transparent colour of every picture that is recoloured or blitted over others.
constexpr Rgb kMagenta { 255, 0, 255 };

// At most 256 colours; a pixel is an index into it.
class Palette {
public:
    // Adds the colour when new; throws when the palette is full.
    uint8_t index(Rgb colour);
    const std::vector<Rgb>& colours() const { return m_colours; }

private:
    std::vector<Rgb> m_colours;
};

// Pixels as palette indices, rows top-down. Drawing outside the canvas is clipped.
class Canvas {
public:
    Canvas(int width, int height, uint8_t fill = 0);

    int width() const { return m_width; }
    int height() const { return m_height; }
    uint8_t at(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)]; }
    void set(int x, int y, uint8_t index);

    void fillRect(int left, int top, int right, int bottom, uint8_t index);
    void frameRect(int left, int top, int right, int bottom, uint8_t index);
    void line(int x0, int y0, int x1, int y1, uint8_t index);
    void fillCircle(int cx, int cy, int radius, uint8_t index);
    // Even-odd fill of the pixels whose centres lie inside the polygon.
    void fillPolygon(const std::vector<std::pair<int, int>>& points, uint8_t index);
    // Copies src to (x, y), skipping its pixels of index `skip` when skip >= 0.
    void paste(const Canvas& src, int x, int y, int skip = -1);

private:
    int m_width;
    int m_height;
    std::vector<uint8_t> m_pixels;
};

// The corners of a star of `points` tips, the first tip straight up, for Canvas::fillPolygon.
std::vector<std::pair<int, int>> starPoints(int cx, int cy, int outer, int inner, int points);

// A BMP file: 14-byte file header, 40-byte info header, 256-entry colour table (unused
// entries black), rows bottom-up padded to four bytes.
std::vector<unsigned char> encodeBmp8(const Canvas& canvas, const Palette& palette);

} // namespace mkdata
