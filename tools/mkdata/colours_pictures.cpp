// "tkbmp" pictures of the custom colour previews, drawn in blue on magenta to be hue-turned
// ("unit48.bmp", whose first cell the unit preview shows, is drawn with the unit sheets).
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/generator.h"

#include <utility>
#include <vector>

namespace mkdata::colours {
namespace {

constexpr int kTile = 48;

struct Blues {
    uint8_t dark, mid, light, outline, clear;
};

Blues blues(Palette& palette)
{
    return { palette.index({ 20, 40, 130 }), palette.index({ 40, 80, 220 }), palette.index({ 130, 160, 255 }),
        palette.index({ 16, 16, 16 }), palette.index(kMagenta) };
}

// The corners of a pointy-topped hex in a 48-pixel tile, from the top clockwise.
std::vector<std::pair<int, int>> hexCorners(int x0, int y0)
{
    return { { x0 + 24, y0 }, { x0 + 47, y0 + 12 }, { x0 + 47, y0 + 36 }, { x0 + 24, y0 + 47 }, { x0, y0 + 36 },
        { x0, y0 + 12 } };
}

// "land48_base.bmp": two plain land tiles, a meadow and a field, edge to edge.
void writeLandBase(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t grass = palette.index({ 96, 140, 72 });
    const uint8_t tuft = palette.index({ 70, 112, 52 });
    const uint8_t field = palette.index({ 150, 150, 96 });
    const uint8_t furrow = palette.index({ 120, 118, 74 });
    Canvas canvas(2 * kTile, kTile, grass);
    for (int i = 0; i < 24; ++i) {
        const int x = (i * 17) % 44 + 2;
        const int y = (i * 29) % 44 + 2;
        canvas.line(x, y + 2, x + 1, y, tuft);
    }
    canvas.fillRect(kTile, 0, 2 * kTile, kTile, field);
    for (int y = 3; y < kTile; y += 6)
        canvas.line(kTile, y, 2 * kTile - 1, y, furrow);
    writeFile(folder / "tkbmp" / "land48_base.bmp", encodeBmp8(canvas, palette));
}

// "land48_build.bmp": a town (rows 0-48) and a fort (rows 48-96) in the owner's colour.
void writeLandBuild(const std::filesystem::path& folder)
{
    Palette palette;
    const Blues c = blues(palette);
    const uint8_t wall = palette.index({ 200, 200, 200 });
    Canvas canvas(kTile, 2 * kTile, c.clear);
    for (int i = 0; i < 3; ++i) {
        const int x = 6 + 13 * i;
        const int y = 20 + (i == 1 ? -6 : 0);
        canvas.fillRect(x, y, x + 11, y + 14, wall);
        canvas.frameRect(x, y, x + 11, y + 14, c.outline);
        canvas.fillPolygon({ { x - 1, y }, { x + 5, y - 7 }, { x + 11, y } }, c.mid);
        canvas.fillRect(x + 4, y + 8, x + 7, y + 14, c.dark);
    }
    const int top = kTile;
    canvas.fillRect(8, top + 18, 40, top + 40, c.mid);
    canvas.frameRect(8, top + 18, 40, top + 40, c.outline);
    for (int x : { 6, 34 }) {
        canvas.fillRect(x, top + 12, x + 8, top + 42, c.dark);
        canvas.frameRect(x, top + 12, x + 8, top + 42, c.outline);
    }
    canvas.fillRect(20, top + 30, 28, top + 40, c.outline);
    canvas.line(24, top + 4, 24, top + 18, c.outline);
    canvas.fillPolygon({ { 25, top + 4 }, { 34, top + 7 }, { 25, top + 10 } }, c.light);
    writeFile(folder / "tkbmp" / "land48_build.bmp", encodeBmp8(canvas, palette));
}

// "border48.bmp": border segments along each of the six hex edges, one tile per direction
// (left, down-left, down-right, right, up-right, up-left); rows 144-192 are the country
// borders, the rows above thinner lines of the same kind.
void writeBorders(const std::filesystem::path& folder)
{
    Palette palette;
    const Blues c = blues(palette);
    Canvas canvas(6 * kTile, 4 * kTile, c.clear);
    for (int row = 0; row < 4; ++row) {
        const int thickness = row == 3 ? 3 : 1 + row / 2;
        for (int d = 0; d < 6; ++d) {
            const auto corners = hexCorners(d * kTile, row * kTile);
            // Direction d's edge: 0 left is corners 4-5, then clockwise round the bottom.
            const int edges[6][2] = { { 4, 5 }, { 3, 4 }, { 2, 3 }, { 1, 2 }, { 0, 1 }, { 5, 0 } };
            const auto [ax, ay] = corners[size_t(edges[d][0])];
            const auto [bx, by] = corners[size_t(edges[d][1])];
            // Shift inwards towards the tile centre so that the line stays inside the hex.
            const int cx = d * kTile + 24;
            const int cy = row * kTile + 24;
            for (int t = 0; t < thickness; ++t) {
                auto inward = [&](int v, int centre) { return v + (centre > v ? t : centre < v ? -t : 0); };
                canvas.line(inward(ax, cx), inward(ay, cy), inward(bx, cx), inward(by, cy), t == 0 ? c.dark : c.mid);
            }
        }
    }
    writeFile(folder / "tkbmp" / "border48.bmp", encodeBmp8(canvas, palette));
}

// "ecmcc.bmp": the interception marker (crosshair ring) and the ECM marker (waves).
void writeMarkers(const std::filesystem::path& folder)
{
    Palette palette;
    const Blues c = blues(palette);
    Canvas canvas(2 * kTile, kTile, c.clear);
    canvas.fillCircle(24, 24, 18, c.mid);
    canvas.fillCircle(24, 24, 13, c.clear);
    canvas.fillCircle(24, 24, 4, c.light);
    canvas.fillRect(22, 2, 26, 46, c.dark);
    canvas.fillRect(2, 22, 46, 26, c.dark);
    canvas.fillCircle(24, 24, 2, c.clear);
    // ECM: waves rising from an antenna, kept inside the second tile.
    const int ex = kTile + 24;
    for (int r : { 20, 14, 8 }) {
        canvas.fillCircle(ex, 40, r, c.mid);
        canvas.fillCircle(ex, 40, r - 3, c.clear);
    }
    canvas.fillRect(kTile, 40, 2 * kTile, kTile, c.clear);
    canvas.fillCircle(ex, 40, 3, c.light);
    canvas.fillRect(ex - 6, 40, ex + 6, 46, c.dark);
    writeFile(folder / "tkbmp" / "ecmcc.bmp", encodeBmp8(canvas, palette));
}

void writeColourPictures(const std::filesystem::path& programFolder)
{
    writeLandBase(programFolder);
    writeLandBuild(programFolder);
    writeBorders(programFolder);
    writeMarkers(programFolder);
}

} // namespace

MKDATA_GENERATOR("colours_pictures", writeColourPictures);

} // namespace mkdata::colours
