// The pictures the riverside scenario carries for its briefing and its closing news, larger than
// the 216 x 160 box the pages fit them into.
#include "tools/mkdata/maps_pictures.h"

#include "tools/mkdata/bmp_writer.h"

#include <cmath>

namespace mkdata::maps {

std::vector<unsigned char> riversideBriefingPicture()
{
    // A river town at dusk: sky, hills, the river and its bridge, seen from the west bank.
    constexpr int kWidth = 320, kHeight = 200;
    Palette p;
    const uint8_t sky = p.index({ 230, 170, 110 });
    const uint8_t skyHigh = p.index({ 120, 110, 160 });
    const uint8_t hills = p.index({ 70, 96, 60 });
    const uint8_t field = p.index({ 120, 150, 70 });
    const uint8_t river = p.index({ 60, 110, 170 });
    const uint8_t bridge = p.index({ 90, 80, 70 });
    const uint8_t house = p.index({ 200, 190, 170 });
    const uint8_t roof = p.index({ 150, 60, 50 });
    Canvas c(kWidth, kHeight, sky);
    c.fillRect(0, 0, kWidth, 40, skyHigh);
    for (int x = 0; x < kWidth; ++x) {
        const int top = 90 + int(18 * std::sin(x / 37.0) + 9 * std::sin(x / 13.0));
        c.line(x, top, x, kHeight - 1, hills);
    }
    c.fillRect(0, 130, kWidth, kHeight, field);
    c.fillPolygon({ { 140, 130 }, { 180, 130 }, { 230, 200 }, { 130, 200 } }, river);
    c.fillRect(120, 146, 210, 152, bridge);
    for (int i = 0; i < 6; ++i) {
        const int x = 30 + 16 * i;
        c.fillRect(x, 118, x + 12, 130, house);
        c.fillPolygon({ { x - 2, 118 }, { x + 6, 110 }, { x + 14, 118 } }, roof);
    }
    return encodeBmp8(c, p);
}

std::vector<unsigned char> riversideNewsPicture()
{
    // The rebuilt bridge under a clear sky: a tall picture, fitted by its height.
    constexpr int kWidth = 180, kHeight = 240;
    Palette p;
    const uint8_t sky = p.index({ 150, 200, 235 });
    const uint8_t sun = p.index({ 250, 230, 120 });
    const uint8_t bank = p.index({ 110, 140, 80 });
    const uint8_t river = p.index({ 50, 100, 160 });
    const uint8_t stone = p.index({ 160, 150, 140 });
    const uint8_t dark = p.index({ 60, 56, 52 });
    Canvas c(kWidth, kHeight, sky);
    c.fillCircle(140, 40, 18, sun);
    c.fillRect(0, 130, kWidth, kHeight, bank);
    c.fillPolygon({ { 60, 130 }, { 120, 130 }, { 170, 240 }, { 10, 240 } }, river);
    c.fillRect(0, 150, kWidth, 160, stone);
    for (int x = 20; x < kWidth; x += 40) {
        c.fillRect(x, 160, x + 8, 200, stone);
        c.frameRect(x, 160, x + 8, 200, dark);
    }
    c.line(0, 150, kWidth - 1, 150, dark);
    return encodeBmp8(c, p);
}

} // namespace mkdata::maps
