// The troop information's own panels: the unit's status block and its carried units.
#include "infowin/panel_text.h"
#include "infowin/troop_info_window.h"

#include "platform/kernel/host.h"
#include "ui/base_bitmaps.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/presentation.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace {

constexpr int kTopLevel = 5;
constexpr int kBarWidth = 80;
// The unit is to be carried to its goal hex: a transport victory condition.
constexpr uint8_t kTransportTarget = 2;

// The unit's 16 x 16 category cell in its owner's row (row 0 for the neutral side).
void drawCategoryCell(HDC dc, const Presentation& look, GameState& state, int x, int y, const UnitRecord& unit, int owner)
{
    const swCBitmap* categories = panel::loadedSheet(look, kCategorySheet);
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    if (!categories || !type)
        return;
    const int column = unitBitmapIndex(state, *type);
    const int row = owner >= 0 && owner < kCountryCount ? owner + 1 : 0;
    panel::blitKeyed(dc, x, y, *categories, RECT { column * 16, row * 16, column * 16 + 16, row * 16 + 16 }, kPictureKey);
}

std::string nameOf(const UnitRecord& unit) { return std::string(unit.name, strnlen(unit.name, sizeof unit.name)); }

// "%2d" of the members, red at a quarter or less of the limit and orange at a half or less, then
// "/%2d" of the limit in white.
void drawMembers(HDC dc, int left, int top, const UnitRecord& unit, UINT align)
{
    const HeldFigure machines = heldMachines(unit);
    SetTextColor(dc, panel::shareColour(machines.now, machines.most));
    panel::format(dc, left, top, left + 12, top + 12, align, "%2d", machines.now);
    SetTextColor(dc, kWhite);
    panel::format(dc, left + 12, top, left + 30, top + 12, DT_LEFT, "/%2d", machines.most);
}

void drawExperience(HDC dc, GameState& state, const UnitRecord& unit, const swCBitmap* icons)
{
    const int level = experienceLevel(unit);
    if (icons)
        panel::blitCell(dc, 504, 64, *icons, info_sheet::experienceMark(level));
    const bool rule = state.ruleOn(kRuleExperience);
    if (rule && level < kTopLevel) {
        const ExperienceProgress progress = experienceProgress(unit.experience);
        panel::format(dc, 580, 68, 622, 80, DT_CENTER, "%3d/%3d", progress.value, progress.span);
    } else {
        panel::text(dc, 580, 68, 622, 80, "---/---", DT_CENTER);
    }
    if (!icons)
        return;
    const info_sheet::Cell full = info_sheet::kExperienceBarFull;
    const info_sheet::Cell empty = info_sheet::kExperienceBarEmpty;
    if (!rule) {
        panel::blitCell(dc, 624, 69, *icons, empty);
        return;
    }
    const int filled = experiencePercent(unit.experience) * kBarWidth / 100;
    if (filled > 0)
        panel::blitCell(dc, 624, 69, *icons, { full.x, full.y, filled, full.height });
    if (filled < kBarWidth)
        panel::blitCell(dc, 624 + filled, 69, *icons, { empty.x + filled, empty.y, kBarWidth - filled, empty.height });
}

} // namespace

void drawTroopStatus(HDC dc, const Presentation& look, GameState& state, int country, const UnitRecord& unit)
{
    panel::TextScope scope(dc, look.font(kSmallFont));
    const swCBitmap* icons = panel::loadedSheet(look, kInfoButtons);
    panel::text(dc, 504, 46, 696, 58, nameOf(unit).c_str());
    drawExperience(dc, state, unit, icons);
    drawMembers(dc, 484, 90, unit, DT_CENTER);
    panel::format(dc, 568, 90, 580, 102, DT_CENTER, "%2d", int(unit.fatigue));
    if (icons)
        panel::blitCell(dc, 632, 84, *icons, info_sheet::stateBadge(unit.sightFixed != 0));
    panel::format(dc, 508, 112, 586, 124, DT_LEFT, "X:%03d,Y:%03d", int(unit.x), int(unit.y));
    const UnitTypeRecord* type = state.unitTypeOf(unit);
    if (icons && type && type->domain < 6)
        panel::blitCell(dc, 632, 106, *icons, info_sheet::domainBadge(type->domain));
    const int members = type ? std::min<int>(type->members, int(std::size(unit.memberStrengths))) : 0;
    for (int i = 0; i < members; ++i) {
        if (unit.memberStrengths[i] == 0)
            continue;
        const int x = 504 + 40 * (i % 5);
        const int y = 132 + 24 * (i / 5);
        drawCategoryCell(dc, look, state, x, y, unit, country);
        panel::format(dc, x + 20, y + 4, x + 32, y + 16, DT_LEFT, "%2d", int(unit.memberStrengths[i]));
    }
    if (unit.watchBits & kTransportTarget) {
        const std::string goal = platform::utf8ToCp932("輸送目標 ");
        panel::format(dc, 454, 184, 574, 196, DT_LEFT, "%sX:%03d,Y:%03d", goal.c_str(), int(unit.goalX), int(unit.goalY));
    }
}

void drawCarriedUnits(HDC dc, const Presentation& look, GameState& state, int country, const UnitRecord& unit, const UnitTypeRecord& type)
{
    if (const std::unique_ptr<swCBitmap> page = panel::loadPicture(look, "info_carry.bmp"))
        PaletteHolder(dc).blitBitmap(444, 204, page->handle(), RECT { 0, 0, 272, 256 });
    if (carryBerthCount(type) == 0)
        return;
    panel::TextScope scope(dc, look.font(kSmallFont));
    if (!troopCargoVisible(state, country)) {
        static const std::string hidden = platform::utf8ToCp932("？？？？？？？？？？？？？？？？");
        for (int r = 0; r < kBerthCount; ++r)
            panel::text(dc, 476, 268 + 20 * r, 668, 280 + 20 * r, hidden.c_str());
        return;
    }
    int r = 0;
    for (int slot = 0; slot < kBerthCount; ++slot) {
        int owner = -1;
        const int index = unit.carriedUnitAt(slot, owner) - 1;
        if (index < 0)
            continue;
        // Slots flagged neutral hold units of the neutral side, whose table follows the eight countries'.
        const int side = owner == kCountryCount ? kCountryCount : country;
        const UnitRecord* cargo = state.unitOf(side, index);
        if (!cargo || !unitExists(*cargo))
            continue;
        const int y = 268 + 20 * r;
        drawCategoryCell(dc, look, state, 456, y - 4, *cargo, side);
        panel::text(dc, 476, y, 668, y + 12, nameOf(*cargo).c_str());
        drawMembers(dc, 674, y, *cargo, DT_CENTER);
        ++r;
    }
}
