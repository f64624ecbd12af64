// The replenish and supply popups' panels and the income window's picture with the result windows'
// gauge bars, at the left of the strips whose right part holds their buttons.
#include "tools/mkdata/buttons_sheets.h"

#include "tools/mkdata/base_bitmaps.h"
#include "tools/mkdata/popup_art.h"

#include <algorithm>

namespace mkdata::buttons {
namespace {

using popups::Inks;
using popups::label;
using popups::raisedPanel;
using popups::sunkenField;

// A unit's heading: the icon's box, its name and its type name.
void unitHeading(Canvas& canvas, const Inks& inks, int iconTop, int nameTop, int typeTop)
{
    sunkenField(canvas, inks, 10, iconTop - 2, 46, iconTop + 34);
    sunkenField(canvas, inks, 82, nameTop - 2, 280, nameTop + 14);
    sunkenField(canvas, inks, 82, typeTop - 2, 280, typeTop + 14);
}

void costAndFunds(Canvas& canvas, const Inks& inks, int top)
{
    label(canvas, 4, top - 2, 38, top + 14, "費用", inks.label);
    sunkenField(canvas, inks, 38, top - 2, 80, top + 14);
    label(canvas, 136, top - 2, 182, top + 14, "残金", inks.label);
    sunkenField(canvas, inks, 182, top - 2, 242, top + 14);
}

} // namespace

// "filltroop.bmp" 288 x 264: the unit now at the top, the unit after the services below.
void paintFillTroopSheet(Canvas& canvas, Palette& palette)
{
    const Inks inks = popups::makeInks(palette);
    raisedPanel(canvas, inks, 0, 0, 288, 264);
    unitHeading(canvas, inks, 14, 12, 32);
    label(canvas, 2, 54, 38, 70, "現在", inks.label);
    sunkenField(canvas, inks, 38, 54, 74, 70);
    sunkenField(canvas, inks, 80, 50, 282, 100);
    canvas.line(6, 108, 281, 108, inks.shade);
    canvas.line(6, 109, 281, 109, inks.light);
    label(canvas, 2, 118, 38, 134, "実施後", inks.title, 10);
    sunkenField(canvas, inks, 38, 118, 74, 134);
    sunkenField(canvas, inks, 80, 114, 282, 164);
    costAndFunds(canvas, inks, 168);
    canvas.line(6, 186, 281, 186, inks.shade);
}

// "supplytroop.bmp" 288 x 160: the unit, then the cost and the funds left.
void paintSupplyTroopSheet(Canvas& canvas, Palette& palette)
{
    const Inks inks = popups::makeInks(palette);
    raisedPanel(canvas, inks, 0, 0, 288, 160);
    unitHeading(canvas, inks, 20, 16, 40);
    costAndFunds(canvas, inks, 64);
    canvas.line(6, 82, 281, 82, inks.shade);
}

// "income.bmp": the 264 x 168 picture, then the gauge bars of the result windows at x 264, one
// 128 x 10 row per owner from y 64 (row 0 no owner, row c + 1 country c).
void paintIncomeSheet(Canvas& canvas, Palette& palette)
{
    const Inks inks = popups::makeInks(palette);
    raisedPanel(canvas, inks, 0, 0, 264, 168);
    const char* names[3] = { "今回の収入", "軍資金", "相場" };
    const int fieldLeft[3] = { 150, 150, 186 };
    for (int i = 0; i < 3; ++i) {
        const int top = 10 + 24 * i;
        label(canvas, 10, top, 110, top + 16, names[i], inks.label);
        sunkenField(canvas, inks, fieldLeft[i], top, 256, top + 16);
    }
    // Coins stacked beside a rising line: the income.
    const uint8_t gold = palette.index({ 214, 178, 60 });
    const uint8_t rim = palette.index({ 120, 96, 30 });
    for (int stack = 0; stack < 3; ++stack)
        for (int coin = 0; coin <= stack + 1; ++coin) {
            const int x = 18 + 26 * stack;
            const int y = 148 - 6 * coin;
            canvas.fillRect(x, y - 4, x + 20, y + 2, gold);
            canvas.frameRect(x, y - 4, x + 20, y + 2, rim);
        }
    canvas.line(16, 112, 40, 104, inks.title);
    canvas.line(40, 104, 64, 108, inks.title);
    canvas.line(64, 108, 100, 90, inks.title);
    const auto& sides = base::sideColours();
    for (int row = 0; row < 9; ++row) {
        const int y = 64 + 10 * row;
        const Rgb colour = sides[size_t(row == 0 ? 8 : row - 1)];
        const Rgb lit { uint8_t(std::min(255, colour.r + 60)), uint8_t(std::min(255, colour.g + 60)), uint8_t(std::min(255, colour.b + 60)) };
        canvas.fillRect(264, y, 392, y + 10, palette.index(colour));
        canvas.line(264, y + 1, 391, y + 1, palette.index(lit));
    }
}

} // namespace mkdata::buttons
