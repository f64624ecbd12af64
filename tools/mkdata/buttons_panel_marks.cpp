// The marks of the mark strip "panel_btn.bmp" beside its buttons: experience marks, the hit mark,
// the cross over a destroyed figure and the strips that light a fired weapon's row.
#include "infowin/panel_marks.h"
#include "tools/mkdata/buttons_sheets.h"

namespace mkdata::buttons {

namespace {

const char* const kLevelLabels[6] = { "Ｅ", "Ｄ", "Ｃ", "Ｂ", "Ａ", "★" };

} // namespace

void paintPanelMarks(Canvas& canvas, Palette& palette)
{
    using namespace panel_marks;
    const TileInks level { palette.index({ 52, 44, 20 }), palette.index({ 140, 130, 100 }),
        palette.index({ 24, 20, 10 }), palette.index({ 250, 210, 80 }) };
    for (int l = 0; l <= 5; ++l)
        drawTile(canvas, experienceMark(l), level, kLevelLabels[l]);

    const uint8_t red = palette.index({ 230, 40, 30 });
    const uint8_t yellow = palette.index({ 250, 220, 60 });
    const Cell hit = kHitMark;
    canvas.fillRect(hit.x, hit.y, hit.right(), hit.bottom(), red);
    canvas.frameRect(hit.x, hit.y, hit.right(), hit.bottom(), yellow);
    for (int x = hit.x + 6; x < hit.right() - 4; x += 10)
        canvas.fillRect(x, hit.y + 4, x + 5, hit.y + 12, yellow);

    const Cell cross = kCross;
    canvas.fillRect(cross.x, cross.y, cross.right(), cross.bottom(), palette.index(kMagenta));
    for (int d = 0; d < 3; ++d) {
        canvas.line(cross.x + 1 + d, cross.y + 1, cross.right() - 1, cross.bottom() - 1 - d, red);
        canvas.line(cross.x + 1 + d, cross.bottom() - 1, cross.right() - 1, cross.y + 1 + d, red);
    }

    // One strip per weapon row and side, lighter toward its foot.
    for (int side = 0; side < 2; ++side)
        for (int slot = 0; slot < 5; ++slot) {
            const Cell strip = highlightStrip(side, 152 + 22 * slot);
            for (int y = 0; y < strip.height; ++y) {
                const int shade = 40 + y * 4;
                canvas.fillRect(strip.x, strip.y + y, strip.right(), strip.y + y + 1,
                    palette.index({ 20, uint8_t(shade), uint8_t(60 + shade) }));
            }
        }
}

} // namespace mkdata::buttons
