// Where windows cut their marks from the mark strip "panel_btn.bmp", beside the strip's buttons.
// Header only, shared with the generator of that strip.
#pragma once

#include "infowin/sheet_layout.h"

namespace panel_marks {

using info_sheet::Cell;

// The strip is at least this large, whatever its buttons need.
constexpr int kSheetWidth = 568;
constexpr int kSheetHeight = 502;

// Experience level 0..5, 16 x 16.
constexpr Cell experienceMark(int level) { return { (34 - level) * 16, 16, 16, 16 }; }
// The blinking mark of a side whose first hit struck hard.
constexpr Cell kHitMark { 352, 56, 76, 16 };
// The cross over a destroyed figure, drawn transparent: its key colour is magenta.
constexpr Cell kCross { 428, 56, 16, 16 };
// The strip behind the fired weapon's row: side 0 or 1, a weapon row's top y (152 + 22 × slot).
constexpr Cell highlightStrip(int side, int rowY) { return { side == 0 ? 0 : 284, rowY + 240, 284, 22 }; }
constexpr int kHighlightTop = 392;
// The mark before the fired weapon's name (a face of the 20 x 20 panel buttons).
constexpr Cell kFiredMark { 480, 92, 20, 20 };

} // namespace panel_marks
