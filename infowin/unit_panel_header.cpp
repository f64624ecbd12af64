// The type header panel and the unit picture.
#include "infowin/game_options.h"
#include "infowin/panel_text.h"
#include "infowin/unit_panels.h"

#include "lib/file.h"
#include "platform/kernel/host.h"
#include "state/data_path.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"

#include <cstring>
#include <string>

namespace {

constexpr UINT kCentre = DT_CENTER;

const std::string& targetClassName(int c)
{
    static const std::string names[9] = { platform::utf8ToCp932("超高空"), platform::utf8ToCp932("航空機"),
        platform::utf8ToCp932("ヘリ"), platform::utf8ToCp932("装甲硬"), platform::utf8ToCp932("艦船"),
        platform::utf8ToCp932("潜水艦"), platform::utf8ToCp932("装甲軟"), platform::utf8ToCp932("弾道ミサイル"),
        platform::utf8ToCp932("巡航ミサイル") };
    static const std::string none;
    return c >= 0 && c < 9 ? names[c] : none;
}

// The first set bit counted from the top (bit 7 is 0); -1 when none is set.
int firstBitFromTop(int mask)
{
    for (int b = 0; b < 8; ++b)
        if (mask & (0x80 >> b))
            return b;
    return -1;
}

void drawProductionCell(HDC dc, const GameState& game, const UnitTypeRecord& type)
{
    std::string cell = "-";
    if (ruleInEffect(game, kRuleProducing)) {
        if (!(type.flags & 0x0800))
            cell = platform::utf8ToCp932("不可");
        else if (ruleInEffect(game, kRuleProductionCount))
            cell = std::to_string(type.productionTurns) + platform::utf8ToCp932("ターン");
        else
            cell = platform::utf8ToCp932("○");
    }
    panel::text(dc, 382, 187, 430, 199, cell.c_str(), kCentre);
}

void drawBerths(HDC dc, const UnitTypeRecord& type, const swCBitmap* icons)
{
    for (int j = 0; j < kBerthCount; ++j) {
        const int c = firstBitFromTop(type.berthMask[j]);
        if (c < 0)
            continue;
        const int x = 96 + 88 * (j % 4);
        const int y = 208 + 22 * (j / 4);
        if (icons)
            panel::blitCell(dc, x, y, *icons, info_sheet::berthBadge(c));
        panel::format(dc, x + 60, y + 6, x + 72, y + 18, DT_LEFT, "%2d", type.berthCount[j]);
    }
}

void drawLayerRows(HDC dc, const GameState& game, const UnitTypeRecord& type)
{
    const bool sight = ruleInEffect(game, kRuleSearch);
    const bool layered = ruleInEffect(game, kRuleSightLayers);
    const bool range = ruleInEffect(game, kRuleInterception);
    for (int k = 0; k < kDomainCount; ++k) {
        const int x = 120 + 60 * k;
        if (sight)
            panel::format(dc, x, 258, x + 12, 270, kCentre, "%d", layered ? type.sight[k] : maxSightRange(type));
        else
            panel::text(dc, x, 258, x + 12, 270, "-", kCentre);
        panel::format(dc, x, 280, x + 12, 292, DT_LEFT, "%2d", type.defenceAgainst(k));
        if (range)
            panel::format(dc, x, 302, x + 12, 314, kCentre, "%2d", type.range[k]);
        else
            panel::text(dc, x, 302, x + 12, 314, "-", kCentre);
    }
    panel::format(dc, 312, 280, 330, 292, DT_LEFT, ":%2d", type.defenceAgainst(kTargetOtherLand));
}

} // namespace

void drawTypeHeader(HDC dc, const Presentation& look, const GameState& game, const UnitTypeRecord& type, int side)
{
    panel::TextScope scope(dc, look.font(kSmallFont));
    if (const swCBitmap* category = panel::loadedSheet(look, kCategorySheet)) {
        const int column = unitBitmapIndex(game, type);
        const int row = side >= 0 && side < kCountryCount ? side + 1 : 0;
        panel::blitKeyed(dc, 76, 10, *category, RECT { column * 16, row * 16, column * 16 + 16, row * 16 + 16 }, kPictureKey);
    }
    panel::text(dc, 96, 14, 288, 26, std::string(type.name, strnlen(type.name, sizeof type.name)).c_str());
    panel::text(dc, 72, 36, 168, 48, unitClassName(type.unitClass));
    panel::text(dc, 332, 14, 428, 26, targetClassName(targetClass(type)).c_str());
    drawProductionCell(dc, game, type);
    panel::format(dc, 388, 158, 424, 170, kCentre, "%d", int(type.memberPrice * type.members));
    drawUnitPicture(dc, type);
    look.drawUnitIcon(dc, 390, 82, side, type.id, 0);
    panel::format(dc, 400, 129, 412, 141, kCentre, "%d", type.members);
    const swCBitmap* icons = panel::loadedSheet(look, kInfoButtons);
    const int carry = firstBitFromTop(type.carryClass);
    if (icons && carry >= 0)
        panel::blitCell(dc, 244, 30, *icons, info_sheet::carryBadge(carry));
    panel::text(dc, 380, 36, 428, 48, movementTypeShortName(type.movementType));
    drawBerths(dc, type, icons);
    drawLayerRows(dc, game, type);
}

void drawUnitPicture(HDC dc, const UnitTypeRecord& type)
{
    std::string path = unitImagePath(type);
    COLORREF key = kPictureKey;
    if (path.empty() || !fileExists(path.c_str())) {
        buildDataPath(path, "000.bmp", kFolderUnit);
        key = 0x02000000;
    }
    swCBitmap picture;
    picture.bitmapLoadFile(path.c_str());
    const SIZE size = picture.bitmapGetSize();
    const int x = (360 - size.cx) / 2 + 16;
    const int y = (160 - size.cy) / 2 + 48;
    PaletteHolder(dc).blitTransparent(x, y, picture.handle(), RECT { 0, 0, size.cx, size.cy }, key);
}
