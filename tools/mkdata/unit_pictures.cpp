// "tkunit": the side views the information windows show for each unit type, named by the type's
// image number ("%04d.bmp", magenta transparent), and "000.bmp" for a type without one (black
// transparent). Vehicles stand on their wheels at the bottom edge; aircraft and ships fill the box.
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"
#include "tools/mkdata/map_units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mkdata::unit_pictures {
namespace {

using Points = std::vector<std::pair<int, int>>;

constexpr int kWidth = 320;
constexpr int kHeight = 128;

struct Tone {
    uint8_t body, light, dark;
};

struct Inks {
    Tone olive, navy, air, missile;
    uint8_t line, tyre, hub, glass, red, skin, flag;
};

class Painter {
public:
    Painter(Canvas& canvas, const Inks& inks) : c(canvas), k(inks) { }

    // A shaded polygon: the body, a light top edge and a dark outline.
    void shape(const Points& points, const Tone& tone)
    {
        c.fillPolygon(points, tone.body);
        outline(points, k.line);
        int top = kHeight;
        for (const auto& p : points)
            top = std::min(top, p.second);
        for (size_t i = 0; i < points.size(); ++i) {
            const auto& a = points[i];
            const auto& b = points[(i + 1) % points.size()];
            if (a.second == top && b.second == top)
                c.line(a.first + 1, top + 1, b.first - 1, top + 1, tone.light);
        }
    }
    void outline(const Points& points, uint8_t ink)
    {
        for (size_t i = 0; i < points.size(); ++i) {
            const auto& a = points[i];
            const auto& b = points[(i + 1) % points.size()];
            c.line(a.first, a.second, b.first, b.second, ink);
        }
    }
    void box(int l, int t, int r, int b, const Tone& tone) { shape({ { l, t }, { r, t }, { r, b }, { l, b } }, tone); }
    // A barrel from (x, y), length and angle in degrees above the horizontal, pointing right.
    void barrel(int x, int y, int length, double degrees, int thickness)
    {
        const double a = degrees * 3.14159265 / 180.0;
        const int ex = x + int(std::lround(length * std::cos(a)));
        const int ey = y - int(std::lround(length * std::sin(a)));
        for (int t = -thickness / 2; t <= thickness / 2; ++t)
            c.line(x, y + t, ex, ey + t, k.olive.dark);
        c.line(x, y - thickness / 2 - 1, ex, ey - thickness / 2 - 1, k.line);
    }
    void wheel(int x, int y, int r)
    {
        c.fillCircle(x, y, r, k.tyre);
        c.fillCircle(x, y, std::max(1, r / 2), k.hub);
    }
    void tracks(int l, int r, int bottom)
    {
        shape({ { l + 6, bottom - 22 }, { r - 6, bottom - 22 }, { r, bottom - 12 }, { r - 10, bottom }, { l + 10, bottom },
                  { l, bottom - 12 } },
            Tone { k.tyre, k.hub, k.line });
        for (int x = l + 14; x <= r - 14; x += 22)
            wheel(x, bottom - 10, 8);
    }
    void wheels(int l, int r, int bottom, int count, int radius)
    {
        const int step = count > 1 ? (r - l) / (count - 1) : 0;
        for (int i = 0; i < count; ++i)
            wheel(l + step * i, bottom - radius, radius);
    }
    void cab(int l, int bottom, const Tone& tone)
    {
        shape({ { l, bottom - 18 }, { l + 10, bottom - 44 }, { l + 44, bottom - 44 }, { l + 44, bottom - 18 } }, tone);
        c.fillPolygon({ { l + 14, bottom - 40 }, { l + 38, bottom - 40 }, { l + 38, bottom - 28 }, { l + 9, bottom - 28 } },
            k.glass);
    }
    void soldier(int x, int bottom, bool rifleUp)
    {
        c.fillCircle(x, bottom - 62, 7, k.skin);
        box(x - 9, bottom - 70, x + 9, bottom - 64, k.olive);
        box(x - 8, bottom - 54, x + 8, bottom - 24, k.olive);
        box(x - 8, bottom - 24, x - 2, bottom, k.olive);
        box(x + 2, bottom - 24, x + 8, bottom, k.olive);
        if (rifleUp)
            c.line(x + 6, bottom - 30, x + 22, bottom - 72, k.line);
        else
            c.line(x - 6, bottom - 40, x + 28, bottom - 46, k.line);
    }
    void missile(int l, int y, int length, int radius, const Tone& tone, bool wings)
    {
        shape({ { l, y - radius }, { l + length - 18, y - radius }, { l + length, y }, { l + length - 18, y + radius },
                  { l, y + radius } },
            tone);
        c.fillPolygon({ { l + length - 18, y - radius }, { l + length, y }, { l + length - 18, y + radius } }, k.red);
        c.fillPolygon({ { l, y - radius }, { l - 6, y - radius - 10 }, { l + 12, y - radius } }, tone.dark);
        c.fillPolygon({ { l, y + radius }, { l - 6, y + radius + 10 }, { l + 12, y + radius } }, tone.dark);
        if (wings)
            c.fillPolygon({ { l + length / 2 - 10, y + radius }, { l + length / 2 - 24, y + radius + 14 },
                              { l + length / 2 + 14, y + radius } },
                tone.dark);
    }
    void jet(int nose, int y, int length, const Tone& tone)
    {
        const int tail = nose - length;
        shape({ { tail, y - 10 }, { nose - 70, y - 13 }, { nose - 24, y - 6 }, { nose, y }, { nose - 24, y + 5 },
                  { nose - 70, y + 10 }, { tail, y + 10 } },
            tone);
        c.fillPolygon({ { nose - 84, y - 12 }, { nose - 62, y - 24 }, { nose - 34, y - 9 } }, k.glass);
        shape({ { tail, y - 10 }, { tail + 8, y - 46 }, { tail + 30, y - 46 }, { tail + 46, y - 10 } }, tone);
        c.fillPolygon({ { tail + 70, y + 4 }, { tail + 124, y + 4 }, { tail + 98, y + 24 }, { tail + 58, y + 24 } },
            tone.dark);
        c.fillPolygon({ { nose - 110, y - 2 }, { nose - 92, y - 2 }, { nose - 92, y + 8 }, { nose - 110, y + 8 } }, tone.dark);
        c.fillPolygon({ { tail - 6, y - 6 }, { tail, y - 8 }, { tail, y + 8 }, { tail - 6, y + 6 } }, k.line);
    }
    void rotor(int x, int y, int span)
    {
        c.fillRect(x - 2, y, x + 3, y + 10, k.line);
        c.fillRect(x - span, y - 2, x + span, y + 1, k.line);
    }
    void hull(int l, int r, int deck, int keel, const Tone& tone)
    {
        shape({ { l, deck }, { r, deck - 6 }, { r - 22, keel }, { l + 14, keel } }, tone);
        c.line(l + 14, keel - 6, r - 26, keel - 6, k.red);
    }

    Canvas& c;
    const Inks& k;
};

constexpr int kGround = kHeight - 2;

void paintPicture(Painter& p, int picture)
{
    using namespace units;
    const Inks& k = p.k;
    switch (picture) {
    case kHeadquarters:
        p.box(90, kGround - 76, 236, kGround - 18, k.olive);
        p.cab(236, kGround, k.olive);
        p.wheels(116, 262, kGround, 3, 14);
        p.c.line(110, kGround - 76, 104, kGround - 124, k.line);
        p.c.fillPolygon({ { 104, kGround - 124 }, { 140, kGround - 114 }, { 104, kGround - 104 } }, k.flag);
        p.c.line(200, kGround - 76, 210, kGround - 118, k.line);
        break;
    case kInfantry:
        for (int i = 0; i < 4; ++i)
            p.soldier(80 + 50 * i, kGround - (i % 2) * 4, i % 2 == 0);
        break;
    case kArmour:
        p.tracks(50, 270, kGround);
        p.shape({ { 48, kGround - 30 }, { 60, kGround - 44 }, { 232, kGround - 44 }, { 272, kGround - 30 },
                     { 264, kGround - 20 }, { 56, kGround - 20 } },
            k.olive);
        p.shape({ { 100, kGround - 44 }, { 116, kGround - 68 }, { 196, kGround - 68 }, { 216, kGround - 52 },
                     { 212, kGround - 44 } },
            k.olive);
        p.box(140, kGround - 76, 160, kGround - 68, k.olive);
        p.barrel(210, kGround - 58, 104, 2, 5);
        break;
    case kSelfPropelledGun:
        p.tracks(50, 270, kGround);
        p.box(56, kGround - 40, 264, kGround - 20, k.olive);
        p.box(70, kGround - 78, 190, kGround - 40, k.olive);
        p.barrel(186, kGround - 66, 120, 18, 6);
        break;
    case kRocketArtillery:
        p.box(60, kGround - 46, 232, kGround - 20, k.olive);
        p.cab(232, kGround, k.olive);
        p.shape({ { 70, kGround - 50 }, { 210, kGround - 92 }, { 222, kGround - 70 }, { 82, kGround - 40 } }, k.olive);
        for (int i = 0; i < 4; ++i)
            p.c.fillCircle(206 - i * 2, kGround - 86 + i * 6, 3, k.line);
        p.wheels(86, 258, kGround, 4, 14);
        break;
    case kAntiAirGun:
        p.tracks(50, 270, kGround);
        p.box(56, kGround - 40, 264, kGround - 20, k.olive);
        p.box(110, kGround - 70, 200, kGround - 40, k.olive);
        p.barrel(190, kGround - 62, 90, 50, 3);
        p.barrel(196, kGround - 56, 90, 50, 3);
        p.c.fillCircle(140, kGround - 86, 14, k.olive.light);
        p.c.line(140, kGround - 72, 140, kGround - 86, k.line);
        break;
    case kAntiAirMissile:
        p.box(60, kGround - 44, 232, kGround - 20, k.olive);
        p.cab(232, kGround, k.olive);
        for (int i = 0; i < 3; ++i)
            p.missile(76 + i * 8, kGround - 58 - i * 14, 130, 6, k.missile, false);
        p.wheels(86, 258, kGround, 3, 14);
        break;
    case kSupply:
        p.box(56, kGround - 86, 226, kGround - 22, k.olive);
        p.c.fillRect(130, kGround - 66, 152, kGround - 42, k.flag);
        p.c.fillRect(120, kGround - 58, 162, kGround - 50, k.flag);
        p.cab(226, kGround, k.olive);
        p.wheels(82, 252, kGround, 3, 15);
        break;
    case kEngineers:
        p.tracks(60, 250, kGround);
        p.box(66, kGround - 44, 244, kGround - 20, k.olive);
        p.box(120, kGround - 80, 190, kGround - 44, k.olive);
        p.c.fillRect(132, kGround - 74, 178, kGround - 56, k.glass);
        p.shape({ { 250, kGround - 50 }, { 290, kGround - 58 }, { 296, kGround - 4 }, { 262, kGround - 4 } }, k.olive);
        break;
    case kArmouredCarrier:
        p.shape({ { 40, kGround - 56 }, { 236, kGround - 56 }, { 280, kGround - 36 }, { 272, kGround - 18 },
                     { 48, kGround - 18 } },
            k.olive);
        p.box(130, kGround - 72, 170, kGround - 56, k.olive);
        p.barrel(166, kGround - 66, 40, 0, 2);
        p.wheels(70, 244, kGround, 4, 15);
        break;
    case kBallisticLauncher:
        p.box(30, kGround - 40, 248, kGround - 18, k.olive);
        p.cab(248, kGround, k.olive);
        p.missile(40, kGround - 56, 206, 10, k.missile, false);
        p.wheels(50, 270, kGround, 6, 13);
        break;
    case kCruiseMissile:
        p.missile(40, 64, 240, 12, k.missile, true);
        break;
    case kBallisticMissile:
        p.missile(24, 64, 280, 18, k.missile, false);
        break;
    case kFighter:
        p.jet(300, 66, 270, k.air);
        break;
    case kAttackAircraft:
        p.jet(296, 58, 260, k.air);
        for (int x : { 120, 160, 200 })
            p.shape({ { x, 82 }, { x + 24, 82 }, { x + 30, 88 }, { x + 24, 94 }, { x, 94 } }, k.olive);
        break;
    case kAttackHelicopter:
        p.shape({ { 110, 60 }, { 230, 54 }, { 272, 72 }, { 232, 92 }, { 130, 90 }, { 30, 70 }, { 30, 62 } }, k.olive);
        p.c.fillPolygon({ { 220, 58 }, { 256, 66 }, { 240, 76 }, { 214, 70 } }, k.glass);
        p.box(18, 40, 34, 70, k.olive);
        p.rotor(170, 38, 130);
        p.box(140, 92, 200, 100, k.olive);
        p.c.line(150, 100, 146, 114, k.line);
        p.c.line(210, 92, 214, 114, k.line);
        p.c.line(140, 114, 222, 114, k.line);
        break;
    case kTransportHelicopter:
        p.shape({ { 40, 50 }, { 270, 50 }, { 300, 72 }, { 276, 96 }, { 50, 96 }, { 24, 70 } }, k.olive);
        for (int x = 80; x <= 220; x += 30)
            p.c.fillRect(x, 62, x + 14, 74, k.glass);
        p.rotor(70, 30, 64);
        p.rotor(250, 30, 64);
        p.c.fillRect(60, 30, 80, 50, k.olive.dark);
        p.c.fillRect(240, 30, 260, 50, k.olive.dark);
        break;
    case kTransportAircraft:
        p.shape({ { 20, 56 }, { 40, 44 }, { 260, 44 }, { 304, 64 }, { 260, 86 }, { 40, 86 } }, k.air);
        p.shape({ { 20, 56 }, { 28, 10 }, { 52, 10 }, { 70, 46 } }, k.air);
        p.box(120, 38, 210, 46, k.air);
        for (int x : { 126, 170 })
            p.box(x, 46, x + 30, 58, k.air);
        p.c.fillPolygon({ { 272, 54 }, { 292, 60 }, { 272, 62 } }, k.glass);
        break;
    case kElectronicWarfare:
        p.jet(300, 72, 272, k.air);
        p.shape({ { 110, 38 }, { 190, 38 }, { 200, 46 }, { 100, 46 } }, k.missile);
        p.c.line(150, 46, 150, 62, k.line);
        break;
    case kDestroyer:
        p.hull(20, 306, 74, 110, k.navy);
        p.box(120, 44, 200, 72, k.navy);
        p.c.line(160, 44, 160, 12, k.line);
        p.c.line(150, 22, 170, 22, k.line);
        p.box(236, 58, 262, 70, k.navy);
        p.barrel(256, 62, 34, 6, 3);
        p.box(60, 60, 96, 72, k.navy);
        break;
    case kSubmarine:
        p.shape({ { 20, 80 }, { 40, 66 }, { 270, 66 }, { 304, 80 }, { 270, 96 }, { 40, 96 } }, k.navy);
        p.box(130, 40, 172, 66, k.navy);
        p.c.fillRect(122, 48, 180, 52, k.navy.dark);
        p.c.line(150, 40, 150, 24, k.line);
        break;
    case kTransportShip:
        p.hull(16, 308, 70, 110, k.navy);
        for (int x = 50; x < 200; x += 36)
            p.box(x, 46, x + 32, 68, k.olive);
        p.box(220, 28, 270, 68, k.navy);
        p.c.line(246, 28, 246, 8, k.line);
        break;
    case kLandingShip:
        p.hull(16, 308, 66, 110, k.navy);
        p.box(180, 24, 250, 64, k.navy);
        p.c.line(214, 24, 214, 6, k.line);
        p.c.fillRect(30, 60, 170, 64, k.navy.light);
        p.rotor(90, 40, 34);
        p.box(76, 48, 104, 60, k.olive);
        break;
    case kTorpedoBoat:
        p.hull(40, 290, 80, 108, k.navy);
        p.box(140, 56, 188, 80, k.navy);
        p.c.line(164, 56, 164, 36, k.line);
        for (int x : { 70, 220 }) {
            p.box(x, 72, x + 40, 80, k.navy);
            p.barrel(x + 36, 76, 20, 0, 4);
        }
        break;
    case kFrigate:
        p.hull(20, 306, 74, 110, k.navy);
        p.box(130, 40, 196, 72, k.navy);
        p.c.line(162, 40, 162, 6, k.line);
        p.c.line(150, 16, 174, 16, k.line);
        p.box(50, 60, 100, 72, k.navy);
        p.c.fillRect(56, 54, 94, 60, k.missile.dark);
        p.box(220, 60, 270, 72, k.navy);
        p.c.fillRect(226, 54, 264, 60, k.missile.dark);
        break;
    case kMissileSubmarine:
        p.shape({ { 14, 80 }, { 34, 64 }, { 280, 64 }, { 310, 80 }, { 280, 98 }, { 34, 98 } }, k.navy);
        p.box(90, 40, 128, 64, k.navy);
        p.c.line(108, 40, 108, 24, k.line);
        p.box(150, 54, 250, 64, k.navy);
        for (int x = 160; x < 250; x += 18)
            p.c.fillRect(x, 56, x + 10, 60, k.navy.dark);
        break;
    case kExplosiveBoat:
        p.shape({ { 60, 74 }, { 270, 62 }, { 250, 96 }, { 80, 96 } }, k.navy);
        p.box(140, 50, 200, 70, k.olive);
        p.c.fillRect(150, 56, 190, 64, k.red);
        p.c.line(230, 66, 230, 44, k.line);
        break;
    case kCruiser:
        p.hull(10, 312, 70, 112, k.navy);
        p.box(110, 34, 210, 68, k.navy);
        p.c.line(160, 34, 160, 4, k.line);
        p.c.line(146, 14, 174, 14, k.line);
        for (int x : { 40, 250 }) {
            p.box(x, 54, x + 30, 66, k.navy);
            p.barrel(x + 26, 58, 30, 8, 3);
        }
        p.c.fillRect(216, 60, 244, 66, k.navy.dark);
        break;
    default:
        break;
    }
}

Inks makeInks(Palette& palette)
{
    auto tone = [&](Rgb body, Rgb light, Rgb dark) { return Tone { palette.index(body), palette.index(light), palette.index(dark) }; };
    Inks k {};
    k.olive = tone({ 96, 108, 64 }, { 142, 154, 100 }, { 56, 64, 36 });
    k.navy = tone({ 118, 126, 136 }, { 172, 178, 186 }, { 70, 76, 86 });
    k.air = tone({ 150, 156, 166 }, { 198, 202, 210 }, { 92, 98, 108 });
    k.missile = tone({ 222, 222, 214 }, { 250, 250, 246 }, { 150, 150, 144 });
    k.line = palette.index({ 26, 28, 24 });
    k.tyre = palette.index({ 44, 44, 44 });
    k.hub = palette.index({ 112, 112, 108 });
    k.glass = palette.index({ 92, 150, 200 });
    k.red = palette.index({ 180, 44, 32 });
    k.skin = palette.index({ 228, 188, 150 });
    k.flag = palette.index({ 200, 40, 40 });
    return k;
}

// The picture of a type that has none: a frame and a question mark on black, which is transparent.
void writeNoPicture(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t black = palette.index({ 0, 0, 0 });
    const uint8_t grey = palette.index({ 128, 132, 128 });
    Canvas canvas(200, 100, black);
    canvas.frameRect(0, 0, 200, 100, grey);
    canvas.frameRect(3, 3, 197, 97, grey);
    buttons::drawLabel(canvas, 0, 8, 200, 70, "？", grey, 48, true);
    buttons::drawLabel(canvas, 0, 70, 200, 92, "NO IMAGE", grey, 14, true);
    writeFile(folder / "tkunit" / "000.bmp", encodeBmp8(canvas, palette));
}

void writeUnitPictures(const std::filesystem::path& folder)
{
    for (int picture = 0; picture < units::kPictureCount; ++picture) {
        Palette palette;
        const uint8_t clear = palette.index(kMagenta);
        Canvas canvas(kWidth, kHeight, clear);
        const Inks inks = makeInks(palette);
        Painter painter(canvas, inks);
        paintPicture(painter, picture);
        char name[32];
        std::snprintf(name, sizeof name, "%04d.bmp", picture);
        writeFile(folder / "tkunit" / name, encodeBmp8(canvas, palette));
    }
    writeNoPicture(folder);
}

} // namespace

MKDATA_GENERATOR("unit_pictures", writeUnitPictures);

} // namespace mkdata::unit_pictures
