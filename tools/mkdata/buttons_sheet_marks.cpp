// The marks of "panel_btn.bmp" beside its panel buttons: the experience marks, the hit mark of the
// simplified battle window, the cross over a machine expected to be lost or a destroyed figure, and
// the two sides' lit weapon-row strips.
#include "infowin/panel_marks.h"
#include "tools/mkdata/buttons_sheets.h"

namespace mkdata::buttons {
namespace {

using info_sheet::Cell;

const char* const kLevels[6] = { "Ｅ", "Ｄ", "Ｃ", "Ｂ", "Ａ", "★" };

// A red cross on the transparent colour, to lie over a machine's icon.
void paintCross(Canvas& canvas, Palette& palette)
{
    const Cell c = panel_marks::kCross;
    const uint8_t key = palette.index(kMagenta);
    const uint8_t red = palette.index({ 232, 36, 28 });
    const uint8_t dark = palette.index({ 120, 12, 8 });
    canvas.fillRect(c.x, c.y, c.right(), c.bottom(), key);
    for (int d = 0; d < 3; ++d) {
        canvas.line(c.x + 1 + d, c.y + 1, c.right() - 2, c.bottom() - 2 - d, d == 2 ? dark : red);
        canvas.line(c.x + 1 + d, c.bottom() - 2, c.right() - 2, c.y + 1 + d, d == 2 ? dark : red);
    }
}

// Red with yellow dashes, blinking over a side whose first hit struck hard.
void paintHitMark(Canvas& canvas, Palette& palette)
{
    const uint8_t red = palette.index({ 230, 40, 30 });
    const uint8_t yellow = palette.index({ 250, 220, 60 });
    const Cell hit = panel_marks::kHitMark;
    canvas.fillRect(hit.x, hit.y, hit.right(), hit.bottom(), red);
    canvas.frameRect(hit.x, hit.y, hit.right(), hit.bottom(), yellow);
    for (int x = hit.x + 6; x < hit.right() - 4; x += 10)
        canvas.fillRect(x, hit.y + 4, x + 5, hit.y + 12, yellow);
}

// Each band is lit from its top edge down; the defender's side in a warmer tone.
void paintStrips(Canvas& canvas, Palette& palette)
{
    for (int side = 0; side < 2; ++side)
        for (int row = 0; row < 5; ++row) {
            const Cell c = panel_marks::highlightStrip(side, row);
            for (int y = 0; y < c.height; ++y) {
                const int glow = 70 - 2 * y;
                const Rgb colour = side == 0 ? Rgb { 20, uint8_t(40 + glow), uint8_t(30 + glow / 2) }
                                             : Rgb { uint8_t(40 + glow), uint8_t(34 + glow / 2), 16 };
                canvas.fillRect(c.x, c.y + y, c.right(), c.y + y + 1, palette.index(colour));
            }
            canvas.line(c.x, c.y, c.right() - 1, c.y, palette.index({ 140, 200, 150 }));
            canvas.line(c.x, c.bottom() - 1, c.right() - 1, c.bottom() - 1, palette.index({ 8, 14, 10 }));
        }
}

} // namespace

void paintPanelMarks(Canvas& canvas, Palette& palette)
{
    const TileInks mark { palette.index({ 44, 36, 18 }), palette.index({ 140, 120, 70 }), palette.index({ 18, 14, 6 }),
        palette.index({ 250, 210, 80 }) };
    for (int level = 0; level <= 5; ++level)
        drawTile(canvas, panel_marks::experienceMark(level), mark, kLevels[level]);
    paintHitMark(canvas, palette);
    paintCross(canvas, palette);
    paintStrips(canvas, palette);
}

} // namespace mkdata::buttons
