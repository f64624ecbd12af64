// Where windows cut their marks from the mark strip "panel_btn.bmp", beside the strip's buttons.
// Header only, shared with the generator of that strip and its checks.
#pragma once

#include "infowin/sheet_layout.h"

#include <vector>

namespace panel_marks {

using info_sheet::Cell;

constexpr const char* kFile = "panel_btn.bmp";
// The strip is at least this large; its buttons may widen it.
constexpr int kSheetWidth = 568;
constexpr int kSheetHeight = 502;

// Experience level 0..5, 16 x 16, the best level leftmost.
constexpr Cell experienceMark(int level) { return { (34 - level) * 16, 16, 16, 16 }; }
// The blinking mark of a side whose first hit struck hard.
constexpr Cell kHitMark { 352, 56, 76, 16 };
// Laid over a destroyed figure or a machine expected to be lost; magenta is its transparent colour.
constexpr Cell kCross { 428, 56, 16, 16 };
// The lit row behind a weapon: per side a 284-pixel strip, one 22-pixel band per weapon row 0..4,
// from y 392 down to 502.
constexpr int kStripTop = 392;
constexpr int kStripWidth = 284;
constexpr int kStripHeight = 22;
constexpr Cell highlightStrip(int side, int row)
{
    return { side == 1 ? kStripWidth : 0, kStripTop + kStripHeight * row, kStripWidth, kStripHeight };
}
// The mark before the fired weapon's name (a face of the 20 x 20 panel buttons).
constexpr Cell kFiredMark { 480, 92, 20, 20 };

// Every mark of the strip drawn beside the buttons, for the generator's checks.
inline std::vector<Cell> regions()
{
    std::vector<Cell> cells;
    for (int level = 0; level <= 5; ++level)
        cells.push_back(experienceMark(level));
    cells.push_back(kHitMark);
    cells.push_back(kCross);
    for (int side = 0; side < 2; ++side)
        for (int row = 0; row < 5; ++row)
            cells.push_back(highlightStrip(side, row));
    return cells;
}

} // namespace panel_marks
