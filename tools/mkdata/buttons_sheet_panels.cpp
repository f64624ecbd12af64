// The armament change window's set panels and bars in "change_btn.bmp", the weapon list's row
// strip in "list_weap.bmp", and which sheets carry pictures beside their buttons.
#include "infowin/panel_marks.h"
#include "tools/mkdata/buttons_sheets.h"
#include "tools/mkdata/buttons_text.h"

namespace mkdata::buttons {
namespace {

using info_sheet::Cell;

const char* const kSetTitles[4] = { "武装セット１", "武装セット２", "武装セット３", "武装セット４" };

struct PanelInks {
    uint8_t fill, title, frame, well, line, ink, dim;
};

void well(Canvas& canvas, int x, int y, int left, int top, int right, int bottom, const PanelInks& p)
{
    canvas.fillRect(x + left - 2, y + top - 1, x + right + 2, y + bottom + 1, p.well);
}

// Labels and wells where the window writes the set's figures.
void drawSetPanel(Canvas& canvas, const Cell& cell, int set, const PanelInks& p, bool selected)
{
    const int x = cell.x;
    const int y = cell.y;
    canvas.fillRect(x, y, cell.right(), cell.bottom(), p.fill);
    canvas.frameRect(x, y, cell.right(), cell.bottom(), p.frame);
    if (selected)
        canvas.frameRect(x + 1, y + 1, cell.right() - 1, cell.bottom() - 1, p.frame);
    canvas.fillRect(x + 3, y + 3, cell.right() - 3, y + 27, p.title);
    drawLabel(canvas, x + 8, y + 4, x + 256, y + 26, kSetTitles[set], p.ink, 16, true, Align::Left);
    drawLabel(canvas, x + 8, y + 30, x + 104, y + 46, "兵装", p.dim, 12, false, Align::Left);
    drawLabel(canvas, x + 204, y + 30, x + 256, y + 46, "弾数", p.dim, 12);
    for (int i = 0; i < 5; ++i) {
        const int row = y + 49 + 16 * i;
        canvas.line(x + 6, row + 15, cell.right() - 7, row + 15, p.line);
    }
    drawLabel(canvas, x + 8, y + 132, x + 70, y + 144, "機数", p.ink, 12, false, Align::Left);
    drawLabel(canvas, x + 126, y + 132, x + 180, y + 144, "燃料", p.ink, 12, false, Align::Left);
    drawLabel(canvas, x + 8, y + 152, x + 70, y + 164, "移動力", p.ink, 12, false, Align::Left);
    drawLabel(canvas, x + 126, y + 152, x + 208, y + 164, "高速移動", p.ink, 12, false, Align::Left);
    drawLabel(canvas, x + 8, y + 172, x + 70, y + 184, "補助", p.ink, 12, false, Align::Left);
    well(canvas, x, y, 76, 132, 106, 144, p);
    well(canvas, x, y, 184, 132, 226, 144, p);
    well(canvas, x, y, 76, 152, 88, 164, p);
    well(canvas, x, y, 212, 152, 224, 164, p);
    well(canvas, x, y, 76, 172, 88, 184, p);
}

} // namespace

void paintChangeSheet(Canvas& canvas, Palette& palette)
{
    const PanelInks normal { palette.index({ 34, 42, 54 }), palette.index({ 52, 64, 84 }),
        palette.index({ 96, 108, 128 }), palette.index({ 18, 22, 30 }), palette.index({ 48, 58, 74 }),
        palette.index({ 244, 244, 232 }), palette.index({ 170, 178, 190 }) };
    PanelInks chosen = normal;
    chosen.fill = palette.index({ 54, 52, 34 });
    chosen.title = palette.index({ 150, 110, 30 });
    chosen.frame = palette.index({ 240, 196, 80 });
    chosen.line = palette.index({ 84, 78, 48 });
    for (int k = 0; k < 4; ++k) {
        drawSetPanel(canvas, info_sheet::setPanel(k, false), k, normal, false);
        drawSetPanel(canvas, info_sheet::setPanel(k, true), k, chosen, true);
    }
    paintWeaponBars(canvas, palette, info_sheet::kChangeBars.x, info_sheet::kChangeBars.y);
}

namespace {

// One row of the weapon list behind its text: the list colour with the header's column lines.
void paintWeaponRowStrip(Canvas& canvas, Palette& palette)
{
    const Cell strip = info_sheet::kWeaponRowStrip;
    const uint8_t paper = palette.index({ 236, 232, 214 });
    const uint8_t rule = palette.index({ 196, 188, 160 });
    canvas.fillRect(strip.x, strip.y, strip.right(), strip.bottom(), paper);
    for (int x : { 119, 319, 359, 407 })
        canvas.line(strip.x + x, strip.y, strip.x + x, strip.bottom() - 1, rule);
    canvas.line(strip.x, strip.bottom() - 1, strip.right() - 1, strip.bottom() - 1, rule);
}

} // namespace

SheetSize sheetSize(const std::string& file)
{
    if (file == "info_btn.bmp")
        return { info_sheet::kIconSheetWidth, info_sheet::kIconSheetHeight };
    if (file == "change_btn.bmp")
        return { info_sheet::kChangeSheetWidth, info_sheet::kChangeSheetHeight };
    if (file == "list_weap.bmp")
        return { info_sheet::kWeaponListSheetWidth, info_sheet::kWeaponListSheetHeight };
    if (file == panel_marks::kFile)
        return { panel_marks::kSheetWidth, panel_marks::kSheetHeight };
    return {};
}

void paintSheetPictures(const std::string& file, Canvas& canvas, Palette& palette)
{
    if (file == "info_btn.bmp")
        paintIconSheet(canvas, palette);
    else if (file == "change_btn.bmp")
        paintChangeSheet(canvas, palette);
    else if (file == "list_weap.bmp")
        paintWeaponRowStrip(canvas, palette);
    else if (file == panel_marks::kFile)
        paintPanelMarks(canvas, palette);
}

} // namespace mkdata::buttons
