// Japanese labels for the button strips, rendered with the platform's fonts into a canvas.
#pragma once

#include "tools/mkdata/bmp_writer.h"

#include <string_view>

namespace mkdata::buttons {

enum class Align { Centre, Left, Right };

// Draws UTF-8 text in (left, top, right, bottom), centred vertically and placed across by align,
// pixels of the glyphs in colour `index`. pixelHeight is the font's character height.
void drawLabel(Canvas& canvas, int left, int top, int right, int bottom, std::string_view utf8, uint8_t index,
    int pixelHeight = 12, bool bold = false, Align align = Align::Centre);

} // namespace mkdata::buttons
