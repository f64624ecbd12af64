// Drawing inside one cell of the map and unit sheets: the hex mask, day and night inks, and
// shapes in pixel coordinates of the cell, so that one drawing serves the three zooms.
#pragma once

#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/map_sheet_inks.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace mkdata::sheet {

enum class Light { Day, Night };

// The hex of a cell of `size` pixels, exactly as the map view's hit test divides the plane:
// the pointed top in the first quarter, the bottom quarter shared with the next row's tops.
bool inHex(int size, int x, int y);

// The night look of a day colour: darker and bluer. Magenta and pure greys stay as they are
// hue-wise, so tinted pictures keep their spared colours.
Rgb nightOf(Rgb day);
Rgb mix(Rgb a, Rgb b, double t);
Rgb scaled(Rgb c, double factor);

// A repeatable pseudo-random number from a position and a seed.
uint32_t noise(int x, int y, uint32_t seed);

using Points = std::vector<std::pair<double, double>>;

// One cell of a sheet. Inks go through the night look when the cell is a night picture;
// `clip` keeps every pixel inside the hex.
class Cell {
public:
    Cell(Canvas& canvas, InkTable& inks, int left, int top, int size, Light light, bool clip);

    int size() const { return m_size; }
    double unit() const { return m_size / 32.0; }
    bool night() const { return m_light == Light::Night; }
    // The palette index of a colour as this cell shows it.
    uint8_t ink(Rgb colour);
    // The colour without the night look (lights, marks).
    uint8_t raw(Rgb colour) { return m_inks.index(colour); }

    bool inside(int x, int y) const;
    void set(int x, int y, uint8_t index);
    uint8_t at(int x, int y) const { return m_canvas.at(m_left + x, m_top + y); }

    void fill(uint8_t index);
    // Each pixel inside picks one of the inks by noise, weighted by the shares (per 256).
    void speckle(uint8_t a, uint8_t b, int shareOfB, uint32_t seed);
    void rect(double left, double top, double right, double bottom, uint8_t index);
    void disc(double cx, double cy, double radius, uint8_t index);
    void ellipse(double cx, double cy, double rx, double ry, uint8_t index);
    // A ring between two radii.
    void ring(double cx, double cy, double inner, double outer, uint8_t index);
    // A stroke of the given width from one point to another, round at the ends.
    void stroke(double x0, double y0, double x1, double y1, double width, uint8_t index);
    void polygon(const Points& points, uint8_t index);
    // The polygon scaled by `scale`, with a one-pixel edge of another ink all round.
    void outlinedPolygon(const Points& points, double scale, uint8_t edge, uint8_t fill);
    void polyline(const Points& points, double width, uint8_t index);

private:
    Canvas& m_canvas;
    InkTable& m_inks;
    int m_left;
    int m_top;
    int m_size;
    Light m_light;
    bool m_clip;
};

// The six corners of the hex of a cell, in pixel coordinates, from the top clockwise.
Points hexCorners(int size);
// The middle of the edge in direction d (0 west, 1 south-west, 2 south-east, 3 east,
// 4 north-east, 5 north-west), and the two corners of that edge.
std::pair<double, double> edgeMiddle(int size, int direction);
std::pair<std::pair<double, double>, std::pair<double, double>> edgeEnds(int size, int direction);

} // namespace mkdata::sheet
