// Shared drawing of the play popups' pictures.
#include "tools/mkdata/popup_art.h"

#include "tools/mkdata/buttons_text.h"

namespace mkdata::popups {

Inks makeInks(Palette& palette)
{
    Inks inks {};
    inks.back = palette.index({ 34, 40, 30 });
    inks.panel = palette.index({ 58, 68, 50 });
    inks.light = palette.index({ 150, 162, 128 });
    inks.shade = palette.index({ 16, 20, 14 });
    inks.field = palette.index({ 20, 24, 18 });
    inks.label = palette.index({ 224, 226, 204 });
    inks.title = palette.index({ 240, 214, 120 });
    inks.accent = palette.index({ 196, 72, 48 });
    inks.sky = palette.index({ 84, 110, 140 });
    inks.ground = palette.index({ 96, 90, 62 });
    return inks;
}

void raisedPanel(Canvas& canvas, const Inks& inks, int left, int top, int right, int bottom)
{
    canvas.fillRect(left, top, right, bottom, inks.panel);
    canvas.line(left, top, right - 1, top, inks.light);
    canvas.line(left, top, left, bottom - 1, inks.light);
    canvas.line(left, bottom - 1, right - 1, bottom - 1, inks.shade);
    canvas.line(right - 1, top, right - 1, bottom - 1, inks.shade);
}

void sunkenField(Canvas& canvas, const Inks& inks, int left, int top, int right, int bottom)
{
    canvas.fillRect(left, top, right, bottom, inks.field);
    canvas.line(left, top, right - 1, top, inks.shade);
    canvas.line(left, top, left, bottom - 1, inks.shade);
    canvas.line(left, bottom - 1, right - 1, bottom - 1, inks.light);
    canvas.line(right - 1, top, right - 1, bottom - 1, inks.light);
}

void label(Canvas& canvas, int left, int top, int right, int bottom, std::string_view utf8, uint8_t ink, int pixelHeight,
    bool bold)
{
    buttons::drawLabel(canvas, left, top, right, bottom, utf8, ink, pixelHeight, bold);
}

} // namespace mkdata::popups
