// "tkbmp" terrain pictures of start-up: the 32 and 16 pixel terrain strips and the thumbnail
// colour strips. Cell c of a strip belongs to terrain id c; row 0 is the ground, row 1 the
// building or bridge over magenta.
#include "tools/mkdata/base_bitmaps.h"
#include "tools/mkdata/generator.h"
#include "tools/mkdata/map_sheet.h"

namespace mkdata::base {

const std::array<Rgb, 9>& sideColours()
{
    // Countries 0..7 are BLUE, RED, GREEN, YELLOW, PURPLE, CYAN, ORANGE and MAGENTA, as the game
    // names them; the neutral side last.
    static const std::array<Rgb, 9> colours = { {
        { 40, 80, 220 }, { 210, 40, 40 }, { 40, 170, 60 }, { 220, 200, 40 },
        { 150, 60, 190 }, { 40, 190, 200 }, { 235, 130, 30 }, { 220, 60, 180 }, { 150, 150, 150 },
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

// The map sheets' ground and buildings drawn square, framed as list icons.
void writeTerrainStrip(const std::filesystem::path& folder, const char* name, int size)
{
    sheet::InkTable inks;
    auto draw = [&] {
        Canvas canvas(kTerrainCells * size, 2 * size, inks.index(kMagenta));
        const uint8_t edge = inks.index({ 30, 30, 30 });
        for (int t = 0; t < kTerrainCells; ++t) {
            sheet::Cell ground(canvas, inks, t * size, 0, size, sheet::Light::Day, false);
            sheet::drawGround(ground, t);
            canvas.frameRect(t * size, 0, (t + 1) * size, size, edge);
            sheet::Cell building(canvas, inks, t * size, size, size, sheet::Light::Day, false);
            sheet::drawBuilding(building, t);
        }
        return canvas;
    };
    draw();
    inks.settle();
    writeFile(folder / "tkbmp" / name, encodeBmp8(draw(), inks.palette()));
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
