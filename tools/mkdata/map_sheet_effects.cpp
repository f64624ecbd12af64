// The effect frames of the map sheets: blasts, demolitions, level changes and the flying shot.
#include "tools/mkdata/map_sheet.h"
#include "state/map_sheet_layout.h"

#include <algorithm>
#include <cmath>

namespace mkdata::sheet {
namespace {

const Rgb kFlash { 255, 252, 220 };
const Rgb kYellow { 255, 214, 60 };
const Rgb kOrange { 244, 130, 30 };
const Rgb kRed { 200, 44, 20 };
const Rgb kSmoke { 96, 92, 88 };
const Rgb kSmokeLight { 150, 146, 140 };
const Rgb kDirt { 120, 88, 52 };
const Rgb kGold { 255, 204, 40 };
const Rgb kGoldDark { 150, 100, 0 };

struct Frame {
    Cell& c;
    int frame;
    double s;
    double t() const { return frame / double(map_sheet::kEffectFrames - 1); }
    uint8_t ink(Rgb colour) { return c.raw(colour); }
};

// Smoke thins out as it ages: fewer pixels of a stippled disc.
void smoke(Frame& f, double cx, double cy, double r, int density, Rgb colour)
{
    const uint8_t ink = f.ink(colour);
    for (int y = 0; y < f.c.size(); ++y)
        for (int x = 0; x < f.c.size(); ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r && int(noise(x, y, uint32_t(f.frame) + 7) % 256) < density)
                f.c.set(x, y, ink);
}

void fireball(Frame& f, double cx, double cy, double r)
{
    f.c.disc(cx, cy, r, f.ink(kRed));
    f.c.disc(cx, cy, r * 0.78, f.ink(kOrange));
    f.c.disc(cx - r * 0.1, cy - r * 0.1, r * 0.5, f.ink(kYellow));
    f.c.disc(cx - r * 0.15, cy - r * 0.15, r * 0.25, f.ink(kFlash));
}

void sparks(Frame& f, double cx, double cy, double r, int count, Rgb colour)
{
    for (int i = 0; i < count; ++i) {
        const double a = i * 2 * M_PI / count + f.frame * 0.3;
        f.c.disc(cx + r * std::cos(a), cy + r * std::sin(a), std::max(0.8, f.s / 40), f.ink(colour));
    }
}

void explosion(Frame& f)
{
    const double c = f.s / 2;
    if (f.frame < 5) {
        const double r = f.s * (0.14 + 0.07 * f.frame);
        fireball(f, c, c, r);
        sparks(f, c, c, r * 1.35, 8, kYellow);
    } else {
        smoke(f, c, c - f.s * 0.05 * (f.frame - 4), f.s * 0.42, 200 - 50 * (f.frame - 5), kSmoke);
        smoke(f, c, c - f.s * 0.05 * (f.frame - 4), f.s * 0.25, 120 - 30 * (f.frame - 5), kOrange);
    }
}

// Earth thrown up in a fan from the ground, then falling back as dust.
void mineBlast(Frame& f)
{
    const double c = f.s / 2;
    const double ground = f.s * 0.8;
    const double reach = f.s * std::min(0.62, 0.16 + 0.1 * f.frame);
    const double width = std::max(1.5, f.s / 12);
    if (f.frame < 6)
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + (i - 2) * 0.32;
            const double len = reach * (i == 2 ? 1.0 : 0.8);
            f.c.stroke(c, ground, c + len * std::cos(a), ground + len * std::sin(a), width * (f.frame < 4 ? 1.0 : 0.7), f.ink(kDirt));
        }
    if (f.frame < 4)
        fireball(f, c, ground - f.s * 0.06, f.s * (0.1 + 0.04 * f.frame));
    if (f.frame >= 3)
        for (int i = 0; i < 6; ++i) {
            const double a = -M_PI / 2 + (i - 2.5) * 0.4;
            const double fall = f.s * 0.025 * (f.frame - 3) * (f.frame - 3);
            f.c.disc(c + reach * 0.9 * std::cos(a), ground + reach * 0.9 * std::sin(a) + fall, std::max(0.8, f.s / 28), f.ink(kDirt));
        }
    if (f.frame >= 4)
        smoke(f, c, ground - f.s * 0.15, f.s * 0.3, 190 - 30 * (f.frame - 4), kSmokeLight);
}

void demolition(Frame& f)
{
    const double c = f.s / 2;
    const double ground = f.s * 0.8;
    const double height = f.s * 0.5 * std::max(0.0, 1.0 - f.t() * 1.3);
    if (height > 1)
        f.c.rect(c - f.s * 0.22, ground - height, c + f.s * 0.22, ground, f.ink({ 170, 160, 150 }));
    f.c.polygon({ { c - f.s * 0.35, ground }, { c, ground - f.s * 0.08 * (1 + f.t()) }, { c + f.s * 0.35, ground } }, f.ink({ 120, 110, 100 }));
    smoke(f, c, ground - f.s * 0.12, f.s * (0.12 + 0.3 * f.t()), 220 - f.frame * 22, { 190, 176, 150 });
}

void burning(Frame& f)
{
    const double c = f.s / 2;
    const double ground = f.s * 0.8;
    f.c.rect(c - f.s * 0.3, ground - f.s * 0.08, c + f.s * 0.3, ground, f.ink({ 60, 50, 44 }));
    const double flicker = (f.frame % 2) ? 1.0 : 0.85;
    const double flame = f.s * 0.35 * flicker * (f.frame < 6 ? 1.0 : 0.6);
    for (int i = -1; i <= 1; ++i) {
        const double x = c + i * f.s * 0.15;
        const double h = flame * (i == 0 ? 1.0 : 0.7);
        f.c.polygon({ { x - f.s * 0.1, ground - f.s * 0.05 }, { x + i * f.s * 0.03, ground - h }, { x + f.s * 0.1, ground - f.s * 0.05 } },
            f.ink(kOrange));
        f.c.polygon({ { x - f.s * 0.05, ground - f.s * 0.05 }, { x, ground - h * 0.55 }, { x + f.s * 0.05, ground - f.s * 0.05 } },
            f.ink(kYellow));
    }
    smoke(f, c + f.s * 0.05, ground - flame - f.s * 0.12, f.s * (0.1 + 0.02 * f.frame), 150, kSmoke);
}

void areaBlast(Frame& f)
{
    const double c = f.s / 2;
    const double r = f.s * (0.08 + 0.06 * f.frame);
    const double w = std::max(1.0, f.s / 14);
    f.c.ring(c, c, r - w * 1.6, r, f.ink(kOrange));
    f.c.ring(c, c, r - w * 0.6, r, f.ink(kFlash));
    if (f.frame < 4)
        fireball(f, c, c, f.s * (0.2 - 0.03 * f.frame));
    else
        smoke(f, c, c, r * 0.7, 180 - 30 * (f.frame - 4), kSmoke);
}

void chevrons(Frame& f, bool up)
{
    const double c = f.s / 2;
    const double travel = f.s * 0.25 * f.t();
    const double half = f.s * 0.28;
    const double thick = std::max(1.5, f.s / 10);
    const Rgb light = up ? kGold : Rgb { 200, 200, 210 };
    const Rgb dark = up ? kGoldDark : Rgb { 90, 30, 30 };
    for (int i = 0; i < 3; ++i) {
        const double y = up ? f.s * (0.45 + 0.17 * i) - travel : f.s * (0.25 + 0.17 * i) + travel;
        const double tip = up ? y - half * 0.6 : y + half * 0.6;
        f.c.polyline({ { c - half, y }, { c, tip }, { c + half, y } }, thick + 2, f.ink(dark));
        f.c.polyline({ { c - half, y }, { c, tip }, { c + half, y } }, thick, f.ink(light));
    }
}

void projectile(Frame& f)
{
    const double c = f.s / 2;
    const double r = f.s * (f.frame % 2 ? 0.11 : 0.14);
    f.c.disc(c, c, r * 1.6, f.ink(kRed));
    f.c.disc(c, c, r, f.ink(kYellow));
    f.c.disc(c, c, r * 0.5, f.ink(kFlash));
}

} // namespace

void drawEffects(MapSheet& sheet)
{
    for (int e = 0; e < 8; ++e)
        for (int frame = 0; frame < map_sheet::kEffectFrames; ++frame) {
            Cell c = sheet.cell(e * map_sheet::kEffectFrames + frame, map_sheet::kEffects, Light::Day, false);
            Frame f { c, frame, double(c.size()) };
            switch (e) {
            case map_sheet::kExplosion: explosion(f); break;
            case map_sheet::kMineBlast: mineBlast(f); break;
            case map_sheet::kDemolition: demolition(f); break;
            case map_sheet::kDemolitionB: burning(f); break;
            case map_sheet::kAreaBlast: areaBlast(f); break;
            case map_sheet::kLevelUp: chevrons(f, true); break;
            case map_sheet::kLevelDown: chevrons(f, false); break;
            default: projectile(f); break;
            }
        }
}

} // namespace mkdata::sheet
