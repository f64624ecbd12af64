// The pictures that share a sheet with bitmap buttons: the icon sheet of the information windows,
// the armament change window's set panels, the weapon list's row strip, the marks of the panel
// strip, the replenish and supply popups' panels and the income window's picture with the result
// windows' gauge bars.
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
// The play popups' pictures at the left of their strips (buttons_sheet_popups.cpp).
void paintFillTroopSheet(Canvas& canvas, Palette& palette);
void paintSupplyTroopSheet(Canvas& canvas, Palette& palette);
void paintIncomeSheet(Canvas& canvas, Palette& palette);
// The tool palette's wide buttons with a picture left of their label, by image index.
constexpr int kToolCountryPicture = 6;
constexpr int kToolConditionPicture = 7;
constexpr int kToolResultsPicture = 8;
constexpr int kToolTroopsPicture = 9;
// Draws the picture of wide tool button `image` in an 18 × 16 box at (x, y); false if it has none.
bool drawToolPicture(Canvas& canvas, int image, int x, int y, uint8_t ink, uint8_t face);
// Five highlight bars of a weapon table, from (x, y) down.
void paintWeaponBars(Canvas& canvas, Palette& palette, int x, int y);

} // namespace mkdata::buttons
