// "unit16.bmp", "unit32.bmp", "unit48.bmp": one picture per unit type at its imageNumber.
// Ground units are framed map symbols with their branch sign (cross for infantry, oval for
// armour, dot for guns, arc for air defence...); aircraft, helicopters, missiles and ships are
// silhouettes. The body is blue so that the colour filter turns it to each country's colour;
// lines are grey and stay as they are. The lower right is kept clear for the strength figure.
// Cells: 0 headquarters, 1 infantry, 2 armour, 3 self-propelled gun, 4 rocket artillery, 5 anti-air
// gun, 6 anti-air missile, 7 supply, 8 engineers, 9 armoured carrier, 10 ballistic missile launcher,
// 11 cruise missile, 12 ballistic missile, 13 fighter, 14 attack aircraft, 15 attack helicopter,
// 16 transport helicopter, 17 transport aircraft, 18 electronic warfare aircraft, 19 destroyer,
// 20 submarine, 21 transport ship, 22 landing ship, 23 cruiser; 24..31 are free.
#include "tools/mkdata/map_units.h"
#include "tools/mkdata/generator.h"
#include "state/map_sheet_layout.h"

#include <algorithm>
#include <cmath>

namespace mkdata::units {
namespace {

using sheet::Points;

const Rgb kBody { 70, 110, 214 };
const Rgb kBodyLight { 140, 172, 244 };
const Rgb kBodyDark { 34, 60, 150 };
const Rgb kLine { 20, 20, 20 };
const Rgb kWhite { 240, 240, 240 };

// The frame of a ground unit's symbol, in 32-pixel units.
constexpr double kLeft = 3, kTop = 5, kRight = 27, kBottom = 21;

struct Symbol {
    sheet::Cell& c;
    double u;

    double operator()(double v) const { return v * u; }
    double lineWidth() const { return std::max(1.0, std::round(1.4 * u)); }
    uint8_t ink(Rgb colour) { return c.ink(colour); }

    void frame()
    {
        const double w = lineWidth();
        c.rect(std::floor(kLeft * u) - w, std::floor(kTop * u) - w, std::ceil(kRight * u) + w, std::ceil(kBottom * u) + w, ink(kLine));
        const double l = std::floor(kLeft * u), t = std::floor(kTop * u), r = std::ceil(kRight * u), b = std::ceil(kBottom * u);
        c.rect(l, t, r, b, ink(kBody));
        // A bevel where there is room for it.
        if (c.size() >= 32) {
            c.rect(l, t, r, t + 1, ink(kBodyLight));
            c.rect(l, t, l + 1, b, ink(kBodyLight));
            c.rect(l, b - 1, r, b, ink(kBodyDark));
            c.rect(r - 1, t, r, b, ink(kBodyDark));
        }
    }
    void line(double x0, double y0, double x1, double y1) { c.stroke(x0 * u, y0 * u, x1 * u, y1 * u, lineWidth(), ink(kLine)); }
    void oval(double cx, double cy, double rx, double ry)
    {
        const double w = lineWidth();
        c.ellipse(cx * u, cy * u, rx * u + w / 2, ry * u + w / 2, ink(kLine));
        c.ellipse(cx * u, cy * u, rx * u - w / 2, ry * u - w / 2, ink(kBody));
    }
    void dot(double cx, double cy, double r) { c.disc(cx * u, cy * u, std::max(1.0, r * u), ink(kLine)); }
    void arc(double cx, double cy, double r)
    {
        const double w = lineWidth();
        for (int y = 0; y < c.size(); ++y)
            for (int x = 0; x < c.size(); ++x) {
                const double d = std::hypot(x + 0.5 - cx * u, y + 0.5 - cy * u);
                if (y + 0.5 <= cy * u && d <= r * u + w / 2 && d >= r * u - w / 2)
                    c.set(x, y, ink(kLine));
            }
    }
    // A filled outline shape: the body with a one-pixel dark edge.
    void silhouette(const Points& points, Rgb fill = kBody) { c.outlinedPolygon(points, u, ink(kLine), ink(fill)); }
    void detail(double x0, double y0, double x1, double y1, Rgb colour = kBodyLight)
    {
        c.stroke(x0 * u, y0 * u, x1 * u, y1 * u, std::max(1.0, u), ink(colour));
    }
    void blob(double cx, double cy, double rx, double ry, Rgb fill = kBody)
    {
        c.ellipse(cx * u, cy * u, rx * u + 1, ry * u + 1, ink(kLine));
        c.ellipse(cx * u, cy * u, rx * u, ry * u, ink(fill));
    }
};

constexpr double kMidX = (kLeft + kRight) / 2;
constexpr double kMidY = (kTop + kBottom) / 2;

void missileUpright(Symbol& s, double x, double top, double bottom, double half, Rgb fill = kWhite)
{
    s.silhouette({ { x, top }, { x + half, top + half * 2 }, { x + half, bottom - half }, { x + half * 2, bottom }, { x - half * 2, bottom },
        { x - half, bottom - half }, { x - half, top + half * 2 } },
        fill);
}

void groundSymbol(Symbol& s, int picture)
{
    s.frame();
    switch (picture) {
    case kHeadquarters:
        s.line(kLeft, kTop, kLeft, 30);
        s.silhouette({ { 8, 8 }, { 22, 11 }, { 8, 15 } }, kWhite);
        s.line(8, 8, 8, 18);
        break;
    case kInfantry:
        s.line(kLeft, kTop, kRight, kBottom);
        s.line(kLeft, kBottom, kRight, kTop);
        break;
    case kArmour: s.oval(kMidX, kMidY, 8, 4.5); break;
    case kSelfPropelledGun:
        s.oval(kMidX, kMidY, 8.5, 5);
        s.dot(kMidX, kMidY, 2);
        break;
    case kRocketArtillery:
        s.dot(kMidX, kMidY + 3, 2);
        s.line(kMidX, kMidY + 2, kMidX, kTop + 2.5);
        s.line(kMidX - 3, kTop + 5.5, kMidX, kTop + 2.5);
        s.line(kMidX + 3, kTop + 5.5, kMidX, kTop + 2.5);
        break;
    case kAntiAirGun:
        s.arc(kMidX, kBottom - 2, 8);
        s.oval(kMidX, kBottom - 4.5, 6, 2.5);
        break;
    case kAntiAirMissile:
        s.arc(kMidX, kBottom - 1, 9);
        missileUpright(s, kMidX, kTop + 2.5, kBottom - 2, 1.5);
        break;
    case kSupply:
        s.line(kLeft, kBottom - 4.5, kRight, kBottom - 4.5);
        s.dot(kMidX - 5, kMidY - 2, 1.8);
        s.dot(kMidX + 5, kMidY - 2, 1.8);
        break;
    case kEngineers:
        s.line(kMidX - 7, kMidY - 2, kMidX + 7, kMidY - 2);
        for (double x : { kMidX - 7, kMidX, kMidX + 7 })
            s.line(x, kMidY - 2, x, kMidY + 3);
        break;
    case kArmouredCarrier:
        s.line(kLeft, kTop, kRight, kBottom);
        s.line(kLeft, kBottom, kRight, kTop);
        s.oval(kMidX, kMidY, 6, 3.5);
        break;
    default: // kBallisticLauncher
        missileUpright(s, kMidX, kTop + 1.5, kBottom - 2.5, 1.8);
        s.line(kLeft + 2, kBottom - 2, kRight - 2, kBottom - 2);
        break;
    }
}

void aircraft(Symbol& s, int picture)
{
    switch (picture) {
    case kFighter:
        s.silhouette({ { 15, 2 }, { 17, 8 }, { 26, 20 }, { 26, 22 }, { 18, 20 }, { 18, 24 }, { 21, 27 }, { 9, 27 }, { 12, 24 },
            { 12, 20 }, { 4, 22 }, { 4, 20 }, { 13, 8 } });
        s.detail(15, 6, 15, 12, kWhite);
        break;
    case kAttackAircraft:
        s.silhouette({ { 15, 3 }, { 17, 7 }, { 17, 12 }, { 28, 15 }, { 28, 18 }, { 17, 18 }, { 17, 24 }, { 21, 27 }, { 9, 27 },
            { 13, 24 }, { 13, 18 }, { 2, 18 }, { 2, 15 }, { 13, 12 }, { 13, 7 } });
        s.blob(8, 19.5, 1.2, 2.2, kBodyDark);
        s.blob(22, 19.5, 1.2, 2.2, kBodyDark);
        break;
    case kTransportAircraft:
        s.silhouette({ { 15, 2 }, { 18, 5 }, { 18, 11 }, { 30, 13 }, { 30, 16 }, { 18, 16 }, { 17.5, 24 }, { 23, 27 }, { 7, 27 },
            { 12.5, 24 }, { 12, 16 }, { 0, 16 }, { 0, 13 }, { 12, 11 }, { 12, 5 } });
        for (double x : { 5.0, 9.0, 21.0, 25.0 })
            s.blob(x, 15, 1, 2, kBodyDark);
        break;
    case kElectronicWarfare:
        s.silhouette({ { 15, 2 }, { 17, 6 }, { 17, 12 }, { 28, 16 }, { 28, 18 }, { 17, 17 }, { 17, 24 }, { 21, 27 }, { 9, 27 },
            { 13, 24 }, { 13, 17 }, { 2, 18 }, { 2, 16 }, { 13, 12 }, { 13, 6 } });
        s.blob(15, 17, 5, 3.2, kBodyLight);
        s.detail(11, 17, 19, 17, kBodyDark);
        break;
    case kAttackHelicopter:
        s.silhouette({ { 4, 14 }, { 8, 11 }, { 14, 11 }, { 17, 13 }, { 27, 13 }, { 29, 10 }, { 30, 10 }, { 29, 16 }, { 17, 16 },
            { 13, 19 }, { 6, 19 } });
        s.line(3, 8, 27, 8);
        s.line(15, 8, 15, 11);
        s.line(7, 21, 15, 21);
        s.detail(6, 14, 10, 13, kWhite);
        break;
    case kTransportHelicopter:
        s.silhouette({ { 4, 14 }, { 7, 11 }, { 26, 11 }, { 28, 13 }, { 28, 19 }, { 5, 19 } });
        s.line(1, 8, 13, 8);
        s.line(19, 8, 31, 8);
        s.line(7, 8, 7, 11);
        s.line(25, 8, 25, 11);
        for (double x : { 10.0, 14.0, 18.0, 22.0 })
            s.detail(x, 13.5, x + 2, 13.5, kWhite);
        break;
    case kCruiseMissile:
        s.silhouette({ { 3, 14 }, { 6, 12 }, { 24, 12 }, { 27, 9 }, { 29, 9 }, { 28, 13 }, { 28, 15 }, { 29, 19 }, { 27, 19 },
            { 24, 16 }, { 6, 16 } });
        s.detail(12, 14, 18, 14, kWhite);
        break;
    default: // kBallisticMissile
        missileUpright(s, 15, 2, 22, 2.5, kBody);
        s.detail(13.5, 9, 16.5, 9, kWhite);
        s.c.polygon({ { 12 * s.u, 23 * s.u }, { 15 * s.u, 29 * s.u }, { 18 * s.u, 23 * s.u } }, s.ink({ 200, 200, 200 }));
        break;
    }
}

void ship(Symbol& s, int picture)
{
    switch (picture) {
    case kSubmarine:
        s.blob(15, 17, 13, 3.5);
        s.silhouette({ { 12, 9 }, { 17, 9 }, { 18, 14 }, { 11, 14 } });
        s.detail(6, 17, 24, 17, kBodyLight);
        break;
    case kTransportShip:
        s.silhouette({ { 1, 14 }, { 29, 14 }, { 26, 21 }, { 4, 21 } });
        s.silhouette({ { 22, 8 }, { 27, 8 }, { 27, 14 }, { 22, 14 } }, kBodyLight);
        for (double x : { 5.0, 10.0, 15.0 })
            s.silhouette({ { x, 10 }, { x + 4, 10 }, { x + 4, 14 }, { x, 14 } }, kBodyDark);
        break;
    case kLandingShip:
        s.silhouette({ { 1, 15 }, { 30, 15 }, { 28, 21 }, { 3, 21 } });
        s.silhouette({ { 20, 9 }, { 26, 9 }, { 26, 15 }, { 20, 15 } }, kBodyLight);
        s.line(1, 15, 4, 12);
        s.detail(5, 17, 18, 17, kBodyLight);
        break;
    case kCruiser:
        s.silhouette({ { 0, 14 }, { 31, 14 }, { 27, 21 }, { 4, 21 } });
        s.silhouette({ { 8, 9 }, { 13, 9 }, { 13, 14 }, { 8, 14 } }, kBodyLight);
        s.silhouette({ { 17, 7 }, { 22, 7 }, { 22, 14 }, { 17, 14 } }, kBodyLight);
        s.line(19.5, 3, 19.5, 7);
        s.line(3, 12, 7, 12);
        s.line(24, 12, 28, 12);
        break;
    case kMissileSubmarine:
        // Longer than the attack boat, its missile deck a hump behind the sail.
        s.blob(15, 17, 14, 3.5);
        s.silhouette({ { 9, 9 }, { 13, 9 }, { 14, 14 }, { 8, 14 } });
        s.silhouette({ { 17, 12 }, { 26, 12 }, { 27, 15 }, { 16, 15 } }, kBodyLight);
        break;
    case kFrigate:
        // A destroyer's shape with a missile launcher fore and aft of one tall mast.
        s.silhouette({ { 1, 15 }, { 30, 15 }, { 27, 21 }, { 4, 21 } });
        s.silhouette({ { 12, 10 }, { 19, 10 }, { 19, 15 }, { 12, 15 } }, kBodyLight);
        s.line(15.5, 3, 15.5, 10);
        s.silhouette({ { 3, 12 }, { 9, 12 }, { 9, 15 }, { 3, 15 } }, kBodyDark);
        s.silhouette({ { 22, 12 }, { 28, 12 }, { 28, 15 }, { 22, 15 } }, kBodyDark);
        break;
    case kExplosiveBoat:
        // A small open boat riding high at the bow, its charge a dark block amidships.
        s.silhouette({ { 4, 18 }, { 28, 16 }, { 25, 22 }, { 7, 22 } });
        s.silhouette({ { 12, 14 }, { 20, 14 }, { 20, 18 }, { 12, 18 } }, kBodyDark);
        break;
    case kTorpedoBoat:
        // Low and fast: a short bridge and the two torpedo tubes along the deck.
        s.silhouette({ { 2, 16 }, { 30, 16 }, { 26, 21 }, { 5, 21 } });
        s.silhouette({ { 14, 11 }, { 19, 11 }, { 19, 16 }, { 14, 16 } }, kBodyLight);
        s.detail(4, 14.5, 11, 14.5, kBodyDark);
        s.detail(21, 14.5, 28, 14.5, kBodyDark);
        break;
    default: // kDestroyer
        s.silhouette({ { 1, 15 }, { 30, 15 }, { 27, 21 }, { 4, 21 } });
        s.silhouette({ { 11, 9 }, { 18, 9 }, { 18, 15 }, { 11, 15 } }, kBodyLight);
        s.line(14.5, 4, 14.5, 9);
        s.line(3, 13, 8, 13);
        break;
    }
}

} // namespace

bool drawUnitPicture(sheet::Cell& cell, int picture)
{
    if (picture < 0 || picture >= kPictureCount)
        return false;
    Symbol s { cell, cell.unit() };
    if (picture <= kBallisticLauncher)
        groundSymbol(s, picture);
    else if (picture <= kElectronicWarfare)
        aircraft(s, picture);
    else
        ship(s, picture);
    return true;
}

namespace {

void writeUnitSheets(const std::filesystem::path& folder)
{
    for (int zoom = 0; zoom < map_sheet::kZoomCount; ++zoom) {
        const int size = map_sheet::kHexSize[zoom];
        sheet::InkTable inks;
        inks.index(kMagenta);
        auto draw = [&] {
            Canvas canvas(map_sheet::kUnitCells * size, size, inks.index(kMagenta));
            for (int picture = 0; picture < map_sheet::kUnitCells; ++picture) {
                sheet::Cell cell(canvas, inks, picture * size, 0, size, sheet::Light::Day, false);
                drawUnitPicture(cell, picture);
            }
            return canvas;
        };
        draw();
        inks.settle();
        writeFile(folder / "tkbmp" / map_sheet::kUnitSheetFile[zoom], encodeBmp8(draw(), inks.palette()));
    }
}

} // namespace

MKDATA_GENERATOR("map_units", writeUnitSheets);

} // namespace mkdata::units
