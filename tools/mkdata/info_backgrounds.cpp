// "tkbmp" backgrounds of the information windows: the armament change page "change_bg.bmp" and
// the terrain movement panel "info_move.bmp". Their labels are part of the pictures.
#include "infowin/sheet_layout.h"
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"
#include "tools/mkdata/master_land.h"

#include <string>

namespace mkdata::info {
namespace {

using buttons::Align;
using buttons::drawLabel;

// The first two characters of a UTF-8 name: what a 24-pixel cell holds.
std::string shortName(const std::string& utf8)
{
    size_t end = 0;
    for (int characters = 0; characters < 2 && end < utf8.size(); ++characters) {
        const unsigned char lead = static_cast<unsigned char>(utf8[end]);
        end += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    }
    return utf8.substr(0, end);
}

void writeMovePanel(const std::filesystem::path& folder)
{
    using namespace info_sheet;
    Palette palette;
    const uint8_t back = palette.index({ 30, 36, 30 });
    const uint8_t ground = palette.index({ 46, 62, 40 });
    const uint8_t water = palette.index({ 36, 52, 78 });
    const uint8_t building = palette.index({ 58, 58, 66 });
    const uint8_t well = palette.index({ 14, 16, 14 });
    const uint8_t ink = palette.index({ 230, 232, 220 });
    const uint8_t dim = palette.index({ 120, 124, 116 });
    Canvas canvas(kMovePanelWidth, kMovePanelHeight, back);
    const std::vector<std::string> names = master::terrainNames();
    for (int n = 0; n < kMovePanelEntries; ++n) {
        const Cell figure = movePanelFigure(n);
        const int x = figure.x - kMovePanelX;
        const int y = figure.y - kMovePanelY;
        const int terrain = movePanelTerrain(n);
        const bool known = terrain < int(names.size());
        const bool wet = known && (names[size_t(terrain)].find("河") != std::string::npos
                                      || names[size_t(terrain)].find("海") != std::string::npos
                                      || names[size_t(terrain)].find("湖") != std::string::npos
                                      || names[size_t(terrain)].find("浅瀬") != std::string::npos);
        const uint8_t tint = terrain >= 31 && terrain < 50 ? building : wet ? water : ground;
        canvas.fillRect(x - 5, y - 17, x + 17, y + 14, tint);
        canvas.fillRect(x - 2, y - 1, x + 14, y + 13, well);
        drawLabel(canvas, x - 6, y - 16, x + 18, y - 2, known ? shortName(names[size_t(terrain)]) : "--", known ? ink : dim, 12);
    }
    writeFile(folder / "tkbmp" / "info_move.bmp", encodeBmp8(canvas, palette));
}

// The power columns of the weapon table under one-character headings, in the order the table shows
// its target classes.
const char* const kClassHeads[9] = { "超", "航", "ヘ", "硬", "軟", "艦", "潜", "弾", "巡" };

void writeChangePage(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t back = palette.index({ 26, 32, 42 });
    const uint8_t frame = palette.index({ 92, 104, 124 });
    const uint8_t slot = palette.index({ 18, 22, 30 });
    const uint8_t column = palette.index({ 34, 40, 52 });
    const uint8_t table = palette.index({ 16, 20, 28 });
    const uint8_t rule = palette.index({ 40, 48, 62 });
    const uint8_t ink = palette.index({ 236, 238, 230 });
    const uint8_t dim = palette.index({ 110, 118, 132 });
    Canvas canvas(720, 560, back);
    canvas.frameRect(0, 0, 720, 560, frame);
    // Four slots for the set panels; a set the type lacks leaves its slot empty.
    for (int k = 0; k < 4; ++k) {
        const int x = 8 + 272 * (k % 2);
        const int y = 8 + 200 * (k / 2);
        canvas.fillRect(x, y, x + 264, y + 192, slot);
        canvas.frameRect(x, y, x + 264, y + 192, rule);
        drawLabel(canvas, x, y, x + 264, y + 192, "（なし）", dim, 14);
    }
    canvas.fillRect(552, 4, 712, 400, column);
    canvas.frameRect(552, 4, 712, 400, rule);
    drawLabel(canvas, 556, 254, 708, 268, "武装セットを選んで", dim, 12);
    drawLabel(canvas, 556, 270, 708, 284, "決定してください", dim, 12);
    // The weapon table: headings above the area the window restores before each drawing.
    drawLabel(canvas, 12, 410, 200, 426, "兵装", ink, 14, true, Align::Left);
    canvas.line(8, 427, 711, 427, frame);
    auto head = [&](int left, int right, const char* text) { drawLabel(canvas, left, 430, right, 446, text, ink, 12); };
    drawLabel(canvas, 16, 430, 208, 446, "兵装名", ink, 12, false, Align::Left);
    head(220, 248, "倍率");
    head(256, 284, "射程");
    for (int j = 0; j < 9; ++j)
        head(296 + 20 * j - 4, 296 + 20 * j + 16, kClassHeads[j]);
    head(484, 504, "用");
    head(500, 512, "Ｅ");
    head(526, 542, "直");
    head(538, 554, "間");
    head(566, 582, "移");
    head(594, 610, "範");
    head(616, 644, "爆撃");
    head(644, 672, "発射");
    head(676, 708, "単価");
    canvas.fillRect(8, 448, 712, 546, table);
    for (int i = 1; i <= 5; ++i)
        canvas.line(8, 448 + 16 * i - 1, 711, 448 + 16 * i - 1, rule);
    for (int x : { 214, 252, 290, 478, 518, 560, 614, 642, 672 })
        canvas.line(x, 448, x, 545, rule);
    writeFile(folder / "tkbmp" / "change_bg.bmp", encodeBmp8(canvas, palette));
}

void writeInfoBackgrounds(const std::filesystem::path& folder)
{
    writeMovePanel(folder);
    writeChangePage(folder);
}

} // namespace

MKDATA_GENERATOR("info_backgrounds", writeInfoBackgrounds);

} // namespace mkdata::info
