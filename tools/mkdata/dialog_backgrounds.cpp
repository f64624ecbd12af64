// "tkbmp" backgrounds of the play dialogs: the weapon selection "panel_fig1.bmp" and the merge and
// split "merge.bmp". Their labels and frames stand where the dialogs write their figures.
#include "dialogs/merge_layout.h"
#include "dialogs/sel_attack_arms_layout.h"
#include "tools/mkdata/bmp_writer.h"
#include "tools/mkdata/buttons_text.h"
#include "tools/mkdata/generator.h"

namespace mkdata::dialogs {
namespace {

using buttons::Align;
using buttons::drawLabel;

struct Inks {
    uint8_t back, panel, frame, well, rule, ink, dim;
};

Inks inksOf(Palette& palette, Rgb back, Rgb panel)
{
    return { palette.index(back), palette.index(panel), palette.index({ 120, 132, 112 }), palette.index({ 10, 12, 10 }),
        palette.index({ 58, 66, 54 }), palette.index({ 236, 238, 226 }), palette.index({ 150, 160, 140 }) };
}

void well(Canvas& canvas, const Inks& k, int left, int top, int right, int bottom)
{
    canvas.fillRect(left, top, right, bottom, k.well);
    canvas.frameRect(left - 1, top - 1, right + 1, bottom + 1, k.rule);
}

// One half of the weapon selection: the unit's frame, machine grid, weapon table and value strip.
void paintEngagementSide(Canvas& canvas, const Inks& k, int side)
{
    namespace l = sel_attack_arms_layout;
    const int x0 = l::halfX(side);
    canvas.fillRect(x0 + 4, 4, x0 + l::kHalf - 4, 362, k.panel);
    canvas.frameRect(x0 + 4, 4, x0 + l::kHalf - 4, 362, k.frame);
    well(canvas, k, x0 + l::kPictureX, l::kPictureY, x0 + l::kPictureX + l::kPictureSize,
        l::kPictureY + l::kPictureSize);
    drawLabel(canvas, x0 + 50, l::kNameTop, x0 + 92, l::kNameTop + 12, "部隊", k.dim, 12, false, Align::Left);
    drawLabel(canvas, x0 + 50, l::kTypeTop, x0 + 92, l::kTypeTop + 12, "兵器", k.dim, 12, false, Align::Left);
    well(canvas, k, x0 + l::kNameLeft - 2, l::kNameTop - 1, x0 + l::kNameRight, l::kNameTop + 13);
    well(canvas, k, x0 + l::kNameLeft - 2, l::kTypeTop - 1, x0 + l::kNameRight, l::kTypeTop + 13);
    drawLabel(canvas, x0 + 14, l::kClassTop, x0 + 62, l::kClassTop + 12, "兵種", k.dim, 12, false, Align::Left);
    drawLabel(canvas, x0 + 166, l::kClassTop, x0 + 188, l::kClassTop + 12, "経験", k.dim, 12, false, Align::Left);
    drawLabel(canvas, x0 + 14, l::kMachineY + 2, x0 + 62, l::kMachineY + 14, "機体", k.dim, 12, false, Align::Left);
    for (int i = 0; i < 10; ++i) {
        const int x = x0 + l::machineX(i);
        const int y = l::machineY(i);
        well(canvas, k, x, y, x + l::kCounterDX + l::kCounterSize + 2, y + 16);
    }
    const int head = l::weaponRowY(0) - 20;
    drawLabel(canvas, x0 + l::kWeaponNameLeft, head, x0 + l::kWeaponNameRight, head + 12, "兵装", k.dim, 12, false,
        Align::Left);
    drawLabel(canvas, x0 + l::kPowerLeft - 4, head, x0 + l::kPowerLeft + 16, head + 12, "威", k.dim, 12);
    drawLabel(canvas, x0 + l::kMultiplierLeft - 4, head, x0 + l::kMultiplierLeft + 16, head + 12, "倍", k.dim, 12);
    drawLabel(canvas, x0 + l::kAmmoLeft - 4, head, x0 + l::kAmmoLeft + 16, head + 12, "弾", k.dim, 12);
    for (int slot = 0; slot < 5; ++slot) {
        const int y = l::weaponRowY(slot) + 16;
        canvas.line(x0 + 8, y, x0 + 291, y, k.rule);
    }
    const int rows[3] = { l::kValueRowTops[0], l::kValueRowTops[1], l::kValueRowTops[2] };
    const char* const titles[3] = { "倍率", "攻撃", "防御" };
    for (int r = 0; r < 3; ++r) {
        drawLabel(canvas, x0 + 12, rows[r], x0 + 48, rows[r] + 12, titles[r], k.ink, 12, true, Align::Left);
        well(canvas, k, x0 + 50, rows[r] - 1, x0 + 72, rows[r] + 13);
    }
    drawLabel(canvas, x0 + 100, rows[0], x0 + 140, rows[0] + 12, "係数", k.ink, 12, true, Align::Left);
    well(canvas, k, x0 + 142, rows[0] - 1, x0 + 164, rows[0] + 13);
    const char* const attack[4] = { "基本", "経験", "回避", "範囲" };
    const char* const defence[4] = { "基本", "経験", "地形", "包囲" };
    for (int c = 0; c < 4; ++c) {
        const int left = x0 + 100 + 48 * c - (c == 0 ? 0 : 4);
        drawLabel(canvas, left, rows[1] - 14, left + 32, rows[1] - 2, attack[c], k.dim, 10);
        drawLabel(canvas, left, rows[2] - 14, left + 32, rows[2] - 2, defence[c], k.dim, 10);
        well(canvas, k, left - 2, rows[1] - 1, left + 30, rows[1] + 13);
        well(canvas, k, left - 2, rows[2] - 1, left + 30, rows[2] + 13);
    }
}

void writeEngagementPanel(const std::filesystem::path& folder)
{
    namespace l = sel_attack_arms_layout;
    Palette palette;
    const Inks k = inksOf(palette, { 22, 26, 20 }, { 36, 42, 32 });
    Canvas canvas(l::kWidth, l::kHeight, k.back);
    for (int side = 0; side < 2; ++side)
        paintEngagementSide(canvas, k, side);
    // The strip across the bottom that holds the question and the two buttons.
    canvas.fillRect(0, 366, l::kWidth, l::kHeight, palette.index({ 30, 34, 26 }));
    canvas.line(0, 366, l::kWidth - 1, 366, k.frame);
    writeFile(folder / "tkbmp" / l::kBackground, encodeBmp8(canvas, palette));
}

void writeMergePanel(const std::filesystem::path& folder)
{
    namespace l = merge_layout;
    Palette palette;
    const Inks k = inksOf(palette, { 26, 30, 38 }, { 38, 44, 56 });
    Canvas canvas(l::kWidth, l::kHeight, k.back);
    canvas.frameRect(0, 0, l::kWidth, l::kHeight, k.frame);
    for (int x : { l::kLeftIconX, l::kRightIconX })
        well(canvas, k, x, l::kIconY, x + l::kIconSize, l::kIconY + l::kIconSize);
    well(canvas, k, l::kLeftMachinesLeft, l::kMachineY, l::kLeftMachinesRight, l::kMachineY + l::kMachineSize);
    well(canvas, k, l::kRightMachinesLeft, l::kMachineY, l::kRightMachinesRight, l::kMachineY + l::kMachineSize);
    canvas.fillRect(l::kPanelLeft, l::kPanelTop, l::kPanelRight, l::kPanelBottom, k.panel);
    canvas.frameRect(l::kPanelLeft - 1, l::kPanelTop - 1, l::kPanelRight + 1, l::kPanelBottom + 1, k.frame);
    const uint8_t track = palette.index({ 18, 20, 26 });
    for (int x : { l::kLeftPanelX, l::kRightPanelX }) {
        for (int i = 0; i < 10; ++i) {
            const int left = x + l::kBarDX + l::kBarStep * i;
            canvas.fillRect(left, l::kBarTop, left + l::kBarSegment, l::kBarBottom, track);
        }
        well(canvas, k, x + l::kFuelDX, l::kFigureTop, x + l::kFuelDX + l::kFigureWidth, l::kFigureBottom);
        well(canvas, k, x + l::kFatigueDX, l::kFigureTop, x + l::kFatigueDX + l::kFigureWidth, l::kFigureBottom);
        drawLabel(canvas, x - 30, l::kFigureTop, x - 2, l::kFigureBottom, "燃料", k.dim, 10, false, Align::Right);
        drawLabel(canvas, x + 25, l::kFigureTop, x + 55, l::kFigureBottom, "疲労", k.dim, 10);
    }
    writeFile(folder / "tkbmp" / l::kBackground, encodeBmp8(canvas, palette));
}

void writeDialogBackgrounds(const std::filesystem::path& folder)
{
    writeEngagementPanel(folder);
    writeMergePanel(folder);
}

} // namespace

MKDATA_GENERATOR("dialog_backgrounds", writeDialogBackgrounds);

} // namespace mkdata::dialogs
