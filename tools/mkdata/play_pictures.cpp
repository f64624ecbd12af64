// "tkbmp" pictures of the play windows: the event notice ("event_s.bmp"), the game end
// ("end_s.bmp"), the thinking window ("think.bmp") and the auto-move window ("automove.bmp").
#include "tools/mkdata/base_bitmaps.h"
#include "tools/mkdata/generator.h"
#include "tools/mkdata/popup_art.h"

#include <array>
#include <cmath>

namespace mkdata::popups {
namespace {

// 284 x 56: a dark field the notice writes its icon and two lines into.
void writeEventNotice(const std::filesystem::path& folder)
{
    Palette palette;
    const Inks inks = makeInks(palette);
    Canvas canvas(284, 56, inks.back);
    raisedPanel(canvas, inks, 0, 0, 284, 56);
    sunkenField(canvas, inks, 6, 6, 278, 50);
    canvas.line(8, 8, 8, 47, inks.accent);
    canvas.line(9, 8, 9, 47, inks.accent);
    writeFile(folder / "tkbmp" / "event_s.bmp", encodeBmp8(canvas, palette));
}

// "end_s.bmp": five 336 x 268 bands (capital captured, all units lost, victory, surrender, the
// other ends); the window writes the country and the words into the band at the bottom.
void writeGameEnd(const std::filesystem::path& folder)
{
    constexpr int kWidth = 336;
    constexpr int kHeight = 268;
    constexpr int kHorizon = 170;
    Palette palette;
    const Inks inks = makeInks(palette);
    const uint8_t dusk = palette.index({ 120, 74, 60 });
    const uint8_t gold = palette.index({ 226, 190, 70 });
    const uint8_t white = palette.index({ 240, 240, 236 });
    const uint8_t wall = palette.index({ 150, 144, 132 });
    const uint8_t smoke = palette.index({ 72, 72, 74 });
    const uint8_t fire = palette.index({ 228, 110, 36 });
    const uint8_t leaf = palette.index({ 118, 128, 58 });
    const uint8_t leafLight = palette.index({ 168, 176, 92 });
    const std::array<const char*, 5> titles = { "首都陥落", "全滅", "勝利", "降伏", "敗北" };
    Canvas canvas(kWidth, 5 * kHeight, inks.back);
    for (int band = 0; band < 5; ++band) {
        const int top = band * kHeight;
        const bool bright = band == 2;
        canvas.fillRect(0, top, kWidth, top + kHorizon, bright ? inks.sky : dusk);
        canvas.fillRect(0, top + kHorizon, kWidth, top + 210, inks.ground);
        switch (band) {
        case 0: // the capital's hall under smoke, its flag down
            canvas.fillRect(110, top + 100, 226, top + kHorizon + 4, wall);
            canvas.fillCircle(168, top + 100, 30, wall);
            canvas.fillCircle(130, top + 70, 24, smoke);
            canvas.fillCircle(200, top + 60, 30, smoke);
            canvas.line(240, top + kHorizon, 290, top + kHorizon - 20, inks.shade);
            break;
        case 1: // an empty field of wrecks
            for (int i = 0; i < 5; ++i) {
                const int x = 30 + 62 * i;
                base::drawUnitShape(canvas, x, top + kHorizon - 10, 32, 2, smoke, inks.shade);
                canvas.fillCircle(x + 16, top + kHorizon - 24, 8, smoke);
                canvas.fillRect(x + 12, top + kHorizon - 6, x + 20, top + kHorizon + 2, fire);
            }
            break;
        case 2: // a laurel wreath round a star in the sun: any country may be the one that won
            canvas.fillCircle(270, top + 50, 22, gold);
            // Two branches of leaves up the sides from the foot, each leaf along the branch.
            for (int i = 0; i < 11; ++i) {
                const double a = M_PI * (0.56 + 0.085 * i);
                for (const int side : { -1, 1 }) {
                    const double c = side * std::cos(a);
                    const double s = -std::sin(a);
                    const double x = 168 + 54 * c;
                    const double y = top + 104 + 54 * s;
                    const double tx = -s * side;
                    const double ty = c * side;
                    auto at = [](double v) { return int(std::lround(v)); };
                    canvas.fillPolygon({ { at(x + 12 * tx), at(y + 12 * ty) }, { at(x + 7 * c), at(y + 7 * s) },
                                           { at(x - 6 * tx), at(y - 6 * ty) }, { at(x - 7 * c), at(y - 7 * s) } },
                        i % 2 ? leaf : leafLight);
                }
            }
            canvas.fillPolygon(starPoints(168, top + 104, 34, 14, 5), gold);
            break;
        case 3: // a white flag
            canvas.fillRect(150, top + 50, 153, top + kHorizon + 6, inks.shade);
            canvas.fillRect(153, top + 50, 215, top + 90, white);
            break;
        default: // a broken pole and scattered smoke
            canvas.line(150, top + kHorizon, 180, top + 100, inks.shade);
            canvas.line(180, top + 100, 200, top + 120, inks.shade);
            canvas.fillCircle(90, top + 90, 26, smoke);
            canvas.fillCircle(250, top + 80, 34, smoke);
            break;
        }
        canvas.fillRect(0, top, kWidth, top + 30, inks.back);
        label(canvas, 0, top + 2, kWidth, top + 28, titles[size_t(band)], bright ? gold : inks.title, 22, true);
        raisedPanel(canvas, inks, 0, top + 210, kWidth, top + kHeight);
        sunkenField(canvas, inks, 6, top + 215, kWidth - 6, top + kHeight - 6);
    }
    writeFile(folder / "tkbmp" / "end_s.bmp", encodeBmp8(canvas, palette));
}

// One 296 x 88 face of the thinking window at (left, top): the title, the bar's trough and a hint.
void thinkFace(Canvas& canvas, const Inks& inks, int left, int top, const char* title, uint8_t titleInk)
{
    raisedPanel(canvas, inks, left, top, left + 296, top + 88);
    sunkenField(canvas, inks, left + 6, top + 10, left + 90, top + 82);
    label(canvas, left + 92, top + 14, left + 228, top + 34, title, titleInk, 14, true);
    sunkenField(canvas, inks, left + 79, top + 41, left + 281, top + 59);
    label(canvas, left + 92, top + 64, left + 280, top + 80, "停止ボタンで一時停止", inks.label, 10);
}

// "think.bmp" 680 x 248: the window's face (0, 0) and its delegated face (296, 160); six radar
// frames of 72 x 68 at (200 + 80 f, 88) with an 8 x 30 meter beside each; the stop button's
// faces (normal, pressed) at (0, 88) and, delegated, at (0, 112); the bar's fill at (0, 160).
void writeThink(const std::filesystem::path& folder)
{
    Palette palette;
    const Inks inks = makeInks(palette);
    const uint8_t screen = palette.index({ 12, 36, 20 });
    const uint8_t ring = palette.index({ 40, 120, 60 });
    const uint8_t sweep = palette.index({ 120, 240, 140 });
    const uint8_t blip = palette.index({ 240, 220, 100 });
    const uint8_t bar = palette.index({ 70, 170, 90 });
    const uint8_t barLight = palette.index({ 140, 220, 150 });
    const uint8_t delegated = palette.index({ 120, 190, 240 });
    const uint8_t button = palette.index({ 150, 60, 50 });
    const uint8_t buttonLit = palette.index({ 210, 120, 100 });
    Canvas canvas(680, 248, inks.back);
    thinkFace(canvas, inks, 0, 0, "コンピュータ思考中", inks.title);
    thinkFace(canvas, inks, 296, 160, "委任中", delegated);
    for (int f = 0; f < 6; ++f) {
        const int x = 200 + 80 * f;
        canvas.fillRect(x, 88, x + 72, 156, screen);
        const int cx = x + 36;
        const int cy = 122;
        for (int r : { 30, 20, 10 }) {
            canvas.fillCircle(cx, cy, r, ring);
            canvas.fillCircle(cx, cy, r - 1, screen);
        }
        const double angle = f * 3.14159265358979 / 3.0;
        canvas.line(cx, cy, cx + int(std::lround(30 * std::cos(angle))), cy - int(std::lround(30 * std::sin(angle))), sweep);
        canvas.fillCircle(cx + 14, cy - 10, f % 2 ? 2 : 1, blip);
        // The meter: f + 1 of six steps lit.
        canvas.fillRect(x + 72, 88, x + 80, 118, screen);
        for (int s = 0; s <= f; ++s)
            canvas.fillRect(x + 73, 114 - 5 * s, x + 79, 117 - 5 * s, s < 4 ? ring : blip);
    }
    const std::array<const char*, 2> words = { "停止", "解除" };
    for (int row = 0; row < 2; ++row)
        for (int pressed = 0; pressed < 2; ++pressed) {
            const int x = 48 * pressed;
            const int y = 88 + 24 * row;
            canvas.fillRect(x, y, x + 48, y + 24, pressed ? button : buttonLit);
            canvas.frameRect(x, y, x + 48, y + 24, inks.shade);
            canvas.line(x + 1, y + 1, x + 46, y + 1, pressed ? inks.shade : inks.light);
            label(canvas, x + pressed, y + pressed, x + 48 + pressed, y + 24 + pressed, words[size_t(row)], inks.label, 12, true);
        }
    canvas.fillRect(0, 160, 200, 176, bar);
    canvas.line(0, 161, 199, 161, barLight);
    canvas.line(0, 162, 199, 162, barLight);
    writeFile(folder / "tkbmp" / "think.bmp", encodeBmp8(canvas, palette));
}

// "automove.bmp" 296 x 100: the first unit's name and the group's size beside the buttons.
void writeAutoMove(const std::filesystem::path& folder)
{
    Palette palette;
    const Inks inks = makeInks(palette);
    Canvas canvas(296, 100, inks.back);
    raisedPanel(canvas, inks, 0, 0, 296, 100);
    sunkenField(canvas, inks, 86, 14, 286, 32);
    label(canvas, 86, 36, 160, 52, "先頭部隊", inks.label, 10);
    label(canvas, 180, 36, 236, 52, "部隊数", inks.label);
    sunkenField(canvas, inks, 236, 36, 262, 52);
    writeFile(folder / "tkbmp" / "automove.bmp", encodeBmp8(canvas, palette));
}

void writePlayPictures(const std::filesystem::path& folder)
{
    writeEventNotice(folder);
    writeGameEnd(folder);
    writeThink(folder);
    writeAutoMove(folder);
}

} // namespace

MKDATA_GENERATOR("play_pictures", writePlayPictures);

} // namespace mkdata::popups
