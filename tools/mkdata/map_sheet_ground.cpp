// The ground pictures of the map sheets: every terrain id inside its hex, by day and by night.
#include "tools/mkdata/map_sheet.h"

#include <cmath>

namespace mkdata::sheet {
namespace {

using namespace terrain;

// Textures are laid out in a 32-pixel cell and scaled to the zoom.
struct Ground {
    Cell& c;
    double u;
    int id;

    double operator()(double v) const { return v * u; }
    uint8_t ink(Rgb colour) { return c.ink(colour); }

    // A base colour with a darker and a lighter speckle.
    uint8_t base(Rgb colour, Rgb dark, int darkShare, Rgb light, int lightShare)
    {
        const uint8_t b = ink(colour);
        c.fill(b);
        c.speckle(b, ink(dark), darkShare, uint32_t(id) * 7 + 1);
        c.speckle(b, ink(light), lightShare, uint32_t(id) * 7 + 2);
        return b;
    }

    template <class F>
    void eachPixel(F f)
    {
        for (int y = 0; y < c.size(); ++y)
            for (int x = 0; x < c.size(); ++x)
                if (c.inside(x, y))
                    f(x, y);
    }

    // A tree crown lit from the upper left.
    void crown(double x, double y, double r, Rgb dark, Rgb mid, Rgb light)
    {
        c.disc((*this)(x + r * 0.35), (*this)(y + r * 0.4), (*this)(r), ink(scaled(dark, 0.8)));
        c.disc((*this)(x), (*this)(y), (*this)(r), ink(mid));
        c.disc((*this)(x - r * 0.3), (*this)(y - r * 0.3), (*this)(r * 0.45), ink(light));
    }

    void peak(double x, double base, double half, double height, Rgb lit, Rgb shade, bool snow)
    {
        const double apex = base - height;
        c.polygon({ { (*this)(x), (*this)(apex) }, { (*this)(x - half), (*this)(base) }, { (*this)(x + half * 0.15), (*this)(base) } }, ink(lit));
        c.polygon({ { (*this)(x), (*this)(apex) }, { (*this)(x + half * 0.15), (*this)(base) }, { (*this)(x + half), (*this)(base) } }, ink(shade));
        if (snow)
            c.polygon({ { (*this)(x), (*this)(apex) }, { (*this)(x - half * 0.38), (*this)(apex + height * 0.38) },
                          { (*this)(x + half * 0.05), (*this)(apex + height * 0.3) }, { (*this)(x + half * 0.36), (*this)(apex + height * 0.38) } },
                ink({ 245, 248, 252 }));
    }

    // A rounded hill standing on (x, base): lit on the left, in shade on the right.
    void hill(double x, double base, double rx, double height, Rgb lit, Rgb shade)
    {
        Points left, right;
        left.push_back({ (*this)(x), (*this)(base) });
        right.push_back({ (*this)(x), (*this)(base) });
        for (int i = 0; i <= 12; ++i) {
            const double a = M_PI * i / 24;
            left.push_back({ (*this)(x - rx * std::cos(a)), (*this)(base - height * std::sin(a)) });
            right.push_back({ (*this)(x + rx * std::cos(a)), (*this)(base - height * std::sin(a)) });
        }
        c.polygon(left, ink(lit));
        c.polygon(right, ink(shade));
        c.stroke((*this)(x - rx), (*this)(base), (*this)(x + rx), (*this)(base), 1, ink(scaled(shade, 0.8)));
    }

    void hump(double x, double y, double rx, double ry, Rgb lit, Rgb mid, Rgb shade)
    {
        c.ellipse((*this)(x + 1), (*this)(y + 1), (*this)(rx), (*this)(ry), ink(shade));
        c.ellipse((*this)(x), (*this)(y), (*this)(rx * 0.95), (*this)(ry * 0.9), ink(mid));
        c.ellipse((*this)(x - rx * 0.3), (*this)(y - ry * 0.35), (*this)(rx * 0.45), (*this)(ry * 0.4), ink(lit));
    }

    // A small wave crest.
    void wave(double x, double y, double w, Rgb colour)
    {
        c.polyline({ { (*this)(x - w), (*this)(y + 0.8) }, { (*this)(x - w / 3), (*this)(y) }, { (*this)(x + w / 3), (*this)(y) },
                       { (*this)(x + w), (*this)(y + 0.8) } },
            1, ink(colour));
    }
};

// Spots inside the hex of a 32-pixel cell for scattered features, in a loose pattern.
const double kSpots[][2] = { { 16, 6 }, { 9, 11 }, { 22, 11 }, { 5, 17 }, { 15, 15 }, { 26, 18 }, { 10, 22 },
    { 20, 22 }, { 15, 27 }, { 27, 25 }, { 5, 24 } };

const Rgb kGrass { 112, 160, 76 };
const Rgb kGrassDark { 90, 136, 60 };
const Rgb kGrassLight { 136, 182, 92 };
const Rgb kTreeDark { 34, 82, 38 };
const Rgb kTree { 50, 112, 50 };
const Rgb kTreeLight { 86, 150, 70 };
const Rgb kEarth { 150, 120, 80 };
const Rgb kSand { 222, 200, 140 };
const Rgb kSandDark { 200, 174, 112 };
const Rgb kSandLight { 238, 222, 170 };
const Rgb kWaterLight { 100, 152, 220 };
const Rgb kRock { 128, 118, 106 };
const Rgb kRockDark { 92, 84, 76 };
const Rgb kRockLight { 168, 158, 144 };
const Rgb kSnowWhite { 232, 238, 246 };
const Rgb kSnowShade { 200, 212, 232 };
const Rgb kPaving { 178, 172, 160 };

void grass(Ground& g) { g.base(kGrass, kGrassDark, 50, kGrassLight, 40); }

void water(Ground& g, Rgb colour, Rgb crest, int crests)
{
    g.base(colour, scaled(colour, 0.9), 40, mix(colour, crest, 0.35), 30);
    for (int i = 0; i < crests && i < 11; ++i) {
        const auto& spot = kSpots[i * 11 / crests];
        g.wave(spot[0], spot[1], 2.2, crest);
    }
}

void forest(Ground& g, double radius, Rgb dark, Rgb mid, Rgb light)
{
    g.base(mix(dark, mid, 0.4), scaled(dark, 0.85), 70, mid, 30);
    for (const auto& spot : kSpots)
        g.crown(spot[0], spot[1], radius, dark, mid, light);
}

void mountains(Ground& g, bool high)
{
    const Rgb lit = high ? Rgb { 188, 182, 176 } : Rgb { 164, 140, 104 };
    const Rgb shade = high ? Rgb { 112, 108, 108 } : Rgb { 112, 92, 66 };
    g.base(high ? Rgb { 140, 134, 124 } : Rgb { 140, 122, 88 }, shade, 40, lit, 30);
    g.peak(9, 21, 9, 14, lit, shade, high);
    g.peak(22, 19, 10, 16, lit, shade, true);
    g.peak(15, 30, 10, 12, lit, shade, high);
}

void dunes(Ground& g, bool big)
{
    g.base(kSand, kSandDark, 40, kSandLight, 40);
    const int rows = big ? 4 : 2;
    for (int r = 0; r < rows; ++r) {
        const double y0 = 8 + r * (big ? 6 : 10);
        Points ridge;
        Points shadow;
        for (int x = 0; x <= 32; x += 2) {
            const double y = y0 + 2.2 * std::sin((x + r * 7) * 0.35);
            ridge.push_back({ g(x), g(y) });
            shadow.push_back({ g(x), g(y + 1.2) });
        }
        g.c.polyline(shadow, g.u * 1.2, g.ink(kSandDark));
        g.c.polyline(ridge, 1, g.ink(kSandLight));
    }
}

void stripes(Ground& g, Rgb a, Rgb b, double period, bool diagonal)
{
    const uint8_t ia = g.ink(a);
    const uint8_t ib = g.ink(b);
    g.eachPixel([&](int x, int y) {
        const double t = (diagonal ? x + y * 0.6 : y) / (period * g.u);
        g.c.set(x, y, int(std::floor(t)) % 2 ? ib : ia);
    });
}

void townLights(Ground& g)
{
    if (!g.c.night())
        return;
    const uint8_t warm = g.c.raw({ 255, 214, 120 });
    const uint8_t glow = g.c.raw({ 200, 150, 70 });
    for (int i = 0; i < 18; ++i) {
        const int x = int(noise(i, 1, uint32_t(g.id)) % uint32_t(g.c.size()));
        const int y = int(noise(i, 2, uint32_t(g.id)) % uint32_t(g.c.size()));
        g.c.set(x, y, i % 3 ? glow : warm);
    }
}

// A paved square in the middle of the meadow, so that towns sit in the land around them.
void town(Ground& g, Rgb paving, double radius)
{
    grass(g);
    const uint8_t kerb = g.ink(scaled(paving, 0.8));
    g.c.ellipse(g(16), g(17), g(radius + 1), g(radius * 0.8 + 1), kerb);
    const uint8_t paved = g.ink(paving);
    g.c.ellipse(g(16), g(17), g(radius), g(radius * 0.8), paved);
    g.c.speckle(paved, g.ink(scaled(paving, 0.92)), 60, uint32_t(g.id) * 7 + 3);
    townLights(g);
}

void drawLand(Ground& g)
{
    switch (g.id) {
    case kNone:
        g.base({ 70, 74, 70 }, { 60, 62, 60 }, 60, { 84, 88, 84 }, 40);
        break;
    case kRoad:
    case kPlains:
        // A road's hex is plain land; its road is drawn over it from the road pictures.
        g.id = kPlains;
        grass(g);
        for (int i = 0; i < 11; i += 2)
            g.c.stroke(g(kSpots[i][0]), g(kSpots[i][1]), g(kSpots[i][0] + 1), g(kSpots[i][1] - 2), 1, g.ink(kGrassDark));
        break;
    case kGrassland:
        g.base({ 124, 176, 80 }, kGrassDark, 60, { 150, 196, 96 }, 50);
        for (int i = 1; i < 11; i += 3)
            g.c.set(int(g(kSpots[i][0])), int(g(kSpots[i][1])), g.ink({ 236, 226, 120 }));
        break;
    case kForest: forest(g, 4.2, kTreeDark, kTree, kTreeLight); break;
    case kJungle:
        forest(g, 5.2, { 20, 66, 34 }, { 36, 100, 44 }, { 70, 140, 60 });
        for (int i = 0; i < 11; i += 2)
            g.crown(kSpots[i][0] + 3, kSpots[i][1] + 3, 3.5, { 20, 66, 34 }, { 36, 100, 44 }, { 70, 140, 60 });
        break;
    case kHills:
        g.base({ 136, 150, 82 }, { 116, 128, 70 }, 50, { 156, 168, 96 }, 30);
        g.hill(11, 15, 8, 7, { 170, 178, 104 }, { 112, 120, 66 });
        g.hill(22, 22, 9, 8, { 170, 178, 104 }, { 112, 120, 66 });
        g.hill(10, 28, 6, 5, { 170, 178, 104 }, { 112, 120, 66 });
        break;
    case kMountains: mountains(g, false); break;
    case kHighMountains: mountains(g, true); break;
    case kDesert: dunes(g, false); break;
    case kSwamp: {
        g.base({ 96, 116, 70 }, { 78, 96, 60 }, 60, { 112, 130, 80 }, 30);
        g.c.ellipse(g(10), g(12), g(5), g(2.5), g.ink({ 70, 110, 120 }));
        g.c.ellipse(g(21), g(20), g(6), g(3), g.ink({ 70, 110, 120 }));
        g.c.ellipse(g(12), g(25), g(4), g(2), g.ink({ 70, 110, 120 }));
        for (int i = 0; i < 11; i += 2)
            g.c.stroke(g(kSpots[i][0]), g(kSpots[i][1]), g(kSpots[i][0]), g(kSpots[i][1] - 3), 1, g.ink({ 50, 80, 40 }));
        break;
    }
    case kSnow:
        g.base(kSnowWhite, kSnowShade, 50, { 250, 252, 255 }, 40);
        g.hump(12, 14, 6, 3, { 252, 252, 255 }, kSnowWhite, kSnowShade);
        g.hump(21, 23, 7, 3, { 252, 252, 255 }, kSnowWhite, kSnowShade);
        break;
    case kWasteland:
        g.base({ 168, 148, 102 }, { 140, 120, 84 }, 70, { 186, 168, 122 }, 40);
        for (int i = 0; i < 11; i += 2)
            g.c.disc(g(kSpots[i][0]), g(kSpots[i][1]), g(1.3), g.ink(kRock));
        g.c.polyline({ { g(6), g(14) }, { g(12), g(17) }, { g(16), g(15) }, { g(24), g(20) } }, 1, g.ink({ 120, 100, 70 }));
        break;
    case kBeach:
        g.base(kSandLight, kSand, 60, { 246, 236, 200 }, 40);
        g.c.polygon({ { g(16), g(0) }, { g(32), g(8) }, { g(32), g(12) }, { g(22), g(9) }, { g(10), g(6) }, { g(0), g(9) }, { g(0), g(8) } },
            g.ink({ 110, 180, 200 }));
        g.c.polyline({ { g(0), g(9.5) }, { g(10), g(6.5) }, { g(22), g(9.5) }, { g(32), g(12.5) } }, 1, g.ink({ 245, 250, 250 }));
        for (int i = 0; i < 11; i += 3)
            g.c.set(int(g(kSpots[i][0])), int(g(kSpots[i][1])), g.ink({ 250, 250, 250 }));
        break;
    case kRocky:
        g.base(kRock, kRockDark, 50, kRockLight, 30);
        for (int i = 0; i < 11; ++i)
            g.hump(kSpots[i][0], kSpots[i][1], 2.6, 2, kRockLight, kRock, kRockDark);
        break;
    case kRiver: water(g, { 60, 118, 196 }, kWaterLight, 6); break;
    case kDeepRiver: water(g, { 36, 82, 164 }, { 80, 128, 204 }, 6); break;
    case kLake: water(g, { 64, 124, 190 }, { 150, 190, 230 }, 3); break;
    case kMud:
        g.base({ 120, 96, 66 }, { 100, 78, 52 }, 60, { 138, 112, 78 }, 30);
        g.c.ellipse(g(11), g(14), g(5), g(2.5), g.ink({ 88, 70, 50 }));
        g.c.ellipse(g(21), g(23), g(5), g(2.5), g.ink({ 88, 70, 50 }));
        break;
    case kFrozenGround:
        g.base({ 176, 170, 160 }, { 160, 152, 140 }, 50, { 214, 218, 224 }, 40);
        g.c.polyline({ { g(4), g(12) }, { g(12), g(16) }, { g(18), g(13) }, { g(28), g(19) } }, 1, g.ink({ 130, 124, 116 }));
        break;
    case kTundra:
        g.base({ 138, 150, 118 }, { 124, 134, 104 }, 50, { 196, 204, 200 }, 30);
        for (int i = 1; i < 11; i += 2)
            g.c.disc(g(kSpots[i][0]), g(kSpots[i][1]), g(1.4), g.ink({ 96, 112, 80 }));
        break;
    case kBamboo:
        g.base({ 120, 160, 70 }, { 96, 136, 56 }, 70, { 144, 180, 90 }, 40);
        for (int x = 3; x < 32; x += 4) {
            const double top = 3 + (x * 7) % 5;
            g.c.stroke(g(x), g(top), g(x), g(top + 20), std::max(1.0, g(1.2)), g.ink({ 150, 190, 80 }));
            g.c.stroke(g(x + 1), g(top + 2), g(x + 3), g(top), 1, g.ink({ 60, 110, 40 }));
        }
        break;
    case kField: stripes(g, { 150, 176, 84 }, { 170, 140, 90 }, 3, true); break;
    case kPaddy: {
        const uint8_t bund = g.ink({ 110, 150, 70 });
        const uint8_t paddy = g.ink({ 128, 178, 160 });
        const uint8_t shoots = g.ink({ 120, 170, 110 });
        g.eachPixel([&](int x, int y) {
            const int cx = int(x / g.u);
            const int cy = int(y / g.u);
            g.c.set(x, y, cx % 8 == 0 || cy % 6 == 0 ? bund : (cx + cy) % 3 == 0 ? shoots : paddy);
        });
        break;
    }
    case kOrchard:
        grass(g);
        for (int y = 6; y < 30; y += 7)
            for (int x = 5 + (y / 7) % 2 * 3; x < 30; x += 7)
                g.crown(x, y, 2.6, kTreeDark, { 70, 130, 56 }, { 190, 120, 80 });
        break;
    case kScrub:
        g.base({ 150, 160, 96 }, { 128, 140, 80 }, 50, { 170, 176, 110 }, 30);
        for (const auto& spot : kSpots)
            g.crown(spot[0], spot[1], 2.2, { 70, 100, 50 }, { 96, 130, 64 }, { 124, 156, 80 });
        break;
    case kVolcano:
        g.base({ 96, 84, 76 }, { 76, 66, 60 }, 60, { 116, 104, 94 }, 30);
        g.peak(16, 29, 14, 22, { 120, 106, 96 }, { 70, 60, 56 }, false);
        // Lava glows the same by night.
        g.c.ellipse(g(16), g(9), g(3.5), g(1.6), g.c.raw({ 240, 90, 30 }));
        g.c.polyline({ { g(16), g(10) }, { g(14), g(16) }, { g(15), g(22) } }, std::max(1.0, g(1.2)), g.c.raw({ 220, 64, 20 }));
        break;
    case kFrozenRiver:
        g.base({ 190, 214, 232 }, { 168, 196, 222 }, 50, { 226, 238, 248 }, 50);
        g.c.polyline({ { g(3), g(10) }, { g(13), g(15) }, { g(20), g(12) }, { g(30), g(20) } }, 1, g.ink({ 140, 170, 200 }));
        g.c.polyline({ { g(8), g(24) }, { g(16), g(21) }, { g(24), g(27) } }, 1, g.ink({ 250, 252, 255 }));
        break;
    case kCliff:
        g.base({ 138, 124, 104 }, { 104, 92, 78 }, 50, { 162, 150, 130 }, 30);
        for (int x = 2; x < 32; x += 5) {
            g.c.stroke(g(x), g(4), g(x + 2), g(28), 1, g.ink({ 84, 74, 64 }));
            g.c.stroke(g(x + 1), g(4), g(x + 3), g(28), 1, g.ink({ 176, 164, 146 }));
        }
        break;
    case kSea: water(g, { 30, 70, 150 }, { 76, 124, 196 }, 7); break;
    case kShallows:
        g.base({ 70, 160, 180 }, { 60, 140, 168 }, 40, { 120, 190, 196 }, 50);
        for (int i = 0; i < 11; i += 2)
            g.wave(kSpots[i][0], kSpots[i][1], 2, { 170, 220, 220 });
        break;
    case kDunes: dunes(g, true); break;
    case kAirport:
    case kAirfield:
    case kAirBase:
        town(g, { 150, 156, 140 }, 12);
        break;
    case kFortress:
    case kOilField:
        g.base({ 160, 140, 100 }, { 140, 120, 86 }, 50, { 176, 158, 116 }, 30);
        break;
    case kTunnel: mountains(g, false); break;
    case kVillage:
        grass(g);
        townLights(g);
        break;
    case kDam:
    case kMissileBase:
    case kPillbox:
        grass(g);
        break;
    case kBridge:
    case kTemporaryBridge: water(g, { 60, 118, 196 }, kWaterLight, 6); break;
    case kTrench:
        g.base({ 130, 132, 84 }, { 112, 112, 72 }, 60, kEarth, 40);
        g.c.polyline({ { g(2), g(14) }, { g(8), g(19) }, { g(14), g(13) }, { g(20), g(19) }, { g(26), g(13) }, { g(31), g(17) } },
            std::max(1.0, g(2)), g.ink({ 84, 66, 44 }));
        break;
    case kBreakwater:
        water(g, { 30, 70, 150 }, { 90, 140, 210 }, 6);
        g.c.rect(g(0), g(13), g(32), g(19), g.ink({ 150, 146, 136 }));
        for (int x = 0; x < 32; x += 4)
            g.c.rect(g(x), g(13), g(x + 1), g(19), g.ink({ 110, 106, 100 }));
        break;
    default:
        if (g.id >= kCapital && g.id <= kSpecial)
            town(g, g.id == kPort || g.id == kNavalPort ? Rgb { 170, 170, 166 } : kPaving, g.id <= kBigCity ? 12 : 10);
        else
            grass(g);
        break;
    }
}

} // namespace

void drawGround(Cell& cell, int terrainId)
{
    Ground g { cell, cell.unit(), terrainId };
    drawLand(g);
}

} // namespace mkdata::sheet
