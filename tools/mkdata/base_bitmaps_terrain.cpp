// "tkbmp" terrain pictures of start-up: the 32 and 16 pixel terrain strips and the thumbnail
// colour strips. Cell c of a strip belongs to terrain id c; row 0 is the ground, row 1 the
// building or bridge over magenta.
#include "tools/mkdata/base_bitmaps.h"
#include "tools/mkdata/generator.h"

namespace mkdata::base {

const std::array<Rgb, 9>& sideColours()
{
    static const std::array<Rgb, 9> colours = { {
        { 200, 40, 40 }, { 40, 80, 210 }, { 40, 160, 60 }, { 220, 190, 40 },
        { 150, 60, 180 }, { 40, 180, 190 }, { 230, 120, 30 }, { 110, 80, 50 }, { 150, 150, 150 },
    } };
    return colours;
}

bool isBuilding(int t) { return t >= 31 && t <= 50; }
bool isBridge(int t) { return t == 51 || t == 53; }

Rgb groundColour(int t)
{
    if (isBuilding(t))
        return { 175, 172, 160 };
    if (isBridge(t))
        return { 40, 90, 185 };
    if (t == 14 || t == 15 || t == 16 || t == 28)
        return { 40, 90, uint8_t(170 + (t % 4) * 15) };
    if (t == 29)
        return { 90, 150, 200 };
    if (t == 10 || t == 18 || t == 19 || t == 26)
        return { 230, 235, 240 };
    if (t == 8 || t == 30 || t == 12)
        return { 215, 195, 130 };
    if (t == 3 || t == 4 || t == 20 || t == 24)
        return { 40, uint8_t(100 + (t % 3) * 10), 40 };
    if (t == 5 || t == 6 || t == 7 || t == 25 || t == 27 || t == 13)
        return { uint8_t(120 + (t % 4) * 10), 100, 70 };
    return { uint8_t(100 + (t * 7) % 40), uint8_t(150 + (t * 5) % 30), 80 };
}

namespace {

void drawBuilding(Canvas& canvas, int x, int y, int size, int t, uint8_t wall, uint8_t roof, uint8_t road)
{
    const int s = size;
    if (isBridge(t)) {
        canvas.fillRect(x, y + s * 3 / 8, x + s, y + s * 5 / 8, road);
        canvas.frameRect(x, y + s * 3 / 8, x + s, y + s * 5 / 8, roof);
        return;
    }
    // Larger towns get more houses; other facilities one block with a flat roof.
    const int houses = t <= 34 ? 4 - (t - 31) / 2 : 1;
    const int w = s / 2;
    for (int i = 0; i < houses; ++i) {
        const int hx = x + (i % 2) * w + s / 16;
        const int hy = y + (i / 2) * w + s / 8;
        canvas.fillRect(hx, hy + w / 3, hx + w - s / 8, hy + w - s / 16, wall);
        canvas.fillPolygon({ { hx, hy + w / 3 }, { hx + (w - s / 8) / 2, hy }, { hx + w - s / 8, hy + w / 3 } }, roof);
    }
    if (houses == 1)
        canvas.frameRect(x + s / 4, y + s / 4, x + s * 3 / 4, y + s * 3 / 4, roof);
}

void writeTerrainStrip(const std::filesystem::path& folder, const char* name, int size)
{
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    const uint8_t wall = palette.index({ 225, 220, 205 });
    const uint8_t roof = palette.index({ 150, 50, 40 });
    const uint8_t road = palette.index({ 120, 120, 120 });
    const uint8_t edge = palette.index({ 30, 30, 30 });
    Canvas canvas(kTerrainCells * size, 2 * size, clear);
    for (int t = 0; t < kTerrainCells; ++t) {
        const int x = t * size;
        canvas.fillRect(x, 0, x + size, size, palette.index(groundColour(t)));
        canvas.frameRect(x, 0, x + size, size, edge);
        if (isBuilding(t) || isBridge(t))
            drawBuilding(canvas, x, size, size, t, wall, roof, road);
    }
    writeFile(folder / "tkbmp" / name, encodeBmp8(canvas, palette));
}

// Row 0 the picture view, row 1 the buildings view (buildings bright, ground dimmed).
void writeColourStrip(const std::filesystem::path& folder, const char* name, int cell)
{
    Palette palette;
    Canvas canvas(kTerrainCells * cell, 2 * cell, palette.index({ 0, 0, 0 }));
    for (int t = 0; t < kTerrainCells; ++t) {
        const Rgb ground = groundColour(t);
        canvas.fillRect(t * cell, 0, (t + 1) * cell, cell, palette.index(ground));
        const Rgb plain { uint8_t(ground.r / 3), uint8_t(ground.g / 3), uint8_t(ground.b / 3) };
        const Rgb shown = isBuilding(t) ? Rgb { 250, 250, 250 } : isBridge(t) ? Rgb { 180, 180, 180 } : plain;
        canvas.fillRect(t * cell, cell, (t + 1) * cell, 2 * cell, palette.index(shown));
    }
    writeFile(folder / "tkbmp" / name, encodeBmp8(canvas, palette));
}

void writeOwnerStrip(const std::filesystem::path& folder, const char* name, int cell)
{
    Palette palette;
    Canvas canvas(9 * cell, cell, 0);
    for (int side = 0; side < 9; ++side)
        canvas.fillRect(side * cell, 0, (side + 1) * cell, cell, palette.index(sideColours()[size_t(side)]));
    writeFile(folder / "tkbmp" / name, encodeBmp8(canvas, palette));
}

void writeTerrainPictures(const std::filesystem::path& folder)
{
    writeTerrainStrip(folder, "land32_base.bmp", 32);
    writeTerrainStrip(folder, "land16_base.bmp", 16);
    writeColourStrip(folder, "hq1.bmp", 1);
    writeColourStrip(folder, "hq2.bmp", 2);
    writeOwnerStrip(folder, "hqc1.bmp", 1);
    writeOwnerStrip(folder, "hqc2.bmp", 2);
}

} // namespace

MKDATA_GENERATOR("base_terrain", writeTerrainPictures);

} // namespace mkdata::base
