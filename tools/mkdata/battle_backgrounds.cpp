// The battle scene's bitmaps: land, sea, sky and underwater backgrounds, the frame picture and the
// category icons.
#include "tools/mkdata/base_bitmaps.h"
#include "tools/mkdata/battle_sprite_canvas.h"
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mkdata::battle {
namespace {

struct LandLook {
    Rgb ground;
    Rgb feature;
    // 0 plain, 1 hills, 2 trees, 3 houses.
    int kind;
};

LandLook landLook(int number)
{
    static const LandLook looks[] = {
        { { 104, 148, 72 }, { 80, 120, 56 }, 0 }, { { 96, 132, 64 }, { 40, 96, 40 }, 2 },
        { { 140, 128, 96 }, { 112, 100, 76 }, 1 }, { { 150, 150, 140 }, { 110, 110, 120 }, 3 },
        { { 196, 180, 120 }, { 170, 150, 96 }, 1 }, { { 120, 140, 90 }, { 90, 110, 70 }, 0 },
    };
    return looks[number % 6];
}

void gradient(Canvas& c, Palette& p, int top, int bottom, Rgb from, Rgb to)
{
    for (int y = top; y < bottom; ++y) {
        const int k = (y - top) * 7 / std::max(1, bottom - top - 1);
        const Rgb col { uint8_t(from.r + (to.r - from.r) * k / 7), uint8_t(from.g + (to.g - from.g) * k / 7),
            uint8_t(from.b + (to.b - from.b) * k / 7) };
        c.fillRect(0, y, c.width(), y + 1, p.index(col));
    }
}

// The far figures of a formation stand just below the horizon, the near ones at the foot.
constexpr int kHorizon = 64;

std::vector<unsigned char> land(int number)
{
    Canvas c(960, 300);
    Palette p;
    gradient(c, p, 0, kHorizon, { 90, 140, 210 }, { 190, 215, 240 });
    const LandLook look = landLook(number);
    const uint8_t ground = p.index(look.ground);
    const uint8_t feature = p.index(look.feature);
    c.fillRect(0, kHorizon, 960, 300, ground);
    // Features repeat every 960 pixels so the scroll wraps without a seam.
    for (int i = 0; i < 12; ++i) {
        const int x = i * 80 + (number * 37 + i * 13) % 40;
        switch (look.kind) {
        case 1: c.fillPolygon({ { x - 60, kHorizon + 1 }, { x, kHorizon - 34 + (i % 3) * 8 }, { x + 60, kHorizon + 1 } }, feature); break;
        case 2: c.fillCircle(x, kHorizon - 8, 10, feature), c.fillRect(x - 2, kHorizon - 8, x + 2, kHorizon + 4, p.index({ 90, 60, 30 })); break;
        case 3: c.fillRect(x - 14, kHorizon - 20, x + 14, kHorizon + 2, feature), c.fillPolygon({ { x - 17, kHorizon - 19 }, { x, kHorizon - 31 }, { x + 17, kHorizon - 19 } }, p.index({ 150, 60, 50 })); break;
        default: c.fillRect(x - 30, 96 + (i % 4) * 50, x + 10, 99 + (i % 4) * 50, feature); break;
        }
    }
    for (int i = 0; i < 90; ++i)
        c.fillRect((i * 97 + number * 11) % 960, kHorizon + 12 + (i * 53) % (300 - kHorizon - 14),
            (i * 97 + number * 11) % 960 + 6, kHorizon + 14 + (i * 53) % (300 - kHorizon - 14), feature);
    return encodeBmp8(c, p);
}

// Four 500-pixel frames of waves side by side, the crests moving by frame.
std::vector<unsigned char> sea(int number, int frames)
{
    Canvas c(500 * frames, 300);
    Palette p;
    for (int f = 0; f < frames; ++f) {
        Canvas frame(500, 300);
        gradient(frame, p, 0, 110, { 110, 160, 220 }, { 200, 220, 240 });
        const Rgb water = number == 62 ? Rgb { 40, 90, 130 } : Rgb { 30, uint8_t(80 + number % 4 * 10), 150 };
        frame.fillRect(0, 110, 500, 300, p.index(water));
        const uint8_t crest = p.index({ 200, 225, 245 });
        for (int row = 0; row < 8; ++row)
            for (int x = -40; x < 540; x += 50) {
                const int cx = x + f * 12 + row * 17 % 50;
                const int y = 120 + row * 22;
                frame.line(cx, y, cx + 20, y - 3, crest);
                frame.line(cx + 20, y - 3, cx + 34, y, crest);
            }
        c.paste(frame, f * 500, 0);
    }
    return encodeBmp8(c, p);
}

std::vector<unsigned char> sky(int width, bool night_blue)
{
    Canvas c(width, 300);
    Palette p;
    gradient(c, p, 0, 300, night_blue ? Rgb { 60, 100, 180 } : Rgb { 80, 130, 220 }, { 200, 225, 250 });
    const uint8_t cloud = p.index({ 245, 245, 250 });
    for (int i = 0; i < width / 120; ++i) {
        // Whole clouds only, so that the scroll wraps without a seam.
        const int x = 30 + i * 120 + (i * 31) % 50;
        const int y = 40 + (i * 67) % 200;
        c.fillCircle(x, y, 16, cloud);
        c.fillCircle(x + 18, y - 6, 20, cloud);
        c.fillCircle(x + 38, y, 14, cloud);
    }
    return encodeBmp8(c, p);
}

std::vector<unsigned char> underwater(int width)
{
    Canvas c(width, 300);
    Palette p;
    gradient(c, p, 0, 300, { 40, 90, 150 }, { 10, 30, 60 });
    const uint8_t light = p.index({ 80, 130, 180 });
    for (int i = 0; i < 40; ++i)
        c.fillCircle((i * 71) % width, (i * 43) % 280, 2, light);
    c.fillRect(0, 280, width, 300, p.index({ 60, 56, 40 }));
    return encodeBmp8(c, p);
}

} // namespace

void writeBackgrounds(const std::filesystem::path& folder)
{
    // File numbers as the scene's background table maps them: bg49..bg53 and bg62 waving sea,
    // bg60 still sea, bg54 underwater, bg55 and bg57 narrow sky, bg56 scrolling sky, the rest land.
    for (int n = 0; n <= 62; ++n) {
        std::vector<unsigned char> bytes;
        if ((n >= 49 && n <= 53) || n == 62)
            bytes = sea(n, 4);
        else if (n == 60)
            bytes = sea(n, 1);
        else if (n == 54)
            bytes = underwater(500);
        else if (n == 55 || n == 57)
            bytes = sky(500, n == 57);
        else if (n == 56)
            bytes = sky(960, false);
        else
            bytes = land(n);
        char name[16];
        std::snprintf(name, sizeof name, "bg%02d.dat", n);
        writeFile(folder / name, bytes);
    }
}

// The side that cannot be seen: a night haze over dark ground, banks of fog drifting across it and
// the glow of fire somewhere inside, in a frame like the scene window's.
std::vector<unsigned char> drawFramePicture()
{
    Canvas c(500, 300);
    Palette p;
    constexpr int kGround = 170;
    gradient(c, p, 0, kGround, { 22, 28, 40 }, { 70, 78, 86 });
    gradient(c, p, kGround, 300, { 46, 48, 40 }, { 18, 20, 16 });
    // Glows behind the fog: a halo and a hot core each.
    const struct {
        int x, y, r;
    } glows[] = { { 120, 164, 22 }, { 330, 158, 16 }, { 410, 172, 12 } };
    for (const auto& g : glows) {
        c.fillCircle(g.x, g.y, g.r, p.index({ 120, 70, 40 }));
        c.fillCircle(g.x, g.y, g.r * 2 / 3, p.index({ 200, 110, 50 }));
        c.fillCircle(g.x, g.y, g.r / 3, p.index({ 250, 200, 120 }));
    }
    // Fog: a smooth random density, thickest along the horizon, laid in an ordered dither over
    // what lies behind it.
    auto lattice = [](int x, int y) {
        uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u;
        h = (h ^ (h >> 13)) * 1274126177u;
        return double((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
    };
    auto smooth = [&](double x, double y) {
        const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
        const double fx = x - x0, fy = y - y0;
        const double top = lattice(x0, y0) + (lattice(x0 + 1, y0) - lattice(x0, y0)) * fx;
        const double bottom = lattice(x0, y0 + 1) + (lattice(x0 + 1, y0 + 1) - lattice(x0, y0 + 1)) * fx;
        return top + (bottom - top) * fy;
    };
    static constexpr int kBayer[4][4] = { { 0, 8, 2, 10 }, { 12, 4, 14, 6 }, { 3, 11, 1, 9 }, { 15, 7, 13, 5 } };
    const uint8_t fog = p.index({ 104, 110, 116 });
    const uint8_t thick = p.index({ 142, 148, 152 });
    for (int y = 16; y < 284; ++y)
        for (int x = 16; x < 484; ++x) {
            const double nearHorizon = std::max(0.0, 1.0 - std::abs(y - kGround) / 120.0);
            const double density = (0.65 * smooth(x / 70.0, y / 28.0) + 0.35 * smooth(x / 23.0, y / 11.0)) * (0.35 + 0.75 * nearHorizon);
            const double step = (kBayer[y % 4][x % 4] + 0.5) / 16.0;
            if (density > 0.55 + 0.4 * step)
                c.set(x, y, thick);
            else if (density > 0.25 + 0.5 * step)
                c.set(x, y, fog);
        }
    const uint8_t rim = p.index({ 70, 80, 96 });
    c.frameRect(10, 10, 490, 290, rim);
    c.frameRect(14, 14, 486, 286, rim);
    return encodeBmp8(c, p);
}

std::vector<unsigned char> drawCategoryPicture()
{
    // Column: the unit's icon index; row: the country 0..8. The game's category icons on a dark
    // tile, since the scene copies them whole.
    using namespace mkdata::base;
    Canvas c(kCategoryColumns * 16, 9 * 16);
    Palette p;
    const uint8_t tile = p.index({ 24, 28, 34 });
    const uint8_t outline = p.index({ 230, 230, 230 });
    for (int row = 0; row < 9; ++row) {
        const uint8_t colour = p.index(sideColours()[size_t(row)]);
        for (int col = 0; col < kCategoryColumns; ++col) {
            c.fillRect(col * 16, row * 16, col * 16 + 16, row * 16 + 16, tile);
            drawUnitShape(c, col * 16, row * 16, 16, categoryShape(col), colour, outline);
        }
    }
    return encodeBmp8(c, p);
}

} // namespace mkdata::battle
