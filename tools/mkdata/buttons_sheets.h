// The pictures that share a sheet with bitmap buttons: the icon sheet of the information windows,
// the armament change window's set panels, the weapon list's row strip and the marks of the
// panel strip.
#pragma once

#include "infowin/sheet_layout.h"
#include "tools/mkdata/bmp_writer.h"

#include <string>

namespace mkdata::buttons {

struct SheetSize {
    int width = 0;
    int height = 0;
};

// The whole sheet's size where pictures share it; {0, 0} for a strip of buttons only.
SheetSize sheetSize(const std::string& file);
// Paints the sheet's pictures (not its buttons) into the canvas.
void paintSheetPictures(const std::string& file, Canvas& canvas, Palette& palette);

// A raised tile with a label, the look of every icon and badge.
struct TileInks {
    uint8_t fill, light, dark, ink;
};
void drawTile(Canvas& canvas, const info_sheet::Cell& cell, const TileInks& inks, const char* utf8Label, int pixelHeight = 12);

// The icon sheet's pictures and the set panels (one file each).
void paintIconSheet(Canvas& canvas, Palette& palette);
void paintChangeSheet(Canvas& canvas, Palette& palette);
// The mark strip's marks beside the panel buttons.
void paintPanelMarks(Canvas& canvas, Palette& palette);
// Five highlight bars of a weapon table, from (x, y) down.
void paintWeaponBars(Canvas& canvas, Palette& palette, int x, int y);

} // namespace mkdata::buttons
