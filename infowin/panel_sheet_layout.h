// Where the weapon selection and the battle windows cut their marks from the mark strip
// "panel_btn.bmp", beside its panel buttons. Header only, shared with the strip's generator.
#pragma once

#include "infowin/sheet_layout.h"

#include <vector>

namespace panel_sheet {

using info_sheet::Cell;

constexpr const char* kFile = "panel_btn.bmp";
// The strip is at least this large; its buttons may widen it.
constexpr int kMinWidth = 568;
constexpr int kHeight = 502;

// Level 0..5: a 16 x 16 mark, the best level leftmost.
constexpr Cell experienceMark(int level) { return { (34 - level) * 16, 16, 16, 16 }; }
// Laid over a machine expected to be lost; magenta is its transparent colour.
constexpr Cell kCross { 428, 56, 16, 16 };
// The lit row behind a usable weapon: per side a 284-pixel strip, one 22-pixel band per weapon
// row, bands of rows 0..4 from y 392 down to 502.
constexpr int kStripTop = 392;
constexpr int kStripWidth = 284;
constexpr int kStripHeight = 22;
constexpr Cell highlightStrip(int side, int row)
{
    return { side == 1 ? kStripWidth : 0, kStripTop + kStripHeight * row, kStripWidth, kStripHeight };
}

// Every mark of the strip besides the buttons, for the generator and its checks.
inline std::vector<Cell> regions()
{
    std::vector<Cell> cells;
    for (int level = 0; level <= 5; ++level)
        cells.push_back(experienceMark(level));
    cells.push_back(kCross);
    for (int side = 0; side < 2; ++side)
        for (int row = 0; row < 5; ++row)
            cells.push_back(highlightStrip(side, row));
    return cells;
}

} // namespace panel_sheet
