// "tkbmp" pages of the mission briefing and the closing news: the newspaper "news.bmp" with its
// title band "news2.bmp", and the two mission sheets "mission1.bmp" and "mission2.bmp". Text is
// written on them in black, so every place that takes text is light.
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"

namespace mkdata::briefing {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
// The buttons stand on a band at the foot of every page.
constexpr int kButtonBand = 451;

struct Inks {
    uint8_t paper, ink, rule, shade, band, bandLight;
};

void frame(Canvas& c, int left, int top, int right, int bottom, uint8_t colour)
{
    c.frameRect(left, top, right, bottom, colour);
}

void buttonBand(Canvas& c, const Inks& k)
{
    c.fillRect(0, kButtonBand, kWidth, kHeight, k.band);
    c.line(0, kButtonBand, kWidth - 1, kButtonBand, k.bandLight);
}

void writeNews(const std::filesystem::path& folder)
{
    Palette palette;
    const Inks k { palette.index({ 238, 233, 216 }), palette.index({ 40, 36, 30 }), palette.index({ 150, 140, 118 }),
        palette.index({ 214, 206, 184 }), palette.index({ 70, 62, 50 }), palette.index({ 120, 108, 88 }) };
    Canvas c(kWidth, kHeight, k.paper);
    frame(c, 4, 4, kWidth - 4, kButtonBand, k.rule);
    // Headline rule, column rules around the text, the overview square and the picture box.
    c.fillRect(16, 106, 425, 108, k.ink);
    c.line(425, 112, 425, 300, k.rule);
    frame(c, 431, 83, 627, 279, k.rule);
    c.fillRect(16, 285, 238, 465, k.shade);
    frame(c, 16, 287, 236, 451, k.rule);
    c.line(238, 302, kWidth - 12, 302, k.rule);
    buttonBand(c, k);
    writeFile(folder / "tkbmp" / "news.bmp", encodeBmp8(c, palette));

    // The band the newspaper's name is written on: light, between two double rules.
    Palette bandPalette;
    const uint8_t paper = bandPalette.index({ 244, 240, 226 });
    const uint8_t ink = bandPalette.index({ 40, 36, 30 });
    const uint8_t ornament = bandPalette.index({ 150, 120, 70 });
    Canvas band(606, 70, paper);
    band.fillRect(0, 0, 606, 3, ink);
    band.line(0, 5, 605, 5, ink);
    band.line(0, 64, 605, 64, ink);
    band.fillRect(0, 67, 606, 70, ink);
    for (int x : { 20, 586 }) {
        band.fillPolygon({ { x, 22 }, { x + 12, 35 }, { x, 48 }, { x - 12, 35 } }, ornament);
        band.fillCircle(x, 35, 3, paper);
    }
    writeFile(folder / "tkbmp" / "news2.bmp", encodeBmp8(band, bandPalette));
}

// A mission sheet: a khaki board with a light sheet for the text and a stamp in the corner.
Canvas missionSheet(Palette& palette, const Inks& k, const char* heading)
{
    const uint8_t board = palette.index({ 86, 92, 62 });
    const uint8_t stamp = palette.index({ 170, 40, 36 });
    Canvas c(kWidth, kHeight, board);
    c.fillRect(10, 60, kWidth - 10, kButtonBand, k.paper);
    frame(c, 10, 60, kWidth - 10, kButtonBand, k.rule);
    c.fillRect(10, 10, kWidth - 10, 54, k.shade);
    frame(c, 10, 10, kWidth - 10, 54, k.rule);
    buttons::drawLabel(c, 24, 12, 400, 52, heading, k.ink, 28, true);
    frame(c, 500, 16, 620, 48, stamp);
    frame(c, 502, 18, 618, 46, stamp);
    buttons::drawLabel(c, 500, 16, 620, 48, "機密", stamp, 20, true);
    buttonBand(c, k);
    return c;
}

void writeMissions(const std::filesystem::path& folder)
{
    {
        Palette palette;
        const Inks k { palette.index({ 236, 232, 212 }), palette.index({ 34, 38, 28 }), palette.index({ 120, 124, 96 }),
            palette.index({ 200, 198, 170 }), palette.index({ 52, 56, 38 }), palette.index({ 110, 116, 84 }) };
        Canvas c = missionSheet(palette, k, "作戦指令書");
        writeFile(folder / "tkbmp" / "mission1.bmp", encodeBmp8(c, palette));
    }
    {
        Palette palette;
        const Inks k { palette.index({ 236, 232, 212 }), palette.index({ 34, 38, 28 }), palette.index({ 120, 124, 96 }),
            palette.index({ 200, 198, 170 }), palette.index({ 52, 56, 38 }), palette.index({ 110, 116, 84 }) };
        Canvas c = missionSheet(palette, k, "作戦目標");
        // Ruled lines under the sixteen text lines.
        for (int i = 0; i < 16; ++i)
            c.line(16, 133 + 20 * i, kWidth - 16, 133 + 20 * i, k.shade);
        // The difficulty stands on a light plate in the button band.
        c.fillRect(30, 451, 196, 471, k.paper);
        frame(c, 30, 451, 196, 471, k.rule);
        writeFile(folder / "tkbmp" / "mission2.bmp", encodeBmp8(c, palette));
    }
}

void writeBriefingPictures(const std::filesystem::path& folder)
{
    writeNews(folder);
    writeMissions(folder);
}

} // namespace

MKDATA_GENERATOR("briefing_pictures", writeBriefingPictures);

} // namespace mkdata::briefing
