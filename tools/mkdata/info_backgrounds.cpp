// "tkbmp" backgrounds of the information windows: the weapon information page "info_heiki.bmp",
// the armament change page "change_bg.bmp", the troop information page "info_butai.bmp" with its
// carried-units page "info_carry.bmp", and the terrain movement panel "info_move.bmp". Their labels
// are part of the pictures.
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

// The weapon table's column headings, a row 16 pixels high from top, over the columns the unit
// panels fill.
void drawWeaponTableHeadings(Canvas& canvas, int top, uint8_t ink)
{
    auto head = [&](int left, int right, const char* text) { drawLabel(canvas, left, top, right, top + 16, text, ink, 12); };
    drawLabel(canvas, 16, top, 208, top + 16, "兵装名", ink, 12, false, Align::Left);
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
}

struct TableInks {
    uint8_t ink, frame, table, rule;
};

// The weapon table under its title and column headings: title at top, headings 20 below, the five
// rows from top + 38, where the weapon table panel draws its bars and figures.
void drawWeaponTableFrame(Canvas& canvas, const TableInks& c, int top)
{
    drawLabel(canvas, 12, top, 200, top + 16, "兵装", c.ink, 14, true, Align::Left);
    canvas.line(8, top + 17, 711, top + 17, c.frame);
    drawWeaponTableHeadings(canvas, top + 20, c.ink);
    const int rows = top + 38;
    canvas.fillRect(8, rows, 712, rows + 98, c.table);
    for (int i = 1; i <= 5; ++i)
        canvas.line(8, rows + 16 * i - 1, 711, rows + 16 * i - 1, c.rule);
    for (int x : { 214, 252, 290, 478, 518, 560, 614, 642, 672 })
        canvas.line(x, rows, x, rows + 97, c.rule);
}

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
    drawWeaponTableFrame(canvas, { ink, frame, table, rule }, 410);
    writeFile(folder / "tkbmp" / "change_bg.bmp", encodeBmp8(canvas, palette));
}

struct PageInks {
    uint8_t back, frame, well, rule, ink, dim;
};

PageInks pageInks(Palette& palette)
{
    return { palette.index({ 26, 32, 42 }), palette.index({ 92, 104, 124 }), palette.index({ 16, 20, 28 }),
        palette.index({ 40, 48, 62 }), palette.index({ 236, 238, 230 }), palette.index({ 130, 138, 152 }) };
}

void label(Canvas& canvas, const PageInks& c, int left, int top, int right, const char* text)
{
    drawLabel(canvas, left, top, right, top + 12, text, c.dim, 12, false, Align::Left);
}

// The unit's own state at the top right: the troop information draws its values right of these.
void drawStatusLabels(Canvas& canvas, const PageInks& c)
{
    canvas.fillRect(448, 40, 712, 200, c.well);
    canvas.frameRect(448, 40, 712, 200, c.rule);
    label(canvas, c, 454, 46, 502, "部隊名");
    label(canvas, c, 454, 67, 502, "経験");
    label(canvas, c, 454, 90, 482, "機数");
    label(canvas, c, 536, 90, 566, "疲労");
    label(canvas, c, 454, 112, 506, "位置");
    label(canvas, c, 454, 140, 502, "構成");
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 5; ++i)
            canvas.frameRect(502 + 40 * i, 130 + 24 * row, 540 + 40 * i, 150 + 24 * row, c.rule);
}

// The type's header: picture box, names, the right-hand column and the layer rows.
void drawHeaderLabels(Canvas& canvas, const PageInks& c)
{
    canvas.frameRect(8, 4, 440, 318, c.frame);
    label(canvas, c, 16, 14, 72, "兵器名");
    label(canvas, c, 290, 14, 330, "目標");
    label(canvas, c, 16, 36, 70, "種別");
    label(canvas, c, 176, 36, 240, "搭載区分");
    label(canvas, c, 340, 36, 378, "移動");
    // The frame starts at the box's top row: the carry class icon ends right above it.
    canvas.fillRect(16, 49, 376, 208, c.well);
    canvas.frameRect(15, 48, 377, 209, c.rule);
    label(canvas, c, 382, 116, 436, "機数");
    label(canvas, c, 382, 145, 436, "価格");
    label(canvas, c, 382, 174, 436, "生産");
    label(canvas, c, 16, 214, 90, "搭載");
    const char* const rows[3] = { "視界", "防御", "射程" };
    const char* const layers[6] = { "超", "高", "低", "地", "海", "潜" };
    for (int r = 0; r < 3; ++r) {
        const int y = 258 + 22 * r;
        canvas.line(16, y - 4, 432, y - 4, c.rule);
        label(canvas, c, 16, y, 100, rows[r]);
        for (int k = 0; k < 6; ++k)
            label(canvas, c, 104 + 60 * k, y, 118 + 60 * k, layers[k]);
    }
    canvas.fillRect(8, 348, 440, 452, c.well);
    canvas.frameRect(8, 348, 440, 452, c.rule);
}

// The armament page of the lower right; the carried-units page "info_carry.bmp" covers it.
void drawArmamentLabels(Canvas& canvas, const PageInks& c)
{
    canvas.frameRect(444, 204, 716, 460, c.frame);
    label(canvas, c, 456, 248, 640, "兵装");
    label(canvas, c, 646, 248, 672, "倍率");
    label(canvas, c, 676, 248, 712, "弾数");
    for (int i = 0; i < 5; ++i)
        canvas.line(454, 282 + 20 * i, 708, 282 + 20 * i, c.rule);
    label(canvas, c, 456, 368, 520, "耐久力");
    label(canvas, c, 580, 368, 630, "燃料");
    label(canvas, c, 456, 388, 520, "移動力");
    label(canvas, c, 580, 388, 656, "高速移動");
    label(canvas, c, 456, 408, 520, "補助");
}

void writeTroopPage(const std::filesystem::path& folder)
{
    Palette palette;
    const PageInks c = pageInks(palette);
    Canvas canvas(720, 608, c.back);
    canvas.frameRect(0, 0, 720, 608, c.frame);
    drawHeaderLabels(canvas, c);
    drawStatusLabels(canvas, c);
    drawArmamentLabels(canvas, c);
    drawWeaponTableFrame(canvas, { c.ink, c.frame, c.well, c.rule }, 470);
    writeFile(folder / "tkbmp" / "info_butai.bmp", encodeBmp8(canvas, palette));
}

// Drawn at (444, 204) of the troop information: eight rows of carried units from y 60.
void writeCarryPage(const std::filesystem::path& folder)
{
    Palette palette;
    const PageInks c = pageInks(palette);
    Canvas canvas(272, 256, c.back);
    canvas.frameRect(0, 0, 272, 256, c.frame);
    drawLabel(canvas, 8, 40, 120, 56, "搭載部隊", c.ink, 12, true, Align::Left);
    drawLabel(canvas, 32, 44, 200, 58, "部隊名", c.dim, 12, false, Align::Right);
    drawLabel(canvas, 224, 44, 264, 58, "機数", c.dim, 12, false, Align::Right);
    canvas.fillRect(8, 60, 264, 222, c.well);
    for (int r = 0; r < 8; ++r)
        canvas.line(8, 60 + 20 * r + 19, 263, 60 + 20 * r + 19, c.rule);
    writeFile(folder / "tkbmp" / "info_carry.bmp", encodeBmp8(canvas, palette));
}

// The weapon information page: frames and labels where the unit panels put the type's values.
void writeWeaponInfoPage(const std::filesystem::path& folder)
{
    Palette palette;
    const uint8_t back = palette.index({ 24, 34, 30 });
    const uint8_t frame = palette.index({ 96, 120, 108 });
    const uint8_t panel = palette.index({ 16, 24, 22 });
    const uint8_t well = palette.index({ 8, 12, 12 });
    const uint8_t rule = palette.index({ 44, 60, 54 });
    const uint8_t dim = palette.index({ 132, 150, 140 });
    const uint8_t title = palette.index({ 200, 220, 160 });
    Canvas canvas(720, 608, back);
    canvas.frameRect(0, 0, 720, 608, frame);
    auto box = [&](int left, int top, int right, int bottom, uint8_t fill) {
        canvas.fillRect(left, top, right, bottom, fill);
        canvas.frameRect(left, top, right, bottom, rule);
    };
    auto label = [&](int left, int top, int right, const char* text, Align align = Align::Left) {
        drawLabel(canvas, left, top, right, top + 12, text, dim, 12, false, align);
    };

    // The type header: name line, class and target class, the picture, the figures beside it.
    box(70, 6, 292, 30, panel);
    label(8, 14, 68, "名称");
    label(8, 36, 68, "種別");
    box(70, 33, 172, 48, panel);
    label(296, 14, 330, "目標");
    box(330, 10, 432, 30, panel);
    label(176, 36, 240, "搭載区分");
    label(304, 36, 378, "移動", Align::Right);
    box(378, 33, 432, 48, panel);
    box(15, 48, 377, 209, well);
    box(384, 80, 428, 116, panel);
    label(380, 117, 432, "機数", Align::Centre);
    box(396, 129, 416, 143, panel);
    label(380, 145, 432, "価格", Align::Centre);
    box(384, 158, 428, 172, panel);
    label(380, 174, 432, "生産", Align::Centre);
    box(380, 186, 432, 201, panel);
    // Berths under the picture, then the rows of the six layers.
    label(8, 214, 90, "搭載");
    canvas.line(8, 253, 440, 253, rule);
    static const char* const kLayers[6] = { "超高空", "高空", "低空", "地上", "海上", "海中" };
    for (int k = 0; k < 6; ++k)
        drawLabel(canvas, 120 + 60 * k - 44, 258, 120 + 60 * k - 2, 270, kLayers[k], dim, 10, false, Align::Right);
    label(8, 258, 60, "視界");
    label(8, 280, 60, "防御");
    label(8, 302, 60, "射程");
    for (int k = 0; k < 6; ++k)
        for (int y : { 256, 278, 300 })
            box(118 + 60 * k, y, 134 + 60 * k, y + 16, panel);
    // The capability icons or the movement panel.
    box(8, 348, 440, 452, panel);
    label(12, 330, 148, "能力・移動");

    // The armament set: slot rows, then strength, fuel, movement.
    drawLabel(canvas, 456, 40, 712, 60, "兵器詳細情報", title, 16, true, Align::Left);
    box(452, 248, 712, 424, panel);
    label(456, 252, 648, "兵装");
    label(648, 252, 672, "倍", Align::Centre);
    label(676, 252, 708, "弾数", Align::Centre);
    canvas.line(452, 265, 711, 265, rule);
    label(456, 368, 520, "定数");
    label(580, 368, 630, "燃料");
    label(456, 388, 520, "移動力");
    label(580, 388, 656, "高速移動");
    label(456, 408, 520, "補助");
    label(456, 452, 708, "武装セット");

    // The weapon table: headings above the rows the window restores when the set changes.
    box(8, 488, 712, 590, well);
    drawWeaponTableHeadings(canvas, 492, dim);
    for (int i = 1; i <= 5; ++i)
        canvas.line(8, 508 + 16 * i - 1, 711, 508 + 16 * i - 1, rule);
    writeFile(folder / "tkbmp" / "info_heiki.bmp", encodeBmp8(canvas, palette));
}

void writeInfoBackgrounds(const std::filesystem::path& folder)
{
    writeWeaponInfoPage(folder);
    writeMovePanel(folder);
    writeChangePage(folder);
    writeTroopPage(folder);
    writeCarryPage(folder);
}

} // namespace

MKDATA_GENERATOR("info_backgrounds", writeInfoBackgrounds);

} // namespace mkdata::info
