// The buildings and bridges of the map sheets, in blue tones that the colour filter turns to each
// owner's colour; greys and the night windows are spared by the turn.
#include "tools/mkdata/map_sheet.h"

#include <algorithm>
#include <cmath>

namespace mkdata::sheet {
namespace {

using namespace terrain;

const Rgb kDeep { 22, 38, 100 };
const Rgb kDark { 38, 66, 156 };
const Rgb kMid { 66, 106, 212 };
const Rgb kLight { 124, 160, 240 };
const Rgb kPale { 186, 206, 250 };
const Rgb kEdge { 26, 26, 26 };
const Rgb kConcrete { 156, 156, 156 };
const Rgb kWhite { 236, 236, 236 };

// Shapes in 32-pixel units with a one-pixel dark edge at every zoom.
struct Building {
    Cell& c;
    double u;

    double operator()(double v) const { return v * u; }
    uint8_t ink(Rgb colour) { return c.ink(colour); }

    void box(double l, double t, double r, double b, Rgb fill)
    {
        c.rect(std::floor(l * u) - 1, std::floor(t * u) - 1, std::ceil(r * u) + 1, std::ceil(b * u) + 1, ink(kEdge));
        c.rect(std::floor(l * u), std::floor(t * u), std::ceil(r * u), std::ceil(b * u), ink(fill));
    }
    void shape(const Points& points, Rgb fill) { c.outlinedPolygon(points, u, ink(kEdge), ink(fill)); }
    void round(double x, double y, double r, Rgb fill)
    {
        c.disc(x * u, y * u, r * u + 1, ink(kEdge));
        c.disc(x * u, y * u, r * u, ink(fill));
    }
    void line(double x0, double y0, double x1, double y1, double width, Rgb colour)
    {
        c.stroke(x0 * u, y0 * u, x1 * u, y1 * u, std::max(1.0, width * u), ink(colour));
    }
    // A window: dark by day, lit by night.
    void window(double x, double y)
    {
        const uint8_t lit = c.night() ? c.raw({ 248, 248, 248 }) : ink(kDeep);
        c.rect(std::floor(x * u), std::floor(y * u), std::floor(x * u) + std::max(1.0, std::floor(1.5 * u)),
            std::floor(y * u) + std::max(1.0, std::floor(1.5 * u)), lit);
    }
    void house(double x, double y, double w, double h)
    {
        box(x, y, x + w, y + h, kLight);
        shape({ { x - 1, y + 0.5 }, { x + w / 2, y - h * 0.6 }, { x + w + 1, y + 0.5 } }, kMid);
        window(x + w / 2 - 0.7, y + h / 2 - 0.5);
    }
    void tower(double x, double y, double w, double bottom)
    {
        box(x, y, x + w, bottom, kMid);
        c.rect(std::floor((x + w * 0.6) * u), std::floor(y * u), std::ceil((x + w) * u), std::ceil(bottom * u), ink(kDark));
        for (double wy = y + 2; wy < bottom - 2; wy += 3)
            window(x + w * 0.25, wy);
    }
    void flag(double x, double y)
    {
        line(x, y, x, y + 8, 0.8, kEdge);
        shape({ { x + 0.5, y }, { x + 6, y + 1.5 }, { x + 0.5, y + 3.5 } }, kPale);
    }
    void runway(double x0, double y0, double x1, double y1, double width)
    {
        line(x0, y0, x1, y1, width + 1.5, kEdge);
        line(x0, y0, x1, y1, width, kConcrete);
        const int dashes = 5;
        for (int i = 0; i < dashes; ++i) {
            const double a = (i + 0.2) / dashes;
            const double b = (i + 0.6) / dashes;
            c.stroke((x0 + (x1 - x0) * a) * u, (y0 + (y1 - y0) * a) * u, (x0 + (x1 - x0) * b) * u, (y0 + (y1 - y0) * b) * u,
                1, ink(kWhite));
        }
    }
    void hangar(double x, double y, double w)
    {
        box(x, y + w * 0.3, x + w, y + w * 0.7, kMid);
        c.ellipse((x + w / 2) * u, (y + w * 0.3) * u, w / 2 * u + 1, w * 0.3 * u + 1, ink(kEdge));
        c.ellipse((x + w / 2) * u, (y + w * 0.3) * u, w / 2 * u, w * 0.3 * u, ink(kLight));
    }
    void factoryHall(double x, double y, double w, double h)
    {
        box(x, y, x + w, y + h, kLight);
        for (double tx = x; tx + 4 <= x + w + 0.1; tx += 4)
            shape({ { tx, y }, { tx + 4, y - 3 }, { tx + 4, y } }, kMid);
        for (double wx = x + 1.5; wx < x + w - 1; wx += 4)
            window(wx, y + h / 2);
    }
};

void drawCapital(Building& b)
{
    b.box(5, 17, 27, 26, kLight);
    b.box(10, 13, 22, 26, kMid);
    b.c.ellipse(16 * b.u, 13 * b.u, 5 * b.u + 1, 4.5 * b.u + 1, b.ink(kEdge));
    b.c.ellipse(16 * b.u, 13 * b.u, 5 * b.u, 4.5 * b.u, b.ink(kPale));
    b.c.rect(16 * b.u, 8.5 * b.u, 21 * b.u, 13 * b.u, b.ink(kLight));
    for (double x = 11.5; x < 21; x += 3)
        b.line(x, 16, x, 25, 0.9, kPale);
    b.window(7, 20);
    b.window(24, 20);
    b.flag(16, 2);
}

void drawBuildingOf(Building& b, int id)
{
    switch (id) {
    case kCapital: drawCapital(b); break;
    case kBigCity:
        b.tower(5, 12, 6, 26);
        b.tower(19, 9, 7, 26);
        b.tower(12, 5, 6, 27);
        b.house(22, 24, 6, 4);
        break;
    case kCity:
        b.house(6, 10, 8, 6);
        b.house(18, 9, 8, 6);
        b.tower(13, 14, 6, 26);
        b.house(5, 21, 7, 5);
        b.house(20, 21, 7, 5);
        break;
    case kSmallCity:
        b.house(7, 12, 8, 6);
        b.house(18, 14, 8, 6);
        b.house(11, 22, 8, 5);
        break;
    case kVillage:
        b.house(8, 14, 7, 5);
        b.house(18, 19, 7, 5);
        break;
    case kAirport:
        b.runway(3, 23, 29, 11, 3.5);
        b.box(6, 8, 14, 14, kMid);
        b.box(8, 3, 10, 8, kLight);
        b.box(7, 2, 11, 4, kPale);
        break;
    case kAirfield:
        b.runway(5, 22, 27, 14, 2.8);
        b.hangar(8, 7, 8);
        break;
    case kAirBase:
        b.runway(3, 22, 29, 12, 3);
        b.runway(8, 6, 24, 27, 2.5);
        b.hangar(20, 4, 7);
        b.hangar(3, 8, 6);
        break;
    case kFactory:
        b.factoryHall(5, 15, 16, 10);
        b.box(23, 6, 26, 25, kDark);
        b.round(24.5, 4, 2, kWhite);
        break;
    case kArmsFactory:
        b.factoryHall(4, 12, 16, 8);
        b.box(6, 21, 26, 27, kMid);
        b.round(24, 12, 4, kLight);
        b.round(24, 12, 1.5, kDark);
        break;
    case kPort:
        b.box(2, 22, 30, 27, kConcrete);
        b.box(6, 13, 17, 22, kLight);
        b.line(22, 22, 22, 6, 1.2, kDark);
        b.line(22, 6, 29, 10, 1.0, kDark);
        b.line(29, 10, 29, 16, 0.6, kEdge);
        break;
    case kNavalPort:
        b.box(2, 22, 30, 27, kConcrete);
        b.c.ring(16 * b.u, 14 * b.u, 5 * b.u, 6.4 * b.u, b.ink(kDark));
        b.c.rect(8 * b.u, 8 * b.u, 24 * b.u, 14 * b.u, b.c.raw(kMagenta));
        b.line(16, 5, 16, 19, 1.6, kDark);
        b.line(12, 8, 20, 8, 1.4, kDark);
        b.round(16, 4, 1.6, kLight);
        b.box(4, 15, 10, 22, kLight);
        b.box(22, 15, 28, 22, kLight);
        break;
    case kOilField:
        b.line(8, 26, 12, 6, 1, kDark);
        b.line(16, 26, 12, 6, 1, kDark);
        b.line(9, 19, 15, 19, 1, kDark);
        b.line(10, 13, 14, 13, 1, kDark);
        b.round(22, 20, 5, kMid);
        b.round(21, 19, 2, kPale);
        break;
    case kPowerPlant:
        for (double x : { 6.0, 16.0 })
            b.shape({ { x, 26 }, { x + 1.8, 16 }, { x + 1, 9 }, { x + 7, 9 }, { x + 6.2, 16 }, { x + 8, 26 } }, kLight);
        b.c.ellipse(10 * b.u, 9 * b.u, 3 * b.u, 1 * b.u, b.ink(kDark));
        b.c.ellipse(20 * b.u, 9 * b.u, 3 * b.u, 1 * b.u, b.ink(kDark));
        b.round(26, 22, 4, kMid);
        break;
    case kMissileBase:
        b.round(9, 20, 4.5, kConcrete);
        b.round(9, 20, 2.5, kDeep);
        b.shape({ { 20, 4 }, { 23, 9 }, { 23, 22 }, { 25, 26 }, { 15, 26 }, { 17, 22 }, { 17, 9 } }, kLight);
        b.line(20, 11, 20, 20, 1, kMid);
        break;
    case kDam:
        b.shape({ { 2, 12 }, { 16, 16 }, { 30, 12 }, { 30, 18 }, { 16, 22 }, { 2, 18 } }, kLight);
        for (double x = 6; x < 28; x += 5)
            b.line(x, 14 + (x < 16 ? (x - 2) / 3.5 : (30 - x) / 3.5), x, 18 + (x < 16 ? (x - 2) / 3.5 : (30 - x) / 3.5), 0.8, kMid);
        break;
    case kTunnel:
        b.c.ellipse(16 * b.u, 22 * b.u, 9 * b.u + 1, 9 * b.u + 1, b.ink(kEdge));
        b.c.ellipse(16 * b.u, 22 * b.u, 9 * b.u, 9 * b.u, b.ink(kLight));
        b.c.ellipse(16 * b.u, 23 * b.u, 5.5 * b.u, 6.5 * b.u, b.ink({ 14, 14, 14 }));
        b.c.rect(0, 27 * b.u, 32 * b.u, 32 * b.u, b.c.raw(kMagenta));
        break;
    case kFortress: {
        Points star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 7.0 : 12.0;
            const double a = -M_PI / 2 + i * M_PI / 5;
            star.push_back({ 16 + r * std::cos(a), 17 + r * std::sin(a) });
        }
        b.shape(star, kMid);
        b.round(16, 17, 4.5, kLight);
        b.flag(16, 6);
        break;
    }
    case kSpecial:
        b.box(6, 19, 26, 26, kMid);
        b.round(16, 15, 6, kPale);
        b.line(24, 8, 24, 19, 0.8, kDark);
        b.c.ellipse(24 * b.u, 8 * b.u, 3 * b.u, 1.5 * b.u, b.ink(kLight));
        break;
    case kPillbox: {
        Points hexagon;
        for (int i = 0; i < 6; ++i)
            hexagon.push_back({ 16 + 8 * std::cos(i * M_PI / 3), 18 + 6 * std::sin(i * M_PI / 3) });
        b.shape(hexagon, kDark);
        b.c.rect(11 * b.u, 16 * b.u, 21 * b.u, 16 * b.u + std::max(1.0, b.u), b.ink({ 10, 10, 10 }));
        break;
    }
    case kBridge:
        b.box(0, 12, 32, 20, kLight);
        b.line(0, 12.5, 32, 12.5, 0.8, kDark);
        b.line(0, 19.5, 32, 19.5, 0.8, kDark);
        for (double x = 6; x < 32; x += 10)
            b.box(x, 20, x + 2, 23, kConcrete);
        break;
    case kTemporaryBridge:
        for (double x = 2; x < 32; x += 7)
            b.c.ellipse((x + 2.5) * b.u, 16 * b.u, 3 * b.u, 4.5 * b.u, b.ink(kDark));
        b.box(0, 14, 32, 18, kLight);
        break;
    default: break;
    }
}

} // namespace

bool drawBuilding(Cell& cell, int terrainId)
{
    if (!((terrainId >= kCapital && terrainId <= kPillbox) || terrainId == kBridge || terrainId == kTemporaryBridge))
        return false;
    Building b { cell, cell.unit() };
    drawBuildingOf(b, terrainId);
    return true;
}

} // namespace mkdata::sheet
