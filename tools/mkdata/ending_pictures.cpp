// "tkbmp" pictures of the end-of-game window: the graph backgrounds "end1_bg1.bmp" (won),
// "end2_bg1.bmp" (lost) and "end3_bg1.bmp" (neither), the evaluation backgrounds "end*_bg2.bmp"
// with the figures' labels, the caption "evaluation.bmp", the six emblems of "emblem.bmp" and the
// six ranks of "rank.bmp"; magenta is transparent in the last three.
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace mkdata::ending {
namespace {

using buttons::Align;
using buttons::drawLabel;

constexpr int kWidth = 640;
constexpr int kHeight = 520;

// The look of a result: won, lost, neither.
struct Theme {
    const char* suffix;
    Rgb top, bottom, accent, panel;
    const char* banner;
};

const Theme kThemes[3] = {
    { "end1", { 18, 34, 78 }, { 6, 12, 30 }, { 222, 184, 74 }, { 10, 18, 44 }, "勝利" },
    { "end2", { 70, 18, 16 }, { 24, 6, 6 }, { 200, 96, 72 }, { 34, 10, 10 }, "敗北" },
    { "end3", { 34, 48, 40 }, { 10, 16, 14 }, { 168, 184, 150 }, { 16, 24, 20 }, "終戦" },
};

Rgb mix(Rgb a, Rgb b, int k, int of)
{
    auto channel = [&](uint8_t x, uint8_t y) { return uint8_t((x * (of - k) + y * k) / of); };
    return { channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b) };
}

// A vertical shade from the theme's top colour to its bottom one in bands, with a rim, and with the
// button bar ruled off along the foot where nothing else stands there.
Canvas backdrop(Palette& palette, const Theme& theme, bool buttonBar)
{
    Canvas canvas(kWidth, kHeight, palette.index(theme.bottom));
    constexpr int kBands = 26;
    for (int band = 0; band < kBands; ++band)
        canvas.fillRect(0, band * kHeight / kBands, kWidth, (band + 1) * kHeight / kBands,
            palette.index(mix(theme.top, theme.bottom, band, kBands - 1)));
    const uint8_t accent = palette.index(theme.accent);
    canvas.frameRect(2, 2, kWidth - 2, kHeight - 2, accent);
    if (buttonBar)
        canvas.fillRect(4, 470, kWidth - 4, 471, accent);
    drawLabel(canvas, 520, 8, 632, 30, theme.banner, accent, 18, true, Align::Right);
    return canvas;
}

void writeGraphBackground(const std::filesystem::path& folder, const Theme& theme)
{
    Palette palette;
    Canvas canvas = backdrop(palette, theme, true);
    // The chart's area, the lines drawn over it; a faint rule every 50 pixels up.
    const uint8_t panel = palette.index(theme.panel);
    const uint8_t rule = palette.index(mix(theme.panel, theme.accent, 1, 6));
    canvas.fillRect(71, 36, 571, 436, panel);
    for (int y = 86; y < 436; y += 50)
        for (int x = 71; x < 571; x += 4)
            canvas.set(x, y, rule);
    writeFile(folder / "tkbmp" / (std::string(theme.suffix) + "_bg1.bmp"), encodeBmp8(canvas, palette));
}

// The evaluation page: four groups of three labelled figures at x 152 with a rank frame at
// x 232, and the emblem's place at (320, 136)-(640, 440).
void writeEvaluationBackground(const std::filesystem::path& folder, const Theme& theme)
{
    Palette palette;
    // The territory figures reach down to the buttons.
    Canvas canvas = backdrop(palette, theme, false);
    const uint8_t accent = palette.index(theme.accent);
    const uint8_t ink = palette.index({ 236, 236, 226 });
    const uint8_t well = palette.index(theme.panel);
    drawLabel(canvas, 16, 40, 300, 70, "戦果評価", accent, 22, true, Align::Left);
    const char* const headings[4] = { "ターン評価", "資金評価", "戦力評価", "領土評価" };
    const char* const labels[12] = { "規定ターン数", "経過ターン数", "残りターン数", "総資金", "使用資金", "残り資金",
        "初期戦力", "損失戦力", "現有戦力", "総拠点数", "他陣営の拠点", "自陣営の拠点" };
    for (int g = 0; g < 4; ++g) {
        const int top = 100 * g;
        drawLabel(canvas, 16, top + 104, 148, top + 120, headings[g], accent, 14, true, Align::Left);
        canvas.fillRect(16, top + 121, 222, top + 122, accent);
        for (int r = 0; r < 3; ++r) {
            const int y = top + 126 + 20 * r;
            drawLabel(canvas, 28, y, 148, y + 16, labels[3 * g + r], ink, 12, false, Align::Left);
            canvas.fillRect(150, y, 222, y + 17, well);
        }
        canvas.frameRect(230, top + 110, 298, top + 178, accent);
    }
    writeFile(folder / "tkbmp" / (std::string(theme.suffix) + "_bg2.bmp"), encodeBmp8(canvas, palette));
}

void writeCaption(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    const uint8_t gold = palette.index({ 236, 200, 96 });
    const uint8_t shade = palette.index({ 40, 30, 10 });
    Canvas canvas(320, 64, clear);
    drawLabel(canvas, 2, 10, 322, 58, "総合評価", shade, 36, true);
    drawLabel(canvas, 0, 8, 320, 56, "総合評価", gold, 36, true);
    writeFile(folder / "tkbmp" / "evaluation.bmp", encodeBmp8(canvas, palette));
}

// The metals of the six ranks, lowest first, and their letters.
const Rgb kMetals[6] = { { 120, 110, 100 }, { 150, 96, 60 }, { 176, 120, 70 }, { 190, 194, 204 }, { 214, 186, 90 }, { 246, 214, 96 } };
const char* const kRankLetters[6] = { "Ｅ", "Ｄ", "Ｃ", "Ｂ", "Ａ", "Ｓ" };
const char* const kEmblemNames[6] = { "新兵", "兵卒", "下士官", "士官", "将官", "元帥" };

void writeEmblems(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    const uint8_t dark = palette.index({ 24, 20, 16 });
    const uint8_t ribbon = palette.index({ 150, 30, 40 });
    const uint8_t ink = palette.index({ 250, 246, 232 });
    Canvas canvas(320, 240 * 6, clear);
    for (int rank = 0; rank < 6; ++rank) {
        const int top = 240 * rank;
        const uint8_t metal = palette.index(kMetals[rank]);
        const uint8_t light = palette.index(mix(kMetals[rank], { 255, 255, 255 }, 1, 3));
        canvas.fillPolygon({ { 118, top + 8 }, { 202, top + 8 }, { 184, top + 70 }, { 136, top + 70 } }, ribbon);
        canvas.fillCircle(160, top + 118, 78, dark);
        canvas.fillCircle(160, top + 118, 74, metal);
        canvas.fillCircle(160, top + 118, 62, light);
        canvas.fillPolygon(starPoints(160, top + 118, 58, 24, 5 + (rank >= 4 ? 3 : 0)), metal);
        drawLabel(canvas, 100, top + 92, 220, top + 146, kRankLetters[rank], dark, 44, true);
        canvas.fillRect(80, top + 202, 240, top + 232, dark);
        drawLabel(canvas, 80, top + 204, 240, top + 230, kEmblemNames[rank], ink, 20, true);
    }
    writeFile(folder / "tkbmp" / "emblem.bmp", encodeBmp8(canvas, palette));
}

void writeRanks(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t clear = palette.index(kMagenta);
    const uint8_t dark = palette.index({ 20, 18, 16 });
    Canvas canvas(64, 64 * 6, clear);
    for (int rank = 0; rank < 6; ++rank) {
        const int top = 64 * rank;
        const uint8_t metal = palette.index(kMetals[rank]);
        canvas.fillCircle(32, top + 32, 30, dark);
        canvas.fillCircle(32, top + 32, 27, metal);
        drawLabel(canvas, 4, top + 8, 60, top + 56, kRankLetters[rank], dark, 36, true);
    }
    writeFile(folder / "tkbmp" / "rank.bmp", encodeBmp8(canvas, palette));
}

void writeEndingPictures(const std::filesystem::path& folder)
{
    for (const Theme& theme : kThemes) {
        writeGraphBackground(folder, theme);
        writeEvaluationBackground(folder, theme);
    }
    writeCaption(folder);
    writeEmblems(folder);
    writeRanks(folder);
}

} // namespace

MKDATA_GENERATOR("ending_pictures", writeEndingPictures);

} // namespace mkdata::ending
