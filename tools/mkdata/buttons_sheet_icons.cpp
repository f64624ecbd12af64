// "info_btn.bmp" beside its buttons: badges, capability icons, experience marks and bar, and the
// weapon table's highlight bars.
#include "tools/mkdata/buttons_sheets.h"
#include "tools/mkdata/buttons_text.h"

#include <cstdio>
#include <string>

namespace mkdata::buttons {
namespace {

using info_sheet::Capability;
using info_sheet::Cell;

TileInks inksOf(Palette& palette, Rgb fill, Rgb ink = { 244, 244, 232 })
{
    auto mix = [](Rgb c, int toward, int share) {
        auto m = [&](uint8_t v) { return uint8_t((v * (100 - share) + toward * share) / 100); };
        return Rgb { m(c.r), m(c.g), m(c.b) };
    };
    return { palette.index(fill), palette.index(mix(fill, 255, 45)), palette.index(mix(fill, 0, 55)), palette.index(ink) };
}

struct CapabilityLabel {
    Capability capability;
    const char* label;
    Rgb colour;
};

constexpr Rgb kArms { 120, 52, 40 };
constexpr Rgb kWorks { 112, 92, 36 };
constexpr Rgb kCarry { 44, 88, 120 };
constexpr Rgb kService { 40, 100, 72 };

const CapabilityLabel kCapabilities[] = {
    { Capability::HardArmour, "重装甲", { 92, 92, 104 } },
    { Capability::SoftArmour, "軽装甲", { 112, 104, 84 } },
    { Capability::Berths, "搭載", kCarry },
    { Capability::LandingShip, "揚陸", kCarry },
    { Capability::Intercept, "迎撃", kArms },
    { Capability::Ecm, "ECM", { 84, 60, 120 } },
    { Capability::Launch, "発射", kArms },
    { Capability::SelfDestruct, "自爆", kArms },
    { Capability::BaseType, "派生型", { 72, 72, 72 } },
    { Capability::Airborne, "空挺", kCarry },
    { Capability::Supply, "補給", kService },
    { Capability::Occupy, "占領", { 140, 40, 40 } },
    { Capability::Engineering, "工作", kWorks },
    { Capability::Demolition, "破壊", kArms },
    { Capability::Bridge, "架橋", kWorks },
    { Capability::Pillbox, "ﾄｰﾁｶ", kWorks },
    { Capability::Road, "道路", kWorks },
    { Capability::Reinforce, "補強", kWorks },
    { Capability::LandMines, "地雷除去", kWorks },
    { Capability::SeaMines, "機雷掃海", kWorks },
    { Capability::AirRefuel, "空中給油", kService },
    { Capability::GroundSupply, "陸上補給", kService },
    { Capability::SeaSupply, "洋上補給", kService },
};

const char* const kCarryLabels[8] = { "艦載機", "VTOL", "ヘリ", "重車両", "車両", "軽車両", "歩兵", "ホバー" };
const char* const kDomainLabels[6] = { "超高空", "高空", "低空", "地上", "海上", "海中" };
const char* const kLevelMarks[6] = { "Ｅ", "Ｄ", "Ｃ", "Ｂ", "Ａ", "★" };

std::string numbered(const char* prefix, int v, const char* suffix = "")
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%d%s", prefix, v, suffix);
    return text;
}

void paintGradedIcons(Canvas& canvas, Palette& palette)
{
    const TileInks night = inksOf(palette, { 36, 40, 104 });
    for (int v = 1; v <= 10; ++v)
        drawTile(canvas, info_sheet::nightSightIcon(10 * v), night, numbered("夜間", 10 * v, "%").c_str());
    const TileInks g1 = inksOf(palette, { 40, 88, 48 });
    const TileInks g2 = inksOf(palette, { 64, 88, 36 });
    const TileInks g3 = inksOf(palette, { 40, 80, 88 });
    const TileInks area = inksOf(palette, { 100, 60, 28 });
    for (int v = 1; v <= 9; ++v) {
        drawTile(canvas, info_sheet::grade1Icon(v), g1, numbered("隠蔽", v).c_str());
        drawTile(canvas, info_sheet::grade2Icon(v), g2, numbered("潜伏", v).c_str());
        drawTile(canvas, info_sheet::grade3Icon(v), g3, numbered("秘匿", v).c_str());
        drawTile(canvas, info_sheet::areaRadiusIcon(v), area, numbered("監視", v).c_str());
    }
}

void paintBadges(Canvas& canvas, Palette& palette)
{
    const TileInks carry = inksOf(palette, { 48, 72, 96 });
    const TileInks berth = inksOf(palette, { 36, 96, 96 });
    for (int b = 0; b < 8; ++b) {
        drawTile(canvas, info_sheet::carryBadge(b), carry, kCarryLabels[b]);
        drawTile(canvas, info_sheet::berthBadge(b), berth, kCarryLabels[b]);
    }
    drawTile(canvas, info_sheet::stateBadge(false), inksOf(palette, { 56, 84, 56 }), "通常");
    drawTile(canvas, info_sheet::stateBadge(true), inksOf(palette, { 120, 84, 32 }), "視界制限");
    const TileInks domain = inksOf(palette, { 64, 64, 88 });
    for (int d = 0; d < 6; ++d)
        drawTile(canvas, info_sheet::domainBadge(d), domain, kDomainLabels[d]);
}

void paintExperience(Canvas& canvas, Palette& palette)
{
    const TileInks mark = inksOf(palette, { 52, 44, 20 }, { 250, 210, 80 });
    for (int level = 0; level <= 5; ++level)
        drawTile(canvas, info_sheet::experienceMark(level), mark, kLevelMarks[level]);
    // The filled bar in ten segments, the empty one a dark well of the same size.
    const Cell full = info_sheet::kExperienceBarFull;
    const Cell empty = info_sheet::kExperienceBarEmpty;
    const uint8_t well = palette.index({ 14, 16, 12 });
    const uint8_t rim = palette.index({ 92, 104, 84 });
    const uint8_t bright = palette.index({ 120, 220, 96 });
    const uint8_t deep = palette.index({ 60, 150, 48 });
    canvas.fillRect(full.x, full.y, full.right(), full.bottom(), deep);
    canvas.fillRect(full.x, full.y + 1, full.right(), full.y + 4, bright);
    for (int s = 8; s < full.width; s += 8)
        canvas.line(full.x + s - 1, full.y, full.x + s - 1, full.bottom() - 1, well);
    canvas.fillRect(empty.x, empty.y, empty.right(), empty.bottom(), well);
    canvas.frameRect(empty.x, empty.y, empty.right(), empty.bottom(), rim);
}

} // namespace

void drawTile(Canvas& canvas, const Cell& cell, const TileInks& inks, const char* utf8Label, int pixelHeight)
{
    const int r = cell.right() - 1;
    const int b = cell.bottom() - 1;
    canvas.fillRect(cell.x, cell.y, cell.right(), cell.bottom(), inks.fill);
    canvas.line(cell.x, cell.y, r, cell.y, inks.light);
    canvas.line(cell.x, cell.y, cell.x, b, inks.light);
    canvas.line(cell.x, b, r, b, inks.dark);
    canvas.line(r, cell.y, r, b, inks.dark);
    drawLabel(canvas, cell.x + 1, cell.y + 1, r, b, utf8Label, inks.ink, pixelHeight);
}

void paintWeaponBars(Canvas& canvas, Palette& palette, int x, int y)
{
    const Cell bar = info_sheet::kWeaponBars;
    const uint8_t fill = palette.index({ 40, 64, 92 });
    const uint8_t edge = palette.index({ 84, 116, 150 });
    const uint8_t shade = palette.index({ 26, 40, 60 });
    for (int i = 0; i < 5; ++i) {
        const int top = y + bar.height * i;
        canvas.fillRect(x, top, x + bar.width, top + bar.height, fill);
        canvas.line(x, top, x + bar.width - 1, top, edge);
        canvas.line(x, top + bar.height - 1, x + bar.width - 1, top + bar.height - 1, shade);
    }
}

void paintIconSheet(Canvas& canvas, Palette& palette)
{
    paintBadges(canvas, palette);
    paintExperience(canvas, palette);
    paintGradedIcons(canvas, palette);
    for (const CapabilityLabel& c : kCapabilities)
        drawTile(canvas, info_sheet::capabilityIcon(c.capability), inksOf(palette, c.colour), c.label);
    paintWeaponBars(canvas, palette, info_sheet::kWeaponBars.x, info_sheet::kWeaponBars.y);
}

} // namespace mkdata::buttons
