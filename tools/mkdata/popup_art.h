// Shared drawing of the play popups' pictures: one set of inks, raised panels, sunken fields for
// the figures the windows write, and labels.
#pragma once

#include "tools/mkdata/bmp_writer.h"

#include <string_view>

namespace mkdata::popups {

struct Inks {
    uint8_t back, panel, light, shade, field, label, title, accent, sky, ground;
};

Inks makeInks(Palette& palette);
// A raised rim round (left, top)-(right, bottom), right and bottom exclusive, over a filled body.
void raisedPanel(Canvas& canvas, const Inks& inks, int left, int top, int right, int bottom);
// A dark sunken box the windows write white figures into.
void sunkenField(Canvas& canvas, const Inks& inks, int left, int top, int right, int bottom);
// Text centred in the rectangle.
void label(Canvas& canvas, int left, int top, int right, int bottom, std::string_view utf8, uint8_t ink,
    int pixelHeight = 12, bool bold = false);

} // namespace mkdata::popups
