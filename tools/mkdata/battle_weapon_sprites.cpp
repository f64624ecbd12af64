// The battle scene's weapon and effect sprites: shells, missiles, bombs, torpedoes, muzzle and launch
// flashes, smoke strips and staircases, blasts and the beam, each sheet laid out in the frame grid
// the scene's effect painters address. Projectiles are drawn along an axis (shaded bodies, fins,
// warm flickering flames); smoke is a soft noisy gradient.
#include "tools/mkdata/battle_sprite_canvas.h"
#include "tools/mkdata/generator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace mkdata::battle {
namespace {

struct Box {
    int x, y, w, h;
};

// A fixed hash of a pixel: the same picture on every build.
double noise(int x, int y, int seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

Rgb5 mix(Rgb5 a, Rgb5 b, double k)
{
    k = std::clamp(k, 0.0, 1.0);
    return { int(a.r + (b.r - a.r) * k), int(a.g + (b.g - a.g) * k), int(a.b + (b.b - a.b) * k) };
}

// Warm noise from deep red through orange to pale yellow; heat 0..1.
Rgb5 flameColour(double heat)
{
    return heat > 0.5 ? mix({ 250, 150, 40 }, { 255, 250, 200 }, heat * 2 - 1) : mix({ 170, 40, 20 }, { 250, 150, 40 }, heat * 2);
}

enum class Body { Shell, Missile, Rocket, Bomb, Torpedo };

struct Projectile {
    Body body;
    // The nose's direction in sheet coordinates (y down).
    double dx, dy;
    // Length and half thickness in pixels; flame length behind the tail.
    double length, radius, flame;
};

// One projectile centred in the box, frame parity flickering its flame.
void drawProjectile(SpriteCanvas& c, const Box& box, const Projectile& p, int flicker)
{
    const double n = std::hypot(p.dx, p.dy);
    const double ux = p.dx / n, uy = p.dy / n;
    const double half = p.length / 2;
    // Shift the body back so that its flame fits in the box too.
    const double shift = p.flame / 2;
    const double cx = box.x + box.w / 2.0 + ux * shift;
    const double cy = box.y + box.h / 2.0 + uy * shift;
    Rgb5 base { 200, 204, 210 };
    Rgb5 dark { 90, 94, 100 };
    switch (p.body) {
    case Body::Shell: base = { 220, 180, 90 }; dark = { 120, 90, 40 }; break;
    case Body::Bomb: base = { 110, 120, 80 }; dark = { 40, 46, 30 }; break;
    case Body::Torpedo: base = { 60, 66, 74 }; dark = { 20, 24, 30 }; break;
    case Body::Rocket: base = { 180, 184, 170 }; dark = { 80, 82, 70 }; break;
    case Body::Missile: break;
    }
    const double nose = p.body == Body::Shell || p.body == Body::Bomb || p.body == Body::Torpedo ? p.radius * 1.6 : p.radius * 2.6;
    const double fin = p.body == Body::Shell || p.body == Body::Torpedo ? 0 : std::max(2.0, p.radius * 1.4);
    for (int y = box.y; y < box.y + box.h; ++y)
        for (int x = box.x; x < box.x + box.w; ++x) {
            const double rx = x + 0.5 - cx, ry = y + 0.5 - cy;
            const double u = rx * ux + ry * uy;
            // v grows toward the upper side of the body, lit from above.
            const double v = rx * uy - ry * ux;
            const double av = std::abs(v);
            if (u > half)
                continue;
            if (u >= half - nose) {
                const double k = (half - u) / nose;
                const double w = p.radius * std::sqrt(std::max(0.0, k * (2 - k)));
                if (av <= w + 0.3) {
                    const bool band = p.body == Body::Missile && u < half - nose * 0.55;
                    c.set(x, y, band ? Rgb5 { 200, 40, 30 } : mix(dark, base, 0.5 + 0.5 * v / std::max(w, 0.5)));
                }
                continue;
            }
            if (u >= -half) {
                if (av <= p.radius + 0.3) {
                    const double light = 0.55 + 0.45 * v / p.radius;
                    c.set(x, y, mix(dark, base, light + 0.1 * (noise(x, y, 3) - 0.5)));
                } else if (fin > 0 && u < -half + p.radius * 2.5 && av <= p.radius + fin * (1 - (u + half) / (p.radius * 2.5))) {
                    c.set(x, y, dark);
                }
                continue;
            }
            if (p.flame > 0 && u >= -half - p.flame) {
                const double k = (-half - u) / p.flame;
                const double w = p.radius * (0.9 - 0.6 * k);
                const double jitter = (noise(x, y, 11 + flicker) - 0.5) * p.radius * 0.8;
                if (av <= w + jitter)
                    c.set(x, y, flameColour(1 - k - av / (p.radius * 2) + 0.25 * (noise(x, y, 7 + flicker) - 0.5)));
            }
        }
}

enum class Puff { Fire, Flash, Splash, Dust };

// Frame f of 8 of a blast or flash in the box: it swells and cools; with dx, dy a cone opening that
// way (a muzzle flash).
void drawPuff(SpriteCanvas& c, const Box& box, int f, Puff kind, double dx = 0, double dy = 0)
{
    const double grow = 0.35 + 0.65 * std::min(1.0, (f + 1) / 5.0);
    const double cool = f / 7.0;
    const double cx = box.x + box.w / 2.0, cy = box.y + box.h / 2.0;
    const double rx = box.w / 2.0 * grow, ry = box.h / 2.0 * grow;
    for (int y = box.y; y < box.y + box.h; ++y)
        for (int x = box.x; x < box.x + box.w; ++x) {
            double ex = (x + 0.5 - cx) / std::max(rx, 1.0);
            double ey = (y + 0.5 - cy) / std::max(ry, 1.0);
            if (kind == Puff::Splash)
                ey = (y + 0.5 - (box.y + box.h)) / std::max(box.h * grow, 1.0);
            double r = std::hypot(ex, ey);
            if (dx != 0 || dy != 0) {
                // A cone: narrow at the muzzle (the box's far side), wide ahead.
                const double along = -(ex * dx + ey * dy);
                r = std::hypot(ex * (dy != 0 ? 1 : 0.6), ey * (dx != 0 ? 1 : 0.6)) * (1.4 - 0.5 * along);
            }
            const double edge = 0.75 + 0.35 * noise(x / 3, y / 3, 17 + f);
            if (r > edge)
                continue;
            const double heat = (1 - r / edge) * (1 - cool * 0.8) + 0.2 * (noise(x, y, f) - 0.5);
            switch (kind) {
            case Puff::Fire: c.set(x, y, heat > 0.25 ? flameColour(heat) : mix({ 60, 56, 52 }, { 140, 130, 120 }, heat * 4)); break;
            case Puff::Flash: c.set(x, y, flameColour(heat + 0.3)); break;
            case Puff::Splash: c.set(x, y, mix({ 150, 180, 210 }, { 250, 252, 255 }, heat + 0.2)); break;
            case Puff::Dust: c.set(x, y, heat > 0.6 - cool * 0.5 ? flameColour(heat) : mix({ 110, 100, 86 }, { 190, 180, 166 }, heat)); break;
            }
        }
}

Rgb5 smoke(double density, int x, int y)
{
    return mix({ 150, 150, 150 }, { 236, 236, 232 }, density + 0.25 * (noise(x / 2, y / 2, 5) - 0.5));
}

// A smoke strip: thin and dense at its start (behind the shot), wide and thinning out toward its far
// end (the muzzle, where the smoke is oldest); along is the strip's long axis.
SpriteCanvas smokeStrip(int w, int h, bool upright)
{
    SpriteCanvas c(w, h);
    const int across = upright ? w : h;
    const int length = upright ? h : w;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = upright ? x : y;
            const int l = upright ? y : x;
            const double age = double(l) / length;
            const double width = 0.3 + 0.7 * age;
            const double d = std::abs(a + 0.5 - across / 2.0) / (across / 2.0) / width;
            const double wobble = 0.75 + 0.35 * noise(l / 5, a / 3, 9);
            // Old smoke breaks up: gaps open toward the far end.
            if (d > wobble || noise(l, a, 10) < 0.45 * age * d)
                continue;
            c.set(x, y, smoke(1 - 0.6 * d - 0.2 * age, x, y));
        }
    return c;
}

// Staircase pieces of w × h, each rising rise pixels over its width, up to column last + w.
SpriteCanvas smokeStairs(int w, int h, int rise, int last)
{
    SpriteCanvas c(last + w, h);
    const double thick = std::max(4.0, h / 3.0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < last + w; ++x) {
            const int px = x % w;
            const double centre = h / 2.0 + (px + 0.5 - w / 2.0) * rise / double(w);
            const double d = std::abs(y + 0.5 - centre) / thick;
            // Puffs: the band swells and narrows along the staircase.
            const double swell = 0.7 + 0.5 * noise(x / 5, 0, 22);
            if (d <= swell * (0.85 + 0.3 * noise(x / 3, y / 3, 21)))
                c.set(x, y, smoke(1 - d * 0.7, x, y));
        }
    return c;
}

// Sheets of the straight shells (60 × 16 a frame, one column per size step).
SpriteCanvas shellSheet(int rows, int height, double calibre, Body body)
{
    SpriteCanvas c(240, height);
    for (int s = 0; s < 4; ++s) {
        const double k = (100 - 15 * s) / 100.0;
        for (int r = 0; r < rows; ++r) {
            const double flame = body == Body::Shell ? 0 : 14 * k;
            drawProjectile(c, { s * 60, r * 16, 60, 16 }, { body, -1, 0, 30 * k, calibre * k, flame }, r);
        }
    }
    return c;
}

void addDives(SpriteCanvas& c, int y0, int h, double radius)
{
    for (int s = 0; s < 4; ++s)
        for (int r = 0; r < 2; ++r) {
            const double k = (100 - 15 * s) / 100.0;
            drawProjectile(c, { s * 60, y0 + r * h, 60, h }, { Body::Missile, -1, 1, 40 * k, radius * k, 16 * k }, r);
        }
}

// Missiles of 80 × 80 (or 80 × 40): one per column along the direction (dx, dy).
// Upright ones stand at the frame's left, over the 14-pixel strip of smoke laid at the muzzle's x.
void addMissiles(SpriteCanvas& c, int x0, int y0, int w, int h, int count, double dx, double dy, double size, Body body = Body::Missile)
{
    for (int i = 0; i < count; ++i)
        drawProjectile(c, { x0 + i * w, y0, dx == 0 ? 14 : w, h }, { body, dx, dy, size, size / 10 + 1.5, size / 2.6 }, i);
}

SpriteCanvas flashSheet(int w, int h, int frames, Puff kind, double dx = 0, double dy = 0)
{
    SpriteCanvas c(w, h * frames);
    for (int f = 0; f < frames; ++f)
        drawPuff(c, { 0, f * h, w, h }, f, kind, dx, dy);
    return c;
}

} // namespace

// Fire turns to grey smoke, water falls back as spray, dust settles; over the last three frames
// ever more of the cloud breaks up, so what stands behind it shows through again.
SpriteCanvas drawExplosionStrip(int w, int h, Blast blast)
{
    const Puff kind = blast == Blast::Fire ? Puff::Fire : blast == Blast::Water ? Puff::Splash : Puff::Dust;
    SpriteCanvas c = flashSheet(w, h, 8, kind);
    for (int f = 5; f < 8; ++f)
        for (int y = f * h; y < (f + 1) * h; ++y)
            for (int x = 0; x < w; ++x)
                if (noise(x / 2, y / 2, 40 + f) < (f - 4) * 0.25)
                    c.erase(x, y);
    return c;
}

namespace {

// Muzzle flashes of 12 × 12 (two frames, two columns) and the eight-frame large ones pointing left.
SpriteCanvas smallFlashes()
{
    SpriteCanvas c(24, 24);
    for (int col = 0; col < 2; ++col)
        for (int r = 0; r < 2; ++r)
            drawPuff(c, { col * 12, r * 12, 12, 12 }, 3 + 2 * r, Puff::Flash, -1, 0);
    return c;
}

SpriteCanvas largeFlashes()
{
    SpriteCanvas c(118, 400);
    for (int f = 0; f < 8; ++f) {
        drawPuff(c, { 0, f * 50, 64, 50 }, f, Puff::Flash, -1, 0);
        drawPuff(c, { 64, f * 42, 54, 42 }, f, Puff::Flash, -1, 0);
    }
    return c;
}

// Upright missiles (rows 0-1) and climbing ones at the launcher's slope (rows 2-3), two sizes.
SpriteCanvas surfaceToAir(double dx, double dy)
{
    SpriteCanvas c(160, 320);
    for (int s = 0; s < 2; ++s) {
        const double size = s == 0 ? 60 : 50;
        for (int r = 0; r < 2; ++r) {
            drawProjectile(c, { s * 80, r * 80, 14, 80 }, { Body::Missile, 0, -1, size, size / 10 + 1.5, size / 2.6 }, r);
            drawProjectile(c, { s * 80, 160 + r * 80, 80, 80 }, { Body::Missile, -dx, -dy, size, size / 10 + 1.5, size / 2.6 }, r);
        }
    }
    return c;
}

// Sheets of 60 × 44 frames: upright, climbing up-left, diving down-left, by pairs.
SpriteCanvas naval(int width, int height)
{
    SpriteCanvas c(width, height);
    for (int pair = 0; pair * 120 < std::min(width, 360); ++pair) {
        const double dx = pair == 0 ? 0 : -1;
        const double dy = pair == 2 ? 1 : -1;
        addMissiles(c, pair * 120, 0, 60, 44, 2, dx, dy, 40);
    }
    return c;
}

SpriteCanvas beam()
{
    SpriteCanvas c(480, 3);
    for (int x = 0; x < 480; ++x) {
        c.set(x, 0, { 120, 220, 255 });
        c.set(x, 1, { 240, 252, 255 });
        c.set(x, 2, { 120, 220, 255 });
    }
    return c;
}

// A re-entering warhead streaking down to the lower left, its glowing wake behind.
SpriteCanvas warhead()
{
    SpriteCanvas c(404, 149);
    const double ux = -404.0, uy = 149.0;
    const double n = std::hypot(ux, uy);
    for (int y = 0; y < 149; ++y)
        for (int x = 0; x < 404; ++x) {
            const double rx = x - 380.0, ry = y - 10.0;
            const double u = (rx * ux + ry * uy) / n;
            const double v = std::abs(rx * uy - ry * ux) / n;
            const double w = 4 + 22 * (u / 420);
            if (u < 0 || v > w * (0.8 + 0.4 * noise(x / 4, y / 4, 31)))
                continue;
            const double k = u / 420;
            if (k > 0.9)
                c.set(x, y, mix({ 255, 252, 230 }, { 250, 200, 120 }, v / std::max(w, 1.0)));
            else
                c.set(x, y, flameColour(k + 0.3 - v / (w * 2) + 0.2 * (noise(x, y, 33) - 0.5)));
        }
    return c;
}

void write(const std::filesystem::path& folder, const char* name, const SpriteCanvas& c)
{
    writeFile(folder / name, c.encode());
}

} // namespace

void writeWeaponSprites(const std::filesystem::path& folder)
{
    write(folder, "wp01.dat", shellSheet(6, 96, 2.5, Body::Shell));
    write(folder, "wp02.dat", shellSheet(6, 96, 3.5, Body::Shell));
    write(folder, "wp03.dat", shellSheet(6, 96, 4.0, Body::Shell));
    for (const char* name : { "wp07.dat", "wp25.dat" }) {
        SpriteCanvas c(240, 448);
        for (int s = 0; s < 4; ++s)
            for (int r = 0; r < 6; ++r) {
                const double k = (100 - 15 * s) / 100.0;
                // Hanging below the wing first, nose level; then away with its motor lit.
                drawProjectile(c, { s * 60, r * 56, 60, 56 }, { Body::Missile, -1, r < 4 ? 0.05 * r : 0, 44 * k, 3.5 * k, r >= 4 ? 14 * k : 0 }, r);
            }
        addDives(c, 336, 56, 3.5);
        write(folder, name, c);
    }
    {
        SpriteCanvas c = shellSheet(4, 140, 2.5, Body::Rocket);
        addDives(c, 64, 38, 2.5);
        write(folder, "wp12.dat", c);
    }
    {
        SpriteCanvas c = shellSheet(3, 136, 2.5, Body::Rocket);
        addDives(c, 48, 44, 3);
        write(folder, "wp04.dat", c);
    }
    for (const char* name : { "wp05.dat", "wp06.dat" }) {
        SpriteCanvas c(240, 176);
        for (int s = 0; s < 4; ++s)
            for (int f = 0; f < 3; ++f) {
                const double k = (100 - 15 * s) / 100.0;
                drawProjectile(c, { s * 60, f * 44, 60, 44 }, { Body::Bomb, -1, 0.4 * f, 34 * k, 5 * k, 0 }, f);
            }
        for (int x : { 120, 180 })
            drawProjectile(c, { x, 132, 60, 44 }, { Body::Bomb, -0.3, 1, x == 120 ? 34.0 : 28.0, x == 120 ? 5.0 : 4.2, 0 }, 0);
        write(folder, name, c);
    }
    {
        // A shell falling onto the sea (frames 0-6), striking it (7-8), and a torpedo under water.
        SpriteCanvas c(40, 376);
        for (int f = 0; f < 7; ++f)
            drawProjectile(c, { 0, f * 40, 40, 40 }, { Body::Shell, 0, 1, 22, 4, 0 }, f);
        drawPuff(c, { 0, 280, 40, 40 }, 2, Puff::Splash);
        drawPuff(c, { 0, 320, 40, 40 }, 5, Puff::Splash);
        drawProjectile(c, { 0, 360, 40, 16 }, { Body::Torpedo, -1, 0, 34, 3, 0 }, 0);
        write(folder, "wp16.dat", c);
    }
    write(folder, "wp22.dat", smallFlashes());
    write(folder, "wp28.dat", smallFlashes());
    for (const char* name : { "wp23.dat", "wp24.dat", "wp29.dat" })
        write(folder, name, largeFlashes());
    {
        SpriteCanvas c(4, 4);
        c.fillRect(0, 0, 4, 4, { 255, 240, 160 });
        c.fillRect(1, 1, 3, 3, { 255, 255, 240 });
        write(folder, "wp34.dat", c);
    }
    {
        SpriteCanvas c(160, 160);
        addMissiles(c, 0, 0, 80, 40, 2, -1.7, -1, 50);
        addMissiles(c, 0, 40, 80, 40, 2, -1.7, -1, 50);
        for (int r = 0; r < 2; ++r)
            addMissiles(c, 0, 80 + r * 40, 80, 40, 2, -1.7, 1, 50);
        write(folder, "wp27.dat", c);
    }
    write(folder, "wp08.dat", surfaceToAir(15, 10));
    write(folder, "wp09.dat", surfaceToAir(18, 6));
    write(folder, "wp10.dat", surfaceToAir(16, 8));
    write(folder, "wp11.dat", surfaceToAir(18, 6));
    write(folder, "wp33.dat", surfaceToAir(18, 18));
    for (const char* name : { "wp13.dat", "wp14.dat" }) {
        SpriteCanvas c(160, 80);
        for (int r = 0; r < 2; ++r)
            for (int s = 0; s < 2; ++s)
                drawProjectile(c, { s * 80, r * 40, 80, 40 }, { Body::Rocket, -2210, -1200, s ? 34.0 : 40.0, 2.5, 16 }, r);
        write(folder, name, c);
    }
    // Three pairs of 80 × 80: climbing, falling or diving, then upright or skimming level (lying at
    // the height where the launch painter lays its trail, level_top pixels down the frame).
    auto pairs = [&](const char* name, double climb, double dive, int level_top) {
        SpriteCanvas c(480, 80);
        addMissiles(c, 0, 0, 80, 80, 2, -1, -climb, 60);
        addMissiles(c, 160, 0, 80, 80, 2, dive == 0 ? 0 : -1, dive == 0 ? 1 : dive, 60);
        if (level_top < 0)
            addMissiles(c, 320, 0, 80, 80, 2, 0, -1, 60);
        else
            addMissiles(c, 320, level_top, 80, 16, 2, -1, 0, 60);
        write(folder, name, c);
    };
    pairs("wp32.dat", 0.5, 0, -1);
    pairs("wp30.dat", 1, 0.5, 7);
    pairs("wp31.dat", 0.5, 1, 25);
    {
        SpriteCanvas c(240, 44);
        drawProjectile(c, { 0, 0, 60, 44 }, { Body::Bomb, 0, 1, 26, 9, 0 }, 0);
        addMissiles(c, 120, 0, 60, 44, 2, -1, -1, 40);
        write(folder, "wp26.dat", c);
    }
    {
        SpriteCanvas c(16, 16);
        drawProjectile(c, { 0, 0, 16, 16 }, { Body::Bomb, 0, 1, 12, 5, 0 }, 0);
        write(folder, "wp40.dat", c);
    }
    write(folder, "wp18.dat", naval(240, 44));
    write(folder, "wp19.dat", naval(360, 44));
    write(folder, "wp20.dat", naval(360, 44));
    write(folder, "wp21.dat", naval(240, 44));
    {
        SpriteCanvas c = naval(540, 44);
        addMissiles(c, 480, 0, 60, 44, 1, -1, -1, 40);
        write(folder, "wp37.dat", c);
    }
    {
        SpriteCanvas c(240, 76);
        addMissiles(c, 120, 0, 60, 60, 2, -1, -1, 46);
        drawProjectile(c, { 0, 60, 40, 16 }, { Body::Torpedo, -1, 0, 34, 3.5, 0 }, 0);
        write(folder, "wp38.dat", c);
    }
    for (const char* name : { "wp15.dat", "wp17.dat" }) {
        SpriteCanvas c(40, 16);
        drawProjectile(c, { 0, 0, 40, 16 }, { Body::Torpedo, -1, 0, 34, 3, 0 }, 0);
        write(folder, name, c);
    }
    {
        SpriteCanvas c = naval(360, 44);
        addMissiles(c, 0, 0, 60, 44, 1, -1, -1, 40);
        write(folder, "wp35.dat", c);
    }
    write(folder, "wp36.dat", beam());
    write(folder, "wp39.dat", warhead());

    // Smoke trails: strips, and staircases as wide as their kinds' first piece reaches.
    write(folder, "ef02a.dat", smokeStrip(800, 13, false));
    write(folder, "ef02b.dat", smokeStrip(14, 800, true));
    write(folder, "ef02c.dat", smokeStairs(14, 32, 14, 546));
    write(folder, "ef02d.dat", smokeStairs(20, 26, 14, 620));
    write(folder, "ef02g.dat", smokeStairs(17, 25, 10, 663));
    write(folder, "ef02e.dat", smokeStairs(20, 24, 10, 680));
    write(folder, "ef02f.dat", smokeStairs(24, 20, 8, 720));
    // Launch flashes and blasts, eight frames stacked downward.
    write(folder, "ef03b.dat", flashSheet(34, 29, 8, Puff::Flash, -1, 0));
    write(folder, "ef03d.dat", flashSheet(70, 48, 8, Puff::Dust));
    write(folder, "ef03e.dat", flashSheet(72, 75, 8, Puff::Dust));
    write(folder, "ef03g.dat", flashSheet(58, 60, 8, Puff::Fire));
    write(folder, "ef09a.dat", flashSheet(138, 48, 8, Puff::Fire));
    write(folder, "ef10b.dat", flashSheet(100, 47, 8, Puff::Splash));
    write(folder, "ef11.dat", flashSheet(28, 28, 8, Puff::Splash));
}

} // namespace mkdata::battle
