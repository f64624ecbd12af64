// "tkbmp" unit and marker pictures of start-up: the category sheet, the civilians, the small
// digits and the prompt bar's start arrow (the unit sheets are drawn with the map art).
#include "tools/mkdata/base_bitmaps.h"
#include "tools/mkdata/generator.h"

namespace mkdata::base {

void drawUnitShape(Canvas& canvas, int x, int y, int size, int index, uint8_t colour, uint8_t outline)
{
    auto p = [&](int u, int v) { return std::pair<int, int>(x + u * size / 32, y + v * size / 32); };
    auto rect = [&](int l, int t, int r, int b, uint8_t c) {
        canvas.fillRect(x + l * size / 32, y + t * size / 32, x + r * size / 32, y + b * size / 32, c);
    };
    switch (index % 6) {
    case 0: // headquarters: a flag on a pole
        rect(8, 4, 10, 28, outline);
        canvas.fillPolygon({ p(10, 4), p(26, 9), p(10, 15) }, colour);
        break;
    case 1: // infantry: a standing figure
        canvas.fillCircle(x + 16 * size / 32, y + 8 * size / 32, 4 * size / 32, colour);
        rect(12, 13, 20, 24, colour);
        rect(12, 24, 15, 30, outline);
        rect(17, 24, 20, 30, outline);
        break;
    case 2: // tank: hull, turret and gun
        rect(4, 16, 28, 26, colour);
        rect(10, 11, 20, 17, colour);
        rect(20, 13, 30, 15, outline);
        rect(4, 24, 28, 27, outline);
        break;
    case 3: // artillery: a long barrel on two wheels
        canvas.line(p(6, 24).first, p(6, 24).second, p(28, 8).first, p(28, 8).second, colour);
        rect(8, 18, 22, 22, colour);
        canvas.fillCircle(x + 10 * size / 32, y + 25 * size / 32, 3 * size / 32, outline);
        canvas.fillCircle(x + 20 * size / 32, y + 25 * size / 32, 3 * size / 32, outline);
        break;
    case 4: // aircraft: fuselage and wings from above
        canvas.fillPolygon({ p(16, 2), p(19, 12), p(30, 18), p(19, 18), p(18, 26), p(22, 30), p(10, 30), p(14, 26),
                               p(13, 18), p(2, 18), p(13, 12) },
            colour);
        break;
    default: // ship: hull and bridge
        canvas.fillPolygon({ p(2, 18), p(30, 18), p(26, 26), p(6, 26) }, colour);
        rect(12, 11, 20, 18, colour);
        rect(15, 6, 17, 11, outline);
        break;
    }
}

int categoryShape(int index)
{
    if (index <= 18)
        return 4; // aircraft and helicopters
    if (index <= 23 || index == 35 || index == 36)
        return 2; // armour and other vehicles
    if (index == 37 || index == 38)
        return 1;
    if (index == 39)
        return 0;
    if (index >= 40 && index <= 56)
        return 5;
    return 3; // guns, missile vehicles, warheads and the slow variants
}

namespace {

// Column = unit bitmap index, row 0 no side, row s + 1 country s.
void writeCategorySheet(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    const uint8_t outline = palette.index({ 20, 20, 20 });
    Canvas canvas(kCategoryColumns * 16, 9 * 16, clear);
    for (int row = 0; row < 9; ++row) {
        const Rgb side = sideColours()[size_t(row == 0 ? 8 : row - 1)];
        const uint8_t colour = palette.index(side);
        for (int i = 0; i < kCategoryColumns; ++i)
            drawUnitShape(canvas, i * 16, row * 16, 16, categoryShape(i), colour, outline);
    }
    writeFile(folder / "tkbmp" / "category.bmp", encodeBmp8(canvas, palette));
}

void writeCivilians(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    const uint8_t coat = palette.index({ 230, 210, 120 });
    const uint8_t skin = palette.index({ 240, 200, 160 });
    Canvas canvas(32, 32, clear);
    for (int i = 0; i < 3; ++i) {
        const int x = 4 + i * 9;
        const int y = i == 1 ? 6 : 10;
        canvas.fillCircle(x + 3, y + 3, 3, skin);
        canvas.fillRect(x, y + 7, x + 7, y + 18, coat);
    }
    writeFile(folder / "tkbmp" / "minkan32.bmp", encodeBmp8(canvas, palette));
}

// Digits 0-9 as seven segments in 8 x 12 cells, white on magenta.
void writeDigits(const std::filesystem::path& folder)
{
    // Segments a-g as bits 0-6.
    static const uint8_t kSegments[10] = { 0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F };
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    const uint8_t ink = palette.index({ 255, 255, 255 });
    Canvas canvas(80, 12, clear);
    for (int d = 0; d < 10; ++d) {
        const int x = d * 8 + 1;
        const uint8_t s = kSegments[d];
        if (s & 0x01) canvas.fillRect(x + 1, 0, x + 5, 1, ink);
        if (s & 0x02) canvas.fillRect(x + 5, 1, x + 6, 5, ink);
        if (s & 0x04) canvas.fillRect(x + 5, 6, x + 6, 10, ink);
        if (s & 0x08) canvas.fillRect(x + 1, 10, x + 5, 11, ink);
        if (s & 0x10) canvas.fillRect(x, 6, x + 1, 10, ink);
        if (s & 0x20) canvas.fillRect(x, 1, x + 1, 5, ink);
        if (s & 0x40) canvas.fillRect(x + 1, 5, x + 5, 6, ink);
    }
    writeFile(folder / "tkbmp" / "exnum.bmp", encodeBmp8(canvas, palette));
}

// The prompt bar cuts (0, 0)-(9, 18).
void writeStartArrow(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    const uint8_t arrow = palette.index({ 230, 40, 30 });
    Canvas canvas(10, 18, clear);
    canvas.fillPolygon({ { 0, 1 }, { 9, 9 }, { 0, 17 } }, arrow);
    writeFile(folder / "tkbmp" / "stparrow.bmp", encodeBmp8(canvas, palette));
}

void writeUnitPictures(const std::filesystem::path& folder)
{
    writeCategorySheet(folder);
    writeCivilians(folder);
    writeDigits(folder);
    writeStartArrow(folder);
}

} // namespace

MKDATA_GENERATOR("base_units", writeUnitPictures);

} // namespace mkdata::base
